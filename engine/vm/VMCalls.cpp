// Call instructions: run-time name resolution and what each resolved kind does, script
// procedure calls (the callee works on the caller's slots), members of dispatch objects and
// of code objects, control transfers, and assignment calls.
#include "engine/vm/QelVMCallsInternal.h"

#include <algorithm>

#include "platform/ole/QelDirectDispatch.h"

namespace {

[[noreturn]] void Fail(TQelRuntimeErrorType AError) { EQelVMRuntime::RaiseError(AError); }

WORD GetFlagsOf(TQelBracketType ABracket) {
  switch (ABracket) {
    case bkRound: return DISPATCH_METHOD;
    case bkBlock: return DISPATCH_PROPERTYGET;
    default: return DISPATCH_METHOD | DISPATCH_PROPERTYGET;
  }
}

VARIANT* ResultBuffer(const TQelCall* C, VARIANT* AResSlot) {
  return reinterpret_cast<VARIANT*>(reinterpret_cast<uintptr_t>(AResSlot) & C->FResMask);
}

[[noreturn]] __attribute__((noinline)) void FailObject(const VARIANT* AValue) {
  if (AValue->vt == VT_DISPATCH || AValue->vt == VT_EMPTY || AValue->vt == VT_NULL)
    Fail(retObjectRequired);
  throw ExceptionPtr(new EVariantTypeCastError());
}

// The dispatch object in a call's object slot; nil (also empty or null) -> retObjectRequired.
QEL_VM_INLINE IDispatch* ObjectOf(VARIANT* ASlot) {
  const VARIANT* value = QelDeref(ASlot);
  if (value->vt == VT_DISPATCH && value->pdispVal) [[likely]] return value->pdispVal;
  FailObject(value);
}

QEL_VM_INLINE void CallScriptProc(TQelCallEnv& AEnv, TQelProcObject* AProc, const TQelCall* C,
                                  VARIANT* AArgs, VARIANT* AResSlot) {
  if (C->FBracketType == bkBlock) Fail(retTypeMismatch);
  if (C->FArgCount != AProc->FParamCount) Fail(retInvalidParamCount);
  if (C->IsResUsed() && !AProc->IsFunction()) Fail(retTypeMismatch);
  QelClear(AResSlot);  // a function that never assigns its result returns Unassigned
  TQelVMInterpretContext ctx{&AProc->FByteCode, AArgs, AResSlot, nullptr};
  AEnv.VM->Interpret(AEnv.T, ctx);
}

// What a member call needs to know of its object: its direct interface with its dispatch key,
// else whether it is a code object (an object with a key is not).
struct TMemberTarget {
  IDispatch* Obj;
  IQelDirectDispatch* Direct;  // borrowed
  TQelCodeObject* Code;
  uintptr_t Key;
};

TMemberTarget MemberTargetOf(IDispatch* AObj) {
  IQelDirectDispatch* direct = QelDirectDispatchOf(AObj);
  const auto key = direct ? reinterpret_cast<uintptr_t>(direct->DispatchKey()) : 0;
  return {AObj, direct, key ? nullptr : QelAsCodeObject(AObj), key};
}

// A published member of a host object: the direct interface is looked up by QelDispInvoke.
TMemberTarget ExternTarget(const TQelExternObject* AObject) {
  return {AObject->FObj, nullptr, AObject->FCodeObject, 0};
}

// The call site's prepared member when it belongs to the object's key, else one the object
// prepares now (kept for the next call); nil when it prepares none for this call.
const TQelDirectMember* PreparedMember(const TMemberTarget& ATarget, DISPID AId, WORD AFlags,
                                       const TQelCall* C, bool AIsPut, bool AWantsResult) {
  if (!QelFastPaths) return nullptr;
  const TQelDirectMember* member = C->FPrepared.load(std::memory_order_acquire);
  if (member && member->Key == reinterpret_cast<const void*>(ATarget.Key)) [[likely]]
    return member;
  if (!ATarget.Key) return nullptr;
  member = ATarget.Direct->PrepareMember(AId, AFlags, UINT(C->FArgCount + (AIsPut ? 1 : 0)),
                                         AWantsResult);
  if (member) C->FPrepared.store(member, std::memory_order_release);
  return member;
}

QEL_VM_INLINE void InvokeMember(const TMemberTarget& ATarget, DISPID AId, WORD AFlags,
                                const TQelCall* C, VARIANT* AArgs, VARIANT* AValue,
                                VARIANT* AResult) {
  if (!ATarget.Direct)
    return QelDispInvoke(ATarget.Obj, AId, AFlags, AArgs, C->FArgCount, AValue, AResult);
  if (const TQelDirectMember* member =
          PreparedMember(ATarget, AId, AFlags, C, AValue != nullptr, AResult != nullptr))
    return QelPreparedInvoke(ATarget.Direct, member, AFlags, AArgs, C->FArgCount, AValue, AResult);
  QelDirectInvoke(ATarget.Direct, AId, AFlags, AArgs, C->FArgCount, AValue, AResult);
}

// AHeld: the caller holds a reference of its own for the whole call; otherwise one is taken,
// since the object's slot may be overwritten by the result.
QEL_VM_INLINE void CallMember(const TMemberTarget& ATarget, DISPID AId, const TQelCall* C,
                              VARIANT* AArgs, VARIANT* AResSlot, bool AHeld = false) {
  ComPtr<IDispatch> keep(AHeld ? nullptr : ATarget.Obj);
  if (ATarget.Code) {
    QelClear(AResSlot);
    ATarget.Code->InvokeMember(AId, C->FBracketType, C->FResMask, C->FArgCount, AArgs, AResSlot);
    return;
  }
  InvokeMember(ATarget, AId, GetFlagsOf(C->FBracketType), C, AArgs, nullptr,
               ResultBuffer(C, AResSlot));
}

QEL_VM_INLINE void PutMember(const TMemberTarget& ATarget, DISPID AId, const TQelCall* C,
                             VARIANT* AArgs, VARIANT* AValue, bool AHeld = false) {
  if (C->FBracketType == bkRound) Fail(retCannotAssign);
  ComPtr<IDispatch> keep(AHeld ? nullptr : ATarget.Obj);
  if (ATarget.Code) {
    ATarget.Code->InvokePropPut(AId, C->FBracketType, C->FArgCount, AArgs, AValue);
    return;
  }
  InvokeMember(ATarget, AId, DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF, C, AArgs, AValue,
               nullptr);
}

// A member call site remembers its last DISPID with the object's dispatch key
// (IQelDirectDispatch) in TQelCall::FResolved: the key's address above 16 bits of DISPID.
constexpr int MemberIdBits = 16;

DISPID MemberId(const TMemberTarget& ATarget, const TQelCall* C) {
  if (ATarget.Code) {
    DISPID id = ATarget.Code->GetIdOfName(C->FName);
    if (id == DISPID_UNKNOWN) EQelVMRuntime::RaiseError(retUndeclaredId, C->FStrName);
    return id;
  }
  const uintptr_t key = QelFastPaths ? ATarget.Key : 0;
  const uintptr_t remembered = C->FResolved.load(std::memory_order_acquire);
  if (key && remembered >> MemberIdBits == key)
    return DISPID(remembered & ((uintptr_t(1) << MemberIdBits) - 1));
  DISPID id = QelDispIdOfName(ATarget.Obj, C->FStrName);
  if (id == DISPID_UNKNOWN) EQelVMRuntime::RaiseError(retUndeclaredId, C->FStrName);
  if (key && id > 0 && id < (1 << MemberIdBits) && key >> (64 - MemberIdBits) == 0)
    C->FResolved.store((key << MemberIdBits) | uintptr_t(id), std::memory_order_release);
  return id;
}

VARIANT* ControlTransfer(TQelCallEnv& AEnv, const TQelNameSearchRes& ARes,
                                const TQelCall* C, bool AIsRef) {
  if (AIsRef || C->FBracketType != bkNon || C->IsResUsed()) Fail(retTypeMismatch);
  const TQelLabel* label = ARes.ObjKind == srBreak      ? C->FBreakLabel
                           : ARes.ObjKind == srContinue ? C->FContinueLabel
                                                        : C->FExitLabel;
  if (!label) {
    if (ARes.ObjKind != srExit) Fail(retOutsideOfLoop);
    AEnv.JumpTo = nullptr;
    return nullptr;
  }
  AEnv.JumpTo = label->FTarget;
  return nullptr;
}

// A VB function naming itself with arguments: the name is looked up again in the parent
// namespaces, so the call becomes a recursive call of the function.
bool FindBeyondResult(TQelCallEnv& AEnv, const TQelCall* C, TQelNameSearchRes& ARes) {
  for (TQelAbstractNamespace* ns = AEnv.F->CurNS->FParent; ns; ns = ns->FParent) {
    TQelNameSearchRes res = ns->Find(AEnv.T, C->FName, &C->FStrName);
    if (res.ObjKind != srResult) {
      ARes = res;
      return true;
    }
  }
  return false;
}

uintptr_t IntrinsicCode(TQelVirtMachine* AVM, const TQelGlobalObject* AObj) {
  const auto& list = AVM->IntrinsicList();
  auto at = std::find(list.begin(), list.end(), AObj);
  if (at == list.end()) return 0;
  const auto change = uint32_t(AVM->ExternObjects().ChangeNumber());
  return (uintptr_t(change) << 32) | (uintptr_t(at - list.begin()) << 2) | rtIntrinsic;
}

void RememberResolved(TQelVirtMachine* AVM, const TQelCall* C, const TQelNameSearchRes& ARes) {
  uintptr_t code;
  switch (ARes.ObjKind) {
    case srProcedure: code = reinterpret_cast<uintptr_t>(ARes.NamedObject) | rtProc; break;
    case srLocalVar: code = (uintptr_t(ARes.LocalVarIndex) << 2) | rtLocal; break;
    case srParam: code = (uintptr_t(ARes.ParamInfo.ToData()) << 2) | rtParam; break;
    case srIntrinsic: code = IntrinsicCode(AVM, ARes.NamedObject); break;
    default: return;
  }
  if (code) C->FResolved.store(code, std::memory_order_release);
}

// The remembered resolution; srNotFound when it is out of date and the name must be looked up.
TQelNameSearchRes DecodeResolved(TQelVirtMachine* AVM, uintptr_t ACode) {
  switch (ACode & rtMask) {
    case rtLocal: return TQelNameSearchRes::Local(int(uint32_t(ACode) >> 2));
    case rtParam: {
      TQelNameSearchRes res;
      res.ObjKind = srParam;
      res.ParamInfo = TQelParamInfo::FromData(intptr_t(ACode >> 2));
      return res;
    }
    case rtIntrinsic: {
      TQelGlobalObject* intrinsic = QelRememberedIntrinsic(AVM, ACode);
      return intrinsic ? TQelNameSearchRes::Object(srIntrinsic, intrinsic) : TQelNameSearchRes{};
    }
    default:
      return TQelNameSearchRes::Object(srProcedure, reinterpret_cast<TQelGlobalObject*>(ACode));
  }
}

// The call's name resolved, from the call site's memory when it holds an up-to-date answer.
TQelNameSearchRes Resolve(TQelCallEnv& AEnv, const TQelCall* C) {
  if (const uintptr_t code = C->FResolved.load(std::memory_order_acquire)) [[likely]] {
    TQelNameSearchRes res = DecodeResolved(AEnv.VM, code);
    if (res.ObjKind != srNotFound) return res;
  }
  TQelNameSearchRes res = AEnv.F->CurNS->Find(AEnv.T, C->FName, &C->FStrName);
  if (QelFastPaths) RememberResolved(AEnv.VM, C, res);
  return res;
}

}  // namespace

