// Host unit "SyncObjs": critical sections and events.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>

#include "host/core/System.h"

enum TWaitResult { wrSignaled, wrTimeout, wrAbandoned, wrError, wrIOCompletion };
QEL_ENUM_TYPE(TWaitResult, wrSignaled, wrTimeout, wrAbandoned, wrError, wrIOCompletion);

// Wait without a time limit (the Windows INFINITE value).
constexpr uint32_t WaitInfinite = 0xFFFFFFFF;

class TSynchroObject : public TObject {
  QEL_CLASS(TSynchroObject, TObject)
 public:
  virtual void Acquire() {}
  virtual void Release() {}
  virtual TWaitResult WaitFor(uint32_t ATimeout = WaitInfinite) { return wrError; }
};

// A recursive lock. Also usable with std::lock_guard / std::unique_lock.
class TCriticalSection : public TSynchroObject {
  QEL_CLASS(TCriticalSection, TSynchroObject)
 public:
  void Acquire() override { FMutex.lock(); }
  void Release() override { FMutex.unlock(); }
  void Enter() { FMutex.lock(); }
  void Leave() { FMutex.unlock(); }
  bool TryEnter() { return FMutex.try_lock(); }
  // Waits up to ATimeout ms to enter.
  TWaitResult WaitFor(uint32_t ATimeout = WaitInfinite) override;

  void lock() { FMutex.lock(); }
  void unlock() { FMutex.unlock(); }
  bool try_lock() { return FMutex.try_lock(); }

 private:
  std::recursive_timed_mutex FMutex;
};

// Holds a critical section for a scope.
class TCriticalSectionGuard {
 public:
  explicit TCriticalSectionGuard(TCriticalSection& ASection) : FSection(ASection) { FSection.Enter(); }
  ~TCriticalSectionGuard() { FSection.Leave(); }
  TCriticalSectionGuard(const TCriticalSectionGuard&) = delete;
  TCriticalSectionGuard& operator=(const TCriticalSectionGuard&) = delete;

 private:
  TCriticalSection& FSection;
};

// A manual-reset event stays signalled until ResetEvent and releases every
// waiter; an auto-reset event releases one waiter and resets itself.
class TEvent : public TSynchroObject {
  QEL_CLASS(TEvent, TSynchroObject)
 public:
  TEvent() : TEvent(true, false) {}
  TEvent(bool AManualReset, bool AInitialState) : FManualReset(AManualReset), FSignaled(AInitialState) {}

  void SetEvent();
  void ResetEvent();
  TWaitResult WaitFor(uint32_t ATimeout = WaitInfinite) override;
  void Acquire() override { WaitFor(WaitInfinite); }
  void Release() override { SetEvent(); }
  bool GetManualReset() const { return FManualReset; }

 private:
  std::mutex FLock;
  std::condition_variable FSignal;
  const bool FManualReset;
  bool FSignaled;
};

// A manual-reset event that starts unsignalled.
class TSimpleEvent : public TEvent {
  QEL_CLASS(TSimpleEvent, TEvent)
 public:
  TSimpleEvent() : TEvent(true, false) {}
};
