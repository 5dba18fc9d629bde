// Values as the debugger shows them: type and value texts, an object's properties and an
// array's elements as children.
#include "engine/vm/QelVMDebugInternal.h"

namespace {

constexpr const char16_t* const TypeNames[] = {
    u"Unassigned", u"Null", u"Smallint", u"Integer", u"Single", u"Double", u"Currency",
    u"Date", u"String", u"Object", u"Error", u"Boolean", u"Variant", u"Unknown", u"Decimal",
    u"$0F", u"ShortInt", u"Byte", u"Word", u"LongWord", u"Int64"};

std::u16string FromUtf8(const std::string& AText) { return std::u16string(AText.begin(), AText.end()); }

std::u16string QuoteOle(const BSTR AText) {
  std::u16string text = u"'";
  for (UINT i = 0, n = SysStringLen(AText); i < n; ++i) {
    if (AText[i] == u'\'') text += u'\'';
    text += AText[i];
  }
  return text + u"'";
}

std::u16string ValueText(const VARIANT& AValue, IQelLanguage* ALang) {
  const VARTYPE vt = AValue.vt;
  if (vt & VT_ARRAY) return u"{...}";
  switch (vt) {
    case VT_EMPTY: return ALang->GetUnassignedText();
    case VT_NULL: return ALang->GetNullText();
    case VT_BSTR: return QuoteOle(AValue.bstrVal);
    case VT_DISPATCH: case VT_UNKNOWN:
      return AValue.punkVal ? u"{...}" : ALang->GetNilText();
    case VT_BOOL: return AValue.boolVal ? u"True" : u"False";
    case VT_I1: case VT_I2: case VT_I4: case VT_I8: case VT_UI1: case VT_UI2: case VT_UI4:
    case VT_UI8: case VT_INT: case VT_UINT: case VT_R4: case VT_R8: case VT_CY: case VT_DATE: {
      TQelVar text;
      QelCheckVar(VariantChangeType(&text.V, &AValue, 0, VT_BSTR));
      return std::u16string(text.V.bstrVal, SysStringLen(text.V.bstrVal));
    }
    default: return {};
  }
}

// An object's properties: every property get its type information lists. One without
// parameters is read; one with parameters is shown as a collection.
class TDispatchVarChildren : public IQelPasDebugVarChildren {
 public:
  TDispatchVarChildren(IQelLanguage* ALang, IDispatch* AObject) : FLang(ALang), FObject(AObject) {
    FObject->AddRef();
  }
  ~TDispatchVarChildren() override { FObject->Release(); }

  // Calls AProc with each property get's description; false when there is no type information.
  template <class F>
  static bool ForEachProperty(IDispatch* AObject, F&& AProc) {
    ITypeInfo* info = nullptr;
    if (FAILED(AObject->GetTypeInfo(0, 0, &info)) || !info) return false;
    TYPEATTR* attr = nullptr;
    bool go = SUCCEEDED(info->GetTypeAttr(&attr)) && attr;
    for (UINT i = 0; go && i < attr->cFuncs; ++i) {
      FUNCDESC* desc = nullptr;
      if (FAILED(info->GetFuncDesc(i, &desc)) || !desc) continue;
      if (desc->invkind == INVOKE_PROPERTYGET) go = AProc(info, *desc);
      info->ReleaseFuncDesc(desc);
    }
    if (attr) info->ReleaseTypeAttr(attr);
    info->Release();
    return true;
  }

  static bool HasProperties(IDispatch* AObject) {
    bool found = false;
    ForEachProperty(AObject, [&](ITypeInfo*, const FUNCDESC&) { return !(found = true); });
    return found;
  }

  void Enum(const TQelPasDebugVarChildProc& AProc) override {
    bool stop = false;
    ForEachProperty(FObject, [&](ITypeInfo* AInfo, const FUNCDESC& ADesc) {
      AProc(Child(AInfo, ADesc), stop);
      return !stop;
    });
  }

 private:
  TQelPasDebugVar Child(ITypeInfo* AInfo, const FUNCDESC& ADesc) {
    BSTR name = nullptr;
    UINT count = 0;
    AInfo->GetNames(ADesc.memid, &name, 1, &count);
    std::u16string text(name ? name : u"", SysStringLen(name));
    SysFreeString(name);
    TQelPasDebugVar child;
    if (ADesc.cParams > 0) {
      child.Name = text + u"[]";
      child.Type_ = u"Collection";
      child.Value = u"{...}";
      return child;
    }
    DISPPARAMS none{};
    EXCEPINFO error{};
    TQelVar value;
    HRESULT hr = FObject->Invoke(ADesc.memid, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &value.V,
                                 &error, nullptr);
    if (FAILED(hr)) {
      SysFreeString(error.bstrSource);
      SysFreeString(error.bstrDescription);
      SysFreeString(error.bstrHelpFile);
      child.Name = text;
      child.Type_ = u"Error";
      child.Value = u"Inaccessible value";
      return child;
    }
    child = QelDebugVarOf(text, value.V, FLang);
    const VARTYPE declared = ADesc.elemdescFunc.tdesc.vt;
    child.Type_ = declared == VT_PTR || declared == VT_USERDEFINED ? std::u16string(u"Object")
                                                                   : QelDebugTypeText(declared);
    return child;
  }

