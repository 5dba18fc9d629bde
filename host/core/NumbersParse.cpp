// Texts to reals and currency: StrToFloat, StrToCurr and their variants.
#include <charconv>
#include <cmath>
#include <string>

#include "host/core/SysUtils.h"

namespace {

bool IsDigit(char16_t C) { return C >= u'0' && C <= u'9'; }

bool SameAscii(std::u16string_view S, const char* AWord) {
  size_t i = 0;
  for (; AWord[i]; ++i) {
    if (i >= S.size()) return false;
    char16_t c = S[i];
    if (c >= u'a' && c <= u'z') c -= 32;
    if (c != char16_t(AWord[i])) return false;
  }
  return i == S.size();
}

// Copies the digits of S[AIndex..] into AOut; returns how many there were.
size_t TakeDigits(std::u16string_view S, size_t& AIndex, std::string& AOut) {
  const size_t start = AIndex;
  while (AIndex < S.size() && IsDigit(S[AIndex])) AOut += static_cast<char>(S[AIndex++]);
  return AIndex - start;
}

// [sign] digits [decimal digits] [E [sign] digits], or INF / NAN, as the C
// locale's text; false when S is not such a number.
bool ToCText(std::u16string_view S, char16_t ADecimal, std::string& AOut) {
  size_t i = 0;
  if (i < S.size() && (S[i] == u'+' || S[i] == u'-')) {
    if (S[i] == u'-') AOut += '-';
    ++i;
  }
  if (SameAscii(S.substr(i), "INF") || SameAscii(S.substr(i), "NAN")) {
    AOut.append(S.begin() + i, S.end());
    return true;
  }
  size_t mantissa = TakeDigits(S, i, AOut);
  if (i < S.size() && S[i] == ADecimal) {
    AOut += '.';
    ++i;
    mantissa += TakeDigits(S, i, AOut);
  }
  if (mantissa == 0) return false;
  if (i < S.size() && (S[i] == u'e' || S[i] == u'E')) {
    AOut += 'e';
    ++i;
    if (i < S.size() && (S[i] == u'+' || S[i] == u'-')) AOut += static_cast<char>(S[i++]);
    if (TakeDigits(S, i, AOut) == 0) return false;
  }
  return i == S.size();
}

std::u16string_view TrimBlanks(std::u16string_view S) {
  while (!S.empty() && S.front() <= u' ') S.remove_prefix(1);
  while (!S.empty() && S.back() <= u' ') S.remove_suffix(1);
  return S;
}

[[noreturn]] void RaiseNotFloat(std::u16string_view S) {
  throw ExceptionPtr(new EConvertError(Exception::FormatMessage(u"'%s' is not a valid floating point value", {S})));
}

}  // namespace

bool TryStrToFloat(std::u16string_view S, double& AValue, const TFormatSettings& ASettings) {
  std::string text;
  if (!ToCText(TrimBlanks(S), ASettings.DecimalSeparator, text)) return false;
  double value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (ptr != end) return false;
  if (ec == std::errc::result_out_of_range) {
    // Too small is zero; too large is no value.
    long double wide = 0;
    if (std::from_chars(text.data(), end, wide).ec != std::errc{} || std::fabs(wide) > 1) return false;
    value = 0;
  }
  AValue = value;
  return true;
}

bool TryStrToFloat(std::u16string_view S, double& AValue) { return TryStrToFloat(S, AValue, FormatSettings()); }

double StrToFloat(std::u16string_view S, const TFormatSettings& ASettings) {
  double value;
  if (!TryStrToFloat(S, value, ASettings)) RaiseNotFloat(S);
  return value;
}

double StrToFloat(std::u16string_view S) { return StrToFloat(S, FormatSettings()); }

double StrToFloatDef(std::u16string_view S, double ADefault) {
  double value;
  return TryStrToFloat(S, value) ? value : ADefault;
}

bool TryStrToCurr(std::u16string_view S, Currency& AValue, const TFormatSettings& ASettings) {
  double value;
  // Currency holds about +-922337203685477.5807; infinities and NaN are no amounts.
  if (!TryStrToFloat(S, value, ASettings) || !std::isfinite(value) || std::fabs(value) >= 922337203685477.5807)
    return false;
  AValue = Currency(value);
  return true;
}

bool TryStrToCurr(std::u16string_view S, Currency& AValue) { return TryStrToCurr(S, AValue, FormatSettings()); }

Currency StrToCurr(std::u16string_view S) {
  Currency value;
  if (!TryStrToCurr(S, value)) RaiseNotFloat(S);
  return value;
}

Currency StrToCurrDef(std::u16string_view S, Currency ADefault) {
  Currency value;
  return TryStrToCurr(S, value) ? value : ADefault;
}
