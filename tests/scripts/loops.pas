// for (to, downto, empty range), while, repeat; Break and Continue in each.
procedure Put(x); begin MessageList.Lines.Add(x) end;

procedure Main;
var i, n, total;
begin
  total := 0;
  for i := 1 to 10 do
  begin
    if i mod 2 = 0 then Continue;
    if i > 7 then Break;
    total := total + i;
  end;
  Put(total);                       // 1 + 3 + 5 + 7
  for i := 3 downto 1 do Put(i);
  for i := 5 to 4 do Put('never');
  n := 0;
  while True do
  begin
    n := n + 1;
    if n < 4 then Continue;
    Break;
  end;
  Put(n);
  repeat
    n := n - 1;
    if n = 2 then Continue;
  until n <= 0;
  Put(n);
  // Bounds and steps given as text count as the numbers they spell.
  n := 0;
  for i := 1 to '10' do n := n + 1;
  Put(n);
  n := 0;
  for i := '2' to 4 do n := n + i;
  Put(n);
  n := 0;
  for i := 3 downto '1' do n := n + 1;
  Put(n);
  n := 0;
  for i := '2.5' to 4 do n := n + 1;
  Put(n);
end;

{ expect:
16
3
2
1
4
0
10
9
3
2
}
