// Machine micro benchmarks: the dispatch loop, a script call, and a member call on a dispatch
// object. Code is assembled with the machine tests' kit (there is no compiler at this layer).
#include <benchmark/benchmark.h>

#include "tests/vm/VMTestKit.h"

namespace {

constexpr int LoopCount = 100000;

// A machine over a script; RunProc("Bench") is what each benchmark iteration runs.
class TBenchMachine {
 public:
  explicit TBenchMachine(TTestScript& AScript)
      : FVM(std::make_shared<TTestLanguage>(AScript)) {
    FVM.Initialize(u"bench");
    FVM.Open();
  }
  ~TBenchMachine() { FVM.Close(); }
  TQelVirtMachine& VM() { return FVM; }
  void Run(benchmark::State& AState) {
    for (auto _ : AState) {
      VARIANT result = FVM.RunProc(u"Bench");
      VariantClear(&result);
    }
    AState.SetItemsProcessed(AState.iterations() * LoopCount);
  }

 private:
  TQelVirtMachine FVM;
};

// for i := 1 to LoopCount do <ABody>: a counting loop over locals, ABody per iteration.
void CountingLoop(TAsm& a, const std::function<void(TAsm&, int)>& ABody) {
  int i = a.Local();
  TQelLabel* body = a.Label();
  TQelLabel* test = a.Label();
  TQelFor* loop = a.Code().AddFor(body, i, false);
  a.Int(1).Op(icForInitLocal, loop);
  a.Int(LoopCount).Op(icAssignLocalVar, intptr_t(loop->FToVar));
  a.Op(icJump, test);
  a.Bind(body);
  ABody(a, i);
  a.Op(icForInc, loop);
  a.Bind(test).Op(icForJmpIfLE, loop);
}

// sum := sum + i * 2 - (i + i) with locals (12 instructions per iteration, no overflow): the
// interpreter's integer fast paths.
void BM_DispatchLoop(benchmark::State& AState) {
  TTestScript script;
  script.Proc(u"Bench", {}, true, [](TAsm& a) {
    int sum = a.Local();
    a.Int(0).Op(icAssignLocalVar, intptr_t(sum));
    CountingLoop(a, [sum](TAsm& b, int i) {
      b.Op(icPushLocalVar, intptr_t(sum)).Op(icPushLocalVar, intptr_t(i)).Int(2).Op(icMultiply);
      b.Op(icPlus).Op(icPushLocalVar, intptr_t(i)).Op(icPushLocalVar, intptr_t(i)).Op(icPlus);
      b.Op(icMinus).Op(icAssignLocalVar, intptr_t(sum));
    });
    a.Op(icPushLocalVar, intptr_t(sum)).Op(icAssignResult);
  });
  TBenchMachine machine(script);
  machine.Run(AState);
}
BENCHMARK(BM_DispatchLoop);

// x := Inc(x): a script function call through the global namespace.
void BM_ScriptCall(benchmark::State& AState) {
  TTestScript script;
  script.Proc(u"Inc", {pkSimple}, true, [](TAsm& a) {
    a.Op(icPushArg, TQelParamInfo{0, pkSimple}.ToData()).Int(1).Op(icPlus).Op(icAssignResult);
  });
  script.Proc(u"Bench", {}, true, [](TAsm& a) {
    int x = a.Local();
    a.Int(0).Op(icAssignLocalVar, intptr_t(x));
    CountingLoop(a, [x](TAsm& b, int) {
      b.Op(icPush, 1).Op(icPushLocalVar, intptr_t(x)).Call(icGlobCall, u"Inc", bkRound, 1);
      b.Op(icAssignLocalVar, intptr_t(x));
    });
    a.Op(icPushLocalVar, intptr_t(x)).Op(icAssignResult);
  });
  TBenchMachine machine(script);
  machine.Run(AState);
}
BENCHMARK(BM_ScriptCall);

// Host.Add(i): a member call on a host dispatch object (name lookup + Invoke each time).
void BM_DispatchMemberCall(benchmark::State& AState) {
  TTestScript script;
  script.Proc(u"Bench", {}, false, [](TAsm& a) {
    CountingLoop(a, [](TAsm& b, int i) {
      b.Op(icPush, 2).Call(icGlobCall, u"Host", bkNon, 0);
      b.Op(icPushLocalVar, intptr_t(i)).Call(icMemberCall, u"Add", bkRound, 1, false);
      b.Op(icPop);
    });
  });
  auto* host = new TTestDisp;
  int64_t total = 0;
  host->Member(u"Add", [&total](WORD, std::vector<VARIANT>& AArgs, VARIANT*) {
    total += AArgs[0].lVal;
    return S_OK;
  });
  {
    TBenchMachine machine(script);
    machine.VM().AddExternObject(host, u"Host", false);
    machine.Run(AState);
  }
  host->Release();
  benchmark::DoNotOptimize(total);
}
BENCHMARK(BM_DispatchMemberCall);

}  // namespace
