' Date routines on dates built from explicit values (never from the clock); dates print as
' year-month-day so the output does not depend on the locale.
Sub Put(x)
  MessageList.Lines.Add x
End Sub

Function Ymd(d)
  Ymd = Year(d) & "-" & Month(d) & "-" & Day(d)
End Function

Function Hms(d)
  Hms = Hour(d) & ":" & Minute(d) & ":" & Second(d)
End Function

Sub Show(what, v)
  If IsNull(v) Then
    Put what & " -> Null"
  Else
    Put what & " -> " & TypeName(v) & " " & v
  End If
End Sub

Sub Main
  Dim d, t, n
  n = Null
  d = DateSerial(2024, 2, 29)
  Show "TypeName(DateSerial(2024, 2, 29))", TypeName(d)
  Put "DateSerial(2024, 2, 29) -> " & Ymd(d)
  Put "DateSerial(2021, 14, 1) -> " & Ymd(DateSerial(2021, 14, 1))
  Put "DateSerial(2021, 0, 1) -> " & Ymd(DateSerial(2021, 0, 1))
  Put "DateSerial(2021, -12, 1) -> " & Ymd(DateSerial(2021, -12, 1))
  Put "DateSerial(2021, 1, 32) -> " & Ymd(DateSerial(2021, 1, 32))
  Put "DateSerial(2021, 3, 0) -> " & Ymd(DateSerial(2021, 3, 0))
  Put "DateSerial(21, 1, 1) -> " & Ymd(DateSerial(21, 1, 1))
  Put "DateSerial(45, 1, 1) -> " & Ymd(DateSerial(45, 1, 1))
  Put "DateSerial(0, 1, 1) -> " & Ymd(DateSerial(0, 1, 1))
  Put "DateSerial(-5, 1, 1) -> " & Ymd(DateSerial(-5, 1, 1))
  Put "DateSerial(99, 12, 31) -> " & Ymd(DateSerial(99, 12, 31))
  Put "DateSerial(100, 1, 1) -> " & Ymd(DateSerial(100, 1, 1))
  Show "CDbl(DateSerial(1899, 12, 30))", CDbl(DateSerial(1899, 12, 30))
  t = TimeSerial(13, 5, 9)
  Show "TypeName(TimeSerial(13, 5, 9))", TypeName(t)
  Put "TimeSerial(13, 5, 9) -> " & Hms(t)
  Put "TimeSerial(0, 90, 0) -> " & Hms(TimeSerial(0, 90, 0))
  Put "TimeSerial(25, 0, 0) -> " & Ymd(TimeSerial(25, 0, 0)) & " " & Hms(TimeSerial(25, 0, 0))
  Show "CDbl(TimeSerial(12, 0, 0))", CDbl(TimeSerial(12, 0, 0))
  Show "Year(Null)", Year(n)
  Show "Month(Null)", Month(n)
  Show "Second(Null)", Second(n)
  Show "Hour(0.75)", Hour(0.75)
  Show "Day(1)", Day(1)
  Show "Weekday(DateSerial(2024, 3, 3))", Weekday(DateSerial(2024, 3, 3))
  Show "Weekday(DateSerial(2024, 3, 3), vbMonday)", Weekday(DateSerial(2024, 3, 3), vbMonday)
  Show "Weekday(DateSerial(2024, 3, 4), vbMonday)", Weekday(DateSerial(2024, 3, 4), vbMonday)
  Show "Weekday(DateSerial(2024, 3, 9), vbSaturday)", Weekday(DateSerial(2024, 3, 9), vbSaturday)
  Show "Weekday(Null)", Weekday(n)
  Show "WeekdayName(1)", WeekdayName(1)
  Show "WeekdayName(7, True)", WeekdayName(7, True)
  Show "WeekdayName(1, False, vbMonday)", WeekdayName(1, False, vbMonday)
  Show "WeekdayName(7, True, vbMonday)", WeekdayName(7, True, vbMonday)
  Show "MonthName(1)", MonthName(1)
  Show "MonthName(12, True)", MonthName(12, True)
  Put "DateAdd(""m"", 1, 31 Jan 2021) -> " & Ymd(DateAdd("m", 1, DateSerial(2021, 1, 31)))
  Put "DateAdd(""m"", 1, 31 Jan 2024) -> " & Ymd(DateAdd("m", 1, DateSerial(2024, 1, 31)))
  Put "DateAdd(""M"", -1, 31 Mar 2021) -> " & Ymd(DateAdd("M", -1, DateSerial(2021, 3, 31)))
  Put "DateAdd(""q"", 1, 30 Nov 2021) -> " & Ymd(DateAdd("q", 1, DateSerial(2021, 11, 30)))
  Put "DateAdd(""yyyy"", 1, 29 Feb 2024) -> " & Ymd(DateAdd("yyyy", 1, DateSerial(2024, 2, 29)))
  Put "DateAdd(""d"", 1, 28 Feb 2021) -> " & Ymd(DateAdd("d", 1, DateSerial(2021, 2, 28)))
  Put "DateAdd(""w"", 2, 1 Jan 2021) -> " & Ymd(DateAdd("w", 2, DateSerial(2021, 1, 1)))
  Put "DateAdd(""y"", -1, 1 Jan 2021) -> " & Ymd(DateAdd("y", -1, DateSerial(2021, 1, 1)))
  Put "DateAdd(""ww"", 1, 1 Jan 2021) -> " & Ymd(DateAdd("ww", 1, DateSerial(2021, 1, 1)))
  Put "DateAdd(""h"", 25, 1 Jan 2021) -> " & Ymd(DateAdd("h", 25, DateSerial(2021, 1, 1))) & " " & Hms(DateAdd("h", 25, DateSerial(2021, 1, 1)))
  Put "DateAdd(""n"", 90, 1 Jan 2021) -> " & Hms(DateAdd("n", 90, DateSerial(2021, 1, 1)))
  Put "DateAdd(""s"", 61, 1 Jan 2021) -> " & Hms(DateAdd("s", 61, DateSerial(2021, 1, 1)))
  Put "DateValue(date + time) -> " & Ymd(DateValue(d + t)) & " " & Hms(DateValue(d + t))
  Put "TimeValue(date + time) -> " & Hms(TimeValue(d + t)) & " " & Int(CDbl(TimeValue(d + t)))
  Show "TypeName(DateValue(45000.5))", TypeName(DateValue(45000.5))
  Show "CDbl(DateValue(45000.5))", CDbl(DateValue(45000.5))
  Show "CDbl(TimeValue(45000.25))", CDbl(TimeValue(45000.25))
  Show "CDbl(CDate(45000.5))", CDbl(CDate(45000.5))
  Show "TypeName(CDate(1))", TypeName(CDate(1))
  Show "IsDate(d)", IsDate(d)
  Show "IsDate(""not a date"")", IsDate("not a date")
  Show "IsDate(45000)", IsDate(45000)
  Show "IsDate(Null)", IsDate(n)
  Show "IsDate(CStr(d))", IsDate(CStr(d))
  Show "CDate(CStr(d)) = d", CDate(CStr(d)) = d
  Show "Year(CStr(d))", Year(CStr(d))
  Show "TypeName(Now)", TypeName(Now)
  Show "TypeName(Date)", TypeName(Date)
  Show "Date = Int(Date)", CDbl(Date) = Int(CDbl(Date))
  Show "TypeName(Time)", TypeName(Time)
  Show "Time below one day", CDbl(Time) < 1
  Show "TypeName(Timer)", TypeName(Timer)
  Show "Timer within a day", Timer >= 0 And Timer < 86400
