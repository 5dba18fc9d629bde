// The intrinsic table, the common call check and the argument and result helpers.
#include "engine/pascal/PasIntrinsics.h"

#include "engine/vm/QelSctVMCompBase.h"

namespace qel_pas {
namespace {

enum TCallCheck : uint8_t { ccCall, ccCount, ccMismatch };

TCallCheck CheckCall(TPasIntrinsicKind AKind, const TQelCall& ACall, bool AVariableCount) {
  if (ACall.FBracketType == bkBlock) return ccMismatch;
  const TCallCheck counted = AVariableCount ? ccCall : ccCount;
  switch (AKind) {
    case bokProcedure: return ACall.IsResUsed() ? ccMismatch : counted;
    case bokFunction: return counted;
    case bokConstant: case bokFixed: return ACall.FBracketType == bkNon ? ccCall : ccMismatch;
  }
  return ccMismatch;
}

// One class serves every row: the row's handler does the work once the call check passed.
class TPasIntrinsic : public TIntrinsic {
 public:
  TPasIntrinsic(const std::u16string& AStrName, TPasIntrinsicKind AKind, int AArgsCount,
                TPasHandler AHandler)
      : TIntrinsic(QelNameTable().GetNameIndex(AStrName, true), AStrName),
        FKind(AKind), FArgsCount(AArgsCount), FHandler(AHandler) {
    if (AKind == bokFixed) {
      TQelVar value;
      AHandler(TQelCall(), nullptr, value.V);
      SetFixedValue(value.V);
    }
  }

  void Execute(TQelVMBase*, TQelCall* ACall, VARIANT* AArgs, VARIANT& AResult) override {
    switch (CheckCall(FKind, *ACall, FArgsCount < 0)) {
      case ccMismatch: EQelVMRuntime::RaiseError(retTypeMismatch);
      case ccCount:
        if (ACall->FArgCount != FArgsCount) EQelVMRuntime::RaiseError(retInvalidParamCount);
        break;
      case ccCall: break;
    }
    FHandler(*ACall, AArgs, AResult);
  }

