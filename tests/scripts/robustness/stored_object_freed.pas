// An object stored in a host container and then freed by the script: the container's
// reference is cleared, so reading it back gives nil instead of a dangling object, and a list
// that owns its objects does not free it a second time.
procedure Put(x); begin MessageList.Lines.Add(x) end;

procedure Main;
var L, O, OL, K;
begin
  L := TStringList.Create;
  O := TStringList.Create;
  L.AddObject('a', O);
  L.AddObject('b', O);
  O.Free;
  Put(Assigned(L.Objects[0]));
  Put(Assigned(L.Objects[1]));
  L.Free;

  L := TStringList.Create;
  L.OwnsObjects := True;
  O := TStringList.Create;
  L.AddObject('a', O);
  K := TStringList.Create;
  L.AddObject('b', K);
  O.Free;
  L.Free;
  Put('owning string list freed once');

  OL := TObjectList.Create;
  O := TStringList.Create;
  OL.Add(O);
  OL.Add(TStringList.Create);
  O.Free;
  Put(Assigned(OL.Items[0]));
  Put(OL.Count);
  OL.Free;
  Put('object list freed once');
end;

{ expect:
False
False
owning string list freed once
False
2
object list freed once
}
