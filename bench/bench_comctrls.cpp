// A tree view of 10,000 nodes built from a script (100 top-level nodes of 99 children each),
// then walked depth-first, by index and freed (offscreen platform).
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "engine/scripter/QelSctScripter.h"
#include "host/gui/Forms.h"
#include "host/gui/units/QelGuiUnits.h"

namespace {

constexpr char16_t STree[] =
    uR"(
var F, TV;

procedure Build;
var I, J, Top;
begin
  F := TForm.Create(nil);
  TV := TTreeView.Create(F); TV.Parent := F;
  for I := 0 to 99 do
  begin
    Top := TV.Items.Add(nil, 'node ' + IntToStr(I));
    for J := 1 to 99 do TV.Items.AddChild(Top, 'leaf ' + IntToStr(J));
  end;
end;

function Walk;
var N;
begin
  Result := 0;
  N := TV.Items.GetFirstNode;
  while N <> nil do begin Result := Result + 1; N := N.GetNext; end;
end;

function ByIndex;
var I;
begin
  Result := 0;
  for I := 0 to TV.Items.Count - 1 do Result := Result + TV.Items[I].Level;
end;

procedure Drop; begin F.Free; end;
)";

struct TTreeFixture {
  TTreeFixture() : Ctrl(nullptr) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QelRegisterGuiUnits();
    Ctrl.SetLanguage(slPascal);
    Ctrl.SetSourceText(STree);
    Ctrl.AddAllUnits(true);
    Ctrl.SetActive(true);
  }
  ~TTreeFixture() {
    QelFreeScriptForms();
    Ctrl.SetActive(false);
  }
  int Run(const char16_t* AName) {
    VARIANT result = Ctrl.RunProc(AName);
    const int value = result.vt == VT_I4 ? result.lVal : 0;
    VariantClear(&result);
    return value;
  }
  TQelScriptControl Ctrl;
};

void BM_TreeBuild10000(benchmark::State& AState) {
  TTreeFixture tree;
  for (auto _ : AState) {
    tree.Run(u"Build");
    AState.PauseTiming();
    tree.Run(u"Drop");
    AState.ResumeTiming();
  }
}
BENCHMARK(BM_TreeBuild10000)->Unit(benchmark::kMillisecond);

void BM_TreeWalk10000(benchmark::State& AState) {
  TTreeFixture tree;
  tree.Run(u"Build");
  int nodes = 0;
  for (auto _ : AState) nodes = tree.Run(u"Walk");
  AState.counters["nodes"] = nodes;
  tree.Run(u"Drop");
}
BENCHMARK(BM_TreeWalk10000)->Unit(benchmark::kMillisecond);

void BM_TreeByIndex10000(benchmark::State& AState) {
  TTreeFixture tree;
  tree.Run(u"Build");
  for (auto _ : AState) benchmark::DoNotOptimize(tree.Run(u"ByIndex"));
  tree.Run(u"Drop");
}
BENCHMARK(BM_TreeByIndex10000)->Unit(benchmark::kMillisecond);

void BM_TreeFree10000(benchmark::State& AState) {
  TTreeFixture tree;
  for (auto _ : AState) {
    AState.PauseTiming();
    tree.Run(u"Build");
    AState.ResumeTiming();
    tree.Run(u"Drop");
  }
}
BENCHMARK(BM_TreeFree10000)->Unit(benchmark::kMillisecond);

}  // namespace
