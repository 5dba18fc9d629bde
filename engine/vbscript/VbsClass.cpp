// Instances of the script's classes: IDispatch objects whose fields live in the instance and
// whose routines run on the machine that compiled the class. An instance reaches the machine
// through a weak handle, so one the host keeps after the engine closed fails its calls
// instead of touching a machine that is gone.
#include "engine/vbscript/VbsInternal.h"
#include "engine/vm/QelSctVM.h"
#include "engine/vm/QelVMValues.h"
#include "host/core/ExceptRelay.h"

namespace qel_vbs {

namespace {

// {5E0C7B8A-3D41-4C86-9E1B-2F6A4D7C9B10}, {5E0C7B8A-3D41-4C86-9E1B-2F6A4D7C9B11}
constexpr IID IID_VbsClassObject = {
    0x5E0C7B8A, 0x3D41, 0x4C86, {0x9E, 0x1B, 0x2F, 0x6A, 0x4D, 0x7C, 0x9B, 0x10}};
constexpr IID IID_VbsInstance = {
    0x5E0C7B8A, 0x3D41, 0x4C86, {0x9E, 0x1B, 0x2F, 0x6A, 0x4D, 0x7C, 0x9B, 0x11}};

constexpr HRESULT kVbsFacility = HRESULT(0x800A0000);
// The DISPIDs the class's own code asks for carry this bit: they reach private members too.
constexpr DISPID kInnerBit = 0x20000000;
constexpr char16_t kClosedMessage[] = u"The script engine that created this object has been closed";

BSTR NewBstr(std::u16string_view AText) {
  return SysAllocStringLen(AText.data(), UINT(AText.size()));
}

HRESULT Fail(EXCEPINFO* AInfo, HRESULT ACode, std::u16string_view AMessage) {
  if (!AInfo) return ACode;
  *AInfo = EXCEPINFO{};
  AInfo->scode = ACode;
  AInfo->bstrSource = NewBstr(u"VBScript runtime error");
  AInfo->bstrDescription = NewBstr(AMessage);
  return DISP_E_EXCEPTION;
}

// A script error leaves through the dispatch boundary as the very exception (a machine on the
// other side raises it again, its place inside the routine kept), and with VBScript's code.
HRESULT Relay(const ExceptionPtr& E, EXCEPINFO* AInfo) {
  const TVbsError error = QelVbsErrorOf(E.Get());
  const HRESULT code = error.Number < 0 ? HRESULT(error.Number) : (kVbsFacility | error.Number);
  const HRESULT hr = Fail(AInfo, code, E->GetMessage());
  if (AInfo) QelRelayException(E, AInfo->bstrDescription);
  return hr;
}

class TVbsClassObject final : public OleObject<IDispatch, IID_IDispatch, IID_VbsClassObject> {
 public:
  explicit TVbsClassObject(TVbsClassPtr AClass) : FClass(std::move(AClass)) {}
  HRESULT GetTypeInfoCount(UINT* pctinfo) override {
    *pctinfo = 0;
    return S_OK;
  }
  HRESULT GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT GetIDsOfNames(REFIID, LPOLESTR*, UINT cNames, LCID, DISPID* rgDispId) override {
    for (UINT i = 0; i < cNames; ++i) rgDispId[i] = DISPID_UNKNOWN;
    return DISP_E_UNKNOWNNAME;
  }
  HRESULT Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return DISP_E_MEMBERNOTFOUND;
  }
  TVbsClassPtr FClass;
};

}  // namespace

class TVbsInstance final : public IDispatch {
 public:
  explicit TVbsInstance(TVbsClassPtr AClass)
      : FClass(std::move(AClass)), FFields(size_t(FClass->FieldCount)) {
    for (VARIANT& field : FFields) VariantInit(&field);
    for (const TVbsMember& member : FClass->Members)
      if (member.Kind == vmkField && member.IsArray && !member.Bounds.empty()) MakeArray(member);
    TVbsLink& link = *FClass->Link;
    std::lock_guard<std::mutex> lock(link.Lock);
    FSerial = ++link.Created;
    link.Instances.emplace(FSerial, this);
  }
  ~TVbsInstance() {
    {
      TVbsLink& link = *FClass->Link;
      std::lock_guard<std::mutex> lock(link.Lock);
      link.Instances.erase(FSerial);
    }
    ClearFields();
  }

