// The machine's debugging side: the debugger object a machine is opened with, the stack frames
// it is handed when a thread stops, evaluation in a frame and the variables of frames, objects
// and arrays.
//
// Breakpoints cost nothing on the instructions that do not carry one: a breakpoint is the
// instruction's code overwritten with icBreak (the original kept aside), a pause request turns
// the terminate flag to 0 so that the next instruction of every attached machine traps, and
// stepping places temporary per-thread breakpoints on the next lines control can reach.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "engine/vm/QelSctVM.h"

// What made a thread stop. The values carry a machine prefix (vbk, vrk) because the host
// debugger component publishes its own kinds with the plain names.
enum TQelVMBreakKind : uint8_t {
  vbkBreakpoint = 0, vbkStep = 1, vbkCausedBreak = 2, vbkUncaughtError = 3
};
enum TQelVMGetBPInfoResult : uint8_t {
  bpirOk = 0, bpirCausedBreak = 1, bpirGoThrough = 2, bpirBPRemoved = 3, bpirNoBPInfo = 4
};
enum TQelVMResumeKind : uint8_t {
  vrkStepOver = 0, vrkStepInto = 1, vrkContinue = 2, vrkIgnore = 3, vrkAbort = 4
};

class IQelPasDebugVarChildren;
using IQelPasDebugVarChildrenPtr = std::shared_ptr<IQelPasDebugVarChildren>;

// One variable as the debugger shows it: texts, and the children when it has any.
struct TQelPasDebugVar {
  std::u16string Name;
  std::u16string Type_;
  std::u16string Value;
  IQelPasDebugVarChildrenPtr Children;
};

using TQelPasDebugVarChildProc = std::function<void(const TQelPasDebugVar& AVariable, bool& AStop)>;

// The children of a variable: a frame's variables, an object's properties, an array's
// elements. Enumerating reads values (object properties are invoked), so it belongs on the
// stopped thread like evaluation.
class IQelPasDebugVarChildren {
 public:
  virtual ~IQelPasDebugVarChildren() = default;
  virtual void Enum(const TQelPasDebugVarChildProc& AProc) = 0;
};

class TQelPasStackFrames;

// One activation of a stopped thread. Eval and GetVariables run script code, so they are
// refused on any other thread than the stopped one.
class TQelPasStackFrame {
 public:
  TQelPasStackFrame(TQelPasStackFrames* AOwner, TQelCallStackFrame* AFrame);
  TQelPasStackFrames* FOwner;
  TQelCallStackFrame* FFrame;
  const TQelVMInterpretContext* FCtx;
  TQelVirtMachine* FVM;
  int FLine;                   // of the frame's current instruction, from 0
  std::u16string FDescription; // the procedure's name or "Global code"

  // An error gives Name = the expression, Type_ "Error", Value = the message.
  TQelPasDebugVar Eval(const std::u16string& AExpr);
  // The value (owned by the caller), or false on any error.
  bool Eval(const std::u16string& AExpr, VARIANT& AValue);
  // "Globals" for the global code, else "Locals": the frame's own variables as children.
  TQelPasDebugVar GetVariables();
  // Runs a statement in this frame (an editor's "set variable"); the error, empty when none.
  ExceptionPtr Exec(const std::u16string& AStmt);

 private:
  void CheckThread() const;
  ExceptionPtr Run(const std::u16string& AText, bool AIsExpr, VARIANT* AResult);
};

// The frames of the stopped thread, innermost first, of the machines opened with one debugger.
class TQelPasStackFrames {
 public:
  TQelPasStackFrames(TQelThread* AThread, TQelVMDebugger* ADebugger);
  int Count() const { return int(FItems.size()); }
  TQelPasStackFrame& Items(int AIndex) { return *FItems[size_t(AIndex)]; }

  std::vector<std::unique_ptr<TQelPasStackFrame>> FItems;
  TQelThread* FThread;
  uint32_t FBreakedThreadId;  // the stopped thread's system id (GetCurrentThreadId)
};

using TQelOnBreak =
    std::function<void(TQelVMDebugger* Sender, TQelVMBreakKind ABreakKind, TQelVirtMachine* AVM,
                       int ALine, TQelPasStackFrames& ACallStack, TQelVMResumeKind& AResumeKind)>;

// The debugger object machines are opened with (TQelVirtMachine::Open). OnBreak is called on
// the stopped thread; it returns how to resume.
class TQelVMDebugger {
 public:
  TQelVMDebugger() = default;
  virtual ~TQelVMDebugger();
  TQelVMDebugger(const TQelVMDebugger&) = delete;
  TQelVMDebugger& operator=(const TQelVMDebugger&) = delete;

  // Stops the next instruction any attached machine runs (kind vbkCausedBreak).
  void CauseBreak();
  virtual TQelVMResumeKind DoBreak(TQelVMBreakKind AKind, TQelVirtMachine* AVM, int ALine,
                                   TQelPasStackFrames& ACallStack);
  // Read and cleared by the trap that serves a pause request.
  bool TakeCausingBreak() { return FCausingBreak.exchange(false); }

  // Whether an error that no script handler on the thread's stack will catch stops the thread
  // where it was raised (kind vbkUncaughtError), with every frame still there to inspect.
  bool GetStopOnUncaughtErrors() const { return FStopOnUncaught.load(std::memory_order_relaxed); }
  void SetStopOnUncaughtErrors(bool AValue) { FStopOnUncaught.store(AValue); }
  // The error of the current vbkUncaughtError stop, on the stopped thread; empty otherwise.
  static ExceptionPtr UncaughtError();

  TQelOnBreak OnBreak;

  // Attachment (the machine's Open and Close).
  void Attach(TQelVirtMachine* AVM);
  void Detach(TQelVirtMachine* AVM);

 private:
  std::mutex FSection;
  std::vector<TQelVirtMachine*> FVMs;
  std::atomic<bool> FCausingBreak{false};
  std::atomic<bool> FStopOnUncaught{false};
};

// The text of a value's type and the value as the debugger shows them (Unassigned, nil and
// Null in the language's words); exposed for the host component's tests.
TQelPasDebugVar QelDebugVarOf(const std::u16string& AName, const VARIANT& AValue,
                              IQelLanguage* ALang);
std::u16string QelDebugTypeText(VARTYPE AVt);
