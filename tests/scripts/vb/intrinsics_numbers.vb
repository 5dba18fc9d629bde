' Conversions and arithmetic: each case prints its call, the result's type name and value.
Sub Put(x)
  MessageList.Lines.Add x
End Sub

Sub Show(what, v)
  If IsNull(v) Then
    Put what & " -> Null"
  Else
    Put what & " -> " & TypeName(v) & " " & v
  End If
End Sub

Sub Main
  Dim e, n
  n = Null
  Show "Abs(-2.5)", Abs(-2.5)
  Show "Abs(Null)", Abs(n)
  Show "Abs(e)", Abs(e)
  Show "Int(-2.5)", Int(-2.5)
  Show "Int(2.5)", Int(2.5)
  Show "Int(Null)", Int(n)
  Show "Fix(-2.5)", Fix(-2.5)
  Show "Fix(2.7)", Fix(2.7)
  Show "Fix(Null)", Fix(n)
  Show "Sgn(-3)", Sgn(-3)
  Show "Sgn(0)", Sgn(0)
  Show "Sgn(e)", Sgn(e)
  Show "Sgn(0.5)", Sgn(0.5)
  Show "Round(2.5)", Round(2.5)
  Show "Round(3.5)", Round(3.5)
  Show "Round(-2.5)", Round(-2.5)
  Show "Round(2.51)", Round(2.51)
  Show "Round(1.2345, 2)", Round(1.2345, 2)
  Show "Round(1.225, 0)", Round(1.225, 0)
  Show "Round(0.125, 2)", Round(0.125, 2)
  Show "Round(7, 16)", Round(7, 16)
  Show "Exp(0)", Exp(0)
  Show "Log(1)", Log(1)
  Show "Sqr(16)", Sqr(16)
  Show "Sqr(2.25)", Sqr(2.25)
  Show "Sin(0) + Cos(0) + Atn(0) + Tan(0)", Sin(0) + Cos(0) + Atn(0) + Tan(0)
  Show "Round(Atn(1) * 4, 6)", Round(Atn(1) * 4, 6)
  Show "Round(Tan(Atn(1)), 6)", Round(Tan(Atn(1)), 6)
  Show "CInt(2.5)", CInt(2.5)
  Show "CInt(3.5)", CInt(3.5)
  Show "CInt(""12"")", CInt("12")
  Show "CInt(True)", CInt(True)
  Show "CInt(e)", CInt(e)
  Show "CLng(-7.5)", CLng(-7.5)
  Show "CLng(2147483647)", CLng(2147483647)
  Show "CByte(300)", CByte(300)
  Show "CByte(-1)", CByte(-1)
  Show "CByte(255)", CByte(255)
  Show "CSng(1.5)", CSng(1.5)
  Show "CDbl(""2.5"")", CDbl("2.5")
  Show "CDbl(e)", CDbl(e)
  Show "CCur(1.23456)", CCur(1.23456)
  Show "CBool(0)", CBool(0)
  Show "CBool(-2)", CBool(-2)
  Show "CBool(""True"")", CBool("True")
  Show "CStr(12)", CStr(12)
  Show "CStr(True)", CStr(True)
  Show "CStr(e)", "[" & CStr(e) & "]"
  Show "Hex(255)", Hex(255)
  Show "Hex(65536)", Hex(65536)
  Show "Hex(-1)", Hex(-1)
  Show "Hex(0)", Hex(0)
  Show "Hex(Null)", Hex(n)
  Show "Oct(8)", Oct(8)
  Show "Oct(-1)", Oct(-1)
  Show "Oct(0)", Oct(0)
  Show "RGB(1, 2, 3)", RGB(1, 2, 3)
  Show "RGB(255, 255, 255)", RGB(255, 255, 255)
  Show "RGB(256, -1, 0)", RGB(256, -1, 0)
End Sub

' { expect:
' Abs(-2.5) -> Double 2.5
' Abs(Null) -> Null
' Abs(e) -> Double 0
' Int(-2.5) -> Double -3
' Int(2.5) -> Double 2
' Int(Null) -> Null
' Fix(-2.5) -> Double -2
' Fix(2.7) -> Double 2
' Fix(Null) -> Null
' Sgn(-3) -> Integer -1
' Sgn(0) -> Integer 0
' Sgn(e) -> Integer 0
' Sgn(0.5) -> Integer 1
' Round(2.5) -> Int64 2
' Round(3.5) -> Int64 4
' Round(-2.5) -> Int64 -2
' Round(2.51) -> Int64 3
' Round(1.2345, 2) -> Double 1.23
' Round(1.225, 0) -> Double 1
' Round(0.125, 2) -> Double 0.12
' Round(7, 16) -> Double 7
' Exp(0) -> Double 1
' Log(1) -> Double 0
' Sqr(16) -> Double 4
' Sqr(2.25) -> Double 1.5
' Sin(0) + Cos(0) + Atn(0) + Tan(0) -> Double 1
' Round(Atn(1) * 4, 6) -> Double 3.141593
' Round(Tan(Atn(1)), 6) -> Double 1
' CInt(2.5) -> Integer 2
' CInt(3.5) -> Integer 4
' CInt("12") -> Integer 12
' CInt(True) -> Integer -1
' CInt(e) -> Integer 0
' CLng(-7.5) -> Integer -8
' CLng(2147483647) -> Integer 2147483647
' CByte(300) -> Byte 44
' CByte(-1) -> Byte 255
' CByte(255) -> Byte 255
' CSng(1.5) -> Single 1.5
' CDbl("2.5") -> Double 2.5
' CDbl(e) -> Double 0
' CCur(1.23456) -> Currency 1.2346
' CBool(0) -> Boolean 0
' CBool(-2) -> Boolean -1
' CBool("True") -> Boolean -1
' CStr(12) -> String 12
' CStr(True) -> String -1
' CStr(e) -> String []
' Hex(255) -> String FF
' Hex(65536) -> String 0
' Hex(-1) -> String FFFF
' Hex(0) -> String 0
' Hex(Null) -> Null
' Oct(8) -> String 10
' Oct(-1) -> String 177777
' Oct(0) -> String 0
' RGB(1, 2, 3) -> Integer 197121
' RGB(255, 255, 255) -> Integer 16777215
' RGB(256, -1, 0) -> Integer 65280
' }
