// The syntax tree of the Pascal dialect: the nodes of its own, over the shared expression,
// statement and frame classes of the compiler layer (engine/compiler). Every node emits its own
// bytecode when the machine asks for it; nodes own their children, and instructions may point
// into a node's data (literal values, names), so a tree lives as long as the code emitted from
// it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/compiler/QelSctCompiler.h"

namespace qel_pas {

// Exit slots of the dialect: Exit leaves the routine, Break and Continue the loop.
inline constexpr TQelExitSlot esExit = esProc;
inline constexpr TQelExitSlot esBreak = esLoop1;
inline constexpr TQelExitSlot esContinue = esLoop2;

// ---------------------------------------------------------------------------------------------
// Expressions of the dialect

class TQelPasSetExpr : public TQelExpression {
 public:
  void DoEmit(TQelContext& C, TQelExprEmitRes AEmitRes, bool& AStdPost,
              TQelLabel* AJmpLabel) override;
  TQelStaticKind StaticKind() const override { return skOther; }

  std::vector<TQelRangeElement> FSetElements;
};

class TQelArrayExpr : public TQelExpression {
 public:
  void DoEmit(TQelContext& C, TQelExprEmitRes AEmitRes, bool& AStdPost,
              TQelLabel* AJmpLabel) override;
  TQelStaticKind StaticKind() const override { return skOther; }

  std::vector<TQelRangeElement> FArrayDims;  // both bounds always present
  VARTYPE FElemVarType = VT_VARIANT;
};

class TQelEventMakeExpr : public TQelExpression {
 public:
  void DoEmit(TQelContext& C, TQelExprEmitRes AEmitRes, bool& AStdPost,
              TQelLabel* AJmpLabel) override;
  TQelStaticKind StaticKind() const override { return skOther; }

  int FProcName = 0;
  std::u16string FStrProcName;
};

// ---------------------------------------------------------------------------------------------
// Statements of the dialect

class TQelPasEmptyStmt : public TQelStatement {
 public:
  void DoEmit(TQelContext& C) override;
  bool IsEmpty() const override { return true; }
};

class TQelIfStmt : public TQelStatement {
 public:
  void DoEmit(TQelContext& C) override;
  TQelExprPtr FIfExpr;
  TQelStmtPtr FThenStmt;
  TQelStmtPtr FElseStmt;  // may be nil
};

class TQelRepeatStmt : public TQelStatement {
 public:
  void DoEmit(TQelContext& C) override;
  TQelStmtList FStmtList;
  TQelExprPtr FRepeatExpr;
};

class TQelWhileStmt : public TQelStatement {
 public:
  void DoEmit(TQelContext& C) override;
  TQelStmtPtr FStmt;
  TQelExprPtr FWhileExpr;
};

// for ... to/downto ... do: Break leaves it, Continue goes to the increment.
class TQelPasForStmt : public TQelForStmt {
 public:
  TQelPasForStmt() {
    FBreakSlot = esBreak;
    FContinueSlot = esContinue;
  }
  void EmitBody(TQelContext& C) override { FStmt->EmitByteCode(C); }
  TQelStmtPtr FStmt;
};

// ---------------------------------------------------------------------------------------------
// Declarations

// A global variable or constant initializer: a global statement that stores a value.
class TQelGlobalIniter : public IQelEmitable {
 public:
  TQelGlobalIniter(TQelGlobalValuedObject* ATarget, TQelInstrCode AStoreCode, TQelExprPtr AIniter)
      : FTarget(ATarget), FStoreCode(AStoreCode), FIniter(std::move(AIniter)) {}
  void Emit(TQelAbstractNamespace* ANamespace, TQelByteCode* AByteCode) override;

  TQelGlobalValuedObject* FTarget;  // not owned
  TQelInstrCode FStoreCode;         // icAssignGlobalVar or icAssignGlobalConst
  TQelExprPtr FIniter;
};

enum TQelProcKind : uint8_t { pkFunction, pkProcedure };

// A Pascal routine: its constants and initialized variables are set up before the body.
class TQelPasProcedureDecl : public TQelProcedureDecl {
 public:
  TQelPasProcedureDecl(int AName, const std::u16string& AStrName, TQelProcKind AKind)
      : TQelProcedureDecl(AName, AStrName, AKind == pkFunction), FProcKind(AKind) {}

  TQelProcKind FProcKind;

 protected:
  void EmitPrologue(TQelContext& C) override;
};

}  // namespace qel_pas
