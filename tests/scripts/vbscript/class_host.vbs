' Instances of script classes handed to a host object (a dictionary): stored, given back as the
' same objects, called, and released when the dictionary lets them go.
Sub Say(x)
  MessageList.Lines.Add x
End Sub

Class Item
  Public Name
  Public Function Greet(AWho)
    Greet = "hi " & AWho & " from " & Name
  End Function
  Private Sub Class_Terminate
    Say "bye " & Name
  End Sub
End Class

Dim d, it, i, k, first
Sub Main
  Set d = CreateObject("Scripting.Dictionary")
  For i = 1 To 3
    Set it = New Item
    it.Name = "n" & i
    d.Add "k" & i, it
  Next
  Set first = d("k1")
  Set it = Nothing
  Say d("k2").Name & " | " & d.Item("k3").Greet("you") & " | " & TypeName(d("k1")) & " | " & (first Is d("k1"))
  For Each k In d.Keys
    Say k & "=" & d(k).Name
  Next
  Set d("k2") = first
  Say "replaced"
  d.Remove "k3"
  Say "removed"
  d.RemoveAll
  Say "all removed " & first.Name
  Set first = Nothing
  Say "end"
End Sub
' { expect:
' n2 | hi you from n3 | Item | True
' k1=n1
' k2=n2
' k3=n3
' bye n2
' replaced
' bye n3
' removed
' all removed n1
' bye n1
' end
' }
