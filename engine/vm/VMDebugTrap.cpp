// The icBreak trap, the stop that hands a thread to the debugger, the stepping checks of the
// interpreter, and the debugger object machines are opened with.
#include <algorithm>

#include "engine/vm/QelVMDebugInternal.h"

PQelInstr TQelVirtMachine::TrapBreak(TQelThread* T, TQelCallStackFrame& F, PQelInstr AInstr) {
  FTerminateFlag.store(255, std::memory_order_relaxed);
  if (TVMIndexes::Instance().IsInactiveOrClosing(FId)) {
    FTerminateFlag.store(0, std::memory_order_relaxed);
    EQelVMRuntime::RaiseError(retAborted);
  }
  if (FInterruptRequested.exchange(false, std::memory_order_acq_rel)) StopForLimit(lkInterrupt, 0, 0);
  if (FLimitHit.load(std::memory_order_acquire) != lkNone) {
    FTerminateFlag.store(0, std::memory_order_relaxed);
    RaiseLimitError();
  }
  TQelThreadVM* record = T->VMData(FId.Index);
  TQelVMBreakKind kind;
  switch (FBreakpoints->GetInfo(T, F, record->FSteppingBase, kind)) {
    case bpirOk:
      StopAt(T, F, kind, AInstr);
      return F.BreakScratch;
    case bpirGoThrough:
      return F.BreakScratch;
    case bpirCausedBreak:
      StopAt(T, F, kind, AInstr);
      return AInstr;
    case bpirBPRemoved:
      return AInstr;
    case bpirNoBPInfo:
      break;
  }
  FBreakpoints->RemoveStepBps(T, record->FSteppingBase);
  EQelVMRuntime::RaiseError(retIENoBreakpointInfo);
}

namespace {
// Marks the machines of the listed frames as stopped on this thread for the length of a break:
// evaluation then neither stops again nor rewrites error messages with positions.
class TInBreakScope {
 public:
  TInBreakScope(TQelThread* AThread, TQelPasStackFrames& AFrames) {
    for (int i = 0; i < AFrames.Count(); ++i) {
      TQelThreadVM* record = AThread->VMData(AFrames.Items(i).FVM->Id().Index);
      if (record->FInBreak) continue;
      record->FInBreak = true;
      FRecords.push_back(record);
    }
  }
  ~TInBreakScope() {
    for (TQelThreadVM* record : FRecords) record->FInBreak = false;
  }

 private:
  std::vector<TQelThreadVM*> FRecords;
};
}  // namespace

void TQelVirtMachine::StopAt(TQelThread* T, TQelCallStackFrame& F, TQelVMBreakKind AKind,
                             PQelInstr AInstr) {
  TQelThreadVM* record = T->VMData(FId.Index);
  if (record->FInBreak) return;
  TQelVMResumeKind resume = vrkContinue;
  if (TQelVMDebugger* debugger = FDebugger) {
    TQelPasStackFrames frames(T, debugger);
    TInBreakScope inBreak(T, frames);
    resume = debugger->DoBreak(AKind, this, QelFrameLine(F), frames);
  }
  void*& base = record->FSteppingBase;
  switch (resume) {
    case vrkStepOver:
    case vrkStepInto:
      FBreakpoints->RemoveStepBps(T, base);
      FBreakpoints->SetStepBPs(T, base, &F, AInstr, true);
      if (resume == vrkStepInto) base = QelStepAllFrames;
      break;
    case vrkContinue:
      FBreakpoints->RemoveStepBps(T, base);
      break;
    case vrkIgnore:
      break;
    case vrkAbort:
      FBreakpoints->RemoveStepBps(T, base);
      record->FDebugAbort = true;
      EQelVMRuntime::RaiseError(retAborted);
  }
}

