// qelrun's command line: options anywhere, values in both forms, "--", positional words, and
// the REPL's reading of where an entry ends.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/qelrun/QelRunOptions.h"
#include "tools/qelrun/QelRunRepl.h"

namespace {

struct TParseCase {
  std::vector<const char*> Words;
  const char* Problem;  // nullptr: parses
  const char* File;
  const char* Proc;
  std::vector<std::string> Args, Evals;
  const char* Lang;
};

TEST(QelRunOptions, Parse) {
  const TParseCase cases[] = {
      {{"a.pas"}, nullptr, "a.pas", "", {}, {}, ""},
      {{"a.pas", "P", "1", "2"}, nullptr, "a.pas", "P", {"1", "2"}, {}, ""},
      {{"a.pas", "--lang", "Pascal", "P"}, nullptr, "a.pas", "P", {}, {}, "Pascal"},
      {{"--lang=NativeVb", "a.vbs"}, nullptr, "a.vbs", "", {}, {}, "NativeVb"},
      {{"-e", "1", "--eval", "2", "--eval=3"}, nullptr, "", "", {}, {"1", "2", "3"}, ""},
      {{"-", "P", "-7"}, nullptr, "-", "P", {"-7"}, {}, ""},
      {{"a.pas", "--", "--lang", "-e"}, nullptr, "a.pas", "--lang", {"-e"}, {}, ""},
      {{"--lang"}, "option '--lang' needs NAME", "", "", {}, {}, ""},
      {{"-q"}, "unknown option '-q'", "", "", {}, {}, ""},
      {{"--version=2"}, "option '--version' takes no value", "", "", {}, {}, ""},
  };
  for (const TParseCase& c : cases) {
    SCOPED_TRACE(c.Words.empty() ? "" : c.Words[0]);
    TRunOptions options;
    const std::optional<std::string> problem = QelParseRunArgs(c.Words, options);
    EXPECT_EQ(problem.value_or("(none)"), c.Problem ? c.Problem : "(none)");
    if (problem) continue;
    EXPECT_EQ(options.File, c.File);
    EXPECT_EQ(options.Proc, c.Proc);
    EXPECT_EQ(options.Args, c.Args);
    EXPECT_EQ(options.Evals, c.Evals);
    EXPECT_EQ(options.Lang, c.Lang);
  }
}

TEST(QelRunOptions, UsageListsEveryOption) {
  const std::string usage = QelRunUsage();
  for (const TRunOption& option : QelRunOptionTable()) {
    EXPECT_NE(usage.find(option.Long), std::string::npos) << option.Long;
    EXPECT_NE(usage.find(option.Help), std::string::npos) << option.Long;
  }
}

TEST(QelRunRepl, EntryKinds) {
  const std::pair<const char16_t*, TReplEntryKind> cases[] = {
      {u"1 + 2", rekCode},
      {u"x := 5;", rekCode},
      {u"begin", rekIncomplete},
      {u"begin\r\n  x := 1;\r\nend", rekCode},
      {u"try x := 1; except", rekIncomplete},
      {u"try x := 1; except end;", rekCode},
      {u"repeat x := x + 1;", rekIncomplete},
      {u"repeat x := x + 1; until x > 3", rekCode},
      {u"case x of 1: y := 2;", rekIncomplete},
      {u"s := 'begin'; // begin", rekCode},  // words in strings and comments do not count
      {u"var x = 5;", rekDeclaration},
      {u"const Limit = 3;", rekDeclaration},
      {u"function Twice(x);", rekIncomplete},  // the body is still to come
      {u"function Twice(x);\r\nbegin Result := x * 2; end;", rekDeclaration},
      {u"procedure P; var a; begin a := 1; end;", rekDeclaration},
      {u"s := 'open", rekCode},  // the compiler reports the broken string
  };
  for (const auto& [text, kind] : cases) EXPECT_EQ(QelReplEntryKind(text), kind) << StringToUtf8(text);
}

}  // namespace