void QelPushArgRef(VARIANT* AArgs, TQelParamInfo AParam, VARIANT* ADst) {
  VARIANT* arg = AArgs + AParam.Index;
  switch (AParam.Kind) {
    case pkSimple:
      if (arg->vt == VT_REFVARIANT) QelCopyInd(arg, arg);  // materialise the value in the slot
      QelSetRef(ADst, arg);
      return;
    case pkConst:
      QelCopyInd(ADst, arg);
      return;
    default:
      QelSetRef(ADst, QelDeref(arg));
      return;
  }
}

namespace {
// An intrinsic's call: a fixed constant without brackets is a copy of its value.
void RunIntrinsic(TQelCallEnv& AEnv, TIntrinsic* AIntrinsic, const TQelCall* C, VARIANT* AArgs,
                  VARIANT* AResSlot) {
  if (const VARIANT* fixed = AIntrinsic->FixedValue(); fixed && C->FBracketType == bkNon) {
    QelClear(AResSlot);
    QelAssignBits(AResSlot, fixed);
    return;
  }
  AIntrinsic->Execute(AEnv.VM, const_cast<TQelCall*>(C), AArgs, *AResSlot);
}

__attribute__((noinline)) VARIANT* GlobCallGeneral(TQelCallEnv& AEnv, const TQelCall* C,
                                                   VARIANT* ATop, bool AIsRef);
}  // namespace

