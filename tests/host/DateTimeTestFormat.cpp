// FormatDateTime with every specifier, and DateToStr, TimeToStr, DateTimeToStr.
#include "host/core/DateUtils.h"
#include "tests/host/RtlTestSettings.h"

namespace {

struct PatternCase {
  const char16_t* Pattern;
  const char16_t* Expected;
};

void PrintTo(const PatternCase& ACase, std::ostream* AOut) { *AOut << StringToUtf8(ACase.Pattern); }

class FormatDateTimeCases : public WithPinnedSettings<testing::TestWithParam<PatternCase>> {
 protected:
  // Tuesday, 5 March 2024, 14:07:09.045.
  static TDateTime Sample() { return EncodeDateTime(2024, 3, 5, 14, 7, 9, 45); }
};

TEST_P(FormatDateTimeCases, ProduceTheDocumentedText) {
  EXPECT_EQ(StringToUtf8(FormatDateTime(GetParam().Pattern, Sample())), StringToUtf8(GetParam().Expected));
}

INSTANTIATE_TEST_SUITE_P(
    Table, FormatDateTimeCases,
    testing::Values(PatternCase{u"d", u"5"}, PatternCase{u"dd", u"05"}, PatternCase{u"ddd", u"Tue"},
                    PatternCase{u"dddd", u"Tuesday"}, PatternCase{u"ddddd", u"3/5/2024"},
                    PatternCase{u"dddddd", u"Tuesday, March 5, 2024"}, PatternCase{u"m", u"3"},
                    PatternCase{u"mm", u"03"}, PatternCase{u"mmm", u"Mar"}, PatternCase{u"mmmm", u"March"},
                    PatternCase{u"yy", u"24"}, PatternCase{u"yyyy", u"2024"}, PatternCase{u"h", u"14"},
                    PatternCase{u"hh", u"14"}, PatternCase{u"n", u"7"}, PatternCase{u"nn", u"07"},
                    PatternCase{u"s", u"9"}, PatternCase{u"ss", u"09"}, PatternCase{u"z", u"45"},
                    PatternCase{u"zzz", u"045"}, PatternCase{u"t", u"2:07 PM"}, PatternCase{u"tt", u"2:07:09 PM"},
                    PatternCase{u"am/pm", u"pm"}, PatternCase{u"AM/PM", u"PM"}, PatternCase{u"a/p", u"p"},
                    PatternCase{u"A/P", u"P"}, PatternCase{u"ampm", u"PM"}, PatternCase{u"h:nn am/pm", u"2:07 pm"},
                    PatternCase{u"hh:mm", u"14:07"}, PatternCase{u"h:m", u"14:7"}, PatternCase{u"c", u"3/5/2024 2:07:09 PM"},
                    PatternCase{u"", u"3/5/2024 2:07:09 PM"}, PatternCase{u"yyyy/mm/dd", u"2024/03/05"},
                    PatternCase{u"'Day' d", u"Day 5"}, PatternCase{u"\"at\" h", u"at 14"},
                    PatternCase{u"DD-MMM-YYYY", u"05-Mar-2024"}, PatternCase{u"'unterminated", u"unterminated"},
                    PatternCase{u"dddd, d. mmmm yyyy", u"Tuesday, 5. March 2024"}));

using DateTimeTexts = WithPinnedSettings<>;

TEST_F(DateTimeTexts, TwelveHourClockAroundMidnightAndNoon) {
  EXPECT_EQ(FormatDateTime(u"h am/pm", EncodeTime(0, 5, 0, 0)), u"12 am");
  EXPECT_EQ(FormatDateTime(u"h a/p", EncodeTime(12, 30, 0, 0)), u"12 p");
  EXPECT_EQ(FormatDateTime(u"hh:nn AMPM", EncodeTime(9, 5, 0, 0)), u"09:05 AM");
  EXPECT_EQ(FormatDateTime(u"Am/pM", EncodeTime(13, 0, 0, 0)), u"pM");
}

TEST_F(DateTimeTexts, SeparatorsAreRegional) {
  Adjust([](TFormatSettings& s) {
    s.DateSeparator = u'-';
    s.TimeSeparator = u'.';
  });
  EXPECT_EQ(FormatDateTime(u"yyyy/mm/dd hh:nn:ss", EncodeDateTime(2024, 3, 5, 14, 7, 9, 0)), u"2024-03-05 14.07.09");
}

TEST_F(DateTimeTexts, DatesBeforeTheEpochAndNegativeValues) {
  EXPECT_EQ(FormatDateTime(u"yyyy-mm-dd hh:nn", -1.25), u"1899-12-29 06:00");
  EXPECT_EQ(FormatDateTime(u"yyyy-mm-dd dddd", EncodeDate(1850, 7, 4)), u"1850-07-04 Thursday");
  EXPECT_EQ(FormatDateTime(u"d/m/yyyy", EncodeDate(1, 1, 1)), u"1/1/0001");
}

TEST_F(DateTimeTexts, DateTimeToStrOmitsMidnight) {
  EXPECT_EQ(DateTimeToStr(EncodeDate(2024, 3, 5)), u"3/5/2024");
  EXPECT_EQ(DateTimeToStr(EncodeDateTime(2024, 3, 5, 0, 0, 1, 0)), u"3/5/2024 12:00:01 AM");
  EXPECT_EQ(DateToStr(EncodeDateTime(2024, 3, 5, 14, 0, 0, 0)), u"3/5/2024");
  EXPECT_EQ(TimeToStr(EncodeTime(14, 7, 9, 0)), u"2:07:09 PM");
}

TEST_F(DateTimeTexts, FollowTheRegionalPatterns) {
  Adjust([](TFormatSettings& s) {
    s.ShortDateFormat = u"yyyy-mm-dd";
    s.DateSeparator = u'-';
    s.LongTimeFormat = u"hh:nn:ss";
  });
  const TDateTime value = EncodeDateTime(2024, 3, 5, 14, 7, 9, 0);
  EXPECT_EQ(DateToStr(value), u"2024-03-05");
  EXPECT_EQ(TimeToStr(value), u"14:07:09");
  EXPECT_EQ(DateTimeToStr(value), u"2024-03-05 14:07:09");
}

TEST_F(DateTimeTexts, PatternsNamingThemselvesDoNotRecurseForever) {
  Adjust([](TFormatSettings& s) { s.ShortDateFormat = u"c ddddd"; });
  EXPECT_NO_THROW(FormatDateTime(u"c", EncodeDate(2024, 3, 5)));
}

}  // namespace
