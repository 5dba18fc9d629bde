' Host classes from VB: a string list created, filled, sorted and freed in a protected block.
Sub Main
  Dim L, i
  Set L = TStringList.Create
  Try
    L.Add "pear"
    L.Add "apple"
    L.Add "fig"
    L.Sort
    For i = 0 To L.Count - 1
      MessageList.Lines.Add i & ": " & L.Strings(i)
    Next
  Finally
    L.Free
  End Try
End Sub
