#include "engine/foundation/QelSctClass.h"

namespace {

constexpr std::uint32_t kInitialBuckets = 4;

std::uint32_t HashOfItem(const TQelIdentifierItem* AItem) {
  return static_cast<std::uint32_t>(TQelHashFunctions::StrHash(AItem->Name));
}

// Frees a removed item when the table owns its items.
void Release(bool AOwnItems, TQelIdentifierItem* AItem) {
  if (AOwnItems) delete AItem;
}

}  // namespace

TQelIdentifierHashTable::TQelIdentifierHashTable(bool AOwnItems) : TChainTable(AOwnItems) {
  FBuckets.Clear([](TQelIdentifierItem*) {}, kInitialBuckets);
}

TQelIdentifierHashTable::~TQelIdentifierHashTable() {
  FBuckets.Clear([this](TQelIdentifierItem* AItem) { Release(FOwnItems, AItem); }, 0);
}

bool TQelIdentifierHashTable::Add(TQelIdentifierItem* AItem) {
  if (AItem == nullptr || Find(AItem->Name) != nullptr) return false;
  FBuckets.GrowIfFull(&HashOfItem);
  FBuckets.Insert(AItem, HashOfItem(AItem));
  return true;
}

bool TQelIdentifierHashTable::Remove(std::u16string_view AKey) {
  TQelIdentifierItem* item =
      FBuckets.Remove(static_cast<std::uint32_t>(StrHash(AKey)),
                      [AKey](const TQelIdentifierItem* AItem) { return AItem->Name == AKey; });
  if (item == nullptr) return false;
  Release(FOwnItems, item);
  return true;
}

void TQelIdentifierHashTable::Clear() {
  FBuckets.Clear([this](TQelIdentifierItem* AItem) { Release(FOwnItems, AItem); }, kInitialBuckets);
}
