// What TQelIdentifierHashTable and TQelNameHashTable share, tested once for both through a small
// adapter per table; then what each has of its own.
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <unordered_map>
#include <vector>

#include "engine/foundation/QelSctClass.h"

namespace {

class TCountedNamed : public TQelNamedItem {
 public:
  TCountedNamed(std::int32_t AName, int* ADestroyed)
      : TQelNamedItem(AName), FDestroyed(ADestroyed) {}
  ~TCountedNamed() override { ++*FDestroyed; }

 private:
  int* FDestroyed;
};

class TCountedIdentifier : public TQelIdentifierItem {
 public:
  TCountedIdentifier(std::u16string AName, int* ADestroyed)
      : TQelIdentifierItem(std::move(AName)), FDestroyed(ADestroyed) {}
  ~TCountedIdentifier() override { ++*FDestroyed; }

 private:
  int* FDestroyed;
};

// Each adapter turns a test number into the table's key and hash and makes counted items.
struct TNameTableCase {
  using Table = TQelNameHashTable;
  using Item = TQelNamedItem;
  static std::int32_t KeyOf(int ANumber) { return ANumber; }
  static std::uint32_t HashOf(int ANumber) {
    return std::uint32_t(TQelHashFunctions::IntHash(ANumber));
  }
  static Item* Make(int ANumber, int* ADestroyed) { return new TCountedNamed(ANumber, ADestroyed); }
  static std::int32_t KeyOfItem(const Item* AItem) { return AItem->FName; }
};

struct TIdentifierTableCase {
  using Table = TQelIdentifierHashTable;
  using Item = TQelIdentifierItem;
  static std::u16string KeyOf(int ANumber) {
    const std::string text = "Name" + std::to_string(ANumber);
    return std::u16string(text.begin(), text.end());
  }
  static std::uint32_t HashOf(int ANumber) {
    return std::uint32_t(TQelHashFunctions::StrHash(KeyOf(ANumber)));
  }
  static Item* Make(int ANumber, int* ADestroyed) {
    return new TCountedIdentifier(KeyOf(ANumber), ADestroyed);
  }
  static std::u16string KeyOfItem(const Item* AItem) { return AItem->Name; }
};

template <class TCase>
class SymbolTableTest : public testing::Test {
 protected:
  using Table = typename TCase::Table;
  using Item = typename TCase::Item;

  Item* Make(int ANumber) { return TCase::Make(ANumber, &FDestroyed); }
  // Numbers whose keys all hash into the last of AMask + 1 buckets.
  static std::vector<int> NumbersInLastBucket(std::uint32_t AMask, std::size_t ACount) {
    std::vector<int> numbers;
    for (int n = 0; numbers.size() < ACount; ++n) {
      if ((TCase::HashOf(n) & AMask) == AMask) numbers.push_back(n);
    }
    return numbers;
  }

