// Statement emission: control flow, loops with their Break/Continue/Exit targets, protected
// blocks.
#include "engine/pascal/QelSctPasCompiler.h"

namespace {

// Restores the context's Exit/Break/Continue targets when a construct is left.
class TEBCScope {
 public:
  explicit TEBCScope(TQelContext& C) : FC(C), FSaved(C.CurEBC) {}
  ~TEBCScope() { FC.CurEBC = FSaved; }
  const TQelEBC& Saved() const { return FSaved; }

 private:
  TQelContext& FC;
  TQelEBC FSaved;
};

// The assignment statement's hooks: the last item stores, the value comes just before it.
class TAssignHooks : public TQelDesignatorHooks {
 public:
  explicit TAssignHooks(TQelExpression& AValue) : FValue(AValue) {}
  void ClaimLast(TQelContext& C, TQelDesignatorItem& AItem, bool AIsFirst, TQelInstrCode& ACode,
                 intptr_t& AData) override {
    ACode = AIsFirst ? icAssignGlobCall : AItem.IsNamed() ? icAssignMemberCall
                                                          : icAssignUnnamedCall;
    QelPasResolveItem(C, AItem, ACode, AData, true, !AIsFirst);
  }
  void BeforeLast(TQelContext& C) override { FValue.EmitByteCode(C); }

