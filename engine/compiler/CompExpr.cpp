// Expression emission: values, fused conditional jumps, the Boolean rule for and/or, designator
// chains.
#include <algorithm>
#include <vector>

#include "engine/compiler/QelSctCompiler.h"

namespace {

TQelExprEmitRes Inverse(TQelExprEmitRes AEmitRes) {
  return AEmitRes == erPopJmpIfTrue ? erPopJmpIfFalse : erPopJmpIfTrue;
}

bool IsJump(TQelExprEmitRes AEmitRes) {
  return AEmitRes == erPopJmpIfTrue || AEmitRes == erPopJmpIfFalse;
}

// Operators whose result is a Boolean whatever their operands.
bool IsComparison(TQelInstrCode AInstr) {
  switch (AInstr) {
    case icGreater: case icGreaterEqual: case icLess: case icLessEqual: case icIn: case icIs:
    case icEqual: case icRefEqual: case icNotEqual: case icRefNotEqual:
      return true;
    default:
      return false;
  }
}

// Operators that keep the kind their two operands share (Boolean with Booleans, a number with
// numbers).
bool IsLogical(TQelInstrCode AInstr) {
  return AInstr == icAnd || AInstr == icOr || AInstr == icXor || AInstr == icEqv ||
         AInstr == icImp;
}

// A link of a left-deep chain that DoEmit walks without recursion: any operator but and/or,
// whose emission for a value is always left, right, instruction.
TQelBinaryExpr* ChainLink(TQelExpression* AExpr) {
  auto* binary = dynamic_cast<TQelBinaryExpr*>(AExpr);
  return binary && binary->FInstr != icAnd && binary->FInstr != icOr ? binary : nullptr;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Common entry points

void TQelExpression::Emit(TQelAbstractNamespace* ANamespace, TQelByteCode* AByteCode) {
  TQelContext C;
  C.Code = AByteCode;
  C.CurNamespace = ANamespace;
  TQelSourcePosScope pos(AByteCode, FSourcePos);
  bool stdPost = true;
  DoEmit(C, erStack, stdPost, nullptr);
}

void TQelExpression::EmitByteCode(TQelContext& C, TQelExprEmitRes AEmitRes,
                                  TQelLabel* AJmpLabel) {
  TQelSourcePosScope pos(C.Code, FSourcePos);
  bool stdPost = true;
  DoEmit(C, AEmitRes, stdPost, AJmpLabel);
  if (!stdPost) return;
  switch (AEmitRes) {
    case erNoRes: C.Code->Emit(icPop); break;
    case erStack: break;
    case erPopJmpIfTrue: C.Code->Emit(icPopJmpIfTrue, AJmpLabel); break;
    case erPopJmpIfFalse: C.Code->Emit(icPopJmpIfFalse, AJmpLabel); break;
  }
}

void TQelExpression::EmitRefByteCode(TQelContext& C) {
  TQelSourcePosScope pos(C.Code, FSourcePos);
  DoEmitRef(C);
}

void TQelExpression::DoEmitRef(TQelContext& C) { EmitByteCode(C); }

// ---------------------------------------------------------------------------------------------
// Literals

TQelLiteral::TQelLiteral() { VariantInit(&FValue); }
TQelLiteral::~TQelLiteral() { VariantClear(&FValue); }

TQelStaticKind TQelLiteral::StaticKind() const {
  return FValue.vt == VT_BOOL ? skBoolean : skOther;
}

void TQelLiteral::DoEmit(TQelContext& C, TQelExprEmitRes AEmitRes, bool& AStdPost,
                         TQelLabel* AJmpLabel) {
  if (FValue.vt == VT_BOOL && IsJump(AEmitRes) &&
      (FValue.boolVal != VARIANT_FALSE) == (AEmitRes == erPopJmpIfTrue)) {
    C.Code->Emit(icJump, AJmpLabel);  // a condition that always holds: no test
    AStdPost = false;
    return;
  }
  if (FValue.vt == VT_I4 && FValue.lVal == 0)
    C.Code->Emit(icPush0);
  else if (FValue.vt == VT_EMPTY)
    C.Code->Emit(icPushUnassigned);
  else
    C.Code->Emit(icPushLiteral, &FValue);
}

// ---------------------------------------------------------------------------------------------
// Operators

TQelStaticKind TQelUnaryExpr::StaticKind() const {
  // -True is a number; + leaves its operand as it is; not keeps Boolean and integer kinds.
  return FOperator == uopMinus ? skOther : FExpr->StaticKind();
}

void TQelUnaryExpr::DoEmit(TQelContext& C, TQelExprEmitRes AEmitRes, bool& AStdPost,
                           TQelLabel* AJmpLabel) {
  if (FOperator == uopNot && IsJump(AEmitRes) && FExpr->StaticKind() == skBoolean) {
    // A Boolean's not is its logical negation: test the operand with the opposite jump.
    FExpr->EmitByteCode(C, Inverse(AEmitRes), AJmpLabel);
    AStdPost = false;
    return;
  }
  FExpr->EmitByteCode(C);
  static constexpr TQelInstrCode Instr[] = {icUnaryPlus, icUnaryMinus, icUnaryNot};
  C.Code->Emit(Instr[FOperator]);
}

TQelBinaryExpr::~TQelBinaryExpr() {
  TQelExprPtr left = std::move(FLeftExpr);
  while (auto* link = dynamic_cast<TQelBinaryExpr*>(left.get())) {
    TQelExprPtr next = std::move(link->FLeftExpr);
    left = std::move(next);  // frees the link, whose own left operand is gone already
  }
}

// A logical chain keeps the kind all its operands share: the left spine is walked in a loop.
TQelStaticKind TQelBinaryExpr::StaticKind() const {
  if (IsComparison(FInstr)) return skBoolean;
  if (!IsLogical(FInstr)) return skOther;  // arithmetic and concatenation never give a Boolean
  const TQelBinaryExpr* node = this;
  std::vector<TQelStaticKind> rights;
  const TQelExpression* bottom = this;
  while (node && IsLogical(node->FInstr)) {
    rights.push_back(node->FRightExpr->StaticKind());
    bottom = node->FLeftExpr.get();
    node = dynamic_cast<const TQelBinaryExpr*>(bottom);
  }
  const TQelStaticKind kind = bottom->StaticKind();
  for (TQelStaticKind right : rights)
    if (right != kind) return skUnknown;
  return kind;
}

void TQelBinaryExpr::DoEmit(TQelContext& C, TQelExprEmitRes AEmitRes, bool& AStdPost,
                            TQelLabel* AJmpLabel) {
  if (FInstr == icAnd || FInstr == icOr) {
    switch (FLeftExpr->StaticKind()) {
      case skBoolean:
        EmitShortCircuit(C, AEmitRes, AJmpLabel);
        AStdPost = false;
        return;
      case skUnknown:
        EmitDynamicAndOr(C);
        return;
      case skOther:
        break;  // both operands, then the bitwise operator
    }
  }
  // A left-deep chain below: its bottom operand, then each link's right operand and
  // instruction, from the bottom up, as the recursive emission would give them.
  std::vector<TQelBinaryExpr*> chain;
  TQelExpression* bottom = FLeftExpr.get();
  while (TQelBinaryExpr* link = ChainLink(bottom)) {
    chain.push_back(link);
    bottom = link->FLeftExpr.get();
  }
  bottom->EmitByteCode(C);
  for (auto link = chain.rbegin(); link != chain.rend(); ++link) {
    TQelSourcePosScope pos(C.Code, (*link)->FSourcePos);
    (*link)->FRightExpr->EmitByteCode(C);
    C.Code->Emit((*link)->FInstr);
  }
  FRightExpr->EmitByteCode(C);
  if (AEmitRes == erPopJmpIfTrue && (FInstr == icEqual || FInstr == icNotEqual)) {
    C.Code->Emit(FInstr == icEqual ? icPopJmpIfEqual : icPopJmpIfNotEqual, AJmpLabel);
    AStdPost = false;
    return;
  }
  C.Code->Emit(FInstr);
}

// The left operand is a Boolean: the right one runs only when it decides the result.
void TQelBinaryExpr::EmitShortCircuit(TQelContext& C, TQelExprEmitRes AEmitRes,
                                      TQelLabel* AJmpLabel) {
  const bool isOr = FInstr == icOr;
  if (AEmitRes == erStack || AEmitRes == erNoRes) {
    TQelLabel* L = C.Code->CreateLabel();
    FLeftExpr->EmitByteCode(C);
    C.Code->Emit(isOr ? icJmpIfTrue : icJmpIfFalse, L);
    C.Code->Emit(icPop);
    FRightExpr->EmitByteCode(C);
    C.Code->BindLabel(L);
    if (AEmitRes == erNoRes) C.Code->Emit(icPop);
    return;
  }
  const TQelExprEmitRes decisive = isOr ? erPopJmpIfTrue : erPopJmpIfFalse;
  TQelLabel* L = AEmitRes == decisive ? AJmpLabel : C.Code->CreateLabel();
  FLeftExpr->EmitByteCode(C, decisive, L);
  FRightExpr->EmitByteCode(C, AEmitRes, AJmpLabel);
  if (L != AJmpLabel) C.Code->BindLabel(L);
}

// The left operand's kind is known only at run time. Its value decides the result without the
// right operand exactly when it absorbs the bitwise operation: 0 or False for and, -1 or True
// for or. For and that is its falsity; for or, the falsity of its complement, and
// a or b = not (not a and not b) holds bitwise and logically alike:
//   and: a, JmpIfFalse L, b, And, L:
//   or:  a, Not, JmpIfFalse L, b, Not, And, L: Not
void TQelBinaryExpr::EmitDynamicAndOr(TQelContext& C) {
  const bool isOr = FInstr == icOr;
  TQelLabel* L = C.Code->CreateLabel();
  FLeftExpr->EmitByteCode(C);
  if (isOr) C.Code->Emit(icUnaryNot);
  C.Code->Emit(icJmpIfFalse, L);
  FRightExpr->EmitByteCode(C);
  if (isOr) C.Code->Emit(icUnaryNot);
  C.Code->Emit(icAnd);
  C.Code->BindLabel(L);
  if (isOr) C.Code->Emit(icUnaryNot);
}

TQelExprPtr QelMakeBinary(TQelExprPtr ALeft, TQelInstrCode AInstr, TQelExprPtr ARight, int APos,
                          TQelRaiseCompileError ARaise) {
  auto node = std::make_unique<TQelBinaryExpr>();
  // A chain link's left operand is reached by a loop, not by recursion: it adds no depth.
  const bool chained = AInstr != icAnd && AInstr != icOr && ChainLink(ALeft.get());
  node->FTreeDepth = std::max(chained ? ALeft->FTreeDepth : ALeft->FTreeDepth + 1, ARight->FTreeDepth + 1);
  if (node->FTreeDepth > QelMaxNesting) ARaise(SQelTooDeep, APos);
  node->FSourcePos = APos;
  node->FInstr = AInstr;
  node->FLeftExpr = std::move(ALeft);
  node->FRightExpr = std::move(ARight);
  return node;
}

// ---------------------------------------------------------------------------------------------
// Designators

namespace {

struct TBinding {
  TQelInstrCode Value, Ref, Assign;
};

// The bound form of a call by name for a local of each kind.
bool BindLocal(const TQelNameSearchRes& R, TQelInstrCode& ACode, intptr_t& AData) {
  TBinding b;
  switch (R.ObjKind) {
    case srLocalVar:
      b = {icPushLocalVar, icPushLocalVarRef, icAssignLocalVar};
      AData = R.LocalVarIndex;
      break;
    case srParam:
      b = {icPushArg, icPushArgRef, icAssignArg};
      AData = R.ParamInfo.ToData();
      break;
    case srResult:
      b = {icPushResult, icPushResultRef, icAssignResult};
      AData = 0;
      break;
    default:
      return false;
  }
  ACode = ACode == icGlobCall ? b.Value : ACode == icGlobCallRef ? b.Ref : b.Assign;
  return true;
}

}  // namespace

bool QelResolveItem(TQelContext& C, TQelDesignatorItem& AItem, TQelInstrCode& ACode,
                    intptr_t& AData, bool AHasValue, bool AHasObject) {
  const bool byName = ACode == icGlobCall || ACode == icGlobCallRef || ACode == icAssignGlobCall;
  // An item with arguments is a call even without brackets (the VB dialect's `v 5`): it goes by
  // name, where the machine refuses it, instead of binding the local and leaving its arguments
  // on the stack.
  if (byName && AItem.FBracketType == bkNon && AItem.FArgs.empty() && C.CurNamespace) {
    const TQelNameSearchRes r = C.CurNamespace->CompileTimeFind(AItem.FName);
    if (BindLocal(r, ACode, AData)) return false;
    // A computed local constant lives in a slot of the activation; it is read by value only
    // (an assignment stays a call by name, which the machine refuses for a constant).
    if (r.ObjKind == srLocalConst && ACode != icAssignGlobCall) {
      const int slot = QelConstSlot(C.CurNamespace, AItem.FName);
      if (slot >= 0) {
        ACode = icPushLocalVar;
        AData = slot;
        return false;
      }
    }
  }
  TQelCall* call = C.Code->AddCall(AItem.FName, AItem.FStrName, AItem.FBracketType,
                                   int(AItem.FArgs.size()), AHasObject, AHasValue,
                                   AItem.FIsResultUsed);
  call->FExitLabel = C.CurExits[esProc];
  call->FBreakLabel = C.CurExits[esLoop1];
  call->FContinueLabel = C.CurExits[esLoop2];
  AData = reinterpret_cast<intptr_t>(call);
  return true;
}

std::unique_ptr<TQelDesignatorExpr> QelNameDesignator(int AName, const std::u16string& AStrName,
                                                      int ASourcePos) {
  auto item = std::make_unique<TQelDesignatorItem>();
  item->FName = AName;
  item->FStrName = AStrName;
  item->FSourcePos = ASourcePos;
  auto designator = std::make_unique<TQelDesignatorExpr>();
  designator->FSourcePos = ASourcePos;
  designator->FItems.push_back(std::move(item));
  return designator;
}

void TQelDesignatorExpr::DoEmit(TQelContext& C, TQelExprEmitRes AEmitRes, bool&, TQelLabel*) {
  if (AEmitRes == erNoRes) FItems.back()->FIsResultUsed = false;
  EmitDesignator(C, false, nullptr);
}

void TQelDesignatorExpr::DoEmitRef(TQelContext& C) { EmitDesignator(C, true, nullptr); }

void TQelDesignatorExpr::EmitDesignator(TQelContext& C, bool AAsRef,
                                        TQelDesignatorHooks* AHooks) {
  struct TChoice {
    TQelInstrCode Code;
    intptr_t Data;
  };
  const size_t n = FItems.size();
  std::vector<TChoice> choices(n);
  int cells = int(n);
  for (size_t i = 0; i < n; ++i) {
    TQelDesignatorItem& item = *FItems[i];
    const bool last = i + 1 == n;
    TChoice& choice = choices[i];
    if (AHooks && AHooks->Claims(item, last)) {
      if (!AHooks->Choose(C, item, i == 0, choice.Code, choice.Data)) --cells;
      continue;
    }
    const bool ref = last && AAsRef;
    if (i == 0)
      choice.Code = ref ? icGlobCallRef : icGlobCall;
    else if (item.IsNamed())
      choice.Code = ref ? icMemberCallRef : icMemberCall;
    else
      choice.Code = ref ? icUnnamedCallRef : icUnnamedCall;
    if (!QelResolveItem(C, item, choice.Code, choice.Data, false, i > 0)) --cells;
  }
  if (cells > 0) C.Code->Emit(icPush, cells);
  for (size_t i = 0; i < n; ++i) {
    TQelDesignatorItem& item = *FItems[i];
    for (TQelExprPtr& arg : item.FArgs) arg->EmitRefByteCode(C);
    if (AHooks) AHooks->BeforeItem(C, item);
    TQelSourcePosScope pos(C.Code, AHooks ? AHooks->SourcePosOf(item) : item.FSourcePos);
    C.Code->Emit(choices[i].Code, choices[i].Data);
  }
}
