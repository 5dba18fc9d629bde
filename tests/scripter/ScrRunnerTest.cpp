// The native runner: execution requests, the machine's host hooks, event hooking and the
// source position appended to errors.
#include <cstdio>

#include "engine/scripter/ScrRunnerInternal.h"
#include "tests/scripter/ScrTestKit.h"

namespace {

std::string HexAddress(const void* APointer) {
  char text[32];
  std::snprintf(text, sizeof text, "%llX", static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(APointer)));
  return text;
}

size_t CountOf(const std::string& AText, const std::string& APart) {
  size_t count = 0;
  for (size_t at = AText.find(APart); at != std::string::npos; at = AText.find(APart, at + 1)) ++count;
  return count;
}

struct TDecorationCase {
  const char16_t* Message;
  bool Appended;
};

TEST(SourcePosition, AppendedUnlessTheMessageEndsInAPositionBlock) {
  const TDecorationCase cases[] = {
      {u"plain", true},
      {u"inner\r\nSource: $1F [line: 3, pos: 4]", false},
      {u"[tag] then\r\nSource: $1F [line: 0, pos: 1]", false},
      {u"[line: 1] and later [other", true},
      {u"[ line: 1]", true},
      {u"", true},
  };
  int control = 0;
  for (const TDecorationCase& c : cases) {
    const String got = QelAddSourcePosition(c.Message, &control, 7, 9);
    const String appended = String(c.Message) + u"\r\nSource: $" + Utf8ToString(HexAddress(&control)) +
                            u" [line: 7, pos: 9]";
    EXPECT_EQ(got, c.Appended ? appended : String(c.Message)) << StringToUtf8(c.Message);
  }
}

TEST_F(ScriptControlTest, SyntaxErrorInTheThirdLineReportsLineTwo) {
  SetSource(SScrBadSyntax);
  const std::string error = ErrorOf([&] { Ctrl.Prepare(); });
  const std::string block = "\r\nSource: $" + HexAddress(&Ctrl) + " [line: 2, pos: ";
  EXPECT_NE(error.find(block), std::string::npos) << error;
  EXPECT_EQ(CountOf(error, "Source:"), 1u);
}

TEST_F(ScriptControlTest, NoPositionWithoutExceptionSourceInfo) {
  Ctrl.SetExceptionSourceInfo(false);
  for (const char16_t* source : {SScrBadSyntax, SScrFailingGlobal}) {
    SetSource(source);
    const std::string error = ErrorOf([&] { Ctrl.SetActive(true); });
    EXPECT_NE(error, "(no error)");
    EXPECT_EQ(error.find("Source:"), std::string::npos) << error;
  }
}

TEST_F(ScriptControlTest, NestedFailureKeepsTheInnermostPosition) {
  SetSource(
      u"procedure Inner;\nbegin\n  Nobody;\nend;\n"
      u"procedure Outer;\nbegin\n  Inner;\nend;\n");
  Ctrl.SetActive(true);
  const std::string error = ErrorOf([&] { TScrVar(Ctrl.RunProc(u"Outer")); });
  EXPECT_EQ(CountOf(error, "Source:"), 1u) << error;
  EXPECT_NE(error.find("[line: 2, pos: "), std::string::npos) << error;
  EXPECT_EQ(error.rfind("Undeclared identifier: 'Nobody'", 0), 0u) << error;
}

TEST_F(ScriptControlTest, HostExceptionReachesTheHandlerAsTheSameObject) {
  Ctrl.AddAllUnits(true);
  SetSource(
      u"function Probe;\nbegin\n"
      u"  try\n    raise Exception.Create('boom');\n"
      u"  except\n    on E: Exception do Result := E.ClassName + ':' + E.Message;\n  end;\nend;\n");
  Ctrl.SetActive(true);
  TScrVar result(Ctrl.RunProc(u"Probe"));
  // The handler runs after the raising activation reported its position into the message.
  EXPECT_EQ(result.Text().rfind("Exception:boom\r\nSource: $", 0), 0u) << result.Text();
}

TEST_F(ScriptControlTest, RaisingANonExceptionValueIsTheMachinesError) {
  TStringList list;
  AddList(u"List", list);
  SetSource(u"procedure RaiseNumber; begin raise 5; end;\nprocedure RaiseList; begin raise List; end;\n");
  Ctrl.SetActive(true);
  for (const char16_t* proc : {u"RaiseNumber", u"RaiseList"})
    EXPECT_EQ(ErrorClassOf([&] { TScrVar(Ctrl.RunProc(proc)); }), "EQelVMRuntime");
}

