// The debugger component on script controls: breakpoints with conditions, pass counts and
// actions, synchronous and asynchronous breaks, frames and variables through the native debug
// runner, event handlers called from the host, modules, listeners and the service provider.
#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <thread>

#include "engine/scripter/QelSctDebugger.h"
#include "engine/scripter/QelSctServiceProvider.h"
#include "engine/vm/QelVMValues.h"
#include "engine/wrappers/units/QelUnits.h"

namespace {

std::string ErrorOf(const std::function<void()>& AAction) {
  try {
    AAction();
  } catch (const ExceptionPtr& E) {
    return StringToUtf8(E->GetMessage());
  }
  return "(no error)";
}

constexpr char16_t SLoop[] =
    u"var Total = 0;\n"                       // 0
    u"procedure Add(n);\n"                    // 1
    u"begin\n"                                // 2
    u"  Total := Total + n;\n"                // 3
    u"end;\n"                                 // 4
    u"procedure Main;\n"                      // 5
    u"var i;\n"                               // 6
    u"begin\n"                                // 7
    u"  for i := 1 to 7 do\n"                 // 8
    u"    Add(i);\n"                          // 9
    u"end;\n";                                // 10

// A control on a Pascal script attached to a debugger in synchronous mode; OnStop runs at
// each break on the script's thread and must resume.
class ScriptDebuggerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    QelRegisterAllUnits();
    Debugger.SetIsSynchBreaks(true);
    Ctrl.SetLanguage(slPascal);
    Ctrl.SetDebugger(&Debugger);
    Ctrl.SetDebugName(u"loop");
    Debugger.OnBreak = [this](TQelScriptDebugger*, TQelScriptControl*, int ALine) {
      Lines.push_back(ALine);
      if (OnStop) OnStop();
      if (Debugger.BreakKind() != bkNone) Debugger.ResumeFromBreak(rkContinue);
    };
    Debugger.OnLogMessage = [this](TQelScriptDebugger*, TQelDebugMsgKind, const std::u16string& AMsg) {
      Log.push_back(StringToUtf8(AMsg));
    };
  }
  void TearDown() override { Ctrl.SetActive(false); }
  TQelDebugModule* Module() { return Ctrl.GetDebugModule(); }
  void Start(std::u16string_view ASource = SLoop) {
    Ctrl.SetSourceText(ASource);
    Ctrl.SetActive(true);
  }
  int Total() {
    TQelVar total;
    total.V = Ctrl.ReadVar(u"Total");
    return QelToInt32(&total.V);
  }

  TQelScriptDebugger Debugger{nullptr};
  TQelScriptControl Ctrl{nullptr};
  std::vector<int> Lines;
  std::vector<std::string> Log;
  std::function<void()> OnStop;
};

struct TConditionCase {
  const char16_t* Condition;
  int PassCount;
  std::vector<int> StoppedAtN;  // the values of n at the stops
};

TEST_F(ScriptDebuggerTest, ConditionsAndPassCountsDecideWhichHitsStop) {
  const TConditionCase cases[] = {
      {u"", 0, {1, 2, 3, 4, 5, 6, 7}},
      {u"n mod 2 = 0", 0, {2, 4, 6}},
      {u"n > 100", 0, {}},
      {u"NoSuchThing(", 0, {1, 2, 3, 4, 5, 6, 7}},  // fails to evaluate: stops
      {u"n * 2", 0, {}},                            // not a Boolean True
      {u"", 3, {3, 6}},
      {u"n > 2", 2, {4, 6}},  // a false condition counts no pass
  };
  for (const TConditionCase& c : cases) {
    SCOPED_TRACE(StringToUtf8(c.Condition) + " / " + std::to_string(c.PassCount));
    Lines.clear();
    std::vector<std::string> seen;
    OnStop = [&] { seen.push_back(StringToUtf8(Debugger.StackFrames(0)->Eval(u"n"))); };
    Start();
    TQelBreakpoint* bp = Debugger.SetBreakpoint(Module(), 3);
    bp->SetCondition(c.Condition);
    bp->SetPassCount(c.PassCount);
    Ctrl.RunProc(u"Main");
    std::vector<std::string> expected;
    for (int n : c.StoppedAtN) expected.push_back(std::to_string(n));
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(Total(), 28);
    Debugger.ClearBreakpoints();
    Ctrl.SetActive(false);
  }
}

