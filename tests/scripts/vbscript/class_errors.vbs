' Errors around classes: a member the object lacks (a script class or a host object), private
' members from outside, an error raised inside a method (caught, then uncaught: its place is
' the line inside the method).
Sub Say(x)
  MessageList.Lines.Add x
End Sub

Class Account
  Private FBalance
  Public Owner
  Public Sub Deposit(n)
    FBalance = FBalance + n
  End Sub
  Public Function Ratio(n)
    Ratio = FBalance / n
  End Function
  Private Function Secret()
    Secret = 42
  End Function
  Public Function Peek()
    Peek = Secret() + Me.Secret()
  End Function
  Public Property Get Balance2
    Balance2 = FBalance
  End Property
  Private Property Let Balance2(v)
    FBalance = v
  End Property
  Public Sub Reset
    Balance2 = 0
  End Sub
  Public Function Check(n)
    If n < 0 Then Err.Raise 1001, "Account", "negative"
    Check = n
  End Function
End Class

Sub Report(ALabel)
  Say ALabel & ": " & Err.Number & " " & Err.Description
  Err.Clear
End Sub

' A local variable "called" with arguments indexes it, as with parentheses (no hang).
Sub CallVariable
  Dim v, i
  On Error Resume Next
  For i = 1 To 2
    v 5
  Next
  Report "variable called " & i
End Sub

Dim a, d, x
Set a = New Account
Set d = CreateObject("Scripting.Dictionary")
a.Deposit 10
On Error Resume Next
a.Withdraw 5
Report "missing method"
x = a.Balance
Report "missing property"
a.FBalance = 3
Report "private field"
x = a.Secret()
Report "private method"
x = a.Ratio(0)
Report "inside method"
x = a.Check(-1)
Report "raised in method"
d.NoSuchThing 1
Report "host object"
x = d.Count2
Report "host property"
Set x = New Acount
Report "unknown class"
a.Balance2 = 5
Report "private Let of a public property " & a.Balance2
a.Reset
Report "the class's own Let " & a.Balance2
x = a.Ratio(0)
Report "zero by zero"
a.Deposit 10
CallVariable
Say "private inside " & a.Peek() & ", ratio " & a.Ratio(4) & ", no error " & Err.Number
On Error GoTo 0
x = a.Ratio(0)
' { expect:
' missing method: 438 Object doesn't support this property or method: 'Withdraw'
' missing property: 438 Object doesn't support this property or method: 'Balance'
' private field: 438 Object doesn't support this property or method: 'FBalance'
' private method: 438 Object doesn't support this property or method: 'Secret'
' inside method: 11 Division by zero
' raised in method: 1001 negative
' host object: 438 Object doesn't support this property or method: 'NoSuchThing'
' host property: 438 Object doesn't support this property or method: 'Count2'
' unknown class: 506 Class not defined: 'Acount'
' private Let of a public property 10: 438 Object doesn't support this property or method
' the class's own Let 0: 0 
' zero by zero: 6 Overflow
' variable called 3: 13 Type mismatch
' private inside 84, ratio 2.5, no error 0
' }
' { expect-error: Division by zero at line 15 pos 22 }
