// Host unit "SysUtils": exceptions, regional settings and string routines.
//
// How host exceptions travel through C++: an Exception object is raised by
// throwing an ExceptionPtr, a counted handle on it (the count lives in the
// object). Catching, holding (e.g. while a script handler runs) and re-raising
// copy the handle, so re-raising raises the very same object, and the object
// is deleted exactly once, when the last handle goes. Inside any catch block
// AcquireExceptionObject() turns whatever is in flight into such a handle:
// host exceptions pass through, std::bad_alloc becomes EOutOfMemory, other
// std::exception an Exception with what(), anything else an Exception with
// "Unknown exception".
#pragma once

#include <atomic>
#include <exception>
#include <initializer_list>
#include <string>

#include "host/core/System.h"
#include "platform/ole/OleTypes.h"

class Exception;

// A counted handle on a host exception object, and the C++ type thrown for it.
class ExceptionPtr : public std::exception {
 public:
  ExceptionPtr() = default;
  // Takes a share of AObject (a fresh object's first handle owns it).
  explicit ExceptionPtr(Exception* AObject);
  ExceptionPtr(const ExceptionPtr& AOther);
  ExceptionPtr(ExceptionPtr&& AOther) noexcept;
  ExceptionPtr& operator=(ExceptionPtr AOther) noexcept;
  ~ExceptionPtr() override;

  Exception* Get() const { return FObject; }
  Exception* operator->() const { return FObject; }
  Exception& operator*() const { return *FObject; }
  explicit operator bool() const { return FObject != nullptr; }
  friend bool operator==(const ExceptionPtr& A, const ExceptionPtr& B) { return A.FObject == B.FObject; }

  // Throws this handle: raises the same object again.
  [[noreturn]] void Raise() const;
  // The message in UTF-8 (for code that only knows std::exception).
  const char* what() const noexcept override;

 private:
  Exception* FObject = nullptr;
};

// Raises AObject (taking a share of it as ExceptionPtr does).
[[noreturn]] void RaiseException(Exception* AObject);
// Use inside a catch block: the exception in flight as a host exception.
ExceptionPtr AcquireExceptionObject();

// ---------------------------------------------------------------------------
// Exception classes

class Exception : public TObject {
  QEL_CLASS(Exception, TObject)
 public:
  explicit Exception(String AMessage, int AHelpContext = 0);
  ~Exception() override;
  // Free() on an object that is being raised or held as raised would free it
  // under its handles: raises EInvalidPointer instead.
  void BeforeDestruction() override;

  // Builds a message from a template whose %s / %d / %x (with any flags and
  // width) are replaced, in order, by already-formatted texts; "%%" gives "%".
  static String FormatMessage(std::u16string_view AFormat, std::initializer_list<std::u16string_view> AArgs);

  const String& GetMessage() const { return FMessage; }
  void SetMessage(String AValue);
  int GetHelpContext() const { return FHelpContext; }
  void SetHelpContext(int AValue) { FHelpContext = AValue; }
  static void QelRegisterMembers(TClassInfo& AInfo);

 private:
  friend class ExceptionPtr;
  String FMessage;
  int FHelpContext = 0;
  mutable std::string FMessageUtf8;
  mutable std::atomic<int> FHandles{0};
};

QEL_PUBLISHED(Exception, QelProp<u"Message", &Exception::GetMessage, &Exception::SetMessage>,
              QelProp<u"HelpContext", &Exception::GetHelpContext, &Exception::SetHelpContext>);

// Declares an exception class whose constructors are its parent's.
#define QEL_EXCEPTION(Name, Parent) \
  class Name : public Parent {      \
    QEL_CLASS(Name, Parent)         \
   public:                          \
    using Parent::Parent;           \
  }

// Declares an exception class with the class library's fixed default message.
#define QEL_EXCEPTION_MSG(Name, Parent, DefaultMessage)                                         \
  class Name : public Parent {                                                                  \
    QEL_CLASS(Name, Parent)                                                                     \
   public:                                                                                      \
    using Parent::Parent;                                                                       \
    Name() : Parent(String(DefaultMessage)) {}                                                  \
  }

