// Member calls through a wrapper's IDispatch, as the machine makes them, with the number of
// heap blocks each call allocates (counter "allocs"; a string result costs its one BSTR).
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>

#include "engine/wrappers/units/Classes_QelSW.h"
#include "engine/wrappers/units/QelUnits.h"

extern "C" void* __libc_malloc(size_t);
static std::atomic<long> GAllocations{0};
// Counts every heap block of the process (operator new ends here too).
extern "C" void* malloc(size_t ASize) {
  GAllocations.fetch_add(1, std::memory_order_relaxed);
  return __libc_malloc(ASize);
}

namespace {

struct TFixture {
  TFixture() {
    QelRegisterAllUnits();
    for (int i = 0; i < 100; ++i) List.Add(u"line");
    Value = ObjectToVar(&List);
    Disp = Value.pdispVal;
  }
  ~TFixture() { VariantClear(&Value); }

  DISPID Id(const char16_t* AName) {
    String name(AName);
    LPOLESTR names[] = {name.data()};
    DISPID id = DISPID_UNKNOWN;
    Disp->GetIDsOfNames(IID_NULL, names, 1, 0, &id);
    return id;
  }

  TStringList List;
  VARIANT Value;
  IDispatch* Disp;
};

// Runs Invoke with the given reversed arguments and reports allocations per call.
void RunInvoke(benchmark::State& AState, const char16_t* AName, WORD AFlags, std::vector<VARIANT> ARgvarg) {
  TFixture fixture;
  const DISPID id = fixture.Id(AName);
  DISPPARAMS params{ARgvarg.data(), nullptr, static_cast<UINT>(ARgvarg.size()), 0};
  const long before = GAllocations.load();
  for (auto _ : AState) {
    VARIANT result;
    VariantInit(&result);
    benchmark::DoNotOptimize(fixture.Disp->Invoke(id, IID_NULL, 0, AFlags, &params, &result, nullptr, nullptr));
    VariantClear(&result);
  }
  AState.counters["allocs"] =
      benchmark::Counter(static_cast<double>(GAllocations.load() - before), benchmark::Counter::kAvgIterations);
}

VARIANT Int(int32_t AValue) { return QelIntVar(AValue); }

void BM_IntPropertyGet(benchmark::State& AState) { RunInvoke(AState, u"Count", DISPATCH_PROPERTYGET, {}); }
void BM_IndexedStringGet(benchmark::State& AState) { RunInvoke(AState, u"Strings", DISPATCH_PROPERTYGET, {Int(5)}); }
void BM_DefaultPropertyGet(benchmark::State& AState) {
  TFixture fixture;
  VARIANT index = Int(7);
  DISPPARAMS params{&index, nullptr, 1, 0};
  const long before = GAllocations.load();
  for (auto _ : AState) {
    VARIANT result;
    VariantInit(&result);
    fixture.Disp->Invoke(DISPID_VALUE, IID_NULL, 0, DISPATCH_METHOD | DISPATCH_PROPERTYGET, &params, &result, nullptr,
                         nullptr);
    VariantClear(&result);
  }
  AState.counters["allocs"] =
      benchmark::Counter(static_cast<double>(GAllocations.load() - before), benchmark::Counter::kAvgIterations);
}
void BM_MethodWithStringArg(benchmark::State& AState) {
  VARIANT text = QelStringVar(u"line");
  RunInvoke(AState, u"IndexOf", DISPATCH_METHOD, {text});
  VariantClear(&text);
}
void BM_MethodWithVarArg(benchmark::State& AState) {
  VARIANT index = Int(0);
  VARIANT text = QelStringVar(u"line");
  VARIANT ref = MakeVarRef(index);
  RunInvoke(AState, u"Find", DISPATCH_METHOD, {ref, text});  // reversed: Find(S, var Index)
  VariantClear(&text);
}
void BM_ObjectResult(benchmark::State& AState) { RunInvoke(AState, u"ClassType", DISPATCH_METHOD, {}); }

void BM_GetIDsOfNames(benchmark::State& AState) {
  TFixture fixture;
  String name = u"valuefromindex";
  LPOLESTR names[] = {name.data()};
  const long before = GAllocations.load();
  for (auto _ : AState) {
    DISPID id;
    benchmark::DoNotOptimize(fixture.Disp->GetIDsOfNames(IID_NULL, names, 1, 0, &id));
  }
  AState.counters["allocs"] =
      benchmark::Counter(static_cast<double>(GAllocations.load() - before), benchmark::Counter::kAvgIterations);
}

void BM_HostObjectDestroyed(benchmark::State& AState) {
  QelRegisterAllUnits();
  for (auto _ : AState) {
    auto* object = new TObject();
    object->Free();
  }
}

}  // namespace

BENCHMARK(BM_IntPropertyGet);
BENCHMARK(BM_IndexedStringGet);
BENCHMARK(BM_DefaultPropertyGet);
BENCHMARK(BM_MethodWithStringArg);
BENCHMARK(BM_MethodWithVarArg);
BENCHMARK(BM_ObjectResult);
BENCHMARK(BM_GetIDsOfNames);
BENCHMARK(BM_HostObjectDestroyed);
