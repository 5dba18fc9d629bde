// Quoting, replacing, line breaks, Boolean texts and time stamps of "SysUtils".
#include "host/core/SysUtilsText.h"

#include <cmath>

namespace {

String QuoteWith(std::u16string_view S, char16_t AQuote) {
  String result(1, AQuote);
  for (char16_t c : S) {
    result += c;
    if (c == AQuote) result += c;
  }
  return result + AQuote;
}

bool IsBreakChar(char16_t C) { return C == u' ' || C == u'\t' || C == u'-'; }

String ConvertError(std::u16string_view AFormat, std::u16string_view AArg) {
  return Exception::FormatMessage(AFormat, {AArg});
}

}  // namespace

String QuotedStr(std::u16string_view S) { return QuoteWith(S, u'\''); }
String AnsiQuotedStr(std::u16string_view S, char16_t AQuote) { return QuoteWith(S, AQuote); }

String AnsiExtractQuotedStr(String& ASource, char16_t AQuote) {
  if (ASource.empty() || ASource[0] != AQuote) return String();
  String result;
  size_t i = 1;
  while (i < ASource.size()) {
    if (ASource[i] == AQuote) {
      if (i + 1 < ASource.size() && ASource[i + 1] == AQuote) {
        result += AQuote;
        i += 2;
        continue;
      }
      ++i;
      break;
    }
    result += ASource[i++];
  }
  ASource.erase(0, i);
  return result;
}

String AnsiDequotedStr(std::u16string_view S, char16_t AQuote) {
  String rest(S);
  String result = AnsiExtractQuotedStr(rest, AQuote);
  // Without a closed quoted part at the start, S comes back as it is (unless S is quoted
  // from its first to its last character).
  if ((result.empty() || rest.empty()) && !S.empty() && (S.front() != AQuote || S.back() != AQuote))
    return String(S);
  return result;
}

String StringReplace(std::u16string_view S, std::u16string_view AOldPattern,
                     std::u16string_view ANewPattern, TReplaceFlags AFlags) {
  if (AOldPattern.empty()) return String(S);
  const bool ignoreCase = AFlags.Contains(rfIgnoreCase);
  // Full case mapping keeps the length of these texts for the scripts' alphabets; where it
  // does not, the search runs on the original text.
  const String hay = ignoreCase ? AnsiUpperCase(S) : String(S);
  const String needle = ignoreCase ? AnsiUpperCase(AOldPattern) : String(AOldPattern);
  const bool mapped = hay.size() == S.size();
  const std::u16string_view searchIn = mapped ? std::u16string_view(hay) : S;
  const std::u16string_view searchFor = mapped ? std::u16string_view(needle) : AOldPattern;
  String result;
  size_t start = 0;
  for (;;) {
    const size_t pos = searchIn.find(searchFor, start);
    if (pos == std::u16string_view::npos) break;
    result.append(S.substr(start, pos - start));
    result.append(ANewPattern);
    start = pos + searchFor.size();
    if (!AFlags.Contains(rfReplaceAll)) break;
  }
  result.append(S.substr(start));
  return result;
}

String AdjustLineBreaks(std::u16string_view S, bool ACrLf) {
  const std::u16string_view lineBreak = ACrLf ? u"\r\n" : u"\n";
  String result;
  result.reserve(S.size());
  for (size_t i = 0; i < S.size(); ++i) {
    if (S[i] == u'\r') {
      if (i + 1 < S.size() && S[i + 1] == u'\n') ++i;
      result += lineBreak;
    } else if (S[i] == u'\n') {
      result += lineBreak;
    } else {
      result += S[i];
    }
  }
  return result;
}

String WrapText(std::u16string_view ALine, int32_t AMaxCol) {
  return WrapText(ALine, u"\n", AMaxCol);
}

