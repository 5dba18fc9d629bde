// Actions, their lists and the shortcut lists.
#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <algorithm>

#include "host/core/SysUtils.h"
#include "host/gui/ActnList.h"
#include "host/gui/Forms.h"
#include "host/gui/QelQt.h"

// ---- basic actions and links ----------------------------------------------

TBasicActionLink::~TBasicActionLink() { SetAction(nullptr); }

void TBasicActionLink::SetAction(TBasicAction* AValue) {
  if (AValue == FAction) return;
  if (FAction) FAction->UnRegisterChanges(this);
  FAction = AValue;
  if (FAction) FAction->RegisterChanges(this);
}

bool TBasicActionLink::Execute(TComponent* AComponent) {
  if (!FAction) return false;
  FAction->SetActionComponent(AComponent);
  struct TReset {
    TBasicAction* Action;
    ~TReset() { Action->SetActionComponent(nullptr); }
  } reset{FAction};
  return FAction->Execute();
}

bool TBasicActionLink::Update() { return FAction && FAction->Update(); }

TBasicAction::~TBasicAction() {
  // The clients stay; they simply have no action any more.
  for (TBasicActionLink* link : FClients) link->FAction = nullptr;
  FClients.clear();
}

bool TBasicAction::Execute() {
  if (!OnExecute) return false;
  OnExecute(this);
  return true;
}

bool TBasicAction::Update() {
  if (!OnUpdate) return false;
  OnUpdate(this);
  return true;
}

void TBasicAction::RegisterChanges(TBasicActionLink* ALink) {
  if (std::find(FClients.begin(), FClients.end(), ALink) == FClients.end())
    FClients.push_back(ALink);
}

void TBasicAction::UnRegisterChanges(TBasicActionLink* ALink) { std::erase(FClients, ALink); }

void TBasicAction::Notification(TComponent* AComponent, TOperation AOperation) {
  TComponent::Notification(AComponent, AOperation);
  if (AOperation == opRemove && AComponent == FActionComponent) FActionComponent = nullptr;
}

void TBasicAction::Change() {
  OnChange(this);
  // A link may unlink itself from its change handler: walk a copy.
  const std::vector<TBasicActionLink*> clients = FClients;
  for (TBasicActionLink* link : clients) {
    if (std::find(FClients.begin(), FClients.end(), link) != FClients.end()) link->Change();
  }
}

// ---- contained actions ----------------------------------------------------

TContainedAction::~TContainedAction() { SetActionList(nullptr); }

void TContainedAction::SetActionList(TContainedActionList* AValue) {
  if (AValue == FActionList) return;
  if (FActionList) {
    std::erase(FActionList->FActions, this);
    FActionList->OnChange(FActionList);
  }
  FActionList = AValue;
  if (FActionList) {
    FActionList->FActions.push_back(this);
    FActionList->OnChange(FActionList);
  }
}

int TContainedAction::GetIndex() const {
  if (!FActionList) return -1;
  const auto& actions = FActionList->FActions;
  return static_cast<int>(std::find(actions.begin(), actions.end(), this) - actions.begin());
}

void TContainedAction::SetIndex(int AValue) {
  if (!FActionList) return;
  auto& actions = FActionList->FActions;
  AValue = std::clamp(AValue, 0, static_cast<int>(actions.size()) - 1);
  std::erase(actions, this);
  actions.insert(actions.begin() + AValue, this);
}

bool TContainedAction::Suspended() const {
  return FActionList && FActionList->GetState() != asNormal;
}

bool TContainedAction::Execute() {
  if (Suspended()) return false;
  if (FActionList && FActionList->ExecuteAction(this)) return true;
  return TBasicAction::Execute();
}

bool TContainedAction::Update() {
  if (FActionList && FActionList->GetState() != asNormal) return false;
  if (FActionList && FActionList->UpdateAction(this)) return true;
  return TBasicAction::Update();
}

