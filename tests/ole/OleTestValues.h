// Variant values described in test tables, built and compared without leaking.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>

#include "platform/ole/OleAuto.h"
#include "tests/support/QelTestVariant.h"

namespace oletest {

// A value of a table row: its kind and either a number or a text.
struct Val {
  VARTYPE vt;
  double num = 0;
  const char16_t* text = nullptr;
};

inline Val Empty() { return {VT_EMPTY}; }
inline Val Null() { return {VT_NULL}; }
inline Val Str(const char16_t* s) { return {VT_BSTR, 0, s}; }
inline Val Bool(bool b) { return {VT_BOOL, b ? -1.0 : 0.0}; }
inline Val Of(VARTYPE vt, double v) { return {vt, v}; }
// The expected value of a row that fails.
inline const Val kNone = Empty();

// Owns one VARIANT for the length of a test.
struct Var : TQelTestVariant {
  Var() = default;
  explicit Var(const Val& d) { set(d); }
  Var(const Var&) = delete;
  Var& operator=(const Var&) = delete;
  VARIANT* operator&() { return &V; }

  void set(const Val& d) {
    VariantClear(&V);
    if (d.vt == VT_BSTR) {
      V.bstrVal = OleAllocBstr(d.text);
    } else if (d.vt == VT_CY) {
      V.cyVal.int64 = std::llround(d.num * 10000);
    } else if (d.vt == VT_R4) {
      V.fltVal = static_cast<float>(d.num);
    } else if (d.vt == VT_R8 || d.vt == VT_DATE) {
      V.dblVal = d.num;
    } else if (d.vt == VT_UI8) {
      V.ullVal = static_cast<ULONGLONG>(d.num);
    } else if (d.vt != VT_EMPTY && d.vt != VT_NULL) {
      // every integer kind and VT_BOOL: the low bytes of the 64-bit value
      V.llVal = static_cast<LONGLONG>(d.num);
    }
    V.vt = d.vt;
  }
};

inline double numberOf(const VARIANT& v) {
  switch (v.vt) {
    case VT_I1: return v.cVal;
    case VT_UI1: return v.bVal;
    case VT_I2: return v.iVal;
    case VT_UI2: return v.uiVal;
    case VT_I4:
    case VT_INT: return v.lVal;
    case VT_UI4:
    case VT_UINT: return v.ulVal;
    case VT_I8: return static_cast<double>(v.llVal);
    case VT_UI8: return static_cast<double>(v.ullVal);
    case VT_BOOL: return v.boolVal;
    case VT_R4: return v.fltVal;
    case VT_R8:
    case VT_DATE: return v.dblVal;
    case VT_CY: return static_cast<double>(v.cyVal.int64) / 10000.0;
    case VT_ERROR: return v.scode;
    default: return 0;
  }
}

inline std::string narrow(std::u16string_view s) {
  std::string out;
  for (char16_t c : s) out += c < 128 ? static_cast<char>(c) : '?';
  return out;
}

inline std::string describe(const VARIANT& v) {
  std::string s = "vt=" + std::to_string(v.vt) + " ";
  if (v.vt == VT_BSTR) return s + "\"" + narrow(OleBstrView(v.bstrVal)) + "\"";
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.17g", numberOf(v));
  return s + buf;
}

inline ::testing::AssertionResult Holds(const VARIANT& v, const Val& want) {
  bool same = v.vt == want.vt;
  if (same && want.vt == VT_BSTR) same = OleBstrView(v.bstrVal) == std::u16string_view(want.text);
  else if (same && want.vt == VT_R4) same = v.fltVal == static_cast<float>(want.num);
  else if (same) same = numberOf(v) == want.num;
  if (same) return ::testing::AssertionSuccess();
  Var w(want);
  return ::testing::AssertionFailure() << "got " << describe(v) << ", want " << describe(w.V);
}

// Pins the English (United States) settings for every test of a suite.
class PinnedSettings : public ::testing::Environment {
 public:
  void SetUp() override { OleSetRegionalSettings(OleDefaultRegionalSettings()); }
};

}  // namespace oletest
