' The three scripting objects from the VB dialect: a dictionary with mixed keys, a regular
' expression with sub-matches and a global replacement, a text file round trip in a private
' temporary folder (deleted at the end), and their errors caught with Try.
Sub Put(x)
  MessageList.Lines.Add x
End Sub

Function FirstLine(s)
  Dim p
  p = InStr(s, Chr(13))
  FirstLine = s
  If p > 0 Then FirstLine = Left(s, p - 1)
End Function

Sub Report(e)
  Put FirstLine(e.Message) & " " & (e.ErrorCode And 65535) & " " & e.Source
End Sub

Sub Main()
  Dim d, k, i, re, m, ms, fs, root, t, e
  Set d = CreateObject("Scripting.Dictionary")
  d.Add "one", 1
  d.Add 2, "two"
  d.Add DateSerial(2003, 1, 2), "date"
  d("three") = 3
  d.Remove 2
  k = d.Keys
  For i = 0 To UBound(k)
    Put k(i) & " -> " & d(k(i))
  Next
  Put d.Exists("one") & " " & d.Exists("ONE") & " " & d.Count
  Try
    d.Add "one", 0
  Catch e As Exception
    Report e
  End Try
  Try
    d.Remove "zero"
  Catch e As Exception
    Report e
  End Try

  Set re = CreateObject("VBScript.RegExp")
  re.Pattern = "(\d{4})-(\d\d)-(\d\d)"
  re.Global = True
  Set ms = re.Execute("from 2024-01-31 to 2025-12-01")
  For i = 0 To ms.Count - 1
    Set m = ms(i)
    Put m.Value & " at " & m.FirstIndex & ": " & m.SubMatches(0) & "/" & m.SubMatches(1) & "/" & m.SubMatches(2)
  Next
  Put re.Replace("from 2024-01-31 to 2025-12-01", "$3.$2.$1")
  re.Pattern = "[z-a]"
  Try
    re.Test "x"
  Catch e As Exception
    Report e
  End Try

  Set fs = CreateObject("Scripting.FileSystemObject")
  root = fs.BuildPath(fs.GetSpecialFolder(2).Path, fs.GetTempName())
  fs.CreateFolder root
  Set t = fs.OpenTextFile(fs.BuildPath(root, "notes.txt"), 2, True)
  t.WriteLine "alpha"
  t.WriteLine "beta"
  t.Close
  Set t = fs.OpenTextFile(fs.BuildPath(root, "notes.txt"))
  Do While Not t.AtEndOfStream
    Put t.Line & ": " & t.ReadLine()
  Loop
  Try
    t.ReadLine
  Catch e As Exception
    Report e
  End Try
  t.Close
  Put fs.GetFolder(root).Files.Count & " " & fs.GetFile(fs.BuildPath(root, "notes.txt")).Size
  fs.DeleteFolder root
  Put fs.FolderExists(root)
  Try
    fs.DeleteFolder root
  Catch e As Exception
    Report e
  End Try
End Sub

' { expect:
' one -> 1
' 1/2/2003 -> date
' three -> 3
' -1 0 3
' This key is already associated with an element of this collection 457 Scripting.Dictionary
' Element not found 32811 Scripting.Dictionary
' 2024-01-31 at 5: 2024/01/31
' 2025-12-01 at 19: 2025/12/01
' from 31.01.2024 to 01.12.2025
' Syntax error in regular expression 5017 VBScript.RegExp
' 1: alpha
' 2: beta
' Input past end of file 62 Scripting.FileSystemObject
' 1 11
' False
' Path not found 76 Scripting.FileSystemObject
' }
