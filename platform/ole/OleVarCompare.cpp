// VarCmp and VarCat.
#include <unicode/uchar.h>

#include "platform/ole/OleInternal.h"

using namespace ole_detail;

namespace {

int sign(int128 v) { return v < 0 ? -1 : v > 0 ? 1 : 0; }

HRESULT fromSign(int s) { return s < 0 ? VARCMP_LT : s > 0 ? VARCMP_GT : VARCMP_EQ; }

// Code-unit order; with NORM_IGNORECASE both sides are case-folded first.
int compareText(std::u16string_view a, std::u16string_view b, bool ignoreCase) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    UChar32 x = a[i], y = b[i];
    if (ignoreCase) x = u_foldCase(x, U_FOLD_CASE_DEFAULT), y = u_foldCase(y, U_FOLD_CASE_DEFAULT);
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

int compareNumbers(const VARIANT& l, const VARIANT& r) {
  Num a = readNum(l), b = readNum(r);
  if (a.kind == Num::Int && b.kind == Num::Int) return sign(a.i - b.i);
  if (a.kind != Num::Real && b.kind != Num::Real) {
    int128 x = a.kind == Num::Cy ? a.cy : a.i * 10000;
    int128 y = b.kind == Num::Cy ? b.cy : b.i * 10000;
    return sign(x - y);
  }
  VARIANT x, y;
  writeNum(a, VT_R8, x);
  writeNum(b, VT_R8, y);
  return x.dblVal < y.dblVal ? -1 : x.dblVal > y.dblVal ? 1 : 0;
}

// Text of one VarCat operand: NULL and EMPTY are "", booleans "True"/"False".
HRESULT catText(const VARIANT& v, std::u16string& out) {
  if (v.vt == VT_NULL || v.vt == VT_EMPTY) return out.clear(), S_OK;
  if (v.vt == VT_BSTR) return out.assign(OleBstrView(v.bstrVal)), S_OK;
  return scalarToText(v, VARIANT_ALPHABOOL, OleGetRegionalSettings(), out);
}

}  // namespace

HRESULT VarCmp(LPVARIANT pl, LPVARIANT pr, LCID, ULONG dwFlags) {
  Operand l, r;
  HRESULT hr = loadOperands(pl, pr, l, r);
  if (FAILED(hr)) return hr;
  const VARTYPE lt = l.vt(), rt = r.vt();
  const bool lText = lt == VT_BSTR, rText = rt == VT_BSTR;
  if ((!isNumericKind(lt) && !lText && lt != VT_NULL) ||
      (!isNumericKind(rt) && !rText && rt != VT_NULL))
    return DISP_E_TYPEMISMATCH;
  if (lt == VT_NULL || rt == VT_NULL) return VARCMP_NULL;
  if ((lText || lt == VT_EMPTY) && (rText || rt == VT_EMPTY) && (lText || rText)) {
    std::u16string_view a = lText ? OleBstrView(l.value().bstrVal) : std::u16string_view();
    std::u16string_view b = rText ? OleBstrView(r.value().bstrVal) : std::u16string_view();
    return fromSign(compareText(a, b, dwFlags & NORM_IGNORECASE));
  }
  if (lText) return VARCMP_GT;  // text is greater than any number
  if (rText) return VARCMP_LT;
  return fromSign(compareNumbers(l.value(), r.value()));
}

HRESULT VarCat(LPVARIANT pl, LPVARIANT pr, LPVARIANT result) {
  if (!result) return E_INVALIDARG;
  Operand l, r;
  HRESULT hr = loadOperands(pl, pr, l, r);
  if (FAILED(hr)) return hr;
  VARIANT out = makeEmpty();
  if (l.vt() == VT_NULL && r.vt() == VT_NULL) {
    out.vt = VT_NULL;
    moveInto(result, out);
    return S_OK;
  }
  std::u16string a, b;
  hr = catText(l.value(), a);
  if (SUCCEEDED(hr)) hr = catText(r.value(), b);
  if (FAILED(hr)) return hr;
  a += b;
  out.bstrVal = OleAllocBstr(a);
  if (!out.bstrVal) return E_OUTOFMEMORY;
  out.vt = VT_BSTR;
  moveInto(result, out);
  return S_OK;
}
