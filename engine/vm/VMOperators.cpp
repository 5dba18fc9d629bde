// Value semantics of the operator instructions: the inline numeric classes (32-bit, 64-bit,
// floating) and the general variant operations they fall back to.
#include <cmath>
#include <limits>
#include <type_traits>

#include "engine/vm/QelVMInternal.h"

void QelRaiseVarError(HRESULT AHr) {
  if (AHr == DISP_E_TYPEMISMATCH || AHr == DISP_E_BADVARTYPE)
    throw ExceptionPtr(new EVariantTypeCastError());
  if (AHr == DISP_E_DIVBYZERO) throw ExceptionPtr(new EDivByZero());
  if (AHr == DISP_E_OVERFLOW) throw ExceptionPtr(new EVariantError(u"Variant overflow"));
  if (AHr == E_OUTOFMEMORY) throw ExceptionPtr(new EOutOfMemory());
  throw ExceptionPtr(new EOleSysError(OleErrorText(AHr), AHr));
}

namespace {

enum TNumClass : uint8_t { ncNone, nc32, nc64, ncFloat };

TNumClass ClassOf(VARTYPE AVt) {
  switch (AVt) {
    case VT_I2: case VT_I4: case VT_BOOL: case VT_I1: case VT_UI1: case VT_UI2: return nc32;
    case VT_UI4: case VT_I8: return nc64;
    case VT_R4: case VT_R8: return ncFloat;
    default: return ncNone;
  }
}

int32_t Get32(const VARIANT* A) {
  switch (A->vt) {
    case VT_I2: return A->iVal;
    case VT_I4: return A->lVal;
    case VT_BOOL: return A->boolVal;
    case VT_I1: return A->cVal;
    case VT_UI1: return A->bVal;
    default: return A->uiVal;  // VT_UI2
  }
}

int64_t Get64(const VARIANT* A) {
  if (A->vt == VT_UI4) return A->ulVal;
  if (A->vt == VT_I8) return A->llVal;
  return Get32(A);
}

double GetDouble(const VARIANT* A) {
  if (A->vt == VT_R8) return A->dblVal;
  if (A->vt == VT_R4) return A->fltVal;
  return double(Get64(A));
}

void SetI8(VARIANT* ADst, int64_t AValue) {
  QelClear(ADst);
  ADst->vt = VT_I8;
  ADst->llVal = AValue;
}

void SetR8(VARIANT* ADst, double AValue) {
  QelClear(ADst);
  ADst->vt = VT_R8;
  ADst->dblVal = AValue;
}

// The general operation for everything the inline classes do not cover.
using TVarBinFunc = HRESULT (*)(LPVARIANT, LPVARIANT, LPVARIANT);

TVarBinFunc VarFuncOf(uint8_t ACode) {
  switch (ACode) {
    case icPlus: return VarAdd;
    case icMinus: return VarSub;
    case icMultiply: return VarMul;
    case icDivide: return VarDiv;
    case icIntDiv: return VarIdiv;
    case icMod: return VarMod;
    case icAnd: return VarAnd;
    case icOr: return VarOr;
    case icXor: return VarXor;
    default: return nullptr;
  }
}

bool IsNull(const VARIANT* A) { return A->vt == VT_NULL; }
bool IsEmptyOrNull(const VARIANT* A) { return A->vt == VT_EMPTY || A->vt == VT_NULL; }

void GeneralConcat(VARIANT* ALeft, const VARIANT* ARight) {
  std::u16string text;
  for (const VARIANT* operand : {static_cast<const VARIANT*>(ALeft), ARight}) {
    if (IsEmptyOrNull(operand)) continue;
    if (operand->vt == VT_BSTR) {
      text += OleBstrView(operand->bstrVal);
      continue;
    }
    TQelVar str;
    QelCheckVar(VariantChangeType(&str.V, operand, 0, VT_BSTR));
    text += OleBstrView(str.V.bstrVal);
  }
  BSTR result = OleAllocBstr(text);
  if (!result) throw ExceptionPtr(new EOutOfMemory());
  QelClear(ALeft);
  ALeft->vt = VT_BSTR;
  ALeft->bstrVal = result;
}

void GeneralPower(VARIANT* ALeft, const VARIANT* ARight) {
  double base = QelToDouble(ALeft), exponent = QelToDouble(ARight);
  SetR8(ALeft, std::pow(base, exponent));
}

void GeneralEqv(VARIANT* ALeft, const VARIANT* ARight) {
  if (IsNull(ALeft) || IsNull(ARight)) {
    QelClear(ALeft);
    ALeft->vt = VT_NULL;
    return;
  }
  if (ALeft->vt == VT_BOOL && ARight->vt == VT_BOOL) {
    QelSetBool(ALeft, (ALeft->boolVal != 0) == (ARight->boolVal != 0));
    return;
  }
  int32_t l = QelToInt32(ALeft), r = QelToInt32(ARight);
  QelSetI4(ALeft, ~(l ^ r));
}

void GeneralImp(VARIANT* ALeft, const VARIANT* ARight) {
  auto kind = [](const VARIANT* A) { return IsNull(A) ? 'N' : A->vt == VT_BOOL ? 'B' : 'O'; };
  auto value = [](const VARIANT* A, int32_t ANullValue) -> int32_t {
    if (IsNull(A)) return ANullValue;
    if (A->vt == VT_BOOL) return A->boolVal ? -1 : 0;
    return QelToInt32(A);
  };
  char lk = kind(ALeft), rk = kind(ARight);
  int32_t r = ~value(ALeft, -1) | value(ARight, 0);
  bool anyNull = lk == 'N' || rk == 'N';
  if (anyNull && r == 0) {
    QelClear(ALeft);
    ALeft->vt = VT_NULL;
  } else if ((lk == 'B' && rk == 'B') || (anyNull && (lk == 'B' || rk == 'B'))) {
    QelSetBool(ALeft, r != 0);
  } else {
    QelSetI4(ALeft, r);
  }
}

void GeneralOp(uint8_t ACode, VARIANT* ALeft, const VARIANT* ARight) {
  switch (ACode) {
    case icStrConcat: return GeneralConcat(ALeft, ARight);
    case icPower: return GeneralPower(ALeft, ARight);
    case icEqv: return GeneralEqv(ALeft, ARight);
    case icImp: return GeneralImp(ALeft, ARight);
    case icShl: case icShr: {
      // Shifts of kinds outside the numeric classes work on their integer values.
      int32_t l = QelToInt32(ALeft), r = QelToInt32(ARight);
      uint32_t u = uint32_t(l);
      QelSetI4(ALeft, int32_t(ACode == icShl ? u << (r & 31) : u >> (r & 31)));
      return;
    }
    default: break;
  }
  TVarBinFunc func = VarFuncOf(ACode);
  if (!func) throw ExceptionPtr(new EVariantError(u"Invalid variant operation"));
  TQelVar result;
  VARIANT left = *ALeft, right = *ARight;  // the Var* routines do not change their inputs
  QelCheckVar(func(&left, &right, &result.V));
  QelMove(ALeft, &result.V);
}

void SetInt(VARIANT* ADst, int32_t AValue) { QelSetI4(ADst, AValue); }
void SetInt(VARIANT* ADst, int64_t AValue) { SetI8(ADst, AValue); }

// The 32-bit class (T = int32_t) and the 64-bit class (T = int64_t). 32-bit plus and minus
// leave overflow to the general operation; 64-bit ones wrap. False: use the general operation.
template <class T>
bool OpInt(uint8_t ACode, T l, T r, VARIANT* ALeft) {
  using U = std::make_unsigned_t<T>;
  constexpr bool Wraps = sizeof(T) == 8;
  constexpr U ShiftMask = sizeof(T) * 8 - 1;
  T res;
  switch (ACode) {
    case icPlus:
      if constexpr (Wraps) res = T(U(l) + U(r));
      else if (__builtin_add_overflow(l, r, &res)) return false;
      break;
    case icMinus:
      if constexpr (Wraps) res = T(U(l) - U(r));
      else if (__builtin_sub_overflow(l, r, &res)) return false;
      break;
    case icMultiply: if (__builtin_mul_overflow(l, r, &res)) return false; break;
    case icIntDiv: case icMod:
      if (r == 0) throw ExceptionPtr(new EDivByZero());
      if (r == -1 && l == std::numeric_limits<T>::min()) return false;
      res = ACode == icIntDiv ? l / r : l % r;
      break;
    case icShl: res = T(U(l) << (U(r) & ShiftMask)); break;
    case icShr: res = T(U(l) >> (U(r) & ShiftMask)); break;
    case icAnd: res = l & r; break;
    case icOr: res = l | r; break;
    case icXor: res = l ^ r; break;
    case icEqv: res = ~(l ^ r); break;
    case icImp: res = ~l | r; break;
    default: return false;
  }
  SetInt(ALeft, res);
  return true;
}

bool OpFloat(uint8_t ACode, double l, double r, VARIANT* ALeft) {
  double res;
  switch (ACode) {
    case icPlus: res = l + r; break;
    case icMinus: res = l - r; break;
    case icMultiply: res = l * r; break;
    case icDivide: res = l / r; break;
    default: return false;
  }
  SetR8(ALeft, res);
  return true;
}

bool OpBoolBool(uint8_t ACode, bool l, bool r, VARIANT* ALeft) {
  bool res;
  switch (ACode) {
    case icAnd: res = l && r; break;
    case icOr: res = l || r; break;
    case icXor: res = l != r; break;
    case icEqv: res = l == r; break;
    case icImp: res = !l || r; break;
    default: return OpInt<int32_t>(ACode, l ? 1 : 0, r ? 1 : 0, ALeft);
  }
  QelSetBool(ALeft, res);
  return true;
}

bool FastOp(uint8_t ACode, VARIANT* ALeft, const VARIANT* ARight) {
  TNumClass lc = ClassOf(ALeft->vt), rc = ClassOf(ARight->vt);
  if (lc == ncNone || rc == ncNone) return false;
  if (ALeft->vt == VT_BOOL && ARight->vt == VT_BOOL)
    return OpBoolBool(ACode, ALeft->boolVal != 0, ARight->boolVal != 0, ALeft);
  if (lc == ncFloat || rc == ncFloat) return OpFloat(ACode, GetDouble(ALeft), GetDouble(ARight), ALeft);
  if (lc == nc64 || rc == nc64) return OpInt<int64_t>(ACode, Get64(ALeft), Get64(ARight), ALeft);
  return OpInt<int32_t>(ACode, Get32(ALeft), Get32(ARight), ALeft);
}

// -1, 0, 1 for an exact comparison of two numeric-class values.
template <class T>
int Sign(T l, T r) {
  return l < r ? -1 : (l > r ? 1 : 0);
}

bool Holds(uint8_t ACode, int ASign) {
  switch (ACode) {
    case icGreater: return ASign > 0;
    case icGreaterEqual: return ASign >= 0;
    case icLess: return ASign < 0;
    case icLessEqual: return ASign <= 0;
    case icEqual: return ASign == 0;
    default: return ASign != 0;  // icNotEqual
  }
}

}  // namespace

