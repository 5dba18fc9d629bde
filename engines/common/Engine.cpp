// The Active Scripting engine over a language's runtime: states, named items, parsing and the
// lock and abort protocol. The script dispatch and the error object are in EngineDispatch.cpp.
#include "engines/common/Engine.h"

#include "engines/common/EngineParts.h"

// One call into the runtime: holds the engine's lock and counts the calling thread's depth, so
// that a Close made from inside the script (through the host) leaves the runtime alone until
// the outermost entry has returned.
class TQelScriptEngine::TEntry {
 public:
  explicit TEntry(TQelScriptEngine& AEngine) : FEngine(AEngine), FGuard(AEngine.FLock) {
    std::lock_guard state(FEngine.FStateLock);
    if (FEngine.FDepth++ == 0) FEngine.FRunningThread = std::this_thread::get_id();
    FOpen = !FEngine.FClosing && FEngine.FRuntime;
  }
  ~TEntry() {
    bool drop;
    {
      std::lock_guard state(FEngine.FStateLock);
      if (--FEngine.FDepth == 0) FEngine.FRunningThread = {};
      drop = FEngine.FDepth == 0 && FEngine.FClosing;
    }
    if (drop) FEngine.DropRuntime();
  }
  TEntry(const TEntry&) = delete;
  TEntry& operator=(const TEntry&) = delete;
  // False once the engine is closing: the call must not reach the runtime.
  bool Open() const { return FOpen; }
  IQelBRuntime& Runtime() const { return *FEngine.FRuntime; }

 private:
  TQelScriptEngine& FEngine;
  std::lock_guard<std::recursive_mutex> FGuard;
  bool FOpen;
};

TQelScriptEngine::TQelScriptEngine(TQelBRuntimeFactory AFactory) : FFactory(AFactory) {}

TQelScriptEngine::~TQelScriptEngine() {
  Close();
}

