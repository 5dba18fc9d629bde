// TQelCodeObject: the script's global variables, constants and procedures as an automation
// object, callable by host code (outside view, IDispatch) and by the machine (inside view).
#include <algorithm>

#include "engine/vm/QelVMInternal.h"

// {E298CC73-406C-418B-A455-E8AFC284156C}
const IID IID_IQelCodeObject = {
    0xE298CC73, 0x406C, 0x418B, {0xA4, 0x55, 0xE8, 0xAF, 0xC2, 0x84, 0x15, 0x6C}};

namespace {
const char16_t* const CodeObjectSource = u"Qel-Tessaro Pascal script VM.";

[[noreturn]] void Fail(TQelRuntimeErrorType AError) { EQelVMRuntime::RaiseError(AError); }

// A fresh block of pool slots, given back (cleared) however the call ends.
class TPoolBlock {
 public:
  TPoolBlock(TQelThread* T, int ASize)
      : FThread(T), FSize(ASize), FSlots(T->FStackPool.AsquireStack(ASize)) {}
  ~TPoolBlock() { FThread->FStackPool.ReleaseStack(FSize); }
  VARIANT* Slots() const { return FSlots; }

 private:
  TQelThread* FThread;
  int FSize;
  VARIANT* FSlots;
};
}  // namespace

// Asked at every member call: an interface query costs a virtual call, a cross-cast a walk
// of the class hierarchy with type-name comparisons.
TQelCodeObject* QelAsCodeObject(IDispatch* AObj) {
  void* found = nullptr;
  if (!AObj || FAILED(AObj->QueryInterface(IID_IQelCodeObject, &found)) || !found) return nullptr;
  auto* code = static_cast<TQelCodeObject*>(static_cast<IDispatch*>(found));
  code->Release();  // the caller holds the object
  return code;
}

TQelCodeObject::TQelCodeObject(TQelVirtMachine* AVM) : FVM(AVM), FId(AVM->Id()) {
  const auto& byId = AVM->ScriptGlobalsByDispId();
  FMaxDispId = int(byId.size()) - 1;
  for (int id = 1; id <= FMaxDispId; ++id) {
    TQelDispIdObject* object = byId[size_t(id)];
    FIdsByStrName.Add(new TQelIdentifierItem(AnsiUpperCase(object->FStrName), intptr_t(id)));
    FIdsByName.emplace_back(object->FName, id);
  }
  std::sort(FIdsByName.begin(), FIdsByName.end());
}

TQelCodeObject::~TQelCodeObject() = default;

HRESULT TQelCodeObject::QueryInterface(REFIID riid, void** ppvObject) {
  if (!ppvObject) return E_POINTER;
  if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) ||
      IsEqualIID(riid, IID_IQelCodeObject)) {
    *ppvObject = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
  }
  *ppvObject = nullptr;
  return E_NOINTERFACE;
}

ULONG TQelCodeObject::AddRef() { return FRefCount.fetch_add(1, std::memory_order_relaxed) + 1; }

ULONG TQelCodeObject::Release() {
  ULONG count = FRefCount.fetch_sub(1, std::memory_order_acq_rel) - 1;
  if (count == 0) delete this;
  return count;
}

HRESULT TQelCodeObject::GetTypeInfoCount(UINT* pctinfo) {
  if (pctinfo) *pctinfo = 0;
  return E_NOTIMPL;
}

HRESULT TQelCodeObject::GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo) {
  if (ppTInfo) *ppTInfo = nullptr;
  return E_NOTIMPL;
}

HRESULT TQelCodeObject::GetIDsOfNames(REFIID, LPOLESTR* rgszNames, UINT cNames, LCID,
                                      DISPID* rgDispId) {
  if (cNames == 0) return S_OK;
  if (!rgszNames || !rgDispId) return E_INVALIDARG;
  std::u16string name = rgszNames[0] ? AnsiUpperCase(rgszNames[0]) : std::u16string();
  if (TQelIdentifierItem* item = FIdsByStrName.Find(name)) {
    rgDispId[0] = item->DataInt();
    return S_OK;
  }
  for (UINT i = 0; i < cNames; ++i) rgDispId[i] = DISPID_UNKNOWN;
  return DISP_E_UNKNOWNNAME;
}

DISPID TQelCodeObject::GetIdOfName(int AName) const {
  auto it = std::lower_bound(FIdsByName.begin(), FIdsByName.end(), std::make_pair(AName, 0));
  return (it != FIdsByName.end() && it->first == AName) ? it->second : DISPID_UNKNOWN;
}

TQelThread* TQelCodeObject::LockMachine(std::optional<TQelRunLock>& ALock) {
  if (FDetached.load(std::memory_order_acquire))
    throw ExceptionPtr(new EQelVirtMachine(SQelVMNotActive));
  ALock.emplace(FId);
  return ALock->Thread();
}

TQelDispIdObject* TQelCodeObject::Member(DISPID ADispId) const {
  if (ADispId < 1 || ADispId > FMaxDispId) return nullptr;
  return FVM->ScriptGlobalsByDispId()[size_t(ADispId)];
}

