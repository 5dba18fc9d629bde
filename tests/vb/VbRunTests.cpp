// Running VB scripts on the machine: emitted shapes observed through their results, error
// positions, and a mutation fuzz of the corpus through the compiler.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "engine/vm/QelSctVM.h"
#include "tests/vb/VbTestUtil.h"
#include "tests/support/QelTestNames.h"

namespace {

std::u16string Crlf(const std::string& AText) {
  std::string text;
  for (char c : AText) {
    if (c == '\n') text += '\r';
    text += c;
  }
  return U16(text);
}

struct TRunCase {
  std::string Source;
  std::vector<std::string> Output;
};

void PrintTo(const TRunCase& ACase, std::ostream* AOut) { *AOut << QelTestLabel(ACase.Source); }

class VbRuns : public ::testing::TestWithParam<TRunCase> {};

TEST_P(VbRuns, PrintsWhatTheDialectDefines) {
  const TScriptRunResult r = RunVbScript(Crlf(GetParam().Source));
  EXPECT_FALSE(r.Failed) << r.Error;
  EXPECT_EQ(r.Output, GetParam().Output);
}

// And/Or are bitwise on numbers (in values and in conditions), short-circuit on Booleans.
INSTANTIATE_TEST_SUITE_P(
    Table, VbRuns,
    ::testing::Values(
        TRunCase{"MessageList.Lines.Add 12 And 10", {"8"}},
        TRunCase{"MessageList.Lines.Add 12 Or 10", {"14"}},
        TRunCase{"Dim a : a = 6\nMessageList.Lines.Add a And 3", {"2"}},
        TRunCase{"Dim a : a = 6\nIf a And 1 Then MessageList.Lines.Add 1 : Else MessageList.Lines.Add 0", {"0"}},
        TRunCase{"If Not 5 Then MessageList.Lines.Add \"then\"", {"then"}},
        TRunCase{"Dim a : a = True\nIf Not a Then MessageList.Lines.Add 1 : Else MessageList.Lines.Add 2", {"2"}},
        TRunCase{"Dim a : a = 0\nMessageList.Lines.Add a Or 5", {"5"}},
        TRunCase{"MessageList.Lines.Add 1 < 2 Or Nobody()", {"True"}},
        TRunCase{"MessageList.Lines.Add 1 > 2 And Nobody()", {"False"}},
        TRunCase{"Do While True\nMessageList.Lines.Add 1\nExit Do\nLoop", {"1"}},
        TRunCase{"Dim i\nFor i = 1 To 3\nDim x\nx = x & i\nNext\nMessageList.Lines.Add x", {"123"}},
        TRunCase{"Function F(a)\nF = a * 2\nEnd Function\nMessageList.Lines.Add F(21)", {"42"}},
        TRunCase{"Function F\nTry\nReturn 1\nFinally\nMessageList.Lines.Add \"f\"\nEnd Try\nEnd Function\n"
                 "MessageList.Lines.Add F()", {"f", "1"}},
        TRunCase{"Function F\nTry\nThrow \"x\"\nCatch\nExit Function\nEnd Try\nF = 2\nEnd Function\n"
                 "MessageList.Lines.Add IsEmpty(F())", {"True"}},
        TRunCase{"Dim i\nDo\ni = i + 1\nTry\nIf i = 3 Then Exit Do\nFinally\nMessageList.Lines.Add i\nEnd Try\nLoop",
                 {"1", "2", "3"}},
        TRunCase{"Return\nMessageList.Lines.Add 1", {}},
        TRunCase{"Sub S(ByVal a)\na = 5\nEnd Sub\nDim v : v = 1 : S v : MessageList.Lines.Add v", {"1"}},
        TRunCase{"Sub S(a)\na = 5\nEnd Sub\nDim v : v = 1 : S v : MessageList.Lines.Add v", {"5"}},
        TRunCase{"Dim a(1)\na(0) = 3\nReDim Preserve a(2)\nMessageList.Lines.Add a(0) & UBound(a)", {"32"}},
        TRunCase{"MessageList.Lines.Add StrComp(\"a\", \"b\") & StrComp(\"b\", \"a\") & StrComp(\"A\", \"a\", 1)",
                 {"-110"}}));

struct TErrorCase {
  std::string Source;
  std::string Error;
  int Line, Pos;
};

void PrintTo(const TErrorCase& ACase, std::ostream* AOut) { *AOut << QelTestLabel(ACase.Source); }

class VbRunErrors : public ::testing::TestWithParam<TErrorCase> {};

TEST_P(VbRunErrors, ReportsTheStatementsPosition) {
  const TErrorCase& c = GetParam();
  const TScriptRunResult r = RunVbScript(Crlf(c.Source));
  EXPECT_TRUE(r.Failed);
  EXPECT_EQ(r.Error, c.Error);
  EXPECT_EQ(r.Line, c.Line);
  EXPECT_EQ(r.Pos, c.Pos);
}

// An assignment fails at its "=", a call at the end of the called name.
INSTANTIATE_TEST_SUITE_P(
    Table, VbRunErrors,
    ::testing::Values(
        TErrorCase{"Dim x\nx = 1\nNobody.Field = 2", "Undeclared identifier: 'Nobody'", 3, 6},
        TErrorCase{"Dim o\nSet o = Nothing\no.Field = 2", "Object required but nil found", 3, 9},
        TErrorCase{"Dim i\nFor i = 1 To 2\n  Missing i\nNext", "Undeclared identifier: 'Missing'", 3, 9},
        TErrorCase{"Throw \"boom\"", "boom", 1, 5}));

// Mutations of every corpus script go through the compiler (never run: a mutation may loop);
// each one compiles or fails with a positioned compile error.
TEST(VbFuzz, MutatedCorpusCompilesOrFailsCleanly) {
  std::vector<std::string> sources;
  for (const auto& entry : std::filesystem::directory_iterator(QEL_SCRIPTS_DIR)) {
    if (entry.path().extension() != ".vb") continue;
    std::ifstream in(entry.path(), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    sources.push_back(text.str());
  }
  ASSERT_FALSE(sources.empty());
  std::mt19937 random(20261211);
  const char* inserts[] = {"(", ")", "\"", "#", "[", "_", "\r\n", ":", "End ", "If ", "Try\r\n",
                           "Next", ",", "\xff", "&", "Catch", "=", ".", "New ", "Loop"};
  int compiled = 0, refused = 0;
  for (int round = 0; round < 600; ++round) {
    std::string s = sources[random() % sources.size()];
    for (int edits = 1 + int(random() % 4); edits > 0 && !s.empty(); --edits) {
      const size_t at = random() % s.size();
      switch (random() % 4) {
        case 0: s.erase(at, 1 + random() % 8); break;
        case 1: s.insert(at, inserts[random() % std::size(inserts)]); break;
        case 2: s.resize(at); break;  // truncated
        default: s[at] = char(random() % 256); break;
      }
    }
    TQelVirtMachine vm(QelVbLanguage());
    try {
      vm.Initialize(U16(s));
      ++compiled;
    } catch (const ExceptionPtr& e) {
      auto* error = dynamic_cast<EQelCompileBase*>(e.Get());
      ASSERT_NE(error, nullptr) << StringToUtf8(e->GetMessage());
      EXPECT_GT(error->FSourcePos, 0);
      ++refused;
    }
  }
  EXPECT_GT(compiled, 0);
  EXPECT_GT(refused, 0);
}

}  // namespace
