// The process-wide regional settings and their bridge to the automation layer.
#include <mutex>

#include "host/core/SysUtils.h"
#include "platform/ole/OleLocale.h"

namespace {

// The settings are replaced only by SetFormatSettings; readers take a
// reference, so the object is kept for the process.
TFormatSettings& Settings() {
  static TFormatSettings settings = TFormatSettings::FromProcessLocale();
  return settings;
}

bool IsLetter(char16_t C) { return (C >= u'a' && C <= u'z') || (C >= u'A' && C <= u'Z'); }

}  // namespace

TFormatSettings TFormatSettings::EnglishUS() {
  static const char16_t* const kShortMonths[12] = {u"Jan", u"Feb", u"Mar", u"Apr", u"May", u"Jun",
                                                   u"Jul", u"Aug", u"Sep", u"Oct", u"Nov", u"Dec"};
  static const char16_t* const kLongMonths[12] = {u"January", u"February", u"March",     u"April",
                                                  u"May",     u"June",     u"July",      u"August",
                                                  u"September", u"October", u"November", u"December"};
  static const char16_t* const kShortDays[7] = {u"Sun", u"Mon", u"Tue", u"Wed", u"Thu", u"Fri", u"Sat"};
  static const char16_t* const kLongDays[7] = {u"Sunday",   u"Monday", u"Tuesday", u"Wednesday",
                                               u"Thursday", u"Friday", u"Saturday"};
  TFormatSettings s;
  s.CurrencyString = u"$";
  s.CurrencyFormat = 0;
  s.NegCurrFormat = 0;
  s.ThousandSeparator = u',';
  s.DecimalSeparator = u'.';
  s.CurrencyDecimals = 2;
  s.DateSeparator = u'/';
  s.TimeSeparator = u':';
  s.ListSeparator = u',';
  s.ShortDateFormat = u"m/d/yyyy";
  s.LongDateFormat = u"dddd, mmmm d, yyyy";
  s.TimeAMString = u"AM";
  s.TimePMString = u"PM";
  s.ShortTimeFormat = u"h:nn AMPM";
  s.LongTimeFormat = u"h:nn:ss AMPM";
  for (int i = 0; i < 12; ++i) {
    s.ShortMonthNames[i] = kShortMonths[i];
    s.LongMonthNames[i] = kLongMonths[i];
  }
  for (int i = 0; i < 7; ++i) {
    s.ShortDayNames[i] = kShortDays[i];
    s.LongDayNames[i] = kLongDays[i];
  }
  s.TwoDigitYearCenturyWindow = 50;
  return s;
}

const TFormatSettings& FormatSettings() { return Settings(); }

String DateTimePatternToWindows(std::u16string_view APattern) {
  String result;
  for (size_t i = 0; i < APattern.size();) {
    const char16_t c = APattern[i];
    if (c == u'"' || c == u'\'') {
      // Quoted literal text is copied with its quotes (Windows uses ').
      const size_t close = APattern.find(c, i + 1);
      const size_t end = close == APattern.npos ? APattern.size() : close + 1;
      result += u'\'';
      result += APattern.substr(i + 1, (close == APattern.npos ? end : close) - i - 1);
      result += u'\'';
      i = end;
      continue;
    }
    if (APattern.substr(i, 4) == u"AMPM" || APattern.substr(i, 4) == u"ampm") {
      result += u"tt";
      i += 4;
      continue;
    }
    if (APattern.substr(i, 5) == u"am/pm" || APattern.substr(i, 5) == u"AM/PM") {
      result += u"tt";
      i += 5;
      continue;
    }
    size_t run = i;
    while (run < APattern.size() && APattern[run] == c) ++run;
    const size_t count = run - i;
    char16_t mapped = c;
    if (c == u'm' || c == u'M') mapped = u'M';        // months
    else if (c == u'n' || c == u'N') mapped = u'm';   // minutes
    else if (c == u'H') mapped = u'h';
    else if (IsLetter(c)) mapped = static_cast<char16_t>(c | 0x20);
    result.append(count, mapped);
    i = run;
  }
  // The class library writes minutes as "mm" right after an hour ("h:mm");
  // an "M" run that follows an hour field is therefore minutes.
  for (size_t i = 0; i < result.size(); ++i) {
    if (result[i] != u'M') continue;
    size_t back = i;
    while (back > 0 && !IsLetter(result[back - 1])) --back;
    if (back > 0 && (result[back - 1] == u'h' || result[back - 1] == u'H')) {
      while (i < result.size() && result[i] == u'M') result[i++] = u'm';
    }
  }
  // Windows spells 24-hour clocks with "H": hours without an AM/PM marker.
  if (result.find(u"tt") == String::npos)
    for (char16_t& ch : result)
      if (ch == u'h') ch = u'H';
  return result;
}

void SetFormatSettings(const TFormatSettings& ASettings) {
  Settings() = ASettings;
  OleRegionalSettings ole;
  ole.DecimalSeparator = ASettings.DecimalSeparator;
  ole.ThousandSeparator = ASettings.ThousandSeparator;
  ole.DateSeparator = ASettings.DateSeparator;
  ole.TimeSeparator = ASettings.TimeSeparator;
  ole.ShortDateFormat = DateTimePatternToWindows(ASettings.ShortDateFormat);
  ole.LongTimeFormat = DateTimePatternToWindows(ASettings.LongTimeFormat);
  ole.TimeAMString = ASettings.TimeAMString;
  ole.TimePMString = ASettings.TimePMString;
  ole.CurrencyString = ASettings.CurrencyString;
  OleSetRegionalSettings(ole);
}
