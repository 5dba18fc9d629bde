// TStringList: the stored string list with sorting, duplicates and change
// notifications.
#include <algorithm>
#include <numeric>

#include "host/core/Classes.h"

namespace {

constexpr char16_t kDuplicateString[] = u"String list does not allow duplicates";
constexpr char16_t kSortedListError[] = u"Operation not allowed on sorted list";

}  // namespace

TStringList::~TStringList() {
  // No events while the list goes away.
  OnChange = nullptr;
  OnChanging = nullptr;
  if (FOwnsObjects)
    for (TStringItem& item : FList) FreeAndNil(item.FObject);
}

void TStringList::CheckIndex(int AIndex) const {
  if (AIndex < 0 || AIndex >= GetCount()) IndexError(AIndex);
}

void TStringList::CheckUnsorted() const {
  if (FSorted) Error(kSortedListError, 0);
}

void TStringList::Changed() {
  if (GetUpdateCount() == 0) OnChange(this);
}

void TStringList::Changing() {
  if (GetUpdateCount() == 0) OnChanging(this);
}

void TStringList::SetUpdateState(bool AUpdating) {
  if (AUpdating) Changing();
  else Changed();
}

String TStringList::Get(int AIndex) const {
  CheckIndex(AIndex);
  return FList[AIndex].FString;
}

TObject* TStringList::GetObject(int AIndex) const {
  CheckIndex(AIndex);
  return FList[AIndex].FObject;
}

void TStringList::Put(int AIndex, const String& S) {
  CheckUnsorted();
  CheckIndex(AIndex);
  Changing();
  FList[AIndex].FString = S;
  Changed();
}

void TStringList::PutObject(int AIndex, TObject* AObject) {
  CheckIndex(AIndex);
  Changing();
  FList[AIndex].FObject = AObject;
  Changed();
}

void TStringList::Insert(int AIndex, const String& S) { InsertObject(AIndex, S, nullptr); }

void TStringList::InsertObject(int AIndex, const String& S, TObject* AObject) {
  CheckUnsorted();
  if (AIndex < 0 || AIndex > GetCount()) IndexError(AIndex);
  InsertItem(AIndex, S, AObject);
}

void TStringList::InsertItem(int AIndex, const String& S, TObject* AObject) {
  Changing();
  FList.insert(FList.begin() + AIndex, TStringItem{S, AObject});
  Changed();
}

void TStringList::Delete(int AIndex) {
  CheckIndex(AIndex);
  Changing();
  TObject* object = FList[AIndex].FObject;
  FList.erase(FList.begin() + AIndex);
  if (FOwnsObjects && object) object->Free();
  Changed();
}

void TStringList::Clear() {
  if (FList.empty()) return;
  Changing();
  std::vector<TStringItem> items;
  items.swap(FList);
  if (FOwnsObjects)
    for (TStringItem& item : items) FreeAndNil(item.FObject);
  Changed();
}

int TStringList::Add(const String& S) { return AddObject(S, nullptr); }

int TStringList::AddObject(const String& S, TObject* AObject) {
  int index = GetCount();
  if (FSorted && Find(S, index)) {
    if (FDuplicates == dupIgnore) return index;
    if (FDuplicates == dupError) Error(kDuplicateString, 0);
  }
  InsertItem(index, S, AObject);
  return index;
}

// Exchanging or moving lines of a sorted list would break its order (and
// every later Find), so both are refused like Insert.
void TStringList::Exchange(int AIndex1, int AIndex2) {
  CheckUnsorted();
  CheckIndex(AIndex1);
  CheckIndex(AIndex2);
  Changing();
  std::swap(FList[AIndex1], FList[AIndex2]);
  Changed();
}

void TStringList::Move(int ACurIndex, int ANewIndex) {
  if (ACurIndex == ANewIndex) return;
  CheckUnsorted();
  CheckIndex(ACurIndex);
  CheckIndex(ANewIndex);
  Changing();
  const auto first = FList.begin();
  if (ACurIndex < ANewIndex) std::rotate(first + ACurIndex, first + ACurIndex + 1, first + ANewIndex + 1);
  else std::rotate(first + ANewIndex, first + ACurIndex, first + ACurIndex + 1);
  Changed();
}

int TStringList::IndexOf(std::u16string_view S) const {
  if (!FSorted) return TStrings::IndexOf(S);
  int index;
  return Find(S, index) ? index : -1;
}

bool TStringList::Find(std::u16string_view S, int& AIndex) const {
  if (!FSorted) {
    // An unsorted list cannot be bisected: answer by scanning.
    AIndex = TStrings::IndexOf(S);
    if (AIndex >= 0) return true;
    AIndex = GetCount();
    return false;
  }
  bool found = false;
  int low = 0, high = GetCount() - 1;
  while (low <= high) {
    const int mid = (low + high) / 2;
    const int c = CompareStrings(FList[mid].FString, S);
    if (c < 0) {
      low = mid + 1;
    } else {
      high = mid - 1;
      if (c == 0) {
        found = true;
        if (FDuplicates != dupAccept) low = mid;
      }
    }
  }
  AIndex = low;
  return found;
}

void TStringList::Reorder(const std::vector<int>& AOrder) {
  std::vector<TStringItem> sorted;
  sorted.reserve(FList.size());
  for (int index : AOrder) sorted.push_back(std::move(FList[index]));
  FList.swap(sorted);
}

void TStringList::CustomSort(const TStringListSortCompare& ACompare) {
  if (GetCount() < 2) return;
  // The comparer speaks of indices, so sort a permutation against the
  // untouched list and apply it afterwards.
  std::vector<int> order(FList.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return ACompare(this, a, b) < 0; });
  Changing();
  Reorder(order);
  Changed();
}

void TStringList::Sort() {
  if (GetCount() < 2) return;
  Changing();
  std::stable_sort(FList.begin(), FList.end(), [this](const TStringItem& a, const TStringItem& b) {
    return CompareStrings(a.FString, b.FString) < 0;
  });
  Changed();
}

void TStringList::SetSorted(bool AValue) {
  if (AValue == FSorted) return;
  if (AValue) Sort();
  FSorted = AValue;
}

void TStringList::SetCaseSensitive(bool AValue) {
  if (AValue == FCaseSensitive) return;
  FCaseSensitive = AValue;
  if (FSorted) Sort();
}

int TStringList::CompareStrings(std::u16string_view S1, std::u16string_view S2) const {
  return FCaseSensitive ? AnsiCompareStr(S1, S2) : AnsiCompareText(S1, S2);
}

void TStringList::QelRegisterMembers(TClassInfo& AInfo) { QelPublish<TStringList>(AInfo); }
