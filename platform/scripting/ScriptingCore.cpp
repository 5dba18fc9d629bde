// What the scripting objects share: the owning dispatch object, the enumerator and arrays they
// hand out, their errors, and the registration of the three ProgIDs.
#include <mutex>

#include "platform/scripting/QelScripting.h"

namespace {

struct TErrorText {
  TQelScriptingError Error;
  const char16_t* Text;
};
constexpr TErrorText ErrorTexts[] = {
    {seInvalidCall, u"Invalid procedure call or argument"},
    {seSubscript, u"Subscript out of range"},
    {seTypeMismatch, u"Type mismatch"},
    {seFileNotFound, u"File not found"},
    {seBadFileMode, u"Bad file mode"},
    {seDeviceIO, u"Device I/O error"},
    {seFileExists, u"File already exists"},
    {sePastEnd, u"Input past end of file"},
    {sePermission, u"Permission denied"},
    {sePathNotFound, u"Path not found"},
    {seKeyExists, u"This key is already associated with an element of this collection"},
    {seRegExpSyntax, u"Syntax error in regular expression"},
    {seRegExpTooComplex, u"Regular expression is too complex"},
    {seNotFound, u"Element not found"},
};

// An enumerator over its own copy of the values; clones share that copy.
class TVariantEnum final : public OleObject<IEnumVARIANT, IID_IEnumVARIANT> {
 public:
  using TItems = std::shared_ptr<const std::vector<VARIANT>>;
  explicit TVariantEnum(TItems AItems) : FItems(std::move(AItems)) {}

  HRESULT Next(ULONG celt, VARIANT* rgVar, ULONG* pCeltFetched) override {
    if (!rgVar && celt) return E_POINTER;
    ULONG fetched = 0;
    for (; fetched < celt && FPos < FItems->size(); ++fetched, ++FPos) {
      VariantInit(&rgVar[fetched]);
      VariantCopy(&rgVar[fetched], &(*FItems)[FPos]);
    }
    if (pCeltFetched) *pCeltFetched = fetched;
    return fetched == celt ? S_OK : S_FALSE;
  }
  HRESULT Skip(ULONG celt) override {
    const size_t left = FItems->size() - FPos;
    FPos += std::min<size_t>(celt, left);
    return celt <= left ? S_OK : S_FALSE;
  }
  HRESULT Reset() override {
    FPos = 0;
    return S_OK;
  }
  HRESULT Clone(IEnumVARIANT** ppEnum) override {
    if (!ppEnum) return E_POINTER;
    auto* copy = new TVariantEnum(FItems);
    copy->FPos = FPos;
    *ppEnum = copy;
    return S_OK;
  }

 private:
  TItems FItems;
  size_t FPos = 0;
};

struct TItemsDeleter {
  void operator()(std::vector<VARIANT>* AItems) const {
    for (VARIANT& item : *AItems) VariantClear(&item);
    delete AItems;
  }
};

template <class W>
OleClassFactoryFn FactoryOf() {
  return [](REFIID AIid, void** AObject) -> HRESULT {
    if (!AObject) return E_POINTER;
    *AObject = nullptr;
    auto* wrapper = new TQelScriptingWrapper(QelWrapperClass<W>(), std::make_unique<typename W::Wrapped>());
    const HRESULT hr = wrapper->QueryInterface(AIid, AObject);
    wrapper->Release();
    return hr;
  };
}

// Our own class identifiers for the three ProgIDs.
constexpr CLSID RegExpClsid = {0x5B1A4C20, 0x7E3D, 0x4F6A, {0x9C, 0x21, 0x3A, 0x6E, 0x0D, 0x4B, 0x81, 0x01}};
constexpr CLSID DictionaryClsid = {0x5B1A4C20, 0x7E3D, 0x4F6A, {0x9C, 0x21, 0x3A, 0x6E, 0x0D, 0x4B, 0x81, 0x02}};
constexpr CLSID FileSystemClsid = {0x5B1A4C20, 0x7E3D, 0x4F6A, {0x9C, 0x21, 0x3A, 0x6E, 0x0D, 0x4B, 0x81, 0x03}};

}  // namespace