String WrapText(std::u16string_view ALine, std::u16string_view ABreakStr, int32_t AMaxCol) {
  String result;
  size_t lineStart = 0;  // in ALine
  const auto maxCol = static_cast<size_t>(std::max(AMaxCol, 1));
  while (ALine.size() - lineStart > maxCol) {
    // The last break character within the column limit, outside quotes; a word longer than
    // the limit breaks at its first chance. A blank at the break goes, a hyphen stays.
    size_t breakAt = std::u16string_view::npos;
    char16_t quote = 0;
    for (size_t i = lineStart; i < ALine.size(); ++i) {
      const char16_t c = ALine[i];
      if (quote) {
        if (c == quote) quote = 0;
      } else if (c == u'\'' || c == u'"') {
        quote = c;
      } else if (IsBreakChar(c)) {
        const size_t length = i - lineStart + (c == u'-' ? 1 : 0);
        if (length > maxCol) {
          if (breakAt == std::u16string_view::npos) breakAt = i;
          break;
        }
        breakAt = i;
      }
    }
    if (breakAt == std::u16string_view::npos || breakAt + 1 >= ALine.size()) break;
    const size_t lineEnd = ALine[breakAt] == u'-' ? breakAt + 1 : breakAt;
    result.append(ALine.substr(lineStart, lineEnd - lineStart));
    result.append(ABreakStr);
    lineStart = breakAt + 1;
  }
  result.append(ALine.substr(lineStart));
  return result;
}

int32_t AnsiPos(std::u16string_view ASubStr, std::u16string_view S) {
  if (ASubStr.empty()) return 0;
  const size_t pos = S.find(ASubStr);
  return pos == std::u16string_view::npos ? 0 : static_cast<int32_t>(pos + 1);
}

String UIntToStr(uint64_t AValue) {
  String result;
  do {
    result.insert(result.begin(), static_cast<char16_t>(u'0' + AValue % 10));
    AValue /= 10;
  } while (AValue);
  return result;
}

bool TryStrToUInt64(std::u16string_view S, uint64_t& AValue) {
  const String text = Trim(S);
  std::u16string_view digits = text;
  if (!digits.empty() && digits[0] == u'+') digits.remove_prefix(1);
  unsigned base = 10;
  if (!digits.empty() && digits[0] == u'$') {
    base = 16, digits.remove_prefix(1);
  } else if (digits.size() > 1 && digits[0] == u'0' && (digits[1] == u'x' || digits[1] == u'X')) {
    base = 16, digits.remove_prefix(2);
  }
  if (digits.empty()) return false;
  uint64_t value = 0;
  for (char16_t c : digits) {
    unsigned digit;
    if (c >= u'0' && c <= u'9') digit = c - u'0';
    else if (base == 16 && c >= u'a' && c <= u'f') digit = c - u'a' + 10;
    else if (base == 16 && c >= u'A' && c <= u'F') digit = c - u'A' + 10;
    else return false;
    if (__builtin_mul_overflow(value, base, &value) || __builtin_add_overflow(value, digit, &value))
      return false;
  }
  AValue = value;
  return true;
}

namespace {
[[noreturn]] void RaiseNotInteger(std::u16string_view S) {
  throw ExceptionPtr(new EConvertError(ConvertError(u"'%s' is not a valid integer value", S)));
}
}  // namespace

uint64_t StrToUInt64(std::u16string_view S) {
  uint64_t value = 0;
  if (!TryStrToUInt64(S, value)) RaiseNotInteger(S);
  return value;
}

uint64_t StrToUInt64Def(std::u16string_view S, uint64_t ADefault) {
  uint64_t value = 0;
  return TryStrToUInt64(S, value) ? value : ADefault;
}

bool TryStrToUInt(std::u16string_view S, uint32_t& AValue) {
  uint64_t value = 0;
  if (!TryStrToUInt64(S, value) || value > UINT32_MAX) return false;
  AValue = static_cast<uint32_t>(value);
  return true;
}

uint32_t StrToUInt(std::u16string_view S) {
  uint32_t value = 0;
  if (!TryStrToUInt(S, value)) RaiseNotInteger(S);
  return value;
}

uint32_t StrToUIntDef(std::u16string_view S, uint32_t ADefault) {
  uint32_t value = 0;
  return TryStrToUInt(S, value) ? value : ADefault;
}

bool IsValidIdent(std::u16string_view AIdent, bool AAllowDots) {
  if (!AAllowDots) return IsValidIdent(AIdent);
  size_t start = 0;
  for (;;) {
    const size_t dot = AIdent.find(u'.', start);
    if (!IsValidIdent(AIdent.substr(
            start, dot == std::u16string_view::npos ? std::u16string_view::npos : dot - start))) {
      return false;
    }
    if (dot == std::u16string_view::npos) return true;
    start = dot + 1;
  }
}

void RaiseLastOSError(int32_t AErrorCode) {
  if (AErrorCode == 0) throw ExceptionPtr(new EOSError(u"A call to an OS function failed"));
  throw ExceptionPtr(new EOSError(Exception::FormatMessage(
      u"System Error.  Code: %d.\n%s", {IntToStr(AErrorCode), SysErrorMessage(AErrorCode)})));
}

