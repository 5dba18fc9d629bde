// The Pascal dialect: compile errors, parser and language object.
//
// The machine reaches the dialect only through TQelPasLanguage (an IQelLanguage): it creates a
// TQelPasParser bound to its callbacks, which reads the whole source, reports global objects
// and global statements, and leaves emission to the syntax tree (QelSctPasTree.h).
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "engine/compiler/QelSctCompiler.h"
#include "engine/pascal/QelSctPasScanner.h"
#include "engine/pascal/QelSctPasTree.h"
#include "engine/vm/QelSctVMCompBase.h"

class EQelPasCompiler : public EQelCompileBase {
  QEL_CLASS(EQelPasCompiler, EQelCompileBase)
 public:
  using EQelCompileBase::EQelCompileBase;
};

enum TQelPasParserTryState : uint8_t { ptsNowhere, ptsInTry, ptsInExcept, ptsInFinally };

class TQelPasParser : public IQelParserBase {
 public:
  using TQelPasProcedureDecl = qel_pas::TQelPasProcedureDecl;
  explicit TQelPasParser(IQelParserCallbacks* ACbs);
  ~TQelPasParser() override;

  void Parse(const std::u16string& ASource) override;
  std::unique_ptr<IQelEmitable> ParseStmt(const std::u16string& ASource) override;
  std::unique_ptr<IQelEmitable> ParseExpr(const std::u16string& ASource) override;

 private:
  // primitives
  TQelPasToken Token() const { return FScanner.FToken; }
  void Check(TQelPasTokenSet ASet);
  void Expect(TQelPasTokenSet ASet);
  void Consume();
  int Name(std::u16string& AText);
  [[noreturn]] void Duplicate(const std::u16string& AName);
  [[noreturn]] void InvalidToken();
  // program and declarations
  void ParseProgram();
  void ParseUses();
  // A var or const section: entries "name ..." (var: comma lists) each ended by ";",
  // repeated while an identifier follows; AEntry parses what follows each name.
  using TEntryProc = std::function<void(int AName, const std::u16string& AText)>;
  void ParseSection(TQelPasToken AKeyword, const TEntryProc& AEntry);
  void ParseGlobalSection(TQelPasToken AKeyword);
  void ParseProcedure();
  void ParseParams(TQelPasProcedureDecl& AProc);
  void ParseLocalSection(TQelPasProcedureDecl& AProc);
  void AddLocal(TQelPasProcedureDecl& AProc, std::unique_ptr<TQelProcLocal> ALocal);
  void RegisterGlobal(TQelGlobalObject* AObj);
  // statements
  TQelStmtPtr ParseStatement();
  void ParseStmtList(TQelStmtList& AList);
  TQelStmtPtr ParseSimpleStatement();
  TQelStmtPtr ParseCompound();
  TQelStmtPtr ParseIf();
  TQelStmtPtr ParseCase();
  void ParseCaseSelector(TQelCaseStmt& ACase);
  TQelStmtPtr ParseRepeat();
  TQelStmtPtr ParseWhile();
  TQelStmtPtr ParseFor();
  TQelStmtPtr ParseRaise();
  TQelStmtPtr ParseTry();
  std::unique_ptr<TQelExceptionBlock> ParseExceptionBlock();
  bool HandlerHasVariable();
  // expressions
  TQelExprPtr ParseExpression();
  // One level of two-operand operators (0: relations, 1: adding, 2: multiplying).
  TQelExprPtr ParseLevel(int ALevel);
  TQelExprPtr ParseFactor();
  TQelExprPtr MakeBinary(TQelExprPtr ALeft, TQelInstrCode AOp, TQelExprPtr ARight);
  std::unique_ptr<TQelDesignatorExpr> ParseDesignator();
  void ParseBracketArgs(TQelDesignatorItem& AItem);
  TQelExprPtr ParseSet();
  TQelExprPtr ParseArray();
  TQelExprPtr ParseEventMake();
  TQelRangeElement ParseRange(bool ARequireBoth);

  IQelParserCallbacks* FCbs;
  TQelPasScanner FScanner{true};
  TQelPasParserTryState FTryState = ptsNowhere;
  int FLastSkippedPos = 0;
  int FDepth = 0;
};

// The language object: creates parsers and hands the machine the dialect's global objects.
class TQelPasLanguage : public IQelLanguage {
 public:
  std::unique_ptr<IQelParserBase> CreateParser(IQelParserCallbacks* ACallbacks) override;
  void EnumGlobalObjects(const std::function<void(TQelGlobalObject*)>& AProc) override;
  std::u16string GetUnassignedText() override { return u"Unassigned"; }
  std::u16string GetNilText() override { return u"nil"; }
  std::u16string GetNullText() override { return u"Null"; }
  std::u16string QuoteString(const std::u16string& AText) override;
};

// The shared language object the runner gives every Pascal machine.
IQelLanguagePtr QelPasLanguage();
