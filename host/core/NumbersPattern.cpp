// Numeric patterns: FormatFloat and FormatCurr.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "host/core/SysUtils.h"

namespace {

constexpr int kFloatPrecision = 15;
constexpr int kCurrencyPrecision = 19;
constexpr int kNoDecimalLimit = 9999;

// Calls AOnChar(index) for every pattern character outside quoted text and
// AOnLiteral(text) for each quoted text (without its quotes).
template <class OnChar, class OnLiteral>
void ScanPattern(std::u16string_view APattern, OnChar&& AOnChar, OnLiteral&& AOnLiteral) {
  for (size_t i = 0; i < APattern.size(); ++i) {
    const char16_t c = APattern[i];
    if (c == u'\'' || c == u'"') {
      const size_t close = APattern.find(c, i + 1);
      const size_t end = close == APattern.npos ? APattern.size() : close;
      AOnLiteral(APattern.substr(i + 1, end - i - 1));
      i = end;
      continue;
    }
    i = AOnChar(i);
  }
}

// "positive;negative;zero", split outside quoted text.
std::vector<std::u16string_view> SplitSections(std::u16string_view APattern) {
  std::vector<std::u16string_view> sections;
  size_t start = 0;
  ScanPattern(
      APattern,
      [&](size_t i) {
        if (APattern[i] == u';' && sections.size() < 2) {
          sections.push_back(APattern.substr(start, i - start));
          start = i + 1;
        }
        return i;
      },
      [](std::u16string_view) {});
  sections.push_back(APattern.substr(start));
  return sections;
}

bool IsExponentAt(std::u16string_view S, size_t i) {
  return (S[i] == u'E' || S[i] == u'e') && i + 1 < S.size() && (S[i + 1] == u'+' || S[i + 1] == u'-');
}

// What one section asks for.
struct Layout {
  int IntPlaceholders = 0;
  int MinIntDigits = 0;   // from the first '0' before the point
  int FracPlaceholders = 0;
  int MinFracDigits = 0;  // up to the last '0' after the point
  bool Thousands = false;
  bool Scientific = false;
};

Layout Analyze(std::u16string_view ASection) {
  Layout layout;
  bool afterPoint = false;
  bool inExponent = false;
  int firstZero = -1;
  ScanPattern(
      ASection,
      [&](size_t i) {
        const char16_t c = ASection[i];
        if (inExponent) return i;
        if (IsExponentAt(ASection, i)) {
          layout.Scientific = inExponent = true;
          return i + 1;
        }
        if (c == u'.') afterPoint = true;
        else if (c == u',') layout.Thousands = true;
        else if (c == u'0' || c == u'#') {
          if (afterPoint) {
            ++layout.FracPlaceholders;
            if (c == u'0') layout.MinFracDigits = layout.FracPlaceholders;
          } else {
            if (c == u'0' && firstZero < 0) firstZero = layout.IntPlaceholders;
            ++layout.IntPlaceholders;
          }
        }
        return i;
      },
      [](std::u16string_view) {});
  if (firstZero >= 0) layout.MinIntDigits = layout.IntPlaceholders - firstZero;
  return layout;
}

// The rounded number as integer digits, fraction digits and exponent.
struct Digits {
  String Int;   // no leading zeros, padded to MinIntDigits
  String Frac;  // exactly FracPlaceholders digits
  int Exponent = 0;
  bool Negative = false;
  bool Zero = true;
};

char16_t DigitAt(const TFloatRec& ARec, int AIndex) {
  return AIndex >= 0 && AIndex < static_cast<int>(std::strlen(ARec.Digits)) ? char16_t(ARec.Digits[AIndex]) : u'0';
}

template <class V>
Digits RoundFor(V AValue, const Layout& ALayout, int APrecision) {
  TFloatRec rec;
  int intDigits;
  Digits d;
  if (ALayout.Scientific) {
    const int precision = std::clamp(ALayout.IntPlaceholders + ALayout.FracPlaceholders, 1, APrecision);
    FloatToDecimal(rec, AValue, precision, kNoDecimalLimit);
    intDigits = ALayout.IntPlaceholders;
    d.Exponent = rec.Digits[0] ? rec.Exponent - intDigits : 0;
  } else {
    FloatToDecimal(rec, AValue, APrecision, ALayout.FracPlaceholders);
    intDigits = std::max<int>(rec.Exponent, 0);
  }
  d.Negative = rec.Negative;
  d.Zero = rec.Digits[0] == 0;
  const int shift = ALayout.Scientific ? intDigits : rec.Exponent;
  for (int i = 0; i < intDigits && !d.Zero; ++i) d.Int += DigitAt(rec, i);
  for (int i = 0; i < ALayout.FracPlaceholders; ++i) d.Frac += d.Zero ? u'0' : DigitAt(rec, shift + i);
  while (!d.Int.empty() && d.Int[0] == u'0') d.Int.erase(0, 1);
  if (static_cast<int>(d.Int.size()) < ALayout.MinIntDigits) d.Int.insert(0, ALayout.MinIntDigits - d.Int.size(), u'0');
  return d;
}

// Writes one section with its digits.
class Emitter {
 public:
  Emitter(const Layout& ALayout, const Digits& ADigits, const TFormatSettings& ASettings)
      : FLayout(ALayout), FDigits(ADigits), FSettings(ASettings) {
    int shown = FLayout.MinFracDigits;
    for (int i = 0; i < static_cast<int>(FDigits.Frac.size()); ++i)
      if (FDigits.Frac[i] != u'0') shown = std::max(shown, i + 1);
    FFracShown = shown;
  }

