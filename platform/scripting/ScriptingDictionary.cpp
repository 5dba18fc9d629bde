// "Scripting.Dictionary": an insertion-ordered hash map from keys of any kind to values.
// Numbers are one kind whatever their variant type (1, 1.0 and True's -1 compare by value),
// texts another (case-blind in text mode), objects compare by identity.
#include <cmath>
#include <list>
#include <unordered_map>

#include "platform/scripting/ScriptingInternal.h"

namespace {

enum TKeyKind : uint8_t { kkEmpty, kkNull, kkNumber, kkText, kkObject };
enum TCompareMode : int32_t { cmBinary = 0, cmText = 1 };

// The identity of a key: what two keys must share to be the same key.
struct TKeyId {
  TKeyKind Kind = kkEmpty;
  double Number = 0;
  String Text;             // upper-cased in text mode
  const void* Object = nullptr;
  bool operator==(const TKeyId&) const = default;
};

struct TKeyIdHash {
  size_t operator()(const TKeyId& AKey) const {
    switch (AKey.Kind) {
      case kkNumber: return std::hash<double>{}(AKey.Number);
      case kkText: return std::hash<std::u16string>{}(AKey.Text);
      case kkObject: return std::hash<const void*>{}(AKey.Object);
      default: return AKey.Kind;
    }
  }
};

struct TEntry {
  VARIANT Key{};
  VARIANT Item{};
  TEntry() = default;
  TEntry(const TEntry&) = delete;
  ~TEntry() {
    VariantClear(&Key);
    VariantClear(&Item);
  }
};

[[noreturn]] void RaiseDict(TQelScriptingError AError) { QelRaiseScriptingError(AError, QelDictionaryProgId); }

bool IsNumberType(VARTYPE AType) {
  switch (AType) {
    case VT_I1: case VT_I2: case VT_I4: case VT_I8: case VT_UI1: case VT_UI2: case VT_UI4: case VT_UI8:
    case VT_INT: case VT_UINT: case VT_R4: case VT_R8: case VT_CY: case VT_DATE: case VT_BOOL:
      return true;
    default:
      return false;
  }
}

}  // namespace

struct TQelDictionary::TImpl {
  std::list<TEntry> Entries;  // insertion order; nodes stay put, so the index holds iterators
  std::unordered_map<TKeyId, std::list<TEntry>::iterator, TKeyIdHash> Index;
  TCompareMode Mode = cmBinary;

  TKeyId IdOf(const VARIANT& AKey) const {
    const VARIANT& key = QelDeref(AKey);
    TKeyId id;
    if (key.vt == VT_EMPTY) {
      id.Kind = kkEmpty;
    } else if (key.vt == VT_NULL) {
      id.Kind = kkNull;
    } else if (key.vt == VT_BSTR) {
      id.Kind = kkText;
      id.Text = Mode == cmText ? QelUpperName(OleBstrView(key.bstrVal)) : String(OleBstrView(key.bstrVal));
    } else if (key.vt == VT_DISPATCH || key.vt == VT_UNKNOWN) {
      id.Kind = kkObject;
      // Identity is the object's IUnknown, whichever interface the key came as.
      IUnknown* unknown = nullptr;
      if (key.punkVal && SUCCEEDED(key.punkVal->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown)))) {
        id.Object = unknown;
        unknown->Release();  // the entry's key keeps the object alive
      }
    } else if (IsNumberType(key.vt)) {
      id.Kind = kkNumber;
      id.Number = QelVarToReal(key);
      if (id.Number == 0) id.Number = 0;  // -0 and 0 are one key
      if (std::isnan(id.Number)) RaiseDict(seInvalidCall);
    } else {
      RaiseDict(seTypeMismatch);  // arrays and other kinds cannot be keys
    }
    return id;
  }

  std::list<TEntry>::iterator Find(const TKeyId& AId) {
    const auto found = Index.find(AId);
    return found == Index.end() ? Entries.end() : found->second;
  }

  TEntry& Insert(TKeyId AId, const VARIANT& AKey) {
    TEntry& entry = Entries.emplace_back();
    entry.Key = QelVarCopy(AKey);
    Index.emplace(std::move(AId), std::prev(Entries.end()));
    return entry;
  }

  std::vector<VARIANT> Copies(VARIANT TEntry::*AField) const {
    std::vector<VARIANT> result(Entries.size());
    size_t i = 0;
    for (const TEntry& entry : Entries) VariantCopy(&result[i++], &(entry.*AField));
    return result;
  }
};

