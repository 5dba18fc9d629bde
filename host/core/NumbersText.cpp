// Reals and currency as text: FloatToStr, FloatToStrF, CurrToStr, CurrToStrF.
#include <algorithm>
#include <cstring>
#include <limits>

#include "host/core/SysUtils.h"

namespace {

constexpr int kNoDecimalLimit = 9999;
constexpr int kCurrencyPrecision = 19;

bool IsNan(const TFloatRec& ARec) { return ARec.Exponent == std::numeric_limits<int16_t>::min(); }
bool IsInf(const TFloatRec& ARec) { return ARec.Exponent == std::numeric_limits<int16_t>::max(); }

String SpecialText(const TFloatRec& ARec) {
  if (IsNan(ARec)) return u"NAN";
  return ARec.Negative ? u"-INF" : u"INF";
}

int DigitCount(const TFloatRec& ARec) { return static_cast<int>(std::strlen(ARec.Digits)); }

// The I-th digit, '0' past the stored ones.
char16_t DigitAt(const TFloatRec& ARec, int AIndex) {
  return AIndex >= 0 && AIndex < DigitCount(ARec) ? char16_t(ARec.Digits[AIndex]) : u'0';
}

void AppendExponent(String& AOut, int AExponent, int AMinDigits, bool AAlwaysSign) {
  AOut += u'E';
  if (AExponent < 0) AOut += u'-';
  else if (AAlwaysSign) AOut += u'+';
  const String digits = IntToStr(AExponent < 0 ? -int64_t(AExponent) : AExponent);
  const int minDigits = std::clamp(AMinDigits, 0, 4);
  if (static_cast<int>(digits.size()) < minDigits) AOut.append(minDigits - digits.size(), u'0');
  AOut += digits;
}

// d[.ddd]E[-]x, or with AKeepZeros the mantissa padded to APrecision digits.
String ScientificText(const TFloatRec& ARec, int APrecision, int AMinExpDigits, bool AKeepZeros, bool AAlwaysSign,
                      char16_t ADecimal) {
  String out;
  if (ARec.Negative) out += u'-';
  out += DigitAt(ARec, 0);
  const int fraction = AKeepZeros ? APrecision - 1 : DigitCount(ARec) - 1;
  if (fraction > 0) {
    out += ADecimal;
    for (int i = 1; i <= fraction; ++i) out += DigitAt(ARec, i);
  }
  AppendExponent(out, DigitCount(ARec) == 0 ? 0 : ARec.Exponent - 1, AMinExpDigits, AAlwaysSign);
  return out;
}

// The unsigned integer digits, grouped by AThousands unless it is 0, then the
// decimals.
String FixedBody(const TFloatRec& ARec, int ADecimals, char16_t AThousands, char16_t ADecimal) {
  String out;
  const int intDigits = std::max<int>(ARec.Exponent, 0);
  if (intDigits == 0) out += u'0';
  for (int i = 0; i < intDigits; ++i) {
    out += DigitAt(ARec, i);
    const int left = intDigits - 1 - i;
    if (AThousands && left > 0 && left % 3 == 0) out += AThousands;
  }
  if (ADecimals > 0) {
    out += ADecimal;
    for (int i = 0; i < ADecimals; ++i) out += DigitAt(ARec, ARec.Exponent + i);
  }
  return out;
}

String GeneralText(const TFloatRec& ARec, int APrecision, int AMinExpDigits, char16_t ADecimal) {
  if (DigitCount(ARec) == 0) return u"0";
  if (ARec.Exponent > APrecision || ARec.Exponent < -3)
    return ScientificText(ARec, APrecision, AMinExpDigits, false, false, ADecimal);
  const int decimals = std::max(DigitCount(ARec) - ARec.Exponent, 0);
  String out = ARec.Negative ? u"-" : u"";
  return out + FixedBody(ARec, decimals, 0, ADecimal);
}

// Currency patterns: '$' the currency string, '1' the amount, '-' the sign.
constexpr const char16_t* kPositiveCurrency[] = {u"$1", u"1$", u"$ 1", u"1 $"};
constexpr const char16_t* kNegativeCurrency[] = {u"($1)", u"-$1", u"$-1", u"$1-", u"(1$)", u"-1$",
                                                 u"1-$",  u"1$-", u"-1 $", u"-$ 1", u"1 $-", u"$ 1-",
                                                 u"$ -1", u"1- $", u"($ 1)", u"(1 $)"};

String CurrencyText(const String& ABody, bool ANegative, const TFormatSettings& ASettings) {
  const char16_t* pattern = ANegative ? kNegativeCurrency[ASettings.NegCurrFormat % 16]
                                      : kPositiveCurrency[ASettings.CurrencyFormat % 4];
  String out;
  for (const char16_t* p = pattern; *p; ++p) {
    if (*p == u'$') out += ASettings.CurrencyString;
    else if (*p == u'1') out += ABody;
    else out += *p;
  }
  return out;
}

template <class V>
String ValueToText(V AValue, TFloatFormat AFormat, int APrecision, int ADigits, const TFormatSettings& ASettings) {
  const char16_t decimal = ASettings.DecimalSeparator;
  TFloatRec rec;
  const bool limitless = AFormat == ffGeneral || AFormat == ffExponent;
  FloatToDecimal(rec, AValue, APrecision, limitless ? kNoDecimalLimit : std::clamp(ADigits, 0, 18));
  if (IsNan(rec) || IsInf(rec)) return SpecialText(rec);
  switch (AFormat) {
    case ffGeneral:
      return GeneralText(rec, APrecision, ADigits, decimal);
    case ffExponent:
      return ScientificText(rec, APrecision, ADigits, true, true, decimal);
    default:
      break;
  }
  // More integer digits than the precision holds: the general form instead.
  if (rec.Exponent > APrecision) {
    FloatToDecimal(rec, AValue, APrecision, kNoDecimalLimit);
    return GeneralText(rec, APrecision, 0, decimal);
  }
  const int decimals = std::clamp(ADigits, 0, 18);
  const char16_t thousands = AFormat == ffFixed ? char16_t(0) : ASettings.ThousandSeparator;
  const String body = FixedBody(rec, decimals, thousands, decimal);
  if (AFormat == ffCurrency) return CurrencyText(body, rec.Negative, ASettings);
  return rec.Negative ? u"-" + body : body;
}

int ClampedPrecision(int APrecision) { return std::clamp(APrecision, 1, 18); }

}  // namespace

