// Expression grammar: thirteen two-operand levels with the TypeOf test among them, unary
// factors, designators and New.
#include <algorithm>
#include <span>

#include "engine/vb/VbParserSets.h"

namespace {

struct TOperatorEntry {
  TQelVbToken Token;
  TQelInstrCode Op;
};

constexpr TOperatorEntry LevelImp[] = {{ptImp, icImp}};
constexpr TOperatorEntry LevelEqv[] = {{ptEqv, icEqv}};
constexpr TOperatorEntry LevelXor[] = {{ptXor, icXor}};
constexpr TOperatorEntry LevelOr[] = {{ptOr, icOr}};
constexpr TOperatorEntry LevelAnd[] = {{ptAnd, icAnd}};
constexpr TOperatorEntry LevelCompare[] = {
    {ptEqual, icEqual}, {ptNotEqual, icNotEqual}, {ptLess, icLess}, {ptLessEqual, icLessEqual},
    {ptGreater, icGreater}, {ptGreaterEqual, icGreaterEqual}, {ptIs, icRefEqual}};
constexpr TOperatorEntry LevelConcat[] = {{ptStrConcat, icStrConcat}};
constexpr TOperatorEntry LevelAdd[] = {{ptPlus, icPlus}, {ptMinus, icMinus}};
constexpr TOperatorEntry LevelMod[] = {{ptMod, icMod}};
constexpr TOperatorEntry LevelIntDiv[] = {{ptIntDivide, icIntDiv}};
constexpr TOperatorEntry LevelMult[] = {{ptMultiply, icMultiply}, {ptDivide, icDivide}};
constexpr TOperatorEntry LevelExp[] = {{ptExp, icPower}};

// The two-operand levels, loosest first; an empty entry is the TypeOf level, which parses its
// own operands.
const std::span<const TOperatorEntry> Levels[] = {
    LevelImp, LevelEqv, LevelXor, LevelOr, LevelAnd, LevelCompare, {}, LevelConcat, LevelAdd,
    LevelMod, LevelIntDiv, LevelMult, LevelExp};
constexpr int LevelCount = 13;
constexpr int TypeOfLevel = 6;
constexpr int ConcatLevel = 7;

const TOperatorEntry* FindOperator(std::span<const TOperatorEntry> ATable, TQelVbToken AToken) {
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

TQelExprPtr TQelVbParser::MakeBinary(TQelExprPtr ALeft, TQelInstrCode AOp, TQelExprPtr ARight,
                                     int APos) {
  return QelMakeBinary(std::move(ALeft), AOp, std::move(ARight), APos, QelVbRaiseError);
}

TQelExprPtr TQelVbParser::ParseExpression() {
  TQelVbDepthGuard guard(FDepth, FScanner.FTokenEndPos);
  return ParseLevel(0);
}

TQelExprPtr TQelVbParser::ParseLevel(int ALevel) {
  if (ALevel == TypeOfLevel) return ParseTypeOf();
  auto operand = [&] { return ALevel + 1 < LevelCount ? ParseLevel(ALevel + 1) : ParseFactor(); };
  TQelExprPtr left = operand();
  while (const TOperatorEntry* e = FindOperator(Levels[ALevel], Token())) {
    const int pos = FScanner.FTokenStartPos;
    Consume();
    TQelInstrCode op = e->Op;
    if (op == icRefEqual && Token() == ptNot) {  // "Is Not" is one operator
      Consume();
      op = icRefNotEqual;
    }
    left = MakeBinary(std::move(left), op, operand(), pos);
  }
  return left;
}

// TypeOf x Is y: the left operand at this level again, the class at the concatenation level.
TQelExprPtr TQelVbParser::ParseTypeOf() {
  if (Token() != ptTypeOf) return ParseLevel(ConcatLevel);
  TQelVbDepthGuard guard(FDepth, FScanner.FTokenEndPos);
  const int pos = FScanner.FTokenStartPos;
  Consume();
  TQelExprPtr object = ParseTypeOf();
  Expect({ptIs});
  return MakeBinary(std::move(object), icIs, ParseLevel(ConcatLevel), pos);
}

TQelExprPtr TQelVbParser::ParseFactor() {
  static constexpr TQelVbTokenSet FactorStart{
      ptIdentifier, ptCString, ptCInteger, ptCFloat, ptCDate, ptNot, ptPlus, ptMinus,
      ptOpenRound, ptTrue, ptFalse, ptNothing, ptEmpty, ptNull, ptNew};
  if (Token() == ptDot && WithObjectName(nullptr) >= 0) return ParseDesignator();  // .Member in With
  Check(FactorStart);
  TQelVbDepthGuard guard(FDepth, FScanner.FTokenEndPos);
  const int pos = FScanner.FTokenStartPos;
  auto literal = [&](VARTYPE AType) {
    auto node = NewLiteral(pos);
    node->FValue.vt = AType;
    return node;
  };
  switch (Token()) {
    case ptIdentifier: return ParseDesignator();
    case ptNew: return ParseNew();
    case ptCString: {
      auto node = literal(VT_BSTR);
      node->FValue.bstrVal = SysAllocStringLen(FScanner.FSData.data(), UINT(FScanner.FSData.size()));
      if (!node->FValue.bstrVal) throw ExceptionPtr(new EOutOfMemory());
      Consume();
      return node;
    }
    case ptCInteger: {
      auto node = literal(VT_I4);
      node->FValue.lVal = FScanner.FIData;
      Consume();
      return node;
    }
    case ptCFloat: {
      auto node = literal(VT_R8);
      node->FValue.dblVal = double(FScanner.FFData);
      Consume();
      return node;
    }
    case ptCDate: {
      auto node = literal(VT_DATE);
      node->FValue.date = FScanner.FDData;
      Consume();
      return node;
    }
    case ptTrue:
    case ptFalse: {
      auto node = literal(VT_BOOL);
      node->FValue.boolVal = Token() == ptTrue ? VARIANT_TRUE : VARIANT_FALSE;
      Consume();
      return node;
    }
    case ptNothing: {
      auto node = literal(VT_DISPATCH);
      node->FValue.pdispVal = nullptr;
      Consume();
      return node;
    }
    case ptEmpty:
    case ptNull: {
      auto node = literal(Token() == ptNull ? VT_NULL : VT_EMPTY);
      Consume();
      return node;
    }
    case ptNot:
    case ptPlus:
    case ptMinus: {
      const TQelUnaryOp op = Token() == ptNot ? uopNot : Token() == ptMinus ? uopMinus : uopPlus;
      Consume();
      auto node = std::make_unique<TQelUnaryExpr>();
      node->FOperator = op;
      node->FExpr = ParseFactor();
      node->FTreeDepth = node->FExpr->FTreeDepth + 1;
      node->FSourcePos = pos;
      return node;
    }
    default: {  // "(" expression ")"
      Consume();
      TQelExprPtr inner = ParseExpression();
      Expect({ptCloseRound});
      GroupParsed(inner);
      return inner;
    }
  }
}

std::unique_ptr<TQelDesignatorExpr> TQelVbParser::ParseDesignator() {
  auto designator = std::make_unique<TQelDesignatorExpr>();
  designator->FSourcePos = FScanner.FTokenStartPos;
  auto first = std::make_unique<TQelDesignatorItem>();
  if (Token() == ptDot) {  // .Member inside With: the members of the With object follow
    first->FName = WithObjectName(&first->FStrName);
    if (first->FName < 0) InvalidToken();
    first->FSourcePos = FScanner.FTokenStartPos;
  } else {
    first->FName = Name(first->FStrName);
    first->FSourcePos = FLastSkippedPos;
  }
  designator->FItems.push_back(std::move(first));
  ParseDesignatorRest(*designator);
  DesignatorParsed(*designator);
  return designator;
}

// Further ".name" items and parenthesised groups: a group goes to the current item when it has
// none yet, else to a new unnamed item.
void TQelVbParser::ParseDesignatorRest(TQelDesignatorExpr& ADesignator) {
  FLastEndedInGroup = false;
  for (;;) {
    if (Token() == ptOpenRound) {
      ParseRoundArgs(ADesignator);
    } else if (Token() == ptDot && !DotStartsArgument()) {
      Consume();
      auto item = std::make_unique<TQelDesignatorItem>();
      item->FName = Name(item->FStrName);
      item->FSourcePos = FLastSkippedPos;
      ADesignator.FItems.push_back(std::move(item));
      FLastEndedInGroup = false;
    } else {
      break;
    }
  }
}

void TQelVbParser::ParseRoundArgs(TQelDesignatorExpr& ADesignator) {
  TQelDesignatorItem* item = ADesignator.FItems.back().get();
  if (item->FBracketType != bkNon) {
    ADesignator.FItems.push_back(std::make_unique<TQelDesignatorItem>());
    item = ADesignator.FItems.back().get();
    item->FSourcePos = FScanner.FTokenStartPos;
  }
  item->FBracketType = bkVbRound;
  Consume();
  if (Token() != ptCloseRound) {
    for (;;) {
      item->FArgs.push_back(ParseExpression());
      if (Token() != ptComma) break;
      Consume();
    }
  }
  Expect({ptCloseRound});
  FLastEndedInGroup = true;
  FLastGroupArgs = item->FArgs.size();
}

TQelExprPtr TQelVbParser::ParseNew() {
  Consume();
  auto node = std::make_unique<TQelVbNewExpr>();
  node->FSourcePos = FScanner.FTokenStartPos;
  for (;;) {
    auto item = std::make_unique<TQelDesignatorItem>();
    item->FName = Name(item->FStrName);
    item->FSourcePos = FLastSkippedPos;
    node->FItems.push_back(std::move(item));
    if (Token() != ptDot) break;
    Consume();
  }
  auto create = std::make_unique<TQelDesignatorItem>();
  create->FSourcePos = FScanner.FTokenStartPos;
  node->FNewCallItem = create.get();
  node->FItems.push_back(std::move(create));
  if (Token() == ptOpenRound) ParseRoundArgs(*node);  // the creation's own arguments
  node->FNewCallItem->FBracketType = bkVbRound;
  ParseDesignatorRest(*node);
  NewParsed(*node);
  return node;
}
