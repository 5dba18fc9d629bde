// An event handler frees the object whose method fired it: the Free waits until the host
// method has returned, so the method never goes on with a freed object.
procedure Put(x); begin MessageList.Lines.Add(x) end;

var Freed;

function FirstLine(S);
var i;
begin
  Result := S;
  i := Pos(Chr(10), S);
  if i > 0 then Result := SysUtils.Trim(Copy(S, 1, i - 1));
end;

procedure Changing(Sender);
begin
  if not Freed then begin
    Freed := True;
    Sender.Free;
    Put('free deferred, count ' + IntToStr(Sender.Count));
  end;
end;

procedure Main;
var L;
begin
  Freed := False;
  L := TStringList.Create;
  L.OnChanging := @Changing;
  L.Add('a');
  try
    L.Add('b');
  except
    on E: Exception do Put('after Add: ' + FirstLine(E.Message));
  end;

  Freed := False;
  L := TStringList.Create;
  L.Add('b');
  L.Add('a');
  L.OnChanging := @Changing;
  L.Sort;
  try
    Put(L.Count);
  except
    on E: Exception do Put('after Sort: ' + FirstLine(E.Message));
  end;
end;

{ expect:
free deferred, count 0
after Add: Object has been destroyed.
free deferred, count 2
after Sort: Object has been destroyed.
}
