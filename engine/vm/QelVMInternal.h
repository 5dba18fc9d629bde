// The machine's internal structures, shared by its units: machine threads with their stack
// pools and per-machine records, the identity registry, the host-object registry, the
// per-thread global-name caches, the global namespace and the code object. Private to
// engine/vm (the layering check refuses it elsewhere); language implementers use
// QelVMValues.h.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "engine/vm/QelSctVM.h"
#include "engine/vm/QelVMAssert.h"
#include "engine/vm/QelVMValues.h"

// The plain interpreter (built with QEL_VM_PLAIN): every run-time fast path of the speed passes
// is off (fused instruction sequences, borrowed object references, prepared members, the inline
// call fronts and the call sites' remembered names), so the script corpus run on it proves
// each fast path against the plain semantics. Defined for engine/vm's own units only.
#ifdef QEL_VM_PLAIN
inline constexpr bool QelFastPaths = false;
#else
inline constexpr bool QelFastPaths = true;
#endif

// ---------------------------------------------------------------------------------------------
// Stack pool: per thread, a stack of blocks of value slots in chunks. Released blocks are
// cleared so that no value outlives its activation.

class TQelStackPool {
 public:
  TQelStackPool() = default;
  ~TQelStackPool();
  TQelStackPool(const TQelStackPool&) = delete;
  TQelStackPool& operator=(const TQelStackPool&) = delete;

  VARIANT* AsquireStack(int ASize) {
    if (FLast && FLast->FSize - FLast->FUsedItemSize >= ASize) {
      VARIANT* block = FLast->FData.get() + FLast->FUsedItemSize;
      FLast->FUsedItemSize += ASize;
      return block;
    }
    return AsquireNewChunk(ASize);
  }
  // Inline: every script call ends here. Slots go back to the pool empty. They are cleared
  // while still counted as used: clearing an object can run script code (a class's terminate
  // routine), whose calls must take fresh slots, not the ones still being cleared here.
  void ReleaseStack(int ASize) {
    if (ASize == 0) return;
    VARIANT* slots = FLast->FData.get() + FLast->FUsedItemSize - ASize;
    for (int i = 0; i < ASize; ++i) QelClear(slots + i);
    FLast->FUsedItemSize -= ASize;
    if (FLast->FUsedItemSize == 0 && FLast->FPrev) ReleaseChunk();
  }

 private:
  void ReleaseChunk();
  struct TQelStackItem {
    std::unique_ptr<VARIANT[]> FData;
    int FSize = 0;
    TQelStackItem* FPrev = nullptr;
    int FUsedItemSize = 0;
  };
  VARIANT* AsquireNewChunk(int ASize);

  TQelStackItem* FLast = nullptr;
  TQelStackItem* FSpare = nullptr;  // one freed chunk kept so calls at a boundary do not thrash
};

// ---------------------------------------------------------------------------------------------
// Threads, locks and identities

class TQelThreadGlobals;
class TQelThreadVM;

// One slot of the process's machine table.
class TQelVMLock {
 public:
  std::atomic<TQelVirtMachine*> FVM{nullptr};
  std::atomic<int> FVMId{0};
  std::vector<std::unique_ptr<TQelThreadVM>> FVMDataList;  // one per thread
  std::atomic<bool> FInactiveOrClosing{true};
  int FDebuggerId = -1;
};

// The per-thread record of one machine slot.
class TQelThreadVM {
 public:
  TQelThreadVM(TQelVMLock* ALock, TQelThread* AThread);
  ~TQelThreadVM();

  bool Lock() {
    if (FLockCount == 0) {
      int expected = 0;
      if (!FFlag.compare_exchange_strong(expected, 1, std::memory_order_acquire)) return false;
    }
    ++FLockCount;
    return true;
  }
  void Unlock() {
    if (--FLockCount == 0) {
      FDebugAbort = false;  // the aborted run has left the machine
      FFlag.store(0, std::memory_order_release);
    }
  }
  TQelThreadGlobals& Globals() { return *FGlobals; }

