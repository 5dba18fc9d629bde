// Loading string lists from text files and saving them.
#include <cerrno>
#include <cstdio>
#include <memory>

#include "host/core/Classes.h"

namespace {

struct FileCloser {
  void operator()(std::FILE* AFile) const { std::fclose(AFile); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

template <class E>
[[noreturn]] void RaiseFileError(std::u16string_view AFormat, const String& AFileName, int AErrno) {
  throw ExceptionPtr(new E(Exception::FormatMessage(AFormat, {AFileName, SysErrorMessage(AErrno)})));
}

String DecodeUtf16(std::string_view ABytes, bool ABigEndian) {
  String result;
  result.reserve(ABytes.size() / 2 + 1);
  for (size_t i = 0; i + 1 < ABytes.size(); i += 2) {
    const auto b0 = static_cast<unsigned char>(ABytes[i]);
    const auto b1 = static_cast<unsigned char>(ABytes[i + 1]);
    result += static_cast<char16_t>(ABigEndian ? (b0 << 8) | b1 : (b1 << 8) | b0);
  }
  if (ABytes.size() % 2) result += u'\xFFFD';
  return result;
}

// The file's text by its byte-order mark: UTF-8, UTF-16 LE or BE; UTF-8 without one.
String DecodeText(std::string_view ABytes) {
  if (ABytes.substr(0, 3) == "\xEF\xBB\xBF") return Utf8ToString(ABytes.substr(3));
  if (ABytes.substr(0, 2) == "\xFF\xFE") return DecodeUtf16(ABytes.substr(2), false);
  if (ABytes.substr(0, 2) == "\xFE\xFF") return DecodeUtf16(ABytes.substr(2), true);
  return Utf8ToString(ABytes);
}

}  // namespace

void TStrings::LoadFromFile(const String& AFileName) {
  FilePtr file(std::fopen(StringToUtf8(AFileName).c_str(), "rb"));
  if (!file) RaiseFileError<EFOpenError>(u"Cannot open file \"%s\". %s", AFileName, errno);
  std::string bytes;
  char buffer[65536];
  size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) bytes.append(buffer, got);
  if (std::ferror(file.get())) throw ExceptionPtr(new EReadError(u"Stream read error"));
  SetText(DecodeText(bytes));
}

void TStrings::SaveToFile(const String& AFileName, bool AWriteBOM) const {
  FilePtr file(std::fopen(StringToUtf8(AFileName).c_str(), "wb"));
  if (!file) RaiseFileError<EFCreateError>(u"Cannot create file \"%s\". %s", AFileName, errno);
  std::string bytes = AWriteBOM ? "\xEF\xBB\xBF" : "";
  bytes += StringToUtf8(GetText());
  if (std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size() || std::fflush(file.get()) != 0)
    throw ExceptionPtr(new EWriteError(u"Stream write error"));
}
