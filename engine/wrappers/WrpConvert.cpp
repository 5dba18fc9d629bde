// Shared conversions between variants and host values, the wrappers' errors, and the turning
// of exceptions into HRESULTs at the IDispatch boundary.
#include <cstring>

#include "engine/wrappers/QelSctWrappers.h"
#include "host/core/ExceptRelay.h"

namespace {

// Deeper chains than this are malformed input (a cycle, most likely).
constexpr int MaxRefDepth = 32;

const char16_t SWrappersSource[] = u"Qel-Tessaro wrappers.";
const char16_t SWrongArgCount[] = u"Wrong argument count. Method or property called: %s";
const char16_t SUnsupportedSet[] = u"Unsupported set type.";
const char16_t SNilArgument[] = u"Object required: argument %s is nil.";
const char16_t SEnumRange[] = u"Value %s is out of the range of %s.";

[[noreturn]] void RaiseCoerceError(HRESULT AResult) {
  if (AResult == E_OUTOFMEMORY) throw ExceptionPtr(new EOutOfMemory());
  if (AResult == DISP_E_OVERFLOW) throw ExceptionPtr(new EVariantError(u"Variant overflow"));
  QelRaiseTypeCastError();
}

// The standard coercion of the (dereferenced) value to AType; the caller owns the result.
VARIANT Coerce(const VARIANT& AValue, VARTYPE AType) {
  VARIANT result;
  VariantInit(&result);
  const HRESULT hr = VariantChangeType(&result, &QelDeref(AValue), 0, AType);
  if (FAILED(hr)) RaiseCoerceError(hr);
  return result;
}

bool IsVariantRef(const VARIANT& AValue) { return AValue.vt == (VT_BYREF | VT_VARIANT) && AValue.pvarVal; }

VARIANT* RefTarget(const VARIANT& AArg) {
  VARIANT* target = AArg.pvarVal;
  for (int depth = 0; target && IsVariantRef(*target); ++depth) {
    if (depth == MaxRefDepth) QelRaiseTypeCastError();
    target = target->pvarVal;
  }
  return target;
}

}  // namespace

[[noreturn]] void QelRaiseTypeCastError() { throw ExceptionPtr(new EVariantTypeCastError()); }

[[noreturn]] void QelRaiseOleError(std::u16string_view AMessage, HRESULT ACode) {
  throw ExceptionPtr(new EOleSysError(String(AMessage), ACode));
}

[[noreturn]] void RaiseArgCountError(std::u16string_view AMemberName) {
  QelRaiseOleError(Exception::FormatMessage(SWrongArgCount, {AMemberName}), DISP_E_BADPARAMCOUNT);
}

[[noreturn]] void QelRaiseNilArgError(int AIndex) {
  QelRaiseOleError(Exception::FormatMessage(SNilArgument, {IntToStr(AIndex)}), DISP_E_TYPEMISMATCH);
}

[[noreturn]] void QelRaiseEnumRangeError(int32_t AValue, std::u16string_view ATypeName) {
  const String name = ATypeName.empty() ? String(u"the enumeration") : String(ATypeName);
  QelRaiseOleError(Exception::FormatMessage(SEnumRange, {IntToStr(AValue), name}), DISP_E_OVERFLOW);
}

const VARIANT& QelDeref(const VARIANT& AValue) {
  const VARIANT* value = &AValue;
  for (int depth = 0; IsVariantRef(*value); ++depth) {
    if (depth == MaxRefDepth) QelRaiseTypeCastError();
    value = value->pvarVal;
  }
  return *value;
}

VARIANT NilObjectVar() {
  VARIANT result{};
  result.vt = VT_DISPATCH;
  result.pdispVal = nullptr;
  return result;
}

VARIANT WrapperToVar(TQelDispWrapper* AWrapper) {
  if (!AWrapper) return NilObjectVar();
  VARIANT result = NilObjectVar();
  result.pdispVal = AWrapper->AsDispatch();
  result.pdispVal->AddRef();
  return result;
}

