' A single-line If needs a colon before its Else.
Sub Main
  Dim a, b
  If a Then b = 1 Else b = 2
End Sub

' { expect-error: Invalid token: 'Else'. at line 4 pos 22 }
