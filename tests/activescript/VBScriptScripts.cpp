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
