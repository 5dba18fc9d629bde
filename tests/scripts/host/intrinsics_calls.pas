// How intrinsics may be called: procedures are no values, constants take no parentheses,
// square brackets never fit, fixed counts are enforced and variable counts checked inside.
procedure Put(x); begin MessageList.Lines.Add(x) end;

// A caught message under qelrun ends with the source-position block on its own line.
function FirstLine(s);
var p;
begin
  p := Pos(Chr(10), s);
  if p > 0 then Result := TrimRight(Copy(s, 1, p - 1)) else Result := s;
end;

procedure Main;
var x, a;
begin
  x := Now; Put(x > 40000);
  x := Now(); Put(x > 40000);
  ShowMessage('shown');
  Beep;
  Beep();
  try x := ShowMessage('a'); Put('no error'); except on E: Exception do Put('1 ' + FirstLine(E.Message)); end;
  try x := True(); Put('no error'); except on E: Exception do Put('2 ' + FirstLine(E.Message)); end;
  try x := Null(); Put('no error'); except on E: Exception do Put('3 ' + FirstLine(E.Message)); end;
  try x := Abs[1]; Put('no error'); except on E: Exception do Put('4 ' + FirstLine(E.Message)); end;
  try x := Abs; Put('no error'); except on E: Exception do Put('5 ' + FirstLine(E.Message)); end;
  try x := Abs(1, 2); Put('no error'); except on E: Exception do Put('6 ' + FirstLine(E.Message)); end;
  try x := Pos('a'); Put('no error'); except on E: Exception do Put('7 ' + FirstLine(E.Message)); end;
  try Beep(1); Put('no error'); except on E: Exception do Put('8 ' + FirstLine(E.Message)); end;
  try Inc(a, 1, 2); Put('no error'); except on E: Exception do Put('9 ' + FirstLine(E.Message)); end;
  try Inc; Put('no error'); except on E: Exception do Put('10 ' + FirstLine(E.Message)); end;
  try Dec(a, 1, 2); Put('no error'); except on E: Exception do Put('11 ' + FirstLine(E.Message)); end;
  try x := IncMonth; Put('no error'); except on E: Exception do Put('12 ' + FirstLine(E.Message)); end;
  try x := Format; Put('no error'); except on E: Exception do Put('13 ' + FirstLine(E.Message)); end;
  try x := Length; Put('no error'); except on E: Exception do Put('14 ' + FirstLine(E.Message)); end;
  try x := Length('abc', 1); Put('no error'); except on E: Exception do Put('15 ' + FirstLine(E.Message)); end;
  try x := Low('abc'); Put('no error'); except on E: Exception do Put('16 ' + FirstLine(E.Message)); end;
  try x := High(5); Put('no error'); except on E: Exception do Put('17 ' + FirstLine(E.Message)); end;
  try x := Inc(a); Put('no error'); except on E: Exception do Put('18 ' + FirstLine(E.Message)); end;
  try x := Unassigned(); Put('no error'); except on E: Exception do Put('19 ' + FirstLine(E.Message)); end;
  x := Date; Put(Frac(x) = 0);
  x := Time; Put((x >= 0) and (x < 1));
  x := Random; Put((x >= 0) and (x < 1));
  x := Random(10); Put((x >= 0) and (x < 10) and (Int(x) = x));
end;

{ expect:
True
True
1 Invalid type cast or type mismatch
2 Invalid type cast or type mismatch
3 Invalid type cast or type mismatch
4 Invalid type cast or type mismatch
5 Invalid argument count
6 Invalid argument count
7 Invalid argument count
8 Invalid argument count
9 Invalid argument count
10 Invalid argument count
11 Invalid argument count
12 Invalid argument count
13 Invalid argument count
14 Invalid argument count
15 Invalid argument count
16 Low can be applied only to an array
17 High can be applied only to an array
18 Invalid type cast or type mismatch
19 Invalid type cast or type mismatch
True
True
True
True
}