// Tells every link the new value while the field still holds the old one (a link changes only
// clients that show the old value), then stores it.
template <class V, class F>
void TContainedAction::Tell(V& AField, const V& AValue, F ASetter) {
  if (AField == AValue) return;
  const std::vector<TBasicActionLink*> clients = FClients;
  for (TBasicActionLink* link : clients) {
    if (auto* contained = dynamic_cast<TContainedActionLink*>(link)) (contained->*ASetter)(AValue);
  }
  AField = AValue;
  Change();
}

void TContainedAction::SetCaption(const String& AValue) {
  Tell(FCaption, AValue, &TContainedActionLink::SetCaption);
}
void TContainedAction::SetEnabled(bool AValue) {
  Tell(FEnabled, AValue, &TContainedActionLink::SetEnabled);
}
void TContainedAction::SetHint(const String& AValue) {
  Tell(FHint, AValue, &TContainedActionLink::SetHint);
}
void TContainedAction::SetShortCut(TShortCut AValue) {
  Tell(FShortCut, AValue, &TContainedActionLink::SetShortCut);
}
void TContainedAction::SetVisible(bool AValue) {
  Tell(FVisible, AValue, &TContainedActionLink::SetVisible);
}
void TContainedAction::SetImageIndex(int AValue) {
  Tell(FImageIndex, AValue, &TContainedActionLink::SetImageIndex);
}

void TContainedAction::SetChecked(bool AValue) {
  if (AValue == FChecked) return;
  if (AValue && FGroupIndex > 0 && FActionList) {
    for (TContainedAction* other : FActionList->FActions) {
      if (other != this && other->FGroupIndex == FGroupIndex) other->SetChecked(false);
    }
  }
  Tell(FChecked, AValue, &TContainedActionLink::SetChecked);
}

// ---- action lists -----------------------------------------------------------

namespace {

// Never destroyed: a list freed during the process's exit still finds it.
std::vector<TContainedActionList*>& LiveLists() {
  static auto* lists = new std::vector<TContainedActionList*>;
  return *lists;
}

bool IsLive(TContainedActionList* AList) {
  const auto& lists = LiveLists();
  return std::find(lists.begin(), lists.end(), AList) != lists.end();
}

// The application is about to wait for events: the lists of showing forms update their actions.
// A handler may free lists or forms, so each is looked up again before use.
void UpdateAtIdle() {
  static bool updating = false;
  if (updating) return;
  updating = true;
  struct TReset {
    ~TReset() { updating = false; }
  } reset;
  const std::vector<TContainedActionList*> lists = LiveLists();
  for (TContainedActionList* list : lists) {
    if (!IsLive(list) || list->GetState() != asNormal) continue;
    auto* form = dynamic_cast<TCustomForm*>(list->GetOwner());
    if (form && form->GetShowing()) QelGuard(list, [list] { list->UpdateActions(); });
  }
}

void HookIdle() {
  static bool hooked = false;
  if (hooked) return;
  QelEnsureApplication();
  if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance()) {
    QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock,
                     QCoreApplication::instance(), &UpdateAtIdle);
    hooked = true;
  }
}

}  // namespace

TContainedActionList::TContainedActionList(TComponent* AOwner) : TComponent(AOwner) {
  HookIdle();
  LiveLists().push_back(this);
}

TContainedActionList::~TContainedActionList() {
  std::erase(LiveLists(), this);
  for (TContainedAction* action : FActions) action->FActionList = nullptr;
  FActions.clear();
}

TContainedAction* TContainedActionList::GetActions(int AIndex) const {
  if (AIndex < 0 || AIndex >= GetActionCount()) QelRaiseListIndex(AIndex);
  return FActions[static_cast<size_t>(AIndex)];
}

int TContainedActionList::IndexOfName(const String& AName) const {
  for (size_t i = 0; i < FActions.size(); ++i) {
    if (SameText(FActions[i]->GetName(), AName)) return static_cast<int>(i);
  }
  return -1;
}

