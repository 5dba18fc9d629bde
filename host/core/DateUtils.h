// Host unit "DateUtils": date and time parts, whole date-times and date
// arithmetic over TDateTime (declared with the basic routines in SysUtils.h).
#pragma once

#include "host/core/SysUtils.h"

// The first day of the week in the process locale: 1 = Sunday ... 7 = Saturday (Sunday for
// C/POSIX and when the locale data cannot be read).
int LocaleFirstDayOfWeek();

// Raises EConvertError "Invalid argument to date encode" / "... time encode".
// For a date before 30 December 1899 the time is subtracted (negative values
// carry the time as their absolute fraction).
TDateTime EncodeDateTime(int AYear, int AMonth, int ADay, int AHour, int AMinute, int ASecond, int AMilliSecond);
bool TryEncodeDateTime(int AYear, int AMonth, int ADay, int AHour, int AMinute, int ASecond, int AMilliSecond,
                       TDateTime& AValue);
void DecodeDateTime(TDateTime AValue, int& AYear, int& AMonth, int& ADay, int& AHour, int& AMinute, int& ASecond,
                    int& AMilliSecond);

bool IsValidDate(int AYear, int AMonth, int ADay);
bool IsValidTime(int AHour, int AMinute, int ASecond, int AMilliSecond);
int DaysInMonth(TDateTime AValue);
int DaysInAMonth(int AYear, int AMonth);
int DaysInYear(TDateTime AValue);
int DaysInAYear(int AYear);

int YearOf(TDateTime AValue);
int MonthOf(TDateTime AValue);
int DayOf(TDateTime AValue);
int HourOf(TDateTime AValue);
int MinuteOf(TDateTime AValue);
int SecondOf(TDateTime AValue);
int MilliSecondOf(TDateTime AValue);
// ISO numbering: 1 = Monday .. 7 = Sunday.
int DayOfTheWeek(TDateTime AValue);

// The date part (midnight) and the time-of-day part.
TDateTime DateOf(TDateTime AValue);
TDateTime TimeOf(TDateTime AValue);
TDateTime Today();
TDateTime Yesterday();
TDateTime Tomorrow();
bool IsSameDay(TDateTime AValue, TDateTime ABasis);

// Years move like IncMonth (29 February to 28 February); the others add
// whole units.
TDateTime IncYear(TDateTime AValue, int ANumberOfYears = 1);
TDateTime IncWeek(TDateTime AValue, int ANumberOfWeeks = 1);
TDateTime IncDay(TDateTime AValue, int ANumberOfDays = 1);
TDateTime IncHour(TDateTime AValue, int64_t ANumberOfHours = 1);
TDateTime IncMinute(TDateTime AValue, int64_t ANumberOfMinutes = 1);
TDateTime IncSecond(TDateTime AValue, int64_t ANumberOfSeconds = 1);
TDateTime IncMilliSecond(TDateTime AValue, int64_t ANumberOfMilliSeconds = 1);

// Whole days between the two values (always >= 0).
int DaysBetween(TDateTime ANow, TDateTime AThen);
