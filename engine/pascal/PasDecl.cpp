// Declarations of the dialect: the procedure prologue and global initializers.
#include "engine/pascal/QelSctPasCompiler.h"

namespace qel_pas {

// A constant written as a literal is known now; a computed one is evaluated on every call into
// a slot of its own, so that recursion and other threads each see their own value.
void TQelPasProcedureDecl::EmitPrologue(TQelContext& C) {
  for (TQelLocalConstDecl* constant : FLocalConsts) {
    if (QelLiteralValue(constant->FExpr.get(), constant->FValue)) continue;
    constant->FIndex = FByteCode.AddLocalVar();
    constant->FExpr->EmitByteCode(C);
    FByteCode.Emit(icAssignLocalVar, constant->FIndex);
  }
  for (TQelLocalVarDecl* var : FLocalVars) {
    if (!var->FExpr) continue;
    var->FExpr->EmitByteCode(C);
    FByteCode.Emit(icAssignLocalVar, var->FIndex);
  }
}

void TQelGlobalIniter::Emit(TQelAbstractNamespace* ANamespace, TQelByteCode* AByteCode) {
  TQelContext C;
  C.Code = AByteCode;
  C.CurNamespace = ANamespace;
  TQelSourcePosScope pos(AByteCode, FIniter->FSourcePos);
  AByteCode->SetNextInstrBreakable();
  FIniter->EmitByteCode(C);
  AByteCode->Emit(FStoreCode, FTarget);
}

}  // namespace qel_pas
