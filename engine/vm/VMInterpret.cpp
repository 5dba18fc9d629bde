// The interpreter loop: one activation of one code object on the calling thread.
//
// The dispatched operation is the stored code ANDed with the terminate flag's low byte, so an
// abort or pause request turns every instruction into icBreak without a per-instruction test.
// Integer operators on VT_I4 operands are computed inline; everything else goes through the
// operator routines (VMOperators.cpp) and the call routines (VMCalls.cpp).
#include "engine/vm/QelVMCallsInternal.h"
#include "engine/vm/QelVMInternal.h"

namespace {

// Exception states live in two local slots typed as integers (clearing them touches nothing):
// slot 0 holds the protected block's index (wReserved1) and the held exception handle,
// slot 1 the previous state of the chain.
ExceptionPtr* StateException(VARIANT* AState) {
  QEL_VM_ASSERT(AState->vt == VT_I8 && AState->llVal != 0);
  return reinterpret_cast<ExceptionPtr*>(AState->llVal);
}
VARIANT* StatePrev(VARIANT* AState) { return reinterpret_cast<VARIANT*>(AState[1].llVal); }

void FreeState(VARIANT* AState) {
  if (AState[0].vt == VT_I8) delete reinterpret_cast<ExceptionPtr*>(AState[0].llVal);
  AState[0].vt = VT_EMPTY;
  AState[1].vt = VT_EMPTY;
}

void FreeStateChain(TQelCallStackFrame& AFrame) {
  for (VARIANT* state = AFrame.ExcSt; state;) {
    VARIANT* prev = StatePrev(state);
    FreeState(state);
    state = prev;
  }
  AFrame.ExcSt = nullptr;
}

bool HoldsException(const TQelCallStackFrame& AFrame, const Exception* E) {
  for (VARIANT* state = AFrame.ExcSt; state; state = StatePrev(state))
    if (StateException(state)->Get() == E) return true;
  return false;
}

QEL_VM_INLINE void StoreValue(VARIANT* ADst, VARIANT* ASrc) {
  if (ASrc->vt == VT_REFVARIANT) QelCopyInd(ADst, ASrc);
  else QelMove(ADst, ASrc);
}

QEL_VM_INLINE bool TruthOf(const VARIANT* AValue) {
  if (AValue->vt == VT_BOOL) return AValue->boolVal != 0;
  return QelToBool(AValue);
}

inline VARIANT* LoopVar(VARIANT* AStack, const TQelFor* AFor) {
  VARIANT* ref = AStack + AFor->FLoopVarRef;
  if (ref->vt != VT_REFVARIANT) EQelVMRuntime::RaiseError(retLoopVar);
  return QelDeref(ref);
}

void AddToLoopVar(VARIANT* AVar, const VARIANT* AStep) {
  if (AVar->vt == VT_I4 && AStep->vt == VT_I4) {
    int32_t sum;
    if (!__builtin_add_overflow(AVar->lVal, AStep->lVal, &sum)) {
      AVar->llVal = sum;
      return;
    }
  }
  QelBinaryOp(icPlus, AVar, AStep);
}

// A loop bound given as text counts as the number it spells: compared as text, 11 <= '10'
// holds (text sorts after every number), and `for i := 1 to '10'` would never end. The bound
// is converted once, in its own slot, to a 32-bit integer where it is one, so the loop then
// runs on the fast path.
void NumericLoopBound(VARIANT* ABound) {
  if (ABound->vt != VT_BSTR) return;
  TQelVar number;
  QelCheckVar(VariantChangeType(&number.V, ABound, 0, VT_R8));
  const double d = number.V.dblVal;
  QelClear(ABound);
  if (d >= INT32_MIN && d <= INT32_MAX && d == double(int32_t(d))) {
    ABound->vt = VT_I4;
    ABound->lVal = int32_t(d);
  } else {
    *ABound = number.V;
  }
}

inline bool LoopTest(uint8_t ACode, VARIANT* AVar, VARIANT* ALimit) {
  if (AVar->vt == VT_I4 && ALimit->vt == VT_I4)
    return ACode == icLessEqual ? AVar->lVal <= ALimit->lVal : AVar->lVal >= ALimit->lVal;
  NumericLoopBound(AVar);
  NumericLoopBound(ALimit);
  return QelCompare(ACode, AVar, ALimit);
}

// `x := x + y` on a local x, with y a literal or another local, compiles to
//   PushLocalVar x, PushLiteral y | PushLocalVar y, Plus | StrConcat, AssignLocalVar x.
// When both values are strings or both integers that add without overflow, the four run as one
// step on x's slot: a string grows in place (amortised linear for a string built piecewise)
// instead of being copied twice per step. Anything else (other kinds, a breakpoint patched into
// the sequence) runs instruction by instruction. Nothing in the sequence can raise once the
// kinds are checked, so skipping the dispatches changes no observable behaviour.
QEL_VM_INLINE bool AddToLocalInPlace(PQelInstr AIp, PQelInstr ACodeEnd, VARIANT* AStack) {
  const PQelInstr store = AIp + 3;
  if (store >= ACodeEnd || store->Code != icAssignLocalVar || store->Data != AIp->Data)
    return false;
  if (AIp[2].Code != icPlus && AIp[2].Code != icStrConcat) return false;
  const TQelInstr& load = AIp[1];
  const VARIANT* operand;
  if (load.Code == icPushLiteral) operand = load.Ptr<VARIANT>();
  else if (load.Code == icPushLocalVar && load.Data != AIp->Data) operand = AStack + load.Data;
  else return false;
  VARIANT* var = AStack + AIp->Data;
  if (var->vt == VT_I4 && operand->vt == VT_I4 && AIp[2].Code == icPlus) {
    int32_t sum;
    if (__builtin_add_overflow(var->lVal, operand->lVal, &sum)) return false;
    var->llVal = sum;
    return true;
  }
  if (var->vt != VT_BSTR || operand->vt != VT_BSTR) return false;
  return OleBstrAppend(&var->bstrVal, operand->bstrVal, SysStringLen(operand->bstrVal)) != 0;
}

QEL_VM_INLINE bool CompareInts(uint8_t ACode, int32_t a, int32_t b) {
  switch (ACode) {
    case icGreater: return a > b;
    case icGreaterEqual: return a >= b;
    case icLess: return a < b;
    case icLessEqual: return a <= b;
    case icEqual: return a == b;
    default: return a != b;
  }
}

enum TFused { fuNone, fuPushed, fuJumped };

// The value a push of a local variable or a parameter would push; nil for other instructions.
QEL_VM_INLINE const VARIANT* VariableOperand(const TQelInstr& AInstr, VARIANT* AStack,
                                             VARIANT* AArgs) {
  if (AInstr.Code == icPushLocalVar) return AStack + AInstr.Data;
  if (AInstr.Code == icPushArg) return QelDeref(AArgs + TQelParamInfo::FromData(AInstr.Data).Index);
  return nullptr;
}

// An integer value followed by an integer literal, local or parameter and an operator (n - 1,
// i + j, i * 7, j <= n then a conditional jump: the commonest operand pairs) runs as one step.
// fuPushed: the result was written to ADst and AIp moved past the operator; fuJumped: AIp is
// the jump's outcome. fuNone: no such sequence, other kinds, or an overflow the general
// operator widens.
QEL_VM_INLINE TFused FuseOperands(PQelInstr& AIp, const VARIANT* AValue, VARIANT* ADst,
                                  VARIANT* AStack, VARIANT* AArgs) {
  if (AValue->vt != VT_I4) return fuNone;
  const uint8_t op = AIp[2].Code;
  const VARIANT* second;
  if (AIp[1].Code == icPushLiteral) {
    second = AIp[1].Ptr<VARIANT>();
  } else {
    // A variable second operand is looked at only before an operator that fuses.
    constexpr uint64_t Fusable = (1ull << icPlus) | (1ull << icMinus) | (1ull << icMultiply) |
                                 (1ull << icGreater) | (1ull << icGreaterEqual) |
                                 (1ull << icLess) | (1ull << icLessEqual) | (1ull << icEqual) |
                                 (1ull << icNotEqual);
    static_assert(icMultiply < 64 && icNotEqual < 64);
    if (op >= 64 || !((Fusable >> op) & 1)) return fuNone;
    second = VariableOperand(AIp[1], AStack, AArgs);
    if (!second) return fuNone;
  }
  if (second->vt != VT_I4) return fuNone;
  const int32_t a = AValue->lVal, b = second->lVal;
  int32_t res;
  switch (op) {
    case icPlus:
      if (__builtin_add_overflow(a, b, &res)) return fuNone;
      break;
    case icMinus:
      if (__builtin_sub_overflow(a, b, &res)) return fuNone;
      break;
    case icMultiply:
      if (__builtin_mul_overflow(a, b, &res)) return fuNone;
      break;
    case icGreater: case icGreaterEqual: case icLess: case icLessEqual: case icEqual:
    case icNotEqual: {
      const uint8_t jump = AIp[3].Code;
      if (jump != icPopJmpIfFalse && jump != icPopJmpIfTrue) return fuNone;
      const bool taken = CompareInts(op, a, b) == (jump == icPopJmpIfTrue);
      AIp = taken ? static_cast<const TQelLabel*>(AIp[3].Ptr<TQelLabel>())->FTarget : AIp + 4;
      return fuJumped;
    }
    default:
      return fuNone;
  }
  QelSetI4(ADst, res);
  AIp += 3;
  return fuPushed;
}

uint32_t SetBits(int32_t ALow, int32_t AHigh) {
  if (ALow > AHigh) return 0;
  uint32_t high = AHigh == 31 ? 0xFFFFFFFFu : ((1u << (AHigh + 1)) - 1);
  return high & ~((1u << ALow) - 1);
}

int32_t SetElement(const VARIANT* AValue) {
  int32_t element = QelToInt32(AValue);
  if (element < 0 || element > 31) EQelVMRuntime::RaiseError(retViolatesBounds);
  return element;
}

}  // namespace