void QelBinaryOp(uint8_t ACode, VARIANT* ASlot, const VARIANT* ARight) {
  // The result replaces the left operand's slot; a reference there is read, not written through.
  VARIANT* left = QelDeref(ASlot);
  ARight = QelDeref(ARight);
  if (left != ASlot) QelCopy(ASlot, left);
  if (!FastOp(ACode, ASlot, ARight)) GeneralOp(ACode, ASlot, ARight);
}

bool QelCompare(uint8_t ACode, const VARIANT* ALeft, const VARIANT* ARight) {
  ALeft = QelDeref(ALeft);
  ARight = QelDeref(ARight);
  TNumClass lc = ClassOf(ALeft->vt), rc = ClassOf(ARight->vt);
  if (lc != ncNone && rc != ncNone) {
    if (ALeft->vt == VT_BOOL && ARight->vt == VT_BOOL)
      return Holds(ACode, Sign(ALeft->boolVal != 0, ARight->boolVal != 0));
    if (lc == ncFloat || rc == ncFloat) {
      double l = GetDouble(ALeft), r = GetDouble(ARight);
      if (std::isnan(l) || std::isnan(r)) return ACode == icNotEqual;
      return Holds(ACode, Sign(l, r));
    }
    return Holds(ACode, Sign(Get64(ALeft), Get64(ARight)));
  }
  if (ALeft->vt == VT_DISPATCH && ARight->vt == VT_DISPATCH &&
      (ACode == icEqual || ACode == icNotEqual))
    return Holds(ACode, ALeft->pdispVal == ARight->pdispVal ? 0 : 1);
  VARIANT left = *ALeft, right = *ARight;
  HRESULT hr = VarCmp(&left, &right, 0, 0);
  if (hr == VARCMP_NULL) return false;
  QelCheckVar(hr);
  return Holds(ACode, int(hr) - VARCMP_EQ);
}

