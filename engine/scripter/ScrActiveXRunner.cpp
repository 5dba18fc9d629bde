// The Active Scripting runner: the calls made on the engine, in the order the runner contract
// fixes, and the conversion of the engine's failures into host exceptions.
#include "engine/scripter/ScrActiveXSite.h"
#include "platform/ole/OleRegistry.h"

namespace {

// A failing platform call: its HRESULT with the system's text.
void Check(HRESULT AResult) {
  if (FAILED(AResult)) QelRaiseOleError(OleErrorText(AResult), AResult);
}

// Raises what a failed call's HRESULT and exception information say; frees the information.
void FreeExcepInfo(EXCEPINFO& AInfo) {
  SysFreeString(AInfo.bstrDescription);
  SysFreeString(AInfo.bstrSource);
  SysFreeString(AInfo.bstrHelpFile);
  AInfo = {};
}

void CheckInvokeResult(HRESULT AResult, EXCEPINFO& AInfo) {
  if (AInfo.pfnDeferredFillIn) AInfo.pfnDeferredFillIn(&AInfo);
  const String description(OleBstrView(AInfo.bstrDescription));
  const SCODE scode = AInfo.scode;
  FreeExcepInfo(AInfo);
  if (!FAILED(AResult)) return;
  if (AResult == DISP_E_EXCEPTION) {
    if (FAILED(scode)) QelRaiseOleError(description, scode);
    return;
  }
  Check(AResult);
}

// Arguments copied shallowly, last first, as Invoke takes them.
std::vector<VARIANT> Reversed(VARIANT* AArgs, int AArgCount) {
  std::vector<VARIANT> reversed(static_cast<size_t>(AArgCount));
  for (int i = 0; i < AArgCount; ++i) reversed[static_cast<size_t>(i)] = AArgs[AArgCount - 1 - i];
  return reversed;
}

}  // namespace

TActiveXRunner::TActiveXRunner(TQelScriptControl* ASControl, bool AAddSrcInfo)
    : FSControl(ASControl),
      FAddSrcInfo(AAddSrcInfo),
      FSite(new TAXSite(this)),
      FErrorHolder(new TAXScriptErrorHolder(AAddSrcInfo, ASControl)) {}

TActiveXRunner::~TActiveXRunner() {
  try {
    Close();
  } catch (...) {
    // an engine that fails to close is dropped with the runner
  }
  FSite->Detach();
  FSite->Release();
  FErrorHolder->Release();
}

void TActiveXRunner::Prepare(TRunnerDebugBase* /*ARunnerDebug*/) {
  try {
    const String source = FSControl->GetSource().SourceText();
    const String engine(QelScriptEngineName(FSControl->GetLanguage()));
    const String cantCreate = Exception::FormatMessage(SQelCantCreateEngine, {engine});
    CLSID clsid;
    HRESULT hr = CLSIDFromProgID(engine.c_str(), &clsid);
    if (FAILED(hr)) QelRaiseOleError(cantCreate, hr);
    ComPtr<IUnknown> object;
    Check(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, object.putVoid()));
    hr = object->QueryInterface(IID_IActiveScript, FScript.putVoid());
    if (FAILED(hr)) QelRaiseOleError(cantCreate, hr);
    hr = object->QueryInterface(IID_IActiveScriptParse, FScriptParse.putVoid());
    if (FAILED(hr)) QelRaiseOleError(cantCreate, hr);
    Check(FScriptParse->InitNew());
    Check(FScript->SetScriptSite(FSite));
    FSourceContext = 0;
    FErrorHolder->ClearScriptError();
    EXCEPINFO info{};
    hr = FScriptParse->ParseScriptText(source.c_str(), nullptr, nullptr, nullptr, FSourceContext, 0, 0, nullptr,
                                       &info);
    if (FAILED(hr)) {
      // The site's error wins over the EXCEPINFO, whose strings go either way.
      try {
        FErrorHolder->CheckScriptError();
      } catch (...) {
        FreeExcepInfo(info);
        throw;
      }
    }
    CheckInvokeResult(hr, info);
    AddNamedObjectsToEngine(*FSControl);
    AddNamedItem(SQelValuesHolderName, SCRIPTITEM_ISVISIBLE | SCRIPTITEM_GLOBALMEMBERS);
    IDispatch* origin = nullptr;
    Check(FScript->GetScriptDispatch(nullptr, &origin));
    FCodeObject = new TAXCodeObject(FErrorHolder, origin);
  } catch (...) {
    Close();
    throw;
  }
}

void TActiveXRunner::Open() {
  if (!FScript) QelRaiseOleError(OleErrorText(E_UNEXPECTED), E_UNEXPECTED);
  FErrorHolder->ClearScriptError();
  const HRESULT hr = FScript->SetScriptState(SCRIPTSTATE_STARTED);
  FErrorHolder->CheckScriptError();
  Check(hr);
}

void TActiveXRunner::Close() {
  if (FScript) FScript->Close();
  if (IDispatch* code = std::exchange(FCodeObject, nullptr)) code->Release();
  FScriptParse.reset();
  FScript.reset();
}

void TActiveXRunner::AddNamedItem(std::u16string_view AName, DWORD AFlags) {
  if (!FScript) return;
  const String name(AName);
  Check(FScript->AddNamedItem(name.c_str(), AFlags));
}

void TActiveXRunner::AddNamedObjectToEngine(const TNamedItem& AItem) {
  AddNamedItem(AItem.Name, SCRIPTITEM_ISVISIBLE | (AItem.PubMembers ? SCRIPTITEM_GLOBALMEMBERS : 0));
}

