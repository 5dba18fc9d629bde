#include "tests/ole/OleTestValues.h"

using namespace oletest;

namespace {

using BinaryFn = HRESULT (*)(LPVARIANT, LPVARIANT, LPVARIANT);

struct BinaryCase {
  const char* name;
  BinaryFn fn;
  Val l, r;
  HRESULT hr;
  Val want;
};

void PrintTo(const BinaryCase& c, std::ostream* os) {
  Var l(c.l), r(c.r);
  *os << c.name << "(" << describe(l.V) << ", " << describe(r.V) << ")";
}

class Binary : public ::testing::TestWithParam<BinaryCase> {
 protected:
  void SetUp() override { OleSetRegionalSettings(OleDefaultRegionalSettings()); }
};

TEST_P(Binary, GivesPublishedResult) {
  const BinaryCase& c = GetParam();
  Var l(c.l), r(c.r), out(Str(u"old"));
  HRESULT hr = c.fn(&l, &r, &out);
  ASSERT_EQ(hr, c.hr);
  if (SUCCEEDED(hr)) {
    EXPECT_TRUE(Holds(out.V, c.want));
  }
}

#define OP(f) #f, f

INSTANTIATE_TEST_SUITE_P(
    Arithmetic, Binary,
    ::testing::Values(
        BinaryCase{OP(VarAdd), Of(VT_I2, 1), Of(VT_I2, 2), S_OK, Of(VT_I2, 3)},
        BinaryCase{OP(VarAdd), Of(VT_I2, 32767), Of(VT_I2, 1), S_OK, Of(VT_I4, 32768)},
        BinaryCase{OP(VarAdd), Of(VT_UI1, 200), Of(VT_UI1, 100), S_OK, Of(VT_I2, 300)},
        BinaryCase{OP(VarAdd), Of(VT_I4, 2147483647), Of(VT_I4, 1), S_OK, Of(VT_R8, 2147483648.0)},
        BinaryCase{OP(VarAdd), Of(VT_I4, 1), Of(VT_I8, 2), S_OK, Of(VT_I8, 3)},
        BinaryCase{OP(VarAdd), Of(VT_I4, 1), Of(VT_R4, 0.5), S_OK, Of(VT_R8, 1.5)},
        BinaryCase{OP(VarAdd), Of(VT_I2, 1), Of(VT_R4, 0.5), S_OK, Of(VT_R4, 1.5)},
        BinaryCase{OP(VarAdd), Empty(), Empty(), S_OK, Of(VT_I2, 0)},
        BinaryCase{OP(VarAdd), Empty(), Of(VT_I4, 5), S_OK, Of(VT_I4, 5)},
        BinaryCase{OP(VarAdd), Bool(true), Bool(true), S_OK, Of(VT_I2, -2)},
        BinaryCase{OP(VarAdd), Null(), Of(VT_I4, 1), S_OK, Null()},
        BinaryCase{OP(VarAdd), Str(u"2"), Of(VT_I4, 3), S_OK, Of(VT_R8, 5)},
        BinaryCase{OP(VarAdd), Str(u"a"), Str(u"b"), S_OK, Str(u"ab")},
        BinaryCase{OP(VarAdd), Str(u"x"), Of(VT_I4, 1), DISP_E_TYPEMISMATCH, kNone},
        BinaryCase{OP(VarAdd), Of(VT_DATE, 36526), Of(VT_I4, 1), S_OK, Of(VT_DATE, 36527)},
        BinaryCase{OP(VarAdd), Of(VT_CY, 1.5), Of(VT_I4, 2), S_OK, Of(VT_CY, 3.5)},
        BinaryCase{OP(VarAdd), Of(VT_CY, 1.5), Of(VT_R8, 0.25), S_OK, Of(VT_CY, 1.75)},
        BinaryCase{OP(VarAdd), Of(VT_R8, 1e308), Of(VT_R8, 1e308), DISP_E_OVERFLOW, kNone},
        BinaryCase{OP(VarAdd), Of(VT_ERROR, 1), Of(VT_I4, 1), DISP_E_TYPEMISMATCH, kNone},
        BinaryCase{OP(VarSub), Of(VT_DATE, 36527), Of(VT_DATE, 36526), S_OK, Of(VT_R8, 1)},
        BinaryCase{OP(VarSub), Of(VT_DATE, 36527), Of(VT_I2, 1), S_OK, Of(VT_DATE, 36526)},
        BinaryCase{OP(VarSub), Of(VT_UI1, 1), Of(VT_UI1, 2), S_OK, Of(VT_I2, -1)},
        BinaryCase{OP(VarSub), Of(VT_I8, -9223372036854775807.0), Of(VT_I8, 1e6), S_OK,
                   Of(VT_R8, -9223372036855775807.0)},
        BinaryCase{OP(VarMul), Of(VT_I4, 65536), Of(VT_I4, 65536), S_OK, Of(VT_R8, 4294967296.0)},
        BinaryCase{OP(VarMul), Of(VT_I2, 300), Of(VT_I2, 300), S_OK, Of(VT_I4, 90000)},
        BinaryCase{OP(VarMul), Of(VT_CY, 1.5), Of(VT_CY, 1.5), S_OK, Of(VT_CY, 2.25)},
        BinaryCase{OP(VarMul), Of(VT_DATE, 2), Of(VT_I2, 3), S_OK, Of(VT_R8, 6)},
        BinaryCase{OP(VarDiv), Of(VT_I4, 7), Of(VT_I4, 2), S_OK, Of(VT_R8, 3.5)},
        BinaryCase{OP(VarDiv), Of(VT_R4, 1), Of(VT_I2, 4), S_OK, Of(VT_R4, 0.25)},
        BinaryCase{OP(VarDiv), Of(VT_CY, 10), Of(VT_I4, 4), S_OK, Of(VT_CY, 2.5)},
        BinaryCase{OP(VarDiv), Of(VT_CY, 10), Of(VT_CY, 4), S_OK, Of(VT_R8, 2.5)},
        BinaryCase{OP(VarDiv), Of(VT_I4, 1), Of(VT_I4, 0), DISP_E_DIVBYZERO, kNone},
        BinaryCase{OP(VarDiv), Of(VT_I4, 0), Of(VT_I4, 0), DISP_E_OVERFLOW, kNone},
        BinaryCase{OP(VarIdiv), Of(VT_I4, 7), Of(VT_I4, 2), S_OK, Of(VT_I4, 3)},
        BinaryCase{OP(VarIdiv), Of(VT_I4, -7), Of(VT_I4, 2), S_OK, Of(VT_I4, -3)},
        BinaryCase{OP(VarIdiv), Of(VT_I2, 7), Of(VT_UI1, 2), S_OK, Of(VT_I2, 3)},
        BinaryCase{OP(VarIdiv), Of(VT_R8, 7.5), Of(VT_I2, 2), S_OK, Of(VT_I4, 4)},
        BinaryCase{OP(VarIdiv), Of(VT_I8, 9), Of(VT_I2, 2), S_OK, Of(VT_I8, 4)},
        BinaryCase{OP(VarIdiv), Of(VT_I4, 1), Of(VT_R8, 0.4), DISP_E_DIVBYZERO, kNone},
        BinaryCase{OP(VarMod), Of(VT_I4, -7), Of(VT_I4, 3), S_OK, Of(VT_I4, -1)},
        BinaryCase{OP(VarMod), Of(VT_I4, 7), Of(VT_I4, 0), DISP_E_DIVBYZERO, kNone},
        BinaryCase{OP(VarMod), Null(), Of(VT_I4, 0), S_OK, Null()},
        BinaryCase{OP(VarPow), Of(VT_I4, 2), Of(VT_I4, 10), S_OK, Of(VT_R8, 1024)},
        BinaryCase{OP(VarPow), Of(VT_I4, 0), Of(VT_I4, -1), DISP_E_DIVBYZERO, kNone},
        BinaryCase{OP(VarPow), Of(VT_R8, 1e200), Of(VT_I4, 2), DISP_E_OVERFLOW, kNone},
        BinaryCase{OP(VarPow), Null(), Of(VT_I4, 2), S_OK, Null()}));

INSTANTIATE_TEST_SUITE_P(
    Logic, Binary,
    ::testing::Values(BinaryCase{OP(VarAnd), Bool(true), Bool(false), S_OK, Bool(false)},
                      BinaryCase{OP(VarAnd), Bool(true), Of(VT_I4, 5), S_OK, Of(VT_I4, 5)},
                      BinaryCase{OP(VarAnd), Of(VT_UI1, 12), Of(VT_UI1, 10), S_OK, Of(VT_UI1, 8)},
                      BinaryCase{OP(VarAnd), Of(VT_R8, 6.5), Of(VT_I2, 3), S_OK, Of(VT_I4, 2)},
                      BinaryCase{OP(VarAnd), Null(), Bool(false), S_OK, Bool(false)},
                      BinaryCase{OP(VarAnd), Null(), Bool(true), S_OK, Null()},
                      BinaryCase{OP(VarAnd), Bool(true), Str(u"True"), S_OK, Bool(true)},
                      BinaryCase{OP(VarOr), Of(VT_I2, 12), Of(VT_I2, 3), S_OK, Of(VT_I2, 15)},
                      BinaryCase{OP(VarOr), Null(), Bool(true), S_OK, Bool(true)},
                      BinaryCase{OP(VarOr), Null(), Of(VT_I4, 0), S_OK, Null()},
                      BinaryCase{OP(VarXor), Bool(true), Bool(true), S_OK, Bool(false)},
                      BinaryCase{OP(VarXor), Of(VT_I8, 6), Of(VT_I4, 3), S_OK, Of(VT_I8, 5)},
                      BinaryCase{OP(VarXor), Null(), Bool(true), S_OK, Null()},
                      BinaryCase{OP(VarEqv), Bool(true), Bool(false), S_OK, Bool(false)},
                      BinaryCase{OP(VarEqv), Of(VT_I4, 5), Of(VT_I4, 3), S_OK, Of(VT_I4, ~(5 ^ 3))},
                      BinaryCase{OP(VarEqv), Null(), Bool(true), S_OK, Null()},
                      BinaryCase{OP(VarImp), Bool(false), Null(), S_OK, Bool(true)},
                      BinaryCase{OP(VarImp), Bool(true), Null(), S_OK, Null()},
                      BinaryCase{OP(VarImp), Null(), Bool(true), S_OK, Bool(true)},
                      BinaryCase{OP(VarImp), Bool(true), Bool(false), S_OK, Bool(false)},
                      BinaryCase{OP(VarImp), Of(VT_I4, 5), Of(VT_I4, 3), S_OK, Of(VT_I4, ~5 | 3)},
                      BinaryCase{OP(VarAnd), Of(VT_R8, 1e10), Of(VT_I4, 1), DISP_E_OVERFLOW, kNone},
                      BinaryCase{OP(VarOr), Str(u"x"), Of(VT_I4, 1), DISP_E_TYPEMISMATCH, kNone}));

INSTANTIATE_TEST_SUITE_P(
    Concatenation, Binary,
    ::testing::Values(
        BinaryCase{OP(VarCat), Null(), Str(u"a"), S_OK, Str(u"a")},
        BinaryCase{OP(VarCat), Null(), Null(), S_OK, Null()},
        BinaryCase{OP(VarCat), Empty(), Of(VT_I4, 5), S_OK, Str(u"5")},
        BinaryCase{OP(VarCat), Bool(true), Of(VT_R8, 1.5), S_OK, Str(u"True1.5")},
        BinaryCase{OP(VarCat), Str(u"d="), Of(VT_DATE, 36526), S_OK, Str(u"d=1/1/2000")},
        BinaryCase{OP(VarCat), Of(VT_ERROR, 1), Str(u"a"), DISP_E_TYPEMISMATCH, kNone}));

using UnaryFn = HRESULT (*)(LPVARIANT, LPVARIANT);

struct UnaryCase {
  const char* name;
  UnaryFn fn;
  Val in;
  HRESULT hr;
  Val want;
};

void PrintTo(const UnaryCase& c, std::ostream* os) {
  Var in(c.in);
  *os << c.name << "(" << describe(in.V) << ")";
}

class Unary : public ::testing::TestWithParam<UnaryCase> {};

TEST_P(Unary, GivesPublishedResult) {
  const UnaryCase& c = GetParam();
  Var in(c.in), out;
  HRESULT hr = c.fn(&in, &out);
  ASSERT_EQ(hr, c.hr);
  if (SUCCEEDED(hr)) {
    EXPECT_TRUE(Holds(out.V, c.want));
  }
}

INSTANTIATE_TEST_SUITE_P(
    All, Unary,
    ::testing::Values(UnaryCase{OP(VarNeg), Of(VT_I2, 5), S_OK, Of(VT_I2, -5)},
                      UnaryCase{OP(VarNeg), Of(VT_I2, -32768), S_OK, Of(VT_I4, 32768)},
                      UnaryCase{OP(VarNeg), Of(VT_I4, -2147483648.0), S_OK,
                                Of(VT_R8, 2147483648.0)},
                      UnaryCase{OP(VarNeg), Of(VT_UI1, 5), S_OK, Of(VT_I2, -5)},
                      UnaryCase{OP(VarNeg), Bool(true), S_OK, Of(VT_I2, 1)},
                      UnaryCase{OP(VarNeg), Empty(), S_OK, Of(VT_I2, 0)},
                      UnaryCase{OP(VarNeg), Null(), S_OK, Null()},
                      UnaryCase{OP(VarNeg), Str(u"2.5"), S_OK, Of(VT_R8, -2.5)},
                      UnaryCase{OP(VarNeg), Of(VT_CY, 1.25), S_OK, Of(VT_CY, -1.25)},
                      UnaryCase{OP(VarNeg), Of(VT_DATE, 2), S_OK, Of(VT_DATE, -2)},
                      UnaryCase{OP(VarNeg), Str(u"x"), DISP_E_TYPEMISMATCH, Empty()},
                      UnaryCase{OP(VarNot), Bool(true), S_OK, Bool(false)},
                      UnaryCase{OP(VarNot), Of(VT_I4, 0), S_OK, Of(VT_I4, -1)},
                      UnaryCase{OP(VarNot), Of(VT_UI1, 0), S_OK, Of(VT_UI1, 255)},
                      UnaryCase{OP(VarNot), Of(VT_R8, 2.5), S_OK, Of(VT_I4, -3)},
                      UnaryCase{OP(VarNot), Empty(), S_OK, Of(VT_I2, -1)},
                      UnaryCase{OP(VarNot), Null(), S_OK, Null()},
                      UnaryCase{OP(VarNot), Str(u"False"), S_OK, Bool(true)},
                      UnaryCase{OP(VarAbs), Of(VT_I4, -3), S_OK, Of(VT_I4, 3)},
                      UnaryCase{OP(VarAbs), Of(VT_R8, -0.5), S_OK, Of(VT_R8, 0.5)},
                      UnaryCase{OP(VarAbs), Bool(true), S_OK, Of(VT_I2, 1)},
                      UnaryCase{OP(VarFix), Of(VT_R8, -2.7), S_OK, Of(VT_R8, -2)},
                      UnaryCase{OP(VarInt), Of(VT_R8, -2.7), S_OK, Of(VT_R8, -3)},
                      UnaryCase{OP(VarInt), Of(VT_CY, -2.5), S_OK, Of(VT_CY, -3)},
                      UnaryCase{OP(VarFix), Of(VT_CY, -2.5), S_OK, Of(VT_CY, -2)},
                      UnaryCase{OP(VarInt), Of(VT_I4, 7), S_OK, Of(VT_I4, 7)}));

struct CmpCase {
  Val l, r;
  HRESULT want;
  ULONG flags = 0;
};

void PrintTo(const CmpCase& c, std::ostream* os) {
  Var l(c.l), r(c.r);
  *os << describe(l.V) << " vs " << describe(r.V) << (c.flags ? " ignoring case" : "");
}

class Compare : public ::testing::TestWithParam<CmpCase> {};

TEST_P(Compare, GivesPublishedOrder) {
  const CmpCase& c = GetParam();
  Var l(c.l), r(c.r);
  EXPECT_EQ(VarCmp(&l, &r, LOCALE_USER_DEFAULT, c.flags), c.want);
}

INSTANTIATE_TEST_SUITE_P(
    All, Compare,
    ::testing::Values(
        CmpCase{Of(VT_I4, 1), Of(VT_R8, 1.5), VARCMP_LT},
        CmpCase{Of(VT_CY, 1.5), Of(VT_I4, 1), VARCMP_GT},
        CmpCase{Bool(true), Of(VT_I4, -1), VARCMP_EQ}, CmpCase{Empty(), Of(VT_I4, 0), VARCMP_EQ},
        CmpCase{Empty(), Str(u""), VARCMP_EQ}, CmpCase{Null(), Of(VT_I4, 0), VARCMP_NULL},
        CmpCase{Str(u"abc"), Str(u"abd"), VARCMP_LT}, CmpCase{Str(u"abc"), Str(u"ab"), VARCMP_GT},
        CmpCase{Str(u"ABC"), Str(u"abc"), VARCMP_EQ, NORM_IGNORECASE},
        CmpCase{Str(u"1"), Of(VT_I4, 5), VARCMP_GT}, CmpCase{Of(VT_I4, 5), Str(u"1"), VARCMP_LT},
        CmpCase{Of(VT_DATE, 2), Of(VT_R8, 2), VARCMP_EQ},
        CmpCase{Of(VT_ERROR, 1), Of(VT_I4, 1), DISP_E_TYPEMISMATCH}));

TEST(CompareExact, WideIntegersBeyondDoublePrecision) {
  Var l(Of(VT_I8, 0)), r(Of(VT_I8, 0));
  l.V.llVal = (1LL << 53) + 1;
  r.V.llVal = 1LL << 53;
  EXPECT_EQ(VarCmp(&l, &r, LOCALE_USER_DEFAULT, 0), VARCMP_GT);
  r.V.vt = VT_UI8;
  r.V.ullVal = UINT64_MAX;
  EXPECT_EQ(VarCmp(&l, &r, LOCALE_USER_DEFAULT, 0), VARCMP_LT);
}

}  // namespace
