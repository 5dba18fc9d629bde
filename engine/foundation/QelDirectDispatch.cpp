// Finding an object's direct interface without reference counting.
//
// Objects of one C++ class carry the same vtable pointer at the start of their IDispatch part,
// and their IQelDirectDispatch part lies at the same distance from it. The first object of a
// class is asked through QueryInterface (and its answer checked with Self); the class is then
// remembered with that distance, or as one without the interface, and later objects of the
// class are recognised by the vtable pointer alone. A full table only means asking again.
#include "engine/foundation/QelDirectDispatch.h"

#include <cstddef>
#include <mutex>

namespace {

// Open addressing on the vtable's address; an entry, once made, never changes or goes away.
constexpr size_t TableSize = 64;  // 2 to the 6th: HomeOf keeps the top 6 bits
constexpr size_t MaxClasses = TableSize / 2;
constexpr ptrdiff_t NoDirect = PTRDIFF_MIN;

struct TKnownClass {
  std::atomic<const void*> VTable{nullptr};
  ptrdiff_t Offset = 0;  // written before VTable is published
};

TKnownClass Known[TableSize];
size_t KnownCount = 0;  // under LearnLock
std::mutex LearnLock;

const void* VTableOf(IDispatch* AObj) { return *reinterpret_cast<const void* const*>(AObj); }

// Vtables of related classes lie close together: the address is mixed before it is cut.
size_t HomeOf(const void* AVTable) {
  return size_t((reinterpret_cast<uintptr_t>(AVTable) * 0x9E3779B97F4A7C15ull) >> 58);
}

IQelDirectDispatch* AtOffset(IDispatch* AObj, ptrdiff_t AOffset) {
  if (AOffset == NoDirect) return nullptr;
  return reinterpret_cast<IQelDirectDispatch*>(reinterpret_cast<char*>(AObj) + AOffset);
}

// Asks AObj, and remembers the answer for its class.
__attribute__((noinline)) IQelDirectDispatch* Learn(IDispatch* AObj, const void* AVTable) {
  void* found = nullptr;
  IQelDirectDispatch* direct = nullptr;
  if (SUCCEEDED(AObj->QueryInterface(IID_IQelDirectDispatch, &found)) && found) {
    direct = static_cast<IQelDirectDispatch*>(found);
    // An answer from another object (a forwarding proxy) is not used: such a class is called
    // through IDispatch.
    const bool own = direct->Self() == AObj;
    direct->Release();  // the caller's reference to AObj keeps the part alive
    if (!own) direct = nullptr;
  }
  std::lock_guard guard(LearnLock);
  if (KnownCount >= MaxClasses) return direct;
  for (size_t i = HomeOf(AVTable);; i = (i + 1) & (TableSize - 1)) {
    const void* vtable = Known[i].VTable.load(std::memory_order_relaxed);
    if (vtable == AVTable) return direct;  // learned meanwhile
    if (!vtable) {
      Known[i].Offset =
          direct ? reinterpret_cast<char*>(direct) - reinterpret_cast<char*>(AObj) : NoDirect;
      Known[i].VTable.store(AVTable, std::memory_order_release);
      ++KnownCount;
      return direct;
    }
  }
}

}  // namespace

IQelDirectDispatch* QelDirectDispatchOf(IDispatch* AObj) {
  const void* vtable = VTableOf(AObj);
  for (size_t i = HomeOf(vtable);; i = (i + 1) & (TableSize - 1)) {
    const void* known = Known[i].VTable.load(std::memory_order_acquire);
    if (known == vtable) return AtOffset(AObj, Known[i].Offset);
    if (!known) return Learn(AObj, vtable);
  }
}
