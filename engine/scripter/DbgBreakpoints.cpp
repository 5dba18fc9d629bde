// Modules, breakpoints with their actions, stack frames and variable trees of the debugger.
#include <atomic>

#include "engine/scripter/QelSctDebugger.h"

void QelDebuggerAssertFailed(const char* AFile, int ALine, const char* ACondition) {
  throw ExceptionPtr(new EAssertionFailed(Utf8ToString(std::string("Assertion failed: ") +
                                                       ACondition + " (" + AFile + ", line " +
                                                       std::to_string(ALine) + ")")));
}

// ---------------------------------------------------------------------------------------------
// Modules

TQelDebugModule::~TQelDebugModule() {
  if (TQelScriptDebugger* debugger = GetDebugger()) debugger->ModuleDestroying(this);
}

TQelScriptDebugger* TQelDebugModule::GetDebugger() const {
  return FCollection ? FCollection->Owner() : nullptr;
}

void TQelDebugModule::SetName(const std::u16string& AValue) {
  if (AValue == FName) return;
  FName = AValue;
  if (FCollection) FCollection->Changed();
}

void TQelDebugModules::Changed() {
  if (FOwner && !FOwner->IsDestroying()) FOwner->DoBreakpointsChanged();
}

TQelDebugModule* TQelDebugModules::Insert(int AIndex) {
  AIndex = std::clamp(AIndex, 0, Count());
  auto module = std::make_unique<TQelDebugModule>(this, FNextID++);
  TQelDebugModule* result = module.get();
  FItems.insert(FItems.begin() + AIndex, std::move(module));
  Changed();
  return result;
}

TQelDebugModule* TQelDebugModules::Add() { return Insert(Count()); }

void TQelDebugModules::Delete(int AIndex) {
  // The module is destroyed while still listed: its breakpoints and controls let go first.
  FItems[size_t(AIndex)].reset();
  FItems.erase(FItems.begin() + AIndex);
  Changed();
}

void TQelDebugModules::Clear() {
  while (!FItems.empty()) Delete(Count() - 1);
}

TQelDebugModule* TQelDebugModules::FindItemID(int AID) const {
  for (const auto& module : FItems)
    if (module->FID == AID) return module.get();
  return nullptr;
}

TQelDebugModule* TQelDebugModules::FindByName(const std::u16string& AName) const {
  for (const auto& module : FItems)
    if (module->FName == AName) return module.get();
  return nullptr;
}

TQelDebugModule* TQelDebugModules::FindOrAdd(const std::u16string& AName) {
  if (TQelDebugModule* module = FindByName(AName)) return module;
  TQelDebugModule* module = Add();
  module->SetName(AName);
  return module;
}

// ---------------------------------------------------------------------------------------------
// Breakpoints

TQelBreakpoint::TQelBreakpoint(TQelScriptDebugger* ADebugger, TQelDebugModule* AModule, int ALine)
    : FDebugger(ADebugger), FModule(AModule), FLine(ALine) {
  QEL_DBG_ASSERT(AModule != nullptr);
  FDebugger->FBreakpoints.push_back(this);
  FDebugger->ApplyBreakpoint(this, TQelScriptDebugger::amUpdate);
  FDebugger->DoBreakpointsChanged();
}

TQelBreakpoint::~TQelBreakpoint() {
  if (!FDebugger) return;
  TQelScriptDebugger* debugger = FDebugger;
  try {
    debugger->ApplyBreakpoint(this, TQelScriptDebugger::amDelete);
  } catch (...) {
    // an engine refusing the removal does not keep the breakpoint alive
  }
  std::erase(debugger->FBreakpoints, this);
  FDebugger = nullptr;
  debugger->DoBreakpointsChanged();
}

int TQelBreakpoint::Index() const {
  if (!FDebugger) return -1;
  const auto& list = FDebugger->FBreakpoints;
  return int(std::find(list.begin(), list.end(), this) - list.begin());
}

TQelBreakpointState TQelBreakpoint::GetState() const {
  if (!FDebugger) return bsNonactive;
  for (int i = 0; i < FDebugger->ScriptCount(); ++i)
    if (FDebugger->Scripts(i)->GetState() != ssInactive) return FValid ? bsValid : bsInvalid;
  return bsNonactive;
}

void TQelBreakpoint::SetEnabled(bool AValue) {
  if (AValue == FEnabled) return;
  FEnabled = AValue;
  if (!FDebugger) return;
  FDebugger->ApplyBreakpoint(this, TQelScriptDebugger::amUpdate);
  FDebugger->DoBreakpointsChanged();
}

namespace {
template <class T>
void ChangeField(TQelScriptDebugger* ADebugger, T& AField, const T& AValue) {
  if (AField == AValue) return;
  AField = AValue;
  if (ADebugger) ADebugger->DoBreakpointsChanged();
}
}  // namespace

void TQelBreakpoint::SetCondition(const std::u16string& AValue) { ChangeField(FDebugger, FCondition, AValue); }
void TQelBreakpoint::SetPassCount(int AValue) { ChangeField(FDebugger, FPassCount, AValue); }
void TQelBreakpoint::SetGroup(const std::u16string& AValue) { ChangeField(FDebugger, FGroup, AValue); }

template <class T>
void TQelBreakpointAction::Change(T& AField, const T& AValue) {
  ChangeField(FOwner->GetDebugger(), AField, AValue);
}