  String Run(std::u16string_view ASection) {
    ScanPattern(
        ASection, [&](size_t i) { return Char(ASection, i); },
        [&](std::u16string_view ALiteral) { FOut += ALiteral; });
    FlushInt();
    return FOut;
  }

 private:
  size_t Char(std::u16string_view S, size_t i) {
    const char16_t c = S[i];
    if (IsExponentAt(S, i)) return Exponent(S, i);
    if (c == u'0' || c == u'#') {
      if (FAfterPoint) FracDigit();
      else IntDigit();
    } else if (c == u'.') {
      if (!FAfterPoint) {
        FlushInt();
        FAfterPoint = true;
        if (FFracShown > 0) FOut += FSettings.DecimalSeparator;
      }
    } else if (c != u',') {
      FOut += c;
    }
    return i;
  }

  void PutIntDigit(size_t AIndex) {
    FOut += FDigits.Int[AIndex];
    const size_t left = FDigits.Int.size() - 1 - AIndex;
    if (FLayout.Thousands && left > 0 && left % 3 == 0) FOut += FSettings.ThousandSeparator;
  }

  void IntDigit() {
    const int length = static_cast<int>(FDigits.Int.size());
    // Digits beyond the placeholders go in front of the first one.
    if (FIntSeen == 0)
      for (int j = 0; j < length - FLayout.IntPlaceholders; ++j) PutIntDigit(j);
    const int j = length - FLayout.IntPlaceholders + FIntSeen;
    if (j >= 0) PutIntDigit(j);
    ++FIntSeen;
  }

  // A pattern without integer placeholders still shows the integer digits.
  void FlushInt() {
    if (FIntFlushed) return;
    FIntFlushed = true;
    if (FLayout.IntPlaceholders == 0)
      for (size_t j = 0; j < FDigits.Int.size(); ++j) PutIntDigit(j);
  }

  void FracDigit() {
    if (FFracSeen < FFracShown) FOut += FDigits.Frac[FFracSeen];
    ++FFracSeen;
  }

  size_t Exponent(std::u16string_view S, size_t i) {
    FlushInt();
    FOut += S[i];
    const bool always = S[i + 1] == u'+';
    if (FDigits.Exponent < 0) FOut += u'-';
    else if (always) FOut += u'+';
    size_t zeros = 0;
    while (i + 2 + zeros < S.size() && S[i + 2 + zeros] == u'0') ++zeros;
    const String text = IntToStr(std::abs(FDigits.Exponent));
    if (text.size() < std::min<size_t>(zeros, 4)) FOut.append(std::min<size_t>(zeros, 4) - text.size(), u'0');
    FOut += text;
    return i + 1 + zeros;
  }

  const Layout& FLayout;
  const Digits& FDigits;
  const TFormatSettings& FSettings;
  String FOut;
  int FFracShown = 0;
  int FIntSeen = 0;
  int FFracSeen = 0;
  bool FAfterPoint = false;
  bool FIntFlushed = false;
};

bool IsNegative(double AValue) { return AValue < 0; }
bool IsNegative(Currency AValue) { return AValue.Value < 0; }
bool IsZero(double AValue) { return AValue == 0; }
bool IsZero(Currency AValue) { return AValue.Value == 0; }

// The general text used for an empty pattern, NaN, infinities and values too
// large for a pattern without exponent.
String PlainText(double AValue, const TFormatSettings& ASettings) { return FloatToStr(AValue, ASettings); }
String PlainText(Currency AValue, const TFormatSettings& ASettings) { return CurrToStr(AValue, ASettings); }

bool Usable(const std::vector<std::u16string_view>& ASections, size_t AIndex) {
  return AIndex < ASections.size() && !ASections[AIndex].empty();
}

template <class V>
String FormatValue(std::u16string_view AFormat, V AValue, int APrecision, const TFormatSettings& ASettings) {
  if constexpr (std::is_same_v<V, double>)
    if (!std::isfinite(AValue)) return PlainText(AValue, ASettings);
  if (AFormat.empty()) return PlainText(AValue, ASettings);
  const auto sections = SplitSections(AFormat);
  size_t index = IsZero(AValue) ? 2 : IsNegative(AValue) ? 1 : 0;
  if (!Usable(sections, index)) index = 0;
  Layout layout = Analyze(sections[index]);
  Digits digits = RoundFor(AValue, layout, APrecision);
  if (!layout.Scientific && static_cast<int>(digits.Int.size()) > 18) return PlainText(AValue, ASettings);
  if (digits.Zero && index != 2 && Usable(sections, 2)) {
    index = 2;
    layout = Analyze(sections[index]);
    digits = RoundFor(AValue, layout, APrecision);
  }
  String text = Emitter(layout, digits, ASettings).Run(sections[index]);
  // The negative section carries its own sign; the positive one gets a minus.
  if (index == 0 && digits.Negative && !digits.Zero) text.insert(0, 1, u'-');
  return text;
}

}  // namespace

String FormatFloat(std::u16string_view AFormat, double AValue, const TFormatSettings& ASettings) {
  return FormatValue(AFormat, AValue, kFloatPrecision, ASettings);
}

String FormatFloat(std::u16string_view AFormat, double AValue) {
  return FormatFloat(AFormat, AValue, FormatSettings());
}

String FormatCurr(std::u16string_view AFormat, Currency AValue, const TFormatSettings& ASettings) {
  return FormatValue(AFormat, AValue, kCurrencyPrecision, ASettings);
}

String FormatCurr(std::u16string_view AFormat, Currency AValue) { return FormatCurr(AFormat, AValue, FormatSettings()); }
