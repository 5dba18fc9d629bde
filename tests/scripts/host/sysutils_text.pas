// SysUtils text, number and date routines case by case (the locale is pinned to the C one),
// the regional-settings and time-stamp records by value, and the routines' conversion errors.
procedure Put(x); begin MessageList.Lines.Add(x) end;

function FirstLine(S);
var i;
begin
  Result := S;
  i := Pos(Chr(10), S);
  if i > 0 then Result := SysUtils.Trim(Copy(S, 1, i - 1));
end;

// Line breaks shown as '|' and carriage returns as '<'.
function Shown(S);
begin
  Result := StringReplace(StringReplace(S, Chr(13), '<', [rfReplaceAll]), Chr(10), '|', [rfReplaceAll]);
end;

procedure Replace(S; Old; New; Flags);
begin
  Put('StringReplace(' + S + ', ' + Old + ') = ' + StringReplace(S, Old, New, Flags));
end;

procedure Dequote(S);
begin
  Put('AnsiDequotedStr(' + S + ') = ' + AnsiDequotedStr(S, '"'));
end;

procedure Bool(S);
begin
  try
    Put('StrToBool(' + S + ') = ' + BoolToStr(StrToBool(S), True));
  except
    on E: EConvertError do Put('StrToBool(' + S + ') ' + E.ClassName + ': ' + FirstLine(E.Message));
  end;
end;

function Ymd(D); begin Result := FormatDateTime('yyyy-mm-dd hh:nn', D) end;

