// Values as rounded decimal digits (FloatToDecimal) and the Currency type:
// the common ground of every number-to-text routine.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

#include "host/core/SysUtils.h"

namespace {

constexpr int kMaxDigits = 18;  // what the class library's 80-bit reals carry

// Rounds ADigits (ACount digits, value 0.ADigits * 10^AExponent) half away
// from zero so that at most AKeep digits remain, then drops trailing zeros.
void RoundDigits(TFloatRec& ARec, int ACount, int AKeep) {
  char* d = ARec.Digits;
  if (AKeep < 0) {
    ACount = 0;
  } else if (AKeep < ACount) {
    const bool up = d[AKeep] >= '5';
    ACount = AKeep;
    if (up) {
      int i = ACount - 1;
      while (i >= 0 && d[i] == '9') d[i--] = '0';
      if (i >= 0) {
        ++d[i];
      } else {
        // 0.999.. became 1.000..: one more integer digit.
        d[0] = '1';
        ACount = 1;
        ++ARec.Exponent;
      }
    }
  }
  while (ACount > 0 && d[ACount - 1] == '0') --ACount;
  d[ACount] = '\0';
  if (ACount == 0) {
    ARec.Exponent = 0;
    ARec.Negative = false;
  }
}

int ClampPrecision(int APrecision) { return std::clamp(APrecision, 1, kMaxDigits); }

// The number of digits to keep for APrecision significant digits and
// ADecimals digits after the point.
int KeptDigits(const TFloatRec& ARec, int APrecision, int ADecimals) {
  const int64_t byDecimals = int64_t(ARec.Exponent) + std::max(ADecimals, 0);
  return static_cast<int>(std::min<int64_t>(ClampPrecision(APrecision), byDecimals));
}

}  // namespace

void FloatToDecimal(TFloatRec& AResult, double AValue, int APrecision, int ADecimals) {
  AResult = TFloatRec{};
  AResult.Negative = std::signbit(AValue);
  if (std::isnan(AValue)) {
    AResult.Exponent = std::numeric_limits<int16_t>::min();
    return;
  }
  if (std::isinf(AValue)) {
    AResult.Exponent = std::numeric_limits<int16_t>::max();
    return;
  }
  if (AValue == 0) {
    AResult.Negative = false;
    return;
  }
  // The exactly rounded 18 significant digits: "d.ddddddddddddddddde+XXX".
  char text[40];
  std::snprintf(text, sizeof text, "%.*e", kMaxDigits - 1, std::fabs(AValue));
  int count = 0;
  const char* p = text;
  for (; *p && *p != 'e'; ++p)
    if (*p >= '0' && *p <= '9') AResult.Digits[count++] = *p;
  AResult.Exponent = static_cast<int16_t>(std::atoi(p + 1) + 1);
  RoundDigits(AResult, count, KeptDigits(AResult, APrecision, ADecimals));
}

void FloatToDecimal(TFloatRec& AResult, Currency AValue, int APrecision, int ADecimals) {
  AResult = TFloatRec{};
  if (AValue.Value == 0) return;
  AResult.Negative = AValue.Value < 0;
  uint64_t units = AValue.Value < 0 ? 0 - static_cast<uint64_t>(AValue.Value) : static_cast<uint64_t>(AValue.Value);
  char reversed[21];
  int count = 0;
  for (; units; units /= 10) reversed[count++] = static_cast<char>('0' + units % 10);
  for (int i = 0; i < count; ++i) AResult.Digits[i] = reversed[count - 1 - i];
  AResult.Exponent = static_cast<int16_t>(count - 4);
  // Currency carries up to 19 exact digits; its precision is never the limit.
  const int keep = static_cast<int>(std::min<int64_t>(std::max(APrecision, count), int64_t(AResult.Exponent) + std::max(ADecimals, 0)));
  RoundDigits(AResult, count, keep);
}

Currency::Currency(double AValue) {
  const double units = std::nearbyint(AValue * 10000.0);
  if (std::isnan(units)) Value = 0;
  else if (units >= 9223372036854775807.0) Value = std::numeric_limits<int64_t>::max();
  else if (units <= -9223372036854775808.0) Value = std::numeric_limits<int64_t>::min();
  else Value = static_cast<int64_t>(units);
}
