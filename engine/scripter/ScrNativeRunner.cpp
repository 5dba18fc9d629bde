// The runner of the engine's own languages, and the source position of runner errors.
#include <cstdio>

#include "engine/scripter/QelSctDebugger.h"
#include "engine/scripter/ScrInternal.h"
#include "engine/vm/QelSctVM.h"

void TRunnerBase::AddNamedObjectsToEngine(TQelScriptControl& ACtrl) {
  ACtrl.NamedItems().GetAll([this, &ACtrl](TNamedItem* AItem) {
    if (AItem->Kind != nikObject) return;
    if (AItem->IsUnit && ACtrl.GetSafeMode() && QelUnitReachesSystem(AItem->Name)) return;
    AddNamedObjectToEngine(*AItem);
  });
}

namespace {

// True when the text after the message's last "[" starts with "line:".
bool HasPositionBlock(const String& AMessage) {
  const size_t bracket = AMessage.rfind(u'[');
  return bracket != String::npos && AMessage.compare(bracket + 1, 5, u"line:") == 0;
}

String HexOf(const void* APointer) {
  char digits[2 * sizeof(void*) + 1];
  std::snprintf(digits, sizeof digits, "%llX", static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(APointer)));
  return Utf8ToString(digits);
}

}  // namespace

String QelAddSourcePosition(const String& AMessage, const void* AControl, int ALine, int ALinePos) {
  if (HasPositionBlock(AMessage)) return AMessage;
  return AMessage + u"\r\nSource: $" + HexOf(AControl) + u" [line: " + IntToStr(ALine) + u", pos: " +
         IntToStr(ALinePos) + u"]";
}

TNativeRunner::TNativeRunner(TQelScriptControl* ASControl, bool AAddSrcInfo)
    : FSControl(ASControl), FAddSrcInfo(AAddSrcInfo) {}

TNativeRunner::~TNativeRunner() {
  try {
    Close();
  } catch (...) {
    // a machine that refuses to close is dropped with the runner
  }
}

void TNativeRunner::InstallHooks() {
  TQelVirtMachine& vm = *FVM;
  vm.OnIsTest = [](TQelVirtMachine*, const VARIANT& AObj, const VARIANT& AType, bool& AResult) {
    AResult = VarIsOfType(AObj, AType);
  };
  vm.OnExceptionIsTest = [](TQelVirtMachine*, Exception* E, const VARIANT& AType, bool& AResult) {
    AResult = ObjectIsOfVarClass(E, AType);
  };
  // Anything but a host exception object leaves the result empty: the machine then reports
  // its own error instead of a conversion error.
  vm.OnVarToException = [](TQelVirtMachine*, const VARIANT& V, ExceptionPtr& AResult) {
    if (QelDeref(V).vt != VT_DISPATCH) return;
    TObject* object = nullptr;
    try {
      object = VarToObject(V);
    } catch (const ExceptionPtr&) {
      return;
    }
    if (auto* error = dynamic_cast<Exception*>(object)) {
      AResult = ExceptionPtr(error);
    } else if (object && TWrapperByObject::Instance().IsScriptOwned(object)) {
      // The raise took the script's object, which nothing could free afterwards.
      if (TQelClassWrapper* wrapper = TWrapperByObject::Instance().Find(object)) wrapper->ScriptFree(true);
    }
  };
  vm.OnExceptionToVar = [](TQelVirtMachine*, const ExceptionPtr& E, VARIANT& AResult) {
    VariantClear(&AResult);
    AResult = ObjectToVar(E.Get());
  };
  vm.OnEventMake = [control = FSControl](TQelVirtMachine*, const std::u16string& AProcName, VARIANT& AResult) {
    VariantClear(&AResult);
    AResult = TQelEventWrapper::ToVar(control, AProcName);
  };
  vm.OnNew = [](TQelVirtMachine*, const VARIANT& AType, VARIANT* AArgs, int AArgCount, VARIANT& AResult) {
    VariantClear(&AResult);
    AResult = VarNewOfType(AType, AArgs, AArgCount);
  };
  // Installed in every case so that the control can hand the position to C++ callers as
  // fields; the message itself is decorated only when the control asks for it.
  vm.OnFormatException = [control = FSControl, decorate = FAddSrcInfo](TQelVirtMachine*, int ALine, int ALinePos,
                                                                     Exception* E) {
    QelNoteErrorPosition(E, ALine, ALinePos);
    if (decorate) E->SetMessage(QelAddSourcePosition(E->GetMessage(), control, ALine, ALinePos));
  };
}