  TQelVMLock* FVMLock;
  TQelThread* FThread;
  std::unique_ptr<TQelThreadGlobals> FGlobals;
  int FLockCount = 0;
  std::atomic<int> FFlag{-1};  // 0 free, 1 held by the thread, -1 machine inactive or closing
  void* FSteppingBase = nullptr;
  bool FInBreak = false;
  bool FDebugAbort = false;  // the debugger ended the run: no script handler catches it
  // Instructions the thread's run may still execute; without a budget it never runs out
  // (the interpreter subtracts at loops and calls without asking whether limits are on).
  int64_t FBudget = INT64_MAX;
  int64_t FBudgetStart = INT64_MAX;
  int FRunDepth = 0;  // activations of this machine on the thread
  struct TLimitedRun* FLimitedRun = nullptr;  // the outermost run's limits state (VMLimits.cpp)
};

class TQelThread {
 public:
  TQelThread();
  ~TQelThread();

  TQelThreadVM* VMData(int AIndex) const { return FVMData[size_t(AIndex)]; }
  // Whether an activation may start here without exhausting the native stack.
  bool StackExhausted() const {
    return reinterpret_cast<uintptr_t>(__builtin_frame_address(0)) < FStackLimit;
  }

  TQelStackPool FStackPool;
  TQelCallStackFrame* FCallStack = nullptr;
  // The error a debugger has already judged on its way out (caught somewhere, or stopped on as
  // uncaught): the frames it passes through do not judge it again.
  ExceptionPtr FJudgedError;
  std::vector<TQelThreadVM*> FVMData;  // by machine slot
  std::atomic<bool> FEnded{false};
  uintptr_t FStackLimit = 0;
  VARIANT V{};  // scratch value of the interpreter
  VARIANT* PV = nullptr;
};

// The calling thread's machine-thread object, attached (and covering slot AIndex) on demand.
TQelThread* QelInitThread(int AIndex);
inline thread_local TQelThread* tQelThread = nullptr;
inline thread_local int tQelThreadCount = 0;
inline TQelThread* QelCurrentThread(int AIndex) {
  if (AIndex < tQelThreadCount) [[likely]]
    return tQelThread;
  return QelInitThread(AIndex);
}

// The process-wide registry of machine slots and machine threads.
class TVMIndexes {
 public:
  static TVMIndexes& Instance();
  TQelVMId AsquireId(TQelVirtMachine* AVM);
  void ReleaseId(const TQelVMId& AId);
  TQelThread* InitThread(int AIndex);
  void MarkOpened(const TQelVMId& AId);
  void MarkClosingAndWait(const TQelVMId& AId, TQelVirtMachine* AVM);
  bool IsInactiveOrClosing(const TQelVMId& AId) const {
    return AId.Lock->FInactiveOrClosing.load(std::memory_order_acquire);
  }
  ~TVMIndexes();

 private:
  TVMIndexes() = default;
  void FreeEndedThreads();
  void CoverSlots(TQelThread* AThread, int ACount);

  std::mutex FSection;
  std::atomic<int> FClosing{0};  // closers running; ended threads are not freed meanwhile
  std::vector<TQelThread*> FThreadDatas;
  std::vector<TQelVMLock*> FLocks;
  int FNextVMId = 1;
};

// Takes the calling thread's lock on a machine for a run-time entry point ("Virtual machine
// should be active." when it fails or the slot now belongs to another machine).
class TQelRunLock {
 public:
  explicit TQelRunLock(const TQelVMId& AId);
  ~TQelRunLock() { FRecord->Unlock(); }
  TQelRunLock(const TQelRunLock&) = delete;
  TQelRunLock& operator=(const TQelRunLock&) = delete;
  TQelThread* Thread() const { return FThread; }

 private:
  TQelThread* FThread;
  TQelThreadVM* FRecord;
};

