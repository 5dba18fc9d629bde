// Test kit for the machine: a stub language whose "parser" runs test-supplied builders, a small
// assembler over TQelByteCode, procedure namespaces, a scriptable dispatch object and variant
// helpers (shared by the tests and the benchmarks). There is no compiler at this layer: tests assemble code through the emission
// interface.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/vm/QelSctVM.h"
#include "tests/support/QelTestVariant.h"

// ---------------------------------------------------------------------------------------------
// Variants

struct TVar : TQelTestVariant {
  TVar() = default;
  explicit TVar(const VARIANT& AValue) { V = AValue; }  // adopts
};

inline VARIANT MakeI4(int32_t A) { VARIANT v{}; v.vt = VT_I4; v.lVal = A; return v; }
inline VARIANT MakeI2(int16_t A) { VARIANT v{}; v.vt = VT_I2; v.iVal = A; return v; }
inline VARIANT MakeI8(int64_t A) { VARIANT v{}; v.vt = VT_I8; v.llVal = A; return v; }
inline VARIANT MakeUI1(uint8_t A) { VARIANT v{}; v.vt = VT_UI1; v.bVal = A; return v; }
inline VARIANT MakeUI2(uint16_t A) { VARIANT v{}; v.vt = VT_UI2; v.uiVal = A; return v; }
inline VARIANT MakeUI4(uint32_t A) { VARIANT v{}; v.vt = VT_UI4; v.ulVal = A; return v; }
inline VARIANT MakeR8(double A) { VARIANT v{}; v.vt = VT_R8; v.dblVal = A; return v; }
inline VARIANT MakeBool(bool A) { VARIANT v{}; v.vt = VT_BOOL; v.boolVal = A ? VARIANT_TRUE : VARIANT_FALSE; return v; }
inline VARIANT MakeNull() { VARIANT v{}; v.vt = VT_NULL; return v; }
inline VARIANT MakeEmpty() { return VARIANT{}; }
inline VARIANT MakeStr(std::u16string_view A) { VARIANT v{}; v.vt = VT_BSTR; v.bstrVal = OleAllocBstr(A); return v; }
inline VARIANT MakeDisp(IDispatch* A) { VARIANT v{}; v.vt = VT_DISPATCH; v.pdispVal = A; if (A) A->AddRef(); return v; }

inline std::string Utf8(std::u16string_view A) { return StringToUtf8(A); }

// A printable description "vt:value" used to compare results in tables.
std::string Describe(const VARIANT& AValue);

// ---------------------------------------------------------------------------------------------
// Assembler

class TAsm {
 public:
  TAsm(TQelByteCode& ACode, std::deque<TVar>& ALiterals) : FCode(ACode), FLiterals(ALiterals) {}
  TQelByteCode& Code() { return FCode; }
  TAsm& Op(TQelInstrCode ACode, intptr_t AData = 0) {
    FCode.Emit(ACode, AData);
    return *this;
  }
  template <class T>
  TAsm& Op(TQelInstrCode ACode, const T* AData) {
    FCode.Emit(ACode, AData);
    return *this;
  }
  TAsm& Lit(const VARIANT& AValue);  // adopts AValue
  TAsm& Int(int32_t A) { return Lit(MakeI4(A)); }
  TAsm& Str(std::u16string_view A) { return Lit(MakeStr(A)); }
  // A call; the result slot (when not an assignment) must have been reserved with icPush 1.
  TQelCall* Call(TQelInstrCode ACode, const std::u16string& AName, TQelBracketType ABracket,
                 int AArgCount, bool AResUsed = true);
  TQelLabel* Label() { return FCode.CreateLabel(); }
  TAsm& Bind(TQelLabel* ALabel) {
    FCode.BindLabel(ALabel);
    return *this;
  }
  int Local() { return FCode.AddLocalVar(); }
  TAsm& Pos(int APos) {
    int old;
    FCode.BeginSourcePos(APos, old);
    return *this;
  }

 private:
  TQelByteCode& FCode;
  std::deque<TVar>& FLiterals;
};

using TEmitter = std::function<void(TAsm&)>;
using THandler = std::function<void(TAsm&, TQelTry*)>;

// Protected blocks with the compilers' emission conventions. The handler of TryExcept must end
// every path with icExceptDone (or leave by raising).
void TryExcept(TAsm& a, const TEmitter& ABody, const THandler& AHandler);
void TryFinally(TAsm& a, const THandler& ABody, const TEmitter& AFinally);

// ---------------------------------------------------------------------------------------------
// Stub language

class TTestProcNamespace;

// A script procedure whose code is assembled by a test emitter.
class TTestProc : public TQelProcObject {
 public:
  TTestProc(const std::u16string& AName, std::vector<TQelParamKind> AParams, bool AIsFunction,
            TEmitter AEmitter, std::deque<TVar>& ALiterals);
  ~TTestProc() override;
  void EmitByteCode(TQelAbstractNamespace* AGlobalNamespace) override;
  // Names a local slot of this procedure for run-time lookups.
  void NameLocal(const std::u16string& AName, int ASlot);
  TTestProc* Clone() const;

