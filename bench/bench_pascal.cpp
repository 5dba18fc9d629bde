// Compile speed of the Pascal dialect: a generated script of 100,000 lines through the whole
// front end (scanner, parser, tree, emission), as the machine's Initialize runs it.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "engine/pascal/QelSctPasCompiler.h"
#include "engine/vm/QelSctVM.h"

namespace {

// Procedures of 20 lines each, mixing the statement and expression forms.
std::u16string GenerateScript(int ALines) {
  std::u16string text = u"var Total = 0;\n";
  int lines = 1;
  for (int p = 0; lines < ALines; ++p) {
    const std::u16string n = std::u16string(u"P") + std::u16string(1, char16_t(u'A' + p % 26)) +
                             std::u16string(1, char16_t(u'A' + (p / 26) % 26)) +
                             std::u16string(1, char16_t(u'A' + (p / 676) % 26));
    text += u"function " + n + u"(a; var b);\n"
            u"const K = 10; Txt = 'text';\n"
            u"var i = 0, s;\n"
            u"begin\n"
            u"  for i := 1 to a do\n"
            u"  begin\n"
            u"    if (i mod 3 = 0) and (b <> nil) then Continue;\n"
            u"    s := s + i * K - (a div 2) shl 1;\n"
            u"  end;\n"
            u"  while s > 100 do s := s - 7;\n"
            u"  case s of 1..5: b := [1, 3..5]; 6, 7: b := 'x'#13#10; else b := Txt end;\n"
            u"  try\n"
            u"    Total := Total + Obj.Items[i].Value(a, b);\n"
            u"  except\n"
            u"    on E: Exception do Result := E.Message;\n"
            u"  end;\n"
            u"  repeat a := a - 1 until not (a > 0) or Done(a);\n"
            u"  Result := s; { a comment } // and another\n"
            u"end;\n"
            u"\n";
    lines += 20;
  }
  return text + u"begin Total := 1; end;\n";
}

void BM_CompileScript(benchmark::State& AState) {
  const std::u16string source = GenerateScript(int(AState.range(0)));
  for (auto _ : AState) {
    TQelVirtMachine vm(QelPasLanguage());
    vm.Initialize(source);
    benchmark::DoNotOptimize(vm.State());
  }
  AState.SetItemsProcessed(AState.iterations() * AState.range(0));
  AState.SetLabel("lines");
}
BENCHMARK(BM_CompileScript)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The same without the machine's teardown (freeing the trees and code is not compiling).
void BM_CompileOnly(benchmark::State& AState) {
  const std::u16string source = GenerateScript(int(AState.range(0)));
  for (auto _ : AState) {
    auto vm = std::make_unique<TQelVirtMachine>(QelPasLanguage());
    vm->Initialize(source);
    AState.PauseTiming();
    vm.reset();
    AState.ResumeTiming();
  }
}
BENCHMARK(BM_CompileOnly)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_ScanOnly(benchmark::State& AState) {
  const std::u16string source = GenerateScript(100000);
  for (auto _ : AState) {
    TQelPasScanner scanner(true);
    scanner.Start(source);
    int tokens = 0;
    while (scanner.FToken != ptEOf) {
      scanner.SkipToken();
      ++tokens;
    }
    benchmark::DoNotOptimize(tokens);
  }
}
BENCHMARK(BM_ScanOnly)->Unit(benchmark::kMillisecond);

// One routine of AStatements statements of every kind, each with its jumps: the stack analysis
// and label resolution must stay near-linear in the number of jumps of one routine. (Protected
// blocks have a per-routine limit of their own and are left out.)
std::u16string GenerateRoutine(int AStatements) {
  static const char16_t* const Forms[] = {
      u"  if a > 1 then a := a - 1 else a := a + 1;\n",
      u"  while a > 100 do a := a - 7;\n",
      u"  for i := 1 to 2 do a := a + i;\n",
      u"  repeat a := a - 1 until a < 50;\n",
      u"  case a of 1: a := 2; 3..5: a := 6; else a := 0 end;\n",
      u"  s := s + 'x' + IntToStr(a);\n",
  };
  std::u16string text = u"procedure Big;\nvar a = 0, i, s = '';\nbegin\n";
  for (int i = 0; i < AStatements; ++i) text += Forms[i % std::size(Forms)];
  return text + u"end;\n";
}

void BM_CompileOneRoutine(benchmark::State& AState) {
  const std::u16string source = GenerateRoutine(int(AState.range(0)));
  for (auto _ : AState) {
    TQelVirtMachine vm(QelPasLanguage());
    vm.Initialize(source);
    benchmark::DoNotOptimize(vm.State());
  }
  AState.SetItemsProcessed(AState.iterations() * AState.range(0));
  AState.SetLabel("statements");
}
BENCHMARK(BM_CompileOneRoutine)->Arg(8000)->Arg(100000)->Unit(benchmark::kMillisecond);

// A flat chain of AOperands operands in one expression: compiled and freed without recursion.
void BM_CompileOperatorChain(benchmark::State& AState) {
  std::u16string source = u"var x = 0";
  for (int i = 0; i < AState.range(0); ++i) source += u" + 1";
  source += u";\n";
  for (auto _ : AState) {
    TQelVirtMachine vm(QelPasLanguage());
    vm.Initialize(source);
    benchmark::DoNotOptimize(vm.State());
  }
  AState.SetItemsProcessed(AState.iterations() * AState.range(0));
  AState.SetLabel("operands");
}
BENCHMARK(BM_CompileOperatorChain)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
