' String building by repeated concatenation.
Sub Main
  Dim i, s, total
  total = 0
  s = ""
  For i = 1 To 2500000
    s = s & "ab"
    If Len(s) >= 1000 Then
      total = total + Len(s)
      s = ""
    End If
  Next
  MessageList.Lines.Add total + Len(s)
End Sub
