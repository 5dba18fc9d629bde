// Random operations on TQelHashTable checked against std::unordered_map (what is in the table) and
// against a plain list-per-bucket model of the published algorithm (in which order).
#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <random>
#include <unordered_map>
#include <vector>

#include "engine/foundation/QelHashTable.h"
#include "tests/foundation/HashTestItems.h"

namespace {

// The table's algorithm in its plainest form, with nothing shared with the table's code.
class TOrderModel {
 public:
  void Add(TTestItem* AItem) {
    if (FBuckets.size() == FCount) {
      const std::size_t old = FBuckets.size();
      FBuckets.resize(old == 0 ? 4 : old * 2);
      Rehash(old);
    }
    Insert(AItem);
    ++FCount;
  }
  void Remove(int AId, std::uint32_t AHash) {
    auto& bucket = FBuckets[AHash & Mask()];
    for (auto it = bucket.begin(); it != bucket.end(); ++it) {
      if ((*it)->Key.Id == AId) {
        bucket.erase(it);
        --FCount;
        return;
      }
    }
  }
  void Update() {
    bool misplaced = false;
    for (std::size_t b = 0; b < FBuckets.size(); ++b) {
      std::deque<TTestItem*> kept;
      for (TTestItem* item : FBuckets[b]) {
        if (item->DropOnUpdate) {
          --FCount;
          continue;
        }
        kept.push_back(item);
        misplaced = misplaced || (item->Key.Hash & Mask()) != b;
      }
      FBuckets[b] = kept;
    }
    if (misplaced) Rehash(FBuckets.size());
  }
  void Clear() {
    FBuckets.clear();
    FCount = 0;
  }
  std::vector<int> Order() const {
    std::vector<int> ids;
    for (const auto& bucket : FBuckets) {
      for (const TTestItem* item : bucket) ids.push_back(item->Key.Id);
    }
    return ids;
  }
  int BucketCount() const { return static_cast<int>(FBuckets.size()); }

 private:
  std::uint32_t Mask() const { return static_cast<std::uint32_t>(FBuckets.size() - 1); }
  void Insert(TTestItem* AItem) { FBuckets[AItem->Key.Hash & Mask()].push_front(AItem); }
  void Rehash(std::size_t AFirstBuckets) {
    for (std::size_t b = AFirstBuckets; b-- > 0;) {
      const std::deque<TTestItem*> chain = std::move(FBuckets[b]);
      FBuckets[b].clear();
      for (TTestItem* item : chain) Insert(item);
    }
  }

  std::vector<std::deque<TTestItem*>> FBuckets;
  std::size_t FCount = 0;
};

struct TModelRun {
  unsigned Seed;
  std::uint32_t HashRange;  // small ranges force long chains
  int Steps;
};

void PrintTo(const TModelRun& r, std::ostream* out) {
  *out << "seed " << r.Seed << ", range " << r.HashRange << ", " << r.Steps << " steps";
}

class HashTableModelTest : public testing::TestWithParam<TModelRun> {
 protected:
  TTestItem* NewItem(int AId, std::uint32_t AHash) {
    FPool.push_back(std::make_unique<TTestItem>(TTestKey{AId, AHash}));
    return FPool.back().get();
  }
  std::vector<std::unique_ptr<TTestItem>> FPool;
};

TEST_P(HashTableModelTest, AgreesWithMapAndModel) {
  const TModelRun run = GetParam();
  std::mt19937 rng(run.Seed);
  auto pick = [&rng](std::uint32_t AMax) {
    return std::uniform_int_distribution<std::uint32_t>(0, AMax - 1)(rng);
  };
  TQelHashTable<TUniqueTestTraits> table(false);
  std::unordered_map<int, TTestItem*> expected;
  TOrderModel model;
  const int idRange = run.Steps / 4;

  for (int step = 0; step < run.Steps; ++step) {
    const int id = static_cast<int>(pick(idRange));
    const auto found = expected.find(id);
    const TTestKey key =
        found != expected.end() ? found->second->Key : TTestKey{id, pick(run.HashRange)};
    switch (pick(100)) {
      case 0:  // rarely: start over
        table.Clear();
        model.Clear();
        expected.clear();
        break;
      case 1:
      case 2: {  // re-key some items in place and drop others, then repair with Update
        for (auto& [itemId, item] : expected) {
          if (pick(2) == 0) item->Key.Hash = pick(run.HashRange);
          item->DropOnUpdate = pick(3) == 0;
        }
        table.Update();
        model.Update();
        std::erase_if(expected, [](const auto& AEntry) { return AEntry.second->DropOnUpdate; });
        break;
      }
      default:
        if (step % 3 == 0) {
          ASSERT_EQ(table.Remove(key), found != expected.end());
          if (found != expected.end()) {
            model.Remove(key.Id, key.Hash);
            expected.erase(found);
          }
        } else {
          TTestItem* item = NewItem(id, key.Hash);
          ASSERT_EQ(table.Add(item), found == expected.end());
          if (found == expected.end()) {
            model.Add(item);
            expected.emplace(id, item);
          }
        }
    }
    ASSERT_EQ(table.Count(), static_cast<int>(expected.size())) << "step " << step;
    ASSERT_EQ(table.BucketCount(), model.BucketCount()) << "step " << step;
    ASSERT_EQ(IdsInOrder(table), model.Order()) << "step " << step;
    const auto now = expected.find(id);
    ASSERT_EQ(table.Find(now != expected.end() ? now->second->Key : key),
              now != expected.end() ? now->second : nullptr);
  }
  for (const auto& [id, item] : expected) EXPECT_EQ(table.Find(item->Key), item);
}

INSTANTIATE_TEST_SUITE_P(Runs, HashTableModelTest,
                         testing::Values(TModelRun{1, 4, 3000}, TModelRun{2, 64, 3000},
                                         TModelRun{3, 0xFFFFFFFFu, 6000}, TModelRun{4, 1, 800}));

}  // namespace
