// The Active Scripting runner driving each embedded engine through the same table of cases.
#include <functional>
#include <thread>

#include "engines/rexx/RexxEngine.h"
#include "platform/ole/OleRegistry.h"
#include "tests/activescript/ActiveScriptTestKit.h"

void ActiveScriptTest::OpenScript(const char16_t* ASource, bool APublishList) {
  Ctrl.SetSourceText(ASource);
  TScrVar list(ObjectToVar(&List));
  Ctrl.AddObject(u"List", list.Get(), APublishList);
  Ctrl.AddAllUnits(true);
  Ctrl.SetActive(true);
}

TEST_P(ActiveScriptTest, GlobalCodeRunsAndVariablesReadAndWrite) {
  OpenScript(Lang().Script);
  EXPECT_EQ(TScrVar(Ctrl.ReadVar(u"Counter")).Text(), "10");
  TScrVar value = TScrVar::Int(42);
  Ctrl.WriteVar(u"Counter", value.Get());
  EXPECT_EQ(TScrVar(Ctrl.ReadVar(u"Counter")).Text(), "42");
  EXPECT_EQ(ErrorOf([&] { TScrVar(Ctrl.ReadVar(u"NoSuchVariable")); }), "Unknown name.");
}

TEST_P(ActiveScriptTest, RunProcPassesArgumentsInOrderAndReturnsTheResult) {
  OpenScript(Lang().Script);
  std::vector<VARIANT> args{QelIntVar(40), QelIntVar(2)};
  EXPECT_EQ(TScrVar(Ctrl.RunProc(u"Sum", args)).Text(), "42");
  std::vector<VARIANT> text{QelStringVar(u"world")};
  EXPECT_EQ(TScrVar(Ctrl.RunProc(u"Greet", text)).Text(), "Hello, world");
  VariantClear(&text[0]);
  std::vector<VARIANT> wide{QelStringVar(u"Grüße 日本 😀")};
  EXPECT_EQ(TScrVar(Ctrl.RunProc(u"Unicode", wide)).Text(), "Grüße 日本 😀✓");
  VariantClear(&wide[0]);
  EXPECT_EQ(ErrorOf([&] { TScrVar(Ctrl.RunProc(u"NoSuchProc")); }), "Unknown name.");
}

TEST_P(ActiveScriptTest, SixtyFourArgumentsPassAndSixtyFiveAreRefused) {
  OpenScript(Lang().Script);
  std::vector<VARIANT> args(64, QelIntVar(1));
  EXPECT_EQ(TScrVar(Ctrl.RunProc(u"Count3", args)).Text(), "64");
  args.push_back(QelIntVar(1));
  try {
    TScrVar(Ctrl.RunProc(u"Count3", args));
    FAIL() << "65 arguments were accepted";
  } catch (const ExceptionPtr& E) {
    EXPECT_EQ(StringToUtf8(E->GetMessage()), "Too many parameters.");
    auto* ole = dynamic_cast<EOleSysError*>(E.Get());
    ASSERT_NE(ole, nullptr);
    EXPECT_EQ(ole->GetErrorCode(), E_INVALIDARG);
  }
}

TEST_P(ActiveScriptTest, EvalAndStatementsInTheGlobalScope) {
  OpenScript(Lang().Script);
  EXPECT_EQ(TScrVar(Ctrl.Eval(Lang().Expression)).Text(), "21");
  auto prepared = Ctrl.PrepareExpr(Lang().Expression);
  EXPECT_EQ(TScrVar(Ctrl.Eval(prepared.get())).Text(), "21");
  TScrVar value = TScrVar::Int(5);
  Ctrl.WriteVar(u"Counter", value.Get());
  EXPECT_EQ(TScrVar(Ctrl.Eval(prepared.get())).Text(), "11");
}

