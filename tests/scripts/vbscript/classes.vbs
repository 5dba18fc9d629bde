' Classes: fields, properties (indexed too), the default member, Class_Initialize and
' Class_Terminate in order, Me, objects in arrays, array fields, ByRef into fields, recursion
' through instances, New anywhere an expression goes.
Sub Say(x)
  MessageList.Lines.Add x
End Sub

Class Counter
  Public Name
  Private FCount
  Dim Steps(2)
  Private Sub Class_Initialize
    FCount = 0
    Say "init " & TypeName(Me)
  End Sub
  Private Sub Class_Terminate
    Say "terminate " & Name & " at " & FCount
  End Sub
  Public Default Property Get Count
    Count = FCount
  End Property
  Public Property Let Count(AValue)
    If AValue < 0 Then Err.Raise 5
    FCount = AValue
  End Property
  Public Sub Add(n)
    Bump FCount, n
    Steps(FCount Mod 3) = n
    Me.Note "add " & n
  End Sub
  Private Sub Bump(ByRef ATarget, n)
    ATarget = ATarget + n
  End Sub
  Private Sub Note(AText)
    Name = Name & "."
  End Sub
  Public Function StepsText()
    StepsText = Join(Steps, ",")
  End Function
End Class

Class Grid
  Private FCells
  Private Sub Class_Initialize
    ReDim FCells(2, 2)
  End Sub
  Public Property Get Cell(r, c)
    Cell = FCells(r, c)
  End Property
  Public Property Let Cell(r, c, v)
    FCells(r, c) = v
  End Property
  Public Sub Grow(n)
    ReDim Preserve FCells(2, n)
  End Sub
  Public Property Get Width
    Width = UBound(FCells, 2) + 1
  End Property
End Class

Class Node
  Public Value, NextNode
  Public Function Total()
    If NextNode Is Nothing Then
      Total = Value
    Else
      Total = Value + NextNode.Total()
    End If
  End Function
  Public Function Fact(n)
    If n <= 1 Then Fact = 1 Else Fact = n * Fact(n - 1)
  End Function
End Class

Class Holder
  Private FItem
  Public Property Set Item(AObject)
    Set FItem = AObject
  End Property
  Public Property Get Item
    Set Item = FItem
  End Property
  Public Property Let Item(AValue)
    FItem = "value " & AValue
  End Property
  Public Function Describe()
    If IsObject(FItem) Then Describe = "object " & TypeName(FItem) Else Describe = FItem
  End Function
End Class

Function MakeList(n)
  Dim head, i, node
  Set head = Nothing
  For i = 1 To n
    Set node = New Node  ' the local named like the class does not hide it from New
    node.Value = i
    Set node.NextNode = head
    Set head = node
  Next
  Set MakeList = head
End Function

Function FactOf(ANode, n)
  FactOf = ANode.Fact(n)
End Function

Sub Scoped
  Dim c
  Set c = New Counter
  c.Name = "scoped"
  c.Add 2
  Say "leaving scope"
End Sub

Sub Main
  Dim c, d, list(2), i, g, h, total
  Set c = New Counter
  c.Name = "c"
  c.Add 3
  c.Add 4
  Say c.Name & " " & c.Count & " " & c() & " " & (c + 1) & " [" & c.StepsText() & "]"
  c.Count = 10
  Say "count " & c & " " & TypeName(c) & " " & IsObject(c)
  Set d = c
  Say "same " & (d Is c) & " " & (d Is Nothing) & " " & (Nothing Is Nothing)
  Set c = Nothing
  Say "one reference left"
  Set d = New Counter
  Say "reassigned"
  d.Name = "d"
  Scoped
  For i = 0 To 2
    Set list(i) = New Node
    list(i).Value = i * 10
  Next
  Say "array " & list(0).Value + list(1).Value + list(2).Value & " " & TypeName(list(2))
  Say "list " & MakeList(4).Total() & " fact " & FactOf(New Node, 6) & " " & TypeName(Array(New Grid, 1)(0))
  Set g = New Grid
  g.Cell(1, 2) = "x"
  g.Grow 4
  g.Cell(2, 4) = "y"
  Say "grid " & g.Cell(1, 2) & g.Cell(2, 4) & " " & g.Width
  With g
    .Cell(0, 0) = "w"
    Say "with " & .Cell(0, 0) & " " & TypeName(Eval("New Holder"))
    Say .Width & " wide"  ' a call's argument that starts with a member of the With object
  End With
  Set h = New Holder
  Set h.Item = list(1)
  Say h.Describe() & " " & h.Item.Value
  h.Item = 7
  Say h.Describe()
  Say "bool " & True & " " & False & " " & CStr(True) & " " & (1 = 1) & "."
  ' An error in Class_Terminate is dropped and leaves Err as it was.
  On Error Resume Next
  Err.Raise 7
  Set d = New Faulty
  Set d = Nothing
  Say "after faulty terminate " & Err.Number
  On Error GoTo 0
End Sub

Class Faulty
  Private Sub Class_Terminate
    Err.Raise 11
  End Sub
End Class
' { expect:
' init Counter
' c.. 7 7 8 [3,4,]
' count 10 Counter True
' same True False True
' one reference left
' init Counter
' terminate c.. at 10
' reassigned
' init Counter
' leaving scope
' terminate scoped. at 2
' array 30 Node
' list 10 fact 720 Grid
' grid xy 5
' with w Holder
' 5 wide
' object Node 10
' value 7
' bool True False True True.
' terminate d at 0
' after faulty terminate 7
' }
