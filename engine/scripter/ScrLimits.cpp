// The control's limits for untrusted scripts and its safe mode (docs/robustness.md).
#include <algorithm>
#include <array>

#include "engine/scripter/QelSctScripter.h"
#include "engine/scripter/ScrInternal.h"
#include "engine/vm/QelSctVM.h"

namespace {
// The units whose members open dialogs, print, or reach the shell and the file system as a
// whole; the file members of the core classes (streams, LoadFromFile) stay, see robustness.md.
constexpr std::array<std::u16string_view, 4> SystemUnits = {u"Dialogs", u"CommDlg", u"Printers",
                                                             u"ShlObj"};
}  // namespace

bool QelUnitReachesSystem(std::u16string_view AUnitName) {
  return std::find(SystemUnits.begin(), SystemUnits.end(), AUnitName) != SystemUnits.end();
}

void TQelScriptControl::ApplyLimits(const TQelVMLimits& ALimits) {
  FLimits = ALimits;
  if (TQelVirtMachine* vm = NativeMachine()) vm->SetLimits(FLimits);
}

void TQelScriptControl::SetTimeout(int32_t AMilliseconds) {
  TQelVMLimits limits = FLimits;
  limits.TimeoutMs = std::max(AMilliseconds, 0);
  ApplyLimits(limits);
}

void TQelScriptControl::SetInstructionBudget(int64_t AInstructions) {
  TQelVMLimits limits = FLimits;
  limits.InstructionBudget = std::max<int64_t>(AInstructions, 0);
  ApplyLimits(limits);
}

void TQelScriptControl::SetMemoryCeiling(int64_t ABytes) {
  TQelVMLimits limits = FLimits;
  limits.MemoryCeiling = std::max<int64_t>(ABytes, 0);
  ApplyLimits(limits);
}

void TQelScriptControl::SetSafeMode(bool AValue) { FSafeMode = AValue; }