  IQelLanguage* FLang;
  IDispatch* FObject;
};

// One dimension of an array: its indices from the lower to the upper bound, the elements
// themselves in the last dimension. The array is a copy shared by all its dimensions' children,
// so the script changing it later does not pull it away under the debugger.
struct TArrayHolder {
  TQelVar Value;
};

class TArrayVarChildren : public IQelPasDebugVarChildren {
 public:
  TArrayVarChildren(IQelLanguage* ALang, std::shared_ptr<TArrayHolder> AArray, UINT ADim,
                    std::vector<LONG> AIndices)
      : FLang(ALang), FArray(std::move(AArray)), FDim(ADim), FIndices(std::move(AIndices)) {}

  void Enum(const TQelPasDebugVarChildProc& AProc) override {
    SAFEARRAY* array = FArray->Value.V.parray;
    const VARTYPE elemType = FArray->Value.V.vt & VT_TYPEMASK;
    LONG low = 0, high = -1;
    SafeArrayGetLBound(array, FDim, &low);
    SafeArrayGetUBound(array, FDim, &high);
    const bool last = FDim == SafeArrayGetDim(array);
    bool stop = false;
    for (LONG i = low; i <= high && !stop; ++i) {
      std::vector<LONG> indices = FIndices;
      indices.push_back(i);
      const std::u16string name = u"[" + FromUtf8(std::to_string(i)) + u"]";
      TQelPasDebugVar child;
      if (last) {
        TQelVar element;  // owns the copy, which the debug variable only reads
        element.V = Element(array, elemType, indices.data());
        child = QelDebugVarOf(name, element.V, FLang);
        child.Type_ = QelDebugTypeText(elemType);
      } else {
        child.Name = name;
        child.Type_ = u"array";
        child.Value = u"{...}";
        child.Children = std::make_shared<TArrayVarChildren>(FLang, FArray, FDim + 1, indices);
      }
      AProc(child, stop);
    }
  }

 private:
  // The element as a value of its own (a copy).
  static VARIANT Element(SAFEARRAY* AArray, VARTYPE AElemType, LONG* AIndices) {
    TQelVar element;
    void* data = nullptr;
    if (FAILED(SafeArrayPtrOfIndex(AArray, AIndices, &data)) || !data) return element.Detach();
    if (AElemType == VT_VARIANT) {
      QelCheckVar(VariantCopy(&element.V, static_cast<VARIANT*>(data)));
    } else {
      VARIANT borrowed{};
      borrowed.vt = AElemType;
      memcpy(&borrowed.llVal, data, std::min<size_t>(sizeof borrowed.llVal, AArray->cbElements));
      QelCheckVar(VariantCopy(&element.V, &borrowed));
    }
    return element.Detach();
  }

  IQelLanguage* FLang;
  std::shared_ptr<TArrayHolder> FArray;
  UINT FDim;
  std::vector<LONG> FIndices;
};

bool EveryDimensionFilled(SAFEARRAY* AArray) {
  const UINT dims = SafeArrayGetDim(AArray);
  if (dims == 0) return false;
  for (UINT d = 1; d <= dims; ++d) {
    LONG low = 0, high = -1;
    SafeArrayGetLBound(AArray, d, &low);
    SafeArrayGetUBound(AArray, d, &high);
    if (high < low) return false;
  }
  return true;
}

}  // namespace

std::u16string QelDebugTypeText(VARTYPE AVt) {
  const VARTYPE base = AVt & VT_TYPEMASK;
  std::u16string text;
  if (base < std::size(TypeNames)) text = TypeNames[base];
  else if (base == 256) text = u"String";
  else if (base == 257) text = u"Any";
  else {
    char hex[16];
    snprintf(hex, sizeof hex, "%x", unsigned(base));
    text = u"Unknown type $" + FromUtf8(hex);
  }
  return AVt & VT_ARRAY ? u"array of " + text : text;
}

TQelPasDebugVar QelDebugVarOf(const std::u16string& AName, const VARIANT& AValue,
                              IQelLanguage* ALang) {
  const VARIANT& value = *QelDeref(&AValue);
  TQelPasDebugVar var;
  var.Name = AName;
  var.Type_ = QelDebugTypeText(value.vt);
  try {
    var.Value = ValueText(value, ALang);
  } catch (...) {
    var.Value = AcquireExceptionObject()->GetMessage();
  }
  if (value.vt == VT_DISPATCH && value.pdispVal &&
      TDispatchVarChildren::HasProperties(value.pdispVal)) {
    var.Children = std::make_shared<TDispatchVarChildren>(ALang, value.pdispVal);
  } else if ((value.vt & VT_ARRAY) && !(value.vt & VT_BYREF) && value.parray &&
             EveryDimensionFilled(value.parray)) {
    auto holder = std::make_shared<TArrayHolder>();
    QelCheckVar(VariantCopy(&holder->Value.V, &value));
    var.Children = std::make_shared<TArrayVarChildren>(ALang, std::move(holder), 1,
                                                       std::vector<LONG>());
  }
  return var;
}
