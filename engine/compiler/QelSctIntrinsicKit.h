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

inline constexpr int kVariable = -1;

struct TIntrinsicRow {
  const char16_t* FName;
  TIntrinsicKind FKind;
  int FArgsCount;  // kVariable: checked by the handler
  THandler FHandler;
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
// Stores AValue into the variable ASlot refers to; a slot without a reference drops it.
void WriteBack(VARIANT* ASlot, VARIANT& AValue);
void WriteBackInt(VARIANT* ASlot, int32_t AValue);
void WriteBackText(VARIANT* ASlot, std::u16string_view AValue);

}  // namespace qel_intrinsics
