// Reals and currency as text and back: FloatToStr, FloatToStrF, CurrToStr,
// StrToFloat, StrToCurr, and the rounding routines.
#include <cmath>
#include <limits>

#include "host/core/Math.h"
#include "tests/host/RtlTestSettings.h"
#include "tests/support/QelTestNames.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

struct FloatTextCase {
  double Value;
  const char16_t* Expected;
};

void PrintTo(const FloatTextCase& ACase, std::ostream* AOut) { *AOut << ACase.Value; }

class FloatToStrCases : public WithPinnedSettings<testing::TestWithParam<FloatTextCase>> {};

TEST_P(FloatToStrCases, GeneralFormatWithFifteenDigits) {
  EXPECT_EQ(StringToUtf8(FloatToStr(GetParam().Value)), StringToUtf8(GetParam().Expected));
}

INSTANTIATE_TEST_SUITE_P(
    Table, FloatToStrCases,
    testing::Values(FloatTextCase{0, u"0"}, FloatTextCase{-0.0, u"0"}, FloatTextCase{0.1, u"0.1"},
                    FloatTextCase{-1.5, u"-1.5"}, FloatTextCase{100, u"100"}, FloatTextCase{1e20, u"1E20"},
                    FloatTextCase{1.5e-7, u"1.5E-7"}, FloatTextCase{123456789012345.0, u"123456789012345"},
                    FloatTextCase{1234567890123456.0, u"1.23456789012346E15"},
                    FloatTextCase{999999999999999.0, u"999999999999999"}, FloatTextCase{1e15, u"1E15"},
                    FloatTextCase{1e16, u"1E16"}, FloatTextCase{1.0 / 3, u"0.333333333333333"},
                    FloatTextCase{2.0 / 3, u"0.666666666666667"}, FloatTextCase{0.1 + 0.2, u"0.3"},
                    FloatTextCase{0.0001, u"0.0001"}, FloatTextCase{0.00001, u"1E-5"},
                    FloatTextCase{std::numeric_limits<double>::max(), u"1.79769313486232E308"},
                    FloatTextCase{std::numeric_limits<double>::denorm_min(), u"4.94065645841247E-324"},
                    FloatTextCase{-1e-300, u"-1E-300"}, FloatTextCase{kNaN, u"NAN"}, FloatTextCase{kInf, u"INF"},
                    FloatTextCase{-kInf, u"-INF"}));

struct FloatFormatCase {
  double Value;
  TFloatFormat Format;
  int Precision;
  int Digits;
  const char16_t* Expected;
};

void PrintTo(const FloatFormatCase& ACase, std::ostream* AOut) {
  *AOut << ACase.Value << " format " << ACase.Format << " " << ACase.Precision << "," << ACase.Digits;
}

class FloatToStrFCases : public WithPinnedSettings<testing::TestWithParam<FloatFormatCase>> {};

TEST_P(FloatToStrFCases, FollowTheFormatPrecisionAndDigits) {
  const FloatFormatCase& c = GetParam();
  EXPECT_EQ(StringToUtf8(FloatToStrF(c.Value, c.Format, c.Precision, c.Digits)), StringToUtf8(c.Expected));
}

INSTANTIATE_TEST_SUITE_P(
    Table, FloatToStrFCases,
    testing::Values(FloatFormatCase{1234.5678, ffFixed, 15, 2, u"1234.57"},
                    FloatFormatCase{1234.5678, ffNumber, 15, 2, u"1,234.57"},
                    FloatFormatCase{12345.6, ffNumber, 15, 0, u"12,346"},
                    FloatFormatCase{-1234567.0, ffNumber, 15, 1, u"-1,234,567.0"},
                    FloatFormatCase{1234.5678, ffExponent, 4, 2, u"1.235E+03"},
                    FloatFormatCase{1234.5678, ffExponent, 15, 0, u"1.23456780000000E+3"},
                    FloatFormatCase{-0.0125, ffExponent, 3, 1, u"-1.25E-2"},
                    FloatFormatCase{1234.5678, ffGeneral, 4, 0, u"1235"},
                    FloatFormatCase{1234.5678, ffGeneral, 3, 0, u"1.23E3"},
                    FloatFormatCase{1234.5678, ffCurrency, 15, 2, u"$1,234.57"},
                    FloatFormatCase{-1234.5678, ffCurrency, 15, 2, u"($1,234.57)"},
                    FloatFormatCase{0.125, ffFixed, 15, 2, u"0.13"}, FloatFormatCase{-0.125, ffFixed, 15, 2, u"-0.13"},
                    FloatFormatCase{0.123456789, ffFixed, 4, 6, u"0.123500"},
                    FloatFormatCase{-0.001, ffFixed, 15, 2, u"0.00"}, FloatFormatCase{9.9951, ffFixed, 15, 2, u"10.00"},
                    FloatFormatCase{1e20, ffFixed, 15, 2, u"1E20"}, FloatFormatCase{kNaN, ffFixed, 15, 2, u"NAN"},
                    FloatFormatCase{-kInf, ffCurrency, 15, 2, u"-INF"}));

