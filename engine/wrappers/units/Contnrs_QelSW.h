// Wrappers of the host unit "Contnrs": object, component and class lists, stacks, queues and
// bucket lists.
#pragma once

#include "engine/wrappers/units/Classes_QelSW.h"
#include "host/core/Contnrs.h"

#define QEL_CONTNRS_WRAPPER(Name, Parent)                   \
  struct Name##_sw : TQelClassWrapperOf<Name, Parent##_sw> { \
    static void RegisterMembers(TQelClassWrapperData& AData); \
  };                                                          \
  QEL_WRAPS(Name, Name##_sw)

QEL_CONTNRS_WRAPPER(TObjectList, TList);
QEL_CONTNRS_WRAPPER(TComponentList, TObjectList);
QEL_CONTNRS_WRAPPER(TClassList, TList);
QEL_CONTNRS_WRAPPER(TOrderedList, TObject);
QEL_CONTNRS_WRAPPER(TStack, TOrderedList);
QEL_CONTNRS_WRAPPER(TQueue, TOrderedList);
QEL_CONTNRS_WRAPPER(TObjectStack, TStack);
QEL_CONTNRS_WRAPPER(TObjectQueue, TQueue);
QEL_CONTNRS_WRAPPER(TCustomBucketList, TObject);
QEL_CONTNRS_WRAPPER(TBucketList, TCustomBucketList);
QEL_CONTNRS_WRAPPER(TObjectBucketList, TBucketList);
QEL_CONTNRS_WRAPPER(TIntegerBucketList, TBucketList);

struct TBucketListSizes_sw : TQelEnumWrapperOf<TBucketListSizes> {};
QEL_WRAPS(TBucketListSizes, TBucketListSizes_sw);

struct Contnrs_sw : TQelUnitWrapperBase {
  static constexpr std::u16string_view UnitName = u"Contnrs";
  static void RegisterMembers(TQelUnitWrapperData& AData);
  static void RegisterWrappers();
};
