// The instruction sequences emitted for the constructs whose shape matters, and the machine's
// evaluation entry points.
#include <gtest/gtest.h>

#include "engine/vm/QelVMDisasm.h"
#include "tests/pascal/PasTestUtil.h"

namespace {

// Emits the script's only procedure (the code points into the syntax tree, which is kept).
TQelByteCode* EmitOnly(const std::string& ASource) {
  static std::vector<std::unique_ptr<TRecordingCallbacks>> keep;
  keep.push_back(std::make_unique<TRecordingCallbacks>());
  TQelPasParser parser(keep.back().get());
  parser.Parse(U16(ASource));
  auto* proc = dynamic_cast<TQelProcedureDecl*>(keep.back()->Globals.at(0));
  proc->EmitByteCode(nullptr);
  return &proc->FByteCode;
}

struct TEmitCase {
  const char* Name;
  std::string Body;  // inside "procedure P(a; b); var x, i, v; begin ... end;"
  std::vector<std::string> Listing;  // the disassembler's lines, without the final icRet
};

void PrintTo(const TEmitCase& ACase, std::ostream* AOut) { *AOut << ACase.Name; }

class EmitSequences : public ::testing::TestWithParam<TEmitCase> {};

TEST_P(EmitSequences, EmitsTheExpectedInstructions) {
  const TEmitCase& c = GetParam();
  std::vector<std::string> want = c.Listing;
  want.push_back("icRet");
  EXPECT_EQ(QelListing(*EmitOnly("procedure P(a; b); var x, i, v; begin " + c.Body + " end;")),
            want);
}

INSTANTIATE_TEST_SUITE_P(
    Table, EmitSequences,
    ::testing::Values(
        TEmitCase{"AssignLocal", "x := 5",
                  {"icPushLiteral 5",
                   "icAssignLocalVar local 0"}},
        TEmitCase{"AssignZero", "x := 0",
                  {"icPush0",
                   "icAssignLocalVar local 0"}},
        TEmitCase{"AssignParamAndGlobal", "a := x; g := 1",
                  {"icPushLocalVar local 0",
                   "icAssignArg arg 0",
                   "icPushLiteral 1",
                   "icAssignGlobCall g, 0 args, result"}},
        TEmitCase{"CallStatement", "P(1)",
                  {"icPush 1",
                   "icPushLiteral 1",
                   "icGlobCall P(), 1 arg",
                   "icPop"}},
        TEmitCase{"LocalArgumentsPassByReference", "P(x, x + 0)",
                  {"icPush 1",
                   "icPushLocalVarRef local 0",
                   "icPushLocalVar local 0",
                   "icPush0",
                   "icPlus",
                   "icGlobCall P(), 2 args",
                   "icPop"}},
        TEmitCase{"IndexedMemberAssignment", "obj.Items[i] := v",
                  {"icPush 1",
                   "icGlobCall obj, 0 args, result",
                   "icPushLocalVarRef local 1",
                   "icPushLocalVar local 2",
                   "icAssignMemberCall Items[], 1 arg, result"}},
        TEmitCase{"ChainReservesOneCellPerLink", "x := a.b(1).c",
                  {"icPush 2",
                   "icPushArg arg 0",
                   "icPushLiteral 1",
                   "icMemberCall b(), 1 arg, result",
                   "icMemberCall c, 0 args, result",
                   "icAssignLocalVar local 0"}},
        TEmitCase{"UnnamedCall", "x := f(1)(2)",
                  {"icPush 2",
                   "icPushLiteral 1",
                   "icGlobCall f(), 1 arg, result",
                   "icPushLiteral 2",
                   "icUnnamedCall <unnamed>(), 1 arg, result",
                   "icAssignLocalVar local 0"}},
        TEmitCase{"BooleanAndFusesIntoJumps", "if (a > 0) and (b > 0) then x := 1",
                  {"icPushArg arg 0",
                   "icPush0",
                   "icGreater",
                   "icPopJmpIfFalse -> 10",
                   "icPushArg arg 1",
                   "icPush0",
                   "icGreater",
                   "icPopJmpIfFalse -> 10",
                   "icPushLiteral 1",
                   "icAssignLocalVar local 0"}},
        TEmitCase{"BooleanOrValueShortCircuits", "x := (a = 1) or (b = 2)",
                  {"icPushArg arg 0",
                   "icPushLiteral 1",
                   "icEqual",
                   "icJmpIfTrue -> 8",
                   "icPop",
                   "icPushArg arg 1",
                   "icPushLiteral 2",
                   "icEqual",
                   "icAssignLocalVar local 0"}},
        TEmitCase{"IntegerAndIsBitwise", "x := 6 and 3",
                  {"icPushLiteral 6",
                   "icPushLiteral 3",
                   "icAnd",
                   "icAssignLocalVar local 0"}},
        TEmitCase{"IntegerOrInConditionIsBitwise", "if (a + 1) or b then x := 1",
                  {"icPushArg arg 0",
                   "icPushLiteral 1",
                   "icPlus",
                   "icPushArg arg 1",
                   "icOr",
                   "icPopJmpIfFalse -> 8",
                   "icPushLiteral 1",
                   "icAssignLocalVar local 0"}},
        TEmitCase{"UnknownAndTestsTheLeftValue", "x := a and b",
                  {"icPushArg arg 0",
                   "icJmpIfFalse -> 4",
                   "icPushArg arg 1",
                   "icAnd",
                   "icAssignLocalVar local 0"}},
        TEmitCase{"UnknownOrTestsTheComplement", "x := a or b",
                  {"icPushArg arg 0",
                   "icUnaryNot",
                   "icJmpIfFalse -> 6",
                   "icPushArg arg 1",
                   "icUnaryNot",
                   "icAnd",
                   "icUnaryNot",
                   "icAssignLocalVar local 0"}},
        TEmitCase{"UnknownAndInCondition", "if a and b then x := 1",
                  {"icPushArg arg 0",
                   "icJmpIfFalse -> 4",
                   "icPushArg arg 1",
                   "icAnd",
                   "icPopJmpIfFalse -> 7",
                   "icPushLiteral 1",
                   "icAssignLocalVar local 0"}},
        TEmitCase{"NotOfComparisonFolds", "if not (a = 1) then x := 1",
                  {"icPushArg arg 0",
                   "icPushLiteral 1",
                   "icPopJmpIfEqual -> 5",
                   "icPushLiteral 1",
                   "icAssignLocalVar local 0"}},
        TEmitCase{"NotOfUnknownComputes", "if not a then x := 1",
                  {"icPushArg arg 0",
                   "icUnaryNot",
                   "icPopJmpIfFalse -> 5",
                   "icPushLiteral 1",
                   "icAssignLocalVar local 0"}},
        TEmitCase{"WhileTestsAtTheEnd", "while a <> 0 do a := a - 1",
                  {"icJump -> 5",
                   "icPushArg arg 0",
                   "icPushLiteral 1",
                   "icMinus",
                   "icAssignArg arg 0",
                   "icPushArg arg 0",
                   "icPush0",
                   "icPopJmpIfNotEqual -> 1"}},
        TEmitCase{"ForOverLocal", "for x := 1 to 3 do ;",
                  {"icPushLiteral 1",
                   "icForInitLocal var local 0, limit local 3 -> 5",
                   "icPushLiteral 3",
                   "icAssignLocalVar local 3",
                   "icJump -> 6",
                   "icForInc var local 0, limit local 3 -> 5",
                   "icForJmpIfLE var local 0, limit local 3 -> 5"}},
        TEmitCase{"ForOverGlobal", "for g := 3 downto 1 do ;",
                  {"icPush 1",
                   "icGlobCallRef g, 0 args, result, break -> 9, continue -> 7",
                   "icPushLiteral 3",
                   "icForInitLValue var ref local 4, limit local 3 -> 7",
                   "icPushLiteral 1",
                   "icAssignLocalVar local 3",
                   "icJump -> 8",
                   "icForDec var ref local 4, limit local 3 -> 7",
                   "icForJmpIfGE var ref local 4, limit local 3 -> 7"}},
        TEmitCase{"CaseWithRange", "case a of 1: x := 1; 2..3: x := 2; end",
                  {"icPushArg arg 0",
                   "icPushLiteral 1",
                   "icCaseJmpIfEqual -> 8",
                   "icPushLiteral 2",
                   "icPushLiteral 3",
                   "icCaseJmpIfInRange -> 11",
                   "icPop",
                   "icJump -> 14",
                   "icPushLiteral 1",
                   "icAssignLocalVar local 0",
                   "icJump -> 14",
                   "icPushLiteral 2",
                   "icAssignLocalVar local 0",
                   "icJump -> 14"}},
        TEmitCase{"SetConstructor", "x := [1, 3..5]",
                  {"icPush0",
                   "icPushLiteral 1",
                   "icAddValToSet",
                   "icPushLiteral 3",
                   "icPushLiteral 5",
                   "icAddRangeToSet",
                   "icAssignLocalVar local 0"}},
        TEmitCase{"ArrayConstructor", "x := array[5]",
                  {"icPush0",
                   "icPushLiteral 5",
                   "icArrayCreate 1 dim, element type 12",
                   "icAssignLocalVar local 0"}},
        TEmitCase{"EventMaker", "x := @P",
                  {"icEventHandlerMake 'P'",
                   "icAssignLocalVar local 0"}},
        TEmitCase{"TryExceptWithTypedHandler", "try P; except on E: EClass do P; end",
                  {"icPush 1",
                   "icGlobCall P, 0 args",
                   "icPop",
                   "icJump -> 22",
                   "icSetNamespace namespace",
                   "icPush 1",
                   "icGlobCall EClass, 0 args, result, exit -> 19",
                   "icExceptJmpIfIs block 0 -> 9",
                   "icJump -> 18",
                   "icSetNamespace namespace",
                   "icExceptToVar local 3",
                   "icAssignLocalVar local 5",
                   "icPush 1",
                   "icGlobCall P, 0 args, exit -> 19",
                   "icPop",
                   "icSetNamespace namespace",
                   "icExceptDone",
                   "icJump -> 22",
                   "isReraise local 3",
                   "icSetNamespace namespace",
                   "icExceptDone",
                   "icRet"}},
        TEmitCase{"TryFinallyOutsideLoops", "try P; finally x := 1 end",
                  {"icPush 1",
                   "icGlobCall P, 0 args, exit -> 8",
                   "icPop",
                   "icCallFinally block 0",
                   "icJump -> 14",
                   "icPushLiteral 1",
                   "icAssignLocalVar local 0",
                   "icFinallyRet block 0",
                   "icCallFinally block 0",
                   "icRet",
                   "icRaiseEBCFromFinally",
                   "icSetNamespace namespace",
                   "icCallFinally block 0",
                   "isReraise local 4"}},
        TEmitCase{"EmptyFinallyIsUnprotected", "try P; finally end",
                  {"icPush 1",
                   "icGlobCall P, 0 args",
                   "icPop"}},
        TEmitCase{"RaiseAndReraise", "try raise x; except raise end",
                  {"icPushLocalVar local 0",
                   "icRaise",
                   "icJump -> 9",
                   "icSetNamespace namespace",
                   "isReraise local 3",
                   "icExceptDone",
                   "icJump -> 9",
                   "icExceptDone",
                   "icRet"}}),
    [](const auto& AInfo) { return std::string(AInfo.param.Name); });

TEST(Emit, TryStatementLeavesTheBreakMarkToItsFirstStatement) {
  TQelByteCode* code = EmitOnly("procedure P; begin try P; finally P end; end;");
  EXPECT_TRUE(code->Code()[0].IsBreakable());
}

TEST(Emit, EveryCallRecordsTheLoopAndExitTargets) {
  TQelByteCode* code = EmitOnly("procedure P; begin Q; while True do Break; end;");
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
  TQelByteCode* code = EmitOnly("procedure P(a); var x, y, i; begin " + c.Body + " end;");
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
  TQelByteCode* code = EmitOnly("function F(a); const K = 1; C2 = a * 2; var v; begin end;");
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
