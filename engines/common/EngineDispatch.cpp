// The script dispatch, the error object and the engines' registration.
#include <cstring>

#include "engines/common/EngineParts.h"
#include "platform/ole/OleRegistry.h"

namespace {

class TScriptDispatch final : public OleObject<IDispatch, IID_IDispatch> {
 public:
  explicit TScriptDispatch(TQelScriptEngine* AEngine) : FEngine(AEngine) { FEngine->AddRef(); }
  HRESULT GetTypeInfoCount(UINT* pctinfo) override {
    if (pctinfo) *pctinfo = 0;
    return S_OK;
  }
  HRESULT GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo) override {
    if (ppTInfo) *ppTInfo = nullptr;
    return E_NOTIMPL;
  }
  HRESULT GetIDsOfNames(REFIID, LPOLESTR* rgszNames, UINT cNames, LCID, DISPID* rgDispId) override {
    if (!rgszNames || !rgDispId || cNames == 0 || !rgszNames[0]) return E_INVALIDARG;
    for (UINT i = 0; i < cNames; ++i) rgDispId[i] = DISPID_UNKNOWN;
    return FEngine->FindGlobalId(rgszNames[0], rgDispId[0]);
  }
  HRESULT Invoke(DISPID dispIdMember, REFIID, LCID, WORD wFlags, DISPPARAMS* pDispParams, VARIANT* pVarResult,
                 EXCEPINFO* pExcepInfo, UINT*) override {
    if (pDispParams && pDispParams->cArgs && !pDispParams->rgvarg) return E_INVALIDARG;
    return FEngine->InvokeGlobal(dispIdMember, wFlags, pDispParams, pVarResult, pExcepInfo);
  }

 private:
  ~TScriptDispatch() override { FEngine->Release(); }
  TQelScriptEngine* FEngine;
};

class TScriptError final : public OleObject<IActiveScriptError, IID_IActiveScriptError> {
 public:
  TScriptError(const TQelBScriptError& AError, DWORD_PTR ACookie) : FError(AError), FCookie(ACookie) {}
  HRESULT GetExceptionInfo(EXCEPINFO* pexcepinfo) override {
    if (!pexcepinfo) return E_POINTER;
    QelFillExcepInfo(FError, *pexcepinfo);
    return S_OK;
  }
  HRESULT GetSourcePosition(DWORD* pdwSourceContext, ULONG* pulLineNumber, LONG* plCharacterPosition) override {
    if (pdwSourceContext) *pdwSourceContext = static_cast<DWORD>(FCookie);
    if (pulLineNumber) *pulLineNumber = static_cast<ULONG>(FError.Line);
    if (plCharacterPosition) *plCharacterPosition = FError.Position;
    return S_OK;
  }
  HRESULT GetSourceLineText(BSTR* pbstrSourceLine) override {
    if (pbstrSourceLine) *pbstrSourceLine = nullptr;
    return E_FAIL;
  }

 private:
  TQelBScriptError FError;
  DWORD_PTR FCookie;
};

// A class identifier made from the engine name, so that each engine keeps its own.
CLSID ClassIdOf(std::u16string_view AName) {
  uint64_t hash = 1469598103934665603ull;
  for (char16_t c : AName) {
    const char16_t upper = c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c;
    hash = (hash ^ upper) * 1099511628211ull;
  }
  CLSID id{0x51E10000u | static_cast<uint32_t>(hash & 0xFFFF), 0x5C71, 0x4E6A, {}};
  for (int i = 0; i < 8; ++i) id.Data4[i] = static_cast<uint8_t>(hash >> (8 * i));
  return id;
}

}  // namespace

IDispatch* QelNewScriptDispatch(TQelScriptEngine* AEngine) { return new TScriptDispatch(AEngine); }

IActiveScriptError* QelNewScriptError(const TQelBScriptError& AError, DWORD_PTR ACookie) {
  return new TScriptError(AError, ACookie);
}

void QelFillExcepInfo(const TQelBScriptError& AError, EXCEPINFO& AInfo) {
  std::memset(&AInfo, 0, sizeof AInfo);
  AInfo.bstrDescription = OleAllocBstr(QelBUtf16(AError.Description));
  AInfo.scode = AError.Code;
}

void QelRegisterScriptEngine(std::u16string_view AEngineName, TQelBRuntimeFactory AFactory) {
  OleRegisterClass(AEngineName, ClassIdOf(AEngineName), [AFactory](REFIID AIid, void** AObject) -> HRESULT {
    auto* engine = new TQelScriptEngine(AFactory);
    const HRESULT hr = engine->QueryInterface(AIid, AObject);
    engine->Release();
    return hr;
  });
}
