// String building by repeated concatenation.
procedure Main;
var i, s, total;
begin
  total := 0;
  s := '';
  for i := 1 to 2500000 do
  begin
    s := s + 'ab';
    if Length(s) >= 1000 then
    begin
      total := total + Length(s);
      s := '';
    end;
  end;
  MessageList.Lines.Add(total + Length(s));
end;
