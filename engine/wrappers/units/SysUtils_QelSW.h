// Wrappers of the host unit "SysUtils": the exception classes and the string routines.
#pragma once

#include "engine/wrappers/units/QelUnitKit.h"
#include "host/core/Encoding.h"
#include "host/core/SysUtilsFiles.h"
#include "host/core/SysUtilsText.h"

struct Exception_sw : TQelClassWrapperOf<Exception, TObject_sw> {
  static void RegisterMembers(TQelClassWrapperData& AData);
};
QEL_WRAPS(Exception, Exception_sw);

QEL_EXCEPTION_WRAPPER(EAbort, Exception);
QEL_EXCEPTION_WRAPPER(EHeapException, Exception);
QEL_EXCEPTION_WRAPPER(EOutOfMemory, EHeapException);
QEL_EXCEPTION_WRAPPER(EInvalidPointer, EHeapException);
QEL_EXCEPTION_WRAPPER(EInvalidCast, Exception);
QEL_EXCEPTION_WRAPPER(EConvertError, Exception);
QEL_EXCEPTION_WRAPPER(EVariantError, Exception);
QEL_EXCEPTION_WRAPPER(EVariantTypeCastError, EVariantError);
QEL_EXCEPTION_WRAPPER(EExternal, Exception);
QEL_EXCEPTION_WRAPPER(EIntError, EExternal);
QEL_EXCEPTION_WRAPPER(EDivByZero, EIntError);
QEL_EXCEPTION_WRAPPER(ERangeError, EIntError);
QEL_EXCEPTION_WRAPPER(EIntOverflow, EIntError);
QEL_EXCEPTION_WRAPPER(EMathError, EExternal);
QEL_EXCEPTION_WRAPPER(EInvalidOp, EMathError);
QEL_EXCEPTION_WRAPPER(EZeroDivide, EMathError);
QEL_EXCEPTION_WRAPPER(EOverflow, EMathError);
QEL_EXCEPTION_WRAPPER(EUnderflow, EMathError);
QEL_EXCEPTION_WRAPPER(EAccessViolation, EExternal);
QEL_EXCEPTION_WRAPPER(EStackOverflow, EExternal);
QEL_EXCEPTION_WRAPPER(EAssertionFailed, Exception);
QEL_EXCEPTION_WRAPPER(EAbstractError, Exception);
QEL_EXCEPTION_WRAPPER(ENotSupportedException, Exception);
QEL_EXCEPTION_WRAPPER(EArgumentException, Exception);
QEL_EXCEPTION_WRAPPER(EArgumentOutOfRangeException, EArgumentException);
QEL_EXCEPTION_WRAPPER(EPropertyError, Exception);
QEL_EXCEPTION_WRAPPER(EOSError, Exception);
QEL_EXCEPTION_WRAPPER(EOleError, Exception);
QEL_EXCEPTION_WRAPPER(EArgumentNilException, EArgumentException);
QEL_EXCEPTION_WRAPPER(ECFError, Exception);
QEL_EXCEPTION_WRAPPER(EControlC, EExternal);
QEL_EXCEPTION_WRAPPER(EEncodingError, Exception);
QEL_EXCEPTION_WRAPPER(EExternalException, EExternal);
QEL_EXCEPTION_WRAPPER(EInOutArgumentException, EArgumentException);
QEL_EXCEPTION_WRAPPER(EDirectoryNotFoundException, EInOutArgumentException);
QEL_EXCEPTION_WRAPPER(EFileNotFoundException, EInOutArgumentException);
QEL_EXCEPTION_WRAPPER(EPathNotFoundException, EInOutArgumentException);
QEL_EXCEPTION_WRAPPER(EPathTooLongException, EInOutArgumentException);
QEL_EXCEPTION_WRAPPER(EIntfCastError, Exception);
QEL_EXCEPTION_WRAPPER(EInvalidContainer, Exception);
QEL_EXCEPTION_WRAPPER(EInvalidInsert, Exception);
QEL_EXCEPTION_WRAPPER(EInvalidOpException, Exception);
QEL_EXCEPTION_WRAPPER(EMonitor, Exception);
QEL_EXCEPTION_WRAPPER(EMonitorLockException, EMonitor);
QEL_EXCEPTION_WRAPPER(ENoMonitorSupportException, EMonitor);
QEL_EXCEPTION_WRAPPER(ENoConstructException, Exception);
QEL_EXCEPTION_WRAPPER(ENotImplemented, Exception);
QEL_EXCEPTION_WRAPPER(EObjectDisposed, Exception);
QEL_EXCEPTION_WRAPPER(EPackageError, Exception);
QEL_EXCEPTION_WRAPPER(EPrivilege, Exception);
QEL_EXCEPTION_WRAPPER(EProgrammerNotFound, Exception);
QEL_EXCEPTION_WRAPPER(EPropReadOnly, Exception);
QEL_EXCEPTION_WRAPPER(EPropWriteOnly, Exception);
QEL_EXCEPTION_WRAPPER(ESafecallException, Exception);
QEL_EXCEPTION_WRAPPER(EWin32Error, EOSError);

