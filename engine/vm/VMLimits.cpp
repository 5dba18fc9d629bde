// Limits for untrusted scripts: the instruction budget, the time-out and the memory ceiling.
//
// Every limit ends a run the way Close aborts one: it records why and clears the terminate
// flag, so the next instruction of every running activation traps (TrapBreak) and raises the
// limit's error, which no script handler catches (CatchInFrame refuses while the flag is 0).
// The interpreter pays only for the budget, one subtraction at each backward jump and each
// activation; the clock runs on a watchdog thread and the meter sits in the string and array
// allocators.
#include "engine/vm/QelVMInternal.h"
#include "platform/ole/OleMemoryMeter.h"

namespace {

String LimitMessage(TQelLimitKind AKind, int64_t ALimit, int64_t ACounted) {
  const std::string limit = std::to_string(ALimit), counted = std::to_string(ACounted);
  std::string text;
  switch (AKind) {
    case lkBudget:
      text = "The script exceeded its instruction budget of " + limit + " (" + counted +
             " instructions counted).";
      break;
    case lkTimeout:
      text = "The script exceeded its time-out of " + limit + " ms (stopped after " + counted +
             " ms).";
      break;
    case lkInterrupt:
      text = "Script execution has been interrupted.";
      break;
    default:
      text = "Out of memory: the script's strings and arrays would take " + counted +
             " bytes, more than their ceiling of " + limit + " bytes.";
      break;
  }
  return String(text.begin(), text.end());
}

}  // namespace

EQelScriptLimit::EQelScriptLimit(TQelLimitKind AKind, int64_t ALimit, int64_t ACounted)
    : EQelVMRuntime(LimitMessage(AKind, ALimit, ACounted)),
      FKind(AKind),
      FLimit(ALimit),
      FCounted(ACounted) {}

// The state of one limited run, on the stack of its outermost activation.
struct TLimitedRun {
  TOleMemoryMeter Meter;
  TOleMemoryMeter* PreviousMeter = nullptr;
  bool MeterInstalled = false;
  bool ClockArmed = false;
};

void TQelVirtMachine::SetLimits(const TQelVMLimits& ALimits) {
  std::lock_guard<std::mutex> guard(FLimitsSection);
  FLimits = ALimits;
  FLimited.store(ALimits.Any(), std::memory_order_relaxed);
}

TQelVMLimits TQelVirtMachine::Limits() const {
  std::lock_guard<std::mutex> guard(FLimitsSection);
  return FLimits;
}

void TQelVirtMachine::StopForLimit(TQelLimitKind AKind, int64_t ALimit, int64_t ACounted) {
  {
    std::lock_guard<std::mutex> guard(FLimitsSection);
    if (FLimitHit.load(std::memory_order_relaxed) != lkNone) return;  // the first one tells
    FLimitValue = ALimit;
    FLimitCounted = ACounted;
    FLimitHit.store(AKind, std::memory_order_release);
  }
  FTerminateFlag.store(0, std::memory_order_release);
}

void TQelVirtMachine::BudgetSpent(TQelThreadVM* ARecord) {
  const int64_t counted = ARecord->FBudgetStart - ARecord->FBudget;
  ARecord->FBudget = INT64_MAX;  // the trap ends the run; no second report meanwhile
  StopForLimit(lkBudget, ARecord->FBudgetStart, counted);
}

void TQelVirtMachine::RaiseLimitError() {
  std::unique_lock<std::mutex> guard(FLimitsSection);
  auto E = new EQelScriptLimit(TQelLimitKind(FLimitHit.load(std::memory_order_acquire)),
                               FLimitValue, FLimitCounted);
  guard.unlock();
  throw ExceptionPtr(E);
}

