// ITypeInfo over one member table, for tools (script debuggers, foreign script engines).
#include <cstdlib>

#include "engine/wrappers/QelSctWrappers.h"

namespace {

class TDispTypeInfo final : public OleObject<ITypeInfo, IID_ITypeInfo> {
 public:
  explicit TDispTypeInfo(const TQelAbstractDispInfo* AInfo) : FInfo(AInfo) {}

  HRESULT GetTypeAttr(TYPEATTR** ppTypeAttr) override {
    if (!ppTypeAttr) return E_INVALIDARG;
    auto* attr = static_cast<TYPEATTR*>(std::calloc(1, sizeof(TYPEATTR)));
    if (!attr) return E_OUTOFMEMORY;
    attr->memidConstructor = MEMBERID_NIL;
    attr->memidDestructor = MEMBERID_NIL;
    attr->typekind = TKIND_DISPATCH;
    attr->cFuncs = static_cast<WORD>(FuncCount());
    attr->wTypeFlags = TYPEFLAG_FDISPATCHABLE | TYPEFLAG_FNONEXTENSIBLE;
    *ppTypeAttr = attr;
    return S_OK;
  }

  HRESULT GetFuncDesc(UINT index, FUNCDESC** ppFuncDesc) override {
    if (!ppFuncDesc) return E_INVALIDARG;
    *ppFuncDesc = nullptr;
    if (index >= static_cast<UINT>(FuncCount())) return E_INVALIDARG;
    const TQelInvokeItem& item = FInfo->GetItem(static_cast<int32_t>(index) + 1);
    auto* desc = static_cast<FUNCDESC*>(std::calloc(1, sizeof(FUNCDESC)));
    if (!desc) return E_OUTOFMEMORY;
    desc->memid = item.Index;
    desc->funckind = FUNC_DISPATCH;
    desc->invkind = static_cast<INVOKEKIND>(item.InvokeFlags);
    desc->cParams = static_cast<SHORT>(item.ParamCount);
    desc->elemdescFunc.tdesc.vt = item.DebugType ? item.DebugType->GetDebugType() : VARTYPE(0);
    *ppFuncDesc = desc;
    return S_OK;
  }

  HRESULT GetNames(MEMBERID memid, BSTR* rgBstrNames, UINT cMaxNames, UINT* pcNames) override {
    if (!ValidId(memid)) return E_INVALIDARG;
    UINT count = 0;
    if (cMaxNames > 0 && rgBstrNames) {
      rgBstrNames[0] = OleAllocBstr(FInfo->GetItem(memid).Name);
      count = 1;
    }
    if (pcNames) *pcNames = count;
    return S_OK;
  }

  HRESULT GetIDsOfNames(LPOLESTR* rgszNames, UINT cNames, MEMBERID* pMemId) override {
    if (!rgszNames || !pMemId || cNames == 0 || !rgszNames[0]) return E_INVALIDARG;
    for (UINT i = 0; i < cNames; ++i) pMemId[i] = MEMBERID_NIL;
    const int32_t index = FInfo->FindName(std::u16string_view(rgszNames[0]), true);
    if (index <= 0) return DISP_E_UNKNOWNNAME;
    pMemId[0] = index;
    return S_OK;
  }

  HRESULT GetDocumentation(MEMBERID memid, BSTR* pBstrName, BSTR* pBstrDocString, DWORD* pdwHelpContext,
                           BSTR* pBstrHelpFile) override {
    if (!ValidId(memid)) return E_INVALIDARG;
    const String& name = FInfo->GetItem(memid).Name;
    if (pBstrName) *pBstrName = OleAllocBstr(name);
    if (pBstrDocString) *pBstrDocString = OleAllocBstr(name);
    if (pdwHelpContext) *pdwHelpContext = static_cast<DWORD>(-1);
    if (pBstrHelpFile) *pBstrHelpFile = nullptr;
    return S_OK;
  }

  HRESULT GetTypeComp(ITypeComp** ppTComp) override { return NotImpl(ppTComp); }
  HRESULT GetRefTypeInfo(HREFTYPE, ITypeInfo** ppTInfo) override { return NotImpl(ppTInfo); }
  HRESULT GetContainingTypeLib(ITypeLib** ppTLib, UINT*) override { return NotImpl(ppTLib); }
  HRESULT GetVarDesc(UINT, VARDESC** ppVarDesc) override { return NotImpl(ppVarDesc); }
  HRESULT CreateInstance(IUnknown*, REFIID, PVOID* ppvObj) override { return NotImpl(ppvObj); }
  HRESULT AddressOfMember(MEMBERID, INVOKEKIND, PVOID* ppv) override { return NotImpl(ppv); }
  HRESULT GetMops(MEMBERID, BSTR* pBstrMops) override { return NotImpl(pBstrMops); }

  void ReleaseTypeAttr(TYPEATTR* pTypeAttr) override { std::free(pTypeAttr); }
  void ReleaseFuncDesc(FUNCDESC* pFuncDesc) override { std::free(pFuncDesc); }
  void ReleaseVarDesc(VARDESC*) override {}

 private:
  template <class T>
  static HRESULT NotImpl(T** AOut) {
    if (AOut) *AOut = nullptr;
    return E_NOTIMPL;
  }
  int32_t FuncCount() const { return std::max(FInfo->GetCount() - 1, 0); }
  bool ValidId(MEMBERID AId) const { return AId >= 0 && AId < FInfo->GetCount(); }

  const TQelAbstractDispInfo* FInfo;
};

}  // namespace

TQelAbstractDispInfo::TQelAbstractDispInfo() : FTypeInfo(ComPtr<ITypeInfo>::adopt(new TDispTypeInfo(this))) {}
TQelAbstractDispInfo::~TQelAbstractDispInfo() = default;
