// Wrappers of the host unit "Classes": persistent objects, components, string lists, pointer
// lists, threads, their exceptions, enumerations and the notify event.
#pragma once

#include "engine/wrappers/units/SysUtils_QelSW.h"
#include "host/core/Classes.h"

struct TPersistent_sw : TQelClassWrapperOf<TPersistent, TObject_sw> {
  static void RegisterMembers(TQelClassWrapperData& AData);
};
struct TComponent_sw : TQelClassWrapperOf<TComponent, TPersistent_sw> {
  static void RegisterMembers(TQelClassWrapperData& AData);
};
struct TStrings_sw : TQelClassWrapperOf<TStrings, TPersistent_sw> {
  static void RegisterMembers(TQelClassWrapperData& AData);
};
struct TStringList_sw : TQelClassWrapperOf<TStringList, TStrings_sw> {
  static void RegisterMembers(TQelClassWrapperData& AData);
};
struct TList_sw : TQelClassWrapperOf<TList, TObject_sw> {
  static void RegisterMembers(TQelClassWrapperData& AData);
};
struct TThread_sw : TQelClassWrapperOf<TThread, TObject_sw> {
  static void RegisterMembers(TQelClassWrapperData& AData);
};
QEL_WRAPS(TPersistent, TPersistent_sw);
QEL_WRAPS(TComponent, TComponent_sw);
QEL_WRAPS(TStrings, TStrings_sw);
QEL_WRAPS(TStringList, TStringList_sw);
QEL_WRAPS(TList, TList_sw);
QEL_WRAPS(TThread, TThread_sw);

QEL_EXCEPTION_WRAPPER(EStreamError, Exception);
QEL_EXCEPTION_WRAPPER(EFileStreamError, EStreamError);
QEL_EXCEPTION_WRAPPER(EFOpenError, EFileStreamError);
QEL_EXCEPTION_WRAPPER(EFCreateError, EFileStreamError);
QEL_EXCEPTION_WRAPPER(EFilerError, EStreamError);
QEL_EXCEPTION_WRAPPER(EReadError, EFilerError);
QEL_EXCEPTION_WRAPPER(EWriteError, EFilerError);
QEL_EXCEPTION_WRAPPER(EClassNotFound, EFilerError);
QEL_EXCEPTION_WRAPPER(EListError, Exception);
QEL_EXCEPTION_WRAPPER(EStringListError, Exception);
QEL_EXCEPTION_WRAPPER(EComponentError, Exception);
QEL_EXCEPTION_WRAPPER(EInvalidOperation, Exception);
QEL_EXCEPTION_WRAPPER(EThread, Exception);

struct TDuplicates_sw : TQelEnumWrapperOf<TDuplicates> {};
struct TOperation_sw : TQelEnumWrapperOf<TOperation> {};
struct TListNotification_sw : TQelEnumWrapperOf<TListNotification> {};
struct TComponentStateItem_sw : TQelEnumWrapperOf<TComponentStateItem> {};
struct TComponentState_sw : TQelConv<TComponentState> {
  static constexpr std::u16string_view TypeName = u"TComponentState";
};
QEL_WRAPS(TDuplicates, TDuplicates_sw);
QEL_WRAPS(TOperation, TOperation_sw);
QEL_WRAPS(TListNotification, TListNotification_sw);
QEL_WRAPS(TComponentStateItem, TComponentStateItem_sw);

// Class-descriptor types: naming one gives the type value of its class.
struct TPersistentClass_sw : TQelMetaclassWrapperOf<TPersistent> {
  static constexpr std::u16string_view TypeName = u"TPersistentClass";
};
struct TComponentClass_sw : TQelMetaclassWrapperOf<TComponent> {
  static constexpr std::u16string_view TypeName = u"TComponentClass";
};

// Event wrappers are the generic wrapper of their event type (one descriptor per type).
using TNotifyEvent_sw = TQelEventWrapperOf<TNotifyEvent>;

struct Classes_sw : TQelUnitWrapperBase {
  static constexpr std::u16string_view UnitName = u"Classes";
  static void RegisterMembers(TQelUnitWrapperData& AData);
  static void RegisterWrappers();
};
