// The script debugger component: source-line breakpoints grouped by debug module, applied to
// the engines of the script controls attached to it, with conditions, pass counts and actions;
// the break reported to listeners and the host; call stacks, variables and evaluation while a
// script is stopped; and resuming with a step or continue.
//
// The native debug runner (TNativeRunnerDebug) connects it to the virtual machine. By default
// breaks are asynchronous: the host's OnBreak runs on a worker thread while the stopped script
// thread serves the debugger's requests (variables, evaluation) until ResumeFromBreak.
// With IsSynchBreaks everything runs on the script's thread and the host must resume from
// inside OnBreak.
//
// Lives beside the script control because the two refer to each other (a control's Debugger
// and DebugModule properties, the debugger's attached scripts).
#pragma once

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "engine/scripter/QelSctScripter.h"
#include "engine/vm/QelVMDebug.h"

class TQelScriptDebugger;
class TQelServiceProvider;

// Internal inconsistencies of the debugger (a breakpoint without module, a break from a machine
// of no attached control...) raise EAssertionFailed naming the unit and line.
[[noreturn]] void QelDebuggerAssertFailed(const char* AFile, int ALine, const char* ACondition);
#define QEL_DBG_ASSERT(C) ((C) ? void(0) : QelDebuggerAssertFailed(__FILE__, __LINE__, #C))

enum TQelBreakpointState : uint8_t { bsNonactive, bsValid, bsInvalid };
enum TQelBreakKind : uint8_t { bkNone, bkBreakpoint, bkStep, bkCausedBreak, bkUncaughtError };
enum TQelBreakResumeKind : uint8_t { rkStepOver, rkStepInto, rkContinue, rkAbort };
enum TQelDebugMsgKind : uint8_t {
  dmDebuggerOutput, dmBreakpointReached, dmLogMessage, dmEvalExpr, dmLogStackHeader,
  dmLogStackFrame
};
enum TQelVariableFlag : uint8_t {
  vfReadonly, vfPublic, vfPrivate, vfProtected, vfFinal, vfGlobal, vfStatic, vfField,
  vfVirtual, vfConstant, vfSynchronized, vfVolatile
};
using TQelVariableFlags = uint16_t;  // bit n = flag n
constexpr TQelVariableFlags QelFlag(TQelVariableFlag AFlag) { return TQelVariableFlags(1u << AFlag); }
enum TNativeBreakTask : uint8_t { btResume, btGetVars, btEval, btChildren };

inline constexpr int QelLogAllStackFrames = 2147483647;

// ---------------------------------------------------------------------------------------------
// Debug runners: what the component asks of an engine while it is stopped.

// The engine's handle for a variable's children.
using TQelRunnerVar = std::shared_ptr<void>;
using TGetFrameProc = std::function<void(void* ARunnerFrame, bool AOwnRunnerFrame,
                                         TQelScriptControl* AScriptControl, int ALine)>;
using TVarProc = std::function<void(const TQelRunnerVar& ARunnerVar, const std::u16string& AName,
                                    const std::u16string& AType, const std::u16string& AValue,
                                    TQelVariableFlags AFlags, bool AExpandable)>;

class TRunnerDebugBase {
 public:
  virtual ~TRunnerDebugBase() = default;
  virtual TQelScriptLangKind GetLangKind() const = 0;
  virtual void CauseBreak() = 0;
  virtual void GetStackFrames(const TGetFrameProc& AProc) = 0;
  virtual void Eval(void* ARunnerFrame, const std::u16string& AExpr, const TVarProc& AProc) = 0;
  virtual std::u16string Eval(void* ARunnerFrame, const std::u16string& AExpr) = 0;
  virtual void GetVars(void* ARunnerFrame, const TVarProc& AProc) = 0;
  virtual void GetVarChildren(const TQelRunnerVar& ARunnerVar, const TVarProc& AProc) = 0;
  virtual std::u16string GetLongDescription(void* ARunnerFrame) = 0;
  virtual std::u16string GetShortDescription(void* ARunnerFrame) = 0;
  virtual void ResumeFromBreak(TQelBreakResumeKind AKind) = 0;
  // The machine's debugger object, for the native runner's Open; nil for other kinds.
  virtual TQelVMDebugger* VMDebugger() { return nullptr; }
  // Executes a statement in a frame (an editor's "set variable"); the error text, empty when
  // it ran.
  virtual std::u16string Exec(void* ARunnerFrame, const std::u16string& AStmt) = 0;
};

