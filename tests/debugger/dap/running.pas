procedure Main;
var stop, i;
begin
  stop := 0;
  i := 0;
  MessageList.Lines.Add('running');
  while stop = 0 do
    i := i + 1;
  MessageList.Lines.Add('done');
end;