// The dispatch table: one label per row of the instruction set, in code order, then the
// codes no row has (never emitted; the mask below keeps every code under 128).
#define QEL_VM_DISPATCH_ROW(Name, ...) &&L_##Name,
#define QEL_VM_INVALID_8 &&L_Invalid, &&L_Invalid, &&L_Invalid, &&L_Invalid, \
                         &&L_Invalid, &&L_Invalid, &&L_Invalid, &&L_Invalid,
#define QEL_VM_DISPATCH_LABELS                                                              \
  QEL_VM_INSTRUCTION_SET(QEL_VM_DISPATCH_ROW)                                                 \
  QEL_VM_INVALID_8 QEL_VM_INVALID_8 QEL_VM_INVALID_8 QEL_VM_INVALID_8                         \
  &&L_Invalid, &&L_Invalid, &&L_Invalid, &&L_Invalid, &&L_Invalid

const void* const* QelDispatchTableForTests = nullptr;

// Runs instructions from AFrame.IP with an empty operand stack until icRet (false) or a
// control transfer that leaves the activation (also false). Exceptions propagate to Interpret.
void TQelVirtMachine::Run(TQelThread* T, TQelCallStackFrame& F, VARIANT* AResult) {
  VARIANT* const stack = F.Stack;
  VARIANT* const localsEnd = stack + F.Ctx->Code->StackLocalsOffset();
  VARIANT* const args = F.Ctx->Args;
  VARIANT* top = localsEnd;
  PQelInstr ip = F.IP;
  const PQelInstr codeEnd = F.Ctx->Code->Code() + F.Ctx->Code->Count();
  TQelCallEnv env{this, T, &F, localsEnd, AResult};
  TQelThreadVM* const record = T->VMData(FId.Index);
  PQelInstr borrowingCall = nullptr;  // the member call an object was lent to (icPushLocalVar)
  // After a call that may have run script code, stepping places its breakpoints again.
#define QEL_STEP_AFTER_CALL()                                              \
  if (record->FSteppingBase) [[unlikely]] {                                \
    F.IP = ip;                                                             \
    StepHook(T, F, seAfterCall);                                           \
  }

#define QEL_TARGET(L) (static_cast<const TQelLabel*>(L)->FTarget)
  // The instruction budget is charged where a script can repeat work: a backward jump costs
  // the instructions of the stretch it repeats (activations cost theirs in Interpret).
#define QEL_CHARGE_JUMP(FROM, TO)                                            \
  if ((TO) <= (FROM)) {                                                     \
    if ((record->FBudget -= (FROM) - (TO) + 1) < 0) [[unlikely]]            \
      BudgetSpent(record);                                                  \
  }
#define QEL_JUMP_TO(L)                              \
  do {                                              \
    const PQelInstr target_ = QEL_TARGET(L);        \
    QEL_CHARGE_JUMP(ip, target_)                    \
    ip = target_;                                   \
  } while (0)
  // Threaded dispatch: one indirect jump per instruction. The code is ANDed with the terminate
  // flag, so an abort or pause request turns every instruction into icBreak.
#define QEL_DISPATCH()                                                                    \
  goto* DispatchTable[ip->Code & uint8_t(FTerminateFlag.load(std::memory_order_relaxed)) & 0x7F]
#define QEL_NEXT() \
  do {             \
    ++ip;          \
    QEL_DISPATCH(); \
  } while (0)
  static void* const DispatchTable[] = {QEL_VM_DISPATCH_LABELS};
  static_assert(std::size(DispatchTable) == 128, "one label per 7-bit code");
  // Published once so that a test can walk every code through the table.
  [[maybe_unused]] static const bool published = (QelDispatchTableForTests = DispatchTable, true);
  // The frame's IP is written only when an exception leaves an instruction (and before calls
  // that may look at it), not at every dispatch.
  try {
    QEL_DISPATCH();
    {
      L_icBreak:
        // A breakpoint, a pause or an abort (QelVMDebug.h): the same instruction again, or a
        // breakpoint's displaced instruction from the frame's scratch area.
        F.IP = ip;
        ip = TrapBreak(T, F, ip);
        QEL_DISPATCH();
      L_icBreakpointJmp:
        ip = ip->Ptr<TQelInstr>();
        QEL_DISPATCH();
      L_icRet:
        return;
      L_icJump:
        QEL_JUMP_TO(ip->Ptr<TQelLabel>());
        QEL_DISPATCH();
      L_icPop:
        --top;
        QEL_NEXT();
      L_icPush:
        top += ip->Data;
        QEL_NEXT();
      L_icPush0:
        QelSetI4(++top, 0);
        QEL_NEXT();
      L_icPushUnassigned:
        QelClear(++top);
        QEL_NEXT();
      L_icPushLiteral:
      L_icPushLocalConst:
        QelCopy(++top, ip->Ptr<VARIANT>());
        QEL_NEXT();
      L_icPushLocalVar:
        // A push ahead of a member call (TQelByteCode::MarkBorrowingPushes) lends an object by
        // reference; it is never part of the fused sequences below.
        if (QelFastPaths && ip->Hint) {
          if (stack[ip->Data].vt == VT_DISPATCH) {
            borrowingCall = ip + ip->Hint;
            QelSetRef(++top, stack + ip->Data);
          } else {
            QelCopy(++top, stack + ip->Data);
          }
          QEL_NEXT();
        }
        if (QelFastPaths && AddToLocalInPlace(ip, codeEnd, stack)) {
          ip += 4;
          QEL_DISPATCH();
        }
        if (const PQelInstr from = ip; TFused fused = QelFastPaths
                ? FuseOperands(ip, stack + ip->Data, top + 1, stack, args) : fuNone) {
          if (fused == fuPushed) ++top;
          else QEL_CHARGE_JUMP(from + 3, ip)
          QEL_DISPATCH();
        }
        QelCopy(++top, stack + ip->Data);
        QEL_NEXT();
      L_icPushArg: {
        const VARIANT* arg = QelDeref(args + TQelParamInfo::FromData(ip->Data).Index);
        if (const PQelInstr from = ip;
            TFused fused = QelFastPaths ? FuseOperands(ip, arg, top + 1, stack, args) : fuNone) {
          if (fused == fuPushed) ++top;
          else QEL_CHARGE_JUMP(from + 3, ip)
          QEL_DISPATCH();
        }
        QelCopy(++top, arg);
        QEL_NEXT();
      }
      L_icPushResult:
        QelCopyInd(++top, AResult);
        QEL_NEXT();
      L_icPushLocalVarRef:
        QelSetRef(++top, stack + ip->Data);
        QEL_NEXT();
      L_icPushArgRef:
        QelPushArgRef(args, TQelParamInfo::FromData(ip->Data), ++top);
        QEL_NEXT();
      L_icPushResultRef:
        QelSetRef(++top, AResult);
        QEL_NEXT();

      // --- operators: the result replaces the left operand ---
      L_icPlus: L_icMinus: L_icMultiply: {
        VARIANT* l = top - 1;
        if (l->vt == VT_I4 && top->vt == VT_I4) {
          int32_t res;
          bool overflow = ip->Code == icPlus    ? __builtin_add_overflow(l->lVal, top->lVal, &res)
                          : ip->Code == icMinus ? __builtin_sub_overflow(l->lVal, top->lVal, &res)
                                                : __builtin_mul_overflow(l->lVal, top->lVal, &res);
          if (!overflow) {
            l->llVal = res;  // the whole payload: later 8-byte reads forward from this store
            --top;
            QEL_NEXT();
          }
        }
        QelBinaryOp(ip->Code, l, top);
        --top;
        QEL_NEXT();
      }
      L_icGreater: L_icGreaterEqual: L_icLess: L_icLessEqual: L_icEqual:
      L_icNotEqual: {
        VARIANT* l = top - 1;
        bool res;
        if (l->vt == VT_I4 && top->vt == VT_I4) {
          int32_t a = l->lVal, b = top->lVal;
          res = CompareInts(ip->Code, a, b);
          // A comparison feeding a conditional jump (the usual case) jumps directly; the
          // operands are plain integers, so leaving them in the popped slots releases nothing.
          const uint8_t next = ip[1].Code;
          if (QelFastPaths && (next == icPopJmpIfFalse || next == icPopJmpIfTrue)) {
            top -= 2;
            ++ip;
            if (res == (next == icPopJmpIfTrue)) QEL_JUMP_TO(ip->Ptr<TQelLabel>());
            else ++ip;
            QEL_DISPATCH();
          }
        } else {
          res = QelCompare(ip->Code, l, top);
        }
        QelSetBool(l, res);
        --top;
        QEL_NEXT();
      }
      L_icRefEqual: L_icRefNotEqual: {
        const VARIANT* l = QelDeref(top - 1);
        const VARIANT* r = QelDeref(top);
        bool res = false;
        if (l->vt == VT_DISPATCH && r->vt == VT_DISPATCH)
          res = (l->pdispVal == r->pdispVal) == (ip->Code == icRefEqual);
        QelSetBool(top - 1, res);
        --top;
        QEL_NEXT();
      }
      L_icIn: {
        uint32_t set = uint32_t(QelToInt32(top));
        int32_t element = QelToInt32(top - 1);
        QelSetBool(top - 1, ((set >> (uint32_t(element) & 31)) & 1) != 0);
        --top;
        QEL_NEXT();
      }
      L_icIs: {
        bool res = false;
        if (OnIsTest) OnIsTest(this, *QelDeref(top - 1), *QelDeref(top), res);
        QelSetBool(top - 1, res);
        --top;
        QEL_NEXT();
      }
      L_icIntDiv: L_icMod: {
        VARIANT* l = top - 1;
        // Zero and MinInt div -1 take the general path, which raises or widens.
        if (l->vt == VT_I4 && top->vt == VT_I4 && top->lVal != 0 &&
            !(top->lVal == -1 && l->lVal == INT32_MIN)) {
          l->llVal = ip->Code == icIntDiv ? l->lVal / top->lVal : l->lVal % top->lVal;
          --top;
          QEL_NEXT();
        }
        QelBinaryOp(ip->Code, l, top);
        --top;
        QEL_NEXT();
      }
      L_icStrConcat: L_icImp: L_icEqv: L_icOr: L_icXor: L_icDivide:
      L_icAnd: L_icShl: L_icShr: L_icPower:
        QelBinaryOp(ip->Code, top - 1, top);
        --top;
        QEL_NEXT();
      L_icUnaryPlus:
        QEL_NEXT();
      L_icUnaryMinus:
        if (top->vt == VT_I4 && top->lVal != INT32_MIN) top->llVal = -top->lVal;
        else QelUnaryMinus(top);
        QEL_NEXT();
      L_icUnaryNot:
        if (top->vt == VT_I4) top->llVal = ~top->lVal;
        else QelUnaryNot(top);
        QEL_NEXT();

      // --- jumps ---
      L_icJmpIfTrue: L_icJmpIfFalse:
        if (TruthOf(top) == (ip->Code == icJmpIfTrue)) {
          QEL_JUMP_TO(ip->Ptr<TQelLabel>());
          QEL_DISPATCH();
        }
        QEL_NEXT();
      L_icPopJmpIfTrue: L_icPopJmpIfFalse: {
        bool jump = TruthOf(top) == (ip->Code == icPopJmpIfTrue);
        --top;
        if (jump) {
          QEL_JUMP_TO(ip->Ptr<TQelLabel>());
          QEL_DISPATCH();
        }
        QEL_NEXT();
      }
      L_icPopJmpIfEqual: L_icPopJmpIfNotEqual: {
        bool jump = QelEqual(top - 1, top) == (ip->Code == icPopJmpIfEqual);
        top -= 2;
        if (jump) {
          QEL_JUMP_TO(ip->Ptr<TQelLabel>());
          QEL_DISPATCH();
        }
        QEL_NEXT();
      }
      L_icCaseJmpIfEqual:
        if (QelEqual(top - 1, top)) {
          top -= 2;
          ip = QEL_TARGET(ip->Ptr<TQelLabel>());
          QEL_DISPATCH();
        }
        --top;
        QEL_NEXT();
      L_icCaseJmpIfInRange:
        if (QelCompare(icGreaterEqual, top - 2, top - 1) && QelCompare(icLessEqual, top - 2, top)) {
          top -= 3;
          ip = QEL_TARGET(ip->Ptr<TQelLabel>());
          QEL_DISPATCH();
        }
        top -= 2;
        QEL_NEXT();

      // --- sets ---
      L_icAddValToSet: {
        int32_t element = SetElement(top);
        QelSetI4(top - 1, int32_t(uint32_t(QelToInt32(top - 1)) | (1u << element)));
        --top;
        QEL_NEXT();
      }
      L_icAddRangeToSet: {
        int32_t low = SetElement(top - 1), high = SetElement(top);
        QelSetI4(top - 2, int32_t(uint32_t(QelToInt32(top - 2)) | SetBits(low, high)));
        top -= 2;
        QEL_NEXT();
      }

      // --- calls ---
      L_icGlobCall: L_icGlobCallRef:
        F.IP = ip;  // callers' positions for call stacks
        top = QelGlobCall(env, ip->Ptr<TQelCall>(), top, ip->Code == icGlobCallRef);
        if (!top) [[unlikely]] {
          if (!env.JumpTo) return;  // exit out of the code object
          top = localsEnd;
          ip = env.JumpTo;
          QEL_DISPATCH();
        }
        QEL_STEP_AFTER_CALL();
        QEL_NEXT();
      L_icMemberCall: L_icMemberCallRef: {
        F.IP = ip;  // a host object may call back into script code: callers' positions
        const bool borrowed = ip == borrowingCall;
        borrowingCall = nullptr;
        top = QelMemberCall(env, ip->Ptr<TQelCall>(), top, borrowed);
        QEL_STEP_AFTER_CALL();
        QEL_NEXT();
      }
      L_icUnnamedCall: L_icUnnamedCallRef:
        top = QelUnnamedCall(ip->Ptr<TQelCall>(), top);
        QEL_NEXT();
      L_icNewUnnamedCall:
        top = QelNewCall(env, ip->Ptr<TQelCall>(), top);
        QEL_STEP_AFTER_CALL();
        QEL_NEXT();
      L_icAssignGlobCall:
        top = QelAssignGlobCall(env, ip->Ptr<TQelCall>(), top);
        QEL_STEP_AFTER_CALL();
        QEL_NEXT();
      L_icAssignMemberCall: {
        F.IP = ip;
        const bool borrowed = ip == borrowingCall;
        borrowingCall = nullptr;
        top = QelAssignMemberCall(env, ip->Ptr<TQelCall>(), top, borrowed);
        QEL_STEP_AFTER_CALL();
        QEL_NEXT();
      }
      L_icAssignUnnamedCall:
        top = QelAssignUnnamedCall(ip->Ptr<TQelCall>(), top);
        QEL_NEXT();

      // --- stores ---
      L_icAssignLValue:
        if (top[-1].vt != VT_REFVARIANT) EQelVMRuntime::RaiseError(retCannotAssign);
        QelCopyInd(QelDeref(top - 1), top);
        top -= 2;
        QEL_NEXT();
      L_icAssignLocalVar:
        StoreValue(stack + ip->Data, top--);
        QEL_NEXT();
      L_icAssignArg: {
        TQelParamInfo param = TQelParamInfo::FromData(ip->Data);
        VARIANT* arg = args + param.Index;
        if (param.Kind == pkConst) EQelVMRuntime::RaiseError(retCannotAssign);
        StoreValue(param.Kind == pkByRef ? QelDeref(arg) : arg, top--);
        QEL_NEXT();
      }
      L_icAssignResult:
        StoreValue(AResult, top--);
        QEL_NEXT();
      L_icAssignGlobalVar: L_icAssignGlobalConst:
        StoreValue(&ip->Ptr<TQelGlobalValuedObject>()->Value, top--);
        QEL_NEXT();

      // --- for loops ---
      L_icForInitLValue: {
        const TQelFor* loop = ip->Ptr<TQelFor>();
        if (top[-1].vt != VT_REFVARIANT) EQelVMRuntime::RaiseError(retLoopVar);
        VARIANT* var = QelDeref(top - 1);
        QelSetRef(stack + loop->FLoopVarRef, var);
        StoreValue(var, top);
        top -= 2;
        QEL_NEXT();
      }
      L_icForInitLocal: {
        const TQelFor* loop = ip->Ptr<TQelFor>();
        VARIANT* var = stack + loop->FLoopLocalVar;
        QelSetRef(stack + loop->FLoopVarRef, var);
        StoreValue(var, top--);
        QEL_NEXT();
      }
      L_icForInc: L_icForDec: {
        VARIANT* var = LoopVar(stack, ip->Ptr<TQelFor>());
        VARIANT one{};
        one.vt = VT_I4;
        one.lVal = ip->Code == icForInc ? 1 : -1;
        AddToLoopVar(var, &one);
        QEL_NEXT();
      }
      L_icForIncStep: {
        const TQelFor* loop = ip->Ptr<TQelFor>();
        AddToLoopVar(LoopVar(stack, loop), QelDeref(stack + loop->FStepVar));
        QEL_NEXT();
      }
      L_icForJmpIfLE: L_icForJmpIfGE: L_icForJmpStep: {
        const TQelFor* loop = ip->Ptr<TQelFor>();
        uint8_t test = ip->Code == icForJmpIfLE ? icLessEqual : icGreaterEqual;
        if (ip->Code == icForJmpStep) {
          VARIANT zero{};
          zero.vt = VT_I4;
          NumericLoopBound(QelDeref(stack + loop->FStepVar));
          test = QelCompare(icGreaterEqual, stack + loop->FStepVar, &zero) ? icLessEqual
                                                                           : icGreaterEqual;
        }
        if (LoopTest(test, LoopVar(stack, loop), QelDeref(stack + loop->FToVar))) {
          QEL_JUMP_TO(loop->FJmpLabel);
          QEL_DISPATCH();
        }
        QEL_NEXT();
      }
      // --- exceptions ---
      L_icRaise: {
        ExceptionPtr E;
        if (OnVarToException) OnVarToException(this, *QelDeref(top), E);
        if (!E) EQelVMRuntime::RaiseError(retCannotRaiseNil);
        if (HoldsException(F, E.Get())) EQelVMRuntime::RaiseError(retCannotRaiseLocked);
        E.Raise();
      }
      L_isReraise: {
        ExceptionPtr E = *StateException(stack + ip->Data);
        E.Raise();
      }
      L_icRaiseEBCFromFinally:
        EQelVMRuntime::RaiseError(retEBCFromFinally);
      L_icCallFinally: {
        const TQelTry* block = ip->Ptr<TQelTry>();
        VARIANT* ret = stack + block->FFinallyRetVar;
        QelClear(ret);
        ret->vt = VT_I8;
        ret->llVal = reinterpret_cast<intptr_t>(ip + 1);
        ip = QEL_TARGET(block->FFinallyLabel);
        QEL_DISPATCH();
      }
      L_icFinallyRet: {
        VARIANT* ret = stack + ip->Ptr<TQelTry>()->FFinallyRetVar;
        QEL_VM_ASSERT(ret->vt == VT_I8);
        ip = reinterpret_cast<PQelInstr>(ret->llVal);
        QEL_DISPATCH();
      }
      L_icExceptJmpIfIs: {
        const TQelExcJump* jump = ip->Ptr<TQelExcJump>();
        ExceptionPtr* E = StateException(stack + jump->FTry->FExceptionVar);
        bool res = false;
        if (OnExceptionIsTest) OnExceptionIsTest(this, E->Get(), *QelDeref(top), res);
        --top;
        if (res) {
          ip = QEL_TARGET(jump->FLabel);
          QEL_DISPATCH();
        }
        QEL_NEXT();
      }
      L_icExceptDone:
        if (VARIANT* state = F.ExcSt) {
          F.ExcSt = StatePrev(state);
          FreeState(state);
        }
        QEL_NEXT();
      L_icExceptToVar: {
        ExceptionPtr* E = StateException(stack + ip->Data);
        QelClear(++top);
        if (OnExceptionToVar) OnExceptionToVar(this, *E, *top);
        QEL_NEXT();
      }

      // --- other ---
      L_icSetNamespace:
        F.CurNS = ip->Ptr<TQelAbstractNamespace>();
        QEL_NEXT();
      L_icArrayCreate: {
        const TQelArray* array = ip->Ptr<TQelArray>();
        VARIANT* bounds = top - array->FArgsOffset;
        QelArrayCreate(array, bounds, bounds);
        top = bounds;
        QEL_NEXT();
      }
      L_icArrayRedimLValue: {
        const TQelArrayRedim* redim = ip->Ptr<TQelArrayRedim>();
        VARIANT* ref = top - redim->FArrayOffset;
        if (ref->vt != VT_REFVARIANT) EQelVMRuntime::RaiseError(retCannotAssign);
        QelArrayRedim(redim, ref + 1, QelDeref(ref));
        top = ref - 1;
        QEL_NEXT();
      }
      L_icArrayRedimLocal: {
        const TQelArrayRedim* redim = ip->Ptr<TQelArrayRedim>();
        VARIANT* bounds = top - redim->FArgsOffset;
        QelArrayRedim(redim, bounds, stack + redim->FArrayLocalVar);
        top = bounds - 1;
        QEL_NEXT();
      }
      L_icEventHandlerMake:
        QelClear(++top);
        MakeEventHandler(*ip->Ptr<std::u16string>(), *top);
        QEL_NEXT();
      L_Invalid:
        EQelVMRuntime::RaiseError(retIEInvalidInstr);
    }
  } catch (...) {
    F.IP = ip;
    throw;
  }
#undef QEL_STEP_AFTER_CALL
#undef QEL_NEXT
#undef QEL_DISPATCH
#undef QEL_TARGET
#undef QEL_JUMP_TO
#undef QEL_CHARGE_JUMP
}

