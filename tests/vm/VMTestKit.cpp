#include "tests/vm/VMTestKit.h"

#include <cstdio>

std::string Describe(const VARIANT& AValue) {
  const VARIANT* v = &AValue;
  while (v->vt == (VT_BYREF | VT_VARIANT)) v = v->pvarVal;
  char buffer[64];
  switch (v->vt) {
    case VT_EMPTY: return "Empty";
    case VT_NULL: return "Null";
    case VT_I2: return "I2:" + std::to_string(v->iVal);
    case VT_I4: return "I4:" + std::to_string(v->lVal);
    case VT_I8: return "I8:" + std::to_string(v->llVal);
    case VT_UI1: return "UI1:" + std::to_string(v->bVal);
    case VT_UI2: return "UI2:" + std::to_string(v->uiVal);
    case VT_UI4: return "UI4:" + std::to_string(v->ulVal);
    case VT_R8:
      std::snprintf(buffer, sizeof buffer, "R8:%g", v->dblVal);
      return buffer;
    case VT_BOOL: return v->boolVal ? "Bool:True" : "Bool:False";
    case VT_BSTR: return "Str:" + Utf8(OleBstrView(v->bstrVal));
    case VT_DISPATCH: return v->pdispVal ? "Disp" : "Disp:nil";
    default:
      std::snprintf(buffer, sizeof buffer, "vt%d", int(v->vt));
      return buffer;
  }
}

// ---------------------------------------------------------------------------------------------

TAsm& TAsm::Lit(const VARIANT& AValue) {
  FLiterals.emplace_back(AValue);
  FCode.Emit(icPushLiteral, &FLiterals.back().V);
  return *this;
}

TQelCall* TAsm::Call(TQelInstrCode ACode, const std::u16string& AName, TQelBracketType ABracket,
                     int AArgCount, bool AResUsed) {
  bool hasObject = ACode == icMemberCall || ACode == icMemberCallRef || ACode == icUnnamedCall ||
                   ACode == icUnnamedCallRef || ACode == icNewUnnamedCall ||
                   ACode == icAssignMemberCall || ACode == icAssignUnnamedCall;
  bool hasValue = ACode == icAssignGlobCall || ACode == icAssignMemberCall ||
                  ACode == icAssignUnnamedCall;
  TQelCall* call = FCode.AddCall(QelNameTable().GetNameIndex(AName, true), AName, ABracket,
                                 AArgCount, hasObject, hasValue, AResUsed);
  FCode.Emit(ACode, call);
  return call;
}

// ---------------------------------------------------------------------------------------------

// The emission conventions of the compilers for try/except.
void TryExcept(TAsm& a, const TEmitter& ABody, const THandler& AHandler) {
  TQelByteCode& code = a.Code();
  TQelTry* block = code.BeginProtectedBlock();
  block->FExceptionVar = code.AddLocalVarArray(2);
  block->FHandlerLabel = a.Label();
  TQelLabel* end = a.Label();
  ABody(a);
  code.EndProtectedBlock();
  a.Op(icJump, end);
  code.BeginExcHdrCode(block);
  a.Bind(block->FHandlerLabel).Op(icSetNamespace, code.InitialNamespace());
  AHandler(a, block);
  code.EndExcHdrCode(block);
  a.Bind(end);
}

// The emission conventions for try/finally.
void TryFinally(TAsm& a, const THandler& ABody,
                const TEmitter& AFinally) {
  TQelByteCode& code = a.Code();
  TQelTry* block = code.BeginProtectedBlock();
  block->FExceptionVar = code.AddLocalVarArray(2);
  block->FFinallyRetVar = code.AddLocalVar();
  block->FFinallyLabel = a.Label();
  block->FHandlerLabel = a.Label();
  TQelLabel* end = a.Label();
  ABody(a, block);
  code.EndProtectedBlock();
  auto callFinally = [&] {
    a.Op(icCallFinally, block);
    TQelLabel* back = a.Label();
    a.Bind(back);
    block->AddKnownFinallyRet(back);
  };
  callFinally();
  a.Op(icJump, end);
  code.BeginExcHdrCode(block);
  a.Bind(block->FHandlerLabel).Op(icSetNamespace, code.InitialNamespace());
  callFinally();
  a.Op(isReraise, intptr_t(block->FExceptionVar));
  a.Bind(block->FFinallyLabel);
  AFinally(a);
  a.Op(icFinallyRet, block);
  code.EndExcHdrCode(block);
  a.Bind(end);
}

