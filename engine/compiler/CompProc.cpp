// Procedure frames: locals, the procedure's code frame and the namespaces that bind locals and
// handler variables at compile time.
#include <stdexcept>

#include "engine/compiler/QelSctCompiler.h"

// ---------------------------------------------------------------------------------------------
// Locals

TQelProcLocal::TQelProcLocal(int AName, const std::u16string& AStrName, TQelProcLocalType AType)
    : TQelNamedItem(AName), FStrName(AStrName), FLocalType(AType) {}

TQelLocalConstDecl::TQelLocalConstDecl(int AName, const std::u16string& AStrName)
    : TQelProcLocal(AName, AStrName, ltConst) {
  VariantInit(&FValue);
}

TQelLocalConstDecl::~TQelLocalConstDecl() { VariantClear(&FValue); }

// ---------------------------------------------------------------------------------------------
// Procedure

TQelProcedureDecl::TQelProcedureDecl(int AName, const std::u16string& AStrName,
                                     bool AIsFunction)
    : TQelProcObject(AName, AStrName) {
  SetIsFunction(AIsFunction);
}

TQelProcedureDecl::~TQelProcedureDecl() = default;

bool TQelProcedureDecl::AddLocal(std::unique_ptr<TQelProcLocal>& ALocal) {
  if (!FLocalMap.Add(ALocal.get())) return false;
  TQelProcLocal* local = ALocal.release();
  switch (local->FLocalType) {
    case ltVar: FLocalVars.push_back(static_cast<TQelLocalVarDecl*>(local)); break;
    case ltConst: FLocalConsts.push_back(static_cast<TQelLocalConstDecl*>(local)); break;
    case ltResult: FLocalResult = static_cast<TQelLocalResultDecl*>(local); break;
    case ltParam: {
      auto* param = static_cast<TQelParamDecl*>(local);
      param->FParamInfo.Index = uint16_t(FParams.size());
      FParams.push_back(param);
      ++FParamCount;
      break;
    }
  }
  return true;
}

TQelProcLocal* TQelProcedureDecl::FindLocal(int AName) const {
  return FLocalMap.FindAs<TQelProcLocal>(AName);
}

void TQelProcedureDecl::EmitByteCode(TQelAbstractNamespace* AGlobalNamespace) {
  if (FLocalNamespace) throw std::logic_error("QelSctCompiler: procedure emitted twice");
  FLocalNamespace = std::make_unique<TQelProcLocalNamespace>(this, AGlobalNamespace);
  TQelContext C;
  C.Code = &FByteCode;
  C.CurNamespace = FLocalNamespace.get();
  FByteCode.BeginEmit(FStrName, FLocalNamespace.get(), FSourcePos);
  for (TQelLocalVarDecl* var : FLocalVars) var->FIndex = FByteCode.AddLocalVar();
  EmitPrologue(C);
  FStmtList.EmitByteCode(C);
  {
    TQelSourcePosScope pos(&FByteCode, FEndSourcePos);
    FByteCode.SetNextInstrBreakable();
    FByteCode.Emit(icRet);
  }
  FByteCode.EndEmit();
}

// ---------------------------------------------------------------------------------------------
// Namespaces

namespace {

TQelNameSearchRes LocalSearchRes(const TQelProcLocal& ALocal) {
  switch (ALocal.FLocalType) {
    case ltVar: return TQelNameSearchRes::Local(static_cast<const TQelLocalVarDecl&>(ALocal).FIndex);
    case ltConst: return TQelNameSearchRes::Const(&static_cast<const TQelLocalConstDecl&>(ALocal).FValue);
    case ltResult: return TQelNameSearchRes::Result();
    case ltParam: return TQelNameSearchRes::Param(static_cast<const TQelParamDecl&>(ALocal).FParamInfo);
  }
  return {};
}

}  // namespace

TQelNameSearchRes TQelProcLocalNamespace::Find(TQelThread* AThread, int AName,
                                               const std::u16string* AStrName) {
  const TQelProcLocal* local = FProcedure->FindLocal(AName);
  if (local && !(local->FLocalType == ltResult && FProcedure->FResultIsRoutineName))
    return LocalSearchRes(*local);
  return FParent ? FParent->Find(AThread, AName, AStrName) : TQelNameSearchRes{};
}