procedure Main;
var S, I, B, C, D, Y, M, Day, H, N, Sec, MS, FS, FS2, TS, TS2, Args;
begin
  Put(QuotedStr('it''s'));
  Put(AnsiQuotedStr('a"b', '"'));
  Dequote('"a""b"');
  Dequote('plain');
  Dequote('"open');
  Dequote('"a"b');
  Dequote('""');
  S := '''one'' two';
  Put(AnsiExtractQuotedStr(S, '''') + '|' + S);
  Replace('aXbxc', 'x', '-', [rfReplaceAll]);
  Replace('aXbxc', 'x', '-', [rfReplaceAll, rfIgnoreCase]);
  Replace('aXbxc', 'x', '-', []);
  Replace('aXbxc', 'x', '-', [rfIgnoreCase]);
  Replace('aXbxc', '', '-', [rfReplaceAll]);
  Replace('Ääb', 'ä', 'e', [rfReplaceAll, rfIgnoreCase]);
  Put(Shown(AdjustLineBreaks('a' + Chr(13) + Chr(10) + 'b' + Chr(13) + 'c' + Chr(10) + 'd')));
  Put(Shown(AdjustLineBreaks('a' + Chr(10) + 'b', tlbsCRLF)));
  Put(Shown(WrapText('The quick brown fox jumps over the lazy dog', 10)));
  Put(Shown(WrapText('well-known and ''never broken here'' words', '/', 12)));
  Put(Shown(WrapText('short', 10)));
  Put(IntToStr(AnsiPos('lo', 'hello')) + ' ' + IntToStr(AnsiPos('', 'x')) + ' ' + IntToStr(AnsiPos('z', 'x')));
  Put(ByteLength('abc'));
  Put(UIntToStr(StrToInt64('4000000000')));
  Put(IntToStr(StrToUInt('4000000000')) + ' ' + IntToStr(StrToUIntDef('4294967296', 9)) + ' ' + IntToStr(StrToUIntDef('-1', 8)));
  Put(UIntToStr(StrToUInt64('$FFFFFFFFFFFFFFFF')) + ' ' + BoolToStr(TryStrToUInt64('18446744073709551616', C), True));
  Put(BoolToStr(TryStrToUInt(' +0x10 ', I), True) + ' ' + IntToStr(I));
  try
    StrToUInt64('12a');
  except
    on E: EConvertError do Put(E.ClassName + ': ' + FirstLine(E.Message));
  end;
  Put(BoolToStr(SysUtils.IsValidIdent('Unit.Name', True), True) + ' ' + BoolToStr(SysUtils.IsValidIdent('Unit.Name'), True) + ' ' +
      BoolToStr(SysUtils.IsValidIdent('Unit..Name', True), True) + ' ' + BoolToStr(SysUtils.IsValidIdent('a.1b', True), True));
  try
    RaiseLastOSError(2);
  except
    on E: EOSError do Put(E.ClassName + ': ' + FirstLine(E.Message));
  end;
  try
    RaiseLastOSError(0);
  except
    on E: EOSError do Put(E.ClassName + ': ' + FirstLine(E.Message));
  end;
  Put(SysUtils.IntToHex(255, 4));
  Put(SysUtils.StrToIntDef('12x', 7));
  Put(BoolToStr(TryStrToInt('$1F', I)) + ' ' + IntToStr(I));
  Put(SysUtils.CompareText('abc', 'ABD') < 0);
  Put(SameText('Straße', 'STRASSE'));

  Bool('true');
  Bool('FALSE');
  Bool('-1');
  Bool('0');
  Bool(' 2.5 ');
  Bool('yes');
  Put(StrToBoolDef('yes', True));
  Put(TryStrToBool('x', B));
  Put(BoolToStr(True) + ' ' + BoolToStr(False, True));

  Put(FloatToStrF(1234.5678, ffFixed, 15, 2));
  Put(FloatToStrF(1234.5678, ffNumber, 15, 2));
  Put(FloatToStrF(1234.5678, ffExponent, 4, 2));
  Put(SysUtils.FormatFloat('#,##0.00', 1234567.891));
  Put(StrToFloatDef('1.5e', -1));
  Put(CurrToStr(12.5));
  Put(FormatCurr('0.00', 3.14159));
  Put(CurrToStr(StrToCurr('1.23456')));
  Put(StrToCurrDef('x', 2));
  Put(BoolToStr(TryStrToCurr('abc', C), True));
  Put(BoolToStr(TryStrToFloat('6.25', D), True) + ' ' + SysUtils.FloatToStr(D));
  try
    FloatToCurr(1e300);
  except
    on E: EConvertError do Put(E.ClassName + ': ' + FirstLine(E.Message));
  end;

  // Regional settings travel by value: a changed copy leaves the original as it was.
  FS := TFormatSettings.Create;
  Put(Chr(FS.DecimalSeparator) + ' ' + Chr(FormatSettings.DecimalSeparator) + ' ' + FormatSettings.ShortDateFormat);
  FS.DecimalSeparator := ',';
  FS.ThousandSeparator := '.';
  FS2 := FS.Copy;
  FS2.DecimalSeparator := '#';
  Put(Chr(FS.DecimalSeparator) + Chr(FS2.DecimalSeparator) + Chr(FormatSettings.DecimalSeparator));
  Put(SysUtils.FormatFloat('#,##0.00', 1234.5, FS));
  Put(SysUtils.FloatToStr(2.5, FS) + ' ' + SysUtils.FloatToStr(2.5));
  Put(SysUtils.FloatToStr(SysUtils.StrToFloat('3,25', FS)));
  try
    SysUtils.StrToFloat('3,25');
  except
    on E: EConvertError do Put(E.ClassName + ': ' + FirstLine(E.Message));
  end;
  FS.ShortDateFormat := 'yyyy-mm-dd';
  FS.DateSeparator := '-';
  Put(SysUtils.DateToStr(SysUtils.EncodeDate(2024, 3, 5), FS));
  Put(FormatDateTime('dd/mm/yyyy', SysUtils.StrToDate('2024-03-05', FS)));
  Args := array[1];
  Args[0] := 1.5;
  Args[1] := 'x';
  Put(SysUtils.Format('%.2f|%s', Args, FS) + ' ' + SysUtils.Format('%.2f|%s', Args));

  D := SysUtils.EncodeDate(2024, 2, 29) + SysUtils.EncodeTime(13, 45, 30, 250);
  SysUtils.DecodeDate(D, Y, M, Day);
  SysUtils.DecodeTime(D, H, N, Sec, MS);
  Put(IntToStr(Y) + '-' + IntToStr(M) + '-' + IntToStr(Day) + ' ' + IntToStr(H) + ':' + IntToStr(N) + ':' + IntToStr(Sec) + '.' + IntToStr(MS));
  Put(BoolToStr(DecodeDateFully(D, Y, M, Day, I), True) + ' ' + IntToStr(I));
  Put(BoolToStr(TryEncodeDate(2023, 2, 29, D), True));
  Put(BoolToStr(TryEncodeDate(2024, 2, 29, D), True) + ' ' + Ymd(D));
  Put(BoolToStr(TryEncodeTime(24, 0, 0, 0, C), True));
  Put(Ymd(SysUtils.IncMonth(SysUtils.EncodeDate(2024, 1, 31))) + ' ' + Ymd(SysUtils.IncMonth(SysUtils.EncodeDate(2024, 1, 31), -13)));
  Y := 2024; M := 12; Day := 31;
  IncAMonth(Y, M, Day, 2);
  Put(IntToStr(Y) + '-' + IntToStr(M) + '-' + IntToStr(Day));
  Put(BoolToStr(SysUtils.IsLeapYear(1900), True) + ' ' + BoolToStr(SysUtils.IsLeapYear(2000), True));
  Put(SysUtils.DayOfWeek(SysUtils.EncodeDate(2024, 3, 5)));
  Put(Ymd(StrToDateDef('garbage', SysUtils.EncodeDate(2000, 1, 1))));
  Put(BoolToStr(TryStrToDate('31/31/2024', D), True));
  D := SysUtils.EncodeDate(2024, 3, 5) + SysUtils.EncodeTime(18, 0, 0, 0);
  ReplaceTime(D, SysUtils.EncodeTime(6, 30, 0, 0));
  Put(Ymd(D));
  ReplaceDate(D, SysUtils.EncodeDate(1999, 12, 31));
  Put(Ymd(D));
  DateTimeToString(S, 'yyyy', D);
  Put(S);
  try
    SysUtils.StrToDateTime('2024-13-45 99:99');
  except
    on E: EConvertError do Put(E.ClassName + ': ' + FirstLine(E.Message));
  end;
  try
    FloatToDateTime(1e10);
  except
    on E: EConvertError do Put(E.ClassName + ': ' + FirstLine(E.Message));
  end;
  Put(Ymd(FloatToDateTime(-1.25)));

  TS := DateTimeToTimeStamp(SysUtils.EncodeDate(2000, 1, 1) + 0.5);
  Put(IntToStr(TS.Date) + ' ' + IntToStr(TS.Time));
  Put(Ymd(TimeStampToDateTime(TS)));
  Put(MSecsToTimeStamp(TimeStampToMSecs(TS)).Date = TS.Date);
  TS2 := TS.Copy;
  TS2.Time := 1;
  Put(IntToStr(TS.Time) + ' ' + IntToStr(TS2.Time));
  TS2 := TTimeStamp.Create;
  try
    TimeStampToDateTime(TS2);
  except
    on E: EConvertError do Put(E.ClassName + ': ' + FirstLine(E.Message));
  end;
  Put(Ymd(TimeStampToDateTime(DateTimeToTimeStamp(-1.25))));
  try
    DateTimeToTimeStamp(1e10);
  except
    on E: EConvertError do Put(E.ClassName + ': ' + FirstLine(E.Message));
  end;
  try
    MSecsToTimeStamp(-1);
  except
    on E: EConvertError do Put(E.ClassName + ': ' + FirstLine(E.Message));
  end;
  Put(MSecsPerDay div SecsPerDay + UnixDateDelta);
  Put(FormatDateTime('yyyy-mm-dd', MinDateTime) + ' ' + FormatDateTime('yyyy-mm-dd hh:nn', MaxDateTime));
