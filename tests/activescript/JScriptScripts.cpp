#include "tests/activescript/ActiveScriptTestKit.h"

const TLanguageScripts& JScriptScripts() {
  static const TLanguageScripts scripts{
      "JScript",
      slJScript,
      u"var Counter = 10;\n"
      u"function Sum(a, b) { return a + b; }\n"
      u"function Count3() { return arguments.length; }\n"
      u"function Greet(s) { return 'Hello, ' + s; }\n"
      u"function Unicode(s) { return s + '✓'; }\n"
      u"function Bump() { Named = Named + 1; }\n"
      u"function UsePublished() { Add('x'); return Count; }\n"
      u"function CatchHost() {\n"
      u"  try { return List[5]; } catch (e) { return e.message; }\n"
      u"}\n"
      u"function Sorted() {\n"
      u"  var l = TStringList.Create();\n"
      u"  l.Add('b'); l.Add('a'); l.Add('c');\n"
      u"  l.Sorted = true;\n"
      u"  var parts = [];\n"
      u"  for (var i = 0; i < l.Count; i++) parts.push(l[i]);\n"
      u"  l.Free();\n"
      u"  return parts.join(',');\n"
      u"}\n"
      u"function SameObject() {\n"
      u"  var l = TStringList.Create();\n"
      u"  l.AddObject('x', List);\n"
      u"  var same = l.Objects[0] === List;\n"
      u"  l.Free();\n"
      u"  return same ? 'same' : 'different';\n"
      u"}\n"
      u"function Spin() {\n"
      u"  Ready.Signal();\n"
      u"  for (;;) {}\n"
      u"}\n",
      u"Counter * 2 + 1",
      u"var x = 1;\n"
      u"var y = 2;\n"
      u"var z = );\n",
      "SyntaxError: Expected token `numeric literal'",
      2,
      1,
      u"function Main() {\n"
      u"  var t = null;\n"
      u"    return t.field;\n"
      u"}\n",
      "TypeError: Cannot read property 'field' of null",
      2,
      5,
  };
  return scripts;
}