HRESULT TQelCodeObject::Invoke(DISPID dispIdMember, REFIID, LCID, WORD wFlags,
                               DISPPARAMS* pDispParams, VARIANT* pVarResult,
                               EXCEPINFO* pExcepInfo, UINT*) {
  try {
    std::optional<TQelRunLock> lock;
    TQelThread* T = LockMachine(lock);
    TQelDispIdObject* member = Member(dispIdMember);
    if (!member) return DISP_E_MEMBERNOTFOUND;
    return DoInvoke(T, member, wFlags, pDispParams, pVarResult);
  } catch (...) {
    ExceptionPtr E = AcquireExceptionObject();
    if (E->Is<EVariantTypeCastError>()) return DISP_E_TYPEMISMATCH;
    if (pExcepInfo) {
      *pExcepInfo = EXCEPINFO{};
      pExcepInfo->bstrSource = OleAllocBstr(CodeObjectSource);
      pExcepInfo->bstrDescription = OleAllocBstr(E->GetMessage());
      pExcepInfo->scode = E_FAIL;
    }
    return DISP_E_EXCEPTION;
  }
}

HRESULT TQelCodeObject::DoInvoke(TQelThread* T, TQelDispIdObject* AMember, WORD AFlags,
                                 DISPPARAMS* AParams, VARIANT* AResult) {
  const UINT count = AParams ? AParams->cArgs : 0;
  const uint32_t f = AMember->FInvokeFlags & AFlags & 15;
  const bool unwanted = AResult && AMember->FResMask == 0;
  if (unwanted) return DISP_E_TYPEMISMATCH;
  if (f == DISPATCH_METHOD) {
    auto* proc = static_cast<TQelProcObject*>(AMember);
    if (int(count) != proc->FParamCount) return DISP_E_BADPARAMCOUNT;
    TPoolBlock block(T, int(count) + 1);
    VARIANT* slots = block.Slots();
    for (UINT i = 0; i < count; ++i) QelCopy(slots + i, &AParams->rgvarg[count - 1 - i]);
    TQelVMInterpretContext ctx{&proc->FByteCode, slots, slots + count, nullptr};
    FVM->Interpret(T, ctx);
    if (AResult) {
      VariantInit(AResult);
      QelCopyInd(AResult, slots + count);
    }
    return S_OK;
  }
  auto* valued = static_cast<TQelGlobalValuedObject*>(AMember);
  if (f == DISPATCH_PROPERTYGET) {
    if (count != 0) return DISP_E_BADPARAMCOUNT;
    if (AResult) {
      VariantInit(AResult);
      QelCopy(AResult, &valued->Value);
    }
    return S_OK;
  }
  if (f == DISPATCH_PROPERTYPUT || f == DISPATCH_PROPERTYPUTREF || f == 12) {
    if (count != 1) return DISP_E_BADPARAMCOUNT;
    QelCopyInd(&valued->Value, &AParams->rgvarg[0]);
    return S_OK;
  }
  return DISP_E_TYPEMISMATCH;
}

void TQelCodeObject::InvokeMember(DISPID ADispId, TQelBracketType ABracketType,
                                  uintptr_t AResMask, int AArgCount, VARIANT* AArgs,
                                  VARIANT* AResult) {
  std::optional<TQelRunLock> lock;
  TQelThread* T = LockMachine(lock);
  TQelDispIdObject* member = Member(ADispId);
  if (!member) Fail(retInvalidDispId);
  if (member->GetGlobalObjType() == gtProcedure) {
    auto* proc = static_cast<TQelProcObject*>(member);
    if (ABracketType == bkBlock) Fail(retTypeMismatch);
    if (AArgCount != proc->FParamCount) Fail(retInvalidParamCount);
    if (AResMask && !proc->IsFunction()) Fail(retTypeMismatch);
    QelClear(AResult);
    TQelVMInterpretContext ctx{&proc->FByteCode, AArgs, AResult, nullptr};
    FVM->Interpret(T, ctx);
    return;
  }
  VARIANT* value = &static_cast<TQelGlobalValuedObject*>(member)->Value;
  switch (ABracketType) {
    case bkNon: QelCopy(AResult, value); return;
    case bkRound: Fail(retTypeMismatch);
    default: QelIndexValue(value, AArgs, AArgCount, AResult); return;
  }
}

void TQelCodeObject::InvokePropPut(DISPID ADispId, TQelBracketType ABracketType, int AArgCount,
                                   VARIANT* AArgs, VARIANT* AValue) {
  std::optional<TQelRunLock> lock;
  LockMachine(lock);
  TQelDispIdObject* member = Member(ADispId);
  if (!member) Fail(retInvalidDispId);
  if (member->GetGlobalObjType() != gtVar) Fail(retCannotAssign);
  VARIANT* value = &static_cast<TQelGlobalValuedObject*>(member)->Value;
  switch (ABracketType) {
    case bkNon: QelCopyInd(value, AValue); return;
    case bkRound: Fail(retCannotAssign);
    default: QelIndexStore(value, AArgs, AArgCount, AValue); return;
  }
}
