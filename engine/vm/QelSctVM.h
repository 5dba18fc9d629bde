// The virtual machine: one compiled script and the means to run it.
//
// A runner creates a TQelVirtMachine with a language, compiles the source (Initialize),
// registers host objects (AddExternObject), runs the global statements (Open), calls script
// procedures (RunProc), evaluates expressions and statements (Eval/ExecStmt), reads and writes
// globals, and stops it (Close). Any thread may run code of a machine at the same time: every
// OS thread has its own machine-thread record (stack pool, call stack, per-machine lock flag
// and global-name caches); Close makes every running activation trap at its next instruction
// with "Script execution has been aborted." and waits until all threads have left.
//
// Values returned as VARIANT belong to the caller (VariantClear them).
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "engine/vm/QelSctVMByteCode.h"
#include "engine/vm/QelSctVMCompBase.h"

class TQelVirtMachine;
class TQelVMDebugger;   // QelVMDebug.h
class TQelVMBreakpoints;
class TQelPasStackFrame;
enum TQelVMBreakKind : uint8_t;
class TQelVMLock;
class TQelThreadVM;
class TQelExternObjects;
class TGlobalObjectsNamespace;

enum TQelVMState : uint8_t { msUninitialized = 0, msInitialized = 1, msActive = 2 };

// Wrong-state errors of the machine: "Virtual machine should be not initialized.",
// "Virtual machine should be initialized.", "Virtual machine should be active.".
class EQelVirtMachine : public Exception {
  QEL_CLASS(EQelVirtMachine, Exception)
 public:
  explicit EQelVirtMachine(const String& AMessage);
};

inline const char16_t* const SQelVMNotUninitialized = u"Virtual machine should be not initialized.";
inline const char16_t* const SQelVMNotInitialized = u"Virtual machine should be initialized.";
inline const char16_t* const SQelVMNotActive = u"Virtual machine should be active.";

// The compiled source text with an index of every 32nd character's line and column.
struct TQelVMSourceItem {
  int Line;
  int Pos;
  const char16_t* Cur;
};

class TQelVMSource {
 public:
  TQelVMSource() = default;
  explicit TQelVMSource(const std::u16string& AText) { SetText(AText); }
  void Clear();
  const std::u16string& Text() const { return FText; }
  void SetText(const std::u16string& AText);
  // Lines count from 0, columns from 1; a position outside the text gives -1, -1.
  void PosToLine(int ASrcPos, int& ALine, int& ALinePos) const;
  int PosToLine(int ASrcPos) const;
  // 1-based position of the line's first character and its length without the break;
  // -1 and 0 for a line that does not exist.
  void LineToPos(int ALine, int& ASrcPos, int& ALength) const;

 private:
  std::u16string FText;
  std::vector<TQelVMSourceItem> FIndex;
};

// What a caller gives Interpret for one activation.
struct TQelVMInterpretContext {
  TQelByteCode* Code = nullptr;
  VARIANT* Args = nullptr;      // first argument slot, or nil
  VARIANT* Result = nullptr;    // result slot, or nil
  TQelVMSource* Source = nullptr;  // for error positions; nil = the machine's own
};

// The activation record Interpret keeps while it runs; the debugger walks the Next chain.
struct TQelCallStackFrame {
  TQelCallStackFrame* Next = nullptr;
  TQelVirtMachine* VM = nullptr;
  const TQelVMInterpretContext* Ctx = nullptr;
  TQelAbstractNamespace* CurNS = nullptr;
  PQelInstr IP = nullptr;
  VARIANT* Stack = nullptr;
  VARIANT* ExcSt = nullptr;    // current exception state (first of its two slots), nil none
  int Depth = 0;               // 1 for the outermost activation of the thread
  // Where a breakpoint's displaced instruction runs: its copy, then a jump back to the
  // instruction after it, then two traps for the fused paths' look-ahead. Written only by a
  // trap, so an activation without breakpoints never touches it.
  TQelInstr BreakScratch[4];
};

// Points where stepping re-arms its step breakpoints (QelVMDebug.h):
// activation start, after a call that may have run script code, a handler taking an exception,
// and an activation ending.
enum TQelStepEvent : uint8_t { seEnter, seAfterCall, seHandler, seLeave };

