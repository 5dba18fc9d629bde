// The destroyed-object watch: a bit per address hash, set for every wrapped object, so that
// the destroy observer costs a hash and a bit test for the objects no script ever saw.
#include <atomic>

#include "engine/wrappers/QelSctMemMgr.h"
#include "engine/wrappers/QelSctWrappers.h"

namespace {

constexpr uint32_t FilterBits = 1u << 20;
constexpr uint32_t FilterWords = FilterBits / 32;
constexpr int RebuildEvery = 100;

// Bits are written under the object map's lock and read without it.
struct TFilter {
  std::atomic<uint32_t> FWords[FilterWords];
};

struct TWatch {
  TFilter FActive{};
  TFilter FScratch{};
  int FAdditions = 0;
  TObjectDestroyObserver FPrevious = nullptr;
};

TWatch& Watch() {
  static auto* watch = new TWatch();
  return *watch;
}

uint32_t BitOf(const void* AAddress) {
  return static_cast<uint32_t>(TQelHashFunctions::PtrHash(AAddress)) & (FilterBits - 1);
}

void SetBit(TFilter& AFilter, uint32_t ABit) {
  AFilter.FWords[ABit / 32].fetch_or(1u << (ABit % 32), std::memory_order_relaxed);
}

void EnumMap(void (*AItemProc)(TObject*, void*), void* AData) {
  TWrapperByObject::Instance().EnumObjects(AItemProc, AData);
}

void OnObjectDestroyed(TObject* AObject) {
  TWatch& watch = Watch();
  if (IsWatchedAddress(AObject)) TWrapperByObject::Instance().ObjectFreed(AObject);
  if (watch.FPrevious) watch.FPrevious(AObject);
}

}  // namespace

bool IsWatchedAddress(const void* AAddress) {
  const uint32_t bit = BitOf(AAddress);
  return (Watch().FActive.FWords[bit / 32].load(std::memory_order_relaxed) & (1u << (bit % 32))) != 0;
}

void AddWatchedObject(const void* AAddress) {
  TWatch& watch = Watch();
  SetBit(watch.FActive, BitOf(AAddress));
  if (++watch.FAdditions >= RebuildEvery) {
    watch.FAdditions = 0;
    TGC::Collect(&EnumMap, nullptr);
  }
}

void TGC::ItemProc(TObject* AObject, void*) { SetBit(Watch().FScratch, BitOf(AObject)); }

void TGC::Collect(void (*AEnumerator)(void (*AItemProc)(TObject*, void*), void* AData), void* AData) {
  TWatch& watch = Watch();
  for (auto& word : watch.FScratch.FWords) word.store(0, std::memory_order_relaxed);
  AEnumerator(&TGC::ItemProc, AData);
  // Each word only loses bits of objects that left the map, so a reader never misses a live one.
  for (uint32_t i = 0; i < FilterWords; ++i) {
    watch.FActive.FWords[i].store(watch.FScratch.FWords[i].load(std::memory_order_relaxed), std::memory_order_relaxed);
  }
}

void QelInstallDestroyWatch() {
  static const bool installed = [] {
    Watch().FPrevious = SetObjectDestroyObserver(&OnObjectDestroyed);
    return true;
  }();
  (void)installed;
}
