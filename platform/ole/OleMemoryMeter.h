// The memory ceiling of a limited script run. While a meter is installed on a thread, the
// string and array data allocated there add their bytes to it and the data freed there takes
// them off again; an allocation that would take the sum over the ceiling fails as if memory
// had run out (a null string, E_OUTOFMEMORY), and the meter calls its owner back once so that
// the run can end with its own error. Without a meter the cost is one thread-local load.
#pragma once

#include <cstdint>

struct TOleMemoryMeter {
  int64_t Used = 0;     // bytes allocated less bytes freed on the thread while installed
  int64_t Peak = 0;     // the highest Used
  int64_t Ceiling = 0;  // an allocation taking Used beyond this is refused
  bool Exceeded = false;
  // Called once, at the first refusal, with the ceiling and the sum the refused bytes would make.
  void (*OnExceeded)(void* AData, int64_t ACeiling, int64_t AAsked) = nullptr;
  void* Data = nullptr;
};

// Installs AMeter (nil: none) on the calling thread; answers the meter it replaces.
TOleMemoryMeter* OleSwapMemoryMeter(TOleMemoryMeter* AMeter);

namespace ole_detail {
extern thread_local TOleMemoryMeter* tMemoryMeter;
bool MeterCharge(TOleMemoryMeter* AMeter, int64_t ABytes);
}  // namespace ole_detail

// Books ABytes (negative: freed) on the thread's meter; false when the ceiling refuses them.
inline bool OleMemoryCharge(int64_t ABytes) {
  TOleMemoryMeter* meter = ole_detail::tMemoryMeter;
  return !meter || ole_detail::MeterCharge(meter, ABytes);
}
