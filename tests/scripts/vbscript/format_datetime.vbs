' FormatDateTime with VBScript's named formats under the C locale: each value of the table in
' every format (vbGeneralDate shows only the parts the value has), text that converts to a
' date, and the errors. A host unit's routine of the same name does not hide it; the unit's
' own stays reachable through the unit.
Sub Say(x)
  MessageList.Lines.Add x
End Sub

Sub Main
  Dim values, v, f, line
  values = Array(DateSerial(2024, 1, 5) + TimeSerial(13, 45, 10), DateSerial(1999, 12, 31), _
                 TimeSerial(9, 5, 0), CDate(0), TimeSerial(0, 0, 1), _
                 DateSerial(1800, 2, 29))
  For Each v In values
    line = FormatDateTime(v)
    For f = vbGeneralDate To vbShortTime
      line = line & " | " & FormatDateTime(v, f)
    Next
    Say line
  Next
  Say vbGeneralDate & vbLongDate & vbShortDate & vbLongTime & vbShortTime
  Say FormatDateTime("3/9/2024 6:30 PM", vbShortTime) & " " & TypeName(FormatDateTime(Date))
  Say SysUtils.FormatDateTime("yyyy-mm-dd hh:nn", DateSerial(2024, 1, 5) + TimeSerial(13, 45, 10))
  On Error Resume Next
  Dim bad
  For Each bad In Array(5, -1)
    Err.Clear
    Say FormatDateTime(Date, bad)
    Say Err.Number & " " & Err.Description
  Next
  Err.Clear
  Say FormatDateTime("not a date")
  Say Err.Number & " " & Err.Description
End Sub

' { expect:
' 1/5/2024 1:45:10 PM | 1/5/2024 1:45:10 PM | Friday, January 5, 2024 | 1/5/2024 | 1:45:10 PM | 13:45
' 12/31/1999 | 12/31/1999 | Friday, December 31, 1999 | 12/31/1999 | 12:00:00 AM | 00:00
' 9:05:00 AM | 9:05:00 AM | Saturday, December 30, 1899 | 12/30/1899 | 9:05:00 AM | 09:05
' 12:00:00 AM | 12:00:00 AM | Saturday, December 30, 1899 | 12/30/1899 | 12:00:00 AM | 00:00
' 12:00:01 AM | 12:00:01 AM | Saturday, December 30, 1899 | 12/30/1899 | 12:00:01 AM | 00:00
' 3/1/1800 | 3/1/1800 | Saturday, March 1, 1800 | 3/1/1800 | 12:00:00 AM | 00:00
' 01234
' 18:30 String
' 2024-01-05 13:45
' 5 Invalid procedure call or argument
' 5 Invalid procedure call or argument
' 13 'not a date' is not a valid date and time
' }
