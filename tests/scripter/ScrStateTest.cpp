// The control's state table, its events and the state checks of every operation.
#include "tests/scripter/ScrTestKit.h"

namespace {

enum TStartState { stInactive, stPrepared, stActive };

struct TTransitionCase {
  const char* Name;
  TStartState Start;
  const char16_t* Source;
  std::function<void(TQelScriptControl&)> Action;
  bool Raises;
  TQelScriptControlState Expected;
  std::vector<std::string> Events;  // fired by Action only
};

void PrintTo(const TTransitionCase& ACase, std::ostream* AOut) { *AOut << ACase.Name; }

class StateTableTest : public ScriptControlTest, public ::testing::WithParamInterface<TTransitionCase> {};

void Reach(TQelScriptControl& ACtrl, TStartState AStart) {
  if (AStart == stPrepared) ACtrl.Prepare();
  if (AStart == stActive) ACtrl.Open(false);
}

TEST_P(StateTableTest, TransitionAndEvents) {
  const TTransitionCase& c = GetParam();
  SetSource(c.Source);
  // Reaching the start state may fail (a failing global code leaves the control Active).
  try {
    Reach(Ctrl, c.Start);
  } catch (const ExceptionPtr&) {
  }
  Events.clear();
  const std::string error = ErrorOf([&] { c.Action(Ctrl); });
  EXPECT_EQ(error != "(no error)", c.Raises) << error;
  EXPECT_EQ(Ctrl.GetState(), c.Expected);
  EXPECT_EQ(Events, c.Events);
}

using V = std::vector<std::string>;
INSTANTIATE_TEST_SUITE_P(
    Rows, StateTableTest,
    ::testing::Values(
        TTransitionCase{"PrepareSucceeds", stInactive, SScrGood, [](auto& C) { C.Prepare(); }, false, ssPrepared,
                        V{"BeforePrepare"}},
        TTransitionCase{"PrepareFails", stInactive, SScrBadSyntax, [](auto& C) { C.Prepare(); }, true, ssInactive,
                        V{"BeforePrepare"}},
        TTransitionCase{"ActivateFromInactive", stInactive, SScrGood, [](auto& C) { C.SetActive(true); }, false,
                        ssActive, V{"BeforePrepare", "BeforeOpen"}},
        TTransitionCase{"ActivateBadSource", stInactive, SScrBadSyntax, [](auto& C) { C.SetActive(true); }, true,
                        ssInactive, V{"BeforePrepare"}},
        TTransitionCase{"OpenPrepared", stPrepared, SScrGood, [](auto& C) { C.Open(true); }, false, ssActive,
                        V{"BeforeOpen"}},
        TTransitionCase{"ClosePrepared", stPrepared, SScrGood, [](auto& C) { C.Close(false, false); }, false,
                        ssInactive, V{"AfterClose"}},
        TTransitionCase{"CloseActive", stActive, SScrGood, [](auto& C) { C.Close(false, false); }, false, ssInactive,
                        V{"AfterClose"}},
        TTransitionCase{"DeactivateActive", stActive, SScrGood, [](auto& C) { C.SetActive(false); }, false,
                        ssInactive, V{"AfterClose"}},
        TTransitionCase{"DeactivatePrepared", stPrepared, SScrGood, [](auto& C) { C.SetActive(false); }, false,
                        ssPrepared, V{}},
        TTransitionCase{"OpenFailsAndCloses", stInactive, SScrFailingGlobal, [](auto& C) { C.Open(true); }, true,
                        ssInactive, V{"BeforePrepare", "BeforeOpen", "AfterClose"}},
        TTransitionCase{"OpenFailsAndStays", stInactive, SScrFailingGlobal, [](auto& C) { C.Open(false); }, true,
                        ssActive, V{"BeforePrepare", "BeforeOpen"}},
        TTransitionCase{"CloseInactive", stInactive, SScrGood, [](auto& C) { C.Close(false, false); }, false,
                        ssInactive, V{"AfterClose"}},
        TTransitionCase{"ActivateActiveIsNoOp", stActive, SScrGood, [](auto& C) { C.SetActive(true); }, false,
                        ssActive, V{}}),
    [](const auto& AInfo) { return std::string(AInfo.param.Name); });

// Which states each guarded operation accepts.
struct TGuardCase {
  const char* Name;
  std::vector<TStartState> Allowed;
  std::function<void(TQelScriptControl&)> Action;
};

void PrintTo(const TGuardCase& ACase, std::ostream* AOut) { *AOut << ACase.Name; }

class StateGuardTest : public ScriptControlTest, public ::testing::WithParamInterface<TGuardCase> {};

TEST_P(StateGuardTest, RefusedOutsideItsStates) {
  const TGuardCase& c = GetParam();
  for (TStartState start : {stInactive, stPrepared, stActive}) {
    SCOPED_TRACE(int(start));
    TQelScriptControl ctrl(nullptr);
    ctrl.SetLanguage(slPascal);
    ctrl.SetSourceText(SScrGood);
    Reach(ctrl, start);
    const bool allowed = std::find(c.Allowed.begin(), c.Allowed.end(), start) != c.Allowed.end();
    const std::string error = ErrorOf([&] { c.Action(ctrl); });
    if (allowed)
      EXPECT_NE(error, "Invalid script control state");
    else
      EXPECT_EQ(error, "Invalid script control state");
  }
}

void Discard(VARIANT AValue) { VariantClear(&AValue); }

const std::vector<TStartState> AInactive{stInactive}, AReady{stPrepared, stActive}, AActive{stActive},
    ANotActive{stInactive, stPrepared};

INSTANTIATE_TEST_SUITE_P(
    Rows, StateGuardTest,
    ::testing::Values(
        TGuardCase{"Prepare", AInactive, [](auto& C) { C.Prepare(); }},
        TGuardCase{"Open", ANotActive, [](auto& C) { C.Open(true); }},
        TGuardCase{"RemoveObject", AInactive, [](auto& C) { C.RemoveObject(u"x"); }},
        TGuardCase{"ClearObjects", AInactive, [](auto& C) { C.ClearObjects(); }},
        TGuardCase{"SourceAdd", AInactive, [](auto& C) { C.GetSource().Add(u"// more"); }},
        TGuardCase{"SourceClear", AInactive, [](auto& C) { C.GetSource().Clear(); }},
        TGuardCase{"SourceUpdateBlock", AInactive,
                   [](auto& C) {
                     C.GetSource().BeginUpdate();
                     C.GetSource().EndUpdate();
                   }},
        TGuardCase{"Language", AInactive, [](auto& C) { C.SetLanguage(C.GetLanguage()); }},
        TGuardCase{"ExceptionSourceInfo", AInactive, [](auto& C) { C.SetExceptionSourceInfo(true); }},
        TGuardCase{"CodeObject", AReady, [](auto& C) { C.GetCodeObject(); }},
        TGuardCase{"Script", AReady, [](auto& C) { Discard(C.GetScript()); }},
        TGuardCase{"PrepareExpr", AReady, [](auto& C) { C.PrepareExpr(u"1 + 2"); }},
        TGuardCase{"PrepareStmt", AReady, [](auto& C) { C.PrepareStmt(u"Bump"); }},
        TGuardCase{"Eval", AActive, [](auto& C) { Discard(C.Eval(u"1 + 2")); }},
        TGuardCase{"ExecuteStatement", AActive, [](auto& C) { C.ExecuteStatement(u"Bump"); }},
        TGuardCase{"RunProc", AActive, [](auto& C) { Discard(C.RunProc(u"Bump")); }},
        TGuardCase{"ReadVar", AActive, [](auto& C) { Discard(C.ReadVar(u"Counter")); }},
        TGuardCase{"WriteVar", AActive,
                   [](auto& C) {
                     TScrVar v = TScrVar::Int(3);
                     C.WriteVar(u"Counter", v.Get());
                   }}),
    [](const auto& AInfo) { return std::string(AInfo.param.Name); });

TEST_F(ScriptControlTest, OpenFalseAfterRuntimeErrorStillRunsProcedures) {
  SetSource(u"var n = 0;\nprocedure Inc; begin n := n + 1; end;\nbegin Nobody; end;\n");
  EXPECT_NE(ErrorOf([&] { Ctrl.Open(false); }), "(no error)");
  ASSERT_EQ(Ctrl.GetState(), ssActive);
  Discard(Ctrl.RunProc(u"Inc"));
  TScrVar n(Ctrl.ReadVar(u"n"));
  EXPECT_EQ(n.Text(), "1");
}

TEST_F(ScriptControlTest, FailedPrepareLeavesNoRunnerAndNextActivationWorks) {
  SetSource(SScrBadSyntax);
  EXPECT_NE(ErrorOf([&] { Ctrl.SetActive(true); }), "(no error)");
  EXPECT_EQ(ErrorOf([&] { Ctrl.GetCodeObject(); }), "Invalid script control state");
  SetSource(SScrGood);
  Ctrl.SetActive(true);
  EXPECT_EQ(Ctrl.GetState(), ssActive);
}

TEST_F(ScriptControlTest, BeforePrepareMayStillChangeTheSource) {
  SetSource(SScrBadSyntax);
  Ctrl.BeforePrepare = [](TQelScriptControl* C) { C->SetSourceText(SScrGood); };
  Ctrl.SetActive(true);
  TScrVar counter(Ctrl.ReadVar(u"Counter"));
  EXPECT_EQ(counter.Text(), "10");
}

TEST_F(ScriptControlTest, ActiveScriptControlsTheirEngineAsAnAbsentEngine) {
  for (TQelScriptLanguage lang : {slVBScript, slJScript, slPerl, slRexx, slTCL, slPython, slLua}) {
    Ctrl.SetLanguage(lang);
    const std::string expected = "Can't create script engine '" + StringToUtf8(QelScriptEngineName(lang)) + "'";
    EXPECT_EQ(ErrorOf([&] { Ctrl.SetActive(true); }), expected);
    EXPECT_EQ(Ctrl.GetState(), ssInactive);
  }
}

TEST_F(ScriptControlTest, NativeLanguageWithoutCompilerFailsClearly) {
  TQelLanguageFactory vb = QelRegisterNativeLanguage(slNativeVb, nullptr);
  Ctrl.SetLanguage(slNativeVb);
  EXPECT_EQ(ErrorOf([&] { Ctrl.Prepare(); }), "No compiler is available for the 'NativeVb' language.");
  EXPECT_EQ(Ctrl.GetState(), ssInactive);
  QelRegisterNativeLanguage(slNativeVb, vb);
}

TEST_F(ScriptControlTest, NativeVbIsRegisteredByDefault) {
  Ctrl.SetLanguage(slNativeVb);
  SetSource(u"Dim Total\r\nSub Bump\r\n  Total = Total + 1\r\nEnd Sub\r\n");
  Ctrl.SetActive(true);
  EXPECT_EQ(Ctrl.GetState(), ssActive);
}

TEST_F(ScriptControlTest, DeactivationClearsEventHandlersButKeepsNamedItems) {
  SetSource(SScrGood);
  TScrVar v = TScrVar::Int(1);
  Ctrl.AddOrSetValue(u"Limit", v.Get());
  Ctrl.SetActive(true);
  const TQelWrapperClassRef eventType = FindEventWrapper(TNotifyEvent::TypeInfo());
  Ctrl.GetEventHandler(u"Bump", eventType);
  ASSERT_EQ(Ctrl.EventHandlerCount(), 1u);
  Ctrl.SetActive(false);
  EXPECT_EQ(Ctrl.EventHandlerCount(), 0u);
  TScrVar back;
  EXPECT_TRUE(Ctrl.TryReadValue(u"limit", back.Get()));
}

TEST_F(ScriptControlTest, EngineNamesAndKinds) {
  struct TRow {
    TQelScriptLanguage Lang;
    const char16_t* Name;
    TQelScriptLangKind Kind;
  };
  const TRow rows[] = {{slVBScript, u"VBScript", slkActiveX},       {slJScript, u"JScript", slkActiveX},
                       {slPerl, u"PerlScript", slkActiveX},         {slRexx, u"ObjectREXXScript", slkActiveX},
                       {slTCL, u"TclScript", slkActiveX},           {slPython, u"Python", slkActiveX},
                       {slLua, u"LuaScript", slkActiveX},           {slPascal, u"Pascal", slkNative},
                       {slNativeVb, u"NativeVb", slkNative}};
  for (const TRow& row : rows) {
    EXPECT_EQ(QelScriptEngineName(row.Lang), row.Name);
    EXPECT_EQ(QelScriptLangKind(row.Lang), row.Kind);
    TQelScriptLanguage found = slVBScript;
    EXPECT_TRUE(QelFindScriptLanguage(UpperCase(row.Name), found));
    EXPECT_EQ(found, row.Lang);
  }
  TQelScriptLanguage unused;
  EXPECT_FALSE(QelFindScriptLanguage(u"Cobol", unused));
}

}  // namespace
