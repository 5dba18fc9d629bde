// Lifetime, copying and by-reference access of variants.
#include <cstring>

#include "platform/ole/OleInternal.h"
#include "platform/ole/OleSafeArray.h"

namespace ole_detail {

UINT kindSize(VARTYPE base) {
  switch (base) {
    case VT_I1:
    case VT_UI1: return 1;
    case VT_I2:
    case VT_UI2:
    case VT_BOOL: return 2;
    case VT_I4:
    case VT_UI4:
    case VT_INT:
    case VT_UINT:
    case VT_R4:
    case VT_ERROR: return 4;
    case VT_I8:
    case VT_UI8:
    case VT_R8:
    case VT_CY:
    case VT_DATE: return 8;
    case VT_BSTR:
    case VT_DISPATCH:
    case VT_UNKNOWN: return sizeof(void*);
    case VT_VARIANT:
    case VT_DECIMAL: return sizeof(VARIANT);
    default: return 0;
  }
}

bool isValidVariantKind(VARTYPE vt) {
  const VARTYPE base = vt & VT_TYPEMASK;
  const VARTYPE flags = vt & ~VT_TYPEMASK;
  if (flags & ~(VT_ARRAY | VT_BYREF)) return false;
  if (base == VT_EMPTY || base == VT_NULL) return flags == 0;
  if (base == VT_VARIANT) return flags != 0;
  return kindSize(base) != 0;
}

HRESULT derefView(const VARIANT* src, VARIANT& view) {
  // A chain longer than this is a cycle.
  constexpr int kMaxChain = 64;
  for (int hop = 0; hop < kMaxChain; ++hop) {
    if (!(src->vt & VT_BYREF)) {
      view = *src;
      return S_OK;
    }
    if (!isValidVariantKind(src->vt)) return DISP_E_BADVARTYPE;
    if (!src->byref) return E_INVALIDARG;
    const VARTYPE target = src->vt & ~VT_BYREF;
    if (target == VT_VARIANT) {
      src = src->pvarVal;
      continue;
    }
    VariantInit(&view);
    view.vt = target;
    if (target & VT_ARRAY) view.parray = *src->pparray;
    else if (target == VT_DECIMAL) return DISP_E_BADVARTYPE;
    else std::memcpy(&view.llVal, src->byref, kindSize(target));
    return S_OK;
  }
  return E_INVALIDARG;
}

void moveInto(VARIANT* dest, VARIANT& value) {
  if (dest != &value) {
    VariantClear(dest);
    *dest = value;
  }
  VariantInit(&value);
}

HRESULT defaultValue(IDispatch* disp, VARIANT& out) {
  // An object whose default value leads back to an object forever must not recurse forever.
  constexpr int kMaxDepth = 16;
  thread_local int depth = 0;
  if (!disp || depth >= kMaxDepth) return DISP_E_TYPEMISMATCH;
  ++depth;
  DISPPARAMS none{nullptr, nullptr, 0, 0};
  VariantInit(&out);
  HRESULT hr = disp->Invoke(DISPID_VALUE, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET,
                            &none, &out, nullptr, nullptr);
  --depth;
  if (FAILED(hr)) {
    VariantClear(&out);
    return hr == DISP_E_MEMBERNOTFOUND ? DISP_E_TYPEMISMATCH : hr;
  }
  return S_OK;
}

}  // namespace ole_detail

using namespace ole_detail;

void VariantInit(VARIANTARG* pvarg) {
  if (!pvarg) return;
  pvarg->vt = VT_EMPTY;
  pvarg->wReserved1 = pvarg->wReserved2 = pvarg->wReserved3 = 0;
  pvarg->llVal = 0;
}

HRESULT VariantClear(VARIANTARG* pvarg) {
  if (!pvarg) return E_INVALIDARG;
  // Scalars own nothing: the commonest case costs one test.
  constexpr uint64_t kScalars =
      (1ull << VT_EMPTY) | (1ull << VT_NULL) | (1ull << VT_I1) | (1ull << VT_UI1) |
      (1ull << VT_I2) | (1ull << VT_UI2) | (1ull << VT_BOOL) | (1ull << VT_I4) | (1ull << VT_UI4) |
      (1ull << VT_INT) | (1ull << VT_UINT) | (1ull << VT_R4) | (1ull << VT_ERROR) |
      (1ull << VT_I8) | (1ull << VT_UI8) | (1ull << VT_R8) | (1ull << VT_CY) | (1ull << VT_DATE) |
      (1ull << VT_DECIMAL);
  if (pvarg->vt < 64 && ((kScalars >> pvarg->vt) & 1)) {
    VariantInit(pvarg);
    return S_OK;
  }
  if (!isValidVariantKind(pvarg->vt)) return DISP_E_BADVARTYPE;
  if (pvarg->vt & VT_ARRAY && !(pvarg->vt & VT_BYREF)) {
    HRESULT hr = SafeArrayDestroy(pvarg->parray);
    if (FAILED(hr)) return hr;
  } else if (pvarg->vt == VT_BSTR) {
    SysFreeString(pvarg->bstrVal);
  } else if ((pvarg->vt == VT_DISPATCH || pvarg->vt == VT_UNKNOWN) && pvarg->punkVal) {
    pvarg->punkVal->Release();
  }
  VariantInit(pvarg);
  return S_OK;
}

HRESULT VariantCopy(VARIANTARG* pvargDest, const VARIANTARG* pvargSrc) {
  if (!pvargDest || !pvargSrc) return E_INVALIDARG;
  if (pvargDest == pvargSrc) return S_OK;
  if (!isValidVariantKind(pvargSrc->vt)) return DISP_E_BADVARTYPE;
  VARIANT copy = *pvargSrc;
  if (copy.vt & VT_BYREF) {
    // a reference is copied as the reference
  } else if (copy.vt & VT_ARRAY) {
    if (pvargSrc->parray) {
      HRESULT hr = SafeArrayCopy(pvargSrc->parray, &copy.parray);
      if (FAILED(hr)) return hr;
    }
  } else if (copy.vt == VT_BSTR) {
    if (pvargSrc->bstrVal) {
      copy.bstrVal = SysAllocStringByteLen(reinterpret_cast<const char*>(pvargSrc->bstrVal),
                                           SysStringByteLen(pvargSrc->bstrVal));
      if (!copy.bstrVal) return E_OUTOFMEMORY;
    }
  } else if ((copy.vt == VT_DISPATCH || copy.vt == VT_UNKNOWN) && copy.punkVal) {
    copy.punkVal->AddRef();
  }
  HRESULT hr = VariantClear(pvargDest);
  if (FAILED(hr)) {
    VariantClear(&copy);
    return hr;
  }
  *pvargDest = copy;
  return S_OK;
}

HRESULT VariantCopyInd(VARIANT* pvarDest, const VARIANTARG* pvargSrc) {
  if (!pvarDest || !pvargSrc) return E_INVALIDARG;
  VARIANT view;
  HRESULT hr = derefView(pvargSrc, view);
  if (FAILED(hr)) return hr;
  VARIANT copy = makeEmpty();
  hr = VariantCopy(&copy, &view);
  if (FAILED(hr)) return hr;
  moveInto(pvarDest, copy);
  return S_OK;
}