bool TContainedActionList::ExecuteAction(TBasicAction* AAction) {
  bool handled = false;
  OnExecute(AAction, handled);
  return handled;
}

bool TContainedActionList::UpdateAction(TBasicAction* AAction) {
  bool handled = false;
  OnUpdate(AAction, handled);
  return handled;
}

void TContainedActionList::UpdateActions() {
  const std::vector<TContainedAction*> actions = FActions;
  for (TContainedAction* action : actions) {
    if (!IsLive(this)) return;
    if (std::find(FActions.begin(), FActions.end(), action) != FActions.end()) action->Update();
  }
}

void TContainedActionList::SetState(TActionListState AValue) {
  if (AValue == FState) return;
  FState = AValue;
  // Suspended actions keep their state; suspended-enabled ones are all enabled.
  if (AValue == asSuspendedEnabled) {
    for (TContainedAction* action : FActions) action->SetEnabled(true);
  }
  OnStateChange(this);
}

bool TCustomActionList::IsShortCut(TShortCut AShortCut) {
  if (AShortCut == scNone || GetState() != asNormal) return false;
  for (int i = 0; i < GetActionCount(); ++i) {
    auto* action = dynamic_cast<TCustomAction*>(GetActions(i));
    if (!action || !action->IsShortCut(AShortCut)) continue;
    action->Update();
    if (!action->GetEnabled()) return false;
    action->Execute();
    return true;
  }
  return false;
}

// ---- custom actions -----------------------------------------------------------

TCustomAction::~TCustomAction() { delete FSecondaryShortCuts; }

bool TCustomAction::Execute() {
  if (Suspended()) return false;
  Update();
  if (!GetEnabled()) return false;
  // A checked action of a group stays checked: choosing it again changes nothing.
  if (GetAutoCheck() && (!GetChecked() || GetGroupIndex() == 0)) SetChecked(!GetChecked());
  return TContainedAction::Execute();
}

bool TCustomAction::Update() {
  const bool handled = TContainedAction::Update();
  TContainedActionList* list = GetActionList();
  if (!handled && FDisableIfNoHandler && !Suspended() && !OnExecute && !(list && list->OnExecute))
    SetEnabled(false);
  return handled;
}

TShortCutList* TCustomAction::GetSecondaryShortCuts() {
  if (!FSecondaryShortCuts) FSecondaryShortCuts = new TShortCutList;
  return FSecondaryShortCuts;
}

bool TCustomAction::IsShortCut(TShortCut AShortCut) {
  if (AShortCut == scNone) return false;
  return GetShortCut() == AShortCut ||
         (FSecondaryShortCuts && FSecondaryShortCuts->IndexOfShortCut(AShortCut) >= 0);
}

// ---- shortcut lists -------------------------------------------------------------

TShortCut TCustomShortCutList::GetShortCuts(int AIndex) const {
  if (AIndex < 0 || AIndex >= GetCount()) QelRaiseListIndex(AIndex);
  return TextToShortCut(GetStrings(AIndex));
}

int TCustomShortCutList::IndexOfShortCut(TShortCut AShortCut) const {
  for (int i = 0; i < GetCount(); ++i) {
    if (GetShortCuts(i) == AShortCut) return i;
  }
  return -1;
}

int TShortCutList::Add(const String& S) {
  const TShortCut value = TextToShortCut(S);
  if (value == scNone)
    QelRaise<EActionError>(Exception::FormatMessage(u"Invalid shortcut '%s'", {S}));
  return TCustomShortCutList::Add(ShortCutToText(value));
}

void TBasicAction::QelRegisterMembers(TClassInfo& AInfo) { QelPublish<TBasicAction>(AInfo); }
void TContainedAction::QelRegisterMembers(TClassInfo& AInfo) {
  QelPublish<TContainedAction>(AInfo);
}
void TContainedActionList::QelRegisterMembers(TClassInfo& AInfo) {
  QelPublish<TContainedActionList>(AInfo);
}