TEST_F(ScriptDebuggerTest, ActionsLogAndEvaluateWithoutStopping) {
  Start();
  TQelBreakpoint* bp = Debugger.SetBreakpoint(Module(), 3);
  bp->SetPassCount(3);
  bp->Action().SetBreak(false);
  bp->Action().SetLogMessage(u"adding");
  bp->Action().SetEvalExpression(u"Total + n");
  bp->Action().SetLogStackFrames(QelLogAllStackFrames);
  Ctrl.RunProc(u"Main");
  EXPECT_TRUE(Lines.empty());
  const std::vector<std::string> firstHit = {"Breakpoint at loop, line: 3. Pass 1 of 3"};
  ASSERT_GE(Log.size(), 3u);
  EXPECT_EQ(Log[0], "Breakpoint at loop, line: 3. Pass 1 of 3");
  EXPECT_EQ(Log[1], "Breakpoint at loop, line: 3. Pass 2 of 3");
  EXPECT_EQ(Log[2], "Breakpoint at loop, line: 3. Pass 3 of 3");
  EXPECT_EQ(Log[3], "Breakpoint message: adding");
  EXPECT_EQ(Log[4], "Breakpoint expression Total + n: 6");  // 1 + 2, then n = 3
  EXPECT_EQ(Log[5], "Breakpoint Call Stack: log all stack frames");
  EXPECT_EQ(Log[6], "    loop: Add");
  EXPECT_EQ(Log[7], "    loop: Main");
  EXPECT_EQ(Log[8], "Breakpoint at loop, line: 3. Pass 1 of 3");
  EXPECT_EQ(Total(), 28);
}

TEST_F(ScriptDebuggerTest, GroupsAreEnabledAndDisabledByActions) {
  Start();
  TQelBreakpoint* first = Debugger.SetBreakpoint(Module(), 9);
  TQelBreakpoint* inner = Debugger.SetBreakpoint(Module(), 3);
  inner->SetGroup(u"Inner");
  inner->SetEnabled(false);
  first->Action().SetEnableGroup(u"inner");  // groups compare without case
  first->Action().SetBreak(false);
  first->SetPassCount(7);  // only on the last pass
  Ctrl.RunProc(u"Main");
  EXPECT_EQ(Lines, (std::vector<int>{3}));
  EXPECT_TRUE(inner->GetEnabled());
}

TEST_F(ScriptDebuggerTest, FramesAndVariablesDuringASynchronousBreak) {
  Start();
  Debugger.SetBreakpoint(Module(), 3);
  std::vector<std::string> frames, vars;
  std::string notInBreak;
  OnStop = [&] {
    for (int i = 0; i < Debugger.StackFrameCount(); ++i) {
      TQelStackFrame* frame = Debugger.StackFrames(i);
      frames.push_back(StringToUtf8(frame->ShortDescription()) + ":" + std::to_string(frame->Line()));
    }
    TQelVariables locals;
    int changes = 0;
    locals.OnChange = [&](TQelVariables*) { ++changes; };
    Debugger.StackFrames(1)->GetVariables(locals);
    TQelVariable* root = locals.Root();
    vars.push_back(StringToUtf8(root->Name) + " " + std::to_string(changes));
    for (int i = 0; i < root->Count(); ++i)
      vars.push_back(StringToUtf8(root->Items(i)->Name) + "=" + StringToUtf8(root->Items(i)->Value));
    Debugger.ResumeFromBreak(rkAbort);
    notInBreak = ErrorOf([&] { Debugger.StackFrames(0); });
  };
  EXPECT_EQ(ErrorOf([&] { Ctrl.RunProc(u"Main"); }).substr(0, 34),
            "Script execution has been aborted.");
  EXPECT_EQ(frames, (std::vector<std::string>{"Add:3", "Main:9"}));
  EXPECT_EQ(vars, (std::vector<std::string>{"Locals 1", "i=1"}));
  EXPECT_EQ(notInBreak, "Script debugger is not in break.");
  EXPECT_EQ(Debugger.StackFrameCount(), 0);
}

