// Bucket storage shared by TQelHashTable and TQelIdentifierHashTable: each bucket is empty, one
// item stored directly, or a chain of collision nodes whose last link is either nothing or the
// last item stored without a node. Nodes carry a tag in the low pointer bit, so an item can never
// be mistaken for a node whatever its class.
#pragma once

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace QelHashDetail {

// Re-inserts the chains of buckets [0, AOldCount) under a new bucket function: buckets from the
// highest down, each chain from its head, every entry pushed onto the head of its target bucket.
// An entry that lands in a lower bucket not visited yet is taken out and pushed again when that
// bucket's turn comes. The resulting order is part of what callers observe, so every table
// rehashes through this one routine.
template <class TLink, class TNextOf, class TBucketOf>
void RelinkChains(TLink* AHeads, std::uint32_t AOldCount, TLink ANil, TNextOf ANextOf,
                  TBucketOf ABucketOf) {
  for (std::uint32_t b = AOldCount; b-- > 0;) {
    TLink entry = std::exchange(AHeads[b], ANil);
    while (entry != ANil) {
      TLink next = ANextOf(entry);
      std::uint32_t target = ABucketOf(entry);
      ANextOf(entry) = AHeads[target];
      AHeads[target] = entry;
      entry = next;
    }
  }
}

template <class TItem>
class TChainBuckets {
  static_assert(alignof(TItem) >= 2, "the low pointer bit tags collision nodes");

 public:
  using Entry = std::uintptr_t;

  TChainBuckets() = default;
  TChainBuckets(const TChainBuckets&) = delete;
  TChainBuckets& operator=(const TChainBuckets&) = delete;

  std::uint32_t BucketCount() const noexcept { return FBuckets ? FIndexMask + 1 : 0; }
  std::uint32_t IndexMask() const noexcept { return FIndexMask; }
  std::int32_t Count() const noexcept { return FCount; }

  // First item of the hash's bucket for which APred holds; no allocation.
  template <class TPred>
  TItem* Find(std::uint32_t AHash, TPred APred) const {
    if (!FBuckets) return nullptr;
    for (Entry e = FBuckets[AHash & FIndexMask]; e != 0; e = NextOf(e)) {
      if (APred(ItemOf(e))) return ItemOf(e);
    }
    return nullptr;
  }

  // Pushes AItem onto the head of its bucket; the bucket array must exist.
  void Insert(TItem* AItem, std::uint32_t AHash) {
    Entry& head = FBuckets[AHash & FIndexMask];
    if (head != 0) {
      head = Tag(new TNode{AItem, head});
    } else {
      head = reinterpret_cast<Entry>(AItem);
    }
    ++FCount;
  }

  // Unlinks the first item of the hash's bucket for which APred holds and hands it back.
  template <class TPred>
  TItem* Remove(std::uint32_t AHash, TPred APred) {
    if (!FBuckets) return nullptr;
    for (Entry* slot = &FBuckets[AHash & FIndexMask]; *slot != 0; slot = &NodeOf(*slot)->Next) {
      if (APred(ItemOf(*slot))) return UnlinkAt(slot);
      if (!IsNode(*slot)) break;
    }
    return nullptr;
  }

  // Walks every bucket from 0 up, unlinking the items ADrop asks for and passing them to
  // AOnDropped; answers whether a kept item sits outside the bucket AHashOf assigns it.
  template <class TDrop, class TOnDropped, class THashOf>
  bool RemoveIf(TDrop ADrop, TOnDropped AOnDropped, THashOf AHashOf) {
    bool misplaced = false;
    for (std::uint32_t b = 0; b < BucketCount(); ++b) {
      Entry* slot = &FBuckets[b];
      while (*slot != 0) {
        TItem* item = ItemOf(*slot);
        if (ADrop(item)) {
          UnlinkAt(slot);
          AOnDropped(item);
          continue;
        }
        misplaced = misplaced || (static_cast<std::uint32_t>(AHashOf(item)) & FIndexMask) != b;
        if (!IsNode(*slot)) break;
        slot = &NodeOf(*slot)->Next;
      }
    }
    return misplaced;
  }

  // The tables' growth rule, checked before each insertion: when the item count has reached the
  // bucket count, double the buckets (4 when there are none).
  template <class THashOf>
  void GrowIfFull(THashOf AHashOf) {
    const std::uint32_t count = BucketCount();
    if (count == static_cast<std::uint32_t>(FCount)) Rehash(count != 0 ? count * 2 : 4, AHashOf);
  }

  // Gives the table ANewCount buckets (a power of two, not fewer than now) and re-inserts every
  // item. The new layout is planned on index links and every node is obtained before the table
  // changes, so a failed allocation leaves the table as it was.
  template <class THashOf>
  void Rehash(std::uint32_t ANewCount, THashOf AHashOf) {
    TPlan plan = MakePlan(ANewCount, AHashOf);
    std::uint32_t nonEmpty = 0;
    for (std::uint32_t head : plan.Heads) nonEmpty += head != kNil;
    TNodeStock stock;
    stock.Reserve(static_cast<std::uint32_t>(FCount) - nonEmpty, plan.OldNodes);
    std::unique_ptr<Entry[]> fresh = std::make_unique<Entry[]>(ANewCount);
    // Nothing below can fail.
    ReleaseChains(
        FBuckets.get(), BucketCount(), [&stock](TNode* ANode) { stock.Put(ANode); }, [](TItem*) {});
    for (std::uint32_t b = 0; b < ANewCount; ++b) {
      Entry* slot = &fresh[b];
      for (std::uint32_t i = plan.Heads[b]; i != kNil; i = plan.Links[i].Next) {
        const TPlanLink& link = plan.Links[i];
        if (link.Next == kNil) {
          *slot = reinterpret_cast<Entry>(link.Item);
        } else {
          TNode* node = stock.Take();
          node->Item = link.Item;
          *slot = Tag(node);
          slot = &node->Next;
        }
      }
    }
    FBuckets = std::move(fresh);
    FIndexMask = ANewCount - 1;
  }

  // Empties the table, leaving AInitialCount buckets (0: no bucket array), then frees the old
  // nodes and passes each old item to ADestroy, bucket by bucket, each chain from its head. The
  // table is already empty while ADestroy runs.
  template <class TDestroy>
  void Clear(TDestroy ADestroy, std::uint32_t AInitialCount) {
    std::unique_ptr<Entry[]> fresh;
    if (AInitialCount != 0) fresh = std::make_unique<Entry[]>(AInitialCount);
    const std::uint32_t oldCount = BucketCount();
    std::unique_ptr<Entry[]> old = std::exchange(FBuckets, std::move(fresh));
    FIndexMask = AInitialCount != 0 ? AInitialCount - 1 : 0;
    FCount = 0;
    ReleaseChains(
        old.get(), oldCount, [](TNode* ANode) { delete ANode; }, ADestroy);
  }

  template <class TProc>
  void ForEach(TProc AProc) const {
    for (std::uint32_t b = 0; b < BucketCount(); ++b) {
      for (Entry e = FBuckets[b]; e != 0; e = NextOf(e)) AProc(ItemOf(e));
    }
  }

  class Iterator {
   public:
    using value_type = TItem*;
    using difference_type = std::ptrdiff_t;

    Iterator() = default;
    Iterator(const TChainBuckets* AOwner, std::uint32_t ABucket)
        : FOwner(AOwner), FBucket(ABucket) {
      Settle();
    }
    TItem* operator*() const { return ItemOf(FEntry); }
    Iterator& operator++() {
      FEntry = NextOf(FEntry);
      if (FEntry == 0) {
        ++FBucket;
        Settle();
      }
      return *this;
    }
    Iterator operator++(int) {
      Iterator old = *this;
      ++*this;
      return old;
    }
    bool operator==(const Iterator& AOther) const {
      return FBucket == AOther.FBucket && FEntry == AOther.FEntry;
    }

   private:
    // Moves to the head of the first non-empty bucket from FBucket on, or to the end.
    void Settle() {
      const std::uint32_t count = FOwner->BucketCount();
      while (FBucket < count && (FEntry = FOwner->FBuckets[FBucket]) == 0) ++FBucket;
      if (FBucket >= count) FBucket = count;
    }

    const TChainBuckets* FOwner = nullptr;
    std::uint32_t FBucket = 0;
    Entry FEntry = 0;
  };

  Iterator begin() const { return Iterator(this, 0); }
  Iterator end() const { return Iterator(this, BucketCount()); }

 private:
  struct TNode {
    TItem* Item;
    Entry Next;
  };

  // Nodes obtained ahead of a rehash, kept on a free list threaded through Next.
  class TNodeStock {
   public:
    TNodeStock() = default;
    TNodeStock(const TNodeStock&) = delete;
    TNodeStock& operator=(const TNodeStock&) = delete;
    ~TNodeStock() {
      while (FFree) delete Take();
    }
    // Ensures ANeeded nodes once AComing more are put back.
    void Reserve(std::uint32_t ANeeded, std::uint32_t AComing) {
      for (std::uint32_t n = AComing; n < ANeeded; ++n) Put(new TNode{nullptr, 0});
    }
    void Put(TNode* ANode) {
      ANode->Next = reinterpret_cast<Entry>(FFree);
      FFree = ANode;
    }
    TNode* Take() { return std::exchange(FFree, reinterpret_cast<TNode*>(FFree->Next)); }

   private:
    TNode* FFree = nullptr;
  };

  static constexpr std::uint32_t kNil = UINT32_MAX;

  struct TPlanLink {
    TItem* Item;
    std::uint32_t Next;
    std::uint32_t Bucket;
  };
  struct TPlan {
    std::vector<TPlanLink> Links;
    std::vector<std::uint32_t> Heads;
    std::uint32_t OldNodes = 0;
  };

  // The new layout as index-linked chains: the old chains copied in order, then relinked.
  template <class THashOf>
  TPlan MakePlan(std::uint32_t ANewCount, THashOf AHashOf) const {
    TPlan plan;
    plan.Links.reserve(static_cast<std::uint32_t>(FCount));
    plan.Heads.assign(ANewCount, kNil);
    const std::uint32_t oldCount = BucketCount();
    for (std::uint32_t b = 0; b < oldCount; ++b) {
      std::uint32_t* tail = &plan.Heads[b];
      for (Entry e = FBuckets[b]; e != 0; e = NextOf(e)) {
        plan.OldNodes += IsNode(e);
        *tail = static_cast<std::uint32_t>(plan.Links.size());
        const std::uint32_t bucket =
            static_cast<std::uint32_t>(AHashOf(ItemOf(e))) & (ANewCount - 1);
        plan.Links.push_back({ItemOf(e), kNil, bucket});
        tail = &plan.Links.back().Next;
      }
    }
    RelinkChains(
        plan.Heads.data(), oldCount, kNil,
        [&plan](std::uint32_t i) -> std::uint32_t& { return plan.Links[i].Next; },
        [&plan](std::uint32_t i) { return plan.Links[i].Bucket; });
    return plan;
  }

  TItem* UnlinkAt(Entry* ASlot) {
    const Entry e = *ASlot;
    TItem* item = ItemOf(e);
    *ASlot = NextOf(e);
    if (IsNode(e)) delete NodeOf(e);
    --FCount;
    return item;
  }

  template <class TOnNode, class TOnItem>
  static void ReleaseChains(Entry* ABuckets, std::uint32_t ACount, TOnNode AOnNode,
                            TOnItem AOnItem) {
    for (std::uint32_t b = 0; b < ACount; ++b) {
      for (Entry e = std::exchange(ABuckets[b], 0); e != 0;) {
        const Entry next = NextOf(e);
        TItem* item = ItemOf(e);
        if (IsNode(e)) AOnNode(NodeOf(e));
        AOnItem(item);
        e = next;
      }
    }
  }

  static bool IsNode(Entry AEntry) { return (AEntry & 1) != 0; }
  static TNode* NodeOf(Entry AEntry) { return reinterpret_cast<TNode*>(AEntry & ~Entry{1}); }
  static Entry Tag(TNode* ANode) { return reinterpret_cast<Entry>(ANode) | 1; }
  static TItem* ItemOf(Entry AEntry) {
    return IsNode(AEntry) ? NodeOf(AEntry)->Item : reinterpret_cast<TItem*>(AEntry);
  }
  static Entry NextOf(Entry AEntry) { return IsNode(AEntry) ? NodeOf(AEntry)->Next : 0; }

  std::unique_ptr<Entry[]> FBuckets;
  std::uint32_t FIndexMask = 0;
  std::int32_t FCount = 0;
};

// What the tables built on TChainBuckets show alike: counts, ownership, enumeration.
template <class TItem>
class TChainTable {
 public:
  using Iterator = typename TChainBuckets<TItem>::Iterator;

  std::int32_t Count() const noexcept { return FBuckets.Count(); }
  std::int32_t BucketCount() const noexcept {
    return static_cast<std::int32_t>(FBuckets.BucketCount());
  }
  bool OwnItems() const noexcept { return FOwnItems; }

  // Appends every item: buckets from 0 up, each chain from its head.
  void GetAll(std::vector<TItem*>& AResult) const {
    AResult.reserve(AResult.size() + static_cast<std::size_t>(Count()));
    FBuckets.ForEach([&AResult](TItem* AItem) { AResult.push_back(AItem); });
  }

  // The GetAll order; the table must not change during a loop.
  Iterator begin() const { return FBuckets.begin(); }
  Iterator end() const { return FBuckets.end(); }

 protected:
  explicit TChainTable(bool AOwnItems) noexcept : FOwnItems(AOwnItems) {}
  ~TChainTable() = default;

  TChainBuckets<TItem> FBuckets;
  bool FOwnItems;
};

}  // namespace QelHashDetail
