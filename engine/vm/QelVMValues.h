// The value-slot helpers for language implementers: intrinsic routines read their arguments and
// write their results through these, with the machine's own copy, clear, conversion and operator
// semantics. Part of the compilers' contract (the machine's own structures are in
// QelVMInternal.h, which nothing outside engine/vm includes).
#pragma once

#include <cstdint>

#include "engine/vm/QelSctVM.h"

// ---------------------------------------------------------------------------------------------
// Value slots

// The interpreter's per-instruction helpers must not become calls.
#define QEL_VM_INLINE inline __attribute__((always_inline))

inline constexpr VARTYPE VT_REFVARIANT = VT_BYREF | VT_VARIANT;

// Whether clearing a value has to release something (string, interface, array, record).
// Asked for every slot the machine overwrites, so the plain kinds cost one test and a shift.
QEL_VM_INLINE bool QelNeedsClear(VARTYPE AVt) {
  constexpr uint64_t Owning =
      (1ull << VT_BSTR) | (1ull << VT_DISPATCH) | (1ull << VT_UNKNOWN) | (1ull << VT_RECORD);
  if (AVt < 64) [[likely]] return (Owning >> AVt) & 1;
  return (AVt & (VT_ARRAY | VT_BYREF)) == VT_ARRAY;
}

// Follows reference slots until a non-reference is reached.
QEL_VM_INLINE VARIANT* QelDeref(VARIANT* AValue) {
  while (AValue->vt == VT_REFVARIANT) AValue = AValue->pvarVal;
  return AValue;
}
QEL_VM_INLINE const VARIANT* QelDeref(const VARIANT* AValue) {
  while (AValue->vt == VT_REFVARIANT) AValue = AValue->pvarVal;
  return AValue;
}

// Strings and objects, the owning kinds the machine meets most, are released and copied
// directly; the rest goes through the variant library (VMOperators.cpp).
void QelReleaseOwned(VARIANT* ASlot);
void QelCopyOwned(VARIANT* ADst, const VARIANT* ASrc);

QEL_VM_INLINE void QelClear(VARIANT* ASlot) {
  if (QelNeedsClear(ASlot->vt)) QelReleaseOwned(ASlot);
  ASlot->vt = VT_EMPTY;
}

// Copies a value's bits. Kind and payload are copied as two fields rather than one 16-byte
// block: the interpreter writes results as a full 8-byte payload, and a 16-byte load of a slot
// whose parts were stored separately stalls store forwarding. (A decimal fills all 16 bytes.)
QEL_VM_INLINE void QelAssignBits(VARIANT* ADst, const VARIANT* ASrc) {
  if (ASrc->vt == VT_DECIMAL) [[unlikely]] {
    *ADst = *ASrc;
    return;
  }
  ADst->vt = ASrc->vt;
  ADst->llVal = ASrc->llVal;
}

// Raises the variant library's error for a failed HRESULT (type cast, overflow, ...).
[[noreturn]] void QelRaiseVarError(HRESULT AHr);

inline void QelCheckVar(HRESULT AHr) {
  if (FAILED(AHr)) QelRaiseVarError(AHr);
}

// Copies ASrc (as it is: a reference stays a reference) into ADst, releasing what ADst held.
QEL_VM_INLINE void QelCopy(VARIANT* ADst, const VARIANT* ASrc) {
  if (ADst == ASrc) return;
  if (!QelNeedsClear(ASrc->vt)) {
    QelClear(ADst);
    QelAssignBits(ADst, ASrc);
    return;
  }
  QelCopyOwned(ADst, ASrc);
}

// Copies the dereferenced value of ASrc into ADst.
QEL_VM_INLINE void QelCopyInd(VARIANT* ADst, const VARIANT* ASrc) { QelCopy(ADst, QelDeref(ASrc)); }

// Moves ASrc into ADst; ASrc is left empty.
QEL_VM_INLINE void QelMove(VARIANT* ADst, VARIANT* ASrc) {
  if (ADst == ASrc) return;
  QelClear(ADst);
  QelAssignBits(ADst, ASrc);
  ASrc->vt = VT_EMPTY;
}

QEL_VM_INLINE void QelSetRef(VARIANT* ADst, VARIANT* ATarget) {
  QelClear(ADst);
  ADst->vt = VT_REFVARIANT;
  ADst->pvarVal = ATarget;
}

QEL_VM_INLINE void QelSetI4(VARIANT* ADst, int32_t AValue) {
  QelClear(ADst);
  ADst->vt = VT_I4;
  ADst->llVal = AValue;  // the whole payload (see QelAssignBits); lVal is its low half
}

QEL_VM_INLINE void QelSetBool(VARIANT* ADst, bool AValue) {
  QelClear(ADst);
  ADst->vt = VT_BOOL;
  ADst->llVal = AValue ? VARIANT_TRUE : VARIANT_FALSE;  // the whole payload (see QelAssignBits)
}

// An owned variant for the machine's own temporaries.
struct TQelVar {
  VARIANT V{};
  TQelVar() = default;
  TQelVar(const TQelVar&) = delete;
  TQelVar& operator=(const TQelVar&) = delete;
  ~TQelVar() { QelClear(&V); }
  VARIANT* operator&() { return &V; }
  VARIANT Detach() {
    VARIANT R = V;
    V.vt = VT_EMPTY;
    return R;
  }
};

// The standard conversions of the dispatch contract: raise the variant error on failure.
bool QelToBool(const VARIANT* AValue);
int32_t QelToInt32(const VARIANT* AValue);
double QelToDouble(const VARIANT* AValue);

// Operators (value semantics of the operator instructions).
void QelBinaryOp(uint8_t ACode, VARIANT* ALeft, const VARIANT* ARight);
bool QelCompare(uint8_t ACode, const VARIANT* ALeft, const VARIANT* ARight);
bool QelEqual(const VARIANT* ALeft, const VARIANT* ARight);
void QelUnaryMinus(VARIANT* AValue);
void QelUnaryNot(VARIANT* AValue);
