// Expression emission of the dialect's own constructors: sets, arrays, event handlers.
#include "engine/pascal/QelSctPasCompiler.h"

namespace qel_pas {

void TQelPasSetExpr::DoEmit(TQelContext& C, TQelExprEmitRes, bool&, TQelLabel*) {
  C.Code->Emit(icPush0);
  for (TQelRangeElement& e : FSetElements) {
    TQelSourcePosScope pos(C.Code, e.FSourcePos);
    e.FLeftExpr->EmitByteCode(C);
    if (e.FRightExpr) {
      e.FRightExpr->EmitByteCode(C);
      C.Code->Emit(icAddRangeToSet);
    } else {
      C.Code->Emit(icAddValToSet);
    }
  }
}

void TQelArrayExpr::DoEmit(TQelContext& C, TQelExprEmitRes, bool&, TQelLabel*) {
  for (TQelRangeElement& d : FArrayDims) {
    d.FLeftExpr->EmitByteCode(C);
    d.FRightExpr->EmitByteCode(C);
  }
  C.Code->Emit(icArrayCreate, C.Code->AddArray(int(FArrayDims.size()), FElemVarType));
}

void TQelEventMakeExpr::DoEmit(TQelContext& C, TQelExprEmitRes, bool&, TQelLabel*) {
  C.Code->Emit(icEventHandlerMake, &FStrProcName);
}

}  // namespace qel_pas
