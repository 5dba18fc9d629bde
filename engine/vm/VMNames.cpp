// The process-wide name table, the runtime error messages and the global object classes.
#include "engine/vm/QelVMInternal.h"
#include "host/core/ExceptRelay.h"

// ---------------------------------------------------------------------------------------------
// Name table

TQelNameTable::TQelNameTable() : FMap(true) {}
TQelNameTable::~TQelNameTable() = default;

int TQelNameTable::GetNameIndex(const std::u16string& AName, bool ACreateNewItem) {
  String upper = AnsiUpperCase(AName);
  std::lock_guard<std::mutex> guard(FSection);
  if (TQelIdentifierItem* item = FMap.Find(upper)) return item->DataInt();
  if (!ACreateNewItem) return -1;
  auto item = std::make_unique<TQelIdentifierItem>(std::move(upper), intptr_t(FCount));
  if (FNameByIndex.size() == FNameByIndex.capacity())
    FNameByIndex.reserve(FNameByIndex.empty() ? 4 : FNameByIndex.size() * 2);
  FNameByIndex.push_back(item.get());
  FMap.Add(item.release());
  return FCount++;
}

std::u16string TQelNameTable::GetName(int AIndex) {
  std::lock_guard<std::mutex> guard(FSection);
  if (AIndex < 0 || AIndex >= FCount) return {};
  return FNameByIndex[size_t(AIndex)]->Name;
}

TQelIdentifierItem* TQelNameTable::GetNameIndexes(int AIndex) {
  std::lock_guard<std::mutex> guard(FSection);
  if (AIndex < 0 || AIndex >= FCount) return nullptr;
  return FNameByIndex[size_t(AIndex)];
}

int TQelNameTable::Count() {
  std::lock_guard<std::mutex> guard(FSection);
  return FCount;
}

TQelNameTable& QelNameTable() {
  // Never destroyed: compilers and machines of other static objects may still ask at exit.
  static TQelNameTable* table = new TQelNameTable();
  return *table;
}

// ---------------------------------------------------------------------------------------------
// Errors

namespace {
const char16_t* const RuntimeErrorMessages[] = {
    u"Undeclared identifier: '%s'",
    u"BREAK or CONTINUE outside of loop",
    u"Cannot BREAK, CONTINUE or EXIT out of a FINALLY clause",
    u"Invalid assignment",
    u"Invalid argument count",
    u"Invalid type cast or type mismatch",
    u"Object required but nil found",
    u"For loop control variable must be simple local variable",
    u"Cannot raise nil exception",
    u"Cannot raise locked exception",
    u"Low can be applied only to an array",
    u"High can be applied only to an array",
    u"Constant expression violates subrange bounds",
    u"Invalid DispId",
    u"Procedural type required.",
    u"Variable or constant required.",
    u"Script execution has been aborted.",
    u"Internal error: Invalid object kind",
    u"Internal error: Invalid bracket type",
    u"Internal error: Invalid instruction code",
    u"Internal error: No breakpoint info found",
};
constexpr int RuntimeErrorCount = int(std::size(RuntimeErrorMessages));
static_assert(RuntimeErrorCount == retIENoBreakpointInfo + 1);
}  // namespace

std::u16string QelRuntimeErrorMessage(int AErrorType) {
  if (AErrorType < 0 || AErrorType >= RuntimeErrorCount)
    return u"Internal error: Invalid exception type";
  return RuntimeErrorMessages[AErrorType];
}

EQelVMRuntime::EQelVMRuntime(const String& AMessage) : Exception(AMessage) {}

void EQelVMRuntime::RaiseError(TQelRuntimeErrorType AErrorType) {
  RaiseException(new EQelVMRuntime(QelRuntimeErrorMessage(AErrorType)));
}

void EQelVMRuntime::RaiseError(TQelRuntimeErrorType AErrorType, const String& AStrName) {
  RaiseException(new EQelVMRuntime(
      Exception::FormatMessage(QelRuntimeErrorMessage(AErrorType), {AStrName})));
}

String EQelVMRuntime::MessageOf(HRESULT AInvokeRes, EXCEPINFO& EInfo, bool AFinalizeEInfo) {
  String message;
  HRESULT code = AInvokeRes;
  if (AInvokeRes == DISP_E_TYPEMISMATCH) {
    message = QelRuntimeErrorMessage(retTypeMismatch);
  } else if (AInvokeRes == DISP_E_BADPARAMCOUNT) {
    message = QelRuntimeErrorMessage(retInvalidParamCount);
  } else if (AInvokeRes == DISP_E_EXCEPTION) {
    if (EInfo.pfnDeferredFillIn) EInfo.pfnDeferredFillIn(&EInfo);
    message = String(OleBstrView(EInfo.bstrDescription));
    if (EInfo.scode != 0) code = EInfo.scode;
  }
  if (AFinalizeEInfo) {
    SysFreeString(EInfo.bstrSource);
    SysFreeString(EInfo.bstrDescription);
    SysFreeString(EInfo.bstrHelpFile);
    EInfo.bstrSource = EInfo.bstrDescription = EInfo.bstrHelpFile = nullptr;
  }
  if (message.empty()) message = OleErrorText(code);
  if (message.empty()) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "OLE error %.8x", unsigned(code));
    message = Utf8ToString(buffer);
  }
  return message;
}