VARIANT* QelCallRememberedProc(TQelCallEnv& AEnv, const TQelCall* C, VARIANT* ATop,
                               uintptr_t ARemembered) {
  VARIANT* resSlot = ATop - C->FResOffset;
  CallScriptProc(AEnv, reinterpret_cast<TQelProcObject*>(ARemembered), C, ATop - C->FArgsOffset,
                 resSlot);
  return resSlot;
}

// A remembered intrinsic that is not a fixed constant runs at once (the inline front took the
// other remembered cases); everything else resolves the name in GlobCallGeneral.
VARIANT* QelGlobCallRest(TQelCallEnv& AEnv, const TQelCall* C, VARIANT* ATop, bool AIsRef) {
  const uintptr_t remembered = C->FResolved.load(std::memory_order_acquire);
  if (QelFastPaths && (remembered & rtMask) == rtIntrinsic) {
    if (TQelGlobalObject* intrinsic = QelRememberedIntrinsic(AEnv.VM, remembered)) {
      VARIANT* resSlot = ATop - C->FResOffset;
      RunIntrinsic(AEnv, static_cast<TIntrinsic*>(intrinsic), C, ATop - C->FArgsOffset, resSlot);
      return resSlot;
    }
  }
  return GlobCallGeneral(AEnv, C, ATop, AIsRef);
}