VARIANT TActiveXRunner::InvokeCode(std::u16string_view AName, WORD AFlags, VARIANT* AArgs, int AArgCount) {
  // The code object and the error holder may outlive the runner: a Close from another thread
  // may free it while this call is still in the engine.
  ComPtr<IDispatch> code(FCodeObject);
  TAXScriptErrorHolder* holder = FErrorHolder;
  if (!code) QelRaiseOleError(OleErrorText(E_UNEXPECTED), E_UNEXPECTED);
  holder->AddRef();
  struct TRelease {
    TAXScriptErrorHolder* Holder;
    ~TRelease() { Holder->Release(); }
  } release{holder};
  String name(AName);
  LPOLESTR names[1] = {name.data()};
  DISPID id = DISPID_UNKNOWN;
  Check(code->GetIDsOfNames(IID_NULL, names, 1, 0, &id));
  std::vector<VARIANT> args = Reversed(AArgs, AArgCount);
  DISPID put = DISPID_PROPERTYPUT;
  const bool isPut = AFlags == DISPATCH_PROPERTYPUT;
  DISPPARAMS params{args.data(), isPut ? &put : nullptr, static_cast<UINT>(AArgCount), isPut ? 1u : 0u};
  holder->ClearScriptError();
  VARIANT result;
  VariantInit(&result);
  EXCEPINFO info{};
  UINT argError = 0;
  const HRESULT hr = code->Invoke(id, IID_NULL, 0, AFlags, &params, isPut ? nullptr : &result, &info, &argError);
  if (hr != S_OK) {
    try {
      holder->CheckScriptError();
      CheckInvokeResult(hr, info);
    } catch (...) {
      VariantClear(&result);
      FreeExcepInfo(info);
      throw;
    }
  }
  return result;
}

VARIANT TActiveXRunner::RunProc(std::u16string_view AName) { return InvokeCode(AName, DISPATCH_METHOD, nullptr, 0); }

VARIANT TActiveXRunner::RunProc(std::u16string_view AName, VARIANT* AArgs, int AArgCount) {
  if (AArgCount > QelMaxRunProcArgs) QelRaiseOleError(SQelTooManyParameters, E_INVALIDARG);
  return InvokeCode(AName, DISPATCH_METHOD, AArgs, AArgCount);
}

VARIANT TActiveXRunner::ReadVar(std::u16string_view AName) {
  return InvokeCode(AName, DISPATCH_PROPERTYGET, nullptr, 0);
}

void TActiveXRunner::WriteVar(std::u16string_view AName, const VARIANT& AValue) {
  VARIANT value = AValue;  // shallow: Invoke only reads it
  VARIANT result = InvokeCode(AName, DISPATCH_PROPERTYPUT, &value, 1);
  VariantClear(&result);
}

VARIANT TActiveXRunner::ParseText(std::u16string_view AText, DWORD AFlags) {
  if (!FScriptParse) QelRaiseOleError(OleErrorText(E_UNEXPECTED), E_UNEXPECTED);
  ComPtr<IActiveScriptParse> parse(FScriptParse.get());
  TAXScriptErrorHolder* holder = FErrorHolder;
  holder->AddRef();
  struct TRelease {
    TAXScriptErrorHolder* Holder;
    ~TRelease() { Holder->Release(); }
  } release{holder};
  const String text(AText);
  holder->ClearScriptError();
  VARIANT result;
  VariantInit(&result);
  const bool expression = (AFlags & SCRIPTTEXT_ISEXPRESSION) != 0;
  EXCEPINFO info{};
  const HRESULT hr = parse->ParseScriptText(text.c_str(), nullptr, nullptr, nullptr, 0, 0, AFlags,
                                            expression ? &result : nullptr, &info);
  if (FAILED(hr)) {
    VariantClear(&result);
    holder->CheckScriptError();
  }
  CheckInvokeResult(hr, info);
  return result;
}

VARIANT TActiveXRunner::Eval(std::u16string_view AExpr) { return ParseText(AExpr, SCRIPTTEXT_ISEXPRESSION); }

void TActiveXRunner::ExecStmt(std::u16string_view AStmt) {
  VARIANT result = ParseText(AStmt, 0);
  VariantClear(&result);
}

namespace {
std::unique_ptr<TPreparedDynCode> Prepared(std::u16string_view AText, bool AIsExpr) {
  auto code = std::make_unique<TPreparedDynCode>();
  code->FSource.SetText(std::u16string(AText));
  code->FIsExpr = AIsExpr;
  return code;
}

TPreparedDynCode& Require(TPreparedDynCode* ACode) {
  if (!ACode || ACode->FVM) QelRaiseOleError(OleErrorText(E_INVALIDARG), E_INVALIDARG);
  return *ACode;
}
}  // namespace

// The engines compile quickly and keep no handle to a compiled text: a prepared text is the
// text itself.
std::unique_ptr<TPreparedDynCode> TActiveXRunner::PrepareExpr(std::u16string_view AExpr) {
  return Prepared(AExpr, true);
}

std::unique_ptr<TPreparedDynCode> TActiveXRunner::PrepareStmt(std::u16string_view AStmt) {
  return Prepared(AStmt, false);
}

VARIANT TActiveXRunner::Eval(TPreparedDynCode* APreparedExpr) {
  return Eval(Require(APreparedExpr).FSource.Text());
}

void TActiveXRunner::ExecStmt(TPreparedDynCode* APreparedStmt) { ExecStmt(Require(APreparedStmt).FSource.Text()); }

void TActiveXRunner::AdjustBreakpoint(int, bool, bool, bool& AIsValid) {
  // Breakpoints in these engines come with the debugger, which is not attached to them yet.
  AIsValid = false;
}
