' VBScript's text of values: Booleans read True/False in '&' and CStr, other values as before
' (also when a variable grows in place: Name = Name & ...);
' FormatCurrency with the regional symbol.
Sub Say(x)
  MessageList.Lines.Add x
End Sub

Dim cases, c, acc
Sub Main
  Dim own, i
  cases = Array(True, False, 1 = 1, 1 > 2, Not False, 12, -3.5, "s", Empty)
  For Each c In cases
    Say TypeName(c) & ": [" & c & "] [" & CStr(c) & "]"
  Next
  Say True & False & (2 < 3)
  Say "" & CBool(1) & " " & Null & "|" & CStr(CBool(0))
  ' Name = Name & ... appends in place; every kind still reads as '&' makes it
  acc = True
  acc = acc & "!"
  acc = acc & False & 1 & Null & Empty & 2.5
  own = Null
  own = own & Null
  Say acc & " [" & own & "] " & TypeName(own)
  own = 12
  own = own & 3 & (own = 12)
  For i = 1 To 3
    own = own & i
  Next
  Say own
  Say FormatCurrency(1234.5) & " " & FormatCurrency(-2) & " " & FormatCurrency(-2, 0, -1, 0) & " " & FormatCurrency(0.456, 1)
End Sub
' { expect:
' Boolean: [True] [True]
' Boolean: [False] [False]
' Boolean: [True] [True]
' Boolean: [False] [False]
' Boolean: [True] [True]
' Integer: [12] [12]
' Double: [-3.5] [-3.5]
' String: [s] [s]
' Empty: [] []
' TrueFalseTrue
' True |False
' True!False12.5 [] String
' 123True123
' $1,234.50 ($2.00) -$2 $0.5
' }
