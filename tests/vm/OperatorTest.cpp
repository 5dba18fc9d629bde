// Operator instructions over a table of variant kinds, run as assembled expressions.
#include <climits>

#include "tests/vm/VMTestFixture.h"

namespace {

struct TBinCase {
  const char* Name;
  TQelInstrCode Op;
  std::function<VARIANT()> Left, Right;
  const char* Expected;
};

std::ostream& operator<<(std::ostream& S, const TBinCase& C) { return S << C.Name; }

class BinaryOp : public VMTest, public ::testing::WithParamInterface<TBinCase> {};

TEST_P(BinaryOp, GivesThePublishedResult) {
  Start();
  const TBinCase& c = GetParam();
  TVar result = EvalCode([&](TAsm& a) { a.Lit(c.Left()).Lit(c.Right()).Op(c.Op); });
  EXPECT_EQ(Describe(result.V), c.Expected);
}

auto I4(int32_t A) { return [A] { return MakeI4(A); }; }
auto I2(int16_t A) { return [A] { return MakeI2(A); }; }
auto I8(int64_t A) { return [A] { return MakeI8(A); }; }
auto UI1(uint8_t A) { return [A] { return MakeUI1(A); }; }
auto UI4(uint32_t A) { return [A] { return MakeUI4(A); }; }
auto R8(double A) { return [A] { return MakeR8(A); }; }
auto B(bool A) { return [A] { return MakeBool(A); }; }
auto S(const char16_t* A) { return [A] { return MakeStr(A); }; }
auto N() { return [] { return MakeNull(); }; }
auto E() { return [] { return MakeEmpty(); }; }

INSTANTIATE_TEST_SUITE_P(
    Arithmetic, BinaryOp,
    ::testing::Values(
        TBinCase{"I4PlusI4", icPlus, I4(2), I4(3), "I4:5"},
        TBinCase{"I2PlusUI1IsInteger", icPlus, I2(200), UI1(100), "I4:300"},
        TBinCase{"Int64PlusWraps", icPlus, I8(INT64_MAX), I4(1), "I8:-9223372036854775808"},
        TBinCase{"UI4PlusIsInt64", icPlus, UI4(4000000000u), I4(1), "I8:4000000001"},
        TBinCase{"TrueTrueIsTwo", icPlus, B(true), B(true), "I4:2"},
        TBinCase{"FloatClass", icPlus, R8(1.5), I4(1), "R8:2.5"},
        TBinCase{"BoolInFloatIsMinusOne", icPlus, R8(1.0), B(true), "R8:0"},
        TBinCase{"StringsConcatByVarAdd", icPlus, S(u"a"), S(u"b"), "Str:ab"},
        TBinCase{"I4Minus", icMinus, I4(2), I4(5), "I4:-3"},
        TBinCase{"I8Multiply", icMultiply, I8(5), I4(3), "I8:15"},
        TBinCase{"DivideIsGeneral", icDivide, I4(7), I4(2), "R8:3.5"},
        TBinCase{"FloatDivide", icDivide, R8(1), R8(4), "R8:0.25"},
        TBinCase{"IntDivTruncates", icIntDiv, I4(-7), I4(2), "I4:-3"},
        TBinCase{"ModTruncates", icMod, I4(-7), I4(2), "I4:-1"},
        TBinCase{"Int64IntDiv", icIntDiv, I8(10000000000), I4(3), "I8:3333333333"},
        TBinCase{"ShlMasksCount", icShl, I4(1), I4(33), "I4:2"},
        TBinCase{"ShrIsLogical", icShr, I4(-1), I4(28), "I4:15"},
        TBinCase{"TrueAndFiveIsFive", icAnd, B(true), I4(5), "I4:5"},
        TBinCase{"BoolAnd", icAnd, B(true), B(false), "Bool:False"},
        TBinCase{"BoolOr", icOr, B(true), B(false), "Bool:True"},
        TBinCase{"BoolXor", icXor, B(true), B(true), "Bool:False"},
        TBinCase{"IntOr", icOr, I4(12), I4(3), "I4:15"},
        TBinCase{"IntXor", icXor, I4(6), I4(3), "I4:5"},
        TBinCase{"IntEqv", icEqv, I4(5), I4(3), "I4:-7"},
        TBinCase{"IntImp", icImp, I4(5), I4(3), "I4:-5"},
        TBinCase{"BoolEqv", icEqv, B(false), B(false), "Bool:True"},
        TBinCase{"NullEqvTrueIsNull", icEqv, N(), B(true), "Null"},
        TBinCase{"FalseImpNullIsTrue", icImp, B(false), N(), "Bool:True"},
        TBinCase{"TrueImpNullIsNull", icImp, B(true), N(), "Null"},
        TBinCase{"NullImpNullIsNull", icImp, N(), N(), "Null"},
        TBinCase{"NullConcat", icStrConcat, N(), S(u"a"), "Str:a"},
        TBinCase{"EmptyConcat", icStrConcat, S(u"a"), E(), "Str:a"},
        TBinCase{"NumbersConcat", icStrConcat, I4(2), I4(3), "Str:23"},
        TBinCase{"Power", icPower, I4(2), I4(10), "R8:1024"}),
    [](const auto& AInfo) { return std::string(AInfo.param.Name); });

INSTANTIATE_TEST_SUITE_P(
    Comparison, BinaryOp,
    ::testing::Values(
        TBinCase{"Less", icLess, I4(2), I4(3), "Bool:True"},
        TBinCase{"LessEqual", icLessEqual, I4(3), I4(3), "Bool:True"},
        TBinCase{"Greater", icGreater, I4(3), I4(3), "Bool:False"},
        TBinCase{"FloatGreater", icGreater, R8(2.5), I4(2), "Bool:True"},
        TBinCase{"FalseBelowTrue", icGreater, B(true), B(false), "Bool:True"},
        TBinCase{"TrueIsMinusOne", icEqual, B(true), I4(-1), "Bool:True"},
        TBinCase{"Int64Equal", icEqual, I8(5), I4(5), "Bool:True"},
        TBinCase{"NotEqual", icNotEqual, I8(5), I4(6), "Bool:True"},
        TBinCase{"StringsLess", icLess, S(u"a"), S(u"b"), "Bool:True"},
        TBinCase{"StringsEqual", icEqual, S(u"b"), S(u"b"), "Bool:True"},
        TBinCase{"NullIsNotEqual", icEqual, N(), I4(1), "Bool:False"},
        TBinCase{"InTestsBitModulo32", icIn, I4(33), I4(2), "Bool:True"},
        TBinCase{"NotIn", icIn, I4(0), I4(2), "Bool:False"},
        TBinCase{"RefEqualNeedsObjects", icRefEqual, I4(1), I4(1), "Bool:False"},
        TBinCase{"RefNotEqualNeedsObjects", icRefNotEqual, I4(1), I4(2), "Bool:False"},
        TBinCase{"IsWithoutHookIsFalse", icIs, I4(1), I4(1), "Bool:False"}),
    [](const auto& AInfo) { return std::string(AInfo.param.Name); });

struct TUnaryCase {
  const char* Name;
  TQelInstrCode Op;
  std::function<VARIANT()> Operand;
  const char* Expected;
};
std::ostream& operator<<(std::ostream& S, const TUnaryCase& C) { return S << C.Name; }

class UnaryOp : public VMTest, public ::testing::WithParamInterface<TUnaryCase> {};

TEST_P(UnaryOp, GivesThePublishedResult) {
  Start();
  const TUnaryCase& c = GetParam();
  TVar result = EvalCode([&](TAsm& a) { a.Lit(c.Operand()).Op(c.Op); });
  EXPECT_EQ(Describe(result.V), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, UnaryOp,
    ::testing::Values(
        TUnaryCase{"NegI4", icUnaryMinus, I4(5), "I4:-5"},
        TUnaryCase{"NegMinI4Wraps", icUnaryMinus, I4(INT32_MIN), "I4:-2147483648"},
        TUnaryCase{"NegByteIsSmallInt", icUnaryMinus, UI1(5), "I2:-5"},
        TUnaryCase{"NegWordIsInteger", icUnaryMinus, [] { return MakeUI2(5); }, "I4:-5"},
        TUnaryCase{"NegLongWord", icUnaryMinus, UI4(5), "I4:-5"},
        TUnaryCase{"NegLongWordTopBit", icUnaryMinus, UI4(0x80000000u), "I8:-2147483648"},
        TUnaryCase{"NegTrue", icUnaryMinus, B(true), "I2:-1"},
        TUnaryCase{"NegFalse", icUnaryMinus, B(false), "I2:0"},
        TUnaryCase{"NegDouble", icUnaryMinus, R8(1.5), "R8:-1.5"},
        TUnaryCase{"PlusKeeps", icUnaryPlus, S(u"x"), "Str:x"},
        TUnaryCase{"NotI4", icUnaryNot, I4(0), "I4:-1"},
        TUnaryCase{"NotTrue", icUnaryNot, B(true), "Bool:False"},
        TUnaryCase{"NotByteKeepsKind", icUnaryNot, UI1(0), "UI1:255"},
        TUnaryCase{"NotInt64", icUnaryNot, I8(0), "I8:-1"},
        TUnaryCase{"NotDoubleRoundsHalfEvenDown", icUnaryNot, R8(2.5), "I4:-3"},
        TUnaryCase{"NotDoubleRoundsHalfEvenUp", icUnaryNot, R8(3.5), "I4:-5"},
        TUnaryCase{"NotBigDoubleIsInt64", icUnaryNot, R8(1e10), "I8:-10000000001"}),
    [](const auto& AInfo) { return std::string(AInfo.param.Name); });

class Operators : public VMTest {};

TEST_F(Operators, Int32OverflowUsesTheGeneralOperation) {
  Start();
  TVar result = EvalCode([](TAsm& a) { a.Int(INT32_MAX).Int(1).Op(icPlus); });
  TVar asDouble;
  ASSERT_EQ(VariantChangeType(&asDouble.V, &result.V, 0, VT_R8), S_OK);
  EXPECT_EQ(asDouble.V.dblVal, 2147483648.0);
}

TEST_F(Operators, IntDivByZeroRaisesTheHostError) {
  Start();
  EXPECT_EQ(ErrorOf([&] { EvalCode([](TAsm& a) { a.Int(1).Int(0).Op(icIntDiv); }); }),
            "Division by zero");
  EXPECT_EQ(ErrorOf([&] { EvalCode([](TAsm& a) { a.Int(INT32_MIN).Int(-1).Op(icMod); }); }), "");
}

TEST_F(Operators, DispatchEqualityIsIdentity) {
  Start();
  auto* one = new TTestDisp;
  auto* two = new TTestDisp;
  struct TCase {
    IDispatch *L, *R;
    TQelInstrCode Op;
    const char* Expected;
  } cases[] = {{one, one, icEqual, "Bool:True"},     {one, two, icEqual, "Bool:False"},
               {one, one, icRefEqual, "Bool:True"},  {one, two, icRefNotEqual, "Bool:True"},
               {one, two, icNotEqual, "Bool:True"}};
  for (const TCase& c : cases) {
    TVar result = EvalCode([&](TAsm& a) { a.Lit(MakeDisp(c.L)).Lit(MakeDisp(c.R)).Op(c.Op); });
    EXPECT_EQ(Describe(result.V), c.Expected);
  }
  Script.Literals.clear();
  one->Release();
  two->Release();
}

struct TSetCase {
  const char* Name;
  int32_t Set, Low, High;  // High < 0: add the single element Low
  const char* Expected;
};
std::ostream& operator<<(std::ostream& S, const TSetCase& C) { return S << C.Name; }

class SetOps : public VMTest, public ::testing::WithParamInterface<TSetCase> {};

TEST_P(SetOps, AddToSet) {
  Start();
  const TSetCase& c = GetParam();
  std::string error = ErrorOf([&] {
    TVar result = EvalCode([&](TAsm& a) {
      a.Int(c.Set).Int(c.Low);
      if (c.High >= 0) a.Int(c.High).Op(icAddRangeToSet);
      else a.Op(icAddValToSet);
    });
    EXPECT_EQ(Describe(result.V), c.Expected);
  });
  if (!error.empty()) {
    EXPECT_EQ(error, c.Expected);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, SetOps,
    ::testing::Values(TSetCase{"Range3To5", 2, 3, 5, "I4:58"},
                      TSetCase{"FullRange", 0, 0, 31, "I4:-1"},
                      TSetCase{"EmptyRange", 1, 5, 3, "I4:1"},
                      TSetCase{"Value", 1, 4, -1, "I4:17"},
                      TSetCase{"Value31", 0, 31, -1, "I4:-2147483648"},
                      TSetCase{"Bound32", 0, 3, 32, "Constant expression violates subrange bounds"},
                      TSetCase{"ValueNegative", 0, -1, -1,
                               "Constant expression violates subrange bounds"}),
    [](const auto& AInfo) { return std::string(AInfo.param.Name); });

}  // namespace
