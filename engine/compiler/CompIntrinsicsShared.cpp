// The handlers both dialects register under their own names (Pascal's ArcTan is VB's Atn, ...):
// one implementation each, over the host's run-time routines.
#include <cmath>

#include "engine/compiler/QelSctIntrinsicKit.h"
#include "host/core/Math.h"
#include "platform/ole/OleAuto.h"

namespace qel_intrinsics {
namespace {

template <double (*F)(double)>
void NumberFn(VARIANT* AArgs, VARIANT& AResult) {
  SetDouble(AResult, F(ArgNumber(AArgs, 0)));
}

double ArcTangent(double A) { return std::atan(A); }
double Cosine(double A) { return std::cos(A); }
double Sine(double A) { return std::sin(A); }
double Exponential(double A) { return std::exp(A); }
double NaturalLog(double A) { return std::log(A); }
double SquareRoot(double A) { return std::sqrt(A); }

// The host overloads taking format settings make plain function pointers ambiguous.
template <TDateTime (*F)()>
void ClockFn(VARIANT& AResult) {
  SetDate(AResult, F());
}
TDateTime ClockNow() { return Now(); }
TDateTime ClockDate() { return Date(); }
TDateTime ClockTime() { return Time(); }

// An automation failure carries the system's text for its HRESULT (not the C library's
// errno text, which knows nothing of HRESULTs).
[[noreturn]] void RaiseOleError(HRESULT AHr) {
  throw ExceptionPtr(new EOleSysError(OleErrorText(AHr), AHr));
}

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

void CommonArcTan(const TQelCall&, VARIANT* A, VARIANT& R) { NumberFn<ArcTangent>(A, R); }
void CommonCos(const TQelCall&, VARIANT* A, VARIANT& R) { NumberFn<Cosine>(A, R); }
void CommonSin(const TQelCall&, VARIANT* A, VARIANT& R) { NumberFn<Sine>(A, R); }
void CommonExp(const TQelCall&, VARIANT* A, VARIANT& R) { NumberFn<Exponential>(A, R); }
void CommonLn(const TQelCall&, VARIANT* A, VARIANT& R) { NumberFn<NaturalLog>(A, R); }
void CommonSqrt(const TQelCall&, VARIANT* A, VARIANT& R) { NumberFn<SquareRoot>(A, R); }

void CommonRound(const TQelCall&, VARIANT* AArgs, VARIANT& AResult) {
  SetInt64(AResult, ::Round(ArgNumber(AArgs, 0)));
}

void CommonRandom(const TQelCall& ACall, VARIANT* AArgs, VARIANT& AResult) {
  RequireArgCount(ACall, 0, 1);
  if (ACall.FArgCount == 0)
    SetDouble(AResult, ::Random());
  else
    SetInt(AResult, ::Random(ArgInt(AArgs, 0)));
}

void CommonNow(const TQelCall&, VARIANT*, VARIANT& R) { ClockFn<ClockNow>(R); }
void CommonDate(const TQelCall&, VARIANT*, VARIANT& R) { ClockFn<ClockDate>(R); }
void CommonTime(const TQelCall&, VARIANT*, VARIANT& R) { ClockFn<ClockTime>(R); }

void CommonCreateObject(const TQelCall&, VARIANT* AArgs, VARIANT& AResult) {
  const CLSID clsid = ClassOfProgId(AArgs);
  IDispatch* object = nullptr;
  const HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                                      IID_IDispatch, reinterpret_cast<void**>(&object));
  SetDispatch(AResult, hr, object);
}

void CommonGetObject(const TQelCall&, VARIANT* AArgs, VARIANT& AResult) {
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

}  // namespace qel_intrinsics