TEST_F(ScriptControlTest, ExecutionRequests) {
  SetSource(SScrGood);
  Ctrl.SetActive(true);
  std::vector<VARIANT> args{QelIntVar(40), QelIntVar(2)};
  TScrVar sum(Ctrl.RunProc(u"Add", args));
  for (VARIANT& arg : args) VariantClear(&arg);
  EXPECT_EQ(sum.Text(), "42");

  TScrVar counter(Ctrl.ReadVar(u"Counter"));
  EXPECT_EQ(counter.Text(), "10");  // the global code ran
  Ctrl.ExecuteStatement(u"Bump");
  TScrVar value = TScrVar::Int(100);
  Ctrl.WriteVar(u"Counter", value.Get());
  TScrVar(Ctrl.RunProc(u"Bump"));
  TScrVar evaluated(Ctrl.Eval(u"Counter * 2"));
  EXPECT_EQ(evaluated.Text(), "202");

  auto prepared = Ctrl.PrepareExpr(u"Add(Counter, 1)");
  auto statement = Ctrl.PrepareStmt(u"Bump");
  for (int expected : {102, 103}) {
    TScrVar got(Ctrl.Eval(prepared.get()));
    EXPECT_EQ(got.Text(), std::to_string(expected));
    Ctrl.ExecuteStatement(statement.get());
  }
  EXPECT_NE(Ctrl.GetCodeObject(), nullptr);
  TScrVar script(Ctrl.GetScript());
  EXPECT_EQ(script.Get().vt, VT_DISPATCH);
}

TEST_F(ScriptControlTest, WrongArgumentCountAndUnknownProcedureFail) {
  SetSource(SScrGood);
  Ctrl.SetActive(true);
  std::vector<VARIANT> one{QelIntVar(1)};
  EXPECT_NE(ErrorOf([&] { TScrVar(Ctrl.RunProc(u"Add", one)); }), "(no error)");
  VariantClear(&one[0]);
  EXPECT_NE(ErrorOf([&] { TScrVar(Ctrl.RunProc(u"Nothing")); }), "(no error)");
}

TEST_F(ScriptControlTest, PublishedMembersAreGlobalNames) {
  TStringList list;
  AddList(u"List", list, true);
  SetSource(u"procedure Main;\nbegin\n  Add('unqualified');\n  List.Add('qualified');\nend;\n");
  Ctrl.SetActive(true);
  TScrVar(Ctrl.RunProc(u"Main"));
  ASSERT_EQ(list.GetCount(), 2);
  EXPECT_EQ(list.Get(0), u"unqualified");
  EXPECT_EQ(list.Get(1), u"qualified");
}

TEST_F(ScriptControlTest, ObjectAddedWhileActiveIsVisibleAtOnce) {
  SetSource(u"function Count; begin Result := Late.Count; end;\n");
  Ctrl.SetActive(true);
  TStringList list;
  list.Add(u"one");
  AddList(u"Late", list);
  TScrVar count(Ctrl.RunProc(u"Count"));
  EXPECT_EQ(count.Text(), "1");
}

TEST_F(ScriptControlTest, HookedEventRunsTheScriptProcedure) {
  TStringList list;
  SetSource(u"var Changes = 0;\nprocedure ListChanged(Sender); begin Changes := Changes + 1; end;\n");
  Ctrl.SetActive(true);
  Ctrl.HookEvent(&list, u"OnChange", u"ListChanged");
  Ctrl.HookEvent(&list, u"OnChanging", u"listchanged");
  EXPECT_EQ(Ctrl.EventHandlerCount(), 1u);  // same procedure, same event type
  list.Add(u"x");
  TScrVar changes(Ctrl.ReadVar(u"Changes"));
  EXPECT_EQ(changes.Text(), "2");  // OnChanging and OnChange
  EXPECT_EQ(ErrorOf([&] { Ctrl.HookEvent(&list, u"OnNothing", u"ListChanged"); }),
            "Property not found: OnNothing");
  list.OnChange = nullptr;
  list.OnChanging = nullptr;
}

