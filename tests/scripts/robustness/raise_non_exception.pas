// Raising an object that is not an exception is refused; the object the script created for
// the raise is freed rather than leaked, however often it happens.
procedure Put(x); begin MessageList.Lines.Add(x) end;

function FirstLine(S);
var i;
begin
  Result := S;
  i := Pos(Chr(10), S);
  if i > 0 then Result := SysUtils.Trim(Copy(S, 1, i - 1));
end;

procedure Main;
var i, Msg;
begin
  for i := 1 to 1000 do
    try
      raise TStringList.Create;
    except
      on E: Exception do Msg := FirstLine(E.Message);
    end;
  Put(Msg);
  try
    raise MessageList.Lines;
  except
    on E: Exception do Put(FirstLine(E.Message));
  end;
  MessageList.Lines.Add('host list survives');
end;

{ expect:
Cannot raise nil exception
Cannot raise nil exception
host list survives
}