  HRESULT QueryInterface(REFIID riid, void** ppv) override {
    if (!ppv) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) ||
        IsEqualIID(riid, IID_VbsInstance)) {
      *ppv = static_cast<IDispatch*>(this);
      AddRef();
      return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  ULONG AddRef() override { return FRefs.fetch_add(1, std::memory_order_relaxed) + 1; }
  // The last reference runs Class_Terminate first (once); an instance that the routine kept
  // somewhere lives on.
  ULONG Release() override {
    const ULONG n = FRefs.fetch_sub(1, std::memory_order_acq_rel) - 1;
    if (n != 0) return n;
    if (!FClass->Terminate.empty() && !FTerminated.exchange(true) && FClass->Link->Alive.load()) {
      FRefs.store(1);
      RunQuietly(FClass->Terminate);
      if (FRefs.fetch_sub(1, std::memory_order_acq_rel) - 1 != 0) return 0;
    }
    delete this;
    return 0;
  }
  // A reference for the engine's close, unless the instance is already on its way out.
  bool TryAddRef() {
    ULONG n = FRefs.load();
    while (n != 0)
      if (FRefs.compare_exchange_weak(n, n + 1)) return true;
    return false;
  }

  HRESULT GetTypeInfoCount(UINT* pctinfo) override {
    *pctinfo = 0;
    return S_OK;
  }
  HRESULT GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT GetIDsOfNames(REFIID, LPOLESTR* rgszNames, UINT cNames, LCID, DISPID* rgDispId) override {
    for (UINT i = 0; i < cNames; ++i) rgDispId[i] = DISPID_UNKNOWN;
    if (cNames == 0 || !rgszNames[0]) return DISP_E_UNKNOWNNAME;
    std::u16string_view name(rgszNames[0]);
    const bool inner = !name.empty() && name.front() == kVbsInnerPrefix;
    if (inner) name.remove_prefix(1);
    const int index = FClass->Find(name);
    if (index < 0) return DISP_E_UNKNOWNNAME;
    const TVbsMember& member = FClass->Members[size_t(index)];
    if (!inner && !member.Public && !member.PublicPut) return DISP_E_UNKNOWNNAME;
    rgDispId[0] = DISPID(index + 1) | (inner ? kInnerBit : 0);
    return cNames == 1 ? S_OK : DISP_E_UNKNOWNNAME;
  }
  HRESULT Invoke(DISPID dispIdMember, REFIID, LCID, WORD wFlags, DISPPARAMS* pDispParams,
                 VARIANT* pVarResult, EXCEPINFO* pExcepInfo, UINT*) override;

  // Class_Initialize, its error raised to the creator.
  void Initialize() {
    std::shared_ptr<TQelVirtMachine> vm = FClass->Link->VM.lock();
    if (!vm || !FClass->Link->Alive.load())
      RaiseException(new EOleSysError(kClosedMessage, E_UNEXPECTED));
    Call(*vm, FClass->Initialize, nullptr, 0, nullptr, nullptr);
  }
  // Class_Terminate once, its errors dropped (as VBScript does).
  void TerminateOnce() {
    if (!FClass->Terminate.empty() && !FTerminated.exchange(true)) RunQuietly(FClass->Terminate);
  }
  void MarkTerminated() { FTerminated.store(true); }
  void ClearFields() {
    // Cleared one by one from a moved-out copy: a field's release may run code that reads us.
    std::vector<VARIANT> fields(FFields.size());
    for (size_t i = 0; i < FFields.size(); ++i) {
      fields[i] = FFields[i];
      VariantInit(&FFields[i]);
    }
    for (VARIANT& field : fields) VariantClear(&field);
  }

  TVbsClassPtr FClass;

 private:
  void MakeArray(const TVbsMember& AMember) {
    std::vector<SAFEARRAYBOUND> bounds;
    for (int32_t upper : AMember.Bounds) bounds.push_back({ULONG(upper + 1), 0});
    VARIANT& field = FFields[size_t(AMember.Field)];
    field.parray = SafeArrayCreate(VT_VARIANT, UINT(bounds.size()), bounds.data());
    if (field.parray) field.vt = VT_ARRAY | VT_VARIANT;
  }
  // Runs a routine with the arguments (natural order), then AValue (a property's new value),
  // then Me. By-reference arguments stay references, so the routine writes through them.
  void Call(TQelVirtMachine& AVM, const std::u16string& ARoutine, const VARIANT* AArgs, UINT ACount,
            const VARIANT* AValue, VARIANT* AResult);
  HRESULT CallGuarded(const std::u16string& ARoutine, DISPPARAMS* AParams, UINT ACount,
                      const VARIANT* AValue, VARIANT* AResult, EXCEPINFO* AInfo);
  void RunQuietly(const std::u16string& ARoutine) {
    // Err stays as the code that dropped the last reference left it.
    TVbsErrObject* err = FClass->Link->Err.get();
    const TVbsErrObject::TState saved = err ? err->Save() : TVbsErrObject::TState{};
    struct TRestore {
      TVbsErrObject* Err;
      const TVbsErrObject::TState& Saved;
      ~TRestore() {
        if (Err) Err->Restore(Saved);
      }
    } restore{err, saved};
    EXCEPINFO info{};
    if (CallGuarded(ARoutine, nullptr, 0, nullptr, nullptr, &info) != DISP_E_EXCEPTION) return;
    QelClaimRelayedException(info.bstrDescription, OleBstrView(info.bstrDescription));
    SysFreeString(info.bstrSource);
    SysFreeString(info.bstrDescription);
  }
  HRESULT Field(const TVbsMember& AMember, bool AInner, WORD AFlags, DISPPARAMS* AParams,
                UINT ACount, const VARIANT* AValue, VARIANT* AResult, EXCEPINFO* AInfo);

  std::atomic<ULONG> FRefs{1};
  std::atomic<bool> FTerminated{false};
  uint64_t FSerial = 0;
  std::vector<VARIANT> FFields;
};