QEL_EXCEPTION_MSG(EAbort, Exception, u"Operation aborted");
QEL_EXCEPTION(EHeapException, Exception);
QEL_EXCEPTION_MSG(EOutOfMemory, EHeapException, u"Out of memory");
QEL_EXCEPTION_MSG(EInvalidPointer, EHeapException, u"Invalid pointer operation");
QEL_EXCEPTION_MSG(EInvalidCast, Exception, u"Invalid class typecast");
QEL_EXCEPTION(EConvertError, Exception);
QEL_EXCEPTION(EVariantError, Exception);
QEL_EXCEPTION_MSG(EVariantTypeCastError, EVariantError, u"Invalid variant type conversion");
QEL_EXCEPTION(EExternal, Exception);
QEL_EXCEPTION(EIntError, EExternal);
QEL_EXCEPTION_MSG(EDivByZero, EIntError, u"Division by zero");
QEL_EXCEPTION_MSG(ERangeError, EIntError, u"Range check error");
QEL_EXCEPTION_MSG(EIntOverflow, EIntError, u"Integer overflow");
QEL_EXCEPTION(EMathError, EExternal);
QEL_EXCEPTION_MSG(EInvalidOp, EMathError, u"Invalid floating point operation");
QEL_EXCEPTION_MSG(EZeroDivide, EMathError, u"Floating point division by zero");
QEL_EXCEPTION_MSG(EOverflow, EMathError, u"Floating point overflow");
QEL_EXCEPTION_MSG(EUnderflow, EMathError, u"Floating point underflow");
QEL_EXCEPTION_MSG(EAccessViolation, EExternal, u"Access violation");
QEL_EXCEPTION_MSG(EStackOverflow, EExternal, u"Stack overflow");
QEL_EXCEPTION_MSG(EAssertionFailed, Exception, u"Assertion failed");
QEL_EXCEPTION_MSG(EAbstractError, Exception, u"Abstract Error");
QEL_EXCEPTION_MSG(ENotSupportedException, Exception, u"Operation not supported");
QEL_EXCEPTION(EArgumentException, Exception);
QEL_EXCEPTION(EArgumentOutOfRangeException, EArgumentException);
QEL_EXCEPTION(EPropertyError, Exception);
QEL_EXCEPTION(EOSError, Exception);
QEL_EXCEPTION(EArgumentNilException, EArgumentException);
QEL_EXCEPTION(ECFError, Exception);
QEL_EXCEPTION(EControlC, EExternal);
QEL_EXCEPTION(EEncodingError, Exception);
QEL_EXCEPTION(EExternalException, EExternal);
QEL_EXCEPTION(EInOutArgumentException, EArgumentException);
QEL_EXCEPTION(EDirectoryNotFoundException, EInOutArgumentException);
QEL_EXCEPTION(EFileNotFoundException, EInOutArgumentException);
QEL_EXCEPTION(EPathNotFoundException, EInOutArgumentException);
QEL_EXCEPTION(EPathTooLongException, EInOutArgumentException);
QEL_EXCEPTION_MSG(EIntfCastError, Exception, u"Interface not supported");
QEL_EXCEPTION(EInvalidContainer, Exception);
QEL_EXCEPTION(EInvalidInsert, Exception);
QEL_EXCEPTION(EInvalidOpException, Exception);
QEL_EXCEPTION(EMonitor, Exception);
QEL_EXCEPTION(EMonitorLockException, EMonitor);
QEL_EXCEPTION(ENoMonitorSupportException, EMonitor);
QEL_EXCEPTION(ENoConstructException, Exception);
QEL_EXCEPTION_MSG(ENotImplemented, Exception, u"Feature not implemented");
QEL_EXCEPTION(EObjectDisposed, Exception);
QEL_EXCEPTION(EPackageError, Exception);
QEL_EXCEPTION_MSG(EPrivilege, Exception, u"Privileged instruction");
QEL_EXCEPTION(EProgrammerNotFound, Exception);
QEL_EXCEPTION_MSG(EPropReadOnly, Exception, u"Property is read-only");
QEL_EXCEPTION_MSG(EPropWriteOnly, Exception, u"Property is write-only");
QEL_EXCEPTION(ESafecallException, Exception);
QEL_EXCEPTION(EWin32Error, EOSError);