namespace {
VARIANT* GlobCallGeneral(TQelCallEnv& AEnv, const TQelCall* C, VARIANT* ATop, bool AIsRef) {
  VARIANT* resSlot = ATop - C->FResOffset;
  VARIANT* args = ATop - C->FArgsOffset;
  VARIANT* stack = AEnv.F->Stack;
  TQelNameSearchRes res = Resolve(AEnv, C);
  TQelVar value;  // V of the resolved name, before brackets apply
  // An indexed variable is read in place: copying it first would copy a whole array per element.
  const bool byRef = AIsRef || C->FBracketType == bkBlock || C->FBracketType == bkVbRound;
  for (bool resolved = false; !resolved;) {
    resolved = true;
    switch (res.ObjKind) {
      case srNotFound:
        EQelVMRuntime::RaiseError(retUndeclaredId, C->FStrName);
      case srExternal: {
        auto* object = static_cast<TQelExternObject*>(res.NamedObject);
        value.V.vt = VT_DISPATCH;
        value.V.pdispVal = object->FObj;
        if (object->FObj) object->FObj->AddRef();
        break;
      }
      case srExternalMember:
        CallMember(ExternTarget(static_cast<TQelExternObject*>(res.NamedObject)), res.DispId, C,
                   args, resSlot);
        return resSlot;
      case srGlobalVar: {
        VARIANT* var = &static_cast<TQelGlobalValuedObject*>(res.NamedObject)->Value;
        if (byRef) QelSetRef(&value.V, var);
        else QelCopy(&value.V, var);
        break;
      }
      case srGlobalConst:
        QelCopy(&value.V, &static_cast<TQelGlobalValuedObject*>(res.NamedObject)->Value);
        break;
      case srProcedure:
        CallScriptProc(AEnv, static_cast<TQelProcObject*>(res.NamedObject), C, args, resSlot);
        return resSlot;
      case srLocalVar:
        if (byRef) QelSetRef(&value.V, stack + res.LocalVarIndex);
        else QelCopy(&value.V, stack + res.LocalVarIndex);
        break;
      case srLocalConst:
        QelCopy(&value.V, res.LocalConst);
        break;
      case srParam:
        if (AIsRef) QelPushArgRef(AEnv.F->Ctx->Args, res.ParamInfo, &value.V);
        else if (byRef) QelSetRef(&value.V, QelDeref(AEnv.F->Ctx->Args + res.ParamInfo.Index));
        else QelCopyInd(&value.V, AEnv.F->Ctx->Args + res.ParamInfo.Index);
        break;
      case srResult:
        if (C->FBracketType == bkVbRound && FindBeyondResult(AEnv, C, res)) {
          resolved = false;
          continue;
        }
        if (byRef) QelSetRef(&value.V, AEnv.Result);
        else QelCopyInd(&value.V, AEnv.Result);
        break;
      case srExit: case srBreak: case srContinue:
        return ControlTransfer(AEnv, res, C, AIsRef);
      case srIntrinsic:
        RunIntrinsic(AEnv, static_cast<TIntrinsic*>(res.NamedObject), C, args, resSlot);
        return resSlot;
      case srDebugVar:
        QelCopyInd(&value.V, res.DebugVar);
        break;
      default:  // srUnit and anything unknown
        Fail(retIEInvalidObjKind);
    }
  }
  switch (C->FBracketType) {
    case bkNon:
      // Arguments without brackets (the VB dialect's `v 5`) apply only to a routine.
      if (C->FArgCount) Fail(retTypeMismatch);
      QelMove(resSlot, &value.V);
      break;
    case bkVbRound: case bkBlock:
      QelIndexValue(&value.V, args, C->FArgCount, resSlot);
      break;
    case bkRound:
      Fail(retTypeMismatch);
    default:
      Fail(retIEInvalidBracketType);
  }
  return resSlot;
}

}  // namespace

