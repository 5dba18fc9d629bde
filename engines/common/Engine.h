// The Active Scripting face every embedded interpreter shares: IActiveScript and
// IActiveScriptParse over one IQelBRuntime, the script dispatch (the script's globals as
// members), the error object handed to the site, and the lock and abort protocol.
#pragma once

#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "engines/common/BridgeInternal.h"
#include "platform/activescript/ActivScp.h"

class TQelScriptEngine final : public IActiveScript, public IActiveScriptParse {
 public:
  explicit TQelScriptEngine(TQelBRuntimeFactory AFactory);

  HRESULT QueryInterface(REFIID riid, void** ppv) override;
  ULONG AddRef() override { return FRefs.fetch_add(1, std::memory_order_relaxed) + 1; }
  ULONG Release() override;

  // IActiveScript
  HRESULT SetScriptSite(IActiveScriptSite* pass) override;
  HRESULT GetScriptSite(REFIID riid, void** ppvObject) override;
  HRESULT SetScriptState(SCRIPTSTATE ss) override;
  HRESULT GetScriptState(SCRIPTSTATE* pssState) override;
  HRESULT Close() override;
  HRESULT AddNamedItem(LPCOLESTR pstrName, DWORD dwFlags) override;
  HRESULT AddTypeLib(REFGUID, DWORD, DWORD, DWORD) override { return E_NOTIMPL; }
  HRESULT GetScriptDispatch(LPCOLESTR pstrItemName, IDispatch** ppdisp) override;
  HRESULT GetCurrentScriptThreadID(SCRIPTTHREADID* pstidThread) override;
  HRESULT GetScriptThreadID(DWORD dwWin32ThreadId, SCRIPTTHREADID* pstidThread) override;
  HRESULT GetScriptThreadState(SCRIPTTHREADID stidThread, SCRIPTTHREADSTATE* pstsState) override;
  HRESULT InterruptScriptThread(SCRIPTTHREADID stidThread, const EXCEPINFO* pexcepinfo, DWORD dwFlags) override;
  HRESULT Clone(IActiveScript** ppscript) override {
    if (ppscript) *ppscript = nullptr;
    return E_NOTIMPL;
  }

  // IActiveScriptParse
  HRESULT InitNew() override;
  HRESULT AddScriptlet(LPCOLESTR, LPCOLESTR, LPCOLESTR, LPCOLESTR, LPCOLESTR, LPCOLESTR, DWORD_PTR, ULONG, DWORD,
                       BSTR* pbstrName, EXCEPINFO*) override {
    if (pbstrName) *pbstrName = nullptr;
    return E_NOTIMPL;
  }
  HRESULT ParseScriptText(LPCOLESTR pstrCode, LPCOLESTR pstrItemName, IUnknown* punkContext,
                          LPCOLESTR pstrDelimiter, DWORD_PTR dwSourceContextCookie, ULONG ulStartingLineNumber,
                          DWORD dwFlags, VARIANT* pvarResult, EXCEPINFO* pexcepinfo) override;

  // The script dispatch's side (TScriptDispatch).
  HRESULT FindGlobalId(std::u16string_view AName, DISPID& AId);
  HRESULT InvokeGlobal(DISPID AId, WORD AFlags, DISPPARAMS* AParams, VARIANT* AResult, EXCEPINFO* AExcepInfo);

 private:
  class TEntry;
  ~TQelScriptEngine();
  // Hands the error to the site; fills AExcepInfo when given.
  void Report(TQelBScriptError& AError, DWORD_PTR ACookie, EXCEPINFO* AExcepInfo);
  void ChangeState(SCRIPTSTATE AState);
  void DropRuntime();

  std::atomic<ULONG> FRefs{1};
  TQelBRuntimeFactory FFactory;
  // Held around every call into the runtime; Close takes it to wait for a running script.
  std::recursive_mutex FLock;
  std::mutex FStateLock;  // FClosing and the running thread
  bool FClosing = false;
  std::thread::id FRunningThread;
  int FDepth = 0;  // entries of FRunningThread (under FLock)
  std::unique_ptr<IQelBRuntime> FRuntime;
  IActiveScriptSite* FSite = nullptr;  // counted
  SCRIPTSTATE FState = SCRIPTSTATE_UNINITIALIZED;
  std::vector<std::string> FNames;     // script dispatch identifiers, 1-based
  std::map<std::string, DISPID> FIds;
};