// The time-out's clock: one thread per machine that has run with a time-out, asleep until the
// armed run's deadline, when it stops the machine's scripts (VMLimits.cpp).
class TQelVMWatchdog {
 public:
  explicit TQelVMWatchdog(TQelVirtMachine* AVM);
  ~TQelVMWatchdog();
  // False when another thread's run holds the clock (its deadline then covers this run too).
  bool Arm(int32_t AMilliseconds);
  void Disarm();

 private:
  void Loop();
  TQelVirtMachine* FVM;
  std::mutex FSection;
  std::condition_variable FWake;
  bool FArmed = false;
  bool FStop = false;
  int32_t FLimitMs = 0;
  std::chrono::steady_clock::time_point FStart, FDeadline;
  std::thread FThread;
};

// ---------------------------------------------------------------------------------------------
// Host objects and name resolution

class TQelExternObjects {
 public:
  explicit TQelExternObjects(TQelVirtMachine* AVM) : FVM(AVM) {}
  bool Add(IDispatch* AObj, const std::u16string& AName, bool APublishMembers, bool AIsUnit);
  void Close();
  int ChangeNumber() const { return FChangeNumber.load(std::memory_order_acquire); }

  TQelVirtMachine* FVM;
  std::mutex FSection;
  TQelNameHashTable FObjects{true};
  std::vector<TQelExternObject*> FPubMrsObjs;
  std::atomic<int> FChangeNumber{0};
};

class TThreadGlobalsItem : public TQelNamedItem {
 public:
  TThreadGlobalsItem(int AName, const TQelNameSearchRes& ARes, bool ATrySearchInPubs)
      : TQelNamedItem(AName), TrySearchInPubs(ATrySearchInPubs), SearchRes(ARes) {}
  bool TrySearchInPubs;
  TQelNameSearchRes SearchRes;
};

// One thread's cache of the global names of one machine; built from the registries, used
// without any lock, rebuilt when the host-object registry's change number moves.
class TQelThreadGlobals {
 public:
  explicit TQelThreadGlobals(TQelThreadVM* AOwner) : FThreadVM(AOwner) {}
  TQelNameSearchRes Search(TQelVirtMachine* AVM, int AName, const std::u16string* AStrName);
  TQelProcObject* FindProcByStrName(TQelVirtMachine* AVM, const std::u16string& AStrName);
  TQelGlobalValuedObject* FindValObjByStrName(TQelVirtMachine* AVM,
                                              const std::u16string& AStrName);
  void Clear();

 private:
  void Rebuild(TQelVirtMachine* AVM);
  void EnsureBuilt(TQelVirtMachine* AVM) {
    if (FChangeNumber != AVM->ExternObjects().ChangeNumber()) Rebuild(AVM);
  }
  TQelGlobalObject* FindByStrName(TQelVirtMachine* AVM, const std::u16string& AStrName);
  bool SearchPubs(int AName, const std::u16string* AStrName, bool ASkipUnits,
                  TQelNameSearchRes& ARes);

  TQelThreadVM* FThreadVM;
  TQelNameHashTable FItems{true};
  TQelIdentifierHashTable FProcsCache{true};
  TQelIdentifierHashTable FValObjCache{true};
  std::vector<TQelExternObject*> FPubMrsExterns;
  int FChangeNumber = -1;
};

class TGlobalObjectsNamespace : public TQelAbstractNamespace {
 public:
  explicit TGlobalObjectsNamespace(TQelVirtMachine* AVM) : FVM(AVM) {}
  TQelNameSearchRes Find(TQelThread* AThread, int AName, const std::u16string* AStrName) override;
  void EnumDebugVars(bool ALocalsOnly, const TQelNamespaceEnumVarsProc& AProc) override;

  TQelVirtMachine* FVM;
};

// ---------------------------------------------------------------------------------------------
// The code object: the script as an automation object.