// The break the native debug runner is in.
struct TNativeBreakData {
  TQelPasStackFrames* CallStack = nullptr;
  bool Async = false;
  std::mutex Section;
  std::condition_variable Signal;  // a task posted, or a task done
  bool TaskPosted = false;
  bool TaskDone = false;
  TNativeBreakTask Task = btResume;
  TQelVMResumeKind ResumeKind = vrkContinue;
  TQelPasStackFrame* EvalFrame = nullptr;
  std::u16string EvalExpr;
  bool EvalIsStmt = false;
  IQelPasDebugVarChildrenPtr EvalChildren;
  TQelPasDebugVar EvalRes;
  std::vector<TQelPasDebugVar> ChildrenRes;
};

class TNativeRunnerDebug final : public TRunnerDebugBase {
 public:
  explicit TNativeRunnerDebug(TQelScriptDebugger* ADebugger);
  ~TNativeRunnerDebug() override;
  TQelScriptLangKind GetLangKind() const override { return slkNative; }
  void CauseBreak() override { FPasDebugger.CauseBreak(); }
  void GetStackFrames(const TGetFrameProc& AProc) override;
  void Eval(void* ARunnerFrame, const std::u16string& AExpr, const TVarProc& AProc) override;
  std::u16string Eval(void* ARunnerFrame, const std::u16string& AExpr) override;
  void GetVars(void* ARunnerFrame, const TVarProc& AProc) override;
  void GetVarChildren(const TQelRunnerVar& ARunnerVar, const TVarProc& AProc) override;
  std::u16string GetLongDescription(void* ARunnerFrame) override;
  std::u16string GetShortDescription(void* ARunnerFrame) override;
  void ResumeFromBreak(TQelBreakResumeKind AKind) override;
  TQelVMDebugger* VMDebugger() override { return &FPasDebugger; }
  std::u16string Exec(void* ARunnerFrame, const std::u16string& AStmt) override;

 private:
  void OnMachineBreak(TQelVMBreakKind AKind, TQelVirtMachine* AVM, int ALine,
                      TQelPasStackFrames& ACallStack, TQelVMResumeKind& AResume);
  // Runs a task on the stopped script's thread (at once in synchronous mode).
  void RunTask(TNativeBreakTask ATask);
  // A frame's variables, an evaluation or a statement, done on the script thread.
  TQelPasDebugVar FrameTask(void* ARunnerFrame, TNativeBreakTask ATask, const std::u16string& AText,
                            bool AIsStmt);
  void PerformTask(TNativeBreakData& AData);
  void ServeTasks(TNativeBreakData& AData);
  void Report(const TQelPasDebugVar& AVar, const TVarProc& AProc);
  TNativeBreakData& Break();

  TQelScriptDebugger* FDebugger;
  TQelVMDebugger FPasDebugger;
  TNativeBreakData* FBreakData = nullptr;
  std::mutex FTaskSection;  // one request at a time from the host's threads
};

// ---------------------------------------------------------------------------------------------
// Modules, breakpoints, frames and variables

class TQelDebugModules;

class TQelDebugModule {
 public:
  TQelDebugModule(TQelDebugModules* ACollection, int AID) : FCollection(ACollection), FID(AID) {}
  ~TQelDebugModule();
  const std::u16string& GetName() const { return FName; }
  void SetName(const std::u16string& AValue);
  TQelScriptDebugger* GetDebugger() const;
  int ID() const { return FID; }

 private:
  friend class TQelDebugModules;
  TQelDebugModules* FCollection;
  int FID;
  std::u16string FName;
};

class TQelDebugModules {
 public:
  explicit TQelDebugModules(TQelScriptDebugger* AOwner) : FOwner(AOwner) {}
  ~TQelDebugModules() { Clear(); }
  TQelDebugModule* Add();
  TQelDebugModule* Insert(int AIndex);
  void Delete(int AIndex);
  void Clear();
  int Count() const { return int(FItems.size()); }
  TQelDebugModule* Items(int AIndex) const { return FItems[size_t(AIndex)].get(); }
  TQelDebugModule* FindItemID(int AID) const;
  TQelDebugModule* FindByName(const std::u16string& AName) const;
  TQelDebugModule* FindOrAdd(const std::u16string& AName);
  TQelScriptDebugger* Owner() const { return FOwner; }
  void Changed();

