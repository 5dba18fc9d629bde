// Numbers and booleans to and from text under the regional settings.
#include <charconv>
#include <cmath>
#include <string>

#include "platform/ole/OleInternal.h"

namespace ole_detail {

namespace {

// value = digits * 10^exponent (decimal), or hexValue for "&H" / "&O" text.
struct ParsedNumber {
  bool negative = false;
  bool based = false;
  uint64_t basedValue = 0;
  std::string digits;  // no leading zeros
  int exponent = 0;
};

bool isSpace(char16_t c) {
  return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == 0xA0;
}
bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
char16_t upper(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c; }

class NumberScanner {
 public:
  NumberScanner(std::u16string_view t, const OleRegionalSettings& rs) : t_(t), rs_(rs) {}

  HRESULT scan(ParsedNumber& out) {
    affixes(out);
    if (!(based(out) || mantissa(out))) return DISP_E_TYPEMISMATCH;
    affixes(out);
    if (pos_ != t_.size() || parens_ == 1) return DISP_E_TYPEMISMATCH;
    return S_OK;
  }

 private:
  bool more() const { return pos_ < t_.size(); }
  char16_t peek() const { return more() ? t_[pos_] : 0; }
  bool take(std::u16string_view s) {
    if (s.empty() || t_.substr(pos_, s.size()) != s) return false;
    pos_ += s.size();
    return true;
  }

  // Spaces, one sign, one pair of parentheses and the currency symbol around the number.
  void affixes(ParsedNumber& out) {
    for (;;) {
      if (more() && isSpace(peek())) ++pos_;
      else if (!signSeen_ && (peek() == u'+' || peek() == u'-')) {
        signSeen_ = true;
        out.negative ^= t_[pos_++] == u'-';
      } else if (parens_ == 0 && !digitsSeen_ && peek() == u'(') {
        parens_ = 1;
        out.negative = !out.negative;
        ++pos_;
      } else if (parens_ == 1 && digitsSeen_ && peek() == u')') {
        parens_ = 2;
        ++pos_;
      } else if (!currencySeen_ && take(rs_.CurrencyString)) currencySeen_ = true;
      else return;
    }
  }

  bool based(ParsedNumber& out) {
    if (peek() != u'&' || pos_ + 1 >= t_.size()) return false;
    char16_t kind = upper(t_[pos_ + 1]);
    unsigned shift = kind == u'H' ? 4 : kind == u'O' ? 3 : 0;
    if (!shift) return false;
    pos_ += 2;
    size_t start = pos_;
    for (; more(); ++pos_) {
      char16_t c = upper(peek());
      int v = isDigit(c) ? c - u'0' : (c >= u'A' && c <= u'F') ? c - u'A' + 10 : 99;
      if (v >= (1 << shift)) break;
      if (out.basedValue >> (64 - shift)) return false;  // more than 64 bits
      out.basedValue = (out.basedValue << shift) | static_cast<unsigned>(v);
    }
    out.based = digitsSeen_ = pos_ > start;
    return out.based;
  }

  void digit(ParsedNumber& out, char16_t c, bool fraction) {
    digitsSeen_ = true;
    if (fraction) --out.exponent;
    if (c == u'0' && out.digits.empty()) return;
    out.digits += static_cast<char>(c);
  }

  bool mantissa(ParsedNumber& out) {
    for (; more(); ++pos_) {
      char16_t c = peek();
      if (isDigit(c)) digit(out, c, false);
      else if (c != rs_.ThousandSeparator || !digitsSeen_) break;
    }
    if (more() && peek() == rs_.DecimalSeparator) {
      for (++pos_; more() && isDigit(peek()); ++pos_) digit(out, peek(), true);
    }
    if (!digitsSeen_) return false;
    return exponentPart(out);
  }

  bool exponentPart(ParsedNumber& out) {
    if (upper(peek()) != u'E') return true;
    size_t save = pos_++;
    bool neg = false;
    if (peek() == u'+' || peek() == u'-') neg = t_[pos_++] == u'-';
    long e = 0;
    size_t start = pos_;
    for (; more() && isDigit(peek()); ++pos_) e = std::min(e * 10 + (peek() - u'0'), 100000L);
    if (pos_ == start) {
      pos_ = save;
      return false;
    }
    out.exponent += static_cast<int>(neg ? -e : e);
    return true;
  }