void TQelVirtMachine::BeginLimitedRun(TQelThreadVM* ARecord) {
  const TQelVMLimits limits = Limits();
  auto run = std::make_unique<TLimitedRun>();
  if (limits.InstructionBudget > 0) {
    ARecord->FBudget = limits.InstructionBudget;
    ARecord->FBudgetStart = limits.InstructionBudget;
  }
  if (limits.MemoryCeiling > 0) {
    run->Meter.Ceiling = limits.MemoryCeiling;
    run->Meter.Data = this;
    run->Meter.OnExceeded = [](void* AData, int64_t ALimit, int64_t AAsked) {
      static_cast<TQelVirtMachine*>(AData)->StopForLimit(lkMemory, ALimit, AAsked);
    };
    run->PreviousMeter = OleSwapMemoryMeter(&run->Meter);
    run->MeterInstalled = true;
  }
  if (limits.TimeoutMs > 0) {
    {
      std::lock_guard<std::mutex> guard(FLimitsSection);
      if (!FWatchdog) FWatchdog = std::make_unique<TQelVMWatchdog>(this);
    }
    run->ClockArmed = FWatchdog->Arm(limits.TimeoutMs);
  }
  ARecord->FLimitedRun = run.release();
}

void TQelVirtMachine::Interrupt() {
  FInterruptRequested.store(true, std::memory_order_release);
  FTerminateFlag.store(0, std::memory_order_release);
}

void TQelVirtMachine::EndRun(TQelThreadVM* ARecord) {
  if (std::unique_ptr<TLimitedRun> run{ARecord->FLimitedRun}) {
    ARecord->FLimitedRun = nullptr;
    ARecord->FBudget = ARecord->FBudgetStart = INT64_MAX;
    if (run->MeterInstalled) OleSwapMemoryMeter(run->PreviousMeter);
    if (run->ClockArmed) FWatchdog->Disarm();
  }
  // The stopped run has left: the next one starts afresh, unless the machine is closing.
  if (FLimitHit.load(std::memory_order_acquire) != lkNone) {
    FLimitHit.store(lkNone, std::memory_order_release);
    if (!TVMIndexes::Instance().IsInactiveOrClosing(FId))
      FTerminateFlag.store(255, std::memory_order_release);
  }
}

ExceptionPtr TQelVirtMachine::LimitErrorFor(ExceptionPtr E) {
  // Whatever a stopped run raised on its way out (a failed allocation's own error) is reported
  // as the limit that stopped it.
  if (FLimitHit.load(std::memory_order_acquire) == lkNone || dynamic_cast<EQelScriptLimit*>(E.Get()))
    return E;
  try {
    RaiseLimitError();
  } catch (...) {
    return AcquireExceptionObject();
  }
}

// ---------------------------------------------------------------------------------------------
// The watchdog

TQelVMWatchdog::TQelVMWatchdog(TQelVirtMachine* AVM) : FVM(AVM), FThread([this] { Loop(); }) {}

TQelVMWatchdog::~TQelVMWatchdog() {
  {
    std::lock_guard<std::mutex> guard(FSection);
    FStop = true;
  }
  FWake.notify_all();
  FThread.join();
}

bool TQelVMWatchdog::Arm(int32_t AMilliseconds) {
  {
    std::lock_guard<std::mutex> guard(FSection);
    if (FArmed) return false;
    FArmed = true;
    FLimitMs = AMilliseconds;
    FStart = std::chrono::steady_clock::now();
    FDeadline = FStart + std::chrono::milliseconds(AMilliseconds);
  }
  FWake.notify_all();
  return true;
}

void TQelVMWatchdog::Disarm() {
  std::lock_guard<std::mutex> guard(FSection);
  FArmed = false;
}

void TQelVMWatchdog::Loop() {
  std::unique_lock<std::mutex> guard(FSection);
  while (!FStop) {
    if (!FArmed) {
      FWake.wait(guard);
      continue;
    }
    FWake.wait_until(guard, FDeadline);
    const auto now = std::chrono::steady_clock::now();
    if (FStop || !FArmed || now < FDeadline) continue;
    FArmed = false;
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(now - FStart);
    FVM->StopForLimit(lkTimeout, FLimitMs, elapsed.count());
  }
}