class EInOutError : public Exception {
  QEL_CLASS(EInOutError, Exception)
 public:
  explicit EInOutError(String AMessage, int AErrorCode = 0) : Exception(std::move(AMessage)), ErrorCode(AErrorCode) {}
  int ErrorCode;
};

QEL_EXCEPTION(EOleError, Exception);

class EOleSysError : public EOleError {
  QEL_CLASS(EOleSysError, EOleError)
 public:
  EOleSysError(String AMessage, HRESULT AErrorCode, int AHelpContext = 0)
      : EOleError(std::move(AMessage), AHelpContext), FErrorCode(AErrorCode) {}
  HRESULT GetErrorCode() const { return FErrorCode; }
  void SetErrorCode(HRESULT AValue) { FErrorCode = AValue; }
  static void QelRegisterMembers(TClassInfo& AInfo);

 private:
  HRESULT FErrorCode;
};

QEL_PUBLISHED(EOleSysError, QelProp<u"ErrorCode", &EOleSysError::GetErrorCode, &EOleSysError::SetErrorCode>);

class EOleException : public EOleSysError {
  QEL_CLASS(EOleException, EOleSysError)
 public:
  EOleException(String AMessage, HRESULT AErrorCode, String ASource, String AHelpFile, int AHelpContext = 0)
      : EOleSysError(std::move(AMessage), AErrorCode, AHelpContext),
        FSource(std::move(ASource)),
        FHelpFile(std::move(AHelpFile)) {}
  const String& GetSource() const { return FSource; }
  void SetSource(String AValue) { FSource = std::move(AValue); }
  const String& GetHelpFile() const { return FHelpFile; }
  void SetHelpFile(String AValue) { FHelpFile = std::move(AValue); }
  static void QelRegisterMembers(TClassInfo& AInfo);

 private:
  String FSource;
  String FHelpFile;
};
QEL_PUBLISHED(EOleException, QelProp<u"Source", &EOleException::GetSource, &EOleException::SetSource>,
              QelProp<u"HelpFile", &EOleException::GetHelpFile, &EOleException::SetHelpFile>);

// ---------------------------------------------------------------------------
// Regional settings

struct TFormatSettings {
  String CurrencyString;
  uint8_t CurrencyFormat = 0;
  uint8_t NegCurrFormat = 0;
  char16_t ThousandSeparator = u',';
  char16_t DecimalSeparator = u'.';
  uint8_t CurrencyDecimals = 2;
  char16_t DateSeparator = u'/';
  char16_t TimeSeparator = u':';
  char16_t ListSeparator = u',';
  String ShortDateFormat;
  String LongDateFormat;
  String TimeAMString;
  String TimePMString;
  String ShortTimeFormat;
  String LongTimeFormat;
  String ShortMonthNames[12];
  String LongMonthNames[12];
  String ShortDayNames[7];  // Sunday first
  String LongDayNames[7];
  uint16_t TwoDigitYearCenturyWindow = 50;

  // The English (United States) values, used for the C/POSIX locale.
  static TFormatSettings EnglishUS();
  // The settings of the process locale (LC_ALL / LC_TIME / LANG ...).
  static TFormatSettings FromProcessLocale();
};

// The process-wide settings, filled from the process locale on first use.
const TFormatSettings& FormatSettings();
// Replaces them (tests pin them) and pushes the matching values to the
// automation layer's regional settings. Call while no other thread formats.
void SetFormatSettings(const TFormatSettings& ASettings);

// Turns the class library's date/time pattern into the Windows-style one the
// automation layer uses ("m/d/yyyy" -> "M/d/yyyy", "h:nn:ss AMPM" -> "h:mm:ss tt").
String DateTimePatternToWindows(std::u16string_view APattern);
// Turns an ICU (LDML) date/time pattern into the class library's
// ("dd.MM.yy" -> "dd.mm.yyyy", "h:mm a" -> "h:nn AMPM").
String LocaleDatePatternToHost(std::u16string_view ALdmlPattern);

