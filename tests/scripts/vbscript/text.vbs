' VBScript's text of values: Booleans read True/False in '&' and CStr, other values as before;
' FormatCurrency with the regional symbol.
Sub Say(x)
  MessageList.Lines.Add x
End Sub

Dim cases, c
Sub Main
  cases = Array(True, False, 1 = 1, 1 > 2, Not False, 12, -3.5, "s", Empty)
  For Each c In cases
    Say TypeName(c) & ": [" & c & "] [" & CStr(c) & "]"
  Next
  Say True & False & (2 < 3)
  Say "" & CBool(1) & " " & Null & "|" & CStr(CBool(0))
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
' $1,234.50 ($2.00) -$2 $0.5
' }
