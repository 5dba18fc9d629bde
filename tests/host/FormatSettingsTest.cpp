// Regional settings: the English (United States) values, pattern translation
// and the push to the automation layer.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "host/core/SysUtils.h"
#include "platform/ole/OleLocale.h"
#include "tests/support/QelTestNames.h"

namespace {

TEST(FormatSettings, EnglishUnitedStates) {
  const TFormatSettings s = TFormatSettings::EnglishUS();
  EXPECT_EQ(s.CurrencyString, u"$");
  EXPECT_EQ(s.DecimalSeparator, u'.');
  EXPECT_EQ(s.ThousandSeparator, u',');
  EXPECT_EQ(s.DateSeparator, u'/');
  EXPECT_EQ(s.TimeSeparator, u':');
  EXPECT_EQ(s.ShortDateFormat, u"m/d/yyyy");
  EXPECT_EQ(s.LongDateFormat, u"dddd, mmmm d, yyyy");
  EXPECT_EQ(s.LongTimeFormat, u"h:nn:ss AMPM");
  EXPECT_EQ(s.ShortTimeFormat, u"h:nn AMPM");
  EXPECT_EQ(s.LongMonthNames[8], u"September");
  EXPECT_EQ(s.ShortDayNames[0], u"Sun");
}

struct PatternCase {
  const char16_t* Host;
  const char16_t* Windows;
};

void PrintTo(const PatternCase& ACase, std::ostream* AOut) { *AOut << QelTestLabel(ACase.Host); }

class PatternTranslation : public testing::TestWithParam<PatternCase> {};

TEST_P(PatternTranslation, ToWindowsPatterns) {
  EXPECT_EQ(DateTimePatternToWindows(GetParam().Host), GetParam().Windows);
}

INSTANTIATE_TEST_SUITE_P(Table, PatternTranslation,
                         testing::Values(PatternCase{u"m/d/yyyy", u"M/d/yyyy"},
                                         PatternCase{u"dd.mm.yyyy", u"dd.MM.yyyy"},
                                         PatternCase{u"h:nn:ss AMPM", u"h:mm:ss tt"},
                                         PatternCase{u"hh:nn", u"HH:mm"},
                                         PatternCase{u"h:mm am/pm", u"h:mm tt"},
                                         PatternCase{u"dddd, mmmm d, yyyy", u"dddd, MMMM d, yyyy"},
                                         PatternCase{u"yyyy\"年\"m\"月\"", u"yyyy'年'M'月'"}));

TEST(FormatSettings, SetPushesToTheAutomationLayer) {
  const TFormatSettings saved = FormatSettings();
  TFormatSettings german = TFormatSettings::EnglishUS();
  german.DecimalSeparator = u',';
  german.ThousandSeparator = u'.';
  german.DateSeparator = u'.';
  german.ShortDateFormat = u"dd.mm.yyyy";
  german.LongTimeFormat = u"hh:nn:ss";
  german.CurrencyString = u"\u20AC";
  SetFormatSettings(german);
  EXPECT_EQ(FormatSettings().ShortDateFormat, u"dd.mm.yyyy");
  const OleRegionalSettings& ole = OleGetRegionalSettings();
  EXPECT_EQ(ole.DecimalSeparator, u',');
  EXPECT_EQ(ole.ThousandSeparator, u'.');
  EXPECT_EQ(ole.DateSeparator, u'.');
  EXPECT_EQ(ole.ShortDateFormat, u"dd.MM.yyyy");
  EXPECT_EQ(ole.LongTimeFormat, u"HH:mm:ss");
  EXPECT_EQ(ole.CurrencyString, u"\u20AC");
  SetFormatSettings(saved);
}

}  // namespace

namespace {

class LocalePatternTranslation : public testing::TestWithParam<PatternCase> {};

// Here PatternCase::Host is the ICU pattern and ::Windows the host one.
TEST_P(LocalePatternTranslation, FromIcuPatterns) {
  EXPECT_EQ(LocaleDatePatternToHost(GetParam().Host), GetParam().Windows);
}

INSTANTIATE_TEST_SUITE_P(Table, LocalePatternTranslation,
                         testing::Values(PatternCase{u"M/d/yy", u"m/d/yyyy"},
                                         PatternCase{u"dd.MM.yy", u"dd.mm.yyyy"},
                                         PatternCase{u"h:mm:ss\u202Fa", u"h:nn:ss AMPM"},
                                         PatternCase{u"HH:mm", u"hh:nn"},
                                         PatternCase{u"EEEE, d. MMMM y", u"dddd, d. mmmm yyyy"},
                                         PatternCase{u"d 'de' MMMM", u"d \"de\" mmmm"}));

// Sets an environment variable for one scope.
class ScopedEnv {
 public:
  ScopedEnv(const char* AName, const char* AValue) : FName(AName) {
    if (const char* old = std::getenv(AName)) FOld = old, FHadOld = true;
    setenv(AName, AValue, 1);
  }
  ~ScopedEnv() {
    if (FHadOld) setenv(FName, FOld.c_str(), 1);
    else unsetenv(FName);
  }

 private:
  const char* FName;
  std::string FOld;
  bool FHadOld = false;
};

TEST(FormatSettings, PosixLocaleGivesEnglishUS) {
  ScopedEnv env("LC_ALL", "C");
  const TFormatSettings s = TFormatSettings::FromProcessLocale();
  EXPECT_EQ(s.ShortDateFormat, u"m/d/yyyy");
  EXPECT_EQ(s.LongTimeFormat, u"h:nn:ss AMPM");
  EXPECT_EQ(s.CurrencyString, u"$");
}

TEST(FormatSettings, GermanLocaleFromIcuData) {
  ScopedEnv env("LC_ALL", "de_DE.UTF-8");
  const TFormatSettings s = TFormatSettings::FromProcessLocale();
  EXPECT_EQ(s.DecimalSeparator, u',');
  EXPECT_EQ(s.ThousandSeparator, u'.');
  EXPECT_EQ(s.DateSeparator, u'.');
  EXPECT_EQ(s.TimeSeparator, u':');
  EXPECT_EQ(s.ShortDateFormat, u"dd.mm.yyyy");
  EXPECT_EQ(s.LongTimeFormat, u"hh:nn:ss");
  EXPECT_EQ(s.LongMonthNames[2], u"M\u00E4rz");
  EXPECT_EQ(s.LongDayNames[0], u"Sonntag");
  EXPECT_EQ(s.CurrencyString, u"\u20AC");
}

}  // namespace
