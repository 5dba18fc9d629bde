// The language-neutral compiler layer: what the Pascal and the VB compilers share.
//
// Both dialects are untyped, resolve names at run time and emit the same instruction shapes, so
// the emission context, the expression and statement bases, designators (call chains bound to
// slots where a local is known), conditions fused into jumps with the Boolean rule for and/or,
// protected blocks with their exit trampolines, loops, case dispatch, procedure frames with
// their namespaces, and the parser's nesting guard live here once. Each dialect keeps its own
// syntax (scanner, grammar, statement forms that differ) in its own namespace.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/vm/QelSctVMCompBase.h"

// Raises the compiling dialect's error class with a 1-based source position.
using TQelRaiseCompileError = void (*)(const std::u16string& AMessage, int ASourcePos);

// ---------------------------------------------------------------------------------------------
// Emission context

// Where the constructs that leave a block jump: slot 0 leaves the routine (Pascal Exit, VB Exit
// Function/Sub and Return); slots 1 and 2 leave or continue the enclosing loops (Pascal Break
// and Continue, VB Exit Do and Exit For). A slot without a label is none.
enum TQelExitSlot : uint8_t { esProc = 0, esLoop1 = 1, esLoop2 = 2 };
inline constexpr int QelExitSlotCount = 3;
using TQelExitLabels = std::array<TQelLabel*, QelExitSlotCount>;

// Emission state passed through every emitting operation.
struct TQelContext {
  TQelByteCode* Code = nullptr;
  TQelTry* CurReraise = nullptr;
  TQelAbstractNamespace* CurNamespace = nullptr;
  // Calls by name carry these labels for the dialect's exit objects (Pascal's Exit, Break and
  // Continue are found by name at run time); a dialect without such objects never reads them.
  TQelExitLabels CurExits{};
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

// Restores a value (a context field, a parser state) however a scope is left.
template <class T>
class TQelRestore {
 public:
  explicit TQelRestore(T& AValue) : FValue(AValue), FSaved(AValue) {}
  ~TQelRestore() { FValue = FSaved; }
  const T& Saved() const { return FSaved; }
  TQelRestore(const TQelRestore&) = delete;
  TQelRestore& operator=(const TQelRestore&) = delete;

 private:
  T& FValue;
  T FSaved;
};

// ---------------------------------------------------------------------------------------------
// Parser nesting guard

// Nesting of statements and expressions deeper than this is refused with SQelTooDeep, so that
// no source text can exhaust the native stack while parsing, emitting or freeing a tree.
inline constexpr int QelMaxNesting = 500;
inline constexpr const char16_t* SQelTooDeep = u"Statements or expressions nested too deeply";

// Counts one level of recursive descent; refuses nesting beyond QelMaxNesting.
class TQelDepthGuard {
 public:
  TQelDepthGuard(int& ADepth, int AErrorPos, TQelRaiseCompileError ARaise) : FDepth(ADepth) {
    if (++FDepth > QelMaxNesting) {
      --FDepth;
      ARaise(SQelTooDeep, AErrorPos);
    }
  }
  ~TQelDepthGuard() { --FDepth; }
  TQelDepthGuard(const TQelDepthGuard&) = delete;
  TQelDepthGuard& operator=(const TQelDepthGuard&) = delete;

 private:
  int& FDepth;
};

// ---------------------------------------------------------------------------------------------
// Expressions

class TQelExpression : public IQelEmitable {
 public:
  // An expression compiled alone (ParseExpr): its value is left on the stack.
  void Emit(TQelAbstractNamespace* ANamespace, TQelByteCode* AByteCode) override;
  // Pushes the value, or serves AEmitRes itself and clears AStdPost.
  virtual void DoEmit(TQelContext& C, TQelExprEmitRes AEmitRes, bool& AStdPost,
                      TQelLabel* AJmpLabel) = 0;
  virtual void DoEmitRef(TQelContext& C);
  virtual TQelStaticKind StaticKind() const { return skUnknown; }

  void EmitByteCode(TQelContext& C, TQelExprEmitRes AEmitRes, TQelLabel* AJmpLabel);
  void EmitByteCode(TQelContext& C) { EmitByteCode(C, erStack, nullptr); }
  void EmitRefByteCode(TQelContext& C);

  int FSourcePos = 0;
  int FTreeDepth = 1;  // nodes on the longest path down from here (bounded by the parser)
};
using TQelExprPtr = std::unique_ptr<TQelExpression>;
using TQelExprList = std::vector<TQelExprPtr>;

// A constant value. True and False used as conditions become a jump or nothing; the integer 0
// and Empty have instructions of their own.
class TQelLiteral : public TQelExpression {
 public:
  TQelLiteral();
  ~TQelLiteral() override;
  void DoEmit(TQelContext& C, TQelExprEmitRes AEmitRes, bool& AStdPost,
              TQelLabel* AJmpLabel) override;
  TQelStaticKind StaticKind() const override;

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

// A two-operand operator, named by the machine instruction that carries it out. icAnd and icOr
// follow the Boolean rule: short-circuit jumps when the left operand is certainly Boolean, both
// operands and the bitwise instruction when it certainly is not, and a run-time decision
// otherwise (see CompExpr.cpp).
class TQelBinaryExpr : public TQelExpression {
 public:
  // Frees a left-deep chain link by link: 100,000 operands must not recurse natively.
  ~TQelBinaryExpr() override;
  void DoEmit(TQelContext& C, TQelExprEmitRes AEmitRes, bool& AStdPost,
              TQelLabel* AJmpLabel) override;
  TQelStaticKind StaticKind() const override;

