// The control's states, events and execution requests.
#include <exception>

#include "engine/scripter/QelSctDebugger.h"
#include "engine/scripter/ScrActiveX.h"
#include "engine/scripter/ScrInternal.h"
#include "engine/vm/QelSctVM.h"

TQelScriptControl::TQelScriptControl(TComponent* AOwner)
    : TComponent(AOwner), FSource(std::make_unique<TScriptSourceStrings>(this)) {
  QelRegisterEngineUnit();
}

TQelScriptControl::~TQelScriptControl() {
  // Destruction must not throw: an engine error while closing is dropped with the engine.
  try {
    SetActive(false);
    if (FState != ssInactive) Close(false, true);
  } catch (...) {
    ReleaseRunner();
  }
  if (FDebugger) FDebugger->DetachScript(this);
  ClearEventHandlers();
}

void TQelScriptControl::CheckState(std::initializer_list<TQelScriptControlState> AAllowed) const {
  for (TQelScriptControlState state : AAllowed)
    if (state == FState) return;
  throw ExceptionPtr(new EQelScriptControl(SQelInvalidControlState));
}

void TQelScriptControl::DoBeforePrepare() {
  if (BeforePrepare) BeforePrepare(this);
}
void TQelScriptControl::DoBeforeOpen() {
  if (BeforeOpen) BeforeOpen(this);
}
void TQelScriptControl::DoAfterClose() {
  if (AfterClose) AfterClose(this);
}

std::unique_ptr<TRunnerBase> TQelScriptControl::CreateRunner() {
  if (QelScriptLangKind(FLanguage) == slkNative)
    return std::make_unique<TNativeRunner>(this, FExceptionSourceInfo);
  return std::make_unique<TActiveXRunner>(this, FExceptionSourceInfo);
}

void TQelScriptControl::ReleaseRunner() {
  if (FCodeObject) FCodeObject->Release();
  FCodeObject = nullptr;
  if (FNamedValuesHolder) FNamedValuesHolder->Release();
  FNamedValuesHolder = nullptr;
  FRunner.reset();
  FState = ssInactive;
}

void TQelScriptControl::Prepare() {
  CheckState({ssInactive});
  DoBeforePrepare();
  FRunner = CreateRunner();
  try {
    FNamedValuesHolder = QelNewNamedValuesHolder();
    FNamedItems.GetAll([this](TNamedItem* AItem) {
      if (AItem->Kind == nikValue) FNamedValuesHolder->AddValue(AItem->Name, &AItem->Value);
    });
    TRunnerDebugBase* debug = FDebugger ? FDebugger->RunnerDebug() : nullptr;
    QelScriptRequest([this, debug] { FRunner->Prepare(debug); });
    FCodeObject = FRunner->GetCodeObject();
    if (FCodeObject) FCodeObject->AddRef();
    FState = ssPrepared;  // the engine takes breakpoints from here on
    if (FDebugger) FDebugger->ApplyBreakpointsOf(this);
  } catch (...) {
    ReleaseRunner();
    throw;
  }
  FState = ssPrepared;
}

void TQelScriptControl::Open(bool ACloseOnRuntimeError) {
  CheckState({ssInactive, ssPrepared});
  if (FState == ssInactive) Prepare();
  DoBeforeOpen();
  FState = ssActive;
  try {
    QelScriptRequest([this] { FRunner->Open(); });
  } catch (...) {
    if (!ACloseOnRuntimeError) throw;
    // A host exception keeps its own type (a positioned script error stays one); anything
    // else becomes a host exception.
    std::exception_ptr error = std::current_exception();
    try {
      throw;
    } catch (const ExceptionPtr&) {
    } catch (...) {
      error = std::make_exception_ptr(AcquireExceptionObject());
    }
    Close(false, true);
    std::rethrow_exception(error);
  }
}

void TQelScriptControl::Close(bool AClearObjects, bool AClearEventHandler) {
  if (FState != ssInactive) {
    // A runner that cannot stop (the request came from its own running script) keeps the
    // control in its state.
    FRunner->Close();
    ReleaseRunner();
  }
  if (AClearObjects) ClearObjects();
  if (AClearEventHandler) ClearEventHandlers();
  DoAfterClose();
}

void TQelScriptControl::SetActive(bool AValue) {
  if (AValue == GetActive()) return;
  if (AValue)
    Open(true);
  else
    Close(false, true);
}

void TQelScriptControl::SetSource(const TStrings& AValue) { FSource->Assign(const_cast<TStrings*>(&AValue)); }

void TQelScriptControl::SetSourceText(std::u16string_view AText) { FSource->SetText(AText); }

