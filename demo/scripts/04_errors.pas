// Errors are host exceptions: a script catches them by class and reads their message, which
// names the line (from 0) and position where the error happened. An
// error nobody catches ends the run and shows a box with the line and position it happened at
// (remove the // before the last line of Main to see it; the editor marks the line).
function SafeDiv(A; B);
begin
  try
    Result := A div B;
  except
    on E: EDivByZero do
    begin
      MessageList.Lines.Add('caught ' + E.ClassName + ': ' + E.Message);
      Result := 0;
    end;
  end;
end;

procedure Main;
begin
  MessageList.Lines.Add('84 div 2 = ' + IntToStr(SafeDiv(84, 2)));
  MessageList.Lines.Add('1 div 0 = ' + IntToStr(SafeDiv(1, 0)));
  try
    StrToInt('forty-two');
  except
    on E: EConvertError do MessageList.Lines.Add('caught ' + E.ClassName + ': ' + E.Message);
  end;
  try
    raise Exception.Create('raised by the script');
  except
    on E: Exception do MessageList.Lines.Add('caught: ' + E.Message);
  end;
  // raise Exception.Create('nobody catches this one');
end;
