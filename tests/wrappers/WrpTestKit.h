// Calling wrappers as the machine does: GetIDsOfNames with one name, then either IDispatch
// (arguments reversed into rgvarg, a put's value with the DISPID_PROPERTYPUT named argument) or
// the direct interface (arguments in natural order, a put's value last).
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "engine/wrappers/QelSctSysWrappers.h"
#include "engine/wrappers/units/QelUnits.h"
#include "tests/support/QelTestVariant.h"

// An owned variant.
class TVar : public TQelTestVariant {
 public:
  TVar() = default;
  TVar(const VARIANT& AValue) { VariantCopy(&V, &AValue); }
  // Takes over a variant the caller owns.
  static TVar Adopt(VARIANT AValue) {
    TVar result;
    result.V = AValue;
    return result;
  }
  static TVar Int(int32_t A) { return Adopt(QelIntVar(A)); }
  static TVar Str(std::u16string_view A) { return Adopt(QelStringVar(A)); }
  static TVar Real(double A) { return Adopt(QelRealVar(A)); }
  static TVar Bool(bool A) { return Adopt(QelBoolVar(A)); }
  static TVar Object(TObject* A) { return Adopt(ObjectToVar(A)); }

  VARIANT* operator&() { return &V; }
  IDispatch* Disp() const { return V.vt == VT_DISPATCH ? V.pdispVal : nullptr; }
  String Text() const { return QelVarToString(V); }
  int32_t AsInt() const { return QelVarToInt(V); }
};

struct TCallResult {
  HRESULT Hr = S_OK;
  TVar Value;
  String Description;
  String Source;
  SCODE Code = 0;
};

inline DISPID DispIdOf(IDispatch* ADisp, std::u16string_view AName) {
  String name(AName);
  LPOLESTR names[] = {name.data()};
  DISPID id = 12345;
  const HRESULT hr = ADisp->GetIDsOfNames(IID_NULL, names, 1, 0, &id);
  return SUCCEEDED(hr) ? id : DISPID_UNKNOWN;
}

// Prepared: a member prepared for the call's shape when the wrapper prepares one (as the machine
// calls), else the direct call.
enum class TRoute { Dispatch, Direct, Prepared };
inline std::ostream& operator<<(std::ostream& S, TRoute R) {
  return S << (R == TRoute::Direct ? "Direct" : R == TRoute::Prepared ? "Prepared" : "Dispatch");
}

inline HRESULT InvokeThrough(TRoute ARoute, IDispatch* ADisp, DISPID AId, WORD AFlags,
                             std::vector<VARIANT>& AArgs, VARIANT* AResult, EXCEPINFO* AInfo) {
  if (ARoute != TRoute::Dispatch) {
    IQelDirectDispatch* direct = QelDirectDispatchOf(ADisp);
    if (!direct) {
      ADD_FAILURE() << "no direct interface";
      return E_NOINTERFACE;
    }
    const UINT count = static_cast<UINT>(AArgs.size());
    if (ARoute == TRoute::Prepared) {
      if (const TQelDirectMember* member = direct->PrepareMember(AId, AFlags, count, AResult != nullptr))
        return direct->InvokePrepared(member, AFlags, AArgs.data(), count, AResult, AInfo);
    }
    return direct->InvokeDirect(AId, AFlags, AArgs.data(), count, AResult, AInfo);
  }
  std::vector<VARIANT> reversed(AArgs.rbegin(), AArgs.rend());
  DISPID putId = DISPID_PROPERTYPUT;
  DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
  if (AFlags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
    params.rgdispidNamedArgs = &putId;
    params.cNamedArgs = 1;
  }
  return ADisp->Invoke(AId, IID_NULL, 0, AFlags, &params, AResult, AInfo, nullptr);
}

// AArgs in natural order; AWantResult passes a result buffer.
inline TCallResult InvokeId(IDispatch* ADisp, DISPID AId, WORD AFlags, std::vector<VARIANT> AArgs, bool AWantResult = true,
                            TRoute ARoute = TRoute::Dispatch) {
  TCallResult result;
  EXCEPINFO info{};
  VARIANT value;
  VariantInit(&value);
  result.Hr = InvokeThrough(ARoute, ADisp, AId, AFlags, AArgs, AWantResult ? &value : nullptr, &info);
  result.Value = TVar::Adopt(value);
  result.Description = String(OleBstrView(info.bstrDescription));
  result.Source = String(OleBstrView(info.bstrSource));
  result.Code = info.scode;
  SysFreeString(info.bstrDescription);
  SysFreeString(info.bstrSource);
  SysFreeString(info.bstrHelpFile);
  return result;
}

inline TCallResult InvokeName(IDispatch* ADisp, std::u16string_view AName, WORD AFlags, std::vector<VARIANT> AArgs = {},
                              bool AWantResult = true, TRoute ARoute = TRoute::Dispatch) {
  const DISPID id = DispIdOf(ADisp, AName);
  if (id == DISPID_UNKNOWN) {
    TCallResult unknown;
    unknown.Hr = DISP_E_UNKNOWNNAME;
    return unknown;
  }
  return InvokeId(ADisp, id, AFlags, std::move(AArgs), AWantResult, ARoute);
}

constexpr WORD FMethod = DISPATCH_METHOD;
constexpr WORD FGet = DISPATCH_PROPERTYGET;
constexpr WORD FMethodGet = DISPATCH_METHOD | DISPATCH_PROPERTYGET;
constexpr WORD FPut = DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF;

// A unit instance as a script control would hold it.
inline TVar UnitInstance(TQelWrapperClassRef AUnit, IQelScriptControl* AControl = nullptr) {
  return TVar::Adopt(TQelUnitWrapper::ToVar(AUnit, AControl));
}

inline TQelWrapperClassRef UnitNamed(std::u16string_view AName) {
  for (TQelWrapperClassRef unit : GetUnitWrappers()) {
    if (unit->GetUnitName() == AName) return unit;
  }
  return nullptr;
}

class WrappersTest : public ::testing::Test {
 protected:
  void SetUp() override { QelRegisterAllUnits(); }
};