HRESULT TQelScriptEngine::QueryInterface(REFIID riid, void** ppv) {
  if (!ppv) return E_POINTER;
  if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IActiveScript))
    *ppv = static_cast<IActiveScript*>(this);
  else if (IsEqualIID(riid, IID_IActiveScriptParse))
    *ppv = static_cast<IActiveScriptParse*>(this);
  else {
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

ULONG TQelScriptEngine::Release() {
  const ULONG n = FRefs.fetch_sub(1, std::memory_order_acq_rel) - 1;
  if (n == 0) delete this;
  return n;
}

void TQelScriptEngine::ChangeState(SCRIPTSTATE AState) {
  FState = AState;
  if (FSite) FSite->OnStateChange(AState);
}

HRESULT TQelScriptEngine::InitNew() {
  std::lock_guard guard(FLock);
  if (FRuntime || FClosing) return E_UNEXPECTED;
  try {
    FRuntime.reset(FFactory());
  } catch (...) {
    return E_OUTOFMEMORY;
  }
  if (!FRuntime) return E_FAIL;
  if (FSite) ChangeState(SCRIPTSTATE_INITIALIZED);
  return S_OK;
}

HRESULT TQelScriptEngine::SetScriptSite(IActiveScriptSite* pass) {
  if (!pass) return E_POINTER;
  std::lock_guard guard(FLock);
  if (FSite) return E_UNEXPECTED;
  FSite = pass;
  FSite->AddRef();
  if (FRuntime) ChangeState(SCRIPTSTATE_INITIALIZED);
  return S_OK;
}

HRESULT TQelScriptEngine::GetScriptSite(REFIID riid, void** ppvObject) {
  if (!ppvObject) return E_POINTER;
  *ppvObject = nullptr;
  std::lock_guard guard(FLock);
  return FSite ? FSite->QueryInterface(riid, ppvObject) : S_FALSE;
}

HRESULT TQelScriptEngine::GetScriptState(SCRIPTSTATE* pssState) {
  if (!pssState) return E_POINTER;
  *pssState = FState;
  return S_OK;
}

HRESULT TQelScriptEngine::SetScriptState(SCRIPTSTATE ss) {
  TEntry entry(*this);
  if (!entry.Open() || !FSite) return E_UNEXPECTED;
  if (ss == FState) return S_OK;
  switch (ss) {
    case SCRIPTSTATE_STARTED:
    case SCRIPTSTATE_CONNECTED: {
      if (FState != SCRIPTSTATE_INITIALIZED && FState != SCRIPTSTATE_STARTED && FState != SCRIPTSTATE_CONNECTED &&
          FState != SCRIPTSTATE_DISCONNECTED)
        return E_UNEXPECTED;
      ChangeState(ss);
      FSite->OnEnterScript();
      TQelBScriptError error;
      const bool ran = entry.Runtime().RunCode(error);
      FSite->OnLeaveScript();
      if (!ran) {
        Report(error, 0, nullptr);
        return SCRIPT_E_REPORTED;
      }
      return S_OK;
    }
    case SCRIPTSTATE_DISCONNECTED:
    case SCRIPTSTATE_INITIALIZED:
      ChangeState(ss);
      return S_OK;
    case SCRIPTSTATE_CLOSED:
      return Close();
    default:
      return E_INVALIDARG;
  }
}

void TQelScriptEngine::DropRuntime() {
  std::unique_ptr<IQelBRuntime> runtime;
  IActiveScriptSite* site;
  {
    std::lock_guard state(FStateLock);
    runtime = std::move(FRuntime);
    site = std::exchange(FSite, nullptr);
  }
  runtime.reset();
  FState = SCRIPTSTATE_CLOSED;
  if (site) {
    site->OnStateChange(SCRIPTSTATE_CLOSED);
    site->Release();
  }
}

HRESULT TQelScriptEngine::Close() {
  {
    std::lock_guard state(FStateLock);
    FClosing = true;
    if (FRuntime) FRuntime->Interrupt();
    // Closed from inside the script: the outermost entry drops the runtime on its way out.
    if (FDepth > 0 && FRunningThread == std::this_thread::get_id()) return S_OK;
  }
  std::lock_guard guard(FLock);  // waits for a script running on another thread
  DropRuntime();
  return S_OK;
}

HRESULT TQelScriptEngine::AddNamedItem(LPCOLESTR pstrName, DWORD dwFlags) {
  if (!pstrName) return E_POINTER;
  TEntry entry(*this);
  if (!entry.Open() || !FSite) return E_UNEXPECTED;
  IUnknown* unknown = nullptr;
  HRESULT hr = FSite->GetItemInfo(pstrName, SCRIPTINFO_IUNKNOWN, &unknown, nullptr);
  IDispatch* disp = nullptr;
  if (SUCCEEDED(hr) && unknown) hr = unknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&disp));
  if (unknown) unknown->Release();
  // An item the site cannot give (a null object) stays unknown to the script, which fails when
  // it uses the name, not now.
  if (FAILED(hr) || !disp) return S_OK;
  const bool visible = (dwFlags & SCRIPTITEM_ISVISIBLE) != 0;
  const std::string name = visible ? QelBUtf8(pstrName) : std::string();
  try {
    entry.Runtime().AddNamedObject(name, QelBObj(disp), (dwFlags & SCRIPTITEM_GLOBALMEMBERS) != 0);
  } catch (...) {
    disp->Release();
    return E_OUTOFMEMORY;
  }
  disp->Release();
  return S_OK;
}

HRESULT TQelScriptEngine::GetScriptDispatch(LPCOLESTR pstrItemName, IDispatch** ppdisp) {
  if (!ppdisp) return E_POINTER;
  *ppdisp = nullptr;
  if (pstrItemName && *pstrItemName) return E_INVALIDARG;  // named items have no code of their own
  if (!FRuntime) return E_UNEXPECTED;
  *ppdisp = QelNewScriptDispatch(this);
  return S_OK;
}

HRESULT TQelScriptEngine::GetCurrentScriptThreadID(SCRIPTTHREADID* pstidThread) {
  if (!pstidThread) return E_POINTER;
  *pstidThread = static_cast<SCRIPTTHREADID>(std::hash<std::thread::id>{}(std::this_thread::get_id()));
  return S_OK;
}

HRESULT TQelScriptEngine::GetScriptThreadID(DWORD dwWin32ThreadId, SCRIPTTHREADID* pstidThread) {
  if (!pstidThread) return E_POINTER;
  *pstidThread = dwWin32ThreadId;
  return S_OK;
}

HRESULT TQelScriptEngine::GetScriptThreadState(SCRIPTTHREADID, SCRIPTTHREADSTATE* pstsState) {
  if (!pstsState) return E_POINTER;
  std::lock_guard state(FStateLock);
  *pstsState = FDepth > 0 ? SCRIPTTHREADSTATE_RUNNING : SCRIPTTHREADSTATE_NOTINSCRIPT;
  return S_OK;
}

HRESULT TQelScriptEngine::InterruptScriptThread(SCRIPTTHREADID, const EXCEPINFO*, DWORD) {
  // Stopping one run while keeping the engine usable is not offered: Close stops it for good.
  return E_NOTIMPL;
}

