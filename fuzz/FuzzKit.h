// What the harnesses share: the input as script text, and the checks that turn a wrong
// outcome into a finding (an abort libFuzzer reports with the input).
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine/vm/QelSctVM.h"

// Every byte is one character: any input is some text, and a script from the corpus (ASCII)
// reads as itself.
inline String QelFuzzText(const uint8_t* AData, size_t ASize) {
  return String(AData, AData + ASize);
}

[[noreturn]] inline void QelFuzzFinding(const char* AWhat, const Exception* E) {
  std::fprintf(stderr, "finding: %s%s%s\n", AWhat, E ? ": " : "",
               E ? StringToUtf8(E->GetMessage()).c_str() : "");
  std::abort();
}

// A compile error must be the compiler's own, at a position inside the text (or just after it).
inline void QelFuzzCheckCompileError(const ExceptionPtr& E, size_t ATextLength) {
  auto* error = dynamic_cast<EQelCompileBase*>(E.Get());
  if (!error) QelFuzzFinding("compiling raised something other than a compile error", E.Get());
  if (error->FSourcePos < 1 || size_t(error->FSourcePos) > ATextLength + 1)
    QelFuzzFinding("compile error outside the text", E.Get());
}

// Compiles AText; true when it compiled. The machine is left initialized then.
inline bool QelFuzzCompile(TQelVirtMachine& AVM, const String& AText) {
  try {
    AVM.Initialize(AText);
    return true;
  } catch (const ExceptionPtr& E) {
    QelFuzzCheckCompileError(E, AText.size());
  } catch (...) {
    QelFuzzFinding("compiling raised a non-host exception", nullptr);
  }
  return false;
}
