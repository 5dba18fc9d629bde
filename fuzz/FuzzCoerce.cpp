// Variant coercion and arithmetic: a value of any kind made from the input, converted to every
// scalar kind and combined with a second value by every binary operator and the comparison.
#include <cstring>
#include <iterator>

#include "fuzz/FuzzKit.h"
#include "platform/ole/OleAuto.h"

namespace {

constexpr VARTYPE Kinds[] = {VT_EMPTY, VT_NULL, VT_I2,   VT_I4, VT_R4, VT_R8,  VT_CY,
                             VT_DATE,  VT_BSTR, VT_BOOL, VT_I1, VT_UI1, VT_UI2, VT_UI4,
                             VT_I8,    VT_UI8,  VT_INT,  VT_UINT, VT_ERROR};

using TBinaryOp = HRESULT (*)(LPVARIANT, LPVARIANT, LPVARIANT);
constexpr TBinaryOp Operators[] = {VarAdd, VarSub, VarMul, VarDiv, VarIdiv, VarMod, VarPow,
                                   VarAnd, VarOr,  VarXor, VarEqv, VarImp,  VarCat};

// Takes a value from the input: a kind byte, then eight payload bytes, or text for a string.
VARIANT TakeValue(const uint8_t*& AData, size_t& ASize) {
  VARIANT v{};
  if (ASize == 0) return v;
  const VARTYPE kind = Kinds[AData[0] % std::size(Kinds)];
  ++AData, --ASize;
  if (kind == VT_BSTR) {
    const size_t length = ASize ? std::min<size_t>(AData[0], ASize - 1) : 0;
    const String text = ASize ? QelFuzzText(AData + 1, length) : String();
    v.vt = VT_BSTR;
    v.bstrVal = SysAllocStringLen(text.data(), UINT(text.size()));
    const size_t used = ASize ? length + 1 : 0;
    AData += used, ASize -= used;
    return v;
  }
  v.vt = kind;
  const size_t payload = std::min<size_t>(8, ASize);
  std::memcpy(&v.llVal, AData, payload);
  AData += payload, ASize -= payload;
  return v;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* AData, size_t ASize) {
  VARIANT left = TakeValue(AData, ASize);
  VARIANT right = TakeValue(AData, ASize);
  for (VARTYPE kind : Kinds) {
    VARIANT out{};
    VariantChangeType(&out, &left, 0, kind);
    VariantClear(&out);
  }
  for (TBinaryOp op : Operators) {
    VARIANT out{};
    op(&left, &right, &out);
    VariantClear(&out);
  }
  VarCmp(&left, &right, 0, 0);
  VARIANT negated{};
  VarNeg(&left, &negated);
  VariantClear(&negated);
  VariantClear(&left);
  VariantClear(&right);
  return 0;
}
