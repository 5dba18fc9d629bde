// The debugger component: attached scripts, breakpoints and their application to the engines,
// listeners, and the handling of a hit (condition, pass count, actions, stop).
#include <algorithm>

#include "engine/scripter/QelSctDebugger.h"
#include "engine/scripter/QelSctServiceProvider.h"

namespace {
bool SameText(const std::u16string& A, const std::u16string& B) {
  return UpperCase(A) == UpperCase(B);
}
}  // namespace

TQelScriptDebugger::TQelScriptDebugger(TComponent* AOwner) : TComponent(AOwner) {}

TQelScriptDebugger::~TQelScriptDebugger() {
  FDestroying = true;
  SetServiceProvider(nullptr);
  ClearBreakpoints();
  ClearStackFrames();
  while (!FScripts.empty()) {
    TQelScriptControl* script = FScripts.back();
    try {
      script->Close(false, false);
    } catch (...) {
      // the control is detached whatever its engine did
    }
    script->SetDebugger(nullptr);
  }
  FModules.Clear();
  FRunnerDebug.reset();
}

// ---------------------------------------------------------------------------------------------
// Scripts and the debug runner

void TQelScriptDebugger::AttachScript(TQelScriptControl* AScript) {
  if (std::find(FScripts.begin(), FScripts.end(), AScript) == FScripts.end())
    FScripts.push_back(AScript);
  UpdateRunnerDebug();
}

void TQelScriptDebugger::DetachScript(TQelScriptControl* AScript) {
  std::erase(FScripts, AScript);
  UpdateRunnerDebug();
}

void TQelScriptDebugger::UpdateRunnerDebug() {
  if (FRunnerDebug &&
      (FScripts.empty() || QelScriptLangKind(FScripts.front()->GetLanguage()) != FRunnerDebug->GetLangKind()))
    FRunnerDebug.reset();
  if (!FRunnerDebug && !FScripts.empty() && QelScriptLangKind(FScripts.front()->GetLanguage()) == slkNative)
    FRunnerDebug = std::make_unique<TNativeRunnerDebug>(this);
  if (FRunnerDebug && FRunnerDebug->VMDebugger())
    FRunnerDebug->VMDebugger()->SetStopOnUncaughtErrors(FBreakOnUncaught);
}

void TQelScriptDebugger::SetBreakOnUncaughtErrors(bool AValue) {
  FBreakOnUncaught = AValue;
  UpdateRunnerDebug();
}

void TQelScriptDebugger::DebugNameChanged(TQelScriptControl* AScript) {
  Notify([&](IQelScriptDebuggerNotifier* N) { N->DebugNameChanged(this, AScript); });
}

void TQelScriptDebugger::ApplyBreakpointsOf(TQelScriptControl* AScript) {
  for (size_t i = 0; i < FBreakpoints.size(); ++i) {
    if (FBreakpoints[i]->FModule == AScript->GetDebugModule())
      ApplyBreakpoint(FBreakpoints[i], amUpdate);
    DoBreakpointsChanged();
  }
}

// ---------------------------------------------------------------------------------------------
// Breakpoints

TQelBreakpoint* TQelScriptDebugger::SetBreakpoint(TQelDebugModule* AModule, int ALine) {
  QEL_DBG_ASSERT(AModule != nullptr);
  if (TQelBreakpoint* existing = FindBreakpoint(AModule, ALine)) return existing;
  return new TQelBreakpoint(this, AModule, ALine);
}

TQelBreakpoint* TQelScriptDebugger::FindBreakpoint(TQelDebugModule* AModule, int ALine) const {
  for (TQelBreakpoint* bp : FBreakpoints)
    if (bp->FModule == AModule && bp->FLine == ALine) return bp;
  return nullptr;
}

void TQelScriptDebugger::MoveBreakpoints(const std::vector<TQelBreakpoint*>& ABreakpoints,
                                         const std::vector<int>& ANewLines) {
  if (ABreakpoints.empty()) return;
  QEL_DBG_ASSERT(ANewLines.size() >= ABreakpoints.size());
  std::vector<int> oldLines;
  for (size_t i = 0; i < ABreakpoints.size(); ++i) {
    QEL_DBG_ASSERT(ABreakpoints[i]->FDebugger == this);
    oldLines.push_back(ABreakpoints[i]->FLine);
    ABreakpoints[i]->FLine = ANewLines[i];
  }
  for (TQelBreakpoint* moved : ABreakpoints)
    for (TQelBreakpoint* other : FBreakpoints)
      if (other != moved && other->FModule == moved->FModule && other->FLine == moved->FLine) {
        for (size_t i = 0; i < ABreakpoints.size(); ++i) ABreakpoints[i]->FLine = oldLines[i];
        throw ExceptionPtr(new EQelScriptControl(SQelDuplicateBreakpointLines));
      }
  for (size_t i = 0; i < ABreakpoints.size(); ++i)
    if (oldLines[i] != ABreakpoints[i]->FLine) ApplyBreakpoint(ABreakpoints[i], amMove, oldLines[i]);
  DoBreakpointsChanged();
}

