// The Pascal compiler on any text: a program, or a compile error at a position in it.
#include "engine/pascal/QelSctPasCompiler.h"
#include "fuzz/FuzzKit.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* AData, size_t ASize) {
  TQelVirtMachine vm(QelPasLanguage());
  QelFuzzCompile(vm, QelFuzzText(AData, ASize));
  return 0;
}