struct EInOutError_sw : TQelClassWrapperOf<EInOutError, Exception_sw> {
  static void RegisterMembers(TQelClassWrapperData& AData);
};
QEL_WRAPS(EInOutError, EInOutError_sw);
struct EOleSysError_sw : TQelClassWrapperOf<EOleSysError, EOleError_sw> {
  static void RegisterMembers(TQelClassWrapperData& AData);
};
QEL_WRAPS(EOleSysError, EOleSysError_sw);
struct EOleException_sw : TQelClassWrapperOf<EOleException, EOleSysError_sw> {
  static void RegisterMembers(TQelClassWrapperData& AData);
};
QEL_WRAPS(EOleException, EOleException_sw);

struct TStringBuilder_sw : TQelClassWrapperOf<TStringBuilder, TObject_sw> {
  static void RegisterMembers(TQelClassWrapperData& AData);
};
QEL_WRAPS(TStringBuilder, TStringBuilder_sw);

QEL_RECORD_WRAPPER(TSearchRec);
QEL_RECORD_WRAPPER(TFormatSettings);
QEL_RECORD_WRAPPER(TTimeStamp);

struct TReplaceFlag_sw : TQelEnumWrapperOf<TReplaceFlag> {};
QEL_WRAPS(TReplaceFlag, TReplaceFlag_sw);
struct TReplaceFlags_sw : TQelConv<TReplaceFlags> {
  static constexpr std::u16string_view TypeName = u"TReplaceFlags";
};
struct TFloatFormat_sw : TQelEnumWrapperOf<TFloatFormat> {};
QEL_WRAPS(TFloatFormat, TFloatFormat_sw);

// Encodings (SysUtilsEncoding_QelSW.cpp).
#define QEL_SYSUTILS_CLASS(Name, Parent)                      \
  struct Name##_sw : TQelClassWrapperOf<Name, Parent##_sw> {  \
    static void RegisterMembers(TQelClassWrapperData& AData); \
  };                                                          \
  QEL_WRAPS(Name, Name##_sw)
QEL_SYSUTILS_CLASS(TEncoding, TObject);
QEL_SYSUTILS_CLASS(TUTF8Encoding, TEncoding);
QEL_SYSUTILS_CLASS(TUnicodeEncoding, TEncoding);
QEL_SYSUTILS_CLASS(TBigEndianUnicodeEncoding, TUnicodeEncoding);
QEL_SYSUTILS_CLASS(TMBCSEncoding, TEncoding);
QEL_SYSUTILS_CLASS(TUTF7Encoding, TMBCSEncoding);
#define QEL_SYSUTILS_ENCODINGS                                                       \
  TEncoding_sw, TUTF8Encoding_sw, TUnicodeEncoding_sw, TBigEndianUnicodeEncoding_sw, \
      TMBCSEncoding_sw, TUTF7Encoding_sw

// The unit's routines by role: file names, files and the search (SysUtilsFiles_QelSW.cpp);
// texts, numbers and dates (SysUtilsText_QelSW.cpp).
void QelSysUtilsFiles(TQelUnitMembers& M);
void QelSysUtilsText(TQelUnitMembers& M);

struct SysUtils_sw : TQelUnitWrapperBase {
  static constexpr std::u16string_view UnitName = u"SysUtils";
  static void RegisterMembers(TQelUnitWrapperData& AData);
  static void RegisterWrappers();
};
