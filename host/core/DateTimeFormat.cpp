// FormatDateTime and the texts built on it (DateToStr, TimeToStr, DateTimeToStr).
#include "host/core/SysUtils.h"

namespace {

// The regional patterns may name each other ("c" holds ShortDateFormat);
// deeper nesting is copied as it stands, so no pattern can recurse forever.
constexpr int kMaxNesting = 2;

char16_t Upper(char16_t C) { return C >= u'a' && C <= u'z' ? char16_t(C - 32) : C; }

bool StartsWithNoCase(std::u16string_view S, size_t AIndex, std::u16string_view AWord) {
  if (S.size() - AIndex < AWord.size()) return false;
  for (size_t i = 0; i < AWord.size(); ++i)
    if (Upper(S[AIndex + i]) != AWord[i]) return false;
  return true;
}

struct DateTimeParts {
  int Year = 0, Month = 0, Day = 0, DayOfWeek = 0;
  int Hour = 0, Minute = 0, Second = 0, MSec = 0;
};

// Whether the pattern shows a 12-hour clock: it has an AM/PM marker outside quotes.
bool Uses12HourClock(std::u16string_view AFormat) {
  for (size_t i = 0; i < AFormat.size(); ++i) {
    const char16_t c = AFormat[i];
    if (c == u'\'' || c == u'"') {
      const size_t close = AFormat.find(c, i + 1);
      if (close == AFormat.npos) return false;
      i = close;
    } else if (Upper(c) == u'A' && (StartsWithNoCase(AFormat, i, u"AM/PM") || StartsWithNoCase(AFormat, i, u"A/P") ||
                                    StartsWithNoCase(AFormat, i, u"AMPM"))) {
      return true;
    }
  }
  return false;
}

class DateTimeWriter {
 public:
  DateTimeWriter(const DateTimeParts& AParts, const TFormatSettings& ASettings) : FParts(AParts), FSettings(ASettings) {}

  void Write(std::u16string_view AFormat, int ALevel = 0) {
    const bool twelveHour = Uses12HourClock(AFormat);
    char16_t lastToken = 0;
    for (size_t i = 0; i < AFormat.size();) {
      const char16_t c = AFormat[i];
      if (c == u'\'' || c == u'"') {
        i = Quoted(AFormat, i);
        continue;
      }
      char16_t token = Upper(c);
      size_t count = 1;
      while (i + count < AFormat.size() && Upper(AFormat[i + count]) == token) ++count;
      if (token >= u'A' && token <= u'Z') {
        if (token == u'M' && lastToken == u'H') token = u'N';
        lastToken = token;
      }
      i = Specifier(AFormat, i, token, count, twelveHour, ALevel);
    }
  }

  String Result() { return std::move(FOut); }

 private:
  size_t Quoted(std::u16string_view AFormat, size_t i) {
    const size_t close = AFormat.find(AFormat[i], i + 1);
    const size_t end = close == AFormat.npos ? AFormat.size() : close;
    FOut += AFormat.substr(i + 1, end - i - 1);
    return end + 1;
  }

  void Number(int AValue, int AMinDigits) {
    String text = IntToStr(AValue);
    if (static_cast<int>(text.size()) < AMinDigits) text.insert(0, AMinDigits - text.size(), u'0');
    FOut += text;
  }

  void Nested(std::u16string_view AFormat, int ALevel) {
    if (ALevel < kMaxNesting) Write(AFormat, ALevel + 1);
  }

  int Hour(bool ATwelveHour) const {
    if (!ATwelveHour) return FParts.Hour;
    const int hour = FParts.Hour % 12;
    return hour == 0 ? 12 : hour;
  }