 private:
  TQelScriptDebugger* FOwner;
  std::vector<std::unique_ptr<TQelDebugModule>> FItems;
  int FNextID = 0;
};

class TQelBreakpoint;

class TQelBreakpointAction {
 public:
  explicit TQelBreakpointAction(TQelBreakpoint* AOwner) : FOwner(AOwner) {}
  bool GetBreak() const { return FBreak; }
  void SetBreak(bool AValue);
  const std::u16string& GetLogMessage() const { return FLogMessage; }
  void SetLogMessage(const std::u16string& AValue);
  const std::u16string& GetEvalExpression() const { return FEvalExpression; }
  void SetEvalExpression(const std::u16string& AValue);
  const std::u16string& GetDisableGroup() const { return FDisableGroup; }
  void SetDisableGroup(const std::u16string& AValue);
  const std::u16string& GetEnableGroup() const { return FEnableGroup; }
  void SetEnableGroup(const std::u16string& AValue);
  int GetLogStackFrames() const { return FLogStackFrames; }
  void SetLogStackFrames(int AValue);

 private:
  template <class T>
  void Change(T& AField, const T& AValue);
  TQelBreakpoint* FOwner;
  bool FBreak = true;
  std::u16string FLogMessage, FEvalExpression, FDisableGroup, FEnableGroup;
  int FLogStackFrames = 0;
};

class TQelBreakpoint {
 public:
  TQelBreakpoint(TQelScriptDebugger* ADebugger, TQelDebugModule* AModule, int ALine);
  ~TQelBreakpoint();
  void Delete() { delete this; }

  TQelScriptDebugger* GetDebugger() const { return FDebugger; }
  TQelDebugModule* GetModule() const { return FModule; }
  int GetLine() const { return FLine; }
  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool AValue);
  const std::u16string& GetCondition() const { return FCondition; }
  void SetCondition(const std::u16string& AValue);
  int GetPassCount() const { return FPassCount; }
  void SetPassCount(int AValue);
  int GetCurrentPassCount() const { return FCurrentPassCount; }
  const std::u16string& GetGroup() const { return FGroup; }
  void SetGroup(const std::u16string& AValue);
  TQelBreakpointAction& Action() { return FAction; }
  TQelBreakpointState GetState() const;
  int Index() const;
  void* Data = nullptr;

 private:
  friend class TQelScriptDebugger;
  TQelScriptDebugger* FDebugger;
  TQelDebugModule* FModule;
  int FLine;
  bool FEnabled = true;
  std::u16string FCondition;
  int FPassCount = 0;
  int FCurrentPassCount = 0;
  std::u16string FGroup;
  TQelBreakpointAction FAction{this};
  bool FValid = true;
};

class TQelVariables;

class TQelVariable {
 public:
  TQelVariable(TQelVariables* AOwner, TQelVariable* AParent);
  int Id() const { return FId; }
  std::u16string Name, Type_, Value;
  TQelVariableFlags Flags = 0;
  bool Expandable = false;
  TQelVariable* Parent() const { return FParent; }
  int Count();
  TQelVariable* Items(int AIndex);
  int IndexOfId(int AId);

 private:
  friend class TQelScriptDebugger;
  friend class TQelStackFrame;
  void Fetch();
  TQelVariables* FOwner;
  TQelVariable* FParent;
  int FId;
  TQelRunnerVar FRunnerVar;
  bool FFetched = false;
  std::vector<std::unique_ptr<TQelVariable>> FItems;
};

class TQelVariables {
 public:
  TQelVariables() = default;
  ~TQelVariables() = default;
  void BeginUpdate() { ++FUpdateCount; }
  void EndUpdate();
  void Changed();
  void Clear();
  TQelVariable* Root() const { return FRoot.get(); }
  std::function<void(TQelVariables*)> OnChange;

 private:
  friend class TQelStackFrame;
  friend class TQelVariable;
  bool FChanged = false;
  int FUpdateCount = 0;
  std::unique_ptr<TQelVariable> FRoot;
  TQelScriptDebugger* FDebugger = nullptr;
};

