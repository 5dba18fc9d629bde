#include <malloc.h>

#include <cstring>
#include <string>
#include <vector>

#include "tests/ole/OleTestValues.h"

using namespace oletest;

namespace {

TEST(Bstr, NullIsAnEmptyString) {
  EXPECT_EQ(SysStringLen(nullptr), 0u);
  EXPECT_EQ(SysStringByteLen(nullptr), 0u);
  EXPECT_TRUE(OleBstrView(nullptr).empty());
  EXPECT_EQ(SysAllocString(nullptr), nullptr);
  SysFreeString(nullptr);
}

TEST(Bstr, KeepsLengthPrefixAndTerminator) {
  BSTR b = SysAllocString(u"hello");
  ASSERT_NE(b, nullptr);
  uint32_t prefix;
  std::memcpy(&prefix, reinterpret_cast<char*>(b) - 4, 4);
  EXPECT_EQ(prefix, 10u);
  EXPECT_EQ(SysStringLen(b), 5u);
  EXPECT_EQ(SysStringByteLen(b), 10u);
  EXPECT_EQ(b[5], 0);
  SysFreeString(b);
}

TEST(Bstr, EmbeddedZerosCount) {
  const OLECHAR text[] = {u'a', 0, u'b'};
  BSTR b = SysAllocStringLen(text, 3);
  EXPECT_EQ(SysStringLen(b), 3u);
  EXPECT_EQ(OleBstrView(b), std::u16string_view(text, 3));
  Var v, copy;
  v.V.vt = VT_BSTR;
  v.V.bstrVal = b;
  ASSERT_EQ(VariantCopy(&copy, &v), S_OK);
  EXPECT_NE(copy.V.bstrVal, b);
  EXPECT_EQ(OleBstrView(copy.V.bstrVal), std::u16string_view(text, 3));
}

TEST(Bstr, UninitialisedBufferOfRequestedLength) {
  BSTR b = SysAllocStringLen(nullptr, 4);
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(SysStringLen(b), 4u);
  EXPECT_EQ(b[4], 0);
  SysFreeString(b);
}

TEST(Bstr, OddByteLengthsKeepTheirSize) {
  BSTR b = SysAllocStringByteLen("abc", 3);
  EXPECT_EQ(SysStringByteLen(b), 3u);
  EXPECT_EQ(SysStringLen(b), 1u);
  SysFreeString(b);
}

TEST(Bstr, ReallocReplacesAndAcceptsItsOwnText) {
  BSTR b = SysAllocString(u"hello world");
  ASSERT_EQ(SysReAllocString(&b, u"hi"), 1);
  EXPECT_EQ(OleBstrView(b), u"hi");
  ASSERT_EQ(SysReAllocStringLen(&b, b, 1), 1);  // source inside the old string
  EXPECT_EQ(OleBstrView(b), u"h");
  ASSERT_EQ(SysReAllocStringLen(&b, nullptr, 3), 1);
  EXPECT_EQ(SysStringLen(b), 3u);
  EXPECT_EQ(SysReAllocString(nullptr, u"x"), 0);
  SysFreeString(b);
}

TEST(Bstr, AppendGrowsInPlaceAndAcceptsItsOwnText) {
  BSTR b = nullptr;
  ASSERT_EQ(OleBstrAppend(&b, u"ab", 2), 1);  // a null string is the empty string
  EXPECT_EQ(OleBstrView(b), u"ab");
  std::u16string expected = u"ab";
  for (int i = 0; i < 300; ++i) {  // enough to move the block several times
    ASSERT_EQ(OleBstrAppend(&b, u"xyz", 3), 1);
    expected += u"xyz";
  }
  EXPECT_EQ(OleBstrView(b), expected);
  EXPECT_EQ(b[SysStringLen(b)], u'\0');
  // The source inside the string itself, at a length that makes the block move.
  const UINT half = SysStringLen(b);
  ASSERT_EQ(OleBstrAppend(&b, b, half), 1);
  EXPECT_EQ(OleBstrView(b), expected + expected);
  ASSERT_EQ(OleBstrAppend(&b, nullptr, 0), 1);
  EXPECT_EQ(SysStringLen(b), 2 * half);
  EXPECT_EQ(OleBstrAppend(nullptr, u"x", 1), 0);
  SysFreeString(b);
}

TEST(Bstr, AssignKeepsAFittingBlockAndAcceptsItsOwnText) {
  BSTR b = SysAllocString(u"a longer text");
  const BSTR block = b;
  ASSERT_EQ(OleBstrAssignBytes(&b, reinterpret_cast<const char*>(u"short"), 10), 1);
  EXPECT_EQ(b, block);  // fits: the same block
  EXPECT_EQ(OleBstrView(b), u"short");
  EXPECT_EQ(b[5], u'\0');
  ASSERT_EQ(OleBstrAssignBytes(&b, reinterpret_cast<const char*>(b + 1), 6), 1);  // its own tail
  EXPECT_EQ(OleBstrView(b), u"hor");
  ASSERT_EQ(OleBstrAssignBytes(&b, "abc", 3), 1);  // an odd byte length stays exact
  EXPECT_EQ(SysStringByteLen(b), 3u);
  EXPECT_EQ(std::memcmp(b, "abc\0\0", 5), 0);
  std::u16string big(4000, u'x');
  ASSERT_EQ(OleBstrAssignBytes(&b, reinterpret_cast<const char*>(big.data()), 8000), 1);
  EXPECT_EQ(OleBstrView(b), big);  // too small: a new block
  ASSERT_EQ(OleBstrAssignBytes(&b, reinterpret_cast<const char*>(u"x"), 2), 1);
  EXPECT_EQ(OleBstrView(b), u"x");
  EXPECT_LT(malloc_usable_size(reinterpret_cast<char*>(b) - 4), 1000u)
      << "a tiny text keeps a large block";
  BSTR none = nullptr;
  ASSERT_EQ(OleBstrAssignBytes(&none, "", 0), 1);
  EXPECT_EQ(SysStringLen(none), 0u);
  EXPECT_EQ(OleBstrAssignBytes(nullptr, "x", 1), 0);
  SysFreeString(none);
  SysFreeString(b);
}

TEST(Bstr, SmallStringsOfEverySizeKeepTheirText) {
  // Blocks freed and served again across size classes must still hold each new string whole.
  for (int round = 0; round < 3; ++round) {
    std::vector<BSTR> strings;
    for (UINT n = 0; n < 48; ++n) {
      std::u16string text(n, char16_t(u'a' + n % 26));
      strings.push_back(SysAllocStringLen(text.data(), n));
    }
    for (UINT n = 0; n < 48; ++n) {
      EXPECT_EQ(SysStringLen(strings[n]), n);
      EXPECT_EQ(OleBstrView(strings[n]), std::u16string(n, char16_t(u'a' + n % 26)));
      EXPECT_EQ(strings[n][n], u'\0');
    }
    for (BSTR b : strings) SysFreeString(b);
  }
}

TEST(Bstr, FromStringView) {
  BSTR b = OleAllocBstr(u"");
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(SysStringLen(b), 0u);
  SysFreeString(b);
}

TEST(VariantLifetime, ClearLeavesByReferenceTargetsAlone) {
  Var target(Str(u"kept")), ref;
  ref.V.vt = VT_BYREF | VT_VARIANT;
  ref.V.pvarVal = &target.V;
  EXPECT_EQ(VariantClear(&ref), S_OK);
  EXPECT_EQ(ref.V.vt, VT_EMPTY);
  EXPECT_TRUE(Holds(target.V, Str(u"kept")));
}

TEST(VariantLifetime, CopyIndFollowsReferencesAndCopyKeepsThem) {
  Var target(Str(u"v")), ref, copy;
  ref.V.vt = VT_BYREF | VT_VARIANT;
  ref.V.pvarVal = &target.V;
  ASSERT_EQ(VariantCopy(&copy, &ref), S_OK);
  EXPECT_EQ(copy.V.vt, VT_BYREF | VT_VARIANT);
  EXPECT_EQ(copy.V.pvarVal, &target.V);
  ASSERT_EQ(VariantCopyInd(&copy, &ref), S_OK);
  EXPECT_TRUE(Holds(copy.V, Str(u"v")));
  EXPECT_NE(copy.V.bstrVal, target.V.bstrVal);
}

TEST(VariantLifetime, CopyIndDetectsReferenceCycles) {
  VARIANT a, b;
  a.vt = b.vt = VT_BYREF | VT_VARIANT;
  a.pvarVal = &b;
  b.pvarVal = &a;
  Var out;
  EXPECT_EQ(VariantCopyInd(&out, &a), E_INVALIDARG);
}

TEST(VariantLifetime, BadKindsAreRefused) {
  Var v, out;
  v.V.vt = VT_VECTOR | VT_I4;
  EXPECT_EQ(VariantClear(&v), DISP_E_BADVARTYPE);
  EXPECT_EQ(VariantCopy(&out, &v), DISP_E_BADVARTYPE);
  v.V.vt = VT_VARIANT;
  EXPECT_EQ(VariantCopy(&out, &v), DISP_E_BADVARTYPE);
  v.V.vt = VT_EMPTY;
}

}  // namespace