 private:
  std::vector<TQelParamKind> FParams;
  TEmitter FEmitter;
  std::deque<TVar>& FLiterals;
  std::unique_ptr<TTestProcNamespace> FNamespace;
  std::map<int, int> FLocalNames;
};

class TTestEmitable : public IQelEmitable {
 public:
  TTestEmitable(TEmitter AEmitter, std::deque<TVar>& ALiterals)
      : FEmitter(std::move(AEmitter)), FLiterals(ALiterals) {}
  void Emit(TQelAbstractNamespace*, TQelByteCode* AByteCode) override {
    TAsm a(*AByteCode, FLiterals);
    a.Pos(1);
    FEmitter(a);
  }

 private:
  TEmitter FEmitter;
  std::deque<TVar>& FLiterals;
};

class TTestIntrinsic : public TIntrinsic {
 public:
  using TBody = std::function<void(TQelCall*, VARIANT*, VARIANT&)>;
  TTestIntrinsic(const std::u16string& AName, TBody ABody)
      : TIntrinsic(QelNameTable().GetNameIndex(AName, true), AName), FBody(std::move(ABody)) {}
  void Execute(TQelVMBase*, TQelCall* ACall, VARIANT* AArgs, VARIANT& AResult) override {
    FBody(ACall, AArgs, AResult);
  }

 private:
  TBody FBody;
};

// What a test script declares; the stub parser reports it through the callbacks.
struct TTestScript {
  std::deque<TVar> Literals;
  std::vector<std::unique_ptr<TTestProc>> Templates;
  std::vector<std::function<TQelGlobalObject*()>> Globals;
  std::vector<TEmitter> GlobalStmts;
  std::vector<std::function<TQelGlobalObject*()>> Intrinsics;
  std::map<std::u16string, TEmitter> Exprs;  // text -> expression code (ParseExpr/ParseStmt)
  std::function<void()> FailParse;           // raises a compile error when set

  // Returns the declaration's template (name locals on it before Start).
  TTestProc* Proc(const std::u16string& AName, std::vector<TQelParamKind> AParams,
                  bool AIsFunction, TEmitter AEmitter);
  void Var(const std::u16string& AName, const VARIANT& AInit = VARIANT{});  // adopts AInit
  void Const(const std::u16string& AName, const VARIANT& AValue);          // adopts AValue
  void Intrinsic(const std::u16string& AName, TTestIntrinsic::TBody ABody);
  void StandardControl();  // the Exit, Break and Continue objects
};

class TTestLanguage : public IQelLanguage {
 public:
  explicit TTestLanguage(TTestScript& AScript) : FScript(AScript) {}
  std::unique_ptr<IQelParserBase> CreateParser(IQelParserCallbacks* ACallbacks) override;
  void EnumGlobalObjects(const std::function<void(TQelGlobalObject*)>& AProc) override {
    for (auto& make : FScript.Intrinsics) AProc(make());
  }
  std::u16string GetUnassignedText() override { return u"Unassigned"; }
  std::u16string GetNilText() override { return u"nil"; }
  std::u16string GetNullText() override { return u"Null"; }
  std::u16string QuoteString(const std::u16string& AText) override { return u"'" + AText + u"'"; }

 private:
  TTestScript& FScript;
};

// ---------------------------------------------------------------------------------------------
// A scriptable dispatch object: members by name with a body per member.

class TTestDisp : public IDispatch {
 public:
  // AArgs in natural order; AIsPut: the last argument is the value.
  using TBody = std::function<HRESULT(WORD AFlags, std::vector<VARIANT>& AArgs, VARIANT* AResult)>;
  TTestDisp() = default;
  virtual ~TTestDisp() = default;
  // Dispatch id = position + 1; id 0 is the default member when set.
  void Member(const std::u16string& AName, TBody ABody);
  void Default(TBody ABody) { FDefault = std::move(ABody); }
  int Calls(const std::u16string& AName) const;
  int NameLookups = 0;

  HRESULT QueryInterface(REFIID riid, void** ppv) override;
  ULONG AddRef() override { return ++FRefs; }
  ULONG Release() override;
  HRESULT GetTypeInfoCount(UINT* p) override { *p = 0; return S_OK; }
  HRESULT GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT GetIDsOfNames(REFIID, LPOLESTR* rgszNames, UINT cNames, LCID, DISPID* rgDispId) override;
  HRESULT Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                 EXCEPINFO* excep, UINT*) override;
  // Invoke's work, the arguments in natural order.
  HRESULT InvokeArgs(DISPID id, WORD flags, std::vector<VARIANT>& args, VARIANT* result);

 private:
  std::vector<std::pair<std::u16string, TBody>> FMembers;
  std::map<std::u16string, int> FCalls;
  TBody FDefault;
  std::atomic<ULONG> FRefs{1};
};

