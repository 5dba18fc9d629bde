// The intrinsic kit: the common call check and the argument and result helpers.
#include "engine/compiler/QelSctIntrinsicKit.h"

#include "engine/vm/QelSctVMCompBase.h"

namespace qel_intrinsics {
namespace {

enum TCallCheck : uint8_t { ccCall, ccCount, ccMismatch };

TCallCheck CheckCall(TIntrinsicKind AKind, const TQelCall& ACall, bool AVariableCount) {
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
// The check is the same in both dialects: Pascal's bkBlock is never a call, VB never writes it.
class TRowIntrinsic : public TIntrinsic {
 public:
  TRowIntrinsic(const std::u16string& AStrName, TIntrinsicKind AKind, int AArgsCount,
                THandler AHandler, TVmHandler AVmHandler)
      : TIntrinsic(QelNameTable().GetNameIndex(AStrName, true), AStrName),
        FKind(AKind), FArgsCount(AArgsCount), FHandler(AHandler), FVmHandler(AVmHandler) {
    if (AKind == bokFixed) {
      TQelVar value;
      AHandler(TQelCall(), nullptr, value.V);
      SetFixedValue(value.V);
    }
  }

  void Execute(TQelVMBase* AVM, TQelCall* ACall, VARIANT* AArgs, VARIANT& AResult) override {
    switch (CheckCall(FKind, *ACall, FArgsCount < 0)) {
      case ccMismatch: EQelVMRuntime::RaiseError(retTypeMismatch);
      case ccCount:
        if (ACall->FArgCount != FArgsCount) EQelVMRuntime::RaiseError(retInvalidParamCount);
        break;
      case ccCall: break;
    }
    if (FVmHandler) return FVmHandler(AVM, *ACall, AArgs, AResult);
    FHandler(*ACall, AArgs, AResult);
  }

 private:
  TIntrinsicKind FKind;
  int FArgsCount;  // -1: variable, checked by the handler
  THandler FHandler;
  TVmHandler FVmHandler;
};

}  // namespace

void EnumIntrinsicRows(std::span<const TIntrinsicRow> ARows,
                       const std::function<void(TQelGlobalObject*)>& AProc) {
  for (const TIntrinsicRow& row : ARows)
    AProc(new TRowIntrinsic(row.FName, row.FKind, row.FArgsCount, row.FHandler,
                             row.FVmHandler));
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

void FailConversion() { throw ExceptionPtr(new EVariantTypeCastError()); }

double ArgDateLike(VARIANT* AArgs, int AIndex) {
  const VARIANT* value = Arg(AArgs, AIndex);
  if (value->vt == VT_BSTR) return StrToDateTime(OleBstrView(value->bstrVal));
  return QelToDouble(value);
}

void ArrayElement(SAFEARRAY* AArray, LONG AIndex, VARIANT& AOut) {
  LONG indices[OLE_SAFEARRAY_MAX_DIMS] = {};
  const UINT dims = SafeArrayGetDim(AArray);
  for (UINT d = 2; d <= dims; ++d) QelCheckVar(SafeArrayGetLBound(AArray, d, &indices[d - 1]));
  indices[0] = AIndex;
  ArrayElementAt(AArray, indices, AOut);
}

void ArrayElementAt(SAFEARRAY* AArray, LONG* AIndices, VARIANT& AOut) {
  LONG* indices = AIndices;
  VARTYPE elementType = VT_VARIANT;
  QelCheckVar(SafeArrayGetVartype(AArray, &elementType));
  if (elementType == VT_VARIANT) {
    QelCheckVar(SafeArrayGetElement(AArray, indices, &AOut));
    return;
  }
  // Only elements that fit the variant's 8-byte payload can be held by value.
  if (SafeArrayGetElemsize(AArray) > sizeof(AOut.llVal)) EQelVMRuntime::RaiseError(retTypeMismatch);
  QelCheckVar(SafeArrayGetElement(AArray, indices, &AOut.llVal));
  AOut.vt = elementType;
}

void VectorBounds(VARIANT* AArgs, int AIndex, LONG& ALow, LONG& AHigh) {
  const VARIANT* value = Arg(AArgs, AIndex);
  if (!IsArray(value) || SafeArrayGetDim(value->parray) != 1) FailConversion();
  QelCheckVar(SafeArrayGetLBound(value->parray, 1, &ALow));
  QelCheckVar(SafeArrayGetUBound(value->parray, 1, &AHigh));
}

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

void SetNull(VARIANT& AResult) {
  QelClear(&AResult);
  AResult.vt = VT_NULL;
}

SAFEARRAY* SetNewVector(VARIANT& AResult, size_t ACount) {
  SAFEARRAY* array = SafeArrayCreateVector(VT_VARIANT, 0, ULONG(ACount));
  if (!array) throw ExceptionPtr(new EOutOfMemory());
  QelClear(&AResult);
  AResult.vt = VT_ARRAY | VT_VARIANT;
  AResult.parray = array;
  return array;
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

}  // namespace qel_intrinsics