// ---------------------------------------------------------------------------
// String routines

// ASCII-only case mapping and comparison, as the class library's.
String UpperCase(std::u16string_view S);
String LowerCase(std::u16string_view S);
int CompareStr(std::u16string_view S1, std::u16string_view S2);
int CompareText(std::u16string_view S1, std::u16string_view S2);
bool SameStr(std::u16string_view S1, std::u16string_view S2);
bool SameText(std::u16string_view S1, std::u16string_view S2);

// Full Unicode case mapping (locale-independent) and the process locale's
// collation.
String AnsiUpperCase(std::u16string_view S);
String AnsiLowerCase(std::u16string_view S);
int AnsiCompareStr(std::u16string_view S1, std::u16string_view S2);
int AnsiCompareText(std::u16string_view S1, std::u16string_view S2);
bool AnsiSameStr(std::u16string_view S1, std::u16string_view S2);
bool AnsiSameText(std::u16string_view S1, std::u16string_view S2);

// Trimming removes characters up to and including the space (controls too).
String Trim(std::u16string_view S);
String TrimLeft(std::u16string_view S);
String TrimRight(std::u16string_view S);

String IntToStr(int64_t AValue);
String IntToHex(int64_t AValue, int ADigits);
// Decimal, or hexadecimal after "$", "0x" or "0X"; optional sign, surrounding
// blanks allowed. StrToInt raises EConvertError "'%s' is not a valid integer value".
int StrToInt(std::u16string_view S);
int StrToIntDef(std::u16string_view S, int ADefault);
bool TryStrToInt(std::u16string_view S, int& AValue);
int64_t StrToInt64(std::u16string_view S);
int64_t StrToInt64Def(std::u16string_view S, int64_t ADefault);
bool TryStrToInt64(std::u16string_view S, int64_t& AValue);

// Letters, digits and "_", not starting with a digit (ASCII).
bool IsValidIdent(std::u16string_view AIdent);
// The text of an errno value, as the class library's SysErrorMessage.
String SysErrorMessage(int AErrorCode);

// ===========================================================================
// Run-time routines: formatting, number and date conversion, beep
// (implemented in host/Format*.cpp, host/Numbers*.cpp, host/DateTime*.cpp,
// host/Dialogs*.cpp). Every routine without a TFormatSettings parameter reads
// the process-wide FormatSettings().
// ===========================================================================

// ---------------------------------------------------------------------------
// Currency: a 64-bit integer scaled by 10000, as the automation layer's CY.

struct Currency {
  int64_t Value = 0;  // units of 1/10000

  constexpr Currency() = default;
  // Rounds to four decimals, halves to even (the FPU's rounding of the class
  // library); values beyond the 64-bit range saturate.
  Currency(double AValue);  // NOLINT(google-explicit-constructor): as the class library converts
  static constexpr Currency FromUnits(int64_t AUnits) {
    Currency c;
    c.Value = AUnits;
    return c;
  }
  double ToDouble() const { return static_cast<double>(Value) / 10000.0; }
  friend constexpr bool operator==(Currency, Currency) = default;
};

// ---------------------------------------------------------------------------
// Format arguments

// One argument of Format: the class library's TVarRec. Integers keep their
// width (%x and %u of a negative 32-bit value give 8 hex digits / a 32-bit
// unsigned number), strings are copied. A VARIANT pointer is converted by the
// directive that reads it (text for %s, 64-bit integer for d u x, real for
// e f g n, currency for m) with the automation layer's coercions.
enum TVarRecType : uint8_t {
  vtInteger, vtInt64, vtExtended, vtCurrency, vtString, vtChar, vtBoolean, vtPointer, vtVariant
};

struct tagVARIANT;

