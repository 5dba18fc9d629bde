// Errors are host exceptions: caught here by class, with the message the host gave them.
function SafeDiv(a; b);
begin
  try
    Result := a div b;
  except
    on E: Exception do
    begin
      MessageList.Lines.Add('caught ' + E.ClassName);
      Result := 0;
    end;
  end;
end;

procedure Main;
begin
  MessageList.Lines.Add(SafeDiv(84, 2));
  MessageList.Lines.Add(SafeDiv(1, 0));
end;