void TQelScriptControl::SetLanguage(TQelScriptLanguage AValue) {
  CheckState({ssInactive});
  if (FDebugger) CheckDebuggerLangKind(FDebugger, AValue);
  FLanguage = AValue;
  if (FDebugger) FDebugger->ScriptLanguageChanged();
}

void TQelScriptControl::SetExceptionSourceInfo(bool AValue) {
  CheckState({ssInactive});
  FExceptionSourceInfo = AValue;
}

IDispatch* TQelScriptControl::GetCodeObject() {
  CheckState({ssPrepared, ssActive});
  return FCodeObject;
}

VARIANT TQelScriptControl::GetScript() {
  IDispatch* code = GetCodeObject();
  VARIANT result;
  VariantInit(&result);
  result.vt = VT_DISPATCH;
  result.pdispVal = code;
  if (code) code->AddRef();
  return result;
}

std::unique_ptr<TPreparedDynCode> TQelScriptControl::PrepareExpr(std::u16string_view AExpression) {
  CheckState({ssPrepared, ssActive});
  return QelScriptRequest([&] { return Runner().PrepareExpr(AExpression); });
}

std::unique_ptr<TPreparedDynCode> TQelScriptControl::PrepareStmt(std::u16string_view AStatement) {
  CheckState({ssPrepared, ssActive});
  return QelScriptRequest([&] { return Runner().PrepareStmt(AStatement); });
}

VARIANT TQelScriptControl::Eval(std::u16string_view AExpression) {
  CheckState({ssActive});
  return QelScriptRequest([&] { return Runner().Eval(AExpression); });
}

VARIANT TQelScriptControl::Eval(TPreparedDynCode* APreparedExpr) {
  CheckState({ssActive});
  return QelScriptRequest([&] { return Runner().Eval(APreparedExpr); });
}

void TQelScriptControl::ExecuteStatement(std::u16string_view AStatement) {
  CheckState({ssActive});
  QelScriptRequest([&] { Runner().ExecStmt(AStatement); });
}

void TQelScriptControl::ExecuteStatement(TPreparedDynCode* APreparedStmt) {
  CheckState({ssActive});
  QelScriptRequest([&] { Runner().ExecStmt(APreparedStmt); });
}

VARIANT TQelScriptControl::RunProc(std::u16string_view AName) {
  CheckState({ssActive});
  return QelScriptRequest([&] { return Runner().RunProc(AName); });
}

VARIANT TQelScriptControl::RunProc(std::u16string_view AName, std::vector<VARIANT>& AArgs) {
  CheckState({ssActive});
  return QelScriptRequest([&] { return Runner().RunProc(AName, AArgs.data(), int(AArgs.size())); });
}

VARIANT TQelScriptControl::RunProc(std::u16string_view AProcName, TQelDispArgs AArgs, int AArgsSize) {
  CheckState({ssActive});
  // The machine may write into its argument slots: hand it copies (a by-reference entry's copy
  // still leads to the caller's variable).
  std::vector<VARIANT> slots(size_t(std::max(AArgsSize, 0)));
  for (VARIANT& slot : slots) VariantInit(&slot);
  struct TSlotsGuard {
    std::vector<VARIANT>& Slots;
    ~TSlotsGuard() {
      for (VARIANT& slot : Slots) VariantClear(&slot);
    }
  } guard{slots};
  for (int i = 0; i < AArgsSize; ++i) QelCheckVariantCopy(VariantCopy(&slots[i], &AArgs[i]));
  return QelScriptRequest([&] { return Runner().RunProc(AProcName, slots.data(), AArgsSize); });
}

VARIANT TQelScriptControl::ReadVar(std::u16string_view AName) {
  CheckState({ssActive});
  return QelScriptRequest([&] { return Runner().ReadVar(AName); });
}

void TQelScriptControl::WriteVar(std::u16string_view AName, const VARIANT& AValue) {
  CheckState({ssActive});
  QelScriptRequest([&] { Runner().WriteVar(AName, AValue); });
}

void TQelScriptControl::ClearEventHandlers() { FEventHandlers.Clear(); }

TQelScriptEventHandler* TQelScriptControl::GetEventHandler(std::u16string_view AProcName,
                                                           TQelWrapperClassRef AEventType) {
  return FEventHandlers.GetEventHandler(this, AProcName, AEventType);
}

void TQelScriptControl::HookEvent(TObject* AInstance, std::u16string_view APropName, std::u16string_view AProcName) {
  try {
    QelHookEvent(this, AInstance, APropName, AProcName);
  } catch (const ExceptionPtr& E) {
    if (!E->InheritsFrom(EPropertyError::StaticClass())) throw;
    throw ExceptionPtr(new EQelScriptControl(Exception::FormatMessage(SQelPropertyNotFound, {APropName})));
  }
}
