// The dialect's intrinsic library: one table row per routine or constant, each row naming a
// handler that does the work on OLE variants after the common call check has passed.
#pragma once

#include <functional>

#include "engine/compiler/QelSctIntrinsicKit.h"

namespace qel_pas {

using namespace qel_intrinsics;

// Creates the intrinsic objects in the dialect's table order and hands each to AProc.
void EnumPasIntrinsics(const std::function<void(TQelGlobalObject*)>& AProc);

// ---- handlers, by file ----
// PasIntrinsicsMath.cpp
void PasAbs(const TQelCall&, VARIANT*, VARIANT&);
void PasFrac(const TQelCall&, VARIANT*, VARIANT&);
void PasInt(const TQelCall&, VARIANT*, VARIANT&);
void PasSqr(const TQelCall&, VARIANT*, VARIANT&);
void PasTrunc(const TQelCall&, VARIANT*, VARIANT&);
void PasOdd(const TQelCall&, VARIANT*, VARIANT&);
void PasInclude(const TQelCall&, VARIANT*, VARIANT&);
void PasExclude(const TQelCall&, VARIANT*, VARIANT&);
void PasInc(const TQelCall&, VARIANT*, VARIANT&);
void PasDec(const TQelCall&, VARIANT*, VARIANT&);
// PasIntrinsicsText.cpp
void PasLowerCase(const TQelCall&, VARIANT*, VARIANT&);
void PasUpperCase(const TQelCall&, VARIANT*, VARIANT&);
void PasAnsiLowerCase(const TQelCall&, VARIANT*, VARIANT&);
void PasAnsiUpperCase(const TQelCall&, VARIANT*, VARIANT&);
void PasTrim(const TQelCall&, VARIANT*, VARIANT&);
void PasTrimLeft(const TQelCall&, VARIANT*, VARIANT&);
void PasTrimRight(const TQelCall&, VARIANT*, VARIANT&);
void PasCompareStr(const TQelCall&, VARIANT*, VARIANT&);
void PasCompareText(const TQelCall&, VARIANT*, VARIANT&);
void PasAnsiCompareStr(const TQelCall&, VARIANT*, VARIANT&);
void PasAnsiCompareText(const TQelCall&, VARIANT*, VARIANT&);
void PasIntToStr(const TQelCall&, VARIANT*, VARIANT&);
void PasIntToHex(const TQelCall&, VARIANT*, VARIANT&);
void PasStrToInt(const TQelCall&, VARIANT*, VARIANT&);
void PasStrToIntDef(const TQelCall&, VARIANT*, VARIANT&);
void PasStrToFloat(const TQelCall&, VARIANT*, VARIANT&);
void PasFloatToStr(const TQelCall&, VARIANT*, VARIANT&);
void PasFormatFloat(const TQelCall&, VARIANT*, VARIANT&);
void PasIsValidIdent(const TQelCall&, VARIANT*, VARIANT&);
void PasPos(const TQelCall&, VARIANT*, VARIANT&);
void PasChr(const TQelCall&, VARIANT*, VARIANT&);
void PasOrd(const TQelCall&, VARIANT*, VARIANT&);
void PasInsert(const TQelCall&, VARIANT*, VARIANT&);
void PasDelete(const TQelCall&, VARIANT*, VARIANT&);
void PasVarToStr(const TQelCall&, VARIANT*, VARIANT&);
void PasFormat(const TQelCall&, VARIANT*, VARIANT&);
// PasIntrinsicsDate.cpp
void PasDateTimeToStr(const TQelCall&, VARIANT*, VARIANT&);
void PasDateToStr(const TQelCall&, VARIANT*, VARIANT&);
void PasTimeToStr(const TQelCall&, VARIANT*, VARIANT&);
void PasStrToDate(const TQelCall&, VARIANT*, VARIANT&);
void PasStrToDateTime(const TQelCall&, VARIANT*, VARIANT&);
void PasStrToTime(const TQelCall&, VARIANT*, VARIANT&);
void PasDayOfWeek(const TQelCall&, VARIANT*, VARIANT&);
void PasDecodeDate(const TQelCall&, VARIANT*, VARIANT&);
void PasDecodeTime(const TQelCall&, VARIANT*, VARIANT&);
void PasEncodeDate(const TQelCall&, VARIANT*, VARIANT&);
void PasEncodeTime(const TQelCall&, VARIANT*, VARIANT&);
void PasIncMonth(const TQelCall&, VARIANT*, VARIANT&);
void PasIsLeapYear(const TQelCall&, VARIANT*, VARIANT&);
void PasFormatDateTime(const TQelCall&, VARIANT*, VARIANT&);
// PasIntrinsicsMisc.cpp
void PasNull(const TQelCall&, VARIANT*, VARIANT&);
void PasUnassigned(const TQelCall&, VARIANT*, VARIANT&);
void PasTrue(const TQelCall&, VARIANT*, VARIANT&);
void PasFalse(const TQelCall&, VARIANT*, VARIANT&);
void PasBeep(const TQelCall&, VARIANT*, VARIANT&);
void PasVarIsNull(const TQelCall&, VARIANT*, VARIANT&);
void PasAssigned(const TQelCall&, VARIANT*, VARIANT&);
void PasShowMessage(const TQelCall&, VARIANT*, VARIANT&);
void PasInputQuery(const TQelCall&, VARIANT*, VARIANT&);
// PasIntrinsicsArray.cpp
void PasHigh(const TQelCall&, VARIANT*, VARIANT&);
void PasLow(const TQelCall&, VARIANT*, VARIANT&);
void PasLength(const TQelCall&, VARIANT*, VARIANT&);
void PasCopy(const TQelCall&, VARIANT*, VARIANT&);

}  // namespace qel_pas
