// An integer with an integer literal: arithmetic, overflow handed to the general operator,
// comparisons deciding jumps both ways, and operands of other kinds.
procedure Put(x); begin MessageList.Lines.Add(x) end;

function Classify(n);
begin
  if n < 0 then Result := 'negative'
  else if n = 0 then Result := 'zero'
  else if n >= 100 then Result := 'large'
  else Result := 'small';
end;

procedure Main;
var i, big, small, s, f, count;
begin
  Put(Classify(-5));
  Put(Classify(0));
  Put(Classify(7));
  Put(Classify(100));
  big := 2147483647;
  Put(big + 1);
  Put(big * 2);
  small := -2147483647;
  Put(small - 2);
  s := '41';
  Put(s + 1);
  f := 2.5;
  Put(f * 2);
  Put(f < 3);
  Put(big > 0);
  count := 0;
  i := 10;
  while i <> 0 do
  begin
    i := i - 1;
    count := count + 1;
  end;
  Put(count);
  repeat
    i := i + 3;
  until i >= 10;
  Put(i);
  if not (i > 5) then Put('no') else Put('yes');
end;

{ expect:
negative
zero
small
large
2147483648
4294967294
-2147483649
42
5
True
True
10
12
yes
}
