// Statement grammar.
#include "engine/vb/VbParserSets.h"


bool TQelVbParser::AtStatementStart() const { return QelVbStatementStart.Contains(Token()); }

void TQelVbParser::ParseStmtList(TQelStmtList& AList) {
  while (AtStatementStart()) {
    AList.Add(ParseStatement());
    // A one-line If ends its statements at the line end (VBScript: also at its Else).
    if (FOnlyColonBRCount > 0 && (Token() == ptEOl || (Token() == ptElse && ElseEndsOneLineIf()))) break;
    SkipSeparators();
  }
}

TQelStmtPtr TQelVbParser::ParseStatement() {
  Check(QelVbStatementStart);
  TQelVbDepthGuard guard(FDepth, FScanner.FTokenEndPos);
  switch (Token()) {
    case ptIdentifier: return ParseIdentifierStmt();
    case ptSet: return ParseSet();
    case ptCall: return ParseCall();
    case ptDim: return ParseDim();
    case ptRedim: return ParseRedim();
    case ptErase: return ParseErase();
    case ptIf: return ParseIf();
    case ptFor: return ParseFor();
    case ptDo: return ParseDo();
    case prSelect: return ParseSelect();
    case ptExit: return ParseExit();
    case ptTry: return ParseTry();
    case ptThrow: return ParseThrow();
    default: return ParseReturn();
  }
}

// An assignment, or a call with or without parentheses.
TQelStmtPtr TQelVbParser::ParseIdentifierStmt() {
  std::unique_ptr<TQelDesignatorExpr> target = ParseDesignator();
  if (Token() == ptEqual) {
    auto stmt = QelNewStmt<TQelAssignmentStmt>(FScanner.FTokenStartPos);
    Consume();
    stmt->FLeftExpr = std::move(target);
    stmt->FRightExpr = ParseExpression();
    return stmt;
  }
  auto stmt = QelNewStmt<TQelExpressionStmt>(target->FSourcePos);
  const bool argumentFollows = QelVbExpressionStart.Contains(Token()) || Token() == ptComma ||
                               (Token() == ptDot && WithObjectName(nullptr) >= 0);
  if (!argumentFollows || (FLastEndedInGroup && FLastGroupArgs != 1)) {
    if (FLastEndedInGroup && FLastGroupArgs >= 2)
      QelVbRaiseError(u"Invalid use of parentheses in procedure call.", FScanner.FTokenEndPos);
    stmt->FExpr = std::move(target);
    return stmt;
  }
  // Arguments written without parentheses go to the last item.
  TQelDesignatorItem& last = *target->FItems.back();
  if (!FLastEndedInGroup) last.FArgs.push_back(ParseExpression());
  while (Token() == ptComma) {
    Consume();
    last.FArgs.push_back(ParseExpression());
  }
  stmt->FExpr = std::move(target);
  return stmt;
}

TQelStmtPtr TQelVbParser::ParseSet() {
  Consume();
  std::unique_ptr<TQelDesignatorExpr> target = ParseDesignator();
  Check({ptEqual});
  auto stmt = QelNewStmt<TQelAssignmentStmt>(FScanner.FTokenStartPos);
  Consume();
  stmt->FLeftExpr = std::move(target);
  stmt->FRightExpr = ParseExpression();
  return stmt;
}

TQelStmtPtr TQelVbParser::ParseCall() {
  auto stmt = QelNewStmt<TQelVbCallStmt>(FScanner.FTokenStartPos);
  Consume();
  stmt->FExpr = ParseDesignator();
  return stmt;
}

TQelStmtPtr TQelVbParser::ParseDim() {
  auto stmt = QelNewStmt<TQelVbDimStmt>(FScanner.FTokenStartPos);
  Consume();
  for (;;) {
    TQelVbDimVarDecl& decl = stmt->FVarDecls.emplace_back();
    decl.FSourcePos = FScanner.FTokenStartPos;
    std::u16string text;
    decl.FIdentifier = Name(text);
    // Declared as soon as its name is read: the initializer already sees it.
    if (FCurrentProc) {
      auto local = std::make_unique<TQelLocalVarDecl>(decl.FIdentifier, text);
      decl.FLocal = local.get();
      AddLocal(std::move(local));
    } else {
      auto global = std::make_unique<TQelVarObject>(decl.FIdentifier, text);
      decl.FGlobal = global.get();
      RegisterGlobal(global.release());
    }
    if (Token() == ptOpenRound) {
      Consume();
      decl.FIsArray = true;
      if (Token() != ptCloseRound) {
        for (;;) {
          decl.FArrayDims.push_back(ParseExpression());
          if (Token() != ptComma) break;
          Consume();
        }
      }
      Expect({ptCloseRound});
      if (Token() == ptAs) decl.FElemType = ParseAsType();
    } else if (Token() == ptEqual) {
      Consume();
      decl.FIniter = ParseExpression();
    }
    if (Token() != ptComma) break;
    Consume();
  }
  return stmt;
}