class TVarRec {
 public:
  TVarRec(int AValue) : FType(vtInteger), FInt(AValue) {}  // NOLINT: implicit, as an open array
  TVarRec(unsigned AValue) : FType(vtInt64), FInt(AValue) {}
  TVarRec(long AValue) : FType(vtInt64), FInt(AValue) {}
  TVarRec(long long AValue) : FType(vtInt64), FInt(AValue) {}
  TVarRec(unsigned long AValue) : FType(vtInt64), FInt(static_cast<int64_t>(AValue)) {}
  TVarRec(unsigned long long AValue) : FType(vtInt64), FInt(static_cast<int64_t>(AValue)) {}
  TVarRec(double AValue) : FType(vtExtended), FFloat(AValue) {}
  TVarRec(Currency AValue) : FType(vtCurrency), FInt(AValue.Value) {}
  TVarRec(char16_t AValue) : FType(vtChar), FInt(AValue) {}
  TVarRec(bool AValue) : FType(vtBoolean), FInt(AValue) {}
  TVarRec(const char16_t* AValue) : FType(vtString), FString(AValue ? AValue : u"") {}
  TVarRec(std::u16string_view AValue) : FType(vtString), FString(AValue) {}
  TVarRec(String AValue) : FType(vtString), FString(std::move(AValue)) {}
  TVarRec(const void* AValue) : FType(vtPointer), FPointer(AValue) {}
  TVarRec(std::nullptr_t) : FType(vtPointer) {}
  TVarRec(const tagVARIANT* AValue) : FType(vtVariant), FPointer(AValue) {}
  TVarRec(tagVARIANT* AValue) : FType(vtVariant), FPointer(AValue) {}

  TVarRecType VType() const { return FType; }
  int64_t AsInt() const { return FInt; }          // vtInteger, vtInt64, vtChar, vtBoolean, vtCurrency units
  double AsFloat() const { return FFloat; }        // vtExtended
  const String& AsString() const { return FString; }
  const void* AsPointer() const { return FPointer; }  // vtPointer, vtVariant

 private:
  TVarRecType FType;
  int64_t FInt = 0;
  double FFloat = 0;
  String FString;
  const void* FPointer = nullptr;
};

// The class library's Format: directives "%" [index ":"] ["-"] [width]
// ["." precision] type, type one of d u e f g n m p s x (either case), index,
// width and precision may be "*" (taken from the next argument), "%%" is "%".
// Raises EConvertError "Format '%s' invalid or incompatible with argument" or
// "No argument for format '%s'".
String Format(std::u16string_view AFormat, std::initializer_list<TVarRec> AArgs);
String Format(std::u16string_view AFormat, std::initializer_list<TVarRec> AArgs, const TFormatSettings& ASettings);
String Format(std::u16string_view AFormat, const TVarRec* AArgs, size_t ACount);
String Format(std::u16string_view AFormat, const TVarRec* AArgs, size_t ACount, const TFormatSettings& ASettings);

// ---------------------------------------------------------------------------
// Floating point and currency texts

enum TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };

// A value as decimal digits: 0.Digits * 10^Exponent. Digits holds at most 20
// significant digits ('0'..'9'), no trailing zeros; empty for zero. Exponent is
// 0x7FFF for an infinity, 0x8000 (-32768) for a NaN.
struct TFloatRec {
  int16_t Exponent = 0;
  bool Negative = false;
  char Digits[21] = {};
};

// Rounds half away from zero to APrecision significant digits and at most
// ADecimals digits after the decimal point (the class library's FloatToDecimal).
void FloatToDecimal(TFloatRec& AResult, double AValue, int APrecision, int ADecimals);
void FloatToDecimal(TFloatRec& AResult, Currency AValue, int APrecision, int ADecimals);

// General format with 15 significant digits: "0.1", "1E20", "1.5E-7";
// infinities and NaN give "INF", "-INF", "NAN".
String FloatToStr(double AValue);
String FloatToStr(double AValue, const TFormatSettings& ASettings);
// APrecision: significant digits (1..18). ADigits: ffExponent the minimum
// exponent digits (0..4); ffFixed, ffNumber, ffCurrency the decimals (0..18);
// ffGeneral the minimum exponent digits when it switches to scientific form.
String FloatToStrF(double AValue, TFloatFormat AFormat, int APrecision, int ADigits);
String FloatToStrF(double AValue, TFloatFormat AFormat, int APrecision, int ADigits, const TFormatSettings& ASettings);
String CurrToStr(Currency AValue);
String CurrToStr(Currency AValue, const TFormatSettings& ASettings);
String CurrToStrF(Currency AValue, TFloatFormat AFormat, int ADigits);
String CurrToStrF(Currency AValue, TFloatFormat AFormat, int ADigits, const TFormatSettings& ASettings);

