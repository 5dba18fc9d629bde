// The intrinsic table of the dialect: the named constants, then the routines.
#include "engine/vb/VbIntrinsics.h"

#include <iterator>

namespace qel_vb {
namespace {

struct TVbConstant {
  const char16_t* FName;
  int32_t FValue;
};

// In registration order; the four type codes without the "vb" prefix are registered so.
constexpr TVbConstant kConstants[] = {
    {u"vbEmpty", 0}, {u"vbNull", 1}, {u"vbSmallInt", 2}, {u"LongWord", 19}, {u"ShortInt", 16},
    {u"Int64", 20}, {u"UInt64", 21}, {u"vbInteger", 3}, {u"vbSingle", 4}, {u"vbDouble", 5},
    {u"vbCurrency", 6}, {u"vbDate", 7}, {u"vbString", 8}, {u"vbObject", 9}, {u"vbError", 10},
    {u"vbBoolean", 11}, {u"vbVariant", 12}, {u"vbDataObject", 13}, {u"vbByte", 17},
    {u"vbArray", 8192}, {u"vbUseSystemDayOfWeek", 0}, {u"vbSunday", 1}, {u"vbMonday", 2},
    {u"vbTuesday", 3}, {u"vbWednesday", 4}, {u"vbThursday", 5}, {u"vbFriday", 6},
    {u"vbSaturday", 7}, {u"vbBinaryCompare", 0}, {u"vbTextCompare", 1}, {u"vbOKOnly", 0},
    {u"vbOKCancel", 1}, {u"vbAbortRetryIgnore", 2}, {u"vbYesNoCancel", 3}, {u"vbYesNo", 4},
    {u"vbRetryCancel", 5}, {u"vbCritical", 16}, {u"vbQuestion", 32}, {u"vbExclamation", 48},
    {u"vbInformation", 64}, {u"vbOK", 1}, {u"vbCancel", 2}, {u"vbAbort", 3}, {u"vbRetry", 4},
    {u"vbIgnore", 5}, {u"vbYes", 6}, {u"vbNo", 7}};
static_assert(std::size(kConstants) == 47);

// A named constant: a fixed 32-bit integer, copied without a call.
class TVbConstantObject : public TIntrinsic {
 public:
  TVbConstantObject(const std::u16string& AStrName, int32_t AValue)
      : TIntrinsic(QelNameTable().GetNameIndex(AStrName, true), AStrName) {
    VARIANT value;
    value.vt = VT_I4;
    value.lVal = AValue;
    SetFixedValue(value);
  }
  void Execute(TQelVMBase*, TQelCall* ACall, VARIANT*, VARIANT& AResult) override {
    if (ACall->FBracketType != bkNon) EQelVMRuntime::RaiseError(retTypeMismatch);
    SetInt(AResult, FixedValue()->lVal);
  }
};

// In registration order. Sqr is the square root, as VB authors expect.
constexpr TIntrinsicRow kRoutines[] = {
    {u"Abs", bokFunction, 1, VbAbs},
    {u"Atn", bokFunction, 1, CommonArcTan},
    {u"Cos", bokFunction, 1, CommonCos},
    {u"Sin", bokFunction, 1, CommonSin},
    {u"Tan", bokFunction, 1, VbTan},
    {u"Sqr", bokFunction, 1, CommonSqrt},
    {u"Exp", bokFunction, 1, CommonExp},
    {u"CBool", bokFunction, 1, VbCBool},
    {u"CByte", bokFunction, 1, VbCByte},
    {u"CCur", bokFunction, 1, VbCCur},
    {u"CDate", bokFunction, 1, VbCDate},
    {u"CDbl", bokFunction, 1, VbCDbl},
    {u"CInt", bokFunction, 1, VbCInt},
    {u"CLng", bokFunction, 1, VbCInt},
    {u"CSng", bokFunction, 1, VbCSng},
    {u"CStr", bokFunction, 1, VbCStr},
    {u"Chr", bokFunction, 1, VbChr},
    {u"Int", bokFunction, 1, VbInt},
    {u"Fix", bokFunction, 1, VbFix},
    {u"Log", bokFunction, 1, CommonLn},
    {u"Round", bokFunction, kVariable, VbRound},
    {u"Sgn", bokFunction, 1, VbSgn},
    {u"Oct", bokFunction, 1, VbOct},
    {u"Hex", bokFunction, 1, VbHex},
    {u"VarType", bokFunction, 1, VbVarType},
    {u"TypeName", bokFunction, 1, VbTypeName},
    {u"IsArray", bokFunction, 1, VbIsArray},
    {u"IsDate", bokFunction, 1, VbIsDate},
    {u"IsEmpty", bokFunction, 1, VbIsEmpty},
    {u"IsNull", bokFunction, 1, VbIsNull},
    {u"IsNumeric", bokFunction, 1, VbIsNumeric},
    {u"IsObject", bokFunction, 1, VbIsObject},
    {u"Array", bokFunction, kVariable, VbArray},
    {u"LBound", bokFunction, kVariable, VbLBound},
    {u"UBound", bokFunction, kVariable, VbUBound},
    {u"Now", bokFunction, 0, CommonNow},
    {u"Date", bokFunction, 0, CommonDate},
    {u"Time", bokFunction, 0, CommonTime},
    {u"Year", bokFunction, 1, VbYear},
    {u"Month", bokFunction, 1, VbMonth},
    {u"Day", bokFunction, 1, VbDay},
    {u"Hour", bokFunction, 1, VbHour},
    {u"Minute", bokFunction, 1, VbMinute},
    {u"Second", bokFunction, 1, VbSecond},
    {u"Weekday", bokFunction, kVariable, VbWeekday},
    {u"WeekdayName", bokFunction, kVariable, VbWeekdayName},
    {u"MonthName", bokFunction, kVariable, VbMonthName},
    {u"DateSerial", bokFunction, 3, VbDateSerial},
    {u"TimeSerial", bokFunction, 3, VbTimeSerial},
    {u"DateValue", bokFunction, 1, VbDateValue},
    {u"TimeValue", bokFunction, 1, VbTimeValue},
    {u"DateAdd", bokFunction, 3, VbDateAdd},
    {u"Timer", bokFunction, 0, VbTimer},
    {u"RGB", bokFunction, 3, VbRGB},
    {u"Join", bokFunction, kVariable, VbJoin},
    {u"Filter", bokFunction, kVariable, VbFilter},
    {u"Rnd", bokFunction, 0, CommonRandom},
    {u"Randomize", bokProcedure, 0, VbRandomize},
    {u"CreateObject", bokFunction, 1, CommonCreateObject},
    {u"GetObject", bokFunction, 1, CommonGetObject},
    {u"Asc", bokFunction, 1, VbAsc},
    {u"UCase", bokFunction, 1, VbUCase},
    {u"LCase", bokFunction, 1, VbLCase},
    {u"Len", bokFunction, 1, VbLen},
    {u"LTrim", bokFunction, 1, VbLTrim},
    {u"RTrim", bokFunction, 1, VbRTrim},
    {u"Trim", bokFunction, 1, VbTrim},
    {u"Space", bokFunction, 1, VbSpace},
    {u"String", bokFunction, 2, VbString},
    {u"StrReverse", bokFunction, 1, VbStrReverse},
    {u"StrComp", bokFunction, kVariable, VbStrComp},
    {u"Left", bokFunction, 2, VbLeft},
    {u"Mid", bokFunction, kVariable, VbMid},
    {u"Right", bokFunction, 2, VbRight},
    {u"Split", bokFunction, kVariable, VbSplit},
    {u"Replace", bokFunction, kVariable, VbReplace},
    {u"InStr", bokFunction, kVariable, VbInStr},
    {u"InStrRev", bokFunction, kVariable, VbInStrRev},
    {u"InputBox", bokFunction, kVariable, VbInputBox},
    {u"MsgBox", bokFunction, kVariable, VbMsgBox},
    {u"GetRef", bokFunction, 1, nullptr, VbGetRef},
};
static_assert(std::size(kRoutines) == 81);

}  // namespace

void EnumVbIntrinsics(const std::function<void(TQelGlobalObject*)>& AProc) {
  for (const TVbConstant& c : kConstants) AProc(new TVbConstantObject(c.FName, c.FValue));
  EnumIntrinsicRows(kRoutines, AProc);
}

}  // namespace qel_vb
