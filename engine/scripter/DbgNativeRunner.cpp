// The native debug runner: the virtual machine's break hook, the break record through which
// the host's threads hand requests to the stopped script thread, and the frames and variables
// of the machine as the debugger component sees them.
#include <thread>

#include "engine/scripter/QelSctDebugger.h"

namespace {

TQelBreakKind BreakKindOf(TQelVMBreakKind AKind) {
  switch (AKind) {
    case vbkBreakpoint: return bkBreakpoint;
    case vbkStep: return bkStep;
    case vbkCausedBreak: return bkCausedBreak;
    case vbkUncaughtError: return bkUncaughtError;
  }
  return bkBreakpoint;
}

TQelVMResumeKind ResumeKindOf(TQelBreakResumeKind AKind) {
  switch (AKind) {
    case rkStepOver: return vrkStepOver;
    case rkStepInto: return vrkStepInto;
    case rkContinue: return vrkContinue;
    case rkAbort: return vrkAbort;
  }
  return vrkContinue;
}

TQelPasStackFrame* FrameOf(void* ARunnerFrame) { return static_cast<TQelPasStackFrame*>(ARunnerFrame); }

TQelPasDebugVar ErrorVar(const std::u16string& AName) {
  TQelPasDebugVar error;
  error.Name = AName;
  error.Type_ = u"Error";
  error.Value = AcquireExceptionObject()->GetMessage();
  return error;
}

}  // namespace

TNativeRunnerDebug::TNativeRunnerDebug(TQelScriptDebugger* ADebugger) : FDebugger(ADebugger) {
  FPasDebugger.OnBreak = [this](TQelVMDebugger*, TQelVMBreakKind AKind, TQelVirtMachine* AVM,
                                int ALine, TQelPasStackFrames& ACallStack,
                                TQelVMResumeKind& AResume) {
    OnMachineBreak(AKind, AVM, ALine, ACallStack, AResume);
  };
}

TNativeRunnerDebug::~TNativeRunnerDebug() { FPasDebugger.OnBreak = nullptr; }

TNativeBreakData& TNativeRunnerDebug::Break() {
  if (!FBreakData) throw ExceptionPtr(new EQelScriptControl(SQelNotInBreak));
  return *FBreakData;
}

void TNativeRunnerDebug::OnMachineBreak(TQelVMBreakKind AKind, TQelVirtMachine* AVM, int ALine,
                                        TQelPasStackFrames& ACallStack, TQelVMResumeKind& AResume) {
  TQelScriptControl* control = nullptr;
  for (int i = 0; i < FDebugger->ScriptCount(); ++i)
    if (FDebugger->Scripts(i)->NativeMachine() == AVM) control = FDebugger->Scripts(i);
  QEL_DBG_ASSERT(control != nullptr);
  TNativeBreakData data;
  data.CallStack = &ACallStack;
  data.Async = !FDebugger->GetIsSynchBreaks();
  FBreakData = &data;
  const TQelBreakKind kind = BreakKindOf(AKind);
  const ExceptionPtr error = AKind == vbkUncaughtError ? TQelVMDebugger::UncaughtError() : ExceptionPtr();
  auto handle = [this, &data, kind, ALine, control, &error] {
    bool stopped = false;
    try {
      FDebugger->HandleBreak(kind, ALine, control, stopped, error);
    } catch (...) {
      stopped = false;  // a failing host handler must not leave the script stopped for ever
    }
    if (!stopped) {
      std::lock_guard<std::mutex> guard(FTaskSection);
      data.ResumeKind = vrkIgnore;
      if (data.Async) {
        std::lock_guard<std::mutex> lock(data.Section);
        data.Task = btResume;
        data.TaskPosted = true;
        data.Signal.notify_all();
      }
    }
  };
  if (data.Async) {
    std::thread(handle).detach();
    ServeTasks(data);
  } else {
    handle();
  }
  FBreakData = nullptr;
  AResume = data.ResumeKind;
}

void TNativeRunnerDebug::ServeTasks(TNativeBreakData& AData) {
  for (;;) {
    std::unique_lock<std::mutex> lock(AData.Section);
    AData.Signal.wait(lock, [&] { return AData.TaskPosted; });
    AData.TaskPosted = false;
    if (AData.Task == btResume) return;
    lock.unlock();
    PerformTask(AData);
    lock.lock();
    AData.TaskDone = true;
    AData.Signal.notify_all();
  }
}