void QelRaiseScriptingError(TQelScriptingError AError, std::u16string_view ASource) {
  const char16_t* text = u"Unexpected error";
  for (const TErrorText& entry : ErrorTexts)
    if (entry.Error == AError) text = entry.Text;
  throw ExceptionPtr(new EOleException(text, QelScriptingHResult(AError), String(ASource), String()));
}

TQelScriptingWrapper::TQelScriptingWrapper(TQelWrapperClassRef AClass, std::unique_ptr<TObject> AObject)
    : TQelDispWrapper(AClass), FObject(std::move(AObject)) {}

DISPID TQelScriptingWrapper::MapId(DISPID AId) const {
  if (AId != DISPID_NEWENUM) return AId;
  const int32_t index = GetDispInfo().FindName(u"_NewEnum", true);
  return index < 0 ? AId : index;
}

HRESULT TQelScriptingWrapper::Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags,
                                     DISPPARAMS* pDispParams, VARIANT* pVarResult, EXCEPINFO* pExcepInfo,
                                     UINT* puArgErr) {
  return TQelDispWrapper::Invoke(MapId(dispIdMember), riid, lcid, wFlags, pDispParams, pVarResult, pExcepInfo,
                                 puArgErr);
}

HRESULT TQelScriptingWrapper::InvokeDirect(DISPID AId, WORD AFlags, VARIANT* AArgs, UINT AArgCount,
                                           VARIANT* AResult, EXCEPINFO* AExcepInfo) {
  return TQelDispWrapper::InvokeDirect(MapId(AId), AFlags, AArgs, AArgCount, AResult, AExcepInfo);
}

VARIANT TQelScriptingWrapper::InvokeItem(const TQelInvokeItem& AItem, TQelDispArgs AArgs, int AArgsSize,
                                         bool IsGet) {
  if (!AItem.InvokeProc) return VARIANT{};
  void* target = AItem.Has(iiaMetaMember) ? static_cast<void*>(const_cast<TClassInfo*>(FObject->ClassType()))
                                          : static_cast<void*>(FObject.get());
  return AItem.InvokeProc(target, AArgs, AArgsSize, IsGet);
}

VARIANT QelScriptingToVar(TQelWrapperClassRef AClass, std::unique_ptr<TObject> AObject) {
  VARIANT result{};
  result.vt = VT_DISPATCH;
  result.pdispVal = (new TQelScriptingWrapper(AClass, std::move(AObject)))->AsDispatch();
  return result;
}

VARIANT QelNewEnumVar(std::vector<VARIANT> AItems) {
  std::shared_ptr<const std::vector<VARIANT>> items(new std::vector<VARIANT>(std::move(AItems)), TItemsDeleter{});
  VARIANT result{};
  result.vt = VT_UNKNOWN;
  result.punkVal = new TVariantEnum(std::move(items));
  return result;
}

VARIANT QelVariantArray(std::vector<VARIANT> AItems) {
  SAFEARRAY* array = SafeArrayCreateVector(VT_VARIANT, 0, static_cast<ULONG>(AItems.size()));
  void* data = nullptr;
  SafeArrayAccessData(array, &data);
  // Bitwise moves: the array takes over each value.
  std::copy(AItems.begin(), AItems.end(), static_cast<VARIANT*>(data));
  SafeArrayUnaccessData(array);
  VARIANT result{};
  result.vt = VT_ARRAY | VT_VARIANT;
  result.parray = array;
  return result;
}

void QelRegisterScriptingObjects() {
  static std::once_flag once;
  std::call_once(once, [] {
    OleRegisterClass(QelRegExpProgId, RegExpClsid, FactoryOf<TQelRegExp_sw>());
    OleRegisterClass(QelDictionaryProgId, DictionaryClsid, FactoryOf<TQelDictionary_sw>());
    OleRegisterClass(QelFileSystemProgId, FileSystemClsid, FactoryOf<TQelFileSystemObject_sw>());
  });
}