using NumberTexts = WithPinnedSettings<>;

TEST_F(NumberTexts, CurrencyNegativeFormatsFollowTheRegionalChoice) {
  // NegCurrFormat 0..15 with CurrencyString "$" and the amount 1.
  const char16_t* const expected[16] = {u"($1.00)", u"-$1.00", u"$-1.00", u"$1.00-", u"(1.00$)", u"-1.00$",
                                        u"1.00-$",  u"1.00$-", u"-1.00 $", u"-$ 1.00", u"1.00 $-", u"$ 1.00-",
                                        u"$ -1.00", u"1.00- $", u"($ 1.00)", u"(1.00 $)"};
  for (uint8_t format = 0; format < 16; ++format) {
    Adjust([format](TFormatSettings& s) { s.NegCurrFormat = format; });
    EXPECT_EQ(StringToUtf8(FloatToStrF(-1, ffCurrency, 15, 2)), StringToUtf8(expected[format])) << int(format);
  }
  const char16_t* const positive[4] = {u"$1.00", u"1.00$", u"$ 1.00", u"1.00 $"};
  for (uint8_t format = 0; format < 4; ++format) {
    Adjust([format](TFormatSettings& s) { s.CurrencyFormat = format; });
    EXPECT_EQ(StringToUtf8(FloatToStrF(1, ffCurrency, 15, 2)), StringToUtf8(positive[format])) << int(format);
  }
}

TEST_F(NumberTexts, DecimalSeparatorIsRegional) {
  Adjust([](TFormatSettings& s) { s.DecimalSeparator = u','; });
  EXPECT_EQ(FloatToStr(1.5), u"1,5");
  EXPECT_EQ(StrToFloat(u"2,25"), 2.25);
  EXPECT_EQ(ConvertErrorOf([] { StrToFloat(u"2.25"); }), u"'2.25' is not a valid floating point value");
}

TEST_F(NumberTexts, CurrencyTexts) {
  EXPECT_EQ(CurrToStr(Currency(1234.5)), u"1234.5");
  EXPECT_EQ(CurrToStr(Currency(0)), u"0");
  EXPECT_EQ(CurrToStr(Currency::FromUnits(-1)), u"-0.0001");
  EXPECT_EQ(CurrToStr(Currency::FromUnits(std::numeric_limits<int64_t>::max())), u"922337203685477.5807");
  EXPECT_EQ(CurrToStr(Currency::FromUnits(std::numeric_limits<int64_t>::min())), u"-922337203685477.5808");
  EXPECT_EQ(CurrToStrF(Currency(1234.5), ffCurrency, 2), u"$1,234.50");
  EXPECT_EQ(CurrToStrF(Currency(-2.5), ffFixed, 0), u"-3");
  // Conversion from a real rounds to four decimals, halves to even.
  EXPECT_EQ(Currency(1.23456).Value, 12346);
  EXPECT_EQ(Currency(-1.23454).Value, -12345);
}

struct NumberParseCase {
  const char16_t* Text;
  double Expected;  // NaN: not a number text
};

void PrintTo(const NumberParseCase& ACase, std::ostream* AOut) { *AOut << StringToUtf8(ACase.Text); }

class StrToFloatCases : public WithPinnedSettings<testing::TestWithParam<NumberParseCase>> {};

TEST_P(StrToFloatCases, ParseOrRefuse) {
  const NumberParseCase& c = GetParam();
  double value = -12345;
  const bool ok = TryStrToFloat(c.Text, value);
  if (std::isnan(c.Expected)) {
    EXPECT_FALSE(ok);
    EXPECT_EQ(value, -12345) << "a failed parse leaves the value alone";
    EXPECT_EQ(StringToUtf8(ConvertErrorOf([&] { StrToFloat(c.Text); })),
              "'" + StringToUtf8(c.Text) + "' is not a valid floating point value");
    EXPECT_EQ(StrToFloatDef(c.Text, 7.5), 7.5);
  } else {
    EXPECT_TRUE(ok);
    EXPECT_EQ(value, c.Expected);
    EXPECT_EQ(StrToFloat(c.Text), c.Expected);
  }
}

