// Host unit "SysUtils", text part: quoting, replacing, line breaks, Boolean texts and the
// time stamp record.
#pragma once

#include "host/core/SysUtils.h"

enum TReplaceFlag { rfReplaceAll, rfIgnoreCase };
QEL_ENUM_TYPE(TReplaceFlag, rfReplaceAll, rfIgnoreCase);
using TReplaceFlags = TSet<TReplaceFlag>;

QEL_ENUM_TYPE(TFloatFormat, ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency);

// 'text' with every quote doubled; the quote character may be another.
String QuotedStr(std::u16string_view S);
String AnsiQuotedStr(std::u16string_view S, char16_t AQuote);
// Takes a quoted text from the start of ASource (doubled quotes become one) and leaves the
// rest in ASource; "" and ASource unchanged when it does not start with the quote.
String AnsiExtractQuotedStr(String& ASource, char16_t AQuote);
// The quoted text's contents, or S itself when it is not quoted.
String AnsiDequotedStr(std::u16string_view S, char16_t AQuote);

// An empty AOldPattern leaves S as it is; rfIgnoreCase compares by full Unicode case.
String StringReplace(std::u16string_view S, std::u16string_view AOldPattern,
                     std::u16string_view ANewPattern, TReplaceFlags AFlags);
// CR, LF and CR LF all become LF, or CR LF when ACrLf.
String AdjustLineBreaks(std::u16string_view S, bool ACrLf = false);
// Breaks at blanks, tabs and hyphens so that no line exceeds AMaxCol (longer words stay whole);
// quoted parts are never broken.
String WrapText(std::u16string_view ALine, int32_t AMaxCol = 45);
String WrapText(std::u16string_view ALine, std::u16string_view ABreakStr, int32_t AMaxCol);
// 1-based position of ASubStr, 0 when absent.
int32_t AnsiPos(std::u16string_view ASubStr, std::u16string_view S);
String UIntToStr(uint64_t AValue);
// Unsigned texts: decimal, or hexadecimal after "$", "0x" or "0X", an optional "+", blanks
// around; StrToUInt64 and StrToUInt raise EConvertError "'%s' is not a valid integer value".
bool TryStrToUInt64(std::u16string_view S, uint64_t& AValue);
uint64_t StrToUInt64(std::u16string_view S);
uint64_t StrToUInt64Def(std::u16string_view S, uint64_t ADefault);
bool TryStrToUInt(std::u16string_view S, uint32_t& AValue);
uint32_t StrToUInt(std::u16string_view S);
uint32_t StrToUIntDef(std::u16string_view S, uint32_t ADefault);
// With AAllowDots, dotted names whose every part is an identifier ("Unit.Name").
bool IsValidIdent(std::u16string_view AIdent, bool AAllowDots);
// Raises EOSError "System Error.  Code: %d." and the code's text on the next line ("A call to
// an OS function failed" for 0).
[[noreturn]] void RaiseLastOSError(int32_t AErrorCode);
// The text's length in bytes (UTF-16).
int32_t ByteLength(std::u16string_view S);
// File names compare by full Unicode case here as the file system is case-sensitive: they
// are the same only when equal.
int32_t AnsiCompareFileName(std::u16string_view S1, std::u16string_view S2);
bool SameFileName(std::u16string_view S1, std::u16string_view S2);
bool IsRelativePath(std::u16string_view APath);

// "True"/"False" in any case, or a number (non-zero is true). StrToBool raises EConvertError
// "'%s' is not a valid boolean value".
bool TryStrToBool(std::u16string_view S, bool& AValue);
bool StrToBool(std::u16string_view S);
bool StrToBoolDef(std::u16string_view S, bool ADefault);

// Milliseconds of the day and days since 1 January 0001 plus one.
struct TTimeStamp {
  int32_t Time = 0;
  int32_t Date = 0;
};
TTimeStamp DateTimeToTimeStamp(TDateTime AValue);
// Raises EConvertError "'%d.%d' is not a valid timestamp" for a negative time or a date < 1.
TDateTime TimeStampToDateTime(const TTimeStamp& AValue);
TTimeStamp MSecsToTimeStamp(double AMSecs);
double TimeStampToMSecs(const TTimeStamp& AValue);
int32_t CurrentYear();
// Moves a date given as parts by AMonths months (the day clamped to the month's length).
void IncAMonth(int32_t& AYear, int32_t& AMonth, int32_t& ADay, int32_t AMonths = 1);
// A real as a date; false (or EConvertError "Invalid argument to date encode") outside the
// representable years.
bool TryFloatToDateTime(double AValue, TDateTime& AResult);
TDateTime FloatToDateTime(double AValue);
