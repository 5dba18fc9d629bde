// Rounding and the Math unit's routines.
#include <algorithm>
#include <cmath>
#include <limits>

#include "host/core/Math.h"
#include "host/core/SysUtils.h"

namespace {

// The largest magnitudes that convert to int64 without overflow.
constexpr double kInt64Limit = 9223372036854775808.0;  // 2^63

int64_t ToInt64(double AWhole) {
  if (!(AWhole >= -kInt64Limit && AWhole < kInt64Limit)) throw ExceptionPtr(new EInvalidOp());
  return static_cast<int64_t>(AWhole);
}

// The rounding step 10^ADigit (ADigit = -2: hundredths).
double Scale(int ADigit) { return std::pow(10.0, ADigit); }

}  // namespace

int64_t Round(double AValue) {
  // nearbyint follows the default rounding mode: to nearest, halves to even.
  return ToInt64(std::nearbyint(AValue));
}

int64_t Trunc(double AValue) { return ToInt64(std::trunc(AValue)); }
double Int(double AValue) { return std::trunc(AValue); }
double Frac(double AValue) { return AValue - std::trunc(AValue); }

double SimpleRoundTo(double AValue, int ADigit) {
  const double factor = Scale(ADigit);
  // Half away from zero, as the class library's adds (or subtracts) 0.5.
  return AValue < 0 ? std::ceil(AValue / factor - 0.5) * factor : std::floor(AValue / factor + 0.5) * factor;
}

double RoundTo(double AValue, int ADigit) {
  const double factor = Scale(ADigit);
  return std::nearbyint(AValue / factor) * factor;
}

int64_t Floor(double AValue) { return ToInt64(std::floor(AValue)); }
int64_t Ceil(double AValue) { return ToInt64(std::ceil(AValue)); }
double Power(double ABase, double AExponent) { return std::pow(ABase, AExponent); }
double IntPower(double ABase, int AExponent) { return std::pow(ABase, AExponent); }
double Log10(double AValue) { return std::log10(AValue); }
double Log2(double AValue) { return std::log2(AValue); }
double LogN(double ABase, double AValue) { return std::log(AValue) / std::log(ABase); }
double Tan(double AValue) { return std::tan(AValue); }
double ArcSin(double AValue) { return std::asin(AValue); }
double ArcCos(double AValue) { return std::acos(AValue); }
double ArcTan2(double AY, double AX) { return std::atan2(AY, AX); }
int Sign(double AValue) { return AValue > 0 ? 1 : AValue < 0 ? -1 : 0; }
bool IsNan(double AValue) { return std::isnan(AValue); }
bool IsInfinite(double AValue) { return std::isinf(AValue); }

bool SameValue(double A, double B, double AEpsilon) {
  // The class library's default tolerance for doubles when none is given.
  const double epsilon = AEpsilon != 0 ? AEpsilon : std::max(std::fabs(A), std::fabs(B)) * 1e-12;
  return A == B || std::fabs(A - B) <= epsilon;
}

bool IsZero(double AValue, double AEpsilon) { return std::fabs(AValue) <= (AEpsilon != 0 ? AEpsilon : 1e-12); }
bool InRange(int64_t AValue, int64_t AMin, int64_t AMax) { return AValue >= AMin && AValue <= AMax; }
int64_t EnsureRange(int64_t AValue, int64_t AMin, int64_t AMax) { return AValue < AMin ? AMin : AValue > AMax ? AMax : AValue; }
