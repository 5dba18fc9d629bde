// Pins the regional settings for run-time routine tests and restores the
// process's own afterwards.
#pragma once

#include <gtest/gtest.h>

#include "host/core/SysUtils.h"

// English (United States) values with the separators spelled out, so a test
// reads what it depends on.
inline TFormatSettings PinnedSettings() {
  TFormatSettings s = TFormatSettings::EnglishUS();
  s.DecimalSeparator = u'.';
  s.ThousandSeparator = u',';
  s.DateSeparator = u'/';
  s.TimeSeparator = u':';
  s.ShortDateFormat = u"m/d/yyyy";
  s.LongDateFormat = u"dddd, mmmm d, yyyy";
  s.ShortTimeFormat = u"h:nn AMPM";
  s.LongTimeFormat = u"h:nn:ss AMPM";
  s.CurrencyString = u"$";
  s.CurrencyFormat = 0;
  s.NegCurrFormat = 0;
  s.CurrencyDecimals = 2;
  s.TwoDigitYearCenturyWindow = 50;
  return s;
}

template <class Base = testing::Test>
class WithPinnedSettings : public Base {
 protected:
  void SetUp() override {
    FSaved = FormatSettings();
    SetFormatSettings(PinnedSettings());
  }
  void TearDown() override { SetFormatSettings(FSaved); }

  // Changes one part of the pinned settings for this test.
  template <class F>
  void Adjust(F&& AChange) {
    TFormatSettings s = FormatSettings();
    AChange(s);
    SetFormatSettings(s);
  }

 private:
  TFormatSettings FSaved;
};

// The message of the EConvertError that ACall raises ("" when it raises none).
template <class F>
String ConvertErrorOf(F&& ACall) {
  try {
    ACall();
  } catch (const ExceptionPtr& e) {
    if (!e->Is<EConvertError>()) return u"<not EConvertError: " + e->ClassName() + u">";
    return e->GetMessage();
  }
  return u"";
}
