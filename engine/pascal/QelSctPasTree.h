// The syntax tree of the Pascal dialect. Every node emits its own bytecode when the machine
// asks for it; nodes own their children, and instructions may point into a node's data
// (literal values, names), so a tree lives as long as the code emitted from it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/vm/QelSctVMCompBase.h"

// The three jump targets of Exit, Break and Continue at a point of the code; nil when none.
struct TQelEBC {
  TQelLabel* ExitL = nullptr;
  TQelLabel* BreakL = nullptr;
  TQelLabel* ContinueL = nullptr;
};

// Emission state passed through every emitting operation.
struct TQelContext {
  TQelByteCode* Code = nullptr;
  TQelTry* CurReraise = nullptr;
  TQelAbstractNamespace* CurNamespace = nullptr;
  TQelEBC CurEBC;
};

// What the caller wants of an emitted expression.
enum TQelExprEmitRes : uint8_t { erNoRes, erStack, erPopJmpIfTrue, erPopJmpIfFalse };

// What the compiler can tell of an expression's value without running it. Only a value known to
// be Boolean may be short-circuited or folded into jumps; a value known to be something else
// takes the machine's bitwise operators.
enum TQelStaticKind : uint8_t { skUnknown, skBoolean, skOther };

// Keeps the position stamped on emitted instructions for the lifetime of a scope.
class TQelSourcePosScope {
 public:
  TQelSourcePosScope(TQelByteCode* ACode, int APos) : FCode(ACode) {
    FCode->BeginSourcePos(APos, FOld);
  }
  ~TQelSourcePosScope() { FCode->EndSourcePos(FOld); }
  TQelSourcePosScope(const TQelSourcePosScope&) = delete;
  TQelSourcePosScope& operator=(const TQelSourcePosScope&) = delete;

 private:
  TQelByteCode* FCode;
  int FOld = -1;
};

// ---------------------------------------------------------------------------------------------
// Expressions

class TQelExpression : public IQelEmitable {
 public:
  // An expression compiled alone (ParseExpr): its value is left on the stack.
  void Emit(TQelAbstractNamespace* ANamespace, TQelByteCode* AByteCode) override;
  virtual void DoEmit(TQelContext& C, TQelExprEmitRes AEmitRes, bool& AStdPost,
                      TQelLabel* AJmpLabel) = 0;
  virtual void DoEmitRef(TQelContext& C);
  virtual TQelStaticKind StaticKind() const { return skUnknown; }

  void EmitByteCode(TQelContext& C, TQelExprEmitRes AEmitRes, TQelLabel* AJmpLabel);
  void EmitByteCode(TQelContext& C) { EmitByteCode(C, erStack, nullptr); }
  void EmitRefByteCode(TQelContext& C);

  int FSourcePos = 0;  // end of the expression's last token
  int FTreeDepth = 1;  // nodes on the longest path down from here (bounded by the parser)
};
using TQelExprPtr = std::unique_ptr<TQelExpression>;
using TQelExprList = std::vector<TQelExprPtr>;

class TQelLiteral : public TQelExpression {
 public:
  TQelLiteral();
  ~TQelLiteral() override;
  void DoEmit(TQelContext& C, TQelExprEmitRes AEmitRes, bool& AStdPost,
              TQelLabel* AJmpLabel) override;
  TQelStaticKind StaticKind() const override { return skOther; }

  VARIANT FValue;
};

enum TQelUnaryOp : uint8_t { uopPlus, uopMinus, uopNot };

class TQelUnaryExpr : public TQelExpression {
 public:
  void DoEmit(TQelContext& C, TQelExprEmitRes AEmitRes, bool& AStdPost,
              TQelLabel* AJmpLabel) override;
  TQelStaticKind StaticKind() const override;

  TQelUnaryOp FOperator = uopPlus;
  TQelExprPtr FExpr;
};

enum TQelBinaryOp : uint8_t {
  bopGreater, bopGreaterEqual, bopEqual, bopLess, bopLessEqual, bopNotEqual, bopIn, bopIs,
  bopPlus, bopMinus, bopOr, bopXor, bopMultiply, bopDivide, bopDiv, bopMod, bopAnd, bopShl,
  bopShr
};

class TQelBinaryExpr : public TQelExpression {
 public:
  void DoEmit(TQelContext& C, TQelExprEmitRes AEmitRes, bool& AStdPost,
              TQelLabel* AJmpLabel) override;
  TQelStaticKind StaticKind() const override;

  TQelExprPtr FLeftExpr;
  TQelExprPtr FRightExpr;
  TQelBinaryOp FOperator = bopPlus;

 private:
  void EmitShortCircuit(TQelContext& C, TQelExprEmitRes AEmitRes, TQelLabel* AJmpLabel);
  void EmitDynamicAndOr(TQelContext& C);
};

class TQelDesignatorItem {
 public:
  bool IsNamed() const { return !FStrName.empty(); }

  int FName = 0;
  std::u16string FStrName;
  TQelExprList FArgs;
  TQelBracketType FBracketType = bkNon;
  int FSourcePos = 0;
  bool FIsResultUsed = true;
};

