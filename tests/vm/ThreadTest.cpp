// Threads, the per-thread lock, Close aborting running code, and native-stack exhaustion.
#include <atomic>
#include <thread>

#include "tests/vm/VMTestFixture.h"

namespace {

class Threads : public VMTest {
 protected:
  // Sum(n) = 1 + 2 + ... + n with a counting loop.
  void DeclareSum() {
    Script.Proc(u"Sum", {pkSimple}, true, [](TAsm& a) {
      int i = a.Local();
      TQelLabel* loop = a.Label();
      TQelLabel* test = a.Label();
      a.Int(0).Op(icAssignResult).Int(1).Op(icAssignLocalVar, intptr_t(i));
      a.Op(icJump, test);
      a.Bind(loop).Op(icPushResult).Op(icPushLocalVar, intptr_t(i)).Op(icPlus).Op(icAssignResult);
      a.Op(icPushLocalVar, intptr_t(i)).Int(1).Op(icPlus).Op(icAssignLocalVar, intptr_t(i));
      a.Bind(test).Op(icPushLocalVar, intptr_t(i)).Op(icPushArg, TQelParamInfo{0, pkSimple}.ToData());
      a.Op(icLessEqual).Op(icPopJmpIfTrue, loop);
    });
  }
  // An endless loop that first tells the test it is running (intrinsic "Started").
  void DeclareForever(std::atomic<int>& AStarted, bool AInsideTry) {
    Script.Intrinsic(u"Started", [&AStarted](TQelCall*, VARIANT*, VARIANT&) { ++AStarted; });
    Script.Var(u"HandlerRan", MakeBool(false));
    Script.Proc(u"Forever", {}, false, [AInsideTry](TAsm& a) {
      a.Op(icPush, 1).Call(icGlobCall, u"Started", bkNon, 0, false);
      a.Op(icPop);
      TQelLabel* loop = a.Label();
      if (!AInsideTry) {
        a.Bind(loop).Op(icJump, loop);
        return;
      }
      TryExcept(
          a, [loop](TAsm& b) { b.Bind(loop).Int(1).Op(icPop).Op(icJump, loop); },
          [](TAsm& b, TQelTry*) {
            b.Lit(MakeBool(true)).Call(icAssignGlobCall, u"HandlerRan", bkNon, 0);
            b.Op(icExceptDone);
          });
    });
  }
};

TEST_F(Threads, TwoThreadsRunOneMachineAtOnce) {
  DeclareSum();
  Start();
  std::string results[2];
  std::thread workers[2];
  for (int t = 0; t < 2; ++t)
    workers[t] = std::thread([&, t] {
      for (int round = 0; round < 200; ++round) {
        TVar r(VM->RunProc(u"Sum", std::vector<VARIANT>{MakeI4(1000 + t)}.data(), 1));
        if (round == 199) results[t] = Describe(r.V);
      }
    });
  for (auto& worker : workers) worker.join();
  EXPECT_EQ(results[0], "I4:500500");
  EXPECT_EQ(results[1], "I4:501501");
}

struct TAbortCase {
  const char* Name;
  bool InsideTry;
};
std::ostream& operator<<(std::ostream& S, const TAbortCase& C) { return S << C.Name; }

class Abort : public Threads, public ::testing::WithParamInterface<TAbortCase> {};

TEST_P(Abort, CloseStopsEveryRunningThread) {
  std::atomic<int> started{0};
  DeclareForever(started, GetParam().InsideTry);
  Start();
  std::string errors[2];
  std::thread workers[2];
  for (int t = 0; t < 2; ++t)
    workers[t] = std::thread([&, t] { errors[t] = ErrorOf([&] { VM->RunProc(u"Forever"); }); });
  while (started.load() < 2) std::this_thread::yield();
  VM->Close();  // returns only after both threads have left the machine
  EXPECT_EQ(VM->State(), msUninitialized);
  for (auto& worker : workers) worker.join();
  EXPECT_EQ(errors[0], "Script execution has been aborted.");
  EXPECT_EQ(errors[1], "Script execution has been aborted.");
  EXPECT_EQ(ErrorOf([&] { VM->RunProc(u"Forever"); }), "Virtual machine should be active.");
}

INSTANTIATE_TEST_SUITE_P(Table, Abort,
                         ::testing::Values(TAbortCase{"PlainLoop", false},
                                           TAbortCase{"LoopInsideTryExcept", true}),
                         [](const auto& AInfo) { return std::string(AInfo.param.Name); });

TEST_F(Threads, ReentrantRunProcOnTheSameThread) {
  DeclareSum();
  Script.Intrinsic(u"CallBack", [this](TQelCall*, VARIANT*, VARIANT& AResult) {
    VariantClear(&AResult);
    VARIANT arg = MakeI4(3);
    AResult = VM->RunProc(u"Sum", &arg, 1);
  });
  Start();
  TVar result = EvalCode([](TAsm& a) { a.Op(icPush, 1).Call(icGlobCall, u"CallBack", bkNon, 0); });
  EXPECT_EQ(Describe(result.V), "I4:6");
}

TEST_F(Threads, CloseFromRunningCodeIsRefused) {
  Script.Intrinsic(u"CloseMe", [this](TQelCall*, VARIANT*, VARIANT&) { VM->Close(); });
  Start();
  EXPECT_EQ(ErrorOf([&] { EvalCode([](TAsm& a) { a.Op(icPush, 1).Call(icGlobCall, u"CloseMe", bkNon, 0); }); }),
            "Virtual machine cannot be closed from its own running code.");
}

TEST_F(Threads, DeepRecursionRaisesStackOverflowThatScriptsCatch) {
  Script.Proc(u"Down", {}, false, [](TAsm& a) {
    a.Op(icPush, 1).Call(icGlobCall, u"Down", bkVbRound, 0, false);
    a.Op(icPop);
  });
  Script.Proc(u"Guarded", {}, true, [](TAsm& a) {
    TryExcept(
        a,
        [](TAsm& b) {
          b.Op(icPush, 1).Call(icGlobCall, u"Down", bkVbRound, 0, false);
          b.Op(icPop);
        },
        [](TAsm& b, TQelTry*) { b.Str(u"caught").Op(icAssignResult).Op(icExceptDone); });
  });
  Start();
  EXPECT_EQ(ErrorOf([&] { VM->RunProc(u"Down"); }), "Stack overflow");
  EXPECT_EQ(Describe(Run(u"Guarded").V), "Str:caught");
}

TEST_F(Threads, NewThreadAttachesAndOldCodeObjectDiesWithItsMachine) {
  DeclareSum();
  Start();
  IDispatch* code = VM->CodeObject();
  code->AddRef();
  std::string result;
  std::thread([&] {
    result = Describe(TVar(VM->RunProc(u"Sum", std::vector<VARIANT>{MakeI4(2)}.data(), 1)).V);
  }).join();
  EXPECT_EQ(result, "I4:3");
  VM.reset();
  Start();  // a new machine may take the freed slot
  std::u16string name = u"Sum";
  LPOLESTR names[1] = {name.data()};
  DISPID id = 0;
  ASSERT_EQ(code->GetIDsOfNames(IID_NULL, names, 1, 0, &id), S_OK);
  VARIANT arg = MakeI4(2);
  DISPPARAMS params{&arg, nullptr, 1, 0};
  EXCEPINFO info{};
  TVar out;
  EXPECT_EQ(code->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &params, &out.V, &info, nullptr),
            DISP_E_EXCEPTION);
  EXPECT_EQ(Utf8(OleBstrView(info.bstrDescription)), "Virtual machine should be active.");
  SysFreeString(info.bstrSource);
  SysFreeString(info.bstrDescription);
  code->Release();
}

}  // namespace
