// Host values to variants and back, by the conversion table of the dispatch contract.
#include <cmath>

#include "tests/wrappers/WrpTestKit.h"

namespace {

using ConversionTest = WrappersTest;

TEST_F(ConversionTest, UnsignedKeepsItsBitPattern) {
  TVar value = TVar::Adopt(TQelConv<uint32_t>::ToVar(4294967295u));
  EXPECT_EQ(value.Vt(), VT_I4);
  EXPECT_EQ(value.Get().lVal, -1);
  EXPECT_EQ(TQelConv<uint32_t>::FromVar(value.Get()), 4294967295u);
  EXPECT_EQ(TQelConv<uint32_t>::FromVar(TVar::Adopt(QelInt64Var(4294967295)).Get()), 4294967295u);
}

TEST_F(ConversionTest, CharactersTravelAsTheirCode) {
  TVar value = TVar::Adopt(TQelConv<char16_t>::ToVar(u'A'));
  EXPECT_EQ(value.Vt(), VT_I4);
  EXPECT_EQ(value.AsInt(), 65);
  EXPECT_EQ(TQelConv<char16_t>::FromVar(TVar::Int(0x10041).Get()), u'A');
  // A one-character string is that character; other strings coerce as numbers.
  EXPECT_EQ(TQelConv<char16_t>::FromVar(TVar::Str(u"A").Get()), u'A');
  EXPECT_EQ(TQelConv<char>::FromVar(TVar::Str(u"z").Get()), 'z');
  EXPECT_THROW(TQelConv<char16_t>::FromVar(TVar::Str(u"AB").Get()), ExceptionPtr);
}

struct TIntCase {
  int32_t Input;
  int64_t Word, Byte, Smallint, Shortint;
};

void PrintTo(const TIntCase& ACase, std::ostream* AOut) { *AOut << ACase.Input; }

class NarrowingTest : public ConversionTest, public ::testing::WithParamInterface<TIntCase> {};

TEST_P(NarrowingTest, IntegersAreTruncatedToTheTypesWidth) {
  const TIntCase& c = GetParam();
  const TVar input = TVar::Int(c.Input);
  const VARIANT& v = input.Get();
  EXPECT_EQ(TQelConv<uint16_t>::FromVar(v), c.Word);
  EXPECT_EQ(TQelConv<uint8_t>::FromVar(v), c.Byte);
  EXPECT_EQ(TQelConv<int16_t>::FromVar(v), c.Smallint);
  EXPECT_EQ(TQelConv<int8_t>::FromVar(v), c.Shortint);
}

// Expected values are the input modulo 2^16 / 2^8, read unsigned or as two's complement.
INSTANTIATE_TEST_SUITE_P(Cases, NarrowingTest,
                         ::testing::Values(TIntCase{70000, 4464, 112, 4464, 112}, TIntCase{-1, 65535, 255, -1, -1},
                                           TIntCase{300, 300, 44, 300, 44}, TIntCase{128, 128, 128, 128, -128}));

TEST_F(ConversionTest, KindsOfScalarResults) {
  EXPECT_EQ(TVar::Adopt(TQelConv<int64_t>::ToVar(int64_t{1} << 40)).Vt(), VT_I8);
  EXPECT_EQ(TVar::Adopt(TQelConv<uint64_t>::ToVar(uint64_t{1} << 63)).Vt(), VT_UI8);
  EXPECT_EQ(TVar::Adopt(TQelConv<float>::ToVar(1.5f)).Vt(), VT_R8);
  EXPECT_EQ(TVar::Adopt(TQelConv<bool>::ToVar(true)).Get().boolVal, VARIANT_TRUE);
  EXPECT_EQ(TVar::Adopt(TQelConv<String>::ToVar(u"x")).Vt(), VT_BSTR);
}

TEST_F(ConversionTest, RealsAreRoundedHalfToEvenIntoIntegers) {
  EXPECT_EQ(TQelConv<int32_t>::FromVar(TVar::Real(2.5).Get()), 2);
  EXPECT_EQ(TQelConv<int32_t>::FromVar(TVar::Real(3.5).Get()), 4);
  EXPECT_EQ(TQelConv<int32_t>::FromVar(TVar::Str(u"12").Get()), 12);
}

TEST_F(ConversionTest, SetBitsFollowOrdinals) {
  const uint8_t small = (1u << 0) | (1u << 2) | (1u << 5);
  TVar value = TVar::Adopt(SetToVar(1, &small));
  EXPECT_EQ(value.AsInt(), 37);
  uint8_t back = 0;
  VarToSet(1, &back, value.Get());
  EXPECT_EQ(back, small);
  const uint16_t wide = 0x8001;
  EXPECT_EQ(TVar::Adopt(SetToVar(2, &wide)).AsInt(), 0x8001);
}

TEST_F(ConversionTest, SetsWiderThanFourBytesAreRefused) {
  uint8_t chars[32] = {};
  for (int size : {3, 8, 32}) {
    try {
      SetToVar(size, chars);
      FAIL() << size;
    } catch (const ExceptionPtr& e) {
      EXPECT_EQ(e->GetMessage(), u"Unsupported set type.");
      EXPECT_EQ(static_cast<EOleSysError*>(e.Get())->GetErrorCode(), E_FAIL);
    }
    EXPECT_THROW(VarToSet(size, chars, TVar::Int(1).Get()), ExceptionPtr);
  }
}

TEST_F(ConversionTest, NilObjectIsItsOwnKind) {
  TVar nil = TVar::Adopt(ObjectToVar(nullptr));
  EXPECT_EQ(nil.Vt(), VT_DISPATCH);
  EXPECT_EQ(nil.Disp(), nullptr);
  EXPECT_EQ(VarToObject(nil.Get()), nullptr);
  EXPECT_EQ(VarToObject(TVar().Get()), nullptr);
  EXPECT_EQ(TVar::Adopt(MetaclassToVar(nullptr)).Disp(), nullptr);
  EXPECT_EQ(TVar::Adopt(EventToVar(nullptr, TMethod{})).Disp(), nullptr);
}

TEST_F(ConversionTest, NonWrapperValuesAreTypeCastErrors) {
  EXPECT_THROW(VarToObject(TVar::Int(0).Get()), ExceptionPtr);
  EXPECT_THROW(VarToWrapper(TVar().Get(), false), ExceptionPtr);
  TStringList list;
  EXPECT_THROW(VarToObject(TVar::Object(&list).Get(), TList::StaticClass()), ExceptionPtr);
  EXPECT_EQ(VarToObject(TVar::Object(&list).Get(), TStrings::StaticClass()), &list);
}

TEST_F(ConversionTest, SetVarRefWritesTheEndOfTheChainOnly) {
  TVar target = TVar::Int(1);
  VARIANT ref = MakeVarRef(target.Get());
  SetVarRef(ref, TVar::Str(u"new").Get());
  EXPECT_EQ(target.Text(), u"new");
  TVar plain = TVar::Int(1);
  SetVarRef(plain.Get(), TVar::Int(2).Get());
  EXPECT_EQ(plain.AsInt(), 1);
}

TEST_F(ConversionTest, ReferenceCycleIsRefusedNotFollowedForever) {
  VARIANT a{}, b{};
  a = MakeVarRef(b);
  b = MakeVarRef(a);
  EXPECT_THROW(QelDeref(a), ExceptionPtr);
}

}  // namespace