void TQelScriptDebugger::EnableGroup(const std::u16string& AGroup) {
  if (AGroup.empty()) return;
  for (TQelBreakpoint* bp : std::vector<TQelBreakpoint*>(FBreakpoints))
    if (SameText(bp->FGroup, AGroup)) bp->SetEnabled(true);
}

void TQelScriptDebugger::DisableGroup(const std::u16string& AGroup) {
  if (AGroup.empty()) return;
  for (TQelBreakpoint* bp : std::vector<TQelBreakpoint*>(FBreakpoints))
    if (SameText(bp->FGroup, AGroup)) bp->SetEnabled(false);
}

void TQelScriptDebugger::ClearBreakpoints() {
  while (!FBreakpoints.empty()) delete FBreakpoints.front();
}

void TQelScriptDebugger::ClearBreakpoints(TQelDebugModule* AModule) {
  for (size_t i = FBreakpoints.size(); i-- > 0;)
    if (i < FBreakpoints.size() && FBreakpoints[i]->FModule == AModule) delete FBreakpoints[i];
}

void TQelScriptDebugger::ResetBreakpointsState() {
  for (TQelBreakpoint* bp : FBreakpoints) bp->FCurrentPassCount = 0;
}

void TQelScriptDebugger::ApplyBreakpoint(TQelBreakpoint* ABreakpoint, TApplyMode AMode,
                                         int AOldLine) {
  ABreakpoint->FValid = true;
  for (TQelScriptControl* script : std::vector<TQelScriptControl*>(FScripts)) {
    if (script->GetDebugModule() != ABreakpoint->FModule) continue;
    bool valid = true;
    if (AMode == amMove) script->AdjustBreakpoint(AOldLine, true, true, valid);
    if (!script->AdjustBreakpoint(ABreakpoint->FLine, ABreakpoint->FEnabled, AMode == amDelete,
                                  valid))
      continue;  // no engine yet
    if (!valid) {
      ABreakpoint->FValid = false;
      if (AMode != amDelete) DoInvalidBreakpoint(ABreakpoint);
    }
  }
}

void TQelScriptDebugger::ModuleDestroying(TQelDebugModule* AModule) {
  for (TQelScriptControl* script : FScripts)
    if (script->GetDebugModule() == AModule) script->SetDebugModule(nullptr);
  ClearBreakpoints(AModule);
}

// ---------------------------------------------------------------------------------------------
// Listeners

void TQelScriptDebugger::Notify(const std::function<void(IQelScriptDebuggerNotifier*)>& AProc) {
  for (IQelScriptDebuggerNotifier* notifier : std::vector<IQelScriptDebuggerNotifier*>(FNotifiers))
    AProc(notifier);
  if (FServiceProvider)
    for (IQelScriptDebuggerNotifier* notifier :
         FServiceProvider->Notifiers().GetList<IQelScriptDebuggerNotifier>())
      AProc(notifier);
}

void TQelScriptDebugger::AddNotifier(IQelScriptDebuggerNotifier* ANotifier) {
  if (std::find(FNotifiers.begin(), FNotifiers.end(), ANotifier) == FNotifiers.end())
    FNotifiers.push_back(ANotifier);
}

void TQelScriptDebugger::RemoveNotifier(IQelScriptDebuggerNotifier* ANotifier) {
  std::erase(FNotifiers, ANotifier);
}

void TQelScriptDebugger::DoBreak(TQelScriptControl* AScriptControl, int ALine) {
  if (FDestroying) return;
  Notify([&](IQelScriptDebuggerNotifier* N) { N->Breaked(this); });
  if (OnBreak) OnBreak(this, AScriptControl, ALine);
}

void TQelScriptDebugger::DoResume() {
  if (FDestroying) return;
  Notify([&](IQelScriptDebuggerNotifier* N) { N->Resumed(this); });
  if (OnResume) OnResume(this);
}

