// Critical sections and events.
#include "host/core/SyncObjs.h"

#include <chrono>

TWaitResult TCriticalSection::WaitFor(uint32_t ATimeout) {
  if (ATimeout == WaitInfinite) {
    FMutex.lock();
    return wrSignaled;
  }
  return FMutex.try_lock_for(std::chrono::milliseconds(ATimeout)) ? wrSignaled : wrTimeout;
}

void TEvent::SetEvent() {
  // Notifying under the lock: a woken waiter may destroy the event at once.
  std::lock_guard lock(FLock);
  FSignaled = true;
  if (FManualReset) FSignal.notify_all();
  else FSignal.notify_one();
}

void TEvent::ResetEvent() {
  std::lock_guard lock(FLock);
  FSignaled = false;
}

TWaitResult TEvent::WaitFor(uint32_t ATimeout) {
  std::unique_lock lock(FLock);
  auto signaled = [this] { return FSignaled; };
  if (ATimeout == WaitInfinite) FSignal.wait(lock, signaled);
  else if (!FSignal.wait_for(lock, std::chrono::milliseconds(ATimeout), signaled)) return wrTimeout;
  // An auto-reset event lets exactly this waiter through.
  if (!FManualReset) FSignaled = false;
  return wrSignaled;
}
