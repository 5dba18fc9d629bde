' Arguments written without parentheses after a variable are a type mismatch, not a call
' that leaves them behind: in a loop that once hung the routine.
Sub Main
  Dim v, i
  For i = 1 To 3
    MessageList.Lines.Add i
    v 5
  Next
End Sub

' { expect:
' 1
' }
' { expect-error: Invalid type cast or type mismatch at line 7 pos 5 }