// Numeric patterns: up to three sections "positive;negative;zero" made of
// 0 # . , E+ E- e+ e- and literal text ('..' or ".."); rounds half away from
// zero. An empty pattern gives FloatToStr's text.
String FormatFloat(std::u16string_view AFormat, double AValue);
String FormatFloat(std::u16string_view AFormat, double AValue, const TFormatSettings& ASettings);
String FormatCurr(std::u16string_view AFormat, Currency AValue);
String FormatCurr(std::u16string_view AFormat, Currency AValue, const TFormatSettings& ASettings);

// Texts with the regional decimal separator (and no thousands separators),
// optional sign, optional exponent, surrounding blanks allowed. StrToFloat
// raises EConvertError "'%s' is not a valid floating point value"; StrToCurr
// "'%s' is not a valid floating point value" as well.
bool TryStrToFloat(std::u16string_view S, double& AValue);
bool TryStrToFloat(std::u16string_view S, double& AValue, const TFormatSettings& ASettings);
double StrToFloat(std::u16string_view S);
double StrToFloat(std::u16string_view S, const TFormatSettings& ASettings);
double StrToFloatDef(std::u16string_view S, double ADefault);
bool TryStrToCurr(std::u16string_view S, Currency& AValue);
bool TryStrToCurr(std::u16string_view S, Currency& AValue, const TFormatSettings& ASettings);
Currency StrToCurr(std::u16string_view S);
Currency StrToCurrDef(std::u16string_view S, Currency ADefault);

// "True"/"False" (AUseBoolStrs) or "-1"/"0".
String BoolToStr(bool AValue, bool AUseBoolStrs = false);

// ---------------------------------------------------------------------------
// Dates and times: TDateTime counts days since 30 December 1899; the fraction
// is the time of day. For a negative value the date is the integer part
// (toward zero) and the time the absolute fraction: -1.25 is 29 December 1899
// at 06:00.

using TDateTime = double;

constexpr int HoursPerDay = 24;
constexpr int MinsPerDay = 24 * 60;
constexpr int SecsPerDay = MinsPerDay * 60;
constexpr int MSecsPerDay = SecsPerDay * 1000;
constexpr int DateDelta = 693594;  // days from 1 January 0001 to 30 December 1899

bool IsLeapYear(int AYear);
// Days in a month of a year (0 for a month outside 1..12).
int MonthDays(int AYear, int AMonth);

// Years 1..9999. EncodeDate raises EConvertError "Invalid argument to date encode".
bool TryEncodeDate(int AYear, int AMonth, int ADay, TDateTime& ADate);
TDateTime EncodeDate(int AYear, int AMonth, int ADay);
// Hours 0..23, minutes and seconds 0..59, milliseconds 0..999. EncodeTime
// raises EConvertError "Invalid argument to time encode".
bool TryEncodeTime(int AHour, int AMin, int ASec, int AMSec, TDateTime& ATime);
TDateTime EncodeTime(int AHour, int AMin, int ASec, int AMSec);
// Values outside the representable years decode as 0 parts.
void DecodeDate(TDateTime ADate, int& AYear, int& AMonth, int& ADay);
// Returns whether the year is a leap year; ADOW is 1 = Sunday .. 7 = Saturday.
bool DecodeDateFully(TDateTime ADate, int& AYear, int& AMonth, int& ADay, int& ADOW);
void DecodeTime(TDateTime ATime, int& AHour, int& AMin, int& ASec, int& AMSec);
// 1 = Sunday .. 7 = Saturday.
int DayOfWeek(TDateTime ADate);
// Moves by AMonths months, the day clamped to the target month's length; the
// time of day is kept.
TDateTime IncMonth(TDateTime ADate, int AMonths = 1);
// Keeps ADate's date and takes ATime's time of day (and the reverse).
void ReplaceTime(TDateTime& ADate, TDateTime ATime);
void ReplaceDate(TDateTime& ADate, TDateTime ANewDate);