bool QelEqual(const VARIANT* ALeft, const VARIANT* ARight) {
  return QelCompare(icEqual, ALeft, ARight);
}

void QelUnaryMinus(VARIANT* ASlot) {
  VARIANT* value = QelDeref(ASlot);
  if (value != ASlot) QelCopy(ASlot, value);
  VARIANT* v = ASlot;
  switch (v->vt) {
    case VT_I2: v->iVal = int16_t(-uint16_t(v->iVal)); return;
    case VT_I4: v->lVal = int32_t(-uint32_t(v->lVal)); return;
    case VT_I1: v->cVal = char(-int(v->cVal)); return;
    case VT_I8: v->llVal = int64_t(-uint64_t(v->llVal)); return;
    case VT_R4: v->fltVal = -v->fltVal; return;
    case VT_R8: v->dblVal = -v->dblVal; return;
    case VT_DATE: v->date = -v->date; return;
    case VT_CY: v->cyVal.int64 = int64_t(-uint64_t(v->cyVal.int64)); return;
    case VT_UI1: { int16_t x = -int16_t(v->bVal); v->vt = VT_I2; v->iVal = x; return; }
    case VT_UI2: { int32_t x = -int32_t(v->uiVal); v->vt = VT_I4; v->lVal = x; return; }
    case VT_UI4: {
      uint32_t u = v->ulVal;
      if (u & 0x80000000u) {
        v->vt = VT_I8;
        v->llVal = -int64_t(u);
      } else {
        v->vt = VT_I4;
        v->lVal = -int32_t(u);
      }
      return;
    }
    case VT_BOOL: { int16_t x = v->boolVal ? -1 : 0; v->vt = VT_I2; v->iVal = x; return; }
    default: {
      TQelVar result;
      QelCheckVar(VarNeg(v, &result.V));
      QelMove(v, &result.V);
    }
  }
}

