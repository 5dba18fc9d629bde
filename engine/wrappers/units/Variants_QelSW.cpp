// The "Variants" unit wrapper: variant tests and conversions over the automation layer.
#include "engine/wrappers/units/Variants_QelSW.h"

namespace {

#define QEL_VARIANTS_CLASSES                                                                              \
  EVariantArrayCreateError_sw, EVariantArrayLockedError_sw, EVariantBadIndexError_sw,                     \
      EVariantBadVarTypeError_sw, EVariantDispatchError_sw, EVariantInvalidArgError_sw,                   \
      EVariantInvalidNullOpError_sw, EVariantInvalidOpError_sw, EVariantNotAnArrayError_sw,               \
      EVariantNotImplError_sw, EVariantOutOfMemoryError_sw, EVariantOverflowError_sw,                     \
      EVariantRangeCheckError_sw, EVariantUnexpectedError_sw, TCustomVariantType_sw, TInvokeableVariantType_sw

struct TVariantRelationship_sw : TQelEnumWrapperOf<TVariantRelationship> {};
struct TVarCompareResult_sw : TQelEnumWrapperOf<TVarCompareResult> {};
struct TNullCompareRule_sw : TQelEnumWrapperOf<TNullCompareRule> {};
struct TBooleanToStringRule_sw : TQelEnumWrapperOf<TBooleanToStringRule> {};

TCustomVariantType* NewCustomVariantType(TClass, int32_t AVarType) {
  return new TCustomVariantType(static_cast<uint16_t>(AVarType));
}

int32_t VarTypeOf(const VARIANT& AValue) { return QelDeref(AValue).vt; }
bool VarIsEmptyOf(const VARIANT& AValue) { return QelDeref(AValue).vt == VT_EMPTY; }
bool VarIsNullOf(const VARIANT& AValue) { return QelDeref(AValue).vt == VT_NULL; }
bool VarIsClearOf(const VARIANT& AValue) {
  const VARIANT& value = QelDeref(AValue);
  return value.vt == VT_EMPTY || (value.vt == VT_DISPATCH && !value.pdispVal);
}
bool VarIsArrayOf(const VARIANT& AValue) { return (QelDeref(AValue).vt & VT_ARRAY) != 0; }
bool VarIsNumericOf(const VARIANT& AValue) {
  switch (QelDeref(AValue).vt) {
    case VT_I1: case VT_I2: case VT_I4: case VT_I8: case VT_UI1: case VT_UI2: case VT_UI4: case VT_UI8:
    case VT_R4: case VT_R8: case VT_CY: return true;
    default: return false;
  }
}
bool VarIsStrOf(const VARIANT& AValue) { return QelDeref(AValue).vt == VT_BSTR; }
VARIANT NullOf() {
  VARIANT result{};
  result.vt = VT_NULL;
  return result;
}
VARIANT UnassignedOf() { return VARIANT{}; }
String VarToStrOf(const VARIANT& AValue) {
  const VARIANT& value = QelDeref(AValue);
  return value.vt == VT_NULL ? String() : QelVarToString(value);
}
String VarToStrDefOf(const VARIANT& AValue, std::u16string_view ADefault) {
  const VARIANT& value = QelDeref(AValue);
  return value.vt == VT_NULL ? String(ADefault) : QelVarToString(value);
}
// Converts to the type code AVarType with the automation layer's coercion.
VARIANT VarAsTypeOf(const VARIANT& AValue, int32_t AVarType) {
  VARIANT result{};
  const HRESULT hr = VariantChangeType(&result, &QelDeref(AValue), 0, static_cast<VARTYPE>(AVarType));
  if (FAILED(hr)) QelRaiseTypeCastError();
  return result;
}

}  // namespace

void TCustomVariantType_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TCustomVariantType> M(AData);
  M.Constructor<&NewCustomVariantType>();
  M.Property<&TCustomVariantType::GetVarType>(u"VarType");
}

void Variants_sw::RegisterMembers(TQelUnitWrapperData& AData) {
  TQelUnitMembers M(AData);
  QelAddTypes<TVariantRelationship_sw, TVarCompareResult_sw, TNullCompareRule_sw, TBooleanToStringRule_sw,
              QEL_VARIANTS_CLASSES>(M);
  M.Routine<&VarTypeOf>(u"VarType");
  M.Routine<&VarIsEmptyOf>(u"VarIsEmpty");
  M.Routine<&VarIsNullOf>(u"VarIsNull");
  M.Routine<&VarIsClearOf>(u"VarIsClear");
  M.Routine<&VarIsArrayOf>(u"VarIsArray");
  M.Routine<&VarIsNumericOf>(u"VarIsNumeric");
  M.Routine<&VarIsStrOf>(u"VarIsStr");
  M.Routine<&NullOf>(u"Null");
  M.Routine<&UnassignedOf>(u"Unassigned");
  M.Routine<&VarToStrOf>(u"VarToStr");
  M.Routine<&VarToStrDefOf>(u"VarToStrDef");
  M.Routine<&VarAsTypeOf>(u"VarAsType");
  M.Constant<int32_t{VT_EMPTY}>(u"varEmpty");
  M.Constant<int32_t{VT_NULL}>(u"varNull");
  M.Constant<int32_t{VT_I2}>(u"varSmallint");
  M.Constant<int32_t{VT_I4}>(u"varInteger");
  M.Constant<int32_t{VT_R4}>(u"varSingle");
  M.Constant<int32_t{VT_R8}>(u"varDouble");
  M.Constant<int32_t{VT_CY}>(u"varCurrency");
  M.Constant<int32_t{VT_DATE}>(u"varDate");
  M.Constant<int32_t{VT_BSTR}>(u"varOleStr");
  M.Constant<int32_t{VT_DISPATCH}>(u"varDispatch");
  M.Constant<int32_t{VT_BOOL}>(u"varBoolean");
  M.Constant<int32_t{VT_VARIANT}>(u"varVariant");
  M.Constant<int32_t{VT_I1}>(u"varShortInt");
  M.Constant<int32_t{VT_UI1}>(u"varByte");
  M.Constant<int32_t{VT_UI2}>(u"varWord");
  M.Constant<int32_t{VT_UI4}>(u"varLongWord");
  M.Constant<int32_t{VT_I8}>(u"varInt64");
  M.Constant<int32_t{VT_UI8}>(u"varUInt64");
  M.Constant<int32_t{VT_ARRAY}>(u"varArray");
  M.Constant<int32_t{VT_BYREF}>(u"varByRef");
  M.Constant<int32_t{VT_TYPEMASK}>(u"varTypeMask");
}

void Variants_sw::RegisterWrappers() {
  RegisterUnitWrapper(QelWrapperClass<Variants_sw>());
  QelRegisterClassWrappers<QEL_VARIANTS_CLASSES>();
}
