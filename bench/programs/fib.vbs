' Calls: naive recursive Fibonacci.
Function Fib(n)
  If n < 2 Then Fib = n Else Fib = Fib(n - 1) + Fib(n - 2)
End Function

Sub Main
  MessageList.Lines.Add Fib(33)
End Sub
