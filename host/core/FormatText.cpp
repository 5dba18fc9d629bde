// Format: the class library's "%" directives over an array of TVarRec.
#include <algorithm>
#include <cstdint>

#include "host/core/SysUtils.h"
#include "platform/ole/OleVariant.h"

namespace {

// Widths and precisions beyond a million characters are clamped, so a script's
// "%999999999d" cannot make the host allocate gigabytes.
constexpr int64_t kMaxNumber = 1 << 20;

// One directive: "%" [index ":"] ["-"] [width] ["." precision] type.
struct Directive {
  bool Left = false;
  int Width = -1;
  int Precision = -1;
  char16_t Type = 0;  // upper case
};

String Digits(uint64_t AValue, unsigned ABase, int AMinDigits) {
  static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
  String reversed;
  do {
    reversed += kDigits[AValue % ABase];
    AValue /= ABase;
  } while (AValue);
  if (static_cast<int>(reversed.size()) < AMinDigits) reversed.append(AMinDigits - reversed.size(), u'0');
  return String(reversed.rbegin(), reversed.rend());
}

// A VARIANT argument converted to what the directive reads; false when the
// automation layer cannot convert it.
bool FromVariant(const VARIANT* AValue, char16_t AType, TVarRec& AOut) {
  VARIANT converted;
  VariantInit(&converted);
  VARTYPE target = VT_R8;
  if (AType == u'S') target = VT_BSTR;
  else if (AType == u'D' || AType == u'U' || AType == u'X') target = VT_I4;
  HRESULT hr = VariantChangeType(&converted, AValue, 0, target);
  if (FAILED(hr) && target == VT_I4) hr = VariantChangeType(&converted, AValue, 0, target = VT_I8);
  if (FAILED(hr)) return false;
  switch (target) {
    case VT_BSTR: AOut = TVarRec(String(OleBstrView(converted.bstrVal))); break;
    case VT_I4: AOut = TVarRec(static_cast<int>(converted.lVal)); break;
    case VT_I8: AOut = TVarRec(static_cast<long long>(converted.llVal)); break;
    default: AOut = TVarRec(converted.dblVal); break;
  }
  VariantClear(&converted);
  return true;
}

class Formatter {
 public:
  Formatter(std::u16string_view AFormat, const TVarRec* AArgs, size_t ACount, const TFormatSettings& ASettings)
      : FFormat(AFormat), FArgs(AArgs), FCount(ACount), FSettings(ASettings) {}

  String Run() {
    String out;
    for (size_t i = 0; i < FFormat.size(); ++i) {
      if (FFormat[i] != u'%') {
        out += FFormat[i];
      } else if (i + 1 < FFormat.size() && FFormat[i + 1] == u'%') {
        out += u'%';
        ++i;
      } else {
        Directive directive;
        i = Parse(i + 1, directive);
        out += Pad(Convert(directive), directive);
      }
    }
    return out;
  }

 private:
  [[noreturn]] void Invalid() const {
    throw ExceptionPtr(
        new EConvertError(Exception::FormatMessage(u"Format '%s' invalid or incompatible with argument", {FFormat})));
  }
  [[noreturn]] void NoArgument() const {
    throw ExceptionPtr(new EConvertError(Exception::FormatMessage(u"No argument for format '%s'", {FFormat})));
  }

  const TVarRec& NextArg() {
    if (FNext >= FCount) NoArgument();
    return FArgs[FNext++];
  }

  static constexpr int kAbsent = INT32_MIN;

  // Digits or "*" (the next argument, an integer); kAbsent when neither is there.
  int Number(size_t& i) {
    if (i < FFormat.size() && FFormat[i] == u'*') {
      ++i;
      // A script passes every argument as a variant; "*" reads it as an integer.
      TVarRec arg = NextArg();
      if (arg.VType() == vtVariant && !FromVariant(static_cast<const VARIANT*>(arg.AsPointer()), u'D', arg))
        Invalid();
      if (arg.VType() != vtInteger && arg.VType() != vtInt64) Invalid();
      return static_cast<int>(std::clamp<int64_t>(arg.AsInt(), -kMaxNumber, kMaxNumber));
    }
    if (i >= FFormat.size() || FFormat[i] < u'0' || FFormat[i] > u'9') return kAbsent;
    int64_t value = 0;
    for (; i < FFormat.size() && FFormat[i] >= u'0' && FFormat[i] <= u'9'; ++i)
      value = std::min<int64_t>(value * 10 + (FFormat[i] - u'0'), kMaxNumber);
    return static_cast<int>(value);
  }

  // Reads the directive after "%" and returns the index of its type letter.
  size_t Parse(size_t i, Directive& ADirective) {
    int first = Number(i);
    if (first != kAbsent && i < FFormat.size() && FFormat[i] == u':') {
      if (first < 0) Invalid();
      FNext = static_cast<size_t>(first);
      ++i;
      first = kAbsent;
    }
    if (first == kAbsent) {
      if (i < FFormat.size() && FFormat[i] == u'-') {
        ADirective.Left = true;
        ++i;
      }
      first = Number(i);
    }
    // A width taken from "*" may be negative: left alignment, as in C.
    if (first != kAbsent && first < 0) {
      ADirective.Left = true;
      first = -first;
    }
    ADirective.Width = first == kAbsent ? -1 : first;
    if (i < FFormat.size() && FFormat[i] == u'.') {
      ++i;
      const int precision = Number(i);
      // "." alone is precision 0; a negative one from "*" is as if omitted.
      ADirective.Precision = precision == kAbsent ? 0 : precision < 0 ? -1 : precision;
    }
    if (i >= FFormat.size()) Invalid();
    char16_t type = FFormat[i];
    if (type >= u'a' && type <= u'z') type -= 32;
    ADirective.Type = type;
    return i;
  }