namespace {
// The common member call in one piece: an object with the direct interface whose class this
// call site has a prepared member of. False (nothing done) for every other case.
QEL_VM_INLINE bool CallPrepared(IDispatch* AObj, const TQelCall* C, WORD AFlags, VARIANT* AArgs,
                                VARIANT* AValue, VARIANT* AResult, bool AHeld) {
  IQelDirectDispatch* direct = QelFastPaths ? QelDirectDispatchOf(AObj) : nullptr;
  if (!direct) return false;
  const TQelDirectMember* member = C->FPrepared.load(std::memory_order_acquire);
  if (!member || member->Key != direct->DispatchKey()) return false;
  ComPtr<IDispatch> keep(AHeld ? nullptr : AObj);
  QelPreparedInvoke(direct, member, AFlags, AArgs, C->FArgCount, AValue, AResult);
  return true;
}
}  // namespace

VARIANT* QelMemberCall(TQelCallEnv&, const TQelCall* C, VARIANT* ATop, bool ABorrowed) {
  VARIANT* resSlot = ATop - C->FResOffset;
  VARIANT* objectSlot = ATop - C->FObjectOffset;
  VARIANT* args = ATop - C->FArgsOffset;
  IDispatch* object = ObjectOf(objectSlot);
  // An object value (not a reference to a variable) is taken out of its slot: its reference
  // then keeps the object alive through the call at no extra cost.
  TQelVar held;
  if (objectSlot->vt == VT_DISPATCH) std::swap(held.V, *objectSlot);
  const bool alive = ABorrowed || held.V.vt == VT_DISPATCH;
  if (CallPrepared(object, C, GetFlagsOf(C->FBracketType), args, nullptr, ResultBuffer(C, resSlot),
                   alive))
    return resSlot;
  const TMemberTarget target = MemberTargetOf(object);
  CallMember(target, MemberId(target, C), C, args, resSlot, alive);
  return resSlot;
}

VARIANT* QelUnnamedCall(const TQelCall* C, VARIANT* ATop) {
  VARIANT* resSlot = ATop - C->FResOffset;
  QelIndexValue(ATop - C->FObjectOffset, ATop - C->FArgsOffset, C->FArgCount, resSlot);
  return resSlot;
}

