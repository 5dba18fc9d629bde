// The VB dialect: compile errors, parser and language object.
//
// The machine reaches the dialect only through TQelVbLanguage (an IQelLanguage): it creates a
// TQelVbParser bound to its callbacks, which reads the whole source, reports global objects
// and global statements, and leaves emission to the syntax tree (QelSctVbTree.h).
#pragma once

#include <memory>
#include <string>

#include "engine/compiler/QelSctCompiler.h"
#include "engine/vb/QelSctVbLanguage.h"
#include "engine/vb/QelSctVbScanner.h"
#include "engine/vb/QelSctVbTree.h"

class EQelVbCompiler : public EQelCompileBase {
  QEL_CLASS(EQelVbCompiler, EQelCompileBase)
 public:
  using EQelCompileBase::EQelCompileBase;
};

namespace qel_vb {

enum TQelVbParserTryState : uint8_t { ptsNowhere, ptsInTry, ptsInCatch, ptsInFinally };

class TQelVbParser : public IQelParserBase {
 public:
  explicit TQelVbParser(IQelParserCallbacks* ACbs);
  ~TQelVbParser() override;

  void Parse(const std::u16string& ASource) override;
  std::unique_ptr<IQelEmitable> ParseStmt(const std::u16string& ASource) override;
  std::unique_ptr<IQelEmitable> ParseExpr(const std::u16string& ASource) override;

  // The VBScript front end (engine/vbscript) derives its parser from this one: the grammar
  // both languages share stays here, its own statements come in through the virtual rules.
 protected:
  // primitives
  TQelVbToken Token() const { return FScanner.FToken; }
  void Check(TQelVbTokenSet ASet);
  void Expect(TQelVbTokenSet ASet);
  void Consume();
  int Name(std::u16string& AText);
  [[noreturn]] void Duplicate(const std::u16string& AName);
  [[noreturn]] void InvalidToken();
  bool AtSeparator() const;
  void SkipSeparators();
  // program and declarations
  virtual void ParseProgram();
  void ParseProcedure();
  void AddLocal(std::unique_ptr<TQelProcLocal> ALocal);
  void RegisterGlobal(TQelGlobalObject* AObj);
  VARTYPE ParseAsType();
  // statements
  void ParseStmtList(TQelStmtList& AList);
  virtual TQelStmtPtr ParseStatement();
  // Whether the current token starts a statement (VBScript's words are identifiers here).
  virtual bool AtStatementStart() const;
  // The dialect wants a colon before the Else of a one-line If; VBScript does not.
  virtual bool ElseEndsOneLineIf() const { return false; }
  TQelStmtPtr ParseIdentifierStmt();
  TQelStmtPtr ParseSet();
  TQelStmtPtr ParseCall();
  TQelStmtPtr ParseDim();
  TQelStmtPtr ParseRedim();
  TQelStmtPtr ParseErase();
  TQelStmtPtr ParseIf();
  TQelStmtPtr ParseFor();
  TQelStmtPtr ParseDo();
  TQelStmtPtr ParseSelect();
  TQelStmtPtr ParseExit();
  TQelStmtPtr ParseTry();
  TQelStmtPtr ParseThrow();
  TQelStmtPtr ParseReturn();
  bool CatchHasVariable();
  // expressions
  TQelExprPtr ParseExpression();
  TQelExprPtr ParseLevel(int ALevel);
  TQelExprPtr ParseTypeOf();
  TQelExprPtr ParseFactor();
  // Every two-operand node is made here (VBScript gives '&' operands its own text form).
  virtual TQelExprPtr MakeBinary(TQelExprPtr ALeft, TQelInstrCode AOp, TQelExprPtr ARight,
                                 int APos);
  std::unique_ptr<TQelDesignatorExpr> ParseDesignator();
  void ParseDesignatorRest(TQelDesignatorExpr& ADesignator);
  // Every designator that starts with a name, once parsed (VBScript notes undeclared names).
  virtual void DesignatorParsed(TQelDesignatorExpr& ADesignator) {}
  // The name id (and in AText, when given) of the variable holding the object of the
  // innermost With, whose members ".Name" reaches; -1 outside With (the VB dialect has none).
  virtual int WithObjectName(std::u16string* AText) { return -1; }
  // Whether the dot at the cursor starts an argument (".Member" of a With) rather than a
  // member of the designator before it; never in the VB dialect.
  virtual bool DotStartsArgument() const { return false; }
  void ParseRoundArgs(TQelDesignatorExpr& ADesignator);
  TQelExprPtr ParseNew();
  // Every New expression, once parsed (VBScript binds the names of its own classes).
  virtual void NewParsed(TQelVbNewExpr& ANew) {}
  // A parenthesised expression, once its ')' is read (VBScript lets "(New C).Member" go on).
  virtual void GroupParsed(TQelExprPtr& AInner) {}

  IQelParserCallbacks* FCbs;
  TVBScanner FScanner{true};
  int FLastSkippedPos = 0;
  TQelVbProcDecl* FCurrentProc = nullptr;
  int FExitPntCounts[4] = {0, 0, 0, 0};  // by TQelVbExitType
  int FOnlyColonBRCount = 0;
  TQelVbParserTryState FTryState = ptsNowhere;
  int FDepth = 0;
  // Of the last designator parsed: whether it ended in parentheses and how many arguments
  // that group held (the call statement's rules need both).
  bool FLastEndedInGroup = false;
  size_t FLastGroupArgs = 0;
};

}  // namespace qel_vb

// The language object: creates parsers and hands the machine the dialect's global objects.
class TQelVbLanguage : public IQelLanguage {
 public:
  std::unique_ptr<IQelParserBase> CreateParser(IQelParserCallbacks* ACallbacks) override;
  void EnumGlobalObjects(const std::function<void(TQelGlobalObject*)>& AProc) override;
  std::u16string GetUnassignedText() override { return u"Empty"; }
  std::u16string GetNilText() override { return u"Nothing"; }
  std::u16string GetNullText() override { return u"Null"; }
  std::u16string QuoteString(const std::u16string& AText) override;
};