void TQelScriptDebugger::DoInvalidBreakpoint(TQelBreakpoint* ABreakpoint) {
  if (OnInvalidBreakpoint) OnInvalidBreakpoint(this, ABreakpoint);
}

void TQelScriptDebugger::DoFormatDebugMsg(TQelDebugMsgKind AMsgKind, TQelBreakpoint* BP,
                                          std::u16string& AMsg, TQelStackFrame* AFrame,
                                          const std::u16string& S) {
  if (OnFormatDebugMsg) OnFormatDebugMsg(this, AMsgKind, BP, S, AFrame, AMsg);
}

void TQelScriptDebugger::DoLogMessage(TQelDebugMsgKind AKind, const std::u16string& AMsg) {
  if (FDestroying) return;
  Notify([&](IQelScriptDebuggerNotifier* N) { N->LogMessage(this, AMsg, AKind); });
  if (OnLogMessage) OnLogMessage(this, AKind, AMsg);
}

void TQelScriptDebugger::DoBreakpointsChanged() {
  if (FDestroying) return;
  Notify([&](IQelScriptDebuggerNotifier* N) { N->BreakpointsChanged(this); });
  if (OnBreakpointsChanged) OnBreakpointsChanged(this);
}

void TQelScriptDebugger::Notification(TComponent* AComponent, TOperation AOperation) {
  TComponent::Notification(AComponent, AOperation);
  if (AOperation == opRemove && AComponent == FServiceProvider) {
    FServiceProvider = nullptr;
  }
}

void TQelScriptDebugger::SetServiceProvider(TQelServiceProvider* AValue) {
  if (AValue == FServiceProvider) return;
  if (FServiceProvider) {
    FServiceProvider->Members().UnregisterMember(this);
    FServiceProvider->RemoveFreeNotification(this);
  }
  FServiceProvider = AValue;
  if (FServiceProvider) {
    FServiceProvider->Members().RegisterMember(this);
    FServiceProvider->FreeNotification(this);
  }
}

void TQelScriptDebugger::SetModules(const TQelDebugModules& AValue) {
  FModules.Clear();
  for (int i = 0; i < AValue.Count(); ++i) FModules.Add()->SetName(AValue.Items(i)->GetName());
}

void TQelScriptDebugger::SetIsSynchBreaks(bool AValue) {
  QEL_DBG_ASSERT(FBreakKind == bkNone);
  FIsSynchBreaks = AValue;
}

// ---------------------------------------------------------------------------------------------
// Messages

namespace {
std::u16string Format(std::u16string AText, std::initializer_list<std::u16string> AArgs) {
  for (const std::u16string& arg : AArgs) {
    size_t at = AText.find(u"%");
    if (at == std::u16string::npos) break;
    AText.replace(at, 2, arg);
  }
  return AText;
}
std::u16string Num(int A) { return IntToStr(A); }
}  // namespace

void TQelScriptDebugger::DebugMsg(TQelDebugMsgKind AKind, TQelBreakpoint* ABreakpoint,
                                  TQelStackFrame* AFrame, const std::u16string& S) {
  std::u16string text;
  switch (AKind) {
    case dmDebuggerOutput: text = S; break;
    case dmBreakpointReached: {
      const std::u16string module = ABreakpoint->FModule->GetName();
      text = ABreakpoint->FPassCount != 0
                 ? Format(u"Breakpoint at %s, line: %d. Pass %d of %d",
                          {module, Num(ABreakpoint->FLine), Num(ABreakpoint->FCurrentPassCount),
                           Num(ABreakpoint->FPassCount)})
                 : Format(u"Breakpoint at %s, line: %d", {module, Num(ABreakpoint->FLine)});
      break;
    }
    case dmLogMessage:
      text = Format(u"Breakpoint message: %s", {ABreakpoint->FAction.GetLogMessage()});
      break;
    case dmEvalExpr:
      text = Format(u"Breakpoint expression %s: %s", {ABreakpoint->FAction.GetEvalExpression(), S});
      break;
    case dmLogStackHeader:
      text = ABreakpoint->FAction.GetLogStackFrames() == QelLogAllStackFrames
                 ? std::u16string(u"Breakpoint Call Stack: log all stack frames")
                 : Format(u"Breakpoint Call Stack: log %d stack frame(s)",
                          {Num(ABreakpoint->FAction.GetLogStackFrames())});
      break;
    case dmLogStackFrame:
      text = u"    " + AFrame->ScriptControl()->GetDebugName() + u": " + AFrame->LongDescription();
      break;
  }
  DoFormatDebugMsg(AKind, ABreakpoint, text, AFrame, S);
  DoLogMessage(AKind, text);
}

