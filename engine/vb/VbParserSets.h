// Token sets and helpers shared by the parser's units (internal to engine/vb).
#pragma once

#include "engine/vb/QelSctVbCompiler.h"

using namespace qel_vb;

inline constexpr TQelVbTokenSet QelVbStatementStart{
    ptIdentifier, ptDim, ptSet, ptRedim, ptFor, ptIf, ptDo, ptErase, ptCall, prSelect, ptExit,
    ptTry, ptThrow, ptReturn};

inline constexpr TQelVbTokenSet QelVbExpressionStart{
    ptIdentifier, ptCString, ptCInteger, ptCFloat, ptCDate, ptNot, ptTypeOf, ptPlus, ptMinus,
    ptOpenRound, ptTrue, ptFalse, ptNothing, ptEmpty, ptNull, ptNew};

// Counts one level of recursive descent; refuses nesting beyond QelMaxNesting.
class TQelVbDepthGuard : public TQelDepthGuard {
 public:
  TQelVbDepthGuard(int& ADepth, int AErrorPos) : TQelDepthGuard(ADepth, AErrorPos, QelVbRaiseError) {}
};

// Raises a counter for the lifetime of a rule.
class TQelCountScope {
 public:
  explicit TQelCountScope(int& ACount) : FCount(ACount) { ++FCount; }
  ~TQelCountScope() { --FCount; }
  TQelCountScope(const TQelCountScope&) = delete;
  TQelCountScope& operator=(const TQelCountScope&) = delete;

 private:
  int& FCount;
};