void TVbsInstance::Call(TQelVirtMachine& AVM, const std::u16string& ARoutine, const VARIANT* AArgs,
                        UINT ACount, const VARIANT* AValue, VARIANT* AResult) {
  const size_t count = ACount + (AValue ? 1 : 0) + 1;
  std::vector<VARIANT> slots(count);
  std::vector<const VARIANT*> originals(count, nullptr);
  auto take = [&](size_t AAt, const VARIANT& AArg) {
    VariantInit(&slots[AAt]);
    if (AArg.vt & VT_BYREF) {  // the caller's variable: the routine may write into it
      slots[AAt] = AArg;
      originals[AAt] = &AArg;
    } else {
      QelCheckVar(VariantCopy(&slots[AAt], &AArg));
    }
  };
  struct TCleanup {
    std::vector<VARIANT>& Slots;
    std::vector<const VARIANT*>& Originals;
    ~TCleanup() {
      for (size_t i = 0; i < Slots.size(); ++i) {
        const VARIANT* original = Originals[i];
        if (original && Slots[i].vt == original->vt && Slots[i].byref == original->byref) continue;
        VariantClear(&Slots[i]);
      }
    }
  } cleanup{slots, originals};
  for (UINT i = 0; i < ACount; ++i) take(i, AArgs[ACount - 1 - i]);
  if (AValue) take(ACount, *AValue);
  VARIANT& me = slots[count - 1];
  VariantInit(&me);
  me.vt = VT_DISPATCH;
  me.pdispVal = this;
  AddRef();
  VARIANT result = AVM.RunProc(ARoutine, slots.data(), int(count));
  if (AResult) {
    VariantClear(AResult);
    *AResult = result;
  } else {
    VariantClear(&result);
  }
}

HRESULT TVbsInstance::CallGuarded(const std::u16string& ARoutine, DISPPARAMS* AParams, UINT ACount,
                                  const VARIANT* AValue, VARIANT* AResult, EXCEPINFO* AInfo) {
  // Held for the call: the engine may close meanwhile, the machine stays until we leave it.
  std::shared_ptr<TQelVirtMachine> vm = FClass->Link->VM.lock();
  if (!vm || !FClass->Link->Alive.load()) return Fail(AInfo, E_UNEXPECTED, kClosedMessage);
  // Arguments are the last ACount of rgvarg (a put's value is the first, named).
  const VARIANT* args = AParams && ACount ? AParams->rgvarg + (AParams->cArgs - ACount) : nullptr;
  try {
    Call(*vm, ARoutine, args, ACount, AValue, AResult);
    return S_OK;
  } catch (const ExceptionPtr& E) {
    return Relay(E, AInfo);
  } catch (...) {
    return Relay(AcquireExceptionObject(), AInfo);
  }
}

