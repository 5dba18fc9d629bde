// IDispatch of every wrapper: name lookup in the member table, and Invoke's selection by
// flags and argument count before the member's procedure runs.
#include "engine/wrappers/QelSctWrappers.h"

HRESULT TQelDispWrapper::QueryInterface(REFIID riid, void** ppvObject) {
  if (!ppvObject) return E_POINTER;
  if (IsEqualIID(riid, IID_IQelDirectDispatch)) {
    *ppvObject = static_cast<IQelDirectDispatch*>(this);
  } else if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch)) {
    *ppvObject = static_cast<IDispatch*>(this);
  } else if (IsEqualIID(riid, IID_IQelDispWrapper)) {
    *ppvObject = static_cast<IQelDispWrapper*>(this);
  } else {
    *ppvObject = nullptr;
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

ULONG TQelDispWrapper::AddRef() { return FRefCount.fetch_add(1, std::memory_order_relaxed) + 1; }

ULONG TQelDispWrapper::Release() {
  const ULONG count = FRefCount.fetch_sub(1, std::memory_order_acq_rel) - 1;
  if (count == 0) delete this;
  return count;
}

bool TQelDispWrapper::TryAddRef() {
  ULONG count = FRefCount.load(std::memory_order_relaxed);
  while (count != 0) {
    if (FRefCount.compare_exchange_weak(count, count + 1, std::memory_order_acq_rel)) return true;
  }
  return false;
}

HRESULT TQelDispWrapper::GetTypeInfoCount(UINT* pctinfo) {
  if (!pctinfo) return E_INVALIDARG;
  *pctinfo = 1;
  return S_OK;
}

HRESULT TQelDispWrapper::GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo) {
  if (!ppTInfo) return E_INVALIDARG;
  try {
    *ppTInfo = GetDispInfo().GetTypeInfo();
  } catch (...) {
    *ppTInfo = nullptr;
    return E_FAIL;
  }
  (*ppTInfo)->AddRef();
  return S_OK;
}

HRESULT TQelDispWrapper::GetIDsOfNames(REFIID, LPOLESTR* rgszNames, UINT cNames, LCID, DISPID* rgDispId) {
  if (cNames == 0) return S_OK;
  if (!rgszNames || !rgDispId) return E_INVALIDARG;
  int32_t index = -1;
  try {
    if (rgszNames[0]) index = GetDispInfo().FindName(std::u16string_view(rgszNames[0]), false);
  } catch (...) {
    return E_FAIL;
  }
  if (index > 0) {
    rgDispId[0] = index;
    return S_OK;
  }
  for (UINT i = 0; i < cNames; ++i) rgDispId[i] = DISPID_UNKNOWN;
  return DISP_E_UNKNOWNNAME;
}

namespace {

enum class TSelect { Call, Forward, BadCount, TypeMismatch, NotFound };

bool CountCheckA(const TQelInvokeItem& AItem, UINT AArgc) {
  const auto argc = static_cast<int64_t>(AArgc);
  return argc == AItem.ParamCount || argc >= AItem.MinParamCount;
}

inline TSelect Select(const TQelInvokeItem& AItem, DISPID AId, WORD wFlags, UINT AArgc, bool AWantsResult) {
  const uint32_t f = AItem.InvokeFlags & wFlags & 15;
  const bool w = AItem.ResMask == 0 && AWantsResult;
  switch (f) {
    case DISPATCH_METHOD:
      if (w) return TSelect::TypeMismatch;
      return CountCheckA(AItem, AArgc) ? TSelect::Call : TSelect::BadCount;
    case DISPATCH_PROPERTYGET:
      if (w) return TSelect::TypeMismatch;
      if (CountCheckA(AItem, AArgc)) return TSelect::Call;
      return AItem.ParamCount == 0 && AArgc > 0 ? TSelect::Forward : TSelect::BadCount;
    case DISPATCH_PROPERTYPUT:
    case DISPATCH_PROPERTYPUTREF:
    case DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF:
      if (w) return TSelect::TypeMismatch;
      if (static_cast<int64_t>(AArgc) == int64_t(AItem.ParamCount) + 1) return TSelect::Call;
      return AItem.ParamCount == 0 && AArgc > 1 ? TSelect::Forward : TSelect::BadCount;
    default:
      return AId == 0 ? TSelect::NotFound : TSelect::TypeMismatch;
  }
}

}  // namespace

