' ByRef and ByVal parameters, recursion, a function's name as its result, Exit Function,
' Return in a Sub and at top level.
Sub Put(x)
  MessageList.Lines.Add x
End Sub

Sub Bump(ByRef a, ByVal b)
  a = a + 1
  b = b + 1
End Sub

Sub BumpDefault(a)
  a = a * 10
End Sub

Function Fact(n)
  If n <= 1 Then
    Fact = 1
    Exit Function
  End If
  Fact = n * Fact(n - 1)
End Function

Sub Early(x)
  If x Then Return
  Put "not early"
End Sub

Function Echo(v)
  Dim Echo2
  Echo2 = v
  Echo = Echo2
End Function

Sub Main
  Dim x, y
  x = 1 : y = 1
  Bump x, y
  Put x & " " & y
  BumpDefault x
  Put x
  BumpDefault (x)
  Put x
  Bump x + 0, y
  Put x
  Put Fact(10)
  Early True
  Early False
  Put Echo("echo")
End Sub

' { expect:
' 2 1
' 20
' 200
' 200
' 3628800
' not early
' echo
' }
