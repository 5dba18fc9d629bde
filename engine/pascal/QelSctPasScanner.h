// Tokens and scanner of the Pascal dialect.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "engine/compiler/QelSctCompScanner.h"

enum TQelPasToken : uint8_t {
  ptIdentifier, ptCString, ptCInteger, ptCFloat,
  ptArray, ptBegin, ptCase, ptConst, ptDo, ptDownto, ptElse, ptEnd, ptExcept, ptFinally, ptFor,
  ptFunction, ptIf, ptNil, ptOf, ptOn, ptOut, ptProcedure, ptRaise, ptRepeat, ptThen, ptTo, ptTry,
  ptUntil, ptUses, ptVar, ptWhile,
  ptAnd, ptDiv, ptDivide, ptEqual, ptGreater, ptGreaterEqual, ptIn, ptIs, ptLess, ptLessEqual,
  ptMinus, ptMod, ptMultiply, ptNot, ptNotEqual, ptOr, ptPlus, ptShl, ptShr, ptXor,
  ptAssignment, ptCloseBlock, ptCloseRound, ptColon, ptComma, ptOpenBlock, ptOpenRound, ptPeriod,
  ptDoublePeriod, ptSemiColon, ptReference, ptComment, ptEOf
};
inline constexpr int QelPasTokenCount = 64;
static_assert(ptEOf == QelPasTokenCount - 1);

struct TQelPasTokenDescription {
  const char16_t* S;
  bool IsKeyword;
};
extern const TQelPasTokenDescription TQelPasTokenDescriptions[QelPasTokenCount];

// A set of tokens: one bit per ordinal.
class TQelPasTokenSet {
 public:
  constexpr TQelPasTokenSet() = default;
  constexpr TQelPasTokenSet(std::initializer_list<TQelPasToken> ATokens) {
    for (TQelPasToken t : ATokens) FBits |= Bit(t);
  }
  constexpr bool Contains(TQelPasToken T) const { return (FBits & Bit(T)) != 0; }
  constexpr TQelPasTokenSet operator+(TQelPasTokenSet A) const {
    TQelPasTokenSet r;
    r.FBits = FBits | A.FBits;
    return r;
  }

 private:
  static constexpr uint64_t Bit(TQelPasToken T) { return uint64_t(1) << unsigned(T); }
  uint64_t FBits = 0;
};

// Raises EQelPasCompiler with a 1-based source position (defined with the language object, so
// that the scanner itself does not depend on the machine's headers).
[[noreturn]] void QelPasRaiseError(const std::u16string& AMessage, int ASourcePos);

class TQelPasScanner : public TQelScannerBase {
 public:
  explicit TQelPasScanner(bool ASkipComments)
      : TQelScannerBase(QelPasRaiseError), FSkipComments(ASkipComments) {}

  void Start(std::u16string_view ASource);
  void SkipToken() { NextToken(); }
  static std::u16string TokenToStr(TQelPasToken AToken);
  void Rollback(size_t ASavepoint);

  TQelPasToken FToken = ptEOf;

 private:
  void NextToken();
  void ScanToken();
  void ScanIdentifier();
  void ScanNumber(bool AFloatsAllowed);
  void ScanString();
  void ScanBraceComment();
  void ScanParenComment();
  void ScanLineComment();

  bool FSkipComments;
};
