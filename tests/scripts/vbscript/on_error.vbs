' On Error Resume Next with Err after each kind of failure, in global code and procedures.
Sub Show(label)
  MessageList.Lines.Add label & ": " & Err.Number & " " & Err.Description
  Err.Clear
End Sub

Sub Inner
  x = 1 / 0
  MessageList.Lines.Add "not reached"
End Sub

Function Guarded
  On Error Resume Next
  Guarded = "before"
  Err.Raise 1001, "Guarded", "inside"
  Guarded = Guarded & " after " & Err.Number & " " & Err.Source
End Function

On Error Resume Next
x = 1 / 0
Show "divide"
y = CInt("abc")
Show "convert"
Dim a(2)
a(5) = 1
Show "bounds"
Set o = Nothing
o.Foo
Show "nothing"
n = "text" * 2
Show "multiply"
Err.Raise 1000, "mine", "custom"
MessageList.Lines.Add "source " & Err.Source
Show "raised"
Err.Raise 5
Show "raised default"
Err.Raise 12345
Show "unknown"
MessageList.Lines.Add "after " & Err.Number & " [" & Err.Description & "]"
Inner
Show "from inner"
MessageList.Lines.Add Guarded()
Err.Number = 7
MessageList.Lines.Add "set " & Err.Number & " " & Err
On Error GoTo 0
MessageList.Lines.Add "cleared " & Err.Number
Err.Raise 9

' { expect:
' divide: 11 Division by zero
' convert: 13 Type mismatch
' bounds: 9 Subscript out of range
' nothing: 424 Object required
' multiply: 13 Type mismatch
' source mine
' raised: 1000 custom
' raised default: 5 Invalid procedure call or argument
' unknown: 12345 Unknown runtime error
' after 0 []
' from inner: 11 Division by zero
' before after 1001 Guarded
' set 7 7
' cleared 0
' }
' { expect-error: Subscript out of range at line 47 pos 9 }