TEST_F(ScriptControlTest, ScriptAssignsItsProcedureToAHostEvent) {
  TStringList list;
  AddList(u"List", list);
  SetSource(
      u"var Seen = '';\nprocedure Changed(Sender); begin Seen := Seen + 'c'; end;\n"
      u"procedure Main; begin List.OnChange := @Changed; List.Add('a'); List.Add('b'); end;\n");
  Ctrl.SetActive(true);
  TScrVar(Ctrl.RunProc(u"Main"));
  TScrVar seen(Ctrl.ReadVar(u"Seen"));
  EXPECT_EQ(seen.Text(), "cc");
  list.OnChange = nullptr;
}

struct TBreakpointCase {
  bool Enabled, Delete, Valid;
};

TEST_F(ScriptControlTest, RunnerBreakpointsAndDoubleClose) {
  SetSource(SScrGood);
  TNativeRunner runner(&Ctrl, true);
  runner.Prepare(nullptr);
  const TBreakpointCase cases[] = {{true, true, false}, {false, true, false}, {false, false, true}};
  for (const TBreakpointCase& c : cases) {
    bool valid = !c.Valid;
    runner.AdjustBreakpoint(1, c.Enabled, c.Delete, valid);
    EXPECT_EQ(valid, c.Valid) << c.Enabled << c.Delete;
  }
  EXPECT_EQ(runner.GetLangKind(), slkNative);
  runner.Close();
  EXPECT_EQ(runner.VM(), nullptr);
  runner.Close();
  EXPECT_EQ(ErrorOf([&] { TScrVar(runner.RunProc(u"Bump")); }), "Virtual machine should be initialized.");
}

}  // namespace

namespace {

// A host object whose only member closes the control that runs the calling script.
class TStopper : public OleObject<IDispatch, IID_IDispatch> {
 public:
  explicit TStopper(TQelScriptControl& ACtrl) : FCtrl(ACtrl) {}
  HRESULT GetTypeInfoCount(UINT* p) override { return *p = 0, S_OK; }
  HRESULT GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID* AId) override { return *AId = 1, S_OK; }
  HRESULT Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO* AInfo, UINT*) override {
    try {
      FCtrl.Close(false, false);
    } catch (...) {
      return ExceptionToHResult(AInfo);
    }
    return S_OK;
  }

 private:
  TQelScriptControl& FCtrl;
};

TEST_F(ScriptControlTest, ClosingFromTheRunningScriptIsRefusedAndHarmless) {
  VARIANT stopper;
  VariantInit(&stopper);
  stopper.vt = VT_DISPATCH;
  stopper.pdispVal = new TStopper(Ctrl);
  Ctrl.AddObject(u"Stopper", stopper, false);
  VariantClear(&stopper);
  SetSource(u"procedure Main; begin Stopper.Stop; end;\n");
  Ctrl.SetActive(true);
  EXPECT_NE(ErrorOf([&] { TScrVar(Ctrl.RunProc(u"Main")); }), "(no error)");
  EXPECT_EQ(Ctrl.GetState(), ssActive);
  Ctrl.SetActive(false);
  EXPECT_EQ(Ctrl.GetState(), ssInactive);
}

}  // namespace

QEL_EVENT_TYPE(TScrOrphanEvent, void(TObject* Sender, int ACode));

// A host class whose event type has no wrapper.
class TScrEventSource : public TObject {
  QEL_CLASS(TScrEventSource, TObject)
 public:
  TScrOrphanEvent OnOrphan;
  static void QelRegisterMembers(TClassInfo& AInfo) {
    AInfo.AddProperty(MakeEventProperty<&TScrEventSource::OnOrphan>(u"OnOrphan"));
  }
};

namespace {

TEST_F(ScriptControlTest, HookingAnUnwrappedEventTypeIsRefused) {
  TScrEventSource source;
  try {
    Ctrl.HookEvent(&source, u"OnOrphan", u"Handler");
    FAIL() << "no error";
  } catch (const ExceptionPtr& E) {
    EXPECT_EQ(E->GetMessage(), u"Event type TScrOrphanEvent is not registered.");
    auto* ole = dynamic_cast<EOleSysError*>(E.Get());
    ASSERT_NE(ole, nullptr);
    EXPECT_EQ(ole->GetErrorCode(), E_FAIL);
  }
  EXPECT_EQ(Ctrl.EventHandlerCount(), 0u);
}

}  // namespace