TEST_F(ScriptDebuggerTest, StepsThroughTheComponent) {
  Start();
  Debugger.SetBreakpoint(Module(), 9);
  std::vector<TQelBreakResumeKind> plan = {rkStepInto, rkStepOver, rkStepOver};
  std::vector<TQelBreakKind> kinds;
  OnStop = [&] {
    kinds.push_back(Debugger.BreakKind());
    if (plan.empty()) return;
    TQelBreakResumeKind next = plan.front();
    plan.erase(plan.begin());
    Debugger.ClearBreakpoints();
    Debugger.ResumeFromBreak(next);
  };
  Ctrl.RunProc(u"Main");
  ASSERT_GE(Lines.size(), 3u);
  // into Add, over its statement to its "end"
  EXPECT_EQ(std::vector<int>(Lines.begin(), Lines.begin() + 3), (std::vector<int>{9, 3, 4}));
  EXPECT_EQ(kinds[0], bkBreakpoint);
  EXPECT_EQ(kinds[1], bkStep);
}

TEST_F(ScriptDebuggerTest, AsynchronousBreaksServeTheHostFromAnotherThread) {
  Debugger.SetIsSynchBreaks(false);
  std::mutex section;
  std::condition_variable signal;
  int breaks = 0;
  Debugger.OnBreak = [&](TQelScriptDebugger*, TQelScriptControl*, int ALine) {
    std::lock_guard<std::mutex> guard(section);
    Lines.push_back(ALine);
    ++breaks;
    signal.notify_all();
  };
  Start();
  Debugger.SetBreakpoint(Module(), 3)->SetCondition(u"n >= 6");
  std::thread script([&] { Ctrl.RunProc(u"Main"); });
  std::vector<std::string> seen;
  for (int expected = 1; expected <= 2; ++expected) {
    {
      std::unique_lock<std::mutex> lock(section);
      signal.wait(lock, [&] { return breaks == expected; });
    }
    // Evaluation, variables and object children all run on the stopped script thread.
    TQelStackFrame* frame = Debugger.StackFrames(0);
    seen.push_back(StringToUtf8(frame->Eval(u"n")));
    TQelVariables value;
    frame->Eval(u"Total", value);
    seen.push_back(StringToUtf8(value.Root()->Type_) + " " + StringToUtf8(value.Root()->Value));
    Debugger.ResumeFromBreak(rkContinue);
  }
  script.join();
  EXPECT_EQ(seen, (std::vector<std::string>{"6", "Integer 15", "7", "Integer 21"}));
  EXPECT_EQ(Total(), 28);
}

TEST_F(ScriptDebuggerTest, PauseFromTheHostStopsALoop) {
  Debugger.SetIsSynchBreaks(false);
  std::mutex section;
  std::condition_variable signal;
  bool stopped = false;
  Debugger.OnBreak = [&](TQelScriptDebugger*, TQelScriptControl*, int) {
    std::lock_guard<std::mutex> guard(section);
    stopped = true;
    signal.notify_all();
  };
  Start(u"var Spins = 0;\n"
        u"procedure Main; begin while Spins >= 0 do Spins := Spins + 1; end;\n");
  std::string error;
  std::thread script([&] { error = ErrorOf([&] { Ctrl.RunProc(u"Main"); }); });
  Debugger.CauseBreak();
  {
    std::unique_lock<std::mutex> lock(section);
    signal.wait(lock, [&] { return stopped; });
  }
  EXPECT_EQ(Debugger.BreakKind(), bkCausedBreak);
  Debugger.ResumeFromBreak(rkAbort);
  script.join();
  EXPECT_EQ(error.substr(0, 34), "Script execution has been aborted.");
}

