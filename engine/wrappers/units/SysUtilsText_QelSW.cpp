// The "SysUtils" unit wrapper, text part: string, number and date routines, the regional
// settings record and time stamps. A routine with a TFormatSettings form takes the record as
// its last argument; without it the process settings apply.
#include <chrono>
#include <thread>

#include "engine/wrappers/units/SysUtils_QelSW.h"

namespace {

using TSettings = const TFormatSettings&;
using S = std::u16string_view;

CY ToCY(Currency AValue) {
  CY result{};
  result.int64 = AValue.Value;
  return result;
}
Currency FromCY(CY AValue) { return Currency::FromUnits(AValue.int64); }

// Format's open argument array arrives as a variant array (or, for one argument, a plain
// value); each element is handed to Format as a variant, which the directive then converts.
String FormatWith(S AFormat, const VARIANT& AArgs, TSettings ASettings) {
  if (!(AArgs.vt & VT_ARRAY)) return Format(AFormat, {TVarRec(&AArgs)}, ASettings);
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
    String result = Format(AFormat, args.data(), args.size(), ASettings);
    SafeArrayUnaccessData(array);
    return result;
  } catch (...) {
    SafeArrayUnaccessData(array);
    throw;
  }
}
String FormatOf(S AFormat, const VARIANT& AArgs) {
  return FormatWith(AFormat, AArgs, FormatSettings());
}

}  // namespace

String QelSysUtilsFormat(std::u16string_view AFormat, const VARIANT& AArgs) {
  return FormatOf(AFormat, AArgs);
}

