// Regional settings from the process locale, through ICU's locale data.
#include <unicode/ucal.h>
#include <unicode/udat.h>
#include <unicode/unum.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>

#include "host/core/DateUtils.h"
#include "host/core/SysUtils.h"

namespace {

// The locale that governs dates and numbers, as the C library picks it, in
// ICU's form ("de_DE.UTF-8@euro" -> "de_DE"); empty for C/POSIX.
std::string ProcessLocaleName() {
  std::string name = "C";
  for (const char* variable : {"LC_ALL", "LC_TIME", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value && *value) {
      name = value;
      break;
    }
  }
  name = name.substr(0, name.find_first_of(".@"));
  return name == "C" || name == "POSIX" ? std::string() : name;
}

String ReadIcuText(const std::function<int32_t(UChar*, int32_t, UErrorCode*)>& ARead) {
  UChar buffer[128];
  UErrorCode status = U_ZERO_ERROR;
  const int32_t length = ARead(buffer, 128, &status);
  if (U_FAILURE(status) || length > 128) return String();
  return String(buffer, length);
}

// ICU's plain spaces come as no-break ones in some patterns and names.
String PlainSpaces(String AText) {
  for (char16_t& c : AText)
    if (c == u'\u00A0' || c == u'\u202F') c = u' ';
  return AText;
}

}  // namespace