VARIANT* QelNewCall(TQelCallEnv& AEnv, const TQelCall* C, VARIANT* ATop) {
  VARIANT* resSlot = ATop - C->FResOffset;
  QelClear(resSlot);
  if (AEnv.VM->OnNew) {
    TQelVar result;
    AEnv.VM->OnNew(AEnv.VM, *QelDeref(ATop - C->FObjectOffset), ATop - C->FArgsOffset,
                   C->FArgCount, result.V);
    QelMove(resSlot, &result.V);
  }
  return resSlot;
}

namespace {
// Stores AValue into a variable, indexed when the call has brackets.
void StoreInto(VARIANT* AVar, const TQelCall* C, VARIANT* AArgs, VARIANT* AValue) {
  switch (C->FBracketType) {
    case bkNon:
      QelCopyInd(AVar, AValue);
      return;
    case bkVbRound: case bkBlock:
      QelIndexStore(AVar, AArgs, C->FArgCount, AValue);
      return;
    default:
      Fail(retCannotAssign);
  }
}
}  // namespace

// Every assignment target but an element of a local array (the inline front's).
void QelAssignGlobCallRest(TQelCallEnv& AEnv, const TQelCall* C, VARIANT* ATop) {
  VARIANT* value = ATop;
  VARIANT* args = ATop - C->FArgsOffset;
  VARIANT* stack = AEnv.F->Stack;
  TQelNameSearchRes res = Resolve(AEnv, C);
  switch (res.ObjKind) {
    case srNotFound:
      EQelVMRuntime::RaiseError(retUndeclaredId, C->FStrName);
    case srGlobalVar:
      StoreInto(&static_cast<TQelGlobalValuedObject*>(res.NamedObject)->Value, C, args, value);
      break;
    case srLocalVar:
      StoreInto(stack + res.LocalVarIndex, C, args, value);
      break;
    case srParam: {
      VARIANT* arg = AEnv.F->Ctx->Args + res.ParamInfo.Index;
      if (res.ParamInfo.Kind == pkConst) Fail(retCannotAssign);
      StoreInto(res.ParamInfo.Kind == pkByRef ? QelDeref(arg) : arg, C, args, value);
      break;
    }
    case srResult:
      StoreInto(AEnv.Result, C, args, value);
      break;
    case srDebugVar:
      StoreInto(QelDeref(res.DebugVar), C, args, value);
      break;
    case srExternalMember:
      PutMember(ExternTarget(static_cast<TQelExternObject*>(res.NamedObject)), res.DispId, C,
                args, value);
      break;
    case srExternal: {
      if (C->FBracketType == bkNon) Fail(retCannotAssign);
      VARIANT object{};
      object.vt = VT_DISPATCH;
      object.pdispVal = static_cast<TQelExternObject*>(res.NamedObject)->FObj;
      StoreInto(&object, C, args, value);
      break;
    }
    case srExit: case srBreak: case srContinue:
      Fail(retTypeMismatch);
    default:
      Fail(retCannotAssign);
  }
}

VARIANT* QelAssignMemberCall(TQelCallEnv&, const TQelCall* C, VARIANT* ATop, bool ABorrowed) {
  VARIANT* objectSlot = ATop - C->FObjectOffset;
  VARIANT* args = ATop - C->FArgsOffset;
  IDispatch* object = ObjectOf(objectSlot);
  // An object value in its slot stays there, referenced, until the call is over.
  const bool alive = ABorrowed || objectSlot->vt == VT_DISPATCH;
  if (C->FBracketType != bkRound &&
      CallPrepared(object, C, DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF, args, ATop, nullptr,
                   alive))
    return ATop - (C->FArgCount + 2);
  const TMemberTarget target = MemberTargetOf(object);
  PutMember(target, MemberId(target, C), C, args, ATop, alive);
  return ATop - (C->FArgCount + 2);
}

VARIANT* QelAssignUnnamedCall(const TQelCall* C, VARIANT* ATop) {
  QelIndexStore(ATop - C->FObjectOffset, ATop - C->FArgsOffset, C->FArgCount, ATop);
  return ATop - (C->FArgCount + 2);
}