namespace {

// Each routine once with the process settings and once with a settings record.
template <auto F, class R, class... A>
R Current(A... AArgs) {
  return F(AArgs..., FormatSettings());
}

template <class R, class... A>
using Fn = R (*)(A...);

String FloatToStrWith(double AValue, TSettings ASettings) { return FloatToStr(AValue, ASettings); }
String FormatFloatWith(S AFormat, double AValue, TSettings ASettings) {
  return FormatFloat(AFormat, AValue, ASettings);
}
String FloatToStrFWith(double AValue, TFloatFormat AFormat, int32_t APrecision, int32_t ADigits,
                       TSettings ASettings) {
  return FloatToStrF(AValue, AFormat, APrecision, ADigits, ASettings);
}
double StrToFloatWith(S AText, TSettings ASettings) { return StrToFloat(AText, ASettings); }
bool TryStrToFloatWith(S AText, double& AValue, TSettings ASettings) {
  return TryStrToFloat(AText, AValue, ASettings);
}
String CurrToStrWith(CY AValue, TSettings ASettings) {
  return CurrToStr(FromCY(AValue), ASettings);
}
String CurrToStrFWith(CY AValue, TFloatFormat AFormat, int32_t ADigits, TSettings ASettings) {
  return CurrToStrF(FromCY(AValue), AFormat, ADigits, ASettings);
}
String FormatCurrWith(S AFormat, CY AValue, TSettings ASettings) {
  return FormatCurr(AFormat, FromCY(AValue), ASettings);
}
bool TryStrToCurrWith(S AText, CY& AValue, TSettings ASettings) {
  Currency value;
  if (!TryStrToCurr(AText, value, ASettings)) return false;
  AValue = ToCY(value);
  return true;
}
CY StrToCurrWith(S AText, TSettings ASettings) {
  CY value{};
  if (!TryStrToCurrWith(AText, value, ASettings)) {
    throw ExceptionPtr(new EConvertError(
        Exception::FormatMessage(u"'%s' is not a valid floating point value", {AText})));
  }
  return value;
}
CY StrToCurrDefOf(S AText, CY ADefault) {
  CY value{};
  return TryStrToCurrWith(AText, value, FormatSettings()) ? value : ADefault;
}
CY FloatToCurrOf(double AValue) {
  // Outside the 64-bit range of ten-thousandths the conversion would saturate silently.
  if (!(AValue > -922337203685477.5807 && AValue < 922337203685477.5807)) {
    throw ExceptionPtr(new EConvertError(
        Exception::FormatMessage(u"%s is not a valid currency value", {FloatToStr(AValue)})));
  }
  return ToCY(Currency(AValue));
}
bool TryFloatToCurrOf(double AValue, CY& AResult) {
  if (!(AValue > -922337203685477.5807 && AValue < 922337203685477.5807)) return false;
  AResult = ToCY(Currency(AValue));
  return true;
}

String DateToStrWith(double AValue, TSettings ASettings) { return DateToStr(AValue, ASettings); }
String TimeToStrWith(double AValue, TSettings ASettings) { return TimeToStr(AValue, ASettings); }
String DateTimeToStrWith(double AValue, TSettings ASettings) {
  return DateTimeToStr(AValue, ASettings);
}
String FormatDateTimeWith(S AFormat, double AValue, TSettings ASettings) {
  return FormatDateTime(AFormat, AValue, ASettings);
}
void DateTimeToStringOf(String& AResult, S AFormat, double AValue) {
  AResult = FormatDateTime(AFormat, AValue);
}

// The parsing routines: a raising form, a form with a default and a Try form, each with and
// without settings, all from the one Try routine.
using TTryParse = bool (*)(S, TDateTime&, TSettings);
template <TTryParse F, const char16_t* Message>
TQelDate ParseWith(S AText, TSettings ASettings) {
  TDateTime value = 0;
  if (!F(AText, value, ASettings))
    throw ExceptionPtr(new EConvertError(Exception::FormatMessage(Message, {AText})));
  return {value};
}
template <TTryParse F, const char16_t* Message>
TQelDate Parse(S AText) {
  return ParseWith<F, Message>(AText, FormatSettings());
}
template <TTryParse F>
TQelDate ParseDef(S AText, TQelDate ADefault) {
  TDateTime value = 0;
  return F(AText, value, FormatSettings()) ? TQelDate{value} : ADefault;
}
template <TTryParse F>
bool TryParseWith(S AText, TQelDate& AValue, TSettings ASettings) {
  return F(AText, AValue.Value, ASettings);
}
template <TTryParse F>
bool TryParse(S AText, TQelDate& AValue) {
  return F(AText, AValue.Value, FormatSettings());
}

constexpr TTryParse TryDate = static_cast<TTryParse>(&TryStrToDate);
constexpr TTryParse TryTime = static_cast<TTryParse>(&TryStrToTime);
constexpr TTryParse TryDateTime = static_cast<TTryParse>(&TryStrToDateTime);
constexpr char16_t SInvalidDate[] = u"'%s' is not a valid date";
constexpr char16_t SInvalidTime[] = u"'%s' is not a valid time";
constexpr char16_t SInvalidDateTime[] = u"'%s' is not a valid date and time";

// TDateTime is a double in C++; these hand dates to scripts as dates, not as reals.
template <auto F, class... A>
TQelDate AsDate(A... AArgs) {
  return {F(AArgs...)};
}

bool TryEncodeDateOf(int32_t AYear, int32_t AMonth, int32_t ADay, TQelDate& ADate) {
  return TryEncodeDate(AYear, AMonth, ADay, ADate.Value);
}
bool TryEncodeTimeOf(int32_t AHour, int32_t AMin, int32_t ASec, int32_t AMSec, TQelDate& ATime) {
  return TryEncodeTime(AHour, AMin, ASec, AMSec, ATime.Value);
}
void ReplaceTimeOf(TQelDate& ADate, double ATime) { ReplaceTime(ADate.Value, ATime); }
void ReplaceDateOf(TQelDate& ADate, double ANewDate) { ReplaceDate(ADate.Value, ANewDate); }
bool TryFloatToDateTimeOf(double AValue, TQelDate& AResult) {
  return TryFloatToDateTime(AValue, AResult.Value);
}
TQelDate TimeStampToDateTimeOf(const TTimeStamp& AValue) { return {TimeStampToDateTime(AValue)}; }

String IntToStrOf(int64_t AValue) { return IntToStr(AValue); }
// Cardinals reach scripts as 64-bit integers, so those above 2^31 keep their value.
int64_t StrToUIntOf(S AText) { return StrToUInt(AText); }
int64_t StrToUIntDefOf(S AText, int64_t ADefault) {
  uint32_t value = 0;
  return TryStrToUInt(AText, value) ? int64_t{value} : ADefault;
}
bool TryStrToUIntOf(S AText, int64_t& AValue) {
  uint32_t value = 0;
  if (!TryStrToUInt(AText, value)) return false;
  AValue = value;
  return true;
}
String IntToHexOf(int64_t AValue, int32_t ADigits) { return IntToHex(AValue, ADigits); }
String TrimOf(S AText) { return Trim(AText); }
String WrapLine(S ALine) { return WrapText(ALine); }
String WrapAt(S ALine, int32_t AMaxCol) { return WrapText(ALine, AMaxCol); }
String WrapWith(S ALine, S ABreakStr, int32_t AMaxCol) {
  return WrapText(ALine, ABreakStr, AMaxCol);
}
String HomePath() { return GetEnvironmentVariable(u"HOME"); }

void SleepFor(int32_t AMilliseconds) {
  if (AMilliseconds > 0) std::this_thread::sleep_for(std::chrono::milliseconds(AMilliseconds));
}
[[noreturn]] void AbortNow() { throw ExceptionPtr(new EAbort()); }

String AdjustLineBreaksOf(S AText, TTextLineBreakStyle AStyle) {
  return AdjustLineBreaks(AText, AStyle == tlbsCRLF);
}

TFormatSettings CurrentSettings() { return FormatSettings(); }
TFormatSettings CopySettings(const TFormatSettings& AValue) { return AValue; }

}  // namespace