TQelDispWrapper* VarToWrapper(const VARIANT& AValue, bool AAllowNil) {
  const VARIANT& value = QelDeref(AValue);
  const bool isNil = value.vt == VT_EMPTY || value.vt == VT_NULL || (value.vt == VT_DISPATCH && !value.pdispVal);
  if (isNil) {
    if (AAllowNil) return nullptr;
    QelRaiseTypeCastError();
  }
  IDispatch* dispatch = value.vt == VT_DISPATCH ? value.pdispVal : nullptr;
  VARIANT coerced{};
  if (!dispatch) {
    coerced = Coerce(value, VT_DISPATCH);
    dispatch = coerced.pdispVal;
  }
  ComPtr<IQelDispWrapper> wrapper;
  const HRESULT hr = dispatch ? dispatch->QueryInterface(IID_IQelDispWrapper, wrapper.putVoid()) : E_NOINTERFACE;
  VariantClear(&coerced);
  if (FAILED(hr) || !wrapper) QelRaiseTypeCastError();
  // The value keeps the wrapper alive; the reference taken by QueryInterface goes now.
  return wrapper->GetWrapper();
}

VARIANT MakeVarRef(VARIANT& ALocation) {
  VARIANT result{};
  result.vt = VT_BYREF | VT_VARIANT;
  result.pvarVal = &ALocation;
  return result;
}

void SetVarRef(const VARIANT& AArg, const VARIANT& ANewValue) {
  if (!IsVariantRef(AArg)) return;
  const HRESULT hr = VariantCopy(RefTarget(AArg), &ANewValue);
  if (FAILED(hr)) RaiseCoerceError(hr);
}

void SetVarRefMove(const VARIANT& AArg, VARIANT& ANewValue) {
  if (!IsVariantRef(AArg)) {
    VariantClear(&ANewValue);
    return;
  }
  VARIANT* target = nullptr;
  try {
    target = RefTarget(AArg);
  } catch (...) {
    VariantClear(&ANewValue);
    throw;
  }
  VariantClear(target);
  *target = ANewValue;
  ANewValue.vt = VT_EMPTY;
}

// ---- sets ----------------------------------------------------------------------------------

VARIANT SetToVar(int ASetSize, const void* ASetBytes) {
  if (ASetSize != 1 && ASetSize != 2 && ASetSize != 4) QelRaiseOleError(SUnsupportedSet);
  uint8_t bytes[4] = {};
  std::memcpy(bytes, ASetBytes, static_cast<size_t>(ASetSize));
  const uint32_t bits = bytes[0] | (uint32_t(bytes[1]) << 8) | (uint32_t(bytes[2]) << 16) | (uint32_t(bytes[3]) << 24);
  return QelIntVar(static_cast<int32_t>(bits));
}

void VarToSet(int ASetSize, void* ASetBytes, const VARIANT& AValue) {
  if (ASetSize != 1 && ASetSize != 2 && ASetSize != 4) QelRaiseOleError(SUnsupportedSet);
  const auto bits = static_cast<uint32_t>(QelVarToInt(AValue));
  const uint8_t bytes[4] = {uint8_t(bits), uint8_t(bits >> 8), uint8_t(bits >> 16), uint8_t(bits >> 24)};
  std::memcpy(ASetBytes, bytes, static_cast<size_t>(ASetSize));
}

// ---- the standard coercions ----------------------------------------------------------------

namespace {

// The coercion with the common case first: a value already of the kind is read directly.
template <class T>
T CoerceTo(const VARIANT& AValue, VARTYPE AType, T VARIANT::*AField) {
  const VARIANT& value = QelDeref(AValue);
  if (value.vt == AType) return value.*AField;
  return Coerce(value, AType).*AField;
}

}  // namespace

int32_t QelVarToInt(const VARIANT& AValue) { return CoerceTo<LONG>(AValue, VT_I4, &VARIANT::lVal); }
int64_t QelVarToInt64(const VARIANT& AValue) { return CoerceTo<LONGLONG>(AValue, VT_I8, &VARIANT::llVal); }
uint64_t QelVarToUInt64(const VARIANT& AValue) { return CoerceTo<ULONGLONG>(AValue, VT_UI8, &VARIANT::ullVal); }
double QelVarToReal(const VARIANT& AValue) { return CoerceTo<DOUBLE>(AValue, VT_R8, &VARIANT::dblVal); }
bool QelVarToBool(const VARIANT& AValue) {
  return CoerceTo<VARIANT_BOOL>(AValue, VT_BOOL, &VARIANT::boolVal) != VARIANT_FALSE;
}

