// TQelVirtMachine: states, compiling a script, host objects, opening and closing, and the
// run-time entry points (RunProc, ReadVar, WriteVar, Eval, ExecStmt, Lock).
#include "engine/vm/QelVMDebugInternal.h"

namespace {

[[noreturn]] void StateError(const char16_t* AMessage) {
  throw ExceptionPtr(new EQelVirtMachine(AMessage));
}

// Parser callbacks for expressions and statements prepared for evaluation: declarations are
// refused (as duplicates) and global statements ignored.
class TVMEvalParserCallbacks : public IQelParserCallbacks {
 public:
  int GetNameId(const std::u16string& AName) override {
    return QelNameTable().GetNameIndex(AName, true);
  }
  void GlobalStmtParsed(std::unique_ptr<IQelEmitable>) override {}
  void GlobalObjParsed(TQelGlobalObject*, bool& ADuplicateName) override { ADuplicateName = true; }
  void UsedUnitParsed(const std::u16string&, bool& ADuplicateName) override {
    ADuplicateName = true;
  }
};

TVMEvalParserCallbacks GEvalCallbacks;

}  // namespace

// The callbacks through which a parser reports a whole script to its machine.
class TVMParserCallbacks : public IQelParserCallbacks {
 public:
  explicit TVMParserCallbacks(TQelVirtMachine* AVM) : FVM(AVM) {}
  int GetNameId(const std::u16string& AName) override {
    return QelNameTable().GetNameIndex(AName, true);
  }
  void GlobalStmtParsed(std::unique_ptr<IQelEmitable> AStmt) override {
    FVM->FGlobalStmts.push_back(std::move(AStmt));
  }
  void GlobalObjParsed(TQelGlobalObject* AObj, bool& ADuplicateName) override {
    FVM->RegisterGlobal(AObj, ADuplicateName);
  }
  void UsedUnitParsed(const std::u16string&, bool& ADuplicateName) override {
    ADuplicateName = false;
  }

 private:
  TQelVirtMachine* FVM;
};

TQelVirtMachine::TQelVirtMachine(IQelLanguagePtr ALanguage)
    : FLanguage(std::move(ALanguage)),
      FScriptGlobals(true),
      FExternObjects(std::make_unique<TQelExternObjects>(this)),
      FIntrinsicObjects(true),
      FGlobalNamespace(std::make_unique<TGlobalObjectsNamespace>(this)),
      FBreakpoints(std::make_unique<TQelVMBreakpoints>(this)) {
  FId = TVMIndexes::Instance().AsquireId(this);
}

TQelVirtMachine::~TQelVirtMachine() {
  try {
    Close();
  } catch (...) {
    // Destruction must not throw; a machine destroyed from its own running code is a host bug.
  }
  TVMIndexes::Instance().ReleaseId(FId);
}

TQelAbstractNamespace* TQelVirtMachine::GlobalNamespace() const { return FGlobalNamespace.get(); }

void TQelVirtMachine::RequireInitialized() {
  if (State() == msUninitialized) StateError(SQelVMNotInitialized);
}

void TQelVirtMachine::RegisterGlobal(TQelGlobalObject* AObj, bool& ADuplicateName) {
  ADuplicateName = !FScriptGlobals.Add(AObj);
  if (ADuplicateName) return;
  switch (AObj->GetGlobalObjType()) {
    case gtVar: FGlobalVars.push_back(static_cast<TQelGlobalValuedObject*>(AObj)); break;
    case gtConst: FGlobalConsts.push_back(static_cast<TQelGlobalValuedObject*>(AObj)); break;
    case gtProcedure: FProcedures.push_back(static_cast<TQelProcObject*>(AObj)); break;
    default: return;  // other kinds are only registered by name
  }
  auto* object = static_cast<TQelDispIdObject*>(AObj);
  if (FByDispId.empty()) FByDispId.push_back(nullptr);  // dispatch id 0 stays empty
  object->FDispId = ++FDispIdsCount;
  FByDispId.push_back(object);
}