  int FDestroyed = 0;
};

using TCases = testing::Types<TNameTableCase, TIdentifierTableCase>;
TYPED_TEST_SUITE(SymbolTableTest, TCases);

TYPED_TEST(SymbolTableTest, NewTableHasFourEmptyBuckets) {
  typename TestFixture::Table table(true);
  EXPECT_EQ(table.BucketCount(), 4);
  EXPECT_EQ(table.Count(), 0);
  EXPECT_EQ(table.Find(TypeParam::KeyOf(1)), nullptr);
  EXPECT_FALSE(table.Remove(TypeParam::KeyOf(1)));
  EXPECT_EQ(table.begin(), table.end());
  std::vector<typename TestFixture::Item*> all;
  table.GetAll(all);
  EXPECT_TRUE(all.empty());
}

TYPED_TEST(SymbolTableTest, DuplicateKeyIsRefusedAndStaysWithTheCaller) {
  typename TestFixture::Table table(true);
  auto* first = this->Make(7);
  ASSERT_TRUE(table.Add(first));
  std::unique_ptr<typename TestFixture::Item> second(this->Make(7));
  EXPECT_FALSE(table.Add(second.get()));
  EXPECT_FALSE(table.Add(nullptr));
  EXPECT_EQ(table.Count(), 1);
  EXPECT_EQ(table.Find(TypeParam::KeyOf(7)), first);
  EXPECT_EQ(this->FDestroyed, 0);
}

TYPED_TEST(SymbolTableTest, FifthAddDoublesToEightAndAllAreFound) {
  typename TestFixture::Table table(true);
  std::vector<typename TestFixture::Item*> items;
  for (int n = 0; n < 9; ++n) {
    items.push_back(this->Make(n));
    ASSERT_TRUE(table.Add(items.back()));
    EXPECT_EQ(table.BucketCount(), n < 4 ? 4 : n < 8 ? 8 : 16) << "after add " << n + 1;
    for (int k = 0; k <= n; ++k) EXPECT_EQ(table.Find(TypeParam::KeyOf(k)), items[k]);
  }
}

TYPED_TEST(SymbolTableTest, KeysCollidingInTheLastBucketSurviveSeveralDoublings) {
  typename TestFixture::Table table(true);
  const std::vector<int> numbers = TestFixture::NumbersInLastBucket(63, 40);
  for (int n : numbers) ASSERT_TRUE(table.Add(this->Make(n)));
  EXPECT_EQ(table.BucketCount(), 64);
  for (int n : numbers) {
    ASSERT_NE(table.Find(TypeParam::KeyOf(n)), nullptr) << n;
    EXPECT_EQ(TypeParam::KeyOfItem(table.Find(TypeParam::KeyOf(n))), TypeParam::KeyOf(n));
  }
  // All of them sit in the one chain of the last bucket, newest first.
  std::vector<typename TestFixture::Item*> all;
  table.GetAll(all);
  ASSERT_EQ(all.size(), numbers.size());
  EXPECT_EQ(TypeParam::KeyOfItem(all.front()), TypeParam::KeyOf(numbers.back()));
}

TYPED_TEST(SymbolTableTest, GrowthReinsertsEachChainFromItsHead) {
  // Four keys share bucket 3 of 4, chained newest first. Pushing that chain, head first, onto
  // buckets 3 and 7 of 8 leaves each of them oldest first.
  typename TestFixture::Table table(true);
  const std::vector<int> chained = TestFixture::NumbersInLastBucket(3, 4);
  for (int n : chained) table.Add(this->Make(n));
  const int fifth = chained.back() + 1;  // a key not chained yet
  ASSERT_TRUE(table.Add(this->Make(fifth)));
  std::vector<typename TypeParam::Item*> all;
  table.GetAll(all);
  std::vector<decltype(TypeParam::KeyOf(0))> expected;
  for (std::uint32_t b = 0; b < 8; ++b) {
    if ((TypeParam::HashOf(fifth) & 7) == b) expected.push_back(TypeParam::KeyOf(fifth));
    for (int n : chained) {
      if ((TypeParam::HashOf(n) & 7) == b) expected.push_back(TypeParam::KeyOf(n));
    }
  }
  ASSERT_EQ(all.size(), expected.size());
  for (std::size_t i = 0; i < all.size(); ++i)
    EXPECT_EQ(TypeParam::KeyOfItem(all[i]), expected[i]) << i;
}

TYPED_TEST(SymbolTableTest, RemoveUnlinksFromAnywhereInAChain) {
  const std::vector<int> numbers = TestFixture::NumbersInLastBucket(3, 3);
  for (int removed : numbers) {
    typename TestFixture::Table chain(true);
    for (int n : numbers) chain.Add(this->Make(n));
    EXPECT_TRUE(chain.Remove(TypeParam::KeyOf(removed)));
    EXPECT_EQ(chain.Count(), 2);
    for (int n : numbers) EXPECT_EQ(chain.Find(TypeParam::KeyOf(n)) != nullptr, n != removed);
  }
}

TYPED_TEST(SymbolTableTest, ClearAndRemoveFreeOnlyWhenOwning) {
  for (bool owning : {false, true}) {
    this->FDestroyed = 0;
    std::vector<std::unique_ptr<typename TestFixture::Item>> keep;
    {
      typename TestFixture::Table table(owning);
      for (int n = 0; n < 9; ++n) {
        auto* item = this->Make(n);
        table.Add(item);
        if (!owning) keep.emplace_back(item);
      }
      EXPECT_TRUE(table.Remove(TypeParam::KeyOf(3)));
      EXPECT_EQ(this->FDestroyed, owning ? 1 : 0);
      table.Clear();
      EXPECT_EQ(this->FDestroyed, owning ? 9 : 0);
      EXPECT_EQ(table.Count(), 0);
      EXPECT_EQ(table.BucketCount(), 4);
      EXPECT_EQ(table.Find(TypeParam::KeyOf(5)), nullptr);
      table.Add(this->Make(100));
      if (!owning) keep.emplace_back(table.Find(TypeParam::KeyOf(100)));
    }
    EXPECT_EQ(this->FDestroyed, owning ? 10 : 0) << "owning " << owning;
  }
}

TYPED_TEST(SymbolTableTest, NonOwningTableOutlivesItsItems) {
  typename TestFixture::Table table(false);
  {
    std::vector<std::unique_ptr<typename TestFixture::Item>> items;
    for (int n = 0; n < 9; ++n) {
      items.emplace_back(this->Make(n));
      table.Add(items.back().get());
    }
  }
  // Clearing (and destroying) must not reach the freed items.
  table.Clear();
  EXPECT_EQ(table.Count(), 0);
}

TYPED_TEST(SymbolTableTest, GetAllFollowsBucketsAndChains) {
  typename TestFixture::Table table(true);
  for (int n = 0; n < 30; ++n) table.Add(this->Make(n));
  const std::uint32_t mask = std::uint32_t(table.BucketCount() - 1);
  std::vector<typename TestFixture::Item*> all{nullptr};
  table.GetAll(all);
  ASSERT_EQ(all.size(), 31u);
  EXPECT_EQ(all.front(), nullptr);
  EXPECT_TRUE(std::equal(table.begin(), table.end(), all.begin() + 1));
  std::uint32_t lastBucket = 0;
  for (std::size_t i = 1; i < all.size(); ++i) {
    const auto key = TypeParam::KeyOfItem(all[i]);
    int number = -1;
    for (int n = 0; n < 30; ++n) {
      if (TypeParam::KeyOf(n) == key) number = n;
    }
    const std::uint32_t bucket = TypeParam::HashOf(number) & mask;
    EXPECT_LE(lastBucket, bucket);
    lastBucket = bucket;
  }
}

TYPED_TEST(SymbolTableTest, RandomOperationsAgreeWithUnorderedMap) {
  std::mt19937 rng(12345);
  typename TestFixture::Table table(true);
  std::unordered_map<int, typename TestFixture::Item*> expected;
  for (int step = 0; step < 20000; ++step) {
    const int n = std::uniform_int_distribution<int>(0, 3000)(rng);
    const auto key = TypeParam::KeyOf(n);
    const auto found = expected.find(n);
    if (std::uniform_int_distribution<int>(0, 2)(rng) == 0) {
      ASSERT_EQ(table.Remove(key), found != expected.end());
      if (found != expected.end()) expected.erase(found);
    } else if (found == expected.end()) {
      auto* item = this->Make(n);
      ASSERT_TRUE(table.Add(item));
      expected.emplace(n, item);
    }
    ASSERT_EQ(table.Find(key), expected.count(n) ? expected[n] : nullptr);
    ASSERT_EQ(table.Count(), static_cast<int>(expected.size()));
  }
  for (const auto& [n, item] : expected) EXPECT_EQ(table.Find(TypeParam::KeyOf(n)), item);
  EXPECT_EQ(std::distance(table.begin(), table.end()),
            static_cast<std::ptrdiff_t>(expected.size()));
}

TEST(IdentifierHashTableTest, KeysAreCaseSensitive) {
  TQelIdentifierHashTable table(false);
  TQelIdentifierItem upper(u"ABC", 1);
  TQelIdentifierItem again(u"ABC", 2);
  TQelIdentifierItem lower(u"abc", 3);
  EXPECT_TRUE(table.Add(&upper));
  EXPECT_FALSE(table.Add(&again));
  EXPECT_TRUE(table.Add(&lower));
  EXPECT_EQ(table.Find(u"ABC"), &upper);
  EXPECT_EQ(table.Find(u"abc"), &lower);
  EXPECT_EQ(table.Find(u"Abc"), nullptr);
  EXPECT_EQ(table.Count(), 2);
}

TEST(IdentifierHashTableTest, DataHoldsAnObjectOrAnInteger) {
  int object = 0;
  TQelIdentifierItem byObject(u"obj", &object);
  TQelIdentifierItem byNumber(u"num", -17);
  EXPECT_EQ(byObject.DataAs<int>(), &object);
  EXPECT_EQ(byNumber.DataInt(), -17);
  byNumber.SetData(&object);
  EXPECT_EQ(byNumber.DataAs<int>(), &object);
  byObject.SetDataInt(42);
  EXPECT_EQ(byObject.DataInt(), 42);
}

TEST(IdentifierHashTableTest, NewestOfACollidingPairComesFirst) {
  // "ab" and "b^" differ but hash alike: 4 * 97 + 98 = 486 = 4 * 98 + 94 ('^').
  TQelIdentifierHashTable table(false);
  TQelIdentifierItem first(u"ab");
  TQelIdentifierItem second(u"b^");
  ASSERT_EQ(TQelHashFunctions::StrHash(first.Name), TQelHashFunctions::StrHash(second.Name));
  table.Add(&first);
  table.Add(&second);
  std::vector<TQelIdentifierItem*> all;
  table.GetAll(all);
  EXPECT_EQ(all, (std::vector<TQelIdentifierItem*>{&second, &first}));
  EXPECT_TRUE(table.Remove(u"ab"));
  EXPECT_EQ(table.Find(u"b^"), &second);
}

TEST(NameHashTableTest, FindAsReturnsTheDerivedClass) {
  int destroyed = 0;
  TQelNameHashTable table(true);
  auto* item = new TCountedNamed(12, &destroyed);
  table.Add(item);
  EXPECT_EQ(table.FindAs<TCountedNamed>(12), item);
  EXPECT_EQ(table.FindAs<TCountedNamed>(13), nullptr);
}

TEST(NameHashTableTest, NegativeIdsAreOrdinaryKeys) {
  TQelNameHashTable table(false);
  TQelNamedItem none(-1);
  TQelNamedItem zero(0);
  EXPECT_TRUE(table.Add(&none));
  EXPECT_TRUE(table.Add(&zero));
  EXPECT_EQ(table.Find(-1), &none);
  EXPECT_EQ(table.Find(0), &zero);
}

}  // namespace
