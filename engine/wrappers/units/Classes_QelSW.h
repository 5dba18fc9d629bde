// Wrappers of the host unit "Classes": persistent objects, components, string lists, pointer
// lists, threads, their exceptions, enumerations and the notify event.
#pragma once

#include "engine/wrappers/units/SysUtils_QelSW.h"
#include "engine/wrappers/units/UnitData_QelSW.h"
#include "host/core/Classes.h"
#include "host/core/ClassesText.h"

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
QEL_EXCEPTION_WRAPPER(EStringListError, EListError);
QEL_EXCEPTION_WRAPPER(EComponentError, Exception);
QEL_EXCEPTION_WRAPPER(EInvalidOperation, Exception);
QEL_EXCEPTION_WRAPPER(EThread, Exception);
QEL_EXCEPTION_WRAPPER(EThreadExternalException, EThread);
QEL_EXCEPTION_WRAPPER(EInvalidImage, EFilerError);
QEL_EXCEPTION_WRAPPER(EMethodNotFound, EFilerError);
QEL_EXCEPTION_WRAPPER(EResNotFound, Exception);
QEL_EXCEPTION_WRAPPER(EOutOfResources, EOutOfMemory);
QEL_EXCEPTION_WRAPPER(EParserError, Exception);
QEL_EXCEPTION_WRAPPER(EObserverException, Exception);
QEL_EXCEPTION_WRAPPER(ELoginCredentialError, Exception);
QEL_EXCEPTION_WRAPPER(EBitsError, Exception);

// Streams, bits, collections, thread lists and data modules (ClassesStreams_QelSW.cpp).
struct TBits_sw : TQelClassWrapperOf<TBits, TObject_sw> {
  static void RegisterMembers(TQelClassWrapperData& AData);
};
QEL_WRAPS(TBits, TBits_sw);
struct TStream_sw : TQelClassWrapperOf<TStream, TObject_sw> {
  static void RegisterMembers(TQelClassWrapperData& AData);
};
QEL_WRAPS(TStream, TStream_sw);
struct THandleStream_sw : TQelClassWrapperOf<THandleStream, TStream_sw> {
  static void RegisterMembers(TQelClassWrapperData& AData);
};
QEL_WRAPS(THandleStream, THandleStream_sw);
struct TFileStream_sw : TQelClassWrapperOf<TFileStream, THandleStream_sw> {
  static void RegisterMembers(TQelClassWrapperData& AData);
};
QEL_WRAPS(TFileStream, TFileStream_sw);
struct TCustomMemoryStream_sw : TQelClassWrapperOf<TCustomMemoryStream, TStream_sw> {
  static void RegisterMembers(TQelClassWrapperData& AData);
};
QEL_WRAPS(TCustomMemoryStream, TCustomMemoryStream_sw);
struct TMemoryStream_sw : TQelClassWrapperOf<TMemoryStream, TCustomMemoryStream_sw> {
  static void RegisterMembers(TQelClassWrapperData& AData);
};
QEL_WRAPS(TMemoryStream, TMemoryStream_sw);
struct TBytesStream_sw : TQelClassWrapperOf<TBytesStream, TMemoryStream_sw> {
  static void RegisterMembers(TQelClassWrapperData& AData);
};
QEL_WRAPS(TBytesStream, TBytesStream_sw);
struct TStringStream_sw : TQelClassWrapperOf<TStringStream, TBytesStream_sw> {
  static void RegisterMembers(TQelClassWrapperData& AData);
};
QEL_WRAPS(TStringStream, TStringStream_sw);
struct TCollectionItem_sw : TQelClassWrapperOf<TCollectionItem, TPersistent_sw> {
  static void RegisterMembers(TQelClassWrapperData& AData);
};
QEL_WRAPS(TCollectionItem, TCollectionItem_sw);
struct TCollection_sw : TQelClassWrapperOf<TCollection, TPersistent_sw> {
  static void RegisterMembers(TQelClassWrapperData& AData);
};
QEL_WRAPS(TCollection, TCollection_sw);
struct TOwnedCollection_sw : TQelClassWrapperOf<TOwnedCollection, TCollection_sw> {
  static void RegisterMembers(TQelClassWrapperData& AData);
};
QEL_WRAPS(TOwnedCollection, TOwnedCollection_sw);
struct TThreadList_sw : TQelClassWrapperOf<TThreadList, TObject_sw> {
  static void RegisterMembers(TQelClassWrapperData& AData);
};
QEL_WRAPS(TThreadList, TThreadList_sw);
struct TDataModule_sw : TQelClassWrapperOf<TDataModule, TComponent_sw> {
  static void RegisterMembers(TQelClassWrapperData& AData);
};
QEL_WRAPS(TDataModule, TDataModule_sw);

// Text and binary readers and writers (ClassesText_QelSW.cpp).
#define QEL_CLASS_WRAPPER(Name, Parent)                       \
  struct Name##_sw : TQelClassWrapperOf<Name, Parent##_sw> {  \
    static void RegisterMembers(TQelClassWrapperData& AData); \
  };                                                          \
  QEL_WRAPS(Name, Name##_sw)
QEL_CLASS_WRAPPER(TTextReader, TObject);
QEL_CLASS_WRAPPER(TStringReader, TTextReader);
QEL_CLASS_WRAPPER(TStreamReader, TTextReader);
QEL_CLASS_WRAPPER(TTextWriter, TObject);
QEL_CLASS_WRAPPER(TStringWriter, TTextWriter);
QEL_CLASS_WRAPPER(TStreamWriter, TTextWriter);
QEL_CLASS_WRAPPER(TBinaryReader, TObject);
QEL_CLASS_WRAPPER(TBinaryWriter, TObject);
#define QEL_CLASSES_TEXT_CLASSES                                                        \
  TTextReader_sw, TStringReader_sw, TStreamReader_sw, TTextWriter_sw, TStringWriter_sw, \
      TStreamWriter_sw, TBinaryReader_sw, TBinaryWriter_sw

struct TSeekOrigin_sw : TQelEnumWrapperOf<TSeekOrigin> {};
QEL_WRAPS(TSeekOrigin, TSeekOrigin_sw);
struct TCollectionItemClass_sw : TQelMetaclassWrapperOf<TCollectionItem> {
  static constexpr std::u16string_view TypeName = u"TCollectionItemClass";
};

#define QEL_CLASSES_MORE_CLASSES                                                                  \
  TBits_sw, TStream_sw, THandleStream_sw, TFileStream_sw, TCustomMemoryStream_sw,                 \
      TMemoryStream_sw, TBytesStream_sw, TStringStream_sw, TCollectionItem_sw, TCollection_sw,    \
      TOwnedCollection_sw, TThreadList_sw, TDataModule_sw, EThreadExternalException_sw,           \
      EInvalidImage_sw, EMethodNotFound_sw, EResNotFound_sw, EOutOfResources_sw, EParserError_sw, \
      EObserverException_sw, ELoginCredentialError_sw, EBitsError_sw, QEL_CLASSES_TEXT_CLASSES

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