void TFormatSettings_sw::RegisterMembers(TQelRecordWrapperData& AData) {
  TQelRecordMembers<TFormatSettings_sw> M(AData);
  M.Constructors<u"Create", &CurrentSettings>();
  M.Method<&CopySettings>(u"Copy");
  M.Field<&TFormatSettings::CurrencyString>(u"CurrencyString");
  M.Field<&TFormatSettings::CurrencyFormat>(u"CurrencyFormat");
  M.Field<&TFormatSettings::NegCurrFormat>(u"NegCurrFormat");
  M.Field<&TFormatSettings::ThousandSeparator>(u"ThousandSeparator");
  M.Field<&TFormatSettings::DecimalSeparator>(u"DecimalSeparator");
  M.Field<&TFormatSettings::CurrencyDecimals>(u"CurrencyDecimals");
  M.Field<&TFormatSettings::DateSeparator>(u"DateSeparator");
  M.Field<&TFormatSettings::TimeSeparator>(u"TimeSeparator");
  M.Field<&TFormatSettings::ListSeparator>(u"ListSeparator");
  M.Field<&TFormatSettings::ShortDateFormat>(u"ShortDateFormat");
  M.Field<&TFormatSettings::LongDateFormat>(u"LongDateFormat");
  M.Field<&TFormatSettings::TimeAMString>(u"TimeAMString");
  M.Field<&TFormatSettings::TimePMString>(u"TimePMString");
  M.Field<&TFormatSettings::ShortTimeFormat>(u"ShortTimeFormat");
  M.Field<&TFormatSettings::LongTimeFormat>(u"LongTimeFormat");
  M.Field<&TFormatSettings::TwoDigitYearCenturyWindow>(u"TwoDigitYearCenturyWindow");
}

void TTimeStamp_sw::RegisterMembers(TQelRecordWrapperData& AData) {
  TQelRecordMembers<TTimeStamp_sw> M(AData);
  M.CreateAndCopy();
  M.Field<&TTimeStamp::Time>(u"Time");
  M.Field<&TTimeStamp::Date>(u"Date");
}

