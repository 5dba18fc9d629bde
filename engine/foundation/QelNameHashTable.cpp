#include <algorithm>
#include <utility>

#include "engine/foundation/QelSctClass.h"

TQelNameHashTable::TQelNameHashTable(bool AOwnItems) noexcept
    : FOwnItems(AOwnItems), FItems(FInitial) {}

TQelNameHashTable::~TQelNameHashTable() { Clear(); }

bool TQelNameHashTable::Add(TQelNamedItem* AItem) {
  if (AItem == nullptr || Find(AItem->FName) != nullptr) return false;
  if (static_cast<std::uint32_t>(FCount) == FIndexMask + 1) Grow();
  TQelNamedItem*& head = FItems[BucketOf(AItem->FName)];
  AItem->FNext = head;
  head = AItem;
  ++FCount;
  return true;
}

bool TQelNameHashTable::Remove(std::int32_t AName) {
  for (TQelNamedItem** link = &FItems[BucketOf(AName)]; *link != nullptr; link = &(*link)->FNext) {
    TQelNamedItem* item = *link;
    if (item->FName != AName) continue;
    *link = item->FNext;
    item->FNext = nullptr;
    --FCount;
    if (FOwnItems) delete item;
    return true;
  }
  return false;
}

void TQelNameHashTable::Clear() noexcept {
  // A table that does not own its items never touches them here: they may be gone already.
  // An owning one detaches everything as one list first, so item destructors see an empty table.
  TQelNamedItem* all = nullptr;
  if (FOwnItems) {
    TQelNamedItem** tail = &all;
    for (std::uint32_t b = 0; b <= FIndexMask; ++b) {
      *tail = FItems[b];
      while (*tail != nullptr) tail = &(*tail)->FNext;
    }
  }
  std::fill(std::begin(FInitial), std::end(FInitial), nullptr);
  FItems = FInitial;
  FIndexMask = kInitialBuckets - 1;
  FCount = 0;
  FGrown.reset();
  while (all != nullptr) delete std::exchange(all, all->FNext);
}

void TQelNameHashTable::GetAll(std::vector<TQelNamedItem*>& AResult) const {
  AResult.reserve(AResult.size() + static_cast<std::size_t>(FCount));
  for (TQelNamedItem* item : *this) AResult.push_back(item);
}

void TQelNameHashTable::Grow() {
  const std::uint32_t oldCount = FIndexMask + 1;
  auto grown = std::make_unique<TQelNamedItem*[]>(oldCount * 2);
  std::copy(FItems, FItems + oldCount, grown.get());
  const std::uint32_t newMask = oldCount * 2 - 1;
  QelHashDetail::RelinkChains(
      grown.get(), oldCount, static_cast<TQelNamedItem*>(nullptr),
      [](TQelNamedItem* AItem) -> TQelNamedItem*& { return AItem->FNext; },
      [newMask](TQelNamedItem* AItem) {
        return static_cast<std::uint32_t>(IntHash(static_cast<std::uint32_t>(AItem->FName))) &
               newMask;
      });
  FGrown = std::move(grown);
  FItems = FGrown.get();
  FIndexMask = newMask;
}
