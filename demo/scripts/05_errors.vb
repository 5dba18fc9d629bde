' VB's Try / Catch / Finally: typed catches, the error object, Finally on every way out. An
' uncaught Throw ends the run with a box naming its line and position (remove the ' before the
' last line of Main to see it).
Sub Main
  Try
    Throw New Exception("thrown by the script")
  Catch e As Exception
    MessageList.Lines.Add "caught " & e.ClassName & ": " & e.Message
  Finally
    MessageList.Lines.Add "finally runs"
  End Try
  Try
    MessageList.Lines.Add CStr(StrToInt("seven"))
  Catch e As EConvertError
    MessageList.Lines.Add "caught " & e.ClassName
  End Try
  ' Throw New Exception("nobody catches this one")
End Sub
