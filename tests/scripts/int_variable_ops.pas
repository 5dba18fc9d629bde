// An integer with another integer variable or parameter: arithmetic, overflow handed to the
// general operator, comparisons deciding jumps both ways, and operands of other kinds.
procedure Put(x); begin MessageList.Lines.Add(x) end;

function Between(lo; x; hi);
begin
  Result := (lo <= x) and (x <= hi);
end;

function Steps(limit; stride);
var j, count;
begin
  count := 0;
  j := 0;
  while j <= limit do
  begin
    count := count + 1;
    j := j + stride;
  end;
  Result := count;
end;

procedure Main;
var a, b, big, one, text, real, count, k;
begin
  a := 7;
  b := 5;
  Put(a + b);
  Put(a - b);
  Put(a * b);
  Put(b - a);
  big := 2147483647;
  one := 1;
  Put(big + one);
  Put(big * a);
  Put(-big - a);
  Put(Between(1, 5, 9));
  Put(Between(1, 10, 9));
  Put(Steps(100, 7));
  Put(Steps(-1, 1));
  text := '10';
  Put(a + text);
  real := 2.5;
  Put(a * real);
  Put(a < real);
  count := 0;
  k := 0;
  while k <> a do
  begin
    k := k + one;
    if k = b then count := count + 10;
    if k > b then count := count + 1;
  end;
  Put(count);
  if a >= b then Put('ge') else Put('lt');
  if a < b then Put('lt') else Put('ge');
end;

{ expect:
12
2
35
-2
2147483648
15032385529
-2147483654
True
False
15
0
17
17.5
False
12
ge
ge
}
