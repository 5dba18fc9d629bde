// TQelBValue: the neutral value slot over a VARIANT, and the text helpers.
#include <cstring>

#include "engines/common/BridgeInternal.h"
#include "host/core/System.h"
#include "platform/ole/OleSafeArray.h"

static_assert(sizeof(TQelBValue) == sizeof(VARIANT), "a value slot is a VARIANT");

namespace {

const VARIANT& Deref(const VARIANT& AValue) {
  const VARIANT* v = &AValue;
  while (v->vt == (VT_BYREF | VT_VARIANT) && v->pvarVal) v = v->pvarVal;
  return *v;
}

// The value coerced to AType in a temporary; false when the host cannot coerce it.
bool Coerce(const VARIANT& AValue, VARTYPE AType, VARIANT& AResult) {
  VariantInit(&AResult);
  return SUCCEEDED(VariantChangeType(&AResult, &AValue, VARIANT_ALPHABOOL, AType));
}

}  // namespace

TQelBKind TQelBValue::Kind() const {
  const VARIANT& v = Deref(QelBVar(*this));
  switch (v.vt & ~VT_BYREF) {
    case VT_EMPTY: return bvEmpty;
    case VT_NULL: return bvNull;
    case VT_BOOL: return bvBoolean;
    case VT_I1: case VT_I2: case VT_I4: case VT_I8: case VT_UI1: case VT_UI2: case VT_UI4: case VT_UI8:
    case VT_INT: case VT_UINT:
      return bvInteger;
    case VT_R4: case VT_R8: case VT_CY: case VT_DECIMAL:
      return bvDouble;
    case VT_DATE: return bvDate;
    case VT_BSTR: return bvString;
    case VT_DISPATCH: case VT_UNKNOWN: return bvObject;
    case VT_ARRAY | VT_VARIANT: {
      SAFEARRAY* array = (v.vt & VT_BYREF) ? *v.pparray : v.parray;
      return array && SafeArrayGetDim(array) == 1 ? bvArray : bvOther;
    }
    default: return bvOther;
  }
}

bool TQelBValue::AsBoolean() const {
  VARIANT r;
  if (!Coerce(Deref(QelBVar(*this)), VT_BOOL, r)) return false;
  return r.boolVal != VARIANT_FALSE;
}

int64_t TQelBValue::AsInteger() const {
  const VARIANT& v = Deref(QelBVar(*this));
  if (v.vt == VT_I4) return v.lVal;
  VARIANT r;
  if (!Coerce(v, VT_I8, r)) return 0;
  return r.llVal;
}

double TQelBValue::AsDouble() const {
  const VARIANT& v = Deref(QelBVar(*this));
  if (v.vt == VT_R8 || v.vt == VT_DATE) return v.dblVal;
  VARIANT r;
  if (!Coerce(v, VT_R8, r)) return 0;
  return r.dblVal;
}

void TQelBValue::AppendUtf8(std::string& AText) const {
  const VARIANT& v = Deref(QelBVar(*this));
  if (v.vt == VT_BSTR) {
    QelBAppendUtf8(AText, OleBstrView(v.bstrVal));
    return;
  }
  if (v.vt == VT_EMPTY || v.vt == VT_NULL || v.vt == VT_DISPATCH || v.vt == VT_UNKNOWN) return;
  VARIANT r;
  if (!Coerce(v, VT_BSTR, r)) return;
  QelBAppendUtf8(AText, OleBstrView(r.bstrVal));
  VariantClear(&r);
}

std::string TQelBValue::AsUtf8() const {
  std::string text;
  AppendUtf8(text);
  return text;
}

std::u16string_view TQelBValue::StringView() const {
  const VARIANT& v = Deref(QelBVar(*this));
  return v.vt == VT_BSTR ? OleBstrView(v.bstrVal) : std::u16string_view();
}

TQelBObject* TQelBValue::Object() const {
  const VARIANT& v = Deref(QelBVar(*this));
  if (v.vt == VT_DISPATCH) return QelBObj(v.pdispVal);
  if (v.vt == (VT_DISPATCH | VT_BYREF)) return v.ppdispVal ? QelBObj(*v.ppdispVal) : nullptr;
  if (v.vt == VT_UNKNOWN && v.punkVal) {
    // An IUnknown that answers IDispatch: the slot switches to the dispatch face.
    IDispatch* disp = nullptr;
    if (SUCCEEDED(v.punkVal->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&disp)))) {
      auto& slot = const_cast<VARIANT&>(v);
      slot.punkVal->Release();
      slot.vt = VT_DISPATCH;
      slot.pdispVal = disp;
      return QelBObj(disp);
    }
  }
  return nullptr;
}

namespace {
SAFEARRAY* ArrayOf(const VARIANT& AValue) {
  const VARIANT& v = Deref(AValue);
  if (v.vt == (VT_ARRAY | VT_VARIANT)) return v.parray;
  if (v.vt == (VT_ARRAY | VT_VARIANT | VT_BYREF)) return *v.pparray;
  return nullptr;
}
}  // namespace

int TQelBValue::ArrayCount() const {
  SAFEARRAY* array = ArrayOf(QelBVar(*this));
  if (!array || SafeArrayGetDim(array) != 1) return -1;
  LONG low = 0, high = -1;
  SafeArrayGetLBound(array, 1, &low);
  SafeArrayGetUBound(array, 1, &high);
  return static_cast<int>(high - low + 1);
}

bool TQelBValue::ArrayGet(int AIndex, TQelBValue& AResult) const {
  SAFEARRAY* array = ArrayOf(QelBVar(*this));
  if (!array || AIndex < 0 || AIndex >= ArrayCount()) return false;
  LONG low = 0;
  SafeArrayGetLBound(array, 1, &low);
  LONG index = low + AIndex;
  AResult.Clear();
  return SUCCEEDED(SafeArrayGetElement(array, &index, AResult.Raw16()));
}

