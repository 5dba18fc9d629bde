#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "engine/foundation/QelHashTable.h"
#include "tests/foundation/HashTestItems.h"

namespace {

using TTable = TQelHashTable<TTestTraits>;
using TUniqueTable = TQelHashTable<TUniqueTestTraits>;

// Items whose id is also their hash, owned by the test.
class HashTableTest : public testing::Test {
 protected:
  TTestItem* Make(int AId) { return Make(AId, static_cast<std::uint32_t>(AId)); }
  TTestItem* Make(int AId, std::uint32_t AHash) {
    FItems.push_back(std::make_unique<TTestItem>(TTestKey{AId, AHash}));
    return FItems.back().get();
  }
  std::vector<std::unique_ptr<TTestItem>> FItems;
};

struct TWatchedTraits : TTestTraits {
  static inline int Calls = 0;
  static std::uint32_t MakeHashK(const TTestKey& AKey) {
    ++Calls;
    return AKey.Hash;
  }
  static bool Compare(const TTestKey& AKey, const TTestItem* AItem) {
    ++Calls;
    return AKey.Id == AItem->Key.Id;
  }
};

TEST_F(HashTableTest, NewTableFindsNothingWithoutAskingTheTraits) {
  TQelHashTable<TWatchedTraits> table(false);
  TWatchedTraits::Calls = 0;
  EXPECT_EQ(table.Find({1, 1}), nullptr);
  EXPECT_FALSE(table.Remove({1, 1}));
  EXPECT_EQ(TWatchedTraits::Calls, 0);
  EXPECT_EQ(table.Count(), 0);
  EXPECT_EQ(table.BucketCount(), 0);
}

TEST_F(HashTableTest, RefusesNull) {
  TTable table(false);
  EXPECT_FALSE(table.Add(nullptr));
  EXPECT_EQ(table.Count(), 0);
}

TEST_F(HashTableTest, GrowsWhenCountReachesBucketsAndKeepsEveryItem) {
  TTable table(false);
  const int expectedBuckets[] = {4, 4, 4, 4, 8, 8, 8, 8, 16};
  for (int i = 0; i < 9; ++i) {
    ASSERT_TRUE(table.Add(Make(i * 7)));
    EXPECT_EQ(table.BucketCount(), expectedBuckets[i]) << "after add " << i + 1;
    EXPECT_EQ(table.Count(), i + 1);
    for (int j = 0; j <= i; ++j) EXPECT_NE(table.Find({j * 7, std::uint32_t(j * 7)}), nullptr);
  }
}

TEST_F(HashTableTest, GrowthReinsertsEachChainFromItsHead) {
  // Hashes 0, 4, 8, 12 share bucket 0 of 4: chain 12, 8, 4, 0. Growing to 8 moves 12 and 4 to
  // bucket 4 and keeps 8 and 0, each pushed in chain order, so both halves come out reversed.
  TTable table(false);
  for (int id : {0, 4, 8, 12}) table.Add(Make(id));
  EXPECT_EQ(IdsInOrder(table), (std::vector<int>{12, 8, 4, 0}));
  table.Add(Make(1));
  EXPECT_EQ(IdsInOrder(table), (std::vector<int>{0, 8, 1, 4, 12}));
}

TEST_F(HashTableTest, CollidingItemsAreBothFoundNewestFirst) {
  TTable table(false);
  table.Add(Make(1, 6));
  table.Add(Make(2, 6));
  EXPECT_EQ(IdsInOrder(table), (std::vector<int>{2, 1}));
  EXPECT_EQ(table.Find({1, 6}), FItems[0].get());
  EXPECT_EQ(table.Find({2, 6}), FItems[1].get());
  EXPECT_TRUE(table.Remove({1, 6}));
  EXPECT_EQ(table.Find({1, 6}), nullptr);
  EXPECT_EQ(table.Find({2, 6}), FItems[1].get());
  EXPECT_EQ(table.Count(), 1);
}

TEST_F(HashTableTest, FindReturnsTheNewestOfEqualKeys) {
  TTable table(false);
  table.Add(Make(5, 1));
  table.Add(Make(5, 1));
  EXPECT_EQ(table.Find({5, 1}), FItems[1].get());
  EXPECT_TRUE(table.Remove({5, 1}));
  EXPECT_EQ(table.Find({5, 1}), FItems[0].get());
}

class HashTableChainRemoveTest : public HashTableTest, public testing::WithParamInterface<int> {};

TEST_P(HashTableChainRemoveTest, UnlinkingKeepsTheRestOfTheChainInOrder) {
  // Ids 1, 2, 3 in bucket 3: chain 3, 2, 1 (nodes, then the last item stored directly).
  TTable table(false);
  for (int id : {1, 2, 3}) table.Add(Make(id, 3));
  const int removed = GetParam();
  ASSERT_TRUE(table.Remove({removed, 3}));
  std::vector<int> expected;
  for (int id : {3, 2, 1}) {
    if (id != removed) expected.push_back(id);
  }
  EXPECT_EQ(IdsInOrder(table), expected);
  for (int id : expected) EXPECT_NE(table.Find({id, 3}), nullptr);
  EXPECT_FALSE(table.Remove({removed, 3}));
  // The bucket still takes new items in front.
  table.Add(Make(9, 3));
  EXPECT_EQ(IdsInOrder(table).front(), 9);
}

INSTANTIATE_TEST_SUITE_P(EachPosition, HashTableChainRemoveTest, testing::Values(1, 2, 3));

TEST_F(HashTableTest, BeforeAddRefusalLeavesTableAndItemAlone) {
  int destroyed = 0;
  TUniqueTable table(true);
  ASSERT_TRUE(table.Add(new TTestItem({1, 1}, &destroyed)));
  TTestItem duplicate({1, 1}, &destroyed);
  EXPECT_FALSE(table.Add(&duplicate));
  EXPECT_EQ(table.Count(), 1);
  EXPECT_NE(table.Find({1, 1}), &duplicate);
  EXPECT_EQ(destroyed, 0);
}

class HashTableOwnershipTest : public testing::TestWithParam<bool> {
 protected:
  // Fills a table of the given ownership with n counted items, kept alive here as well.
  void Fill(TTable& ATable, int ACount) {
    for (int i = 0; i < ACount; ++i) {
      FItems.push_back(new TTestItem({i, static_cast<std::uint32_t>(i % 3)}, &FDestroyed));
      ATable.Add(FItems.back());
    }
  }
  // Frees what the table did not.
  void TearDown() override {
    if (!GetParam()) {
      for (TTestItem* item : FItems) delete item;
    }
  }
  int Expected(int ADestroyedIfOwning) const { return GetParam() ? ADestroyedIfOwning : 0; }
  std::vector<TTestItem*> FItems;
  int FDestroyed = 0;
};

TEST_P(HashTableOwnershipTest, RemoveDestroysOnlyWhenOwning) {
  TTable table(GetParam());
  Fill(table, 6);
  ASSERT_TRUE(table.Remove({4, 1}));
  EXPECT_EQ(FDestroyed, Expected(1));
  EXPECT_EQ(table.Count(), 5);
}

TEST_P(HashTableOwnershipTest, ClearAndDestructionDestroyOnlyWhenOwning) {
  {
    TTable table(GetParam());
    Fill(table, 6);
    table.Clear();
    EXPECT_EQ(FDestroyed, Expected(6));
    EXPECT_EQ(table.Count(), 0);
    Fill(table, 3);
  }
  EXPECT_EQ(FDestroyed, Expected(9));
}

TEST_P(HashTableOwnershipTest, UpdateDeletesEverySecondItemInEnumerationOrder) {
  TTable table(GetParam());
  Fill(table, 10);
  std::vector<TTestItem*> before;
  table.GetAll(before);
  std::vector<int> kept;
  std::vector<int> dropped;
  for (std::size_t i = 0; i < before.size(); ++i) {
    before[i]->DropOnUpdate = i % 2 == 0;
    (i % 2 == 0 ? dropped : kept).push_back(before[i]->Key.Id);
  }
  table.Update();
  EXPECT_EQ(table.Count(), 5);
  EXPECT_EQ(FDestroyed, Expected(5));
  EXPECT_EQ(IdsInOrder(table), kept);
  for (int id : dropped) EXPECT_EQ(table.Find({id, std::uint32_t(id % 3)}), nullptr) << id;
}

INSTANTIATE_TEST_SUITE_P(OwningOrNot, HashTableOwnershipTest, testing::Bool());

TEST_F(HashTableTest, ReKeyedItemIsFoundAfterUpdate) {
  TTable table(false);
  for (int id = 0; id < 6; ++id) table.Add(Make(id));
  TTestItem* moved = FItems[2].get();
  moved->Key = {20, 20};
  EXPECT_EQ(table.Find({20, 20}), nullptr);
  table.Update();
  EXPECT_EQ(table.Find({20, 20}), moved);
  EXPECT_EQ(table.Find({2, 2}), nullptr);
  EXPECT_EQ(table.Count(), 6);
  EXPECT_EQ(table.BucketCount(), 8);
}

TEST_F(HashTableTest, UpdateRehashMovesItemsIntoLowerBucketsTwice) {
  // Bucket 3 holds B, A; bucket 1 holds C. B is re-keyed into bucket 1. The rehash walks
  // bucket 3 (B to the front of bucket 1, A back into 3), then bucket 1 again, where pushing
  // B, then C leaves C, B.
  TTable table(false);
  TTestItem* a = Make(1, 3);
  TTestItem* b = Make(2, 3);
  TTestItem* c = Make(3, 1);
  for (TTestItem* item : {a, b, c}) table.Add(item);
  b->Key.Hash = 5;
  table.Update();
  EXPECT_EQ(IdsInOrder(table), (std::vector<int>{3, 2, 1}));
}

TEST_F(HashTableTest, UpdateWithoutChangesKeepsOrder) {
  TTable table(false);
  for (int id = 0; id < 7; ++id) table.Add(Make(id, std::uint32_t(id % 2)));
  const std::vector<int> before = IdsInOrder(table);
  table.Update();
  EXPECT_EQ(IdsInOrder(table), before);
}

TEST_F(HashTableTest, ClearThenAddStartsAgainWithFourBuckets) {
  TTable table(false);
  for (int id = 0; id < 9; ++id) table.Add(Make(id));
  ASSERT_EQ(table.BucketCount(), 16);
  table.Clear();
  EXPECT_EQ(table.BucketCount(), 0);
  EXPECT_EQ(table.Find({1, 1}), nullptr);
  table.Add(Make(40));
  EXPECT_EQ(table.BucketCount(), 4);
  EXPECT_EQ(table.Count(), 1);
}

TEST_F(HashTableTest, GetAllFormsAgreeWithIteration) {
  TTable table(false);
  for (int id = 0; id < 11; ++id) table.Add(Make(id, std::uint32_t(id * 5)));
  std::vector<TTestItem*> iterated(table.begin(), table.end());

  TTestItem sentinel({-1, 0});
  std::vector<TTestItem*> listed{&sentinel};
  table.GetAll(listed);
  ASSERT_EQ(listed.size(), iterated.size() + 1);
  EXPECT_EQ(listed.front(), &sentinel);
  EXPECT_TRUE(std::equal(iterated.begin(), iterated.end(), listed.begin() + 1));

  std::vector<TTestItem*> viaProc;
  table.GetAll([&viaProc](TTestItem* AItem) { viaProc.push_back(AItem); });
  EXPECT_EQ(viaProc, iterated);

  std::vector<TTestItem*> viaUserData;
  table.GetAll([](TTestItem* AItem,
                  void* AData) { static_cast<std::vector<TTestItem*>*>(AData)->push_back(AItem); },
               &viaUserData);
  EXPECT_EQ(viaUserData, iterated);
}

// An item without a virtual destructor, freed the way its traits say.
struct TPlainItem {
  int Id;
};

struct TPlainTraits : TQelHashTableTraits {
  using Item = TPlainItem;
  using Key = int;
  static inline int Destroyed = 0;
  static std::uint32_t MakeHashI(const TPlainItem* AItem) { return IntHash(AItem->Id); }
  static std::uint32_t MakeHashK(const int& AKey) { return IntHash(AKey); }
  static bool Compare(const int& AKey, const TPlainItem* AItem) { return AKey == AItem->Id; }
  static void Destroy(TPlainItem* AItem) {
    ++Destroyed;
    delete AItem;
  }
};

TEST(HashTableDestroyHookTest, OwningTableFreesThroughTheTraits) {
  TPlainTraits::Destroyed = 0;
  {
    TQelHashTable<TPlainTraits> table(true);
    for (int id = 0; id < 5; ++id) table.Add(new TPlainItem{id});
    EXPECT_TRUE(table.Remove(3));
    EXPECT_EQ(TPlainTraits::Destroyed, 1);
  }
  EXPECT_EQ(TPlainTraits::Destroyed, 5);
}

// Traits lacking one required operation each: the table must refuse them at compile time.
struct TNoHashI : TQelHashTableTraits {
  using Item = TPlainItem;
  using Key = int;
  static std::uint32_t MakeHashK(const int&) { return 0; }
  static bool Compare(const int&, const TPlainItem*) { return true; }
};
struct TNoHashK : TQelHashTableTraits {
  using Item = TPlainItem;
  using Key = int;
  static std::uint32_t MakeHashI(const TPlainItem*) { return 0; }
  static bool Compare(const int&, const TPlainItem*) { return true; }
};
struct TNoCompare : TQelHashTableTraits {
  using Item = TPlainItem;
  using Key = int;
  static std::uint32_t MakeHashI(const TPlainItem*) { return 0; }
  static std::uint32_t MakeHashK(const int&) { return 0; }
};

static_assert(CQelHashTableTraits<TPlainTraits>);
static_assert(!CQelHashTableTraits<TNoHashI>);
static_assert(!CQelHashTableTraits<TNoHashK>);
static_assert(!CQelHashTableTraits<TNoCompare>);
static_assert(!CQelHashTableTraits<TQelHashTableTraits>);

}  // namespace
