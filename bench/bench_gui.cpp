// Creating and freeing a form with 1,000 controls from a script (offscreen platform); the
// resident set size after the runs shows whether memory stays flat.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

#include "engine/scripter/QelSctScripter.h"
#include "host/gui/Forms.h"
#include "host/gui/units/QelGuiUnits.h"

namespace {

constexpr char16_t SForm[] = uR"(
procedure Build;
var F, P, I, C;
begin
  F := TForm.Create(nil);
  P := TPanel.Create(F); P.Parent := F; P.Align := alClient;
  for I := 0 to 999 do
  begin
    case I mod 4 of
      0: C := TButton.Create(F);
      1: C := TEdit.Create(F);
      2: C := TLabel.Create(F);
    else
      C := TCheckBox.Create(F);
    end;
    C.Parent := P;
    C.SetBounds((I mod 20) * 40, (I div 20) * 20, 38, 18);
    C.Caption := 'C' + IntToStr(I);
  end;
  F.Free;
end;
)";

long ResidentKb() {
  FILE* status = std::fopen("/proc/self/status", "r");
  if (!status) return 0;
  char line[256];
  long kb = 0;
  while (std::fgets(line, sizeof line, status)) {
    if (std::sscanf(line, "VmRSS: %ld kB", &kb) == 1) break;
  }
  std::fclose(status);
  return kb;
}

void BM_FormWithThousandControls(benchmark::State& AState) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QelRegisterGuiUnits();
  TQelScriptControl ctrl(nullptr);
  ctrl.SetLanguage(slPascal);
  ctrl.SetSourceText(SForm);
  ctrl.AddAllUnits(true);
  ctrl.SetActive(true);
  auto run = [&] {
    VARIANT result = ctrl.RunProc(u"Build");
    VariantClear(&result);
  };
  run();  // warm: the Qt application, fonts, member tables
  const long before = ResidentKb();
  int runs = 0;
  for (auto _ : AState) {
    run();
    ++runs;
  }
  AState.counters["rss_growth_kb"] = static_cast<double>(ResidentKb() - before);
  AState.counters["runs"] = runs;
  QelFreeScriptForms();
  ctrl.SetActive(false);
}
BENCHMARK(BM_FormWithThousandControls)->Unit(benchmark::kMillisecond)->Iterations(100);

}  // namespace