// Identity of a machine in the process: Id unique, Index the reusable slot, Lock its lock.
struct TQelVMId {
  int Id = 0;
  int Index = -1;
  TQelVMLock* Lock = nullptr;
};

// A prepared expression or statement; the caller frees it.
class TPreparedDynCode {
 public:
  ~TPreparedDynCode();
  TQelVirtMachine* FVM = nullptr;
  TQelVMSource FSource;
  std::unique_ptr<TQelByteCode> FByteCode;
  std::unique_ptr<IQelEmitable> FParsed;
  bool FIsExpr = false;
};
using TQelPreparedCode = std::unique_ptr<TPreparedDynCode>;

// Host hooks. Sender is the machine.
using TQelOnIsTest =
    std::function<void(TQelVirtMachine* Sender, const VARIANT& AObj, const VARIANT& AType,
                       bool& AResult)>;
using TQelOnExceptionIsTest =
    std::function<void(TQelVirtMachine* Sender, Exception* E, const VARIANT& AType,
                       bool& AResult)>;
// The hook gives the exception object to raise (a new one, or the one a script value holds);
// an empty handle means nil.
using TQelOnVarToException =
    std::function<void(TQelVirtMachine* Sender, const VARIANT& V, ExceptionPtr& AResult)>;
using TQelOnExceptionToVar =
    std::function<void(TQelVirtMachine* Sender, const ExceptionPtr& E, VARIANT& AResult)>;
// Reports where E passed through an activation (line from 0, column from 1); may rewrite
// E's message.
using TQelOnFormatException =
    std::function<void(TQelVirtMachine* Sender, int ALine, int ALinePos, Exception* E)>;
using TQelOnEventMake =
    std::function<void(TQelVirtMachine* Sender, const std::u16string& AProcName,
                       VARIANT& AResult)>;
using TQelOnNew = std::function<void(TQelVirtMachine* Sender, const VARIANT& AType,
                                     VARIANT* AArgs, int AArgCount, VARIANT& AResult)>;

// Limits of a run for untrusted scripts, each off when 0. A run is an outermost entry of the
// machine on a thread: Open's global code, RunProc, Eval, ExecStmt, an event handler.
struct TQelVMLimits {
  int64_t InstructionBudget = 0;  // instructions a run may execute (counted at loops and calls)
  int32_t TimeoutMs = 0;          // milliseconds a run may take
  int64_t MemoryCeiling = 0;      // bytes the run's strings and arrays may grow by
  bool Any() const { return InstructionBudget > 0 || TimeoutMs > 0 || MemoryCeiling > 0; }
};

enum TQelLimitKind : uint8_t { lkNone, lkBudget, lkTimeout, lkMemory, lkInterrupt };

// The error that ends a run when a limit is reached or the host interrupts it; no script
// handler catches it.
// FCounted is what the machine counted when it stopped the run: instructions, milliseconds
// elapsed, or the bytes the refused allocation would have brought the run to.
class EQelScriptLimit : public EQelVMRuntime {
  QEL_CLASS(EQelScriptLimit, EQelVMRuntime)
 public:
  EQelScriptLimit(TQelLimitKind AKind, int64_t ALimit, int64_t ACounted);
  TQelLimitKind FKind;
  int64_t FLimit;
  int64_t FCounted;
};

class TQelVMWatchdog;  // VMLimits.cpp

// The private interface id a code object answers with itself.
extern const IID IID_IQelCodeObject;  // {E298CC73-406C-418B-A455-E8AFC284156C}

class TQelVirtMachine : public TQelVMBase {
 public:
  explicit TQelVirtMachine(IQelLanguagePtr ALanguage);
  ~TQelVirtMachine() override;
  TQelVirtMachine(const TQelVirtMachine&) = delete;
  TQelVirtMachine& operator=(const TQelVirtMachine&) = delete;

  TQelVMState State() const { return FState.load(std::memory_order_acquire); }
  const IQelLanguagePtr& Language() const { return FLanguage; }
  const TQelVMId& Id() const { return FId; }
  TQelVMSource& Source() { return FSource; }

