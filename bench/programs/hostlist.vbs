' Host objects: two million member calls on a string list through its wrapper
' (500,000 Add, then 500,000 rounds of Strings(i) read, Count, Strings(i) write).
Sub Main
  Dim L, i, n, total
  n = 500000
  Set L = TStringList.Create
  For i = 1 To n
    L.Add "item"
  Next
  total = 0
  For i = 0 To n - 1
    total = total + Len(L.Strings(i))
    If L.Count = n Then total = total + 1
    L.Strings(i) = "x"
  Next
  L.Free
  MessageList.Lines.Add total
End Sub