end;

{ expect:
'it''s'
"a""b"
AnsiDequotedStr("a""b") = a"b
AnsiDequotedStr(plain) = plain
AnsiDequotedStr("open) = "open
AnsiDequotedStr("a"b) = a
AnsiDequotedStr("") = 
one| two
StringReplace(aXbxc, x) = aXb-c
StringReplace(aXbxc, x) = a-b-c
StringReplace(aXbxc, x) = aXb-c
StringReplace(aXbxc, x) = a-bxc
StringReplace(aXbxc, ) = aXbxc
StringReplace(Ääb, ä) = eeb
a|b|c|d
a<|b
The quick|brown fox|jumps over|the lazy|dog
well-known/and/'never broken here'/words
short
4 0 0
6
4000000000
4000000000 9 8
18446744073709551615 False
True 16
EConvertError: '12a' is not a valid integer value
True False False False
EOSError: System Error.  Code: 2.
EOSError: A call to an OS function failed
00FF
7
-1 31
True
False
StrToBool(true) = True
StrToBool(FALSE) = False
StrToBool(-1) = True
StrToBool(0) = False
StrToBool( 2.5 ) = True
StrToBool(yes) EConvertError: 'yes' is not a valid boolean value
True
False
-1 False
1234.57
1,234.57
1.235E+03
1,234,567.89
-1
12.5
3.14
1.2346
2
False
True 6.25
EConvertError: 1E300 is not a valid currency value
. . m/d/yyyy
,#.
1.234,50
2,5 2.5
3.25
EConvertError: '3,25' is not a valid floating point value
2024-03-05
05/03/2024
1,50|x 1.50|x
2024-2-29 13:45:30.250
True 5
False
True 2024-02-29 00:00
False
2024-02-29 00:00 2022-12-31 00:00
2025-2-28
False True
3
2000-01-01 00:00
False
2024-03-05 06:30
1999-12-31 06:30
1999
EConvertError: '2024-13-45 99:99' is not a valid date and time
EConvertError: Invalid argument to date encode
1899-12-29 06:00
730120 43200000
2000-01-01 12:00
True
43200000 1
EConvertError: '0.0' is not a valid timestamp
1899-12-29 06:00
EConvertError: Invalid argument to date encode
EConvertError: Invalid argument to date encode
26569
0100-01-01 9999-12-31 23:59
}
