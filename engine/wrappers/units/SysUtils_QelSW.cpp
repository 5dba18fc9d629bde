// The "SysUtils" unit wrapper: its classes. Its routines keep the class library's own
// signatures and behaviour; scripts reach them, where a language intrinsic has the same name,
// as SysUtils.Trim and so on.
#include "engine/wrappers/units/SysUtils_QelSW.h"

namespace {

#define QEL_SYSUTILS_CLASSES                                                                                    \
  Exception_sw, EAbort_sw, EHeapException_sw, EOutOfMemory_sw, EInvalidPointer_sw, EInvalidCast_sw,            \
      EConvertError_sw, EVariantError_sw, EVariantTypeCastError_sw, EExternal_sw, EIntError_sw, EDivByZero_sw, \
      ERangeError_sw, EIntOverflow_sw, EMathError_sw, EInvalidOp_sw, EZeroDivide_sw, EOverflow_sw,             \
      EUnderflow_sw, EAccessViolation_sw, EStackOverflow_sw, EAssertionFailed_sw, EAbstractError_sw,           \
      ENotSupportedException_sw, EArgumentException_sw, EArgumentOutOfRangeException_sw, EPropertyError_sw,    \
      EOSError_sw, EInOutError_sw, EOleError_sw, EOleSysError_sw, EOleException_sw, TStringBuilder_sw, \
      EArgumentNilException_sw, ECFError_sw, EControlC_sw, EEncodingError_sw, EExternalException_sw, \
      EInOutArgumentException_sw, EDirectoryNotFoundException_sw, EFileNotFoundException_sw, \
      EPathNotFoundException_sw, EPathTooLongException_sw, EIntfCastError_sw, EInvalidContainer_sw, \
      EInvalidInsert_sw, EInvalidOpException_sw, EMonitor_sw, EMonitorLockException_sw, \
      ENoMonitorSupportException_sw, ENoConstructException_sw, ENotImplemented_sw, EObjectDisposed_sw, \
      EPackageError_sw, EPrivilege_sw, EProgrammerNotFound_sw, EPropReadOnly_sw, EPropWriteOnly_sw, \
      ESafecallException_sw, EWin32Error_sw

Exception* NewExceptionOf(TClass, std::u16string_view AMessage) { return new Exception(String(AMessage)); }
EInOutError* NewInOutError(TClass, std::u16string_view AMessage) { return new EInOutError(String(AMessage)); }
EOleSysError* NewOleSysError(TClass, std::u16string_view AMessage, int32_t ACode, int32_t AHelpContext) {
  return new EOleSysError(String(AMessage), ACode, AHelpContext);
}
EOleException* NewOleException(TClass, std::u16string_view AMessage, int32_t ACode, std::u16string_view ASource,
                               std::u16string_view AHelpFile, int32_t AHelpContext) {
  return new EOleException(String(AMessage), ACode, String(ASource), String(AHelpFile), AHelpContext);
}
TStringBuilder* NewStringBuilder(TClass, std::u16string_view AValue) { return new TStringBuilder(AValue); }
int32_t InOutErrorCode(EInOutError* AError) { return AError->ErrorCode; }
void SetInOutErrorCode(EInOutError* AError, int32_t ACode) { AError->ErrorCode = ACode; }

}  // namespace

void Exception_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<Exception> M(AData);
  M.Constructor<&NewExceptionOf>();
  M.Property<&Exception::GetMessage, &Exception::SetMessage>(u"Message");
  M.Property<&Exception::GetHelpContext, &Exception::SetHelpContext>(u"HelpContext");
}

void EInOutError_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<EInOutError> M(AData);
  M.Constructor<&NewInOutError>();
  M.Property<&InOutErrorCode, &SetInOutErrorCode>(u"ErrorCode");
}

void EOleSysError_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<EOleSysError> M(AData);
  M.Constructor<&NewOleSysError>();
  M.Property<&EOleSysError::GetErrorCode, &EOleSysError::SetErrorCode>(u"ErrorCode");
}

void EOleException_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<EOleException> M(AData);
  M.Constructor<&NewOleException>();
  M.Property<&EOleException::GetSource, &EOleException::SetSource>(u"Source");
  M.Property<&EOleException::GetHelpFile, &EOleException::SetHelpFile>(u"HelpFile");
}

void TStringBuilder_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TStringBuilder> M(AData);
  M.Constructor<&NewStringBuilder, QelDefaults<TQelName(u"")>>();
  M.Method<&TStringBuilder::Append>(u"Append");
  M.Method<&TStringBuilder::AppendLine, QelDefaults<TQelName(u"")>>(u"AppendLine");
  M.Method<&TStringBuilder::Insert>(u"Insert");
  M.Method<&TStringBuilder::Remove>(u"Remove");
  M.Method<&TStringBuilder::Replace>(u"Replace");
  M.Method<&TStringBuilder::Clear>(u"Clear");
  M.Method<&TStringBuilder::ToString>(u"ToString");
  M.Property<&TStringBuilder::GetLength, &TStringBuilder::SetLength>(u"Length");
  M.Property<&TStringBuilder::GetChars, &TStringBuilder::SetChars>(u"Chars", qpDefault);
}

void SysUtils_sw::RegisterMembers(TQelUnitWrapperData& AData) {
  TQelUnitMembers M(AData);
  QelAddTypes<QEL_SYSUTILS_CLASSES>(M);
  QelSysUtilsText(M);
  QelSysUtilsFiles(M);
}

void SysUtils_sw::RegisterWrappers() {
  RegisterUnitWrapper(QelWrapperClass<SysUtils_sw>());
  QelRegisterClassWrappers<QEL_SYSUTILS_CLASSES>();
}
