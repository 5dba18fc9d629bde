function Twice(a);
begin
  Result := a * 2;
end;

procedure Main(name);
var x, y;
begin
  x := Twice(10);
  y := Twice(x);
  MessageList.Lines.Add(name);
  MessageList.Lines.Add(y);
  x := x + 1;
end;
