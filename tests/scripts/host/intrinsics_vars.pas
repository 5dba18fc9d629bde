// Intrinsics that write back into variables, and the array routines.
procedure Put(x); begin MessageList.Lines.Add(x) end;

procedure Bump(var n); begin Inc(n); end;

var g;

procedure Main;
var i, s, y, m, d, h, n, sec, ms, a, c;
begin
  i := 1; Inc(i); Put(i);
  Inc(i, -2); Put(i);
  Dec(i); Put(i);
  Dec(i, 5); Put(i);
  g := 10; Inc(g); Put(g);
  Bump(g); Put(g);
  Inc(5); Put('literal untouched');
  s := 0; Include(s, 3); Put(s);
  Include(s, 35); Put(s);
  Include(s, 0); Put(s);
  Exclude(s, 3); Put(s);
  s := 'abcdef'; Delete(s, 2, 3); Put(s);
  s := 'abc'; Delete(s, 9, 1); Put(s);
  s := 'abc'; Delete(s, 0, 1); Put(s);
  s := 'ad'; Insert('bc', s, 2); Put(s);
  s := 'b'; Insert('a', s, -3); Put(s);
  s := 'a'; Insert('b', s, 99); Put(s);
  DecodeDate(EncodeDate(2024, 2, 29), y, m, d); Put(y); Put(m); Put(d);
  DecodeTime(EncodeTime(13, 5, 9, 250), h, n, sec, ms);
  Put(IntToStr(h) + ':' + IntToStr(n) + ':' + IntToStr(sec) + '.' + IntToStr(ms));
  s := 'kept';
  Put(InputQuery('caption', 'prompt', s)); Put(s);
  a := array[2..5] of Integer;
  for i := 2 to 5 do a[i] := i * 10;
  Put(Low(a)); Put(High(a));
  c := array[1..2, 0..4];
  Put(Low(c, 2)); Put(High(c, 2)); Put(High(c, 1));
end;

{ expect:
2
0
-1
-6
11
12
literal untouched
8
8
9
1
aef
abc
abc
abcd
ab
ab
2024
2
29
13:5:9.250
False
kept
2
5
0
4
2
}