// ---------------------------------------------------------------------------------------------
// The break

void TQelScriptDebugger::CheckInBreak() const {
  if (FBreakKind == bkNone && !FLoggingStack)
    throw ExceptionPtr(new EQelScriptControl(SQelNotInBreak));
}

void TQelScriptDebugger::CauseBreak() {
  if (FRunnerDebug) FRunnerDebug->CauseBreak();
}

void TQelScriptDebugger::FillStackFrames() {
  if (!FStackFrames.empty() || !FRunnerDebug) return;
  FRunnerDebug->GetStackFrames([&](void* AFrame, bool AOwn, TQelScriptControl* AControl, int ALine) {
    FStackFrames.push_back(std::make_unique<TQelStackFrame>(this, AFrame, AOwn, AControl, ALine,
                                                            int(FStackFrames.size())));
  });
}

int TQelScriptDebugger::StackFrameCount() {
  if (FBreakKind == bkNone && !FLoggingStack) return 0;
  FillStackFrames();
  return int(FStackFrames.size());
}

TQelStackFrame* TQelScriptDebugger::StackFrames(int AIndex) {
  CheckInBreak();
  FillStackFrames();
  if (AIndex < 0 || size_t(AIndex) >= FStackFrames.size())
    throw ExceptionPtr(new EListError(u"List index out of bounds (" + IntToStr(AIndex) + u")"));
  return FStackFrames[size_t(AIndex)].get();
}

void TQelScriptDebugger::ResumeFromBreak(TQelBreakResumeKind AKind) {
  CheckInBreak();
  FBreakKind = bkNone;
  FBreakError = ExceptionPtr();
  ClearStackFrames();
  FRunnerDebug->ResumeFromBreak(AKind);
  DoResume();
}

void TQelScriptDebugger::HandleBreak(TQelBreakKind AKind, int ALine, TQelScriptControl* AControl,
                                     bool& AStopped, const ExceptionPtr& AError) {
  AStopped = false;
  TQelBreakpoint* bp = AKind == bkBreakpoint ? FindBreakpoint(AControl->GetDebugModule(), ALine)
                                             : nullptr;
  if (bp) {
    FillStackFrames();
    void* innermost = FStackFrames.empty() ? nullptr : FStackFrames.front()->RunnerFrame();
    if (!bp->FCondition.empty() && innermost) {
      // Only a condition that evaluates to something other than True lets the script pass;
      // one that fails to evaluate stops it.
      std::u16string type, value;
      FRunnerDebug->Eval(innermost, bp->FCondition,
                         [&](const TQelRunnerVar&, const std::u16string&, const std::u16string& AType,
                             const std::u16string& AValue, TQelVariableFlags, bool) {
                           type = AType;
                           value = AValue;
                         });
      if (type != u"Error" && !(type == u"Boolean" && value == u"True")) {
        ClearStackFrames();
        return;
      }
    }
    if (bp->FPassCount > 0) {
      int count = bp->FCurrentPassCount;
      if (count >= bp->FPassCount) count = 0;
      bp->FCurrentPassCount = count + 1;
      DoBreakpointsChanged();
    }
    DebugMsg(dmBreakpointReached, bp, nullptr, {});
    if (bp->FCurrentPassCount < bp->FPassCount) {
      ClearStackFrames();
      return;
    }
    TQelBreakpointAction& action = bp->FAction;
    if (!action.GetLogMessage().empty()) DebugMsg(dmLogMessage, bp, nullptr, {});
    if (!action.GetEvalExpression().empty() && innermost)
      DebugMsg(dmEvalExpr, bp, nullptr, FRunnerDebug->Eval(innermost, action.GetEvalExpression()));
    if (action.GetLogStackFrames() > 0) {
      FLoggingStack = true;
      try {
        DebugMsg(dmLogStackHeader, bp, nullptr, {});
        const int count = std::min(action.GetLogStackFrames(), StackFrameCount());
        for (int i = 0; i < count; ++i) DebugMsg(dmLogStackFrame, bp, StackFrames(i), {});
      } catch (...) {
        FLoggingStack = false;
        throw;
      }
      FLoggingStack = false;
    }
    EnableGroup(action.GetEnableGroup());
    DisableGroup(action.GetDisableGroup());
    if (!action.GetBreak()) {
      ClearStackFrames();
      return;
    }
  }
  AStopped = true;
  FBreakKind = AKind;
  FBreakError = AError;
  DoBreak(AControl, ALine);
}
