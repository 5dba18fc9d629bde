// The instruction table: every code walked through the name, stack-effect and dispatch tables,
// the operand-dependent stack effects, unknown codes as internal errors, and the disassembler.
#include <set>
#include <stdexcept>

#include "engine/vm/QelVMDisasm.h"
#include "engine/vm/QelVMInternal.h"
#include "tests/vm/VMTestFixture.h"

extern const void* const* QelDispatchTableForTests;

namespace {

TEST(InstrSet, EveryCodeHasANameAndAStackEffect) {
  std::set<std::string> names;
  for (int code = 0; code < QelInstrCodeCount; ++code) {
    const TQelInstrInfo* info = QelInstrInfoOf(unsigned(code));
    ASSERT_NE(info, nullptr) << code;
    const std::string name = info->Name;
    EXPECT_TRUE(name.rfind("ic", 0) == 0 || name == "isReraise") << name;
    EXPECT_TRUE(names.insert(name).second) << "duplicate name " << name;
    const bool variable = info->Pops == QelStackVar;
    EXPECT_EQ(variable, info->Pushes == QelStackVar) << name;
    if (!variable) {
      EXPECT_GE(info->Pops, 0) << name;
      EXPECT_GE(info->Pushes, 0) << name;
      TQelInstr instr{};
      instr.Code = uint8_t(code);
      EXPECT_EQ(QelStackEffect(instr), info->Pushes - info->Pops) << name;
    }
    // A jump leaves the stack no deeper than falling through would (the pop forms pop first).
    if (info->Has(ifJump) && !variable) {
      EXPECT_GE(info->JumpPops, info->Pops - info->Pushes) << name;
    }
    if (!info->Has(ifJump)) {
      EXPECT_EQ(info->JumpPops, 0) << name;
    }
    EXPECT_FALSE(info->Has(ifResume) && !info->Has(ifJump)) << name;
  }
  EXPECT_EQ(QelInstrInfoOf(unsigned(QelInstrCodeCount)), nullptr);
  EXPECT_EQ(QelInstrInfoOf(255), nullptr);
}

TEST(InstrSet, PublishedCodesKeepTheirNames) {
  // A sample across the set; the header checks every row at compile time.
  struct TCase { unsigned Code; const char* Name; };
  for (const TCase& c : {TCase{0, "icBreak"}, TCase{2, "icRet"}, TCase{26, "icPlus"},
                         TCase{52, "icGlobCall"}, TCase{79, "isReraise"},
                         TCase{90, "icEventHandlerMake"}})
    EXPECT_STREQ(QelInstrInfoOf(c.Code)->Name, c.Name);
}

class InstrSetRun : public VMTest {};

TEST_F(InstrSetRun, EveryCodeHasItsOwnDispatchLabelAndNoOtherCodeHasOne) {
  Script.Proc(u"P", {}, false, [](TAsm& a) { a.Op(icRet); });
  Start();
  Run(u"P");
  ASSERT_NE(QelDispatchTableForTests, nullptr);
  const void* invalid = QelDispatchTableForTests[127];
  for (int code = 0; code < QelInstrCodeCount; ++code)
    EXPECT_NE(QelDispatchTableForTests[code], invalid) << QelInstrInfoOf(unsigned(code))->Name;
  for (int code = QelInstrCodeCount; code < 128; ++code)
    EXPECT_EQ(QelDispatchTableForTests[code], invalid) << code;
}

struct TVariableCase {
  const char* Name;
  TQelInstrCode Code;
  int ArgCount;   // of the call, or dimensions of the array
  bool HasObject, HasValue;
  int Effect;
};

void PrintTo(const TVariableCase& ACase, std::ostream* AOut) { *AOut << ACase.Name; }

class VariableStackEffects : public ::testing::TestWithParam<TVariableCase> {};

TEST_P(VariableStackEffects, FollowTheOperand) {
  const TVariableCase& c = GetParam();
  TQelByteCode code;
  TQelInstr instr{};
  instr.Code = c.Code;
  switch (QelInstrInfoOf(c.Code)->Operand) {
    case okCall:
      instr.Data = reinterpret_cast<intptr_t>(
          code.AddCall(1, u"X", bkRound, c.ArgCount, c.HasObject, c.HasValue, true));
      break;
    case okArray: instr.Data = reinterpret_cast<intptr_t>(code.AddArray(c.ArgCount, VT_VARIANT)); break;
    case okArrayRedim:
      instr.Data = reinterpret_cast<intptr_t>(code.AddArrayRedim(c.ArgCount, VT_VARIANT, false));
      break;
    default: instr.Data = c.ArgCount; break;
  }
  EXPECT_EQ(QelStackEffect(instr), c.Effect);
}

INSTANTIATE_TEST_SUITE_P(
    Table, VariableStackEffects,
    ::testing::Values(TVariableCase{"PushReserves", icPush, 3, false, false, 3},
                      TVariableCase{"GlobalCallLeavesItsResult", icGlobCall, 2, false, false, -2},
                      TVariableCase{"MemberCallPopsItsObject", icMemberCall, 2, true, false, -3},
                      TVariableCase{"NewCall", icNewUnnamedCall, 1, true, false, -2},
                      TVariableCase{"AssignGlobal", icAssignGlobCall, 2, false, true, -3},
                      TVariableCase{"AssignMember", icAssignMemberCall, 1, true, true, -3},
                      TVariableCase{"ArrayCreateLeavesTheArray", icArrayCreate, 2, false, false, -3},
                      TVariableCase{"RedimThroughReference", icArrayRedimLValue, 2, false, false, -5},
                      TVariableCase{"RedimLocal", icArrayRedimLocal, 1, false, false, -2}),
    [](const auto& AInfo) { return std::string(AInfo.param.Name); });

TEST(InstrSet, AnUnknownCodeIsAnInternalErrorNotAGuess) {
  TQelInstr instr{};
  instr.Code = uint8_t(QelInstrCodeCount);
  EXPECT_THROW(QelStackEffect(instr), std::logic_error);
  TQelByteCode code;
  code.BeginEmit(u"bad", nullptr, 1);
  code.Emit(TQelInstrCode(QelInstrCodeCount + 3));
  code.Emit(icRet);
  EXPECT_THROW(code.EndEmit(), std::logic_error);
}

TEST(Disassembler, ListsOperandsLinesAndProtectedBlocks) {
  std::deque<TVar> literals;
  TQelByteCode code;
  code.BeginEmit(u"Sample", nullptr, 1);
  TAsm a(code, literals);
  const int local = a.Local();
  a.Pos(1).Int(7).Op(icAssignLocalVar, local);
  TryFinally(a, [&](TAsm& b, TQelTry*) { b.Pos(9).Str(u"x").Op(icPop); },
             [&](TAsm& b) { b.Op(icPushLocalVar, local).Op(icPop); });
  a.Op(icRet);
  code.EndEmit();
  const std::vector<std::string> listing = QelListing(code);
  ASSERT_GE(listing.size(), 4u);
  EXPECT_EQ(listing[0], "icPushLiteral 7");
  EXPECT_EQ(listing[1], "icAssignLocalVar local " + std::to_string(local));
  TQelVMSource source;
  source.SetText(u"a\nb\nc\nd\nefghij\n");
  const std::string text = QelDisassemble(code, &source);
  EXPECT_NE(text.find("code Sample ("), std::string::npos) << text;
  EXPECT_NE(text.find("line 1"), std::string::npos) << text;
  EXPECT_NE(text.find("line 5"), std::string::npos) << text;  // position 9 is the "e" on line 5
  EXPECT_NE(text.find("icPushLiteral 'x'"), std::string::npos) << text;
  EXPECT_NE(text.find("icCallFinally block 0"), std::string::npos) << text;
  EXPECT_NE(text.find("protected blocks\n  block 0: parent -, handler -> "), std::string::npos)
      << text;
}

}  // namespace