  String Pad(String AText, const Directive& ADirective) const {
    if (ADirective.Width > static_cast<int>(AText.size())) {
      const size_t fill = ADirective.Width - AText.size();
      if (ADirective.Left) AText.append(fill, u' ');
      else AText.insert(0, fill, u' ');
    }
    return AText;
  }

  String Convert(const Directive& ADirective) {
    const char16_t type = ADirective.Type;
    if (std::u16string_view(u"DUXEFGNMPS").find(type) == std::u16string_view::npos) Invalid();
    TVarRec arg = NextArg();
    if (arg.VType() == vtVariant && !FromVariant(static_cast<const VARIANT*>(arg.AsPointer()), type, arg)) Invalid();
    switch (type) {
      case u'D': case u'U': case u'X': return IntegerText(ADirective, arg);
      case u'S': return StringText(ADirective, arg);
      case u'P': return PointerText(arg);
      default: return RealText(ADirective, arg);
    }
  }

  String IntegerText(const Directive& ADirective, const TVarRec& AArg) const {
    if (AArg.VType() != vtInteger && AArg.VType() != vtInt64) Invalid();
    const int64_t value = AArg.AsInt();
    // A 32-bit argument reads as 32 bits for the unsigned and hexadecimal forms.
    const uint64_t bits = AArg.VType() == vtInteger ? uint64_t(uint32_t(value)) : uint64_t(value);
    const int minDigits = ADirective.Precision;
    if (ADirective.Type == u'X') return Digits(bits, 16, minDigits);
    if (ADirective.Type == u'U') return Digits(bits, 10, minDigits);
    const uint64_t magnitude = value < 0 ? 0 - uint64_t(value) : uint64_t(value);
    return (value < 0 ? u"-" : u"") + Digits(magnitude, 10, minDigits);
  }

  String StringText(const Directive& ADirective, const TVarRec& AArg) const {
    String text;
    switch (AArg.VType()) {
      case vtString: text = AArg.AsString(); break;
      case vtChar: text = String(1, static_cast<char16_t>(AArg.AsInt())); break;
      case vtBoolean: text = BoolToStr(AArg.AsInt() != 0, true); break;
      default: Invalid();
    }
    if (ADirective.Precision >= 0 && ADirective.Precision < static_cast<int>(text.size()))
      text.resize(ADirective.Precision);
    return text;
  }

  String PointerText(const TVarRec& AArg) const {
    if (AArg.VType() != vtPointer) Invalid();
    return Digits(reinterpret_cast<uintptr_t>(AArg.AsPointer()), 16, sizeof(void*) * 2);
  }

  String RealText(const Directive& ADirective, const TVarRec& AArg) const {
    if (AArg.VType() != vtExtended && AArg.VType() != vtCurrency) Invalid();
    const int precision = ADirective.Precision;
    TFloatFormat format = ffFixed;
    int defaultDigits = 2;
    switch (ADirective.Type) {
      case u'E': format = ffExponent; break;
      case u'G': format = ffGeneral; break;
      case u'N': format = ffNumber; break;
      case u'M': format = ffCurrency; defaultDigits = FSettings.CurrencyDecimals; break;
      default: break;
    }
    if (format == ffExponent || format == ffGeneral) {
      const double value = AArg.VType() == vtCurrency ? Currency::FromUnits(AArg.AsInt()).ToDouble() : AArg.AsFloat();
      // "%e" pads the exponent to three digits (1.0E+020); "%g" writes it as it is (1E20).
      const int expDigits = format == ffExponent ? 3 : 0;
      return FloatToStrF(value, format, precision < 0 ? 15 : precision, expDigits, FSettings);
    }
    const int digits = precision < 0 ? defaultDigits : precision;
    if (AArg.VType() == vtCurrency) return CurrToStrF(Currency::FromUnits(AArg.AsInt()), format, digits, FSettings);
    return FloatToStrF(AArg.AsFloat(), format, 18, digits, FSettings);
  }

  std::u16string_view FFormat;
  const TVarRec* FArgs;
  size_t FCount;
  const TFormatSettings& FSettings;
  size_t FNext = 0;
};

}  // namespace

String Format(std::u16string_view AFormat, const TVarRec* AArgs, size_t ACount, const TFormatSettings& ASettings) {
  return Formatter(AFormat, AArgs, ACount, ASettings).Run();
}

String Format(std::u16string_view AFormat, const TVarRec* AArgs, size_t ACount) {
  return Format(AFormat, AArgs, ACount, FormatSettings());
}

String Format(std::u16string_view AFormat, std::initializer_list<TVarRec> AArgs, const TFormatSettings& ASettings) {
  return Format(AFormat, AArgs.begin(), AArgs.size(), ASettings);
}

String Format(std::u16string_view AFormat, std::initializer_list<TVarRec> AArgs) {
  return Format(AFormat, AArgs.begin(), AArgs.size(), FormatSettings());
}
