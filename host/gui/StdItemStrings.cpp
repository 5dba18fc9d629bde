// Item strings kept in a widget.
#include "host/gui/QelItemStrings.h"
#include "host/gui/QelQt.h"

void TQtItemStrings::Check(int AIndex, bool AInsert) const {
  if (AIndex < 0 || AIndex > GetCount() || (!AInsert && AIndex == GetCount()))
    QelRaiseListIndex<EStringListError>(AIndex);
}

String TQtItemStrings::Get(int AIndex) const {
  Check(AIndex);
  return QelFromQString(FBackend->Get(AIndex));
}

TObject* TQtItemStrings::GetObject(int AIndex) const {
  Check(AIndex);
  return AIndex < static_cast<int>(FObjects.size()) ? FObjects[AIndex] : nullptr;
}

void TQtItemStrings::Put(int AIndex, const String& S) {
  Check(AIndex);
  FBackend->Put(AIndex, QelToQString(S));
  Changed();
}

void TQtItemStrings::PutObject(int AIndex, TObject* AObject) {
  Check(AIndex);
  if (static_cast<int>(FObjects.size()) < GetCount()) FObjects.resize(GetCount());
  FObjects[AIndex] = AObject;
}

void TQtItemStrings::Insert(int AIndex, const String& S) { InsertObject(AIndex, S, nullptr); }

void TQtItemStrings::InsertObject(int AIndex, const String& S, TObject* AObject) {
  Check(AIndex, true);
  if (static_cast<int>(FObjects.size()) < GetCount()) FObjects.resize(GetCount());
  FBackend->Insert(AIndex, QelToQString(S));
  // A backend whose items are lines may take several lines from one string.
  const int added = GetCount() - static_cast<int>(FObjects.size());
  FObjects.insert(FObjects.begin() + AIndex, std::max(added, 0), nullptr);
  if (added > 0) FObjects[AIndex] = AObject;
  Changed();
}

int TQtItemStrings::Add(const String& S) { return AddObject(S, nullptr); }

int TQtItemStrings::AddObject(const String& S, TObject* AObject) {
  int at = GetCount();
  if (FSorted) {
    at = 0;
    while (at < GetCount() && CompareStrings(Get(at), S) <= 0) ++at;
  }
  InsertObject(at, S, AObject);
  return at;
}

void TQtItemStrings::Delete(int AIndex) {
  Check(AIndex);
  FBackend->Delete(AIndex);
  if (AIndex < static_cast<int>(FObjects.size())) FObjects.erase(FObjects.begin() + AIndex);
  Changed();
}

void TQtItemStrings::Clear() {
  FBackend->Clear();
  FObjects.clear();
  Changed();
}

void TQtItemStrings::SetSorted(bool AValue) {
  FSorted = AValue;
  if (!AValue || GetCount() < 2) return;
  std::vector<std::pair<String, TObject*>> items;
  for (int i = 0; i < GetCount(); ++i) items.emplace_back(Get(i), GetObject(i));
  std::stable_sort(items.begin(), items.end(), [this](const auto& A, const auto& B) { return CompareStrings(A.first, B.first) < 0; });
  FBackend->Clear();
  FObjects.clear();
  for (const auto& [text, object] : items) {
    FBackend->Insert(FBackend->Count(), QelToQString(text));
    FObjects.push_back(object);
  }
  Changed();
}
