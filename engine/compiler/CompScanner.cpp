// Scanner helpers shared by the dialects.
#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstdlib>

#include "engine/compiler/QelSctCompScanner.h"

bool QelSameAsciiText(std::u16string_view A, std::u16string_view B) {
  return A.size() == B.size() &&
         std::equal(A.begin(), A.end(), B.begin(),
                    [](char16_t x, char16_t y) { return QelLowerAscii(x) == QelLowerAscii(y); });
}

namespace {

struct TElemType {
  const char16_t* Name;
  VARTYPE VarType;
};

constexpr TElemType ElemTypes[] = {
    {u"SmallInt", VT_I2}, {u"Integer", VT_I4}, {u"Single", VT_R4}, {u"Double", VT_R8},
    {u"Currency", VT_CY}, {u"String", VT_BSTR}, {u"Object", VT_DISPATCH}, {u"Error", VT_ERROR},
    {u"Boolean", VT_BOOL}, {u"Variant", VT_VARIANT}, {u"ShortInt", VT_I1}, {u"Byte", VT_UI1},
    {u"Word", VT_UI2}, {u"LongWord", VT_UI4}, {u"Int64", VT_I8}, {u"UInt64", VT_UI8}};

}  // namespace

bool QelFindElemType(std::u16string_view AName, VARTYPE& AType) {
  for (const TElemType& t : ElemTypes)
    if (QelSameAsciiText(t.Name, AName)) {
      AType = t.VarType;
      return true;
    }
  return false;
}

void TQelScannerBase::StartText(std::u16string_view ASource) {
  FStrSource.assign(ASource);
  FSource = FStrSource.c_str();
  FCurChar = FSource;
}

void TQelScannerBase::Error(const std::u16string& AMessage, int APos) const {
  FRaise(AMessage, APos);
  std::abort();  // the raiser never returns
}

void TQelScannerBase::IllegalChar(char16_t AChar) const {
  char hex[8];
  std::snprintf(hex, sizeof hex, "%X", unsigned(AChar));
  std::u16string msg = u"Illegal character: '";
  msg += AChar;
  msg += u"' ($";
  for (const char* p = hex; *p; ++p) msg += char16_t(*p);
  msg += u")";
  Error(msg, CurPos());
}

void TQelScannerBase::ScanHexDigits() {
  uint64_t value = 0;
  bool any = false;
  for (; QelIsHexDigit(*FCurChar); ++FCurChar) {
    const char16_t h = QelLowerAscii(*FCurChar);
    value = value * 16 + unsigned(QelIsDigit(h) ? h - u'0' : h - u'a' + 10);
    if (value > 0xFFFFFFFFu) {  // keep consuming so that the error names the number's end
      while (QelIsHexDigit(FCurChar[1])) ++FCurChar;
      ++FCurChar;
      Error(SIntError, CurPos() - 1);
    }
    any = true;
  }
  if (!any) Error(SIntError, CurPos() - 1);
  FIData = int32_t(uint32_t(value));
}

void TQelScannerBase::ConvertDecimal(const char16_t* AStart, bool AIsFloat) {
  // The text is ASCII here; a narrow copy lets the locale-independent converters read it.
  std::string text(size_t(FCurChar - AStart), '\0');
  for (size_t i = 0; i < text.size(); ++i) text[i] = char(AStart[i]);
  const char* first = text.data();
  const char* last = first + text.size();
  if (AIsFloat) {
    double d = 0;
    auto [ptr, ec] = std::from_chars(first, last, d);
    if (ec != std::errc() || ptr != last) Error(SFloatError, CurPos() - 1);
    FFData = d;
    return;
  }
  int32_t v = 0;
  auto [ptr, ec] = std::from_chars(first, last, v);
  if (ec != std::errc() || ptr != last) Error(SIntError, CurPos() - 1);
  FIData = v;
}
