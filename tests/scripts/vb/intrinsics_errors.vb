' Bad arguments and bad calls: each case prints the error's message (its first line; the rest
' is the position block) or its result when it has none.
Sub Put(x)
  MessageList.Lines.Add x
End Sub

Function FirstLine(s)
  Dim p
  p = InStr(s, Chr(13))
  FirstLine = s
  If p > 0 Then FirstLine = Left(s, p - 1)
End Function

Function Attempt(i)
  Dim e, n, r
  n = Null
  Select Case i
    Case 1: r = Chr(256)
    Case 2: r = Chr(-1)
    Case 3: r = Round(1, 17)
    Case 4: r = Round(1, -1)
    Case 5: r = Round(1, 2, 3)
    Case 6: r = Round()
    Case 7: r = Sgn(n)
    Case 8: r = Space(-1)
    Case 9: r = String(-1, "x")
    Case 10: r = String(2, "")
    Case 11: r = Left("abc", -1)
    Case 12: r = Right("abc", -1)
    Case 13: r = Mid("abc", 0)
    Case 14: r = Mid("abc", 1, -1)
    Case 15: r = Mid("abc")
    Case 16: r = Mid("abc", 1, 2, 3)
    Case 17: r = Weekday(1, 8)
    Case 18: r = Weekday(1, -1)
    Case 19: r = Weekday(1, 2, 3)
    Case 20: r = WeekdayName(0)
    Case 21: r = WeekdayName(8)
    Case 22: r = WeekdayName(1, False, 9)
    Case 23: r = MonthName(0)
    Case 24: r = MonthName(13)
    Case 25: r = DateAdd("x", 1, 1)
    Case 26: r = DateAdd("yy", 1, 1)
    Case 27: r = Asc("")
    Case 28: r = Join(1)
    Case 29: r = Join(Split("a b"), " ", 3)
    Case 30: r = Filter("ab", "a")
    Case 31: r = Filter(Array("a"))
    Case 32: r = Filter(Array("a"), "a", True, 1, 5)
    Case 33: r = Split()
    Case 34: r = Split("a", ",", -1, 0, 9)
    Case 35: r = Replace("a", "b")
    Case 36: r = Replace("abc", "a", "b", 0)
    Case 37: r = InStr("a")
    Case 38: r = InStr(1, "a", "b", 0, 1)
    Case 39: r = InStrRev("a")
    Case 40: r = StrComp("a")
    Case 41: r = StrComp("a", "b", 1, 1)
    Case 42: r = UBound(1)
    Case 43: r = LBound(Array(1), 2)
    Case 44: r = UBound()
    Case 45: r = CInt("x")
    Case 46: r = CDbl(n)
    Case 47: r = CDate("not a date")
    Case 48: r = DateSerial(10000, 1, 1)
    Case 49: r = Abs()
    Case 50: r = Len("a", "b")
    Case 51: r = Now(1)
    Case 52: r = Randomize()
    Case 53: r = vbOK()
    Case 54: r = MsgBox()
    Case 55: r = MsgBox("a", 0, "t", 1)
    Case 56: r = InputBox()
    Case 57: r = CreateObject("Qel.NothingRegistered")
    Case 58: r = GetObject("Qel.NothingRegistered")
    Case 59: r = DateValue("not a date")
    Case 60: r = Year("not a date")
    Case 61: r = Hex("x")
    Case 62: r = Array(1)(5)
    Case 63: r = LBound(Array(1), 0)
    Case 64: r = Filter(Array(Array(1)), "a")
  End Select
  Attempt = "no error: " & r
End Function

Sub Main
  Dim i
  For i = 1 To 64
    Try
      Put i & ": " & Attempt(i)
    Catch e As Exception
      Put i & ": " & e.ClassName & ": " & FirstLine(e.Message)
    End Try
  Next
  ' Calls without parentheses: a function with arguments as a statement, a procedure alone.
  MsgBox "statement form", vbOKOnly
  Randomize
  Put "still running"
End Sub

' { expect:
' 1: EVariantTypeCastError: Invalid variant type conversion
' 2: EVariantTypeCastError: Invalid variant type conversion
' 3: EVariantTypeCastError: Invalid variant type conversion
' 4: EVariantTypeCastError: Invalid variant type conversion
' 5: EQelVMRuntime: Invalid argument count
' 6: EQelVMRuntime: Invalid argument count
' 7: EVariantTypeCastError: Invalid variant type conversion
' 8: EVariantTypeCastError: Invalid variant type conversion
' 9: EVariantTypeCastError: Invalid variant type conversion
' 10: EVariantTypeCastError: Invalid variant type conversion
' 11: EVariantTypeCastError: Invalid variant type conversion
' 12: EVariantTypeCastError: Invalid variant type conversion
' 13: EVariantTypeCastError: Invalid variant type conversion
' 14: EVariantTypeCastError: Invalid variant type conversion
' 15: EQelVMRuntime: Invalid argument count
' 16: EQelVMRuntime: Invalid argument count
' 17: EVariantTypeCastError: Invalid variant type conversion
' 18: EVariantTypeCastError: Invalid variant type conversion
' 19: EQelVMRuntime: Invalid argument count
' 20: EVariantTypeCastError: Invalid variant type conversion
' 21: EVariantTypeCastError: Invalid variant type conversion
' 22: EVariantTypeCastError: Invalid variant type conversion
' 23: EVariantTypeCastError: Invalid variant type conversion
' 24: EVariantTypeCastError: Invalid variant type conversion
' 25: EVariantTypeCastError: Invalid variant type conversion
' 26: EVariantTypeCastError: Invalid variant type conversion
' 27: EVariantTypeCastError: Invalid variant type conversion
' 28: EVariantTypeCastError: Invalid variant type conversion
' 29: EQelVMRuntime: Invalid argument count
' 30: EVariantTypeCastError: Invalid variant type conversion
' 31: EQelVMRuntime: Invalid argument count
' 32: EQelVMRuntime: Invalid argument count
' 33: EQelVMRuntime: Invalid argument count
' 34: EQelVMRuntime: Invalid argument count
' 35: EQelVMRuntime: Invalid argument count
' 36: EVariantTypeCastError: Invalid variant type conversion
' 37: EQelVMRuntime: Invalid argument count
' 38: EQelVMRuntime: Invalid argument count
' 39: EQelVMRuntime: Invalid argument count
' 40: EQelVMRuntime: Invalid argument count
' 41: EQelVMRuntime: Invalid argument count
' 42: EVariantTypeCastError: Invalid variant type conversion
' 43: EOleSysError: Invalid index.
' 44: EQelVMRuntime: Invalid argument count
' 45: EVariantTypeCastError: Invalid variant type conversion
' 46: EVariantTypeCastError: Invalid variant type conversion
' 47: EConvertError: 'not a date' is not a valid date and time
' 48: EVariantTypeCastError: Invalid variant type conversion
' 49: EQelVMRuntime: Invalid argument count
' 50: EQelVMRuntime: Invalid argument count
' 51: EQelVMRuntime: Invalid argument count
' 52: EQelVMRuntime: Invalid type cast or type mismatch
' 53: EQelVMRuntime: Invalid type cast or type mismatch
' 54: EQelVMRuntime: Invalid argument count
' 55: EQelVMRuntime: Invalid argument count
' 56: EQelVMRuntime: Invalid argument count
' 57: EOleSysError: Invalid class string
' 58: EOleSysError: Invalid class string
' 59: EConvertError: 'not a date' is not a valid date and time
' 60: EConvertError: 'not a date' is not a valid date and time
' 61: EVariantTypeCastError: Invalid variant type conversion
' 62: EVariantError: Variant or safe array index out of bounds
' 63: EOleSysError: Invalid index.
' 64: EVariantTypeCastError: Invalid variant type conversion
' still running
' }
