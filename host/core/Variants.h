// Host unit "Variants": the exception classes of variant operations and the variant type codes.
#pragma once

#include "host/core/SysUtils.h"

QEL_EXCEPTION_MSG(EVariantInvalidOpError, EVariantError, u"Invalid variant operation");
QEL_EXCEPTION_MSG(EVariantOverflowError, EVariantError, u"Variant overflow");
QEL_EXCEPTION_MSG(EVariantInvalidArgError, EVariantError, u"Invalid argument");
QEL_EXCEPTION_MSG(EVariantBadVarTypeError, EVariantError, u"Invalid variant type");
QEL_EXCEPTION_MSG(EVariantBadIndexError, EVariantError, u"Variant or safe array index out of bounds");
QEL_EXCEPTION_MSG(EVariantArrayLockedError, EVariantError, u"Variant or safe array is locked");
QEL_EXCEPTION_MSG(EVariantNotAnArrayError, EVariantError, u"Variant is not an array");
QEL_EXCEPTION_MSG(EVariantArrayCreateError, EVariantError, u"Error creating variant or safe array");
QEL_EXCEPTION_MSG(EVariantNotImplError, EVariantError, u"Operation not supported");
QEL_EXCEPTION_MSG(EVariantOutOfMemoryError, EVariantError, u"Variant operation ran out memory");
QEL_EXCEPTION_MSG(EVariantUnexpectedError, EVariantError, u"Unexpected variant error");
QEL_EXCEPTION_MSG(EVariantDispatchError, EVariantError, u"Variant method calls not supported");
QEL_EXCEPTION_MSG(EVariantRangeCheckError, EVariantError, u"Range check error");
QEL_EXCEPTION_MSG(EVariantInvalidNullOpError, EVariantInvalidOpError, u"Invalid NULL variant operation");

// Custom variant types: a class per registered type code.
class TCustomVariantType : public TObject {
  QEL_CLASS(TCustomVariantType, TObject)
 public:
  TCustomVariantType() = default;
  explicit TCustomVariantType(uint16_t AVarType) : FVarType(AVarType) {}
  uint16_t GetVarType() const { return FVarType; }

 private:
  uint16_t FVarType = 0;
};
class TInvokeableVariantType : public TCustomVariantType {
  QEL_CLASS(TInvokeableVariantType, TCustomVariantType)
 public:
  using TCustomVariantType::TCustomVariantType;
};

enum TVariantRelationship { vrEqual, vrLessThan, vrGreaterThan, vrNotEqual };
QEL_ENUM_TYPE(TVariantRelationship, vrEqual, vrLessThan, vrGreaterThan, vrNotEqual);
enum TVarCompareResult { crLessThan, crEqual, crGreaterThan };
QEL_ENUM_TYPE(TVarCompareResult, crLessThan, crEqual, crGreaterThan);
enum TNullCompareRule { ncrError, ncrStrict, ncrLoose };
QEL_ENUM_TYPE(TNullCompareRule, ncrError, ncrStrict, ncrLoose);
enum TBooleanToStringRule { bsrAsIs, bsrLower, bsrUpper };
QEL_ENUM_TYPE(TBooleanToStringRule, bsrAsIs, bsrLower, bsrUpper);
