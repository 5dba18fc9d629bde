// Host objects seen from an interpreter: member lookup, calls, reads, global members, and the
// conversion of exceptions in flight.
#include <algorithm>

#include "engines/common/BridgeInternal.h"
#include "host/core/SysUtils.h"
#include "platform/ole/QelDirectDispatch.h"

void QelBAddRef(TQelBObject* AObject) {
  if (AObject) QelBDisp(AObject)->AddRef();
}

void QelBRelease(TQelBObject* AObject) {
  if (AObject) QelBDisp(AObject)->Release();
}

const void* QelBClassKey(TQelBObject* AObject) {
  IQelDirectDispatch* direct = QelDirectDispatchOf(QelBDisp(AObject));
  return direct ? direct->DispatchKey() : nullptr;
}

namespace {

TQelBMemberKind KindOf(const FUNCDESC& ADesc) {
  if (ADesc.invkind & INVOKE_FUNC) return bmMethod;
  return ADesc.cParams > 0 ? bmIndexed : bmProperty;
}

// The member's kind from the object's type information, when it has any.
TQelBMemberKind Classify(IDispatch* ADisp, DISPID AId) {
  UINT count = 0;
  if (FAILED(ADisp->GetTypeInfoCount(&count)) || count == 0) return bmUnknown;
  ComPtr<ITypeInfo> info;
  if (FAILED(ADisp->GetTypeInfo(0, 0, info.put())) || !info) return bmUnknown;
  auto at = [&](UINT AIndex, TQelBMemberKind& AKind) {
    FUNCDESC* desc = nullptr;
    if (FAILED(info->GetFuncDesc(AIndex, &desc)) || !desc) return false;
    const bool match = desc->memid == AId;
    if (match) AKind = KindOf(*desc);
    info->ReleaseFuncDesc(desc);
    return match;
  };
  TQelBMemberKind kind = bmUnknown;
  // The host's wrappers number their functions by identifier; others are searched.
  if (AId >= 1 && at(static_cast<UINT>(AId - 1), kind)) return kind;
  TYPEATTR* attr = nullptr;
  if (FAILED(info->GetTypeAttr(&attr)) || !attr) return bmUnknown;
  const UINT functions = attr->cFuncs;
  info->ReleaseTypeAttr(attr);
  for (UINT i = 0; i < functions; ++i)
    if (at(i, kind)) return kind;
  return bmUnknown;
}

void FillError(HRESULT AResult, EXCEPINFO& AInfo, TQelBError& AError) {
  if (AResult == DISP_E_EXCEPTION) {
    if (AInfo.pfnDeferredFillIn) AInfo.pfnDeferredFillIn(&AInfo);
    AError.Message = QelBUtf8(OleBstrView(AInfo.bstrDescription));
    AError.Code = AInfo.scode ? AInfo.scode : AResult;
  } else {
    AError.Message = QelBUtf8(OleErrorText(AResult));
    AError.Code = AResult;
  }
  SysFreeString(AInfo.bstrDescription);
  SysFreeString(AInfo.bstrSource);
  SysFreeString(AInfo.bstrHelpFile);
}

HRESULT Call(IDispatch* ADisp, DISPID AId, WORD AFlags, VARIANT* AArgs, UINT AArgCount, VARIANT* AResult,
             EXCEPINFO& AInfo) {
  if (IQelDirectDispatch* direct = QelDirectDispatchOf(ADisp))
    return direct->InvokeDirect(AId, AFlags, AArgs, AArgCount, AResult, &AInfo);
  // Invoke takes the arguments last first.
  constexpr UINT Small = 8;
  VARIANT small[Small];
  std::vector<VARIANT> large;
  VARIANT* reversed = small;
  if (AArgCount > Small) {
    large.resize(AArgCount);
    reversed = large.data();
  }
  for (UINT i = 0; i < AArgCount; ++i) reversed[i] = AArgs[AArgCount - 1 - i];
  DISPID put = DISPID_PROPERTYPUT;
  const bool isPut = (AFlags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
  DISPPARAMS params{reversed, isPut ? &put : nullptr, AArgCount, isPut ? 1u : 0u};
  UINT argError = 0;
  return ADisp->Invoke(AId, IID_NULL, 0, AFlags, &params, AResult, &AInfo, &argError);
}

HRESULT InvokeHr(TQelBObject* AObject, int32_t AId, TQelBCall ACall, TQelBValue* AArgs, unsigned AArgCount,
                 TQelBValue* AResult, TQelBError& AError) {
  IDispatch* disp = QelBDisp(AObject);
  if (!disp) {
    AError.Message = "Object required";
    AError.Code = E_POINTER;
    return E_POINTER;
  }
  if (AResult && QelBVar(*AResult).vt != VT_EMPTY) AResult->Clear();
  EXCEPINFO info{};
  VARIANT* args = reinterpret_cast<VARIANT*>(AArgs);
  HRESULT hr = Call(disp, AId, ACall, args, AArgCount, AResult ? &QelBVar(*AResult) : nullptr, info);
  // The host refuses to give the result of a procedure; the script may not even want one.
  if (hr == DISP_E_TYPEMISMATCH && AResult && ACall == bcMethod)
    hr = Call(disp, AId, ACall, args, AArgCount, nullptr, info);
  if (FAILED(hr)) FillError(hr, info, AError);
  return hr;
}

}  // namespace

bool QelBFindMember(TQelBObject* AObject, std::u16string_view AName, TQelBMember& AMember) {
  IDispatch* disp = QelBDisp(AObject);
  if (!disp) return false;
  std::u16string name(AName);
  LPOLESTR names[1] = {name.data()};
  DISPID id = DISPID_UNKNOWN;
  if (FAILED(disp->GetIDsOfNames(IID_NULL, names, 1, 0, &id))) return false;
  AMember.Id = id;
  AMember.Kind = Classify(disp, id);
  return true;
}

bool QelBFindMember(TQelBObject* AObject, std::string_view AName, TQelBMember& AMember) {
  return QelBFindMember(AObject, QelBUtf16(AName), AMember);
}

bool QelBInvoke(TQelBObject* AObject, int32_t AId, TQelBCall ACall, TQelBValue* AArgs, unsigned AArgCount,
                TQelBValue* AResult, TQelBError& AError) {
  return SUCCEEDED(InvokeHr(AObject, AId, ACall, AArgs, AArgCount, AResult, AError));
}

TQelBRead QelBReadMember(TQelBObject* AObject, const TQelBMember& AMember, TQelBValue& AResult,
                         TQelBError& AError) {
  switch (AMember.Kind) {
    case bmMethod: return brMethod;
    case bmIndexed: return brIndexed;
    case bmProperty:
      return QelBInvoke(AObject, AMember.Id, bcGet, nullptr, 0, &AResult, AError) ? brValue : brFailed;
    case bmUnknown: break;
  }
  const HRESULT hr = InvokeHr(AObject, AMember.Id, bcGet, nullptr, 0, &AResult, AError);
  if (SUCCEEDED(hr)) return brValue;
  if (hr == DISP_E_BADPARAMCOUNT || hr == DISP_E_MEMBERNOTFOUND || hr == DISP_E_TYPEMISMATCH ||
      hr == DISP_E_PARAMNOTOPTIONAL) {
    AError = {};
    return brMethod;
  }
  return brFailed;
}

// ---------------------------------------------------------------------------------------------

TQelBGlobalMembers::~TQelBGlobalMembers() {
  for (TQelBObject* object : FObjects) QelBRelease(object);
}

void TQelBGlobalMembers::Add(TQelBObject* AObject) {
  if (!AObject) return;
  QelBAddRef(AObject);
  FObjects.push_back(AObject);
  // A name no object had may belong to the new one.
  std::erase_if(FFound, [](const TFound& AFound) { return AFound.Object == SIZE_MAX; });
}

bool TQelBGlobalMembers::Find(std::string_view AName, TQelBObject*& AObject, TQelBMember& AMember) {
  auto known = std::find_if(FFound.begin(), FFound.end(), [&](const TFound& F) { return F.Name == AName; });
  if (known == FFound.end()) {
    TFound found{std::string(AName), SIZE_MAX, {}};
    const std::u16string name = QelBUtf16(AName);
    for (size_t i = 0; i < FObjects.size(); ++i)
      if (QelBFindMember(FObjects[i], std::u16string_view(name), found.Member)) {
        found.Object = i;
        break;
      }
    known = FFound.insert(FFound.end(), std::move(found));
  }
  if (known->Object == SIZE_MAX) return false;
  AObject = FObjects[known->Object];
  AMember = known->Member;
  return true;
}

// ---------------------------------------------------------------------------------------------

void QelBCurrentException(TQelBError& AError) noexcept {
  try {
    const ExceptionPtr error = AcquireExceptionObject();
    AError.Message = QelBUtf8(error->GetMessage());
    auto* ole = dynamic_cast<EOleSysError*>(error.Get());
    AError.Code = ole ? ole->GetErrorCode() : E_FAIL;
  } catch (...) {
    AError.Message = "Out of memory";
    AError.Code = E_OUTOFMEMORY;
  }
}
