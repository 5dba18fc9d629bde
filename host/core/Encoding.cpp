// The encodings: UTF-8 and UTF-16 by hand, every other code page through ICU's converters.
#include "host/core/Encoding.h"

#include <unicode/ucnv.h>

#include <memory>

namespace {

[[noreturn]] void RaiseNoMapping() {
  throw ExceptionPtr(new EEncodingError(
      u"No mapping for the Unicode character exists in the target multi-byte code page"));
}

// The ICU converter name of a code page ("" when there is none).
std::string ConverterName(int32_t ACodePage) {
  switch (ACodePage) {
    case 65000: return "UTF-7";
    case 65001: return "UTF-8";
    case 20127: return "US-ASCII";
    case 1200: return "UTF-16LE";
    case 1201: return "UTF-16BE";
    default: break;
  }
  if (ACodePage >= 28591 && ACodePage <= 28605)
    return "ISO-8859-" + std::to_string(ACodePage - 28590);
  if (ACodePage >= 1250 && ACodePage <= 1258) return "windows-" + std::to_string(ACodePage);
  return ACodePage > 0 ? "cp" + std::to_string(ACodePage) : std::string();
}

struct TConverterClose {
  void operator()(UConverter* AConverter) const { ucnv_close(AConverter); }
};
using TConverter = std::unique_ptr<UConverter, TConverterClose>;

TConverter OpenConverter(const std::string& AName) {
  UErrorCode status = U_ZERO_ERROR;
  TConverter converter(AName.empty() ? nullptr : ucnv_open(AName.c_str(), &status));
  if (U_FAILURE(status) || !converter) return nullptr;
  UErrorCode ignored = U_ZERO_ERROR;
  ucnv_setSubstChars(converter.get(), "?", 1, &ignored);
  return converter;
}

int32_t CheckedLength(size_t ASize) {
  if (ASize > static_cast<size_t>(INT32_MAX))
    throw ExceptionPtr(new EEncodingError(u"Text too long to encode"));
  return static_cast<int32_t>(ASize);
}

}  // namespace

// ---- the base ------------------------------------------------------------------------------

String TEncoding::GetString(const TEncodingBytes& ABytes, int32_t AIndex, int32_t ACount) const {
  if (AIndex < 0 || ACount < 0 ||
      static_cast<size_t>(AIndex) + static_cast<size_t>(ACount) > ABytes.size()) {
    throw ExceptionPtr(new EArgumentOutOfRangeException(u"Argument out of range"));
  }
  return GetString(TEncodingBytes(ABytes.begin() + AIndex, ABytes.begin() + AIndex + ACount));
}

TEncoding* TEncoding::GetUTF8() {
  static TUTF8Encoding* encoding = new TUTF8Encoding();
  return encoding;
}
TEncoding* TEncoding::GetUnicode() {
  static TUnicodeEncoding* encoding = new TUnicodeEncoding();
  return encoding;
}
TEncoding* TEncoding::GetBigEndianUnicode() {
  static TBigEndianUnicodeEncoding* encoding = new TBigEndianUnicodeEncoding();
  return encoding;
}
TEncoding* TEncoding::GetUTF7() {
  static TUTF7Encoding* encoding = new TUTF7Encoding();
  return encoding;
}
TEncoding* TEncoding::GetASCII() {
  static TMBCSEncoding* encoding = new TMBCSEncoding(20127);
  return encoding;
}
TEncoding* TEncoding::GetANSI() {
  static TMBCSEncoding* encoding = new TMBCSEncoding(28591);
  return encoding;
}

bool TEncoding::IsStandardEncoding(const TEncoding* AEncoding) {
  return AEncoding && (AEncoding == GetUTF8() || AEncoding == GetUnicode() ||
                       AEncoding == GetBigEndianUnicode() || AEncoding == GetUTF7() ||
                       AEncoding == GetASCII() || AEncoding == GetANSI());
}

TEncoding* TEncoding::GetEncoding(int32_t ACodePage) {
  switch (ACodePage) {
    case 65001: return new TUTF8Encoding();
    case 1200: return new TUnicodeEncoding();
    case 1201: return new TBigEndianUnicodeEncoding();
    case 65000: return new TUTF7Encoding();
    default: return new TMBCSEncoding(ACodePage);
  }
}

TEncodingBytes TEncoding::Convert(const TEncoding* ASource, const TEncoding* ADestination,
                                  const TEncodingBytes& ABytes) {
  if (!ASource || !ADestination)
    throw ExceptionPtr(new EArgumentNilException(u"Encoding must not be nil"));
  return ADestination->GetBytes(ASource->GetString(ABytes));
}

