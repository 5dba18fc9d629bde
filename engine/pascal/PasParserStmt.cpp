// Statement grammar.
#include "engine/pascal/PasParserSets.h"


TQelStmtPtr TQelPasParser::ParseStatement() {
  Check(QelPasStatementStart);
  TQelPasDepthGuard guard(FDepth, FScanner.FTokenEndPos);
  switch (Token()) {
    case ptIdentifier: return ParseSimpleStatement();
    case ptBegin: return ParseCompound();
    case ptIf: return ParseIf();
    case ptCase: return ParseCase();
    case ptRepeat: return ParseRepeat();
    case ptWhile: return ParseWhile();
    case ptFor: return ParseFor();
    case ptTry: return ParseTry();
    case ptRaise: return ParseRaise();
    default: return QelNewStmt<TQelPasEmptyStmt>(FLastSkippedPos);
  }
}

void TQelPasParser::ParseStmtList(TQelStmtList& AList) {
  for (;;) {
    TQelStmtPtr stmt = ParseStatement();
    if (!stmt->IsEmpty()) AList.Add(std::move(stmt));
    if (Token() == ptElse || Token() == ptEnd || Token() == ptUntil) break;
    Expect({ptSemiColon});
    if (!QelPasStatementStart.Contains(Token())) break;
  }
}

TQelStmtPtr TQelPasParser::ParseSimpleStatement() {
  std::unique_ptr<TQelDesignatorExpr> target = ParseDesignator();
  if (Token() == ptAssignment) {
    Consume();
    auto stmt = QelNewStmt<TQelAssignmentStmt>(FLastSkippedPos);
    stmt->FLeftExpr = std::move(target);
    stmt->FRightExpr = ParseExpression();
    return stmt;
  }
  auto stmt = QelNewStmt<TQelExpressionStmt>(target->FSourcePos);
  stmt->FExpr = std::move(target);
  return stmt;
}

TQelStmtPtr TQelPasParser::ParseCompound() {
  Expect({ptBegin});
  Check(QelPasStatementStart);
  auto stmt = std::make_unique<TQelCompound>();
  ParseStmtList(stmt->FStmtList);
  Expect({ptEnd});
  stmt->FSourcePos = FLastSkippedPos;
  return stmt;
}

TQelStmtPtr TQelPasParser::ParseIf() {
  Expect({ptIf});
  auto stmt = QelNewStmt<TQelIfStmt>(FLastSkippedPos);
  stmt->FIfExpr = ParseExpression();
  Expect({ptThen});
  stmt->FThenStmt = ParseStatement();
  if (Token() == ptElse) {
    Consume();
    stmt->FElseStmt = ParseStatement();
  }
  return stmt;
}

TQelStmtPtr TQelPasParser::ParseCase() {
  Expect({ptCase});
  auto stmt = QelNewStmt<TQelCaseStmt>(FLastSkippedPos);
  stmt->FCaseExpr = ParseExpression();
  Expect({ptOf});
  ParseCaseSelector(*stmt);
  Expect({ptSemiColon});
  Check(QelPasExpressionStart + TQelPasTokenSet{ptElse, ptEnd});
  while (QelPasExpressionStart.Contains(Token())) {
    ParseCaseSelector(*stmt);
    Expect({ptSemiColon});
  }
  if (Token() == ptElse) {
    Consume();
    Check(QelPasStatementStart);
    ParseStmtList(stmt->FElseStmts);
  }
  Expect({ptEnd});
  return stmt;
}

void TQelPasParser::ParseCaseSelector(TQelCaseStmt& ACase) {
  TQelCaseSelector selector;
  for (;;) {
    selector.FLabels.push_back(ParseRange(false));
    if (Token() != ptComma) break;
    Consume();
  }
  Expect({ptColon, ptComma});
  selector.FStmt = ParseStatement();
  ACase.FSelectors.push_back(std::move(selector));
}

TQelStmtPtr TQelPasParser::ParseRepeat() {
  Expect({ptRepeat});
  auto stmt = QelNewStmt<TQelRepeatStmt>(FLastSkippedPos);
  ParseStmtList(stmt->FStmtList);
  Expect({ptUntil});
  stmt->FRepeatExpr = ParseExpression();
  return stmt;
}