// ---------------------------------------------------------------------------------------------

class TTestProcNamespace : public TQelAbstractNamespace {
 public:
  TTestProcNamespace(TQelAbstractNamespace* AParent, int AOwnName, int AParamCount,
                     const std::vector<TQelParamKind>& AParams, const std::map<int, int>& ALocals)
      : TQelAbstractNamespace(AParent), FOwnName(AOwnName), FParams(AParams), FLocals(ALocals) {
    for (int i = 0; i < AParamCount; ++i)
      FParamIds.push_back(QelNameTable().GetNameIndex(u"A" + Utf8ToString(std::to_string(i)), true));
    FResultId = QelNameTable().GetNameIndex(u"Result", true);
  }
  TQelNameSearchRes Find(TQelThread* T, int AName, const std::u16string* AStr) override {
    if (AName == FOwnName || AName == FResultId) return TQelNameSearchRes::Result();
    for (size_t i = 0; i < FParamIds.size(); ++i)
      if (FParamIds[i] == AName) return TQelNameSearchRes::Param({uint16_t(i), FParams[i]});
    if (auto it = FLocals.find(AName); it != FLocals.end())
      return TQelNameSearchRes::Local(it->second);
    return FParent->Find(T, AName, AStr);
  }
  void EnumDebugVars(bool, const TQelNamespaceEnumVarsProc&) override {}

 private:
  int FOwnName, FResultId;
  std::vector<TQelParamKind> FParams;
  std::vector<int> FParamIds;
  const std::map<int, int>& FLocals;
};

TTestProc::TTestProc(const std::u16string& AName, std::vector<TQelParamKind> AParams,
                     bool AIsFunction, TEmitter AEmitter, std::deque<TVar>& ALiterals)
    : TQelProcObject(QelNameTable().GetNameIndex(AName, true), AName),
      FParams(std::move(AParams)),
      FEmitter(std::move(AEmitter)),
      FLiterals(ALiterals) {
  FParamCount = int(FParams.size());
  SetIsFunction(AIsFunction);
}

TTestProc::~TTestProc() = default;

TTestProc* TTestProc::Clone() const {
  auto* copy = new TTestProc(FStrName, FParams, IsFunction(), FEmitter, FLiterals);
  copy->FLocalNames = FLocalNames;
  return copy;
}

void TTestProc::NameLocal(const std::u16string& AName, int ASlot) {
  FLocalNames[QelNameTable().GetNameIndex(AName, true)] = ASlot;
}

void TTestProc::EmitByteCode(TQelAbstractNamespace* AGlobalNamespace) {
  FNamespace = std::make_unique<TTestProcNamespace>(AGlobalNamespace, FName, FParamCount, FParams,
                                                    FLocalNames);
  FByteCode.BeginEmit(FStrName, FNamespace.get(), 1);
  TAsm a(FByteCode, FLiterals);
  FEmitter(a);
  FByteCode.Emit(icRet);
  FByteCode.EndEmit();
}

// ---------------------------------------------------------------------------------------------

TTestProc* TTestScript::Proc(const std::u16string& AName, std::vector<TQelParamKind> AParams,
                             bool AIsFunction, TEmitter AEmitter) {
  // The template keeps the declaration; each parse (each Initialize) reports a fresh copy.
  Templates.push_back(std::make_unique<TTestProc>(AName, AParams, AIsFunction, AEmitter, Literals));
  TTestProc* proc = Templates.back().get();
  Globals.push_back([proc]() -> TQelGlobalObject* { return proc->Clone(); });
  return proc;
}

void TTestScript::Var(const std::u16string& AName, const VARIANT& AInit) {
  auto init = std::make_shared<TVar>(AInit);
  Globals.push_back([AName, init]() -> TQelGlobalObject* {
    auto* object = new TQelVarObject(QelNameTable().GetNameIndex(AName, true), AName);
    VariantCopy(&object->Value, &init->V);
    return object;
  });
}

void TTestScript::Const(const std::u16string& AName, const VARIANT& AValue) {
  auto value = std::make_shared<TVar>(AValue);
  Globals.push_back([AName, value]() -> TQelGlobalObject* {
    auto* object = new TQelConstObject(QelNameTable().GetNameIndex(AName, true), AName);
    VariantCopy(&object->Value, &value->V);
    return object;
  });
}

