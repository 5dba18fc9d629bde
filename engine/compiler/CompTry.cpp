// Protected blocks. Every exit out of the protected or handling statements goes through a
// trampoline of this block: out of a handler it ends the handling first, out of a block with
// finally statements it runs them first (as a subroutine whose return points are registered).
#include "engine/compiler/QelSctCompiler.h"

void TQelTryStmt::DoEmit(TQelContext& C) {
  C.Code->ManualResetNextInstrBreakable();
  if (FFinallyStmtList.IsEmpty())
    EmitExcept(C);
  else
    EmitFinally(C);
}

void TQelTryStmt::EmitFinally(TQelContext& C) {
  TQelByteCode& B = *C.Code;
  TQelRestore<TQelExitLabels> exits(C.CurExits);
  const TQelExitLabels S = exits.Saved();
  TQelTry* T = B.BeginProtectedBlock();
  T->FFinallyLabel = B.CreateLabel();
  T->FHandlerLabel = B.CreateLabel();
  T->FFinallyRetVar = B.AddLocalVar();
  // Return points of the finally subroutine: normal completion, then one per open exit.
  TQelLabel* R0 = B.CreateLabel();
  TQelExitLabels R{}, trampolines{};
  for (int s = 0; s < QelExitSlotCount; ++s)
    if (s == esProc || S[size_t(s)]) R[size_t(s)] = B.CreateLabel();
  T->FExceptionVar = B.AddLocalVarArray(2);
  TQelLabel* LEnd = B.CreateLabel();
  for (int s = 0; s < QelExitSlotCount; ++s)
    if (R[size_t(s)]) trampolines[size_t(s)] = B.CreateLabel();

  C.CurExits = trampolines;
  EmitExcept(C);
  B.EndProtectedBlock();
  B.Emit(icCallFinally, T);
  B.BindLabel(R0);
  B.Emit(icJump, LEnd);

  C.CurExits = S;
  B.BeginExcHdrCode(T);
  TQelLabel* LEBC = B.CreateLabel();
  C.CurExits = {LEBC, LEBC, LEBC};
  B.BindLabel(T->FFinallyLabel);
  FFinallyStmtList.EmitByteCode(C);
  B.Emit(icFinallyRet, T);
  C.CurExits = S;
  B.EndExcHdrCode(T);

  // Loop exits first, then the routine's.
  for (int s : {int(esLoop1), int(esLoop2), int(esProc)}) {
    if (!trampolines[size_t(s)]) continue;
    B.BindLabel(trampolines[size_t(s)]);
    B.Emit(icCallFinally, T);
    B.BindLabel(R[size_t(s)]);
    if (S[size_t(s)])
      B.Emit(icJump, S[size_t(s)]);
    else
      B.Emit(icRet);
  }
  B.BindLabel(LEBC);
  B.Emit(icRaiseEBCFromFinally);
  B.BindLabel(T->FHandlerLabel);
  B.Emit(icSetNamespace, C.CurNamespace);
  B.Emit(icCallFinally, T);
  B.Emit(isReraise, T->FExceptionVar);
  B.BindLabel(LEnd);
  T->AddKnownFinallyRet(R0);
  for (int s : {int(esProc), int(esLoop1), int(esLoop2)})
    if (R[size_t(s)]) T->AddKnownFinallyRet(R[size_t(s)]);
}

void TQelTryStmt::EmitExcept(TQelContext& C) {
  if (!FHasExcept) {
    FTryStmtList.EmitByteCode(C);
    return;
  }
  TQelByteCode& B = *C.Code;
  TQelRestore<TQelExitLabels> exits(C.CurExits);
  const TQelExitLabels S = exits.Saved();
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
  TQelRestore<TQelTry*> reraise(C.CurReraise);
  C.CurReraise = T;
  TQelExitLabels trampolines{};
  for (int s = 0; s < QelExitSlotCount; ++s)
    if (s == esProc || S[size_t(s)]) trampolines[size_t(s)] = B.CreateLabel();
  C.CurExits = trampolines;
  if (FExceptionBlock) {
    EmitHandlers(C, T, LEnd);
  } else {
    FExceptStmtList.EmitByteCode(C);
    B.Emit(icExceptDone);
    B.Emit(icJump, LEnd);
  }
  C.CurExits = S;
  C.CurReraise = reraise.Saved();
  B.EndExcHdrCode(T);

  // A handler that binds a variable runs in a namespace of its own; an exit out of it must not
  // leave that namespace in force for the code it jumps to.
  bool bindsVariable = false;
  if (FExceptionBlock)
    for (auto& handler : FExceptionBlock->FBlocks) bindsVariable |= handler->HasVar();
  for (int s : {int(esLoop1), int(esLoop2), int(esProc)}) {
    if (!trampolines[size_t(s)]) continue;
    B.BindLabel(trampolines[size_t(s)]);
    if (bindsVariable) B.Emit(icSetNamespace, C.CurNamespace);
    B.Emit(icExceptDone);
    if (S[size_t(s)])
      B.Emit(icJump, S[size_t(s)]);
    else
      B.Emit(icRet);
  }
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
