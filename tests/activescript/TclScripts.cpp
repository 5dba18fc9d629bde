#include "tests/activescript/ActiveScriptTestKit.h"

namespace {

const TLanguageScripts& TclScripts() {
  static const TLanguageScripts scripts{
      "Tcl",
      slTCL,
      u"set Counter 10\n"
      u"proc Sum {a b} { expr {$a + $b} }\n"
      u"proc Count3 {args} { llength $args }\n"
      u"proc Greet {s} { return \"Hello, $s\" }\n"
      u"proc Unicode {s} { return \"$s✓\" }\n"
      u"proc Bump {} { global Named; incr Named }\n"
      u"proc UsePublished {} { Add x; Count }\n"
      u"proc CatchHost {} {\n"
      u"  catch {List 5} message\n"
      u"  return $message\n"
      u"}\n"
      u"proc Sorted {} {\n"
      u"  set l [TStringList Create]\n"
      u"  $l Add b; $l Add a; $l Add c\n"
      u"  $l -set Sorted 1\n"
      u"  set parts {}\n"
      u"  for {set i 0} {$i < [$l Count]} {incr i} { lappend parts [$l $i] }\n"
      u"  $l Free\n"
      u"  return [join $parts ,]\n"
      u"}\n"
      u"proc SameObject {} {\n"
      u"  set l [TStringList Create]\n"
      u"  $l AddObject x $::List\n"
      u"  set same [expr {[$l Objects 0] eq $::List}]\n"
      u"  $l Free\n"
      u"  return [expr {$same ? \"same\" : \"different\"}]\n"
      u"}\n"
      u"proc Spin {} {\n"
      u"  Ready Signal\n"
      u"  while 1 {}\n"
      u"}\n",
      u"$Counter * 2 + 1",
      u"set x 1\n"
      u"set y 2\n"
      u"set z \"abc\"def\n",
      "extra characters after close-quote",
      2,
      12,
      u"proc Main {} {\n"
      u"  set t {}\n"
      u"    dict get $t field\n"
      u"}\n",
      "key \"field\" not known in dictionary",
      2,
      5,
  };
  return scripts;
}

}  // namespace

INSTANTIATE_TEST_SUITE_P(TclEngine, ActiveScriptTest, ::testing::Values(&TclScripts()),
                         [](const auto& AInfo) { return std::string(AInfo.param->Name); });
