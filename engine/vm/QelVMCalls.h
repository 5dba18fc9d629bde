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
VARIANT* QelGlobCall(TQelCallEnv& AEnv, const TQelCall* C, VARIANT* ATop, bool AIsRef);
// ABorrowed: the object slot refers to a variable that keeps the object alive through the call.
VARIANT* QelMemberCall(TQelCallEnv& AEnv, const TQelCall* C, VARIANT* ATop, bool ABorrowed = false);
VARIANT* QelUnnamedCall(const TQelCall* C, VARIANT* ATop);
VARIANT* QelNewCall(TQelCallEnv& AEnv, const TQelCall* C, VARIANT* ATop);
VARIANT* QelAssignGlobCall(TQelCallEnv& AEnv, const TQelCall* C, VARIANT* ATop);
VARIANT* QelAssignMemberCall(TQelCallEnv& AEnv, const TQelCall* C, VARIANT* ATop,
                             bool ABorrowed = false);
VARIANT* QelAssignUnnamedCall(const TQelCall* C, VARIANT* ATop);
// icPushArgRef: a reference by the parameter's kind (a by-value parameter is materialised).
void QelPushArgRef(VARIANT* AArgs, TQelParamInfo AParam, VARIANT* ADst);
