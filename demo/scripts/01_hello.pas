// Pascal dialect. Output goes to the message pane below
// through MessageList, the window's TMemo. Host classes
// are created, used and freed as in the host itself.
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
