' Try with typed and catch-all Catch, Finally on every exit path, Throw and re-raise.
Sub Put(x)
  MessageList.Lines.Add x
End Sub

Function Guarded(n)
  Try
    If n = 1 Then Return "returned"
    If n = 2 Then Throw "thrown"
    Guarded = "normal"
  Finally
    Put "finally " & n
  End Try
End Function

Sub Main
  Dim i
  Put Guarded(0)
  Put Guarded(1)
  Try
    Put Guarded(2)
  Catch
    Put "caught"
  End Try
  For i = 1 To 3
    Try
      If i = 2 Then Exit For
    Finally
      Put "loop finally " & i
    End Try
  Next
  Put i
  Try
    Try
      Throw "inner"
    Catch
      Put "re-raising"
      Throw
    End Try
  Catch
    Put "outer caught"
  End Try
  Try
    NoSuchRoutine 1
  Catch e As EQelVMRuntime
    Put "runtime: " & e.ClassName
  Catch
    Put "wrong"
  End Try
  Try
    Throw New Exception("typed")
  Catch e As EConvertError
    Put "wrong"
  Catch e As Exception
    Put "exception: " & e.ClassName
  End Try
End Sub

' { expect:
' finally 0
' normal
' finally 1
' returned
' finally 2
' caught
' loop finally 1
' loop finally 2
' 2
' re-raising
' outer caught
' runtime: EQelVMRuntime
' exception: Exception
' }
