// Breakpoints as patched instructions: the breakpoint list, the walk that places step
// breakpoints on the next lines control can reach, and the machine's line breakpoints.
#include <algorithm>
#include <unordered_set>

#include "engine/vm/QelVMDebugInternal.h"

namespace {

// Other threads may be fetching the code being patched: a thread that read the old code runs
// the instruction normally, one that reads icBreak asks the list (which copes with a breakpoint
// removed meanwhile). The single byte is written whole.
void PatchCode(PQelInstr AInstr, uint8_t ACode) {
  __atomic_store_n(&AInstr->Code, ACode, __ATOMIC_RELEASE);
}

bool ThreadListed(const TQelVMBreakpoint& ABp, TQelThread* AThread) {
  return std::find(ABp.Threads.begin(), ABp.Threads.end(), AThread) != ABp.Threads.end();
}

}  // namespace

int QelFrameLine(const TQelCallStackFrame& AFrame) {
  return QelFrameSource(AFrame).PosToLine(AFrame.IP->SourcePos());
}

TQelVMBreakpoint& TQelVMBreakpoints::Mark(PQelInstr AInstr) {
  std::unique_ptr<TQelVMBreakpoint>& item = FItems[AInstr];
  if (!item) {
    item = std::make_unique<TQelVMBreakpoint>();
    item->Instr = AInstr;
    item->Origin = AInstr->Code;
    PatchCode(AInstr, icBreak);
  }
  return *item;
}

void TQelVMBreakpoints::DropIfUnused(PQelInstr AInstr) {
  auto it = FItems.find(AInstr);
  if (it == FItems.end() || it->second->IsUser || !it->second->Threads.empty()) return;
  PatchCode(AInstr, it->second->Origin);
  FItems.erase(it);
}

uint8_t TQelVMBreakpoints::OriginLocked(PQelInstr AInstr) const {
  auto it = FItems.find(AInstr);
  return it == FItems.end() ? AInstr->Code : it->second->Origin;
}

uint8_t TQelVMBreakpoints::OriginOf(PQelInstr AInstr) {
  std::lock_guard<std::recursive_mutex> guard(FSection);
  return OriginLocked(AInstr);
}

bool TQelVMBreakpoints::HasUserBP(PQelInstr AInstr) {
  std::lock_guard<std::recursive_mutex> guard(FSection);
  auto it = FItems.find(AInstr);
  return it != FItems.end() && it->second->IsUser;
}

void TQelVMBreakpoints::SetUserBP(PQelInstr AInstr) {
  std::lock_guard<std::recursive_mutex> guard(FSection);
  Mark(AInstr).IsUser = true;
}

void TQelVMBreakpoints::RemoveUserBP(PQelInstr AInstr) {
  std::lock_guard<std::recursive_mutex> guard(FSection);
  auto it = FItems.find(AInstr);
  if (it == FItems.end()) return;
  it->second->IsUser = false;
  DropIfUnused(AInstr);
}

TQelVMGetBPInfoResult TQelVMBreakpoints::GetInfo(TQelThread* AThread, TQelCallStackFrame& AFrame,
                                                 void* AStepBase, TQelVMBreakKind& AKind) {
  std::lock_guard<std::recursive_mutex> guard(FSection);
  AKind = vbkBreakpoint;
  const PQelInstr ip = AFrame.IP;
  TQelVMDebugger* debugger = FVM->FDebugger;
  auto it = FItems.find(ip);
  if (it == FItems.end()) {
    if (ip->Code == icBreak) return bpirNoBPInfo;
    if (debugger && debugger->TakeCausingBreak()) {
      AKind = vbkCausedBreak;
      return bpirCausedBreak;
    }
    return bpirBPRemoved;
  }
  const TQelVMBreakpoint& bp = *it->second;
  // The displaced instruction runs from the scratch area, then jumps back. Its borrowing note
  // is dropped: the lent reference is for a call at a fixed distance in the real code.
  TQelInstr* scratch = AFrame.BreakScratch;
  scratch[0] = *ip;
  scratch[0].Code = bp.Origin;
  scratch[0].Hint = 0;
  scratch[1] = scratch[0];
  scratch[1].Code = icBreakpointJmp;
  scratch[1].SourceInfo &= QelSourcePosMask;
  scratch[1].Data = reinterpret_cast<intptr_t>(ip + 1);
  scratch[2] = scratch[3] = TQelInstr{};
  const bool stepping = ThreadListed(bp, AThread);
  if (stepping) AKind = vbkStep;
  if (bp.IsUser || (stepping && QelTakesPartInStepping(AStepBase, AFrame))) return bpirOk;
  // A pause request met on a breakpoint that lets this thread through is served here, or the
  // trap it caused would be spent without stopping.
  if (debugger && debugger->TakeCausingBreak()) {
    AKind = vbkCausedBreak;
    return bpirOk;
  }
  return bpirGoThrough;
}

