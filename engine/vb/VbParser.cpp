// Parser primitives, program structure, procedures and declarations.
#include "engine/vb/VbParserSets.h"

[[noreturn]] void QelVbRaiseError(const std::u16string& AMessage, int ASourcePos) {
  RaiseException(new EQelVbCompiler(AMessage, ASourcePos));
}

TQelVbParser::TQelVbParser(IQelParserCallbacks* ACbs) : FCbs(ACbs) {}
TQelVbParser::~TQelVbParser() = default;

void TQelVbParser::InvalidToken() {
  QelVbRaiseError(u"Invalid token: " + TVBScanner::TokenToStr(Token()) + u".",
                  FScanner.FTokenEndPos);
}

void TQelVbParser::Check(TQelVbTokenSet ASet) {
  if (!ASet.Contains(Token())) InvalidToken();
}

void TQelVbParser::Expect(TQelVbTokenSet ASet) {
  Check(ASet);
  Consume();
}

void TQelVbParser::Consume() {
  FLastSkippedPos = FScanner.FTokenEndPos;
  FScanner.SkipToken();
}

int TQelVbParser::Name(std::u16string& AText) {
  Check({ptIdentifier});
  AText = FScanner.FSData;
  const int id = FCbs->GetNameId(AText);
  Consume();
  return id;
}

void TQelVbParser::Duplicate(const std::u16string& AName) {
  QelVbRaiseError(u"Object or value named '" + AName + u"' already exists.", FLastSkippedPos);
}

bool TQelVbParser::AtSeparator() const {
  return Token() == ptColon || (Token() == ptEOl && FOnlyColonBRCount == 0);
}

// One separator is required; further ones of the same set are absorbed.
void TQelVbParser::SkipSeparators() {
  const TQelVbTokenSet separators =
      FOnlyColonBRCount == 0 ? TQelVbTokenSet{ptColon, ptEOl} : TQelVbTokenSet{ptColon};
  Expect(separators);
  while (separators.Contains(Token())) Consume();
}

void TQelVbParser::RegisterGlobal(TQelGlobalObject* AObj) {
  std::unique_ptr<TQelGlobalObject> obj(AObj);
  bool dup = false;
  FCbs->GlobalObjParsed(obj.get(), dup);
  if (dup) Duplicate(obj->FStrName);
  obj.release();  // accepted: the callee owns it now
}

void TQelVbParser::Parse(const std::u16string& ASource) {
  FScanner.Start(ASource);
  ParseProgram();
}

std::unique_ptr<IQelEmitable> TQelVbParser::ParseStmt(const std::u16string& ASource) {
  FScanner.Start(ASource);
  TQelStmtPtr stmt = ParseStatement();
  Expect({ptEOl});
  Check({ptEOf});
  return stmt;
}

std::unique_ptr<IQelEmitable> TQelVbParser::ParseExpr(const std::u16string& ASource) {
  FScanner.Start(ASource);
  TQelExprPtr expr = ParseExpression();
  Expect({ptEOl});
  Check({ptEOf});
  return expr;
}

void TQelVbParser::ParseProgram() {
  if (AtSeparator()) SkipSeparators();
  for (;;) {
    if (AtStatementStart()) {
      TQelStmtList main;
      ParseStmtList(main);
      for (TQelStmtPtr& stmt : main.FItems) FCbs->GlobalStmtParsed(std::move(stmt));
    } else if (Token() == ptFunction || Token() == ptSub) {
      ParseProcedure();
    } else {
      break;
    }
  }
  Check({ptEOf});
}

void TQelVbParser::ParseProcedure() {
  const TQelVbProcKind kind = Token() == ptFunction ? pkFunction : pkSub;
  Consume();
  const int namePos = FScanner.FTokenStartPos;
  std::u16string text;
  const int id = Name(text);
  auto proc = std::make_unique<TQelVbProcDecl>(id, text, kind);
  proc->FSourcePos = namePos;
  TQelRestore<TQelVbProcDecl*> current(FCurrentProc);
  FCurrentProc = proc.get();
  // A function's result is set by assigning to its own name.
  if (kind == pkFunction) AddLocal(std::make_unique<TQelLocalResultDecl>(id, text));
  if (Token() == ptOpenRound) {
    Consume();
    while (Token() != ptCloseRound) {  // one pass per parameter, left by break
      TQelParamKind mode = pkByRef;
      if (Token() == ptByVal || Token() == ptByRef) {
        mode = Token() == ptByVal ? pkSimple : pkByRef;
        Consume();
      }
      std::u16string paramText;
      const int paramId = Name(paramText);
      if (paramId == id) Duplicate(paramText);
      AddLocal(std::make_unique<TQelParamDecl>(paramId, paramText, mode));
      if (Token() != ptComma) break;
      Consume();
      Check({ptByVal, ptByRef, ptIdentifier});
    }
    Expect({ptCloseRound});
  }
  SkipSeparators();
  {
    TQelCountScope body(FExitPntCounts[kind == pkFunction ? etFunction : etSub]);
    ParseStmtList(proc->FStmtList);
  }
  Expect({ptEnd});
  Expect({kind == pkFunction ? ptFunction : ptSub});
  proc->FEndSourcePos = FLastSkippedPos;
  SkipSeparators();
  RegisterGlobal(proc.release());
}

void TQelVbParser::AddLocal(std::unique_ptr<TQelProcLocal> ALocal) {
  if (!FCurrentProc->AddLocal(ALocal)) Duplicate(ALocal->FStrName);
}

// "As TypeName" after an array's dimensions: the element type.
VARTYPE TQelVbParser::ParseAsType() {
  Expect({ptAs});
  std::u16string text;
  Name(text);
  VARTYPE type = VT_VARIANT;
  if (!QelFindElemType(text, type)) QelVbRaiseError(u"Type identifier expected", FLastSkippedPos);
  return type;
}