void TQelVirtMachine::AddIntrinsic(TQelGlobalObject* AObj) {
  if (!FIntrinsicObjects.Add(AObj)) {
    delete AObj;
    return;
  }
  FIntrinsicList.push_back(AObj);
}

void TQelVirtMachine::ReportCompileError(Exception* E, const TQelVMSource& ASource) {
  auto* error = dynamic_cast<EQelCompileBase*>(E);
  if (!error || !OnFormatException) return;
  int line, column;
  ASource.PosToLine(error->FSourcePos, line, column);
  OnFormatException(this, line, column, E);
}

void TQelVirtMachine::Initialize(const std::u16string& ASource) {
  std::lock_guard<std::recursive_mutex> guard(FSection);
  if (State() != msUninitialized) StateError(SQelVMNotUninitialized);
  try {
    FSource.SetText(ASource);
    TVMParserCallbacks callbacks(this);
    std::unique_ptr<IQelParserBase> parser = FLanguage->CreateParser(&callbacks);
    parser->Parse(ASource);
    FLanguage->EnumGlobalObjects([this](TQelGlobalObject* AObj) { AddIntrinsic(AObj); });
    for (TQelProcObject* proc : FProcedures) proc->EmitByteCode(FGlobalNamespace.get());
    FGlobalByteCode = std::make_unique<TQelByteCode>();
    FGlobalByteCode->BeginEmit(u"Global code", FGlobalNamespace.get(), 0);
    for (auto& stmt : FGlobalStmts) stmt->Emit(FGlobalNamespace.get(), FGlobalByteCode.get());
    FGlobalByteCode->Emit(icRet);
    FGlobalByteCode->EndEmit();
    FCodeObject = new TQelCodeObject(this);
    FState.store(msInitialized, std::memory_order_release);
  } catch (...) {
    ExceptionPtr E = AcquireExceptionObject();
    ReportCompileError(E.Get(), FSource);
    Reset();
    E.Raise();
  }
}

bool TQelVirtMachine::AddExternObject(IDispatch* AObj, const std::u16string& AName,
                                      bool APublishMembers, bool AIsUnit) {
  std::lock_guard<std::recursive_mutex> guard(FSection);
  RequireInitialized();
  return FExternObjects->Add(AObj, AName, APublishMembers, AIsUnit);
}

void TQelVirtMachine::Open(TQelVMDebugger* ADebugger) {
  std::lock_guard<std::recursive_mutex> guard(FSection);
  if (State() != msInitialized) StateError(SQelVMNotInitialized);
  FState.store(msActive, std::memory_order_release);
  FTerminateFlag.store(255, std::memory_order_release);
  FDebugger = ADebugger;
  if (ADebugger) ADebugger->Attach(this);
  TVMIndexes::Instance().MarkOpened(FId);
  TQelThread* T = QelCurrentThread(FId.Index);
  TQelVMInterpretContext ctx{FGlobalByteCode.get(), nullptr, nullptr, nullptr};
  Interpret(T, ctx);
}

void TQelVirtMachine::Close() {
  if (State() == msUninitialized) return;
  // Waiting for our own thread's running activation would never end.
  if (FId.Index < tQelThreadCount && tQelThread->VMData(FId.Index)->FLockCount > 0)
    StateError(u"Virtual machine cannot be closed from its own running code.");
  std::lock_guard<std::mutex> closeGuard(FCloseSection);
  TVMIndexes::Instance().MarkClosingAndWait(FId, this);
  std::lock_guard<std::recursive_mutex> guard(FSection);
  if (State() == msUninitialized) return;
  if (FDebugger) FDebugger->Detach(this);
  FDebugger = nullptr;
  FState.store(msUninitialized, std::memory_order_release);
  Reset();
}