namespace {

// The element of an array value at the arguments' indexes, read or written.
HRESULT ArrayElement(VARIANT& AArray, const VARIANT* AArgs, UINT ACount, const VARIANT* AValue,
                     VARIANT* AResult) {
  SAFEARRAY* array = (AArray.vt & VT_BYREF) ? *AArray.pparray : AArray.parray;
  if (!array || ACount != SafeArrayGetDim(array)) return DISP_E_BADINDEX;
  std::vector<LONG> indexes(ACount);
  for (UINT i = 0; i < ACount; ++i) {
    VARIANT index;
    VariantInit(&index);
    if (FAILED(VariantChangeType(&index, &AArgs[ACount - 1 - i], 0, VT_I4)))
      return DISP_E_TYPEMISMATCH;
    indexes[i] = index.lVal;
  }
  const VARTYPE type = AArray.vt & VT_TYPEMASK;
  if (AValue) {
    VARIANT value;
    VariantInit(&value);
    HRESULT hr = VariantCopyInd(&value, const_cast<VARIANT*>(AValue));
    if (SUCCEEDED(hr) && type != VT_VARIANT) hr = VariantChangeType(&value, &value, 0, type);
    if (SUCCEEDED(hr)) {
      void* data = type == VT_VARIANT ? static_cast<void*>(&value)
                   : (type == VT_BSTR || type == VT_DISPATCH || type == VT_UNKNOWN)
                       ? value.byref
                       : static_cast<void*>(&value.llVal);
      hr = SafeArrayPutElement(array, indexes.data(), data);
    }
    VariantClear(&value);
    return hr;
  }
  if (!AResult) return S_OK;
  VariantClear(AResult);
  if (type == VT_VARIANT) return SafeArrayGetElement(array, indexes.data(), AResult);
  const HRESULT hr = SafeArrayGetElement(array, indexes.data(), &AResult->llVal);
  if (SUCCEEDED(hr)) AResult->vt = type;
  return hr;
}

}  // namespace

HRESULT TVbsInstance::Field(const TVbsMember& AMember, bool AInner, WORD AFlags,
                            DISPPARAMS* AParams, UINT ACount, const VARIANT* AValue,
                            VARIANT* AResult, EXCEPINFO* AInfo) {
  VARIANT& field = FFields[size_t(AMember.Field)];
  if (ACount == 0) {
    if (AValue) {
      VARIANT value;  // copied first: the value may be the field itself
      VariantInit(&value);
      const HRESULT hr = VariantCopyInd(&value, const_cast<VARIANT*>(AValue));
      if (FAILED(hr)) return hr;
      VariantClear(&field);
      field = value;
      return S_OK;
    }
    if (!AResult) return S_OK;
    VariantClear(AResult);
    if (AInner) {  // the class's own code reads and writes the field in place (ByRef, ReDim)
      AResult->vt = VT_BYREF | VT_VARIANT;
      AResult->pvarVal = &field;
      return S_OK;
    }
    return VariantCopy(AResult, &field);
  }
  const VARIANT* args = AParams->rgvarg + (AParams->cArgs - ACount);
  if (field.vt & VT_ARRAY) return ArrayElement(field, args, ACount, AValue, AResult);
  if (field.vt == VT_DISPATCH && field.pdispVal) {
    ComPtr<IDispatch> object(field.pdispVal);
    return object->Invoke(DISPID_VALUE, IID_NULL, 0, AFlags, AParams, AResult, AInfo, nullptr);
  }
  return DISP_E_TYPEMISMATCH;
}

