' TypeName of objects: a host object gives its host class, the scripting objects the names
' VBScript users know them by, a script class its own name; VarType stays vbObject for each.
Sub Say(x)
  MessageList.Lines.Add x
End Sub

Class Plain
End Class

Sub Main
  Dim list, re, matches, objects, o, line
  Set list = TStringList.Create
  Set re = New RegExp
  re.Pattern = "(\d)"
  re.Global = True
  Set matches = re.Execute("a1b2")
  objects = Array(list, CreateObject("Scripting.Dictionary"), re, matches, matches(0), _
                  matches(0).SubMatches, CreateObject("Scripting.FileSystemObject"), New Plain)
  For Each o In objects
    line = line & TypeName(o) & "/" & VarType(o) & " "
  Next
  Say Trim(line)
  Say TypeName(Nothing) & " " & TypeName(list.ClassName) & " " & TypeName(Array(list)(0))
  list.Free
End Sub

' { expect:
' TStringList/9 Dictionary/9 IRegExp2/9 IMatchCollection2/9 IMatch2/9 ISubMatches/9 FileSystemObject/9 Plain/9
' Nothing String TStringList
' }
