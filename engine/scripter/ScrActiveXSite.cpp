// The Active Scripting runner's site, error holder and code object.
#include "engine/scripter/ScrActiveXSite.h"

void TAXScriptErrorHolder::SetError(IActiveScriptError* AError) {
  if (AError) AError->AddRef();
  IActiveScriptError* old;
  {
    std::lock_guard guard(FLock);
    old = std::exchange(FLastError, AError);
  }
  if (old) old->Release();
}

bool TAXScriptErrorHolder::FormatScriptError(String& AMsg, HRESULT& ACode, int* ALine, int* ALinePos) {
  ComPtr<IActiveScriptError> error;
  {
    std::lock_guard guard(FLock);
    error = FLastError;
  }
  if (!error) return false;
  EXCEPINFO info{};
  error->GetExceptionInfo(&info);
  if (info.pfnDeferredFillIn) info.pfnDeferredFillIn(&info);
  AMsg = String(OleBstrView(info.bstrDescription));
  ACode = info.scode;
  SysFreeString(info.bstrDescription);
  SysFreeString(info.bstrSource);
  SysFreeString(info.bstrHelpFile);
  DWORD context = 0;
  ULONG line = 0;
  LONG position = 0;
  error->GetSourcePosition(&context, &line, &position);
  if (FAddSrcInfo) AMsg = QelAddSourcePosition(AMsg, FSource, static_cast<int>(line), position);
  if (ALine) *ALine = static_cast<int>(line);
  if (ALinePos) *ALinePos = position;
  return true;
}

void TAXScriptErrorHolder::CheckScriptError() {
  String message;
  HRESULT code = E_FAIL;
  int line = -1, linePos = -1;
  if (!FormatScriptError(message, code, &line, &linePos)) return;
  ClearScriptError();
  ExceptionPtr error(new EOleSysError(message, code));
  QelNoteErrorPosition(error.Get(), line, linePos);
  throw error;
}

// ---------------------------------------------------------------------------------------------

TAXCodeObject::TAXCodeObject(TAXScriptErrorHolder* AErrorHolder, IDispatch* AOrigin)
    : FErrorHolder(AErrorHolder), FOrigin(ComPtr<IDispatch>::adopt(AOrigin)) {
  FErrorHolder->AddRef();
}

TAXCodeObject::~TAXCodeObject() {
  FErrorHolder->Release();
}

HRESULT TAXCodeObject::Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags, DISPPARAMS* pDispParams,
                              VARIANT* pVarResult, EXCEPINFO* pExcepInfo, UINT* puArgErr) {
  FErrorHolder->ClearScriptError();
  const HRESULT hr = FOrigin->Invoke(dispIdMember, riid, lcid, wFlags, pDispParams, pVarResult, pExcepInfo, puArgErr);
  String message;
  HRESULT code = E_FAIL;
  if (!FErrorHolder->FormatScriptError(message, code)) return hr;
  if (pExcepInfo) {
    SysFreeString(pExcepInfo->bstrDescription);
    pExcepInfo->bstrDescription = OleAllocBstr(message);
    if (!pExcepInfo->scode) pExcepInfo->scode = code;
  }
  return DISP_E_EXCEPTION;
}

// ---------------------------------------------------------------------------------------------

HRESULT TAXSite::QueryInterface(REFIID riid, void** ppv) {
  if (!ppv) return E_POINTER;
  if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IActiveScriptSite))
    *ppv = static_cast<IActiveScriptSite*>(this);
  else if (IsEqualIID(riid, IID_IActiveScriptSiteWindow))
    *ppv = static_cast<IActiveScriptSiteWindow*>(this);
  else {
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

ULONG TAXSite::Release() {
  const ULONG n = FRefs.fetch_sub(1, std::memory_order_acq_rel) - 1;
  if (n == 0) delete this;
  return n;
}

HRESULT TAXSite::GetLCID(LCID* plcid) {
  if (!plcid) return E_POINTER;
  *plcid = LOCALE_USER_DEFAULT;
  return S_OK;
}

HRESULT TAXSite::GetItemInfo(LPCOLESTR pstrName, DWORD dwReturnMask, IUnknown** ppiunkItem, ITypeInfo** ppti) {
  if (ppiunkItem) *ppiunkItem = nullptr;
  if (ppti) *ppti = nullptr;
  if (!(dwReturnMask & SCRIPTINFO_IUNKNOWN)) return E_NOTIMPL;
  if (!ppiunkItem || !pstrName) return E_POINTER;
  std::lock_guard guard(FLock);
  if (!FRunner) return E_UNEXPECTED;
  TQelScriptControl& control = *FRunner->Control();
  try {
    const String key = QelUpperName(pstrName);
    if (const TNamedItem* item = control.NamedItems().Find(key);
        item && item->Kind == nikObject && QelDeref(item->Value).pdispVal) {
      *ppiunkItem = QelDeref(item->Value).pdispVal;
      (*ppiunkItem)->AddRef();
      return S_OK;
    }
    if (key == QelUpperName(SQelValuesHolderName) && control.ValuesHolder())
      return control.ValuesHolder()->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(ppiunkItem));
  } catch (...) {
    return E_OUTOFMEMORY;
  }
  return TYPE_E_ELEMENTNOTFOUND;
}

HRESULT TAXSite::OnScriptError(IActiveScriptError* pscripterror) {
  std::lock_guard guard(FLock);
  if (FRunner) FRunner->ErrorHolder()->SetError(pscripterror);
  return S_OK;
}

void TAXSite::Detach() {
  std::lock_guard guard(FLock);
  FRunner = nullptr;
}
