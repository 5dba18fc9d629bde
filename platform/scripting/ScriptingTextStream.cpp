// TextStream: a text file opened for reading (decoded whole when opened), writing or
// appending. Text is UTF-8 on disk, or UTF-16LE with its byte-order mark in the Unicode format;
// lines end with LF when written and with LF, CR LF or CR when read.
#include <sys/stat.h>

#include <cerrno>

#include "platform/scripting/ScriptingInternal.h"

using namespace qel_scripting_detail;

namespace {

constexpr unsigned char Utf16Bom[] = {0xFF, 0xFE};
constexpr unsigned char Utf8Bom[] = {0xEF, 0xBB, 0xBF};

bool StartsWith(const std::string& ABytes, const unsigned char* APrefix, size_t ASize) {
  return ABytes.size() >= ASize && std::equal(APrefix, APrefix + ASize, reinterpret_cast<const unsigned char*>(ABytes.data()));
}

String DecodeUtf16(std::string_view ABytes) {
  String text(ABytes.size() / 2, u'\0');
  for (size_t i = 0; i < text.size(); ++i)
    text[i] = static_cast<char16_t>(static_cast<unsigned char>(ABytes[2 * i]) |
                                    static_cast<unsigned char>(ABytes[2 * i + 1]) << 8);
  return text;
}

String Decode(const std::string& ABytes, TQelTristate AFormat) {
  const bool bom16 = StartsWith(ABytes, Utf16Bom, 2);
  if (AFormat == tsTrue || (AFormat == tsUseDefault && bom16))
    return DecodeUtf16(std::string_view(ABytes).substr(bom16 ? 2 : 0));
  return Utf8ToString(std::string_view(ABytes).substr(StartsWith(ABytes, Utf8Bom, 3) ? 3 : 0));
}

// Opens the file the way the mode asks, raising the scripting error for each failure.
std::FILE* OpenFile(const std::string& APath, const char* AHow, bool ACreate) {
  struct stat info{};
  const bool exists = ::stat(APath.c_str(), &info) == 0;
  if (exists && S_ISDIR(info.st_mode)) RaiseFs(sePermission);
  if (!exists && !ACreate) {
    const size_t slash = APath.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : APath.substr(0, slash);
    RaiseFs(::stat(folder.c_str(), &info) == 0 ? seFileNotFound : sePathNotFound);
  }
  std::FILE* file = std::fopen(APath.c_str(), AHow);
  if (!file) RaiseFsErrno(errno, sePathNotFound);
  return file;
}

bool IsLineEnd(char16_t AChar) { return AChar == u'\n' || AChar == u'\r'; }

}  // namespace

TQelTextStream::TQelTextStream(const String& APath, TQelIOMode AMode, bool ACreate, TQelTristate AFormat)
    : FMode(AMode), FUnicode(AFormat == tsTrue) {
  const std::string path = FsPath(APath);
  if (AMode == ioForReading) {
    // Only a missing file is opened for writing (to create it): a read-only one reads.
    struct stat info{};
    const bool missing = ::stat(path.c_str(), &info) != 0;
    std::FILE* file = OpenFile(path, ACreate && missing ? "a+b" : "rb", ACreate);
    std::string bytes;
    std::rewind(file);
    char buffer[65536];
    for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;) bytes.append(buffer, got);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) RaiseFs(seDeviceIO);
    FText = Decode(bytes, AFormat);
    return;
  }
  FFile = OpenFile(path, AMode == ioForAppending ? "ab" : "wb", ACreate);
  // A Unicode file starts with its byte-order mark.
  if (FUnicode && std::ftell(FFile) == 0 && std::fwrite(Utf16Bom, 1, 2, FFile) != 2) RaiseFs(seDeviceIO);
}

TQelTextStream::~TQelTextStream() {
  if (FFile) std::fclose(FFile);
}

void TQelTextStream::CheckReading() {
  if (FMode != ioForReading) RaiseFs(seBadFileMode);
}

void TQelTextStream::CheckWriting() {
  if (!FFile) RaiseFs(seBadFileMode);
}

void TQelTextStream::Advance(size_t ACount) {
  for (const size_t end = FPos + ACount; FPos < end; ++FPos) {
    const char16_t c = FText[FPos];
    const bool lineEnd = c == u'\n' || (c == u'\r' && (FPos + 1 >= FText.size() || FText[FPos + 1] != u'\n'));
    if (lineEnd) {
      ++FLine;
      FColumn = 1;
    } else {
      ++FColumn;
    }
  }
}