  std::u16string_view t_;
  const OleRegionalSettings& rs_;
  size_t pos_ = 0;
  int parens_ = 0;
  bool signSeen_ = false, currencySeen_ = false, digitsSeen_ = false;
};

// The value scaled by 10^scale as a whole number, ties to even.
HRESULT toScaled(const ParsedNumber& p, int scale, int128& out) {
  constexpr int kMaxDigits = 30;  // far beyond every 64-bit target, still inside 128 bits
  out = 0;
  if (p.digits.empty()) return S_OK;
  const int len = static_cast<int>(p.digits.size());
  const int point = len + p.exponent + scale;  // digits before the decimal point
  if (point > kMaxDigits) return DISP_E_OVERFLOW;
  int128 v = 0;
  for (int i = 0; i < std::min(point, len); ++i) v = v * 10 + (p.digits[i] - '0');
  for (int i = len; i < point; ++i) v *= 10;
  if (point >= 0 && point < len) {
    int first = p.digits[point] - '0';
    bool rest = p.digits.find_first_not_of('0', point + 1) != std::string::npos;
    if (first > 5 || (first == 5 && (rest || (v & 1)))) ++v;
  }
  out = p.negative ? -v : v;
  return S_OK;
}

HRESULT toDouble(const ParsedNumber& p, double& out) {
  if (p.digits.empty()) {
    out = 0;
    return S_OK;
  }
  std::string text = p.digits + "e" + std::to_string(p.exponent);
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
  if (ec == std::errc::result_out_of_range) {
    if (p.exponent > 0) return DISP_E_OVERFLOW;
    out = 0;
  } else if (ec != std::errc()) {
    return DISP_E_TYPEMISMATCH;
  }
  if (p.negative) out = -out;
  return S_OK;
}

bool intWidth(VARTYPE vt, unsigned& bits, bool& isSigned) {
  struct Width {
    VARTYPE vt;
    unsigned bits;
    bool isSigned;
  };
  static constexpr Width kWidths[] = {
      {VT_I1, 8, true},  {VT_UI1, 8, false},  {VT_I2, 16, true},   {VT_UI2, 16, false},
      {VT_I4, 32, true}, {VT_INT, 32, true},  {VT_UI4, 32, false}, {VT_UINT, 32, false},
      {VT_I8, 64, true}, {VT_UI8, 64, false},
  };
  for (const Width& w : kWidths)
    if (w.vt == vt) return bits = w.bits, isSigned = w.isSigned, true;
  return false;
}

// "&H" text gives the bits of an integer target when they fit its width (so "&HFFFF" is -1
// as VT_I2 and 65535 as VT_I4); other targets read the bits as the narrowest signed integer
// of 16, 32 or 64 bits.
HRESULT basedToNum(const ParsedNumber& p, VARTYPE target, Num& out) {
  const uint64_t u = p.basedValue;
  unsigned bits;
  bool isSigned;
  int128 v;
  if (intWidth(target, bits, isSigned)) {
    const int128 span = static_cast<int128>(1) << bits;
    v = u;
    if (isSigned && v < span && v >= span / 2) v -= span;
  } else if (u <= 0xFFFF) {
    v = static_cast<int16_t>(u);
  } else if (u <= 0xFFFFFFFF) {
    v = static_cast<int32_t>(u);
  } else {
    v = static_cast<int64_t>(u);
  }
  out.kind = Num::Int;
  out.i = p.negative ? -v : v;
  return S_OK;
}

bool isIntegerTarget(VARTYPE vt) { return fitsKind(0, vt); }

void appendAscii(std::u16string& out, const char* b, const char* e) {
  for (; b != e; ++b) out += static_cast<char16_t>(*b);
}

bool equalsNoCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (upper(a[i]) != upper(b[i])) return false;
  return true;
}

std::u16string_view trim(std::u16string_view t) {
  while (!t.empty() && isSpace(t.front())) t.remove_prefix(1);
  while (!t.empty() && isSpace(t.back())) t.remove_suffix(1);
  return t;
}

std::u16string intToText(int128 v) {
  char buf[48];
  bool neg = v < 0;
  unsigned __int128 m =
      neg ? -static_cast<unsigned __int128>(v) : static_cast<unsigned __int128>(v);
  char* p = buf + sizeof buf;
  do {
    *--p = static_cast<char>('0' + static_cast<int>(m % 10));
    m /= 10;
  } while (m);
  if (neg) *--p = '-';
  std::u16string out;
  appendAscii(out, p, buf + sizeof buf);
  return out;
}

std::u16string cyToText(int64_t cy, const OleRegionalSettings& rs) {
  std::u16string out = intToText(cy / 10000);
  int frac = static_cast<int>(cy % 10000);
  if (frac == 0) return out;
  if (cy < 0 && cy / 10000 == 0) out.insert(out.begin(), u'-');
  frac = frac < 0 ? -frac : frac;
  char digits[5] = {char('0' + frac / 1000), char('0' + frac / 100 % 10),
                    char('0' + frac / 10 % 10), char('0' + frac % 10), 0};
  int n = 4;
  while (digits[n - 1] == '0') --n;
  out += rs.DecimalSeparator;
  appendAscii(out, digits, digits + n);
  return out;
}

}  // namespace

