// Scripting.Dictionary: filling with integer and text keys, and looking a key up through
// IDispatch as a script's d(key) does.
#include <benchmark/benchmark.h>

#include "platform/scripting/QelScripting.h"

namespace {

void DictionaryFill(benchmark::State& AState, bool ATextKeys) {
  const int count = static_cast<int>(AState.range(0));
  std::vector<VARIANT> keys(count);
  for (int i = 0; i < count; ++i) keys[i] = ATextKeys ? QelStringVar(u"key" + IntToStr(i)) : QelIntVar(i);
  const VARIANT item = QelIntVar(1);
  for (auto _ : AState) {
    TQelDictionary dict;
    for (const VARIANT& key : keys) dict.Add(key, item);
    benchmark::DoNotOptimize(dict.GetCount());
  }
  for (VARIANT& key : keys) VariantClear(&key);
  AState.SetItemsProcessed(AState.iterations() * count);
}
BENCHMARK_CAPTURE(DictionaryFill, IntegerKeys, false)->Arg(1000);
BENCHMARK_CAPTURE(DictionaryFill, TextKeys, true)->Arg(1000);

void DictionaryLookupThroughDispatch(benchmark::State& AState) {
  QelRegisterScriptingObjects();
  CLSID clsid{};
  CLSIDFromProgID(QelDictionaryProgId, &clsid);
  ComPtr<IDispatch> dict;
  CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, dict.putVoid());
  VARIANT args[2];
  DISPID putId = DISPID_PROPERTYPUT;
  for (int i = 0; i < 10000; ++i) {
    args[1] = QelIntVar(i);
    args[0] = QelIntVar(i * 2);
    DISPPARAMS put{args, &putId, 2, 1};
    dict->Invoke(DISPID_VALUE, IID_NULL, 0, DISPATCH_PROPERTYPUT, &put, nullptr, nullptr, nullptr);
  }
  VARIANT key = QelIntVar(5000);
  DISPPARAMS get{&key, nullptr, 1, 0};
  for (auto _ : AState) {
    VARIANT result{};
    dict->Invoke(DISPID_VALUE, IID_NULL, 0, DISPATCH_PROPERTYGET, &get, &result, nullptr, nullptr);
    benchmark::DoNotOptimize(result.lVal);
  }
}
BENCHMARK(DictionaryLookupThroughDispatch);

}  // namespace