namespace {
// The member AId of AInfo after the checks of flags and argument count: S_OK to call it,
// S_FALSE to pass the call on to the value of the parameterless member, else the call's error.
template <class TInfo>
HRESULT SelectIn(const TInfo& AInfo, DISPID AId, WORD AFlags, UINT AArgCount, bool AWantsResult,
                 const TQelInvokeItem*& AItem) {
  if (static_cast<uint32_t>(AId) >= static_cast<uint32_t>(AInfo.GetCount())) return DISP_E_MEMBERNOTFOUND;
  AItem = &AInfo.GetItem(AId);
  switch (Select(*AItem, AId, AFlags, AArgCount, AWantsResult)) {
    case TSelect::Call: break;
    case TSelect::Forward: return S_FALSE;
    case TSelect::BadCount: return DISP_E_BADPARAMCOUNT;
    case TSelect::TypeMismatch: return DISP_E_TYPEMISMATCH;
    case TSelect::NotFound: return DISP_E_MEMBERNOTFOUND;
  }
  // More arguments than any member takes would not fit the callers' local arrays.
  return AArgCount > static_cast<UINT>(QelMaxDispArgs) ? DISP_E_BADPARAMCOUNT : S_OK;
}
}  // namespace

HRESULT TQelDispWrapper::SelectItem(DISPID AId, WORD AFlags, UINT AArgCount, bool AWantsResult,
                                    const TQelInvokeItem*& AItem) const {
  // A wrapper sharing its class's table (its key) finds the member without virtual calls.
  if (const void* key = const_cast<TQelDispWrapper*>(this)->TQelDispWrapper::DispatchKey())
    return SelectIn(*static_cast<const TQelDispInfo*>(key), AId, AFlags, AArgCount, AWantsResult, AItem);
  return SelectIn(GetDispInfo(), AId, AFlags, AArgCount, AWantsResult, AItem);
}

inline void TQelDispWrapper::CallItem(const TQelInvokeItem& AItem, WORD AFlags, const VARIANT* AArgs,
                               UINT AArgCount, VARIANT* AResult) {
  VARIANT result = InvokeItem(AItem, AArgs, static_cast<int>(AArgCount), (AFlags & 12) == 0);
  if (AResult) {
    *AResult = result;
  } else {
    VariantClear(&result);
  }
}

HRESULT TQelDispWrapper::Invoke(DISPID dispIdMember, REFIID, LCID, WORD wFlags, DISPPARAMS* pDispParams,
                                VARIANT* pVarResult, EXCEPINFO* pExcepInfo, UINT* puArgErr) {
  try {
    const UINT argc = pDispParams ? pDispParams->cArgs : 0;
    if (argc > 0 && !pDispParams->rgvarg) {
      const TQelAbstractDispInfo& info = GetDispInfo();
      return static_cast<uint32_t>(dispIdMember) >= static_cast<uint32_t>(info.GetCount())
                 ? DISP_E_MEMBERNOTFOUND
                 : E_INVALIDARG;
    }
    const TQelInvokeItem* item = nullptr;
    const HRESULT hr = SelectItem(dispIdMember, wFlags, argc, pVarResult != nullptr, item);
    if (hr == S_FALSE) return InvokeDefaultOfValue(*item, wFlags, pDispParams, pVarResult, pExcepInfo, puArgErr);
    if (hr != S_OK) return hr;
    // Plain bitwise copies in natural order: the caller keeps ownership of its arguments.
    VARIANT args[QelMaxDispArgs];
    for (UINT i = 0; i < argc; ++i) args[i] = pDispParams->rgvarg[argc - 1 - i];
    CallItem(*item, wFlags, args, argc, pVarResult);
    return S_OK;
  } catch (...) {
    return ExceptionToHResult(pExcepInfo);
  }
}

