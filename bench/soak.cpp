// The soak test: one script control prepared, run and closed 10,000 times (argument 1 changes
// the count), alternating Pascal and VB, with a host string list and its events, objects the
// script creates and frees, errors caught inside the script, errors leaving it, and a run
// ended by its instruction budget. Prints the heap in use (malloc's count, which sees every
// block) and the resident memory every tenth of the cycles; both must stay flat after the
// first tenth (docs/performance.md).
#include <malloc.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "bench/BenchMemory.h"
#include "engine/scripter/QelSctScripter.h"
#include "engine/wrappers/units/QelUnits.h"

namespace {


long HeapKiB() { return long(mallinfo2().uordblks / 1024); }

const char16_t SPascal[] =
    u"var Changes;\n"
    u"procedure Changed(Sender); begin Changes := Changes + 1; end;\n"
    u"procedure Main; var l, i, s;\n"
    u"begin\n"
    u"  Changes := 0;\n"
    u"  Host.Clear;\n"
    u"  for i := 1 to 50 do Host.Add('line ' + IntToStr(i));\n"
    u"  l := TStringList.Create;\n"
    u"  try\n"
    u"    l.Text := Host.Text; l.Sorted := True; s := l[0];\n"
    u"    try l.Strings[1000] := 'x'; except s := s + '!'; end;\n"
    u"  finally l.Free; end;\n"
    u"end;\n"
    u"procedure Fails; begin Host.Add(1 div 0); end;\n"
    u"procedure Endless; begin while True do ; end;\n";

const char16_t SVb[] =
    u"Dim Changes\n"
    u"Sub Changed(Sender)\n  Changes = Changes + 1\nEnd Sub\n"
    u"Sub Main\n  Dim l, i, s\n  Changes = 0\n  Host.Clear\n"
    u"  For i = 1 To 50\n    Host.Add \"line \" & i\n  Next\n"
    u"  Set l = TStringList.Create\n"
    u"  Try\n    l.Text = Host.Text\n    l.Sorted = True\n    s = l(0)\n"
    u"    Try\n      l.Strings(1000) = \"x\"\n    Catch\n      s = s & \"!\"\n    End Try\n"
    u"  Finally\n    l.Free\n  End Try\nEnd Sub\n"
    u"Sub Fails\n  Host.Add 1 \\ 0\nEnd Sub\n"
    u"Sub Endless\n  Do\n  Loop\nEnd Sub\n";

// Runs AName, which may fail; a failure is the expected outcome of some procedures.
void RunExpectingError(TQelScriptControl& ACtrl, const char16_t* AName) {
  try {
    VARIANT result = ACtrl.RunProc(AName);
    VariantClear(&result);
    std::fprintf(stderr, "soak: %s did not fail\n", StringToUtf8(AName).c_str());
  } catch (const ExceptionPtr&) {
  }
}

}  // namespace

int main(int argc, char** argv) {
  const int cycles = argc > 1 ? std::stoi(argv[1]) : 10000;
  QelRegisterAllUnits();
  TStringList host;
  TQelScriptControl ctrl(nullptr);
  ctrl.SetInstructionBudget(1'000'000);
  std::printf("%8s %10s %12s\n", "cycles", "heap KiB", "resident KiB");
  long firstHeap = 0, lastHeap = 0;
  for (int cycle = 1; cycle <= cycles; ++cycle) {
    const bool pascal = cycle % 2;
    ctrl.SetLanguage(pascal ? slPascal : slNativeVb);
    ctrl.SetSourceText(pascal ? SPascal : SVb);
    ctrl.ClearObjects();
    ctrl.AddAllUnits(true);
    ctrl.AddObject(u"Host", &host);
    ctrl.SetActive(true);
    ctrl.HookEvent(&host, u"OnChange", u"Changed");
    VARIANT result = ctrl.RunProc(u"Main");
    VariantClear(&result);
    RunExpectingError(ctrl, u"Fails");
    RunExpectingError(ctrl, u"Endless");
    ctrl.SetActive(false);
    host.OnChange = nullptr;
    if (cycle % (cycles / 10 ? cycles / 10 : 1) == 0) {
      lastHeap = HeapKiB();
      if (!firstHeap) firstHeap = lastHeap;
      std::printf("%8d %10ld %12ld\n", cycle, lastHeap, QelResidentKiB());
    }
  }
  std::printf("heap growth after the first tenth: %ld KiB\n", lastHeap - firstHeap);
  return 0;
}
