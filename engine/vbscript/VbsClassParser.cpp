// Class ... End Class: members, their routines, and the names inside those routines that
// reach the instance's own members.
#include "engine/vbscript/VbsInternal.h"
#include "engine/vm/QelVMValues.h"

namespace qel_vbs {

namespace {

enum TRoutineKind : uint8_t { rkSub, rkFunction, rkGet, rkLet, rkSet };

// The member name the class's own code uses: it reaches private members too.
void MakeInner(TQelDesignatorItem& AItem, IQelParserCallbacks* ACbs) {
  AItem.FStrName.insert(AItem.FStrName.begin(), kVbsInnerPrefix);
  AItem.FName = ACbs->GetNameId(AItem.FStrName);
}

}  // namespace

int TVbsClassInfo::Find(std::u16string_view AName) const {
  for (size_t i = 0; i < Members.size(); ++i)
    if (CompareText(Members[i].Name, AName) == 0) return int(i);
  return -1;
}

TVbsMember& TQelVbsParser::MemberFor(TVbsClassInfo& AClass, const std::u16string& AName,
                                     TVbsMemberKind AKind, int APos) {
  const int index = AClass.Find(AName);
  if (index < 0) {
    TVbsMember& member = AClass.Members.emplace_back();
    member.Name = AName;
    member.Kind = AKind;
    member.DeclPos = APos;
    return member;
  }
  // Only the accessors of one property share a name.
  TVbsMember& member = AClass.Members[size_t(index)];
  if (member.Kind != vmkProperty || AKind != vmkProperty) QelVbRaiseError(u"Name redefined", APos);
  return member;
}

// Class Name ... End Class, at the script's top level.
void TQelVbsParser::ParseClass() {
  const int classPos = FScanner.FTokenStartPos;
  Consume();
  auto info = std::make_shared<TVbsClassInfo>();
  const int id = Name(info->Name);
  info->Link = FLink;
  SkipSeparators();
  TQelRestore<bool> inClass(FInClass);
  FInClass = true;
  FClassDesignators.clear();
  for (;;) {
    if (Token() == ptEnd) {
      Consume();
      ExpectWord(u"Class");
      break;
    }
    // Placed at the class that is left open: the text's end is no place in it.
    if (Token() == ptEOf) QelVbRaiseError(u"Expected 'End Class'", classPos);
    bool isPublic = true, scoped = false, isDefault = false;
    if (IsWord(u"Public") || IsWord(u"Private")) {
      isPublic = IsWord(u"Public");
      scoped = true;
      Consume();
      if (IsWord(u"Default")) {
        if (!isPublic)
          QelVbRaiseError(u"'Default' must come with 'Public'",
                          FScanner.FTokenStartPos);
        isDefault = true;
        Consume();
      }
    }
    if (Token() == ptSub || Token() == ptFunction || IsWord(u"Property")) {
      ParseClassRoutine(*info, isPublic, isDefault);
    } else if (Token() == ptDim && !scoped) {
      Consume();
      ParseClassFields(*info, true);
    } else if (scoped && !isDefault && Token() == ptIdentifier) {
      ParseClassFields(*info, isPublic);
    } else {
      InvalidToken();
    }
  }
  ResolveClassNames(*info);
  for (const char16_t* special : {u"Class_Initialize", u"Class_Terminate"}) {
    const int index = info->Find(special);
    if (index < 0) continue;
    const TVbsMember& member = info->Members[size_t(index)];
    if (member.Kind != vmkMethod)
      QelVbRaiseError(u"Class initialize or terminate do not have arguments", member.DeclPos);
    (special[6] == u'I' ? info->Initialize : info->Terminate) = member.Method;
  }
  // The class is a constant under its name, and under the name New reaches it by.
  auto constant = std::make_unique<TQelConstObject>(id, info->Name);
  constant->Value.vt = VT_DISPATCH;
  constant->Value.pdispVal = QelVbsNewClassObject(info);
  const std::u16string key = QelVbsClassKey(info->Name);
  auto keyed = std::make_unique<TQelConstObject>(FCbs->GetNameId(key), key);
  QelCheckVar(VariantCopy(&keyed->Value, &constant->Value));
  RegisterGlobal(constant.release());
  RegisterGlobal(keyed.release());
  FClassKeys.emplace(id, key);
  if (Token() != ptEOf) SkipSeparators();
}

// Dim/Public/Private Name[(Bounds)][, ...] in a class: fields, arrays of constant bounds.
void TQelVbsParser::ParseClassFields(TVbsClassInfo& AClass, bool APublic) {
  for (;;) {
    const int pos = FScanner.FTokenStartPos;
    std::u16string text;
    Name(text);
    TVbsMember& member = MemberFor(AClass, text, vmkField, pos);
    member.Public = member.PublicPut = APublic;
    member.Field = AClass.FieldCount++;
    if (Token() == ptOpenRound) {
      Consume();
      member.IsArray = true;
      while (Token() != ptCloseRound) {
        const int boundPos = FScanner.FTokenStartPos;
        TQelExprPtr bound = ParseExpression();
        TQelVar value;
        if (!QelLiteralValue(bound.get(), value.V) ||
            FAILED(VariantChangeType(&value.V, &value.V, 0, VT_I4)) || value.V.lVal < -1)
          QelVbRaiseError(u"Expected integer constant", boundPos);
        member.Bounds.push_back(value.V.lVal);
        if (Token() != ptComma) break;
        Consume();
      }
      Expect({ptCloseRound});
    }
    if (Token() != ptComma) break;
    Consume();
  }
  SkipSeparators();
}

// Sub, Function, Property Get/Let/Set in a class: a procedure of the machine under a name no
// script can write, with Me as its last parameter.
void TQelVbsParser::ParseClassRoutine(TVbsClassInfo& AClass, bool APublic, bool ADefault) {
  TRoutineKind kind = Token() == ptSub ? rkSub : rkFunction;
  if (IsWord(u"Property")) {
    Consume();
    if (IsWord(u"Get")) kind = rkGet;
    else if (IsWord(u"Let")) kind = rkLet;
    else if (Token() == ptSet) kind = rkSet;
    else InvalidToken();
  }
  Consume();
  const bool isFunction = kind == rkFunction || kind == rkGet;
  const bool isProperty = kind >= rkGet;
  const int namePos = FScanner.FTokenStartPos;
  std::u16string text;
  const int id = Name(text);
  static constexpr const char16_t* kPrefixes[] = {u" ", u" ", u" Get ", u" Let ", u" Set "};
  const std::u16string routine = AClass.Name + kPrefixes[kind] + text;
  auto proc = std::make_unique<TQelVbProcDecl>(FCbs->GetNameId(routine), routine,
                                               isFunction ? pkFunction : pkSub);
  proc->FSourcePos = namePos;
  TQelRestore<TQelVbProcDecl*> current(FCurrentProc);
  TQelRestore<bool> resumeNext(FResumeNext), inProperty(FInProperty);
  FCurrentProc = proc.get();
  FResumeNext = false;
  FInProperty = isProperty;
  if (isFunction) AddLocal(std::make_unique<TQelLocalResultDecl>(id, text));
  size_t params = 0;
  if (Token() == ptOpenRound) {
    Consume();
    while (Token() != ptCloseRound) {
      TQelParamKind mode = pkByRef;
      if (Token() == ptByVal || Token() == ptByRef) {
        mode = Token() == ptByVal ? pkSimple : pkByRef;
        Consume();
      }
      std::u16string paramText;
      const int paramId = Name(paramText);
      if (paramId == id) Duplicate(paramText);
      AddLocal(std::make_unique<TQelParamDecl>(paramId, paramText, mode));
      ++params;
      if (Token() != ptComma) break;
      Consume();
      Check({ptByVal, ptByRef, ptIdentifier});
    }
    Expect({ptCloseRound});
  }
  if (params > 0 &&
      (CompareText(text, u"Class_Initialize") == 0 || CompareText(text, u"Class_Terminate") == 0))
    QelVbRaiseError(u"Class initialize or terminate do not have arguments", FLastSkippedPos);
  if ((kind == rkLet || kind == rkSet) && params == 0)
    QelVbRaiseError(u"Property Let/Set should have at least one argument", FLastSkippedPos);
  AddLocal(std::make_unique<TQelParamDecl>(FCbs->GetNameId(u"Me"), u"Me", pkSimple));
  SkipSeparators();
  {
    TQelCountScope body(FExitPntCounts[isFunction ? etFunction : etSub]);
    ParseStmtList(proc->FStmtList);
  }
  Expect({ptEnd});
  if (isProperty) ExpectWord(u"Property");
  else Expect({kind == rkFunction ? ptFunction : ptSub});
  proc->FEndSourcePos = FLastSkippedPos;
  SkipSeparators();

  TVbsMember& member = MemberFor(AClass, text, isProperty ? vmkProperty : vmkMethod, namePos);
  const bool firstAccessor =
      member.Get.empty() && member.Let.empty() && member.Set.empty() && member.Method.empty();
  std::u16string& slot = kind == rkGet   ? member.Get
                         : kind == rkLet ? member.Let
                         : kind == rkSet ? member.Set
                                         : member.Method;
  if (!slot.empty()) QelVbRaiseError(u"Name redefined", namePos);
  slot = routine;
  // Each side of a property is public when its accessor is (Let and Set share one).
  if (firstAccessor) member.Public = member.PublicPut = isProperty ? false : APublic;
  if (kind == rkGet) member.Public = APublic;
  if (kind == rkLet || kind == rkSet) member.PublicPut = member.PublicPut || APublic;
  if (ADefault) {
    if (AClass.Default >= 0 && AClass.Default != AClass.Find(text))
      QelVbRaiseError(u"Cannot have multiple default property/method in a Class", namePos);
    AClass.Default = AClass.Find(text);
  }
  RegisterGlobal(proc.release());
}

// The names the class's routines used: a member of the class (not hidden by a local) is
// reached through Me; the rest are names as anywhere else (implicit variables included).
void TQelVbsParser::ResolveClassNames(const TVbsClassInfo& AClass) {
  const int me = FCbs->GetNameId(u"Me");
  for (auto [designator, proc] : FClassDesignators) {
    auto& items = designator->FItems;
    TQelDesignatorItem& first = *items.front();
    if (!first.IsNamed()) continue;
    const TQelProcLocal* local = proc->FindLocal(first.FName);
    if (first.FName == me && local) {  // Me.Member reaches private members too
      if (items.size() > 1 && items[1]->IsNamed()) MakeInner(*items[1], FCbs);
      continue;
    }
    // A function's own name with arguments is a call of the routine, not its result.
    const bool routineCall = local && local->FLocalType == ltResult && first.FBracketType != bkNon;
    if ((!local || routineCall) && AClass.Find(first.FStrName) >= 0) {
      MakeInner(first, FCbs);
      auto self = std::make_unique<TQelDesignatorItem>();
      self->FName = me;
      self->FStrName = u"Me";
      self->FSourcePos = first.FSourcePos;
      items.insert(items.begin(), std::move(self));
      continue;
    }
    if (!local && first.FBracketType == bkNon && !FExplicit)
      FImplicit.push_back({proc, first.FName, first.FStrName});
  }
  FClassDesignators.clear();
}

void TQelVbsParser::NewParsed(qel_vb::TQelVbNewExpr& ANew) {
  if (FInProgram && ANew.FItems.size() >= 2 && ANew.FItems[1].get() == ANew.FNewCallItem &&
      ANew.FItems[0]->IsNamed())
    FNewExprs.push_back(&ANew);
}

// "(New Name).Member": the members go on from the new object, as after "New Name()".
void TQelVbsParser::GroupParsed(TQelExprPtr& AInner) {
  auto* created = dynamic_cast<qel_vb::TQelVbNewExpr*>(AInner.get());
  if (created && Token() == ptDot && !DotStartsArgument()) ParseDesignatorRest(*created);
}

// After the whole script: New Name of one of its classes reaches the class by its own name.
void TQelVbsParser::BindNewClasses() {
  for (qel_vb::TQelVbNewExpr* expr : FNewExprs) {
    TQelDesignatorItem& name = *expr->FItems[0];
    const auto key = FClassKeys.find(name.FName);
    if (key == FClassKeys.end()) continue;
    name.FStrName = key->second;
    name.FName = FCbs->GetNameId(key->second);
  }
  FNewExprs.clear();
}

}  // namespace qel_vbs