class TQelDesignatorExpr;

// Hooks the assignment statement gives the designator emission: ClaimLast chooses the
// instruction of the last item (it returns the instruction and its operand, and whether the
// item needs a result cell); BeforeLast emits the assigned value before that instruction.
class TQelDesignatorHooks {
 public:
  virtual ~TQelDesignatorHooks() = default;
  virtual void ClaimLast(TQelContext& C, TQelDesignatorItem& AItem, bool AIsFirst,
                         TQelInstrCode& ACode, intptr_t& AData) = 0;
  virtual void BeforeLast(TQelContext& C) = 0;
};

class TQelDesignatorExpr : public TQelExpression {
 public:
  void DoEmit(TQelContext& C, TQelExprEmitRes AEmitRes, bool& AStdPost,
              TQelLabel* AJmpLabel) override;
  void DoEmitRef(TQelContext& C) override;
  void EmitDesignator(TQelContext& C, bool AAsRef, TQelDesignatorHooks* AHooks);

  std::vector<std::unique_ptr<TQelDesignatorItem>> FItems;
};

// Chooses the instruction of one designator item: a bound local when the item is a plain name
// of a local variable, parameter or the result, else a call by name. Returns whether the item
// needs a reserved result cell.
bool QelPasResolveItem(TQelContext& C, TQelDesignatorItem& AItem, TQelInstrCode& ACode,
                       intptr_t& AData, bool AHasValue, bool AHasObject);

// The slot of a computed local constant visible from ANamespace, -1 when AName is none.
int QelPasConstSlot(TQelAbstractNamespace* ANamespace, int AName);

class TQelRangeElement {
 public:
  TQelExprPtr FLeftExpr;
  TQelExprPtr FRightExpr;  // nil for a single value
  int FSourcePos = 0;
};

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
// Statements

class TQelStatement : public IQelEmitable {
 public:
  // A global statement: emitted with a fresh context.
  void Emit(TQelAbstractNamespace* ANamespace, TQelByteCode* AByteCode) override;
  virtual void DoEmit(TQelContext& C) = 0;
  virtual bool IsEmpty() const { return false; }
  void EmitByteCode(TQelContext& C);

  int FSourcePos = 0;
};
using TQelStmtPtr = std::unique_ptr<TQelStatement>;

class TQelStmtList {
 public:
  void Add(TQelStmtPtr AStmt) { FItems.push_back(std::move(AStmt)); }
  bool IsEmpty() const { return FItems.empty(); }
  void EmitByteCode(TQelContext& C);

  std::vector<TQelStmtPtr> FItems;
};

class TQelPasEmptyStmt : public TQelStatement {
 public:
  void DoEmit(TQelContext& C) override;
  bool IsEmpty() const override { return true; }
};

class TQelCompound : public TQelStatement {
 public:
  void DoEmit(TQelContext& C) override { FStmtList.EmitByteCode(C); }
  TQelStmtList FStmtList;
};

class TQelExpressionStmt : public TQelStatement {
 public:
  void DoEmit(TQelContext& C) override;
  TQelExprPtr FExpr;
};

class TQelAssignmentStmt : public TQelStatement {
 public:
  void DoEmit(TQelContext& C) override;
  std::unique_ptr<TQelDesignatorExpr> FLeftExpr;
  TQelExprPtr FRightExpr;
};

class TQelIfStmt : public TQelStatement {
 public:
  void DoEmit(TQelContext& C) override;
  TQelExprPtr FIfExpr;
  TQelStmtPtr FThenStmt;
  TQelStmtPtr FElseStmt;  // may be nil
};

class TQelCaseSelector {
 public:
  std::vector<TQelRangeElement> FLabels;  // FRightExpr nil for a single value
  TQelStmtPtr FStmt;
};

class TQelCaseStmt : public TQelStatement {
 public:
  void DoEmit(TQelContext& C) override;
  TQelExprPtr FCaseExpr;
  std::vector<TQelCaseSelector> FSelectors;
  TQelStmtList FElseStmts;
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

enum TQelForCounterKind : uint8_t { ckTo, ckDownto };

class TQelForStmt : public TQelStatement {
 public:
  void DoEmit(TQelContext& C) override;
  std::unique_ptr<TQelDesignatorExpr> FVarExpr;
  TQelForCounterKind FCounterKind = ckTo;
  TQelExprPtr FFromExpr;
  TQelExprPtr FToExpr;
  TQelStmtPtr FStmt;
};

class TQelRaiseStmt : public TQelStatement {
 public:
  void DoEmit(TQelContext& C) override;
  TQelExprPtr FExpr;  // nil: re-raise
};

// The scope of an exception handler that binds a variable: that one name, then the parent.
class TQelExcSubBlockNamespace : public TQelAbstractNamespace {
 public:
  TQelExcSubBlockNamespace(TQelAbstractNamespace* AParent, int AVarName,
                           const std::u16string& AVarSName, int AVarIndex)
      : TQelAbstractNamespace(AParent), FVarName(AVarName), FVarSName(AVarSName),
        FVarIndex(AVarIndex) {}
  TQelNameSearchRes Find(TQelThread* AThread, int AName,
                         const std::u16string* AStrName) override;
  void EnumDebugVars(bool ALocalsOnly, const TQelNamespaceEnumVarsProc& AProc) override;
  TQelNameSearchRes CompileTimeFind(int AName) override;