class TQelStackFrame {
 public:
  TQelStackFrame(TQelScriptDebugger* ADebugger, void* ARunnerFrame, bool AOwnRunnerFrame,
                 TQelScriptControl* AControl, int ALine, int AIndex);
  TQelScriptControl* ScriptControl() const { return FScriptControl; }
  int Line() const { return FLine; }
  int Index() const { return FIndex; }
  TQelDebugModule* Module() const;
  std::u16string LongDescription() const;
  std::u16string ShortDescription() const;
  void Eval(const std::u16string& AExpression, TQelVariables& AResult);
  std::u16string Eval(const std::u16string& AExpression);
  void GetVariables(TQelVariables& AResult);
  // Runs a statement in the frame; the error text, empty when it ran.
  std::u16string Exec(const std::u16string& AStatement);
  void* RunnerFrame() const { return FRunnerFrame; }

 private:
  void Fill(TQelVariables& AResult, const std::function<void(const TVarProc&)>& AReport);
  TQelScriptDebugger* FDebugger;
  void* FRunnerFrame;
  bool FOwnRunnerFrame;
  TQelScriptControl* FScriptControl;
  int FLine;
  int FIndex;
};

// ---------------------------------------------------------------------------------------------
// Listeners and the component

class IQelNotifier {
 public:
  virtual ~IQelNotifier() = default;
};

class IQelScriptDebuggerNotifier : public virtual IQelNotifier {
 public:
  virtual void Breaked(TQelScriptDebugger* ADebugger) {}
  virtual void Resumed(TQelScriptDebugger* ADebugger) {}
  virtual void DebugNameChanged(TQelScriptDebugger* ADebugger, TQelScriptControl* AScript) {}
  virtual void LogMessage(TQelScriptDebugger* ADebugger, const std::u16string& AMsg,
                          TQelDebugMsgKind AKind) {}
  virtual void BreakpointsChanged(TQelScriptDebugger* ADebugger) {}
};

using TQelBreakEvent =
    std::function<void(TQelScriptDebugger* Sender, TQelScriptControl* AScriptControl, int ALine)>;
using TQelInvalidBreakpointEvent =
    std::function<void(TQelScriptDebugger* Sender, TQelBreakpoint* ABreakpoint)>;
using TQelFormatDebugMsgEvent =
    std::function<void(TQelScriptDebugger* Sender, TQelDebugMsgKind AMsgKind, TQelBreakpoint* BP,
                       const std::u16string& S, TQelStackFrame* AFrame, std::u16string& AMsg)>;
using TQelLogMessageEvent = std::function<void(TQelScriptDebugger* Sender, TQelDebugMsgKind AKind,
                                               const std::u16string& AMsg)>;
using TQelDebuggerNotifyEvent = std::function<void(TQelScriptDebugger* Sender)>;

inline const char16_t* const SQelNotInBreak = u"Script debugger is not in break.";
inline const char16_t* const SQelVariablesHasRoot = u"Variables already has root.";
inline const char16_t* const SQelDuplicateBreakpointLines = u"Duplicate breakpoint lines found.";

class TQelScriptDebugger : public TComponent {
  QEL_CLASS(TQelScriptDebugger, TComponent)
 public:
  explicit TQelScriptDebugger(TComponent* AOwner);
  ~TQelScriptDebugger() override;

  // --- breakpoints ---
  TQelBreakpoint* SetBreakpoint(TQelDebugModule* AModule, int ALine);
  TQelBreakpoint* FindBreakpoint(TQelDebugModule* AModule, int ALine) const;
  void MoveBreakpoints(const std::vector<TQelBreakpoint*>& ABreakpoints,
                       const std::vector<int>& ANewLines);
  void EnableGroup(const std::u16string& AGroup);
  void DisableGroup(const std::u16string& AGroup);
  void ClearBreakpoints();
  void ClearBreakpoints(TQelDebugModule* AModule);
  void ResetBreakpointsState();
  int BreakpointCount() const { return int(FBreakpoints.size()); }
  TQelBreakpoint* Breakpoints(int AIndex) const { return FBreakpoints[size_t(AIndex)]; }

  // --- the break ---
  void CauseBreak();
  void ResumeFromBreak(TQelBreakResumeKind AKind);
  TQelBreakKind BreakKind() const { return FBreakKind; }
  // The error of a bkUncaughtError break: it stopped where it was raised, and it goes on
  // leaving the script when the break is resumed (rkAbort ends the run instead).
  ExceptionPtr BreakError() const { return FBreakError; }
  int StackFrameCount();
  TQelStackFrame* StackFrames(int AIndex);

