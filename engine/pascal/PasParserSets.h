// Token sets and helpers shared by the parser's units (internal to engine/pascal).
#pragma once

#include "engine/pascal/QelSctPasCompiler.h"

inline constexpr TQelPasTokenSet QelPasStatementStart{
    ptIdentifier, ptBegin, ptCase, ptElse, ptEnd, ptFor, ptIf, ptRaise, ptRepeat, ptTry,
    ptUntil, ptWhile, ptSemiColon};

inline constexpr TQelPasTokenSet QelPasExpressionStart{
    ptIdentifier, ptCString, ptCInteger, ptCFloat, ptArray, ptNil, ptMinus, ptNot, ptPlus,
    ptOpenBlock, ptOpenRound, ptReference};

// Counts one level of recursive descent; refuses nesting beyond QelMaxNesting.
class TQelPasDepthGuard : public TQelDepthGuard {
 public:
  TQelPasDepthGuard(int& ADepth, int AErrorPos) : TQelDepthGuard(ADepth, AErrorPos, QelPasRaiseError) {}
};

using namespace qel_pas;
