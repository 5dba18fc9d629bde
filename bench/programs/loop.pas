// Integer arithmetic in a loop.
procedure Main;
var i, s;
begin
  s := 0;
  for i := 1 to 12000000 do
    s := (s + i * 7 - (i div 3)) mod 1000003;
  MessageList.Lines.Add(s);
end;
