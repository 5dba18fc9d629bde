// Array intrinsics: bounds, lengths and Copy (of arrays and texts).
#include <algorithm>

#include "engine/pascal/PasIntrinsics.h"

namespace qel_pas {
namespace {

struct TBounds {
  LONG FLow = 0;
  LONG FHigh = -1;
};

// The bounds of the dimension the call names (its second argument, default 1).
TBounds DimensionBounds(const TQelCall& ACall, VARIANT* AArgs) {
  RequireArgCount(ACall, 1, 2);
  const UINT dimension = ACall.FArgCount == 2 ? static_cast<UINT>(ArgInt(AArgs, 1)) : 1u;
  SAFEARRAY* array = Arg(AArgs, 0)->parray;
  TBounds bounds;
  QelCheckVar(SafeArrayGetLBound(array, dimension, &bounds.FLow));
  QelCheckVar(SafeArrayGetUBound(array, dimension, &bounds.FHigh));
  return bounds;
}

// Any count from one up is safe to look at; DimensionBounds narrows it to one or two.
void RequireArray(const TQelCall& ACall, VARIANT* AArgs, TQelRuntimeErrorType AError) {
  RequireArgCount(ACall, 1, INT32_MAX);
  if (!IsArray(Arg(AArgs, 0))) EQelVMRuntime::RaiseError(AError);
}

// Stores AElement (a variant of the array's element type) at AIndex of a vector.
void PutElement(SAFEARRAY* AArray, LONG AIndex, VARIANT& AElement, VARTYPE AElementType) {
  void* data = &AElement.llVal;
  if (AElementType == VT_VARIANT) data = &AElement;
  else if (AElementType == VT_BSTR) data = AElement.bstrVal;
  else if (AElementType == VT_DISPATCH || AElementType == VT_UNKNOWN) data = AElement.punkVal;
  QelCheckVar(SafeArrayPutElement(AArray, &AIndex, data));
}

void CopyArray(VARIANT* AArgs, VARIANT& AResult) {
  SAFEARRAY* source = Arg(AArgs, 0)->parray;
  LONG low = 0, high = -1;
  QelCheckVar(SafeArrayGetLBound(source, 1, &low));
  QelCheckVar(SafeArrayGetUBound(source, 1, &high));
  const int64_t first = std::max<int64_t>(low, ArgInt(AArgs, 1));
  const int64_t last = std::min<int64_t>(high, first + int64_t{ArgInt(AArgs, 2)} - 1);
  QelClear(&AResult);
  if (last < first) return;
  VARTYPE elementType = VT_VARIANT;
  QelCheckVar(SafeArrayGetVartype(source, &elementType));
  SAFEARRAY* copy = SafeArrayCreateVector(elementType, 0, static_cast<ULONG>(last - first + 1));
  if (!copy) throw ExceptionPtr(new EOutOfMemory());
  AResult.vt = VT_ARRAY | elementType;
  AResult.parray = copy;
  for (int64_t i = first; i <= last; ++i) {
    TQelVar element;
    ArrayElement(source, static_cast<LONG>(i), element.V);
    PutElement(copy, static_cast<LONG>(i - first), element.V, elementType);
  }
}

void CopyText(VARIANT* AArgs, VARIANT& AResult) {
  const String text = ArgText(AArgs, 0);
  const int32_t index = ArgInt(AArgs, 1);
  const int32_t count = ArgInt(AArgs, 2);
  const size_t from = index < 1 ? 0 : static_cast<size_t>(index) - 1;
  if (from >= text.size() || count <= 0) return SetText(AResult, u"");
  SetText(AResult, std::u16string_view(text).substr(from, static_cast<size_t>(count)));
}

}  // namespace

void PasHigh(const TQelCall& ACall, VARIANT* AArgs, VARIANT& AResult) {
  RequireArray(ACall, AArgs, retHighOnlyArray);
  SetInt(AResult, DimensionBounds(ACall, AArgs).FHigh);
}

void PasLow(const TQelCall& ACall, VARIANT* AArgs, VARIANT& AResult) {
  RequireArray(ACall, AArgs, retLowOnlyArray);
  SetInt(AResult, DimensionBounds(ACall, AArgs).FLow);
}

void PasLength(const TQelCall& ACall, VARIANT* AArgs, VARIANT& AResult) {
  RequireArgCount(ACall, 1, INT32_MAX);
  if (IsArray(Arg(AArgs, 0))) {
    const TBounds bounds = DimensionBounds(ACall, AArgs);
    return SetInt(AResult, bounds.FHigh - bounds.FLow + 1);
  }
  RequireArgCount(ACall, 1, 1);
  const VARIANT* value = Arg(AArgs, 0);
  const size_t length =
      value->vt == VT_BSTR ? OleBstrView(value->bstrVal).size() : ArgText(AArgs, 0).size();
  SetInt(AResult, static_cast<int32_t>(length));
}

void PasCopy(const TQelCall&, VARIANT* AArgs, VARIANT& AResult) {
  if (IsArray(Arg(AArgs, 0)))
    CopyArray(AArgs, AResult);
  else
    CopyText(AArgs, AResult);
}

}  // namespace qel_pas
