' If forms, Select Case, For with and without Step, Do loops with Exit.
Sub Put(x)
  MessageList.Lines.Add x
End Sub

Sub Classify(n)
  Select Case n
    Case 1, 2
      Put "small"
    Case 3
      Put "three"
    Case Else
      Put "other"
  End Select
End Sub

Sub Main
  Dim i, s, n
  If 1 > 2 Then
    Put "no"
  ElseIf 2 > 1 Then
    Put "elseif"
  Else
    Put "no"
  End If
  If False Then Put "no" : Else Put "single-line else"
  s = 0
  For i = 1 To 3
    s = s + i
  Next
  Put s
  Put i
  For i = 3 To 1
    Put "never"
  Next
  s = ""
  For i = 10 To 1 Step -3
    s = s & i & " "
  Next
  Put s
  s = ""
  For i = "10" To "1" Step "-3"
    s = s & i & " "
  Next
  Put s
  n = 0
  Do
    n = n + 1
    If n = 5 Then Exit Do
  Loop
  Put n
  Do Until True
    Put "never"
  Loop
  n = 0
  Do
    n = n + 1
  Loop Until True
  Put n
  n = 0
  Do While n < 4
    n = n + 1
  Loop
  Put n
  For i = 1 To 10
    If i = 3 Then Exit For
  Next
  Put i
  Classify 2
  Classify 3
  Classify 9
End Sub

' { expect:
' elseif
' single-line else
' 6
' 4
' 10 7 4 1 
' 10 7 4 1 
' 5
' 1
' 4
' 3
' small
' three
' other
' }
