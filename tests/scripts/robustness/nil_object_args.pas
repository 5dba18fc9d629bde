// nil, Null, Unassigned or a destroyed object where a host method needs an object: a clean
// error naming the argument, never a crash. Data slots (Objects[i]) and owners still take nil.
procedure Put(x); begin MessageList.Lines.Add(x) end;

function FirstLine(S);
var i;
begin
  Result := S;
  i := Pos(Chr(10), S);
  if i > 0 then Result := SysUtils.Trim(Copy(S, 1, i - 1));
end;

procedure Try1(L; Kind; V);
begin
  try
    if Kind = 1 then L.AddStrings(V) else L.Equals(V);
    Put('no error');
  except
    on E: Exception do Put(FirstLine(E.Message));
  end;
end;

procedure Main;
var L, Gone, C;
begin
  L := TStringList.Create;
  Gone := TStringList.Create;
  Gone.Free;
  Try1(L, 1, nil);
  Try1(L, 1, Null);
  Try1(L, 1, Unassigned);
  Try1(L, 2, nil);
  Try1(L, 2, Gone);
  L.AddObject('a', nil);
  L.Objects[0] := nil;
  C := TComponent.Create(nil);
  Put(L.Count);
  C.Free;
  L.Free;
  L := TStringList.Create;
  L.AddStrings(nil);
end;

{ expect:
Object required: argument 1 is nil.
Object required: argument 1 is nil.
Object required: argument 1 is nil.
Object required: argument 1 is nil.
Object has been destroyed.
1
}
{ expect-error: Object required: argument 1 is nil. at line 41 pos 19 }