void TNativeRunner::Prepare(TRunnerDebugBase* ARunnerDebug) {
  FRunnerDebug = ARunnerDebug;
  FPasDebugger = ARunnerDebug ? ARunnerDebug->VMDebugger() : nullptr;
  FVM = std::make_unique<TQelVirtMachine>(QelCreateNativeLanguage(FSControl->GetLanguage()));
  try {
    const String source = FSControl->GetSource().SourceText();
    InstallHooks();
    FVM->SetLimits(FSControl->Limits());
    FVM->Initialize(source);
    AddNamedObjectsToEngine(*FSControl);
    IDispatch* holder = nullptr;
    // The control made its holder before asking the runner to prepare.
    if (IQelNamedValuesHolder* values = FSControl->ValuesHolder())
      values->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&holder));
    if (holder) {
      FVM->AddExternObject(holder, SQelValuesHolderName, true);
      holder->Release();
    }
  } catch (...) {
    Close();
    throw;
  }
}

TQelVirtMachine& TNativeRunner::RequireVM() {
  if (!FVM) throw ExceptionPtr(new EQelVirtMachine(SQelVMNotInitialized));
  return *FVM;
}

void TNativeRunner::Open() { RequireVM().Open(FPasDebugger); }

void TNativeRunner::Close() {
  if (!FVM) return;
  // A machine that refuses to close (asked from its own running code) must stay alive.
  FVM->Close();
  FVM.reset();
  FRunnerDebug = nullptr;
  FPasDebugger = nullptr;
}

void TNativeRunner::AddNamedObjectToEngine(const TNamedItem& AItem) {
  RequireVM().AddExternObject(QelDeref(AItem.Value).pdispVal, AItem.Name, AItem.PubMembers, AItem.IsUnit);
}

VARIANT TNativeRunner::RunProc(std::u16string_view AName) { return RequireVM().RunProc(String(AName)); }

VARIANT TNativeRunner::RunProc(std::u16string_view AName, VARIANT* AArgs, int AArgCount) {
  return RequireVM().RunProc(String(AName), AArgs, AArgCount);
}

VARIANT TNativeRunner::ReadVar(std::u16string_view AName) { return RequireVM().ReadVar(String(AName)); }

void TNativeRunner::WriteVar(std::u16string_view AName, const VARIANT& AValue) {
  RequireVM().WriteVar(String(AName), AValue);
}

std::unique_ptr<TPreparedDynCode> TNativeRunner::PrepareExpr(std::u16string_view AExpr) {
  return RequireVM().PrepareExpr(String(AExpr));
}

std::unique_ptr<TPreparedDynCode> TNativeRunner::PrepareStmt(std::u16string_view AStmt) {
  return RequireVM().PrepareStmt(String(AStmt));
}

VARIANT TNativeRunner::Eval(TPreparedDynCode* APreparedExpr) { return RequireVM().Eval(APreparedExpr); }

VARIANT TNativeRunner::Eval(std::u16string_view AExpr) { return RequireVM().Eval(String(AExpr)); }

void TNativeRunner::ExecStmt(TPreparedDynCode* APreparedStmt) { RequireVM().ExecStmt(APreparedStmt); }

void TNativeRunner::ExecStmt(std::u16string_view AStmt) { RequireVM().ExecStmt(String(AStmt)); }

IDispatch* TNativeRunner::GetCodeObject() { return RequireVM().CodeObject(); }

void TNativeRunner::AdjustBreakpoint(int ALine, bool AEnabled, bool ADelete, bool& AIsValid) {
  TQelVirtMachine& vm = RequireVM();
  if (!ADelete && AEnabled) {
    AIsValid = vm.SetBreakpoint(ALine);
    return;
  }
  AIsValid = !ADelete;
  vm.RemoveBreakpoint(ALine);
}
