// The machine's breakpoint list: one object per patched instruction, user marks and per-thread
// step marks, and the walk that places step breakpoints. Private to engine/vm.
#pragma once

#include <memory>
#include <mutex>
#include <unordered_map>
#include <vector>

#include "engine/vm/QelVMDebug.h"
#include "engine/vm/QelVMInternal.h"

// The stepping base of a (thread, machine) record (TQelThreadVM::FSteppingBase): nil when no
// frame takes part in stepping, QelStepAllFrames when every frame does, else the activation
// whose depth and shallower take part.
inline void* const QelStepAllFrames = reinterpret_cast<void*>(uintptr_t(1));

inline bool QelTakesPartInStepping(const void* ABase, const TQelCallStackFrame& AFrame) {
  if (ABase == QelStepAllFrames) return true;
  return ABase && AFrame.Depth <= static_cast<const TQelCallStackFrame*>(ABase)->Depth;
}

struct TQelVMBreakpoint {
  bool IsUser = false;
  std::vector<TQelThread*> Threads;  // threads for which this is a step breakpoint
  PQelInstr Instr = nullptr;
  uint8_t Origin = 0;                // the instruction's own code
};

class TQelVMBreakpoints {
 public:
  explicit TQelVMBreakpoints(TQelVirtMachine* AVM) : FVM(AVM) {}
  ~TQelVMBreakpoints() { Clear(); }

  void SetUserBP(PQelInstr AInstr);
  void RemoveUserBP(PQelInstr AInstr);
  // Fills AFrame's scratch area when the instruction carries a breakpoint (see Trap).
  TQelVMGetBPInfoResult GetInfo(TQelThread* AThread, TQelCallStackFrame& AFrame, void* AStepBase,
                                TQelVMBreakKind& AKind);
  void SetStepBPs(TQelThread* AThread, void*& AStepBase, TQelCallStackFrame* ACurFrame,
                  PQelInstr AStartFrom, bool ASkipStartLine);
  void SetExcStepBPs(TQelThread* AThread, void*& AStepBase, TQelCallStackFrame* ACurFrame,
                     const TQelTry* AHandler);
  void RemoveStepBps(TQelThread* AThread, void*& AStepBase);
  // Drops every breakpoint inside [AFirst, ALast) without writing the codes back: the code is
  // going away (a prepared expression freed while a thread still had step marks in it).
  void ForgetRange(PQelInstr AFirst, PQelInstr ALast);
  // Writes every saved code back and frees the objects.
  void Clear();
  // The code the instruction runs: its own, or the saved one when it carries a breakpoint.
  uint8_t OriginOf(PQelInstr AInstr);
  bool HasUserBP(PQelInstr AInstr);

 private:
  TQelVMBreakpoint& Mark(PQelInstr AInstr);
  void DropIfUnused(PQelInstr AInstr);
  uint8_t OriginLocked(PQelInstr AInstr) const;
  void PlaceFrom(TQelThread* AThread, const TQelVMSource& ASource, PQelInstr AStart,
                 bool ASkipStartLine);

  TQelVirtMachine* FVM;
  std::recursive_mutex FSection;
  std::unordered_map<PQelInstr, std::unique_ptr<TQelVMBreakpoint>> FItems;
};

// The source a frame's positions refer to.
inline const TQelVMSource& QelFrameSource(const TQelCallStackFrame& AFrame) {
  return AFrame.Ctx->Source ? *AFrame.Ctx->Source : AFrame.VM->Source();
}
int QelFrameLine(const TQelCallStackFrame& AFrame);
