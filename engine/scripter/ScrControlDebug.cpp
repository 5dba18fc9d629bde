// The script control's side of debugging: attachment to a debugger, the debug module that
// names the script, and the engine breakpoints the debugger applies through it.
#include "engine/scripter/QelSctDebugger.h"
#include "engine/scripter/ScrInternal.h"

void TQelScriptControl::CheckDebuggerLangKind(TQelScriptDebugger* ADebugger,
                                              TQelScriptLanguage ALanguage) const {
  for (int i = 0; i < ADebugger->ScriptCount(); ++i) {
    TQelScriptControl* other = ADebugger->Scripts(i);
    if (other != this && QelScriptLangKind(other->GetLanguage()) != QelScriptLangKind(ALanguage))
      throw ExceptionPtr(
          new EQelScriptControl(u"Cannot connect ActiveX and Pascal scripts to single debugger."));
  }
}

void TQelScriptControl::SetDebugger(TQelScriptDebugger* AValue) {
  CheckState({ssInactive});
  if (AValue) CheckDebuggerLangKind(AValue, FLanguage);
  if (AValue == FDebugger) return;
  if (TQelScriptDebugger* old = FDebugger) {
    FDebugger = nullptr;
    FDebugModule = nullptr;
    old->DetachScript(this);
  }
  if (AValue) {
    FDebugger = AValue;
    AValue->AttachScript(this);
  }
}

std::u16string TQelScriptControl::GetDebugName() const {
  return FDebugModule ? FDebugModule->GetName() : std::u16string();
}

void TQelScriptControl::SetDebugName(const std::u16string& AValue) {
  if (AValue == GetDebugName()) return;
  if (AValue.empty()) SetDebugModule(nullptr);
  else if (FDebugger) SetDebugModule(FDebugger->Modules().FindOrAdd(AValue));
}

void TQelScriptControl::SetDebugModule(TQelDebugModule* AValue) {
  if (AValue == FDebugModule) return;
  // Only a module of the attached debugger is taken; the listeners hear of the attempt anyway.
  if (!AValue || (FDebugger && AValue->GetDebugger() == FDebugger)) FDebugModule = AValue;
  if (FDebugger) FDebugger->DebugNameChanged(this);
}

bool TQelScriptControl::AdjustBreakpoint(int ALine, bool AEnabled, bool ADelete, bool& AIsValid) {
  if (!FRunner || FState == ssInactive) return false;
  FRunner->AdjustBreakpoint(ALine, AEnabled, ADelete, AIsValid);
  return true;
}

TQelVirtMachine* TQelScriptControl::NativeMachine() const {
  if (!FRunner || FState == ssInactive || FRunner->GetLangKind() != slkNative) return nullptr;
  return static_cast<TNativeRunner*>(FRunner.get())->VM();
}