INSTANTIATE_TEST_SUITE_P(Table, StrToFloatCases,
                         testing::Values(NumberParseCase{u"1.5", 1.5}, NumberParseCase{u"  -1.5  ", -1.5}, NumberParseCase{u"+2", 2},
                                         NumberParseCase{u"-1e3", -1000}, NumberParseCase{u"1.5E-2", 0.015}, NumberParseCase{u".5", 0.5},
                                         NumberParseCase{u"1.", 1}, NumberParseCase{u"0", 0}, NumberParseCase{u"INF", kInf},
                                         NumberParseCase{u"-inf", -kInf}, NumberParseCase{u"", kNaN}, NumberParseCase{u" ", kNaN},
                                         NumberParseCase{u"abc", kNaN}, NumberParseCase{u"1,5", kNaN}, NumberParseCase{u"1e", kNaN},
                                         NumberParseCase{u".", kNaN}, NumberParseCase{u"1.5x", kNaN}, NumberParseCase{u"--1", kNaN},
                                         NumberParseCase{u"1e400", kNaN}, NumberParseCase{u"1 000", kNaN}));

TEST_F(NumberTexts, StrToCurrRoundsToFourDecimals) {
  EXPECT_EQ(StrToCurr(u"12.34").Value, 123400);
  EXPECT_EQ(StrToCurr(u"-0.00004").Value, 0);
  EXPECT_EQ(StrToCurrDef(u"x", Currency(3)).Value, 30000);
  EXPECT_EQ(ConvertErrorOf([] { StrToCurr(u"1e20"); }), u"'1e20' is not a valid floating point value");
}

TEST(BoolTexts, BothSpellings) {
  EXPECT_EQ(BoolToStr(true), u"-1");
  EXPECT_EQ(BoolToStr(false), u"0");
  EXPECT_EQ(BoolToStr(true, true), u"True");
  EXPECT_EQ(BoolToStr(false, true), u"False");
}

struct RoundCase {
  double Value;
  int64_t Rounded;
  int64_t Truncated;
};

void PrintTo(const RoundCase& ACase, std::ostream* AOut) { *AOut << ACase.Value; }

class RoundCases : public testing::TestWithParam<RoundCase> {};

TEST_P(RoundCases, HalvesGoToTheEvenNeighbour) {
  EXPECT_EQ(Round(GetParam().Value), GetParam().Rounded);
  EXPECT_EQ(Trunc(GetParam().Value), GetParam().Truncated);
}

INSTANTIATE_TEST_SUITE_P(Table, RoundCases,
                         testing::Values(RoundCase{0.5, 0, 0}, RoundCase{1.5, 2, 1}, RoundCase{2.5, 2, 2},
                                         RoundCase{3.5, 4, 3}, RoundCase{-0.5, 0, 0}, RoundCase{-1.5, -2, -1},
                                         RoundCase{-2.5, -2, -2}, RoundCase{2.4999, 2, 2}, RoundCase{-2.7, -3, -2},
                                         RoundCase{1e18, 1000000000000000000, 1000000000000000000}));

TEST(Rounding, IntAndFracKeepTheSign) {
  EXPECT_EQ(Int(-2.5), -2.0);
  EXPECT_EQ(Int(2.75), 2.0);
  EXPECT_EQ(Frac(-2.5), -0.5);
  EXPECT_EQ(Frac(2.75), 0.75);
}

TEST(Rounding, UnrepresentableValuesRaiseInvalidOp) {
  for (double value : {kNaN, kInf, -kInf, 1e19, -1e19}) {
    try {
      Round(value);
      ADD_FAILURE() << value;
    } catch (const ExceptionPtr& e) {
      EXPECT_TRUE(e->Is<EInvalidOp>());
      EXPECT_EQ(e->GetMessage(), u"Invalid floating point operation");
    }
  }
}

TEST(Rounding, RoundToAndSimpleRoundTo) {
  EXPECT_DOUBLE_EQ(SimpleRoundTo(1.235, -2), 1.24);
  EXPECT_DOUBLE_EQ(SimpleRoundTo(-2.5, 0), -3);
  EXPECT_DOUBLE_EQ(RoundTo(2.5, 0), 2);
  EXPECT_DOUBLE_EQ(RoundTo(1250, 2), 1200);
  EXPECT_EQ(Floor(-1.5), -2);
  EXPECT_EQ(Ceil(-1.5), -1);
}

}  // namespace