TQelNameSearchRes TQelProcLocalNamespace::CompileTimeFind(int AName) {
  if (const TQelProcLocal* local = FProcedure->FindLocal(AName)) return LocalSearchRes(*local);
  return FParent ? FParent->CompileTimeFind(AName) : TQelNameSearchRes{};
}

void TQelProcLocalNamespace::EnumDebugVars(bool ALocalsOnly,
                                           const TQelNamespaceEnumVarsProc& AProc) {
  for (TQelParamDecl* p : FProcedure->FParams) AProc(p->FStrName, LocalSearchRes(*p));
  // A computed constant is shown from its slot: the value of the frame being looked at.
  for (TQelLocalConstDecl* c : FProcedure->FLocalConsts)
    AProc(c->FStrName, c->FIndex >= 0 ? TQelNameSearchRes::Local(c->FIndex) : LocalSearchRes(*c));
  for (TQelLocalVarDecl* v : FProcedure->FLocalVars) AProc(v->FStrName, LocalSearchRes(*v));
  if (FProcedure->FLocalResult)
    AProc(FProcedure->FLocalResult->FStrName, TQelNameSearchRes::Result());
  if (FParent) FParent->EnumDebugVars(ALocalsOnly, AProc);
}

TQelNameSearchRes TQelExcSubBlockNamespace::Find(TQelThread* AThread, int AName,
                                                 const std::u16string* AStrName) {
  if (AName == FVarName) return TQelNameSearchRes::Local(FVarIndex);
  return FParent ? FParent->Find(AThread, AName, AStrName) : TQelNameSearchRes{};
}

TQelNameSearchRes TQelExcSubBlockNamespace::CompileTimeFind(int AName) {
  if (AName == FVarName) return TQelNameSearchRes::Local(FVarIndex);
  return FParent ? FParent->CompileTimeFind(AName) : TQelNameSearchRes{};
}

void TQelExcSubBlockNamespace::EnumDebugVars(bool ALocalsOnly,
                                             const TQelNamespaceEnumVarsProc& AProc) {
  if (FParent) FParent->EnumDebugVars(ALocalsOnly, AProc);
  AProc(FVarSName, TQelNameSearchRes::Local(FVarIndex));
}

int QelConstSlot(TQelAbstractNamespace* ANamespace, int AName) {
  for (TQelAbstractNamespace* ns = ANamespace; ns; ns = ns->FParent) {
    if (auto* handler = dynamic_cast<TQelExcSubBlockNamespace*>(ns)) {
      if (handler->FVarName == AName) return -1;
    } else if (auto* proc = dynamic_cast<TQelProcLocalNamespace*>(ns)) {
      const TQelProcLocal* local = proc->FProcedure->FindLocal(AName);
      if (!local || local->FLocalType != ltConst) return -1;
      return static_cast<const TQelLocalConstDecl*>(local)->FIndex;
    } else {
      return -1;
    }
  }
  return -1;
}

// ---------------------------------------------------------------------------------------------
// Constant folding

bool QelLiteralValue(const TQelExpression* AExpr, VARIANT& AValue) {
  if (auto* literal = dynamic_cast<const TQelLiteral*>(AExpr))
    return VariantCopy(&AValue, &literal->FValue) == S_OK;
  auto* unary = dynamic_cast<const TQelUnaryExpr*>(AExpr);
  if (!unary || unary->FOperator == uopNot) return false;
  auto* operand = dynamic_cast<const TQelLiteral*>(unary->FExpr.get());
  if (!operand) return false;
  const VARIANT& v = operand->FValue;
  if (v.vt != VT_I4 && v.vt != VT_R8) return false;
  AValue = v;
  if (unary->FOperator == uopMinus) {
    if (v.vt == VT_I4)
      AValue.lVal = int32_t(0u - uint32_t(v.lVal));  // integers wrap, as the machine's minus
    else
      AValue.dblVal = -v.dblVal;
  }
  return true;
}
