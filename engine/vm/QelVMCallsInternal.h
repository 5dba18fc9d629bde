// The call instructions of the interpreter loop (VMCalls.cpp).
#pragma once

#include "engine/vm/QelVMInternal.h"

// What the interpreter needs to hand a call: the machine, the thread, the frame, where the
// operand stack is empty and the activation's result slot.
struct TQelCallEnv {
  TQelVirtMachine* VM;
  TQelThread* T;
  TQelCallStackFrame* F;
  VARIANT* LocalsEnd;
  VARIANT* Result;
  PQelInstr JumpTo = nullptr;  // target of a break/continue/exit transfer
};

// Each returns the new top: the call's result slot, or the slot below the popped operands for
// assignments. (Returning it keeps the interpreter's top in a register.) A global call that
// transfers control returns nil: AEnv.JumpTo is then the target, or nil to leave the activation.
// ABorrowed: the object slot refers to a variable that keeps the object alive through the call.
VARIANT* QelMemberCall(TQelCallEnv& AEnv, const TQelCall* C, VARIANT* ATop, bool ABorrowed = false);
VARIANT* QelUnnamedCall(const TQelCall* C, VARIANT* ATop);
VARIANT* QelNewCall(TQelCallEnv& AEnv, const TQelCall* C, VARIANT* ATop);
VARIANT* QelAssignMemberCall(TQelCallEnv& AEnv, const TQelCall* C, VARIANT* ATop,
                             bool ABorrowed = false);
VARIANT* QelAssignUnnamedCall(const TQelCall* C, VARIANT* ATop);
// icPushArgRef: a reference by the parameter's kind (a by-value parameter is materialised).
void QelPushArgRef(VARIANT* AArgs, TQelParamInfo AParam, VARIANT* ADst);

// TQelCall::FResolved, above two tag bits: a procedure's address (tag 0), a local slot (tag 1),
// a parameter (tag 2), or an intrinsic (tag 3) as its position in the machine's list in the low
// half and the host-object change number it was found under in the high half: a host object
// added later may hide an intrinsic, never a script global. Written by VMCalls.cpp.
enum : uintptr_t { rtProc = 0, rtLocal = 1, rtParam = 2, rtIntrinsic = 3, rtMask = 3 };
static_assert(sizeof(uintptr_t) == 8, "intrinsic entries pack two 32-bit halves");

// A remembered intrinsic, or nil when host objects have changed since (one may hide it now).
QEL_VM_INLINE TQelGlobalObject* QelRememberedIntrinsic(TQelVirtMachine* AVM, uintptr_t ACode) {
  if (uint32_t(ACode >> 32) != uint32_t(AVM->ExternObjects().ChangeNumber())) return nullptr;
  return AVM->IntrinsicList()[size_t(uint32_t(ACode) >> 2)];
}

// The global calls and stores past the fronts below (VMCalls.cpp).
VARIANT* QelCallRememberedProc(TQelCallEnv& AEnv, const TQelCall* C, VARIANT* ATop,
                               uintptr_t ARemembered);
VARIANT* QelGlobCallRest(TQelCallEnv& AEnv, const TQelCall* C, VARIANT* ATop, bool AIsRef);
void QelAssignGlobCallRest(TQelCallEnv& AEnv, const TQelCall* C, VARIANT* ATop);

// Brackets that index a variable: Pascal's [] and VB's (), which call or index by what the name
// is, and a local variable can only be indexed.
QEL_VM_INLINE bool QelIndexesLocal(TQelBracketType ABracket) {
  return ABracket == bkBlock || ABracket == bkVbRound;
}

// The interpreter's own steps for the commonest global calls: an element of a local array and a
// fixed constant (True, False...) need no call, a script procedure one.
QEL_VM_INLINE VARIANT* QelGlobCall(TQelCallEnv& AEnv, const TQelCall* C, VARIANT* ATop,
                                   bool AIsRef) {
  if (!QelFastPaths) return QelGlobCallRest(AEnv, C, ATop, AIsRef);
  const uintptr_t remembered = C->FResolved.load(std::memory_order_acquire);
  if ((remembered & rtMask) == rtProc && remembered)
    return QelCallRememberedProc(AEnv, C, ATop, remembered);
  VARIANT* resSlot = ATop - C->FResOffset;
  if ((remembered & rtMask) == rtLocal && QelIndexesLocal(C->FBracketType)) {
    QelIndexValue(AEnv.F->Stack + (uint32_t(remembered) >> 2), ATop - C->FArgsOffset,
                  C->FArgCount, resSlot);
    return resSlot;
  }
  if ((remembered & rtMask) == rtIntrinsic && C->FBracketType == bkNon) {
    auto* intrinsic = static_cast<TIntrinsic*>(QelRememberedIntrinsic(AEnv.VM, remembered));
    if (const VARIANT* fixed = intrinsic ? intrinsic->FixedValue() : nullptr) {
      QelClear(resSlot);
      QelAssignBits(resSlot, fixed);
      return resSlot;
    }
  }
  return QelGlobCallRest(AEnv, C, ATop, AIsRef);
}

// An element of a local array; every other target out of line.
QEL_VM_INLINE VARIANT* QelAssignGlobCall(TQelCallEnv& AEnv, const TQelCall* C, VARIANT* ATop) {
  const uintptr_t remembered = C->FResolved.load(std::memory_order_acquire);
  if (QelFastPaths && (remembered & rtMask) == rtLocal && QelIndexesLocal(C->FBracketType))
    QelIndexStore(AEnv.F->Stack + (uint32_t(remembered) >> 2), ATop - C->FArgsOffset,
                  C->FArgCount, ATop);
  else
    QelAssignGlobCallRest(AEnv, C, ATop);
  return ATop - (C->FArgCount + 1);
}
