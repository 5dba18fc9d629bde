#include "tests/activescript/ActiveScriptTestKit.h"

const TLanguageScripts& LuaScripts() {
  static const TLanguageScripts scripts{
      "Lua",
      slLua,
      u"Counter = 10\n"
      u"function Sum(a, b) return a + b end\n"
      u"function Count3(...) return select('#', ...) end\n"
      u"function Greet(s) return 'Hello, ' .. s end\n"
      u"function Unicode(s) return s .. '✓' end\n"
      u"function Bump() Named = Named + 1 end\n"
      u"function UsePublished() Add('x') return Count end\n"
      u"function CatchHost()\n"
      u"  local ok, err = pcall(function() return List[5] end)\n"
      u"  return err\n"
      u"end\n"
      u"function Sorted()\n"
      u"  local l = TStringList:Create()\n"
      u"  l:Add('b'); l:Add('a'); l:Add('c')\n"
      u"  l.Sorted = true\n"
      u"  local parts = {}\n"
      u"  for i = 0, l.Count - 1 do parts[#parts + 1] = l[i] end\n"
      u"  l:Free()\n"
      u"  return table.concat(parts, ',')\n"
      u"end\n"
      u"function SameObject()\n"
      u"  local l = TStringList:Create()\n"
      u"  l:AddObject('x', List)\n"
      u"  local same = rawequal(l.Objects[0], List)\n"
      u"  l:Free()\n"
      u"  return same and 'same' or 'different'\n"
      u"end\n"
      u"function Spin()\n"
      u"  Ready:Signal()\n"
      u"  while true do end\n"
      u"end\n",
      u"Counter * 2 + 1",
      u"x = 1\n"
      u"y = 2\n"
      u"z = )\n",
      "unexpected symbol near ')'",
      2,
      5,
      u"function Main()\n"
      u"  local t = nil\n"
      u"    return t.field\n"
      u"end\n",
      "attempt to index a nil value (local 't')",
      2,
      5,
  };
  return scripts;
}