void TQelBreakpointAction::SetBreak(bool AValue) { Change(FBreak, AValue); }
void TQelBreakpointAction::SetLogMessage(const std::u16string& AValue) { Change(FLogMessage, AValue); }
void TQelBreakpointAction::SetEvalExpression(const std::u16string& AValue) { Change(FEvalExpression, AValue); }
void TQelBreakpointAction::SetDisableGroup(const std::u16string& AValue) { Change(FDisableGroup, AValue); }
void TQelBreakpointAction::SetEnableGroup(const std::u16string& AValue) { Change(FEnableGroup, AValue); }
void TQelBreakpointAction::SetLogStackFrames(int AValue) { Change(FLogStackFrames, AValue); }

// ---------------------------------------------------------------------------------------------
// Variables

namespace {
std::atomic<int> GVariableIds{0};
}

TQelVariable::TQelVariable(TQelVariables* AOwner, TQelVariable* AParent)
    : FOwner(AOwner), FParent(AParent), FId(++GVariableIds) {}

void TQelVariable::Fetch() {
  if (FFetched) return;
  FFetched = true;
  if (!FRunnerVar || !FOwner->FDebugger || !FOwner->FDebugger->RunnerDebug()) return;
  try {
    FOwner->FDebugger->RunnerDebug()->GetVarChildren(
        FRunnerVar, [&](const TQelRunnerVar& ARunnerVar, const std::u16string& AName,
                        const std::u16string& AType, const std::u16string& AValue,
                        TQelVariableFlags AFlags, bool AExpandable) {
          auto child = std::make_unique<TQelVariable>(FOwner, this);
          child->Name = AName;
          child->Type_ = AType;
          child->Value = AValue;
          child->Flags = AFlags;
          child->Expandable = AExpandable;
          child->FRunnerVar = ARunnerVar;
          FItems.push_back(std::move(child));
        });
  } catch (...) {
    FItems.clear();
    FFetched = false;
    throw;
  }
}

int TQelVariable::Count() {
  Fetch();
  return int(FItems.size());
}

TQelVariable* TQelVariable::Items(int AIndex) {
  Fetch();
  return FItems.at(size_t(AIndex)).get();
}

int TQelVariable::IndexOfId(int AId) {
  Fetch();
  for (size_t i = 0; i < FItems.size(); ++i)
    if (FItems[i]->FId == AId) return int(i);
  return -1;
}

void TQelVariables::Changed() {
  if (FUpdateCount > 0) {
    FChanged = true;
    return;
  }
  FChanged = false;
  if (OnChange) OnChange(this);
}

void TQelVariables::EndUpdate() {
  if (--FUpdateCount == 0 && FChanged) Changed();
}

void TQelVariables::Clear() {
  if (!FRoot) return;
  FRoot.reset();
  Changed();
}

// ---------------------------------------------------------------------------------------------
// Stack frames

TQelStackFrame::TQelStackFrame(TQelScriptDebugger* ADebugger, void* ARunnerFrame,
                               bool AOwnRunnerFrame, TQelScriptControl* AControl, int ALine,
                               int AIndex)
    : FDebugger(ADebugger),
      FRunnerFrame(ARunnerFrame),
      FOwnRunnerFrame(AOwnRunnerFrame),
      FScriptControl(AControl),
      FLine(ALine),
      FIndex(AIndex) {}

TQelDebugModule* TQelStackFrame::Module() const { return FScriptControl->GetDebugModule(); }

std::u16string TQelStackFrame::LongDescription() const {
  return FDebugger->RunnerDebug()->GetLongDescription(FRunnerFrame);
}

std::u16string TQelStackFrame::ShortDescription() const {
  return FDebugger->RunnerDebug()->GetShortDescription(FRunnerFrame);
}

void TQelStackFrame::Fill(TQelVariables& AResult,
                          const std::function<void(const TVarProc&)>& AReport) {
  FDebugger->CheckInBreak();
  AResult.BeginUpdate();
  try {
    AResult.Clear();
    AResult.FDebugger = FDebugger;
    AReport([&](const TQelRunnerVar& ARunnerVar, const std::u16string& AName,
                const std::u16string& AType, const std::u16string& AValue, TQelVariableFlags AFlags,
                bool AExpandable) {
      if (AResult.FRoot) throw ExceptionPtr(new EQelScriptControl(SQelVariablesHasRoot));
      AResult.FRoot = std::make_unique<TQelVariable>(&AResult, nullptr);
      TQelVariable& root = *AResult.FRoot;
      root.Name = AName;
      root.Type_ = AType;
      root.Value = AValue;
      root.Flags = AFlags;
      root.Expandable = AExpandable;
      root.FRunnerVar = ARunnerVar;
      AResult.Changed();
    });
  } catch (...) {
    AResult.EndUpdate();
    throw;
  }
  AResult.EndUpdate();
}

void TQelStackFrame::Eval(const std::u16string& AExpression, TQelVariables& AResult) {
  Fill(AResult, [&](const TVarProc& AProc) {
    FDebugger->RunnerDebug()->Eval(FRunnerFrame, AExpression, AProc);
  });
}

std::u16string TQelStackFrame::Eval(const std::u16string& AExpression) {
  FDebugger->CheckInBreak();
  return FDebugger->RunnerDebug()->Eval(FRunnerFrame, AExpression);
}

void TQelStackFrame::GetVariables(TQelVariables& AResult) {
  Fill(AResult, [&](const TVarProc& AProc) { FDebugger->RunnerDebug()->GetVars(FRunnerFrame, AProc); });
}

std::u16string TQelStackFrame::Exec(const std::u16string& AStatement) {
  FDebugger->CheckInBreak();
  return FDebugger->RunnerDebug()->Exec(FRunnerFrame, AStatement);
}
