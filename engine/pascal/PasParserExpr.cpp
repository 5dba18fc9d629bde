// Expression grammar: three binary levels, unary factors, designators and constructors.
#include <algorithm>
#include <span>

#include "engine/pascal/PasParserSets.h"

namespace {

struct TOperatorEntry {
  TQelPasToken Token;
  TQelInstrCode Op;
};

constexpr TOperatorEntry Level1[] = {
    {ptEqual, icEqual}, {ptGreater, icGreater}, {ptGreaterEqual, icGreaterEqual},
    {ptIn, icIn}, {ptIs, icIs}, {ptLess, icLess}, {ptLessEqual, icLessEqual},
    {ptNotEqual, icNotEqual}};
constexpr TOperatorEntry Level2[] = {
    {ptMinus, icMinus}, {ptOr, icOr}, {ptPlus, icPlus}, {ptXor, icXor}};
constexpr TOperatorEntry Level3[] = {
    {ptAnd, icAnd}, {ptDiv, icIntDiv}, {ptDivide, icDivide}, {ptMod, icMod},
    {ptMultiply, icMultiply}, {ptShl, icShl}, {ptShr, icShr}};

// The binary levels, loosest first: each level's operands are terms of the next one.
const std::span<const TOperatorEntry> Levels[] = {Level1, Level2, Level3};
constexpr int LevelCount = 3;

const TOperatorEntry* FindOperator(std::span<const TOperatorEntry> ATable, TQelPasToken AToken) {
  for (const TOperatorEntry& e : ATable)
    if (e.Token == AToken) return &e;
  return nullptr;
}

std::unique_ptr<TQelLiteral> NewLiteral(int APos) {
  auto literal = std::make_unique<TQelLiteral>();
  literal->FSourcePos = APos;
  return literal;
}

}  // namespace

TQelExprPtr TQelPasParser::MakeBinary(TQelExprPtr ALeft, TQelInstrCode AOp, TQelExprPtr ARight) {
  return QelMakeBinary(std::move(ALeft), AOp, std::move(ARight), FLastSkippedPos, QelPasRaiseError);
}

TQelExprPtr TQelPasParser::ParseExpression() {
  TQelPasDepthGuard guard(FDepth, FScanner.FTokenEndPos);
  return ParseLevel(0);
}

TQelExprPtr TQelPasParser::ParseLevel(int ALevel) {
  auto operand = [&] { return ALevel + 1 < LevelCount ? ParseLevel(ALevel + 1) : ParseFactor(); };
  TQelExprPtr left = operand();
  while (const TOperatorEntry* e = FindOperator(Levels[ALevel], Token())) {
    Consume();
    left = MakeBinary(std::move(left), e->Op, operand());
  }
  return left;
}

TQelExprPtr TQelPasParser::ParseFactor() {
  Check(QelPasExpressionStart);
  TQelPasDepthGuard guard(FDepth, FScanner.FTokenEndPos);
  switch (Token()) {
    case ptCInteger: {
      Consume();
      auto literal = NewLiteral(FLastSkippedPos);
      literal->FValue.vt = VT_I4;
      literal->FValue.lVal = FScanner.FIData;
      return literal;
    }
    case ptCFloat: {
      Consume();
      auto literal = NewLiteral(FLastSkippedPos);
      literal->FValue.vt = VT_R8;
      literal->FValue.dblVal = double(FScanner.FFData);
      return literal;
    }
    case ptCString: {
      auto literal = NewLiteral(FScanner.FTokenEndPos);
      literal->FValue.vt = VT_BSTR;
      literal->FValue.bstrVal =
          SysAllocStringLen(FScanner.FSData.data(), UINT(FScanner.FSData.size()));
      Consume();
      return literal;
    }
    case ptNil: {
      Consume();
      auto literal = NewLiteral(FLastSkippedPos);
      literal->FValue.vt = VT_DISPATCH;
      literal->FValue.pdispVal = nullptr;
      return literal;
    }
    case ptOpenRound: {
      Consume();
      TQelExprPtr inner = ParseExpression();
      Expect({ptCloseRound});
      inner->FSourcePos = FLastSkippedPos;
      return inner;
    }
    case ptNot:
    case ptMinus:
    case ptPlus: {
      const TQelUnaryOp op = Token() == ptNot ? uopNot : Token() == ptMinus ? uopMinus : uopPlus;
      Consume();
      auto node = std::make_unique<TQelUnaryExpr>();
      node->FOperator = op;
      node->FExpr = ParseFactor();
      node->FTreeDepth = node->FExpr->FTreeDepth + 1;
      node->FSourcePos = FLastSkippedPos;
      return node;
    }
    case ptOpenBlock: return ParseSet();
    case ptArray: return ParseArray();
    case ptReference: return ParseEventMake();
    default: return ParseDesignator();
  }
}

