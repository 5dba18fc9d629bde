// Texts to dates and times in the regional order and separators.
#include "host/core/SysUtils.h"

namespace {

enum class DateOrder { MDY, DMY, YMD };

char16_t Upper(char16_t C) { return C >= u'a' && C <= u'z' ? char16_t(C - 32) : C; }

// The order of day, month and year in the short date pattern.
DateOrder OrderOf(std::u16string_view APattern) {
  for (char16_t c : APattern) {
    switch (Upper(c)) {
      case u'Y': return DateOrder::YMD;
      case u'M': return DateOrder::MDY;
      case u'D': return DateOrder::DMY;
      default: break;
    }
  }
  return DateOrder::MDY;
}

// A cursor over the text being parsed.
class Scanner {
 public:
  Scanner(std::u16string_view AText, const TFormatSettings& ASettings) : FText(AText), FSettings(ASettings) {}

  bool AtEnd() {
    SkipBlanks();
    return FPos == FText.size();
  }
  void Rewind(size_t APos) { FPos = APos; }
  size_t Position() const { return FPos; }

  // Up to four digits; ADigits tells how many there were.
  bool Number(int& AValue, int& ADigits) {
    SkipBlanks();
    AValue = 0;
    ADigits = 0;
    while (FPos < FText.size() && FText[FPos] >= u'0' && FText[FPos] <= u'9') {
      if (++ADigits > 4) return false;
      AValue = AValue * 10 + (FText[FPos++] - u'0');
    }
    return ADigits > 0;
  }

  bool Char(char16_t AChar) {
    SkipBlanks();
    if (FPos < FText.size() && FText[FPos] == AChar) {
      ++FPos;
      return true;
    }
    return false;
  }

  bool Word(std::u16string_view AWord) {
    SkipBlanks();
    if (AWord.empty() || FText.size() - FPos < AWord.size()) return false;
    for (size_t i = 0; i < AWord.size(); ++i)
      if (Upper(FText[FPos + i]) != Upper(AWord[i])) return false;
    FPos += AWord.size();
    return true;
  }

  // 0 for an AM marker, 1 for PM, -1 for none.
  int AmPm() {
    if (Word(FSettings.TimeAMString) || Word(u"AM")) return 0;
    if (Word(FSettings.TimePMString) || Word(u"PM")) return 1;
    return -1;
  }

 private:
  void SkipBlanks() {
    while (FPos < FText.size() && FText[FPos] == u' ') ++FPos;
  }