 private:
  TQelExpression& FValue;
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

void TQelPasEmptyStmt::DoEmit(TQelContext& C) { C.Code->ManualResetNextInstrBreakable(); }

void TQelExpressionStmt::DoEmit(TQelContext& C) { FExpr->EmitByteCode(C, erNoRes, nullptr); }

void TQelAssignmentStmt::DoEmit(TQelContext& C) {
  TAssignHooks hooks(*FRightExpr);
  FLeftExpr->EmitDesignator(C, false, &hooks);
}

void TQelIfStmt::DoEmit(TQelContext& C) {
  TQelLabel* L = C.Code->CreateLabel();
  FIfExpr->EmitByteCode(C, erPopJmpIfFalse, L);
  FThenStmt->EmitByteCode(C);
  if (FElseStmt) {
    TQelLabel* L2 = C.Code->CreateLabel();
    C.Code->Emit(icJump, L2);
    C.Code->BindLabel(L);
    FElseStmt->EmitByteCode(C);
    L = L2;
  }
  C.Code->BindLabel(L);
}

void TQelWhileStmt::DoEmit(TQelContext& C) {
  TQelLabel* LBody = C.Code->CreateLabel();
  TQelLabel* LTest = C.Code->CreateLabel();
  TEBCScope ebc(C);
  C.CurEBC.BreakL = C.Code->CreateLabel();
  C.CurEBC.ContinueL = LTest;
  C.Code->Emit(icJump, LTest);
  C.Code->BindLabel(LBody);
  FStmt->EmitByteCode(C);
  C.Code->BindLabel(LTest);
  C.Code->SetNextInstrBreakable();
  FWhileExpr->EmitByteCode(C, erPopJmpIfTrue, LBody);
  C.Code->BindLabel(C.CurEBC.BreakL);
}

void TQelRepeatStmt::DoEmit(TQelContext& C) {
  TQelLabel* LStart = C.Code->CreateLabel();
  C.Code->BindLabel(LStart);
  TEBCScope ebc(C);
  C.CurEBC.BreakL = C.Code->CreateLabel();
  C.CurEBC.ContinueL = C.Code->CreateLabel();
  FStmtList.EmitByteCode(C);
  C.Code->BindLabel(C.CurEBC.ContinueL);
  C.Code->SetNextInstrBreakable();
  FRepeatExpr->EmitByteCode(C, erPopJmpIfFalse, LStart);
  C.Code->BindLabel(C.CurEBC.BreakL);
}

void TQelForStmt::DoEmit(TQelContext& C) {
  TQelLabel* LBody = C.Code->CreateLabel();
  TQelLabel* LTest = C.Code->CreateLabel();
  TEBCScope ebc(C);
  C.CurEBC.BreakL = C.Code->CreateLabel();
  C.CurEBC.ContinueL = C.Code->CreateLabel();
  TQelNameSearchRes r;
  if (C.CurNamespace) r = C.CurNamespace->CompileTimeFind(FVarExpr->FItems[0]->FName);
  TQelFor* F;
  if (r.ObjKind == srLocalVar) {
    F = C.Code->AddFor(LBody, r.LocalVarIndex, false);
    FFromExpr->EmitByteCode(C);
    C.Code->Emit(icForInitLocal, F);
  } else {
    F = C.Code->AddFor(LBody, false);
    FVarExpr->EmitRefByteCode(C);
    FFromExpr->EmitByteCode(C);
    C.Code->Emit(icForInitLValue, F);
  }
  FToExpr->EmitByteCode(C);
  C.Code->Emit(icAssignLocalVar, F->FToVar);
  C.Code->Emit(icJump, LTest);
  C.Code->BindLabel(LBody);
  FStmt->EmitByteCode(C);
  C.Code->BindLabel(C.CurEBC.ContinueL);
  const bool up = FCounterKind == ckTo;
  C.Code->Emit(up ? icForInc : icForDec, F);
  C.Code->BindLabel(LTest);
  C.Code->SetNextInstrBreakable();
  C.Code->Emit(up ? icForJmpIfLE : icForJmpIfGE, F);
  C.Code->BindLabel(C.CurEBC.BreakL);
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
  if (!C.CurReraise)  // the parser admits a bare raise only inside an except part
    QelPasRaiseError(u"Re-raising an exception only allowed in exception handler", FSourcePos);
  C.Code->Emit(isReraise, C.CurReraise->FExceptionVar);
}

void TQelTryStmt::DoEmit(TQelContext& C) {
  C.Code->ManualResetNextInstrBreakable();
  if (FTryStmtType == ttFinally)
    EmitFinally(C);
  else
    EmitExcept(C);
}

void TQelTryStmt::EmitFinally(TQelContext& C) {
  TQelByteCode& B = *C.Code;
  if (FFinallyStmtList.IsEmpty()) {
    FTryStmtList.EmitByteCode(C);
    return;
  }
  TEBCScope ebc(C);
  const TQelEBC S = ebc.Saved();
  const bool inLoop = S.BreakL != nullptr;
  TQelTry* T = B.BeginProtectedBlock();
  T->FFinallyLabel = B.CreateLabel();
  T->FHandlerLabel = B.CreateLabel();
  T->FFinallyRetVar = B.AddLocalVar();
  TQelLabel* R[4] = {B.CreateLabel(), B.CreateLabel(), nullptr, nullptr};
  if (inLoop) {
    R[2] = B.CreateLabel();
    R[3] = B.CreateLabel();
  }
  T->FExceptionVar = B.AddLocalVarArray(2);
  TQelLabel* LEnd = B.CreateLabel();
  TQelLabel* LExit = B.CreateLabel();
  TQelLabel* LBreak = inLoop ? B.CreateLabel() : nullptr;
  TQelLabel* LCont = inLoop ? B.CreateLabel() : nullptr;

  C.CurEBC = {LExit, LBreak, LCont};
  FTryStmtList.EmitByteCode(C);
  B.EndProtectedBlock();
  B.Emit(icCallFinally, T);
  B.BindLabel(R[0]);
  B.Emit(icJump, LEnd);

  B.BeginExcHdrCode(T);
  TQelLabel* LEBC = B.CreateLabel();
  C.CurEBC = {LEBC, LEBC, LEBC};
  B.BindLabel(T->FFinallyLabel);
  FFinallyStmtList.EmitByteCode(C);
  B.Emit(icFinallyRet, T);
  C.CurEBC = S;
  B.EndExcHdrCode(T);

  auto callFinallyThen = [&](TQelLabel* ARet, TQelLabel* ATarget) {
    B.Emit(icCallFinally, T);
    B.BindLabel(ARet);
    if (ATarget)
      B.Emit(icJump, ATarget);
    else
      B.Emit(icRet);
  };
  if (inLoop) {
    B.BindLabel(LBreak);
    callFinallyThen(R[2], S.BreakL);
    B.BindLabel(LCont);
    callFinallyThen(R[3], S.ContinueL);
  }
  B.BindLabel(LExit);
  callFinallyThen(R[1], S.ExitL);
  B.BindLabel(LEBC);
  B.Emit(icRaiseEBCFromFinally);
  B.BindLabel(T->FHandlerLabel);
  B.Emit(icSetNamespace, C.CurNamespace);
  B.Emit(icCallFinally, T);
  B.Emit(isReraise, T->FExceptionVar);
  B.BindLabel(LEnd);
  for (TQelLabel* r : R)
    if (r) T->AddKnownFinallyRet(r);
}

void TQelTryStmt::EmitExcept(TQelContext& C) {
  TQelByteCode& B = *C.Code;
  TEBCScope ebc(C);
  const TQelEBC S = ebc.Saved();
  TQelTry* T = B.BeginProtectedBlock();
  T->FHandlerLabel = B.CreateLabel();
  T->FExceptionVar = B.AddLocalVarArray(2);
  TQelLabel* LEnd = B.CreateLabel();
  FTryStmtList.EmitByteCode(C);
  B.EndProtectedBlock();
  B.Emit(icJump, LEnd);

  B.BeginExcHdrCode(T);
  B.BindLabel(T->FHandlerLabel);
  B.Emit(icSetNamespace, C.CurNamespace);
  TQelTry* savedReraise = C.CurReraise;
  C.CurReraise = T;
  TQelLabel* LExit = B.CreateLabel();
  TQelLabel* LBreak = S.BreakL ? B.CreateLabel() : nullptr;
  TQelLabel* LCont = S.BreakL ? B.CreateLabel() : nullptr;
  C.CurEBC = {LExit, LBreak, LCont};
  if (FExceptionBlock) {
    EmitHandlers(C, T, LEnd);
  } else {
    FExceptStmtList.EmitByteCode(C);
    B.Emit(icExceptDone);
    B.Emit(icJump, LEnd);
  }
  C.CurEBC = S;
  C.CurReraise = savedReraise;
  B.EndExcHdrCode(T);

  // A handler that binds a variable runs in a namespace of its own; Break, Continue or Exit
  // out of it must not leave that namespace in force for the code they jump to.
  bool bindsVariable = false;
  if (FExceptionBlock)
    for (auto& handler : FExceptionBlock->FBlocks) bindsVariable |= handler->HasVar();
  auto doneThen = [&](TQelLabel* ATarget) {
    if (bindsVariable) B.Emit(icSetNamespace, C.CurNamespace);
    B.Emit(icExceptDone);
    if (ATarget)
      B.Emit(icJump, ATarget);
    else
      B.Emit(icRet);
  };
  if (S.BreakL) {
    B.BindLabel(LBreak);
    doneThen(S.BreakL);
    B.BindLabel(LCont);
    doneThen(S.ContinueL);
  }
  B.BindLabel(LExit);
  doneThen(S.ExitL);
  B.BindLabel(LEnd);
}

void TQelTryStmt::EmitHandlers(TQelContext& C, TQelTry* T, TQelLabel* LEnd) {
  TQelByteCode& B = *C.Code;
  std::vector<TQelLabel*> H;
  for (auto& handler : FExceptionBlock->FBlocks) {
    H.push_back(B.CreateLabel());
    TQelSourcePosScope pos(&B, handler->FSourcePos);
    handler->FExpr->EmitByteCode(C);
    B.Emit(icExceptJmpIfIs, B.AddExcJmp(T, H.back()));
  }
  TQelLabel* LNoMatch = B.CreateLabel();
  B.Emit(icJump, LNoMatch);
  for (size_t i = 0; i < H.size(); ++i) {
    TQelExceptionSubBlock& handler = *FExceptionBlock->FBlocks[i];
    if (!handler.HasVar()) {
      B.BindLabel(H[i]);
      handler.FStmt->EmitByteCode(C);
    } else {
      const int V = B.AddLocalVar();
      handler.FNamespace = std::make_unique<TQelExcSubBlockNamespace>(
          C.CurNamespace, handler.FName, handler.FStrName, V);
      TQelAbstractNamespace* previous = C.CurNamespace;
      C.CurNamespace = handler.FNamespace.get();
      B.BindLabel(H[i]);
      B.Emit(icSetNamespace, C.CurNamespace);
      B.Emit(icExceptToVar, T->FExceptionVar);
      B.Emit(icAssignLocalVar, V);
      handler.FStmt->EmitByteCode(C);
      B.Emit(icSetNamespace, previous);
      C.CurNamespace = previous;
    }
    B.Emit(icExceptDone);
    B.Emit(icJump, LEnd);
  }
  B.BindLabel(LNoMatch);
  if (FExceptionBlock->FHasElse) {
    FExceptionBlock->FElseStmtList.EmitByteCode(C);
    B.Emit(icExceptDone);
    B.Emit(icJump, LEnd);
  } else {
    B.Emit(isReraise, T->FExceptionVar);
  }
}
