// FormatFloat and FormatCurr patterns.
#include <cmath>
#include <limits>

#include "tests/host/RtlTestSettings.h"

namespace {

struct PatternCase {
  const char16_t* Pattern;
  double Value;
  const char16_t* Expected;
};

void PrintTo(const PatternCase& ACase, std::ostream* AOut) {
  *AOut << StringToUtf8(ACase.Pattern) << " with " << ACase.Value;
}

class FormatFloatCases : public WithPinnedSettings<testing::TestWithParam<PatternCase>> {};

TEST_P(FormatFloatCases, ProduceTheDocumentedText) {
  const PatternCase& c = GetParam();
  EXPECT_EQ(StringToUtf8(FormatFloat(c.Pattern, c.Value)), StringToUtf8(c.Expected));
}

INSTANTIATE_TEST_SUITE_P(
    Table, FormatFloatCases,
    testing::Values(
        // digit placeholders, thousands, decimals
        PatternCase{u"#,##0.00", 1234567.891, u"1,234,567.89"}, PatternCase{u"#,##0.00", 0, u"0.00"},
        PatternCase{u"#,##0.00", -1234.5, u"-1,234.50"}, PatternCase{u"#,##0", 1e6, u"1,000,000"},
        PatternCase{u"000", 7, u"007"}, PatternCase{u"000", 1234, u"1234"}, PatternCase{u"0.##", 1, u"1"},
        PatternCase{u"0.##", 1.5, u"1.5"}, PatternCase{u"#.##", 0.5, u".5"}, PatternCase{u"0.0#", 2, u"2.0"},
        PatternCase{u"#", 0, u""}, PatternCase{u"00-00", 1234, u"12-34"},
        // rounding half away from zero
        PatternCase{u"0", 0.5, u"1"}, PatternCase{u"0", 1.5, u"2"}, PatternCase{u"0", 2.5, u"3"},
        PatternCase{u"0", -2.5, u"-3"}, PatternCase{u"0.00", 0.125, u"0.13"}, PatternCase{u"0.0", 0.05, u"0.1"},
        PatternCase{u"0.0", -0.04, u"0.0"},
        // scientific
        PatternCase{u"0.###E+00", 12345, u"1.235E+04"}, PatternCase{u"0.###E+00", 0.000123, u"1.23E-04"},
        PatternCase{u"0.00E-0", 1234, u"1.23E3"}, PatternCase{u"0.00E-0", 0.001234, u"1.23E-3"},
        PatternCase{u"0.0e+000", -5, u"-5.0e+000"}, PatternCase{u"00.0E+0", 12345, u"12.3E+3"},
        // sections
        PatternCase{u"0;(0);zero", 5, u"5"}, PatternCase{u"0;(0);zero", -5, u"(5)"},
        PatternCase{u"0;(0);zero", 0, u"zero"}, PatternCase{u"0;(0);zero", 0.4, u"zero"},
        PatternCase{u"0;(0);zero", -0.4, u"zero"}, PatternCase{u"0;;zero", -5, u"-5"},
        PatternCase{u"0.0;-0.0#", -1.25, u"-1.25"},
        // literal text
        PatternCase{u"\"Total: \"0.00", 5, u"Total: 5.00"}, PatternCase{u"0.00 'kg'", 2.5, u"2.50 kg"},
        PatternCase{u"'#;0' 0", 3, u"#;0 3"}, PatternCase{u"0 %", 50, u"50 %"},
        // empty pattern and values without digits
        PatternCase{u"", 1.5, u"1.5"}, PatternCase{u"0.00", std::numeric_limits<double>::quiet_NaN(), u"NAN"},
        PatternCase{u"0.00", -std::numeric_limits<double>::infinity(), u"-INF"}));

using PatternSettings = WithPinnedSettings<>;

TEST_F(PatternSettings, SeparatorsAreRegional) {
  Adjust([](TFormatSettings& s) {
    s.DecimalSeparator = u',';
    s.ThousandSeparator = u'.';
  });
  EXPECT_EQ(FormatFloat(u"#,##0.00", 1234.5), u"1.234,50");
}

TEST_F(PatternSettings, FormatCurrUsesTheExactAmount) {
  EXPECT_EQ(FormatCurr(u"#,##0.00", Currency(1234.5)), u"1,234.50");
  EXPECT_EQ(FormatCurr(u"0.0000", Currency::FromUnits(std::numeric_limits<int64_t>::max())),
            u"922337203685477.5807");
  EXPECT_EQ(FormatCurr(u"0.00;(0.00)", Currency(-0.005)), u"(0.01)");
  EXPECT_EQ(FormatCurr(u"", Currency(2.5)), u"2.5");
}

}  // namespace
