// The random generator: the published linear congruential sequence,
// reproducibility for a fixed RandSeed, ranges and concurrent draws.
#include <gtest/gtest.h>

#include <set>
#include <thread>
#include <vector>

#include "host/core/Math.h"

namespace {

// Saves and restores RandSeed around each test.
class RandomTest : public testing::Test {
 protected:
  void SetUp() override { FSaved = RandSeed.load(); }
  void TearDown() override { RandSeed = FSaved; }

 private:
  int32_t FSaved = 0;
};

TEST_F(RandomTest, FollowsTheLinearCongruentialSequence) {
  // seed := seed * 134775813 + 1: from 0 the seeds are 1, 134775814, ...
  RandSeed = 0;
  EXPECT_EQ(Random(), 1.0 / 4294967296.0);
  EXPECT_EQ(RandSeed.load(), 1);
  // (134775814 * 100) >> 32 = 13477581400 / 4294967296 = 3.13...
  EXPECT_EQ(Random(100), 3);
  EXPECT_EQ(RandSeed.load(), 134775814);
  // A negative seed wraps as an unsigned 32-bit number: (-1) * 134775813 + 1.
  RandSeed = -1;
  Random();
  EXPECT_EQ(static_cast<uint32_t>(RandSeed.load()), uint32_t(0u - 134775813u + 1u));
}

TEST_F(RandomTest, AFixedSeedReproducesTheSequence) {
  auto draw = [] {
    std::vector<double> values;
    for (int i = 0; i < 20; ++i) values.push_back(i % 2 ? Random() : Random(1000));
    return values;
  };
  RandSeed = 42;
  const std::vector<double> first = draw();
  RandSeed = 42;
  EXPECT_EQ(draw(), first);
  RandSeed = 43;
  EXPECT_NE(draw(), first);
}

TEST_F(RandomTest, DrawsStayInTheirRanges) {
  RandSeed = 7;
  std::set<int> seen;
  for (int i = 0; i < 10000; ++i) {
    const double real = Random();
    ASSERT_GE(real, 0.0);
    ASSERT_LT(real, 1.0);
    const int value = Random(10);
    ASSERT_GE(value, 0);
    ASSERT_LT(value, 10);
    seen.insert(value);
    const int ranged = RandomRange(5, -5);
    ASSERT_GE(ranged, -5);
    ASSERT_LT(ranged, 5);
  }
  EXPECT_EQ(seen.size(), 10u);
  EXPECT_EQ(Random(0), 0);
  EXPECT_EQ(Random(-5), 0);
}

TEST_F(RandomTest, RandomizeReseeds) {
  RandSeed = 0;
  Randomize();
  const int32_t first = RandSeed.load();
  std::this_thread::sleep_for(std::chrono::milliseconds(2));
  Randomize();
  EXPECT_NE(RandSeed.load(), first);
}

TEST_F(RandomTest, ConcurrentDrawsNeitherLoseNorRepeatASeed) {
  constexpr int kPerThread = 5000;
  RandSeed = 11;
  int32_t expected = 11;
  for (int i = 0; i < 2 * kPerThread; ++i) expected = static_cast<int32_t>(static_cast<uint32_t>(expected) * 134775813u + 1u);
  RandSeed = 11;
  std::thread a([] { for (int i = 0; i < kPerThread; ++i) Random(); });
  std::thread b([] { for (int i = 0; i < kPerThread; ++i) Random(100); });
  a.join();
  b.join();
  EXPECT_EQ(RandSeed.load(), expected);
}

}  // namespace
