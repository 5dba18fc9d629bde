// qelrun: runs scripts from the command line the way the demonstration window does (the
// language from the file's extension or --lang, every host unit visible, "MessageList" for
// output), evaluates texts given with -e, reads a script from standard input, and offers an
// interactive session on a terminal. `qelrun --help` lists the forms and options.
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "engines/QelScriptEngines.h"
#include "host/gui/Forms.h"
#include "host/gui/units/QelGuiUnits.h"
#include "tools/qelrun/QelRunDump.h"
#include "tools/qelrun/QelRunOptions.h"
#include "tools/qelrun/QelRunRepl.h"
#include "tools/qelrun/QelRunSession.h"
#include "tools/qelrun/QelRunSource.h"

namespace {

constexpr int ExitOk = 0, ExitScriptError = 1, ExitUsage = 2, ExitInterrupted = 128 + SIGINT;
constexpr char CStdinLabel[] = "stdin", CCommandLineLabel[] = "(command line)";

// Texts without a file name (standard input, -e, the session) are Pascal unless --lang says.
constexpr TQelScriptLanguage CUnnamedLanguage = slPascal;

struct TRunPlan {
  TQelScriptLanguage Language = CUnnamedLanguage;
  String Source;
  std::string Label = CStdinLabel;  // how errors name the script
  bool Interactive = false;
};

// SIGINT stops the running script through the machine's terminate path: the run ends with
// "Script execution has been interrupted." (reported like any script error), the control closes
// and qelrun exits with ExitInterrupted. A second SIGINT, or one while a language without the
// native machine runs, ends the process at once. The handler makes only atomic stores.
std::atomic<TQelVirtMachine*> gRunningMachine{nullptr};
volatile std::sig_atomic_t gInterrupted = 0;

void OnInterrupt(int) {
  TQelVirtMachine* vm = gRunningMachine.load();
  if (gInterrupted || !vm) {
    std::signal(SIGINT, SIG_DFL);
    std::raise(SIGINT);
    return;
  }
  gInterrupted = 1;
  vm->Interrupt();
}

// Publishes the control's machine to the handler for as long as it lives.
class TInterruptScope {
 public:
  explicit TInterruptScope(TQelScriptControl& ACtrl) {
    if (TQelVirtMachine* vm = ACtrl.NativeMachine()) {
      gRunningMachine.store(vm);
      if (gInterrupted) vm->Interrupt();  // a SIGINT that came before the machine was there
    }
  }
  ~TInterruptScope() { gRunningMachine.store(nullptr); }
  TInterruptScope(const TInterruptScope&) = delete;
  TInterruptScope& operator=(const TInterruptScope&) = delete;
};

int Usage(const std::string& AProblem) {
  std::cerr << "qelrun: " << AProblem << "\n" << QelRunUsage();
  return ExitUsage;
}

// Where the script comes from and in which language; an exit status when that fails.
std::optional<int> Plan(const TRunOptions& AOptions, TRunPlan& APlan) {
  const bool fromStdin = AOptions.File == "-" || (AOptions.File.empty() && AOptions.Evals.empty());
  if (AOptions.File.empty() && AOptions.Evals.empty() && ::isatty(STDIN_FILENO)) {
    APlan.Interactive = true;
  } else if (fromStdin) {
    APlan.Source = QelDecodeScriptBytes(std::string(std::istreambuf_iterator<char>(std::cin), {}));
  } else if (!AOptions.File.empty()) {
    const std::optional<String> source = QelReadScriptFile(AOptions.File);
    if (!source || std::filesystem::is_directory(AOptions.File)) {
      std::cerr << "qelrun: cannot read '" << AOptions.File << "'\n";
      return ExitUsage;
    }
    APlan.Source = *source;
    APlan.Label = AOptions.File;
    APlan.Language = QelScriptLanguageOfFile(Utf8ToString(AOptions.File));
  }
  if (!AOptions.Lang.empty() && !QelFindScriptLanguage(Utf8ToString(AOptions.Lang), APlan.Language)) {
    std::cerr << "qelrun: unknown language '" << AOptions.Lang << "'\n";
    return ExitUsage;
  }
  return std::nullopt;
}

// Runs PROC (or the -e texts) after the global code; prints a function's result.
int Execute(TQelScriptControl& ACtrl, const TRunOptions& AOptions, const TRunPlan& APlan) {
  try {
    QelRunSetUp(ACtrl, APlan.Language, APlan.Source);
    ACtrl.SetActive(true);
  } catch (...) {
    QelRunReportError(APlan.Label);
    return ExitScriptError;
  }
  if (APlan.Interactive) return QelRunRepl(ACtrl);
  TInterruptScope interrupts(ACtrl);
  for (const std::string& text : AOptions.Evals) {
    try {
      QelRunText(ACtrl, Utf8ToString(text));
    } catch (...) {
      QelRunReportError(CCommandLineLabel);
      return ExitScriptError;
    }
  }
  if (!AOptions.Evals.empty() && AOptions.Proc.empty()) return ExitOk;
  try {
    std::vector<qel::Value> args(AOptions.Args.begin(), AOptions.Args.end());
    const qel::Value result = ACtrl.RunProc(Utf8ToString(AOptions.Proc.empty() ? "Main" : AOptions.Proc), args);
    // A PROC named on the line is asked for its result; the default Main is run as the
    // demonstration window runs it (in Tcl every procedure returns its last command's value).
    if (!AOptions.Proc.empty() && !result.IsEmpty()) std::cout << QelRunDisplay(result) << std::endl;
    if (AOptions.WaitForForms) QelRunFormsUntilClosed();
    // Forms and timers call the script's handlers: they go while the script is still there.
    QelFreeScriptForms();
    ACtrl.SetActive(false);
  } catch (...) {
    QelRunReportError(APlan.Label);
    return ExitScriptError;
  }
  return ExitOk;
}

int Main(int argc, char** argv) {
  TRunOptions options;
  if (const std::optional<std::string> problem =
          QelParseRunArgs(std::span<const char* const>(argv + 1, size_t(argc > 0 ? argc - 1 : 0)), options))
    return Usage(*problem);
  if (options.Help) {
    std::cout << QelRunUsage();
    return ExitOk;
  }
  if (options.Version) {
    std::cout << "qelrun " << qel::VersionString() << "\n";
    return ExitOk;
  }
  if (options.File.empty() && (!options.Proc.empty() || !options.Args.empty()))
    return Usage("PROC needs a FILE");
  TRunPlan plan;
  if (options.Dump && (options.File.empty() || options.File == "-")) return Usage("--dump needs a FILE");
  if (const std::optional<int> status = Plan(options, plan)) return *status;
  if (options.Dump) return QelRunDump(options.File, plan.Language);
  qel::Startup();
  QelRegisterScriptEngines();
  QelRegisterGuiUnits();
  TQelScriptControl ctrl(nullptr);
  ctrl.SetTimeout(int32_t(std::min<int64_t>(options.TimeoutMs, INT32_MAX)));
  ctrl.SetInstructionBudget(options.InstructionBudget);
  ctrl.SetMemoryCeiling(options.MemoryCeiling);
  ctrl.SetSafeMode(options.SafeMode);
  if (!plan.Interactive) std::signal(SIGINT, OnInterrupt);
  const int status = Execute(ctrl, options, plan);
  QelFreeScriptForms();
  return gInterrupted ? ExitInterrupted : status;
}

}  // namespace

int main(int argc, char** argv) { return Main(argc, argv); }