void QelSysUtilsText(TQelUnitMembers& M) {
  QelAddTypes<TFormatSettings_sw, TTimeStamp_sw, TReplaceFlag_sw, TReplaceFlags_sw,
              TFloatFormat_sw>(M);
  M.Variable<&CurrentSettings, nullptr>(u"FormatSettings");
  M.Constant<HoursPerDay>(u"HoursPerDay");
  M.Constant<MinsPerDay>(u"MinsPerDay");
  M.Constant<SecsPerDay>(u"SecsPerDay");
  M.Constant<MSecsPerDay>(u"MSecsPerDay");
  M.Constant<int32_t{60}>(u"MinsPerHour");
  M.Constant<int32_t{60}>(u"SecsPerMin");
  M.Constant<int32_t{1000}>(u"MSecsPerSec");
  M.Constant<int32_t{3600}>(u"SecsPerHour");
  M.Constant<DateDelta>(u"DateDelta");
  M.Constant<int32_t{25569}>(u"UnixDateDelta");
  M.Constant<-657434.0>(u"MinDateTime");
  M.Constant<2958465.99999999>(u"MaxDateTime");

  // Texts.
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
  M.Routine<&QuotedStr>(u"QuotedStr");
  M.Routine<&AnsiQuotedStr>(u"AnsiQuotedStr");
  M.Routine<&AnsiDequotedStr>(u"AnsiDequotedStr");
  M.Routine<&AnsiExtractQuotedStr>(u"AnsiExtractQuotedStr");
  M.Routine<&StringReplace>(u"StringReplace");
  M.Routine<&AdjustLineBreaksOf, QelDefaults<tlbsLF>>(u"AdjustLineBreaks");
  M.Overloads<u"WrapText", &WrapLine, &WrapAt, &WrapWith>();
  M.Routine<&AnsiPos>(u"AnsiPos");
  M.Routine<&ByteLength>(u"ByteLength");
  M.Routine<static_cast<bool (*)(S, bool)>(&IsValidIdent), QelDefaults<false>>(u"IsValidIdent");
  M.Routine<&RaiseLastOSError>(u"RaiseLastOSError");
  M.Routine<&SysErrorMessage>(u"SysErrorMessage");
  M.Overloads<u"Format", &FormatOf, &FormatWith>();

  // Integers and Booleans.
  M.Routine<&IntToStrOf>(u"IntToStr");
  M.Routine<&UIntToStr>(u"UIntToStr");
  M.Routine<&IntToHexOf>(u"IntToHex");
  M.Routine<&StrToInt>(u"StrToInt");
  M.Routine<&StrToIntDef>(u"StrToIntDef");
  M.Routine<static_cast<bool (*)(S, int&)>(&TryStrToInt)>(u"TryStrToInt");
  M.Routine<&StrToInt64>(u"StrToInt64");
  M.Routine<&StrToInt64Def>(u"StrToInt64Def");
  M.Routine<static_cast<bool (*)(S, int64_t&)>(&TryStrToInt64)>(u"TryStrToInt64");
  M.Routine<&StrToUIntOf>(u"StrToUInt");
  M.Routine<&StrToUIntDefOf>(u"StrToUIntDef");
  M.Routine<&TryStrToUIntOf>(u"TryStrToUInt");
  M.Routine<&StrToUInt64>(u"StrToUInt64");
  M.Routine<&StrToUInt64Def>(u"StrToUInt64Def");
  M.Routine<&TryStrToUInt64>(u"TryStrToUInt64");
  M.Routine<&StrToBool>(u"StrToBool");
  M.Routine<&StrToBoolDef>(u"StrToBoolDef");
  M.Routine<&TryStrToBool>(u"TryStrToBool");
  M.Routine<&BoolToStr, QelDefaults<false>>(u"BoolToStr");

  // Reals and currency.
  M.Overloads<u"FloatToStr", &Current<&FloatToStrWith, String, double>, &FloatToStrWith>();
  M.Overloads<u"FormatFloat", &Current<&FormatFloatWith, String, S, double>, &FormatFloatWith>();
  M.Overloads<u"FloatToStrF",
              &Current<&FloatToStrFWith, String, double, TFloatFormat, int32_t, int32_t>,
              &FloatToStrFWith>();
  M.Overloads<u"StrToFloat", &Current<&StrToFloatWith, double, S>, &StrToFloatWith>();
  M.Routine<&StrToFloatDef>(u"StrToFloatDef");
  M.Overloads<u"TryStrToFloat", &Current<&TryStrToFloatWith, bool, S, double&>,
              &TryStrToFloatWith>();
  M.Overloads<u"CurrToStr", &Current<&CurrToStrWith, String, CY>, &CurrToStrWith>();
  M.Overloads<u"CurrToStrF", &Current<&CurrToStrFWith, String, CY, TFloatFormat, int32_t>,
              &CurrToStrFWith>();
  M.Overloads<u"FormatCurr", &Current<&FormatCurrWith, String, S, CY>, &FormatCurrWith>();
  M.Overloads<u"StrToCurr", &Current<&StrToCurrWith, CY, S>, &StrToCurrWith>();
  M.Routine<&StrToCurrDefOf>(u"StrToCurrDef");
  M.Overloads<u"TryStrToCurr", &Current<&TryStrToCurrWith, bool, S, CY&>, &TryStrToCurrWith>();
  M.Routine<&FloatToCurrOf>(u"FloatToCurr");
  M.Routine<&TryFloatToCurrOf>(u"TryFloatToCurr");

  // Dates and times.
  M.Overloads<u"DateToStr", &Current<&DateToStrWith, String, double>, &DateToStrWith>();
  M.Overloads<u"TimeToStr", &Current<&TimeToStrWith, String, double>, &TimeToStrWith>();
  M.Overloads<u"DateTimeToStr", &Current<&DateTimeToStrWith, String, double>, &DateTimeToStrWith>();
  M.Overloads<u"FormatDateTime", &Current<&FormatDateTimeWith, String, S, double>,
              &FormatDateTimeWith>();
  M.Routine<&DateTimeToStringOf>(u"DateTimeToString");
  M.Overloads<u"StrToDate", &Parse<TryDate, SInvalidDate>, &ParseWith<TryDate, SInvalidDate>>();
  M.Overloads<u"StrToTime", &Parse<TryTime, SInvalidTime>, &ParseWith<TryTime, SInvalidTime>>();
  M.Overloads<u"StrToDateTime", &Parse<TryDateTime, SInvalidDateTime>,
              &ParseWith<TryDateTime, SInvalidDateTime>>();
  M.Routine<&ParseDef<TryDate>>(u"StrToDateDef");
  M.Routine<&ParseDef<TryTime>>(u"StrToTimeDef");
  M.Routine<&ParseDef<TryDateTime>>(u"StrToDateTimeDef");
  M.Overloads<u"TryStrToDate", &TryParse<TryDate>, &TryParseWith<TryDate>>();
  M.Overloads<u"TryStrToTime", &TryParse<TryTime>, &TryParseWith<TryTime>>();
  M.Overloads<u"TryStrToDateTime", &TryParse<TryDateTime>, &TryParseWith<TryDateTime>>();
  M.Routine<&AsDate<&EncodeDate, int32_t, int32_t, int32_t>>(u"EncodeDate");
  M.Routine<&AsDate<&EncodeTime, int32_t, int32_t, int32_t, int32_t>>(u"EncodeTime");
  M.Routine<&TryEncodeDateOf>(u"TryEncodeDate");
  M.Routine<&TryEncodeTimeOf>(u"TryEncodeTime");
  M.Routine<&DecodeDate>(u"DecodeDate");
  M.Routine<&DecodeTime>(u"DecodeTime");
  M.Routine<&DecodeDateFully>(u"DecodeDateFully");
  M.Routine<&AsDate<&Now>>(u"Now");
  M.Routine<&AsDate<&Date>>(u"Date");
  M.Routine<&AsDate<&Time>>(u"Time");
  M.Routine<&AsDate<&Time>>(u"GetTime");
  M.Routine<&CurrentYear>(u"CurrentYear");
  M.Routine<&AsDate<&IncMonth, double, int32_t>, QelDefaults<1>>(u"IncMonth");
  M.Routine<&IncAMonth, QelDefaults<1>>(u"IncAMonth");
  M.Routine<&DayOfWeek>(u"DayOfWeek");
  M.Routine<&IsLeapYear>(u"IsLeapYear");
  M.Routine<&ReplaceTimeOf>(u"ReplaceTime");
  M.Routine<&ReplaceDateOf>(u"ReplaceDate");
  M.Routine<&AsDate<&FloatToDateTime, double>>(u"FloatToDateTime");
  M.Routine<&TryFloatToDateTimeOf>(u"TryFloatToDateTime");
  M.Routine<&DateTimeToTimeStamp>(u"DateTimeToTimeStamp");
  M.Routine<&TimeStampToDateTimeOf>(u"TimeStampToDateTime");
  M.Routine<&MSecsToTimeStamp>(u"MSecsToTimeStamp");
  M.Routine<&TimeStampToMSecs>(u"TimeStampToMSecs");

  // The process.
  M.Routine<&HomePath>(u"GetHomePath");
  M.Routine<&SleepFor>(u"Sleep");
  M.Routine<&AbortNow>(u"Abort");
  M.Routine<&Beep>(u"Beep");
}
