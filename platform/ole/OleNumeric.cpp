// Numbers inside variants: reading them exactly and writing them with the published rounding
// and range rules.
#include <cmath>
#include <limits>

#include "platform/ole/OleInternal.h"

namespace ole_detail {

namespace {

struct Range {
  int128 lo, hi;
};

bool intRange(VARTYPE vt, Range& r) {
  switch (vt) {
    case VT_I1: r = {-128, 127}; return true;
    case VT_UI1: r = {0, 255}; return true;
    case VT_I2: r = {-32768, 32767}; return true;
    case VT_UI2: r = {0, 65535}; return true;
    case VT_I4:
    case VT_INT: r = {INT32_MIN, INT32_MAX}; return true;
    case VT_UI4:
    case VT_UINT: r = {0, UINT32_MAX}; return true;
    case VT_I8: r = {INT64_MIN, INT64_MAX}; return true;
    case VT_UI8: r = {0, static_cast<int128>(UINT64_MAX)}; return true;
    default: return false;
  }
}

void storeInt(int128 v, VARTYPE vt, VARIANT& out) {
  out.llVal = 0;
  switch (vt) {
    case VT_I1: out.cVal = static_cast<CHAR>(v); break;
    case VT_UI1: out.bVal = static_cast<BYTE>(v); break;
    case VT_I2: out.iVal = static_cast<SHORT>(v); break;
    case VT_UI2: out.uiVal = static_cast<USHORT>(v); break;
    case VT_I4:
    case VT_INT: out.lVal = static_cast<LONG>(v); break;
    case VT_UI4:
    case VT_UINT: out.ulVal = static_cast<ULONG>(v); break;
    case VT_I8: out.llVal = static_cast<LONGLONG>(v); break;
    default: out.ullVal = static_cast<ULONGLONG>(v); break;
  }
  out.vt = vt;
}

double numToDouble(const Num& n) {
  switch (n.kind) {
    case Num::Real: return n.d;
    case Num::Cy: return static_cast<double>(n.cy) / 10000.0;
    default: return static_cast<double>(n.i);
  }
}

// Currency units to a whole number, ties to even.
int128 cyToInt(int64_t cy) {
  int128 q = cy / 10000, r = cy % 10000;
  int128 twice = 2 * (r < 0 ? -r : r);
  if (twice > 10000 || (twice == 10000 && (q & 1))) q += cy < 0 ? -1 : 1;
  return q;
}

HRESULT toInt(const Num& n, int128& out) {
  switch (n.kind) {
    case Num::Real: return roundToInt(n.d, out);
    case Num::Cy: out = cyToInt(n.cy); return S_OK;
    default: out = n.i; return S_OK;
  }
}

HRESULT toCy(const Num& n, int64_t& out) {
  int128 units;
  switch (n.kind) {
    case Num::Cy: out = n.cy; return S_OK;
    case Num::Real: {
      HRESULT hr = roundToInt(n.d * 10000.0, units);
      if (FAILED(hr)) return hr;
      break;
    }
    default:
      if (n.i > INT64_MAX / 10000 || n.i < INT64_MIN / 10000) return DISP_E_OVERFLOW;
      units = n.i * 10000;
  }
  if (units > INT64_MAX || units < INT64_MIN) return DISP_E_OVERFLOW;
  out = static_cast<int64_t>(units);
  return S_OK;
}

bool isZero(const Num& n) {
  switch (n.kind) {
    case Num::Real: return n.d == 0;
    case Num::Cy: return n.cy == 0;
    default: return n.i == 0;
  }
}

}  // namespace

HRESULT roundToInt(double d, int128& out) {
  constexpr double kTwo64 = 18446744073709551616.0;
  double r = std::nearbyint(d);  // the default rounding mode rounds ties to even
  if (!(r > -kTwo64 && r < kTwo64)) return DISP_E_OVERFLOW;
  out = r < 0 ? -static_cast<int128>(static_cast<uint64_t>(-r))
              : static_cast<int128>(static_cast<uint64_t>(r));
  return S_OK;
}

bool fitsKind(int128 v, VARTYPE vt) {
  Range r;
  return intRange(vt, r) && v >= r.lo && v <= r.hi;
}

bool isNumericKind(VARTYPE vt) {
  switch (vt) {
    case VT_EMPTY:
    case VT_BOOL:
    case VT_I1:
    case VT_UI1:
    case VT_I2:
    case VT_UI2:
    case VT_I4:
    case VT_UI4:
    case VT_INT:
    case VT_UINT:
    case VT_I8:
    case VT_UI8:
    case VT_R4:
    case VT_R8:
    case VT_DATE:
    case VT_CY: return true;
    default: return false;
  }
}

Num readNum(const VARIANT& v) {
  Num n;
  switch (v.vt) {
    case VT_BOOL: n.i = v.boolVal ? -1 : 0; break;
    case VT_I1: n.i = v.cVal; break;
    case VT_UI1: n.i = v.bVal; break;
    case VT_I2: n.i = v.iVal; break;
    case VT_UI2: n.i = v.uiVal; break;
    case VT_I4:
    case VT_INT: n.i = v.lVal; break;
    case VT_UI4:
    case VT_UINT: n.i = v.ulVal; break;
    case VT_I8: n.i = v.llVal; break;
    case VT_UI8: n.i = v.ullVal; break;
    case VT_R4:
      n.kind = Num::Real;
      n.d = v.fltVal;
      break;
    case VT_R8:
    case VT_DATE:
      n.kind = Num::Real;
      n.d = v.dblVal;
      break;
    case VT_CY:
      n.kind = Num::Cy;
      n.cy = v.cyVal.int64;
      break;
    default: break;  // VT_EMPTY is 0
  }
  return n;
}

HRESULT writeNum(const Num& n, VARTYPE vt, VARIANT& out) {
  VariantInit(&out);
  Range range;
  if (intRange(vt, range)) {
    int128 v;
    HRESULT hr = toInt(n, v);
    if (FAILED(hr)) return hr;
    if (v < range.lo || v > range.hi) return DISP_E_OVERFLOW;
    storeInt(v, vt, out);
    return S_OK;
  }
  switch (vt) {
    case VT_BOOL: out.boolVal = isZero(n) ? VARIANT_FALSE : VARIANT_TRUE; break;
    case VT_R4: {
      double d = numToDouble(n);
      if (std::isfinite(d) && std::fabs(d) > std::numeric_limits<float>::max())
        return DISP_E_OVERFLOW;
      out.fltVal = static_cast<float>(d);
      break;
    }
    case VT_R8: out.dblVal = numToDouble(n); break;
    case VT_DATE:
      out.date = numToDouble(n);
      if (!dateInRange(out.date)) return DISP_E_OVERFLOW;
      break;
    case VT_CY: {
      HRESULT hr = toCy(n, out.cyVal.int64);
      if (FAILED(hr)) return hr;
      break;
    }
    default: return DISP_E_TYPEMISMATCH;
  }
  out.vt = vt;
  return S_OK;
}

}  // namespace ole_detail