  std::u16string_view FText;
  const TFormatSettings& FSettings;
  size_t FPos = 0;
};

int CurrentYear() {
  int year, month, day;
  DecodeDate(Now(), year, month, day);
  return year;
}

// A year typed with at most two digits falls in the window that starts
// TwoDigitYearCenturyWindow years before this year.
int ExpandYear(int AYear, int ADigits, const TFormatSettings& ASettings) {
  if (AYear > 99 || ADigits > 2) return AYear;
  const int windowStart = CurrentYear() - ASettings.TwoDigitYearCenturyWindow;
  int year = AYear + windowStart / 100 * 100;
  if (ASettings.TwoDigitYearCenturyWindow > 0 && year < windowStart) year += 100;
  return year;
}

bool ScanDate(Scanner& AScan, const TFormatSettings& ASettings, TDateTime& ADate) {
  int n1, n2, n3, l1, l2, l3;
  const char16_t separator = ASettings.DateSeparator;
  if (!AScan.Number(n1, l1) || !AScan.Char(separator) || !AScan.Number(n2, l2)) return false;
  const DateOrder order = OrderOf(ASettings.ShortDateFormat);
  int year, month, day;
  if (AScan.Char(separator)) {
    if (!AScan.Number(n3, l3)) return false;
    switch (order) {
      case DateOrder::MDY: month = n1, day = n2, year = ExpandYear(n3, l3, ASettings); break;
      case DateOrder::DMY: day = n1, month = n2, year = ExpandYear(n3, l3, ASettings); break;
      case DateOrder::YMD: year = ExpandYear(n1, l1, ASettings), month = n2, day = n3; break;
    }
  } else {
    year = CurrentYear();
    if (order == DateOrder::DMY) day = n1, month = n2;
    else month = n1, day = n2;
  }
  return TryEncodeDate(year, month, day, ADate);
}

bool ScanTime(Scanner& AScan, const TFormatSettings& ASettings, TDateTime& ATime) {
  int ampm = AScan.AmPm();
  int hour, minute = 0, second = 0, msec = 0, digits;
  if (!AScan.Number(hour, digits)) return false;
  if (AScan.Char(ASettings.TimeSeparator)) {
    if (!AScan.Number(minute, digits)) return false;
    if (AScan.Char(ASettings.TimeSeparator)) {
      if (!AScan.Number(second, digits)) return false;
      if (AScan.Char(ASettings.DecimalSeparator) && !AScan.Number(msec, digits)) return false;
    }
  }
  if (ampm < 0) ampm = AScan.AmPm();
  if (ampm >= 0) {
    if (hour == 0 || hour > 12) return false;
    if (hour == 12) hour = 0;
    if (ampm == 1) hour += 12;
  }
  return TryEncodeTime(hour, minute, second, msec, ATime);
}

[[noreturn]] void RaiseInvalid(const char16_t* AMessage, std::u16string_view S) {
  throw ExceptionPtr(new EConvertError(Exception::FormatMessage(AMessage, {S})));
}

template <bool (*Try)(std::u16string_view, TDateTime&)>
TDateTime Parse(std::u16string_view S, const char16_t* AMessage) {
  TDateTime value;
  if (!Try(S, value)) RaiseInvalid(AMessage, S);
  return value;
}

template <bool (*Try)(std::u16string_view, TDateTime&)>
TDateTime ParseDef(std::u16string_view S, TDateTime ADefault) {
  TDateTime value;
  return Try(S, value) ? value : ADefault;
}

}  // namespace

bool TryStrToDate(std::u16string_view S, TDateTime& AValue, const TFormatSettings& ASettings) {
  Scanner scan(S, ASettings);
  TDateTime date;
  if (!ScanDate(scan, ASettings, date) || !scan.AtEnd()) return false;
  AValue = date;
  return true;
}

bool TryStrToTime(std::u16string_view S, TDateTime& AValue, const TFormatSettings& ASettings) {
  Scanner scan(S, ASettings);
  TDateTime time;
  if (!ScanTime(scan, ASettings, time) || !scan.AtEnd()) return false;
  AValue = time;
  return true;
}

bool TryStrToDateTime(std::u16string_view S, TDateTime& AValue, const TFormatSettings& ASettings) {
  Scanner scan(S, ASettings);
  TDateTime date, time = 0;
  if (!ScanDate(scan, ASettings, date) || !(scan.AtEnd() || (ScanTime(scan, ASettings, time) && scan.AtEnd())))
    return TryStrToTime(S, AValue, ASettings);
  AValue = date >= 0 ? date + time : date - time;
  return true;
}

bool TryStrToDate(std::u16string_view S, TDateTime& AValue) { return TryStrToDate(S, AValue, FormatSettings()); }
bool TryStrToTime(std::u16string_view S, TDateTime& AValue) { return TryStrToTime(S, AValue, FormatSettings()); }
bool TryStrToDateTime(std::u16string_view S, TDateTime& AValue) { return TryStrToDateTime(S, AValue, FormatSettings()); }

TDateTime StrToDate(std::u16string_view S) { return Parse<TryStrToDate>(S, u"'%s' is not a valid date"); }
TDateTime StrToTime(std::u16string_view S) { return Parse<TryStrToTime>(S, u"'%s' is not a valid time"); }
TDateTime StrToDateTime(std::u16string_view S) {
  return Parse<TryStrToDateTime>(S, u"'%s' is not a valid date and time");
}
TDateTime StrToDateDef(std::u16string_view S, TDateTime ADefault) { return ParseDef<TryStrToDate>(S, ADefault); }
TDateTime StrToTimeDef(std::u16string_view S, TDateTime ADefault) { return ParseDef<TryStrToTime>(S, ADefault); }
TDateTime StrToDateTimeDef(std::u16string_view S, TDateTime ADefault) {
  return ParseDef<TryStrToDateTime>(S, ADefault);
}
