#include "platform/ole/OleMemoryMeter.h"

namespace ole_detail {

thread_local TOleMemoryMeter* tMemoryMeter = nullptr;

bool MeterCharge(TOleMemoryMeter* AMeter, int64_t ABytes) {
  if (ABytes > 0 && AMeter->Used + ABytes > AMeter->Ceiling) {
    if (!AMeter->Exceeded) {
      AMeter->Exceeded = true;
      if (AMeter->OnExceeded) AMeter->OnExceeded(AMeter->Data, AMeter->Ceiling, AMeter->Used + ABytes);
    }
    return false;
  }
  AMeter->Used += ABytes;
  if (AMeter->Used > AMeter->Peak) AMeter->Peak = AMeter->Used;
  return true;
}

}  // namespace ole_detail

TOleMemoryMeter* OleSwapMemoryMeter(TOleMemoryMeter* AMeter) {
  TOleMemoryMeter* previous = ole_detail::tMemoryMeter;
  ole_detail::tMemoryMeter = AMeter;
  return previous;
}
