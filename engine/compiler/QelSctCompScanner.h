// What the dialects' scanners share: a private copy of the source with a cursor, 1-based
// positions, savepoints for lookahead, the character classes, number conversion and the
// positioned scanner errors. The tokens and their rules stay with each dialect.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/compiler/QelSctCompiler.h"

inline bool QelIsAsciiLetter(char16_t c) {
  return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}
inline bool QelIsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
inline bool QelIsHexDigit(char16_t c) {
  return QelIsDigit(c) || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f');
}
inline bool QelIsIdentChar(char16_t c) { return QelIsAsciiLetter(c) || QelIsDigit(c) || c == u'_'; }
inline char16_t QelLowerAscii(char16_t c) { return (c >= u'A' && c <= u'Z') ? char16_t(c + 32) : c; }
// Equal ignoring ASCII letter case.
bool QelSameAsciiText(std::u16string_view A, std::u16string_view B);
// The element type an array declaration names (SmallInt, Integer, … UInt64), by name without
// regard to ASCII letter case; false for any other name.
bool QelFindElemType(std::u16string_view AName, VARTYPE& AType);

class TQelScannerBase {
 public:
  explicit TQelScannerBase(TQelRaiseCompileError ARaise) : FRaise(ARaise) {}

  // 1-based index of the character under the cursor.
  int CurPos() const { return int(FCurChar - FSource) + 1; }
  // A savepoint is the offset of the current token's first character.
  size_t GetSavepoint() const { return size_t(FTokenStartPos - 1); }

  int32_t FTokenStartPos = 1;
  int32_t FTokenEndPos = 1;
  std::u16string FSData;
  int32_t FIData = 0;
  long double FFData = 0;

 protected:
  void StartText(std::u16string_view ASource);
  void SetCursor(size_t AOffset) { FCurChar = FSource + AOffset; }
  void SetSData(const char16_t* AStart) { FSData.assign(AStart, size_t(FCurChar - AStart)); }
  [[noreturn]] void Error(const std::u16string& AMessage, int APos) const;
  // "Illegal character: 'c' ($HEX)" at the cursor.
  [[noreturn]] void IllegalChar(char16_t AChar) const;
  // The hexadecimal digits at the cursor as a 32-bit pattern into FIData; a value beyond 32
  // bits, or no digit at all, raises the integer error at the number's last character.
  void ScanHexDigits();
  // Converts [AStart, cursor) as a float (locale-independent, '.' separator) into FFData or as
  // a signed 32-bit decimal into FIData; a text the conversion rejects raises the dialect's
  // error at the number's last character.
  void ConvertDecimal(const char16_t* AStart, bool AIsFloat);

  static constexpr const char16_t* SIntError = u"Syntax error in integer constant";
  static constexpr const char16_t* SFloatError = u"Syntax error in float constant";

  std::u16string FStrSource;
  const char16_t* FSource = nullptr;
  const char16_t* FCurChar = nullptr;
  TQelRaiseCompileError FRaise;
};
