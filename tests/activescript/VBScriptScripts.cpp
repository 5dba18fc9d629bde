#include "tests/activescript/ActiveScriptTestKit.h"

namespace {

// VBScript has no variable argument lists: Count3 takes 64 parameters and counts the ones
// given (a missing one is Empty).
std::u16string Count3Function() {
  std::u16string params, counts;
  for (int i = 1; i <= 64; ++i) {
    const std::u16string name = u"a" + Utf8ToString(std::to_string(i));
    params += (i > 1 ? u", " : u"") + name;
    counts += u"  If Not IsEmpty(" + name + u") Then Count3 = Count3 + 1\n";
  }
  return u"Function Count3(" + params + u")\n  Count3 = 0\n" + counts + u"End Function\n";
}

const std::u16string& Script() {
  static const std::u16string script =
      u"Counter = 10\n"
      u"Function Sum(a, b)\n  Sum = a + b\nEnd Function\n" +
      Count3Function() +
      u"Function Greet(s)\n  Greet = \"Hello, \" & s\nEnd Function\n"
      u"Function Unicode(s)\n  Unicode = s & \"✓\"\nEnd Function\n"
      u"Sub Bump\n  Named = Named + 1\nEnd Sub\n"
      u"Function UsePublished\n  Add \"x\"\n  UsePublished = Count\nEnd Function\n"
      u"Function CatchHost\n"
      u"  On Error Resume Next\n"
      u"  x = List(5)\n"
      u"  CatchHost = Err.Description\n"
      u"End Function\n"
      u"Function Sorted\n"
      u"  Set l = TStringList.Create\n"
      u"  l.Add \"b\" : l.Add \"a\" : l.Add \"c\"\n"
      u"  l.Sorted = True\n"
      u"  For i = 0 To l.Count - 1\n"
      u"    If i > 0 Then Sorted = Sorted & \",\"\n"
      u"    Sorted = Sorted & l(i)\n"
      u"  Next\n"
      u"  l.Free\n"
      u"End Function\n"
      u"Function SameObject\n"
      u"  Set l = TStringList.Create\n"
      u"  l.AddObject \"x\", List\n"
      u"  If l.Objects(0) Is List Then SameObject = \"same\" Else SameObject = \"different\"\n"
      u"  l.Free\n"
      u"End Function\n"
      u"Sub Spin\n"
      u"  Ready.Signal\n"
      u"  Do\n  Loop\n"
      u"End Sub\n";
  return script;
}

const TLanguageScripts& VBScriptScripts() {
  static const TLanguageScripts scripts{
      "VBScript",
      slVBScript,
      Script().c_str(),
      u"Counter * 2 + 1",
      u"x = 1\n"
      u"y = 2\n"
      u"z = )\n",
      "Invalid token: ')'.",
      2,
      5,
      u"Sub Main\n"
      u"  Dim t\n"
      u"    t = 1 / 0\n"
      u"End Sub\n",
      "Division by zero",
      2,
      11,
  };
  return scripts;
}

}  // namespace

INSTANTIATE_TEST_SUITE_P(VBScriptEngine, ActiveScriptTest, ::testing::Values(&VBScriptScripts()),
                         [](const auto& AInfo) { return std::string(AInfo.param->Name); });

// Malformed source never crashes or hangs the compiler: each case fails activation with an
// error that names its place, and so does every prefix of a script using every construct.
TEST(VBScriptEngineSource, MalformedSourceFailsWithAPlace) {
  QelRegisterScriptEngines();
  const char16_t* cases[] = {
      u"If x Then",        u"For i = 1 To",        u"Sub",           u"Function f(",     u"With",
      u"With x\n.",        u"For Each",            u"On Error",      u"On Error GoTo 1", u"Const x = y",
      u"While 1",          u"End With",            u"x = ((((",      u"x = \"open",      u"Wend",
      u"Next",             u".x = 1",              u"Option Foo",    u"Private",         u"Let",
      u"Select Case\n",    u"Do\nLoop Until",      u"x = 1 +",       u"Err.Raise(",      u"Dim a(",
  };
  for (const char16_t* source : cases) {
    TQelScriptControl ctrl(nullptr);
    ctrl.SetLanguage(slVBScript);
    ctrl.SetSourceText(source);
    const std::string error = ErrorOf([&] { ctrl.SetActive(true); });
    EXPECT_NE(error.find("[line: "), std::string::npos) << StringToUtf8(source) << ": " << error;
    EXPECT_EQ(ctrl.GetState(), ssInactive);
  }
  std::u16string deep;
  for (int i = 0; i < 2000; ++i) deep += u"If 1 Then\n";
  TQelScriptControl ctrl(nullptr);
  ctrl.SetLanguage(slVBScript);
  ctrl.SetSourceText(deep);
  EXPECT_NE(ErrorOf([&] { ctrl.SetActive(true); }).find("[line: "), std::string::npos);
}

TEST(VBScriptEngineSource, EveryPrefixOfAScriptCompilesOrFailsWithAPlace) {
  QelRegisterScriptEngines();
  const std::u16string script =
      u"Option Explicit\nConst K = 2\nDim a(), n, s\nReDim a(3)\n"
      u"Sub P(ByVal x, ByRef y)\n  On Error Resume Next\n  y = x / 0\n  With a\n  End With\nEnd Sub\n"
      u"Function F(v)\n  Select Case v\n    Case 1, 2: F = \"low\"\n    Case Else: F = \"high\"\n  End Select\nEnd Function\n"
      u"For Each n In a\n  If n = K Then Exit For Else s = s & F(n)\nNext\n"
      u"While n < 3\n  n = n + 1\nWend\nDo Until n = 0: n = n - 1: Loop\n";
  for (size_t length = 0; length <= script.size(); ++length) {
    TQelScriptControl ctrl(nullptr);
    ctrl.SetLanguage(slVBScript);
    ctrl.SetSourceText(script.substr(0, length));
    try {
      ctrl.SetActive(true);
    } catch (const ExceptionPtr& E) {
      EXPECT_NE(StringToUtf8(E->GetMessage()).find("[line: "), std::string::npos) << length << ": " << StringToUtf8(E->GetMessage());
    }
  }
}