  TQelExprPtr FLeftExpr;
  TQelExprPtr FRightExpr;
  TQelInstrCode FInstr = icPlus;

 private:
  void EmitShortCircuit(TQelContext& C, TQelExprEmitRes AEmitRes, TQelLabel* AJmpLabel);
  void EmitDynamicAndOr(TQelContext& C);
};

// A two-operand node at APos; a tree nested deeper than QelMaxNesting is refused there. A
// left-deep chain of operators other than and/or (a + b + c ...) is parsed, emitted and freed
// without recursion, so its links do not count as nesting; its right operands do.
TQelExprPtr QelMakeBinary(TQelExprPtr ALeft, TQelInstrCode AInstr, TQelExprPtr ARight, int APos,
                          TQelRaiseCompileError ARaise);

class TQelDesignatorItem {
 public:
  bool IsNamed() const { return !FStrName.empty(); }

  int FName = -1;
  std::u16string FStrName;
  TQelExprList FArgs;
  TQelBracketType FBracketType = bkNon;
  int FSourcePos = 0;
  bool FIsResultUsed = true;
};
using TQelDesignatorItemPtr = std::unique_ptr<TQelDesignatorItem>;

// Hooks that take over one item of a designator emission: Claims says whether the hook chooses
// the item's instruction (Choose then gives it, its operand, and whether it needs a result
// cell); BeforeItem runs just before the item's instruction, after its arguments; SourcePosOf
// gives the position the item's instruction reports.
class TQelDesignatorHooks {
 public:
  virtual ~TQelDesignatorHooks() = default;
  virtual bool Claims(const TQelDesignatorItem& AItem, bool AIsLast) = 0;
  virtual bool Choose(TQelContext& C, TQelDesignatorItem& AItem, bool AIsFirst,
                      TQelInstrCode& ACode, intptr_t& AData) = 0;
  virtual void BeforeItem(TQelContext& C, const TQelDesignatorItem& AItem) {}
  virtual int SourcePosOf(const TQelDesignatorItem& AItem) { return AItem.FSourcePos; }
};

class TQelDesignatorExpr : public TQelExpression {
 public:
  void DoEmit(TQelContext& C, TQelExprEmitRes AEmitRes, bool& AStdPost,
              TQelLabel* AJmpLabel) override;
  void DoEmitRef(TQelContext& C) override;
  void EmitDesignator(TQelContext& C, bool AAsRef, TQelDesignatorHooks* AHooks);

  std::vector<TQelDesignatorItemPtr> FItems;
};

// Chooses the instruction of one designator item: a bound local when the item is a plain name
// of a local variable, parameter, result or computed constant, else a call by name. Returns
// whether the item needs a reserved result cell.
bool QelResolveItem(TQelContext& C, TQelDesignatorItem& AItem, TQelInstrCode& ACode,
                    intptr_t& AData, bool AHasValue, bool AHasObject);

// A one-item designator naming AName (loop variables, ReDim targets).
std::unique_ptr<TQelDesignatorExpr> QelNameDesignator(int AName, const std::u16string& AStrName,
                                                      int ASourcePos);

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

template <class T>
std::unique_ptr<T> QelNewStmt(int APos) {
  auto stmt = std::make_unique<T>();
  stmt->FSourcePos = APos;
  return stmt;
}

class TQelStmtList {
 public:
  void Add(TQelStmtPtr AStmt) { FItems.push_back(std::move(AStmt)); }
  bool IsEmpty() const { return FItems.empty(); }
  void EmitByteCode(TQelContext& C);

  std::vector<TQelStmtPtr> FItems;
};

class TQelCompound : public TQelStatement {
 public:
  void DoEmit(TQelContext& C) override { FStmtList.EmitByteCode(C); }
  TQelStmtList FStmtList;
};

// A designator whose value is not wanted (a call statement).
class TQelExpressionStmt : public TQelStatement {
 public:
  void DoEmit(TQelContext& C) override;
  TQelExprPtr FExpr;
};

// Stores FRightExpr through the last item of FLeftExpr; the value is emitted after that item's
// arguments, just before its store instruction, which reports the statement's position (the
// assignment operator), so a failing store is reported there.
class TQelAssignmentStmt : public TQelStatement {
 public:
  void DoEmit(TQelContext& C) override;
  std::unique_ptr<TQelDesignatorExpr> FLeftExpr;
  TQelExprPtr FRightExpr;
};

class TQelRangeElement {
 public:
  TQelExprPtr FLeftExpr;
  TQelExprPtr FRightExpr;  // nil for a single value
  int FSourcePos = 0;
};

class TQelCaseSelector {
 public:
  std::vector<TQelRangeElement> FLabels;  // FRightExpr nil for a single value
  TQelStmtPtr FStmt;
};

// The value stays on the stack while the labels are tested in order; the first match jumps to
// its selector, none to the else statements.
class TQelCaseStmt : public TQelStatement {
 public:
  void DoEmit(TQelContext& C) override;
  TQelExprPtr FCaseExpr;
  std::vector<TQelCaseSelector> FSelectors;
  TQelStmtList FElseStmts;
};

// Raises FExpr, or re-raises the exception being handled when there is none.
class TQelRaiseStmt : public TQelStatement {
 public:
  void DoEmit(TQelContext& C) override;
  TQelExprPtr FExpr;  // nil: re-raise
};

// A counting loop. The exit slots it opens are the dialect's: FBreakSlot is bound after the
// loop, FContinueSlot (when the dialect has one) before the increment.
class TQelForStmt : public TQelStatement {
 public:
  void DoEmit(TQelContext& C) override;
  virtual void EmitBody(TQelContext& C) = 0;

