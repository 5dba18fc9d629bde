// Threads, events and critical sections.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <vector>

#include "host/core/Classes.h"
#include "host/core/SyncObjs.h"

namespace {

using namespace std::chrono_literals;

// Long enough for a woken thread to have run on any machine; used only to
// give a wrong implementation the chance to show itself, never as a result.
constexpr uint32_t kSettleMs = 200;

// Runs ABody on ACount threads at once and waits for all of them.
void RunOnThreads(int ACount, const std::function<void()>& ABody) {
  std::vector<TThread*> threads;
  for (int i = 0; i < ACount; ++i) {
    TThread* t = TThread::CreateAnonymousThread(ABody);
    t->SetFreeOnTerminate(false);
    t->Start();
    threads.push_back(t);
  }
  for (TThread* t : threads) {
    t->WaitFor();
    t->Free();
  }
}

class TCounterThread : public TThread {
  QEL_CLASS(TCounterThread, TThread)
 public:
  explicit TCounterThread(TEvent* AGo) : FGo(AGo) {}
  std::atomic<int> Iterations{0};
  uint32_t SeenId = 0;

 protected:
  void Execute() override {
    SeenId = GetCurrentThreadId();
    EXPECT_EQ(TThread::CurrentThread(), this);
    while (!GetTerminated()) {
      ++Iterations;
      FGo->WaitFor(5);
    }
    SetReturnValue(7);
  }

 private:
  TEvent* FGo;
};

TEST(Thread, RunsUntilTerminatedAndReturnsItsValue) {
  TSimpleEvent never;
  TCounterThread thread(&never);
  EXPECT_FALSE(thread.GetStarted());
  thread.Start();
  while (thread.Iterations.load() == 0) std::this_thread::yield();
  thread.Terminate();
  EXPECT_EQ(thread.WaitFor(), 7u);
  EXPECT_TRUE(thread.GetFinished());
  EXPECT_EQ(thread.SeenId, thread.GetThreadID());
  EXPECT_NE(thread.GetThreadID(), GetCurrentThreadId());
  EXPECT_EQ(thread.GetFatalException(), nullptr);
  EXPECT_EQ(TThread::CurrentThread(), nullptr);
}

TEST(Thread, StartTwiceAndWaitingWrongRaiseEThread) {
  TSimpleEvent never;
  TCounterThread thread(&never);
  EXPECT_THROW(thread.WaitFor(), ExceptionPtr);  // not started
  thread.Start();
  try {
    thread.Start();
    FAIL() << "no exception";
  } catch (const ExceptionPtr& e) {
    EXPECT_TRUE(e->Is<EThread>());
    EXPECT_EQ(e->GetMessage(), u"Cannot call Start on a running or suspended thread");
  }
  thread.Terminate();
  thread.WaitFor();
}

TEST(Thread, FreeingARunningThreadStopsIt) {
  TSimpleEvent never;
  auto* thread = new TCounterThread(&never);
  thread->Start();
  thread->Free();  // terminates and waits; ASan reports any use after free
}

std::atomic<TObject*> GWatched{nullptr};
TSimpleEvent* GWatchedFreed = nullptr;
void WatchFree(TObject* AObject) {
  if (AObject == GWatched.load()) GWatchedFreed->SetEvent();
}

TEST(Thread, SelfFreeingThreadFreesItself) {
  TSimpleEvent freed;
  GWatchedFreed = &freed;
  std::atomic<bool> ran{false};
  TThread* thread = TThread::CreateAnonymousThread([&] { ran = true; });
  EXPECT_TRUE(thread->GetFreeOnTerminate());
  EXPECT_THROW(thread->WaitFor(), ExceptionPtr);
  GWatched = thread;
  TObjectDestroyObserver previous = SetObjectDestroyObserver(&WatchFree);
  thread->Start();
  EXPECT_EQ(freed.WaitFor(10000), wrSignaled);
  SetObjectDestroyObserver(previous);
  EXPECT_TRUE(ran);
}

TEST(Thread, OnTerminateRunsAfterExecute) {
  TSimpleEvent done;
  std::vector<String> order;
  TThread* thread = TThread::CreateAnonymousThread([&] { order.push_back(u"execute"); });
  thread->OnTerminate = [&](TObject* Sender) {
    EXPECT_EQ(Sender, thread);
    order.push_back(u"terminate");
    done.SetEvent();
  };
  thread->Start();
  ASSERT_EQ(done.WaitFor(10000), wrSignaled);
  EXPECT_EQ(order, (std::vector<String>{u"execute", u"terminate"}));
}

TEST(Event, ManualResetWakesAllWaiters) {
  TEvent event(true, false);
  std::atomic<int> woken{0};
  TThread* setter = TThread::CreateAnonymousThread([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(kSettleMs));  // let the waiters block first
    event.SetEvent();
  });
  setter->SetFreeOnTerminate(false);
  setter->Start();
  RunOnThreads(3, [&] {
    if (event.WaitFor(10000) == wrSignaled) ++woken;
  });
  setter->WaitFor();
  setter->Free();
  EXPECT_EQ(woken, 3);
  EXPECT_EQ(event.WaitFor(0), wrSignaled);  // stays signalled
  event.ResetEvent();
  EXPECT_EQ(event.WaitFor(0), wrTimeout);
}

TEST(Event, AutoResetWakesOneWaiter) {
  TEvent event(false, false);
  std::atomic<int> woken{0};
  event.SetEvent();
  RunOnThreads(2, [&] {
    if (event.WaitFor(kSettleMs * 3) == wrSignaled) ++woken;
  });
  EXPECT_EQ(woken, 1);
  EXPECT_EQ(event.WaitFor(0), wrTimeout);  // reset by the waiter it let through
}

TEST(Event, TimeoutsAndInitialState) {
  TEvent signalled(false, true);
  EXPECT_EQ(signalled.WaitFor(0), wrSignaled);
  EXPECT_EQ(signalled.WaitFor(0), wrTimeout);
  TSimpleEvent simple;
  EXPECT_TRUE(simple.GetManualReset());
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(simple.WaitFor(30), wrTimeout);
  EXPECT_GE(std::chrono::steady_clock::now() - start, 30ms);
}

TEST(CriticalSection, IsRecursiveAndExcludesOtherThreads) {
  TCriticalSection section;
  section.Enter();
  EXPECT_TRUE(section.TryEnter());  // the owner may enter again
  std::atomic<int> otherGot{-1};
  RunOnThreads(1, [&] { otherGot = section.TryEnter() ? 1 : 0; });
  EXPECT_EQ(otherGot, 0);
  section.Leave();
  section.Leave();
  {
    TCriticalSectionGuard guard(section);
    EXPECT_EQ(section.WaitFor(0), wrSignaled);
    section.Release();
  }
}

TEST(CriticalSection, GuardsACounter) {
  TCriticalSection section;
  long counter = 0;
  RunOnThreads(4, [&] {
    for (int n = 0; n < 10000; ++n) {
      TCriticalSectionGuard guard(section);
      ++counter;
    }
  });
  EXPECT_EQ(counter, 40000);
}

}  // namespace