void TTestScript::Intrinsic(const std::u16string& AName, TTestIntrinsic::TBody ABody) {
  Intrinsics.push_back([AName, ABody]() -> TQelGlobalObject* { return new TTestIntrinsic(AName, ABody); });
}

void TTestScript::StandardControl() {
  Intrinsics.push_back([] { return new TQelExitObject(QelNameTable().GetNameIndex(u"Exit", true), u"Exit"); });
  Intrinsics.push_back([] { return new TQelBreakObject(QelNameTable().GetNameIndex(u"Break", true), u"Break"); });
  Intrinsics.push_back([] {
    return new TQelContinueObject(QelNameTable().GetNameIndex(u"Continue", true), u"Continue");
  });
}

namespace {
class TTestParser : public IQelParserBase {
 public:
  TTestParser(TTestScript& AScript, IQelParserCallbacks* ACallbacks)
      : FScript(AScript), FCallbacks(ACallbacks) {}
  void Parse(const std::u16string&) override {
    if (FScript.FailParse) FScript.FailParse();
    for (auto& make : FScript.Globals) {
      TQelGlobalObject* object = make();
      bool duplicate = false;
      FCallbacks->GlobalObjParsed(object, duplicate);
      if (duplicate) {
        std::u16string name = object->FStrName;
        delete object;
        throw ExceptionPtr(new EQelCompileBase(u"Object or value named '%s' already exists.",
                                               {name}, 1));
      }
    }
    for (auto& emitter : FScript.GlobalStmts)
      FCallbacks->GlobalStmtParsed(std::make_unique<TTestEmitable>(emitter, FScript.Literals));
  }
  std::unique_ptr<IQelEmitable> ParseStmt(const std::u16string& ASource) override {
    return ParseExpr(ASource);
  }
  std::unique_ptr<IQelEmitable> ParseExpr(const std::u16string& ASource) override {
    auto it = FScript.Exprs.find(ASource);
    if (it == FScript.Exprs.end()) throw ExceptionPtr(new EQelCompileBase(u"Syntax error", 1));
    return std::make_unique<TTestEmitable>(it->second, FScript.Literals);
  }

 private:
  TTestScript& FScript;
  IQelParserCallbacks* FCallbacks;
};
}  // namespace

std::unique_ptr<IQelParserBase> TTestLanguage::CreateParser(IQelParserCallbacks* ACallbacks) {
  return std::make_unique<TTestParser>(FScript, ACallbacks);
}

// ---------------------------------------------------------------------------------------------

void TTestDisp::Member(const std::u16string& AName, TBody ABody) {
  FMembers.emplace_back(AnsiUpperCase(AName), std::move(ABody));
}

int TTestDisp::Calls(const std::u16string& AName) const {
  auto it = FCalls.find(AnsiUpperCase(AName));
  return it == FCalls.end() ? 0 : it->second;
}

HRESULT TTestDisp::QueryInterface(REFIID riid, void** ppv) {
  if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch)) {
    *ppv = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
  }
  *ppv = nullptr;
  return E_NOINTERFACE;
}

ULONG TTestDisp::Release() {
  ULONG n = --FRefs;
  if (n == 0) delete this;
  return n;
}

HRESULT TTestDisp::GetIDsOfNames(REFIID, LPOLESTR* rgszNames, UINT, LCID, DISPID* rgDispId) {
  ++NameLookups;
  std::u16string name = AnsiUpperCase(rgszNames[0]);
  for (size_t i = 0; i < FMembers.size(); ++i)
    if (FMembers[i].first == name) {
      rgDispId[0] = DISPID(i + 1);
      return S_OK;
    }
  rgDispId[0] = DISPID_UNKNOWN;
  return DISP_E_UNKNOWNNAME;
}

HRESULT TTestDisp::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                          VARIANT* result, EXCEPINFO*, UINT*) {
  std::vector<VARIANT> args;
  for (UINT i = params->cArgs; i-- > 0;) args.push_back(params->rgvarg[i]);
  return InvokeArgs(id, flags, args, result);
}

HRESULT TTestDisp::InvokeArgs(DISPID id, WORD flags, std::vector<VARIANT>& args, VARIANT* result) {
  if (id == DISPID_VALUE && FDefault) return FDefault(flags, args, result);
  if (id < 1 || size_t(id) > FMembers.size()) return DISP_E_MEMBERNOTFOUND;
  ++FCalls[FMembers[size_t(id) - 1].first];
  return FMembers[size_t(id) - 1].second(flags, args, result);
}

