// The engine's two symbol-table containers: TQelIdentifierHashTable (wide-string keys, compared
// exactly, so case-sensitive) and TQelNameHashTable (name-id keys, chained through the items
// themselves). Both optionally own their items, refuse duplicate keys, start with 4 buckets and
// double them when the item count reaches the bucket count. Neither takes locks.
#pragma once

#include <cstdint>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/foundation/QelHashChain.h"
#include "engine/foundation/QelHashTable.h"

// An item of TQelIdentifierHashTable. Data holds, at the user's choice, an object pointer or a
// small integer (a name id, a dispatch id) in its place.
class TQelIdentifierItem {
 public:
  TQelIdentifierItem() = default;
  explicit TQelIdentifierItem(std::u16string AName, std::intptr_t AData = 0)
      : Name(std::move(AName)), Data(AData) {}
  TQelIdentifierItem(std::u16string AName, const void* AObject)
      : Name(std::move(AName)), Data(reinterpret_cast<std::intptr_t>(AObject)) {}
  virtual ~TQelIdentifierItem() = default;

  template <class T>
  T* DataAs() const noexcept {
    return reinterpret_cast<T*>(Data);
  }
  void SetData(const void* AObject) noexcept { Data = reinterpret_cast<std::intptr_t>(AObject); }
  std::int32_t DataInt() const noexcept { return static_cast<std::int32_t>(Data); }
  void SetDataInt(std::int32_t AValue) noexcept { Data = AValue; }

  // The key. Changing it while the item is in a table loses the item.
  std::u16string Name;
  std::intptr_t Data = 0;
};

class TQelIdentifierHashTable : private TQelHashFunctions,
                                public QelHashDetail::TChainTable<TQelIdentifierItem> {
 public:
  explicit TQelIdentifierHashTable(bool AOwnItems);
  ~TQelIdentifierHashTable();
  TQelIdentifierHashTable(const TQelIdentifierHashTable&) = delete;
  TQelIdentifierHashTable& operator=(const TQelIdentifierHashTable&) = delete;

  // False, with nothing changed and AItem left to the caller, when AItem is null or its Name is
  // already present.
  bool Add(TQelIdentifierItem* AItem);
  // Unlinks the item with that key, freeing it when owning; false when absent.
  bool Remove(std::u16string_view AKey);
  TQelIdentifierItem* Find(std::u16string_view AKey) const noexcept {
    return FBuckets.Find(static_cast<std::uint32_t>(StrHash(AKey)),
                         [AKey](const TQelIdentifierItem* AItem) { return AItem->Name == AKey; });
  }
  // Frees every item when owning; back to 4 empty buckets.
  void Clear();
  // Inherited: Count, BucketCount, OwnItems, GetAll (buckets from 0 up, each chain from its
  // head) and begin/end in the same order.
};

// Base of every item of TQelNameHashTable: the machine's global objects, the per-thread cache
// entries, the code object's entries and the compilers' locals.
class TQelNamedItem {
 public:
  explicit TQelNamedItem(std::int32_t AName) noexcept : FName(AName) {}
  // A copy is not linked into any table.
  TQelNamedItem(const TQelNamedItem& AOther) noexcept : FName(AOther.FName) {}
  TQelNamedItem& operator=(const TQelNamedItem& AOther) noexcept {
    FName = AOther.FName;
    return *this;
  }
  virtual ~TQelNamedItem() = default;

  // The key: a name id. Must not change while the item is in a table.
  std::int32_t FName;

 private:
  friend class TQelNameHashTable;
  TQelNamedItem* FNext = nullptr;  // the next item of the same bucket, kept by the table
};

class TQelNameHashTable : private TQelHashFunctions {
 public:
  class Iterator;

  explicit TQelNameHashTable(bool AOwnItems) noexcept;
  ~TQelNameHashTable();
  TQelNameHashTable(const TQelNameHashTable&) = delete;
  TQelNameHashTable& operator=(const TQelNameHashTable&) = delete;

  // False, with nothing changed and AItem left to the caller, when AItem is null or its FName is
  // already present.
  bool Add(TQelNamedItem* AItem);
  // Unlinks the item with that name id, freeing it when owning; false when absent.
  bool Remove(std::int32_t AName);

  // The machine's hottest lookup: one hash and a chain walk, no call.
  TQelNamedItem* Find(std::int32_t AName) const noexcept {
    TQelNamedItem* item = FItems[BucketOf(AName)];
    while (item != nullptr && item->FName != AName) item = item->FNext;
    return item;
  }
  // Find for tables whose items all are of class T (or derive from it).
  template <class T>
  T* FindAs(std::int32_t AName) const noexcept {
    return static_cast<T*>(Find(AName));
  }

  // Frees every item when owning; back to 4 empty buckets.
  void Clear() noexcept;
  // Appends every item, bucket by bucket from bucket 0, each chain from its head.
  void GetAll(std::vector<TQelNamedItem*>& AResult) const;

  std::int32_t Count() const noexcept { return FCount; }
  std::int32_t BucketCount() const noexcept { return static_cast<std::int32_t>(FIndexMask + 1); }
  bool OwnItems() const noexcept { return FOwnItems; }

  // The GetAll order; the table must not change during a loop.
  Iterator begin() const noexcept;
  Iterator end() const noexcept;

 private:
  static constexpr std::uint32_t kInitialBuckets = 4;

  std::uint32_t BucketOf(std::int32_t AName) const noexcept {
    return static_cast<std::uint32_t>(IntHash(static_cast<std::uint32_t>(AName))) & FIndexMask;
  }
  void Grow();

  bool FOwnItems;
  TQelNamedItem** FItems;  // FInitial, or FGrown once the table has grown
  std::uint32_t FIndexMask = kInitialBuckets - 1;
  std::int32_t FCount = 0;
  std::unique_ptr<TQelNamedItem*[]> FGrown;
  TQelNamedItem* FInitial[kInitialBuckets] = {};
};

class TQelNameHashTable::Iterator {
 public:
  using value_type = TQelNamedItem*;
  using difference_type = std::ptrdiff_t;

  Iterator() = default;
  Iterator(const TQelNameHashTable* AOwner, std::uint32_t ABucket) noexcept
      : FOwner(AOwner), FBucket(ABucket) {
    Settle();
  }
  TQelNamedItem* operator*() const noexcept { return FItem; }
  Iterator& operator++() noexcept {
    FItem = FItem->FNext;
    if (FItem == nullptr) {
      ++FBucket;
      Settle();
    }
    return *this;
  }
  Iterator operator++(int) noexcept {
    Iterator old = *this;
    ++*this;
    return old;
  }
  bool operator==(const Iterator& AOther) const noexcept {
    return FBucket == AOther.FBucket && FItem == AOther.FItem;
  }

 private:
  // Moves to the head of the first non-empty bucket from FBucket on, or to the end.
  void Settle() noexcept {
    const std::uint32_t count = FOwner->FIndexMask + 1;
    while (FBucket < count && (FItem = FOwner->FItems[FBucket]) == nullptr) ++FBucket;
    if (FBucket >= count) FBucket = count;
  }

  const TQelNameHashTable* FOwner = nullptr;
  std::uint32_t FBucket = 0;
  TQelNamedItem* FItem = nullptr;
};

inline TQelNameHashTable::Iterator TQelNameHashTable::begin() const noexcept {
  return Iterator(this, 0);
}
inline TQelNameHashTable::Iterator TQelNameHashTable::end() const noexcept {
  return Iterator(this, FIndexMask + 1);
}