void QelUnaryNot(VARIANT* ASlot) {
  VARIANT* value = QelDeref(ASlot);
  if (value != ASlot) QelCopy(ASlot, value);
  VARIANT* v = ASlot;
  switch (v->vt) {
    case VT_I2: v->iVal = int16_t(~v->iVal); return;
    case VT_I4: v->lVal = ~v->lVal; return;
    case VT_I1: v->cVal = char(~v->cVal); return;
    case VT_UI1: v->bVal = uint8_t(~v->bVal); return;
    case VT_UI2: v->uiVal = uint16_t(~v->uiVal); return;
    case VT_UI4: v->ulVal = ~v->ulVal; return;
    case VT_I8: v->llVal = ~v->llVal; return;
    case VT_UI8: v->ullVal = ~v->ullVal; return;
    case VT_BOOL: v->boolVal = v->boolVal ? VARIANT_FALSE : VARIANT_TRUE; return;
    case VT_R4: case VT_R8: case VT_DATE: case VT_CY: {
      double d = v->vt == VT_R4 ? v->fltVal : v->vt == VT_CY ? double(v->cyVal.int64) / 10000.0
                                                              : v->dblVal;
      double rounded = std::nearbyint(d);  // ties to even in the default rounding mode
      if (!(std::fabs(rounded) < 9.2e18)) QelRaiseVarError(DISP_E_OVERFLOW);
      int64_t i = int64_t(rounded);
      if (i >= INT32_MIN && i <= INT32_MAX) QelSetI4(v, ~int32_t(i));
      else SetI8(v, ~i);
      return;
    }
    default: {
      TQelVar result;
      QelCheckVar(VarNot(v, &result.V));
      QelMove(v, &result.V);
    }
  }
}