  // --- state-changing operations (serialised by the machine's section) ---
  void Initialize(const std::u16string& ASource);
  // Registers a host object by name. AIsUnit: a host unit whose members are published; its
  // members then do not hide the language's intrinsics (qualified calls still reach them).
  // False when the name is already registered.
  bool AddExternObject(IDispatch* AObj, const std::u16string& AName, bool APublishMembers,
                       bool AIsUnit = false);
  void Open(TQelVMDebugger* ADebugger = nullptr);
  // Makes running activations of every thread trap with "Script execution has been aborted."
  // and waits until all have left. Refused when called from this machine's own running code
  // (that wait could never end).
  void Close();

  // --- run-time operations (per-thread lock; several threads at once) ---
  VARIANT RunProc(const std::u16string& AName);
  // The elements of AArgs are the argument slots: by-reference parameters write into them.
  VARIANT RunProc(const std::u16string& AName, VARIANT* AArgs, int AArgCount);
  VARIANT ReadVar(const std::u16string& AName);
  void WriteVar(const std::u16string& AName, const VARIANT& AValue);
  TQelPreparedCode PrepareExpr(const std::u16string& AExpr);
  TQelPreparedCode PrepareStmt(const std::u16string& AStmt);
  VARIANT Eval(TPreparedDynCode* APreparedExpr);
  void ExecStmt(TPreparedDynCode* APreparedStmt);
  VARIANT Eval(const std::u16string& AExpr);
  void ExecStmt(const std::u16string& AStmt);
  // The script's dispatch face; not add-ref'ed (AddRef it to keep it).
  IDispatch* CodeObject();
  void Lock();
  void Unlock();

  void MakeEventHandler(const std::u16string& AProcName, VARIANT& AResult) override;

  // A user breakpoint on the first breakable instruction of the line (from 0): in the global
  // code, else in the procedures in declaration order. False when the line has none.
  bool SetBreakpoint(int ALine);
  void RemoveBreakpoint(int ALine);

  // Ends the running scripts (or else the next run at its first instruction) with "Script
  // execution has been interrupted.", as a limit would. Only atomic stores: a signal handler
  // may call it.
  void Interrupt();
  // Limits for the runs that start from now on.
  void SetLimits(const TQelVMLimits& ALimits);
  TQelVMLimits Limits() const;

  // --- hooks installed by the runner ---
  TQelOnIsTest OnIsTest;
  TQelOnExceptionIsTest OnExceptionIsTest;
  TQelOnVarToException OnVarToException;
  TQelOnExceptionToVar OnExceptionToVar;
  TQelOnFormatException OnFormatException;
  TQelOnEventMake OnEventMake;
  TQelOnNew OnNew;

  // --- machine internals (used by the machine's own units and the debugger) ---
  // Runs one activation on AThread. Script procedure calls recurse into it.
  void Interpret(TQelThread* AThread, const TQelVMInterpretContext& ACtx);
  TQelAbstractNamespace* GlobalNamespace() const;
  TQelExternObjects& ExternObjects() { return *FExternObjects; }
  TQelNameHashTable& ScriptGlobals() { return FScriptGlobals; }
  TQelNameHashTable& IntrinsicObjects() { return FIntrinsicObjects; }
  // The same intrinsics in registration order (call sites remember one by its position).
  const std::vector<TQelGlobalObject*>& IntrinsicList() const { return FIntrinsicList; }
  const std::vector<TQelProcObject*>& Procedures() const { return FProcedures; }
  const std::vector<TQelGlobalValuedObject*>& GlobalVars() const { return FGlobalVars; }
  const std::vector<TQelGlobalValuedObject*>& GlobalConsts() const { return FGlobalConsts; }
  const std::vector<TQelDispIdObject*>& ScriptGlobalsByDispId() const { return FByDispId; }
  TQelByteCode* GlobalByteCode() const { return FGlobalByteCode.get(); }
  // 255 while running normally; 0 makes every instruction trap (abort, pause).
  std::atomic<int32_t> FTerminateFlag{255};
  TQelVMDebugger* FDebugger = nullptr;
  TQelVMBreakpoints& Breakpoints() { return *FBreakpoints; }
  // Ends the running scripts with the limit's error at their next instruction.
  void StopForLimit(TQelLimitKind AKind, int64_t ALimit, int64_t ACounted);
  // A thread's run spent its instruction budget (the interpreter's check at loops and calls).
  void BudgetSpent(TQelThreadVM* ARecord);
  // An expression or statement compiled with ANamespace for its names (nil: the globals).
  TQelPreparedCode PrepareIn(const std::u16string& AText, bool AIsExpr,
                             TQelAbstractNamespace* ANamespace);

