#include "tests/ole/OleTestValues.h"

using namespace oletest;

namespace {

struct CoerceCase {
  Val from;
  VARTYPE to;
  HRESULT hr;
  Val want;
  USHORT flags = 0;
};

void PrintTo(const CoerceCase& c, std::ostream* os) {
  Var v(c.from);
  *os << describe(v.V) << " -> vt " << c.to;
}

class Coerce : public ::testing::TestWithParam<CoerceCase> {
 protected:
  void SetUp() override { OleSetRegionalSettings(OleDefaultRegionalSettings()); }
};

TEST_P(Coerce, GivesPublishedResult) {
  const CoerceCase& c = GetParam();
  Var src(c.from), dst;
  HRESULT hr = VariantChangeType(&dst, &src, c.flags, c.to);
  ASSERT_EQ(hr, c.hr) << narrow(OleErrorText(hr));
  if (SUCCEEDED(hr)) {
    EXPECT_TRUE(Holds(dst.V, c.want));
  } else {
    EXPECT_EQ(dst.V.vt, VT_EMPTY);
  }
}

const auto kOk = S_OK;
const auto kOvf = DISP_E_OVERFLOW;
const auto kMis = DISP_E_TYPEMISMATCH;

// Integer ranges and rounding half to even.
INSTANTIATE_TEST_SUITE_P(
    Integers, Coerce,
    ::testing::Values(CoerceCase{Of(VT_I4, 32767), VT_I2, kOk, Of(VT_I2, 32767)},
                      CoerceCase{Of(VT_I4, 32768), VT_I2, kOvf, kNone},
                      CoerceCase{Of(VT_I4, -32769), VT_I2, kOvf, kNone},
                      CoerceCase{Of(VT_I2, -1), VT_UI1, kOvf, kNone},
                      CoerceCase{Of(VT_I4, 255), VT_UI1, kOk, Of(VT_UI1, 255)},
                      CoerceCase{Of(VT_I4, 128), VT_I1, kOvf, kNone},
                      CoerceCase{Of(VT_I4, -128), VT_I1, kOk, Of(VT_I1, -128)},
                      CoerceCase{Of(VT_I4, -1), VT_UI4, kOvf, kNone},
                      CoerceCase{Of(VT_I8, 4294967295.0), VT_UI4, kOk, Of(VT_UI4, 4294967295.0)},
                      CoerceCase{Of(VT_I8, 4294967296.0), VT_UI4, kOvf, kNone},
                      CoerceCase{Of(VT_I8, 2147483648.0), VT_I4, kOvf, kNone},
                      CoerceCase{Of(VT_UI4, 4000000000.0), VT_I8, kOk, Of(VT_I8, 4000000000.0)},
                      CoerceCase{Of(VT_I4, -5), VT_UI8, kOvf, kNone},
                      CoerceCase{Of(VT_UI2, 65535), VT_INT, kOk, Of(VT_INT, 65535)},
                      CoerceCase{Of(VT_I4, -7), VT_UINT, kOvf, kNone},
                      CoerceCase{Of(VT_R8, 2.5), VT_I4, kOk, Of(VT_I4, 2)},
                      CoerceCase{Of(VT_R8, 3.5), VT_I4, kOk, Of(VT_I4, 4)},
                      CoerceCase{Of(VT_R8, -2.5), VT_I4, kOk, Of(VT_I4, -2)},
                      CoerceCase{Of(VT_R8, 0.5), VT_I2, kOk, Of(VT_I2, 0)},
                      CoerceCase{Of(VT_R8, 1.5), VT_UI1, kOk, Of(VT_UI1, 2)},
                      CoerceCase{Of(VT_R4, 2.6f), VT_I8, kOk, Of(VT_I8, 3)},
                      CoerceCase{Of(VT_R8, 1e300), VT_I8, kOvf, kNone},
                      CoerceCase{Of(VT_R8, 32767.4), VT_I2, kOk, Of(VT_I2, 32767)},
                      CoerceCase{Of(VT_R8, 32767.5), VT_I2, kOvf, kNone},
                      CoerceCase{Of(VT_R8, -0.5), VT_UI1, kOk, Of(VT_UI1, 0)},
                      CoerceCase{Of(VT_CY, 2.5), VT_I4, kOk, Of(VT_I4, 2)},
                      CoerceCase{Of(VT_CY, -3.5), VT_I4, kOk, Of(VT_I4, -4)},
                      CoerceCase{Of(VT_DATE, 36526.75), VT_I4, kOk, Of(VT_I4, 36527)},
                      CoerceCase{Bool(true), VT_I4, kOk, Of(VT_I4, -1)},
                      CoerceCase{Bool(true), VT_UI1, kOk, Of(VT_UI1, 255)},
                      CoerceCase{Bool(true), VT_UI4, kOk, Of(VT_UI4, 4294967295.0)},
                      CoerceCase{Bool(false), VT_I8, kOk, Of(VT_I8, 0)},
                      CoerceCase{Empty(), VT_I4, kOk, Of(VT_I4, 0)},
                      CoerceCase{Null(), VT_I4, kMis, kNone}));

// Reals, currency, dates and booleans between each other.
INSTANTIATE_TEST_SUITE_P(
    Scalars, Coerce,
    ::testing::Values(
        CoerceCase{Of(VT_I4, 7), VT_R8, kOk, Of(VT_R8, 7)},
        CoerceCase{Of(VT_R8, 1e39), VT_R4, kOvf, kNone},
        CoerceCase{Of(VT_R8, 0.1), VT_R4, kOk, Of(VT_R4, 0.1f)},
        CoerceCase{Of(VT_R8, 1.23456), VT_CY, kOk, Of(VT_CY, 1.2346)},
        CoerceCase{Of(VT_R8, 1e15), VT_CY, kOvf, kNone},
        CoerceCase{Of(VT_I8, 922337203685477.0), VT_CY, kOk, Of(VT_CY, 922337203685477.0)},
        CoerceCase{Of(VT_I8, 922337203685478.0), VT_CY, kOvf, kNone},
        CoerceCase{Of(VT_CY, 12.3456), VT_R8, kOk, Of(VT_R8, 12.3456)},
        CoerceCase{Of(VT_R8, 36526.5), VT_DATE, kOk, Of(VT_DATE, 36526.5)},
        CoerceCase{Of(VT_R8, 3e6), VT_DATE, kOvf, kNone},
        CoerceCase{Of(VT_R8, -700000), VT_DATE, kOvf, kNone},
        CoerceCase{Of(VT_DATE, 1.25), VT_R8, kOk, Of(VT_R8, 1.25)},
        CoerceCase{Bool(true), VT_DATE, kOk, Of(VT_DATE, -1)},
        CoerceCase{Of(VT_R8, 0.1), VT_BOOL, kOk, Bool(true)},
        CoerceCase{Of(VT_I4, 0), VT_BOOL, kOk, Bool(false)},
        CoerceCase{Of(VT_CY, 0.0001), VT_BOOL, kOk, Bool(true)},
        CoerceCase{Empty(), VT_BOOL, kOk, Bool(false)}, CoerceCase{Empty(), VT_NULL, kOk, Null()},
        CoerceCase{Of(VT_I4, 1), VT_NULL, kMis, kNone}, CoerceCase{Null(), VT_BOOL, kMis, kNone},
        CoerceCase{Null(), VT_BSTR, kMis, kNone}, CoerceCase{Null(), VT_NULL, kOk, Null()},
        CoerceCase{Of(VT_I4, 5), VT_DISPATCH, kMis, kNone},
        CoerceCase{Of(VT_ERROR, 0x80020004), VT_I4, kOk,
                   Of(VT_I4, static_cast<int32_t>(0x80020004))},
        CoerceCase{Of(VT_ERROR, 5), VT_R8, kMis, kNone},
        CoerceCase{Of(VT_I4, 10), VT_ERROR, kOk, Of(VT_ERROR, 10)}));

// Text to every kind, under the English (United States) settings.
INSTANTIATE_TEST_SUITE_P(
    FromText, Coerce,
    ::testing::Values(
        CoerceCase{Str(u" -12 "), VT_I4, kOk, Of(VT_I4, -12)},
        CoerceCase{Str(u"+3"), VT_I2, kOk, Of(VT_I2, 3)},
        CoerceCase{Str(u"1,000"), VT_I4, kOk, Of(VT_I4, 1000)},
        CoerceCase{Str(u"1.5e3"), VT_I4, kOk, Of(VT_I4, 1500)},
        CoerceCase{Str(u"1.5E-1"), VT_R8, kOk, Of(VT_R8, 0.15)},
        CoerceCase{Str(u"2.5"), VT_I4, kOk, Of(VT_I4, 2)},
        CoerceCase{Str(u"3.5"), VT_I4, kOk, Of(VT_I4, 4)},
        CoerceCase{Str(u"2.50001"), VT_I4, kOk, Of(VT_I4, 3)},
        CoerceCase{Str(u"-2.5"), VT_I8, kOk, Of(VT_I8, -2)},
        CoerceCase{Str(u"&HFF"), VT_I4, kOk, Of(VT_I4, 255)},
        CoerceCase{Str(u"&hff"), VT_UI1, kOk, Of(VT_UI1, 255)},
        CoerceCase{Str(u"&HFFFF"), VT_I2, kOk, Of(VT_I2, -1)},
        CoerceCase{Str(u"&HFFFF"), VT_I4, kOk, Of(VT_I4, 65535)},
        CoerceCase{Str(u"&O17"), VT_I4, kOk, Of(VT_I4, 15)},
        CoerceCase{Str(u"&H"), VT_I4, kMis, kNone}, CoerceCase{Str(u"32768"), VT_I2, kOvf, kNone},
        CoerceCase{Str(u"-1"), VT_UI1, kOvf, kNone},
        CoerceCase{Str(u"9223372036854775807"), VT_I8, kOk, Of(VT_I8, 9223372036854775807.0)},
        CoerceCase{Str(u"9223372036854775808"), VT_I8, kOvf, kNone},
        CoerceCase{Str(u"(5)"), VT_I4, kOk, Of(VT_I4, -5)},
        CoerceCase{Str(u"5-"), VT_I4, kOk, Of(VT_I4, -5)},
        CoerceCase{Str(u"$1,234.5"), VT_CY, kOk, Of(VT_CY, 1234.5)},
        CoerceCase{Str(u"1.23455"), VT_CY, kOk, Of(VT_CY, 1.2346)},
        CoerceCase{Str(u"1.23445"), VT_CY, kOk, Of(VT_CY, 1.2344)},
        CoerceCase{Str(u"1e400"), VT_R8, kOvf, kNone}, CoerceCase{Str(u"1e39"), VT_R4, kOvf, kNone},
        CoerceCase{Str(u""), VT_I4, kMis, kNone}, CoerceCase{Str(u"  "), VT_R8, kMis, kNone},
        CoerceCase{Str(u"12abc"), VT_I4, kMis, kNone},
        CoerceCase{Str(u"1.2.3"), VT_R8, kMis, kNone}, CoerceCase{Str(u"--1"), VT_I4, kMis, kNone},
        CoerceCase{Str(u"1e"), VT_R8, kMis, kNone},
        CoerceCase{Str(u"True"), VT_BOOL, kOk, Bool(true)},
        CoerceCase{Str(u"false"), VT_BOOL, kOk, Bool(false)},
        CoerceCase{Str(u"#TRUE#"), VT_BOOL, kOk, Bool(true)},
        CoerceCase{Str(u"0"), VT_BOOL, kOk, Bool(false)},
        CoerceCase{Str(u"-0.5"), VT_BOOL, kOk, Bool(true)},
        CoerceCase{Str(u"abc"), VT_BOOL, kMis, kNone}, CoerceCase{Str(u"True"), VT_I4, kMis, kNone},
        CoerceCase{Str(u"1/1/2000"), VT_DATE, kOk, Of(VT_DATE, 36526)},
        CoerceCase{Str(u"2000-01-01"), VT_DATE, kOk, Of(VT_DATE, 36526)},
        CoerceCase{Str(u"12/31/1899 12:00:00 PM"), VT_DATE, kOk, Of(VT_DATE, 1.5)},
        CoerceCase{Str(u"6:00"), VT_DATE, kOk, Of(VT_DATE, 0.25)},
        CoerceCase{Str(u"12:00:00 AM"), VT_DATE, kOk, Of(VT_DATE, 0)},
        CoerceCase{Str(u"12/29/1899 6:00 AM"), VT_DATE, kOk, Of(VT_DATE, -1.25)},
        CoerceCase{Str(u"2/30/2000"), VT_DATE, kMis, kNone},
        CoerceCase{Str(u"1/1/00"), VT_DATE, kOk, Of(VT_DATE, 36526)},
        CoerceCase{Str(u"January 1, 2000"), VT_DATE, kOk, Of(VT_DATE, 36526)},
        CoerceCase{Str(u"25:00"), VT_DATE, kMis, kNone},
        CoerceCase{Str(u"hello"), VT_DATE, kMis, kNone}));

// Every kind to text.
INSTANTIATE_TEST_SUITE_P(
    ToText, Coerce,
    ::testing::Values(
        CoerceCase{Empty(), VT_BSTR, kOk, Str(u"")},
        CoerceCase{Of(VT_I4, -42), VT_BSTR, kOk, Str(u"-42")},
        CoerceCase{Of(VT_UI1, 200), VT_BSTR, kOk, Str(u"200")},
        CoerceCase{Of(VT_I8, -9007199254740991.0), VT_BSTR, kOk, Str(u"-9007199254740991")},
        CoerceCase{Of(VT_R8, 0.1), VT_BSTR, kOk, Str(u"0.1")},
        CoerceCase{Of(VT_R8, 1e20), VT_BSTR, kOk, Str(u"1E+20")},
        CoerceCase{Of(VT_R8, 1.5e-7), VT_BSTR, kOk, Str(u"1.5E-07")},
        CoerceCase{Of(VT_R8, -0.0), VT_BSTR, kOk, Str(u"0")},
        CoerceCase{Of(VT_R8, 1.0 / 3), VT_BSTR, kOk, Str(u"0.333333333333333")},
        CoerceCase{Of(VT_R8, 123456789012345678.0), VT_BSTR, kOk, Str(u"1.23456789012346E+17")},
        CoerceCase{Of(VT_R8, 100000000000000.0), VT_BSTR, kOk, Str(u"100000000000000")},
        CoerceCase{Of(VT_R4, 0.1f), VT_BSTR, kOk, Str(u"0.1")},
        CoerceCase{Of(VT_R4, 1.0f / 3), VT_BSTR, kOk, Str(u"0.3333333")},
        CoerceCase{Of(VT_CY, 1.5), VT_BSTR, kOk, Str(u"1.5")},
        CoerceCase{Of(VT_CY, -0.25), VT_BSTR, kOk, Str(u"-0.25")},
        CoerceCase{Of(VT_CY, 12), VT_BSTR, kOk, Str(u"12")},
        CoerceCase{Bool(true), VT_BSTR, kOk, Str(u"-1")},
        CoerceCase{Bool(false), VT_BSTR, kOk, Str(u"0")},
        CoerceCase{Bool(true), VT_BSTR, kOk, Str(u"True"), VARIANT_ALPHABOOL},
        CoerceCase{Bool(false), VT_BSTR, kOk, Str(u"False"), VARIANT_ALPHABOOL},
        CoerceCase{Of(VT_DATE, 0), VT_BSTR, kOk, Str(u"12:00:00 AM")},
        CoerceCase{Of(VT_DATE, 1.5), VT_BSTR, kOk, Str(u"12/31/1899 12:00:00 PM")},
        CoerceCase{Of(VT_DATE, 36526), VT_BSTR, kOk, Str(u"1/1/2000")},
        CoerceCase{Of(VT_DATE, -1.25), VT_BSTR, kOk, Str(u"12/29/1899 6:00:00 AM")},
        CoerceCase{Of(VT_DATE, 36526.999999999), VT_BSTR, kOk, Str(u"1/2/2000")},
        CoerceCase{Of(VT_ERROR, 1), VT_BSTR, kMis, kNone}));

TEST(CoerceText, FollowsRegionalSettings) {
  OleRegionalSettings rs = OleDefaultRegionalSettings();
  rs.DecimalSeparator = u',';
  rs.ThousandSeparator = u'.';
  rs.DateSeparator = u'.';
  rs.ShortDateFormat = u"dd/MM/yyyy";
  rs.LongTimeFormat = u"HH:mm:ss";
  OleSetRegionalSettings(rs);
  Var num(Str(u"1.234,5")), date(Str(u"31.12.2000 13:30")), out;
  EXPECT_EQ(VariantChangeType(&out, &num, 0, VT_R8), S_OK);
  EXPECT_TRUE(Holds(out.V, Of(VT_R8, 1234.5)));
  EXPECT_EQ(VariantChangeType(&out, &out, 0, VT_BSTR), S_OK);
  EXPECT_TRUE(Holds(out.V, Str(u"1234,5")));
  EXPECT_EQ(VariantChangeType(&out, &date, 0, VT_DATE), S_OK);
  EXPECT_EQ(VariantChangeType(&out, &out, 0, VT_BSTR), S_OK);
  EXPECT_TRUE(Holds(out.V, Str(u"31.12.2000 13:30:00")));
  OleSetRegionalSettings(OleDefaultRegionalSettings());
}

TEST(CoerceRefs, FollowsByReferenceAndConvertsInPlace) {
  Var target(Of(VT_I4, 41)), ref, out;
  ref.V.vt = VT_BYREF | VT_VARIANT;
  ref.V.pvarVal = &target.V;
  EXPECT_EQ(VariantChangeType(&out, &ref, 0, VT_BSTR), S_OK);
  EXPECT_TRUE(Holds(out.V, Str(u"41")));
  LONG raw = 7;
  Var ilong;
  ilong.V.vt = VT_BYREF | VT_I4;
  ilong.V.plVal = &raw;
  EXPECT_EQ(VariantChangeType(&out, &ilong, 0, VT_R8), S_OK);
  EXPECT_TRUE(Holds(out.V, Of(VT_R8, 7)));
  EXPECT_EQ(VariantChangeType(&out, &out, 0, VT_BSTR), S_OK);
  EXPECT_EQ(VariantChangeType(&out, &out, 0, VT_I2), S_OK);
  EXPECT_TRUE(Holds(out.V, Of(VT_I2, 7)));
}

TEST(CoerceRefs, RejectsBadKinds) {
  Var a(Of(VT_I4, 1)), out;
  EXPECT_EQ(VariantChangeType(&out, &a, 0, 15), DISP_E_BADVARTYPE);
  EXPECT_EQ(VariantChangeType(&out, &a, 0, VT_BYREF | VT_I4), DISP_E_BADVARTYPE);
  EXPECT_EQ(VariantChangeType(&out, nullptr, 0, VT_I4), E_INVALIDARG);
  a.V.vt = 0x7F;
  EXPECT_EQ(VariantChangeType(&out, &a, 0, VT_I4), DISP_E_BADVARTYPE);
  a.V.vt = VT_I4;
}

}  // namespace
