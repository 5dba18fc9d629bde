// The host's formatting and conversion routines behind the intrinsics, case by case as the
// common Object Pascal run-time library gives them (the locale is pinned to the C one).
procedure Put(x); begin MessageList.Lines.Add(x) end;

function FirstLine(s);
var p;
begin
  p := Pos(Chr(13), s);
  if p > 0 then Result := Copy(s, 1, p - 1) else Result := s;
end;

// Parses s as an integer (AsFloat False) or a real, printing the value or the error.
procedure Parse(s; AsFloat);
var routine;
begin
  if AsFloat then routine := 'StrToFloat' else routine := 'StrToInt';
  try
    if AsFloat then Put(routine + '(''' + s + ''') = ' + FloatToStr(StrToFloat(s)))
    else Put(routine + '(''' + s + ''') = ' + IntToStr(StrToInt(s)));
  except
    on e: Exception do Put(routine + '(''' + s + ''') ' + e.ClassName + ': ' + FirstLine(e.Message));
  end;
end;

procedure TryInt(s); begin Parse(s, False) end;
procedure TryFloat(s); begin Parse(s, True) end;

procedure Main;
begin
  Put(Format('[%*d]', 5, 42));
  Put(Format('[%-*d]', 5, 42));
  Put(Format('[%.*f]', 2, 3.14159));
  Put(Format('[%*.*f]', 8, 3, 3.14159));
  Put(Format('[%*s]', -4, 'ab'));
  Put(Format('[%e]', 1e20));
  Put(Format('[%.3e]', 12345.678));
  Put(Format('[%g]', 1e20));
  Put(Format('[%g]', 1.5e-7));
  Put(Format('[%g]', 0.0001));
  Put(Format('[%g]', 123456.0));
  Put(Format('[%n]', 1234567.891));
  Put(Format('[%.0n]', 1234567.5));
  Put(Format('[%x|%.4x]', 255, 255));
  Put(Format('[%5s|%-5s|%.2s]', 'ab', 'ab', 'abcd'));
  Put(Format('[%d|%.3d|%u]', -7, -7, 7));
  Put(Format('[%1:s%0:s]', 'a', 'b'));
  Put(FloatToStr(1e20));
  Put(FloatToStr(1e15));
  Put(FloatToStr(1e14));
  Put(FloatToStr(123456789012345678.0));
  Put(FloatToStr(1.5e-5));
  Put(FloatToStr(0.0001));
  Put(FloatToStr(-0.5));
  Put(FloatToStr(1/3));
  Put(FloatToStr(1e-300));
  Put(FloatToStr(1e300));
  Put(FormatFloat('0.00', 3.14159));
  Put(FormatFloat('#,##0.00', 1234567.891));
  Put(FormatFloat('0.00E+00', 12345.678));
  Put(FormatFloat('0.###E-0', 0.00012345));
  Put(FormatFloat('000', 7));
  Put('[' + FormatFloat('#', 0) + ']');
  Put(FormatFloat('0.0;(0.0);zero', -2.25));
  Put(FormatFloat('0.0;(0.0);zero', 0));
  Put(FormatFloat('', 2.5));
  Put(FormatFloat('0', 2.5));
  Put(FormatFloat('0', 3.5));
  Put(FormatFloat('0.0', 0.05));
  Put(IntToHex(255, 4));
  Put(IntToHex(0, 0));
  Put(IntToHex(4096, 1));
  TryInt('17'); TryInt(' 17'); TryInt('17 '); TryInt('$1F'); TryInt('0x1F'); TryInt('-17'); TryInt('+17'); TryInt('');
  TryInt('2147483647'); TryInt('-2147483648'); TryInt('2147483648'); TryInt('1.0'); TryInt('#10'); TryInt('- 1');
  Put(StrToIntDef('17 ', -1));
  Put(StrToIntDef(' 17', -1));
  TryFloat('2.5'); TryFloat(' 2.5'); TryFloat('2.5 '); TryFloat('1e3'); TryFloat('1E+03'); TryFloat('.5');
  TryFloat('5.'); TryFloat(''); TryFloat('abc'); TryFloat('1,5'); TryFloat('$10');
  Put('[' + Trim(Chr(9) + ' x ' + Chr(0)) + ']');
  Put('[' + TrimLeft(Chr(1) + ' x ') + ']');
  Put('[' + TrimRight(' x ' + Chr(31)) + ']');
  Put(FormatDateTime('yyyy-mm-dd hh:nn:ss', EncodeDate(2024, 2, 29) + EncodeTime(13, 5, 9, 0)));
  Put(FormatDateTime('d/m/yy h:n:s', EncodeDate(2024, 3, 4) + EncodeTime(6, 7, 8, 0)));
  Put(FormatDateTime('ddd dddd mmm mmmm', EncodeDate(2024, 3, 4)));
  Put(FormatDateTime('hh:nn am/pm', EncodeTime(13, 5, 0, 0)));
  Put(FormatDateTime('"quoted" yyyy', EncodeDate(2024, 3, 4)));
  Put(DateToStr(EncodeDate(2024, 3, 4)));
  Put(TimeToStr(EncodeTime(6, 7, 8, 0)));
  Put(StrToDate('3/4/2021') = EncodeDate(2021, 3, 4));
  Put(StrToTime('6:30') = EncodeTime(6, 30, 0, 0));
  Put(StrToDateTime('3/4/2021 6:30') = EncodeDate(2021, 3, 4) + EncodeTime(6, 30, 0, 0));
end;

{ expect:
[   42]
[42   ]
[3.14]
[   3.142]
[ab  ]
[1.00000000000000E+020]
[1.23E+004]
[1E20]
[1.5E-7]
[0.0001]
[123456]
[1,234,567.89]
[1,234,568]
[FF|00FF]
[   ab|ab   |ab]
[-7|-007|7]
[ba]
1E20
1E15
100000000000000
1.23456789012346E17
1.5E-5
0.0001
-0.5
0.333333333333333
1E-300
1E300
3.14
1,234,567.89
1.23E+04
1.234E-4
007
[]
(2.3)
zero
2.5
3
4
0.1
00FF
0
1000
StrToInt('17') = 17
StrToInt(' 17') = 17
StrToInt('17 ') EConvertError: '17 ' is not a valid integer value
StrToInt('$1F') = 31
StrToInt('0x1F') = 31
StrToInt('-17') = -17
StrToInt('+17') = 17
StrToInt('') EConvertError: '' is not a valid integer value
StrToInt('2147483647') = 2147483647
StrToInt('-2147483648') = -2147483648
StrToInt('2147483648') EConvertError: '2147483648' is not a valid integer value
StrToInt('1.0') EConvertError: '1.0' is not a valid integer value
StrToInt('#10') EConvertError: '#10' is not a valid integer value
StrToInt('- 1') EConvertError: '- 1' is not a valid integer value
-1
17
StrToFloat('2.5') = 2.5
StrToFloat(' 2.5') = 2.5
StrToFloat('2.5 ') = 2.5
StrToFloat('1e3') = 1000
StrToFloat('1E+03') = 1000
StrToFloat('.5') = 0.5
StrToFloat('5.') = 5
StrToFloat('') EConvertError: '' is not a valid floating point value
StrToFloat('abc') EConvertError: 'abc' is not a valid floating point value
StrToFloat('1,5') EConvertError: '1,5' is not a valid floating point value
StrToFloat('$10') EConvertError: '$10' is not a valid floating point value
[x]
[x ]
[ x]
2024-02-29 13:05:09
4/3/24 6:7:8
Mon Monday Mar March
01:05 pm
quoted 2024
3/4/2024
6:07:08 AM
True
True
True
}
