// Tokens and scanner of the VB dialect. The language is line-oriented: line ends are tokens, a
// trailing "_" joins two lines, and there are date literals, bracketed identifiers and
// "&"-prefixed hexadecimal numbers.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "engine/compiler/QelSctCompScanner.h"

// Raises EQelVbCompiler with a 1-based source position.
[[noreturn]] void QelVbRaiseError(const std::u16string& AMessage, int ASourcePos);

// Blanks separate tokens; line ends are no blanks, characters above 255 are.
inline bool QelVbIsBlank(char16_t c) { return (c >= 1 && c <= 32 && c != 13 && c != 10) || c > 255; }

// The token names are the dialect's own and would collide with Pascal's: they live in the
// dialect's namespace.
namespace qel_vb {

enum TQelVbToken : uint8_t {
  ptIdentifier, ptCString, ptCInteger, ptCFloat, ptCDate,
  ptImp, ptEqv, ptXor, ptOr, ptAnd, ptNot, ptTypeOf, ptIs,
  ptGreater, ptGreaterEqual, ptLess, ptLessEqual, ptEqual, ptAssignment, ptNotEqual,
  ptStrConcat, ptPlus, ptMinus, ptMultiply, ptDivide, ptIntDivide, ptMod, ptExp,
  ptOpenRound, ptCloseRound, ptComma, ptColon, ptDot,
  ptTrue, ptFalse, ptNothing, ptEmpty, ptNull,
  ptDim, ptSet, ptRedim, ptPreserve, ptFor, ptTo, ptStep, ptNext, ptIf, ptThen, ptElse, ptElseIf,
  ptEnd, ptDo, ptLoop, ptWhile, ptUntil, ptFunction, ptSub, ptByRef, ptByVal, ptErase, ptCall,
  prSelect, ptCase, ptExit, ptTry, ptCatch, ptAs, ptFinally, ptThrow, ptReturn, ptNew,
  ptComment, ptHiddenEOl, ptEOl, ptEOf
};
inline constexpr int QelVbTokenCount = 75;
static_assert(ptEOf == QelVbTokenCount - 1);

struct TQelVbTokenDescription {
  const char16_t* S;
  bool IsKeyword;
};
extern const TQelVbTokenDescription TQelVbTokenDescriptions[QelVbTokenCount];

// A set of tokens: one bit per ordinal (96 bits).
class TQelVbTokenSet {
 public:
  constexpr TQelVbTokenSet() = default;
  constexpr TQelVbTokenSet(std::initializer_list<TQelVbToken> ATokens) {
    for (TQelVbToken t : ATokens) FBits[t / 32] |= Bit(t);
  }
  constexpr bool Contains(TQelVbToken T) const { return (FBits[T / 32] & Bit(T)) != 0; }
  constexpr TQelVbTokenSet operator+(TQelVbTokenSet A) const {
    TQelVbTokenSet r;
    for (int i = 0; i < 3; ++i) r.FBits[i] = FBits[i] | A.FBits[i];
    return r;
  }

 private:
  static constexpr uint32_t Bit(TQelVbToken T) { return uint32_t(1) << (unsigned(T) % 32); }
  uint32_t FBits[3] = {0, 0, 0};
};

class TVBScanner : public TQelScannerBase {
 public:
  explicit TVBScanner(bool ASkipComments)
      : TQelScannerBase(QelVbRaiseError), FSkipComments(ASkipComments) {}

  void Start(std::u16string_view ASource);
  void SkipToken() { NextToken(); }
  static std::u16string TokenToStr(TQelVbToken AToken);
  // Sets the cursor to a savepoint and reads the token that starts there; whether the closing
  // end of line was given out is kept.
  void Rollback(size_t ASavepoint);

  TQelVbToken FToken = ptEOf;
  double FDData = 0;  // value of a date literal
  bool FLastEOlSkipped = false;

 private:
  void NextToken();
  void ScanToken();
  void ScanIdentifier();
  void ScanBracketIdentifier();
  void ScanNumber();
  void ScanString();
  void ScanComment();
  void ScanContinuation();
  void ScanDate();

  bool FSkipComments;
};

}  // namespace qel_vb
