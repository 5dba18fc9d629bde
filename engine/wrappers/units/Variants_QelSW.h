// Wrappers of the host unit "Variants": its exception classes, custom variant types and
// enumerations.
#pragma once

#include "engine/wrappers/units/SysUtils_QelSW.h"
#include "host/core/Variants.h"

QEL_EXCEPTION_WRAPPER(EVariantInvalidOpError, EVariantError);
QEL_EXCEPTION_WRAPPER(EVariantOverflowError, EVariantError);
QEL_EXCEPTION_WRAPPER(EVariantInvalidArgError, EVariantError);
QEL_EXCEPTION_WRAPPER(EVariantBadVarTypeError, EVariantError);
QEL_EXCEPTION_WRAPPER(EVariantBadIndexError, EVariantError);
QEL_EXCEPTION_WRAPPER(EVariantArrayLockedError, EVariantError);
QEL_EXCEPTION_WRAPPER(EVariantNotAnArrayError, EVariantError);
QEL_EXCEPTION_WRAPPER(EVariantArrayCreateError, EVariantError);
QEL_EXCEPTION_WRAPPER(EVariantNotImplError, EVariantError);
QEL_EXCEPTION_WRAPPER(EVariantOutOfMemoryError, EVariantError);
QEL_EXCEPTION_WRAPPER(EVariantUnexpectedError, EVariantError);
QEL_EXCEPTION_WRAPPER(EVariantDispatchError, EVariantError);
QEL_EXCEPTION_WRAPPER(EVariantRangeCheckError, EVariantError);
QEL_EXCEPTION_WRAPPER(EVariantInvalidNullOpError, EVariantInvalidOpError);

struct TCustomVariantType_sw : TQelClassWrapperOf<TCustomVariantType, TObject_sw> {
  static void RegisterMembers(TQelClassWrapperData& AData);
};
QEL_WRAPS(TCustomVariantType, TCustomVariantType_sw);
struct TInvokeableVariantType_sw : TQelClassWrapperOf<TInvokeableVariantType, TCustomVariantType_sw> {
  static void RegisterMembers(TQelClassWrapperData&) {}
};
QEL_WRAPS(TInvokeableVariantType, TInvokeableVariantType_sw);

struct Variants_sw : TQelUnitWrapperBase {
  static constexpr std::u16string_view UnitName = u"Variants";
  static void RegisterMembers(TQelUnitWrapperData& AData);
  static void RegisterWrappers();
};