CY QelVarToCurrency(const VARIANT& AValue) { return CoerceTo<CY>(AValue, VT_CY, &VARIANT::cyVal); }

String QelVarToString(const VARIANT& AValue) {
  const VARIANT& value = QelDeref(AValue);
  if (value.vt == VT_BSTR) return String(OleBstrView(value.bstrVal));
  VARIANT text = Coerce(value, VT_BSTR);
  String result(OleBstrView(text.bstrVal));
  VariantClear(&text);
  return result;
}

VARIANT QelVarCopy(const VARIANT& AValue) {
  VARIANT result;
  VariantInit(&result);
  const HRESULT hr = VariantCopy(&result, &QelDeref(AValue));
  if (FAILED(hr)) RaiseCoerceError(hr);
  return result;
}

namespace {

template <class T>
VARIANT MakeVar(VARTYPE AType, T VARIANT::*AField, T AValue) {
  VARIANT result{};
  result.vt = AType;
  result.*AField = AValue;
  return result;
}

}  // namespace

VARIANT QelIntVar(int32_t AValue) { return MakeVar<LONG>(VT_I4, &VARIANT::lVal, AValue); }
VARIANT QelInt64Var(int64_t AValue) { return MakeVar<LONGLONG>(VT_I8, &VARIANT::llVal, AValue); }
VARIANT QelUInt64Var(uint64_t AValue) { return MakeVar<ULONGLONG>(VT_UI8, &VARIANT::ullVal, AValue); }
VARIANT QelRealVar(double AValue) { return MakeVar<DOUBLE>(VT_R8, &VARIANT::dblVal, AValue); }
VARIANT QelBoolVar(bool AValue) {
  return MakeVar<VARIANT_BOOL>(VT_BOOL, &VARIANT::boolVal, AValue ? VARIANT_TRUE : VARIANT_FALSE);
}
VARIANT QelCurrencyVar(CY AValue) { return MakeVar<CY>(VT_CY, &VARIANT::cyVal, AValue); }
VARIANT QelDateVar(double AValue) { return MakeVar<DATE>(VT_DATE, &VARIANT::date, AValue); }

VARIANT QelStringVar(std::u16string_view AValue) {
  VARIANT result{};
  result.vt = VT_BSTR;
  result.bstrVal = OleAllocBstr(AValue);
  if (!result.bstrVal) throw ExceptionPtr(new EOutOfMemory());
  return result;
}

// ---- the IDispatch boundary ----------------------------------------------------------------

HRESULT ExceptionToHResult(EXCEPINFO* AExcepInfo) {
  const ExceptionPtr error = AcquireExceptionObject();
  if (error->InheritsFrom(EVariantTypeCastError::StaticClass())) return DISP_E_TYPEMISMATCH;
  if (AExcepInfo) {
    *AExcepInfo = EXCEPINFO{};
    // An OLE exception keeps its own number and source, so a caller such as a script's error
    // object reads the number the raiser gave.
    const auto* ole = error->InheritsFrom(EOleException::StaticClass()) ? static_cast<const EOleException*>(error.Get())
                                                                         : nullptr;
    AExcepInfo->bstrSource = OleAllocBstr(ole && !ole->GetSource().empty() ? std::u16string_view(ole->GetSource())
                                                                           : std::u16string_view(SWrappersSource));
    AExcepInfo->bstrDescription = OleAllocBstr(error->GetMessage());
    AExcepInfo->scode = ole && FAILED(ole->GetErrorCode()) ? ole->GetErrorCode() : E_FAIL;
    // Our own machine raises the object itself; other callers read the EXCEPINFO as ever.
    QelRelayException(error, AExcepInfo->bstrDescription);
  }
  return DISP_E_EXCEPTION;
}
