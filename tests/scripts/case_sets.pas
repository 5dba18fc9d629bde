// case with single values, ranges and lists; set constructors and in.
procedure Put(x); begin MessageList.Lines.Add(x) end;

function Kind(c);
begin
  case c of
    0: Result := 'zero';
    1..9: Result := 'digit';
    10, 20, 30: Result := 'round';
  else
    Result := 'other';
  end;
end;

procedure Main;
var s, i;
begin
  Put(Kind(0));
  Put(Kind(7));
  Put(Kind(20));
  Put(Kind(11));
  s := [1, 3..5];
  Put(s);
  for i := 0 to 6 do
    if i in s then Put(i);
  Put(0 in []);
end;

{ expect:
zero
digit
round
other
58
1
3
4
5
False
}
