{ expect:
picker date 2024-02-29
picker time 2024-02-29 13:45:30
picker new date keeps time 2025-01-01 13:45:30
limits clamp to max 2024-12-31 13:45:30
date 2024-06-15: 2024-06-15
date 2023-06-01: EDateTimeError
date 2025-06-01: EDateTimeError
max below min: EDateTimeError Minimum date must not exceed maximum date
no limits, old date 1850-03-01 13:45:30
set by program: told 0
key up on the year: 1851-03-01 13:45:30, told 1
key up on the year: 2025-03-10 13:45:30, told 1
time kind key up on the hour: 2025-03-10 14:45:30
calendar date 2024-02-29, end 2024-02-29
calendar range 2024-02-29 .. 2024-03-03
calendar end before date: EMonthCalError
calendar date 2030-01-01: EMonthCalError
calendar min clamps 2024-04-01
calendar keys right, down: 2024-04-09, told 2
calendar keys up, left past the minimum: 2024-04-01, told 2
class TDateTimePicker TCommonCalendar TMonthCalendar EDateTimeError ECommonCalendarError
}
// Date pickers and month calendars with explicit dates: date and time parts, limits that
// clamp or refuse with their errors, dates before 1900, and the user's key steps with OnChange.
var Told;

procedure Put(S); begin MessageList.Lines.Add(S); end;
function FirstLine(S); begin if Pos(#13, S) > 0 then Result := Copy(S, 1, Pos(#13, S) - 1) else Result := S; end;
function Stamp(D); begin Result := FormatDateTime('yyyy-mm-dd hh:nn:ss', D); end;
function Day(D); begin Result := FormatDateTime('yyyy-mm-dd', D); end;
procedure Changed(Sender); begin Told := Told + 1; end;

procedure TryDate(P; Y; M; D);
begin
  try
    P.Date := EncodeDate(Y, M, D);
    Put('date ' + Day(EncodeDate(Y, M, D)) + ': ' + Day(P.Date));
  except
    on E: ECommonCalendarError do Put('date ' + Day(EncodeDate(Y, M, D)) + ': ' + E.ClassName);
  end;
end;

procedure KeyUp(P; What);
begin
  Told := 0;
  P.Perform(WM_KEYDOWN, VK_UP, 0);
  Put(What + ': ' + Stamp(P.DateTime) + ', told ' + IntToStr(Told));
end;

procedure Main;
var F, P, C;
begin
  F := TForm.Create(nil);
  P := TDateTimePicker.Create(F); P.Parent := F;
  P.Date := EncodeDate(2024, 2, 29);
  Put('picker date ' + Day(P.Date));
  P.Time := EncodeTime(13, 45, 30, 0);
  Put('picker time ' + Stamp(P.DateTime));
  P.Date := EncodeDate(2025, 1, 1);
  Put('picker new date keeps time ' + Stamp(P.DateTime));
  P.MinDate := EncodeDate(2024, 1, 1);
  P.MaxDate := EncodeDate(2024, 12, 31);
  Put('limits clamp to max ' + Stamp(P.DateTime));
  TryDate(P, 2024, 6, 15);
  TryDate(P, 2023, 6, 1);
  TryDate(P, 2025, 6, 1);
  try
    P.MaxDate := EncodeDate(2023, 1, 1);
  except
    on E: ECommonCalendarError do Put('max below min: ' + E.ClassName + ' ' + FirstLine(E.Message));
  end;
  P.MinDate := 0; P.MaxDate := 0;
  P.Date := EncodeDate(1850, 3, 1);
  Put('no limits, old date ' + Stamp(P.DateTime));

  P.Format := 'yyyy-mm-dd';
  P.OnChange := @Changed;
  Told := 0;
  P.Date := EncodeDate(1850, 3, 1);
  Put('set by program: told ' + IntToStr(Told));
  KeyUp(P, 'key up on the year');
  P.Date := EncodeDate(2024, 3, 10);
  KeyUp(P, 'key up on the year');
  P.Kind := dtkTime;
  P.Format := 'hh:nn';
  P.Perform(WM_KEYDOWN, VK_UP, 0);
  Put('time kind key up on the hour: ' + Stamp(P.DateTime));

  C := TMonthCalendar.Create(F); C.Parent := F;
  C.Date := EncodeDate(2024, 2, 29);
  Put('calendar date ' + Day(C.Date) + ', end ' + Day(C.EndDate));
  C.MultiSelect := True;
  C.EndDate := EncodeDate(2024, 3, 3);
  Put('calendar range ' + Day(C.Date) + ' .. ' + Day(C.EndDate));
  try
    C.EndDate := EncodeDate(2024, 1, 1);
  except
    on E: ECommonCalendarError do Put('calendar end before date: ' + E.ClassName);
  end;
  C.MaxDate := EncodeDate(2029, 12, 31);
  try
    C.Date := EncodeDate(2030, 1, 1);
  except
    on E: EMonthCalError do Put('calendar date 2030-01-01: ' + E.ClassName);
  end;
  C.MinDate := EncodeDate(2024, 4, 1);
  Put('calendar min clamps ' + Day(C.Date));
  C.OnChange := @Changed;
  Told := 0;
  C.Perform(WM_KEYDOWN, VK_RIGHT, 0);
  C.Perform(WM_KEYDOWN, VK_DOWN, 0);
  Put('calendar keys right, down: ' + Day(C.Date) + ', told ' + IntToStr(Told));
  Told := 0;
  C.Perform(WM_KEYDOWN, VK_UP, 0);
  C.Perform(WM_KEYDOWN, VK_LEFT, 0);
  C.Perform(WM_KEYDOWN, VK_LEFT, 0);
  Put('calendar keys up, left past the minimum: ' + Day(C.Date) + ', told ' + IntToStr(Told));
  Put('class ' + ComCtrls.TDateTimePicker.ClassName + ' ' + TDateTimePicker.ClassParent.ClassName + ' ' +
    C.ClassName + ' ' + EDateTimeError.ClassName + ' ' + EDateTimeError.ClassParent.ClassName);
  F.Free;
end;
