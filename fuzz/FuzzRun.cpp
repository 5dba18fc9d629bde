// The machine: compiles any text (the first byte picks the dialect) and, when it compiles,
// runs its global code and its Main with every limit on. A run may end with any host error;
// what it must not do is crash, hang, exhaust memory, or leave the machine unable to close.
#include "engine/pascal/QelSctPasCompiler.h"
#include "engine/vb/QelSctVbLanguage.h"
#include "fuzz/FuzzKit.h"

namespace {

void RunMain(TQelVirtMachine& AVM) {
  VARIANT result{};
  try {
    AVM.Open();
    result = AVM.RunProc(u"Main");
  } catch (const ExceptionPtr&) {
    // script errors, limits and a missing Main are all fine outcomes
  } catch (...) {
    QelFuzzFinding("running raised a non-host exception", nullptr);
  }
  VariantClear(&result);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* AData, size_t ASize) {
  if (ASize == 0) return 0;
  TQelVirtMachine vm((AData[0] & 1) ? QelVbLanguage() : QelPasLanguage());
  TQelVMLimits limits;
  limits.InstructionBudget = 200'000;
  limits.TimeoutMs = 2'000;
  limits.MemoryCeiling = 32 << 20;
  vm.SetLimits(limits);
  if (QelFuzzCompile(vm, QelFuzzText(AData + 1, ASize - 1))) RunMain(vm);
  vm.Close();
  return 0;
}
