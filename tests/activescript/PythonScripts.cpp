#include "tests/activescript/ActiveScriptTestKit.h"

const TLanguageScripts& PythonScripts() {
  static const TLanguageScripts scripts{
      "Python",
      slPython,
      u"Counter = 10\n"
      u"def Sum(a, b):\n"
      u"    return a + b\n"
      u"def Count3(*args):\n"
      u"    return len(args)\n"
      u"def Greet(s):\n"
      u"    return 'Hello, ' + s\n"
      u"def Unicode(s):\n"
      u"    return s + '✓'\n"
      u"def Bump():\n"
      u"    global Named\n"
      u"    Named = Named + 1\n"
      u"def UsePublished():\n"
      u"    Add('x')\n"
      u"    return Count\n"
      u"def CatchHost():\n"
      u"    try:\n"
      u"        return List[5]\n"
      u"    except HostError as e:\n"
      u"        return str(e)\n"
      u"def Sorted():\n"
      u"    l = TStringList.Create()\n"
      u"    l.Add('b'); l.Add('a'); l.Add('c')\n"
      u"    l.Sorted = True\n"
      u"    parts = [l[i] for i in range(l.Count)]\n"
      u"    l.Free()\n"
      u"    return ','.join(parts)\n"
      u"def SameObject():\n"
      u"    l = TStringList.Create()\n"
      u"    l.AddObject('x', List)\n"
      u"    same = l.Objects[0] is List\n"
      u"    l.Free()\n"
      u"    return 'same' if same else 'different'\n"
      u"def Spin():\n"
      u"    Ready.Signal()\n"
      u"    while True:\n"
      u"        pass\n",
      u"Counter * 2 + 1",
      u"x = 1\n"
      u"y = 2\n"
      u"z = )\n",
      "unmatched ')'",
      2,
      5,
      u"def Main():\n"
      u"    t = None\n"
      u"    return 1 + t.field\n",
      "AttributeError: 'NoneType' object has no attribute 'field'",
      2,
      16,
  };
  return scripts;
}