TEST_P(ActiveScriptTest, NamedValueIsAPlainVariable) {
  Ctrl.SetSourceText(Lang().Script);
  TScrVar start = TScrVar::Int(1);
  Ctrl.AddOrSetValue(u"Named", start.Get());
  TScrVar list(ObjectToVar(&List));
  Ctrl.AddObject(u"List", list.Get(), false);
  Ctrl.AddAllUnits(true);
  Ctrl.SetActive(true);
  TScrVar(Ctrl.RunProc(u"Bump"));
  TScrVar read;
  ASSERT_TRUE(Ctrl.TryReadValue(u"Named", read.Get()));
  EXPECT_EQ(read.Text(), "2");
  TScrVar hostValue = TScrVar::Int(10);
  Ctrl.AddOrSetValue(u"Named", hostValue.Get());  // the script reads the host's new value
  TScrVar(Ctrl.RunProc(u"Bump"));
  ASSERT_TRUE(Ctrl.TryReadValue(u"Named", read.Get()));
  EXPECT_EQ(read.Text(), "11");
}

TEST_P(ActiveScriptTest, PublishedMembersAreCalledWithoutTheObjectName) {
  OpenScript(Lang().Script, true);
  EXPECT_EQ(TScrVar(Ctrl.RunProc(u"UsePublished")).Text(), "1");
  ASSERT_EQ(List.GetCount(), 1);
  EXPECT_EQ(StringToUtf8(List.Get(0)), "x");
}

TEST_P(ActiveScriptTest, HostClassesAreCreatedAndUsed) {
  OpenScript(Lang().Script);
  EXPECT_EQ(TScrVar(Ctrl.RunProc(u"Sorted")).Text(), "a,b,c");
  EXPECT_EQ(TScrVar(Ctrl.RunProc(u"SameObject")).Text(), "same");
}

TEST_P(ActiveScriptTest, HostExceptionIsCaughtInTheScript) {
  OpenScript(Lang().Script);
  EXPECT_NE(TScrVar(Ctrl.RunProc(u"CatchHost")).Text().find("List index out of bounds (5)"), std::string::npos);
}

TEST_P(ActiveScriptTest, SyntaxErrorFailsActivationWithItsPosition) {
  Ctrl.SetSourceText(Lang().SyntaxError);
  const std::string error = ErrorOf([&] { Ctrl.SetActive(true); });
  EXPECT_EQ(error.rfind(Lang().SyntaxMessage, 0), 0u) << error;
  EXPECT_NE(error.find(Block(Lang().SyntaxLine, Lang().SyntaxPos)), std::string::npos) << error;
  EXPECT_EQ(Ctrl.GetState(), ssInactive);
}

TEST_P(ActiveScriptTest, RuntimeErrorCarriesItsPosition) {
  OpenScript(Lang().RuntimeError);
  const std::string error = ErrorOf([&] { TScrVar(Ctrl.RunProc(u"Main")); });
  EXPECT_EQ(error.rfind(Lang().RuntimeMessage, 0), 0u) << error;
  EXPECT_NE(error.find(Block(Lang().RuntimeLine, Lang().RuntimePos)), std::string::npos) << error;
  // The engine stays usable after the error.
  EXPECT_EQ(ErrorOf([&] { TScrVar(Ctrl.RunProc(u"Main")); }), error);
}

// A C++ caller reads the position as fields, with the line counted from 1, whether or not the
// message carries its block.
TEST_P(ActiveScriptTest, ErrorsReachCppCallersWithTheirPositionAsFields) {
  const auto placeOf = [](const std::function<void()>& AAction) {
    try {
      AAction();
    } catch (const qel::ScriptError& E) {
      return std::to_string(E.Line()) + ":" + std::to_string(E.Column());
    } catch (const ExceptionPtr& E) {
      return "plain: " + StringToUtf8(E->GetMessage());
    }
    return std::string("(no error)");
  };
  const auto place = [](int ALine, int APos) { return std::to_string(ALine + 1) + ":" + std::to_string(APos); };
  for (const bool sourceInfo : {true, false}) {
    SCOPED_TRACE(sourceInfo);
    Ctrl.SetActive(false);
    Ctrl.ClearObjects();
    Ctrl.SetExceptionSourceInfo(sourceInfo);
    Ctrl.SetSourceText(Lang().SyntaxError);
    EXPECT_EQ(placeOf([&] { Ctrl.SetActive(true); }), place(Lang().SyntaxLine, Lang().SyntaxPos));
    OpenScript(Lang().RuntimeError);
    EXPECT_EQ(placeOf([&] { TScrVar(Ctrl.RunProc(u"Main")); }), place(Lang().RuntimeLine, Lang().RuntimePos));
  }
  // An error no script line caused stays a plain exception.
  EXPECT_EQ(placeOf([&] { TScrVar(Ctrl.RunProc(u"NoSuchProc")); }), "plain: Unknown name.");
}

