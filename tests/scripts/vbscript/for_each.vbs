' For Each over arrays (one and two dimensions, Split's result), Exit For, nesting, and what
' is no collection.
Sub Say(x)
  MessageList.Lines.Add x
End Sub

For Each w In Split("a b c")
  seen = seen & "[" & w & "]"
Next
Say seen

Dim grid(1, 2)
For r = 0 To 1
  For c = 0 To 2
    grid(r, c) = r & c
  Next
Next
For Each g In grid
  flat = flat & g & " "
Next
Say flat

Function Total(vals)
  For Each v In vals
    If v < 0 Then Exit For
    Total = Total + v
  Next
End Function
Say Total(Array(1, 2, 3, -1, 100))

For Each o1 In Array(1, 2)
  For Each i1 In Array("x", "y")
    both = both & o1 & i1 & " "
  Next
Next
Say both

' The loop works on a copy: changing the array inside does not change the walk.
arr = Array(1, 2, 3)
For Each e In arr
  arr(2) = 30
  walk = walk & e & " "
Next
Say walk & arr(2)

On Error Resume Next
For Each x In 42
  Say "not reached"
Next
Say "not a collection: " & Err.Number & " " & Err.Description

Sub Main
End Sub

' { expect:
' [a][b][c]
' 00 10 01 11 02 12 
' 6
' 1x 1y 2x 2y 
' 1 2 3 30
' not a collection: 451 Object not a collection
' }