bool QelToBool(const VARIANT* AValue) {
  AValue = QelDeref(AValue);
  if (AValue->vt == VT_BOOL) return AValue->boolVal != 0;
  if (AValue->vt == VT_I4) return AValue->lVal != 0;
  TQelVar result;
  QelCheckVar(VariantChangeType(&result.V, AValue, 0, VT_BOOL));
  return result.V.boolVal != 0;
}

int32_t QelToInt32(const VARIANT* AValue) {
  AValue = QelDeref(AValue);
  if (AValue->vt == VT_I4) return AValue->lVal;
  TQelVar result;
  QelCheckVar(VariantChangeType(&result.V, AValue, 0, VT_I4));
  return result.V.lVal;
}

double QelToDouble(const VARIANT* AValue) {
  AValue = QelDeref(AValue);
  if (AValue->vt == VT_R8) return AValue->dblVal;
  TQelVar result;
  QelCheckVar(VariantChangeType(&result.V, AValue, 0, VT_R8));
  return result.V.dblVal;
}

void QelReleaseOwned(VARIANT* ASlot) {
  switch (ASlot->vt) {
    case VT_BSTR:
      SysFreeString(ASlot->bstrVal);
      break;
    case VT_DISPATCH: case VT_UNKNOWN:
      if (ASlot->punkVal) ASlot->punkVal->Release();
      break;
    default:
      VariantClear(ASlot);
      return;
  }
  ASlot->vt = VT_EMPTY;
}

void QelCopyOwned(VARIANT* ADst, const VARIANT* ASrc) {
  switch (ASrc->vt) {
    case VT_BSTR: {
      // A string slot takes the text into its own block when it fits (no allocation).
      if (ADst->vt == VT_BSTR && ADst->bstrVal && ASrc->bstrVal) {
        if (!OleBstrAssignBytes(&ADst->bstrVal, reinterpret_cast<const char*>(ASrc->bstrVal),
                                SysStringByteLen(ASrc->bstrVal)))
          QelRaiseVarError(E_OUTOFMEMORY);
        return;
      }
      // The copy is made before ADst is released: ASrc may belong to what ADst holds.
      BSTR copy = nullptr;
      if (ASrc->bstrVal) {
        copy = SysAllocStringByteLen(reinterpret_cast<const char*>(ASrc->bstrVal),
                                     SysStringByteLen(ASrc->bstrVal));
        if (!copy) QelRaiseVarError(E_OUTOFMEMORY);
      }
      QelClear(ADst);
      ADst->vt = VT_BSTR;
      ADst->llVal = 0;
      ADst->bstrVal = copy;
      return;
    }
    case VT_DISPATCH: case VT_UNKNOWN: {
      IUnknown* object = ASrc->punkVal;
      if (object) object->AddRef();
      QelClear(ADst);
      ADst->vt = ASrc->vt;
      ADst->llVal = 0;
      ADst->punkVal = object;
      return;
    }
    default:
      QelCheckVar(VariantCopy(ADst, ASrc));
  }
}
