' Text routines at their boundaries: empty texts, positions outside the text, Null, compare modes.
Sub Put(x)
  MessageList.Lines.Add x
End Sub

Sub Show(what, v)
  If IsNull(v) Then
    Put what & " -> Null"
  Else
    Put what & " -> " & TypeName(v) & " [" & v & "]"
  End If
End Sub

Sub Main
  Dim e, n
  n = Null
  Show "Len(""abc"")", Len("abc")
  Show "Len("""")", Len("")
  Show "Len(12345)", Len(12345)
  Show "Len(e)", Len(e)
  Show "Len(Null)", Len(n)
  Show "IsNull(Len(Null))", IsNull(Len(n))
  Show "UCase(""aBc"")", UCase("aBc")
  Show "UCase(Null)", UCase(n)
  Show "LCase(""ÀBC"")", LCase("ÀBC")
  Show "LCase(Null)", LCase(n)
  Show "LTrim(""  x  "")", LTrim("  x  ")
  Show "RTrim(""  x  "")", RTrim("  x  ")
  Show "Trim(Chr(9) & "" x "")", Trim(Chr(9) & " x ")
  Show "Trim(Null)", Trim(n)
  Show "Space(3)", Space(3)
  Show "Space(0)", Space(0)
  Show "String(3, ""xy"")", String(3, "xy")
  Show "String(2, 65)", String(2, 65)
  Show "String(2, 321)", String(2, 321)
  Show "String(0, 65)", String(0, 65)
  Show "String(Null, 65)", String(n, 65)
  Show "String(2, Null)", String(2, n)
  Show "StrReverse(""abc"")", StrReverse("abc")
  Show "StrReverse("""")", StrReverse("")
  Show "Left(""abc"", 2)", Left("abc", 2)
  Show "Left(""abc"", 9)", Left("abc", 9)
  Show "Left(""abc"", 0)", Left("abc", 0)
  Show "Left(Null, 1)", Left(n, 1)
  Show "Right(""abc"", 2)", Right("abc", 2)
  Show "Right(""abc"", 9)", Right("abc", 9)
  Show "Right(Null, 1)", Right(n, 1)
  Show "Mid(""abcdef"", 2, 3)", Mid("abcdef", 2, 3)
  Show "Mid(""abcdef"", 4)", Mid("abcdef", 4)
  Show "Mid(""abcdef"", 9)", Mid("abcdef", 9)
  Show "Mid(""abcdef"", 2, 0)", Mid("abcdef", 2, 0)
  Show "Mid(Null, 1)", Mid(n, 1)
  Show "Asc(""A"")", Asc("A")
  Show "Asc(""abc"")", Asc("abc")
  Show "Chr(65)", Chr(65)
  Show "Chr(0) length", Len(Chr(0))
  Show "StrComp(""a"", ""b"")", StrComp("a", "b")
  Show "StrComp(""b"", ""a"")", StrComp("b", "a")
  Show "StrComp(""a"", ""a"")", StrComp("a", "a")
  Show "StrComp(""A"", ""a"")", StrComp("A", "a")
  Show "StrComp(""A"", ""a"", vbTextCompare)", StrComp("A", "a", vbTextCompare)
  Show "StrComp(""A"", ""b"", vbTextCompare)", StrComp("A", "b", vbTextCompare)
  Show "StrComp(""B"", ""a"", vbTextCompare)", StrComp("B", "a", vbTextCompare)
  Show "StrComp(Null, ""a"")", StrComp(n, "a")
  Show "StrComp(""a"", Null)", StrComp("a", n)
  Show "StrComp("""", ""a"")", StrComp("", "a")
  Show "InStr(""abcabc"", ""c"")", InStr("abcabc", "c")
  Show "InStr(4, ""abcabc"", ""c"")", InStr(4, "abcabc", "c")
  Show "InStr(0, ""abcabc"", ""c"")", InStr(0, "abcabc", "c")
  Show "InStr(-5, ""abcabc"", ""a"")", InStr(-5, "abcabc", "a")
  Show "InStr(9, ""abcabc"", ""c"")", InStr(9, "abcabc", "c")
  Show "InStr(""abc"", ""x"")", InStr("abc", "x")
  Show "InStr(""abc"", """")", InStr("abc", "")
  Show "InStr(1, ""ABC"", ""b"")", InStr(1, "ABC", "b")
  Show "InStr(1, ""ABC"", ""b"", vbTextCompare)", InStr(1, "ABC", "b", vbTextCompare)
  Show "InStr(1, ""Straße"", ""E"", 1)", InStr(1, "Straße", "E", 1)
  Show "InStr(Null, ""a"")", InStr(n, "a")
  Show "InStrRev(""abcabc"", ""c"")", InStrRev("abcabc", "c")
  Show "InStrRev(""abcabc"", ""c"", 5)", InStrRev("abcabc", "c", 5)
  Show "InStrRev(""abcabc"", ""c"", 2)", InStrRev("abcabc", "c", 2)
  Show "InStrRev(""abcabc"", ""c"", 0)", InStrRev("abcabc", "c", 0)
  Show "InStrRev(""abcabc"", ""c"", 99)", InStrRev("abcabc", "c", 99)
  Show "InStrRev(""abcabc"", ""bc"", 3)", InStrRev("abcabc", "bc", 3)
  Show "InStrRev(""ABC"", ""a"", -1, 1)", InStrRev("ABC", "a", -1, 1)
  Show "InStrRev(""abc"", ""x"")", InStrRev("abc", "x")
  Show "InStrRev(""abc"", """")", InStrRev("abc", "")
  Show "InStrRev(""abc"", """", 2)", InStrRev("abc", "", 2)
  Show "Replace(""aaa"", ""a"", ""b"", 2)", Replace("aaa", "a", "b", 2)
  Show "Replace(""abab"", ""ab"", ""x"")", Replace("abab", "ab", "x")
  Show "Replace(""abab"", ""ab"", ""x"", 1, 1)", Replace("abab", "ab", "x", 1, 1)
  Show "Replace(""abab"", ""ab"", ""x"", 1, 0)", Replace("abab", "ab", "x", 1, 0)
  Show "Replace(""aAa"", ""a"", ""-"", 1, -1, 1)", Replace("aAa", "a", "-", 1, -1, 1)
  Show "Replace(""aAa"", ""a"", ""-"")", Replace("aAa", "a", "-")
  Show "Replace(""abc"", """", ""x"")", Replace("abc", "", "x")
  Show "Replace(""abc"", ""b"", """")", Replace("abc", "b", "")
  Show "Replace(""abc"", ""a"", ""aa"")", Replace("abc", "a", "aa")
  Show "Replace(""abc"", ""a"", ""x"", 9)", Replace("abc", "a", "x", 9)
  Show "Replace(Null, ""a"", ""b"")", Replace(n, "a", "b")
