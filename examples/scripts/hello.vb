' The classic first script in the VB dialect: output goes to MessageList.
Sub Main
  MessageList.Lines.Add "Hello from Qel-Tessaro"
  MessageList.Lines.Add "6 * 7 = " & CStr(6 * 7)
End Sub
