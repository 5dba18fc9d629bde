// The DateUtils unit: whole date-times, parts and date arithmetic.
#include <cmath>

#include "host/core/DateUtils.h"

namespace {

struct Parts {
  int Year, Month, Day, Hour, Minute, Second, MSec;
};

Parts PartsOf(TDateTime AValue) {
  Parts p;
  DecodeDateTime(AValue, p.Year, p.Month, p.Day, p.Hour, p.Minute, p.Second, p.MSec);
  return p;
}

// Adds ACount units of AMSecPerUnit milliseconds on the continuous time line,
// so a negative date's time (its absolute fraction) moves the right way.
TDateTime AddUnits(TDateTime AValue, int64_t ACount, int64_t AMSecPerUnit) {
  const double linear = AValue >= 0 ? AValue : std::trunc(AValue) * 2 - AValue;  // continuous time line
  const double moved = linear + double(ACount) * double(AMSecPerUnit) / MSecsPerDay;
  if (moved >= 0) return moved;
  const double day = std::floor(moved);
  // Back to the class library's form: date toward zero, time as a positive fraction.
  return day - (moved - day);
}

}  // namespace

bool TryEncodeDateTime(int AYear, int AMonth, int ADay, int AHour, int AMinute, int ASecond, int AMilliSecond,
                       TDateTime& AValue) {
  TDateTime date, time;
  if (!TryEncodeDate(AYear, AMonth, ADay, date) || !TryEncodeTime(AHour, AMinute, ASecond, AMilliSecond, time))
    return false;
  AValue = date >= 0 ? date + time : date - time;
  return true;
}

TDateTime EncodeDateTime(int AYear, int AMonth, int ADay, int AHour, int AMinute, int ASecond, int AMilliSecond) {
  const TDateTime date = EncodeDate(AYear, AMonth, ADay);
  const TDateTime time = EncodeTime(AHour, AMinute, ASecond, AMilliSecond);
  return date >= 0 ? date + time : date - time;
}

void DecodeDateTime(TDateTime AValue, int& AYear, int& AMonth, int& ADay, int& AHour, int& AMinute, int& ASecond,
                    int& AMilliSecond) {
  DecodeDate(AValue, AYear, AMonth, ADay);
  DecodeTime(AValue, AHour, AMinute, ASecond, AMilliSecond);
}

bool IsValidDate(int AYear, int AMonth, int ADay) {
  TDateTime date;
  return TryEncodeDate(AYear, AMonth, ADay, date);
}

bool IsValidTime(int AHour, int AMinute, int ASecond, int AMilliSecond) {
  TDateTime time;
  return TryEncodeTime(AHour, AMinute, ASecond, AMilliSecond, time);
}

int DaysInAMonth(int AYear, int AMonth) { return MonthDays(AYear, AMonth); }
int DaysInMonth(TDateTime AValue) {
  const Parts p = PartsOf(AValue);
  return MonthDays(p.Year, p.Month);
}
int DaysInAYear(int AYear) { return IsLeapYear(AYear) ? 366 : 365; }
int DaysInYear(TDateTime AValue) { return DaysInAYear(YearOf(AValue)); }

int YearOf(TDateTime AValue) { return PartsOf(AValue).Year; }
int MonthOf(TDateTime AValue) { return PartsOf(AValue).Month; }
int DayOf(TDateTime AValue) { return PartsOf(AValue).Day; }
int HourOf(TDateTime AValue) { return PartsOf(AValue).Hour; }
int MinuteOf(TDateTime AValue) { return PartsOf(AValue).Minute; }
int SecondOf(TDateTime AValue) { return PartsOf(AValue).Second; }
int MilliSecondOf(TDateTime AValue) { return PartsOf(AValue).MSec; }
int DayOfTheWeek(TDateTime AValue) { return (DayOfWeek(AValue) + 5) % 7 + 1; }

TDateTime DateOf(TDateTime AValue) { return std::trunc(AValue); }
TDateTime TimeOf(TDateTime AValue) { return std::fabs(AValue - std::trunc(AValue)); }
TDateTime Today() { return Date(); }
TDateTime Yesterday() { return Date() - 1; }
TDateTime Tomorrow() { return Date() + 1; }
bool IsSameDay(TDateTime AValue, TDateTime ABasis) { return std::trunc(AValue) == std::trunc(ABasis); }

TDateTime IncYear(TDateTime AValue, int ANumberOfYears) { return IncMonth(AValue, ANumberOfYears * 12); }
TDateTime IncWeek(TDateTime AValue, int ANumberOfWeeks) { return AddUnits(AValue, ANumberOfWeeks, 7LL * MSecsPerDay); }
TDateTime IncDay(TDateTime AValue, int ANumberOfDays) { return AddUnits(AValue, ANumberOfDays, MSecsPerDay); }
TDateTime IncHour(TDateTime AValue, int64_t ANumberOfHours) { return AddUnits(AValue, ANumberOfHours, 3600000); }
TDateTime IncMinute(TDateTime AValue, int64_t ANumberOfMinutes) { return AddUnits(AValue, ANumberOfMinutes, 60000); }
TDateTime IncSecond(TDateTime AValue, int64_t ANumberOfSeconds) { return AddUnits(AValue, ANumberOfSeconds, 1000); }
TDateTime IncMilliSecond(TDateTime AValue, int64_t ANumberOfMilliSeconds) {
  return AddUnits(AValue, ANumberOfMilliSeconds, 1);
}

int DaysBetween(TDateTime ANow, TDateTime AThen) {
  // Half a millisecond of slack so that exact days do not lose one to rounding.
  return static_cast<int>(std::trunc(std::fabs(ANow - AThen) + 0.5 / MSecsPerDay));
}
