// The general logical operations: VarAnd, VarOr, VarXor, VarEqv, VarImp, VarNot.
#include "platform/ole/OleInternal.h"

using namespace ole_detail;

namespace {

enum class Logic { And, Or, Xor, Eqv, Imp };

bool logicKind(VARTYPE vt) { return isNumericKind(vt) || vt == VT_BSTR || vt == VT_NULL; }

// Text takes part as its number, or else as its boolean ("True", "#FALSE#" ...).
HRESULT textOperand(Operand& op) {
  if (op.vt() != VT_BSTR) return S_OK;
  if (SUCCEEDED(op.textToNumber())) return S_OK;
  return DISP_E_TYPEMISMATCH;
}

HRESULT boolFromText(const VARIANT& v, VARIANT& out) {
  VariantInit(&out);
  out.vt = VT_BOOL;
  return textToBool(OleBstrView(v.bstrVal), OleGetRegionalSettings(), out.boolVal);
}

// Published result kinds: two booleans give a boolean; otherwise the narrowest integer kind
// that holds both operands' kinds (an I8 operand gives I8, reals, dates and currency I4).
VARTYPE logicResult(VARTYPE l, VARTYPE r) {
  if (l == VT_BOOL && r == VT_BOOL) return VT_BOOL;
  const int rl = rankOf(l), rr = rankOf(r);
  if (rl == 4 || rr == 4) return VT_I8;
  if (std::max(rl, rr) >= 3) return VT_I4;
  if (rl == 1 && rr == 1) return VT_UI1;
  return VT_I2;
}

HRESULT toBits(const VARIANT& v, VARTYPE kind, int128& bits) {
  VARIANT tmp;
  HRESULT hr = writeNum(readNum(v), kind == VT_BOOL ? VARTYPE(VT_I2) : kind, tmp);
  if (FAILED(hr)) return hr;
  bits = readNum(tmp).i;
  return S_OK;
}

// Keeps the bit pattern of v within the kind (UI1 stays 0..255, signed kinds sign-extend).
void storeBits(int128 v, VARTYPE kind, VARIANT& out) {
  VariantInit(&out);
  Num n;
  switch (kind) {
    case VT_BOOL:
      out.vt = VT_BOOL;
      out.boolVal = v ? VARIANT_TRUE : VARIANT_FALSE;
      return;
    case VT_UI1: n.i = static_cast<uint8_t>(v); break;
    case VT_I2: n.i = static_cast<int16_t>(v); break;
    case VT_I4: n.i = static_cast<int32_t>(v); break;
    default: n.i = static_cast<int64_t>(v); break;
  }
  writeNum(n, kind, out);
}

int128 apply(Logic op, int128 a, int128 b) {
  switch (op) {
    case Logic::And: return a & b;
    case Logic::Or: return a | b;
    case Logic::Xor: return a ^ b;
    case Logic::Eqv: return ~(a ^ b);
    default: return ~a | b;
  }
}

// One operand is NULL. The result is known only when the other operand decides it alone:
// NULL And 0 is 0, NULL Or x is x for x non-zero, NULL Imp -1 is -1, 0 Imp NULL is -1.
HRESULT withNull(Logic op, const VARIANT& other, bool otherIsLeft, VARIANT& out) {
  VariantInit(&out);
  out.vt = VT_NULL;
  if (other.vt == VT_NULL || op == Logic::Xor || op == Logic::Eqv) return S_OK;
  const VARTYPE kind = logicResult(other.vt, other.vt);
  int128 bits;
  HRESULT hr = toBits(other, kind, bits);
  if (FAILED(hr)) return hr;
  bool known = false;
  int128 value = bits;
  switch (op) {
    case Logic::And: known = bits == 0; break;
    case Logic::Or: known = bits != 0; break;
    default:
      if (otherIsLeft) known = bits == 0, value = -1;
      else known = bits == -1 || (kind == VT_UI1 && bits == 0xFF);
  }
  if (known) storeBits(value, kind, out);
  return S_OK;
}

HRESULT logic(Logic op, LPVARIANT pl, LPVARIANT pr, LPVARIANT result) {
  if (!result) return E_INVALIDARG;
  Operand l, r;
  HRESULT hr = loadOperands(pl, pr, l, r);
  if (FAILED(hr)) return hr;
  if (!logicKind(l.vt()) || !logicKind(r.vt())) return DISP_E_TYPEMISMATCH;
  VARIANT lb, rb;  // boolean text beside a boolean stays boolean
  const VARIANT* lv = &l.value();
  const VARIANT* rv = &r.value();
  if (lv->vt == VT_BSTR && rv->vt == VT_BOOL && SUCCEEDED(boolFromText(*lv, lb))) lv = &lb;
  if (rv->vt == VT_BSTR && lv->vt == VT_BOOL && SUCCEEDED(boolFromText(*rv, rb))) rv = &rb;
  if (lv == &l.value() && FAILED(hr = textOperand(l))) return hr;
  if (rv == &r.value() && FAILED(hr = textOperand(r))) return hr;
  VARIANT out;
  if (lv->vt == VT_NULL || rv->vt == VT_NULL) {
    hr = lv->vt == VT_NULL ? withNull(op, *rv, false, out) : withNull(op, *lv, true, out);
  } else {
    const VARTYPE kind = logicResult(lv->vt, rv->vt);
    int128 a, b;
    hr = toBits(*lv, kind, a);
    if (SUCCEEDED(hr)) hr = toBits(*rv, kind, b);
    if (SUCCEEDED(hr)) storeBits(apply(op, a, b), kind, out);
  }
  if (FAILED(hr)) return hr;
  moveInto(result, out);
  return S_OK;
}

}  // namespace

