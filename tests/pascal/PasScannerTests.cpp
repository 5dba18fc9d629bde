// The scanner: tokens, literal forms, positions, messages.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tests/pascal/PasTestUtil.h"
#include "tests/support/QelTestNames.h"

namespace {

struct TTok {
  TQelPasToken Kind;
  std::string Text = {};  // identifier, keyword or string contents
  int32_t Int = 0;
  double Float = 0;
};

struct TScanCase {
  std::string Source;
  std::vector<TTok> Tokens;  // up to, not including, end of file
};

std::vector<TTok> ScanAll(const std::u16string& ASource) {
  TQelPasScanner s(true);
  s.Start(ASource);
  std::vector<TTok> result;
  while (s.FToken != ptEOf) {
    result.push_back({s.FToken, StringToUtf8(s.FSData), s.FIData, double(s.FFData)});
    s.SkipToken();
  }
  return result;
}

void PrintTo(const TScanCase& ACase, std::ostream* AOut) { *AOut << QelTestLabel(ACase.Source); }

class ScannerTokens : public ::testing::TestWithParam<TScanCase> {};

TEST_P(ScannerTokens, ScansAsExpected) {
  const TScanCase& c = GetParam();
  const std::vector<TTok> got = ScanAll(U16(c.Source));
  ASSERT_EQ(got.size(), c.Tokens.size()) << c.Source;
  for (size_t i = 0; i < got.size(); ++i) {
    const TTok& want = c.Tokens[i];
    EXPECT_EQ(got[i].Kind, want.Kind) << c.Source << " token " << i;
    switch (want.Kind) {
      case ptCInteger: EXPECT_EQ(got[i].Int, want.Int) << c.Source; break;
      case ptCFloat: EXPECT_DOUBLE_EQ(got[i].Float, want.Float) << c.Source; break;
      case ptIdentifier:
      case ptCString: EXPECT_EQ(got[i].Text, want.Text) << c.Source; break;
      default: break;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, ScannerTokens,
    ::testing::Values(
        TScanCase{"", {}},
        TScanCase{"Var VAR var", {{ptVar}, {ptVar}, {ptVar}}},
        TScanCase{"Exit Result begin", {{ptIdentifier, "Exit"}, {ptIdentifier, "Result"}, {ptBegin}}},
        TScanCase{"x:=1..2", {{ptIdentifier, "x"}, {ptAssignment}, {ptCInteger, "", 1}, {ptDoublePeriod}, {ptCInteger, "", 2}}},
        TScanCase{"1.5..2", {{ptCFloat, "", 0, 1.5}, {ptDoublePeriod}, {ptCInteger, "", 2}}},
        TScanCase{"1.", {{ptCFloat, "", 0, 1.0}}},
        TScanCase{"2.5e3 1E-2 7e+1", {{ptCFloat, "", 0, 2500}, {ptCFloat, "", 0, 0.01}, {ptCFloat, "", 0, 70}}},
        TScanCase{"2147483647", {{ptCInteger, "", 2147483647}}},
        TScanCase{"$80000000 $FFFFFFFF $0000000ff", {{ptCInteger, "", INT32_MIN}, {ptCInteger, "", -1}, {ptCInteger, "", 255}}},
        TScanCase{"'It''s'", {{ptCString, "It's"}}},
        TScanCase{"''", {{ptCString, ""}}},
        TScanCase{"#65#66", {{ptCString, "AB"}}},
        TScanCase{"#$263A", {{ptCString, "\u263A"}}},
        TScanCase{"'a'#13#10'b'", {{ptCString, "a\r\nb"}}},
        TScanCase{"'a' 'b'", {{ptCString, "a"}, {ptCString, "b"}}},
        TScanCase{"'\u20AC\u00E4'", {{ptCString, "\u20AC\u00E4"}}},
        TScanCase{"ab\u20ACcd", {{ptIdentifier, "ab"}, {ptIdentifier, "cd"}}},
        TScanCase{"a { x } b (* y *) c // z\r\nd", {{ptIdentifier, "a"}, {ptIdentifier, "b"}, {ptIdentifier, "c"}, {ptIdentifier, "d"}}},
        TScanCase{"a { never closed", {{ptIdentifier, "a"}}},
        TScanCase{"a (* never closed", {{ptIdentifier, "a"}}},
        TScanCase{"( ) [ ] . .. , ; : := @ = <> < <= > >= + - * /",
                  {{ptOpenRound}, {ptCloseRound}, {ptOpenBlock}, {ptCloseBlock}, {ptPeriod},
                   {ptDoublePeriod}, {ptComma}, {ptSemiColon}, {ptColon}, {ptAssignment},
                   {ptReference}, {ptEqual}, {ptNotEqual}, {ptLess}, {ptLessEqual}, {ptGreater},
                   {ptGreaterEqual}, {ptPlus}, {ptMinus}, {ptMultiply}, {ptDivide}}},
        TScanCase{"and DIV In is Mod not Or shl SHR xor",
                  {{ptAnd}, {ptDiv}, {ptIn}, {ptIs}, {ptMod}, {ptNot}, {ptOr}, {ptShl}, {ptShr}, {ptXor}}},
        TScanCase{"array case const do downto else end except finally for function if nil of on out "
                  "procedure raise repeat then to try until uses var while",
                  {{ptArray}, {ptCase}, {ptConst}, {ptDo}, {ptDownto}, {ptElse}, {ptEnd}, {ptExcept},
                   {ptFinally}, {ptFor}, {ptFunction}, {ptIf}, {ptNil}, {ptOf}, {ptOn}, {ptOut},
                   {ptProcedure}, {ptRaise}, {ptRepeat}, {ptThen}, {ptTo}, {ptTry}, {ptUntil},
                   {ptUses}, {ptVar}, {ptWhile}}},
        TScanCase{"_a1 program type with", {{ptIdentifier, "_a1"}, {ptIdentifier, "program"}, {ptIdentifier, "type"}, {ptIdentifier, "with"}}}));

using TScanError = TCompileErrorCase;

class ScannerErrors : public ::testing::TestWithParam<TScanError> {};

TEST_P(ScannerErrors, RaisesPositionedError) {
  const TScanError& c = GetParam();
  ExpectCompileError(c, [&] { ScanAll(U16(c.Source)); });
}

INSTANTIATE_TEST_SUITE_P(
    Table, ScannerErrors,
    ::testing::Values(
        TScanError{"x ?", "Illegal character: '?' ($3F)", 3},
        TScanError{"\u00E4", "Illegal character: '\u00E4' ($E4)", 1},
        TScanError{"a \"b\"", "Illegal character: '\"' ($22)", 3},
        TScanError{"!", "Illegal character: '!' ($21)", 1},
        TScanError{"  }", "Illegal character: '}' ($7D)", 3},
        TScanError{"\\", "Illegal character: '\\' ($5C)", 1},
        TScanError{"2147483648", "Syntax error in integer constant", 10},
        TScanError{"x := 99999999999 + 1", "Syntax error in integer constant", 16},
        TScanError{"$", "Syntax error in integer constant", 1},
        TScanError{"a $x", "Syntax error in integer constant", 3},
        TScanError{"$100000000", "Syntax error in integer constant", 10},
        TScanError{"'a'#", "Syntax error in integer constant", 4},
        TScanError{"#x", "Syntax error in integer constant", 1},
        TScanError{"1.2.3", "Syntax error in float constant", 5},
        TScanError{"1E", "Syntax error in float constant", 2},
        TScanError{"'abc", "Unterminated string", 4},
        TScanError{"x := 'ab\r\ncd'", "Unterminated string", 8},
        TScanError{"'ab\ncd'", "Unterminated string", 3},
        TScanError{"'x''", "Unterminated string", 4}));

TEST(Scanner, EmptySourceIsEndOfFileAtPositionOne) {
  TQelPasScanner s(true);
  s.Start(u"");
  EXPECT_EQ(s.FToken, ptEOf);
  EXPECT_EQ(s.FTokenStartPos, 1);
  EXPECT_EQ(s.FTokenEndPos, 1);
}

TEST(Scanner, PositionsAreOneBasedFirstAndLastCharacter) {
  TQelPasScanner s(true);
  s.Start(u"  begin x:=12;");
  struct {
    TQelPasToken Kind;
    int Start, End;
  } const want[] = {{ptBegin, 3, 7}, {ptIdentifier, 9, 9}, {ptAssignment, 10, 11},
                    {ptCInteger, 12, 13}, {ptSemiColon, 14, 14}, {ptEOf, 15, 15}};
  for (const auto& w : want) {
    EXPECT_EQ(s.FToken, w.Kind);
    EXPECT_EQ(s.FTokenStartPos, w.Start);
    EXPECT_EQ(s.FTokenEndPos, w.End);
    s.SkipToken();
  }
}

TEST(Scanner, CommentsAreTokensWhenNotSkipped) {
  TQelPasScanner s(false);
  s.Start(u"{a} (*b*) //c");
  std::vector<std::u16string> texts;
  while (s.FToken == ptComment) {
    texts.push_back(s.FSData);
    s.SkipToken();
  }
  EXPECT_EQ(texts, (std::vector<std::u16string>{u"{a}", u"(*b*)", u"//c"}));
  EXPECT_EQ(s.FToken, ptEOf);
}

TEST(Scanner, RollbackToSavepointRereadsTheSameToken) {
  TQelPasScanner s(true);
  s.Start(u"foo bar");
  s.SkipToken();
  const size_t save = s.GetSavepoint();
  s.SkipToken();
  ASSERT_EQ(s.FToken, ptEOf);
  s.Rollback(save);
  EXPECT_EQ(s.FToken, ptIdentifier);
  EXPECT_EQ(s.FSData, u"bar");
  EXPECT_EQ(s.FTokenStartPos, 5);
  EXPECT_EQ(s.FTokenEndPos, 7);
}

TEST(Scanner, TokenToStrQuotesTheDescription) {
  EXPECT_EQ(TQelPasScanner::TokenToStr(ptEOf), u"'end of file'");
  EXPECT_EQ(TQelPasScanner::TokenToStr(ptPeriod), u"'.'");
  EXPECT_EQ(TQelPasScanner::TokenToStr(ptBegin), u"'begin'");
}

TEST(Scanner, LongLiteralsAndBinaryTextNeverCrash) {
  std::u16string huge = u"'" + std::u16string(200000, u'x') + u"'";
  EXPECT_EQ(ScanAll(huge).at(0).Text.size(), 200000u);
  std::u16string digits(5000, u'9');
  EXPECT_TRUE(CatchCompileError([&] { ScanAll(digits); }).has_value());
  // An embedded zero ends the text.
  std::u16string withZero = u"a b";
  withZero[1] = 0;
  EXPECT_EQ(ScanAll(withZero).size(), 1u);
  for (int seed = 0; seed < 200; ++seed) {
    std::u16string noise;
    unsigned x = unsigned(seed) * 2654435761u + 1;
    for (int i = 0; i < 64; ++i) {
      x = x * 1103515245u + 12345u;
      noise += char16_t((x >> 16) & 0x1FF);
    }
    try {
      ScanAll(noise);
    } catch (const ExceptionPtr& e) {
      EXPECT_NE(dynamic_cast<EQelPasCompiler*>(e.Get()), nullptr);
    }
  }
}

}  // namespace
