// Machine threads, stack pools, the identity registry, per-thread locks and closing.
#include <pthread.h>

#include <algorithm>
#include <thread>

#include "engine/vm/QelVMInternal.h"

// ---------------------------------------------------------------------------------------------
// Stack pool

namespace {
constexpr int MinChunkSlots = 256;

void ClearSlots(VARIANT* ASlots, int ACount) {
  for (int i = 0; i < ACount; ++i) QelClear(ASlots + i);
}
}  // namespace

TQelStackPool::~TQelStackPool() {
  while (FLast) {
    TQelStackItem* prev = FLast->FPrev;
    ClearSlots(FLast->FData.get(), FLast->FSize);
    delete FLast;
    FLast = prev;
  }
  delete FSpare;
}

VARIANT* TQelStackPool::AsquireNewChunk(int ASize) {
  TQelStackItem* chunk;
  if (FSpare && FSpare->FSize >= ASize) {
    chunk = FSpare;
    FSpare = nullptr;
  } else {
    chunk = new TQelStackItem;
    chunk->FSize = std::max(MinChunkSlots, ASize);
    chunk->FData.reset(new VARIANT[size_t(chunk->FSize)]());
  }
  chunk->FPrev = FLast;
  chunk->FUsedItemSize = ASize;
  FLast = chunk;
  return chunk->FData.get();
}

void TQelStackPool::ReleaseChunk() {
  TQelStackItem* chunk = FLast;
  FLast = chunk->FPrev;
  delete FSpare;
  FSpare = chunk;
}

// ---------------------------------------------------------------------------------------------
// Machine threads

namespace {
#if defined(__SANITIZE_ADDRESS__)
constexpr size_t StackReserve = 1024 * 1024;
#else
constexpr size_t StackReserve = 256 * 1024;
#endif

uintptr_t CurrentStackLimit() {
  pthread_attr_t attr;
  void* base = nullptr;
  size_t size = 0;
  if (pthread_getattr_np(pthread_self(), &attr) != 0) return 0;
  pthread_attr_getstack(&attr, &base, &size);
  pthread_attr_destroy(&attr);
  size_t reserve = std::min(StackReserve, size / 2);
  return reinterpret_cast<uintptr_t>(base) + reserve;
}

// Marks the calling thread's machine thread as ended when the OS thread exits.
struct TThreadEndMarker {
  TQelThread* FThread = nullptr;
  ~TThreadEndMarker() {
    if (FThread) FThread->FEnded.store(true, std::memory_order_release);
  }
};
thread_local TThreadEndMarker tEndMarker;
}  // namespace

TQelThread::TQelThread() : FStackLimit(CurrentStackLimit()) {}
TQelThread::~TQelThread() { QelClear(&V); }

TQelThreadVM::TQelThreadVM(TQelVMLock* ALock, TQelThread* AThread)
    : FVMLock(ALock), FThread(AThread), FGlobals(std::make_unique<TQelThreadGlobals>(this)) {}
TQelThreadVM::~TQelThreadVM() = default;

TQelThread* QelInitThread(int AIndex) { return TVMIndexes::Instance().InitThread(AIndex); }

// ---------------------------------------------------------------------------------------------
// Registry

TVMIndexes& TVMIndexes::Instance() {
  // Never destroyed: machines and threads may outlive every static object.
  static TVMIndexes* indexes = new TVMIndexes();
  return *indexes;
}

TVMIndexes::~TVMIndexes() = default;

TQelVMId TVMIndexes::AsquireId(TQelVirtMachine* AVM) {
  std::lock_guard<std::mutex> guard(FSection);
  TQelVMId id;
  for (size_t i = 0; i < FLocks.size(); ++i) {
    if (FLocks[i]->FVM.load() == nullptr) {
      id.Index = int(i);
      break;
    }
  }
  if (id.Index < 0) {
    id.Index = int(FLocks.size());
    FLocks.push_back(new TQelVMLock);
  }
  id.Lock = FLocks[size_t(id.Index)];
  id.Id = FNextVMId++;
  id.Lock->FVM.store(AVM);
  id.Lock->FVMId.store(id.Id);
  id.Lock->FInactiveOrClosing.store(true);
  return id;
}

