// VBScript's own statements; the rest is the VB dialect's grammar.
#include "engine/vbscript/VbsInternal.h"

namespace qel_vbs {

namespace {

// The handler part of a statement run under On Error Resume Next: the machine's hook hands
// the error to Err (TVbsErrObject::Note) while converting it to a value, which is dropped.
class TVbsNoteErrorStmt : public TQelStatement {
 public:
  void DoEmit(TQelContext& C) override {
    C.Code->Emit(icExceptToVar, C.CurReraise->FExceptionVar);
    C.Code->Emit(icPop);
  }
};

// Block statements are not wrapped: the statements inside them are, each on its own.
bool IsBlockStatement(const TQelStatement* AStmt) {
  return dynamic_cast<const TQelVbIfStmt*>(AStmt) || dynamic_cast<const TQelForStmt*>(AStmt) ||
         dynamic_cast<const TQelVbDoLoopStmt*>(AStmt) || dynamic_cast<const TQelCaseStmt*>(AStmt) ||
         dynamic_cast<const TQelTryStmt*>(AStmt) || dynamic_cast<const TQelVbExitStmt*>(AStmt) ||
         dynamic_cast<const TQelVbReturnStmt*>(AStmt) || dynamic_cast<const TQelCompound*>(AStmt) ||
         dynamic_cast<const TVbsForEachStmt*>(AStmt);
}

}  // namespace

// A statement that goes on with the next one when it fails, the error noted in Err.
TQelStmtPtr TQelVbsParser::ResumeNext(TQelStmtPtr AStmt) {
  if (!FResumeNext || IsBlockStatement(AStmt.get())) return AStmt;
  auto guarded = QelNewStmt<TQelTryStmt>(AStmt->FSourcePos);
  guarded->FTryStmtList.Add(std::move(AStmt));
  guarded->FHasExcept = true;
  guarded->FExceptStmtList.Add(QelNewStmt<TVbsNoteErrorStmt>(guarded->FSourcePos));
  return guarded;
}

// Err.Clear, as the On Error statements run it.
TQelStmtPtr TQelVbsParser::ErrClear(int APos) {
  const std::u16string err = u"Err", clear = u"Clear";
  std::unique_ptr<TQelDesignatorExpr> call = QelNameDesignator(FCbs->GetNameId(err), err, APos);
  auto member = std::make_unique<TQelDesignatorItem>();
  member->FStrName = clear;
  member->FName = FCbs->GetNameId(clear);
  member->FSourcePos = APos;
  call->FItems.push_back(std::move(member));
  auto stmt = QelNewStmt<TQelExpressionStmt>(APos);
  stmt->FExpr = std::move(call);
  return stmt;
}

// On Error Resume Next / On Error GoTo 0, in force for the rest of the routine's text.
TQelStmtPtr TQelVbsParser::ParseOnError() {
  const int pos = FScanner.FTokenStartPos;
  Consume();
  ExpectWord(u"Error");
  if (IsWord(u"Resume")) {
    Consume();
    Expect({ptNext});
    FResumeNext = true;
  } else {
    ExpectWord(u"GoTo");
    if (Token() != ptCInteger || FScanner.FIData != 0) InvalidToken();
    Consume();
    FResumeNext = false;
  }
  return ErrClear(pos);
}

// Words that end a block rather than start a statement.
bool TQelVbsParser::AtStatementStart() const {
  if (Token() == ptWhile || (Token() == ptDot && !FWithNames.empty())) return true;
  if (!TQelVbParser::AtStatementStart()) return false;
  return !IsWord(u"Wend") && !IsWord(u"Option") && !IsWord(u"Class") &&
         !((IsWord(u"Public") || IsWord(u"Private")) &&
           const_cast<TQelVbsParser*>(this)->AtProcedure());
}

TQelStmtPtr TQelVbsParser::ParseStatement() {
  TQelStmtPtr stmt;
  if (Token() == ptWhile) {
    TQelVbDepthGuard guard(FDepth, FScanner.FTokenEndPos);
    return ParseWhile();
  }
  if (Token() == ptFor && NextIsWord(u"Each")) {
    TQelVbDepthGuard guard(FDepth, FScanner.FTokenEndPos);
    return ParseForEach();
  }
  if (IsWord(u"With")) {
    TQelVbDepthGuard guard(FDepth, FScanner.FTokenEndPos);
    return ParseWith();
  }
  if (Token() == ptDot) return ResumeNext(ParseIdentifierStmt());
  if (IsWord(u"Const")) return ParseConst();
  if (IsWord(u"Let")) return ResumeNext(ParseLet());
  if (IsWord(u"Stop")) {  // a break for a debugger; none is attached to this engine
    auto empty = QelNewStmt<TQelCompound>(FScanner.FTokenStartPos);
    Consume();
    return empty;
  }
  if (IsWord(u"On")) return ParseOnError();
  if (Token() == ptExit && FInProperty &&
      NextIsWord(u"Property")) {  // leaves the property's routine
    auto stmt = QelNewStmt<TQelVbExitStmt>(FScanner.FTokenStartPos);
    stmt->FExitType = etSub;
    Consume();
    Consume();
    return stmt;
  }
  if ((IsWord(u"Private") || IsWord(u"Public")) && !FCurrentProc) return ResumeNext(ParseDeclaration());
  stmt = TQelVbParser::ParseStatement();
  NoteAssigned(stmt.get());
  if (auto* call = dynamic_cast<TQelExpressionStmt*>(stmt.get());
      call && FInProgram && FCurrentProc)
    if (auto* target = dynamic_cast<TQelDesignatorExpr*>(call->FExpr.get());
        target && target->FItems.size() == 1) {
      TQelDesignatorItem& item = *target->FItems.front();
      if (item.IsNamed() && item.FBracketType == bkNon && !item.FArgs.empty())
        FCallsWithArgs.emplace_back(&item, FCurrentProc);
    }
  return ResumeNext(AppendInPlace(std::move(stmt)));
}

// Let Name = Expression: the optional word of a value assignment.
TQelStmtPtr TQelVbsParser::ParseLet() {
  Consume();
  Check({ptIdentifier});
  TQelStmtPtr stmt = ParseIdentifierStmt();
  if (!dynamic_cast<TQelAssignmentStmt*>(stmt.get())) InvalidToken();
  return stmt;
}

// Public/Private Name[, Name...] at global level: declarations like Dim.
TQelStmtPtr TQelVbsParser::ParseDeclaration() { return ParseDim(); }

// Const Name = Literal[, ...]: the value is known when the script compiles.
TQelStmtPtr TQelVbsParser::ParseConst() {
  auto none = QelNewStmt<TQelCompound>(FScanner.FTokenStartPos);
  Consume();
  for (;;) {
    std::u16string text;
    const int id = Name(text);
    Expect({ptEqual});
    const int valuePos = FScanner.FTokenStartPos;
    TQelExprPtr value = ParseExpression();
    if (FCurrentProc) {
      auto constant = std::make_unique<TQelLocalConstDecl>(id, text);
      if (!QelLiteralValue(value.get(), constant->FValue))
        QelVbRaiseError(u"Expected literal constant", valuePos);
      constant->FExpr = std::move(value);
      AddLocal(std::move(constant));
    } else {
      auto constant = std::make_unique<TQelConstObject>(id, text);
      if (!QelLiteralValue(value.get(), constant->Value))
        QelVbRaiseError(u"Expected literal constant", valuePos);
      RegisterGlobal(constant.release());
    }
    if (Token() != ptComma) break;
    Consume();
  }
  return none;
}

// With Object ... End With: ".Member" inside reaches the object, held in a variable of the
// statement's own for the block and released at its end.
TQelStmtPtr TQelVbsParser::ParseWith() {
  const int pos = FScanner.FTokenStartPos;
  auto block = QelNewStmt<TQelCompound>(pos);
  Consume();
  TQelExprPtr object = ParseExpression();
  std::u16string hidden;
  const int hiddenId = HiddenVariable(u"With ", hidden);
  auto start = QelNewStmt<TQelAssignmentStmt>(pos);
  start->FLeftExpr = QelNameDesignator(hiddenId, hidden, pos);
  start->FRightExpr = std::move(object);
  block->FStmtList.Add(ResumeNext(std::move(start)));
  SkipSeparators();
  FWithNames.emplace_back(hiddenId, hidden);
  ParseStmtList(block->FStmtList);
  FWithNames.pop_back();
  Expect({ptEnd});
  ExpectWord(u"With");
  auto release = QelNewStmt<TQelAssignmentStmt>(FLastSkippedPos);
  release->FLeftExpr = QelNameDesignator(hiddenId, hidden, pos);
  auto empty = std::make_unique<TQelLiteral>();
  empty->FSourcePos = pos;
  release->FRightExpr = std::move(empty);
  block->FStmtList.Add(std::move(release));
  return block;
}

// While ... Wend: a Do While loop that Exit Do does not leave.
TQelStmtPtr TQelVbsParser::ParseWhile() {
  auto stmt = QelNewStmt<TQelVbDoLoopStmt>(FScanner.FTokenStartPos);
  Consume();
  stmt->FLoopType = ltWhile;
  stmt->FCondCheck = ccBeforeStmts;
  stmt->FExpr = ParseExpression();
  SkipSeparators();
  ParseStmtList(stmt->FStmts);
  ExpectWord(u"Wend");
  return stmt;
}

}  // namespace qel_vbs
