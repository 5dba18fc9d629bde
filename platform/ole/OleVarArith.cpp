// The general variant arithmetic: VarAdd ... VarPow and the unary VarNeg, VarAbs, VarFix, VarInt.
#include <cfloat>
#include <cmath>

#include "platform/ole/OleInternal.h"

namespace ole_detail {

HRESULT Operand::load(const VARIANT* in) {
  if (!in) return E_INVALIDARG;
  HRESULT hr = derefView(in, view_);
  if (FAILED(hr)) return hr;
  if (view_.vt == VT_DISPATCH || view_.vt == VT_UNKNOWN) {
    VARIANT object = view_;
    ComPtr<IDispatch> disp;
    if (object.vt == VT_DISPATCH) disp = object.pdispVal;
    else if (!object.punkVal ||
             FAILED(object.punkVal->QueryInterface(IID_IDispatch, disp.putVoid())))
      return DISP_E_TYPEMISMATCH;
    hr = defaultValue(disp.get(), owned_);
    if (FAILED(hr)) return hr;
    hr = derefView(&owned_, view_);
    if (FAILED(hr)) return hr;
    if (view_.vt == VT_DISPATCH || view_.vt == VT_UNKNOWN) return DISP_E_TYPEMISMATCH;
  }
  return S_OK;
}

HRESULT loadOperands(const VARIANT* pl, const VARIANT* pr, Operand& l, Operand& r) {
  HRESULT hr = l.load(pl);
  return SUCCEEDED(hr) ? r.load(pr) : hr;
}

HRESULT Operand::textToNumber() {
  if (view_.vt != VT_BSTR) return S_OK;
  VARIANT number = makeEmpty();
  HRESULT hr = VariantChangeType(&number, &view_, 0, VT_R8);
  if (FAILED(hr)) return hr;
  VariantClear(&owned_);
  view_ = number;
  return S_OK;
}

int rankOf(VARTYPE vt) {
  switch (vt) {
    case VT_UI1: return 1;
    case VT_I1:
    case VT_I2:
    case VT_BOOL: return 2;
    case VT_UI2:
    case VT_I4:
    case VT_INT: return 3;
    case VT_UI4:
    case VT_UINT:
    case VT_I8:
    case VT_UI8: return 4;
    case VT_R4: return 5;
    case VT_R8: return 6;
    case VT_CY: return 7;
    case VT_DATE: return 8;
    default: return 0;
  }
}

void storeWidening(int128 v, VARTYPE kind, VARIANT& out) {
  for (;;) {
    if (kind == VT_R8 || kind == VT_UI8) break;
    if (fitsKind(v, kind)) {
      Num n;
      n.i = v;
      writeNum(n, kind, out);
      return;
    }
    switch (kind) {
      case VT_UI1:
      case VT_I1: kind = VT_I2; break;
      case VT_I2:
      case VT_UI2: kind = VT_I4; break;
      case VT_UI4:
      case VT_UINT: kind = VT_I8; break;
      default: kind = VT_R8; break;
    }
  }
  VariantInit(&out);
  out.vt = VT_R8;
  out.dblVal = static_cast<double>(v);
}

}  // namespace ole_detail

using namespace ole_detail;

