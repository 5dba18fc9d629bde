// Token sets and helpers shared by the parser's units (internal to engine/pascal).
#pragma once

#include "engine/pascal/QelSctPasCompiler.h"

inline constexpr TQelPasTokenSet QelPasStatementStart{
    ptIdentifier, ptBegin, ptCase, ptElse, ptEnd, ptFor, ptIf, ptRaise, ptRepeat, ptTry,
    ptUntil, ptWhile, ptSemiColon};

inline constexpr TQelPasTokenSet QelPasExpressionStart{
    ptIdentifier, ptCString, ptCInteger, ptCFloat, ptArray, ptNil, ptMinus, ptNot, ptPlus,
    ptOpenBlock, ptOpenRound, ptReference};

// Counts one level of recursive descent; refuses nesting beyond QelPasMaxNesting.
class TQelPasDepthGuard {
 public:
  TQelPasDepthGuard(int& ADepth, int AErrorPos) : FDepth(ADepth) {
    if (++FDepth > QelPasMaxNesting) {
      --FDepth;
      QelPasRaiseError(SQelPasTooDeep, AErrorPos);
    }
  }
  ~TQelPasDepthGuard() { --FDepth; }
  TQelPasDepthGuard(const TQelPasDepthGuard&) = delete;
  TQelPasDepthGuard& operator=(const TQelPasDepthGuard&) = delete;

 private:
  int& FDepth;
};
