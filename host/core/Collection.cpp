// Collections of items, thread-safe lists.
#include <algorithm>

#include "host/core/Classes.h"

// ---- TCollectionItem ------------------------------------------------------------------------

TCollectionItem::~TCollectionItem() { SetCollection(nullptr); }

void TCollectionItem::SetCollection(TCollection* AValue) {
  if (AValue == FCollection) return;
  if (FCollection) FCollection->RemoveItem(this);
  if (AValue) AValue->InsertItem(this, AValue->GetCount());
}

int TCollectionItem::GetIndex() const {
  if (!FCollection) return -1;
  const auto& items = FCollection->FItems;
  return static_cast<int>(std::find(items.begin(), items.end(), this) - items.begin());
}

void TCollectionItem::SetIndex(int AValue) {
  const int current = GetIndex();
  if (current < 0 || AValue == current) return;
  FCollection->CheckIndex(AValue);
  auto& items = FCollection->FItems;
  items.erase(items.begin() + current);
  items.insert(items.begin() + AValue, this);
  FCollection->Changed();
}

String TCollectionItem::GetNamePath() const {
  if (!FCollection) return ClassName();
  return FCollection->GetNamePath() + u"[" + IntToStr(GetIndex()) + u"]";
}

// ---- TCollection ----------------------------------------------------------------------------

TCollection::TCollection(TClass AItemClass) : FItemClass(AItemClass) {
  if (!AItemClass || !AItemClass->InheritsFrom(TCollectionItem::StaticClass()) || !AItemClass->CanCreate())
    RaiseInvalidCast();
}

TCollection::~TCollection() {
  FUpdateCount = 1;  // no change notifications while dying
  Clear();
}

TCollectionItem* TCollection::Add() { return Insert(GetCount()); }

TCollectionItem* TCollection::Insert(int AIndex) {
  if (AIndex < 0 || AIndex > GetCount())
    throw ExceptionPtr(new EListError(Exception::FormatMessage(u"List index out of bounds (%d)", {IntToStr(AIndex)})));
  auto* item = static_cast<TCollectionItem*>(FItemClass->NewInstance());
  InsertItem(item, AIndex);
  return item;
}

void TCollection::Delete(int AIndex) {
  CheckIndex(AIndex);
  FItems[AIndex]->Free();
}

void TCollection::Clear() {
  if (FItems.empty()) return;
  ++FUpdateCount;
  while (!FItems.empty()) FItems.back()->Free();
  EndUpdate();
}

void TCollection::EndUpdate() {
  if (FUpdateCount > 0) --FUpdateCount;
  if (FUpdateCount == 0 && FChangedWhileUpdating) {
    FChangedWhileUpdating = false;
    Changed();
  }
}

TCollectionItem* TCollection::FindItemID(int AID) const {
  for (TCollectionItem* item : FItems)
    if (item->FID == AID) return item;
  return nullptr;
}

void TCollection::Exchange(int AIndex1, int AIndex2) {
  CheckIndex(AIndex1);
  CheckIndex(AIndex2);
  std::swap(FItems[AIndex1], FItems[AIndex2]);
  Changed();
}

void TCollection::Assign(TPersistent* ASource) {
  auto* source = dynamic_cast<TCollection*>(ASource);
  if (!source) {
    TPersistent::Assign(ASource);
    return;
  }
  if (source == this) return;
  BeginUpdate();
  Clear();
  for (TCollectionItem* item : source->FItems) Add()->Assign(item);
  EndUpdate();
}

TCollectionItem* TCollection::GetItems(int AIndex) const {
  CheckIndex(AIndex);
  return FItems[AIndex];
}

void TCollection::SetItems(int AIndex, TCollectionItem* AValue) { GetItems(AIndex)->Assign(AValue); }

String TCollection::GetNamePath() const {
  TPersistent* owner = GetOwner();
  return owner ? owner->GetNamePath() + u"." + ClassName() : ClassName();
}

void TCollection::Changed() {
  if (FUpdateCount > 0) {
    FChangedWhileUpdating = true;
    return;
  }
  OnChange(this);
}

void TCollection::InsertItem(TCollectionItem* AItem, int AIndex) {
  FItems.insert(FItems.begin() + AIndex, AItem);
  AItem->FCollection = this;
  AItem->FID = FNextID++;
  Changed();
}

void TCollection::RemoveItem(TCollectionItem* AItem) {
  const auto found = std::find(FItems.begin(), FItems.end(), AItem);
  if (found != FItems.end()) FItems.erase(found);
  AItem->FCollection = nullptr;
  Changed();
}

void TCollection::CheckIndex(int AIndex) const {
  if (AIndex < 0 || AIndex >= GetCount())
    throw ExceptionPtr(new EListError(Exception::FormatMessage(u"List index out of bounds (%d)", {IntToStr(AIndex)})));
}

// ---- TThreadList ----------------------------------------------------------------------------

void TThreadList::Add(void* AItem) {
  std::lock_guard guard(FLock);
  if (FDuplicates != dupAccept && FList.IndexOf(AItem) >= 0) {
    if (FDuplicates == dupError)
      throw ExceptionPtr(new EListError(u"Duplicates not allowed in this list"));
    return;
  }
  FList.Add(AItem);
}

void TThreadList::Remove(void* AItem) {
  std::lock_guard guard(FLock);
  FList.Remove(AItem);
}

void TThreadList::Clear() {
  std::lock_guard guard(FLock);
  FList.Clear();
}

TList* TThreadList::LockList() {
  FLock.lock();
  return &FList;
}

void TThreadList::UnlockList() { FLock.unlock(); }

void TCollectionItem::QelRegisterMembers(TClassInfo& AInfo) { QelPublish<TCollectionItem>(AInfo); }
void TCollection::QelRegisterMembers(TClassInfo& AInfo) { QelPublish<TCollection>(AInfo); }
void TDataModule::QelRegisterMembers(TClassInfo& AInfo) { QelPublish<TDataModule>(AInfo); }