void TQelVirtMachine::Reset() {
  // The saved codes go back before the code goes; no thread runs this machine any more, and a
  // stepping base left behind would step into the next machine of the slot.
  FBreakpoints->Clear();
  for (const std::unique_ptr<TQelThreadVM>& record : FId.Lock->FVMDataList)
    if (record) {
      record->FSteppingBase = nullptr;
      record->FDebugAbort = false;
    }
  if (FCodeObject) {
    if (auto* code = QelAsCodeObject(FCodeObject)) code->Detach();
    FCodeObject->Release();
    FCodeObject = nullptr;
  }
  FSource.Clear();
  FGlobalByteCode.reset();
  FGlobalStmts.clear();
  FDispIdsCount = 0;
  FByDispId.clear();
  FProcedures.clear();
  FGlobalVars.clear();
  FGlobalConsts.clear();
  FScriptGlobals.Clear();
  FIntrinsicList.clear();
  FIntrinsicObjects.Clear();
  FExternObjects->Close();
}

// ---------------------------------------------------------------------------------------------
// Run-time entry points

namespace {
bool IsScriptGlobal(TQelVirtMachine* AVM, const std::u16string& AName) {
  int name = QelNameTable().GetNameIndex(AName, false);
  return name >= 0 && AVM->ScriptGlobals().Find(name) != nullptr;
}
}  // namespace

VARIANT TQelVirtMachine::RunProc(const std::u16string& AName) {
  return RunProc(AName, nullptr, 0);
}

VARIANT TQelVirtMachine::RunProc(const std::u16string& AName, VARIANT* AArgs, int AArgCount) {
  TQelRunLock lock(FId);
  TQelThread* T = lock.Thread();
  TQelProcObject* proc = T->VMData(FId.Index)->Globals().FindProcByStrName(this, AName);
  if (!proc) {
    if (IsScriptGlobal(this, AName)) EQelVMRuntime::RaiseError(retProcRequired);
    EQelVMRuntime::RaiseError(retUndeclaredId, AName);
  }
  if (AArgCount != proc->FParamCount) EQelVMRuntime::RaiseError(retInvalidParamCount);
  TQelVar result;
  TQelVMInterpretContext ctx{&proc->FByteCode, AArgs, &result.V, nullptr};
  Interpret(T, ctx);
  return result.Detach();
}

namespace {
TQelGlobalValuedObject* FindValued(TQelVirtMachine* AVM, TQelThread* T,
                                   const std::u16string& AName) {
  TQelGlobalValuedObject* object =
      T->VMData(AVM->Id().Index)->Globals().FindValObjByStrName(AVM, AName);
  if (object) return object;
  if (IsScriptGlobal(AVM, AName)) EQelVMRuntime::RaiseError(retValObjRequired);
  EQelVMRuntime::RaiseError(retUndeclaredId, AName);
}
}  // namespace

VARIANT TQelVirtMachine::ReadVar(const std::u16string& AName) {
  TQelRunLock lock(FId);
  TQelGlobalValuedObject* object = FindValued(this, lock.Thread(), AName);
  TQelVar result;
  QelCopy(&result.V, &object->Value);
  return result.Detach();
}

void TQelVirtMachine::WriteVar(const std::u16string& AName, const VARIANT& AValue) {
  TQelRunLock lock(FId);
  TQelGlobalValuedObject* object = FindValued(this, lock.Thread(), AName);
  if (object->GetGlobalObjType() == gtConst) EQelVMRuntime::RaiseError(retCannotAssign);
  QelCopyInd(&object->Value, &AValue);
}

TPreparedDynCode::~TPreparedDynCode() {
  // A thread may still hold step marks in this code (stepping left it for the host).
  if (FVM && FByteCode && FByteCode->Count() > 0)
    FVM->Breakpoints().ForgetRange(FByteCode->Code(), FByteCode->Code() + FByteCode->Count());
  FByteCode.reset();  // the code points into the parsed node
  FParsed.reset();
}

