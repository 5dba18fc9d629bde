// Pascal dialect: output goes to the message pane through MessageList, a TMemo of the window.
// Host classes of the registered units are created, used and freed like the host's own.
procedure Main;
var Fruits, i;
begin
  MessageList.Lines.Add('Hello from the Pascal dialect, ' + DateToStr(Date));
  Fruits := TStringList.Create;
  try
    Fruits.CommaText := 'pear,apple,fig,cherry';
    Fruits.Sort;
    for i := 0 to Fruits.Count - 1 do
      MessageList.Lines.Add(IntToStr(i + 1) + '. ' + UpperCase(Fruits[i]));
  finally
    Fruits.Free;
  end;
end;
