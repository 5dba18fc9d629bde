// The VB scanner: token sequences, literal values, and every scanner message with its position.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/vb/VbTestUtil.h"
#include "tests/support/QelTestNames.h"

namespace {

std::vector<TQelVbToken> Tokens(const std::string& ASource) {
  TVBScanner scanner(true);
  scanner.Start(U16(ASource));
  std::vector<TQelVbToken> tokens;
  while (scanner.FToken != ptEOf) {
    tokens.push_back(scanner.FToken);
    scanner.SkipToken();
  }
  return tokens;
}

struct TTokensCase {
  std::string Source;
  std::vector<TQelVbToken> Tokens;
};

void PrintTo(const TTokensCase& ACase, std::ostream* AOut) { *AOut << QelTestLabel(ACase.Source); }

class ScannerTokens : public ::testing::TestWithParam<TTokensCase> {};

TEST_P(ScannerTokens, GivesTheSequence) {
  EXPECT_EQ(Tokens(GetParam().Source), GetParam().Tokens);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ScannerTokens,
    ::testing::Values(
        TTokensCase{"", {ptEOl}},
        TTokensCase{"x = 1 ' note", {ptIdentifier, ptEqual, ptCInteger, ptEOl}},
        TTokensCase{"a\r\n", {ptIdentifier, ptEOl, ptEOl}},
        TTokensCase{"A = B _\r\n + C", {ptIdentifier, ptEqual, ptIdentifier, ptPlus, ptIdentifier, ptEOl}},
        TTokensCase{"a _", {ptIdentifier, ptEOl}},
        TTokensCase{"a _\nb", {ptIdentifier, ptIdentifier, ptEOl}},
        TTokensCase{"Dim DIM dim [Dim]", {ptDim, ptDim, ptDim, ptIdentifier, ptEOl}},
        TTokensCase{"Select Case ElseIf", {prSelect, ptCase, ptElseIf, ptEOl}},
        TTokensCase{"a&b a & b", {ptIdentifier, ptCInteger, ptIdentifier, ptStrConcat, ptIdentifier, ptEOl}},
        TTokensCase{"&H10", {ptStrConcat, ptIdentifier, ptEOl}},
        TTokensCase{"<= <> < >= > =", {ptLessEqual, ptNotEqual, ptLess, ptGreaterEqual, ptGreater, ptEqual, ptEOl}},
        TTokensCase{"ab\u20accd", {ptIdentifier, ptIdentifier, ptEOl}},
        TTokensCase{"x : y", {ptIdentifier, ptColon, ptIdentifier, ptEOl}},
        TTokensCase{"1. 1.5E3 2e-1", {ptCFloat, ptCFloat, ptCFloat, ptEOl}},
        TTokensCase{"#2021-12-31#", {ptCDate, ptEOl}}));

TEST(Scanner, LiteralValues) {
  TVBScanner scanner(true);
  auto first = [&](const char* ASource) {
    scanner.Start(U16(ASource));
    return scanner.FToken;
  };
  ASSERT_EQ(first("&FF"), ptCInteger);
  EXPECT_EQ(scanner.FIData, 255);
  first("&7FFFFFFF");
  EXPECT_EQ(scanner.FIData, 2147483647);
  first("&80000000");
  EXPECT_EQ(scanner.FIData, INT32_MIN);
  first("&FFFFFFFF");
  EXPECT_EQ(scanner.FIData, -1);
  ASSERT_EQ(first("1.5E3"), ptCFloat);
  EXPECT_EQ(double(scanner.FFData), 1500.0);
  ASSERT_EQ(first("\"say \"\"hi\"\"\""), ptCString);
  EXPECT_EQ(scanner.FSData, u"say \"hi\"");
  first("\"\"");
  EXPECT_EQ(scanner.FSData, u"");
  first("[my var]");
  EXPECT_EQ(scanner.FSData, u"my var");
  // 28 February 2021 is day 44255; 13:05:30 is 47130 seconds into it.
  ASSERT_EQ(first("#2021-2-28 1:05:30 PM#"), ptCDate);
  EXPECT_NEAR(scanner.FDData, 44255 + 47130.0 / 86400, 1e-9);
  first("#99-1-2#");
  EXPECT_EQ(scanner.FDData, 36162);  // 2 January 1999
  first("#1:30 PM 2021-1-5#");
  EXPECT_NEAR(scanner.FDData, 44201 + 13.5 / 24, 1e-9);
  first("#2021/12/31 23:59:00#");
  EXPECT_NEAR(scanner.FDData, 44561 + (23 * 60 + 59) / 1440.0, 1e-9);
  first("#2000-1-1 12:00 AM#");
  EXPECT_NEAR(scanner.FDData, 36526 + 0.5, 1e-9);
}

TEST(Scanner, EndsWithOneEndOfLineThenEndOfFile) {
  TVBScanner scanner(true);
  scanner.Start(u"");
  EXPECT_EQ(scanner.FToken, ptEOl);
  EXPECT_EQ(scanner.FTokenStartPos, 1);
  scanner.SkipToken();
  EXPECT_EQ(scanner.FToken, ptEOf);
  scanner.SkipToken();
  EXPECT_EQ(scanner.FToken, ptEOf);
}

class ScannerErrors : public ::testing::TestWithParam<TCompileErrorCase> {};

TEST_P(ScannerErrors, RaisesPositionedError) {
  const TCompileErrorCase& c = GetParam();
  ExpectCompileError(c, [&] {
    TVBScanner scanner(true);
    scanner.Start(U16(c.Source));
    while (scanner.FToken != ptEOf) scanner.SkipToken();
  });
}

INSTANTIATE_TEST_SUITE_P(
    Table, ScannerErrors,
    ::testing::Values(
        TCompileErrorCase{"a ! b", "Illegal character: '!' ($21)", 3},
        TCompileErrorCase{"$", "Illegal character: '$' ($24)", 1},
        TCompileErrorCase{"x \xC3\xA4", "Illegal character: '\xC3\xA4' ($E4)", 3},
        TCompileErrorCase{"a\nb", "Illegal character: '\n' ($A)", 2},
        TCompileErrorCase{"a _ 'c", "Illegal character: ''' ($27)", 5},
        TCompileErrorCase{"x = 2147483648", "Syntax error in integer constant", 14},
        TCompileErrorCase{"x = &100000000", "Syntax error in integer constant", 14},
        TCompileErrorCase{"x = 1.2.3", "Syntax error in float constant", 9},
        TCompileErrorCase{"x = 1E", "Syntax error in float constant", 6},
        TCompileErrorCase{"x = \"abc", "Unterminated string", 8},
        TCompileErrorCase{"x = \"ab\r\n\"", "Unterminated string", 7},
        TCompileErrorCase{"[abc", "Unterminated identifier", 4},
        TCompileErrorCase{"x = []", "Identifiers with empty name not supported", 5},
        TCompileErrorCase{"x = #2021-02-29#", "Syntax error in date constant", 16},
        TCompileErrorCase{"x = #2021-2-28 25:00#", "Syntax error in date constant", 21},
        TCompileErrorCase{"x = #10:30#", "Syntax error in date constant", 11},
        TCompileErrorCase{"x = #2021-1-1", "Syntax error in date constant", 13},
        TCompileErrorCase{"x = #2021 x#", "Syntax error in date constant", 10},
        TCompileErrorCase{"x = #1-1-1-1-1-1-1#", "Syntax error in date constant", 17},
        TCompileErrorCase{"x = #99999999999#", "Syntax error in date constant", 16}));

}  // namespace