TQelStmtPtr TQelVbParser::ParseRedim() {
  auto stmt = QelNewStmt<TQelVbRedimStmt>(FScanner.FTokenStartPos);
  Consume();
  if (Token() == ptPreserve) {
    stmt->FPreserve = true;
    Consume();
  }
  for (;;) {
    TQelVbRedimVarDecl& decl = stmt->FVarDecls.emplace_back();
    decl.FSourcePos = FScanner.FTokenStartPos;
    std::u16string text;
    const int id = Name(text);
    decl.FVarExpr = QelNameDesignator(id, text, decl.FSourcePos);
    Expect({ptOpenRound});
    for (;;) {
      decl.FArrayDims.push_back(ParseExpression());
      if (Token() != ptComma) break;
      Consume();
    }
    Expect({ptCloseRound});
    if (Token() == ptAs) decl.FElemType = ParseAsType();
    if (Token() != ptComma) break;
    Consume();
  }
  return stmt;
}

TQelStmtPtr TQelVbParser::ParseErase() {
  auto stmt = QelNewStmt<TQelVbEraseStmt>(FScanner.FTokenStartPos);
  Consume();
  stmt->FExpr = ParseDesignator();
  return stmt;
}

TQelStmtPtr TQelVbParser::ParseIf() {
  auto stmt = std::make_unique<TQelVbIfStmt>();
  TQelVbIfBlock& first = stmt->FBlocks.emplace_back();
  first.FSourcePos = FScanner.FTokenStartPos;
  stmt->FSourcePos = first.FSourcePos;
  Consume();
  first.FCondition = ParseExpression();
  Expect({ptThen});
  if (AtStatementStart()) {
    // Single line: statements separated by colons up to the line end, an Else after a colon.
    TQelCountScope singleLine(FOnlyColonBRCount);
    ParseStmtList(first.FStmtList);
    if (Token() == ptElse) {
      Consume();
      ParseStmtList(stmt->FElseStmtList);
    }
    return stmt;
  }
  SkipSeparators();
  ParseStmtList(first.FStmtList);
  while (Token() == ptElseIf) {
    TQelVbIfBlock& block = stmt->FBlocks.emplace_back();
    block.FSourcePos = FScanner.FTokenStartPos;
    stmt->FSourcePos = block.FSourcePos;
    Consume();
    block.FCondition = ParseExpression();
    Expect({ptThen});
    SkipSeparators();
    ParseStmtList(block.FStmtList);
  }
  if (Token() == ptElse) {
    Consume();
    SkipSeparators();
    ParseStmtList(stmt->FElseStmtList);
  }
  Expect({ptEnd});
  Expect({ptIf});
  return stmt;
}

TQelStmtPtr TQelVbParser::ParseFor() {
  auto stmt = QelNewStmt<TQelVbForStmt>(FScanner.FTokenStartPos);
  Consume();
  std::u16string text;
  const int id = Name(text);
  stmt->FVarExpr = QelNameDesignator(id, text, stmt->FSourcePos);
  Expect({ptEqual});
  stmt->FFromExpr = ParseExpression();
  Expect({ptTo});
  stmt->FToExpr = ParseExpression();
  if (Token() == ptStep) {
    Consume();
    stmt->FStepExpr = ParseExpression();
  }
  SkipSeparators();
  {
    TQelCountScope loop(FExitPntCounts[etFor]);
    ParseStmtList(stmt->FStmts);
  }
  Expect({ptNext});
  return stmt;
}

TQelStmtPtr TQelVbParser::ParseDo() {
  auto stmt = QelNewStmt<TQelVbDoLoopStmt>(FScanner.FTokenStartPos);
  Consume();
  auto condition = [&] {
    stmt->FLoopType = Token() == ptWhile ? ltWhile : ltUntil;
    Consume();
    stmt->FExpr = ParseExpression();
  };
  if (Token() == ptWhile || Token() == ptUntil) {
    condition();
    stmt->FCondCheck = ccBeforeStmts;
    if (AtSeparator()) SkipSeparators();
  } else {
    SkipSeparators();
  }
  {
    TQelCountScope loop(FExitPntCounts[etDo]);
    ParseStmtList(stmt->FStmts);
  }
  Expect({ptLoop});
  if (stmt->FCondCheck == ccNoCondition && (Token() == ptWhile || Token() == ptUntil)) {
    condition();
    stmt->FCondCheck = ccAfterStmts;
  }
  return stmt;
}

