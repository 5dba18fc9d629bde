// Emission of the dialect's own nodes: New, Call, Dim, ReDim, Erase, If, Do, Exit, Return.
// Calls, assignments, Select Case, For, Throw and Try are the compiler layer's.
#include <stdexcept>

#include "engine/vb/QelSctVbCompiler.h"

namespace qel_vb {
namespace {

// Claims the creation item of a New expression: icNewUnnamedCall finds the class in its
// object position.
class TNewHooks : public TQelDesignatorHooks {
 public:
  explicit TNewHooks(const TQelDesignatorItem* AItem) : FItem(AItem) {}
  bool Claims(const TQelDesignatorItem& AItem, bool) override { return &AItem == FItem; }
  bool Choose(TQelContext& C, TQelDesignatorItem& AItem, bool, TQelInstrCode& ACode,
              intptr_t& AData) override {
    ACode = icNewUnnamedCall;
    AData = reinterpret_cast<intptr_t>(C.Code->AddCall(AItem.FName, AItem.FStrName, bkVbRound,
                                                       int(AItem.FArgs.size()), true, false, true));
    return true;
  }

 private:
  const TQelDesignatorItem* FItem;
};

void EmitDims(TQelContext& C, TQelExprList& ADims) {
  for (TQelExprPtr& dim : ADims) {
    C.Code->Emit(icPush0);
    dim->EmitByteCode(C);
  }
}

void JumpOrReturn(TQelContext& C, TQelLabel* ALabel) {
  if (ALabel)
    C.Code->Emit(icJump, ALabel);
  else
    C.Code->Emit(icRet);
}

}  // namespace

void TQelVbNewExpr::DoEmit(TQelContext& C, TQelExprEmitRes AEmitRes, bool&, TQelLabel*) {
  if (AEmitRes == erNoRes) FItems.back()->FIsResultUsed = false;
  TNewHooks hooks(FNewCallItem);
  EmitDesignator(C, false, &hooks);
}

void TQelVbNewExpr::DoEmitRef(TQelContext& C) {
  TNewHooks hooks(FNewCallItem);
  EmitDesignator(C, true, &hooks);
}

void TQelVbCallStmt::DoEmit(TQelContext& C) {
  auto& designator = static_cast<TQelDesignatorExpr&>(*FExpr);
  TQelDesignatorItem& last = *designator.FItems.back();
  if (last.FBracketType == bkNon) last.FBracketType = bkVbRound;
  TQelExpressionStmt::DoEmit(C);
}

void TQelVbDimStmt::DoEmit(TQelContext& C) {
  for (TQelVbDimVarDecl& decl : FVarDecls) {
    TQelSourcePosScope pos(C.Code, decl.FSourcePos);
    if (decl.FIsArray && !decl.FArrayDims.empty()) {
      EmitDims(C, decl.FArrayDims);
      C.Code->Emit(icArrayCreate, C.Code->AddArray(int(decl.FArrayDims.size()), decl.FElemType));
    } else if (decl.FIsArray) {
      C.Code->Emit(icPushUnassigned);
    } else if (decl.FIniter) {
      decl.FIniter->EmitByteCode(C);
    } else {
      continue;  // a plain Dim stores nothing
    }
    if (decl.FLocal)
      C.Code->Emit(icAssignLocalVar, decl.FLocal->FIndex);
    else
      C.Code->Emit(icAssignGlobalVar, decl.FGlobal);
  }
}

void TQelVbRedimStmt::DoEmit(TQelContext& C) {
  for (TQelVbRedimVarDecl& decl : FVarDecls) {
    TQelSourcePosScope pos(C.Code, decl.FSourcePos);
    const int dims = int(decl.FArrayDims.size());
    TQelNameSearchRes r;
    if (C.CurNamespace) r = C.CurNamespace->CompileTimeFind(decl.FVarExpr->FItems[0]->FName);
    if (r.ObjKind == srLocalVar) {
      TQelArrayRedim* R = C.Code->AddArrayRedim(dims, decl.FElemType, FPreserve, r.LocalVarIndex);
      EmitDims(C, decl.FArrayDims);
      C.Code->Emit(icArrayRedimLocal, R);
    } else {
      TQelArrayRedim* R = C.Code->AddArrayRedim(dims, decl.FElemType, FPreserve);
      decl.FVarExpr->EmitRefByteCode(C);
      EmitDims(C, decl.FArrayDims);
      C.Code->Emit(icArrayRedimLValue, R);
    }
  }
}

void TQelVbEraseStmt::DoEmit(TQelContext& C) {
  FExpr->EmitRefByteCode(C);
  C.Code->Emit(icPushUnassigned);
  C.Code->Emit(icAssignLValue);
}

void TQelVbIfStmt::DoEmit(TQelContext& C) {
  TQelLabel* L = nullptr;
  TQelLabel* LEnd = nullptr;
  for (size_t i = 0; i < FBlocks.size(); ++i) {
    TQelVbIfBlock& block = FBlocks[i];
    if (L) C.Code->BindLabel(L);
    L = C.Code->CreateLabel();
    TQelSourcePosScope pos(C.Code, block.FSourcePos);
    C.Code->SetNextInstrBreakable();
    block.FCondition->EmitByteCode(C, erPopJmpIfFalse, L);
    block.FStmtList.EmitByteCode(C);
    if (!FElseStmtList.IsEmpty() || i + 1 < FBlocks.size()) {
      if (!LEnd) LEnd = C.Code->CreateLabel();
      C.Code->Emit(icJump, LEnd);
    }
  }
  C.Code->BindLabel(L);
  FElseStmtList.EmitByteCode(C);
  if (LEnd) C.Code->BindLabel(LEnd);
}

void TQelVbDoLoopStmt::DoEmit(TQelContext& C) {
  TQelByteCode& B = *C.Code;
  TQelLabel* LTest = B.CreateLabel();
  TQelLabel* LBody = B.CreateLabel();
  TQelRestore<TQelExitLabels> exits(C.CurExits);
  C.CurExits[esDo] = B.CreateLabel();
  if (FCondCheck == ccBeforeStmts) B.Emit(icJump, LTest);
  B.BindLabel(LBody);
  FStmts.EmitByteCode(C);
  B.BindLabel(LTest);
  if (FExpr) {
    B.SetNextInstrBreakable();
    FExpr->EmitByteCode(C, FLoopType == ltWhile ? erPopJmpIfTrue : erPopJmpIfFalse, LBody);
  } else {
    B.Emit(icJump, LBody);
  }
  B.BindLabel(C.CurExits[esDo]);
}

void TQelVbExitStmt::DoEmit(TQelContext& C) {
  switch (FExitType) {
    case etFor:
    case etDo: {
      TQelLabel* target = C.CurExits[FExitType == etFor ? esFor : esDo];
      if (!target) throw std::logic_error("QelSctVbCompiler: exit without its loop");
      C.Code->Emit(icJump, target);
      return;
    }
    case etFunction:
    case etSub:
      JumpOrReturn(C, C.CurExits[esProc]);
      return;
  }
}

void TQelVbReturnStmt::DoEmit(TQelContext& C) {
  if (FExpr) {
    FExpr->EmitByteCode(C);
    C.Code->Emit(icAssignResult);
  }
  JumpOrReturn(C, C.CurExits[esProc]);
}

}  // namespace qel_vb