String TQelTextStream::Read(int32_t ACount) {
  CheckReading();
  if (ACount < 0) RaiseFs(seInvalidCall);
  if (FPos >= FText.size() && ACount > 0) RaiseFs(sePastEnd);
  const size_t count = std::min(static_cast<size_t>(ACount), FText.size() - FPos);
  String result = FText.substr(FPos, count);
  Advance(count);
  return result;
}

String TQelTextStream::ReadLine() {
  CheckReading();
  if (FPos >= FText.size()) RaiseFs(sePastEnd);
  size_t end = FPos;
  while (end < FText.size() && !IsLineEnd(FText[end])) ++end;
  String line = FText.substr(FPos, end - FPos);
  size_t terminator = 0;
  if (end < FText.size()) terminator = FText[end] == u'\r' && end + 1 < FText.size() && FText[end + 1] == u'\n' ? 2 : 1;
  Advance(end - FPos + terminator);
  return line;
}

String TQelTextStream::ReadAll() {
  CheckReading();
  if (FPos >= FText.size()) RaiseFs(sePastEnd);
  String rest = FText.substr(FPos);
  Advance(rest.size());
  return rest;
}

void TQelTextStream::Skip(int32_t ACount) { Read(ACount); }
void TQelTextStream::SkipLine() { ReadLine(); }

bool TQelTextStream::GetAtEndOfStream() {
  CheckReading();
  return FPos >= FText.size();
}

bool TQelTextStream::GetAtEndOfLine() {
  CheckReading();
  return FPos >= FText.size() || IsLineEnd(FText[FPos]);
}

void TQelTextStream::Put(std::u16string_view AText) {
  CheckWriting();
  std::string bytes;
  if (FUnicode) {
    bytes.reserve(AText.size() * 2);
    for (char16_t c : AText) {
      bytes += static_cast<char>(c & 0xFF);
      bytes += static_cast<char>(c >> 8);
    }
  } else {
    bytes = StringToUtf8(AText);
  }
  if (std::fwrite(bytes.data(), 1, bytes.size(), FFile) != bytes.size()) RaiseFs(seDeviceIO);
  for (char16_t c : AText) {
    if (c == u'\n') {
      ++FLine;
      FColumn = 1;
    } else {
      ++FColumn;
    }
  }
}

void TQelTextStream::Write(std::u16string_view AText) { Put(AText); }

void TQelTextStream::WriteLine(std::u16string_view AText) {
  Put(AText);
  Put(u"\n");
}

void TQelTextStream::WriteBlankLines(int32_t ACount) {
  if (ACount < 0) RaiseFs(seInvalidCall);
  Put(String(static_cast<size_t>(ACount), u'\n'));
}

// Closing twice does nothing; any other use of a closed stream is a bad file mode.
void TQelTextStream::Close() {
  FMode = static_cast<TQelIOMode>(0);
  FText.clear();
  FPos = 0;
  if (!FFile) return;
  const bool failed = std::fclose(FFile) != 0;
  FFile = nullptr;
  if (failed) RaiseFs(seDeviceIO);
}

template <>
void TQelTextStream_sw::RegisterMembers(TQelClassWrapperData& AData) {
  using T = TQelTextStream;
  TQelMembers<T> M(AData);
  M.Method<&T::Read>(u"Read");
  M.Method<&T::ReadLine>(u"ReadLine");
  M.Method<&T::ReadAll>(u"ReadAll");
  M.Method<&T::Skip>(u"Skip");
  M.Method<&T::SkipLine>(u"SkipLine");
  M.Property<&T::GetAtEndOfStream>(u"AtEndOfStream");
  M.Property<&T::GetAtEndOfLine>(u"AtEndOfLine");
  M.Property<&T::GetLine>(u"Line");
  M.Property<&T::GetColumn>(u"Column");
  M.Method<&T::Write>(u"Write");
  M.Method<&T::WriteLine, QelDefaults<TQelName(u"")>>(u"WriteLine");
  M.Method<&T::WriteBlankLines>(u"WriteBlankLines");
  M.Method<&T::Close>(u"Close");
}