// The local clock.
TDateTime Now();
TDateTime Date();
TDateTime Time();

// FormatDateTime: the class library's specifiers c d dd ddd dddd ddddd dddddd
// m mm mmm mmmm (minutes right after h/hh) yy yyyy h hh n nn s ss z zzz t tt
// am/pm a/p ampm / : and literal text in '..' or "..". An empty pattern is "c".
String FormatDateTime(std::u16string_view AFormat, TDateTime AValue);
String FormatDateTime(std::u16string_view AFormat, TDateTime AValue, const TFormatSettings& ASettings);
String DateToStr(TDateTime AValue);
String DateToStr(TDateTime AValue, const TFormatSettings& ASettings);
String TimeToStr(TDateTime AValue);
String TimeToStr(TDateTime AValue, const TFormatSettings& ASettings);
// The date and, unless it is exactly midnight, the long time.
String DateTimeToStr(TDateTime AValue);
String DateTimeToStr(TDateTime AValue, const TFormatSettings& ASettings);

// Parsing in the order of ShortDateFormat (day, month, year) with
// DateSeparator, two-digit years through TwoDigitYearCenturyWindow, a missing
// year meaning this year; times as h[:n[:s[.z]]] with an optional AM/PM marker.
// Errors: EConvertError "'%s' is not a valid date", "'%s' is not a valid time",
// "'%s' is not a valid date and time".
bool TryStrToDate(std::u16string_view S, TDateTime& AValue);
bool TryStrToDate(std::u16string_view S, TDateTime& AValue, const TFormatSettings& ASettings);
TDateTime StrToDate(std::u16string_view S);
TDateTime StrToDateDef(std::u16string_view S, TDateTime ADefault);
bool TryStrToTime(std::u16string_view S, TDateTime& AValue);
bool TryStrToTime(std::u16string_view S, TDateTime& AValue, const TFormatSettings& ASettings);
TDateTime StrToTime(std::u16string_view S);
TDateTime StrToTimeDef(std::u16string_view S, TDateTime ADefault);
bool TryStrToDateTime(std::u16string_view S, TDateTime& AValue);
bool TryStrToDateTime(std::u16string_view S, TDateTime& AValue, const TFormatSettings& ASettings);
TDateTime StrToDateTime(std::u16string_view S);
TDateTime StrToDateTimeDef(std::u16string_view S, TDateTime ADefault);

// ---------------------------------------------------------------------------
// Beep

// Sounds the default beep: the installed hook, or BEL on standard error when
// that is a terminal (nothing otherwise, so redirected output stays clean).
void Beep();
using TBeepHook = void (*)();
// Installs a process-wide hook (null restores the default); returns the previous one.
TBeepHook SetBeepHook(TBeepHook AHook);
// ===========================================================================

// ---------------------------------------------------------------------------
// String builder

// Builds a text piece by piece; indexes count from 0. A bad index or length raises
// ERangeError "Range check error".
class TStringBuilder : public TObject {
  QEL_CLASS(TStringBuilder, TObject)
 public:
  TStringBuilder() = default;
  explicit TStringBuilder(std::u16string_view AValue) : FText(AValue) {}
  TStringBuilder* Append(std::u16string_view AValue);
  TStringBuilder* AppendLine(std::u16string_view AValue);
  TStringBuilder* Insert(int AIndex, std::u16string_view AValue);
  TStringBuilder* Remove(int AStartIndex, int ARemoveLength);
  TStringBuilder* Replace(std::u16string_view AOldValue, std::u16string_view ANewValue);
  TStringBuilder* Clear();
  String ToString() const { return FText; }
  int GetLength() const { return static_cast<int>(FText.size()); }
  // Shorter cuts the text, longer pads it with #0.
  void SetLength(int AValue);
  char16_t GetChars(int AIndex) const;
  void SetChars(int AIndex, char16_t AValue);

 private:
  void CheckIndex(int AIndex, size_t ALimit) const;
  String FText;
};