HRESULT VarAnd(LPVARIANT l, LPVARIANT r, LPVARIANT result) {
  return logic(Logic::And, l, r, result);
}
HRESULT VarOr(LPVARIANT l, LPVARIANT r, LPVARIANT result) { return logic(Logic::Or, l, r, result); }
HRESULT VarXor(LPVARIANT l, LPVARIANT r, LPVARIANT result) {
  return logic(Logic::Xor, l, r, result);
}
HRESULT VarEqv(LPVARIANT l, LPVARIANT r, LPVARIANT result) {
  return logic(Logic::Eqv, l, r, result);
}
HRESULT VarImp(LPVARIANT l, LPVARIANT r, LPVARIANT result) {
  return logic(Logic::Imp, l, r, result);
}

HRESULT VarNot(LPVARIANT pin, LPVARIANT result) {
  if (!result) return E_INVALIDARG;
  Operand in;
  HRESULT hr = in.load(pin);
  if (FAILED(hr)) return hr;
  if (!logicKind(in.vt())) return DISP_E_TYPEMISMATCH;
  VARIANT out;
  if (in.vt() == VT_NULL) {
    VariantInit(&out);
    out.vt = VT_NULL;
  } else if (in.vt() == VT_BSTR && FAILED(in.textToNumber())) {
    hr = boolFromText(in.value(), out);
    out.boolVal = ~out.boolVal;
  } else {
    // Integers keep their kind; booleans stay boolean; reals, dates and currency become I4.
    const VARTYPE vt = in.vt();
    const VARTYPE kind = vt == VT_BOOL     ? VARTYPE(VT_BOOL)
                         : vt == VT_EMPTY  ? VARTYPE(VT_I2)
                         : rankOf(vt) >= 5 ? VARTYPE(VT_I4)
                                           : vt;
    int128 bits;
    hr = toBits(in.value(), kind, bits);
    if (SUCCEEDED(hr)) {
      Num n;
      n.i = ~bits;
      if (!fitsKind(n.i, kind))
        n.i = ((int128(1) << (kindSize(kind) * 8)) - 1) - bits;  // unsigned kinds
      if (kind == VT_BOOL) storeBits(!bits, VT_BOOL, out);
      else hr = writeNum(n, kind, out);
    }
  }
  if (FAILED(hr)) return hr;
  moveInto(result, out);
  return S_OK;
}
