// A control holding each embedded engine, opened, run and closed 1,000 times: prints the
// resident memory after the first 100 rounds and after all of them, which must stay flat.
#include <cstdio>
#include <fstream>
#include <string>

#include "bench/BenchMemory.h"
#include "engine/scripter/QelSctScripter.h"
#include "engine/wrappers/units/QelUnits.h"
#include "engines/QelScriptEngines.h"

namespace {


struct TRow {
  TQelScriptLanguage Language;
  const char16_t* Source;
};

const TRow CRows[] = {
    {slLua, u"function Main() local l = TStringList:Create() l:Add('x') l.Sorted = true l:Free() return 1 end\n"},
    {slPython, u"def Main():\n    l = TStringList.Create()\n    l.Add('x')\n    l.Sorted = True\n    l.Free()\n"
               u"    return 1\n"},
    {slJScript, u"function Main() { var l = TStringList.Create(); l.Add('x'); l.Sorted = true; l.Free(); return 1; }\n"},
    {slPerl, u"sub Main { my $l = $TStringList->Create(); $l->Add('x'); $l->{Sorted} = 1; $l->Free(); return 1 }\n"},
    {slTCL, u"proc Main {} { set l [TStringList Create]; $l Add x; $l -set Sorted 1; $l Free; return 1 }\n"},
    {slRexx, u"exit\nMain:\n  l = QelCall(TStringList, 'Create')\n  call QelCall l, 'Add', 'x'\n"
             u"  call QelSet l, 'Sorted', 1\n  call QelCall l, 'Free'\n  return 1\n"},
};

}  // namespace

int main(int argc, char** argv) {
  // usage: bench_open_close [ROUNDS [ENGINE]]: ENGINE limits the run to the engines whose name
  // contains it.
  const int rounds = argc > 1 ? std::stoi(argv[1]) : 1000;
  const std::string only = argc > 2 ? argv[2] : "";
  QelRegisterAllUnits();
  QelRegisterScriptEngines();
  for (const TRow& row : CRows) {
    if (StringToUtf8(QelScriptEngineName(row.Language)).find(only) == std::string::npos) continue;
    TQelScriptControl ctrl(nullptr);
    ctrl.SetLanguage(row.Language);
    ctrl.SetSourceText(row.Source);
    ctrl.AddAllUnits(true);
    long early = 0;
    for (int i = 1; i <= rounds; ++i) {
      ctrl.SetActive(true);
      VARIANT result = ctrl.RunProc(u"Main");
      VariantClear(&result);
      ctrl.SetActive(false);
      if (i == rounds / 10) early = QelResidentKiB();
    }
    std::printf("%-10s resident after %d rounds: %ld KiB, after %d: %ld KiB\n",
                StringToUtf8(QelScriptEngineName(row.Language)).c_str(), rounds / 10, early, rounds, QelResidentKiB());
  }
  return 0;
}
