// The intrinsic kit both dialects build their intrinsic libraries from: one class that runs the
// common call check (procedure / function / constant against bracket kind, result use and
// argument count) and then a table row's handler, and the helpers handlers read arguments and
// write results with. Arguments are read through by-reference variants; "written back"
// results go through them.
#pragma once

#include <functional>
#include <span>

#include "engine/vm/QelVMValues.h"
#include "host/core/SysUtils.h"

namespace qel_intrinsics {

// bokFixed: a constant whose value never changes (its handler runs once, at creation).
enum TIntrinsicKind : uint8_t { bokProcedure, bokFunction, bokConstant, bokFixed };

// AArgs[i] is the i-th argument slot (possibly a reference); AResult the result slot.
using THandler = void (*)(const TQelCall& ACall, VARIANT* AArgs, VARIANT& AResult);
// A handler that needs the calling machine (GetRef makes an event handler of it).
using TVmHandler = void (*)(TQelVMBase* AVM, const TQelCall& ACall, VARIANT* AArgs,
                            VARIANT& AResult);

inline constexpr int kVariable = -1;

struct TIntrinsicRow {
  const char16_t* FName;
  TIntrinsicKind FKind;
  int FArgsCount;  // kVariable: checked by the handler
  THandler FHandler;
  TVmHandler FVmHandler = nullptr;  // used instead of FHandler when set
};

// Creates one intrinsic object per row, in table order, and hands each to AProc.
void EnumIntrinsicRows(std::span<const TIntrinsicRow> ARows,
                       const std::function<void(TQelGlobalObject*)>& AProc);

// ---- argument reading (through references; conversion failures raise the variant error) ----
inline const VARIANT* Arg(VARIANT* AArgs, int AIndex) { return QelDeref(&AArgs[AIndex]); }
double ArgNumber(VARIANT* AArgs, int AIndex);
int32_t ArgInt(VARIANT* AArgs, int AIndex);
int64_t ArgInt64(VARIANT* AArgs, int AIndex);
String ArgText(VARIANT* AArgs, int AIndex);
inline bool IsArray(const VARIANT* AValue) { return (AValue->vt & VT_ARRAY) != 0 && AValue->parray; }
[[noreturn]] void FailArgCount();  // retInvalidParamCount
[[noreturn]] void FailConversion();  // the variant library's "Invalid variant type conversion"
// A text through the host's date-and-time parser, anything else as a number.
double ArgDateLike(VARIANT* AArgs, int AIndex);
// Element AIndex of dimension 1 of an array (the other dimensions at their low bound), copied
// into AOut as a variant of the array's element type; AOut must be empty.
void ArrayElement(SAFEARRAY* AArray, LONG AIndex, VARIANT& AOut);
// The element at AIndices (natural order, one per dimension), copied likewise.
void ArrayElementAt(SAFEARRAY* AArray, LONG* AIndices, VARIANT& AOut);
// The dimension-1 bounds of a one-dimensional array argument; anything else is FailConversion.
void VectorBounds(VARIANT* AArgs, int AIndex, LONG& ALow, LONG& AHigh);
inline void RequireArgCount(const TQelCall& ACall, int AMin, int AMax) {
  if (ACall.FArgCount < AMin || ACall.FArgCount > AMax) FailArgCount();
}

// ---- results ----
void SetDouble(VARIANT& AResult, double AValue);
inline void SetInt(VARIANT& AResult, int32_t AValue) { QelSetI4(&AResult, AValue); }
void SetInt64(VARIANT& AResult, int64_t AValue);
inline void SetBoolean(VARIANT& AResult, bool AValue) { QelSetBool(&AResult, AValue); }
void SetText(VARIANT& AResult, std::u16string_view AValue);
void SetDate(VARIANT& AResult, double AValue);
void SetNull(VARIANT& AResult);
// A new variant vector with bounds 0 .. ACount - 1 as the result; its elements start empty.
SAFEARRAY* SetNewVector(VARIANT& AResult, size_t ACount);
// Stores AValue into the variable ASlot refers to; a slot without a reference drops it.
void WriteBack(VARIANT* ASlot, VARIANT& AValue);
void WriteBackInt(VARIANT* ASlot, int32_t AValue);
void WriteBackText(VARIANT* ASlot, std::u16string_view AValue);

// ---- handlers both dialects register, one row in each table ----
void CommonArcTan(const TQelCall&, VARIANT*, VARIANT&);
void CommonCos(const TQelCall&, VARIANT*, VARIANT&);
void CommonSin(const TQelCall&, VARIANT*, VARIANT&);
void CommonExp(const TQelCall&, VARIANT*, VARIANT&);
void CommonLn(const TQelCall&, VARIANT*, VARIANT&);
void CommonSqrt(const TQelCall&, VARIANT*, VARIANT&);
void CommonRound(const TQelCall&, VARIANT*, VARIANT&);   // halves to even, int64
void CommonRandom(const TQelCall&, VARIANT*, VARIANT&);  // [0, 1), or [0, n) with one argument
void CommonNow(const TQelCall&, VARIANT*, VARIANT&);
void CommonDate(const TQelCall&, VARIANT*, VARIANT&);
void CommonTime(const TQelCall&, VARIANT*, VARIANT&);
void CommonCreateObject(const TQelCall&, VARIANT*, VARIANT&);
void CommonGetObject(const TQelCall&, VARIANT*, VARIANT&);

}  // namespace qel_intrinsics
