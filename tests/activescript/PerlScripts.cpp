#include "tests/activescript/ActiveScriptTestKit.h"

namespace {

const TLanguageScripts& PerlScripts() {
  static const TLanguageScripts scripts{
      "Perl",
      slPerl,
      u"$Counter = 10;\n"
      u"sub Sum { my ($x, $y) = @_; return $x + $y; }\n"
      u"sub Count3 { return scalar(@_); }\n"
      u"sub Greet { return \"Hello, $_[0]\"; }\n"
      u"sub Unicode { return $_[0] . \"✓\"; }\n"
      u"sub Bump { $Named++; }\n"
      u"sub UsePublished { Add(\"x\"); return Count(); }\n"
      u"sub CatchHost {\n"
      u"  eval { $List->Strings(5) };\n"
      u"  return $@;\n"
      u"}\n"
      u"sub Sorted {\n"
      u"  my $l = $TStringList->Create();\n"
      u"  $l->Add(\"b\"); $l->Add(\"a\"); $l->Add(\"c\");\n"
      u"  $l->{Sorted} = 1;\n"
      u"  my @parts = map { $l->{Strings}[$_] } 0 .. $l->{Count} - 1;\n"
      u"  $l->Free();\n"
      u"  return join(\",\", @parts);\n"
      u"}\n"
      u"sub SameObject {\n"
      u"  my $l = $TStringList->Create();\n"
      u"  $l->AddObject(\"x\", $List);\n"
      u"  my $same = $l->Objects(0) == $List;\n"
      u"  $l->Free();\n"
      u"  return $same ? \"same\" : \"different\";\n"
      u"}\n"
      u"sub Spin {\n"
      u"  $Ready->Signal();\n"
      u"  while (1) { eval { 1 while 1 }; }\n"
      u"}\n",
      u"$Counter * 2 + 1",
      u"$x = 1;\n"
      u"$y = 2;\n"
      u"$z = (1 + ;\n",
      "syntax error",
      2,
      1,
      u"sub Main {\n"
      u"  my $t = 0;\n"
      u"    my $x = 1 / $t;\n"
      u"}\n",
      "Illegal division by zero",
      2,
      5,
  };
  return scripts;
}

}  // namespace

INSTANTIATE_TEST_SUITE_P(PerlEngine, ActiveScriptTest, ::testing::Values(&PerlScripts()),
                         [](const auto& AInfo) { return std::string(AInfo.param->Name); });