int32_t ByteLength(std::u16string_view S) { return static_cast<int32_t>(S.size() * 2); }

int32_t AnsiCompareFileName(std::u16string_view S1, std::u16string_view S2) {
  return CompareStr(S1, S2);
}
bool SameFileName(std::u16string_view S1, std::u16string_view S2) { return S1 == S2; }
bool IsRelativePath(std::u16string_view APath) { return APath.empty() || APath[0] != u'/'; }

bool TryStrToBool(std::u16string_view S, bool& AValue) {
  const String text = Trim(S);
  if (SameText(text, u"True")) return AValue = true, true;
  if (SameText(text, u"False")) return AValue = false, true;
  double number = 0;
  if (!TryStrToFloat(text, number)) return false;
  AValue = number != 0;
  return true;
}

bool StrToBool(std::u16string_view S) {
  bool value = false;
  if (!TryStrToBool(S, value))
    throw ExceptionPtr(new EConvertError(ConvertError(u"'%s' is not a valid boolean value", S)));
  return value;
}

bool StrToBoolDef(std::u16string_view S, bool ADefault) {
  bool value = false;
  return TryStrToBool(S, value) ? value : ADefault;
}

TTimeStamp DateTimeToTimeStamp(TDateTime AValue) {
  // Outside the representable dates (or NaN) the milliseconds would not fit an integer.
  TDateTime checked = 0;
  if (!TryFloatToDateTime(AValue, checked))
    throw ExceptionPtr(new EConvertError(u"Invalid argument to date encode"));
  const double msecs = std::round(checked * MSecsPerDay);
  auto total = static_cast<int64_t>(msecs);
  int64_t days = total / MSecsPerDay, time = total % MSecsPerDay;
  // A negative value keeps its time of day as the absolute fraction.
  if (time < 0) time = -time;
  return {static_cast<int32_t>(time), static_cast<int32_t>(days + DateDelta)};
}

TDateTime TimeStampToDateTime(const TTimeStamp& AValue) {
  if (AValue.Time < 0 || AValue.Time >= MSecsPerDay || AValue.Date <= 0) {
    throw ExceptionPtr(new EConvertError(Exception::FormatMessage(
        u"'%d.%d' is not a valid timestamp", {IntToStr(AValue.Date), IntToStr(AValue.Time)})));
  }
  const double days = AValue.Date - DateDelta;
  const double fraction = static_cast<double>(AValue.Time) / MSecsPerDay;
  return days < 0 ? days - fraction : days + fraction;
}

TTimeStamp MSecsToTimeStamp(double AMSecs) {
  // Checked as a real first: a NaN or a huge value has no integer to convert to.
  if (!(AMSecs >= 0 && AMSecs < static_cast<double>(MSecsPerDay) * 2147483647.0)) {
    throw ExceptionPtr(new EConvertError(u"Invalid argument to date encode"));
  }
  const auto total = static_cast<int64_t>(AMSecs);
  return {static_cast<int32_t>(total % MSecsPerDay), static_cast<int32_t>(total / MSecsPerDay)};
}

double TimeStampToMSecs(const TTimeStamp& AValue) {
  return static_cast<double>(AValue.Date) * MSecsPerDay + AValue.Time;
}

int32_t CurrentYear() {
  int year, month, day;
  DecodeDate(Now(), year, month, day);
  return year;
}

void IncAMonth(int32_t& AYear, int32_t& AMonth, int32_t& ADay, int32_t AMonths) {
  TDateTime date = 0;
  if (!TryEncodeDate(AYear, AMonth, ADay, date))
    throw ExceptionPtr(new EConvertError(u"Invalid argument to date encode"));
  int year, month, day;
  DecodeDate(IncMonth(date, AMonths), year, month, day);
  AYear = year, AMonth = month, ADay = day;
}

bool TryFloatToDateTime(double AValue, TDateTime& AResult) {
  // 1 January 0001 and 31 December 9999 at the day's end.
  if (!(AValue >= -693593.0 && AValue < 2958466.0)) return false;
  AResult = AValue;
  return true;
}

TDateTime FloatToDateTime(double AValue) {
  TDateTime result = 0;
  if (!TryFloatToDateTime(AValue, result))
    throw ExceptionPtr(new EConvertError(u"Invalid argument to date encode"));
  return result;
}
