// The owning script value.
#include <limits>
#include <utility>

#include "engine/scripter/QelValue.h"
#include "engine/wrappers/QelSctWrappers.h"

namespace qel {

namespace {

VARIANT EmptyVariant() noexcept {
  VARIANT value;
  VariantInit(&value);
  return value;
}

}  // namespace

Value::Value() noexcept : FValue(EmptyVariant()) {}

Value::~Value() { VariantClear(&FValue); }

Value::Value(const Value& AOther) : FValue(QelVarCopy(AOther.FValue)) {}

Value::Value(Value&& AOther) noexcept : FValue(AOther.Detach()) {}

Value& Value::operator=(const Value& AOther) {
  if (this != &AOther) *this = Value(AOther);
  return *this;
}

Value& Value::operator=(Value&& AOther) noexcept {
  if (this != &AOther) {
    VariantClear(&FValue);
    FValue = AOther.Detach();
  }
  return *this;
}

Value::Value(VARIANT&& AVariant) noexcept : FValue(AVariant) { VariantInit(&AVariant); }

Value::Value(const VARIANT& AVariant) : FValue(QelVarCopy(AVariant)) {}

Value::Value(bool AValue) : FValue(QelBoolVar(AValue)) {}

Value Value::FromInt64(int64_t AValue) {
  const bool fits = AValue >= std::numeric_limits<int32_t>::min() && AValue <= std::numeric_limits<int32_t>::max();
  return Value(fits ? QelIntVar(int32_t(AValue)) : QelInt64Var(AValue));
}

Value::Value(double AValue) : FValue(QelRealVar(AValue)) {}

Value::Value(const char* AUtf8) : Value(std::string_view(AUtf8 ? AUtf8 : "")) {}

Value::Value(std::string_view AUtf8) : FValue(QelStringVar(Utf8ToString(AUtf8))) {}

Value::Value(const char16_t* AText) : Value(std::u16string_view(AText ? AText : u"")) {}

Value::Value(std::u16string_view AText) : FValue(QelStringVar(AText)) {}

Value::Value(TObject* AObject) : FValue(ObjectToVar(AObject)) {}

Value::Value(IDispatch* AObject) : FValue(EmptyVariant()) {
  FValue.vt = VT_DISPATCH;
  FValue.pdispVal = AObject;
  if (AObject) AObject->AddRef();
}

VARIANT* Value::Put() noexcept {
  VariantClear(&FValue);
  return &FValue;
}

VARIANT Value::Detach() noexcept { return std::exchange(FValue, EmptyVariant()); }

bool Value::IsNull() const noexcept {
  const VARIANT& value = QelDeref(FValue);
  return value.vt == VT_NULL || (value.vt == VT_DISPATCH && !value.pdispVal);
}

int32_t Value::ToInt() const { return QelVarToInt(FValue); }

int64_t Value::ToInt64() const { return QelVarToInt64(FValue); }

double Value::ToDouble() const { return QelVarToReal(FValue); }

bool Value::ToBool() const { return QelVarToBool(FValue); }

std::u16string Value::ToU16String() const {
  // The system's own conversion knows the alphabetic booleans; what it refuses (objects,
  // arrays) gets the engine's conversion and its error.
  VARIANT text;
  VariantInit(&text);
  if (FAILED(VariantChangeType(&text, &QelDeref(FValue), VARIANT_ALPHABOOL, VT_BSTR))) return QelVarToString(FValue);
  std::u16string result(text.bstrVal, SysStringLen(text.bstrVal));
  VariantClear(&text);
  return result;
}

std::string Value::ToString() const { return StringToUtf8(ToU16String()); }

TObject* Value::ToObject() const { return VarToObject(FValue); }

}  // namespace qel
