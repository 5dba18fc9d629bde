// TQelHashTable: the engine's general-purpose hash set of object pointers. It knows nothing
// about keys; a traits class, given as the template argument, supplies class-level operations:
//
//   struct TFooTraits : TQelHashTableTraits {
//     using Item = TFoo;          // what the table stores, by pointer
//     using Key = std::u16string; // what Find and Remove receive, by const reference
//     // Required; MakeHashI(item) must equal MakeHashK(key of item):
//     static std::uint32_t MakeHashI(const TFoo* AItem);
//     static std::uint32_t MakeHashK(const Key& AKey);
//     static bool Compare(const Key& AKey, const TFoo* AItem);
//     // Optional, defaults from TQelHashTableTraits (true, uaNothing, delete):
//     static bool BeforeAdd(TFoo* AItem, const TQelHashTable<TFooTraits>& ATable);
//     static TQelHashUpdateAction OnUpdate(TFoo* AItem);
//     static void Destroy(TFoo* AItem);
//   };
//
// Enumeration order (GetAll, Update, range-for) is bucket 0 up, each chain from its head (the
// most recently inserted item of the bucket first); growth and Update rehash reorder chains in a
// fixed way that callers may rely on. The table takes no locks.
#pragma once

#include <concepts>
#include <cstdint>
#include <string_view>
#include <vector>

#include "engine/foundation/QelHashChain.h"

enum TQelHashUpdateAction { uaDelete = 0, uaNothing = 1 };

// The hash functions shared by every table and traits class.
struct TQelHashFunctions {
  static constexpr std::int32_t IntHash(std::uint32_t AKey) noexcept {
    std::uint32_t h = AKey;
    h += ~(h << 9);
    h ^= h >> 14;
    h += h << 4;
    h ^= h >> 10;
    return static_cast<std::int32_t>(h);
  }

  // Both halves of a 64-bit address take part, so objects 4 GiB apart do not always collide.
  static std::int32_t PtrHash(const void* AKey) noexcept {
    const auto value = reinterpret_cast<std::uintptr_t>(AKey);
    return IntHash(static_cast<std::uint32_t>(value) ^ static_cast<std::uint32_t>(value >> 32));
  }

  // Only the last 16 code units reach the result; users accept that for identifiers.
  static constexpr std::int32_t StrHash(std::u16string_view AKey) noexcept {
    std::uint32_t h = 0;
    for (char16_t c : AKey) h = (h << 2) + c;
    return static_cast<std::int32_t>(h);
  }
};

// Base of every traits class: the defaults of the optional operations. The required ones are
// deliberately absent, so a traits class that forgets one does not compile.
struct TQelHashTableTraits : TQelHashFunctions {
  template <class TItem, class TTable>
  static bool BeforeAdd(TItem* /*AItem*/, const TTable& /*ATable*/) {
    return true;
  }
  template <class TItem>
  static TQelHashUpdateAction OnUpdate(TItem* /*AItem*/) {
    return uaNothing;
  }
  template <class TItem>
  static void Destroy(TItem* AItem) {
    delete AItem;
  }
};

template <class T>
concept CQelHashTableTraits = requires(typename T::Item* AItem, const typename T::Key& AKey) {
  { T::MakeHashI(AItem) } -> std::convertible_to<std::uint32_t>;
  { T::MakeHashK(AKey) } -> std::convertible_to<std::uint32_t>;
  { T::Compare(AKey, AItem) } -> std::convertible_to<bool>;
};

template <CQelHashTableTraits Traits>
class TQelHashTable : public TQelHashFunctions,
                      public QelHashDetail::TChainTable<typename Traits::Item> {
  using Base = QelHashDetail::TChainTable<typename Traits::Item>;
  using Base::FBuckets;
  using Base::FOwnItems;

 public:
  using Item = typename Traits::Item;
  using Key = typename Traits::Key;

  explicit TQelHashTable(bool AOwnItems) : Base(AOwnItems) {}
  ~TQelHashTable() { Clear(); }
  TQelHashTable(const TQelHashTable&) = delete;
  TQelHashTable& operator=(const TQelHashTable&) = delete;

  // False, with AItem left to the caller, when AItem is null or BeforeAdd refuses it.
  bool Add(Item* AItem) {
    if (AItem == nullptr || !Traits::BeforeAdd(AItem, *this)) return false;
    FBuckets.GrowIfFull(&HashOfItem);
    FBuckets.Insert(AItem, HashOfItem(AItem));
    return true;
  }

  // Removes the first item matching AKey, destroying it when the table owns its items.
  bool Remove(const Key& AKey) {
    if (FBuckets.Count() == 0) return false;
    Item* item = FBuckets.Remove(HashOfKey(AKey), Matcher(AKey));
    if (item == nullptr) return false;
    Release(item);
    return true;
  }

  Item* Find(const Key& AKey) const {
    if (FBuckets.Count() == 0) return nullptr;
    return FBuckets.Find(HashOfKey(AKey), Matcher(AKey));
  }

  // Removes every item (destroying them when owning) and releases the bucket array.
  void Clear() {
    FBuckets.Clear([this](Item* AItem) { Release(AItem); }, 0);
  }

  // Appends every item in enumeration order.
  using Base::GetAll;

  template <class TProc>
  requires std::invocable<TProc&, Item*>
  void GetAll(TProc&& AProc) const {
    FBuckets.ForEach([&AProc](Item* AItem) { AProc(AItem); });
  }

  template <class TProc>
  requires std::invocable<TProc&, Item*, void*>
  void GetAll(TProc&& AProc, void* AUserData) const {
    FBuckets.ForEach([&AProc, AUserData](Item* AItem) { AProc(AItem, AUserData); });
  }

  // Asks OnUpdate about every item: uaDelete removes it (destroying it when owning); when a kept
  // item no longer sits in the bucket of its hash (its key changed in place), rehashes all.
  void Update() {
    const bool misplaced =
        FBuckets.RemoveIf([](Item* AItem) { return Traits::OnUpdate(AItem) == uaDelete; },
                          [this](Item* AItem) { Release(AItem); }, &HashOfItem);
    if (misplaced) FBuckets.Rehash(FBuckets.BucketCount(), &HashOfItem);
  }

 private:
  static std::uint32_t HashOfItem(Item* AItem) {
    return static_cast<std::uint32_t>(Traits::MakeHashI(AItem));
  }
  static std::uint32_t HashOfKey(const Key& AKey) {
    return static_cast<std::uint32_t>(Traits::MakeHashK(AKey));
  }
  static auto Matcher(const Key& AKey) {
    return [&AKey](Item* AItem) { return static_cast<bool>(Traits::Compare(AKey, AItem)); };
  }
  void Release(Item* AItem) {
    if (FOwnItems) Traits::Destroy(AItem);
  }
};
