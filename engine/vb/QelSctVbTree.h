// The syntax tree of the VB dialect: the nodes of its own, over the shared expression,
// statement and frame classes of the compiler layer (engine/compiler). Nodes own their
// children; instructions may point into a node's data, so a tree lives as long as its code.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/compiler/QelSctCompiler.h"

namespace qel_vb {

// Exit slots of the dialect: Exit Function/Sub and Return leave the routine, Exit Do and Exit
// For their loops (in this order: the trampolines of protected blocks serve Do before For).
inline constexpr TQelExitSlot esDo = esLoop1;
inline constexpr TQelExitSlot esFor = esLoop2;

enum TQelVbExitType : uint8_t { etFor, etDo, etFunction, etSub };

// ---------------------------------------------------------------------------------------------
// Expressions of the dialect

// New Path.Class[(args)]...: the items before FNewCallItem evaluate the class, which the
// creation call finds in its object position.
class TQelVbNewExpr : public TQelDesignatorExpr {
 public:
  void DoEmit(TQelContext& C, TQelExprEmitRes AEmitRes, bool& AStdPost,
              TQelLabel* AJmpLabel) override;
  void DoEmitRef(TQelContext& C) override;
  TQelStaticKind StaticKind() const override { return skOther; }

  TQelDesignatorItem* FNewCallItem = nullptr;  // owned by FItems
};

// ---------------------------------------------------------------------------------------------
// Statements of the dialect

// Call Designator: the last item gets parentheses, so a name alone is called.
class TQelVbCallStmt : public TQelExpressionStmt {
 public:
  void DoEmit(TQelContext& C) override;
};

class TQelVbDimVarDecl {
 public:
  int FIdentifier = -1;
  bool FIsArray = false;
  TQelExprList FArrayDims;
  int FSourcePos = 0;
  TQelLocalVarDecl* FLocal = nullptr;   // the declared local (not owned), or
  TQelVarObject* FGlobal = nullptr;     // the declared global (not owned)
  VARTYPE FElemType = VT_VARIANT;
  TQelExprPtr FIniter;
};

class TQelVbDimStmt : public TQelStatement {
 public:
  void DoEmit(TQelContext& C) override;
  std::vector<TQelVbDimVarDecl> FVarDecls;
};

class TQelVbRedimVarDecl {
 public:
  std::unique_ptr<TQelDesignatorExpr> FVarExpr;
  TQelExprList FArrayDims;
  int FSourcePos = 0;
  VARTYPE FElemType = VT_VARIANT;
};

class TQelVbRedimStmt : public TQelStatement {
 public:
  void DoEmit(TQelContext& C) override;
  bool FPreserve = false;
  std::vector<TQelVbRedimVarDecl> FVarDecls;
};

class TQelVbEraseStmt : public TQelStatement {
 public:
  void DoEmit(TQelContext& C) override;
  std::unique_ptr<TQelDesignatorExpr> FExpr;
};

class TQelVbIfBlock {
 public:
  TQelExprPtr FCondition;
  TQelStmtList FStmtList;
  int FSourcePos = 0;
};

class TQelVbIfStmt : public TQelStatement {
 public:
  void DoEmit(TQelContext& C) override;
  std::vector<TQelVbIfBlock> FBlocks;
  TQelStmtList FElseStmtList;
};

class TQelVbForStmt : public TQelForStmt {
 public:
  TQelVbForStmt() { FBreakSlot = esFor; }
  void EmitBody(TQelContext& C) override { FStmts.EmitByteCode(C); }
  TQelStmtList FStmts;
};

enum TQelVbLoopType : uint8_t { ltWhile, ltUntil };
enum TQelVbConditionCheck : uint8_t { ccNoCondition, ccBeforeStmts, ccAfterStmts };

class TQelVbDoLoopStmt : public TQelStatement {
 public:
  void DoEmit(TQelContext& C) override;
  TQelVbLoopType FLoopType = ltWhile;
  TQelVbConditionCheck FCondCheck = ccNoCondition;
  TQelExprPtr FExpr;  // nil without condition
  TQelStmtList FStmts;
};

class TQelVbExitStmt : public TQelStatement {
 public:
  void DoEmit(TQelContext& C) override;
  TQelVbExitType FExitType = etSub;
};

class TQelVbReturnStmt : public TQelStatement {
 public:
  void DoEmit(TQelContext& C) override;
  TQelExprPtr FExpr;  // nil in a Sub or outside procedures
};

// ---------------------------------------------------------------------------------------------
// Procedures

enum TQelVbProcKind : uint8_t { pkFunction, pkSub };

class TQelVbProcDecl : public TQelProcedureDecl {
 public:
  TQelVbProcDecl(int AName, const std::u16string& AStrName, TQelVbProcKind AKind)
      : TQelProcedureDecl(AName, AStrName, AKind == pkFunction), FProcKind(AKind) {
    FResultIsRoutineName = true;
  }
  TQelVbProcKind FProcKind;
};

}  // namespace qel_vb
