// Limits for untrusted scripts: an endless loop ends by its instruction budget and by its
// time-out, a memory bomb ends by the ceiling, a script handler never catches the limit's
// error, and the control runs again afterwards; safe mode keeps the system units away.
#include "engine/vm/QelSctVM.h"
#include "tests/scripter/ScrTestKit.h"

namespace {

struct TDialect {
  const char* Name;
  TQelScriptLanguage Language;
  // Main catches everything its body raises: a limit's error must pass through anyway.
  const char16_t* Loop;        // an endless loop
  const char16_t* StringBomb;  // a string doubled until memory runs out
  const char16_t* ArrayBomb;   // one array of 100,000,001 variants
};

const TDialect Dialects[] = {
    {"Pascal", slPascal,
     u"function Ok; begin Result := 42; end;\n"
     u"procedure Main; var i; begin i := 0;\n"
     u"  try while True do i := i + 1; except i := -1; end; end;\n",
     u"function Ok; begin Result := 42; end;\n"
     u"procedure Main; var s; begin s := 'x';\n"
     u"  try while True do s := s + s; except s := ''; end; end;\n",
     u"function Ok; begin Result := 42; end;\n"
     u"procedure Main; var a; begin\n"
     u"  try a := array[100000001]; except a := 0; end; end;\n"},
    {"VB", slNativeVb,
     u"Function Ok\n  Ok = 42\nEnd Function\n"
     u"Sub Main\n  Dim i\n  i = 0\n  Try\n    Do\n      i = i + 1\n    Loop\n"
     u"  Catch\n    i = -1\n  End Try\nEnd Sub\n",
     u"Function Ok\n  Ok = 42\nEnd Function\n"
     u"Sub Main\n  Dim s\n  s = \"x\"\n  Try\n    Do\n      s = s & s\n    Loop\n"
     u"  Catch\n    s = \"\"\n  End Try\nEnd Sub\n",
     u"Function Ok\n  Ok = 42\nEnd Function\n"
     u"Sub Main\n  Dim a()\n  Try\n    ReDim a(100000000)\n  Catch\n    a = 0\n  End Try\nEnd Sub\n"},
};

// What a limit's error told.
struct TStop {
  TQelLimitKind FKind = lkNone;
  int64_t FLimit = 0, FCounted = 0;
  std::string Message;
  std::string GetMessage() const { return Message; }
};

class LimitsTest : public ScriptControlTest, public ::testing::WithParamInterface<TDialect> {
 protected:
  void Prepare(const char16_t* ASource) {
    Ctrl.SetLanguage(GetParam().Language);
    SetSource(ASource);
    Ctrl.SetActive(true);
  }
  // The limit error Main ends with; fails the test when Main ends otherwise.
  TStop RunMainToLimit() {
    try {
      Ctrl.RunProc(u"Main");
    } catch (const ExceptionPtr& E) {
      if (auto* limit = dynamic_cast<EQelScriptLimit*>(E.Get()))
        return {limit->FKind, limit->FLimit, limit->FCounted, StringToUtf8(limit->GetMessage())};
      ADD_FAILURE() << "other error: " << StringToUtf8(E->GetMessage());
      return {};
    }
    ADD_FAILURE() << "Main returned";
    return {};
  }
  // The same control runs again, limits still on, with the full budget.
  void ExpectUsable() {
    TScrVar ok(Ctrl.RunProc(u"Ok"));
    EXPECT_EQ(ok.Text(), "42");
    EXPECT_EQ(ErrorClassOf([&] { Ctrl.RunProc(u"Main"); }), "EQelScriptLimit");
  }
};

TEST_P(LimitsTest, EndlessLoopEndsByItsBudget) {
  constexpr int64_t Budget = 1'000'000;
  Ctrl.SetInstructionBudget(Budget);
  Prepare(GetParam().Loop);
  const TStop E = RunMainToLimit();
  EXPECT_EQ(E.FKind, lkBudget);
  EXPECT_EQ(E.FLimit, Budget);
  EXPECT_GE(E.FCounted, Budget);
  EXPECT_LE(E.FCounted, Budget + Budget / 10);
  EXPECT_NE(E.GetMessage().find("instruction budget of 1000000"), std::string::npos);
  ExpectUsable();
}

TEST_P(LimitsTest, EndlessLoopEndsByItsTimeout) {
  constexpr int32_t Timeout = 300;
  Ctrl.SetTimeout(Timeout);
  Prepare(GetParam().Loop);
  const TStop E = RunMainToLimit();
  EXPECT_EQ(E.FKind, lkTimeout);
  EXPECT_EQ(E.FLimit, Timeout);
  // What the watchdog measured when it stopped the run: never early; late only by its wake-up.
  EXPECT_GE(E.FCounted, Timeout);
  EXPECT_LE(E.FCounted, Timeout + Timeout / 10);
  ExpectUsable();
}

TEST_P(LimitsTest, MemoryBombsEndByTheCeiling) {
  constexpr int64_t Ceiling = 16 << 20;
  // The string ends just over the ceiling; the array asks for its 100,000,001 or 100,000,002
  // cells (the bound is the last index) beyond what the run held.
  const struct {
    const char16_t* Source;
    int64_t Low, High;
  } bombs[] = {{GetParam().StringBomb, Ceiling + 1, 2 * Ceiling + 4096},
               {GetParam().ArrayBomb, int64_t(100'000'001) * int64_t(sizeof(VARIANT)),
                int64_t(100'000'002) * int64_t(sizeof(VARIANT)) + 4096}};
  Ctrl.SetMemoryCeiling(Ceiling);
  for (const auto& bomb : bombs) {
    Ctrl.SetActive(false);
    Prepare(bomb.Source);
    const TStop E = RunMainToLimit();
    EXPECT_EQ(E.FKind, lkMemory);
    EXPECT_EQ(E.FLimit, Ceiling);
    EXPECT_GE(E.FCounted, bomb.Low);
    EXPECT_LE(E.FCounted, bomb.High);
    EXPECT_EQ(E.GetMessage().substr(0, 14), "Out of memory:");
    ExpectUsable();
  }
}

TEST_P(LimitsTest, LimitsAreOffByDefault) {
  EXPECT_EQ(Ctrl.GetTimeout(), 0);
  EXPECT_EQ(Ctrl.GetInstructionBudget(), 0);
  EXPECT_EQ(Ctrl.GetMemoryCeiling(), 0);
  EXPECT_FALSE(Ctrl.GetSafeMode());
  // A budget set while active takes effect at the next run, and zero turns it off again.
  Prepare(GetParam().Loop);
  Ctrl.SetInstructionBudget(10'000);
  EXPECT_EQ(ErrorClassOf([&] { Ctrl.RunProc(u"Main"); }), "EQelScriptLimit");
  Ctrl.SetInstructionBudget(0);
  TScrVar ok(Ctrl.RunProc(u"Ok"));
  EXPECT_EQ(ok.Text(), "42");
}

void PrintTo(const TDialect& ADialect, std::ostream* AOut) { *AOut << ADialect.Name; }

INSTANTIATE_TEST_SUITE_P(Dialects, LimitsTest, ::testing::ValuesIn(Dialects),
                         [](const auto& AInfo) { return std::string(AInfo.param.Name); });

TEST_F(ScriptControlTest, HugeArrayWithoutCeilingIsAScriptError) {
  // 4 * 10^10 variants (640 GB) cannot be had: the script gets the array error, not a crash.
  SetSource(u"procedure Main; var a; begin a := array[200000, 200000]; end;\n");
  Ctrl.SetActive(true);
  EXPECT_EQ(ErrorOf([&] { Ctrl.RunProc(u"Main"); }).substr(0, 36), "Error creating variant or safe array");
  TScrVar again(Ctrl.Eval(u"1 + 1"));
  EXPECT_EQ(again.Text(), "2");
}

TEST_F(ScriptControlTest, SafeModeHidesTheSystemUnits) {
  Ctrl.AddAllUnits(true);
  SetSource(u"function Probe; begin Result := Dialogs.ofOverwritePrompt; end;\n"
            u"function Lists; begin Result := TStringList.Create.Count; end;\n");
  Ctrl.SetActive(true);
  TScrVar open(Ctrl.RunProc(u"Probe"));
  EXPECT_EQ(open.Text(), "1");
  Ctrl.SetActive(false);
  Ctrl.SetSafeMode(true);
  Ctrl.SetActive(true);
  EXPECT_NE(ErrorOf([&] { Ctrl.RunProc(u"Probe"); }).find("Undeclared identifier"), std::string::npos);
  TScrVar count(Ctrl.RunProc(u"Lists"));  // the other units stay
  EXPECT_EQ(count.Text(), "0");
}

}  // namespace