namespace {

enum class Op { Add, Sub, Mul, Div, Idiv, Mod };

bool arithmeticKind(VARTYPE vt);
void setNull(VARIANT* out);

// Checks the kinds of two loaded operands and turns text into numbers. S_FALSE when one is
// NULL: the result is then NULL and already stored.
HRESULT numericOperands(Operand& l, Operand& r, LPVARIANT result) {
  if (!arithmeticKind(l.vt()) || !arithmeticKind(r.vt())) return DISP_E_TYPEMISMATCH;
  if (l.vt() == VT_NULL || r.vt() == VT_NULL) return setNull(result), S_FALSE;
  HRESULT hr = l.textToNumber();
  return SUCCEEDED(hr) ? r.textToNumber() : hr;
}

constexpr VARTYPE kKindOfRank[] = {VT_I2, VT_UI1, VT_I2, VT_I4,  VT_I8,
                                   VT_R4, VT_R8,  VT_CY, VT_DATE};

bool arithmeticKind(VARTYPE vt) { return isNumericKind(vt) || vt == VT_BSTR || vt == VT_NULL; }

void setNull(VARIANT* out) {
  VariantClear(out);
  out->vt = VT_NULL;
}

VARTYPE resultKind(Op op, VARTYPE l, VARTYPE r) {
  int rl = rankOf(l), rr = rankOf(r);
  if (op == Op::Mul || op == Op::Div) {
    if (rl == 8) rl = 6;
    if (rr == 8) rr = 6;
  }
  if (op == Op::Sub && rl == 8 && rr == 8) return VT_R8;
  const int hi = std::max(rl, rr), lo = std::min(rl, rr);
  if (hi == 5 && (lo == 3 || lo == 4)) return VT_R8;
  if (op == Op::Div) {
    if (hi <= 4) return VT_R8;
    if (hi == 7 && lo == 7) return VT_R8;
  }
  return kKindOfRank[hi];
}

HRESULT finishReal(double d, VARTYPE kind, VARIANT& out) {
  if (!std::isfinite(d)) return DISP_E_OVERFLOW;
  VariantInit(&out);
  if (kind == VT_R4 && std::fabs(d) <= FLT_MAX) {
    out.vt = VT_R4;
    out.fltVal = static_cast<float>(d);
    return S_OK;
  }
  out.vt = kind == VT_DATE ? VT_DATE : VT_R8;
  out.dblVal = d;
  if (kind == VT_DATE && !dateInRange(d)) return DISP_E_OVERFLOW;
  return S_OK;
}

double asDouble(const VARIANT& v) {
  VARIANT d;
  writeNum(readNum(v), VT_R8, d);
  return d.dblVal;
}

HRESULT divideCheck(double l, double r) {
  if (r != 0) return S_OK;
  return l == 0 ? DISP_E_OVERFLOW : DISP_E_DIVBYZERO;
}

HRESULT realOp(Op op, double l, double r, VARTYPE kind, VARIANT& out) {
  double d = 0;
  switch (op) {
    case Op::Add: d = l + r; break;
    case Op::Sub: d = l - r; break;
    case Op::Mul: d = l * r; break;
    default: {
      HRESULT hr = divideCheck(l, r);
      if (FAILED(hr)) return hr;
      d = l / r;
    }
  }
  return finishReal(d, kind, out);
}

HRESULT cyUnits(const VARIANT& v, int64_t& units) {
  VARIANT cy;
  HRESULT hr = writeNum(readNum(v), VT_CY, cy);
  units = cy.cyVal.int64;
  return hr;
}

HRESULT storeCy(int128 units, VARIANT& out) {
  if (units > INT64_MAX || units < INT64_MIN) return DISP_E_OVERFLOW;
  VariantInit(&out);
  out.vt = VT_CY;
  out.cyVal.int64 = static_cast<int64_t>(units);
  return S_OK;
}

// Currency units divided by 10000, ties to even.
int128 unscale(int128 v) {
  int128 q = v / 10000, r = v % 10000;
  int128 twice = 2 * (r < 0 ? -r : r);
  if (twice > 10000 || (twice == 10000 && (q & 1))) q += v < 0 ? -1 : 1;
  return q;
}

HRESULT cyOp(Op op, const VARIANT& l, const VARIANT& r, VARIANT& out) {
  const bool realInvolved =
      rankOf(l.vt) == 5 || rankOf(l.vt) == 6 || rankOf(r.vt) == 5 || rankOf(r.vt) == 6;
  if ((op == Op::Mul && realInvolved) || op == Op::Div) {
    double ld = asDouble(l), rd = asDouble(r);
    HRESULT hr = op == Op::Div ? divideCheck(ld, rd) : S_OK;
    if (FAILED(hr)) return hr;
    Num n;
    n.kind = Num::Real;
    n.d = op == Op::Div ? ld / rd : ld * rd;
    return writeNum(n, VT_CY, out);
  }
  int64_t a, b;
  if (op == Op::Mul) {
    // a currency times a whole number stays exact
    bool lc = l.vt == VT_CY, rc = r.vt == VT_CY;
    int128 x = lc ? l.cyVal.int64 : readNum(l).i, y = rc ? r.cyVal.int64 : readNum(r).i;
    return storeCy(lc && rc ? unscale(x * y) : x * y, out);
  }
  HRESULT hr = cyUnits(l, a);
  if (SUCCEEDED(hr)) hr = cyUnits(r, b);
  if (FAILED(hr)) return hr;
  return storeCy(op == Op::Add ? int128(a) + b : int128(a) - b, out);
}

HRESULT intOp(Op op, const VARIANT& l, const VARIANT& r, VARTYPE kind, VARIANT& out) {
  int128 a = readNum(l).i, b = readNum(r).i;
  int128 v = op == Op::Add ? a + b : op == Op::Sub ? a - b : a * b;
  storeWidening(v, kind, out);
  return S_OK;
}

HRESULT arithmetic(Op op, LPVARIANT pl, LPVARIANT pr, LPVARIANT result) {
  if (!result) return E_INVALIDARG;
  Operand l, r;
  HRESULT hr = loadOperands(pl, pr, l, r);
  if (FAILED(hr)) return hr;
  if (op == Op::Add && l.vt() == VT_BSTR && r.vt() == VT_BSTR) return VarCat(pl, pr, result);
  hr = numericOperands(l, r, result);
  if (hr != S_OK) return SUCCEEDED(hr) ? S_OK : hr;
  const VARTYPE kind = resultKind(op, l.vt(), r.vt());
  VARIANT out;
  switch (kind) {
    case VT_CY: hr = cyOp(op, l.value(), r.value(), out); break;
    case VT_R4:
    case VT_R8:
    case VT_DATE: hr = realOp(op, asDouble(l.value()), asDouble(r.value()), kind, out); break;
    default: hr = intOp(op, l.value(), r.value(), kind, out); break;
  }
  if (FAILED(hr)) return hr;
  moveInto(result, out);
  return S_OK;
}

// Integer division and remainder: both operands rounded to whole numbers first.
HRESULT integerDivision(Op op, LPVARIANT pl, LPVARIANT pr, LPVARIANT result) {
  if (!result) return E_INVALIDARG;
  Operand l, r;
  HRESULT hr = loadOperands(pl, pr, l, r);
  if (SUCCEEDED(hr)) hr = numericOperands(l, r, result);
  if (hr != S_OK) return SUCCEEDED(hr) ? S_OK : hr;
  const int rl = rankOf(l.vt()), rr = rankOf(r.vt());
  VARTYPE kind = rl == 4 || rr == 4      ? VARTYPE(VT_I8)
                 : std::max(rl, rr) >= 3 ? VARTYPE(VT_I4)
                                         : kKindOfRank[std::max(rl, rr)];
  VARIANT a, b;
  hr = writeNum(readNum(l.value()), VT_I8, a);
  if (SUCCEEDED(hr)) hr = writeNum(readNum(r.value()), VT_I8, b);
  if (FAILED(hr)) return hr;
  if (b.llVal == 0) return DISP_E_DIVBYZERO;
  int128 v = op == Op::Idiv ? int128(a.llVal) / b.llVal : int128(a.llVal) % b.llVal;
  if (!fitsKind(v, VT_I8)) return DISP_E_OVERFLOW;
  VARIANT out;
  storeWidening(v, kind, out);
  if (out.vt == VT_R8) return DISP_E_OVERFLOW;
  moveInto(result, out);
  return S_OK;
}

// ---- unary ----------------------------------------------------------------------------------

enum class Unary { Neg, Abs, Fix, Int };

double realUnary(Unary u, double d) {
  switch (u) {
    case Unary::Neg: return -d;
    case Unary::Abs: return std::fabs(d);
    case Unary::Fix: return std::trunc(d);
    default: return std::floor(d);
  }
}

int128 intUnary(Unary u, int128 v, int128 unit) {
  switch (u) {
    case Unary::Neg: return -v;
    case Unary::Abs: return v < 0 ? -v : v;
    case Unary::Fix: return v / unit * unit;
    default: {
      int128 q = v / unit;
      if (v % unit < 0) --q;
      return q * unit;
    }
  }
}

// The kind an integer operand starts from: negation makes unsigned kinds signed.
VARTYPE signedStart(Unary u, VARTYPE vt) {
  if (vt == VT_BOOL || vt == VT_EMPTY) return VT_I2;
  if (u != Unary::Neg) return vt;
  switch (vt) {
    case VT_UI1: return VT_I2;
    case VT_UI2: return VT_I4;
    case VT_UI4:
    case VT_UINT:
    case VT_UI8: return VT_I8;
    default: return vt;
  }
}

HRESULT unary(Unary u, LPVARIANT pin, LPVARIANT result) {
  if (!result) return E_INVALIDARG;
  Operand in;
  HRESULT hr = in.load(pin);
  if (FAILED(hr)) return hr;
  if (!arithmeticKind(in.vt())) return DISP_E_TYPEMISMATCH;
  if (in.vt() == VT_NULL) return setNull(result), S_OK;
  hr = in.textToNumber();
  if (FAILED(hr)) return hr;
  const VARIANT& v = in.value();
  VARIANT out;
  switch (v.vt) {
    case VT_R4:
    case VT_R8:
    case VT_DATE:
      hr = finishReal(realUnary(u, asDouble(v)),
                      u == Unary::Abs && v.vt == VT_DATE ? VARTYPE(VT_R8) : v.vt, out);
      break;
    case VT_CY: hr = storeCy(intUnary(u, v.cyVal.int64, 10000), out); break;
    default: {
      int128 x = readNum(v).i;
      VARTYPE start = signedStart(u, v.vt);
      storeWidening(intUnary(u, x, 1), start, out);
    }
  }
  if (FAILED(hr)) return hr;
  moveInto(result, out);
  return S_OK;
}

}  // namespace

