// The runner's site and code object (ScrActiveXSite.cpp).
#pragma once

#include "engine/scripter/ScrActiveX.h"
#include "engine/scripter/ScrInternal.h"

// The engine's script dispatch with the runner's error form: a call that made the engine
// report a script error answers DISP_E_EXCEPTION with the decorated message.
class TAXCodeObject final : public OleObject<IDispatch, IID_IDispatch> {
 public:
  TAXCodeObject(TAXScriptErrorHolder* AErrorHolder, IDispatch* AOrigin);  // takes over AOrigin's reference
  HRESULT GetTypeInfoCount(UINT* pctinfo) override { return FOrigin->GetTypeInfoCount(pctinfo); }
  HRESULT GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) override {
    return FOrigin->GetTypeInfo(iTInfo, lcid, ppTInfo);
  }
  HRESULT GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid, DISPID* rgDispId) override {
    return FOrigin->GetIDsOfNames(riid, rgszNames, cNames, lcid, rgDispId);
  }
  HRESULT Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags, DISPPARAMS* pDispParams,
                 VARIANT* pVarResult, EXCEPINFO* pExcepInfo, UINT* puArgErr) override;

 private:
  ~TAXCodeObject() override;
  TAXScriptErrorHolder* FErrorHolder;  // counted
  ComPtr<IDispatch> FOrigin;
};

// Answers the engine for the runner; detached when the runner goes, after which it refuses.
class TAXSite final : public IActiveScriptSite, public IActiveScriptSiteWindow {
 public:
  explicit TAXSite(TActiveXRunner* ARunner) : FRunner(ARunner) {}
  HRESULT QueryInterface(REFIID riid, void** ppv) override;
  ULONG AddRef() override { return FRefs.fetch_add(1, std::memory_order_relaxed) + 1; }
  ULONG Release() override;

  HRESULT GetLCID(LCID* plcid) override;
  HRESULT GetItemInfo(LPCOLESTR pstrName, DWORD dwReturnMask, IUnknown** ppiunkItem, ITypeInfo** ppti) override;
  HRESULT GetDocVersionString(BSTR* pbstrVersion) override {
    if (pbstrVersion) *pbstrVersion = nullptr;
    return E_NOTIMPL;
  }
  HRESULT OnScriptTerminate(const VARIANT*, const EXCEPINFO*) override { return S_OK; }
  HRESULT OnStateChange(SCRIPTSTATE) override { return S_OK; }
  HRESULT OnScriptError(IActiveScriptError* pscripterror) override;
  HRESULT OnEnterScript() override { return S_OK; }
  HRESULT OnLeaveScript() override { return S_OK; }
  // The host has no window handle of its own here: a null window.
  HRESULT GetWindow(HWND* phwnd) override {
    if (!phwnd) return E_POINTER;
    *phwnd = nullptr;
    return S_OK;
  }
  HRESULT EnableModeless(BOOL) override { return S_OK; }

  void Detach();

 private:
  ~TAXSite() = default;
  std::atomic<ULONG> FRefs{1};
  std::mutex FLock;
  TActiveXRunner* FRunner;  // not owned
};