void TNativeRunnerDebug::PerformTask(TNativeBreakData& AData) {
  switch (AData.Task) {
    case btGetVars:
      try {
        AData.EvalRes = AData.EvalFrame->GetVariables();
      } catch (...) {
        AData.EvalRes = ErrorVar(u"Locals");
      }
      break;
    case btEval:
      if (AData.EvalIsStmt) {
        ExceptionPtr E = AData.EvalFrame->Exec(AData.EvalExpr);
        AData.EvalRes = TQelPasDebugVar{};
        if (E) AData.EvalRes.Value = E->GetMessage();
      } else {
        AData.EvalRes = AData.EvalFrame->Eval(AData.EvalExpr);
      }
      break;
    case btChildren:
      AData.ChildrenRes.clear();
      try {
        AData.EvalChildren->Enum([&](const TQelPasDebugVar& AVar, bool&) {
          AData.ChildrenRes.push_back(AVar);
        });
      } catch (...) {
        AData.ChildrenRes.clear();
        AData.ChildrenRes.push_back(ErrorVar(u"?"));
      }
      break;
    case btResume:
      break;
  }
}

void TNativeRunnerDebug::RunTask(TNativeBreakTask ATask) {
  TNativeBreakData& data = Break();
  data.Task = ATask;
  if (!data.Async) {
    PerformTask(data);
    return;
  }
  std::unique_lock<std::mutex> lock(data.Section);
  data.TaskDone = false;
  data.TaskPosted = true;
  data.Signal.notify_all();
  data.Signal.wait(lock, [&] { return data.TaskDone; });
}

void TNativeRunnerDebug::Report(const TQelPasDebugVar& AVar, const TVarProc& AProc) {
  AProc(TQelRunnerVar(AVar.Children), AVar.Name, AVar.Type_, AVar.Value, QelFlag(vfPublic),
        AVar.Children != nullptr);
}

void TNativeRunnerDebug::GetStackFrames(const TGetFrameProc& AProc) {
  TNativeBreakData& data = Break();
  for (int i = 0; i < data.CallStack->Count(); ++i) {
    TQelPasStackFrame& frame = data.CallStack->Items(i);
    TQelScriptControl* control = nullptr;
    for (int s = 0; s < FDebugger->ScriptCount(); ++s)
      if (FDebugger->Scripts(s)->NativeMachine() == frame.FVM) control = FDebugger->Scripts(s);
    QEL_DBG_ASSERT(control != nullptr);
    AProc(&frame, false, control, frame.FLine);
  }
}

TQelPasDebugVar TNativeRunnerDebug::FrameTask(void* ARunnerFrame, TNativeBreakTask ATask,
                                              const std::u16string& AText, bool AIsStmt) {
  std::lock_guard<std::mutex> guard(FTaskSection);
  TNativeBreakData& data = Break();
  data.EvalFrame = FrameOf(ARunnerFrame);
  data.EvalExpr = AText;
  data.EvalIsStmt = AIsStmt;
  RunTask(ATask);
  return data.EvalRes;
}

void TNativeRunnerDebug::Eval(void* ARunnerFrame, const std::u16string& AExpr,
                              const TVarProc& AProc) {
  Report(FrameTask(ARunnerFrame, btEval, AExpr, false), AProc);
}

std::u16string TNativeRunnerDebug::Eval(void* ARunnerFrame, const std::u16string& AExpr) {
  std::u16string value;
  Eval(ARunnerFrame, AExpr,
       [&](const TQelRunnerVar&, const std::u16string&, const std::u16string&,
           const std::u16string& AValue, TQelVariableFlags, bool) { value = AValue; });
  return value;
}

std::u16string TNativeRunnerDebug::Exec(void* ARunnerFrame, const std::u16string& AStmt) {
  return FrameTask(ARunnerFrame, btEval, AStmt, true).Value;
}

void TNativeRunnerDebug::GetVars(void* ARunnerFrame, const TVarProc& AProc) {
  Report(FrameTask(ARunnerFrame, btGetVars, {}, false), AProc);
}

void TNativeRunnerDebug::GetVarChildren(const TQelRunnerVar& ARunnerVar, const TVarProc& AProc) {
  if (!ARunnerVar) return;
  std::vector<TQelPasDebugVar> children;
  {
    std::lock_guard<std::mutex> guard(FTaskSection);
    TNativeBreakData& data = Break();
    data.EvalChildren = std::static_pointer_cast<IQelPasDebugVarChildren>(ARunnerVar);
    RunTask(btChildren);
    children = std::move(data.ChildrenRes);
    data.EvalChildren.reset();
  }
  for (const TQelPasDebugVar& child : children) Report(child, AProc);
}

std::u16string TNativeRunnerDebug::GetLongDescription(void* ARunnerFrame) {
  return FrameOf(ARunnerFrame)->FDescription;
}

std::u16string TNativeRunnerDebug::GetShortDescription(void* ARunnerFrame) {
  return FrameOf(ARunnerFrame)->FDescription;
}

void TNativeRunnerDebug::ResumeFromBreak(TQelBreakResumeKind AKind) {
  std::lock_guard<std::mutex> guard(FTaskSection);
  TNativeBreakData& data = Break();
  data.ResumeKind = ResumeKindOf(AKind);
  if (!data.Async) return;
  std::lock_guard<std::mutex> lock(data.Section);
  data.Task = btResume;
  data.TaskPosted = true;
  data.Signal.notify_all();
}
