// Calendar arithmetic: encoding and decoding TDateTime values.
#include <algorithm>
#include <cmath>

#include "host/core/SysUtils.h"

namespace {

constexpr int64_t kFirstDay = -693593;  // 1 January 0001
constexpr int64_t kLastDay = 2958465;   // 31 December 9999
constexpr int64_t kUnixEpochSerial = 25569;

// Days since 1 January 1970 of a proleptic Gregorian date.
int64_t DaysFromCivil(int64_t AYear, int AMonth, int ADay) {
  AYear -= AMonth <= 2;
  const int64_t era = (AYear >= 0 ? AYear : AYear - 399) / 400;
  const int64_t yearOfEra = AYear - era * 400;
  const int64_t dayOfYear = (153 * (AMonth + (AMonth > 2 ? -3 : 9)) + 2) / 5 + ADay - 1;
  const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

void CivilFromDays(int64_t ADays, int& AYear, int& AMonth, int& ADay) {
  ADays += 719468;
  const int64_t era = (ADays >= 0 ? ADays : ADays - 146096) / 146097;
  const int64_t dayOfEra = ADays - era * 146097;
  const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const int64_t mp = (5 * dayOfYear + 2) / 153;
  ADay = static_cast<int>(dayOfYear - (153 * mp + 2) / 5 + 1);
  AMonth = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  AYear = static_cast<int>(yearOfEra + era * 400 + (AMonth <= 2));
}

// The day number and the milliseconds of the day. A negative value's time is
// its absolute fraction; a time that rounds to 24:00 is the next midnight.
bool SplitDateTime(TDateTime AValue, int64_t& ADay, int& AMSec) {
  if (!std::isfinite(AValue)) return false;
  const double day = std::trunc(AValue);
  if (day < kFirstDay - 1 || day > kLastDay + 1) return false;
  ADay = static_cast<int64_t>(day);
  const auto msec = static_cast<int64_t>(std::llround(std::fabs(AValue - day) * MSecsPerDay));
  AMSec = static_cast<int>(msec);
  if (msec >= MSecsPerDay) {
    AMSec = 0;
    ++ADay;
  }
  return ADay >= kFirstDay && ADay <= kLastDay;
}

[[noreturn]] void RaiseEncode(const char16_t* AMessage) { throw ExceptionPtr(new EConvertError(AMessage)); }

}  // namespace

bool IsLeapYear(int AYear) { return AYear % 4 == 0 && (AYear % 100 != 0 || AYear % 400 == 0); }

int MonthDays(int AYear, int AMonth) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (AMonth < 1 || AMonth > 12) return 0;
  return kDays[AMonth - 1] + (AMonth == 2 && IsLeapYear(AYear) ? 1 : 0);
}

bool TryEncodeDate(int AYear, int AMonth, int ADay, TDateTime& ADate) {
  if (AYear < 1 || AYear > 9999 || ADay < 1 || ADay > MonthDays(AYear, AMonth)) return false;
  ADate = static_cast<double>(DaysFromCivil(AYear, AMonth, ADay) + kUnixEpochSerial);
  return true;
}

TDateTime EncodeDate(int AYear, int AMonth, int ADay) {
  TDateTime result;
  if (!TryEncodeDate(AYear, AMonth, ADay, result)) RaiseEncode(u"Invalid argument to date encode");
  return result;
}

bool TryEncodeTime(int AHour, int AMin, int ASec, int AMSec, TDateTime& ATime) {
  if (AHour < 0 || AHour >= 24 || AMin < 0 || AMin >= 60 || ASec < 0 || ASec >= 60 || AMSec < 0 || AMSec >= 1000)
    return false;
  ATime = (((AHour * 60 + AMin) * 60 + ASec) * 1000 + AMSec) / double(MSecsPerDay);
  return true;
}

TDateTime EncodeTime(int AHour, int AMin, int ASec, int AMSec) {
  TDateTime result;
  if (!TryEncodeTime(AHour, AMin, ASec, AMSec, result)) RaiseEncode(u"Invalid argument to time encode");
  return result;
}

bool DecodeDateFully(TDateTime ADate, int& AYear, int& AMonth, int& ADay, int& ADOW) {
  int64_t day;
  int msec;
  if (!SplitDateTime(ADate, day, msec)) {
    AYear = AMonth = ADay = ADOW = 0;
    return false;
  }
  CivilFromDays(day - kUnixEpochSerial, AYear, AMonth, ADay);
  // Day 0 (30 December 1899) was a Saturday.
  ADOW = static_cast<int>(((day + 6) % 7 + 7) % 7) + 1;
  return IsLeapYear(AYear);
}

void DecodeDate(TDateTime ADate, int& AYear, int& AMonth, int& ADay) {
  int dow;
  DecodeDateFully(ADate, AYear, AMonth, ADay, dow);
}

void DecodeTime(TDateTime ATime, int& AHour, int& AMin, int& ASec, int& AMSec) {
  int64_t day;
  int msec;
  if (!SplitDateTime(ATime, day, msec)) msec = 0;
  AMSec = msec % 1000;
  ASec = msec / 1000 % 60;
  AMin = msec / 60000 % 60;
  AHour = msec / 3600000;
}

int DayOfWeek(TDateTime ADate) {
  int y, m, d, dow;
  DecodeDateFully(ADate, y, m, d, dow);
  return dow;
}

void ReplaceTime(TDateTime& ADate, TDateTime ATime) {
  const double time = std::fabs(ATime - std::trunc(ATime));
  ADate = std::trunc(ADate);
  ADate = ADate >= 0 ? ADate + time : ADate - time;
}

void ReplaceDate(TDateTime& ADate, TDateTime ANewDate) {
  TDateTime result = ANewDate;
  ReplaceTime(result, ADate);
  ADate = result;
}

TDateTime IncMonth(TDateTime ADate, int AMonths) {
  int year, month, day;
  DecodeDate(ADate, year, month, day);
  const int64_t total = int64_t(year) * 12 + (month - 1) + AMonths;
  const int64_t newYear = total >= 0 ? total / 12 : -((-total + 11) / 12);
  const int newMonth = static_cast<int>(total - newYear * 12) + 1;
  if (newYear < 1 || newYear > 9999) RaiseEncode(u"Invalid argument to date encode");
  const int newDay = std::min(day, MonthDays(static_cast<int>(newYear), newMonth));
  TDateTime result = EncodeDate(static_cast<int>(newYear), newMonth, newDay);
  ReplaceTime(result, ADate);
  return result;
}
