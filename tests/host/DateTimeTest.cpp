// Calendar arithmetic: encoding, decoding, leap years, weekdays, IncMonth and
// the DateUtils routines. Day numbers were computed independently (days
// from 30 December 1899 in the proleptic Gregorian calendar).
#include <cmath>
#include <limits>

#include "host/core/DateUtils.h"
#include "tests/host/RtlTestSettings.h"
#include "tests/support/QelTestNames.h"

namespace {

struct DateCase {
  int Year, Month, Day;
  double Serial;
  int DayOfWeek;  // 1 = Sunday
};

void PrintTo(const DateCase& ACase, std::ostream* AOut) {
  *AOut << ACase.Year << "-" << ACase.Month << "-" << ACase.Day;
}

class DateCases : public testing::TestWithParam<DateCase> {};

TEST_P(DateCases, EncodeDecodeAndWeekday) {
  const DateCase& c = GetParam();
  EXPECT_EQ(EncodeDate(c.Year, c.Month, c.Day), c.Serial);
  int year, month, day;
  DecodeDate(c.Serial, year, month, day);
  EXPECT_EQ(year, c.Year);
  EXPECT_EQ(month, c.Month);
  EXPECT_EQ(day, c.Day);
  EXPECT_EQ(DayOfWeek(c.Serial), c.DayOfWeek);
}

INSTANTIATE_TEST_SUITE_P(Table, DateCases,
                         testing::Values(DateCase{1899, 12, 30, 0, 7}, DateCase{1899, 12, 29, -1, 6},
                                         DateCase{1900, 1, 1, 2, 2}, DateCase{2000, 1, 1, 36526, 7},
                                         DateCase{2024, 2, 29, 45351, 5}, DateCase{2024, 3, 5, 45356, 3},
                                         DateCase{1850, 7, 4, -18076, 5}, DateCase{1600, 3, 1, -109511, 4},
                                         DateCase{1066, 10, 14, -304324, 1}, DateCase{1, 1, 1, -693593, 2},
                                         DateCase{9999, 12, 31, 2958465, 6}));

struct InvalidDate {
  int Year, Month, Day;
};

void PrintTo(const InvalidDate& ACase, std::ostream* AOut) {
  *AOut << ACase.Year << "-" << ACase.Month << "-" << ACase.Day;
}

class InvalidDates : public testing::TestWithParam<InvalidDate> {};

TEST_P(InvalidDates, AreRefused) {
  const InvalidDate& c = GetParam();
  TDateTime value = 123;
  EXPECT_FALSE(TryEncodeDate(c.Year, c.Month, c.Day, value));
  EXPECT_EQ(value, 123);
  EXPECT_EQ(ConvertErrorOf([&] { EncodeDate(c.Year, c.Month, c.Day); }), u"Invalid argument to date encode");
  EXPECT_FALSE(IsValidDate(c.Year, c.Month, c.Day));
}

INSTANTIATE_TEST_SUITE_P(Table, InvalidDates,
                         testing::Values(InvalidDate{2023, 2, 29}, InvalidDate{1900, 2, 29}, InvalidDate{2024, 13, 1},
                                         InvalidDate{2024, 0, 1}, InvalidDate{2024, 4, 31}, InvalidDate{2024, 1, 0},
                                         InvalidDate{0, 1, 1}, InvalidDate{10000, 1, 1}, InvalidDate{-5, 1, 1}));

TEST(Calendar, LeapYears) {
  EXPECT_FALSE(IsLeapYear(1900));
  EXPECT_TRUE(IsLeapYear(2000));
  EXPECT_TRUE(IsLeapYear(2024));
  EXPECT_FALSE(IsLeapYear(2023));
  EXPECT_FALSE(IsLeapYear(2100));
  EXPECT_TRUE(IsLeapYear(1600));
  EXPECT_EQ(MonthDays(2024, 2), 29);
  EXPECT_EQ(MonthDays(2023, 2), 28);
  EXPECT_EQ(MonthDays(2023, 4), 30);
  EXPECT_EQ(MonthDays(2023, 13), 0);
  EXPECT_EQ(DaysInAMonth(1900, 2), 28);
  EXPECT_EQ(DaysInMonth(EncodeDate(2000, 2, 10)), 29);
  EXPECT_EQ(DaysInAYear(2000), 366);
}

TEST(Calendar, EncodeTimeAndItsLimits) {
  EXPECT_EQ(EncodeTime(12, 0, 0, 0), 0.5);
  EXPECT_EQ(EncodeTime(6, 0, 0, 0), 0.25);
  EXPECT_EQ(EncodeTime(0, 0, 0, 1), 1.0 / MSecsPerDay);
  int h, n, s, ms;
  DecodeTime(EncodeTime(23, 59, 59, 999), h, n, s, ms);
  EXPECT_EQ((std::vector<int>{h, n, s, ms}), (std::vector<int>{23, 59, 59, 999}));
  const int invalid[][4] = {{24, 0, 0, 0}, {0, 60, 0, 0}, {0, 0, 60, 0}, {0, 0, 0, 1000}, {-1, 0, 0, 0}};
  for (const auto& t : invalid) {
    EXPECT_EQ(ConvertErrorOf([&] { EncodeTime(t[0], t[1], t[2], t[3]); }), u"Invalid argument to time encode");
    EXPECT_FALSE(IsValidTime(t[0], t[1], t[2], t[3]));
  }
}

TEST(Calendar, EveryDayOfFourHundredYearsRoundTrips) {
  // One full Gregorian cycle, checked against a day counter walked by hand.
  double serial = EncodeDate(1800, 1, 1);
  for (int year = 1800; year < 2200; ++year)
    for (int month = 1; month <= 12; ++month)
      for (int day = 1; day <= MonthDays(year, month); ++day) {
        ASSERT_EQ(EncodeDate(year, month, day), serial) << year << "-" << month << "-" << day;
        int y, m, d;
        DecodeDate(serial, y, m, d);
        ASSERT_TRUE(y == year && m == month && d == day) << serial;
        serial += 1;
      }
}

TEST(Calendar, NegativeValuesCarryTheTimeAsTheirAbsoluteFraction) {
  int y, m, d, h, n, s, ms;
  DecodeDateTime(-1.25, y, m, d, h, n, s, ms);
  EXPECT_EQ((std::vector<int>{y, m, d, h, n}), (std::vector<int>{1899, 12, 29, 6, 0}));
  DecodeDateTime(-0.5, y, m, d, h, n, s, ms);
  EXPECT_EQ((std::vector<int>{y, m, d, h}), (std::vector<int>{1899, 12, 30, 12}));
  EXPECT_EQ(EncodeDateTime(1899, 12, 29, 6, 0, 0, 0), -1.25);
  EXPECT_EQ(EncodeDateTime(1900, 1, 1, 18, 0, 0, 0), 2.75);
}

TEST(Calendar, ATimeThatRoundsToMidnightMovesToTheNextDay) {
  int y, m, d, h, n, s, ms;
  DecodeDateTime(1.9999999999, y, m, d, h, n, s, ms);
  EXPECT_EQ((std::vector<int>{y, m, d, h, n, s, ms}), (std::vector<int>{1900, 1, 1, 0, 0, 0, 0}));
}

TEST(Calendar, ValuesOutsideTheYearsDecodeAsZeros) {
  for (double value : {-700000.0, 3e6, std::numeric_limits<double>::quiet_NaN()}) {
    int y = -1, m = -1, d = -1;
    DecodeDate(value, y, m, d);
    EXPECT_EQ((std::vector<int>{y, m, d}), (std::vector<int>{0, 0, 0})) << value;
  }
}

struct IncMonthCase {
  int Year, Month, Day, Months;
  int ToYear, ToMonth, ToDay;
};

void PrintTo(const IncMonthCase& ACase, std::ostream* AOut) {
  *AOut << ACase.Year << "-" << ACase.Month << "-" << ACase.Day << " plus " << ACase.Months;
}

class IncMonthCases : public testing::TestWithParam<IncMonthCase> {};

TEST_P(IncMonthCases, ClampTheDayAndKeepTheTime) {
  const IncMonthCase& c = GetParam();
  const TDateTime from = EncodeDate(c.Year, c.Month, c.Day) + 0.75;
  EXPECT_EQ(IncMonth(from, c.Months), EncodeDate(c.ToYear, c.ToMonth, c.ToDay) + 0.75);
}

INSTANTIATE_TEST_SUITE_P(Table, IncMonthCases,
                         testing::Values(IncMonthCase{2024, 1, 31, 1, 2024, 2, 29}, IncMonthCase{2023, 1, 31, 1, 2023, 2, 28},
                                         IncMonthCase{2024, 1, 31, -2, 2023, 11, 30},
                                         IncMonthCase{2024, 12, 15, 1, 2025, 1, 15},
                                         IncMonthCase{2024, 3, 31, -1, 2024, 2, 29},
                                         IncMonthCase{2024, 2, 29, 12, 2025, 2, 28},
                                         IncMonthCase{2024, 5, 5, -24, 2022, 5, 5},
                                         IncMonthCase{2024, 5, 5, 0, 2024, 5, 5}));

TEST(Calendar, IncMonthBeyondTheYearsRaises) {
  EXPECT_EQ(ConvertErrorOf([] { IncMonth(EncodeDate(1, 1, 1), -1); }), u"Invalid argument to date encode");
  EXPECT_EQ(ConvertErrorOf([] { IncMonth(EncodeDate(9999, 12, 1), 1); }), u"Invalid argument to date encode");
}

TEST(Calendar, NegativeDatesKeepTheirTimeThroughIncMonth) {
  // 29 November 1899 06:00 is -31.25; a month later 29 December 06:00 is -1.25.
  EXPECT_EQ(IncMonth(-31.25, 1), -1.25);
}

TEST(DateUtils, PartsAndArithmetic) {
  const TDateTime value = EncodeDateTime(2024, 3, 5, 14, 7, 9, 45);
  EXPECT_EQ((std::vector<int>{YearOf(value), MonthOf(value), DayOf(value), HourOf(value), MinuteOf(value),
                              SecondOf(value), MilliSecondOf(value)}),
            (std::vector<int>{2024, 3, 5, 14, 7, 9, 45}));
  EXPECT_EQ(DayOfTheWeek(value), 2);  // ISO: Tuesday
  EXPECT_EQ(DateOf(value), 45356);
  EXPECT_NEAR(TimeOf(value), EncodeTime(14, 7, 9, 45), 1e-12);
  EXPECT_EQ(IncYear(EncodeDate(2024, 2, 29)), EncodeDate(2025, 2, 28));
  EXPECT_EQ(IncDay(EncodeDate(2024, 2, 28), 2), EncodeDate(2024, 3, 1));
  EXPECT_EQ(IncWeek(EncodeDate(2024, 2, 28)), EncodeDate(2024, 3, 6));
  EXPECT_EQ(IncHour(EncodeDate(2024, 2, 28), 36), EncodeDate(2024, 2, 29) + 0.5);
  EXPECT_EQ(DaysBetween(EncodeDate(2024, 3, 1), EncodeDate(2024, 2, 1)), 29);
  EXPECT_TRUE(IsSameDay(value, EncodeDate(2024, 3, 5)));
  // Moving 30 hours forward from 29 December 1899 06:00 (-1.25) reaches
  // 30 December 12:00 (0.5); and back again.
  EXPECT_DOUBLE_EQ(IncHour(-1.25, 30), 0.5);
  EXPECT_DOUBLE_EQ(IncHour(0.5, -30), -1.25);
}

TEST(Clock, NowIsTodayPlusTheTime) {
  const TDateTime now = Now();
  const TDateTime today = Date();
  EXPECT_EQ(std::floor(now), today) << "unless the test runs across midnight";
  EXPECT_GE(Time(), 0.0);
  EXPECT_LT(Time(), 1.0);
  EXPECT_GT(today, EncodeDate(2020, 1, 1));
  EXPECT_EQ(Today(), today);
  EXPECT_EQ(Tomorrow() - Yesterday(), 2);
}

}  // namespace
