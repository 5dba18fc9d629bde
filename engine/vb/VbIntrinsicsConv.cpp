// Conversions, type tests, array bounds and the numeric intrinsics.
#include <cmath>

#include "engine/vb/VbIntrinsics.h"
#include "host/core/Math.h"

namespace qel_vb {
namespace {

void ChangeType(VARIANT* AArgs, VARIANT& AResult, VARTYPE AType) {
  TQelVar converted;
  QelCheckVar(VariantChangeType(&converted.V, Arg(AArgs, 0), 0, AType));
  QelClear(&AResult);
  AResult = converted.V;
  converted.V.vt = VT_EMPTY;
}

void Bound(const TQelCall& ACall, VARIANT* AArgs, VARIANT& AResult, bool AUpper) {
  RequireArgCount(ACall, 1, 2);
  const VARIANT* value = Arg(AArgs, 0);
  if (!IsArray(value)) FailConversion();
  const UINT dimension = ACall.FArgCount == 2 ? UINT(ArgInt(AArgs, 1)) : 1u;
  LONG bound = 0;
  QelCheckVar(AUpper ? SafeArrayGetUBound(value->parray, dimension, &bound)
                     : SafeArrayGetLBound(value->parray, dimension, &bound));
  SetInt(AResult, bound);
}

// The type names by type code (array flag cleared); codes not listed are "Unknown".
constexpr const char16_t* kTypeNames[] = {
    u"Empty", u"Null", u"SmallInt", u"Integer", u"Single", u"Double", u"Currency", u"Date",
    u"String", u"Object", u"Error", u"Boolean", u"Variant", u"DataObject", nullptr, nullptr,
    u"ShortInt", u"Byte", u"Word", u"LongWord", u"Int64", u"UInt64"};

// IsNumeric's type codes besides the empty value: 2-6, 10, 11, 16-21.
bool NumericType(VARTYPE AType) {
  return (AType >= VT_I2 && AType <= VT_CY) || AType == VT_ERROR || AType == VT_BOOL ||
         (AType >= VT_I1 && AType <= VT_UI8);
}

// The integer's low 16 bits in base 2^AShift, upper-case digits.
void LowWordDigits(VARIANT* AArgs, VARIANT& AResult, unsigned AShift) {
  if (NullIn(AArgs, AResult)) return;
  static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
  unsigned value = unsigned(ArgInt64(AArgs, 0)) & 0xFFFFu;
  char16_t buffer[16];
  size_t at = std::size(buffer);
  do {
    buffer[--at] = kDigits[value & ((1u << AShift) - 1)];
    value >>= AShift;
  } while (value);
  SetText(AResult, std::u16string_view(buffer + at, std::size(buffer) - at));
}

}  // namespace

void VbCStr(const TQelCall&, VARIANT* AArgs, VARIANT& AResult) { SetText(AResult, ArgText(AArgs, 0)); }
void VbCInt(const TQelCall&, VARIANT* AArgs, VARIANT& AResult) { ChangeType(AArgs, AResult, VT_I4); }
void VbCDbl(const TQelCall&, VARIANT* AArgs, VARIANT& AResult) { ChangeType(AArgs, AResult, VT_R8); }
void VbCBool(const TQelCall&, VARIANT* AArgs, VARIANT& AResult) { ChangeType(AArgs, AResult, VT_BOOL); }
void VbCCur(const TQelCall&, VARIANT* AArgs, VARIANT& AResult) { ChangeType(AArgs, AResult, VT_CY); }
void VbCSng(const TQelCall&, VARIANT* AArgs, VARIANT& AResult) { ChangeType(AArgs, AResult, VT_R4); }

// No range check: the low 8 bits of the integer, so CByte(300) is 44.
void VbCByte(const TQelCall&, VARIANT* AArgs, VARIANT& AResult) {
  const uint8_t low = uint8_t(ArgInt(AArgs, 0) & 0xFF);
  QelClear(&AResult);
  AResult.vt = VT_UI1;
  AResult.bVal = low;
}

void VbTypeName(const TQelCall&, VARIANT* AArgs, VARIANT& AResult) {
  const VARIANT* value = Arg(AArgs, 0);
  const VARTYPE type = value->vt & VT_TYPEMASK;
  const char16_t* name = type < std::size(kTypeNames) ? kTypeNames[type] : nullptr;
  if (value->vt == VT_DISPATCH && !value->pdispVal) name = u"Nothing";
  String text = name ? name : u"Unknown";
  if (value->vt & VT_ARRAY) text += u"()";
  SetText(AResult, text);
}

void VbIsNumeric(const TQelCall&, VARIANT* AArgs, VARIANT& AResult) {
  const VARIANT* value = Arg(AArgs, 0);
  double number;
  if (value->vt == VT_BSTR)
    SetBoolean(AResult, TryStrToFloat(OleBstrView(value->bstrVal), number));
  else
    SetBoolean(AResult, value->vt == VT_EMPTY || NumericType(value->vt));
}

void VbIsNull(const TQelCall&, VARIANT* AArgs, VARIANT& AResult) {
  SetBoolean(AResult, Arg(AArgs, 0)->vt == VT_NULL);
}

void VbIsEmpty(const TQelCall&, VARIANT* AArgs, VARIANT& AResult) {
  SetBoolean(AResult, Arg(AArgs, 0)->vt == VT_EMPTY);
}

void VbIsArray(const TQelCall&, VARIANT* AArgs, VARIANT& AResult) {
  SetBoolean(AResult, (Arg(AArgs, 0)->vt & VT_ARRAY) != 0);
}

void VbIsObject(const TQelCall&, VARIANT* AArgs, VARIANT& AResult) {
  const VARTYPE vt = Arg(AArgs, 0)->vt;
  SetBoolean(AResult, vt == VT_DISPATCH || vt == VT_UNKNOWN);
}

void VbVarType(const TQelCall&, VARIANT* AArgs, VARIANT& AResult) {
  SetInt(AResult, Arg(AArgs, 0)->vt);
}

void VbUBound(const TQelCall& C, VARIANT* A, VARIANT& R) { Bound(C, A, R, true); }
void VbLBound(const TQelCall& C, VARIANT* A, VARIANT& R) { Bound(C, A, R, false); }

void VbAbs(const TQelCall&, VARIANT* AArgs, VARIANT& AResult) {
  if (NullIn(AArgs, AResult)) return;
  SetDouble(AResult, std::fabs(ArgNumber(AArgs, 0)));
}

void VbInt(const TQelCall&, VARIANT* AArgs, VARIANT& AResult) {
  if (NullIn(AArgs, AResult)) return;
  SetDouble(AResult, std::floor(ArgNumber(AArgs, 0)));
}

void VbFix(const TQelCall&, VARIANT* AArgs, VARIANT& AResult) {
  if (NullIn(AArgs, AResult)) return;
  SetDouble(AResult, std::trunc(ArgNumber(AArgs, 0)));
}

void VbTan(const TQelCall&, VARIANT* AArgs, VARIANT& AResult) {
  SetDouble(AResult, std::tan(ArgNumber(AArgs, 0)));
}

// Round(x) halves to the even neighbour as a 64-bit integer; Round(x, n) to n decimals (0-16).
void VbRound(const TQelCall& ACall, VARIANT* AArgs, VARIANT& AResult) {
  RequireArgCount(ACall, 1, 2);
  if (ACall.FArgCount == 1) return CommonRound(ACall, AArgs, AResult);
  const int32_t digits = ArgInt(AArgs, 1);
  if (digits < 0 || digits > 16) FailConversion();
  SetDouble(AResult, RoundTo(ArgNumber(AArgs, 0), -digits));
}

void VbHex(const TQelCall&, VARIANT* A, VARIANT& R) { LowWordDigits(A, R, 4); }
void VbOct(const TQelCall&, VARIANT* A, VARIANT& R) { LowWordDigits(A, R, 3); }

void VbRGB(const TQelCall&, VARIANT* AArgs, VARIANT& AResult) {
  SetInt(AResult, (ArgInt(AArgs, 0) & 255) + (ArgInt(AArgs, 1) & 255) * 256 +
                      (ArgInt(AArgs, 2) & 255) * 65536);
}

void VbSgn(const TQelCall&, VARIANT* AArgs, VARIANT& AResult) {
  if (Arg(AArgs, 0)->vt == VT_NULL) FailConversion();
  const double value = ArgNumber(AArgs, 0);
  SetInt(AResult, value > 0 ? 1 : value < 0 ? -1 : 0);
}

}  // namespace qel_vb
