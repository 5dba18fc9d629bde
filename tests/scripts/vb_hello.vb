' Global code with Dim, a Sub and a Function, calls with and without parentheses.
Dim Greeting = "Hello"
Dim Answer
Answer = 6 * 7

Sub Put(x)
  MessageList.Lines.Add x
End Sub

Function Twice(a)
  Twice = a * 2
End Function

Function Thrice(a)
  Return a * 3
End Function

Sub Main
  Put Greeting & ", world"
  Put(Answer)
  Call Put(Twice(21))
  Put Thrice(3)
End Sub

Put "global code runs first"

' { expect:
' global code runs first
' Hello, world
' 42
' 42
' 9
' }
