// The named values holder: the engines reach the control's named values through its IDispatch.
#include <vector>

#include "engine/scripter/ScrInternal.h"

const IID IID_IQelNamedValuesHolder = {0xDB3038C2, 0x6AF2, 0x4688, {0x8A, 0xD5, 0x71, 0x6B, 0x43, 0x37, 0xED, 0x7C}};

namespace {

struct TNamedValuesHolderItem {
  String UppName;
  DISPID DispId;
  VARIANT* Value;  // the control's item value; never owned
};

using TNamedValuesHolderMapTraits = TQelUppNameTraits<TNamedValuesHolderItem>;

class TNamedValuesHolder final : public IQelNamedValuesHolder, public IDispatch {
 public:
  HRESULT QueryInterface(REFIID riid, void** ppv) override {
    if (!ppv) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IQelNamedValuesHolder))
      *ppv = static_cast<IQelNamedValuesHolder*>(this);
    else if (IsEqualIID(riid, IID_IDispatch))
      *ppv = static_cast<IDispatch*>(this);
    else {
      *ppv = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  ULONG AddRef() override { return FRefs.fetch_add(1, std::memory_order_relaxed) + 1; }
  ULONG Release() override {
    const ULONG n = FRefs.fetch_sub(1, std::memory_order_acq_rel) - 1;
    if (n == 0) delete this;
    return n;
  }

  void AddValue(std::u16string_view AName, VARIANT* AValue) override {
    String key = QelUpperName(AName);
    TNamedValuesHolderItem* item = FNameMap.Find(key);
    if (!item) {
      item = new TNamedValuesHolderItem{std::move(key), DISPID(FDispIdIndex.size()), nullptr};
      FNameMap.Add(item);
      FDispIdIndex.push_back(item);
    }
    item->Value = AValue;
  }

  HRESULT GetTypeInfoCount(UINT* pctinfo) override {
    if (pctinfo) *pctinfo = 0;
    return S_OK;
  }
  HRESULT GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo) override {
    if (ppTInfo) *ppTInfo = nullptr;
    return E_NOTIMPL;
  }
  HRESULT GetIDsOfNames(REFIID, LPOLESTR* rgszNames, UINT cNames, LCID, DISPID* rgDispId) override {
    if (cNames == 0) return S_OK;
    if (!rgszNames || !rgDispId) return E_POINTER;
    for (UINT i = 0; i < cNames; ++i) rgDispId[i] = DISPID_UNKNOWN;
    if (cNames > 1) return DISP_E_UNKNOWNNAME;
    const TNamedValuesHolderItem* item = FNameMap.Find(QelUpperName(rgszNames[0]));
    if (!item) return DISP_E_UNKNOWNNAME;
    rgDispId[0] = item->DispId;
    return S_OK;
  }
  HRESULT Invoke(DISPID dispIdMember, REFIID, LCID, WORD wFlags, DISPPARAMS* pDispParams, VARIANT* pVarResult,
                 EXCEPINFO*, UINT*) override {
    if (dispIdMember <= 0 || size_t(dispIdMember) >= FDispIdIndex.size()) return DISP_E_MEMBERNOTFOUND;
    VARIANT* value = FDispIdIndex[dispIdMember]->Value;
    const UINT argCount = pDispParams ? pDispParams->cArgs : 0;
    if (wFlags & DISPATCH_PROPERTYGET) {
      if (argCount != 0) return DISP_E_BADPARAMCOUNT;
      return pVarResult ? VariantCopy(pVarResult, value) : S_OK;
    }
    if (wFlags & DISPATCH_PROPERTYPUT) {
      if (argCount != 1) return DISP_E_BADPARAMCOUNT;
      return VariantCopyInd(value, &pDispParams->rgvarg[0]);
    }
    return DISP_E_TYPEMISMATCH;
  }

 private:
  ~TNamedValuesHolder() = default;

  std::atomic<ULONG> FRefs{1};
  TQelHashTable<TNamedValuesHolderMapTraits> FNameMap{true};
  // Entry 0 stays empty so the first name gets DISPID 1.
  std::vector<TNamedValuesHolderItem*> FDispIdIndex{nullptr};
};

}  // namespace

IQelNamedValuesHolder* QelNewNamedValuesHolder() { return new TNamedValuesHolder; }