HRESULT TQelDispWrapper::InvokeDirect(DISPID AId, WORD AFlags, VARIANT* AArgs, UINT AArgCount,
                                      VARIANT* AResult, EXCEPINFO* AExcepInfo) {
  try {
    const TQelInvokeItem* item = nullptr;
    const HRESULT hr = SelectItem(AId, AFlags, AArgCount, AResult != nullptr, item);
    if (hr == S_FALSE) {
      // Passed on through IDispatch: the arguments in OLE order, a put's value named.
      if (AArgCount > static_cast<UINT>(QelMaxDispArgs)) return DISP_E_BADPARAMCOUNT;
      VARIANT params[QelMaxDispArgs];
      for (UINT i = 0; i < AArgCount; ++i) params[i] = AArgs[AArgCount - 1 - i];
      DISPID putId = DISPID_PROPERTYPUT;
      const bool put = (AFlags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
      DISPPARAMS dp{params, put ? &putId : nullptr, AArgCount, put ? 1u : 0u};
      UINT argErr = 0;
      return InvokeDefaultOfValue(*item, AFlags, &dp, AResult, AExcepInfo, &argErr);
    }
    if (hr != S_OK) return hr;
    CallItem(*item, AFlags, AArgs, AArgCount, AResult);
    return S_OK;
  } catch (...) {
    return ExceptionToHResult(AExcepInfo);
  }
}

// Only members of a table shared by the class are prepared: their records live for the process.
const TQelDirectMember* TQelDispWrapper::PrepareMember(DISPID AId, WORD AFlags, UINT AArgCount,
                                                       bool AWantsResult) {
  try {
    const TQelInvokeItem* item = nullptr;
    if (!TQelDispWrapper::DispatchKey() || SelectItem(AId, AFlags, AArgCount, AWantsResult, item) != S_OK)
      return nullptr;
    return item;
  } catch (...) {
    return nullptr;
  }
}

HRESULT TQelDispWrapper::InvokePrepared(const TQelDirectMember* AMember, WORD AFlags, VARIANT* AArgs,
                                        UINT AArgCount, VARIANT* AResult, EXCEPINFO* AExcepInfo) {
  try {
    CallItem(*static_cast<const TQelInvokeItem*>(AMember), AFlags, AArgs, AArgCount, AResult);
    return S_OK;
  } catch (...) {
    return ExceptionToHResult(AExcepInfo);
  }
}

HRESULT TQelDispWrapper::InvokeDefaultOfValue(const TQelInvokeItem& AItem, WORD wFlags, DISPPARAMS* pDispParams,
                                              VARIANT* pVarResult, EXCEPINFO* pExcepInfo, UINT* puArgErr) {
  VARIANT value = InvokeItem(AItem, nullptr, 0, true);
  if (value.vt != VT_DISPATCH || !value.pdispVal) {
    VariantClear(&value);
    return DISP_E_TYPEMISMATCH;
  }
  const HRESULT hr =
      value.pdispVal->Invoke(DISPID_VALUE, IID_NULL, 0, wFlags, pDispParams, pVarResult, pExcepInfo, puArgErr);
  VariantClear(&value);
  return hr;
}

const TQelAbstractDispInfo& TQelDispWrapper::GetDispInfo() const { return FWrapperClass->GetDispInfo(); }

// Class member tables live in the wrapper registry for the whole process; tables of single
// wrappers (metatypes, handlers) die with them, and their address may be reused.
namespace {
constexpr uintptr_t NoDispatchKey = 1;
}

const void* TQelDispWrapper::DispatchKey() {
  uintptr_t known = FDispatchKey.load(std::memory_order_relaxed);
  if (!known) {
    const TQelDispInfo* shared = FWrapperClass ? &FWrapperClass->GetDispInfo() : nullptr;
    if (shared && &GetDispInfo() != shared) shared = nullptr;
    known = shared ? reinterpret_cast<uintptr_t>(shared) : NoDispatchKey;
    FDispatchKey.store(known, std::memory_order_relaxed);
  }
  return known == NoDispatchKey ? nullptr : reinterpret_cast<const void*>(known);
}

VARIANT TQelDispWrapper::InvokeItem(const TQelInvokeItem&, TQelDispArgs, int, bool) { return VARIANT{}; }
