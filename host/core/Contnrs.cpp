// Object, component and class lists; stacks and queues; bucket lists.
#include "host/core/Contnrs.h"

namespace {

[[noreturn]] void ListError(std::u16string_view AMessage) { throw ExceptionPtr(new EListError(String(AMessage))); }

}  // namespace

// ---- object lists ---------------------------------------------------------------------------

void TObjectList::Notify(void* APtr, TListNotification AAction) {
  if (FOwnsObjects && AAction == lnDeleted) static_cast<TObject*>(APtr)->Free();
  TList::Notify(APtr, AAction);
}

int TObjectList::FindInstanceOf(TClass AClass, bool AExact, int AStartAt) const {
  for (int i = std::max(AStartAt, 0); i < GetCount(); ++i) {
    const TObject* item = GetItems(i);
    if (!item) continue;
    if (AExact ? item->ClassType() == AClass : item->InheritsFrom(AClass)) return i;
  }
  return -1;
}

class TComponentList::TWatcher : public TComponent {
 public:
  explicit TWatcher(TComponentList* AList) : TComponent(nullptr), FList(AList) {}

 protected:
  void Notification(TComponent* AComponent, TOperation AOperation) override {
    TComponent::Notification(AComponent, AOperation);
    // The component is going away: drop it without freeing it a second time.
    if (AOperation == opRemove)
      while (FList->IndexOf(AComponent) >= 0) FList->Extract(AComponent);
  }

 private:
  TComponentList* FList;
};

TComponentList::~TComponentList() {
  Clear();
  delete FWatcher;
}

void TComponentList::Notify(void* APtr, TListNotification AAction) {
  auto* component = static_cast<TComponent*>(APtr);
  if (AAction == lnAdded) {
    if (!FWatcher) FWatcher = new TWatcher(this);
    FWatcher->FreeNotification(component);
  } else if (FWatcher && IndexOf(component) < 0) {
    FWatcher->RemoveFreeNotification(component);
  }
  TObjectList::Notify(APtr, AAction);
}

// ---- stacks and queues ----------------------------------------------------------------------

TOrderedList::~TOrderedList() = default;

void* TOrderedList::Push(void* AItem) {
  PushItem(AItem);
  return AItem;
}

void* TOrderedList::Pop() {
  void* item = Peek();
  FList.Delete(FList.GetCount() - 1);
  return item;
}

// An empty list raises "List index out of bounds (-1)", as the class library does.
void* TOrderedList::Peek() const { return FList.GetItems(FList.GetCount() - 1); }

// The list's end is the top of a stack and the head of a queue.
void TStack::PushItem(void* AItem) { List().Add(AItem); }
void TQueue::PushItem(void* AItem) { List().Insert(0, AItem); }

// ---- bucket lists ---------------------------------------------------------------------------

bool TCustomBucketList::Find(intptr_t AItem, intptr_t& AData) const {
  const auto found = FItems.find(AItem);
  if (found == FItems.end()) return false;
  AData = found->second;
  return true;
}

intptr_t TCustomBucketList::GetData(intptr_t AItem) const {
  const auto found = FItems.find(AItem);
  if (found == FItems.end()) ListError(u"Item not found");
  return found->second;
}

void TCustomBucketList::SetData(intptr_t AItem, intptr_t AData) {
  const auto found = FItems.find(AItem);
  if (found == FItems.end()) ListError(u"Item not found");
  found->second = AData;
}

intptr_t TCustomBucketList::AddItem(intptr_t AItem, intptr_t AData) {
  if (!FItems.emplace(AItem, AData).second) ListError(u"Duplicate item");
  return AData;
}

intptr_t TCustomBucketList::RemoveItem(intptr_t AItem) {
  const auto found = FItems.find(AItem);
  if (found == FItems.end()) ListError(u"Item not found");
  const intptr_t data = found->second;
  FItems.erase(found);
  return data;
}

TObject* TObjectBucketList::Add(TObject* AItem, TObject* AData) {
  return reinterpret_cast<TObject*>(AddItem(reinterpret_cast<intptr_t>(AItem), reinterpret_cast<intptr_t>(AData)));
}
TObject* TObjectBucketList::Remove(TObject* AItem) {
  return reinterpret_cast<TObject*>(RemoveItem(reinterpret_cast<intptr_t>(AItem)));
}
TObject* TObjectBucketList::GetData(TObject* AItem) const {
  return reinterpret_cast<TObject*>(TCustomBucketList::GetData(reinterpret_cast<intptr_t>(AItem)));
}
void TObjectBucketList::SetData(TObject* AItem, TObject* AData) {
  TCustomBucketList::SetData(reinterpret_cast<intptr_t>(AItem), reinterpret_cast<intptr_t>(AData));
}

void TObjectList::QelRegisterMembers(TClassInfo& AInfo) { QelPublish<TObjectList>(AInfo); }
