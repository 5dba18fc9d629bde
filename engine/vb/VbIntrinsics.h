// The dialect's intrinsic library: constants first, then routines, one table row each, over the
// compiler layer's intrinsic kit (engine/compiler/QelSctIntrinsicKit.h).
#pragma once

#include <functional>
#include <vector>

#include "engine/compiler/QelSctIntrinsicKit.h"

namespace qel_vb {

using namespace qel_intrinsics;

// "Null in, Null out": a Null first argument makes the result Null (and true is returned).
inline bool NullIn(VARIANT* AArgs, VARIANT& AResult) {
  if (Arg(AArgs, 0)->vt != VT_NULL) return false;
  SetNull(AResult);
  return true;
}

// Upper case that keeps every position (VbIntrinsicsText.cpp): for comparisons ignoring case.
String CaseFolded(std::u16string_view AText);

// Texts collected into a new variant vector with bounds 0 .. n - 1 as the result.
void SetTextVector(VARIANT& AResult, const std::vector<String>& ATexts);
// The text of element AIndex of a vector.
String ElementText(SAFEARRAY* AArray, LONG AIndex);
// AText as comparisons see it: case-folded when they ignore case.
String CaseKey(String AText, bool AIgnoreCase);

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
void VbInStrRev(const TQelCall&, VARIANT*, VARIANT&);
void VbStrReverse(const TQelCall&, VARIANT*, VARIANT&);
void VbReplace(const TQelCall&, VARIANT*, VARIANT&);
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
void VbCByte(const TQelCall&, VARIANT*, VARIANT&);
void VbCCur(const TQelCall&, VARIANT*, VARIANT&);
void VbCSng(const TQelCall&, VARIANT*, VARIANT&);
void VbTan(const TQelCall&, VARIANT*, VARIANT&);
void VbRound(const TQelCall&, VARIANT*, VARIANT&);
void VbHex(const TQelCall&, VARIANT*, VARIANT&);
void VbOct(const TQelCall&, VARIANT*, VARIANT&);
void VbRGB(const TQelCall&, VARIANT*, VARIANT&);
void VbTypeName(const TQelCall&, VARIANT*, VARIANT&);
void VbIsNumeric(const TQelCall&, VARIANT*, VARIANT&);
// VbIntrinsicsDate.cpp
void VbYear(const TQelCall&, VARIANT*, VARIANT&);
void VbMonth(const TQelCall&, VARIANT*, VARIANT&);
void VbDay(const TQelCall&, VARIANT*, VARIANT&);
void VbHour(const TQelCall&, VARIANT*, VARIANT&);
void VbMinute(const TQelCall&, VARIANT*, VARIANT&);
void VbSecond(const TQelCall&, VARIANT*, VARIANT&);
void VbCDate(const TQelCall&, VARIANT*, VARIANT&);
void VbIsDate(const TQelCall&, VARIANT*, VARIANT&);
void VbDateValue(const TQelCall&, VARIANT*, VARIANT&);
void VbTimeValue(const TQelCall&, VARIANT*, VARIANT&);
void VbTimer(const TQelCall&, VARIANT*, VARIANT&);
void VbWeekday(const TQelCall&, VARIANT*, VARIANT&);
void VbWeekdayName(const TQelCall&, VARIANT*, VARIANT&);
void VbMonthName(const TQelCall&, VARIANT*, VARIANT&);
void VbDateSerial(const TQelCall&, VARIANT*, VARIANT&);
void VbTimeSerial(const TQelCall&, VARIANT*, VARIANT&);
void VbDateAdd(const TQelCall&, VARIANT*, VARIANT&);
// VbIntrinsicsArray.cpp
void VbArray(const TQelCall&, VARIANT*, VARIANT&);
void VbJoin(const TQelCall&, VARIANT*, VARIANT&);
void VbFilter(const TQelCall&, VARIANT*, VARIANT&);
void VbSplit(const TQelCall&, VARIANT*, VARIANT&);
// VbIntrinsicsMisc.cpp
void VbMsgBox(const TQelCall&, VARIANT*, VARIANT&);
void VbInputBox(const TQelCall&, VARIANT*, VARIANT&);
void VbRandomize(const TQelCall&, VARIANT*, VARIANT&);
void VbGetRef(TQelVMBase*, const TQelCall&, VARIANT*, VARIANT&);

}  // namespace qel_vb
