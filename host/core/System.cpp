// Class descriptors, the destroy observer, UTF conversions and thread ids.
#include "host/core/System.h"

#include "host/core/SysUtils.h"

namespace qel_detail {
std::atomic<TObjectDestroyObserver> GDestroyObserver{nullptr};
}

TObjectDestroyObserver SetObjectDestroyObserver(TObjectDestroyObserver AObserver) {
  return qel_detail::GDestroyObserver.exchange(AObserver);
}

bool TClassInfo::InheritsFrom(TClass AClass) const {
  for (TClass c = this; c; c = c->Parent)
    if (c == AClass) return true;
  return false;
}

TObject* TClassInfo::NewInstance(TComponent* AOwner) const {
  return Factory ? Factory(AOwner) : nullptr;
}

const TPropInfo* TClassInfo::FindProperty(std::u16string_view AName) const {
  for (TClass c = this; c; c = c->Parent)
    for (const TPropInfo& prop : c->Properties)
      if (SameText(prop.Name, AName)) return &prop;
  return nullptr;
}

String TEnumTypeInfo::GetEnumName(int AValue) const {
  return AValue >= 0 && AValue < static_cast<int>(Names.size()) ? Names[AValue] : String();
}

int TEnumTypeInfo::GetEnumValue(std::u16string_view AName) const {
  for (size_t i = 0; i < Names.size(); ++i)
    if (SameText(Names[i], AName)) return static_cast<int>(i);
  return -1;
}

TEnumTypeInfo TEnumTypeInfo::Make(std::u16string_view AName, std::u16string_view AValueList) {
  TEnumTypeInfo info;
  info.Name = AName;
  for (size_t start = 0; start <= AValueList.size();) {
    size_t comma = AValueList.find(u',', start);
    if (comma == AValueList.npos) comma = AValueList.size();
    const String name = Trim(AValueList.substr(start, comma - start));
    if (!name.empty()) info.Names.push_back(name);
    start = comma + 1;
  }
  return info;
}

void RaiseInvalidCast() { throw ExceptionPtr(new EInvalidCast()); }

// ---------------------------------------------------------------------------
// Property values

namespace {

[[noreturn]] void RaiseTypeCast() { throw ExceptionPtr(new EVariantTypeCastError()); }

}  // namespace

int64_t PropValueToInt(const TPropValue& AValue) {
  if (auto* i = std::get_if<int64_t>(&AValue)) return *i;
  if (auto* b = std::get_if<bool>(&AValue)) return *b ? -1 : 0;
  RaiseTypeCast();
}

double PropValueToFloat(const TPropValue& AValue) {
  if (auto* d = std::get_if<double>(&AValue)) return *d;
  if (auto* i = std::get_if<int64_t>(&AValue)) return static_cast<double>(*i);
  RaiseTypeCast();
}

bool PropValueToBool(const TPropValue& AValue) {
  if (auto* b = std::get_if<bool>(&AValue)) return *b;
  if (auto* i = std::get_if<int64_t>(&AValue)) return *i != 0;
  RaiseTypeCast();
}

String PropValueToString(const TPropValue& AValue) {
  if (auto* s = std::get_if<String>(&AValue)) return *s;
  RaiseTypeCast();
}

TObject* PropValueToObject(const TPropValue& AValue) {
  if (auto* o = std::get_if<TObject*>(&AValue)) return *o;
  if (std::holds_alternative<std::monostate>(AValue)) return nullptr;
  RaiseTypeCast();
}

// ---------------------------------------------------------------------------
// UTF-8 <-> UTF-16

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Decodes one scalar value at AText[APos], advancing APos; malformed or
// overlong sequences and encoded surrogates give U+FFFD and skip one byte.
char32_t DecodeUtf8(std::string_view AText, size_t& APos) {
  const auto lead = static_cast<unsigned char>(AText[APos]);
  if (lead < 0x80) {
    ++APos;
    return lead;
  }
  int extra = lead >= 0xF0 && lead <= 0xF4 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC2 && lead < 0xE0 ? 1 : -1;
  if (extra < 0 || APos + extra >= AText.size()) {
    ++APos;
    return kReplacement;
  }
  char32_t cp = lead & (0x3F >> extra);
  for (int i = 1; i <= extra; ++i) {
    const auto cont = static_cast<unsigned char>(AText[APos + i]);
    if ((cont & 0xC0) != 0x80) {
      ++APos;
      return kReplacement;
    }
    cp = (cp << 6) | (cont & 0x3F);
  }
  static constexpr char32_t kMinimum[] = {0, 0x80, 0x800, 0x10000};
  if (cp < kMinimum[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
    ++APos;
    return kReplacement;
  }
  APos += extra + 1;
  return cp;
}

void AppendUtf8(std::string& AOut, char32_t ACp) {
  if (ACp < 0x80) {
    AOut += static_cast<char>(ACp);
  } else if (ACp < 0x800) {
    AOut += static_cast<char>(0xC0 | (ACp >> 6));
    AOut += static_cast<char>(0x80 | (ACp & 0x3F));
  } else if (ACp < 0x10000) {
    AOut += static_cast<char>(0xE0 | (ACp >> 12));
    AOut += static_cast<char>(0x80 | ((ACp >> 6) & 0x3F));
    AOut += static_cast<char>(0x80 | (ACp & 0x3F));
  } else {
    AOut += static_cast<char>(0xF0 | (ACp >> 18));
    AOut += static_cast<char>(0x80 | ((ACp >> 12) & 0x3F));
    AOut += static_cast<char>(0x80 | ((ACp >> 6) & 0x3F));
    AOut += static_cast<char>(0x80 | (ACp & 0x3F));
  }
}

}  // namespace

String Utf8ToString(std::string_view AText) {
  String result;
  result.reserve(AText.size());
  for (size_t pos = 0; pos < AText.size();) {
    const char32_t cp = DecodeUtf8(AText, pos);
    if (cp < 0x10000) {
      result += static_cast<char16_t>(cp);
    } else {
      result += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
      result += static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
    }
  }
  return result;
}

std::string StringToUtf8(std::u16string_view AText) {
  std::string result;
  result.reserve(AText.size());
  for (size_t i = 0; i < AText.size(); ++i) {
    char32_t cp = AText[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < AText.size() && AText[i + 1] >= 0xDC00 && AText[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (AText[i + 1] - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = kReplacement;
    }
    AppendUtf8(result, cp);
  }
  return result;
}