End Sub

' { expect:
' TypeName(DateSerial(2024, 2, 29)) -> String Date
' DateSerial(2024, 2, 29) -> 2024-2-29
' DateSerial(2021, 14, 1) -> 2022-2-1
' DateSerial(2021, 0, 1) -> 2020-12-1
' DateSerial(2021, -12, 1) -> 2019-12-1
' DateSerial(2021, 1, 32) -> 2021-2-1
' DateSerial(2021, 3, 0) -> 2021-2-28
' DateSerial(21, 1, 1) -> 2021-1-1
' DateSerial(45, 1, 1) -> 1945-1-1
' DateSerial(0, 1, 1) -> 2000-1-1
' DateSerial(-5, 1, 1) -> 1995-1-1
' DateSerial(99, 12, 31) -> 1999-12-31
' DateSerial(100, 1, 1) -> 100-1-1
' CDbl(DateSerial(1899, 12, 30)) -> Double 0
' TypeName(TimeSerial(13, 5, 9)) -> String Date
' TimeSerial(13, 5, 9) -> 13:5:9
' TimeSerial(0, 90, 0) -> 1:30:0
' TimeSerial(25, 0, 0) -> 1899-12-31 1:0:0
' CDbl(TimeSerial(12, 0, 0)) -> Double 0.5
' Year(Null) -> Null
' Month(Null) -> Null
' Second(Null) -> Null
' Hour(0.75) -> Integer 18
' Day(1) -> Integer 31
' Weekday(DateSerial(2024, 3, 3)) -> Integer 1
' Weekday(DateSerial(2024, 3, 3), vbMonday) -> Integer 7
' Weekday(DateSerial(2024, 3, 4), vbMonday) -> Integer 1
' Weekday(DateSerial(2024, 3, 9), vbSaturday) -> Integer 1
' Weekday(Null) -> Null
' WeekdayName(1) -> String Sunday
' WeekdayName(7, True) -> String Sat
' WeekdayName(1, False, vbMonday) -> String Monday
' WeekdayName(7, True, vbMonday) -> String Sun
' MonthName(1) -> String January
' MonthName(12, True) -> String Dec
' DateAdd("m", 1, 31 Jan 2021) -> 2021-2-28
' DateAdd("m", 1, 31 Jan 2024) -> 2024-2-29
' DateAdd("M", -1, 31 Mar 2021) -> 2021-2-28
' DateAdd("q", 1, 30 Nov 2021) -> 2022-2-28
' DateAdd("yyyy", 1, 29 Feb 2024) -> 2025-2-28
' DateAdd("d", 1, 28 Feb 2021) -> 2021-3-1
' DateAdd("w", 2, 1 Jan 2021) -> 2021-1-3
' DateAdd("y", -1, 1 Jan 2021) -> 2020-12-31
' DateAdd("ww", 1, 1 Jan 2021) -> 2021-1-8
' DateAdd("h", 25, 1 Jan 2021) -> 2021-1-2 1:0:0
' DateAdd("n", 90, 1 Jan 2021) -> 1:30:0
' DateAdd("s", 61, 1 Jan 2021) -> 0:1:1
' DateValue(date + time) -> 2024-2-29 0:0:0
' TimeValue(date + time) -> 13:5:9 0
' TypeName(DateValue(45000.5)) -> String Date
' CDbl(DateValue(45000.5)) -> Double 45000
' CDbl(TimeValue(45000.25)) -> Double 0.25
' CDbl(CDate(45000.5)) -> Double 45000.5
' TypeName(CDate(1)) -> String Date
' IsDate(d) -> Boolean -1
' IsDate("not a date") -> Boolean 0
' IsDate(45000) -> Boolean 0
' IsDate(Null) -> Boolean 0
' IsDate(CStr(d)) -> Boolean -1
' CDate(CStr(d)) = d -> Boolean -1
' Year(CStr(d)) -> Integer 2024
' TypeName(Now) -> String Date
' TypeName(Date) -> String Date
' Date = Int(Date) -> Boolean -1
' TypeName(Time) -> String Date
' Time below one day -> Boolean -1
' TypeName(Timer) -> String Double
' Timer within a day -> Boolean -1
' }
