// A script may free only what it created: the host's own objects survive a Free, which is
// refused with an error the script can catch; the host's list keeps working afterwards.
procedure Put(x); begin MessageList.Lines.Add(x) end;

function FirstLine(S);
var i;
begin
  Result := S;
  i := Pos(Chr(10), S);
  if i > 0 then Result := SysUtils.Trim(Copy(S, 1, i - 1));
end;

procedure Main;
var L;
begin
  try
    MessageList.Lines.Free;
  except
    on E: Exception do Put(FirstLine(E.Message));
  end;
  try
    MessageList.Lines.Destroy;
  except
    on E: Exception do Put(FirstLine(E.Message));
  end;
  Put('host list still usable');
  L := TStringList.Create;
  L.Add('x');
  L.Free;
  Put('own list freed');
  MessageList.Lines.Free;
end;

{ expect:
Cannot free an object that the host owns.
Cannot free an object that the host owns.
host list still usable
own list freed
}
{ expect-error: Cannot free an object that the host owns. at line 31 pos 24 }
