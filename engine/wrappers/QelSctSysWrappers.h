// QelSctSysWrappers: the unit "System" — the root class wrappers, the runtime records, the
// classic runtime routines and the engine's set, type-test and event routines. The predefined
// type wrappers (Integer_sw, String_sw, ...) live in QelSctConv.h, as they convert the C++
// types of every binding.
#pragma once

#include "engine/wrappers/QelSctBind.h"

// The runtime's own types that the host core does not declare.
class TInterfacedObject : public TObject {
  QEL_CLASS(TInterfacedObject, TObject)
 public:
  int GetRefCount() const { return FRefCount; }

 protected:
  int FRefCount = 0;
};
class TAggregatedObject : public TObject {
  QEL_CLASS(TAggregatedObject, TObject)
};
class TContainedObject : public TAggregatedObject {
  QEL_CLASS(TContainedObject, TAggregatedObject)
};
class TCustomAttribute : public TObject {
  QEL_CLASS(TCustomAttribute, TObject)
};

enum TTextLineBreakStyle { tlbsLF, tlbsCRLF };

// A pointer as a script-visible record.
struct TPtrWrapper {
  intptr_t Value = 0;
};
// The variant open-array element record (no script-visible fields).
struct TVarRecord {
  intptr_t VType = 0;
};

struct TObject_sw : TQelClassWrapperOf<TObject, TQelClassWrapperBase> {
  static void RegisterMembers(TQelClassWrapperData& AData);
};
struct TInterfacedObject_sw : TQelClassWrapperOf<TInterfacedObject, TObject_sw> {
  static void RegisterMembers(TQelClassWrapperData& AData);
};
// No members of their own: TObject_sw's registration runs again for them.
struct TAggregatedObject_sw : TQelClassWrapperOf<TAggregatedObject, TObject_sw> {};
struct TContainedObject_sw : TQelClassWrapperOf<TContainedObject, TAggregatedObject_sw> {};
struct TCustomAttribute_sw : TQelClassWrapperOf<TCustomAttribute, TObject_sw> {
  static void RegisterMembers(TQelClassWrapperData&) {}
};

struct TGUID_sw : TQelRecordWrapperOf_sw<GUID> {
  static constexpr std::u16string_view TypeName = u"TGUID";
  static void RegisterMembers(TQelRecordWrapperData& AData);
};
struct TMethod_sw : TQelRecordWrapperOf_sw<TMethod> {
  static constexpr std::u16string_view TypeName = u"TMethod";
  static void RegisterMembers(TQelRecordWrapperData& AData);
};
struct TVarData_sw : TQelRecordWrapperOf_sw<VARIANT> {
  static constexpr std::u16string_view TypeName = u"TVarData";
  static void RegisterMembers(TQelRecordWrapperData& AData);
};
struct TVarRecord_sw : TQelRecordWrapperOf_sw<TVarRecord> {
  static constexpr std::u16string_view TypeName = u"TVarRecord";
  static void RegisterMembers(TQelRecordWrapperData& AData);
};
struct TPtrWrapper_sw : TQelRecordWrapperOf_sw<TPtrWrapper> {
  static constexpr std::u16string_view TypeName = u"TPtrWrapper";
  static void RegisterMembers(TQelRecordWrapperData& AData);
};
struct TTextLineBreakStyle_sw : TQelEnumWrapperOf<TTextLineBreakStyle> {
  static constexpr std::u16string_view TypeName = u"TTextLineBreakStyle";
  static std::span<const TQelEnumerator> Enumerators();
};

QEL_WRAPS(TObject, TObject_sw);
QEL_WRAPS(TInterfacedObject, TInterfacedObject_sw);
QEL_WRAPS(TAggregatedObject, TAggregatedObject_sw);
QEL_WRAPS(TContainedObject, TContainedObject_sw);
QEL_WRAPS(TCustomAttribute, TCustomAttribute_sw);
QEL_WRAPS(GUID, TGUID_sw);
QEL_WRAPS(TMethod, TMethod_sw);
QEL_WRAPS(TVarRecord, TVarRecord_sw);
QEL_WRAPS(TPtrWrapper, TPtrWrapper_sw);
QEL_WRAPS(TTextLineBreakStyle, TTextLineBreakStyle_sw);

struct System_sw : TQelUnitWrapperBase {
  static constexpr std::u16string_view UnitName = u"System";
  static void RegisterMembers(TQelUnitWrapperData& AData);
};

// The host exception being handled on this thread (System.ExceptObject): the machine installs
// the query; without one ExceptObject is nil.
using TQelExceptObjectQuery = TObject* (*)();
void QelSetExceptObjectQuery(TQelExceptObjectQuery AQuery);

// Registers the System unit and the root class wrappers (idempotent). Called by
// QelRegisterAllUnits before any other unit.
void QelRegisterSystemUnit();