HRESULT TVbsInstance::Invoke(DISPID dispIdMember, REFIID, LCID, WORD wFlags,
                             DISPPARAMS* pDispParams, VARIANT* pVarResult, EXCEPINFO* pExcepInfo,
                             UINT*) {
  if (!FClass->Link->Alive.load()) return Fail(pExcepInfo, E_UNEXPECTED, kClosedMessage);
  const bool inner = dispIdMember > 0 && (dispIdMember & kInnerBit);
  DISPID id = dispIdMember & ~kInnerBit;
  if (id == DISPID_VALUE) {
    if (FClass->Default < 0) return DISP_E_MEMBERNOTFOUND;
    id = FClass->Default + 1;
  }
  if (id < 1 || size_t(id) > FClass->Members.size()) return DISP_E_MEMBERNOTFOUND;
  const TVbsMember& member = FClass->Members[size_t(id - 1)];
  const bool put = (wFlags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
  if (!inner && !(put ? member.PublicPut : member.Public)) return DISP_E_MEMBERNOTFOUND;
  UINT count = pDispParams ? pDispParams->cArgs : 0;
  const VARIANT* value = nullptr;
  if (put) {
    if (count == 0) return DISP_E_BADPARAMCOUNT;
    value = &pDispParams->rgvarg[0];
    --count;
  }
  switch (member.Kind) {
    case vmkField:
      return Field(member, inner, wFlags, pDispParams, count, value, pVarResult, pExcepInfo);
    case vmkMethod:
      if (put) return DISP_E_MEMBERNOTFOUND;
      return CallGuarded(member.Method, pDispParams, count, nullptr, pVarResult, pExcepInfo);
    case vmkProperty: {
      if (!put) {
        if (member.Get.empty()) return DISP_E_MEMBERNOTFOUND;
        return CallGuarded(member.Get, pDispParams, count, nullptr, pVarResult, pExcepInfo);
      }
      // Set for an object when the property has it, else Let.
      const VARIANT* v = QelDeref(const_cast<VARIANT*>(value));
      const bool object = v->vt == VT_DISPATCH || v->vt == VT_UNKNOWN;
      const std::u16string& routine =
          (object && !member.Set.empty()) || member.Let.empty() ? member.Set : member.Let;
      if (routine.empty()) return DISP_E_MEMBERNOTFOUND;
      return CallGuarded(routine, pDispParams, count, value, nullptr, pExcepInfo);
    }
  }
  return DISP_E_MEMBERNOTFOUND;
}

IDispatch* QelVbsNewClassObject(TVbsClassPtr AClass) {
  return new TVbsClassObject(std::move(AClass));
}

bool QelVbsCreateInstance(const VARIANT& AObject, VARIANT& AResult) {
  const VARIANT* type = QelDeref(const_cast<VARIANT*>(&AObject));
  if (type->vt != VT_DISPATCH || !type->pdispVal) return false;
  void* found = nullptr;
  if (FAILED(type->pdispVal->QueryInterface(IID_VbsClassObject, &found))) return false;
  ComPtr<TVbsClassObject> classObject =
      ComPtr<TVbsClassObject>::adopt(static_cast<TVbsClassObject*>(static_cast<IDispatch*>(found)));
  auto* instance = new TVbsInstance(classObject->FClass);
  if (!classObject->FClass->Initialize.empty()) {
    try {
      instance->Initialize();
    } catch (...) {
      instance->MarkTerminated();  // an instance that never finished starting is not ended
      instance->Release();
      throw;
    }
  }
  QelClear(&AResult);
  AResult.vt = VT_DISPATCH;
  AResult.pdispVal = instance;
  return true;
}

std::u16string QelVbsClassNameOf(const VARIANT& AValue) {
  const VARIANT* value = QelDeref(const_cast<VARIANT*>(&AValue));
  if (value->vt != VT_DISPATCH || !value->pdispVal) return {};
  void* found = nullptr;
  if (FAILED(value->pdispVal->QueryInterface(IID_VbsInstance, &found))) return {};
  auto* instance = static_cast<TVbsInstance*>(static_cast<IDispatch*>(found));
  std::u16string name = instance->FClass->Name;
  instance->Release();
  return name;
}

// At the engine's close: Class_Terminate of the instances still alive (in the order they were
// made), then every instance is cut from the machine and its fields cleared, so cycles
// between instances end and a kept instance fails its calls.
void QelVbsEndLinkInstances(const TVbsLinkPtr& ALink, bool ARunTerminate) {
  std::vector<TVbsInstance*> alive;
  {
    std::lock_guard<std::mutex> lock(ALink->Lock);
    for (auto& [serial, instance] : ALink->Instances)
      if (instance->TryAddRef()) alive.push_back(instance);
  }
  if (ARunTerminate && ALink->Alive.load())
    for (TVbsInstance* instance : alive) instance->TerminateOnce();
  ALink->Alive.store(false);
  for (TVbsInstance* instance : alive) instance->ClearFields();
  for (TVbsInstance* instance : alive) instance->Release();
}

}  // namespace qel_vbs
