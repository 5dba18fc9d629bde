' An error placed in the text of Eval or Execute is read against that text: a member an object
' lacks is 438 there as it is in the script, an unknown name stays 500.
Sub Say(x)
  MessageList.Lines.Add x
End Sub

Dim d, n
Set d = CreateObject("Scripting.Dictionary")
Class Box
  Public Size
End Class
Dim b
Set b = New Box

Sub Main
  Dim texts, t
  On Error Resume Next
  ' expressions for Eval
  texts = Array("d.Nope", "d.Count + d.Missing(1)", "b.Weight", "b.Size + nothere", "1 +   b.Nope")
  For Each t In texts
    Err.Clear
    Say Eval(t)
    Say t & " -> " & Err.Number & " " & Err.Description
  Next
  ' statements for Execute and ExecuteGlobal
  texts = Array("d.Nope 1", "n = 1" & vbCrLf & "b.Weight = 3", "Call d.Gone()")
  For Each t In texts
    Err.Clear
    Execute t
    Say Replace(t, vbCrLf, "/") & " -> " & Err.Number & " " & Err.Description
    Err.Clear
    ExecuteGlobal t
    Say Err.Number
  Next
  Err.Clear
  d.Nope
  Say "outside -> " & Err.Number & " " & Err.Description
End Sub

' { expect:
' d.Nope -> 438 Object doesn't support this property or method: 'Nope'
' d.Count + d.Missing(1) -> 438 Object doesn't support this property or method: 'Missing'
' b.Weight -> 438 Object doesn't support this property or method: 'Weight'
' b.Size + nothere -> 500 Variable is undefined: 'nothere'
' 1 +   b.Nope -> 438 Object doesn't support this property or method: 'Nope'
' d.Nope 1 -> 438 Object doesn't support this property or method: 'Nope'
' 438
' n = 1/b.Weight = 3 -> 438 Object doesn't support this property or method: 'Weight'
' 438
' Call d.Gone() -> 438 Object doesn't support this property or method: 'Gone'
' 438
' outside -> 438 Object doesn't support this property or method: 'Nope'
' }