TQelDictionary::TQelDictionary() : FImpl(std::make_unique<TImpl>()) {}
TQelDictionary::~TQelDictionary() = default;

void TQelDictionary::Add(const VARIANT& AKey, const VARIANT& AItem) {
  TKeyId id = FImpl->IdOf(AKey);
  if (FImpl->Find(id) != FImpl->Entries.end()) RaiseDict(seKeyExists);
  FImpl->Insert(std::move(id), AKey).Item = QelVarCopy(AItem);
}

bool TQelDictionary::Exists(const VARIANT& AKey) { return FImpl->Find(FImpl->IdOf(AKey)) != FImpl->Entries.end(); }

void TQelDictionary::Remove(const VARIANT& AKey) {
  const TKeyId id = FImpl->IdOf(AKey);
  const auto found = FImpl->Find(id);
  if (found == FImpl->Entries.end()) RaiseDict(seNotFound);
  FImpl->Index.erase(id);
  FImpl->Entries.erase(found);
}

void TQelDictionary::RemoveAll() {
  FImpl->Index.clear();
  FImpl->Entries.clear();
}

int32_t TQelDictionary::GetCount() const { return static_cast<int32_t>(FImpl->Entries.size()); }

// Reading a missing key adds it with an empty value, as script authors rely on.
VARIANT TQelDictionary::GetItem(const VARIANT& AKey) {
  TKeyId id = FImpl->IdOf(AKey);
  auto found = FImpl->Find(id);
  if (found == FImpl->Entries.end()) return QelVarCopy(FImpl->Insert(std::move(id), AKey).Item);
  return QelVarCopy(found->Item);
}

void TQelDictionary::SetItem(const VARIANT& AKey, const VARIANT& AValue) {
  TKeyId id = FImpl->IdOf(AKey);
  auto found = FImpl->Find(id);
  TEntry& entry = found == FImpl->Entries.end() ? FImpl->Insert(std::move(id), AKey) : *found;
  VARIANT value = QelVarCopy(AValue);
  VariantClear(&entry.Item);
  entry.Item = value;
}

// Renames a key in place: the entry keeps its value and its place in the order.
void TQelDictionary::SetKey(const VARIANT& AOldKey, const VARIANT& ANewKey) {
  const TKeyId oldId = FImpl->IdOf(AOldKey);
  TKeyId newId = FImpl->IdOf(ANewKey);
  const auto found = FImpl->Find(oldId);
  if (found == FImpl->Entries.end()) RaiseDict(seNotFound);
  if (newId == oldId) return;
  if (FImpl->Find(newId) != FImpl->Entries.end()) RaiseDict(seKeyExists);
  VARIANT key = QelVarCopy(ANewKey);
  VariantClear(&found->Key);
  found->Key = key;
  FImpl->Index.erase(oldId);
  FImpl->Index.emplace(std::move(newId), found);
}

VARIANT TQelDictionary::Keys() const { return QelVariantArray(FImpl->Copies(&TEntry::Key)); }
VARIANT TQelDictionary::Items() const { return QelVariantArray(FImpl->Copies(&TEntry::Item)); }
VARIANT TQelDictionary::NewEnum() const { return QelNewEnumVar(FImpl->Copies(&TEntry::Key)); }

int32_t TQelDictionary::GetCompareMode() const { return FImpl->Mode; }

// The mode decides what the keys are, so it changes only while there are none.
void TQelDictionary::SetCompareMode(int32_t AValue) {
  if (AValue < cmBinary || !FImpl->Entries.empty()) RaiseDict(seInvalidCall);
  FImpl->Mode = AValue == cmBinary ? cmBinary : cmText;
}

template <>
void TQelDictionary_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TQelDictionary> M(AData);
  M.Property<&TQelDictionary::GetItem, &TQelDictionary::SetItem>(u"Item", qpDefault);
  M.Property<nullptr, &TQelDictionary::SetKey>(u"Key");
  M.Property<&TQelDictionary::GetCount>(u"Count");
  M.Property<&TQelDictionary::GetCompareMode, &TQelDictionary::SetCompareMode>(u"CompareMode");
  M.Method<&TQelDictionary::Add>(u"Add");
  M.Method<&TQelDictionary::Exists>(u"Exists");
  M.Method<&TQelDictionary::Remove>(u"Remove");
  M.Method<&TQelDictionary::RemoveAll>(u"RemoveAll");
  M.Method<&TQelDictionary::Keys>(u"Keys");
  M.Method<&TQelDictionary::Items>(u"Items");
  M.Method<&TQelDictionary::NewEnum>(u"_NewEnum");
}
