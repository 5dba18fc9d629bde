' Arrays and their bounds, Split/Join/Filter, the type tests and the named constants.
Sub Put(x)
  MessageList.Lines.Add x
End Sub

' An array as "lo..hi: a|b|c" (its bounds, then its elements).
Function Listed(a)
  Listed = LBound(a) & ".." & UBound(a) & ": " & Join(a, "|")
End Function

Sub Show(what, v)
  Put what & " -> " & v
End Sub

Sub Main
  Dim e, n, a, o, m(2, 3), big
  n = Null
  Set o = Nothing
  a = Array(1, "two", 3.5)
  Show "Array(1, ""two"", 3.5)", Listed(a)
  Show "Array()", Listed(Array())
  Show "UBound(Array())", UBound(Array())
  Show "VarType(Array())", VarType(Array())
  Show "TypeName(Array(1, 2))", TypeName(Array(1, 2))
  Show "TypeName(a(1))", TypeName(a(1))
  Show "UBound(m, 2)", UBound(m, 2)
  Show "LBound(m, 2)", LBound(m, 2)
  Show "Join(Array(""a"", ""b""))", Join(Array("a", "b"))
  Show "Join(Array(""a"", ""b""), """")", Join(Array("a", "b"), "")
  Show "Join(Array())", "[" & Join(Array()) & "]"
  Show "Split(""a,b,c"", "","")", Listed(Split("a,b,c", ","))
  Show "Split(""abc"", "","")", Listed(Split("abc", ","))
  Show "Split("""", "","")", Listed(Split("", ","))
  Show "UBound(Split(""""))", UBound(Split(""))
  Show "Split(""a b"")", Listed(Split("a b"))
  Show "Split(""abc"", """")", Listed(Split("abc", ""))
  Show "Split(""a,b,c"", "","", 2)", Listed(Split("a,b,c", ",", 2))
  Show "Split(""a,b,c"", "","", 0)", Listed(Split("a,b,c", ",", 0))
  Show "Split(""a,b,c"", "","", 5)", Listed(Split("a,b,c", ",", 5))
  Show "Split(""a,,b,"", "","")", Listed(Split("a,,b,", ","))
  Show "Split(""aXbxc"", ""x"")", Listed(Split("aXbxc", "x"))
  Show "Split(""aXbxc"", ""x"", -1, 1)", Listed(Split("aXbxc", "x", -1, 1))
  Show "Filter((ab, b, B), ""b"")", Listed(Filter(Array("ab", "b", "B"), "b"))
  Show "Filter((ab, b, B), ""b"", True, 1)", Listed(Filter(Array("ab", "b", "B"), "b", True, 1))
  Show "Filter((ab, b, B), ""b"", False)", Listed(Filter(Array("ab", "b", "B"), "b", False))
  Show "Filter((ab, b, B), ""x"")", Listed(Filter(Array("ab", "b", "B"), "x"))
  Show "Filter((1, 2, 1), 1)", Listed(Filter(Array(1, 2, 1), 1))
  Show "TypeName(e)", TypeName(e)
  Show "TypeName(Null)", TypeName(n)
  Show "TypeName(Nothing)", TypeName(o)
  Show "TypeName(1.5)", TypeName(1.5)
  Show "TypeName(1)", TypeName(1)
  Show "TypeName(""s"")", TypeName("s")
  Show "TypeName(True)", TypeName(True)
  Show "TypeName(CCur(1))", TypeName(CCur(1))
  Show "TypeName(CSng(1))", TypeName(CSng(1))
  Show "TypeName(CByte(1))", TypeName(CByte(1))
  Show "TypeName(Round(1))", TypeName(Round(1))
  Show "TypeName(MessageList)", TypeName(MessageList)
  Show "TypeName(m)", TypeName(m)
  Show "VarType(e)", VarType(e)
  Show "VarType(Null)", VarType(n)
  Show "VarType(""s"")", VarType("s")
  Show "VarType(1.5)", VarType(1.5)
  Show "VarType(Round(1))", VarType(Round(1))
  Show "VarType(a) = vbArray + vbVariant", VarType(a) = vbArray + vbVariant
  Show "IsArray(a)", IsArray(a)
  Show "IsArray(1)", IsArray(1)
  Show "IsArray(e)", IsArray(e)
  Show "IsEmpty(e)", IsEmpty(e)
  Show "IsEmpty(0)", IsEmpty(0)
  Show "IsEmpty(Null)", IsEmpty(n)
  Show "IsNull(Null)", IsNull(n)
  Show "IsNull(e)", IsNull(e)
  Show "IsObject(Nothing)", IsObject(o)
  Show "IsObject(MessageList)", IsObject(MessageList)
  Show "IsObject(1)", IsObject(1)
  Show "IsNumeric(e)", IsNumeric(e)
  Show "IsNumeric(Null)", IsNumeric(n)
  Show "IsNumeric(12)", IsNumeric(12)
  Show "IsNumeric(True)", IsNumeric(True)
  Show "IsNumeric(""1.5e3"")", IsNumeric("1.5e3")
  Show "IsNumeric("" 7 "")", IsNumeric(" 7 ")
  Show "IsNumeric(""x1"")", IsNumeric("x1")
  Show "IsNumeric("""")", IsNumeric("")
  Show "IsNumeric(DateSerial(2020, 1, 1))", IsNumeric(DateSerial(2020, 1, 1))
  Show "IsNumeric(a)", IsNumeric(a)
  Show "Rnd in [0, 1)", Rnd >= 0 And Rnd < 1
  Randomize
  Show "Rnd after Randomize in [0, 1)", Rnd() >= 0 And Rnd() < 1
End Sub

' { expect:
' Array(1, "two", 3.5) -> 0..2: 1|two|3.5
' Array() -> 0..-1: 
' UBound(Array()) -> -1
' VarType(Array()) -> 8204
' TypeName(Array(1, 2)) -> Variant()
' TypeName(a(1)) -> String
' UBound(m, 2) -> 3
' LBound(m, 2) -> 0
' Join(Array("a", "b")) -> a b
' Join(Array("a", "b"), "") -> ab
' Join(Array()) -> []
' Split("a,b,c", ",") -> 0..2: a|b|c
' Split("abc", ",") -> 0..0: abc
' Split("", ",") -> 0..-1: 
' UBound(Split("")) -> -1
' Split("a b") -> 0..1: a|b
' Split("abc", "") -> 0..0: abc
' Split("a,b,c", ",", 2) -> 0..1: a|b
' Split("a,b,c", ",", 0) -> 0..-1: 
' Split("a,b,c", ",", 5) -> 0..2: a|b|c
' Split("a,,b,", ",") -> 0..3: a||b|
' Split("aXbxc", "x") -> 0..1: aXb|c
' Split("aXbxc", "x", -1, 1) -> 0..2: a|b|c
' Filter((ab, b, B), "b") -> 0..0: b
' Filter((ab, b, B), "b", True, 1) -> 0..1: b|B
' Filter((ab, b, B), "b", False) -> 0..1: ab|B
' Filter((ab, b, B), "x") -> 0..-1: 
' Filter((1, 2, 1), 1) -> 0..1: 1|1
' TypeName(e) -> Empty
' TypeName(Null) -> Null
' TypeName(Nothing) -> Nothing
' TypeName(1.5) -> Double
' TypeName(1) -> Integer
' TypeName("s") -> String
' TypeName(True) -> Boolean
' TypeName(CCur(1)) -> Currency
' TypeName(CSng(1)) -> Single
' TypeName(CByte(1)) -> Byte
' TypeName(Round(1)) -> Int64
' TypeName(MessageList) -> Object
' TypeName(m) -> Variant()
' VarType(e) -> 0
' VarType(Null) -> 1
' VarType("s") -> 8
' VarType(1.5) -> 5
' VarType(Round(1)) -> 20
' VarType(a) = vbArray + vbVariant -> -1
' IsArray(a) -> -1
' IsArray(1) -> 0
' IsArray(e) -> 0
' IsEmpty(e) -> -1
' IsEmpty(0) -> 0
' IsEmpty(Null) -> 0
' IsNull(Null) -> -1
' IsNull(e) -> 0
' IsObject(Nothing) -> -1
' IsObject(MessageList) -> -1
' IsObject(1) -> 0
' IsNumeric(e) -> -1
' IsNumeric(Null) -> 0
' IsNumeric(12) -> -1
' IsNumeric(True) -> -1
' IsNumeric("1.5e3") -> -1
' IsNumeric(" 7 ") -> -1
' IsNumeric("x1") -> 0
' IsNumeric("") -> 0
' IsNumeric(DateSerial(2020, 1, 1)) -> 0
' IsNumeric(a) -> 0
' Rnd in [0, 1) -> -1
' Rnd after Randomize in [0, 1) -> -1
' }