 private:
  TPasIntrinsicKind FKind;
  int FArgsCount;  // -1: variable, checked by the handler
  TPasHandler FHandler;
};

struct TPasIntrinsicRow {
  const char16_t* FName;
  TPasIntrinsicKind FKind;
  int FArgsCount;
  TPasHandler FHandler;
};

constexpr int kVariable = -1;

// In the dialect's published order.
constexpr TPasIntrinsicRow kIntrinsics[] = {
    {u"Null", bokFixed, 0, PasNull},
    {u"Unassigned", bokFixed, 0, PasUnassigned},
    {u"Include", bokProcedure, 2, PasInclude},
    {u"Exclude", bokProcedure, 2, PasExclude},
    {u"Beep", bokProcedure, 0, PasBeep},
    {u"ArcTan", bokFunction, 1, PasArcTan},
    {u"Cos", bokFunction, 1, PasCos},
    {u"Dec", bokProcedure, kVariable, PasDec},
    {u"Sin", bokFunction, 1, PasSin},
    {u"LowerCase", bokFunction, 1, PasLowerCase},
    {u"High", bokFunction, kVariable, PasHigh},
    {u"Low", bokFunction, kVariable, PasLow},
    {u"Ln", bokFunction, 1, PasLn},
    {u"AnsiCompareStr", bokFunction, 2, PasAnsiCompareStr},
    {u"AnsiCompareText", bokFunction, 2, PasAnsiCompareText},
    {u"AnsiLowerCase", bokFunction, 1, PasAnsiLowerCase},
    {u"AnsiUpperCase", bokFunction, 1, PasAnsiUpperCase},
    {u"Abs", bokFunction, 1, PasAbs},
    {u"CompareStr", bokFunction, 2, PasCompareStr},
    {u"CompareText", bokFunction, 2, PasCompareText},
    {u"Date", bokConstant, 0, PasDate},
    {u"DateTimeToStr", bokFunction, 1, PasDateTimeToStr},
    {u"DateToStr", bokFunction, 1, PasDateToStr},
    {u"DayOfWeek", bokFunction, 1, PasDayOfWeek},
    {u"DecodeDate", bokProcedure, 4, PasDecodeDate},
    {u"Exp", bokFunction, 1, PasExp},
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
    {u"Now", bokFunction, 0, PasNow},
    {u"Odd", bokFunction, 1, PasOdd},
    {u"Pos", bokFunction, 2, PasPos},
    {u"Random", bokFunction, kVariable, PasRandom},
    {u"Round", bokFunction, 1, PasRound},
    {u"Sqr", bokFunction, 1, PasSqr},
    {u"Sqrt", bokFunction, 1, PasSqrt},
    {u"StrToDate", bokFunction, 1, PasStrToDate},
    {u"StrToDateTime", bokFunction, 1, PasStrToDateTime},
    {u"StrToFloat", bokFunction, 1, PasStrToFloat},
    {u"StrToInt", bokFunction, 1, PasStrToInt},
    {u"StrToIntDef", bokFunction, 2, PasStrToIntDef},
    {u"Time", bokFunction, 0, PasTime},
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
    {u"CreateOleObject", bokFunction, 1, PasCreateOleObject},
    {u"GetActiveOleObject", bokFunction, 1, PasGetActiveOleObject},
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
  for (const TPasIntrinsicRow& row : kIntrinsics)
    AProc(new TPasIntrinsic(row.FName, row.FKind, row.FArgsCount, row.FHandler));
}

double ArgNumber(VARIANT* AArgs, int AIndex) { return QelToDouble(Arg(AArgs, AIndex)); }

int32_t ArgInt(VARIANT* AArgs, int AIndex) { return QelToInt32(Arg(AArgs, AIndex)); }

int64_t ArgInt64(VARIANT* AArgs, int AIndex) {
  TQelVar converted;
  QelCheckVar(VariantChangeType(&converted.V, Arg(AArgs, AIndex), 0, VT_I8));
  return converted.V.llVal;
}

String ArgText(VARIANT* AArgs, int AIndex) {
  const VARIANT* value = Arg(AArgs, AIndex);
  if (value->vt == VT_BSTR) return String(OleBstrView(value->bstrVal));
  TQelVar converted;
  QelCheckVar(VariantChangeType(&converted.V, value, 0, VT_BSTR));
  return String(OleBstrView(converted.V.bstrVal));
}

void FailArgCount() { EQelVMRuntime::RaiseError(retInvalidParamCount); }

void SetDouble(VARIANT& AResult, double AValue) {
  QelClear(&AResult);
  AResult.vt = VT_R8;
  AResult.dblVal = AValue;
}

void SetInt64(VARIANT& AResult, int64_t AValue) {
  QelClear(&AResult);
  AResult.vt = VT_I8;
  AResult.llVal = AValue;
}

void SetText(VARIANT& AResult, std::u16string_view AValue) {
  BSTR text = OleAllocBstr(AValue);
  if (!text) throw ExceptionPtr(new EOutOfMemory());
  QelClear(&AResult);
  AResult.vt = VT_BSTR;
  AResult.bstrVal = text;
}

void SetDate(VARIANT& AResult, double AValue) {
  QelClear(&AResult);
  AResult.vt = VT_DATE;
  AResult.date = AValue;
}

void WriteBack(VARIANT* ASlot, VARIANT& AValue) {
  if (ASlot->vt != VT_REFVARIANT) {
    QelClear(&AValue);
    return;
  }
  VARIANT* target = QelDeref(ASlot);
  QelClear(target);
  *target = AValue;
  AValue.vt = VT_EMPTY;
}

void WriteBackInt(VARIANT* ASlot, int32_t AValue) {
  TQelVar value;
  SetInt(value.V, AValue);
  WriteBack(ASlot, value.V);
}

void WriteBackText(VARIANT* ASlot, std::u16string_view AValue) {
  TQelVar value;
  SetText(value.V, AValue);
  WriteBack(ASlot, value.V);
}

}  // namespace qel_pas
