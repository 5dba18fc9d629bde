// The VB compiler on any text: a program, or a compile error at a position in it.
#include "engine/vb/QelSctVbLanguage.h"
#include "fuzz/FuzzKit.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* AData, size_t ASize) {
  TQelVirtMachine vm(QelVbLanguage());
  QelFuzzCompile(vm, QelFuzzText(AData, ASize));
  return 0;
}
