// List actions and the links that fill their list controls.
#include "host/gui/ListActns.h"
#include "host/gui/QelQt.h"

namespace {

// Marks the action as writing its clients: a client's click while it is being filled is not the
// user's choice.
struct TShowing {
  bool& Flag;
  bool Saved;
  explicit TShowing(bool& AFlag) : Flag(AFlag), Saved(AFlag) { Flag = true; }
  ~TShowing() { Flag = Saved; }
};

}  // namespace

// ---- the link ---------------------------------------------------------------------

TListActionLink::TListActionLink(TCustomListAction* AAction, TCustomListControl* AClient)
    : FClient(AClient) {
  // Not registered with the action: the client's own control link is, and stands for it.
  FAction = AAction;
}

TCustomListAction* TListActionLink::ListAction() const {
  return static_cast<TCustomListAction*>(FAction);
}

void TListActionLink::Refill() {
  TCustomListAction* action = ListAction();
  if (!action) return;
  TShowing showing(action->FShowing);
  FClient->Clear();
  if (!action->GetActive()) return;
  const int count = action->GetCount();
  for (int i = 0; i < count; ++i) {
    String text;
    int image = -1;
    action->GetItem(i, text, image);
    FClient->AddItem(text, nullptr);
  }
  FClient->SetItemIndex(action->GetItemIndex());
}

void TListActionLink::SetItemIndex(int AValue) {
  TShowing showing(ListAction()->FShowing);
  if (FClient->GetItemIndex() != AValue) FClient->SetItemIndex(AValue);
}

// ---- the action --------------------------------------------------------------------

TCustomListAction::~TCustomListAction() {
  for (auto& [control, link] : FLinks) link->Detach();
  FLinks.clear();
}

int TCustomListAction::GetCount() const {
  int count = ItemCount();
  OnGetItemCount(const_cast<TCustomListAction*>(this), count);
  return count < 0 ? 0 : count;
}

void TCustomListAction::SetItemIndex(int AValue) {
  if (AValue < -1 || AValue >= GetCount()) QelRaiseListIndex(AValue);
  FItemIndex = AValue;
  // An inactive action's clients show no items to choose from.
  if (FActive)
    for (auto& [control, link] : FLinks) link->SetItemIndex(AValue);
}

void TCustomListAction::SetActive(bool AValue) {
  if (FActive == AValue) return;
  FActive = AValue;
  ItemsChanged();
}

void TCustomListAction::ItemsChanged() {
  // An item removed may have been the chosen one.
  if (FItemIndex >= GetCount()) FItemIndex = -1;
  for (auto& [control, link] : FLinks) link->Refill();
}

void TCustomListAction::RegisterChanges(TBasicActionLink* ALink) {
  TCustomAction::RegisterChanges(ALink);
  auto* controlLink = dynamic_cast<TControlActionLink*>(ALink);
  auto* list = controlLink ? dynamic_cast<TCustomListControl*>(controlLink->GetClient()) : nullptr;
  if (!list) return;
  for (auto& [control, link] : FLinks)
    if (control == ALink) return;
  FLinks.emplace_back(ALink, std::make_unique<TListActionLink>(this, list));
  FLinks.back().second->Refill();
}

void TCustomListAction::UnRegisterChanges(TBasicActionLink* ALink) {
  TCustomAction::UnRegisterChanges(ALink);
  std::erase_if(FLinks, [&](const auto& AEntry) {
    if (AEntry.first != ALink) return false;
    AEntry.second->Detach();
    return true;
  });
}

bool TCustomListAction::Execute() {
  if (FShowing) return true;
  TControl* chooser = nullptr;
  for (auto& [control, link] : FLinks) {
    if (link->GetClient() == GetActionComponent()) chooser = link->GetClient();
  }
  if (chooser) {
    const int index = static_cast<TCustomListControl*>(chooser)->GetItemIndex();
    if (index != FItemIndex && index < GetCount()) SetItemIndex(index);
    OnItemSelected(this, chooser);
  }
  return TCustomAction::Execute();
}

// ---- static items ---------------------------------------------------------------------

void TListControlItem::Assign(TPersistent* ASource) {
  if (auto* item = dynamic_cast<TListControlItem*>(ASource)) {
    FCaption = item->FCaption;
    FImageIndex = item->FImageIndex;
    FData = item->FData;
    Changed();
    return;
  }
  TCollectionItem::Assign(ASource);
}

void TListControlItem::Changed() {
  if (auto* items = dynamic_cast<TListControlItems*>(GetCollection())) items->Changed();
}

TListControlItem* TListControlItems::AddItem(const String& ACaption, int AImageIndex) {
  BeginUpdate();
  TListControlItem* item = Add();
  item->SetCaption(ACaption);
  item->SetImageIndex(AImageIndex);
  EndUpdate();
  return item;
}

int TListControlItems::IndexOf(const String& ACaption) const {
  for (int i = 0; i < GetCount(); ++i)
    if (GetListItems(i)->GetCaption() == ACaption) return i;
  return -1;
}

void TListControlItems::Changed() {
  TCollection::Changed();
  if (GetUpdateCount() > 0) return;
  if (auto* action = dynamic_cast<TCustomListAction*>(GetOwner())) action->ItemsChanged();
}

TStaticListItems::TStaticListItems(TCustomStaticListAction* AOwner) : TListControlItems(AOwner) {}

TCustomStaticListAction::TCustomStaticListAction(TComponent* AOwner)
    : TCustomListAction(AOwner), FItems(new TStaticListItems(this)) {}

TCustomStaticListAction::~TCustomStaticListAction() { delete FItems; }

void TCustomStaticListAction::GetItem(int AIndex, String& AValue, int& AImageIndex) {
  if (AIndex < 0 || AIndex >= FItems->GetCount()) QelRaiseListIndex(AIndex);
  const TListControlItem* item = FItems->GetListItems(AIndex);
  AValue = item->GetCaption();
  AImageIndex = item->GetImageIndex();
  OnGetItem(this, AIndex, AValue, AImageIndex);
}

// ---- virtual items -----------------------------------------------------------------------

void TCustomVirtualListAction::SetCount(int AValue) {
  if (AValue < 0) QelRaiseListIndex(AValue);
  FCount = AValue;
  ItemsChanged();
}

void TCustomVirtualListAction::GetItem(int AIndex, String& AValue, int& AImageIndex) {
  if (AIndex < 0 || AIndex >= GetCount()) QelRaiseListIndex(AIndex);
  OnGetItem(this, AIndex, AValue, AImageIndex);
}
