' Dim with dimensions, ReDim Preserve, Erase, bounds, element access and typed arrays.
Sub Put(x)
  MessageList.Lines.Add x
End Sub

Sub Main
  Dim a(2), b(), i, s
  Put UBound(a)
  For i = 0 To 2
    a(i) = i * 10
  Next
  ReDim Preserve a(4)
  a(4) = 40
  s = ""
  For i = 0 To UBound(a)
    s = s & a(i) & ","
  Next
  Put s
  Put IsArray(b)
  ReDim b(1, 2)
  b(1, 2) = "corner"
  Put b(1, 2) & " " & UBound(b, 2)
  Erase a
  Put IsEmpty(a)
  Dim n(3) As Integer
  n(1) = "7"
  Put n(1) + 1
  Put VarType(n(0))
End Sub

' { expect:
' 2
' 0,10,20,,40,
' False
' corner 2
' True
' 8
' 3
' }
