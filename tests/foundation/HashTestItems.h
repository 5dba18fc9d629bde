// Items and traits the foundation tests share: keys carry their own hash, so that tests choose
// buckets and collisions directly, and items report their destruction.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/foundation/QelHashTable.h"

struct TTestKey {
  int Id;
  std::uint32_t Hash;
};

// Counts its destructions in *FDestroyed when given a counter.
class TTestItem {
 public:
  TTestItem(TTestKey AKey, int* ADestroyed = nullptr) : Key(AKey), FDestroyed(ADestroyed) {}
  virtual ~TTestItem() {
    if (FDestroyed != nullptr) ++*FDestroyed;
  }
  TTestKey Key;
  bool DropOnUpdate = false;

 private:
  int* FDestroyed;
};

// A set keyed by TTestKey::Id, hashed by TTestKey::Hash; duplicates allowed.
struct TTestTraits : TQelHashTableTraits {
  using Item = TTestItem;
  using Key = TTestKey;
  static std::uint32_t MakeHashI(const TTestItem* AItem) { return AItem->Key.Hash; }
  static std::uint32_t MakeHashK(const TTestKey& AKey) { return AKey.Hash; }
  static bool Compare(const TTestKey& AKey, const TTestItem* AItem) {
    return AKey.Id == AItem->Key.Id;
  }
  static TQelHashUpdateAction OnUpdate(const TTestItem* AItem) {
    return AItem->DropOnUpdate ? uaDelete : uaNothing;
  }
};

// The pattern every engine registry follows: a map that refuses a key already present.
struct TUniqueTestTraits : TTestTraits {
  static bool BeforeAdd(TTestItem* AItem, const TQelHashTable<TUniqueTestTraits>& ATable) {
    return ATable.Find(AItem->Key) == nullptr;
  }
};

// Key ids of the items in enumeration order.
template <class TTable>
std::vector<int> IdsInOrder(const TTable& ATable) {
  std::vector<int> ids;
  for (const TTestItem* item : ATable) ids.push_back(item->Key.Id);
  return ids;
}
