// Statement emission of the dialect's own forms: empty statement, if, while, repeat. Calls,
// assignments, case, for, raise and try are the compiler layer's.
#include "engine/pascal/QelSctPasCompiler.h"

namespace qel_pas {

void TQelPasEmptyStmt::DoEmit(TQelContext& C) { C.Code->ManualResetNextInstrBreakable(); }

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
  TQelRestore<TQelExitLabels> exits(C.CurExits);
  C.CurExits[esBreak] = C.Code->CreateLabel();
  C.CurExits[esContinue] = LTest;
  C.Code->Emit(icJump, LTest);
  C.Code->BindLabel(LBody);
  FStmt->EmitByteCode(C);
  C.Code->BindLabel(LTest);
  C.Code->SetNextInstrBreakable();
  FWhileExpr->EmitByteCode(C, erPopJmpIfTrue, LBody);
  C.Code->BindLabel(C.CurExits[esBreak]);
}

void TQelRepeatStmt::DoEmit(TQelContext& C) {
  TQelLabel* LStart = C.Code->CreateLabel();
  C.Code->BindLabel(LStart);
  TQelRestore<TQelExitLabels> exits(C.CurExits);
  C.CurExits[esBreak] = C.Code->CreateLabel();
  C.CurExits[esContinue] = C.Code->CreateLabel();
  FStmtList.EmitByteCode(C);
  C.Code->BindLabel(C.CurExits[esContinue]);
  C.Code->SetNextInstrBreakable();
  FRepeatExpr->EmitByteCode(C, erPopJmpIfFalse, LStart);
  C.Code->BindLabel(C.CurExits[esBreak]);
}

}  // namespace qel_pas