TQelPreparedCode TQelVirtMachine::Prepare(const std::u16string& AText, bool AIsExpr) {
  return PrepareIn(AText, AIsExpr, nullptr);
}

TQelPreparedCode TQelVirtMachine::PrepareIn(const std::u16string& AText, bool AIsExpr,
                                            TQelAbstractNamespace* ANamespace) {
  TQelAbstractNamespace* names = ANamespace ? ANamespace : FGlobalNamespace.get();
  std::lock_guard<std::recursive_mutex> guard(FSection);
  RequireInitialized();
  auto prepared = std::make_unique<TPreparedDynCode>();
  prepared->FVM = this;
  prepared->FIsExpr = AIsExpr;
  prepared->FSource.SetText(AText);
  try {
    std::unique_ptr<IQelParserBase> parser = FLanguage->CreateParser(&GEvalCallbacks);
    prepared->FParsed = AIsExpr ? parser->ParseExpr(AText) : parser->ParseStmt(AText);
    prepared->FByteCode = std::make_unique<TQelByteCode>();
    TQelByteCode* code = prepared->FByteCode.get();
    code->BeginEmit(AText, names, 0);
    prepared->FParsed->Emit(names, code);
    if (AIsExpr) code->Emit(icAssignResult);
    code->Emit(icRet);
    code->EndEmit();
  } catch (...) {
    ExceptionPtr E = AcquireExceptionObject();
    ReportCompileError(E.Get(), prepared->FSource);
    E.Raise();
  }
  return prepared;
}

TQelPreparedCode TQelVirtMachine::PrepareExpr(const std::u16string& AExpr) {
  return Prepare(AExpr, true);
}

TQelPreparedCode TQelVirtMachine::PrepareStmt(const std::u16string& AStmt) {
  return Prepare(AStmt, false);
}

void TQelVirtMachine::RunPrepared(TPreparedDynCode* ACode, VARIANT* AResult) {
  if (!ACode || ACode->FVM != this) StateError(SQelVMNotActive);
  TQelRunLock lock(FId);
  TQelVMInterpretContext ctx{ACode->FByteCode.get(), nullptr, AResult, &ACode->FSource};
  Interpret(lock.Thread(), ctx);
}

VARIANT TQelVirtMachine::Eval(TPreparedDynCode* APreparedExpr) {
  TQelVar result;
  RunPrepared(APreparedExpr, &result.V);
  return result.Detach();
}

void TQelVirtMachine::ExecStmt(TPreparedDynCode* APreparedStmt) {
  RunPrepared(APreparedStmt, nullptr);
}

VARIANT TQelVirtMachine::Eval(const std::u16string& AExpr) {
  TQelPreparedCode code = PrepareExpr(AExpr);
  return Eval(code.get());
}

void TQelVirtMachine::ExecStmt(const std::u16string& AStmt) {
  TQelPreparedCode code = PrepareStmt(AStmt);
  ExecStmt(code.get());
}

IDispatch* TQelVirtMachine::CodeObject() {
  std::lock_guard<std::recursive_mutex> guard(FSection);
  RequireInitialized();
  return FCodeObject;
}

void TQelVirtMachine::Lock() {
  TQelThread* T = QelCurrentThread(FId.Index);
  if (FId.Lock->FVMId.load() != FId.Id || !T->VMData(FId.Index)->Lock())
    StateError(SQelVMNotActive);
}

void TQelVirtMachine::Unlock() {
  TQelThreadVM* record = QelCurrentThread(FId.Index)->VMData(FId.Index);
  if (record->FLockCount > 0) record->Unlock();
}

void TQelVirtMachine::MakeEventHandler(const std::u16string& AProcName, VARIANT& AResult) {
  QelClear(&AResult);
  if (OnEventMake) OnEventMake(this, AProcName, AResult);
}

