// The "SysUtils" unit wrapper: its classes. Its routines keep the class library's own
// signatures and behaviour; scripts reach them, where a language intrinsic has the same name,
// as SysUtils.Trim and so on.
#include "engine/wrappers/units/SysUtils_QelSW.h"

namespace {

#define QEL_SYSUTILS_CLASSES                                                                       \
  Exception_sw, EAbort_sw, EHeapException_sw, EOutOfMemory_sw, EInvalidPointer_sw,                 \
      EInvalidCast_sw, EConvertError_sw, EVariantError_sw, EVariantTypeCastError_sw, EExternal_sw, \
      EIntError_sw, EDivByZero_sw, ERangeError_sw, EIntOverflow_sw, EMathError_sw, EInvalidOp_sw,  \
      EZeroDivide_sw, EOverflow_sw, EUnderflow_sw, EAccessViolation_sw, EStackOverflow_sw,         \
      EAssertionFailed_sw, EAbstractError_sw, ENotSupportedException_sw, EArgumentException_sw,    \
      EArgumentOutOfRangeException_sw, EPropertyError_sw, EOSError_sw, EInOutError_sw,             \
      EOleError_sw, EOleSysError_sw, EOleException_sw, TStringBuilder_sw,                          \
      EArgumentNilException_sw, ECFError_sw, EControlC_sw, EEncodingError_sw,                      \
      EExternalException_sw, EInOutArgumentException_sw, EDirectoryNotFoundException_sw,           \
      EFileNotFoundException_sw, EPathNotFoundException_sw, EPathTooLongException_sw,              \
      EIntfCastError_sw, EInvalidContainer_sw, EInvalidInsert_sw, EInvalidOpException_sw,          \
      EMonitor_sw, EMonitorLockException_sw, ENoMonitorSupportException_sw,                        \
      ENoConstructException_sw, ENotImplemented_sw, EObjectDisposed_sw, EPackageError_sw,          \
      EPrivilege_sw, EProgrammerNotFound_sw, EPropReadOnly_sw, EPropWriteOnly_sw,                  \
      ESafecallException_sw, EWin32Error_sw, QEL_SYSUTILS_ENCODINGS

EOleSysError* NewOleSysError(TClass, std::u16string_view AMessage, int32_t ACode, int32_t AHelpContext) {
  return new EOleSysError(String(AMessage), ACode, AHelpContext);
}
EOleException* NewOleException(TClass, std::u16string_view AMessage, int32_t ACode, std::u16string_view ASource,
                               std::u16string_view AHelpFile, int32_t AHelpContext) {
  return new EOleException(String(AMessage), ACode, String(ASource), String(AHelpFile), AHelpContext);
}
TStringBuilder* NewStringBuilder(TClass, std::u16string_view AValue) { return new TStringBuilder(AValue); }
// Append and Insert take any value, as the class library's overloads do (Booleans as True/False).
TStringBuilder* AppendValue(TStringBuilder* ABuilder, const VARIANT& AValue) {
  return ABuilder->Append(QelValueText(AValue));
}
TStringBuilder* AppendLineValue(TStringBuilder* ABuilder, const VARIANT& AValue) {
  return ABuilder->AppendLine(QelValueText(AValue));
}
TStringBuilder* AppendEmptyLine(TStringBuilder* ABuilder) { return ABuilder->AppendLine(u""); }
TStringBuilder* InsertValue(TStringBuilder* ABuilder, int32_t AIndex, const VARIANT& AValue) {
  return ABuilder->Insert(AIndex, QelValueText(AValue));
}
TStringBuilder* AppendFormat(TStringBuilder* ABuilder, std::u16string_view AFormat,
                             const VARIANT& AArgs) {
  return ABuilder->Append(QelSysUtilsFormat(AFormat, AArgs));
}
bool BuilderEquals(TStringBuilder* ABuilder, TStringBuilder* AOther) {
  return ABuilder->ToString() == AOther->ToString();
}
String BuilderText(TStringBuilder* ABuilder) { return ABuilder->ToString(); }
// ToString(StartIndex, Length): a bad range raises ERangeError as the builder's other indexes.
String BuilderPart(TStringBuilder* ABuilder, int32_t AStart, int32_t ALength) {
  const String text = ABuilder->ToString();
  if (AStart < 0 || ALength < 0 ||
      static_cast<size_t>(AStart) + static_cast<size_t>(ALength) > text.size()) {
    throw ExceptionPtr(new ERangeError());
  }
  return text.substr(static_cast<size_t>(AStart), static_cast<size_t>(ALength));
}
int32_t InOutErrorCode(EInOutError* AError) { return AError->ErrorCode; }
void SetInOutErrorCode(EInOutError* AError, int32_t ACode) { AError->ErrorCode = ACode; }

}  // namespace

void Exception_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<Exception> M(AData);
  QelUnitKitDetail::ExceptionConstructors(M);
  M.Property<&Exception::GetMessage, &Exception::SetMessage>(u"Message");
  M.Property<&Exception::GetHelpContext, &Exception::SetHelpContext>(u"HelpContext");
}

void EInOutError_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<EInOutError> M(AData);
  QelUnitKitDetail::ExceptionConstructors(M);
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
  M.Method<&AppendValue>(u"Append");
  M.Overloads<u"AppendLine", &AppendEmptyLine, &AppendLineValue>();
  M.Method<&AppendFormat>(u"AppendFormat");
  M.Method<&InsertValue>(u"Insert");
  M.Method<&BuilderEquals>(u"Equals");
  M.Method<&TStringBuilder::Remove>(u"Remove");
  M.Method<&TStringBuilder::Replace>(u"Replace");
  M.Method<&TStringBuilder::Clear>(u"Clear");
  M.Overloads<u"ToString", &BuilderText, &BuilderPart>();
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