void TQelVirtMachine::Interpret(TQelThread* T, const TQelVMInterpretContext& ACtx) {
  if (T->StackExhausted()) throw ExceptionPtr(new EStackOverflow());
  TQelByteCode* code = ACtx.Code;
  QEL_VM_ASSERT(code->IsFinished());
  const int stackSize = code->StackSize();
  TQelCallStackFrame frame;
  frame.Next = T->FCallStack;
  frame.VM = this;
  frame.Ctx = &ACtx;
  frame.CurNS = code->InitialNamespace();
  frame.IP = code->Code();
  frame.Stack = T->FStackPool.AsquireStack(stackSize);
  frame.Depth = frame.Next ? frame.Next->Depth + 1 : 1;
  T->FCallStack = &frame;

  TQelVar noResult;  // a code object called without a result slot writes here
  VARIANT* result = ACtx.Result ? ACtx.Result : &noResult.V;
  TQelThreadVM* const record = T->VMData(FId.Index);
  if (record->FRunDepth++ == 0 && FLimited.load(std::memory_order_relaxed)) [[unlikely]]
    BeginLimitedRun(record);
  // An activation costs its instructions once; its loops are charged at their backward jumps.
  if ((record->FBudget -= code->Count()) < 0) [[unlikely]] BudgetSpent(record);
  auto leave = [&] {
    if (record->FSteppingBase) [[unlikely]] StepHook(T, frame, seLeave);
    FreeStateChain(frame);
    T->FCallStack = frame.Next;
    T->FStackPool.ReleaseStack(stackSize);
    if (--record->FRunDepth == 0 &&
        (record->FLimitedRun || FLimitHit.load(std::memory_order_relaxed) != lkNone)) [[unlikely]]
      EndRun(record);
  };
  if (record->FSteppingBase) [[unlikely]] StepHook(T, frame, seEnter);
  for (;;) {
    try {
      Run(T, frame, result);
      leave();
      return;
    } catch (...) {
      ExceptionPtr E = AcquireExceptionObject();
      bool caught;
      try {
        caught = CatchInFrame(T, frame, E);  // runs the host's format hook, which may raise
      } catch (...) {
        leave();
        throw;
      }
      if (!caught) {
        if (!frame.Next) T->FJudgedError = ExceptionPtr();  // it leaves the script here
        if (record->FRunDepth == 1) E = LimitErrorFor(E);
        leave();
        E.Raise();
      }
    }
  }
}

