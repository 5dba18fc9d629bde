// TQelByteCode::EndEmit's analyses: label resolution with jump-chain shortening, the
// operand-stack depth of an activation (so each activation takes one block of slots), and the
// pushes whose object a member call may borrow.
#include <algorithm>
#include <limits>
#include <unordered_set>

#include "engine/vm/QelSctVMByteCode.h"
#include "engine/vm/QelVMAssert.h"
#include "engine/vm/QelVMInternal.h"

const TQelLabel* QelJumpLabel(const TQelInstr& AInstr) {
  switch (QelInstrInfoOf(AInstr.Code)->Operand) {
    case okLabel: return AInstr.Ptr<TQelLabel>();
    case okFor: return AInstr.Ptr<TQelFor>()->FJmpLabel;
    case okExcJump: return AInstr.Ptr<TQelExcJump>()->FLabel;
    case okTry: return AInstr.Ptr<TQelTry>()->FFinallyLabel;
    default: QelVMAssertFailed(__FILE__, __LINE__, "jump without a label operand");
  }
}

// The rows marked Var: the operand says how many slots go.
int QelStackEffect(const TQelInstr& AInstr) {
  const TQelInstrInfo* info = QelInstrInfoOf(AInstr.Code);
  QEL_VM_ASSERT(info != nullptr);
  if (info->Pops != QelStackVar) return info->Pushes - info->Pops;
  switch (AInstr.Code) {
    case icPush: return int(AInstr.Data);
    case icGlobCall: case icMemberCall: case icUnnamedCall: case icGlobCallRef:
    case icMemberCallRef: case icUnnamedCallRef: case icNewUnnamedCall:
      return -AInstr.Ptr<TQelCall>()->FResOffset;  // the result slot becomes the top
    case icAssignGlobCall: return -(AInstr.Ptr<TQelCall>()->FArgCount + 1);
    case icAssignMemberCall: case icAssignUnnamedCall:
      return -(AInstr.Ptr<TQelCall>()->FArgCount + 2);
    case icArrayCreate: return -(2 * AInstr.Ptr<TQelArray>()->FDimCount - 1);
    case icArrayRedimLValue: return -(2 * AInstr.Ptr<TQelArray>()->FDimCount + 1);
    case icArrayRedimLocal: return -(2 * AInstr.Ptr<TQelArray>()->FDimCount);
    default: QelVMAssertFailed(__FILE__, __LINE__, "a Var row without its stack effect");
  }
}

namespace {

// The operand-stack depth analysis: a work list of (instruction, depth) entry points. Every
// instruction remembers the deepest stack it was reached with, and a walk stops where it
// arrives no deeper than before, so each instruction is walked again only when its depth
// grows: near-linear in the code's length, whatever the number of jumps.
class TStackAnalysis {
 public:
  TStackAnalysis(const TQelInstr* ACode, int ACount) : FCode(ACode), FCount(ACount), FDepthAt(size_t(ACount), std::numeric_limits<int>::min()) {}

  void Register(const TQelLabel* ALabel, int ADepth) {
    QEL_VM_ASSERT(ALabel != nullptr && ALabel->FTargetIndex >= 0);
    Register(ALabel->FTargetIndex, ADepth);
  }

  void Register(int AIndex, int ADepth) {
    QEL_VM_ASSERT(AIndex >= 0 && AIndex < FCount);
    if (FDepthAt[size_t(AIndex)] < ADepth) FWork.push_back({AIndex, ADepth});
  }

  int Run() {
    while (!FWork.empty()) {
      const TEntry entry = FWork.back();
      FWork.pop_back();
      Walk(entry.FInstr, entry.FDepth);
    }
    return FMax;
  }

 private:
  struct TEntry {
    int FInstr;
    int FDepth;
  };

  void Walk(int AIndex, int ADepth) {
    for (int i = AIndex;; ++i) {
      QEL_VM_ASSERT(i < FCount);
      if (FDepthAt[size_t(i)] >= ADepth) return;  // walked from here already, as deep or deeper
      FDepthAt[size_t(i)] = ADepth;
      if (!Step(FCode[i], i, ADepth)) return;
      FMax = std::max(FMax, ADepth);
    }
  }

  void RegisterControlLabels(const TQelCall* ACall) {
    // break/continue/exit reset the operand stack before jumping
    for (const TQelLabel* label : {ACall->FBreakLabel, ACall->FContinueLabel, ACall->FExitLabel})
      if (label && label->FTargetIndex >= 0) Register(label, 0);
  }

