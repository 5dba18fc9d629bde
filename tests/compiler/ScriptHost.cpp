#include "tests/compiler/ScriptHost.h"

#include "engine/vm/QelSctVM.h"

namespace {

std::string TextOf(const VARIANT* AValue) {
  while (AValue->vt == (VT_BYREF | VT_VARIANT)) AValue = AValue->pvarVal;
  if (AValue->vt == VT_NULL) return "Null";
  if (AValue->vt == VT_DISPATCH) return AValue->pdispVal ? "(object)" : "nil";
  VARIANT text;
  VariantInit(&text);
  if (FAILED(VariantChangeType(&text, AValue, VARIANT_ALPHABOOL, VT_BSTR))) return "(?)";
  std::string result = StringToUtf8(std::u16string_view(text.bstrVal, SysStringLen(text.bstrVal)));
  VariantClear(&text);
  return result;
}

void SetString(VARIANT* AResult, const String& AText) {
  if (!AResult) return;
  VariantInit(AResult);
  AResult->vt = VT_BSTR;
  AResult->bstrVal = SysAllocStringLen(AText.data(), UINT(AText.size()));
}

void SetDispatch(VARIANT* AResult, IDispatch* AObj) {
  if (!AResult) {
    AObj->Release();
    return;
  }
  VariantInit(AResult);
  AResult->vt = VT_DISPATCH;
  AResult->pdispVal = AObj;
}

// A dispatch object with a fixed list of member names (their index is the DISPID).
class TPasTestObject : public OleObject<IDispatch, IID_IDispatch> {
 public:
  explicit TPasTestObject(std::vector<std::u16string> AMembers) : FMembers(std::move(AMembers)) {}
  HRESULT GetTypeInfoCount(UINT* pctinfo) override {
    *pctinfo = 0;
    return S_OK;
  }
  HRESULT GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT GetIDsOfNames(REFIID, LPOLESTR* rgszNames, UINT cNames, LCID, DISPID* rgDispId) override {
    for (UINT i = 0; i < cNames; ++i) rgDispId[i] = DISPID_UNKNOWN;
    for (size_t m = 0; m < FMembers.size(); ++m)
      if (SameText(FMembers[m], rgszNames[0])) {
        rgDispId[0] = DISPID(m);
        return S_OK;
      }
    return DISP_E_UNKNOWNNAME;
  }

 private:
  std::vector<std::u16string> FMembers;
};

class TPasOutput : public TPasTestObject {
 public:
  explicit TPasOutput(std::vector<std::string>& ALines)
      : TPasTestObject({u"Lines", u"Add"}), FLines(ALines) {}
  HRESULT Invoke(DISPID dispIdMember, REFIID, LCID, WORD, DISPPARAMS* pDispParams,
                 VARIANT* pVarResult, EXCEPINFO*, UINT*) override {
    if (dispIdMember == 0) {
      AddRef();
      SetDispatch(pVarResult, this);
      return S_OK;
    }
    if (pDispParams->cArgs != 1) return DISP_E_BADPARAMCOUNT;
    FLines.push_back(TextOf(&pDispParams->rgvarg[0]));
    return S_OK;
  }

 private:
  std::vector<std::string>& FLines;
};

// An exception object as a script value: E.Message, E.ClassName.
class TPasExceptionValue : public TPasTestObject {
 public:
  explicit TPasExceptionValue(ExceptionPtr AException)
      : TPasTestObject({u"Message", u"ClassName"}), FException(std::move(AException)) {}
  HRESULT Invoke(DISPID dispIdMember, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* pVarResult,
                 EXCEPINFO*, UINT*) override {
    SetString(pVarResult, dispIdMember == 0 ? FException->GetMessage() : FException->ClassName());
    return S_OK;
  }
  ExceptionPtr FException;
};

// A host exception class as a script value: the type of "on E: X do", and X.Create(Msg).
class TPasClassRef : public TPasTestObject {
 public:
  explicit TPasClassRef(TClass AClass) : TPasTestObject({u"Create"}), FClass(AClass) {}
  HRESULT Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS* pDispParams, VARIANT* pVarResult,
                 EXCEPINFO*, UINT*) override {
    if (pDispParams->cArgs != 1) return DISP_E_BADPARAMCOUNT;
    String text = Utf8ToString(TextOf(&pDispParams->rgvarg[0]));
    SetDispatch(pVarResult, new TPasExceptionValue(ExceptionPtr(new Exception(text))));
    return S_OK;
  }
  TClass FClass;
};

void InstallExceptionHooks(TQelVirtMachine& AVM) {
  AVM.OnVarToException = [](TQelVirtMachine*, const VARIANT& V, ExceptionPtr& AResult) {
    if (V.vt == VT_DISPATCH)
      if (auto* value = dynamic_cast<TPasExceptionValue*>(V.pdispVal)) AResult = value->FException;
    if (V.vt == VT_BSTR)
      AResult = ExceptionPtr(new Exception(String(V.bstrVal, SysStringLen(V.bstrVal))));
  };
  AVM.OnExceptionIsTest = [](TQelVirtMachine*, Exception* E, const VARIANT& AType, bool& AResult) {
    if (AType.vt == VT_DISPATCH)
      if (auto* ref = dynamic_cast<TPasClassRef*>(AType.pdispVal))
        AResult = E->ClassType()->InheritsFrom(ref->FClass);
  };
  AVM.OnExceptionToVar = [](TQelVirtMachine*, const ExceptionPtr& E, VARIANT& AResult) {
    VariantClear(&AResult);
    SetDispatch(&AResult, new TPasExceptionValue(E));
  };
}

// Registers a new object under AName; the machine keeps its own reference.
void AddObject(TQelVirtMachine& AVM, IDispatch* AObj, const char16_t* AName) {
  AVM.AddExternObject(AObj, AName, false);
  AObj->Release();
}

}  // namespace

TScriptRunResult RunScript(IQelLanguagePtr ALanguage, const std::u16string& ASource,
                           std::initializer_list<TScriptClass> AClasses) {
  TScriptRunResult result;
  TQelVirtMachine vm(std::move(ALanguage));
  vm.OnFormatException = [&](TQelVirtMachine*, int ALine, int ALinePos, Exception*) {
    if (result.Line < 0) {
      result.Line = ALine + 1;
      result.Pos = ALinePos;
    }
  };
  InstallExceptionHooks(vm);
  try {
    vm.Initialize(ASource);
    AddObject(vm, new TPasOutput(result.Output), u"MessageList");
    AddObject(vm, new TPasClassRef(Exception::StaticClass()), u"Exception");
    AddObject(vm, new TPasClassRef(EQelVMRuntime::StaticClass()), u"EQelVMRuntime");
    for (const TScriptClass& c : AClasses) AddObject(vm, new TPasClassRef(c.Class), c.Name);
    vm.Open();
    const int mainId = QelNameTable().GetNameIndex(u"Main", false);
    if (mainId >= 0 && vm.ScriptGlobals().Find(mainId)) {
      VARIANT r = vm.RunProc(u"Main");
      VariantClear(&r);
    }
  } catch (const ExceptionPtr& e) {
    result.Failed = true;
    result.Error = StringToUtf8(e->GetMessage());
  }
  vm.Close();
  return result;
}