HRESULT VarAdd(LPVARIANT l, LPVARIANT r, LPVARIANT result) {
  return arithmetic(Op::Add, l, r, result);
}
HRESULT VarSub(LPVARIANT l, LPVARIANT r, LPVARIANT result) {
  return arithmetic(Op::Sub, l, r, result);
}
HRESULT VarMul(LPVARIANT l, LPVARIANT r, LPVARIANT result) {
  return arithmetic(Op::Mul, l, r, result);
}
HRESULT VarDiv(LPVARIANT l, LPVARIANT r, LPVARIANT result) {
  return arithmetic(Op::Div, l, r, result);
}
HRESULT VarIdiv(LPVARIANT l, LPVARIANT r, LPVARIANT result) {
  return integerDivision(Op::Idiv, l, r, result);
}
HRESULT VarMod(LPVARIANT l, LPVARIANT r, LPVARIANT result) {
  return integerDivision(Op::Mod, l, r, result);
}

HRESULT VarPow(LPVARIANT pl, LPVARIANT pr, LPVARIANT result) {
  if (!result) return E_INVALIDARG;
  Operand l, r;
  HRESULT hr = loadOperands(pl, pr, l, r);
  if (SUCCEEDED(hr)) hr = numericOperands(l, r, result);
  if (hr != S_OK) return SUCCEEDED(hr) ? S_OK : hr;
  const double base = asDouble(l.value()), exponent = asDouble(r.value());
  if (base == 0 && exponent < 0) return DISP_E_DIVBYZERO;
  const double d = std::pow(base, exponent);
  if (std::isnan(d)) return E_INVALIDARG;
  VARIANT out;
  hr = finishReal(d, VT_R8, out);
  if (FAILED(hr)) return hr;
  moveInto(result, out);
  return S_OK;
}

HRESULT VarNeg(LPVARIANT in, LPVARIANT result) { return unary(Unary::Neg, in, result); }
HRESULT VarAbs(LPVARIANT in, LPVARIANT result) { return unary(Unary::Abs, in, result); }
HRESULT VarFix(LPVARIANT in, LPVARIANT result) { return unary(Unary::Fix, in, result); }
HRESULT VarInt(LPVARIANT in, LPVARIANT result) { return unary(Unary::Int, in, result); }
