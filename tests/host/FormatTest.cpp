// Format: every conversion with width, precision, index and "*", and its errors.
#include <cstdint>
#include <limits>

#include "platform/ole/OleVariant.h"
#include "tests/host/RtlTestSettings.h"

namespace {

struct FormatCase {
  const char16_t* Format;
  std::vector<TVarRec> Args;
  const char16_t* Expected;
};

void PrintTo(const FormatCase& ACase, std::ostream* AOut) { *AOut << StringToUtf8(ACase.Format); }

class FormatConversions : public WithPinnedSettings<testing::TestWithParam<FormatCase>> {};

TEST_P(FormatConversions, ProduceTheDocumentedText) {
  const FormatCase& c = GetParam();
  EXPECT_EQ(StringToUtf8(Format(c.Format, c.Args.data(), c.Args.size())), StringToUtf8(c.Expected));
}

const int64_t kInt64Max = std::numeric_limits<int64_t>::max();
const int64_t kInt64Min = std::numeric_limits<int64_t>::min();

INSTANTIATE_TEST_SUITE_P(
    Table, FormatConversions,
    testing::Values(
        // d u x with width, left alignment and precision (minimum digits)
        FormatCase{u"%d", {42}, u"42"}, FormatCase{u"%5d|", {42}, u"   42|"}, FormatCase{u"%-5d|", {42}, u"42   |"},
        FormatCase{u"%.5d", {-42}, u"-00042"}, FormatCase{u"%D", {7}, u"7"},
        FormatCase{u"%d", {kInt64Max}, u"9223372036854775807"},
        FormatCase{u"%d", {kInt64Min}, u"-9223372036854775808"}, FormatCase{u"%u", {-1}, u"4294967295"},
        FormatCase{u"%u", {int64_t(-1)}, u"18446744073709551615"}, FormatCase{u"%x", {255}, u"FF"},
        FormatCase{u"%.4x", {255}, u"00FF"}, FormatCase{u"%x", {-1}, u"FFFFFFFF"},
        FormatCase{u"%x", {int64_t(-1)}, u"FFFFFFFFFFFFFFFF"},
        // s with width and precision (maximum characters), characters, booleans
        FormatCase{u"%s", {u"abc"}, u"abc"}, FormatCase{u"[%5s]", {u"abc"}, u"[  abc]"},
        FormatCase{u"[%-5s]", {u"abc"}, u"[abc  ]"}, FormatCase{u"%.2s", {u"abc"}, u"ab"},
        FormatCase{u"%s%s", {u'x', String(u"yz")}, u"xyz"}, FormatCase{u"%s", {true}, u"True"},
        // argument index and "*"
        FormatCase{u"%1:s %0:s", {u"a", u"b"}, u"b a"}, FormatCase{u"%1:s %s", {u"a", u"b", u"c"}, u"b c"},
        FormatCase{u"%*d|", {5, 42}, u"   42|"}, FormatCase{u"%-*d|", {4, 7}, u"7   |"},
        FormatCase{u"%*d|", {-4, 7}, u"7   |"}, FormatCase{u"%.*f", {3, 3.14159}, u"3.142"},
        FormatCase{u"%*.*f", {8, 2, 3.14159}, u"    3.14"},
        // reals: f n m e g, precision defaults 2, 2, CurrencyDecimals, 15, 15
        FormatCase{u"%f", {3.14159}, u"3.14"}, FormatCase{u"%.0f", {2.5}, u"3"}, FormatCase{u"%.1f", {0.05}, u"0.1"},
        FormatCase{u"%8.3f|", {-1.5}, u"  -1.500|"}, FormatCase{u"%n", {1234567.891}, u"1,234,567.89"},
        FormatCase{u"%.0n", {1234.5}, u"1,235"}, FormatCase{u"%m", {1234.5}, u"$1,234.50"},
        FormatCase{u"%m", {-1234.5}, u"($1,234.50)"}, FormatCase{u"%e", {1234.5}, u"1.23450000000000E+003"},
        FormatCase{u"%.3e", {1234.5}, u"1.23E+003"}, FormatCase{u"%.2e", {-0.000123}, u"-1.2E-004"},
        FormatCase{u"%g", {1234.5}, u"1234.5"}, FormatCase{u"%g", {0.5}, u"0.5"},
        FormatCase{u"%.3g", {3.14159}, u"3.14"}, FormatCase{u"%f", {Currency(2.125)}, u"2.13"},
        FormatCase{u"%m", {Currency(5)}, u"$5.00"},
        // pointers, literal percent, plain text
        FormatCase{u"%p", {nullptr}, u"0000000000000000"},
        FormatCase{u"%p", {reinterpret_cast<const void*>(uintptr_t(0xBEEF))}, u"000000000000BEEF"},
        FormatCase{u"100%%", {}, u"100%"}, FormatCase{u"%d%%", {5}, u"5%"}, FormatCase{u"no directives", {}, u"no directives"}));

struct ErrorCase {
  const char16_t* Format;
  std::vector<TVarRec> Args;
  const char16_t* Message;
};

void PrintTo(const ErrorCase& ACase, std::ostream* AOut) { *AOut << StringToUtf8(ACase.Format); }

class FormatErrors : public WithPinnedSettings<testing::TestWithParam<ErrorCase>> {};

TEST_P(FormatErrors, RaiseConvertError) {
  const ErrorCase& c = GetParam();
  EXPECT_EQ(StringToUtf8(ConvertErrorOf([&] { Format(c.Format, c.Args.data(), c.Args.size()); })),
            StringToUtf8(c.Message));
}

INSTANTIATE_TEST_SUITE_P(
    Table, FormatErrors,
    testing::Values(ErrorCase{u"%d", {u"abc"}, u"Format '%d' invalid or incompatible with argument"},
                    ErrorCase{u"%d", {1.5}, u"Format '%d' invalid or incompatible with argument"},
                    ErrorCase{u"%s", {1}, u"Format '%s' invalid or incompatible with argument"},
                    ErrorCase{u"%f", {1}, u"Format '%f' invalid or incompatible with argument"},
                    ErrorCase{u"%x", {true}, u"Format '%x' invalid or incompatible with argument"},
                    ErrorCase{u"%p", {1}, u"Format '%p' invalid or incompatible with argument"},
                    ErrorCase{u"%*d", {u"5", 1}, u"Format '%*d' invalid or incompatible with argument"},
                    ErrorCase{u"abc%", {1}, u"Format 'abc%' invalid or incompatible with argument"},
                    ErrorCase{u"%5", {1}, u"Format '%5' invalid or incompatible with argument"},
                    ErrorCase{u"%z", {1}, u"Format '%z' invalid or incompatible with argument"},
                    ErrorCase{u"%d %d", {1}, u"No argument for format '%d %d'"},
                    ErrorCase{u"%s", {}, u"No argument for format '%s'"},
                    ErrorCase{u"%3:d", {1, 2}, u"No argument for format '%3:d'"},
                    ErrorCase{u"%*d", {5}, u"No argument for format '%*d'"}));

using FormatSettingsUse = WithPinnedSettings<>;

TEST_F(FormatSettingsUse, RealsFollowTheRegionalSeparators) {
  Adjust([](TFormatSettings& s) {
    s.DecimalSeparator = u',';
    s.ThousandSeparator = u'.';
  });
  EXPECT_EQ(Format(u"%n|%f", {1234.5, 0.25}), u"1.234,50|0,25");
  TFormatSettings explicitSettings = PinnedSettings();
  EXPECT_EQ(Format(u"%.1f", {2.25}, explicitSettings), u"2.3");
}

TEST_F(FormatSettingsUse, VariantArgumentsConvertToWhatTheDirectiveReads) {
  VARIANT number;
  VariantInit(&number);
  number.vt = VT_I4;
  number.lVal = -1;
  VARIANT text;
  VariantInit(&text);
  text.vt = VT_BSTR;
  text.bstrVal = OleAllocBstr(u"12.5");
  EXPECT_EQ(Format(u"%d %x %s %.2f", {&number, &number, &number, &text}), u"-1 FFFFFFFF -1 12.50");
  VARIANT reference;
  VariantInit(&reference);
  reference.vt = VT_BYREF | VT_VARIANT;
  reference.pvarVal = &text;
  // The automation layer's text-to-integer coercion rounds halves to even.
  EXPECT_EQ(Format(u"[%5s] %d", {&reference, &reference}), u"[ 12.5] 12");
  VARIANT null;
  VariantInit(&null);
  null.vt = VT_NULL;
  EXPECT_EQ(StringToUtf8(ConvertErrorOf([&] { Format(u"%d", {&null}); })),
            "Format '%d' invalid or incompatible with argument");
  VariantClear(&text);
}

}  // namespace
