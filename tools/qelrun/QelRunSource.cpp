#include "tools/qelrun/QelRunSource.h"

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
