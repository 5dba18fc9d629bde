// `x := x + y` on locals: strings grow in place, integers add in place, and every other kind
// keeps the general operator's meaning.
procedure Put(x); begin MessageList.Lines.Add(x) end;

procedure Main;
var s, t, u, n, i, big, mixed, d;
begin
  s := '';
  for i := 1 to 1000 do s := s + 'ab';
  Put(Length(s));
  Put(Copy(s, 1995, 6));
  t := s;             // a copy taken before further appends keeps its value
  s := s + 'xyz';
  Put(Length(t));
  Put(Copy(s, Length(s) - 4, 5));
  u := '-';
  s := 'q';
  s := s + u;         // another local
  s := s + s;         // the same local on both sides
  Put(s);
  n := 0;
  for i := 1 to 10 do n := n + i;
  Put(n);
  big := 2147483647;
  big := big + 1;     // leaves the 32-bit range through the general operator
  Put(big);
  mixed := '5';
  mixed := mixed + 1; // a numeric string plus an integer is a sum
  Put(mixed);
  d := 1.5;
  d := d + 1;
  Put(d);
end;

{ expect:
2000
ababab
2000
abxyz
q-q-
55
2147483648
6
2.5
}
