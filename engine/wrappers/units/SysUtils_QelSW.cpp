// The "SysUtils" unit wrapper. Its string routines keep the class library's own signatures
// and behaviour; scripts reach them, where a language intrinsic has the same name, as
// SysUtils.Trim and so on.
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

String IntToStrOf(int64_t AValue) { return IntToStr(AValue); }
String IntToHexOf(int64_t AValue, int32_t ADigits) { return IntToHex(AValue, ADigits); }
String TrimOf(std::u16string_view S) { return Trim(S); }

// Format's open argument array arrives as a variant array (or, for one argument, a plain
// value); each element is handed to Format as a variant, which the directive then converts.
String FormatOf(std::u16string_view AFormat, const VARIANT& AArgs) {
  if (!(AArgs.vt & VT_ARRAY)) return Format(AFormat, {TVarRec(&AArgs)});
  SAFEARRAY* array = (AArgs.vt & VT_BYREF) ? *AArgs.pparray : AArgs.parray;
  if (!array || (AArgs.vt & VT_TYPEMASK) != VT_VARIANT || SafeArrayGetDim(array) != 1) {
    throw ExceptionPtr(new EConvertError(u"Format arguments must be a one-dimensional array"));
  }
  VARIANT* items = nullptr;
  if (FAILED(SafeArrayAccessData(array, reinterpret_cast<void**>(&items)))) {
    throw ExceptionPtr(new EConvertError(u"Format arguments must be a one-dimensional array"));
  }
  std::vector<TVarRec> args;
  const ULONG count = array->rgsabound[0].cElements;
  args.reserve(count);
  for (ULONG i = 0; i < count; ++i) args.emplace_back(&items[i]);
  try {
    String result = Format(AFormat, args.data(), args.size());
    SafeArrayUnaccessData(array);
    return result;
  } catch (...) {
    SafeArrayUnaccessData(array);
    throw;
  }
}

// TDateTime is a double in C++; these hand dates to scripts as dates, not as reals.
template <auto F, class... A>
VARIANT AsDate(A... AArgs) { return QelDateVar(F(AArgs...)); }

String FloatToStrOf(double AValue) { return FloatToStr(AValue); }
String FormatFloatOf(std::u16string_view AFormat, double AValue) { return FormatFloat(AFormat, AValue); }
String FormatDateTimeOf(std::u16string_view AFormat, double AValue) { return FormatDateTime(AFormat, AValue); }
double StrToFloatOf(std::u16string_view S) { return StrToFloat(S); }
String DateToStrOf(double AValue) { return DateToStr(AValue); }
String TimeToStrOf(double AValue) { return TimeToStr(AValue); }
String DateTimeToStrOf(double AValue) { return DateTimeToStr(AValue); }
VARIANT IncMonthOf(double ADate, int32_t AMonths) { return QelDateVar(IncMonth(ADate, AMonths)); }
VARIANT IncMonthByOne(double ADate) { return QelDateVar(IncMonth(ADate, 1)); }

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
  M.Routine<&UpperCase>(u"UpperCase");
  M.Routine<&LowerCase>(u"LowerCase");
  M.Routine<&CompareStr>(u"CompareStr");
  M.Routine<&CompareText>(u"CompareText");
  M.Routine<&SameStr>(u"SameStr");
  M.Routine<&SameText>(u"SameText");
  M.Routine<&AnsiUpperCase>(u"AnsiUpperCase");
  M.Routine<&AnsiLowerCase>(u"AnsiLowerCase");
  M.Routine<&AnsiCompareStr>(u"AnsiCompareStr");
  M.Routine<&AnsiCompareText>(u"AnsiCompareText");
  M.Routine<&AnsiSameStr>(u"AnsiSameStr");
  M.Routine<&AnsiSameText>(u"AnsiSameText");
  M.Routine<&TrimOf>(u"Trim");
  M.Routine<&TrimLeft>(u"TrimLeft");
  M.Routine<&TrimRight>(u"TrimRight");
  M.Routine<&IntToStrOf>(u"IntToStr");
  M.Routine<&IntToHexOf>(u"IntToHex");
  M.Routine<&StrToInt>(u"StrToInt");
  M.Routine<&StrToIntDef>(u"StrToIntDef");
  M.Routine<static_cast<bool (*)(std::u16string_view, int&)>(&TryStrToInt)>(u"TryStrToInt");
  M.Routine<&StrToInt64>(u"StrToInt64");
  M.Routine<&StrToInt64Def>(u"StrToInt64Def");
  M.Routine<static_cast<bool (*)(std::u16string_view, int64_t&)>(&TryStrToInt64)>(u"TryStrToInt64");
  M.Routine<&IsValidIdent>(u"IsValidIdent");
  M.Routine<&SysErrorMessage>(u"SysErrorMessage");
  M.Routine<&FormatOf>(u"Format");
  M.Routine<&FloatToStrOf>(u"FloatToStr");
  M.Routine<&FormatFloatOf>(u"FormatFloat");
  M.Routine<&FormatDateTimeOf>(u"FormatDateTime");
  M.Routine<&StrToFloatOf>(u"StrToFloat");
  M.Routine<&DateToStrOf>(u"DateToStr");
  M.Routine<&TimeToStrOf>(u"TimeToStr");
  M.Routine<&DateTimeToStrOf>(u"DateTimeToStr");
  M.Routine<&AsDate<static_cast<TDateTime (*)(std::u16string_view)>(&StrToDate), std::u16string_view>>(u"StrToDate");
  M.Routine<&AsDate<static_cast<TDateTime (*)(std::u16string_view)>(&StrToTime), std::u16string_view>>(u"StrToTime");
  M.Routine<&AsDate<static_cast<TDateTime (*)(std::u16string_view)>(&StrToDateTime), std::u16string_view>>(
      u"StrToDateTime");
  M.Routine<&AsDate<&EncodeDate, int32_t, int32_t, int32_t>>(u"EncodeDate");
  M.Routine<&AsDate<&EncodeTime, int32_t, int32_t, int32_t, int32_t>>(u"EncodeTime");
  M.Routine<&AsDate<&Now>>(u"Now");
  M.Routine<&AsDate<&Date>>(u"Date");
  M.Routine<&AsDate<&Time>>(u"Time");
  M.Overloads<u"IncMonth", &IncMonthByOne, &IncMonthOf>();
  M.Routine<&DayOfWeek>(u"DayOfWeek");
  M.Routine<&IsLeapYear>(u"IsLeapYear");
}

void SysUtils_sw::RegisterWrappers() {
  RegisterUnitWrapper(QelWrapperClass<SysUtils_sw>());
  QelRegisterClassWrappers<QEL_SYSUTILS_CLASSES>();
}