// Select Case: equality tests only; the selectors become a case statement of the layer.
TQelStmtPtr TQelVbParser::ParseSelect() {
  auto stmt = QelNewStmt<TQelCaseStmt>(FScanner.FTokenStartPos);
  Consume();
  Expect({ptCase});
  stmt->FCaseExpr = ParseExpression();
  SkipSeparators();
  while (Token() == ptCase) {
    const int casePos = FScanner.FTokenStartPos;
    stmt->FSourcePos = casePos;
    Consume();
    if (Token() == ptElse) {
      Consume();
      if (AtSeparator()) SkipSeparators();
      ParseStmtList(stmt->FElseStmts);
      break;
    }
    TQelCaseSelector& selector = stmt->FSelectors.emplace_back();
    for (;;) {
      TQelRangeElement& label = selector.FLabels.emplace_back();
      label.FLeftExpr = ParseExpression();
      label.FSourcePos = label.FLeftExpr->FSourcePos;
      if (Token() != ptComma) break;
      Consume();
    }
    if (AtSeparator()) SkipSeparators();
    auto body = QelNewStmt<TQelCompound>(casePos);
    ParseStmtList(body->FStmtList);
    selector.FStmt = std::move(body);
  }
  Expect({ptEnd});
  Expect({prSelect});
  return stmt;
}

TQelStmtPtr TQelVbParser::ParseExit() {
  auto stmt = QelNewStmt<TQelVbExitStmt>(FScanner.FTokenStartPos);
  Consume();
  Check({ptFor, ptDo, ptFunction, ptSub});
  switch (Token()) {
    case ptFor: stmt->FExitType = etFor; break;
    case ptDo: stmt->FExitType = etDo; break;
    case ptFunction: stmt->FExitType = etFunction; break;
    default: stmt->FExitType = etSub; break;
  }
  if (FExitPntCounts[stmt->FExitType] == 0)
    QelVbRaiseError(u"Invalid \"exit\" instruction", FScanner.FTokenEndPos);
  Consume();
  return stmt;
}

TQelStmtPtr TQelVbParser::ParseTry() {
  TQelRestore<TQelVbParserTryState> restore(FTryState);
  auto stmt = QelNewStmt<TQelTryStmt>(FScanner.FTokenStartPos);
  Consume();
  SkipSeparators();
  FTryState = ptsInTry;
  ParseStmtList(stmt->FTryStmtList);
  std::vector<std::unique_ptr<TQelExceptionSubBlock>> typed;
  bool catchAll = false;
  TQelStmtList catchAllStmts;
  while (Token() == ptCatch && !catchAll) {
    const int catchPos = FScanner.FTokenStartPos;
    Consume();
    std::unique_ptr<TQelExceptionSubBlock> handler;
    if (CatchHasVariable()) {
      handler = std::make_unique<TQelExceptionSubBlock>();
      handler->FSourcePos = catchPos;
      handler->FName = Name(handler->FStrName);
      Expect({ptAs});
      handler->FExpr = ParseExpression();
    } else {
      catchAll = true;
    }
    SkipSeparators();
    FTryState = ptsInCatch;
    if (handler) {
      auto body = QelNewStmt<TQelCompound>(catchPos);
      ParseStmtList(body->FStmtList);
      handler->FStmt = std::move(body);
      typed.push_back(std::move(handler));
    } else {
      ParseStmtList(catchAllStmts);
    }
  }
  stmt->FHasExcept = catchAll || !typed.empty();
  if (!typed.empty()) {
    stmt->FExceptionBlock = std::make_unique<TQelExceptionBlock>();
    stmt->FExceptionBlock->FBlocks = std::move(typed);
    stmt->FExceptionBlock->FHasElse = catchAll;
    stmt->FExceptionBlock->FElseStmtList = std::move(catchAllStmts);
  } else {
    stmt->FExceptStmtList = std::move(catchAllStmts);
  }
  if (!stmt->FHasExcept || Token() == ptFinally) {
    Expect({ptFinally});
    SkipSeparators();
    FTryState = ptsInFinally;
    ParseStmtList(stmt->FFinallyStmtList);
  }
  Expect({ptEnd});
  Expect({ptTry});
  return stmt;
}

// "Catch Name As Type" is typed; anything else after Catch starts a catch-all.
bool TQelVbParser::CatchHasVariable() {
  if (Token() != ptIdentifier) return false;
  const size_t savepoint = FScanner.GetSavepoint();
  const int lastSkipped = FLastSkippedPos;
  Consume();
  const bool typed = Token() == ptAs;
  FScanner.Rollback(savepoint);
  FLastSkippedPos = lastSkipped;
  return typed;
}

TQelStmtPtr TQelVbParser::ParseThrow() {
  Consume();
  auto stmt = QelNewStmt<TQelRaiseStmt>(FLastSkippedPos);
  if (QelVbExpressionStart.Contains(Token()))
    stmt->FExpr = ParseExpression();
  else if (FTryState != ptsInCatch)
    QelVbRaiseError(u"Re-raising an exception only allowed in exception handler",
                    FLastSkippedPos);
  return stmt;
}

TQelStmtPtr TQelVbParser::ParseReturn() {
  auto stmt = QelNewStmt<TQelVbReturnStmt>(FScanner.FTokenStartPos);
  Consume();
  if (FCurrentProc && FCurrentProc->FProcKind == pkFunction) stmt->FExpr = ParseExpression();
  return stmt;
}
