// Constants, variant tests, the dialogs, the beep and the COM object factories.
#include "engine/pascal/PasIntrinsics.h"
#include "host/core/Dialogs.h"
#include "platform/ole/OleAuto.h"

namespace qel_pas {
namespace {

template <VARTYPE Type>
void EmptyKind(VARIANT& AResult) {
  QelClear(&AResult);
  AResult.vt = Type;
}

// An automation failure carries the system's text for its HRESULT (not the C library's
// errno text, which knows nothing of HRESULTs).
[[noreturn]] void RaiseOleError(HRESULT AHr) { throw ExceptionPtr(new EOleSysError(OleErrorText(AHr), AHr)); }

CLSID ClassOfProgId(VARIANT* AArgs) {
  const String progId = ArgText(AArgs, 0);
  CLSID clsid{};
  const HRESULT hr = CLSIDFromProgID(progId.c_str(), &clsid);
  if (FAILED(hr)) RaiseOleError(hr);
  return clsid;
}

// Takes over AObject's reference as a dispatch result.
void SetDispatch(VARIANT& AResult, HRESULT AHr, IDispatch* AObject) {
  if (FAILED(AHr)) RaiseOleError(AHr);
  QelClear(&AResult);
  AResult.vt = VT_DISPATCH;
  AResult.pdispVal = AObject;
}

}  // namespace

void PasNull(const TQelCall&, VARIANT*, VARIANT& R) { EmptyKind<VT_NULL>(R); }
void PasUnassigned(const TQelCall&, VARIANT*, VARIANT& R) { EmptyKind<VT_EMPTY>(R); }
void PasTrue(const TQelCall&, VARIANT*, VARIANT& R) { SetBoolean(R, true); }
void PasFalse(const TQelCall&, VARIANT*, VARIANT& R) { SetBoolean(R, false); }
void PasBeep(const TQelCall&, VARIANT*, VARIANT&) { Beep(); }

void PasVarIsNull(const TQelCall&, VARIANT* AArgs, VARIANT& AResult) {
  SetBoolean(AResult, Arg(AArgs, 0)->vt == VT_NULL);
}

void PasAssigned(const TQelCall&, VARIANT* AArgs, VARIANT& AResult) {
  const VARIANT* value = Arg(AArgs, 0);
  const bool unassigned = value->vt == VT_EMPTY || value->vt == VT_NULL ||
                          (value->vt == VT_DISPATCH && !value->pdispVal);
  SetBoolean(AResult, !unassigned);
}

void PasShowMessage(const TQelCall&, VARIANT* AArgs, VARIANT&) { ShowMessage(ArgText(AArgs, 0)); }

void PasInputQuery(const TQelCall&, VARIANT* AArgs, VARIANT& AResult) {
  String value = ArgText(AArgs, 2);
  const bool confirmed = InputQuery(ArgText(AArgs, 0), ArgText(AArgs, 1), value);
  WriteBackText(&AArgs[2], value);
  SetBoolean(AResult, confirmed);
}

void PasCreateOleObject(const TQelCall&, VARIANT* AArgs, VARIANT& AResult) {
  const CLSID clsid = ClassOfProgId(AArgs);
  IDispatch* object = nullptr;
  const HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                                      IID_IDispatch, reinterpret_cast<void**>(&object));
  SetDispatch(AResult, hr, object);
}

void PasGetActiveOleObject(const TQelCall&, VARIANT* AArgs, VARIANT& AResult) {
  const CLSID clsid = ClassOfProgId(AArgs);
  IUnknown* unknown = nullptr;
  HRESULT hr = GetActiveObject(clsid, nullptr, &unknown);
  IDispatch* object = nullptr;
  if (SUCCEEDED(hr)) {
    hr = unknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&object));
    unknown->Release();
  }
  SetDispatch(AResult, hr, object);
}

}  // namespace qel_pas
