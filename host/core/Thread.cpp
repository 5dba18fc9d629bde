// TThread on std::thread, and the process-unique thread numbers.
#include "host/core/Classes.h"

namespace {

std::atomic<uint32_t> GNextThreadId{1};
thread_local uint32_t GThreadId = 0;
thread_local TThread* GCurrentThread = nullptr;

uint32_t NewThreadId() { return GNextThreadId.fetch_add(1, std::memory_order_relaxed); }

[[noreturn]] void ThreadError(const char16_t* AMessage) { throw ExceptionPtr(new EThread(AMessage)); }

class TAnonymousThread : public TThread {
  QEL_CLASS(TAnonymousThread, TThread)
 public:
  explicit TAnonymousThread(std::function<void()> AProc) : FProc(std::move(AProc)) { SetFreeOnTerminate(true); }

 protected:
  void Execute() override {
    if (FProc) FProc();
  }

 private:
  std::function<void()> FProc;
};

}  // namespace

uint32_t GetCurrentThreadId() {
  if (!GThreadId) GThreadId = NewThreadId();
  return GThreadId;
}

TThread::TThread() = default;

TThread::~TThread() { StopAndJoin(); }

void TThread::BeforeDestruction() { StopAndJoin(); }

void TThread::StopAndJoin() {
  std::thread worker;
  {
    std::lock_guard lock(FStateLock);
    if (!FThread.joinable()) return;
    if (FThread.get_id() == std::this_thread::get_id()) {
      // A thread freeing itself cannot join itself.
      FThread.detach();
      return;
    }
    worker = std::move(FThread);
  }
  // Joined outside the lock: the thread takes it once more to finish.
  FTerminated = true;
  worker.join();
}

void TThread::Start() {
  std::lock_guard lock(FStateLock);
  if (FStarted) ThreadError(u"Cannot call Start on a running or suspended thread");
  FStarted = true;
  FThreadID = NewThreadId();
  // Run waits for this lock, so FThread is assigned before the thread can
  // finish (and perhaps free this object).
  FThread = std::thread(&TThread::Run, this);
}

void TThread::Run() {
  { std::lock_guard lock(FStateLock); }
  GThreadId = FThreadID;
  GCurrentThread = this;
  try {
    if (!FTerminated) Execute();
  } catch (...) {
    FFatalException = AcquireExceptionObject();
  }
  try {
    DoTerminate();
  } catch (...) {
    if (!FFatalException) FFatalException = AcquireExceptionObject();
  }
  GCurrentThread = nullptr;
  const bool freeSelf = FFreeOnTerminate;
  {
    std::lock_guard lock(FStateLock);
    FFinished = true;
  }
  FFinishedSignal.notify_all();
  if (freeSelf) Free();
}

void TThread::Terminate() { FTerminated = true; }

uint32_t TThread::WaitFor() {
  if (FFreeOnTerminate) ThreadError(u"Cannot call WaitFor on a thread that frees itself");
  if (!FStarted) ThreadError(u"Cannot call WaitFor on a thread that has not been started");
  if (GCurrentThread == this) ThreadError(u"A thread cannot wait for itself");
  std::thread worker;
  {
    std::unique_lock lock(FStateLock);
    FFinishedSignal.wait(lock, [this] { return FFinished.load(); });
    worker = std::move(FThread);
  }
  // The thread may still be leaving Run: join so nothing of it outlives us.
  if (worker.joinable()) worker.join();
  return static_cast<uint32_t>(FReturnValue);
}

TThread* TThread::CurrentThread() { return GCurrentThread; }

TThread* TThread::CreateAnonymousThread(std::function<void()> AProc) { return new TAnonymousThread(std::move(AProc)); }