TEncoding* TEncoding::DetectPreamble(const TEncodingBytes& ABytes, int32_t& APreambleLength) {
  // UTF-8 first: its preamble cannot be confused with UTF-16's.
  for (TEncoding* encoding : {GetUTF8(), GetUnicode(), GetBigEndianUnicode()}) {
    const TEncodingBytes preamble = encoding->GetPreamble();
    if (ABytes.size() >= preamble.size() &&
        std::equal(preamble.begin(), preamble.end(), ABytes.begin())) {
      APreambleLength = static_cast<int32_t>(preamble.size());
      return encoding;
    }
  }
  APreambleLength = 0;
  return nullptr;
}

// ---- UTF-8 and UTF-16 ----------------------------------------------------------------------

TEncodingBytes TUTF8Encoding::GetBytes(std::u16string_view AText) const {
  const std::string bytes = StringToUtf8(AText);
  return TEncodingBytes(bytes.begin(), bytes.end());
}

String TUTF8Encoding::GetString(const TEncodingBytes& ABytes) const {
  return Utf8ToString(
      std::string_view(reinterpret_cast<const char*>(ABytes.data()), ABytes.size()));
}

TEncodingBytes TUnicodeEncoding::GetBytes(std::u16string_view AText) const {
  TEncodingBytes bytes;
  bytes.reserve(AText.size() * 2);
  for (char16_t c : AText) {
    const auto low = static_cast<uint8_t>(c & 0xFF), high = static_cast<uint8_t>(c >> 8);
    bytes.push_back(BigEndian() ? high : low);
    bytes.push_back(BigEndian() ? low : high);
  }
  return bytes;
}

String TUnicodeEncoding::GetString(const TEncodingBytes& ABytes) const {
  String text;
  text.reserve(ABytes.size() / 2 + 1);
  for (size_t i = 0; i + 1 < ABytes.size(); i += 2) {
    const uint8_t first = ABytes[i], second = ABytes[i + 1];
    text += static_cast<char16_t>(BigEndian() ? (first << 8) | second : (second << 8) | first);
  }
  if (ABytes.size() % 2) text += u'\uFFFD';  // half a character at the end
  return text;
}

// ---- code pages ----------------------------------------------------------------------------

TMBCSEncoding::TMBCSEncoding(int32_t ACodePage)
    : FCodePage(ACodePage), FConverter(ConverterName(ACodePage)) {
  TConverter converter = OpenConverter(FConverter);
  if (!converter) RaiseNoMapping();
  FName = Utf8ToString(FConverter);
  FSingleByte = ucnv_getMaxCharSize(converter.get()) == 1;
}

TEncodingBytes TMBCSEncoding::GetBytes(std::u16string_view AText) const {
  TConverter converter = OpenConverter(FConverter);
  if (!converter) RaiseNoMapping();
  const int32_t length = CheckedLength(AText.size());
  UErrorCode status = U_ZERO_ERROR;
  const int32_t size = ucnv_fromUChars(
      converter.get(), nullptr, 0, reinterpret_cast<const UChar*>(AText.data()), length, &status);
  TEncodingBytes bytes(static_cast<size_t>(size));
  status = U_ZERO_ERROR;
  ucnv_fromUChars(converter.get(), reinterpret_cast<char*>(bytes.data()), size,
                  reinterpret_cast<const UChar*>(AText.data()), length, &status);
  if (U_FAILURE(status) && status != U_STRING_NOT_TERMINATED_WARNING) RaiseNoMapping();
  return bytes;
}

String TMBCSEncoding::GetString(const TEncodingBytes& ABytes) const {
  TConverter converter = OpenConverter(FConverter);
  if (!converter) RaiseNoMapping();
  const int32_t length = CheckedLength(ABytes.size());
  const auto* source = reinterpret_cast<const char*>(ABytes.data());
  UErrorCode status = U_ZERO_ERROR;
  const int32_t size = ucnv_toUChars(converter.get(), nullptr, 0, source, length, &status);
  String text(static_cast<size_t>(size), u'\0');
  status = U_ZERO_ERROR;
  ucnv_toUChars(converter.get(), reinterpret_cast<UChar*>(text.data()), size, source, length,
                &status);
  if (U_FAILURE(status) && status != U_STRING_NOT_TERMINATED_WARNING) RaiseNoMapping();
  return text;
}
