// The VBScript parser: program structure, declarations and implicit variables.
#include <algorithm>

#include "engine/vbscript/VbsInternal.h"

namespace qel_vbs {

void TVbsGlobalNames::GlobalObjParsed(TQelGlobalObject* AObj, bool& ADuplicateName) {
  const int name = AObj->FName;
  const bool variable = dynamic_cast<TQelVarObject*>(AObj) != nullptr;
  FTarget->GlobalObjParsed(AObj, ADuplicateName);
  if (ADuplicateName) return;
  FGlobals.insert(name);
  if (variable) FGlobalVars.insert(name);
}

TQelVbsParser::TQelVbsParser(IQelParserCallbacks* ACbs, TQelVbsHostNames AHostNames,
                             const std::unordered_set<int>& AIntrinsics, TVbsLinkPtr ALink)
    : TVbsGlobalNames(ACbs),
      TQelVbParser(static_cast<TVbsGlobalNames*>(this)),
      FHostNames(std::move(AHostNames)),
      FIntrinsics(AIntrinsics),
      FLink(std::move(ALink)) {}

bool TQelVbsParser::IsWord(const char16_t* AWord) const {
  return Token() == ptIdentifier && QelSameAsciiText(FScanner.FSData, AWord);
}

// Whether the token after the current one is the word (the cursor stays where it was).
bool TQelVbsParser::NextIsWord(const char16_t* AWord) {
  const size_t savepoint = FScanner.GetSavepoint();
  const int lastSkipped = FLastSkippedPos;
  Consume();
  const bool found = IsWord(AWord);
  FScanner.Rollback(savepoint);
  FLastSkippedPos = lastSkipped;
  return found;
}

void TQelVbsParser::ExpectWord(const char16_t* AWord) {
  if (!IsWord(AWord)) InvalidToken();
  Consume();
}

// Sub, Function, or one of them after Public/Private [Default].
bool TQelVbsParser::AtProcedure() {
  if (Token() == ptSub || Token() == ptFunction) return true;
  if (!IsWord(u"Public") && !IsWord(u"Private")) return false;
  const size_t savepoint = FScanner.GetSavepoint();
  const int lastSkipped = FLastSkippedPos;
  Consume();
  if (IsWord(u"Default")) Consume();
  const bool found = Token() == ptSub || Token() == ptFunction;
  FScanner.Rollback(savepoint);
  FLastSkippedPos = lastSkipped;
  return found;
}

void TQelVbsParser::ParseModifiedProcedure() {
  if (Token() == ptIdentifier) {  // Public or Private
    Consume();
    if (IsWord(u"Default")) QelVbRaiseError(u"'Default' can only be used in a class", FScanner.FTokenStartPos);
  }
  // Each routine starts without On Error Resume Next, and the global code's goes on after it.
  TQelRestore<bool> resumeNext(FResumeNext);
  FResumeNext = false;
  ParseProcedure();
}

void TQelVbsParser::ParseProgram() {
  FInProgram = true;
  if (AtSeparator()) SkipSeparators();
  for (;;) {
    if (IsWord(u"Option")) {
      ParseOption();
    } else if (AtProcedure()) {
      ParseModifiedProcedure();
    } else if (IsWord(u"Class")) {
      ParseClass();
    } else if (AtStatementStart()) {
      TQelStmtList main;
      ParseStmtList(main);
      for (TQelStmtPtr& stmt : main.FItems) FCbs->GlobalStmtParsed(std::move(stmt));
    } else {
      break;
    }
  }
  Check({ptEOf});
  BindNewClasses();
  DeclareImplicitNames();
  for (auto [item, proc] : FCallsWithArgs)
    if (proc->FindLocal(item->FName)) item->FBracketType = bkVbRound;
  FCallsWithArgs.clear();
}

// Option Explicit: every variable must be declared before it is assigned.
void TQelVbsParser::ParseOption() {
  Consume();
  ExpectWord(u"Explicit");
  FExplicit = true;
  SkipSeparators();
}

std::unique_ptr<IQelEmitable> TQelVbsParser::ParseStmt(const std::u16string& ASource) {
  FScanner.Start(ASource);
  auto list = QelNewStmt<TQelCompound>(1);
  if (AtSeparator()) SkipSeparators();
  while (AtStatementStart()) {
    list->FStmtList.Add(ParseStatement());
    if (Token() == ptEOf) break;
    SkipSeparators();
  }
  Check({ptEOf});
  return list;
}

void TQelVbsParser::NoteName(int AName, const std::u16string& AStrName) {
  if (FExplicit) return;
  if (FCurrentProc && FCurrentProc->FindLocal(AName)) return;
  FImplicit.push_back({FCurrentProc, AName, AStrName});
}

// A name used without parentheses may be a variable nobody declared.
void TQelVbsParser::DesignatorParsed(TQelDesignatorExpr& ADesignator) {
  if (FInClass && FCurrentProc) {  // the class's members are known at End Class
    FClassDesignators.emplace_back(&ADesignator, FCurrentProc);
    return;
  }
  const TQelDesignatorItem& first = *ADesignator.FItems.front();
  if (first.IsNamed() && first.FBracketType == bkNon) NoteName(first.FName, first.FStrName);
}

// Loop variables and ReDim targets are named without a designator of the parser's.
void TQelVbsParser::NoteAssigned(const TQelStatement* AStmt) {
  if (auto* loop = dynamic_cast<const TQelForStmt*>(AStmt)) DesignatorParsed(*loop->FVarExpr);
  if (auto* redim = dynamic_cast<const TQelVbRedimStmt*>(AStmt))
    for (const TQelVbRedimVarDecl& decl : redim->FVarDecls) DesignatorParsed(*decl.FVarExpr);
}

// After the whole script: a name no declaration took becomes a variable, local to the
// procedure that assigned it first, or global. Names the host gives stay the host's.
void TQelVbsParser::DeclareImplicitNames() {
  // Global names first: a procedure assigning a name the global code also assigns shares it.
  std::stable_partition(FImplicit.begin(), FImplicit.end(),
                        [](const TVbsImplicitName& AName) { return AName.FProc == nullptr; });
  for (const TVbsImplicitName& implicit : FImplicit) {
    if (IsGlobal(implicit.FName) || FIntrinsics.count(implicit.FName) ||
        (FHostNames && FHostNames(implicit.FStrName)))
      continue;
    if (implicit.FProc) {
      if (implicit.FProc->FindLocal(implicit.FName)) continue;
      std::unique_ptr<TQelProcLocal> local = std::make_unique<TQelLocalVarDecl>(implicit.FName, implicit.FStrName);
      implicit.FProc->AddLocal(local);
    } else {
      RegisterGlobal(new TQelVarObject(implicit.FName, implicit.FStrName));
    }
  }
}

// A variable of the statement's own, named so that no script can name it (the name holds a
// blank): For Each keeps its enumerator there, With its object.
int TQelVbsParser::HiddenVariable(const char16_t* AKind, std::u16string& AName) {
  AName = AKind;
  for (char c : std::to_string(++FHiddenCount)) AName += char16_t(c);
  const int id = FCbs->GetNameId(AName);
  if (FCurrentProc)
    AddLocal(std::make_unique<TQelLocalVarDecl>(id, AName));
  else
    RegisterGlobal(new TQelVarObject(id, AName));
  return id;
}

int TQelVbsParser::WithObjectName(std::u16string* AText) {
  if (FWithNames.empty()) return -1;
  if (AText) {  // a designator starts at this dot: the member follows it
    *AText = FWithNames.back().second;
    FWithDotPos = FScanner.FTokenStartPos;
  }
  return FWithNames.back().first;
}

namespace {

// The name of a designator that is a bare name (no arguments, no members), else -1.
int BareName(const TQelExpression* AExpr) {
  auto* designator = dynamic_cast<const TQelDesignatorExpr*>(AExpr);
  if (!designator || designator->FItems.size() != 1) return -1;
  const TQelDesignatorItem& item = *designator->FItems.front();
  return item.IsNamed() && item.FBracketType == bkNon && item.FArgs.empty() ? item.FName : -1;
}

// The operand '&' gave to the hidden text row: the expression inside, else the operand.
TQelExprPtr* TextOperand(TQelExprPtr& AExpr) {
  auto* call = dynamic_cast<TQelDesignatorExpr*>(AExpr.get());
  if (!call || call->FItems.size() != 1 || call->FItems.front()->FStrName != u" Text")
    return &AExpr;
  return &call->FItems.front()->FArgs.front();
}

}  // namespace

// Name = Name & More, Name a declared variable: the text of More is appended to the
// variable's string in place (a string built piece by piece stays linear). '&' joins texts,
// so Name & A & B is Name & (A & B).
TQelStmtPtr TQelVbsParser::AppendInPlace(TQelStmtPtr AStmt) {
  auto* assign = dynamic_cast<TQelAssignmentStmt*>(AStmt.get());
  if (!assign || FInClass) return AStmt;
  const int name = BareName(assign->FLeftExpr.get());
  if (name < 0) return AStmt;
  const TQelProcLocal* local = FCurrentProc ? FCurrentProc->FindLocal(name) : nullptr;
  if (local ? local->FLocalType != ltVar : !IsGlobalVariable(name)) return AStmt;
  // The leftmost operand of the chain of '&' must be the variable itself.
  TQelExprPtr* link = &assign->FRightExpr;
  TQelExprPtr* parent = nullptr;
  for (;;) {
    auto* binary = dynamic_cast<TQelBinaryExpr*>(link->get());
    if (!binary || binary->FInstr != icStrConcat) break;
    parent = link;
    link = &binary->FLeftExpr;
  }
  if (!parent || BareName(TextOperand(*link)->get()) != name) return AStmt;
  // Drop the leftmost operand: its '&' becomes its right operand.
  auto* innermost = static_cast<TQelBinaryExpr*>(parent->get());
  TQelExprPtr rest = std::move(innermost->FRightExpr);
  *parent = std::move(rest);
  const std::u16string append = u" Append";
  std::unique_ptr<TQelDesignatorExpr> call =
      QelNameDesignator(FCbs->GetNameId(append), append, assign->FSourcePos);
  call->FItems.front()->FArgs.push_back(std::move(assign->FLeftExpr));
  call->FItems.front()->FArgs.push_back(std::move(assign->FRightExpr));
  auto stmt = QelNewStmt<TQelExpressionStmt>(assign->FSourcePos);
  stmt->FExpr = std::move(call);
  return stmt;
}

}  // namespace qel_vbs

