// Parser primitives, program structure and declarations.
#include "engine/pascal/PasParserSets.h"

[[noreturn]] void QelPasRaiseError(const std::u16string& AMessage, int ASourcePos) {
  RaiseException(new EQelPasCompiler(AMessage, ASourcePos));
}

TQelPasParser::TQelPasParser(IQelParserCallbacks* ACbs) : FCbs(ACbs) {}
TQelPasParser::~TQelPasParser() = default;

void TQelPasParser::InvalidToken() {
  QelPasRaiseError(u"Invalid token: " + TQelPasScanner::TokenToStr(Token()) + u".",
                   FScanner.FTokenEndPos);
}

void TQelPasParser::Check(TQelPasTokenSet ASet) {
  if (!ASet.Contains(Token())) InvalidToken();
}

void TQelPasParser::Expect(TQelPasTokenSet ASet) {
  Check(ASet);
  Consume();
}

void TQelPasParser::Consume() {
  FLastSkippedPos = FScanner.FTokenEndPos;
  FScanner.SkipToken();
}

int TQelPasParser::Name(std::u16string& AText) {
  Check({ptIdentifier});
  AText = FScanner.FSData;
  const int id = FCbs->GetNameId(AText);
  Consume();
  return id;
}

void TQelPasParser::Duplicate(const std::u16string& AName) {
  QelPasRaiseError(u"Object or value named '" + AName + u"' already exists.", FLastSkippedPos);
}

void TQelPasParser::RegisterGlobal(TQelGlobalObject* AObj) {
  std::unique_ptr<TQelGlobalObject> obj(AObj);
  bool dup = false;
  FCbs->GlobalObjParsed(obj.get(), dup);
  if (dup) Duplicate(obj->FStrName);
  obj.release();  // accepted: the callee owns it now
}

void TQelPasParser::Parse(const std::u16string& ASource) {
  FScanner.Start(ASource);
  ParseProgram();
}

std::unique_ptr<IQelEmitable> TQelPasParser::ParseStmt(const std::u16string& ASource) {
  FScanner.Start(ASource);
  TQelStmtPtr stmt = ParseStatement();
  Check({ptEOf});
  return stmt;
}

std::unique_ptr<IQelEmitable> TQelPasParser::ParseExpr(const std::u16string& ASource) {
  FScanner.Start(ASource);
  TQelExprPtr expr = ParseExpression();
  Check({ptEOf});
  return expr;
}

void TQelPasParser::ParseProgram() {
  Check({ptBegin, ptConst, ptFunction, ptProcedure, ptUses, ptVar, ptEOf});
  if (Token() == ptUses) ParseUses();
  for (;;) {
    switch (Token()) {
      case ptVar:
      case ptConst: ParseGlobalSection(Token()); continue;
      case ptProcedure:
      case ptFunction: ParseProcedure(); continue;
      default: break;
    }
    break;
  }
  if (Token() == ptBegin) {
    Consume();
    TQelStmtList main;
    ParseStmtList(main);
    for (TQelStmtPtr& stmt : main.FItems) FCbs->GlobalStmtParsed(std::move(stmt));
    Expect({ptEnd});
    Expect({ptSemiColon});
  }
  Check({ptEOf});
}

void TQelPasParser::ParseUses() {
  Consume();
  for (;;) {
    std::u16string text;
    Name(text);
    bool dup = false;
    FCbs->UsedUnitParsed(text, dup);
    if (dup) Duplicate(text);
    Check({ptComma, ptSemiColon});
    if (Token() != ptComma) break;
    Consume();
  }
  Expect({ptSemiColon});
}

void TQelPasParser::ParseSection(TQelPasToken AKeyword, const TEntryProc& AEntry) {
  Expect({AKeyword});
  do {
    for (;;) {
      std::u16string text;
      const int id = Name(text);
      AEntry(id, text);
      if (AKeyword != ptVar || Token() != ptComma) break;
      Consume();
    }
    Expect({ptSemiColon});
  } while (Token() == ptIdentifier);
}

