// The class library's ASCII string routines and integer conversions.
#include <cerrno>
#include <cstring>
#include <limits>

#include "host/core/SysUtils.h"

namespace {

char16_t AsciiUpper(char16_t C) { return C >= u'a' && C <= u'z' ? C - 32 : C; }
char16_t AsciiLower(char16_t C) { return C >= u'A' && C <= u'Z' ? C + 32 : C; }

template <char16_t (*Map)(char16_t)>
String MapAscii(std::u16string_view S) {
  String result(S);
  for (char16_t& c : result) c = Map(c);
  return result;
}

template <char16_t (*Map)(char16_t)>
int CompareMapped(std::u16string_view S1, std::u16string_view S2) {
  const size_t n = std::min(S1.size(), S2.size());
  for (size_t i = 0; i < n; ++i) {
    const char16_t a = Map(S1[i]);
    const char16_t b = Map(S2[i]);
    if (a != b) return a < b ? -1 : 1;
  }
  return S1.size() == S2.size() ? 0 : S1.size() < S2.size() ? -1 : 1;
}

char16_t Identity(char16_t C) { return C; }

bool IsBlank(char16_t C) { return C <= u' '; }

}  // namespace

String UpperCase(std::u16string_view S) { return MapAscii<AsciiUpper>(S); }
String LowerCase(std::u16string_view S) { return MapAscii<AsciiLower>(S); }
int CompareStr(std::u16string_view S1, std::u16string_view S2) { return CompareMapped<Identity>(S1, S2); }
// The class library compares the upper-cased texts.
int CompareText(std::u16string_view S1, std::u16string_view S2) { return CompareMapped<AsciiUpper>(S1, S2); }
bool SameStr(std::u16string_view S1, std::u16string_view S2) { return S1 == S2; }
bool SameText(std::u16string_view S1, std::u16string_view S2) {
  return S1.size() == S2.size() && CompareText(S1, S2) == 0;
}

String TrimLeft(std::u16string_view S) {
  size_t first = 0;
  while (first < S.size() && IsBlank(S[first])) ++first;
  return String(S.substr(first));
}

String TrimRight(std::u16string_view S) {
  size_t last = S.size();
  while (last > 0 && IsBlank(S[last - 1])) --last;
  return String(S.substr(0, last));
}

String Trim(std::u16string_view S) { return TrimLeft(TrimRight(S)); }

String IntToStr(int64_t AValue) {
  char16_t buffer[24];
  char16_t* end = buffer + 24;
  char16_t* p = end;
  // Negate in unsigned arithmetic so the minimum value works.
  uint64_t magnitude = AValue < 0 ? 0 - static_cast<uint64_t>(AValue) : static_cast<uint64_t>(AValue);
  do {
    *--p = static_cast<char16_t>(u'0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude);
  if (AValue < 0) *--p = u'-';
  return String(p, end);
}

String IntToHex(int64_t AValue, int ADigits) {
  static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
  String result;
  auto bits = static_cast<uint64_t>(AValue);
  do {
    result.insert(result.begin(), kDigits[bits & 15]);
    bits >>= 4;
  } while (bits);
  if (static_cast<int>(result.size()) < ADigits) result.insert(0, ADigits - result.size(), u'0');
  return result;
}

bool TryStrToInt64(std::u16string_view S, int64_t& AValue) {
  // Leading blanks are skipped; trailing ones are not a number's part, so "17 " is refused.
  size_t i = 0;
  while (i < S.size() && S[i] == u' ') ++i;
  const size_t end = S.size();
  bool negative = false;
  if (i < end && (S[i] == u'-' || S[i] == u'+')) negative = S[i++] == u'-';
  unsigned base = 10;
  if (i < end && S[i] == u'$') {
    base = 16;
    ++i;
  } else if (i + 1 < end && S[i] == u'0' && (S[i + 1] == u'x' || S[i + 1] == u'X')) {
    base = 16;
    i += 2;
  }
  if (i == end) return false;
  // Decimal is limited to the signed range; hexadecimal may use all 64 bits.
  const uint64_t limit = base == 16 ? std::numeric_limits<uint64_t>::max()
                                    : uint64_t(std::numeric_limits<int64_t>::max()) + (negative ? 1 : 0);
  uint64_t value = 0;
  for (; i < end; ++i) {
    const char16_t c = S[i];
    unsigned digit;
    if (c >= u'0' && c <= u'9') digit = c - u'0';
    else if (base == 16 && c >= u'a' && c <= u'f') digit = c - u'a' + 10;
    else if (base == 16 && c >= u'A' && c <= u'F') digit = c - u'A' + 10;
    else return false;
    if (value > (limit - digit) / base) return false;
    value = value * base + digit;
  }
  AValue = negative ? static_cast<int64_t>(0 - value) : static_cast<int64_t>(value);
  return true;
}

bool TryStrToInt(std::u16string_view S, int& AValue) {
  int64_t wide;
  if (!TryStrToInt64(S, wide)) return false;
  // "$FFFFFFFF" is -1 as the class library reads 32-bit hexadecimal.
  const bool hex = S.find(u'$') != S.npos || S.find(u'x') != S.npos || S.find(u'X') != S.npos;
  if (hex && wide >= 0 && wide <= 0xFFFFFFFFLL) {
    AValue = static_cast<int32_t>(static_cast<uint32_t>(wide));
    return true;
  }
  if (wide < std::numeric_limits<int>::min() || wide > std::numeric_limits<int>::max()) return false;
  AValue = static_cast<int>(wide);
  return true;
}

namespace {

template <class T, bool (*TryParse)(std::u16string_view, T&)>
T ParseInteger(std::u16string_view S) {
  T value;
  if (!TryParse(S, value))
    throw ExceptionPtr(new EConvertError(Exception::FormatMessage(u"'%s' is not a valid integer value", {S})));
  return value;
}

template <class T, bool (*TryParse)(std::u16string_view, T&)>
T ParseIntegerDef(std::u16string_view S, T ADefault) {
  T value;
  return TryParse(S, value) ? value : ADefault;
}

}  // namespace

int StrToInt(std::u16string_view S) { return ParseInteger<int, TryStrToInt>(S); }
int StrToIntDef(std::u16string_view S, int ADefault) { return ParseIntegerDef<int, TryStrToInt>(S, ADefault); }
int64_t StrToInt64(std::u16string_view S) { return ParseInteger<int64_t, TryStrToInt64>(S); }
int64_t StrToInt64Def(std::u16string_view S, int64_t ADefault) {
  return ParseIntegerDef<int64_t, TryStrToInt64>(S, ADefault);
}

bool IsValidIdent(std::u16string_view AIdent) {
  auto alpha = [](char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'_'; };
  if (AIdent.empty() || !alpha(AIdent[0])) return false;
  for (char16_t c : AIdent)
    if (!alpha(c) && !(c >= u'0' && c <= u'9')) return false;
  return true;
}

String SysErrorMessage(int AErrorCode) {
  char buffer[256];
  // GNU strerror_r returns the text, which may or may not be in the buffer.
  const char* text = strerror_r(AErrorCode, buffer, sizeof buffer);
  return Utf8ToString(text);
}
