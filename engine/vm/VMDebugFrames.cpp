// The stopped thread's frames: evaluation in a frame (its variables read and written through a
// namespace that points into the frame's slots) and the frame's variables.
#include "engine/vm/QelVMDebugInternal.h"

namespace {

constexpr const char16_t* SDebugEvalThread =
    u"Debug evaluation is only allowed from the breaked thread.";

// Names of a stopped frame for an expression evaluated in it: the frame's locals, parameters,
// result and local constants become srDebugVar into the frame's slots; everything else is
// looked up as the frame itself would.
class TDebugVarsNamespace : public TQelAbstractNamespace {
 public:
  explicit TDebugVarsNamespace(TQelCallStackFrame* AFrame) : FFrame(AFrame) {}

  TQelNameSearchRes Find(TQelThread* AThread, int AName, const std::u16string* AStrName) override {
    // The compile-time view also knows a VB function's result by the function's name, which
    // at run time would call the function again.
    TQelNameSearchRes res = FFrame->CurNS->CompileTimeFind(AName);
    if (VARIANT* slot = SlotOf(res)) {
      TQelNameSearchRes R;
      R.ObjKind = srDebugVar;
      R.DebugVar = slot;
      return R;
    }
    return FFrame->CurNS->Find(AThread, AName, AStrName);
  }
  void EnumDebugVars(bool ALocalsOnly, const TQelNamespaceEnumVarsProc& AProc) override {
    FFrame->CurNS->EnumDebugVars(ALocalsOnly, AProc);
  }

 private:
  VARIANT* SlotOf(const TQelNameSearchRes& ARes) const {
    switch (ARes.ObjKind) {
      case srLocalVar: return FFrame->Stack + ARes.LocalVarIndex;
      case srParam: return FFrame->Ctx->Args ? FFrame->Ctx->Args + ARes.ParamInfo.Index : nullptr;
      case srResult: return FFrame->Ctx->Result;
      case srLocalConst: return const_cast<VARIANT*>(ARes.LocalConst);
      default: return nullptr;
    }
  }

  TQelCallStackFrame* FFrame;
};

// The value a name of a frame's namespace stands for; nil when it has none.
const VARIANT* ValueOf(const TQelCallStackFrame& AFrame, const TQelNameSearchRes& ARes) {
  switch (ARes.ObjKind) {
    case srGlobalVar: case srGlobalConst:
      return &static_cast<TQelGlobalValuedObject*>(ARes.NamedObject)->Value;
    case srLocalVar: return AFrame.Stack + ARes.LocalVarIndex;
    case srParam:
      return AFrame.Ctx->Args ? QelDeref(AFrame.Ctx->Args + ARes.ParamInfo.Index) : nullptr;
    case srLocalConst: return ARes.LocalConst;
    case srResult: return AFrame.Ctx->Result;
    case srDebugVar: return QelDeref(ARes.DebugVar);
    default: return nullptr;
  }
}

// A frame's variables, read once when the frame is asked for them.
class TStoredVarChildren : public IQelPasDebugVarChildren {
 public:
  void Enum(const TQelPasDebugVarChildProc& AProc) override {
    bool stop = false;
    for (const TQelPasDebugVar& item : FItems) {
      AProc(item, stop);
      if (stop) return;
    }
  }
  std::vector<TQelPasDebugVar> FItems;
};

}  // namespace

TQelPasStackFrames::TQelPasStackFrames(TQelThread* AThread, TQelVMDebugger* ADebugger)
    : FThread(AThread), FBreakedThreadId(GetCurrentThreadId()) {
  for (TQelCallStackFrame* frame = AThread->FCallStack; frame; frame = frame->Next)
    if (frame->VM->FDebugger == ADebugger)
      FItems.push_back(std::make_unique<TQelPasStackFrame>(this, frame));
}

TQelPasStackFrame::TQelPasStackFrame(TQelPasStackFrames* AOwner, TQelCallStackFrame* AFrame)
    : FOwner(AOwner),
      FFrame(AFrame),
      FCtx(AFrame->Ctx),
      FVM(AFrame->VM),
      FLine(QelFrameLine(*AFrame)),
      FDescription(AFrame->Ctx->Code->Description()) {}

void TQelPasStackFrame::CheckThread() const {
  if (FOwner->FThread != tQelThread) throw ExceptionPtr(new EQelVirtMachine(SDebugEvalThread));
}

ExceptionPtr TQelPasStackFrame::Run(const std::u16string& AText, bool AIsExpr, VARIANT* AResult) {
  CheckThread();
  try {
    TDebugVarsNamespace names(FFrame);
    const bool global = FFrame->CurNS == FVM->GlobalNamespace();
    TQelPreparedCode code = FVM->PrepareIn(AText, AIsExpr, global ? nullptr : &names);
    TQelRunLock lock(FVM->Id());
    TQelVMInterpretContext ctx{code->FByteCode.get(), nullptr, AResult, &code->FSource};
    FVM->Interpret(lock.Thread(), ctx);
    return ExceptionPtr();
  } catch (...) {
    return AcquireExceptionObject();
  }
}

ExceptionPtr TQelPasStackFrame::Exec(const std::u16string& AStmt) {
  return Run(AStmt, false, nullptr);
}

bool TQelPasStackFrame::Eval(const std::u16string& AExpr, VARIANT& AValue) {
  TQelVar result;
  if (Run(AExpr, true, &result.V)) return false;
  AValue = result.Detach();
  return true;
}

TQelPasDebugVar TQelPasStackFrame::Eval(const std::u16string& AExpr) {
  TQelVar value;
  if (ExceptionPtr E = Run(AExpr, true, &value.V)) {
    TQelPasDebugVar error;
    error.Name = AExpr;
    error.Type_ = u"Error";
    error.Value = E->GetMessage();
    return error;
  }
  return QelDebugVarOf(AExpr, value.V, FVM->Language().get());
}

TQelPasDebugVar TQelPasStackFrame::GetVariables() {
  CheckThread();
  const bool global = FFrame->CurNS == FVM->GlobalNamespace();
  auto children = std::make_shared<TStoredVarChildren>();
  IQelLanguage* lang = FVM->Language().get();
  FFrame->CurNS->EnumDebugVars(!global, [&](const std::u16string& AName,
                                            const TQelNameSearchRes& ARes) {
    if (const VARIANT* value = ValueOf(*FFrame, ARes))
      children->FItems.push_back(QelDebugVarOf(AName, *value, lang));
  });
  TQelPasDebugVar root;
  root.Name = global ? u"Globals" : u"Locals";
  root.Type_ = u"object";
  root.Value = u"{...}";
  root.Children = std::move(children);
  return root;
}
