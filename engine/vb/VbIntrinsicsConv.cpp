// Conversions, type tests, array bounds and the numeric intrinsics.
#include <cmath>

#include "engine/vb/VbIntrinsics.h"

namespace qel_vb {
namespace {

void ChangeType(VARIANT* AArgs, VARIANT& AResult, VARTYPE AType) {
  TQelVar converted;
  QelCheckVar(VariantChangeType(&converted.V, Arg(AArgs, 0), 0, AType));
  QelClear(&AResult);
  AResult = converted.V;
  converted.V.vt = VT_EMPTY;
}

void Bound(const TQelCall& ACall, VARIANT* AArgs, VARIANT& AResult, bool AUpper) {
  RequireArgCount(ACall, 1, 2);
  const VARIANT* value = Arg(AArgs, 0);
  if (!IsArray(value)) EQelVMRuntime::RaiseError(AUpper ? retHighOnlyArray : retLowOnlyArray);
  const UINT dimension = ACall.FArgCount == 2 ? UINT(ArgInt(AArgs, 1)) : 1u;
  LONG bound = 0;
  QelCheckVar(AUpper ? SafeArrayGetUBound(value->parray, dimension, &bound)
                     : SafeArrayGetLBound(value->parray, dimension, &bound));
  SetInt(AResult, bound);
}

}  // namespace

void VbCStr(const TQelCall&, VARIANT* AArgs, VARIANT& AResult) { SetText(AResult, ArgText(AArgs, 0)); }
void VbCInt(const TQelCall&, VARIANT* AArgs, VARIANT& AResult) { ChangeType(AArgs, AResult, VT_I4); }
void VbCDbl(const TQelCall&, VARIANT* AArgs, VARIANT& AResult) { ChangeType(AArgs, AResult, VT_R8); }
void VbCBool(const TQelCall&, VARIANT* AArgs, VARIANT& AResult) { ChangeType(AArgs, AResult, VT_BOOL); }

void VbIsNull(const TQelCall&, VARIANT* AArgs, VARIANT& AResult) {
  SetBoolean(AResult, Arg(AArgs, 0)->vt == VT_NULL);
}

void VbIsEmpty(const TQelCall&, VARIANT* AArgs, VARIANT& AResult) {
  SetBoolean(AResult, Arg(AArgs, 0)->vt == VT_EMPTY);
}

void VbIsArray(const TQelCall&, VARIANT* AArgs, VARIANT& AResult) {
  SetBoolean(AResult, (Arg(AArgs, 0)->vt & VT_ARRAY) != 0);
}

void VbIsObject(const TQelCall&, VARIANT* AArgs, VARIANT& AResult) {
  const VARTYPE vt = Arg(AArgs, 0)->vt;
  SetBoolean(AResult, vt == VT_DISPATCH || vt == VT_UNKNOWN);
}

void VbVarType(const TQelCall&, VARIANT* AArgs, VARIANT& AResult) {
  SetInt(AResult, Arg(AArgs, 0)->vt);
}

void VbUBound(const TQelCall& C, VARIANT* A, VARIANT& R) { Bound(C, A, R, true); }
void VbLBound(const TQelCall& C, VARIANT* A, VARIANT& R) { Bound(C, A, R, false); }

void VbAbs(const TQelCall&, VARIANT* AArgs, VARIANT& AResult) {
  if (NullIn(AArgs, AResult)) return;
  SetDouble(AResult, std::fabs(ArgNumber(AArgs, 0)));
}

void VbInt(const TQelCall&, VARIANT* AArgs, VARIANT& AResult) {
  if (NullIn(AArgs, AResult)) return;
  SetDouble(AResult, std::floor(ArgNumber(AArgs, 0)));
}

void VbFix(const TQelCall&, VARIANT* AArgs, VARIANT& AResult) {
  if (NullIn(AArgs, AResult)) return;
  SetDouble(AResult, std::trunc(ArgNumber(AArgs, 0)));
}

void VbSgn(const TQelCall&, VARIANT* AArgs, VARIANT& AResult) {
  if (Arg(AArgs, 0)->vt == VT_NULL) throw ExceptionPtr(new EVariantTypeCastError());
  const double value = ArgNumber(AArgs, 0);
  SetInt(AResult, value > 0 ? 1 : value < 0 ? -1 : 0);
}

}  // namespace qel_vb
