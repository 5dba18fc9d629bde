// Lookup costs of the foundation tables: hits and misses, across table sizes.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/foundation/QelHashTable.h"
#include "engine/foundation/QelSctClass.h"

namespace {

struct TBenchItem {
  std::int32_t Key;
};

struct TBenchTraits : TQelHashTableTraits {
  using Item = TBenchItem;
  using Key = std::int32_t;
  static std::uint32_t MakeHashI(const TBenchItem* AItem) { return IntHash(AItem->Key); }
  static std::uint32_t MakeHashK(const std::int32_t& AKey) { return IntHash(AKey); }
  static bool Compare(const std::int32_t& AKey, const TBenchItem* AItem) {
    return AKey == AItem->Key;
  }
};

// Keys 0 .. n-1 are present; misses probe n .. 2n-1, hits 0 .. n-1, in a scattered order.
std::int32_t Probe(std::int64_t AIteration, std::int32_t ASize, bool AHit) {
  const auto k = static_cast<std::int32_t>((AIteration * 7919) % ASize);
  return AHit ? k : k + ASize;
}

void NameTableFind(benchmark::State& AState, bool AHit) {
  const auto size = static_cast<std::int32_t>(AState.range(0));
  TQelNameHashTable table(true);
  for (std::int32_t k = 0; k < size; ++k) table.Add(new TQelNamedItem(k));
  std::int64_t i = 0;
  for (auto _ : AState) benchmark::DoNotOptimize(table.Find(Probe(i++, size, AHit)));
}

void HashTableFind(benchmark::State& AState, bool AHit) {
  const auto size = static_cast<std::int32_t>(AState.range(0));
  TQelHashTable<TBenchTraits> table(true);
  for (std::int32_t k = 0; k < size; ++k) table.Add(new TBenchItem{k});
  std::int64_t i = 0;
  for (auto _ : AState) benchmark::DoNotOptimize(table.Find(Probe(i++, size, AHit)));
}

}  // namespace

BENCHMARK_CAPTURE(NameTableFind, Hit, true)->RangeMultiplier(16)->Range(16, 1 << 16);
BENCHMARK_CAPTURE(NameTableFind, Miss, false)->RangeMultiplier(16)->Range(16, 1 << 16);
BENCHMARK_CAPTURE(HashTableFind, Hit, true)->RangeMultiplier(16)->Range(16, 1 << 16);
BENCHMARK_CAPTURE(HashTableFind, Miss, false)->RangeMultiplier(16)->Range(16, 1 << 16);
