' The named constants, in registration order, each with its value and type; a constant takes
' no parentheses and cannot be assigned a new meaning by a call.
Sub Put(x)
  MessageList.Lines.Add x
End Sub

Sub Main
  Put "vbEmpty=" & vbEmpty & " vbNull=" & vbNull & " vbSmallInt=" & vbSmallInt
  Put "LongWord=" & LongWord & " ShortInt=" & ShortInt & " Int64=" & Int64 & " UInt64=" & UInt64
  Put "vbInteger=" & vbInteger & " vbSingle=" & vbSingle & " vbDouble=" & vbDouble & " vbCurrency=" & vbCurrency
  Put "vbDate=" & vbDate & " vbString=" & vbString & " vbObject=" & vbObject & " vbError=" & vbError
  Put "vbBoolean=" & vbBoolean & " vbVariant=" & vbVariant & " vbDataObject=" & vbDataObject & " vbByte=" & vbByte
  Put "vbArray=" & vbArray & " vbUseSystemDayOfWeek=" & vbUseSystemDayOfWeek
  Put "vbSunday=" & vbSunday & " vbMonday=" & vbMonday & " vbTuesday=" & vbTuesday & " vbWednesday=" & vbWednesday
  Put "vbThursday=" & vbThursday & " vbFriday=" & vbFriday & " vbSaturday=" & vbSaturday
  Put "vbBinaryCompare=" & vbBinaryCompare & " vbTextCompare=" & vbTextCompare
  Put "vbOKOnly=" & vbOKOnly & " vbOKCancel=" & vbOKCancel & " vbAbortRetryIgnore=" & vbAbortRetryIgnore
  Put "vbYesNoCancel=" & vbYesNoCancel & " vbYesNo=" & vbYesNo & " vbRetryCancel=" & vbRetryCancel
  Put "vbCritical=" & vbCritical & " vbQuestion=" & vbQuestion & " vbExclamation=" & vbExclamation & " vbInformation=" & vbInformation
  Put "vbOK=" & vbOK & " vbCancel=" & vbCancel & " vbAbort=" & vbAbort & " vbRetry=" & vbRetry
  Put "vbIgnore=" & vbIgnore & " vbYes=" & vbYes & " vbNo=" & vbNo
  Put TypeName(vbArray) & " " & TypeName(vbNo)
  Put VarType(1.5) = vbDouble
  Put VarType("x") = vbString
  Put vbyesno + VBQUESTION
  Put vbYes()
End Sub

' { expect:
' vbEmpty=0 vbNull=1 vbSmallInt=2
' LongWord=19 ShortInt=16 Int64=20 UInt64=21
' vbInteger=3 vbSingle=4 vbDouble=5 vbCurrency=6
' vbDate=7 vbString=8 vbObject=9 vbError=10
' vbBoolean=11 vbVariant=12 vbDataObject=13 vbByte=17
' vbArray=8192 vbUseSystemDayOfWeek=0
' vbSunday=1 vbMonday=2 vbTuesday=3 vbWednesday=4
' vbThursday=5 vbFriday=6 vbSaturday=7
' vbBinaryCompare=0 vbTextCompare=1
' vbOKOnly=0 vbOKCancel=1 vbAbortRetryIgnore=2
' vbYesNoCancel=3 vbYesNo=4 vbRetryCancel=5
' vbCritical=16 vbQuestion=32 vbExclamation=48 vbInformation=64
' vbOK=1 vbCancel=2 vbAbort=3 vbRetry=4
' vbIgnore=5 vbYes=6 vbNo=7
' Integer Integer
' True
' True
' 36
' }
' { expect-error: Invalid type cast or type mismatch at line 26 pos 11 }
