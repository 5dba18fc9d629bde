// TQelByteCode: call geometry, label resolution and jump chains, stack-size analysis,
// protected-block table and break-position search.
#include "tests/vm/VMTestFixture.h"

namespace {

struct TGeometryCase {
  int ArgCount;
  bool HasObject, HasValue, ResUsed;
  int ArgsOffset, ObjectOffset, ResOffset;
};

void PrintTo(const TGeometryCase& c, std::ostream* AOut) {
  *AOut << c.ArgCount << " args" << (c.HasObject ? ", object" : "") << (c.HasValue ? ", value" : "")
        << (c.ResUsed ? ", result" : "");
}

class CallGeometry : public ::testing::TestWithParam<TGeometryCase> {};

TEST_P(CallGeometry, OffsetsFollowTheStackLayout) {
  const TGeometryCase& c = GetParam();
  TQelByteCode code;
  TQelCall* call = code.AddCall(7, u"X", bkRound, c.ArgCount, c.HasObject, c.HasValue, c.ResUsed);
  EXPECT_EQ(call->FArgsOffset, c.ArgsOffset);
  EXPECT_EQ(call->FObjectOffset, c.ObjectOffset);
  EXPECT_EQ(call->FResOffset, c.ResOffset);
  EXPECT_EQ(call->FResMask, c.ResUsed ? ~uintptr_t(0) : 0u);
  EXPECT_EQ(call->FBreakLabel, nullptr);
}

// Bottom to top: result, object, arguments, value.
INSTANTIATE_TEST_SUITE_P(Table, CallGeometry,
                         ::testing::Values(TGeometryCase{0, false, false, true, -1, 0, 0},
                                           TGeometryCase{2, false, false, false, 1, 2, 2},
                                           TGeometryCase{2, true, false, true, 1, 2, 3},
                                           TGeometryCase{1, false, true, true, 1, 2, 2},
                                           TGeometryCase{3, true, true, true, 3, 4, 5}));

TEST(ByteCode, EmptyCodeHasStackSizeZero) {
  TQelByteCode code;
  code.BeginEmit(u"empty", nullptr, 1);
  code.EndEmit();
  EXPECT_EQ(code.StackSize(), 0);
  EXPECT_EQ(code.StackLocalsOffset(), 0);
}

TEST(ByteCode, EmitStampsTryIndexPositionAndBreakableBit) {
  TQelByteCode code;
  code.BeginEmit(u"p", nullptr, 5);
  code.SetNextInstrBreakable();
  code.Emit(icPush0);
  TQelTry* block = code.BeginProtectedBlock();
  int old;
  code.BeginSourcePos(9, old);
  code.Emit(icPop);
  code.EndSourcePos(old);
  code.EndProtectedBlock();
  code.Emit(icRet);
  block->FHandlerLabel = code.CreateLabel();
  code.BindLabel(block->FHandlerLabel);
  code.Emit(icRet);
  code.EndEmit();
  const TQelInstr* i = code.Code();
  EXPECT_TRUE(i[0].IsBreakable());
  EXPECT_EQ(i[0].SourcePos(), 5);
  EXPECT_EQ(i[0].TryIndex, -1);
  EXPECT_FALSE(i[1].IsBreakable());
  EXPECT_EQ(i[1].SourcePos(), 9);
  EXPECT_EQ(i[1].TryIndex, 0);
  EXPECT_EQ(i[2].SourcePos(), 5);
  EXPECT_EQ(code.TryCount(), 1);
  EXPECT_EQ(code.TryAt(0), block);
}

TEST(ByteCode, JumpChainsAreShortened) {
  TQelByteCode code;
  code.BeginEmit(u"p", nullptr, 1);
  TQelLabel* a = code.CreateLabel();
  TQelLabel* b = code.CreateLabel();
  TQelLabel* c = code.CreateLabel();
  code.Emit(icJump, a);  // 0
  code.BindLabel(a);
  code.Emit(icJump, b);  // 1
  code.BindLabel(b);
  code.Emit(icJump, c);  // 2
  code.BindLabel(c);
  code.Emit(icRet);      // 3
  code.EndEmit();
  EXPECT_EQ(a->FTarget, code.Code() + 3);
  EXPECT_EQ(b->FTarget, code.Code() + 3);
}

TEST(ByteCode, JumpCycleDoesNotHang) {
  TQelByteCode code;
  code.BeginEmit(u"p", nullptr, 1);
  TQelLabel* a = code.CreateLabel();
  TQelLabel* b = code.CreateLabel();
  code.Emit(icRet);      // 0
  code.BindLabel(a);
  code.Emit(icJump, b);  // 1
  code.BindLabel(b);
  code.Emit(icJump, a);  // 2
  code.EndEmit();
  // a -> 1 (jump to b) -> 2 (jump to a) -> 1 repeats: a keeps the last target before the repeat.
  EXPECT_EQ(a->FTarget, code.Code() + 2);
  EXPECT_EQ(b->FTarget->Code, icJump);
}

TEST(ByteCode, StackSizeCoversDeepExpressionAfterFinally) {
  TQelByteCode code;
  std::deque<TVar> literals;
  TAsm a(code, literals);
  code.BeginEmit(u"p", nullptr, 1);
  int local = a.Local();
  TQelTry* block = nullptr;
  TryFinally(
      a,
      [&](TAsm& b, TQelTry* T) {
        block = T;
        b.Op(icPush0).Op(icAssignLocalVar, intptr_t(local));
      },
      [](TAsm&) {});
  for (int i = 0; i < 5; ++i) a.Op(icPush0);  // the deepest point: 5 operands
  for (int i = 0; i < 4; ++i) a.Op(icPlus);
  a.Op(icPop).Op(icRet);
  code.EndEmit();
  EXPECT_EQ(code.LocalVarCount(), 4);  // the local, the exception state (2), the return slot
  EXPECT_EQ(code.StackSize(), 4 + 5);
  EXPECT_EQ(code.StackLocalsOffset(), 3);
  EXPECT_EQ(block->KnownFinallyRetCount(), 2);
}

TEST(ByteCode, StackSizeCoversDeepExpressionInsideFinallyBody) {
  TQelByteCode code;
  std::deque<TVar> literals;
  TAsm a(code, literals);
  code.BeginEmit(u"p", nullptr, 1);
  TryFinally(a, [](TAsm&, TQelTry*) {}, [](TAsm& b) {
    for (int i = 0; i < 3; ++i) b.Op(icPush0);
    for (int i = 0; i < 3; ++i) b.Op(icPop);
  });
  a.Op(icRet);
  code.EndEmit();
  EXPECT_EQ(code.StackSize(), 3 + 3);
}

TEST(ByteCode, TooManyProtectedBlocksAreRefused) {
  TQelByteCode code;
  code.BeginEmit(u"p", nullptr, 1);
  for (int i = 0; i < 128; ++i) code.BeginProtectedBlock();
  EXPECT_THROW(code.BeginProtectedBlock(), ExceptionPtr);
}

TEST(ByteCode, BreakInstrSearch) {
  TQelByteCode code;
  code.BeginEmit(u"p", nullptr, 10);
  code.Emit(icPush0);
  int old;
  code.BeginSourcePos(20, old);
  code.SetNextInstrBreakable();
  code.Emit(icPop);
  code.EndSourcePos(old);
  code.Emit(icRet);
  code.EndEmit();
  EXPECT_EQ(code.GetFirstBreakInstr(15, 10), code.Code() + 1);
  EXPECT_EQ(code.GetFirstBreakInstr(10, 5), nullptr);  // in range, but not breakable
  EXPECT_EQ(code.GetFirstBreakInstr(100, 5), nullptr);  // outside the code's positions
}

TEST(ByteCode, ExcHdrRangesNest) {
  TQelByteCode code;
  TQelTry* outer = code.BeginProtectedBlock();
  code.EndProtectedBlock();
  code.BeginExcHdrCode(outer);
  TQelTry* inner = code.BeginProtectedBlock();
  code.EndProtectedBlock();
  code.BeginExcHdrCode(inner);
  code.EndExcHdrCode(inner);
  code.EndExcHdrCode(outer);
  EXPECT_LE(outer->FHdrHierLow, inner->FHdrHierLow);
  EXPECT_LE(inner->FHdrHierLow, outer->FHdrHierHigh);
  EXPECT_EQ(inner->FParent, nullptr);
}

TEST(NameTable, NamesCompareWithoutCase) {
  int a = QelNameTable().GetNameIndex(u"counter", true);
  EXPECT_EQ(QelNameTable().GetNameIndex(u"Counter", true), a);
  EXPECT_EQ(QelNameTable().GetNameIndex(u"COUNTER", false), a);
  EXPECT_EQ(Utf8(QelNameTable().GetName(a)), "COUNTER");
  EXPECT_EQ(QelNameTable().GetNameIndex(u"neverSeenName12345", false), -1);
}

}  // namespace