String LocaleDatePatternToHost(std::u16string_view APattern) {
  String result;
  for (size_t i = 0; i < APattern.size();) {
    const char16_t c = APattern[i];
    if (c == u'\'') {
      const size_t close = APattern.find(u'\'', i + 1);
      const size_t end = close == APattern.npos ? APattern.size() : close;
      if (end > i + 1) result += u'"' + String(APattern.substr(i + 1, end - i - 1)) + u'"';
      i = end + 1;
      continue;
    }
    size_t run = i;
    while (run < APattern.size() && APattern[run] == c) ++run;
    const size_t count = run - i;
    i = run;
    switch (c) {
      case u'y': result += u"yyyy"; break;
      case u'M': case u'L': result.append(count, u'm'); break;
      case u'd': result.append(std::min<size_t>(count, 2), u'd'); break;
      case u'E': case u'c': result += count >= 4 ? u"dddd" : u"ddd"; break;
      case u'h': case u'H': case u'K': case u'k': result.append(std::min<size_t>(count, 2), u'h'); break;
      case u'm': result.append(std::min<size_t>(count, 2), u'n'); break;
      case u's': result.append(std::min<size_t>(count, 2), u's'); break;
      case u'a': result += u"AMPM"; break;
      default:
        if (!((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'))) result.append(count, c);
    }
  }
  return PlainSpaces(Trim(result));
}

namespace {

// The first character of a pattern that is neither a field letter nor a blank.
char16_t SeparatorOf(std::u16string_view APattern, char16_t ADefault) {
  for (char16_t c : APattern)
    if (!((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z')) && c != u' ' && c != u'"') return c;
  return ADefault;
}

void ReadNumberSymbols(const char* ALocale, TFormatSettings& ASettings) {
  UErrorCode status = U_ZERO_ERROR;
  UNumberFormat* currency = unum_open(UNUM_CURRENCY, nullptr, 0, ALocale, nullptr, &status);
  if (U_FAILURE(status)) return;
  auto symbol = [currency](UNumberFormatSymbol ASymbol) {
    return ReadIcuText([&](UChar* b, int32_t n, UErrorCode* s) { return unum_getSymbol(currency, ASymbol, b, n, s); });
  };
  const String decimal = symbol(UNUM_DECIMAL_SEPARATOR_SYMBOL);
  const String grouping = PlainSpaces(symbol(UNUM_GROUPING_SEPARATOR_SYMBOL));
  const String money = symbol(UNUM_CURRENCY_SYMBOL);
  if (decimal.size() == 1) ASettings.DecimalSeparator = decimal[0];
  if (grouping.size() == 1) ASettings.ThousandSeparator = grouping[0];
  if (!money.empty()) ASettings.CurrencyString = money;
  ASettings.CurrencyDecimals = static_cast<uint8_t>(unum_getAttribute(currency, UNUM_MAX_FRACTION_DIGITS));
  ASettings.ListSeparator = ASettings.DecimalSeparator == u',' ? u';' : u',';
  unum_close(currency);
}

String PatternOf(const char* ALocale, UDateFormatStyle ATime, UDateFormatStyle ADate) {
  UErrorCode status = U_ZERO_ERROR;
  UDateFormat* format = udat_open(ATime, ADate, ALocale, nullptr, -1, nullptr, -1, &status);
  if (U_FAILURE(status)) return String();
  String pattern = ReadIcuText([format](UChar* b, int32_t n, UErrorCode* s) { return udat_toPattern(format, false, b, n, s); });
  udat_close(format);
  return LocaleDatePatternToHost(pattern);
}

void ReadDateSymbols(const char* ALocale, TFormatSettings& ASettings) {
  UErrorCode status = U_ZERO_ERROR;
  UDateFormat* format = udat_open(UDAT_SHORT, UDAT_SHORT, ALocale, nullptr, -1, nullptr, -1, &status);
  if (U_FAILURE(status)) return;
  auto symbol = [format](UDateFormatSymbolType AType, int32_t AIndex) {
    return PlainSpaces(ReadIcuText(
        [&](UChar* b, int32_t n, UErrorCode* s) { return udat_getSymbols(format, AType, AIndex, b, n, s); }));
  };
  for (int i = 0; i < 12; ++i) {
    ASettings.ShortMonthNames[i] = symbol(UDAT_SHORT_MONTHS, i);
    ASettings.LongMonthNames[i] = symbol(UDAT_MONTHS, i);
  }
  for (int i = 0; i < 7; ++i) {  // ICU counts Sunday as 1
    ASettings.ShortDayNames[i] = symbol(UDAT_SHORT_WEEKDAYS, i + 1);
    ASettings.LongDayNames[i] = symbol(UDAT_WEEKDAYS, i + 1);
  }
  ASettings.TimeAMString = symbol(UDAT_AM_PMS, 0);
  ASettings.TimePMString = symbol(UDAT_AM_PMS, 1);
  udat_close(format);
}

// ICU numbers the days as the host does (1 = Sunday).
int ReadFirstDayOfWeek() {
  const std::string name = ProcessLocaleName();
  if (name.empty()) return 1;
  UErrorCode status = U_ZERO_ERROR;
  UCalendar* calendar = ucal_open(nullptr, -1, name.c_str(), UCAL_GREGORIAN, &status);
  if (U_FAILURE(status)) return 1;
  const int32_t first = ucal_getAttribute(calendar, UCAL_FIRST_DAY_OF_WEEK);
  ucal_close(calendar);
  return first >= 1 && first <= 7 ? first : 1;
}

}  // namespace

TFormatSettings TFormatSettings::FromProcessLocale() {
  TFormatSettings settings = EnglishUS();
  const std::string name = ProcessLocaleName();
  if (name.empty()) return settings;
  const char* locale = name.c_str();
  ReadNumberSymbols(locale, settings);
  ReadDateSymbols(locale, settings);
  const String shortDate = PatternOf(locale, UDAT_NONE, UDAT_SHORT);
  const String longDate = PatternOf(locale, UDAT_NONE, UDAT_FULL);
  const String shortTime = PatternOf(locale, UDAT_SHORT, UDAT_NONE);
  const String longTime = PatternOf(locale, UDAT_MEDIUM, UDAT_NONE);
  if (!shortDate.empty()) {
    settings.ShortDateFormat = shortDate;
    settings.DateSeparator = SeparatorOf(shortDate, settings.DateSeparator);
  }
  if (!longDate.empty()) settings.LongDateFormat = longDate;
  if (!shortTime.empty()) settings.ShortTimeFormat = shortTime;
  if (!longTime.empty()) {
    settings.LongTimeFormat = longTime;
    settings.TimeSeparator = SeparatorOf(longTime, settings.TimeSeparator);
  }
  return settings;
}

int LocaleFirstDayOfWeek() {
  static const int first = ReadFirstDayOfWeek();
  return first;
}
