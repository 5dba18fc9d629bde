// StrToDate, StrToTime, StrToDateTime in the regional order and separators.
#include "host/core/DateUtils.h"
#include "tests/host/RtlTestSettings.h"

namespace {

struct DateParseCase {
  const char16_t* ShortDateFormat;
  char16_t DateSeparator;
  const char16_t* Text;
  double Expected;  // -1e9: not a date
};

constexpr double kInvalid = -1e9;

void PrintTo(const DateParseCase& ACase, std::ostream* AOut) { *AOut << StringToUtf8(ACase.Text); }

class StrToDateCases : public WithPinnedSettings<testing::TestWithParam<DateParseCase>> {};

TEST_P(StrToDateCases, ParseInTheRegionalOrder) {
  const DateParseCase& c = GetParam();
  Adjust([&](TFormatSettings& s) {
    s.ShortDateFormat = c.ShortDateFormat;
    s.DateSeparator = c.DateSeparator;
  });
  if (c.Expected == kInvalid) {
    EXPECT_EQ(StringToUtf8(ConvertErrorOf([&] { StrToDate(c.Text); })),
              "'" + StringToUtf8(c.Text) + "' is not a valid date");
    EXPECT_EQ(StrToDateDef(c.Text, 7), 7);
  } else {
    EXPECT_EQ(StrToDate(c.Text), c.Expected);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, StrToDateCases,
    testing::Values(DateParseCase{u"m/d/yyyy", u'/', u"3/5/2024", 45356}, DateParseCase{u"m/d/yyyy", u'/', u" 3 / 5 / 2024 ", 45356},
                    DateParseCase{u"m/d/yyyy", u'/', u"03/05/2024", 45356},
                    DateParseCase{u"m/d/yyyy", u'/', u"12/29/1899", -1},
                    DateParseCase{u"dd.mm.yyyy", u'.', u"5.3.2024", 45356},
                    DateParseCase{u"yyyy-mm-dd", u'-', u"2024-03-05", 45356},
                    DateParseCase{u"m/d/yyyy", u'/', u"3/5/24", 45356},
                    DateParseCase{u"m/d/yyyy", u'/', u"13/5/2024", kInvalid},
                    DateParseCase{u"m/d/yyyy", u'/', u"2/30/2024", kInvalid},
                    DateParseCase{u"m/d/yyyy", u'/', u"3-5-2024", kInvalid}, DateParseCase{u"m/d/yyyy", u'/', u"abc", kInvalid},
                    DateParseCase{u"m/d/yyyy", u'/', u"", kInvalid}, DateParseCase{u"m/d/yyyy", u'/', u"3/5/2024x", kInvalid},
                    DateParseCase{u"m/d/yyyy", u'/', u"3/5/", kInvalid}, DateParseCase{u"m/d/yyyy", u'/', u"3//2024", kInvalid},
                    DateParseCase{u"m/d/yyyy", u'/', u"3/5/20245", kInvalid},
                    DateParseCase{u"m/d/yyyy", u'/', u"3/5/2024 10:00", kInvalid}));

using DateParsing = WithPinnedSettings<>;

TEST_F(DateParsing, AMissingYearIsThisYear) {
  int year, month, day;
  DecodeDate(Date(), year, month, day);
  EXPECT_EQ(StrToDate(u"3/5"), EncodeDate(year, 3, 5));
}

struct TimeCase {
  const char16_t* Text;
  int Hour, Minute, Second, MSec;  // Hour -1: not a time
};

void PrintTo(const TimeCase& ACase, std::ostream* AOut) { *AOut << StringToUtf8(ACase.Text); }

class StrToTimeCases : public WithPinnedSettings<testing::TestWithParam<TimeCase>> {};

TEST_P(StrToTimeCases, ParseHoursMinutesSecondsAndMarkers) {
  const TimeCase& c = GetParam();
  if (c.Hour < 0) {
    EXPECT_EQ(StringToUtf8(ConvertErrorOf([&] { StrToTime(c.Text); })),
              "'" + StringToUtf8(c.Text) + "' is not a valid time");
    EXPECT_EQ(StrToTimeDef(c.Text, 0.5), 0.5);
  } else {
    EXPECT_EQ(StrToTime(c.Text), EncodeTime(c.Hour, c.Minute, c.Second, c.MSec));
  }
}

INSTANTIATE_TEST_SUITE_P(Table, StrToTimeCases,
                         testing::Values(TimeCase{u"14:07:09", 14, 7, 9, 0}, TimeCase{u"14:07", 14, 7, 0, 0},
                                         TimeCase{u"10", 10, 0, 0, 0}, TimeCase{u"2:07 PM", 14, 7, 0, 0},
                                         TimeCase{u"2:07 pm", 14, 7, 0, 0}, TimeCase{u"PM 2:07", 14, 7, 0, 0},
                                         TimeCase{u"12:00 AM", 0, 0, 0, 0}, TimeCase{u"12:00 PM", 12, 0, 0, 0},
                                         TimeCase{u"14:07:09.045", 14, 7, 9, 45}, TimeCase{u"13:00 PM", -1, 0, 0, 0},
                                         TimeCase{u"0:30 AM", -1, 0, 0, 0}, TimeCase{u"25:00", -1, 0, 0, 0},
                                         TimeCase{u"10:60", -1, 0, 0, 0}, TimeCase{u"abc", -1, 0, 0, 0},
                                         TimeCase{u"", -1, 0, 0, 0}, TimeCase{u"10:", -1, 0, 0, 0},
                                         TimeCase{u"10:00 XM", -1, 0, 0, 0}));

TEST_F(DateParsing, DateAndTimeTogether) {
  EXPECT_EQ(StrToDateTime(u"3/5/2024 14:07:09"), 45356 + EncodeTime(14, 7, 9, 0));
  EXPECT_EQ(StrToDateTime(u"3/5/2024"), 45356);
  EXPECT_EQ(StrToDateTime(u"14:07"), EncodeTime(14, 7, 0, 0));
  EXPECT_EQ(StrToDateTime(u"12/29/1899 6:00"), -1.25);
  EXPECT_EQ(StrToDateTime(u"3/5/2024 2:07:09 PM"), 45356 + EncodeTime(14, 7, 9, 0));
  EXPECT_EQ(ConvertErrorOf([] { StrToDateTime(u"3/5/2024 25:00"); }), u"'3/5/2024 25:00' is not a valid date and time");
  EXPECT_EQ(ConvertErrorOf([] { StrToDateTime(u"nonsense"); }), u"'nonsense' is not a valid date and time");
  EXPECT_EQ(StrToDateTimeDef(u"nonsense", 3), 3);
  TDateTime value = 9;
  EXPECT_FALSE(TryStrToDateTime(u"3/5/2024 x", value));
  EXPECT_EQ(value, 9);
}

TEST_F(DateParsing, TextsRoundTripThroughTheirFormatting) {
  const TDateTime value = EncodeDateTime(1987, 11, 23, 18, 45, 30, 0);
  EXPECT_EQ(StrToDateTime(DateTimeToStr(value)), value);
  EXPECT_EQ(StrToDate(DateToStr(value)), EncodeDate(1987, 11, 23));
  EXPECT_EQ(StrToTime(TimeToStr(value)), EncodeTime(18, 45, 30, 0));
}

}  // namespace