std::unique_ptr<TQelDesignatorExpr> TQelPasParser::ParseDesignator() {
  auto designator = std::make_unique<TQelDesignatorExpr>();
  auto first = std::make_unique<TQelDesignatorItem>();
  first->FName = Name(first->FStrName);
  first->FSourcePos = FLastSkippedPos;
  designator->FItems.push_back(std::move(first));
  for (;;) {
    const TQelPasToken t = Token();
    if (t == ptOpenBlock || t == ptOpenRound) {
      TQelDesignatorItem* item = designator->FItems.back().get();
      if (item->FBracketType != bkNon) {
        designator->FItems.push_back(std::make_unique<TQelDesignatorItem>());
        item = designator->FItems.back().get();
      }
      ParseBracketArgs(*item);
    } else if (t == ptPeriod) {
      Consume();
      auto item = std::make_unique<TQelDesignatorItem>();
      item->FName = Name(item->FStrName);
      item->FSourcePos = FLastSkippedPos;
      designator->FItems.push_back(std::move(item));
    } else {
      break;
    }
  }
  designator->FSourcePos = FLastSkippedPos;
  return designator;
}

void TQelPasParser::ParseBracketArgs(TQelDesignatorItem& AItem) {
  const bool block = Token() == ptOpenBlock;
  const TQelPasToken close = block ? ptCloseBlock : ptCloseRound;
  AItem.FBracketType = block ? bkBlock : bkRound;
  Consume();
  if (block || Token() != ptCloseRound) {
    for (;;) {
      AItem.FArgs.push_back(ParseExpression());
      if (Token() != ptComma) break;
      Consume();
    }
  }
  Expect({close});
  AItem.FSourcePos = FLastSkippedPos;
}

TQelRangeElement TQelPasParser::ParseRange(bool ARequireBoth) {
  TQelRangeElement element;
  element.FLeftExpr = ParseExpression();
  if (Token() == ptDoublePeriod) {
    Consume();
    element.FRightExpr = ParseExpression();
  } else if (ARequireBoth) {
    // A single bound N stands for 0..N.
    auto zero = NewLiteral(element.FLeftExpr->FSourcePos);
    zero->FValue.vt = VT_I4;
    zero->FValue.lVal = 0;
    element.FRightExpr = std::move(element.FLeftExpr);
    element.FLeftExpr = std::move(zero);
  }
  element.FSourcePos = FLastSkippedPos;
  return element;
}

TQelExprPtr TQelPasParser::ParseSet() {
  Expect({ptOpenBlock});
  auto set = std::make_unique<TQelPasSetExpr>();
  if (Token() != ptCloseBlock) {
    for (;;) {
      set->FSetElements.push_back(ParseRange(false));
      if (Token() != ptComma) break;
      Consume();
    }
  }
  Expect({ptCloseBlock});
  set->FSourcePos = FLastSkippedPos;
  return set;
}

TQelExprPtr TQelPasParser::ParseArray() {
  Expect({ptArray});
  auto array = std::make_unique<TQelArrayExpr>();
  Expect({ptOpenBlock});
  for (;;) {
    array->FArrayDims.push_back(ParseRange(true));
    if (Token() != ptComma) break;
    Consume();
  }
  Expect({ptCloseBlock});
  if (Token() == ptOf) {
    Consume();
    std::u16string text;
    Name(text);
    if (!QelFindElemType(text, array->FElemVarType))
      QelPasRaiseError(u"Type identifier expected", FLastSkippedPos);
  }
  array->FSourcePos = FLastSkippedPos;
  return array;
}

TQelExprPtr TQelPasParser::ParseEventMake() {
  Expect({ptReference});
  auto maker = std::make_unique<TQelEventMakeExpr>();
  maker->FProcName = Name(maker->FStrProcName);
  maker->FSourcePos = FLastSkippedPos;
  return maker;
}