namespace {

thread_local ExceptionPtr GStopError;  // the error of this thread's current uncaught-error stop

// Whether an except block of some script frame on the thread's stack encloses the frame's
// current instruction (a finally block passes the error on, so it does not count). Frames of
// other machines count too; host code between them is taken to pass errors on.
bool SomeFrameHandles(const TQelCallStackFrame* F) {
  for (; F; F = F->Next) {
    const TQelByteCode* code = F->Ctx->Code;
    for (const TQelTry* block = F->IP->TryIndex >= 0 ? code->TryAt(F->IP->TryIndex) : nullptr;
         block; block = block->FParent)
      if (!block->FFinallyLabel) return true;
  }
  return false;
}

}  // namespace

ExceptionPtr TQelVMDebugger::UncaughtError() { return GStopError; }

void TQelVirtMachine::StopIfUncaught(TQelThread* T, TQelCallStackFrame& F, const ExceptionPtr& E) {
  if (!FDebugger->GetStopOnUncaughtErrors()) return;
  TQelThreadVM* record = T->VMData(FId.Index);
  if (T->FJudgedError == E || record->FInBreak || record->FDebugAbort) return;
  T->FJudgedError = E;  // judged once, at the innermost frame, with every frame still there
  if (SomeFrameHandles(&F) || FTerminateFlag.load(std::memory_order_relaxed) == 0) return;
  GStopError = E;
  struct TClear {
    ~TClear() { GStopError = ExceptionPtr(); }
  } clear;
  StopAt(T, F, vbkUncaughtError, F.IP);
  // The error goes on leaving the script whatever the resume asked for; no step is pending.
  FBreakpoints->RemoveStepBps(T, record->FSteppingBase);
}

void TQelVirtMachine::StepHook(TQelThread* T, TQelCallStackFrame& F, TQelStepEvent AEvent) {
  TQelThreadVM* record = T->VMData(FId.Index);
  if (record->FInBreak) return;  // code evaluated during a break is never stepped
  void*& base = record->FSteppingBase;
  switch (AEvent) {
    case seEnter:  // step into stops at the callee's first line
      if (QelTakesPartInStepping(base, F)) FBreakpoints->SetStepBPs(T, base, &F, F.IP, false);
      break;
    case seAfterCall:  // stepping continues in the caller after a step into returns
      if (QelTakesPartInStepping(base, F)) FBreakpoints->SetStepBPs(T, base, &F, F.IP, true);
      break;
    case seHandler:
      if (F.ExcSt && QelTakesPartInStepping(base, F))
        FBreakpoints->SetExcStepBPs(T, base, &F, F.Ctx->Code->TryAt(F.ExcSt->wReserved1));
      break;
    case seLeave:  // whichever frame runs next (normally the caller) stops at its next line
      if (base == &F) base = QelStepAllFrames;
      break;
  }
}

// ---------------------------------------------------------------------------------------------
// The debugger object

TQelVMDebugger::~TQelVMDebugger() = default;

void TQelVMDebugger::CauseBreak() {
  std::lock_guard<std::mutex> guard(FSection);
  FCausingBreak.store(true);
  for (TQelVirtMachine* vm : FVMs) vm->FTerminateFlag.store(0, std::memory_order_relaxed);
}

TQelVMResumeKind TQelVMDebugger::DoBreak(TQelVMBreakKind AKind, TQelVirtMachine* AVM, int ALine,
                                         TQelPasStackFrames& ACallStack) {
  TQelVMResumeKind resume = vrkContinue;
  if (OnBreak) OnBreak(this, AKind, AVM, ALine, ACallStack, resume);
  return resume;
}

void TQelVMDebugger::Attach(TQelVirtMachine* AVM) {
  std::lock_guard<std::mutex> guard(FSection);
  if (std::find(FVMs.begin(), FVMs.end(), AVM) == FVMs.end()) FVMs.push_back(AVM);
}

void TQelVMDebugger::Detach(TQelVirtMachine* AVM) {
  std::lock_guard<std::mutex> guard(FSection);
  std::erase(FVMs, AVM);
}