// From AStart, walks every path forward; each path ends at the first breakable instruction of
// another line (or of any line when the start line is not skipped), which gets a step mark.
void TQelVMBreakpoints::PlaceFrom(TQelThread* AThread, const TQelVMSource& ASource,
                                  PQelInstr AStart, bool ASkipStartLine) {
  const int startLine = ASource.PosToLine(AStart->SourcePos());
  std::vector<PQelInstr> work{AStart};
  std::unordered_set<PQelInstr> seen{AStart};
  auto add = [&](PQelInstr AInstr) {
    if (AInstr && seen.insert(AInstr).second) work.push_back(AInstr);
  };
  while (!work.empty()) {
    const PQelInstr entry = work.back();
    work.pop_back();
    for (PQelInstr ip = entry;; ++ip) {
      if (ip != entry && !seen.insert(ip).second) break;
      TQelInstr instr = *ip;
      instr.Code = OriginLocked(ip);
      const TQelInstrInfo* info = QelInstrInfoOf(instr.Code);
      QEL_VM_ASSERT(info != nullptr);
      bool ends = info->Has(ifEnd);
      if (instr.Code == icBreakpointJmp) {
        add(instr.Ptr<TQelInstr>());
        ends = true;
      } else if (instr.Code == icFinallyRet) {
        const TQelTry* block = instr.Ptr<TQelTry>();
        for (int i = 0; i < block->KnownFinallyRetCount(); ++i)
          add(block->KnownFinallyRets(i)->FTarget);
      } else {
        if (info->Has(ifJump)) add(QelJumpLabel(instr)->FTarget);
        if (info->Has(ifControl)) {
          const TQelCall* call = instr.Ptr<TQelCall>();
          for (const TQelLabel* label : {call->FExitLabel, call->FBreakLabel, call->FContinueLabel})
            if (label) add(label->FTarget);
        }
      }
      if (ip->IsBreakable() &&
          (!ASkipStartLine || ASource.PosToLine(ip->SourcePos()) != startLine)) {
        if (instr.Code != icCallFinally && instr.Code != icFinallyRet) {
          TQelVMBreakpoint& bp = Mark(ip);
          if (!ThreadListed(bp, AThread)) bp.Threads.push_back(AThread);
        }
        break;
      }
      if (ends) break;
    }
  }
}

void TQelVMBreakpoints::SetStepBPs(TQelThread* AThread, void*& AStepBase,
                                   TQelCallStackFrame* ACurFrame, PQelInstr AStartFrom,
                                   bool ASkipStartLine) {
  std::lock_guard<std::recursive_mutex> guard(FSection);
  PlaceFrom(AThread, QelFrameSource(*ACurFrame), AStartFrom, ASkipStartLine);
  AStepBase = ACurFrame;
}

void TQelVMBreakpoints::SetExcStepBPs(TQelThread* AThread, void*& AStepBase,
                                      TQelCallStackFrame* ACurFrame, const TQelTry* AHandler) {
  std::lock_guard<std::recursive_mutex> guard(FSection);
  for (const TQelTry* block = AHandler; block; block = block->FParent)
    if (block->FHandlerLabel && block->FHandlerLabel->FTarget)
      PlaceFrom(AThread, QelFrameSource(*ACurFrame), block->FHandlerLabel->FTarget, false);
  AStepBase = ACurFrame;
}

void TQelVMBreakpoints::RemoveStepBps(TQelThread* AThread, void*& AStepBase) {
  std::lock_guard<std::recursive_mutex> guard(FSection);
  std::vector<PQelInstr> emptied;
  for (auto& [instr, bp] : FItems) {
    auto it = std::find(bp->Threads.begin(), bp->Threads.end(), AThread);
    if (it == bp->Threads.end()) continue;
    bp->Threads.erase(it);
    emptied.push_back(instr);
  }
  for (PQelInstr instr : emptied) DropIfUnused(instr);
  AStepBase = nullptr;
}

void TQelVMBreakpoints::ForgetRange(PQelInstr AFirst, PQelInstr ALast) {
  std::lock_guard<std::recursive_mutex> guard(FSection);
  std::erase_if(FItems, [&](const auto& AItem) {
    return std::less_equal<PQelInstr>()(AFirst, AItem.first) &&
           std::less<PQelInstr>()(AItem.first, ALast);
  });
}

void TQelVMBreakpoints::Clear() {
  std::lock_guard<std::recursive_mutex> guard(FSection);
  for (auto& [instr, bp] : FItems) PatchCode(instr, bp->Origin);
  FItems.clear();
}

// ---------------------------------------------------------------------------------------------
// Line breakpoints

PQelInstr TQelVirtMachine::FindBreakInstr(int ALine) {
  int pos, length;
  FSource.LineToPos(ALine, pos, length);
  if (pos < 0) return nullptr;
  // The finally subroutine's call and return are never stopped on: a displaced copy of them
  // would return into the scratch area.
  auto usable = [&](PQelInstr AInstr) {
    if (!AInstr) return false;
    uint8_t code = FBreakpoints->OriginOf(AInstr);
    return code != icCallFinally && code != icFinallyRet;
  };
  if (FGlobalByteCode) {
    PQelInstr instr = FGlobalByteCode->GetFirstBreakInstr(pos, length);
    if (usable(instr)) return instr;
  }
  for (TQelProcObject* proc : FProcedures) {
    PQelInstr instr = proc->FByteCode.GetFirstBreakInstr(pos, length);
    if (usable(instr)) return instr;
  }
  return nullptr;
}

bool TQelVirtMachine::SetBreakpoint(int ALine) {
  std::lock_guard<std::recursive_mutex> guard(FSection);
  RequireInitialized();
  PQelInstr instr = FindBreakInstr(ALine);
  if (!instr) return false;
  FBreakpoints->SetUserBP(instr);
  return true;
}

void TQelVirtMachine::RemoveBreakpoint(int ALine) {
  std::lock_guard<std::recursive_mutex> guard(FSection);
  RequireInitialized();
  if (PQelInstr instr = FindBreakInstr(ALine)) FBreakpoints->RemoveUserBP(instr);
}
