#include <vector>

#include "tests/ole/OleTestValues.h"

using namespace oletest;

namespace {

struct ArrayDeleter {
  void operator()(SAFEARRAY* a) const { SafeArrayDestroy(a); }
};
using ArrayPtr = std::unique_ptr<SAFEARRAY, ArrayDeleter>;

ArrayPtr make3x4(VARTYPE vt) {
  // dimension 1: 1..3, dimension 2: -2..1
  SAFEARRAYBOUND bounds[2] = {{3, 1}, {4, -2}};
  return ArrayPtr(SafeArrayCreate(vt, 2, bounds));
}

TEST(SafeArray, BoundsPerDimensionInNaturalOrder) {
  ArrayPtr a = make3x4(VT_I4);
  ASSERT_TRUE(a);
  EXPECT_EQ(SafeArrayGetDim(a.get()), 2u);
  EXPECT_EQ(SafeArrayGetElemsize(a.get()), 4u);
  LONG lo, hi;
  ASSERT_EQ(SafeArrayGetLBound(a.get(), 1, &lo), S_OK);
  ASSERT_EQ(SafeArrayGetUBound(a.get(), 1, &hi), S_OK);
  EXPECT_EQ(lo, 1);
  EXPECT_EQ(hi, 3);
  ASSERT_EQ(SafeArrayGetLBound(a.get(), 2, &lo), S_OK);
  ASSERT_EQ(SafeArrayGetUBound(a.get(), 2, &hi), S_OK);
  EXPECT_EQ(lo, -2);
  EXPECT_EQ(hi, 1);
  // the descriptor keeps the last dimension first
  EXPECT_EQ(a->rgsabound[0].cElements, 4u);
  EXPECT_EQ(SafeArrayGetLBound(a.get(), 3, &lo), DISP_E_BADINDEX);
  EXPECT_EQ(SafeArrayGetLBound(a.get(), 0, &lo), DISP_E_BADINDEX);
  VARTYPE vt;
  ASSERT_EQ(SafeArrayGetVartype(a.get(), &vt), S_OK);
  EXPECT_EQ(vt, VT_I4);
}

TEST(SafeArray, FirstDimensionVariesFastest) {
  ArrayPtr a = make3x4(VT_I4);
  LONG idx[2] = {2, -2};
  LONG value = 99;
  ASSERT_EQ(SafeArrayPutElement(a.get(), idx, &value), S_OK);
  LONG* data;
  ASSERT_EQ(SafeArrayAccessData(a.get(), reinterpret_cast<void**>(&data)), S_OK);
  EXPECT_EQ(data[1], 99);
  EXPECT_EQ(SafeArrayDestroy(a.get()), DISP_E_ARRAYISLOCKED);
  ASSERT_EQ(SafeArrayUnaccessData(a.get()), S_OK);
  EXPECT_EQ(SafeArrayUnlock(a.get()), E_UNEXPECTED);
  void* p;
  LONG last[2] = {3, 1};
  ASSERT_EQ(SafeArrayPtrOfIndex(a.get(), last, &p), S_OK);
  EXPECT_EQ(static_cast<LONG*>(p), data + 11);
}

struct BadIndex {
  LONG i, j;
};

void PrintTo(const BadIndex& b, std::ostream* os) { *os << "(" << b.i << ", " << b.j << ")"; }

class SafeArrayBadIndex : public ::testing::TestWithParam<BadIndex> {};

TEST_P(SafeArrayBadIndex, FailsWithoutTouchingMemory) {
  ArrayPtr a = make3x4(VT_I4);
  LONG idx[2] = {GetParam().i, GetParam().j};
  LONG value = 1;
  void* p = nullptr;
  EXPECT_EQ(SafeArrayPutElement(a.get(), idx, &value), DISP_E_BADINDEX);
  EXPECT_EQ(SafeArrayGetElement(a.get(), idx, &value), DISP_E_BADINDEX);
  EXPECT_EQ(SafeArrayPtrOfIndex(a.get(), idx, &p), DISP_E_BADINDEX);
  EXPECT_EQ(p, nullptr);
}

INSTANTIATE_TEST_SUITE_P(All, SafeArrayBadIndex,
                         ::testing::Values(BadIndex{0, 0}, BadIndex{4, 0}, BadIndex{1, -3},
                                           BadIndex{1, 2}, BadIndex{INT32_MIN, 0},
                                           BadIndex{1, INT32_MAX}));

TEST(SafeArray, BstrElementsAreCopied) {
  ArrayPtr a(SafeArrayCreateVector(VT_BSTR, 0, 2));
  BSTR s = SysAllocString(u"abc");
  LONG i = 1;
  ASSERT_EQ(SafeArrayPutElement(a.get(), &i, s), S_OK);
  SysFreeString(s);
  BSTR got = nullptr;
  ASSERT_EQ(SafeArrayGetElement(a.get(), &i, &got), S_OK);
  EXPECT_EQ(OleBstrView(got), u"abc");
  SysFreeString(got);
  i = 0;
  ASSERT_EQ(SafeArrayPutElement(a.get(), &i, nullptr), S_OK);
}

TEST(SafeArray, VariantElementsCopyAndArraysNestInVariants) {
  ArrayPtr a(SafeArrayCreateVector(VT_VARIANT, 0, 3));
  Var s(Str(u"x")), got;
  LONG i = 2;
  ASSERT_EQ(SafeArrayPutElement(a.get(), &i, &s), S_OK);
  ASSERT_EQ(SafeArrayGetElement(a.get(), &i, &got.V), S_OK);
  EXPECT_TRUE(Holds(got.V, Str(u"x")));

  Var holder, copy;
  holder.V.vt = VT_ARRAY | VT_VARIANT;
  holder.V.parray = a.release();
  ASSERT_EQ(VariantCopy(&copy, &holder), S_OK);
  ASSERT_NE(copy.V.parray, holder.V.parray);
  Var fromCopy;
  ASSERT_EQ(SafeArrayGetElement(copy.V.parray, &i, &fromCopy.V), S_OK);
  EXPECT_TRUE(Holds(fromCopy.V, Str(u"x")));
}

TEST(SafeArray, CopyIsDeep) {
  ArrayPtr a = make3x4(VT_R8);
  LONG idx[2] = {3, 1};
  double d = 2.5;
  ASSERT_EQ(SafeArrayPutElement(a.get(), idx, &d), S_OK);
  SAFEARRAY* raw = nullptr;
  ASSERT_EQ(SafeArrayCopy(a.get(), &raw), S_OK);
  ArrayPtr b(raw);
  d = 7;
  ASSERT_EQ(SafeArrayPutElement(a.get(), idx, &d), S_OK);
  ASSERT_EQ(SafeArrayGetElement(b.get(), idx, &d), S_OK);
  EXPECT_EQ(d, 2.5);
  LONG lo;
  ASSERT_EQ(SafeArrayGetLBound(b.get(), 2, &lo), S_OK);
  EXPECT_EQ(lo, -2);
}

TEST(SafeArray, RedimChangesTheLastDimension) {
  ArrayPtr a(SafeArrayCreateVector(VT_BSTR, 1, 3));
  LONG i = 3;
  BSTR s = SysAllocString(u"dropped");
  ASSERT_EQ(SafeArrayPutElement(a.get(), &i, s), S_OK);
  SysFreeString(s);
  SAFEARRAYBOUND smaller{2, 1};
  ASSERT_EQ(SafeArrayRedim(a.get(), &smaller), S_OK);
  LONG hi;
  SafeArrayGetUBound(a.get(), 1, &hi);
  EXPECT_EQ(hi, 2);
  SAFEARRAYBOUND larger{5, 0};
  ASSERT_EQ(SafeArrayRedim(a.get(), &larger), S_OK);
  i = 4;
  BSTR got = reinterpret_cast<BSTR>(1);
  ASSERT_EQ(SafeArrayGetElement(a.get(), &i, &got), S_OK);
  EXPECT_EQ(got, nullptr);
}

TEST(SafeArray, DimensionLimits) {
  std::vector<SAFEARRAYBOUND> bounds(65, SAFEARRAYBOUND{1, 0});
  ArrayPtr ok(SafeArrayCreate(VT_UI1, 64, bounds.data()));
  EXPECT_TRUE(ok);
  EXPECT_EQ(SafeArrayCreate(VT_UI1, 65, bounds.data()), nullptr);
  EXPECT_EQ(SafeArrayCreate(VT_UI1, 0, bounds.data()), nullptr);
  EXPECT_EQ(SafeArrayCreate(VT_NULL, 1, bounds.data()), nullptr);
  std::vector<SAFEARRAYBOUND> huge(4, SAFEARRAYBOUND{0xFFFFFFFF, 0});
  EXPECT_EQ(SafeArrayCreate(VT_I4, 4, huge.data()), nullptr);
}

TEST(SafeArray, NullArgumentsAreInvalid) {
  LONG i = 0, v = 0;
  EXPECT_EQ(SafeArrayGetElement(nullptr, &i, &v), E_INVALIDARG);
  EXPECT_EQ(SafeArrayPutElement(nullptr, &i, &v), E_INVALIDARG);
  EXPECT_EQ(SafeArrayGetLBound(nullptr, 1, &v), E_INVALIDARG);
  EXPECT_EQ(SafeArrayLock(nullptr), E_INVALIDARG);
  EXPECT_EQ(SafeArrayDestroy(nullptr), S_OK);
  ArrayPtr a(SafeArrayCreateVector(VT_I4, 0, 1));
  EXPECT_EQ(SafeArrayGetElement(a.get(), nullptr, &v), E_INVALIDARG);
  EXPECT_EQ(SafeArrayPutElement(a.get(), &i, nullptr), E_INVALIDARG);
}

}  // namespace