void EQelVMRuntime::RaiseError(HRESULT AInvokeRes, EXCEPINFO& EInfo, bool AFinalizeEInfo) {
  // A host exception raised by an in-process wrapper keeps its class (on E: EListError do).
  if (AInvokeRes == DISP_E_EXCEPTION && !EInfo.pfnDeferredFillIn) {
    ExceptionPtr relayed = QelClaimRelayedException(EInfo.bstrDescription, OleBstrView(EInfo.bstrDescription));
    if (relayed) {
      MessageOf(AInvokeRes, EInfo, AFinalizeEInfo);
      relayed.Raise();
    }
  }
  RaiseException(new EQelVMRuntime(MessageOf(AInvokeRes, EInfo, AFinalizeEInfo)));
}

EQelCompileBase::EQelCompileBase(const String& AMessage, int ASourcePos)
    : Exception(AMessage), FSourcePos(ASourcePos) {}

EQelCompileBase::EQelCompileBase(std::u16string_view AFmt,
                                 std::initializer_list<std::u16string_view> AArgs,
                                 int ASourcePos)
    : Exception(Exception::FormatMessage(AFmt, AArgs)), FSourcePos(ASourcePos) {}

EQelVirtMachine::EQelVirtMachine(const String& AMessage) : Exception(AMessage) {}

// ---------------------------------------------------------------------------------------------
// Global objects

namespace {
constexpr uintptr_t AllOnes = ~uintptr_t(0);
}

TQelGlobalObject::TQelGlobalObject(int AName, const std::u16string& AStrName,
                                   TQelGlobalObjType AType)
    : TQelNamedItem(AName), FGlobalObjType(AType), FStrName(AStrName) {}

TQelDispIdObject::TQelDispIdObject(int AName, const std::u16string& AStrName,
                                   TQelGlobalObjType AType, uint32_t AInvokeFlags,
                                   uintptr_t AResMask)
    : TQelGlobalObject(AName, AStrName, AType), FInvokeFlags(AInvokeFlags), FResMask(AResMask) {}

TQelGlobalValuedObject::~TQelGlobalValuedObject() { QelClear(&Value); }

TQelVarObject::TQelVarObject(int AName, const std::u16string& AStrName)
    : TQelGlobalValuedObject(AName, AStrName, gtVar,
                             DISPATCH_PROPERTYGET | DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF,
                             AllOnes) {}

TQelConstObject::TQelConstObject(int AName, const std::u16string& AStrName)
    : TQelGlobalValuedObject(AName, AStrName, gtConst, DISPATCH_PROPERTYGET, AllOnes) {}

TQelProcObject::TQelProcObject(int AName, const std::u16string& AStrName)
    : TQelDispIdObject(AName, AStrName, gtProcedure, DISPATCH_METHOD, 0) {}

TQelExitObject::TQelExitObject(int AName, const std::u16string& AStrName)
    : TQelGlobalObject(AName, AStrName, gtExit) {}
TQelBreakObject::TQelBreakObject(int AName, const std::u16string& AStrName)
    : TQelGlobalObject(AName, AStrName, gtBreak) {}
TQelContinueObject::TQelContinueObject(int AName, const std::u16string& AStrName)
    : TQelGlobalObject(AName, AStrName, gtContinue) {}
TIntrinsic::TIntrinsic(int AName, const std::u16string& AStrName)
    : TQelGlobalObject(AName, AStrName, gtIntrinsic) {}

void TIntrinsic::SetFixedValue(const VARIANT& AValue) {
  QEL_VM_ASSERT(!QelNeedsClear(AValue.vt));
  FFixedValue = AValue;
  FHasFixedValue = true;
}

TQelExternObject::TQelExternObject(int AName, const std::u16string& AStrName, IDispatch* AObj,
                                   TQelCodeObject* ACodeObject, bool APublishMembers,
                                   bool AIsUnit)
    : TQelGlobalObject(AName, AStrName, gtExtern),
      FObj(AObj),
      FCodeObject(ACodeObject),
      FPublishMembers(APublishMembers),
      FIsUnit(AIsUnit) {
  if (FObj) FObj->AddRef();
}

TQelExternObject::~TQelExternObject() {
  if (FObj) FObj->Release();
}

TQelNameSearchResKind QelSearchKindOf(TQelGlobalObjType AType) {
  static constexpr TQelNameSearchResKind Kinds[] = {
      srGlobalVar, srGlobalConst, srProcedure, srExit, srBreak, srContinue, srIntrinsic,
      srExternal};
  return Kinds[AType];
}