End Sub

' { expect:
' Len("abc") -> Integer [3]
' Len("") -> Integer [0]
' Len(12345) -> Integer [5]
' Len(e) -> Integer [0]
' Len(Null) -> Null
' IsNull(Len(Null)) -> Boolean [-1]
' UCase("aBc") -> String [ABC]
' UCase(Null) -> Null
' LCase("ÀBC") -> String [àbc]
' LCase(Null) -> Null
' LTrim("  x  ") -> String [x  ]
' RTrim("  x  ") -> String [  x]
' Trim(Chr(9) & " x ") -> String [x]
' Trim(Null) -> Null
' Space(3) -> String [   ]
' Space(0) -> String []
' String(3, "xy") -> String [xxx]
' String(2, 65) -> String [AA]
' String(2, 321) -> String [AA]
' String(0, 65) -> String []
' String(Null, 65) -> Null
' String(2, Null) -> Null
' StrReverse("abc") -> String [cba]
' StrReverse("") -> String []
' Left("abc", 2) -> String [ab]
' Left("abc", 9) -> String [abc]
' Left("abc", 0) -> String []
' Left(Null, 1) -> Null
' Right("abc", 2) -> String [bc]
' Right("abc", 9) -> String [abc]
' Right(Null, 1) -> Null
' Mid("abcdef", 2, 3) -> String [bcd]
' Mid("abcdef", 4) -> String [def]
' Mid("abcdef", 9) -> String []
' Mid("abcdef", 2, 0) -> String []
' Mid(Null, 1) -> Null
' Asc("A") -> Integer [65]
' Asc("abc") -> Integer [97]
' Chr(65) -> String [A]
' Chr(0) length -> Integer [1]
' StrComp("a", "b") -> Integer [-1]
' StrComp("b", "a") -> Integer [1]
' StrComp("a", "a") -> Integer [0]
' StrComp("A", "a") -> Integer [-1]
' StrComp("A", "a", vbTextCompare) -> Integer [0]
' StrComp("A", "b", vbTextCompare) -> Integer [-1]
' StrComp("B", "a", vbTextCompare) -> Integer [1]
' StrComp(Null, "a") -> Null
' StrComp("a", Null) -> Null
' StrComp("", "a") -> Integer [-1]
' InStr("abcabc", "c") -> Integer [3]
' InStr(4, "abcabc", "c") -> Integer [6]
' InStr(0, "abcabc", "c") -> Integer [3]
' InStr(-5, "abcabc", "a") -> Integer [1]
' InStr(9, "abcabc", "c") -> Integer [0]
' InStr("abc", "x") -> Integer [0]
' InStr("abc", "") -> Integer [1]
' InStr(1, "ABC", "b") -> Integer [0]
' InStr(1, "ABC", "b", vbTextCompare) -> Integer [2]
' InStr(1, "Straße", "E", 1) -> Integer [6]
' InStr(Null, "a") -> Null
' InStrRev("abcabc", "c") -> Integer [6]
' InStrRev("abcabc", "c", 5) -> Integer [3]
' InStrRev("abcabc", "c", 2) -> Integer [0]
' InStrRev("abcabc", "c", 0) -> Integer [0]
' InStrRev("abcabc", "c", 99) -> Integer [6]
' InStrRev("abcabc", "bc", 3) -> Integer [2]
' InStrRev("ABC", "a", -1, 1) -> Integer [1]
' InStrRev("abc", "x") -> Integer [0]
' InStrRev("abc", "") -> Integer [3]
' InStrRev("abc", "", 2) -> Integer [2]
' Replace("aaa", "a", "b", 2) -> String [bb]
' Replace("abab", "ab", "x") -> String [xx]
' Replace("abab", "ab", "x", 1, 1) -> String [xab]
' Replace("abab", "ab", "x", 1, 0) -> String [abab]
' Replace("aAa", "a", "-", 1, -1, 1) -> String [---]
' Replace("aAa", "a", "-") -> String [-A-]
' Replace("abc", "", "x") -> String [abc]
' Replace("abc", "b", "") -> String [ac]
' Replace("abc", "a", "aa") -> String [aabc]
' Replace("abc", "a", "x", 9) -> String []
' Replace(Null, "a", "b") -> Null
' }