// A global initializer is reported before its variable or constant is registered.
void TQelPasParser::ParseGlobalSection(TQelPasToken AKeyword) {
  ParseSection(AKeyword, [this, AKeyword](int AName, const std::u16string& AText) {
    std::unique_ptr<TQelGlobalValuedObject> obj;
    if (AKeyword == ptVar)
      obj = std::make_unique<TQelVarObject>(AName, AText);
    else
      obj = std::make_unique<TQelConstObject>(AName, AText);
    if (AKeyword == ptConst) Check({ptEqual});
    if (Token() == ptEqual) {
      Consume();
      TQelExprPtr init = ParseExpression();
      FCbs->GlobalStmtParsed(std::make_unique<TQelGlobalIniter>(
          obj.get(), AKeyword == ptVar ? icAssignGlobalVar : icAssignGlobalConst,
          std::move(init)));
    }
    RegisterGlobal(obj.release());
  });
}

// A local variable is filed as soon as its name is read, a constant after its expression.
void TQelPasParser::ParseLocalSection(TQelPasProcedureDecl& AProc) {
  const TQelPasToken keyword = Token();
  ParseSection(keyword, [&](int AName, const std::u16string& AText) {
    if (keyword == ptVar) {
      auto owned = std::make_unique<TQelLocalVarDecl>(AName, AText);
      TQelLocalVarDecl* var = owned.get();
      AddLocal(AProc, std::move(owned));
      if (Token() != ptEqual) return;
      Consume();
      var->FExpr = ParseExpression();
      return;
    }
    Expect({ptEqual});
    auto constant = std::make_unique<TQelLocalConstDecl>(AName, AText);
    constant->FExpr = ParseExpression();
    AddLocal(AProc, std::move(constant));
  });
}

void TQelPasParser::ParseProcedure() {
  Check({ptFunction, ptProcedure});
  const TQelProcKind kind = Token() == ptFunction ? pkFunction : pkProcedure;
  Consume();
  const int keywordEnd = FLastSkippedPos;
  std::u16string text;
  const int id = Name(text);
  auto proc = std::make_unique<TQelPasProcedureDecl>(id, text, kind);
  proc->FSourcePos = keywordEnd;
  if (kind == pkFunction) {
    const std::u16string result = u"Result";
    AddLocal(*proc, std::make_unique<TQelLocalResultDecl>(FCbs->GetNameId(result), result));
  }
  Check({ptOpenRound, ptSemiColon});
  if (Token() == ptOpenRound) {
    Consume();
    if (Token() != ptCloseRound) ParseParams(*proc);
    Expect({ptCloseRound});
  }
  Expect({ptSemiColon});
  Check({ptBegin, ptConst, ptVar});
  while (Token() == ptVar || Token() == ptConst) ParseLocalSection(*proc);
  Expect({ptBegin});
  Check(QelPasStatementStart);
  ParseStmtList(proc->FStmtList);
  Expect({ptEnd});
  proc->FEndSourcePos = FLastSkippedPos;
  Expect({ptSemiColon});
  RegisterGlobal(proc.release());
}

void TQelPasParser::ParseParams(TQelPasProcedureDecl& AProc) {
  for (;;) {
    TQelParamKind mode = pkSimple;
    if (Token() == ptConst) {
      mode = pkConst;
      Consume();
    } else if (Token() == ptVar || Token() == ptOut) {
      mode = pkByRef;
      Consume();
    }
    std::u16string text;
    const int id = Name(text);
    AddLocal(AProc, std::make_unique<TQelParamDecl>(id, text, mode));
    if (Token() != ptSemiColon) break;
    Consume();
  }
}

void TQelPasParser::AddLocal(TQelPasProcedureDecl& AProc, std::unique_ptr<TQelProcLocal> ALocal) {
  if (!AProc.AddLocal(ALocal)) Duplicate(ALocal->FStrName);
}