void TVMIndexes::ReleaseId(const TQelVMId& AId) {
  std::lock_guard<std::mutex> guard(FSection);
  AId.Lock->FVM.store(nullptr);
  AId.Lock->FVMId.store(0);
}

void TVMIndexes::FreeEndedThreads() {
  if (FClosing.load(std::memory_order_acquire) != 0) return;  // a closer may hold records
  for (size_t i = 0; i < FThreadDatas.size();) {
    TQelThread* thread = FThreadDatas[i];
    if (!thread->FEnded.load(std::memory_order_acquire)) {
      ++i;
      continue;
    }
    for (TQelVMLock* lock : FLocks) {
      auto& list = lock->FVMDataList;
      list.erase(std::remove_if(list.begin(), list.end(),
                                [thread](const auto& rec) { return rec->FThread == thread; }),
                 list.end());
    }
    delete thread;
    FThreadDatas.erase(FThreadDatas.begin() + ptrdiff_t(i));
  }
}

void TVMIndexes::CoverSlots(TQelThread* AThread, int ACount) {
  while (FLocks.size() < size_t(ACount)) FLocks.push_back(new TQelVMLock);
  for (int slot = int(AThread->FVMData.size()); slot < ACount; ++slot) {
    TQelVMLock* lock = FLocks[size_t(slot)];
    auto record = std::make_unique<TQelThreadVM>(lock, AThread);
    record->FFlag.store(lock->FInactiveOrClosing.load() ? -1 : 0);
    AThread->FVMData.push_back(record.get());
    lock->FVMDataList.push_back(std::move(record));
  }
}

TQelThread* TVMIndexes::InitThread(int AIndex) {
  std::lock_guard<std::mutex> guard(FSection);
  if (!tQelThread) {
    FreeEndedThreads();
    tQelThread = new TQelThread();
    tEndMarker.FThread = tQelThread;
    FThreadDatas.push_back(tQelThread);
  }
  if (AIndex >= tQelThreadCount) {
    int count = tQelThreadCount == 0 ? 4 : tQelThreadCount * 2;
    count = std::max(count, AIndex + 1);
    CoverSlots(tQelThread, count);
    tQelThreadCount = count;
  }
  return tQelThread;
}

void TVMIndexes::MarkOpened(const TQelVMId& AId) {
  std::lock_guard<std::mutex> guard(FSection);
  AId.Lock->FInactiveOrClosing.store(false, std::memory_order_release);
  AId.Lock->FDebuggerId = -1;
  for (auto& record : AId.Lock->FVMDataList) {
    record->FFlag.store(0, std::memory_order_release);
    record->FSteppingBase = nullptr;
  }
}

void TVMIndexes::MarkClosingAndWait(const TQelVMId& AId, TQelVirtMachine* AVM) {
  std::vector<TQelThreadVM*> pending;
  {
    std::lock_guard<std::mutex> guard(FSection);
    if (!AId.Lock->FInactiveOrClosing.load()) {
      AId.Lock->FInactiveOrClosing.store(true, std::memory_order_release);
      AId.Lock->FDebuggerId = -1;
      AVM->FTerminateFlag.store(0, std::memory_order_release);
      for (auto& record : AId.Lock->FVMDataList) pending.push_back(record.get());
    }
    FClosing.fetch_add(1);
  }
  while (!pending.empty()) {
    for (size_t i = pending.size(); i-- > 0;) {
      int expected = 0;
      if (pending[i]->FFlag.compare_exchange_strong(expected, -1, std::memory_order_acq_rel) ||
          expected == -1)
        pending.erase(pending.begin() + ptrdiff_t(i));
    }
    if (!pending.empty()) std::this_thread::yield();
  }
  std::lock_guard<std::mutex> guard(FSection);
  for (auto& record : AId.Lock->FVMDataList) {
    record->FGlobals->Clear();
    record->FSteppingBase = nullptr;
  }
  FClosing.fetch_sub(1);
}

// ---------------------------------------------------------------------------------------------
// Run lock

TQelRunLock::TQelRunLock(const TQelVMId& AId) {
  FThread = QelCurrentThread(AId.Index);
  FRecord = FThread->VMData(AId.Index);
  if (AId.Lock->FVMId.load(std::memory_order_acquire) != AId.Id || !FRecord->Lock())
    throw ExceptionPtr(new EQelVirtMachine(SQelVMNotActive));
}
