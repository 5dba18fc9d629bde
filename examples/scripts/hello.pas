// The classic first script: output goes to MessageList, as in the demonstration window.
procedure Main;
begin
  MessageList.Lines.Add('Hello from Qel-Tessaro');
  MessageList.Lines.Add('6 * 7 = ' + IntToStr(6 * 7));
end;