  // Writes the specifier (or literal) at AFormat[i], whose letter repeats
  // ACount times; returns the index after what it consumed.
  size_t Specifier(std::u16string_view AFormat, size_t i, char16_t AToken, size_t ACount, bool ATwelveHour, int ALevel) {
    const int count = static_cast<int>(ACount);
    switch (AToken) {
      case u'Y': Number(count <= 2 ? FParts.Year % 100 : FParts.Year, count <= 2 ? 2 : 4); break;
      case u'M': Month(count); break;
      case u'D': Day(count, ALevel); break;
      case u'H': Number(Hour(ATwelveHour), count == 1 ? 1 : 2); break;
      case u'N': Number(FParts.Minute, count == 1 ? 1 : 2); break;
      case u'S': Number(FParts.Second, count == 1 ? 1 : 2); break;
      case u'Z': Number(FParts.MSec, count == 1 ? 1 : 3); break;
      case u'T': Nested(count == 1 ? FSettings.ShortTimeFormat : FSettings.LongTimeFormat, ALevel); break;
      case u'C': DateAndTime(ALevel); break;
      case u'A': return AmPm(AFormat, i);
      case u'/': FOut.append(ACount, FSettings.DateSeparator); break;
      case u':': FOut.append(ACount, FSettings.TimeSeparator); break;
      default: FOut += AFormat.substr(i, ACount); break;
    }
    return i + ACount;
  }

  void Month(int ACount) {
    if (ACount <= 2) Number(FParts.Month, ACount);
    else if (FParts.Month >= 1) FOut += (ACount == 3 ? FSettings.ShortMonthNames : FSettings.LongMonthNames)[FParts.Month - 1];
  }

  void Day(int ACount, int ALevel) {
    if (ACount <= 2) Number(FParts.Day, ACount);
    else if (ACount <= 4 && FParts.DayOfWeek >= 1)
      FOut += (ACount == 3 ? FSettings.ShortDayNames : FSettings.LongDayNames)[FParts.DayOfWeek - 1];
    else if (ACount == 5) Nested(FSettings.ShortDateFormat, ALevel);
    else if (ACount >= 6) Nested(FSettings.LongDateFormat, ALevel);
  }

  void DateAndTime(int ALevel) {
    Nested(FSettings.ShortDateFormat, ALevel);
    if (FParts.Hour || FParts.Minute || FParts.Second || FParts.MSec) {
      FOut += u' ';
      Nested(FSettings.LongTimeFormat, ALevel);
    }
  }

  // "am/pm" and "a/p" copy the marker's own letters; "ampm" the regional strings.
  size_t AmPm(std::u16string_view AFormat, size_t i) {
    const bool pm = FParts.Hour >= 12;
    if (StartsWithNoCase(AFormat, i, u"AM/PM")) {
      FOut += AFormat.substr(pm ? i + 3 : i, 2);
      return i + 5;
    }
    if (StartsWithNoCase(AFormat, i, u"A/P")) {
      FOut += AFormat[pm ? i + 2 : i];
      return i + 3;
    }
    if (StartsWithNoCase(AFormat, i, u"AMPM")) {
      FOut += pm ? FSettings.TimePMString : FSettings.TimeAMString;
      return i + 4;
    }
    FOut += AFormat[i];
    return i + 1;
  }

  const DateTimeParts& FParts;
  const TFormatSettings& FSettings;
  String FOut;
};

}  // namespace

String FormatDateTime(std::u16string_view AFormat, TDateTime AValue, const TFormatSettings& ASettings) {
  DateTimeParts parts;
  DecodeDateFully(AValue, parts.Year, parts.Month, parts.Day, parts.DayOfWeek);
  DecodeTime(AValue, parts.Hour, parts.Minute, parts.Second, parts.MSec);
  DateTimeWriter writer(parts, ASettings);
  writer.Write(AFormat.empty() ? std::u16string_view(u"c") : AFormat);
  return writer.Result();
}

String FormatDateTime(std::u16string_view AFormat, TDateTime AValue) {
  return FormatDateTime(AFormat, AValue, FormatSettings());
}

String DateToStr(TDateTime AValue, const TFormatSettings& ASettings) { return FormatDateTime(u"ddddd", AValue, ASettings); }
String DateToStr(TDateTime AValue) { return DateToStr(AValue, FormatSettings()); }
String TimeToStr(TDateTime AValue, const TFormatSettings& ASettings) { return FormatDateTime(u"tt", AValue, ASettings); }
String TimeToStr(TDateTime AValue) { return TimeToStr(AValue, FormatSettings()); }
String DateTimeToStr(TDateTime AValue, const TFormatSettings& ASettings) { return FormatDateTime(u"c", AValue, ASettings); }
String DateTimeToStr(TDateTime AValue) { return DateTimeToStr(AValue, FormatSettings()); }