void TQelBValue::Clear() {
  VariantClear(&QelBVar(*this));
  Raw[0] = Raw[1] = 0;
}

void TQelBValue::SetNull() {
  Clear();
  QelBVar(*this).vt = VT_NULL;
}

void TQelBValue::SetBoolean(bool AValue) {
  Clear();
  VARIANT& v = QelBVar(*this);
  v.vt = VT_BOOL;
  v.boolVal = AValue ? VARIANT_TRUE : VARIANT_FALSE;
}

void TQelBValue::SetInteger(int64_t AValue) {
  Clear();
  VARIANT& v = QelBVar(*this);
  if (AValue >= INT32_MIN && AValue <= INT32_MAX) {
    v.vt = VT_I4;
    v.lVal = static_cast<LONG>(AValue);
  } else {
    v.vt = VT_I8;
    v.llVal = AValue;
  }
}

void TQelBValue::SetDouble(double AValue) {
  Clear();
  VARIANT& v = QelBVar(*this);
  v.vt = VT_R8;
  v.dblVal = AValue;
}

void TQelBValue::SetDate(double AOleDate) {
  Clear();
  VARIANT& v = QelBVar(*this);
  v.vt = VT_DATE;
  v.date = AOleDate;
}

void TQelBValue::SetUtf16(std::u16string_view AText) {
  Clear();
  VARIANT& v = QelBVar(*this);
  v.bstrVal = OleAllocBstr(AText);
  v.vt = VT_BSTR;
}

void TQelBValue::SetUtf8(std::string_view AText) {
  Clear();
  VARIANT& v = QelBVar(*this);
  // ASCII, the common case, is widened straight into the string's block.
  bool ascii = true;
  for (char c : AText)
    if (static_cast<unsigned char>(c) >= 0x80) {
      ascii = false;
      break;
    }
  if (ascii) {
    BSTR text = SysAllocStringLen(nullptr, static_cast<UINT>(AText.size()));
    for (size_t i = 0; i < AText.size(); ++i) text[i] = static_cast<char16_t>(AText[i]);
    v.bstrVal = text;
  } else {
    v.bstrVal = OleAllocBstr(QelBUtf16(AText));
  }
  v.vt = VT_BSTR;
}

void TQelBValue::SetObject(TQelBObject* AObject) {
  if (AObject) QelBAddRef(AObject);
  AdoptObject(AObject);
}

void TQelBValue::AdoptObject(TQelBObject* AObject) {
  Clear();
  VARIANT& v = QelBVar(*this);
  v.vt = VT_DISPATCH;
  v.pdispVal = QelBDisp(AObject);
}

void TQelBValue::SetArray(int ACount) {
  Clear();
  SAFEARRAYBOUND bound{static_cast<ULONG>(ACount < 0 ? 0 : ACount), 0};
  SAFEARRAY* array = SafeArrayCreate(VT_VARIANT, 1, &bound);
  if (!array) return;
  VARIANT& v = QelBVar(*this);
  v.vt = VT_ARRAY | VT_VARIANT;
  v.parray = array;
}

bool TQelBValue::ArrayPut(int AIndex, TQelBValue&& AValue) {
  SAFEARRAY* array = ArrayOf(QelBVar(*this));
  if (!array || AIndex < 0 || AIndex >= ArrayCount()) return false;
  LONG index = AIndex;
  return SUCCEEDED(SafeArrayPutElement(array, &index, AValue.Raw16()));
}

void TQelBValue::CopyFrom(const TQelBValue& AOther) {
  Clear();
  VariantCopyInd(&QelBVar(*this), &QelBVar(AOther));
}

// ---------------------------------------------------------------------------------------------

void QelBAppendUtf8(std::string& AText, std::u16string_view AWide) {
  const size_t start = AText.size();
  bool ascii = true;
  for (char16_t c : AWide)
    if (c >= 0x80) {
      ascii = false;
      break;
    }
  if (!ascii) {
    AText += StringToUtf8(AWide);
    return;
  }
  AText.resize(start + AWide.size());
  for (size_t i = 0; i < AWide.size(); ++i) AText[start + i] = static_cast<char>(AWide[i]);
}

std::string QelBUtf8(std::u16string_view AText) {
  std::string text;
  QelBAppendUtf8(text, AText);
  return text;
}

std::u16string QelBUtf16(std::string_view AText) { return Utf8ToString(AText); }

void QelBLineAndPosition(std::string_view AText, size_t AOffset, int& ALine, int& APosition) {
  ALine = 0;
  APosition = 1;
  if (AOffset > AText.size()) AOffset = AText.size();
  for (size_t i = 0; i < AOffset; ++i) {
    const unsigned char c = static_cast<unsigned char>(AText[i]);
    if (c == '\n') {
      ++ALine;
      APosition = 1;
    } else if ((c & 0xC0) != 0x80 && c != '\r') {
      ++APosition;  // one per character: continuation bytes do not count
    }
  }
}

int QelBLineStart(std::string_view AText, int ALine) {
  size_t at = 0;
  for (int line = 0; line < ALine; ++line) {
    at = AText.find('\n', at);
    if (at == std::string_view::npos) return 1;
    ++at;
  }
  int position = 1;
  while (at < AText.size() && (AText[at] == ' ' || AText[at] == '\t')) {
    ++at;
    ++position;
  }
  return at < AText.size() && AText[at] != '\r' && AText[at] != '\n' ? position : 1;
}