bool TQelVirtMachine::CatchInFrame(TQelThread* T, TQelCallStackFrame& F, const ExceptionPtr& E) {
  ReportPosition(T, F, E.Get());
  if (FDebugger) [[unlikely]] StopIfUncaught(T, F, E);
  int tryIndex = F.IP->TryIndex;
  if (tryIndex < 0 || FTerminateFlag.load(std::memory_order_relaxed) == 0) return false;
  if (T->VMData(FId.Index)->FDebugAbort) [[unlikely]] return false;  // the debugger ended the run
  const TQelByteCode* code = F.Ctx->Code;
  const TQelTry* handler = code->TryAt(tryIndex);
  // Drop the states whose handler code does not enclose the catching block.
  VARIANT* state = F.ExcSt;
  while (state) {
    const TQelTry* block = code->TryAt(state->wReserved1);
    if (block->FHdrHierLow <= handler->FHdrHierLow && handler->FHdrHierLow <= block->FHdrHierHigh)
      break;
    VARIANT* prev = StatePrev(state);
    FreeState(state);
    state = prev;
  }
  VARIANT* slots = F.Stack + handler->FExceptionVar;
  if (state == slots) state = StatePrev(slots);  // a stale state of the same block is replaced
  FreeState(slots);
  slots[0].vt = VT_I8;
  slots[0].wReserved1 = WORD(tryIndex);
  slots[0].llVal = reinterpret_cast<intptr_t>(new ExceptionPtr(E));
  slots[1].vt = VT_I8;
  slots[1].llVal = reinterpret_cast<intptr_t>(state);
  F.ExcSt = slots;
  F.IP = handler->FHandlerLabel->FTarget;
  // An except block takes the error: raised again from there, it is judged afresh. A finally
  // block only passes it on.
  if (T->FJudgedError && !handler->FFinallyLabel) T->FJudgedError = ExceptionPtr();
  if (T->VMData(FId.Index)->FSteppingBase) [[unlikely]] StepHook(T, F, seHandler);
  return true;
}

void TQelVirtMachine::ReportPosition(TQelThread* T, const TQelCallStackFrame& F, Exception* E) {
  if (!OnFormatException || T->VMData(FId.Index)->FInBreak) return;
  const TQelVMSource* source = F.Ctx->Source ? F.Ctx->Source : &FSource;
  int line, column;
  source->PosToLine(F.IP->SourcePos(), line, column);
  OnFormatException(this, line, column, E);
}