  int FVarName;
  std::u16string FVarSName;
  int FVarIndex;
};

class TQelExceptionSubBlock {
 public:
  bool HasVar() const { return FName >= 0; }

  int FName = -1;  // the handler variable's name id, -1 without a variable
  std::u16string FStrName;
  TQelExprPtr FExpr;  // the exception class
  TQelStmtPtr FStmt;
  int FSourcePos = 0;
  std::unique_ptr<TQelExcSubBlockNamespace> FNamespace;
};

class TQelExceptionBlock {
 public:
  std::vector<std::unique_ptr<TQelExceptionSubBlock>> FBlocks;
  bool FHasElse = false;
  TQelStmtList FElseStmtList;
  int FElseSourcePos = 0;
};

enum TQelTryStmtType : uint8_t { ttFinally, ttExcept };

class TQelTryStmt : public TQelStatement {
 public:
  void DoEmit(TQelContext& C) override;
  TQelStmtList FTryStmtList;
  TQelStmtList FExceptStmtList;
  std::unique_ptr<TQelExceptionBlock> FExceptionBlock;
  TQelStmtList FFinallyStmtList;
  TQelTryStmtType FTryStmtType = ttFinally;

 private:
  void EmitFinally(TQelContext& C);
  void EmitExcept(TQelContext& C);
  void EmitHandlers(TQelContext& C, TQelTry* T, TQelLabel* LEnd);
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

enum TQelProcLocalType : uint8_t { ltVar, ltConst, ltResult, ltParam };

class TQelProcLocal : public TQelNamedItem {
 public:
  TQelProcLocal(int AName, const std::u16string& AStrName, TQelProcLocalType AType);
  std::u16string FStrName;
  TQelProcLocalType FLocalType;
};

class TQelLocalVarDecl : public TQelProcLocal {
 public:
  TQelLocalVarDecl(int AName, const std::u16string& AStrName)
      : TQelProcLocal(AName, AStrName, ltVar) {}
  TQelExprPtr FExpr;  // optional initializer
  int FIndex = -1;    // local slot, assigned at emission
};

// A local constant keeps its value in FValue; the procedure's prologue evaluates the
// expression on every call and stores it there (see TQelProcedureDecl::EmitByteCode).
class TQelLocalConstDecl : public TQelProcLocal {
 public:
  TQelLocalConstDecl(int AName, const std::u16string& AStrName);
  ~TQelLocalConstDecl() override;
  TQelExprPtr FExpr;
  VARIANT FValue;
  int FIndex = -1;  // the local slot that holds the value while the procedure runs
};

class TQelLocalResultDecl : public TQelProcLocal {
 public:
  TQelLocalResultDecl(int AName, const std::u16string& AStrName)
      : TQelProcLocal(AName, AStrName, ltResult) {}
};

class TQelParamDecl : public TQelProcLocal {
 public:
  TQelParamDecl(int AName, const std::u16string& AStrName, TQelParamKind AKind)
      : TQelProcLocal(AName, AStrName, ltParam) {
    FParamInfo.Kind = AKind;
  }
  TQelParamInfo FParamInfo;
};

class TQelProcedureDecl;

class TQelProcLocalNamespace : public TQelAbstractNamespace {
 public:
  TQelProcLocalNamespace(TQelProcedureDecl* AProcedure, TQelAbstractNamespace* AParent)
      : TQelAbstractNamespace(AParent), FProcedure(AProcedure) {}
  TQelNameSearchRes Find(TQelThread* AThread, int AName,
                         const std::u16string* AStrName) override;
  void EnumDebugVars(bool ALocalsOnly, const TQelNamespaceEnumVarsProc& AProc) override;
  TQelNameSearchRes CompileTimeFind(int AName) override;

  TQelProcedureDecl* FProcedure;
};

enum TQelProcKind : uint8_t { pkFunction, pkProcedure };

class TQelProcedureDecl : public TQelProcObject {
 public:
  TQelProcedureDecl(int AName, const std::u16string& AStrName, TQelProcKind AKind);
  ~TQelProcedureDecl() override;
  void EmitByteCode(TQelAbstractNamespace* AGlobalNamespace) override;
  // Files a new local; false (and the local not taken) when its name is already used.
  bool AddLocal(std::unique_ptr<TQelProcLocal>& ALocal);
  TQelProcLocal* FindLocal(int AName) const;

  TQelProcKind FProcKind;
  std::unique_ptr<TQelProcLocalNamespace> FLocalNamespace;
  TQelNameHashTable FLocalMap{true};
  std::vector<TQelParamDecl*> FParams;
  std::vector<TQelLocalVarDecl*> FLocalVars;
  std::vector<TQelLocalConstDecl*> FLocalConsts;
  TQelLocalResultDecl* FLocalResult = nullptr;
  TQelStmtList FStmtList;
  int FSourcePos = 0;
  int FEndSourcePos = 0;
};
