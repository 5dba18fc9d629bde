// TList: a list of untyped pointers.
#include <algorithm>

#include "host/core/Classes.h"

TList::~TList() { Clear(); }

void TList::Error(std::u16string_view AMessage, int AData) const {
  throw ExceptionPtr(new EListError(Exception::FormatMessage(AMessage, {IntToStr(AData)})));
}

void TList::CheckIndex(int AIndex) const {
  if (AIndex < 0 || AIndex >= GetCount()) Error(u"List index out of bounds (%d)", AIndex);
}

int TList::Add(void* AItem) {
  const int index = GetCount();
  Insert(index, AItem);
  return index;
}

void TList::Insert(int AIndex, void* AItem) {
  if (AIndex < 0 || AIndex > GetCount()) Error(u"List index out of bounds (%d)", AIndex);
  FList.insert(FList.begin() + AIndex, AItem);
  FCapacity = std::max(FCapacity, GetCount());
  if (AItem) Notify(AItem, lnAdded);
}

void TList::Delete(int AIndex) {
  CheckIndex(AIndex);
  void* item = FList[AIndex];
  FList.erase(FList.begin() + AIndex);
  if (item) Notify(item, lnDeleted);
}

int TList::Remove(void* AItem) {
  const int index = IndexOf(AItem);
  if (index >= 0) Delete(index);
  return index;
}

void* TList::Extract(void* AItem) {
  const int index = IndexOf(AItem);
  if (index < 0) return nullptr;
  FList.erase(FList.begin() + index);
  Notify(AItem, lnExtracted);
  return AItem;
}

int TList::IndexOf(const void* AItem) const {
  const auto it = std::find(FList.begin(), FList.end(), AItem);
  return it == FList.end() ? -1 : static_cast<int>(it - FList.begin());
}

void TList::Exchange(int AIndex1, int AIndex2) {
  CheckIndex(AIndex1);
  CheckIndex(AIndex2);
  std::swap(FList[AIndex1], FList[AIndex2]);
}

void TList::Move(int ACurIndex, int ANewIndex) {
  if (ACurIndex == ANewIndex) return;
  CheckIndex(ACurIndex);
  CheckIndex(ANewIndex);
  const auto first = FList.begin();
  if (ACurIndex < ANewIndex) std::rotate(first + ACurIndex, first + ACurIndex + 1, first + ANewIndex + 1);
  else std::rotate(first + ANewIndex, first + ACurIndex, first + ACurIndex + 1);
}

void TList::Clear() {
  SetCount(0);
  SetCapacity(0);
}

void* TList::First() const { return GetItems(0); }
void* TList::Last() const { return GetItems(GetCount() - 1); }

void TList::Pack() { FList.erase(std::remove(FList.begin(), FList.end(), nullptr), FList.end()); }

void TList::Sort(TListSortCompare ACompare) {
  std::stable_sort(FList.begin(), FList.end(), [ACompare](void* a, void* b) { return ACompare(a, b) < 0; });
}

void TList::SetCount(int ANewCount) {
  if (ANewCount < 0) Error(u"List count out of bounds (%d)", ANewCount);
  if (ANewCount > FCapacity) SetCapacity(ANewCount);
  // Shrinking deletes from the end, so descendants are told of each item.
  while (GetCount() > ANewCount) Delete(GetCount() - 1);
  FList.resize(ANewCount, nullptr);
}

void TList::SetCapacity(int ANewCapacity) {
  if (ANewCapacity < GetCount()) Error(u"List capacity out of bounds (%d)", ANewCapacity);
  FList.reserve(ANewCapacity);
  FCapacity = ANewCapacity;
}

void* TList::GetItems(int AIndex) const {
  CheckIndex(AIndex);
  return FList[AIndex];
}

void TList::SetItems(int AIndex, void* AItem) {
  CheckIndex(AIndex);
  void* old = FList[AIndex];
  if (old == AItem) return;
  FList[AIndex] = AItem;
  if (old) Notify(old, lnDeleted);
  if (AItem) Notify(AItem, lnAdded);
}

void TList::QelRegisterMembers(TClassInfo& AInfo) { QelPublish<TList>(AInfo); }
