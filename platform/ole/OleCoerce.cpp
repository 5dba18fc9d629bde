// VariantChangeType: the standard coercion between variant kinds.
#include "platform/ole/OleInternal.h"

using namespace ole_detail;

namespace {

HRESULT coerce(const VARIANT& src, USHORT flags, VARTYPE vt, VARIANT& out);

bool isIntegerKind(VARTYPE vt) { return fitsKind(0, vt); }

HRESULT fromObject(const VARIANT& src, USHORT flags, VARTYPE vt, VARIANT& out) {
  IUnknown* unk = src.punkVal;
  if (vt == VT_UNKNOWN || vt == VT_DISPATCH) {
    out.vt = vt;
    out.punkVal = nullptr;
    if (!unk) return S_OK;
    HRESULT hr = unk->QueryInterface(vt == VT_UNKNOWN ? IID_IUnknown : IID_IDispatch,
                                     reinterpret_cast<void**>(&out.punkVal));
    if (FAILED(hr)) VariantInit(&out);
    return hr == E_NOINTERFACE ? DISP_E_TYPEMISMATCH : hr;
  }
  if ((flags & VARIANT_NOVALUEPROP) || !unk) return DISP_E_TYPEMISMATCH;
  ComPtr<IDispatch> disp;
  if (src.vt == VT_DISPATCH) disp = src.pdispVal;
  else if (FAILED(unk->QueryInterface(IID_IDispatch, disp.putVoid()))) return DISP_E_TYPEMISMATCH;
  VARIANT value;
  HRESULT hr = defaultValue(disp.get(), value);
  if (FAILED(hr)) return hr;
  hr = coerce(value, flags, vt, out);
  VariantClear(&value);
  return hr;
}

HRESULT fromText(const VARIANT& src, VARTYPE vt, VARIANT& out) {
  const OleRegionalSettings& rs = OleGetRegionalSettings();
  std::u16string_view text = OleBstrView(src.bstrVal);
  if (vt == VT_BOOL) {
    out.vt = VT_BOOL;
    return textToBool(text, rs, out.boolVal);
  }
  if (vt == VT_DATE) {
    out.vt = VT_DATE;
    return textToDate(text, rs, out.date);
  }
  Num n;
  HRESULT hr = textToNum(text, vt, rs, n);
  return FAILED(hr) ? hr : writeNum(n, vt, out);
}

HRESULT toText(const VARIANT& src, USHORT flags, VARIANT& out) {
  std::u16string text;
  HRESULT hr = scalarToText(src, flags, OleGetRegionalSettings(), text);
  if (FAILED(hr)) return hr;
  out.bstrVal = OleAllocBstr(text);
  if (!out.bstrVal) return E_OUTOFMEMORY;
  out.vt = VT_BSTR;
  return S_OK;
}

HRESULT errorCode(const VARIANT& src, VARTYPE vt, VARIANT& out) {
  if (vt == VT_ERROR) {
    if (!isIntegerKind(src.vt)) return DISP_E_TYPEMISMATCH;
    int128 v = readNum(src).i;
    if (v < INT32_MIN || v > UINT32_MAX) return DISP_E_OVERFLOW;
    out.vt = VT_ERROR;
    out.scode = static_cast<SCODE>(static_cast<uint32_t>(static_cast<int64_t>(v)));
    return S_OK;
  }
  if (vt != VT_I4 && vt != VT_UI4 && vt != VT_INT && vt != VT_UINT) return DISP_E_TYPEMISMATCH;
  out.vt = vt;
  out.lVal = src.scode;
  return S_OK;
}

HRESULT coerce(const VARIANT& src, USHORT flags, VARTYPE vt, VARIANT& out) {
  VariantInit(&out);
  if (src.vt == vt) return VariantCopy(&out, &src);
  if ((src.vt | vt) & VT_ARRAY) return DISP_E_TYPEMISMATCH;
  if (src.vt == VT_DISPATCH || src.vt == VT_UNKNOWN) return fromObject(src, flags, vt, out);
  switch (vt) {
    case VT_EMPTY: return S_OK;
    case VT_NULL:
      if (src.vt != VT_EMPTY) return DISP_E_TYPEMISMATCH;
      out.vt = VT_NULL;
      return S_OK;
    case VT_DISPATCH:
    case VT_UNKNOWN:
      if (src.vt != VT_EMPTY) return DISP_E_TYPEMISMATCH;
      out.vt = vt;
      return S_OK;
    case VT_BSTR: return toText(src, flags, out);
    default: break;
  }
  if (src.vt == VT_ERROR || vt == VT_ERROR) return errorCode(src, vt, out);
  if (src.vt == VT_BSTR) return fromText(src, vt, out);
  if (isNumericKind(src.vt)) {
    Num n = readNum(src);
    // True keeps its bit pattern in the unsigned kinds: 255, 65535, ...
    if (src.vt == VT_BOOL && n.i && isIntegerKind(vt) && !fitsKind(-1, vt))
      n.i = (int128(1) << (kindSize(vt) * 8)) - 1;
    return writeNum(n, vt, out);
  }
  return DISP_E_TYPEMISMATCH;
}

}  // namespace

HRESULT VariantChangeTypeEx(VARIANTARG* pvargDest, const VARIANTARG* pvarSrc, LCID lcid,
                            USHORT wFlags, VARTYPE vt) {
  if (!pvargDest || !pvarSrc) return E_INVALIDARG;
  if (!isValidVariantKind(vt) || (vt & VT_BYREF) || vt == VT_DECIMAL) return DISP_E_BADVARTYPE;
  VARIANT view;
  HRESULT hr = derefView(pvarSrc, view);
  if (FAILED(hr)) return hr;
  if (!isValidVariantKind(view.vt)) return DISP_E_BADVARTYPE;
  VARIANT result;
  hr = coerce(view, wFlags, vt, result);
  if (FAILED(hr)) {
    VariantClear(&result);
    return hr;
  }
  moveInto(pvargDest, result);
  return S_OK;
}

HRESULT VariantChangeType(VARIANTARG* pvargDest, const VARIANTARG* pvarSrc, USHORT wFlags,
                          VARTYPE vt) {
  return VariantChangeTypeEx(pvargDest, pvarSrc, LOCALE_USER_DEFAULT, wFlags, vt);
}
