' An undeclared name is not a compile error; it fails when it runs, at its position.
Sub Main
  MessageList.Lines.Add "before"
  CallNobody
  MessageList.Lines.Add "after"
End Sub

' { expect:
' before
' }
' { expect-error: Undeclared identifier: 'CallNobody' at line 4 pos 12 }