namespace qel_vbs {

// '&' joins VBScript's texts of its operands: a Boolean reads "True" or "False" there, where the
// machine's concatenation writes the number. Operands that are text already are left alone.
TQelExprPtr TQelVbsParser::MakeBinary(TQelExprPtr ALeft, TQelInstrCode AOp, TQelExprPtr ARight,
                                      int APos) {
  if (AOp == icStrConcat) {
    const auto asText = [&](TQelExprPtr AExpr) -> TQelExprPtr {
      if (auto* binary = dynamic_cast<TQelBinaryExpr*>(AExpr.get());
          binary && binary->FInstr == icStrConcat)
        return AExpr;
      // Certainly no Boolean (literals other than True/False, arithmetic): the machine's text
      // of it is VBScript's.
      if (AExpr->StaticKind() == skOther) return AExpr;
      const std::u16string text = u" Text";
      std::unique_ptr<TQelDesignatorExpr> call =
          QelNameDesignator(FCbs->GetNameId(text), text, AExpr->FSourcePos);
      call->FItems.front()->FBracketType = bkVbRound;
      call->FItems.front()->FArgs.push_back(std::move(AExpr));
      return call;
    };
    ALeft = asText(std::move(ALeft));
    ARight = asText(std::move(ARight));
  }
  return TQelVbParser::MakeBinary(std::move(ALeft), AOp, std::move(ARight), APos);
}

}  // namespace qel_vbs
