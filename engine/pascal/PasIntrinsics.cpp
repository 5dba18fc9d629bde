// The intrinsic table of the dialect (the call check and helpers are the compiler layer's kit).
#include "engine/pascal/PasIntrinsics.h"

namespace qel_pas {
namespace {

// In the dialect's published order.
constexpr TIntrinsicRow kIntrinsics[] = {
    {u"Null", bokFixed, 0, PasNull},
    {u"Unassigned", bokFixed, 0, PasUnassigned},
    {u"Include", bokProcedure, 2, PasInclude},
    {u"Exclude", bokProcedure, 2, PasExclude},
    {u"Beep", bokProcedure, 0, PasBeep},
    {u"ArcTan", bokFunction, 1, CommonArcTan},
    {u"Cos", bokFunction, 1, CommonCos},
    {u"Dec", bokProcedure, kVariable, PasDec},
    {u"Sin", bokFunction, 1, CommonSin},
    {u"LowerCase", bokFunction, 1, PasLowerCase},
    {u"High", bokFunction, kVariable, PasHigh},
    {u"Low", bokFunction, kVariable, PasLow},
    {u"Ln", bokFunction, 1, CommonLn},
    {u"AnsiCompareStr", bokFunction, 2, PasAnsiCompareStr},
    {u"AnsiCompareText", bokFunction, 2, PasAnsiCompareText},
    {u"AnsiLowerCase", bokFunction, 1, PasAnsiLowerCase},
    {u"AnsiUpperCase", bokFunction, 1, PasAnsiUpperCase},
    {u"Abs", bokFunction, 1, PasAbs},
    {u"CompareStr", bokFunction, 2, PasCompareStr},
    {u"CompareText", bokFunction, 2, PasCompareText},
    {u"Date", bokConstant, 0, CommonDate},
    {u"DateTimeToStr", bokFunction, 1, PasDateTimeToStr},
    {u"DateToStr", bokFunction, 1, PasDateToStr},
    {u"DayOfWeek", bokFunction, 1, PasDayOfWeek},
    {u"DecodeDate", bokProcedure, 4, PasDecodeDate},
    {u"Exp", bokFunction, 1, CommonExp},
    {u"FloatToStr", bokFunction, 1, PasFloatToStr},
    {u"Frac", bokFunction, 1, PasFrac},
    {u"Int", bokFunction, 1, PasInt},
    {u"IntToHex", bokFunction, 2, PasIntToHex},
    {u"IntToStr", bokFunction, 1, PasIntToStr},
    {u"IsLeapYear", bokFunction, 1, PasIsLeapYear},
    {u"IsValidIdent", bokFunction, 1, PasIsValidIdent},
    {u"True", bokFixed, 0, PasTrue},
    {u"False", bokFixed, 0, PasFalse},
    {u"Length", bokFunction, kVariable, PasLength},
    {u"Now", bokFunction, 0, CommonNow},
    {u"Odd", bokFunction, 1, PasOdd},
    {u"Pos", bokFunction, 2, PasPos},
    {u"Random", bokFunction, kVariable, CommonRandom},
    {u"Round", bokFunction, 1, CommonRound},
    {u"Sqr", bokFunction, 1, PasSqr},
    {u"Sqrt", bokFunction, 1, CommonSqrt},
    {u"StrToDate", bokFunction, 1, PasStrToDate},
    {u"StrToDateTime", bokFunction, 1, PasStrToDateTime},
    {u"StrToFloat", bokFunction, 1, PasStrToFloat},
    {u"StrToInt", bokFunction, 1, PasStrToInt},
    {u"StrToIntDef", bokFunction, 2, PasStrToIntDef},
    {u"Time", bokFunction, 0, CommonTime},
    {u"TimeToStr", bokFunction, 1, PasTimeToStr},
    {u"StrToTime", bokFunction, 1, PasStrToTime},
    {u"Trim", bokFunction, 1, PasTrim},
    {u"TrimLeft", bokFunction, 1, PasTrimLeft},
    {u"TrimRight", bokFunction, 1, PasTrimRight},
    {u"Trunc", bokFunction, 1, PasTrunc},
    {u"UpperCase", bokFunction, 1, PasUpperCase},
    {u"VarIsNull", bokFunction, 1, PasVarIsNull},
    {u"VarToStr", bokFunction, 1, PasVarToStr},
    {u"Assigned", bokFunction, 1, PasAssigned},
    {u"ShowMessage", bokProcedure, 1, PasShowMessage},
    {u"Insert", bokProcedure, 3, PasInsert},
    {u"IncMonth", bokFunction, kVariable, PasIncMonth},
    {u"Inc", bokProcedure, kVariable, PasInc},
    {u"Chr", bokFunction, 1, PasChr},
    {u"Copy", bokFunction, 3, PasCopy},
    {u"Delete", bokProcedure, 3, PasDelete},
    {u"CreateOleObject", bokFunction, 1, CommonCreateObject},
    {u"GetActiveOleObject", bokFunction, 1, CommonGetObject},
    {u"InputQuery", bokFunction, 3, PasInputQuery},
    {u"DecodeTime", bokProcedure, 5, PasDecodeTime},
    {u"EncodeDate", bokFunction, 3, PasEncodeDate},
    {u"EncodeTime", bokFunction, 4, PasEncodeTime},
    {u"Format", bokFunction, kVariable, PasFormat},
    {u"FormatFloat", bokFunction, 2, PasFormatFloat},
    {u"FormatDateTime", bokFunction, 2, PasFormatDateTime},
    {u"Ord", bokFunction, 1, PasOrd},
};
static_assert(std::size(kIntrinsics) == 76);

}  // namespace

void EnumPasIntrinsics(const std::function<void(TQelGlobalObject*)>& AProc) {
  EnumIntrinsicRows(kIntrinsics, AProc);
}


}  // namespace qel_pas
