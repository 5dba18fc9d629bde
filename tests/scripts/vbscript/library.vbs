' VBScript's own library beside the shared one: the engine's name, Escape/Unescape, the
' number formats, Eval/Execute among the script's globals, and the shared routines VBScript
' scripts lean on.
Sub Say(x)
  MessageList.Lines.Add x
End Sub

Dim target
Sub Main
  Say ScriptEngine & " " & ScriptEngineMajorVersion & "." & ScriptEngineMinorVersion
  Say Escape("a b&ü€@*_+-./")
  Say Unescape("a%20b%26%FC%u20AC%zz%4")
  Say Unescape(Escape("round trip: 100% sure?"))
  ' FormatNumber(value, digits, leading digit, parentheses, grouping)
  Say FormatNumber(1234.567)
  Say FormatNumber(1234.567, 0)
  Say FormatNumber(-0.5, 1, 0)
  Say FormatNumber(-3, 2, -2, -1)
  Say FormatNumber(1234.5, 1, -1, 0, 0)
  Say FormatNumber(-0.001, 2)
  Say FormatPercent(0.256)
  Say FormatPercent(1, 0)
  Say Eval("1 + 2 * 3")
  Execute "target = 5"
  ExecuteGlobal "target = target * 2"
  Say target
  Say Join(Filter(Split("apple,berry,cherry", ","), "rr"), "+") & " " & _
      Join(Filter(Split("apple,Berry,cherry", ","), "B", False, 1), "+") & " " & _
      Join(Split("a,b,c,d", ",", 2), "|") & " " & UBound(Split("aXbxc", "x", -1, 1))
  Say InStrRev("a.b.c", ".") & " " & StrReverse("abc") & " " & Replace("aXbXc", "x", "-", 1, 1, 1)
  Say TypeName(1) & " " & TypeName("s") & " " & TypeName(Empty) & " " & VarType(1.5)
  ' DateDiff counts the boundaries crossed ("w": whole weeks), DatePart reads one part
  Say DateDiff("d", DateSerial(2024, 1, 1), DateSerial(2024, 3, 1)) & " " & _
      DateDiff("d", DateSerial(2024, 3, 1), DateSerial(2024, 1, 1)) & " " & _
      DateDiff("m", DateSerial(2023, 12, 31), DateSerial(2024, 1, 1)) & " " & _
      DateDiff("yyyy", DateSerial(2023, 12, 31), DateSerial(2024, 1, 1)) & " " & _
      DateDiff("w", DateSerial(2024, 1, 1), DateSerial(2024, 1, 15)) & " " & _
      DateDiff("ww", DateSerial(2024, 1, 6), DateSerial(2024, 1, 7)) & " " & _
      DateDiff("h", DateSerial(2024, 1, 1), DateSerial(2024, 1, 2)) & " " & _
      DateDiff("q", DateSerial(2024, 3, 31), DateSerial(2024, 4, 1))
  Say DatePart("q", DateSerial(2024, 8, 15)) & " " & DatePart("y", DateSerial(2024, 3, 1)) & " " & _
      DatePart("w", DateSerial(2024, 1, 1)) & " " & DatePart("w", DateSerial(2024, 1, 1), vbMonday) & " " & _
      DatePart("ww", DateSerial(2024, 1, 7)) & " " & DatePart("h", TimeSerial(13, 45, 10)) & " " & _
      DatePart("n", TimeSerial(13, 45, 10)) & " " & DatePart("s", TimeSerial(13, 45, 10))
  ' the text constants, as character codes, and vbObjectError
  Dim c, codes, i, sep
  For Each c In Array(vbCrLf, vbCr, vbLf, vbNewLine, vbTab, vbNullString, vbNullChar, vbFormFeed, vbVerticalTab)
    sep = "["
    For i = 1 To Len(c)
      codes = codes & sep & Asc(Mid(c, i, 1))
      sep = ","
    Next
    If sep = "[" Then codes = codes & "["
    codes = codes & "]"
  Next
  Say codes & " " & vbObjectError & " " & FormatNumber(1.5, 1, vbFalse, vbUseDefault, vbTrue)
  On Error Resume Next
  Say FormatNumber(1, 300)
  Say Err.Number & " " & Err.Description
  Err.Clear
  Eval "1 +"
  Say (Err.Number <> 0)
End Sub

' { expect:
' VBScript 5.8
' a%20b%26%FC%u20AC@*_+-./
' a b&ü€%zz%4
' round trip: 100% sure?
' 1,234.57
' 1,235
' -.5
' (3.00)
' 1234.5
' 0.00
' 25.60%
' 100%
' 7
' 10
' berry+cherry apple+cherry a|b,c,d 2
' 4 cba a-bXc
' Integer String Empty 5
' 60 -60 1 1 2 1 24 1
' 3 61 2 1 2 13 45 10
' [13,10][13][10][13,10][9][][0][12][11] -2147221504 1.5
' 5 Invalid procedure call or argument
' True
' }