HRESULT textToNum(std::u16string_view text, VARTYPE target, const OleRegionalSettings& rs,
                  Num& out) {
  ParsedNumber p;
  HRESULT hr = NumberScanner(text, rs).scan(p);
  if (FAILED(hr)) return hr;
  if (p.based) return basedToNum(p, target, out);
  if (isIntegerTarget(target)) {
    out.kind = Num::Int;
    return toScaled(p, 0, out.i);
  }
  if (target == VT_CY) {
    int128 units;
    hr = toScaled(p, 4, units);
    if (FAILED(hr)) return hr;
    if (units > INT64_MAX || units < INT64_MIN) return DISP_E_OVERFLOW;
    out.kind = Num::Cy;
    out.cy = static_cast<int64_t>(units);
    return S_OK;
  }
  out.kind = Num::Real;
  return toDouble(p, out.d);
}

HRESULT textToBool(std::u16string_view text, const OleRegionalSettings& rs, VARIANT_BOOL& out) {
  static constexpr std::u16string_view kTrue[] = {u"True", u"#TRUE#"};
  static constexpr std::u16string_view kFalse[] = {u"False", u"#FALSE#"};
  std::u16string_view t = trim(text);
  for (auto s : kTrue)
    if (equalsNoCase(t, s)) return out = VARIANT_TRUE, S_OK;
  for (auto s : kFalse)
    if (equalsNoCase(t, s)) return out = VARIANT_FALSE, S_OK;
  Num n;
  HRESULT hr = textToNum(text, VT_R8, rs, n);
  if (FAILED(hr)) return hr;
  out = n.d != 0 ? VARIANT_TRUE : VARIANT_FALSE;
  return S_OK;
}

std::u16string realToText(double d, int digits, const OleRegionalSettings& rs) {
  if (d == 0) return u"0";  // also -0
  char buf[64];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, d, std::chars_format::general, digits);
  std::u16string out;
  for (char* p = buf; p != end; ++p) {
    char c = *p;
    if (c == '.') out += rs.DecimalSeparator;
    else if (c == 'e') out += u'E';
    else out += static_cast<char16_t>(c);
  }
  return out;
}

HRESULT scalarToText(const VARIANT& v, USHORT flags, const OleRegionalSettings& rs,
                     std::u16string& out) {
  switch (v.vt) {
    case VT_EMPTY: out.clear(); return S_OK;
    case VT_BOOL:
      if (flags & (VARIANT_ALPHABOOL | VARIANT_LOCALBOOL)) out = v.boolVal ? u"True" : u"False";
      else out = v.boolVal ? u"-1" : u"0";
      return S_OK;
    case VT_R4: out = realToText(v.fltVal, 7, rs); return S_OK;
    case VT_R8: out = realToText(v.dblVal, 15, rs); return S_OK;
    case VT_CY: out = cyToText(v.cyVal.int64, rs); return S_OK;
    case VT_DATE: return dateToText(v.date, rs, out);
    default:
      if (!isNumericKind(v.vt)) return DISP_E_TYPEMISMATCH;
      out = intToText(readNum(v).i);
      return S_OK;
  }
}

}  // namespace ole_detail
