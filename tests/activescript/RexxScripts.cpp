#include "tests/activescript/ActiveScriptTestKit.h"

namespace {

const TLanguageScripts& RexxScripts() {
  static const TLanguageScripts scripts{
      "Rexx",
      slRexx,
      u"Counter = 10\n"
      u"exit\n"
      u"Sum: procedure; parse arg x, y; return x + y\n"
      u"Count3: return arg()\n"
      u"Greet: return 'Hello,' arg(1)\n"
      u"Unicode: return arg(1) || '✓'\n"
      u"Bump: Named = Named + 1; return\n"
      u"UsePublished: call Add 'x'; return Count()\n"
      u"CatchHost:\n"
      u"  signal on syntax name HostFailed\n"
      u"  x = QelGet(List, 'Strings', 5)\n"
      u"  return 'not caught'\n"
      u"HostFailed: return QelError()\n"
      u"Sorted:\n"
      u"  l = QelCall(TStringList, 'Create')\n"
      u"  call QelCall l, 'Add', 'b'; call QelCall l, 'Add', 'a'; call QelCall l, 'Add', 'c'\n"
      u"  call QelSet l, 'Sorted', 1\n"
      u"  parts = QelGet(l, 'Strings', 0)\n"
      u"  do i = 1 to QelGet(l, 'Count') - 1\n"
      u"    parts = parts || ',' || QelGet(l, 'Strings', i)\n"
      u"  end\n"
      u"  call QelCall l, 'Free'\n"
      u"  return parts\n"
      u"SameObject:\n"
      u"  l = QelCall(TStringList, 'Create')\n"
      u"  call QelCall l, 'AddObject', 'x', List\n"
      u"  same = QelGet(l, 'Objects', 0) == List\n"
      u"  call QelCall l, 'Free'\n"
      u"  if same then return 'same'\n"
      u"  return 'different'\n"
      u"Spin:\n"
      u"  call QelCall Ready, 'Signal'\n"
      u"  do forever; nop; end\n",
      u"Counter * 2 + 1",
      u"x = 1\n"
      u"y = 2\n"
      u"  z = (1 + 2\n",
      "Unmatched \"(\" in expression",
      2,
      3,
      u"exit\n"
      u"Main:\n"
      u"  t = 0\n"
      u"    x = 1 / t\n"
      u"  return x\n",
      "Arithmetic overflow",
      3,
      5,
  };
  return scripts;
}

}  // namespace

INSTANTIATE_TEST_SUITE_P(RexxEngine, ActiveScriptTest, ::testing::Values(&RexxScripts()),
                         [](const auto& AInfo) { return std::string(AInfo.param->Name); });