TEST_F(ScriptDebuggerTest, EventHandlersCalledFromTheHostStop) {
  Start(u"var Seen = '';\n"
        u"procedure Changed(Sender);\n"
        u"begin\n"
        u"  Seen := Seen + Sender.Strings[Sender.Count - 1];\n"
        u"end;\n");
  TStringList list;
  Ctrl.HookEvent(&list, u"OnChange", u"Changed");
  Debugger.SetBreakpoint(Module(), 3);
  std::vector<std::string> frames;
  OnStop = [&] {
    for (int i = 0; i < Debugger.StackFrameCount(); ++i)
      frames.push_back(StringToUtf8(Debugger.StackFrames(i)->ShortDescription()));
  };
  list.Add(u"a");
  list.Add(u"b");
  EXPECT_EQ(Lines, (std::vector<int>{3, 3}));
  EXPECT_EQ(frames, (std::vector<std::string>{"Changed", "Changed"}));
  TQelVar seen;
  seen.V = Ctrl.ReadVar(u"Seen");
  EXPECT_EQ(StringToUtf8(QelVarToString(seen.V)), "ab");
}

TEST_F(ScriptDebuggerTest, BreakpointStatesAndInvalidLines) {
  Ctrl.SetSourceText(SLoop);
  TQelBreakpoint* bp = Debugger.SetBreakpoint(Module(), 6);  // "var i;": no code
  EXPECT_EQ(bp->GetState(), bsNonactive);
  EXPECT_EQ(Debugger.SetBreakpoint(Module(), 6), bp);
  std::vector<int> invalid;
  Debugger.OnInvalidBreakpoint = [&](TQelScriptDebugger*, TQelBreakpoint* B) { invalid.push_back(B->GetLine()); };
  Ctrl.SetActive(true);
  EXPECT_EQ(bp->GetState(), bsInvalid);
  EXPECT_EQ(invalid, (std::vector<int>{6}));
  TQelBreakpoint* good = Debugger.SetBreakpoint(Module(), 3);
  EXPECT_EQ(good->GetState(), bsValid);
  EXPECT_EQ(Debugger.StackFrameCount(), 0);
  EXPECT_EQ(ErrorOf([&] { Debugger.StackFrames(0); }), "Script debugger is not in break.");
  EXPECT_EQ(ErrorOf([&] { Debugger.ResumeFromBreak(rkContinue); }), "Script debugger is not in break.");
}

TEST_F(ScriptDebuggerTest, MovingBreakpoints) {
  Start();
  TQelBreakpoint* a = Debugger.SetBreakpoint(Module(), 3);
  TQelBreakpoint* b = Debugger.SetBreakpoint(Module(), 9);
  Debugger.MoveBreakpoints({a, b}, {9, 3});  // a swap is fine
  EXPECT_EQ(a->GetLine(), 9);
  EXPECT_EQ(b->GetLine(), 3);
  TQelBreakpoint* c = Debugger.SetBreakpoint(Module(), 8);
  EXPECT_EQ(ErrorOf([&] { Debugger.MoveBreakpoints({a}, {8}); }), "Duplicate breakpoint lines found.");
  EXPECT_EQ(a->GetLine(), 9);
  c->Delete();
  Debugger.MoveBreakpoints({a}, {8});
  Ctrl.RunProc(u"Main");
  // a now sits on the for line (once), b on Add's body (seven times)
  EXPECT_EQ(std::count(Lines.begin(), Lines.end(), 3), 7);
  EXPECT_EQ(std::count(Lines.begin(), Lines.end(), 9), 0);
}

TEST_F(ScriptDebuggerTest, DestroyingAModuleRemovesItsBreakpointsAndNames) {
  Debugger.SetBreakpoint(Module(), 3);
  Debugger.SetBreakpoint(Debugger.Modules().FindOrAdd(u"other"), 1);
  ASSERT_EQ(Debugger.BreakpointCount(), 2);
  Debugger.Modules().Delete(0);
  EXPECT_EQ(Debugger.BreakpointCount(), 1);
  EXPECT_EQ(StringToUtf8(Ctrl.GetDebugName()), "");
  EXPECT_EQ(Debugger.Modules().FindByName(u"other"), Debugger.Modules().Items(0));
}

