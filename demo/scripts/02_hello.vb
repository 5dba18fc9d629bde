' VB dialect: every file that does not end in .pas runs as VB. The same host classes and the
' same message pane are there.
Sub Main
  Dim Squares, i
  MessageList.Lines.Add "Hello from the VB dialect"
  Set Squares = TStringList.Create
  For i = 1 To 5
    Squares.Add CStr(i) & " squared is " & CStr(i * i)
  Next
  MessageList.Lines.AddStrings Squares
  Squares.Free
End Sub
