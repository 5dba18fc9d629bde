// Wrappers of the host unit "Types": its records and their routines.
#pragma once

#include "engine/wrappers/units/UnitData_QelSW.h"
#include "host/core/Types.h"

#define QEL_TYPES_RECORD(Name)                            \
  struct Name##_sw : TQelRecordWrapperOf_sw<Name> {       \
    static constexpr std::u16string_view TypeName = u"" #Name; \
    static void RegisterMembers(TQelRecordWrapperData& AData); \
  };                                                      \
  QEL_WRAPS(Name, Name##_sw)

QEL_TYPES_RECORD(TPoint);
QEL_TYPES_RECORD(TSmallPoint);
QEL_TYPES_RECORD(TSize);
QEL_TYPES_RECORD(TRect);
QEL_TYPES_RECORD(TPointF);
QEL_TYPES_RECORD(TSizeF);
QEL_TYPES_RECORD(TRectF);

// The floating-point routines and constants (TypesFloat_QelSW.cpp).
void QelTypesFloat(TQelUnitMembers& M);

struct Types_sw : TQelUnitWrapperBase {
  static constexpr std::u16string_view UnitName = u"Types";
  static void RegisterMembers(TQelUnitWrapperData& AData);
  static void RegisterWrappers() { RegisterUnitWrapper(QelWrapperClass<Types_sw>()); }
};

// A unit whose members are its plain data (UnitData_QelSW); classes of other layers join it
// through QelExtendUnit.
template <const char16_t* AName, void (*AFill)(TQelUnitMembers&)>
struct TQelDataUnit_sw : TQelUnitWrapperBase {
  static constexpr std::u16string_view UnitName = AName;
  static void RegisterMembers(TQelUnitWrapperData& AData) {
    TQelUnitMembers M(AData);
    AFill(M);
  }
  static void RegisterWrappers() { RegisterUnitWrapper(QelWrapperClass<TQelDataUnit_sw>()); }
};
