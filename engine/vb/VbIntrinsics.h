// The dialect's intrinsic library: constants first, then routines, one table row each, over the
// compiler layer's intrinsic kit (engine/compiler/QelSctIntrinsicKit.h).
#pragma once

#include <functional>

#include "engine/compiler/QelSctIntrinsicKit.h"

namespace qel_vb {

using namespace qel_intrinsics;

// "Null in, Null out": a Null first argument makes the result Null (and true is returned).
inline bool NullIn(VARIANT* AArgs, VARIANT& AResult) {
  if (Arg(AArgs, 0)->vt != VT_NULL) return false;
  QelClear(&AResult);
  AResult.vt = VT_NULL;
  return true;
}

// Creates the intrinsic objects in the dialect's table order and hands each to AProc.
void EnumVbIntrinsics(const std::function<void(TQelGlobalObject*)>& AProc);

// ---- handlers, by file ----
// VbIntrinsicsText.cpp
void VbLen(const TQelCall&, VARIANT*, VARIANT&);
void VbMid(const TQelCall&, VARIANT*, VARIANT&);
void VbLeft(const TQelCall&, VARIANT*, VARIANT&);
void VbRight(const TQelCall&, VARIANT*, VARIANT&);
void VbUCase(const TQelCall&, VARIANT*, VARIANT&);
void VbLCase(const TQelCall&, VARIANT*, VARIANT&);
void VbTrim(const TQelCall&, VARIANT*, VARIANT&);
void VbLTrim(const TQelCall&, VARIANT*, VARIANT&);
void VbRTrim(const TQelCall&, VARIANT*, VARIANT&);
void VbInStr(const TQelCall&, VARIANT*, VARIANT&);
void VbStrComp(const TQelCall&, VARIANT*, VARIANT&);
void VbAsc(const TQelCall&, VARIANT*, VARIANT&);
void VbChr(const TQelCall&, VARIANT*, VARIANT&);
void VbSpace(const TQelCall&, VARIANT*, VARIANT&);
void VbString(const TQelCall&, VARIANT*, VARIANT&);
// VbIntrinsicsConv.cpp
void VbCStr(const TQelCall&, VARIANT*, VARIANT&);
void VbCInt(const TQelCall&, VARIANT*, VARIANT&);
void VbCDbl(const TQelCall&, VARIANT*, VARIANT&);
void VbCBool(const TQelCall&, VARIANT*, VARIANT&);
void VbIsNull(const TQelCall&, VARIANT*, VARIANT&);
void VbIsEmpty(const TQelCall&, VARIANT*, VARIANT&);
void VbIsArray(const TQelCall&, VARIANT*, VARIANT&);
void VbIsObject(const TQelCall&, VARIANT*, VARIANT&);
void VbVarType(const TQelCall&, VARIANT*, VARIANT&);
void VbUBound(const TQelCall&, VARIANT*, VARIANT&);
void VbLBound(const TQelCall&, VARIANT*, VARIANT&);
void VbAbs(const TQelCall&, VARIANT*, VARIANT&);
void VbInt(const TQelCall&, VARIANT*, VARIANT&);
void VbFix(const TQelCall&, VARIANT*, VARIANT&);
void VbSgn(const TQelCall&, VARIANT*, VARIANT&);

}  // namespace qel_vb
