' Every statement of the language once, outside and inside procedures; implicit variables.
Sub Say(x)
  MessageList.Lines.Add x
End Sub

Const Greeting = "hello", Answer = 42, Negative = -7
Dim a, b(), i
Say Greeting & " " & Answer & " " & Negative

' If / ElseIf / Else, one-line If with Else
For i = 1 To 4
  If i = 1 Then
    Say "one"
  ElseIf i = 2 Then
    Say "two"
  Else
    Say "many " & i
  End If
Next
If Answer > 40 Then Say "big" Else Say "small"

' Select Case with lists and Case Else
For Each_ = 0 To 3
  Select Case Each_
    Case 0, 1
      Say "low " & Each_
    Case 2
      Say "two"
    Case Else
      Say "else " & Each_
  End Select
Next

' For with Step, Exit For
total = 0
For i = 10 To 1 Step -3
  total = total + i
Next
Say "step " & total
For i = 1 To 100
  If i = 5 Then Exit For
Next
Say "exit for at " & i

' Do in every form, Exit Do, While ... Wend
n = 0
Do While n < 3
  n = n + 1
Loop
Say "do while " & n
Do Until n = 0
  n = n - 1
Loop
Say "do until " & n
Do
  n = n + 2
Loop While n < 5
Say "loop while " & n
Do
  n = n - 1
Loop Until n <= 2
Say "loop until " & n
Do
  n = n + 1
  If n = 10 Then Exit Do
Loop
Say "exit do " & n
While n > 7
  n = n - 1
Wend
Say "wend " & n

' Dim, ReDim Preserve, Erase
ReDim b(2)
b(0) = "x" : b(2) = "z"
ReDim Preserve b(3)
b(3) = "w"
Say "redim " & b(0) & b(2) & b(3) & " " & UBound(b)
ReDim c(1)
c(1) = 5
Say "redim implicit " & c(1)
Erase b
ReDim b(1)
Say "erased " & UBound(b)
Say IsEmpty(b(0))

' Set and Let, Nothing and Empty
Set obj = Nothing
Say obj Is Nothing
Let v = 3
Say "let " & v
Say IsEmpty(neverAssigned)

' With, nested, with calls and arguments written without parentheses
With TStringList.Create
  .Add "w1"
  .Add "w2"
  With TStringList.Create
    .Add "inner"
    Say "with inner " & .Count & " " & .Strings(0)
    .Free
  End With
  Say "with " & .Count & " " & .Strings(1)
  .Free
End With

' Sub and Function, ByRef and ByVal, Exit Function, recursion, local implicit variables
Function Fact(k)
  If k <= 1 Then
    Fact = 1
    Exit Function
  End If
  Fact = k * Fact(k - 1)
End Function

Sub Bump(ByRef target, ByVal copy)
  target = target + 1
  copy = copy + 1
End Sub

Private Function Local()
  Const Inner = 5
  scratch = Inner * 2
  Local = scratch
End Function

Public Sub Main
  Say "fact " & Fact(6)
  x = 1 : y = 1
  Bump x, y
  Say "byref " & x & " byval " & y
  Call Bump(x, y)
  Say "call " & x
  Say "local " & Local()
  Say IsEmpty(scratch)
  Say "global " & total
End Sub

' { expect:
' hello 42 -7
' one
' two
' many 3
' many 4
' big
' low 0
' low 1
' two
' else 3
' step 22
' exit for at 5
' do while 3
' do until 0
' loop while 6
' loop until 2
' exit do 10
' wend 7
' redim xzw 3
' redim implicit 5
' erased 1
' True
' True
' let 3
' True
' with inner 1 inner
' with 2 w2
' fact 720
' byref 2 byval 1
' call 3
' local 10
' True
' global 22
' }
