#include "tools/qelrun/QelRunSource.h"

#include <array>
#include <fstream>
#include <iterator>
#include <sstream>

namespace {

String DecodeUtf16(const std::string& ABytes, size_t AStart, bool ABigEndian) {
  String text;
  text.reserve((ABytes.size() - AStart) / 2);
  for (size_t i = AStart; i + 1 < ABytes.size(); i += 2) {
    const auto lo = static_cast<unsigned char>(ABytes[i + (ABigEndian ? 1 : 0)]);
    const auto hi = static_cast<unsigned char>(ABytes[i + (ABigEndian ? 0 : 1)]);
    text.push_back(static_cast<char16_t>(lo | (hi << 8)));
  }
  return text;
}

struct TExtensionLanguage {
  std::u16string_view Extension;
  TQelScriptLanguage Language;
};
constexpr std::array<TExtensionLanguage, 8> CExtensionLanguages{{
    {u".pas", slPascal}, {u".js", slJScript}, {u".py", slPython}, {u".lua", slLua},
    {u".tcl", slTCL},    {u".pl", slPerl},    {u".rex", slRexx},   {u".vbs", slVBScript},
}};
constexpr TQelScriptLanguage COtherExtensions = slNativeVb;

bool StartsWith(const std::string& ABytes, std::string_view APrefix) {
  return ABytes.compare(0, APrefix.size(), APrefix) == 0;
}

}  // namespace

String QelDecodeScriptBytes(const std::string& ABytes) {
  if (StartsWith(ABytes, "\xEF\xBB\xBF")) return Utf8ToString(std::string_view(ABytes).substr(3));
  if (StartsWith(ABytes, "\xFF\xFE")) return DecodeUtf16(ABytes, 2, false);
  if (StartsWith(ABytes, "\xFE\xFF")) return DecodeUtf16(ABytes, 2, true);
  return Utf8ToString(ABytes);
}

std::optional<String> QelReadScriptFile(const std::string& APath) {
  std::ifstream file(APath, std::ios::binary);
  if (!file) return std::nullopt;
  std::ostringstream bytes;
  bytes << file.rdbuf();
  if (file.bad()) return std::nullopt;
  return QelDecodeScriptBytes(bytes.str());
}

String QelFileExtension(std::u16string_view AFileName) {
  const size_t dot = AFileName.rfind(u'.');
  const size_t separator = AFileName.find_last_of(u"/\\");
  if (dot == std::u16string_view::npos || (separator != std::u16string_view::npos && dot < separator)) return {};
  return String(AFileName.substr(dot));
}

TQelScriptLanguage QelScriptLanguageOfFile(std::u16string_view AFileName) {
  const String ext = QelFileExtension(AFileName);
  for (const TExtensionLanguage& row : CExtensionLanguages)
    if (SameText(ext, row.Extension)) return row.Language;
  return COtherExtensions;
}