  // --- listeners ---
  void AddNotifier(IQelScriptDebuggerNotifier* ANotifier);
  void RemoveNotifier(IQelScriptDebuggerNotifier* ANotifier);

  // --- properties ---
  TQelDebugModules& Modules() { return FModules; }
  void SetModules(const TQelDebugModules& AValue);
  bool GetIsSynchBreaks() const { return FIsSynchBreaks; }
  void SetIsSynchBreaks(bool AValue);
  // Stop on an error no script handler will catch (off by default; native languages).
  bool GetBreakOnUncaughtErrors() const { return FBreakOnUncaught; }
  void SetBreakOnUncaughtErrors(bool AValue);
  TQelServiceProvider* GetServiceProvider() const { return FServiceProvider; }
  void SetServiceProvider(TQelServiceProvider* AValue);
  int ScriptCount() const { return int(FScripts.size()); }
  TQelScriptControl* Scripts(int AIndex) const { return FScripts[size_t(AIndex)]; }
  TRunnerDebugBase* RunnerDebug() const { return FRunnerDebug.get(); }

  TQelBreakEvent OnBreak;
  TQelDebuggerNotifyEvent OnResume;
  TQelInvalidBreakpointEvent OnInvalidBreakpoint;
  TQelFormatDebugMsgEvent OnFormatDebugMsg;
  TQelLogMessageEvent OnLogMessage;
  TQelDebuggerNotifyEvent OnBreakpointsChanged;

  // --- what the script control calls ---
  void AttachScript(TQelScriptControl* AScript);
  void DetachScript(TQelScriptControl* AScript);
  void ScriptLanguageChanged() { UpdateRunnerDebug(); }
  void DebugNameChanged(TQelScriptControl* AScript);
  // Applies the breakpoints of the control's module to its freshly prepared engine.
  void ApplyBreakpointsOf(TQelScriptControl* AScript);

  // --- what the debug runners and the breakpoints call ---
  void HandleBreak(TQelBreakKind AKind, int ALine, TQelScriptControl* AControl,
                   bool& AStopped, const ExceptionPtr& AError = ExceptionPtr());
  enum TApplyMode : uint8_t { amUpdate, amDelete, amMove };
  void ApplyBreakpoint(TQelBreakpoint* ABreakpoint, TApplyMode AMode, int AOldLine = -1);
  void DoBreakpointsChanged();
  void ModuleDestroying(TQelDebugModule* AModule);
  void DebugMsg(TQelDebugMsgKind AKind, TQelBreakpoint* ABreakpoint, TQelStackFrame* AFrame,
                const std::u16string& S);
  void CheckInBreak() const;
  bool IsDestroying() const { return FDestroying; }

 protected:
  virtual void DoBreak(TQelScriptControl* AScriptControl, int ALine);
  virtual void DoResume();
  virtual void DoInvalidBreakpoint(TQelBreakpoint* ABreakpoint);
  virtual void DoFormatDebugMsg(TQelDebugMsgKind AMsgKind, TQelBreakpoint* BP, std::u16string& AMsg,
                                TQelStackFrame* AFrame, const std::u16string& S);
  virtual void DoLogMessage(TQelDebugMsgKind AKind, const std::u16string& AMsg);
  void Notification(TComponent* AComponent, TOperation AOperation) override;

 private:
  friend class TQelBreakpoint;
  // Calls AProc on every listener: own notifiers, then the service provider's.
  void Notify(const std::function<void(IQelScriptDebuggerNotifier*)>& AProc);
  void UpdateRunnerDebug();
  void ClearStackFrames() { FStackFrames.clear(); }
  void FillStackFrames();

  TQelDebugModules FModules{this};
  TQelServiceProvider* FServiceProvider = nullptr;
  std::vector<TQelScriptControl*> FScripts;
  std::vector<TQelBreakpoint*> FBreakpoints;
  std::unique_ptr<TRunnerDebugBase> FRunnerDebug;
  TQelBreakKind FBreakKind = bkNone;
  ExceptionPtr FBreakError;
  bool FBreakOnUncaught = false;
  bool FLoggingStack = false;
  std::vector<std::unique_ptr<TQelStackFrame>> FStackFrames;
  bool FIsSynchBreaks = false;
  std::vector<IQelScriptDebuggerNotifier*> FNotifiers;
  bool FDestroying = false;
};