  // Applies one instruction to the running depth; false when the walk ends here.
  bool Step(const TQelInstr& AInstr, int AIndex, int& ADepth) {
    const TQelInstrInfo* info = QelInstrInfoOf(AInstr.Code);
    QEL_VM_ASSERT(info != nullptr);
    QEL_VM_ASSERT(!info->Has(ifTrap) && "break instruction in code being finished");
    if (info->Has(ifControl)) RegisterControlLabels(AInstr.Ptr<TQelCall>());
    if (info->Has(ifJump)) Register(QelJumpLabel(AInstr), ADepth - info->JumpPops);
    if (info->Has(ifResume)) Register(AIndex + 1, ADepth);
    if (info->Has(ifEnd)) return false;
    ADepth += QelStackEffect(AInstr);
    return true;
  }

  const TQelInstr* FCode;
  int FCount;
  std::vector<int> FDepthAt;  // the deepest entry seen per instruction (lowest int: not reached)
  std::vector<TEntry> FWork;
  int FMax = 0;
};

// The distance from a push of local variable AAt to the member call whose object it is, when
// only plain pushes come between (they can neither jump nor write the variable: a reference to
// it is not plain here); 0 otherwise.
int BorrowingCallDistance(const TQelInstr* ACode, int ACount, int AAt) {
  constexpr int MaxPushes = 6;
  const intptr_t variable = ACode[AAt].Data;
  int pushed = 0;
  for (int at = AAt + 1; at < ACount && pushed <= MaxPushes; ++at) {
    const TQelInstr& instr = ACode[at];
    switch (instr.Code) {
      case icPushLocalVarRef:
        if (instr.Data == variable) return 0;
        [[fallthrough]];
      case icPushLiteral: case icPushLocalConst: case icPushLocalVar: case icPushArg:
      case icPushArgRef: case icPush0: case icPushUnassigned:
        ++pushed;
        continue;
      case icMemberCall: case icAssignMemberCall:
        return instr.Ptr<TQelCall>()->FObjectOffset == pushed ? at - AAt : 0;
      default:
        return 0;
    }
  }
  return 0;
}

}  // namespace

// An object in a local variable that is the target of a member call (x.Add(1), x.Items[i] := v)
// can be pushed as a reference to the variable instead of a counted copy: the call borrows the
// variable's own reference, which nothing can drop before the call returns. The push notes the
// distance to the call in its Hint.
void TQelByteCode::MarkBorrowingPushes() {
  if (!QelFastPaths) return;
  for (int i = 0; i < FCount; ++i)
    if (FCode[size_t(i)].Code == icPushLocalVar)
      FCode[size_t(i)].Hint = uint16_t(BorrowingCallDistance(FCode.get(), FCount, i));
}

void TQelByteCode::ResolveLabels() {
  std::vector<TQelLabel*> labels;
  for (auto& item : FItems)
    if (auto* label = dynamic_cast<TQelLabel*>(item.get())) labels.push_back(label);

  // Shorten jump chains in index space, then turn indexes into pointers.
  std::unordered_set<int> visited;
  for (TQelLabel* label : labels) {
    visited.clear();
    int target = label->FTargetIndex;
    while (target >= 0 && target < FCount && FCode[size_t(target)].Code == icJump) {
      if (!visited.insert(target).second) break;
      int next = FCode[size_t(target)].Ptr<TQelLabel>()->FTargetIndex;
      if (next < 0 || visited.count(next)) break;
      target = next;
    }
    label->FTargetIndex = target;
  }
  for (TQelLabel* label : labels)
    label->FTarget = (label->FTargetIndex >= 0 && label->FTargetIndex < FCount)
                         ? &FCode[size_t(label->FTargetIndex)]
                         : nullptr;
}

void TQelByteCode::ComputeStackSize() {
  if (FCount == 0) {
    FStackSize = 0;
    FStackLocalsOffset = 0;
    return;
  }
  TStackAnalysis analysis(FCode.get(), FCount);
  analysis.Register(0, 0);
  for (auto& item : FItems)
    if (auto* block = dynamic_cast<TQelTry*>(item.get()); block && block->FHandlerLabel)
      analysis.Register(block->FHandlerLabel, 0);
  FStackSize = analysis.Run() + FLocalVarCount;
  FStackLocalsOffset = FLocalVarCount - 1;
}
