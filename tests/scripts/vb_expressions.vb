' Operator precedence, string concatenation, bitwise And/Or/Not on numbers, short-circuit on
' Booleans, Is, TypeOf-free comparisons, literals.
Sub Put(x)
  MessageList.Lines.Add x
End Sub

Dim calls
Function F()
  calls = calls + 1
  F = True
End Function

Sub Main
  Put 2 + 3 * 4
  Put -2 ^ 2
  Put 2 ^ 3 ^ 2
  Put 7 \ 2 * 3
  Put 7 Mod 3 * 2
  Put "a" & 1 + 2
  Put 1 + 2 & 3
  Put 12 And 10
  Put 12 Or 10
  Put 12 Xor 10
  Put Not 5
  Put True And False
  Put 1 = 1 And 2 = 2
  If Not 5 Then Put "Not 5 is true"
  If 4 And 2 Then Put "wrong" : Else Put "4 And 2 is 0"
  calls = 0
  Dim x
  x = True Or F()
  Put calls
  x = (1 = 2) And F()
  Put calls
  x = 0 Or F()
  Put calls
  Put &FF
  Put &7FFFFFFF + (&80000000)
  Put 1.5E3
  Put 5 > 3
  Put Nothing Is Nothing
  Put Empty = 0
  Put IsNull(Null)
  Put "say ""hi"""
  Put [Dim] & ""
End Sub

Dim [Dim]
[Dim] = "bracketed"

' { expect:
' 14
' 4
' 64
' 1
' 1
' a3
' 33
' 8
' 14
' 6
' -6
' False
' True
' Not 5 is true
' 4 And 2 is 0
' 0
' 0
' 1
' 255
' -1
' 1500
' True
' True
' True
' True
' say "hi"
' bracketed
' }