TEST_P(ActiveScriptTest, WithoutSourceInfoMessagesStayAsTheEngineMadeThem) {
  Ctrl.SetExceptionSourceInfo(false);
  OpenScript(Lang().RuntimeError);
  const std::string error = ErrorOf([&] { TScrVar(Ctrl.RunProc(u"Main")); });
  EXPECT_EQ(error.find("Source:"), std::string::npos) << error;
}

TEST_P(ActiveScriptTest, EnginesOfOneLanguageKeepTheirGlobalsApart) {
  OpenScript(Lang().Script);
  TQelScriptControl other(nullptr);
  other.SetLanguage(Lang().Language);
  other.SetSourceText(Lang().Script);
  other.SetActive(true);
  TScrVar value = TScrVar::Int(99);
  other.WriteVar(u"Counter", value.Get());
  EXPECT_EQ(TScrVar(Ctrl.ReadVar(u"Counter")).Text(), "10");
  EXPECT_EQ(TScrVar(other.ReadVar(u"Counter")).Text(), "99");
}

TEST_P(ActiveScriptTest, ClosingFromAnotherThreadAbortsAnEndlessLoop) {
  auto* ready = new TReadySignal;
  std::future<void> started = ready->Started();
  TScrVar readyVar;
  readyVar.Get().vt = VT_DISPATCH;
  readyVar.Get().pdispVal = ready;
  Ctrl.AddObject(u"Ready", readyVar.Get(), false);
  OpenScript(Lang().Script);
  std::string error;
  std::thread runner([&] { error = ErrorOf([&] { TScrVar(Ctrl.RunProc(u"Spin")); }); });
  started.wait();
  Ctrl.Close(false, false);
  runner.join();
  EXPECT_EQ(error.rfind("Script execution has been aborted.", 0), 0u) << error;
  EXPECT_EQ(Ctrl.GetState(), ssInactive);
}

TEST_P(ActiveScriptTest, OpenAndCloseManyTimes) {
  for (int i = 0; i < 20; ++i) {
    OpenScript(Lang().Script);
    EXPECT_EQ(TScrVar(Ctrl.RunProc(u"Sorted")).Text(), "a,b,c");
    Ctrl.Close(true, true);
  }
}

INSTANTIATE_TEST_SUITE_P(Engines, ActiveScriptTest, ::testing::Values(&LuaScripts(), &PythonScripts(), &JScriptScripts()),
                         [](const auto& AInfo) { return std::string(AInfo.param->Name); });

// --- the runner without an engine --------------------------------------------------------

TEST(ActiveScriptRunner, AnUnregisteredEngineCannotBeCreated) {
  QelRegisterScriptEngines();
  // Every language has its engine here: take one out of the class registry for the test.
  CLSID rexx;
  ASSERT_EQ(CLSIDFromProgID(u"ObjectREXXScript", &rexx), S_OK);
  ASSERT_EQ(OleUnregisterClass(rexx), S_OK);
  TQelScriptControl ctrl(nullptr);
  ctrl.SetLanguage(slRexx);
  const std::string error = ErrorOf([&] { ctrl.SetActive(true); });
  QelRegisterRexxEngine();  // back for the other tests of this program
  EXPECT_EQ(error, "Can't create script engine 'ObjectREXXScript'");
  EXPECT_EQ(ctrl.GetState(), ssInactive);
}
