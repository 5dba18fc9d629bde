// Member tables: entries numbered by registration (the DISPIDs), slot 0 the default member,
// and a name index in which a later registration shadows an earlier one.
#include <unicode/uchar.h>

#include <iterator>
#include <mutex>

#include "engine/wrappers/QelSctWrappers.h"

namespace {

char16_t UpperUnit(char16_t c) {
  if (c < 0x80) return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c;
  if (c >= 0xD800 && c <= 0xDFFF) return c;
  const UChar32 upper = u_toupper(c);
  return upper <= 0xFFFF ? static_cast<char16_t>(upper) : c;
}

}  // namespace

String QelUpperName(std::u16string_view AName) {
  String result(AName);
  for (char16_t& c : result) c = UpperUnit(c);
  return result;
}

// ---- debug types of bare VARTYPEs ----------------------------------------------------------

namespace {

struct TVarDebugTypesTraits : TQelHashTableTraits {
  using Item = TVarDebugType;
  using Key = VARTYPE;
  static std::uint32_t MakeHashI(const Item* AItem) { return IntHash(AItem->GetDebugType()); }
  static std::uint32_t MakeHashK(const Key& AKey) { return IntHash(AKey); }
  static bool Compare(const Key& AKey, const Item* AItem) { return AItem->GetDebugType() == AKey; }
};

}  // namespace

TQelDebugTypeFunc TVarDebugType::Get(VARTYPE AVarType) {
  // Lives for the process: entries are referenced by member tables until exit.
  static auto* registry = new TQelHashTable<TVarDebugTypesTraits>(true);
  static std::mutex lock;
  std::lock_guard guard(lock);
  if (auto* found = registry->Find(AVarType)) return found;
  auto* item = new TVarDebugType(AVarType);
  registry->Add(item);
  return item;
}

// ---- TQelDispInfo --------------------------------------------------------------------------

TQelDispInfo::TQelDispInfo() = default;
TQelDispInfo::~TQelDispInfo() = default;

int32_t TQelDispInfo::FindName(std::u16string_view AName, bool AIncludeHidden) const {
  // Names of ordinary length are upper-cased on the stack: a lookup allocates nothing.
  char16_t buffer[128];
  String longName;
  std::u16string_view key;
  if (AName.size() <= std::size(buffer)) {
    for (size_t i = 0; i < AName.size(); ++i) buffer[i] = UpperUnit(AName[i]);
    key = std::u16string_view(buffer, AName.size());
  } else {
    longName = QelUpperName(AName);
    key = longName;
  }
  const TQelInvokeItem* item = FNameIndex.Find(key);
  if (!item || (item->Has(iiaHidden) && !AIncludeHidden)) return -1;
  return item->Index;
}

int32_t TQelDispInfo::Add(std::u16string_view AName, TQelInvokeProc AProc, TQelDebugTypeFunc ADebugType,
                          TQelInvokeItemAttrs AAttrs, int32_t AParamCount, uint32_t AInvokeFlags) {
  auto item = std::make_unique<TQelInvokeItem>();
  item->Name = String(AName);
  item->UppName = QelUpperName(AName);
  item->InvokeProc = AProc;
  item->DebugType = ADebugType;
  item->Attrs = AAttrs;
  item->ParamCount = AParamCount;
  item->MinParamCount = (AAttrs & iiaOptParams) ? AParamCount : std::numeric_limits<int32_t>::max();
  item->InvokeFlags = AInvokeFlags;
  item->ResMask = (AAttrs & iiaNoResult) ? 0 : 0xFFFFFFFF;
  return AddItem(std::move(item));
}

int32_t TQelDispInfo::AddCopy(const TQelInvokeItem& AItem, bool AUnhide, bool ADefault) {
  auto item = std::make_unique<TQelInvokeItem>(AItem);
  if (AUnhide) item->Attrs &= ~iiaHidden;
  if (ADefault) item->Attrs |= iiaDefaultProp;
  return AddItem(std::move(item));
}

int32_t TQelDispInfo::AddItem(std::unique_ptr<TQelInvokeItem> AItem) {
  if (FItems.empty()) {
    FItems.push_back(std::make_unique<TQelInvokeItem>());
    FItems[0]->Key = this;
  }
  TQelInvokeItem& item = *AItem;
  item.Key = this;
  item.Index = static_cast<int32_t>(FItems.size());
  FItems.push_back(std::move(AItem));
  if (!item.UppName.empty()) {
    FNameIndex.Remove(item.UppName);
    FNameIndex.Add(&item);
  }
  if (!item.Has(iiaHidden) && item.Has(iiaDefaultProp)) {
    TQelInvokeItem& slot = *FItems[0];
    slot = item;
    slot.Index = 0;
  }
  return item.Index;
}

int32_t TQelMetatypeDispInfo::FindName(std::u16string_view AName, bool AIncludeHidden) const {
  const int32_t index = FOriginalInfo->FindName(AName, AIncludeHidden);
  if (index < 0 || !FOriginalInfo->GetItem(index).Has(iiaMetaMember)) return -1;
  return index;
}
