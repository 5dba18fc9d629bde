' Integer arithmetic in a loop.
Sub Main
  Dim i, s
  s = 0
  For i = 1 To 12000000
    s = (s + i * 7 - (i \ 3)) Mod 1000003
  Next
  MessageList.Lines.Add s
End Sub