HRESULT TQelScriptEngine::ParseScriptText(LPCOLESTR pstrCode, LPCOLESTR, IUnknown*, LPCOLESTR,
                                          DWORD_PTR dwSourceContextCookie, ULONG ulStartingLineNumber,
                                          DWORD dwFlags, VARIANT* pvarResult, EXCEPINFO* pexcepinfo) {
  if (pvarResult) VariantInit(pvarResult);
  TEntry entry(*this);
  if (!entry.Open() || !FSite) return E_UNEXPECTED;
  const std::string code = QelBUtf8(pstrCode ? std::u16string_view(pstrCode) : std::u16string_view());
  const int line = static_cast<int>(ulStartingLineNumber);
  const bool expression = (dwFlags & SCRIPTTEXT_ISEXPRESSION) != 0;
  TQelBScriptError error;
  bool done;
  if (FState == SCRIPTSTATE_INITIALIZED && !expression) {
    done = entry.Runtime().AddCode(code, line, error);
  } else {
    TQelBValue result;
    FSite->OnEnterScript();
    done = entry.Runtime().Execute(code, line, expression, pvarResult ? &result : nullptr, error);
    FSite->OnLeaveScript();
    if (done && pvarResult) *pvarResult = std::exchange(QelBVar(result), VARIANT{});
  }
  if (done) return S_OK;
  Report(error, dwSourceContextCookie, pexcepinfo);
  return SCRIPT_E_REPORTED;
}

void TQelScriptEngine::Report(TQelBScriptError& AError, DWORD_PTR ACookie, EXCEPINFO* AExcepInfo) {
  {
    std::lock_guard state(FStateLock);
    if (FClosing) AError.Aborted = true;
  }
  if (AError.Aborted) {
    AError.Description = QelBAbortMessage;
    AError.Code = E_ABORT;
  }
  if (AError.Code == 0) AError.Code = E_FAIL;
  if (AExcepInfo) QelFillExcepInfo(AError, *AExcepInfo);
  if (!FSite) return;
  IActiveScriptError* object = QelNewScriptError(AError, ACookie);
  FSite->OnScriptError(object);
  object->Release();
}

HRESULT TQelScriptEngine::FindGlobalId(std::u16string_view AName, DISPID& AId) {
  TEntry entry(*this);
  if (!entry.Open()) return E_UNEXPECTED;
  std::string name = QelBUtf8(AName);
  if (entry.Runtime().FindGlobal(name) == bgNone) return DISP_E_UNKNOWNNAME;
  auto [at, added] = FIds.try_emplace(name, static_cast<DISPID>(FNames.size() + 1));
  if (added) FNames.push_back(std::move(name));
  AId = at->second;
  return S_OK;
}

HRESULT TQelScriptEngine::InvokeGlobal(DISPID AId, WORD AFlags, DISPPARAMS* AParams, VARIANT* AResult,
                                       EXCEPINFO* AExcepInfo) {
  TEntry entry(*this);
  if (!entry.Open()) return E_UNEXPECTED;
  if (AId < 1 || static_cast<size_t>(AId) > FNames.size()) return DISP_E_MEMBERNOTFOUND;
  const std::string& name = FNames[static_cast<size_t>(AId) - 1];
  const UINT argCount = AParams ? AParams->cArgs : 0;
  // The arguments in natural order, borrowed (the runtime only reads them).
  std::vector<VARIANT> args(argCount);
  for (UINT i = 0; i < argCount; ++i) args[i] = AParams->rgvarg[argCount - 1 - i];
  IQelBRuntime& runtime = entry.Runtime();
  TQelBScriptError error;
  TQelBValue result;
  bool done;
  if (AFlags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
    if (argCount != 1) return DISP_E_BADPARAMCOUNT;
    done = runtime.WriteGlobal(name, QelBSlots(args.data())[0], error);
  } else if ((AFlags & DISPATCH_METHOD) && runtime.FindGlobal(name) == bgFunction) {
    FSite->OnEnterScript();
    done = runtime.CallGlobal(name, QelBSlots(args.data()), argCount, &result, error);
    FSite->OnLeaveScript();
  } else if (AFlags & DISPATCH_PROPERTYGET) {
    if (argCount != 0) return DISP_E_BADPARAMCOUNT;
    done = runtime.ReadGlobal(name, result, error);
  } else {
    return DISP_E_TYPEMISMATCH;
  }
  if (!done) {
    Report(error, 0, AExcepInfo);
    return DISP_E_EXCEPTION;
  }
  if (AResult) {
    VariantClear(AResult);
    *AResult = std::exchange(QelBVar(result), VARIANT{});
  }
  return S_OK;
}
