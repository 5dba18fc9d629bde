// Date and time intrinsics over the host's calendar routines (dates are OLE day numbers; a
// text argument goes through the host's date-and-time parser).
#include <cmath>

#include "engine/vb/VbIntrinsics.h"
#include "host/core/DateUtils.h"

namespace qel_vb {
namespace {

enum TDatePart : uint8_t { dpYear, dpMonth, dpDay, dpHour, dpMinute, dpSecond };

// One part of a date-like value; Null in, Null out.
template <TDatePart Part>
void DatePartFn(VARIANT* AArgs, VARIANT& AResult) {
  if (NullIn(AArgs, AResult)) return;
  const TDateTime value = ArgDateLike(AArgs, 0);
  int parts[7] = {};
  if (Part <= dpDay)
    DecodeDate(value, parts[dpYear], parts[dpMonth], parts[dpDay]);
  else
    DecodeTime(value, parts[dpHour], parts[dpMinute], parts[dpSecond], parts[6]);
  SetInt(AResult, parts[Part]);
}

// A first-day-of-week argument (0-7, else the conversion error); 0 is the locale's.
int FirstDayArg(VARIANT* AArgs, int AIndex) {
  const int32_t first = ArgInt(AArgs, AIndex);
  if (first < 0 || first > 7) FailConversion();
  return first == 0 ? LocaleFirstDayOfWeek() : first;
}

int32_t ArgInRange(VARIANT* AArgs, int AIndex, int32_t ALow, int32_t AHigh) {
  const int32_t value = ArgInt(AArgs, AIndex);
  if (value < ALow || value > AHigh) FailConversion();
  return value;
}

bool ArgAbbreviate(const TQelCall& ACall, VARIANT* AArgs, int AIndex) {
  return ACall.FArgCount > AIndex && QelToDouble(Arg(AArgs, AIndex)) != 0;
}

// Years below 30 (zero and negatives too) are in 2000 on, 30 to 99 in 1900 on.
int32_t SerialYear(int32_t AYear) {
  if (AYear < 30) return AYear + 2000;
  return AYear < 100 ? AYear + 1900 : AYear;
}

}  // namespace

void VbYear(const TQelCall&, VARIANT* A, VARIANT& R) { DatePartFn<dpYear>(A, R); }
void VbMonth(const TQelCall&, VARIANT* A, VARIANT& R) { DatePartFn<dpMonth>(A, R); }
void VbDay(const TQelCall&, VARIANT* A, VARIANT& R) { DatePartFn<dpDay>(A, R); }
void VbHour(const TQelCall&, VARIANT* A, VARIANT& R) { DatePartFn<dpHour>(A, R); }
void VbMinute(const TQelCall&, VARIANT* A, VARIANT& R) { DatePartFn<dpMinute>(A, R); }
void VbSecond(const TQelCall&, VARIANT* A, VARIANT& R) { DatePartFn<dpSecond>(A, R); }

void VbCDate(const TQelCall&, VARIANT* AArgs, VARIANT& AResult) {
  SetDate(AResult, ArgDateLike(AArgs, 0));
}

void VbIsDate(const TQelCall&, VARIANT* AArgs, VARIANT& AResult) {
  const VARIANT* value = Arg(AArgs, 0);
  TDateTime parsed;
  SetBoolean(AResult, value->vt == VT_DATE ||
                          (value->vt == VT_BSTR && TryStrToDateTime(OleBstrView(value->bstrVal), parsed)));
}

void VbDateValue(const TQelCall&, VARIANT* AArgs, VARIANT& AResult) {
  SetDate(AResult, std::trunc(ArgDateLike(AArgs, 0)));
}

void VbTimeValue(const TQelCall&, VARIANT* AArgs, VARIANT& AResult) {
  const double value = ArgDateLike(AArgs, 0);
  SetDate(AResult, std::fabs(value - std::trunc(value)));
}

void VbTimer(const TQelCall&, VARIANT*, VARIANT& AResult) {
  SetDouble(AResult, Time() * SecsPerDay);
}

// Weekday(date [, first day = vbSunday]): 1 for the first day of the week.
void VbWeekday(const TQelCall& ACall, VARIANT* AArgs, VARIANT& AResult) {
  RequireArgCount(ACall, 1, 2);
  if (NullIn(AArgs, AResult)) return;
  const int first = ACall.FArgCount == 2 ? FirstDayArg(AArgs, 1) : 1;
  const int day = DayOfWeek(ArgDateLike(AArgs, 0)) + 1 - first;
  SetInt(AResult, day <= 0 ? day + 7 : day);
}

// WeekdayName(weekday [, abbreviate = False [, first day = vbSunday]]).
void VbWeekdayName(const TQelCall& ACall, VARIANT* AArgs, VARIANT& AResult) {
  RequireArgCount(ACall, 1, 3);
  const int32_t weekday = ArgInRange(AArgs, 0, 1, 7);
  const bool abbreviate = ArgAbbreviate(ACall, AArgs, 1);
  const int first = ACall.FArgCount == 3 ? FirstDayArg(AArgs, 2) : 1;
  int index = first + weekday - 1;
  if (index > 7) index -= 7;
  const TFormatSettings& settings = FormatSettings();
  SetText(AResult, abbreviate ? settings.ShortDayNames[index - 1] : settings.LongDayNames[index - 1]);
}

// MonthName(month [, abbreviate = False]).
void VbMonthName(const TQelCall& ACall, VARIANT* AArgs, VARIANT& AResult) {
  RequireArgCount(ACall, 1, 2);
  const int32_t month = ArgInRange(AArgs, 0, 1, 12);
  const TFormatSettings& settings = FormatSettings();
  SetText(AResult, ArgAbbreviate(ACall, AArgs, 1) ? settings.ShortMonthNames[month - 1]
                                                   : settings.LongMonthNames[month - 1]);
}

// DateSerial(year, month, day): months and days outside their range run over into the
// neighbouring years and months.
void VbDateSerial(const TQelCall&, VARIANT* AArgs, VARIANT& AResult) {
  int64_t year = SerialYear(ArgInt(AArgs, 0));
  const int64_t monthIndex = int64_t(ArgInt(AArgs, 1)) - 1;  // 0-based, may run over
  const int64_t yearShift = monthIndex >= 0 ? monthIndex / 12 : -((11 - monthIndex) / 12);
  year += yearShift;
  const int month = int(monthIndex - yearShift * 12) + 1;
  if (year < 1 || year > 9999) FailConversion();
  SetDate(AResult, EncodeDate(int(year), month, 1) + (double(ArgInt(AArgs, 2)) - 1));
}

void VbTimeSerial(const TQelCall&, VARIANT* AArgs, VARIANT& AResult) {
  const double seconds = double(ArgInt(AArgs, 0)) * 3600 + double(ArgInt(AArgs, 1)) * 60 +
                         double(ArgInt(AArgs, 2));
  SetDate(AResult, seconds / SecsPerDay);
}

// DateAdd(interval, number, date): d, w and y add days, h/n/s hours, minutes and seconds,
// m and q months and quarters, yyyy years, ww weeks.
void VbDateAdd(const TQelCall&, VARIANT* AArgs, VARIANT& AResult) {
  const String interval = LowerCase(ArgText(AArgs, 0));
  const int32_t number = ArgInt(AArgs, 1);
  const TDateTime date = ArgDateLike(AArgs, 2);
  struct TStep {
    const char16_t* FName;
    double FDays;    // days per unit, or 0 for months
    int FMonths;     // months per unit
  };
  static constexpr TStep kSteps[] = {
      {u"d", 1, 0},   {u"w", 1, 0},       {u"y", 1, 0},        {u"h", 1.0 / 24, 0},
      {u"n", 1.0 / 1440, 0}, {u"s", 1.0 / SecsPerDay, 0}, {u"m", 0, 1}, {u"q", 0, 3},
      {u"yyyy", 0, 12}, {u"ww", 7, 0}};
  for (const TStep& step : kSteps) {
    if (interval != step.FName) continue;
    if (step.FMonths == 0) return SetDate(AResult, date + number * step.FDays);
    const int64_t months = int64_t(number) * step.FMonths;
    if (months < -120000 || months > 120000) FailConversion();
    return SetDate(AResult, IncMonth(date, int(months)));
  }
  FailConversion();
}

}  // namespace qel_vb
