' Sieve of Eratosthenes over a large array, repeated.
Function Sieve(n)
  Dim flags(), i, j, count
  ReDim flags(n)
  For i = 2 To n
    flags(i) = True
  Next
  count = 0
  For i = 2 To n
    If flags(i) Then
      count = count + 1
      j = i + i
      Do While j <= n
        flags(j) = False
        j = j + i
      Loop
    End If
  Next
  Sieve = count
End Function

Sub Main
  Dim k, count
  For k = 1 To 5
    count = Sieve(1000000)
  Next
  MessageList.Lines.Add count
End Sub
