// The instruction sequences emitted for the constructs whose shape matters, and the machine's
// evaluation entry points.
#include <gtest/gtest.h>

#include "engine/vm/QelSctVM.h"
#include "tests/pascal/PasTestUtil.h"

// gtest would print the one-byte codes as characters.
void PrintTo(TQelInstrCode ACode, std::ostream* AOut) { *AOut << int(ACode); }

namespace {

// Emits the script's only procedure and lists its instruction codes.
std::vector<TQelInstrCode> CodesOf(const std::string& ASource, TQelByteCode** ACode = nullptr) {
  static std::vector<std::unique_ptr<TRecordingCallbacks>> keep;  // code points into the tree
  keep.push_back(std::make_unique<TRecordingCallbacks>());
  TQelPasParser parser(keep.back().get());
  parser.Parse(U16(ASource));
  auto* proc = dynamic_cast<TQelProcedureDecl*>(keep.back()->Globals.at(0));
  proc->EmitByteCode(nullptr);
  if (ACode) *ACode = &proc->FByteCode;
  std::vector<TQelInstrCode> codes;
  for (int i = 0; i < proc->FByteCode.Count(); ++i)
    codes.push_back(TQelInstrCode(proc->FByteCode.Code()[i].Code));
  return codes;
}

struct TEmitCase {
  const char* Name;
  std::string Body;  // inside "procedure P(a; b); var x, i, v; begin ... end;"
  std::vector<TQelInstrCode> Codes;
};

void PrintTo(const TEmitCase& ACase, std::ostream* AOut) { *AOut << ACase.Name; }

class EmitSequences : public ::testing::TestWithParam<TEmitCase> {};

TEST_P(EmitSequences, EmitsTheExpectedInstructions) {
  const TEmitCase& c = GetParam();
  std::vector<TQelInstrCode> want = c.Codes;
  want.push_back(icRet);
  EXPECT_EQ(CodesOf("procedure P(a; b); var x, i, v; begin " + c.Body + " end;"), want)
      << c.Name;
}

INSTANTIATE_TEST_SUITE_P(
    Table, EmitSequences,
    ::testing::Values(
        TEmitCase{"AssignLocal", "x := 5", {icPushLiteral, icAssignLocalVar}},
        TEmitCase{"AssignZero", "x := 0", {icPush0, icAssignLocalVar}},
        TEmitCase{"AssignParamAndGlobal", "a := x; g := 1",
                  {icPushLocalVar, icAssignArg, icPushLiteral, icAssignGlobCall}},
        TEmitCase{"CallStatement", "P(1)", {icPush, icPushLiteral, icGlobCall, icPop}},
        TEmitCase{"LocalArgumentsPassByReference", "P(x, x + 0)",
                  {icPush, icPushLocalVarRef, icPushLocalVar, icPush0, icPlus, icGlobCall, icPop}},
        TEmitCase{"IndexedMemberAssignment", "obj.Items[i] := v",
                  {icPush, icGlobCall, icPushLocalVarRef, icPushLocalVar, icAssignMemberCall}},
        TEmitCase{"ChainReservesOneCellPerLink", "x := a.b(1).c",
                  {icPush, icPushArg, icPushLiteral, icMemberCall, icMemberCall, icAssignLocalVar}},
        TEmitCase{"UnnamedCall", "x := f(1)(2)",
                  {icPush, icPushLiteral, icGlobCall, icPushLiteral, icUnnamedCall, icAssignLocalVar}},
        TEmitCase{"BooleanAndFusesIntoJumps", "if (a > 0) and (b > 0) then x := 1",
                  {icPushArg, icPush0, icGreater, icPopJmpIfFalse, icPushArg, icPush0, icGreater,
                   icPopJmpIfFalse, icPushLiteral, icAssignLocalVar}},
        TEmitCase{"BooleanOrValueShortCircuits", "x := (a = 1) or (b = 2)",
                  {icPushArg, icPushLiteral, icEqual, icJmpIfTrue, icPop, icPushArg, icPushLiteral,
                   icEqual, icAssignLocalVar}},
        TEmitCase{"IntegerAndIsBitwise", "x := 6 and 3",
                  {icPushLiteral, icPushLiteral, icAnd, icAssignLocalVar}},
        TEmitCase{"IntegerOrInConditionIsBitwise", "if (a + 1) or b then x := 1",
                  {icPushArg, icPushLiteral, icPlus, icPushArg, icOr, icPopJmpIfFalse,
                   icPushLiteral, icAssignLocalVar}},
        TEmitCase{"UnknownAndTestsTheLeftValue", "x := a and b",
                  {icPushArg, icJmpIfFalse, icPushArg, icAnd, icAssignLocalVar}},
        TEmitCase{"UnknownOrTestsTheComplement", "x := a or b",
                  {icPushArg, icUnaryNot, icJmpIfFalse, icPushArg, icUnaryNot, icAnd, icUnaryNot,
                   icAssignLocalVar}},
        TEmitCase{"UnknownAndInCondition", "if a and b then x := 1",
                  {icPushArg, icJmpIfFalse, icPushArg, icAnd, icPopJmpIfFalse, icPushLiteral,
                   icAssignLocalVar}},
        TEmitCase{"NotOfComparisonFolds", "if not (a = 1) then x := 1",
                  {icPushArg, icPushLiteral, icPopJmpIfEqual, icPushLiteral, icAssignLocalVar}},
        TEmitCase{"NotOfUnknownComputes", "if not a then x := 1",
                  {icPushArg, icUnaryNot, icPopJmpIfFalse, icPushLiteral, icAssignLocalVar}},
        TEmitCase{"WhileTestsAtTheEnd", "while a <> 0 do a := a - 1",
                  {icJump, icPushArg, icPushLiteral, icMinus, icAssignArg, icPushArg, icPush0,
                   icPopJmpIfNotEqual}},
        TEmitCase{"ForOverLocal", "for x := 1 to 3 do ;",
                  {icPushLiteral, icForInitLocal, icPushLiteral, icAssignLocalVar, icJump, icForInc,
                   icForJmpIfLE}},
        TEmitCase{"ForOverGlobal", "for g := 3 downto 1 do ;",
                  {icPush, icGlobCallRef, icPushLiteral, icForInitLValue, icPushLiteral,
                   icAssignLocalVar, icJump, icForDec, icForJmpIfGE}},
        TEmitCase{"CaseWithRange", "case a of 1: x := 1; 2..3: x := 2; end",
                  {icPushArg, icPushLiteral, icCaseJmpIfEqual, icPushLiteral, icPushLiteral,
                   icCaseJmpIfInRange, icPop, icJump, icPushLiteral, icAssignLocalVar, icJump,
                   icPushLiteral, icAssignLocalVar, icJump}},
        TEmitCase{"SetConstructor", "x := [1, 3..5]",
                  {icPush0, icPushLiteral, icAddValToSet, icPushLiteral, icPushLiteral,
                   icAddRangeToSet, icAssignLocalVar}},
        TEmitCase{"ArrayConstructor", "x := array[5]",
                  {icPush0, icPushLiteral, icArrayCreate, icAssignLocalVar}},
        TEmitCase{"EventMaker", "x := @P", {icEventHandlerMake, icAssignLocalVar}},
        TEmitCase{"TryExceptWithTypedHandler", "try P; except on E: EClass do P; end",
                  {icPush, icGlobCall, icPop, icJump, icSetNamespace, icPush, icGlobCall,
                   icExceptJmpIfIs, icJump, icSetNamespace, icExceptToVar, icAssignLocalVar, icPush,
                   icGlobCall, icPop, icSetNamespace, icExceptDone, icJump, isReraise,
                   icSetNamespace, icExceptDone, icRet}},
        TEmitCase{"TryFinallyOutsideLoops", "try P; finally x := 1 end",
                  {icPush, icGlobCall, icPop, icCallFinally, icJump, icPushLiteral,
                   icAssignLocalVar, icFinallyRet, icCallFinally, icRet, icRaiseEBCFromFinally,
                   icSetNamespace, icCallFinally, isReraise}},
        TEmitCase{"EmptyFinallyIsUnprotected", "try P; finally end",
                  {icPush, icGlobCall, icPop}},
        TEmitCase{"RaiseAndReraise", "try raise x; except raise end",
                  {icPushLocalVar, icRaise, icJump, icSetNamespace, isReraise, icExceptDone,
                   icJump, icExceptDone, icRet}}));

TEST(Emit, TryStatementLeavesTheBreakMarkToItsFirstStatement) {
  TQelByteCode* code = nullptr;
  CodesOf("procedure P; begin try P; finally P end; end;", &code);
  EXPECT_TRUE(code->Code()[0].IsBreakable());
}

TEST(Emit, EveryCallRecordsTheLoopAndExitTargets) {
  TQelByteCode* code = nullptr;
  CodesOf("procedure P; begin Q; while True do Break; end;", &code);
  std::vector<TQelCall*> calls;
  for (int i = 0; i < code->Count(); ++i)
    if (code->Code()[i].Code == icGlobCall) calls.push_back(code->Code()[i].Ptr<TQelCall>());
  ASSERT_EQ(calls.size(), 3u);  // Q, True, Break
  EXPECT_EQ(calls[0]->FBreakLabel, nullptr);
  EXPECT_NE(calls[2]->FBreakLabel, nullptr);
  EXPECT_NE(calls[2]->FContinueLabel, nullptr);
  EXPECT_EQ(calls[2]->FExitLabel, nullptr);
  EXPECT_FALSE(calls[0]->IsResUsed());
}

struct TLendCase {
  const char* Name;
  std::string Body;     // inside "procedure P(a); var x, y, i; begin ... end;"
  bool Lends;           // the push of x notes the member call it may lend its object to
};

void PrintTo(const TLendCase& ACase, std::ostream* AOut) { *AOut << ACase.Name; }

class LendingPushes : public ::testing::TestWithParam<TLendCase> {};

TEST_P(LendingPushes, OnlyPlainPushesBetweenTheObjectAndItsCall) {
  const TLendCase& c = GetParam();
  TQelByteCode* code = nullptr;
  CodesOf("procedure P(a); var x, y, i; begin " + c.Body + " end;", &code);
  const TQelInstr* push = nullptr;
  for (int i = 0; i < code->Count() && !push; ++i)
    if (code->Code()[i].Code == icPushLocalVar) push = &code->Code()[i];
  ASSERT_NE(push, nullptr);
  if (!c.Lends) {
    EXPECT_EQ(push->Hint, 0);
    return;
  }
  ASSERT_GT(push->Hint, 0);
  const TQelInstr& call = push[push->Hint];
  EXPECT_TRUE(call.Code == icMemberCall || call.Code == icAssignMemberCall) << int(call.Code);
}

INSTANTIATE_TEST_SUITE_P(
    Table, LendingPushes,
    ::testing::Values(TLendCase{"NoArguments", "y := x.Count", true},
                      TLendCase{"PlainArguments", "x.Add(1, 'a', a)", true},
                      TLendCase{"OtherVariableByReference", "x.Add(y)", true},
                      TLendCase{"IndexedPut", "x.Items[i] := y", true},
                      TLendCase{"ItsOwnVariableByReference", "x.Add(x)", false},
                      TLendCase{"ACallAmongTheArguments", "x.Add(Q(1))", false},
                      TLendCase{"AnExpressionAmongTheArguments", "x.Add(i + 1)", false},
                      TLendCase{"TheValueOfAPut", "a.Items[1] := x", false}),
    [](const auto& AInfo) { return std::string(AInfo.param.Name); });

// The machine's evaluation entry points with the Pascal language.
class PasMachine : public ::testing::Test {
 protected:
  void SetUp() override {
    vm.Initialize(u"var g = 20; const K = 3;\nfunction Twice(x); begin Result := x * 2 end;\n"
                  u"procedure Main; begin g := g + 1 end;");
    vm.Open();
  }
  int EvalInt(const std::u16string& AExpr) {
    VARIANT v = vm.Eval(AExpr);
    EXPECT_EQ(v.vt, VT_I4) << StringToUtf8(AExpr);
    return v.lVal;
  }
  TQelVirtMachine vm{QelPasLanguage()};
};

TEST_F(PasMachine, EvalExecStmtAndRunProc) {
  EXPECT_EQ(EvalInt(u"Twice(g) + K"), 43);
  vm.ExecStmt(u"g := Twice(5)");
  EXPECT_EQ(EvalInt(u"g"), 10);
  VARIANT r = vm.RunProc(u"Main");
  VariantClear(&r);
  EXPECT_EQ(EvalInt(u"g"), 11);
  TQelPreparedCode expr = vm.PrepareExpr(u"g * 2");
  TQelPreparedCode stmt = vm.PrepareStmt(u"begin g := g + 1; g := g + 1 end");
  vm.ExecStmt(stmt.get());
  VARIANT v = vm.Eval(expr.get());
  EXPECT_EQ(v.lVal, 26);
  EXPECT_EQ(EvalInt(u"6 and 3"), 2);
  EXPECT_EQ(EvalInt(u"$0F or $F0"), 255);
  EXPECT_EQ(EvalInt(u"not 4"), -5);
}

TEST_F(PasMachine, PreparedTextRefusesDeclarationsAndReportsItsErrors) {
  auto error = CatchCompileError([&] { vm.PrepareExpr(u"1 +"); });
  ASSERT_TRUE(error);
  EXPECT_EQ(error->Message, "Invalid token: 'end of file'.");
  EXPECT_EQ(error->Pos, 4);
}

}  // namespace

namespace {

TEST(Emit, DebugVarsListParamsConstantsVariablesAndResult) {
  TQelByteCode* code = nullptr;
  CodesOf("function F(a); const K = 1; C2 = a * 2; var v; begin end;", &code);
  auto* ns = dynamic_cast<TQelProcLocalNamespace*>(code->InitialNamespace());
  ASSERT_NE(ns, nullptr);
  std::vector<std::pair<std::string, TQelNameSearchResKind>> seen;
  ns->EnumDebugVars(true, [&](const std::u16string& AName, const TQelNameSearchRes& ARes) {
    seen.emplace_back(StringToUtf8(AName), ARes.ObjKind);
  });
  const std::vector<std::pair<std::string, TQelNameSearchResKind>> want = {
      {"a", srParam}, {"K", srLocalConst}, {"C2", srLocalVar}, {"v", srLocalVar},
      {"Result", srResult}};
  EXPECT_EQ(seen, want);
}

}  // namespace
