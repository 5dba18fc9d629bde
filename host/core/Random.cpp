// The class library's random generator: a 32-bit linear congruential
// sequence in RandSeed, so a fixed seed reproduces the same draws.
#include <chrono>
#include <utility>

#include "host/core/Math.h"

std::atomic<int32_t> RandSeed{0};

namespace {

constexpr uint32_t kMultiplier = 134775813;  // 0x08088405

// Advances RandSeed and returns the new value, atomically against other draws.
uint32_t NextSeed() {
  int32_t seed = RandSeed.load(std::memory_order_relaxed);
  int32_t next;
  do {
    next = static_cast<int32_t>(static_cast<uint32_t>(seed) * kMultiplier + 1);
  } while (!RandSeed.compare_exchange_weak(seed, next, std::memory_order_relaxed));
  return static_cast<uint32_t>(next);
}

}  // namespace

void Randomize() {
  const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count() ^
                     std::chrono::system_clock::now().time_since_epoch().count();
  RandSeed.store(static_cast<int32_t>(static_cast<uint64_t>(ticks) ^ (static_cast<uint64_t>(ticks) >> 32)),
                 std::memory_order_relaxed);
}

double Random() { return static_cast<double>(NextSeed()) * (1.0 / 4294967296.0); }

int Random(int ARange) {
  const uint32_t seed = NextSeed();
  if (ARange <= 0) return 0;
  return static_cast<int>((static_cast<uint64_t>(seed) * static_cast<uint32_t>(ARange)) >> 32);
}

int RandomRange(int AFrom, int ATo) {
  if (AFrom > ATo) std::swap(AFrom, ATo);
  return static_cast<int>(AFrom + static_cast<int64_t>(Random(static_cast<int>(int64_t(ATo) - AFrom))));
}
