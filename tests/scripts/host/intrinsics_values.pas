// Results of the intrinsics on plain values: numbers, texts, dates and conversions.
procedure Put(x); begin MessageList.Lines.Add(x) end;

function FirstLine(s);
var p;
begin
  p := Pos(Chr(10), s);
  if p > 0 then Result := TrimRight(Copy(s, 1, p - 1)) else Result := s;
end;

procedure Main;
var d;
begin
  Put(Abs(-2.5));
  Put(Sqr(3));
  Put(Sqrt(16));
  Put(Int(-2.5));
  Put(Frac(2.25));
  Put(Round(2.5));
  Put(Round(3.5));
  Put(Round(-2.5));
  Put(Trunc(-2.7));
  Put(Exp(0));
  Put(Ln(1));
  Put(Sin(0) + Cos(0) + ArcTan(0));
  Put(Odd(3));
  Put(Odd(4));
  Put(UpperCase('abc-xyz'));
  Put(LowerCase('ABC-XYZ'));
  Put(AnsiUpperCase('abc'));
  Put(AnsiLowerCase('ABC'));
  Put(CompareStr('a', 'a'));
  Put(CompareStr('a', 'b') < 0);
  Put(CompareText('ABC', 'abc'));
  Put(AnsiCompareText('ABC', 'abc'));
  Put(AnsiCompareStr('b', 'a') > 0);
  Put('[' + Trim('  x  ') + ']');
  Put('[' + TrimLeft('  x  ') + ']');
  Put('[' + TrimRight('  x  ') + ']');
  Put(IntToStr(-42));
  Put(IntToStr(Trunc(1e10) + 1));
  Put(IntToHex(255, 4));
  Put(StrToInt('  17') + 1);
  Put(StrToIntDef('x', 9));
  Put(StrToFloat('2.5') * 2);
  Put(FloatToStr(0.5));
  Put(FormatFloat('0.00', 3.14159));
  Put(IsValidIdent('_a1'));
  Put(IsValidIdent('1a'));
  Put(Pos('cd', 'abcdef'));
  Put(Pos('x', 'abcdef'));
  Put(Chr(65));
  Put(Ord('A'));
  Put(Ord(''));
  Put(Ord(7));
  Put(Length('abc'));
  Put(Length(''));
  Put(Length(12345));
  Put(Copy('abcdef', 2, 3));
  Put('[' + Copy('abcdef', 9, 3) + ']');
  Put(Copy('abcdef', 0, 2));
  Put(VarToStr(Null) + '|' + VarToStr(5));
  Put(VarIsNull(Null));
  Put(VarIsNull(Unassigned));
  Put(Assigned(Unassigned));
  Put(Assigned(Null));
  Put(Assigned(0));
  Put(IsLeapYear(2000));
  Put(IsLeapYear(1900));
  d := EncodeDate(2024, 2, 29);
  Put(DayOfWeek(d));
  Put(DateToStr(d));
  Put(FormatDateTime('yyyy-mm-dd', d));
  Put(FormatDateTime('yyyy-mm-dd', IncMonth(d)));
  Put(FormatDateTime('yyyy-mm-dd', IncMonth(d, 12)));
  Put(FormatDateTime('hh:nn:ss', EncodeTime(13, 5, 9, 0)));
  Put(TimeToStr(EncodeTime(13, 5, 9, 0)));
  Put(DateTimeToStr(d + EncodeTime(13, 5, 9, 0)));
  Put(StrToDate('3/4/2021') = EncodeDate(2021, 3, 4));
  Put(StrToTime('6:30') = EncodeTime(6, 30, 0, 0));
  Put(StrToDateTime('3/4/2021 6:30') = EncodeDate(2021, 3, 4) + EncodeTime(6, 30, 0, 0));
  try Put(EncodeDate(2023, 2, 29)); except on E: Exception do Put(FirstLine(E.Message)); end;
  try Put(StrToInt('abc')); except on E: Exception do Put(FirstLine(E.Message)); end;
  try Put(StrToDate('zz')); except on E: Exception do Put(FirstLine(E.Message)); end;
  try Put(UpperCase(Null)); except on E: Exception do Put(FirstLine(E.Message)); end;
  try Put(Sqrt('abc')); except on E: Exception do Put(FirstLine(E.Message)); end;
end;

{ expect:
2.5
9
4
-2
0.25
2
4
-2
-2
1
0
1
True
False
ABC-XYZ
abc-xyz
ABC
abc
0
True
0
0
True
[x]
[x  ]
[  x]
-42
10000000001
00FF
18
9
5
0.5
3.14
True
False
3
0
A
65
0
7
3
0
5
bcd
[]
ab
|5
True
False
False
False
True
True
False
5
2/29/2024
2024-02-29
2024-03-29
2025-02-28
13:05:09
1:05:09 PM
2/29/2024 1:05:09 PM
True
True
True
Invalid argument to date encode
'abc' is not a valid integer value
'zz' is not a valid date
Invalid variant type conversion
Invalid variant type conversion
}