String FloatToStrF(double AValue, TFloatFormat AFormat, int APrecision, int ADigits, const TFormatSettings& ASettings) {
  return ValueToText(AValue, AFormat, ClampedPrecision(APrecision), ADigits, ASettings);
}

String FloatToStrF(double AValue, TFloatFormat AFormat, int APrecision, int ADigits) {
  return FloatToStrF(AValue, AFormat, APrecision, ADigits, FormatSettings());
}

String FloatToStr(double AValue, const TFormatSettings& ASettings) {
  return FloatToStrF(AValue, ffGeneral, 15, 0, ASettings);
}

String FloatToStr(double AValue) { return FloatToStr(AValue, FormatSettings()); }

String CurrToStrF(Currency AValue, TFloatFormat AFormat, int ADigits, const TFormatSettings& ASettings) {
  return ValueToText(AValue, AFormat, kCurrencyPrecision, ADigits, ASettings);
}

String CurrToStrF(Currency AValue, TFloatFormat AFormat, int ADigits) {
  return CurrToStrF(AValue, AFormat, ADigits, FormatSettings());
}

String CurrToStr(Currency AValue, const TFormatSettings& ASettings) {
  return CurrToStrF(AValue, ffGeneral, 0, ASettings);
}

String CurrToStr(Currency AValue) { return CurrToStr(AValue, FormatSettings()); }

String BoolToStr(bool AValue, bool AUseBoolStrs) {
  if (AUseBoolStrs) return AValue ? u"True" : u"False";
  return AValue ? u"-1" : u"0";
}
