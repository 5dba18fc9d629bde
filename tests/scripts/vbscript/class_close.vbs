' Instances still alive when the engine closes: Class_Terminate runs for each, in the order
' they were made, cycles between them included; then the cycles end without a crash.
Class Link
  Public Name, Other
  Private Sub Class_Terminate
    MessageList.Lines.Add "terminate " & Name & " (other " & Other.Name & ")"
  End Sub
End Class

Dim first, second, lone
Set first = New Link : first.Name = "first"
Set second = New Link : second.Name = "second"
Set first.Other = second
Set second.Other = first
Set lone = New Link : lone.Name = "lone"
Set lone.Other = lone
Set first = Nothing
Set second = Nothing

Sub Main
  MessageList.Lines.Add "main"
End Sub
' { expect:
' main
' terminate first (other second)
' terminate second (other first)
' terminate lone (other lone)
' }