struct TRecorder : IQelScriptDebuggerNotifier, IQelServicesNotifier {
  std::vector<std::string> Seen;
  void Breaked(TQelScriptDebugger*) override { Seen.push_back("break"); }
  void Resumed(TQelScriptDebugger*) override { Seen.push_back("resume"); }
  void BreakpointsChanged(TQelScriptDebugger*) override { Seen.push_back("changed"); }
  void AfterMemberAddition(TObject*) override { Seen.push_back("added"); }
  void BeforeMemberRemoving(TObject* AMember) override { Seen.push_back("removing"); }
};

TEST_F(ScriptDebuggerTest, ListenersOfTheDebuggerAndOfTheServiceProvider) {
  TRecorder own, shared;
  TQelServiceProvider provider(nullptr);
  provider.Notifiers().RegisterNotifier(&shared);
  Debugger.AddNotifier(&own);
  Debugger.AddNotifier(&own);
  Debugger.SetServiceProvider(&provider);
  EXPECT_TRUE(provider.Members().IsMember(&Debugger));
  Start();
  Debugger.SetBreakpoint(Module(), 3)->SetPassCount(7);
  Ctrl.RunProc(u"Main");
  const std::vector<std::string> events = {"changed", "break", "resume"};
  EXPECT_EQ(std::count(own.Seen.begin(), own.Seen.end(), "break"), 1);
  EXPECT_EQ(std::count(shared.Seen.begin(), shared.Seen.end(), "break"), 1);
  EXPECT_EQ(shared.Seen.front(), "added");
  Debugger.SetServiceProvider(nullptr);
  EXPECT_EQ(shared.Seen.back(), "removing");
  EXPECT_FALSE(provider.Members().IsMember(&Debugger));
}

TEST(ServiceProviderTest, ServicesByClass) {
  TQelServiceProvider provider(nullptr);
  TStringList list;
  TStrings* base = &list;
  TComponent component(nullptr);
  provider.Services().RegisterService(&component);
  provider.Services().RegisterService(base);
  EXPECT_EQ(provider.Services().Get(TStrings::StaticClass()), &list);
  EXPECT_EQ(provider.Services().Find(TPersistent::StaticClass()), &component);  // the first
  TStringList second;
  EXPECT_EQ(ErrorOf([&] { provider.Services().RegisterService(&second); }),
            "Service TStringList already registered.");
  provider.Services().UnregisterService(&list);
  EXPECT_EQ(ErrorOf([&] { provider.Services().Get(TStrings::StaticClass()); }),
            "Service TStrings is not registered.");
  EXPECT_FALSE(provider.Services().IsRegistered(TStrings::StaticClass()));
}

TEST(ServiceProviderTest, MembersNotifyOnceAndWhileStillListed) {
  TQelServiceProvider provider(nullptr);
  struct TWatcher : IQelServicesNotifier {
    TQelServiceProvider* Provider;
    std::vector<std::string> Seen;
    void AfterMemberAddition(TObject*) override { Seen.push_back("added"); }
    void BeforeMemberRemoving(TObject* AMember) override {
      Seen.push_back(Provider->Members().IsMember(AMember) ? "removing listed" : "removing gone");
    }
  } watcher;
  watcher.Provider = &provider;
  provider.Notifiers().RegisterNotifier(&watcher);
  TComponent member(nullptr);
  provider.Members().RegisterMember(&member);
  provider.Members().RegisterMember(&member);
  TComponent stranger(nullptr);
  provider.Members().UnregisterMember(&stranger);
  provider.Members().UnregisterMember(&member);
  EXPECT_EQ(watcher.Seen, (std::vector<std::string>{"added", "removing listed"}));
  EXPECT_EQ(provider.Members().FindFirst(TComponent::StaticClass()), nullptr);
}

}  // namespace