class TQelCodeObject : public IDispatch {
 public:
  explicit TQelCodeObject(TQelVirtMachine* AVM);
  virtual ~TQelCodeObject();

  HRESULT QueryInterface(REFIID riid, void** ppvObject) override;
  ULONG AddRef() override;
  ULONG Release() override;
  HRESULT GetTypeInfoCount(UINT* pctinfo) override;
  HRESULT GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) override;
  HRESULT GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid,
                        DISPID* rgDispId) override;
  HRESULT Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags,
                 DISPPARAMS* pDispParams, VARIANT* pVarResult, EXCEPINFO* pExcepInfo,
                 UINT* puArgErr) override;

  // After the machine's Close the object answers as inactive.
  void Detach() { FDetached.store(true, std::memory_order_release); }

  // Inside view: called by the machine directly.
  DISPID GetIdOfName(int AName) const;
  void InvokeMember(DISPID ADispId, TQelBracketType ABracketType, uintptr_t AResMask,
                    int AArgCount, VARIANT* AArgs, VARIANT* AResult);
  void InvokePropPut(DISPID ADispId, TQelBracketType ABracketType, int AArgCount,
                     VARIANT* AArgs, VARIANT* AValue);

 private:
  // Takes the calling thread's lock on the machine ("Virtual machine should be active.").
  TQelThread* LockMachine(std::optional<TQelRunLock>& ALock);
  TQelDispIdObject* Member(DISPID ADispId) const;  // nil outside 1..FMaxDispId
  HRESULT DoInvoke(TQelThread* T, TQelDispIdObject* AMember, WORD AFlags, DISPPARAMS* AParams,
                   VARIANT* AResult);

  std::atomic<ULONG> FRefCount{1};
  std::atomic<bool> FDetached{false};
  TQelVirtMachine* FVM;
  TQelVMId FId;
  TQelIdentifierHashTable FIdsByStrName{true};
  std::vector<std::pair<int, DISPID>> FIdsByName;  // name id -> dispatch id, sorted by name id
  int FMaxDispId = 0;
};

// The code object behind a dispatch pointer, when it is one of this process.
TQelCodeObject* QelAsCodeObject(IDispatch* AObj);

// ---------------------------------------------------------------------------------------------
// Calls (used by the interpreter loop and the code object)

// Invokes member ADispId of an outside dispatch object with the call's arguments (directly
// when the object has the direct interface). AValue: a put's value, else nil; AResult: where
// the result goes, nil when it is not wanted.
void QelDispInvoke(IDispatch* AObj, DISPID ADispId, WORD AFlags, VARIANT* AArgs, int AArgCount,
                   VARIANT* AValue, VARIANT* AResult);
// The same through an object's direct interface, known to the caller; and with a member the
// object prepared for the call's shape.
struct IQelDirectDispatch;
struct TQelDirectMember;
void QelDirectInvoke(IQelDirectDispatch* ADirect, DISPID ADispId, WORD AFlags, VARIANT* AArgs,
                     int AArgCount, VARIANT* AValue, VARIANT* AResult);
void QelPreparedInvoke(IQelDirectDispatch* ADirect, const TQelDirectMember* AMember, WORD AFlags,
                       VARIANT* AArgs, int AArgCount, VARIANT* AValue, VARIANT* AResult);
DISPID QelDispIdOfName(IDispatch* AObj, const std::u16string& AName);
// Applies brackets / indexes to a value (array element or default member); result into AResult.
void QelIndexValue(VARIANT* AValue, VARIANT* AArgs, int AArgCount, VARIANT* AResult);
// Indexed store into a value.
void QelIndexStore(VARIANT* AValue, VARIANT* AArgs, int AArgCount, VARIANT* ANewValue);
void QelArrayCreate(const TQelArray* AArray, VARIANT* ABounds, VARIANT* AResult);
void QelArrayRedim(const TQelArrayRedim* ARedim, VARIANT* ABounds, VARIANT* AVariable);
