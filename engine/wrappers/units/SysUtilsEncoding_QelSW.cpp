// The "SysUtils" unit wrapper, encodings: TEncoding and its descendants, and the byte arrays
// they give and take.
#include "engine/wrappers/units/SysUtils_QelSW.h"

VARIANT TQelBytesConv::ToVar(const std::vector<uint8_t>& AValue) {
  SAFEARRAY* array = SafeArrayCreateVector(VT_VARIANT, 0, static_cast<ULONG>(AValue.size()));
  if (!array) throw ExceptionPtr(new EOutOfMemory());
  VARIANT* items = nullptr;
  SafeArrayAccessData(array, reinterpret_cast<void**>(&items));
  for (size_t i = 0; i < AValue.size(); ++i) {
    items[i].vt = VT_UI1;
    items[i].bVal = AValue[i];
  }
  SafeArrayUnaccessData(array);
  VARIANT result{};
  result.vt = VT_ARRAY | VT_VARIANT;
  result.parray = array;
  return result;
}

std::vector<uint8_t> TQelBytesConv::FromVar(const VARIANT& AValue) {
  const VARIANT& value = QelDeref(AValue);
  if (value.vt == VT_EMPTY) return {};  // an unassigned variable: no bytes yet
  if (!(value.vt & VT_ARRAY)) QelRaiseTypeCastError();
  SAFEARRAY* array = (value.vt & VT_BYREF) ? *value.pparray : value.parray;
  const VARTYPE type = value.vt & VT_TYPEMASK;
  if (!array || SafeArrayGetDim(array) != 1 || (type != VT_UI1 && type != VT_VARIANT))
    QelRaiseTypeCastError();
  void* data = nullptr;
  if (FAILED(SafeArrayAccessData(array, &data))) QelRaiseTypeCastError();
  struct TUnaccess {
    SAFEARRAY* Array;
    ~TUnaccess() { SafeArrayUnaccessData(Array); }
  } unaccess{array};
  const ULONG count = array->rgsabound[0].cElements;
  if (type == VT_UI1) {
    const auto* bytes = static_cast<const uint8_t*>(data);
    return std::vector<uint8_t>(bytes, bytes + count);
  }
  std::vector<uint8_t> result;
  result.reserve(count);
  for (ULONG i = 0; i < count; ++i) {
    const int64_t item = QelVarToInt64(static_cast<const VARIANT*>(data)[i]);
    if (item < 0 || item > 255) throw ExceptionPtr(new ERangeError());
    result.push_back(static_cast<uint8_t>(item));
  }
  return result;
}

namespace {

using TBytesArg = const TEncodingBytes&;

template <TEncoding* (*F)()>
TEncoding* Standard(TClass) {
  return F();
}
// GetEncoding and Clone make an encoding the caller frees: the script's own.
TEncoding* Adopted(TEncoding* AEncoding) {
  TWrapperByObject::Instance().AdoptByScript(AEncoding);
  return AEncoding;
}
TEncoding* GetEncodingOf(TClass, int32_t ACodePage) {
  return Adopted(TEncoding::GetEncoding(ACodePage));
}
TEncoding* CloneOf(TEncoding* AEncoding) { return Adopted(AEncoding->Clone()); }
TEncodingBytes ConvertOf(TClass, TEncoding* ASource, TEncoding* ADestination, TBytesArg ABytes) {
  return TEncoding::Convert(ASource, ADestination, ABytes);
}
bool IsStandard(TClass, TEncoding* AEncoding) { return TEncoding::IsStandardEncoding(AEncoding); }
// With no encoding given (nil), the one whose preamble starts the bytes (else the default);
// returns the length of the preamble found. The var parameter is a TObject so that it takes nil.
int32_t GetBufferEncoding(TClass, TBytesArg ABytes, TObject*& AEncodingVar) {
  auto* encoding = dynamic_cast<TEncoding*>(AEncodingVar);
  if (AEncodingVar && !encoding) QelRaiseTypeCastError();
  int32_t length = 0;
  if (!encoding) {
    encoding = TEncoding::DetectPreamble(ABytes, length);
    AEncodingVar = encoding ? encoding : TEncoding::GetDefault();
    return length;
  }
  const TEncodingBytes preamble = encoding->GetPreamble();
  const bool starts = !preamble.empty() && ABytes.size() >= preamble.size() &&
                      std::equal(preamble.begin(), preamble.end(), ABytes.begin());
  return starts ? static_cast<int32_t>(preamble.size()) : 0;
}

String GetStringAll(TEncoding* AEncoding, TBytesArg ABytes) { return AEncoding->GetString(ABytes); }
String GetStringPart(TEncoding* AEncoding, TBytesArg ABytes, int32_t AIndex, int32_t ACount) {
  return AEncoding->GetString(ABytes, AIndex, ACount);
}

TUTF8Encoding* NewUTF8(TClass) { return new TUTF8Encoding(); }
TUnicodeEncoding* NewUnicode(TClass) { return new TUnicodeEncoding(); }
TBigEndianUnicodeEncoding* NewBigEndian(TClass) { return new TBigEndianUnicodeEncoding(); }
TMBCSEncoding* NewMBCS(TClass, int32_t ACodePage) { return new TMBCSEncoding(ACodePage); }
TUTF7Encoding* NewUTF7(TClass) { return new TUTF7Encoding(); }

}  // namespace

void TEncoding_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TEncoding> M(AData);
  M.ClassProperty<&Standard<&TEncoding::GetASCII>>(u"ASCII");
  M.ClassProperty<&Standard<&TEncoding::GetANSI>>(u"ANSI");
  M.ClassProperty<&Standard<&TEncoding::GetBigEndianUnicode>>(u"BigEndianUnicode");
  M.ClassProperty<&Standard<&TEncoding::GetDefault>>(u"Default");
  M.ClassProperty<&Standard<&TEncoding::GetUnicode>>(u"Unicode");
  M.ClassProperty<&Standard<&TEncoding::GetUTF7>>(u"UTF7");
  M.ClassProperty<&Standard<&TEncoding::GetUTF8>>(u"UTF8");
  M.ClassMethod<&GetEncodingOf>(u"GetEncoding");
  M.ClassMethod<&ConvertOf>(u"Convert");
  M.ClassMethod<&IsStandard>(u"IsStandardEncoding");
  M.ClassMethod<&GetBufferEncoding>(u"GetBufferEncoding");
  M.Method<&TEncoding::GetBytes>(u"GetBytes");
  M.Overloads<u"GetString", &GetStringAll, &GetStringPart>();
  M.Method<&TEncoding::GetByteCount>(u"GetByteCount");
  M.Method<&TEncoding::GetCharCount>(u"GetCharCount");
  M.Method<&TEncoding::GetPreamble>(u"GetPreamble");
  M.Method<&CloneOf>(u"Clone");
  M.Property<&TEncoding::IsSingleByte>(u"IsSingleByte");
  M.Property<&TEncoding::GetEncodingName>(u"EncodingName");
  M.Property<&TEncoding::GetCodePage>(u"CodePage");
}

void TUTF8Encoding_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TUTF8Encoding>(AData).Constructor<&NewUTF8>();
}
void TUnicodeEncoding_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TUnicodeEncoding>(AData).Constructor<&NewUnicode>();
}
void TBigEndianUnicodeEncoding_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TBigEndianUnicodeEncoding>(AData).Constructor<&NewBigEndian>();
}
void TMBCSEncoding_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TMBCSEncoding>(AData).Constructor<&NewMBCS, QelDefaults<28591>>();
}
void TUTF7Encoding_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TUTF7Encoding>(AData).Constructor<&NewUTF7>();
}