TQelStmtPtr TQelPasParser::ParseWhile() {
  Expect({ptWhile});
  auto stmt = QelNewStmt<TQelWhileStmt>(FLastSkippedPos);
  stmt->FWhileExpr = ParseExpression();
  Expect({ptDo});
  stmt->FStmt = ParseStatement();
  return stmt;
}

TQelStmtPtr TQelPasParser::ParseFor() {
  Expect({ptFor});
  auto stmt = QelNewStmt<TQelPasForStmt>(FLastSkippedPos);
  std::u16string text;
  const int id = Name(text);
  stmt->FVarExpr = QelNameDesignator(id, text, stmt->FSourcePos);
  Expect({ptAssignment});
  stmt->FFromExpr = ParseExpression();
  Check({ptDownto, ptTo});
  stmt->FDown = Token() == ptDownto;
  Consume();
  stmt->FToExpr = ParseExpression();
  Expect({ptDo});
  stmt->FStmt = ParseStatement();
  return stmt;
}

TQelStmtPtr TQelPasParser::ParseRaise() {
  Expect({ptRaise});
  auto stmt = QelNewStmt<TQelRaiseStmt>(FLastSkippedPos);
  if (QelPasExpressionStart.Contains(Token()))
    stmt->FExpr = ParseExpression();
  else if (FTryState != ptsInExcept)
    QelPasRaiseError(u"Re-raising an exception only allowed in exception handler",
                     FLastSkippedPos);
  return stmt;
}

TQelStmtPtr TQelPasParser::ParseTry() {
  TQelRestore<TQelPasParserTryState> restore(FTryState);
  Expect({ptTry});
  auto stmt = QelNewStmt<TQelTryStmt>(FLastSkippedPos);
  Check(QelPasStatementStart + TQelPasTokenSet{ptExcept, ptFinally});
  if (QelPasStatementStart.Contains(Token())) {
    FTryState = ptsInTry;
    ParseStmtList(stmt->FTryStmtList);
  }
  Check({ptExcept, ptFinally});
  if (Token() == ptExcept) {
    Consume();
    FTryState = ptsInExcept;
    stmt->FHasExcept = true;
    if (Token() == ptOn || Token() == ptElse)
      stmt->FExceptionBlock = ParseExceptionBlock();
    else
      ParseStmtList(stmt->FExceptStmtList);
  } else {
    Consume();
    FTryState = ptsInFinally;
    ParseStmtList(stmt->FFinallyStmtList);
  }
  Expect({ptEnd});
  return stmt;
}

std::unique_ptr<TQelExceptionBlock> TQelPasParser::ParseExceptionBlock() {
  auto block = std::make_unique<TQelExceptionBlock>();
  while (Token() == ptOn) {
    Expect({ptOn});
    auto handler = std::make_unique<TQelExceptionSubBlock>();
    handler->FSourcePos = FLastSkippedPos;
    Check(QelPasExpressionStart);
    if (HandlerHasVariable()) {
      handler->FName = Name(handler->FStrName);
      Expect({ptColon});
    }
    handler->FExpr = ParseExpression();
    Expect({ptDo});
    handler->FStmt = ParseStatement();
    Expect({ptSemiColon});
    block->FBlocks.push_back(std::move(handler));
  }
  if (Token() == ptElse) {
    Consume();
    block->FHasElse = true;
    block->FElseSourcePos = FLastSkippedPos;
    ParseStmtList(block->FElseStmtList);
  }
  return block;
}

bool TQelPasParser::HandlerHasVariable() {
  if (Token() != ptIdentifier) return false;
  const size_t savepoint = FScanner.GetSavepoint();
  const TQelPasParserTryState state = FTryState;
  const int lastSkipped = FLastSkippedPos;
  Consume();
  const bool isVar = Token() == ptColon;
  FScanner.Rollback(savepoint);
  FTryState = state;
  FLastSkippedPos = lastSkipped;
  return isVar;
}