  std::unique_ptr<TQelDesignatorExpr> FVarExpr;
  bool FDown = false;
  TQelExprPtr FFromExpr;
  TQelExprPtr FToExpr;
  TQelExprPtr FStepExpr;  // may be nil
  TQelExitSlot FBreakSlot = esLoop1;
  int FContinueSlot = -1;  // an exit slot, -1 for none
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

// One typed handler: Pascal "on [E:] Class do", VB "Catch E As Class".
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

// Typed handlers tested in order, then the catch-all (else) statements or a re-raise.
class TQelExceptionBlock {
 public:
  std::vector<std::unique_ptr<TQelExceptionSubBlock>> FBlocks;
  bool FHasElse = false;
  TQelStmtList FElseStmtList;
  int FElseSourcePos = 0;
};

// A protected block: the protected statements, an optional handling part (FHasExcept: typed
// handlers in FExceptionBlock, or plain statements in FExceptStmtList that handle everything),
// and optional finally statements wrapped around both. Exits out of the protected and handling
// statements run through trampolines that end the handling or run the finally statements first.
class TQelTryStmt : public TQelStatement {
 public:
  void DoEmit(TQelContext& C) override;

  TQelStmtList FTryStmtList;
  bool FHasExcept = false;
  TQelStmtList FExceptStmtList;
  std::unique_ptr<TQelExceptionBlock> FExceptionBlock;
  TQelStmtList FFinallyStmtList;

 private:
  void EmitFinally(TQelContext& C);
  void EmitExcept(TQelContext& C);
  void EmitHandlers(TQelContext& C, TQelTry* T, TQelLabel* LEnd);
};

// ---------------------------------------------------------------------------------------------
// Procedure frames

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
  TQelExprPtr FExpr;  // optional initializer (Pascal)
  int FIndex = -1;    // local slot, assigned at emission
};

// A local constant keeps its value in FValue when it is written as a literal; a computed one is
// evaluated on every call into slot FIndex (see the Pascal procedure's prologue).
class TQelLocalConstDecl : public TQelProcLocal {
 public:
  TQelLocalConstDecl(int AName, const std::u16string& AStrName);
  ~TQelLocalConstDecl() override;
  TQelExprPtr FExpr;
  VARIANT FValue;
  int FIndex = -1;
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

// A script procedure: its locals by name, its body, and the frame of its code. Dialects add
// what runs before the body (EmitPrologue).
class TQelProcedureDecl : public TQelProcObject {
 public:
  TQelProcedureDecl(int AName, const std::u16string& AStrName, bool AIsFunction);
  ~TQelProcedureDecl() override;
  void EmitByteCode(TQelAbstractNamespace* AGlobalNamespace) override;
  // Files a new local; false (and the local not taken) when its name is already used.
  bool AddLocal(std::unique_ptr<TQelProcLocal>& ALocal);
  TQelProcLocal* FindLocal(int AName) const;

  std::unique_ptr<TQelProcLocalNamespace> FLocalNamespace;
  TQelNameHashTable FLocalMap{true};
  std::vector<TQelParamDecl*> FParams;
  std::vector<TQelLocalVarDecl*> FLocalVars;
  std::vector<TQelLocalConstDecl*> FLocalConsts;
  TQelLocalResultDecl* FLocalResult = nullptr;
  TQelStmtList FStmtList;
  int FSourcePos = 0;
  int FEndSourcePos = 0;
  // The result is named like the routine (VB). Every use of the bare name is bound at compile
  // time; at run time the name is looked up only by calls with parentheses, which mean the
  // routine, so the run-time lookup passes the result by and the call site can remember the
  // routine.
  bool FResultIsRoutineName = false;

 protected:
  virtual void EmitPrologue(TQelContext& C) {}
};

// The slot of a computed local constant visible from ANamespace, -1 when AName is none.
int QelConstSlot(TQelAbstractNamespace* ANamespace, int AName);

// The value of an expression written as a literal, possibly signed (constant folding of what a
// constant declaration may hold); false for anything else.
bool QelLiteralValue(const TQelExpression* AExpr, VARIANT& AValue);
