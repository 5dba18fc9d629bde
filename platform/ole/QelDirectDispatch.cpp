// Finding an object's direct interface without reference counting.
//
// Objects of one C++ class carry the same vtable pointer at the start of their IDispatch part,
// and their IQelDirectDispatch part lies at the same distance from it. The first object of a
// class is asked through QueryInterface (and its answer checked with Self); the class is then
// remembered with that distance, or as one without the interface, and later objects of the
// class are recognised by the vtable pointer alone. A full table only means asking again.
#include "platform/ole/QelDirectDispatch.h"

#include <cstddef>
#include <mutex>

namespace qel_direct_detail {

namespace {
constexpr size_t MaxClasses = TableSize / 2;  // lookups always meet an empty entry
size_t KnownCount = 0;                        // under LearnLock
std::mutex LearnLock;
}  // namespace

TKnownClass Known[TableSize];

// Asks AObj, and remembers the answer for its class.
IQelDirectDispatch* Learn(IDispatch* AObj, const void* AVTable) {
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

}  // namespace qel_direct_detail
