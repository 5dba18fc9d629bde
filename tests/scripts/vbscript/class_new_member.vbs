' (New Name).Member: a member of the new object, its method's result, in any expression.
Sub Say(x)
  MessageList.Lines.Add x
End Sub

Class Counter
  Public Factor
  Private Sub Class_Initialize
    Factor = 7
  End Sub
  Public Function Times(n)
    Times = n * Factor
  End Function
  Public Function Self()
    Set Self = Me
  End Function
End Class

Sub Main
  Dim x
  x = (New Counter).Times(3) + 1
  Say x
  Say ((New Counter).Factor)
  Say 1 + (New Counter).Self().Self.Times(2)
  Say TypeName((New Counter).Self)
  Dim s : Set s = CreateObject("Scripting.Dictionary")
  Say "pattern " & Len((New RegExp).Pattern) & " " & ((New Counter).Times((New Counter).Factor))
  On Error Resume Next
  x = (New Counter).Missing
  Say Err.Number & " " & Err.Description
End Sub

' { expect:
' 22
' 7
' 15
' Counter
' pattern 0 49
' 438 Object doesn't support this property or method: 'Missing'
' }