 private:
  friend class TVMParserCallbacks;
  void Run(TQelThread* T, TQelCallStackFrame& F, VARIANT* AResult);
  // The icBreak trap: the instruction to dispatch next (the same one again, or the frame's
  // scratch copy of a breakpoint's displaced instruction). Raises on abort.
  PQelInstr TrapBreak(TQelThread* T, TQelCallStackFrame& F, PQelInstr AInstr);
  // Hands the stop to the debugger and applies its resume kind.
  void StopAt(TQelThread* T, TQelCallStackFrame& F, TQelVMBreakKind AKind, PQelInstr AInstr);
  PQelInstr FindBreakInstr(int ALine);
  // Called only while the thread has a stepping base for this machine.
  void StepHook(TQelThread* T, TQelCallStackFrame& F, TQelStepEvent AEvent);
  bool CatchInFrame(TQelThread* T, TQelCallStackFrame& F, const ExceptionPtr& E);
  void StopIfUncaught(TQelThread* T, TQelCallStackFrame& F, const ExceptionPtr& E);
  void ReportPosition(TQelThread* T, const TQelCallStackFrame& F, Exception* E);
  void RegisterGlobal(TQelGlobalObject* AObj, bool& ADuplicateName);
  void AddIntrinsic(TQelGlobalObject* AObj);
  void Reset();
  void ReportCompileError(Exception* E, const TQelVMSource& ASource);
  TQelPreparedCode Prepare(const std::u16string& AText, bool AIsExpr);
  void RunPrepared(TPreparedDynCode* ACode, VARIANT* AResult);
  void RequireInitialized();
  void BeginLimitedRun(TQelThreadVM* ARecord);
  void EndRun(TQelThreadVM* ARecord);
  [[noreturn]] void RaiseLimitError();
  ExceptionPtr LimitErrorFor(ExceptionPtr E);

  std::atomic<TQelVMState> FState{msUninitialized};
  IQelLanguagePtr FLanguage;
  std::recursive_mutex FSection;
  std::mutex FCloseSection;  // serialises Close: a second closer waits for the first
  TQelVMId FId;
  IDispatch* FCodeObject = nullptr;  // counted
  TQelVMSource FSource;
  TQelNameHashTable FScriptGlobals;
  std::vector<TQelDispIdObject*> FByDispId;
  int FDispIdsCount = 0;
  std::unique_ptr<TQelExternObjects> FExternObjects;
  TQelNameHashTable FIntrinsicObjects;
  std::vector<TQelGlobalObject*> FIntrinsicList;
  std::vector<TQelProcObject*> FProcedures;
  std::vector<TQelGlobalValuedObject*> FGlobalVars;
  std::vector<TQelGlobalValuedObject*> FGlobalConsts;
  std::unique_ptr<TGlobalObjectsNamespace> FGlobalNamespace;
  std::vector<std::unique_ptr<IQelEmitable>> FGlobalStmts;
  std::unique_ptr<TQelByteCode> FGlobalByteCode;
  std::unique_ptr<TQelVMBreakpoints> FBreakpoints;
  // Limits (VMLimits.cpp): set under FLimitsSection, read at the start of a run.
  mutable std::mutex FLimitsSection;
  TQelVMLimits FLimits;
  std::atomic<bool> FLimited{false};
  std::atomic<uint8_t> FLimitHit{lkNone};  // the limit that stopped the running scripts
  std::atomic<bool> FInterruptRequested{false};
  int64_t FLimitValue = 0;
  int64_t FLimitCounted = 0;
  std::unique_ptr<TQelVMWatchdog> FWatchdog;
};
