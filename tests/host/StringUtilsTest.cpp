// String routines: UTF conversion, ASCII and Unicode case, trimming, integers.
#include <gtest/gtest.h>

#include "host/core/SysUtils.h"
#include "tests/support/QelTestNames.h"

namespace {

TEST(Utf, RoundTripsAllPlanes) {
  const std::string utf8 = "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80";  // a é € 😀
  const String utf16 = u"a\u00E9\u20AC\U0001F600";
  EXPECT_EQ(Utf8ToString(utf8), utf16);
  EXPECT_EQ(StringToUtf8(utf16), utf8);
}

TEST(Utf, MalformedInputBecomesReplacementCharacters) {
  struct Case {
    std::string Utf8;
    String Utf16;
  };
  const Case cases[] = {
      {"\xFF", u"\uFFFD"},
      {"a\xC3", u"a\uFFFD"},              // truncated
      {"\xC0\xAF", u"\uFFFD\uFFFD"},      // overlong
      {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},  // encoded surrogate
      {"\xE2\x28\xA1", u"\uFFFD(\uFFFD"},
  };
  for (const Case& c : cases) EXPECT_EQ(Utf8ToString(c.Utf8), c.Utf16) << c.Utf8;
  EXPECT_EQ(StringToUtf8(String(1, u'\xD800')), "\xEF\xBF\xBD");
}

TEST(CaseMapping, AsciiRoutinesLeaveOtherLettersAlone) {
  EXPECT_EQ(UpperCase(u"abc\u00E9z"), u"ABC\u00E9Z");
  EXPECT_EQ(LowerCase(u"ABC\u00C9Z"), u"abc\u00C9z");
  EXPECT_TRUE(SameText(u"Hello", u"hELLO"));
  EXPECT_FALSE(SameText(u"\u00E9", u"\u00C9"));
  EXPECT_LT(CompareText(u"apple", u"BANANA"), 0);
  EXPECT_GT(CompareStr(u"apple", u"BANANA"), 0);  // ordinal: 'a' > 'B'
  EXPECT_EQ(CompareText(u"ab", u"AB"), 0);
  EXPECT_LT(CompareText(u"ab", u"abc"), 0);
}

TEST(CaseMapping, AnsiRoutinesUseFullUnicodeMapping) {
  EXPECT_EQ(AnsiUpperCase(u"stra\u00DFe"), u"STRASSE");
  EXPECT_EQ(AnsiUpperCase(u"i"), u"I");  // no dotted capital, whatever the locale
  EXPECT_EQ(AnsiLowerCase(u"I"), u"i");
  EXPECT_EQ(AnsiUpperCase(u"\u00E9t\u00E9"), u"\u00C9T\u00C9");
  EXPECT_EQ(AnsiLowerCase(u"\u0391\u0392\u0393"), u"\u03B1\u03B2\u03B3");
  EXPECT_EQ(AnsiUpperCase(u""), u"");
}

TEST(CaseMapping, AnsiComparisonIgnoresCaseOnlyWhenAsked) {
  EXPECT_EQ(AnsiCompareText(u"\u00E9t\u00E9", u"\u00C9T\u00C9"), 0);
  EXPECT_TRUE(AnsiSameText(u"Stra\u00DFe", u"STRA\u00DFE"));
  EXPECT_NE(AnsiCompareStr(u"abc", u"ABC"), 0);
  EXPECT_EQ(AnsiCompareStr(u"abc", u"abc"), 0);
  EXPECT_LT(AnsiCompareText(u"apple", u"Banana"), 0);
  EXPECT_LT(AnsiCompareText(u"\u00E9clair", u"zebra"), 0);  // linguistic, not code point order
  EXPECT_NE(AnsiCompareText(u"e", u"\u00E9"), 0);
}

TEST(Trimming, RemovesBlanksAndControls) {
  EXPECT_EQ(Trim(u" \t\r\n x y \x01"), u"x y");
  EXPECT_EQ(TrimLeft(u"  x  "), u"x  ");
  EXPECT_EQ(TrimRight(u"  x  "), u"  x");
  EXPECT_EQ(Trim(u"   "), u"");
}

TEST(Integers, IntToStr) {
  EXPECT_EQ(IntToStr(0), u"0");
  EXPECT_EQ(IntToStr(-123), u"-123");
  EXPECT_EQ(IntToStr(INT64_MIN), u"-9223372036854775808");
  EXPECT_EQ(IntToHex(255, 4), u"00FF");
  EXPECT_EQ(IntToHex(-1, 2), u"FFFFFFFFFFFFFFFF");
}

struct IntParseCase {
  const char16_t* Text;
  bool Valid;
  int Value;
};

void PrintTo(const IntParseCase& ACase, std::ostream* AOut) { *AOut << QelTestLabel(ACase.Text); }

class StrToIntCases : public testing::TestWithParam<IntParseCase> {};

TEST_P(StrToIntCases, ParsesOrRaises) {
  const IntParseCase& c = GetParam();
  int value = -999;
  EXPECT_EQ(TryStrToInt(c.Text, value), c.Valid);
  EXPECT_EQ(StrToIntDef(c.Text, -7), c.Valid ? c.Value : -7);
  if (c.Valid) {
    EXPECT_EQ(value, c.Value);
    EXPECT_EQ(StrToInt(c.Text), c.Value);
    return;
  }
  try {
    StrToInt(c.Text);
    FAIL() << "no exception";
  } catch (const ExceptionPtr& e) {
    EXPECT_TRUE(e->Is<EConvertError>());
    EXPECT_EQ(e->GetMessage(), u"'" + String(c.Text) + u"' is not a valid integer value");
  }
}

INSTANTIATE_TEST_SUITE_P(Table, StrToIntCases,
                         testing::Values(IntParseCase{u"42", true, 42}, IntParseCase{u"-42", true, -42},
                                         IntParseCase{u"+7", true, 7}, IntParseCase{u" 12", true, 12},
                                         IntParseCase{u"$FF", true, 255}, IntParseCase{u"0x1f", true, 31},
                                         IntParseCase{u"-$10", true, -16}, IntParseCase{u"$FFFFFFFF", true, -1},
                                         IntParseCase{u"2147483647", true, 2147483647},
                                         IntParseCase{u"-2147483648", true, INT32_MIN},
                                         IntParseCase{u"2147483648", false, 0}, IntParseCase{u"", false, 0},
                                         IntParseCase{u"12a", false, 0}, IntParseCase{u"$", false, 0},
                                         IntParseCase{u"1 2", false, 0}, IntParseCase{u"$1FFFFFFFF", false, 0},
                                         IntParseCase{u"--1", false, 0},
                                         // Trailing blanks are no part of a number.
                                         IntParseCase{u" 12 ", false, 0}, IntParseCase{u"12 ", false, 0}));

TEST(Integers, Int64Range) {
  int64_t value = 0;
  EXPECT_TRUE(TryStrToInt64(u"-9223372036854775808", value));
  EXPECT_EQ(value, INT64_MIN);
  EXPECT_FALSE(TryStrToInt64(u"9223372036854775808", value));
  EXPECT_EQ(StrToInt64Def(u"x", 5), 5);
}

TEST(Identifiers, IsValidIdent) {
  EXPECT_TRUE(IsValidIdent(u"Button1"));
  EXPECT_TRUE(IsValidIdent(u"_x"));
  EXPECT_FALSE(IsValidIdent(u"1Button"));
  EXPECT_FALSE(IsValidIdent(u"my button"));
  EXPECT_FALSE(IsValidIdent(u""));
}

}  // namespace
