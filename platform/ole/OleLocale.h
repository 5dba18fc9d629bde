// Regional settings used by the string coercions of variants.
#pragma once

#include <string>

struct OleRegionalSettings {
  char16_t DecimalSeparator, ThousandSeparator, DateSeparator, TimeSeparator;
  std::u16string ShortDateFormat, LongTimeFormat, TimeAMString, TimePMString, CurrencyString;
};

// Filled at first use from the process locale (LC_NUMERIC, LC_TIME); the C locale gives the
// English (United States) values. Reading is lock-free; the returned reference stays valid
// until exit even after OleSetRegionalSettings replaces the settings.
const OleRegionalSettings& OleGetRegionalSettings();
void OleSetRegionalSettings(const OleRegionalSettings& settings);

// The English (United States) values: ".", ",", "/", ":", "M/d/yyyy", "h:mm:ss tt", "AM",
// "PM", "$".
OleRegionalSettings OleDefaultRegionalSettings();
