// Statement emission shared by the dialects: entry points, calls, assignments, case dispatch,
// raising, counting loops.
#include "engine/compiler/QelSctCompiler.h"

namespace {

// The assignment's hooks: the last item stores, the value comes just before it.
class TAssignHooks : public TQelDesignatorHooks {
 public:
  TAssignHooks(TQelExpression& AValue, int AStorePos) : FValue(AValue), FStorePos(AStorePos) {}
  bool Claims(const TQelDesignatorItem&, bool AIsLast) override { return AIsLast; }
  bool Choose(TQelContext& C, TQelDesignatorItem& AItem, bool AIsFirst, TQelInstrCode& ACode,
              intptr_t& AData) override {
    ACode = AIsFirst ? icAssignGlobCall : AItem.IsNamed() ? icAssignMemberCall
                                                          : icAssignUnnamedCall;
    FLast = &AItem;
    QelResolveItem(C, AItem, ACode, AData, true, !AIsFirst);
    return false;  // a store leaves no result
  }
  void BeforeItem(TQelContext& C, const TQelDesignatorItem& AItem) override {
    if (&AItem == FLast) FValue.EmitByteCode(C);
  }
  int SourcePosOf(const TQelDesignatorItem& AItem) override {
    return &AItem == FLast ? FStorePos : AItem.FSourcePos;
  }

 private:
  TQelExpression& FValue;
  int FStorePos;
  const TQelDesignatorItem* FLast = nullptr;
};

}  // namespace

void TQelStatement::Emit(TQelAbstractNamespace* ANamespace, TQelByteCode* AByteCode) {
  TQelContext C;
  C.Code = AByteCode;
  C.CurNamespace = ANamespace;
  EmitByteCode(C);
}

void TQelStatement::EmitByteCode(TQelContext& C) {
  TQelSourcePosScope pos(C.Code, FSourcePos);
  C.Code->SetNextInstrBreakable();
  DoEmit(C);
}

void TQelStmtList::EmitByteCode(TQelContext& C) {
  for (TQelStmtPtr& stmt : FItems) stmt->EmitByteCode(C);
}

void TQelExpressionStmt::DoEmit(TQelContext& C) { FExpr->EmitByteCode(C, erNoRes, nullptr); }

void TQelAssignmentStmt::DoEmit(TQelContext& C) {
  TAssignHooks hooks(*FRightExpr, FSourcePos);
  FLeftExpr->EmitDesignator(C, false, &hooks);
}

void TQelCaseStmt::DoEmit(TQelContext& C) {
  TQelLabel* LEnd = C.Code->CreateLabel();
  TQelLabel* LElse = C.Code->CreateLabel();
  std::vector<TQelLabel*> selectorLabels;
  for (size_t i = 0; i < FSelectors.size(); ++i) selectorLabels.push_back(C.Code->CreateLabel());
  FCaseExpr->EmitByteCode(C);
  for (size_t i = 0; i < FSelectors.size(); ++i) {
    for (TQelRangeElement& label : FSelectors[i].FLabels) {
      {
        TQelSourcePosScope pos(C.Code, label.FSourcePos);
        label.FLeftExpr->EmitByteCode(C);
        if (label.FRightExpr) label.FRightExpr->EmitByteCode(C);
      }
      C.Code->Emit(label.FRightExpr ? icCaseJmpIfInRange : icCaseJmpIfEqual, selectorLabels[i]);
    }
  }
  C.Code->Emit(icPop);
  C.Code->Emit(icJump, LElse);
  for (size_t i = 0; i < FSelectors.size(); ++i) {
    C.Code->BindLabel(selectorLabels[i]);
    FSelectors[i].FStmt->EmitByteCode(C);
    C.Code->Emit(icJump, LEnd);
  }
  C.Code->BindLabel(LElse);
  FElseStmts.EmitByteCode(C);
  C.Code->BindLabel(LEnd);
}

void TQelRaiseStmt::DoEmit(TQelContext& C) {
  if (FExpr) {
    FExpr->EmitByteCode(C);
    C.Code->Emit(icRaise);
    return;
  }
  if (!C.CurReraise)  // the parsers admit a bare re-raise only inside a handler
    RaiseException(new EQelCompileBase(
        u"Re-raising an exception only allowed in exception handler", FSourcePos));
  C.Code->Emit(isReraise, C.CurReraise->FExceptionVar);
}

void TQelForStmt::DoEmit(TQelContext& C) {
  TQelByteCode& B = *C.Code;
  TQelLabel* LBody = B.CreateLabel();
  TQelLabel* LTest = B.CreateLabel();
  TQelRestore<TQelExitLabels> exits(C.CurExits);
  C.CurExits[FBreakSlot] = B.CreateLabel();
  TQelLabel* LContinue = nullptr;
  if (FContinueSlot >= 0) C.CurExits[size_t(FContinueSlot)] = LContinue = B.CreateLabel();
  const bool step = FStepExpr != nullptr;
  TQelNameSearchRes r;
  if (C.CurNamespace) r = C.CurNamespace->CompileTimeFind(FVarExpr->FItems[0]->FName);
  TQelFor* F;
  if (r.ObjKind == srLocalVar) {
    F = B.AddFor(LBody, r.LocalVarIndex, step);
    FFromExpr->EmitByteCode(C);
    B.Emit(icForInitLocal, F);
  } else {
    F = B.AddFor(LBody, step);
    FVarExpr->EmitRefByteCode(C);
    FFromExpr->EmitByteCode(C);
    B.Emit(icForInitLValue, F);
  }
  FToExpr->EmitByteCode(C);
  B.Emit(icAssignLocalVar, F->FToVar);
  if (step) {
    FStepExpr->EmitByteCode(C);
    B.Emit(icAssignLocalVar, F->FStepVar);
  }
  B.Emit(icJump, LTest);
  B.BindLabel(LBody);
  EmitBody(C);
  if (LContinue) B.BindLabel(LContinue);
  B.Emit(step ? icForIncStep : FDown ? icForDec : icForInc, F);
  B.BindLabel(LTest);
  B.SetNextInstrBreakable();
  B.Emit(step ? icForJmpStep : FDown ? icForJmpIfGE : icForJmpIfLE, F);
  B.BindLabel(C.CurExits[FBreakSlot]);
}
