' A class without End Class is a compile error placed at the class left open.
Class Open
  Public Value
  Public Sub Show
    MessageList.Lines.Add Value
  End Sub
' { expect-error: Expected 'End Class' at line 2 pos 1 }
