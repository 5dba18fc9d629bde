#include "tools/qelrun/QelRunMessages.h"

#include <cstdio>

#include "engine/scripter/QelValue.h"
#include "engine/wrappers/QelSctWrappers.h"
#include "host/core/Classes.h"

namespace {

// The memo's lines: what is added is echoed at once, so output survives a later failure.
class TConsoleLines final : public TStringList {
 public:
  TQelMessageSink Sink;

 protected:
  void InsertItem(int AIndex, const String& S, TObject* AObject) override {
    TStringList::InsertItem(AIndex, S, AObject);
    if (Sink) {
      Sink(S);
      return;
    }
    const std::string text = StringToUtf8(S) + '\n';
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
  }
};

template <class TBody>
HRESULT Guarded(EXCEPINFO* AExcepInfo, TBody&& ABody) {
  try {
    return ABody();
  } catch (...) {
    return ExceptionToHResult(AExcepInfo);
  }
}

// The script's face of the lines: the string-list wrapper, except that Add shows values as
// the memo would (the wrapper's own text conversion prints booleans as numbers).
class TConsoleLinesProxy final : public OleObject<IDispatch, IID_IDispatch> {
 public:
  explicit TConsoleLinesProxy(TConsoleLines& ALines) : FLines(ALines) {
    VARIANT wrapper = ObjectToVar(&ALines);
    FInner = wrapper.pdispVal;  // the variant's reference is kept
    LPOLESTR add = const_cast<LPOLESTR>(u"Add");
    if (FAILED(FInner->GetIDsOfNames(IID_NULL, &add, 1, 0, &FAddId))) FAddId = DISPID_UNKNOWN;
  }
  HRESULT GetTypeInfoCount(UINT* pctinfo) override { return FInner->GetTypeInfoCount(pctinfo); }
  HRESULT GetTypeInfo(UINT i, LCID l, ITypeInfo** t) override { return FInner->GetTypeInfo(i, l, t); }
  HRESULT GetIDsOfNames(REFIID r, LPOLESTR* n, UINT c, LCID l, DISPID* d) override {
    return FInner->GetIDsOfNames(r, n, c, l, d);
  }
  HRESULT Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags, DISPPARAMS* pDispParams,
                 VARIANT* pVarResult, EXCEPINFO* pExcepInfo, UINT* puArgErr) override {
    if (dispIdMember != FAddId || !pDispParams || pDispParams->cArgs != 1 || pDispParams->cNamedArgs != 0)
      return FInner->Invoke(dispIdMember, riid, lcid, wFlags, pDispParams, pVarResult, pExcepInfo, puArgErr);
    return Guarded(pExcepInfo, [&] {
      const int index = FLines.Add(qel::Value(pDispParams->rgvarg[0]).ToU16String());
      if (pVarResult) {
        VariantClear(pVarResult);
        *pVarResult = QelIntVar(index);
      }
      return S_OK;
    });
  }

 private:
  ~TConsoleLinesProxy() override { FInner->Release(); }
  TConsoleLines& FLines;
  IDispatch* FInner;
  DISPID FAddId = DISPID_UNKNOWN;
};

enum : DISPID { idLines = 1, idClear = 2 };

class TConsoleMessageList final : public OleObject<IDispatch, IID_IDispatch> {
 public:
  explicit TConsoleMessageList(TQelMessageSink ASink) : FLinesProxy(new TConsoleLinesProxy(FLines)) {
    FLines.Sink = std::move(ASink);
  }
  HRESULT GetTypeInfoCount(UINT* pctinfo) override {
    if (pctinfo) *pctinfo = 0;
    return S_OK;
  }
  HRESULT GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT GetIDsOfNames(REFIID, LPOLESTR* rgszNames, UINT cNames, LCID, DISPID* rgDispId) override {
    if (cNames != 1) return DISP_E_UNKNOWNNAME;
    const String name = QelUpperName(rgszNames[0]);
    rgDispId[0] = name == u"LINES" ? idLines : name == u"CLEAR" ? idClear : DISPID_UNKNOWN;
    return rgDispId[0] == DISPID_UNKNOWN ? DISP_E_UNKNOWNNAME : S_OK;
  }
  HRESULT Invoke(DISPID dispIdMember, REFIID, LCID, WORD wFlags, DISPPARAMS* pDispParams, VARIANT* pVarResult,
                 EXCEPINFO* pExcepInfo, UINT*) override {
    const UINT argCount = pDispParams ? pDispParams->cArgs : 0;
    if (dispIdMember != idLines && dispIdMember != idClear) return DISP_E_MEMBERNOTFOUND;
    // Lines[i] arrives as Lines with an index: the lines' default property answers it.
    if (dispIdMember == idLines && argCount != 0)
      return FLinesProxy->Invoke(DISPID_VALUE, IID_NULL, 0, wFlags, pDispParams, pVarResult, pExcepInfo, nullptr);
    if (argCount != 0) return DISP_E_BADPARAMCOUNT;
    return Guarded(pExcepInfo, [&] {
      if (dispIdMember == idClear) {
        FLines.Clear();
      } else if (pVarResult) {
        VariantClear(pVarResult);
        pVarResult->vt = VT_DISPATCH;
        pVarResult->pdispVal = FLinesProxy;
        FLinesProxy->AddRef();
      }
      return S_OK;
    });
  }

 private:
  ~TConsoleMessageList() override { FLinesProxy->Release(); }
  TConsoleLines FLines;
  IDispatch* FLinesProxy;
};

}  // namespace

IDispatch* QelNewConsoleMessageList(TQelMessageSink ASink) {
  return new TConsoleMessageList(std::move(ASink));
}

std::string QelConsoleText(std::u16string_view AMessage) {
  std::string text = StringToUtf8(AMessage);
  for (size_t at; (at = text.find("\r\n")) != std::string::npos;) text.erase(at, 1);
  return text;
}
