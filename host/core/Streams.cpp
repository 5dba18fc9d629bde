// Streams: the abstract stream, handle and file streams, memory, bytes and string streams.
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "host/core/Classes.h"

namespace {

template <class E>
[[noreturn]] void RaiseFileError(std::u16string_view AFormat, const String& AFileName, int AErrno) {
  throw ExceptionPtr(new E(Exception::FormatMessage(AFormat, {AFileName, SysErrorMessage(AErrno)})));
}

// Streams address at most this many bytes in memory.
constexpr int64_t MaxMemorySize = int64_t(1) << 31;

}  // namespace

// ---- TStream --------------------------------------------------------------------------------

TStream::~TStream() {
  // A client removes itself when told, so the list is taken first.
  const std::vector<TStreamClient*> clients = std::move(FClients);
  for (TStreamClient* client : clients) client->StreamDestroyed(this);
}

void TStream::ReadBuffer(void* ABuffer, int32_t ACount) {
  if (ACount < 0 || (ACount != 0 && Read(ABuffer, ACount) != ACount))
    throw ExceptionPtr(new EReadError(u"Stream read error"));
}

void TStream::WriteBuffer(const void* ABuffer, int32_t ACount) {
  if (ACount < 0 || (ACount != 0 && Write(ABuffer, ACount) != ACount))
    throw ExceptionPtr(new EWriteError(u"Stream write error"));
}

int64_t TStream::CopyFrom(TStream* ASource, int64_t ACount) {
  if (!ASource) return 0;
  if (ACount <= 0) {
    ASource->SetPosition(0);
    ACount = ASource->GetSize();
  }
  char buffer[8192];
  int64_t left = ACount;
  while (left > 0) {
    const int32_t chunk = static_cast<int32_t>(std::min<int64_t>(left, sizeof buffer));
    ASource->ReadBuffer(buffer, chunk);
    WriteBuffer(buffer, chunk);
    left -= chunk;
  }
  return ACount;
}

int64_t TStream::GetSize() {
  const int64_t position = Seek(0, soCurrent);
  const int64_t size = Seek(0, soEnd);
  Seek(position, soBeginning);
  return size;
}

void TStream::SetSize(int64_t) { throw ExceptionPtr(new EStreamError(u"Stream size cannot be changed")); }

uint8_t TStream::ReadByte() {
  uint8_t value = 0;
  ReadBuffer(&value, 1);
  return value;
}

void TStream::WriteByte(uint8_t AValue) { WriteBuffer(&AValue, 1); }

String TStream::ReadText(int32_t ACount) {
  const int64_t left = std::max<int64_t>(GetSize() - GetPosition(), 0);
  std::string bytes(static_cast<size_t>(std::clamp<int64_t>(ACount, 0, left)), '\0');
  ReadBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
  return Utf8ToString(bytes);
}

int32_t TStream::WriteText(std::u16string_view AText) {
  const std::string bytes = StringToUtf8(AText);
  WriteBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
  return static_cast<int32_t>(bytes.size());
}

// ---- handle and file streams ----------------------------------------------------------------

int32_t THandleStream::Read(void* ABuffer, int32_t ACount) {
  if (ACount <= 0) return 0;
  const ssize_t done = ::read(FHandle, ABuffer, static_cast<size_t>(ACount));
  return done < 0 ? 0 : static_cast<int32_t>(done);
}

int32_t THandleStream::Write(const void* ABuffer, int32_t ACount) {
  if (ACount <= 0) return 0;
  const ssize_t done = ::write(FHandle, ABuffer, static_cast<size_t>(ACount));
  return done < 0 ? 0 : static_cast<int32_t>(done);
}

int64_t THandleStream::Seek(int64_t AOffset, TSeekOrigin AOrigin) {
  const int whence = AOrigin == soBeginning ? SEEK_SET : AOrigin == soCurrent ? SEEK_CUR : SEEK_END;
  const off_t result = ::lseek(FHandle, static_cast<off_t>(AOffset), whence);
  return result < 0 ? -1 : static_cast<int64_t>(result);
}

void THandleStream::SetSize(int64_t ANewSize) {
  if (ANewSize < 0 || ::ftruncate(FHandle, static_cast<off_t>(ANewSize)) != 0)
    throw ExceptionPtr(new EStreamError(u"Stream size cannot be changed"));
  if (GetPosition() > ANewSize) Seek(ANewSize, soBeginning);
}

TFileStream::TFileStream(const String& AFileName, uint16_t AMode) : THandleStream(-1), FFileName(AFileName) {
  const std::string path = StringToUtf8(AFileName);
  if ((AMode & fmCreate) == fmCreate) {
    FHandle = ::open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (FHandle < 0) RaiseFileError<EFCreateError>(u"Cannot create file \"%s\". %s", AFileName, errno);
    return;
  }
  const int access = (AMode & 3) == fmOpenWrite ? O_WRONLY : (AMode & 3) == fmOpenReadWrite ? O_RDWR : O_RDONLY;
  FHandle = ::open(path.c_str(), access | O_CLOEXEC);
  if (FHandle < 0) RaiseFileError<EFOpenError>(u"Cannot open file \"%s\". %s", AFileName, errno);
}

TFileStream::~TFileStream() {
  if (FHandle >= 0) ::close(FHandle);
}

// ---- memory streams -------------------------------------------------------------------------

int32_t TCustomMemoryStream::Read(void* ABuffer, int32_t ACount) {
  const int64_t left = GetSize() - FPosition;
  if (ACount <= 0 || left <= 0) return 0;
  const int32_t count = static_cast<int32_t>(std::min<int64_t>(ACount, left));
  std::memcpy(ABuffer, FData.data() + FPosition, static_cast<size_t>(count));
  FPosition += count;
  return count;
}

int64_t TCustomMemoryStream::Seek(int64_t AOffset, TSeekOrigin AOrigin) {
  const int64_t base = AOrigin == soBeginning ? 0 : AOrigin == soCurrent ? FPosition : GetSize();
  const int64_t target = base + AOffset;
  if (target < 0 || target > MaxMemorySize) return -1;
  FPosition = target;
  return FPosition;
}

void TCustomMemoryStream::SaveToStream(TStream* AStream) {
  if (AStream && !FData.empty()) AStream->WriteBuffer(FData.data(), static_cast<int32_t>(FData.size()));
}

void TCustomMemoryStream::SaveToFile(const String& AFileName) {
  TFileStream file(AFileName, fmCreate);
  SaveToStream(&file);
}

int32_t TMemoryStream::Write(const void* ABuffer, int32_t ACount) {
  if (ACount <= 0) return 0;
  const int64_t end = FPosition + ACount;
  if (end > MaxMemorySize) throw ExceptionPtr(new EOutOfMemory());
  if (end > GetSize()) FData.resize(static_cast<size_t>(end));
  std::memcpy(FData.data() + FPosition, ABuffer, static_cast<size_t>(ACount));
  FPosition = end;
  return ACount;
}

void TMemoryStream::SetSize(int64_t ANewSize) {
  if (ANewSize < 0 || ANewSize > MaxMemorySize) throw ExceptionPtr(new EOutOfMemory());
  FData.resize(static_cast<size_t>(ANewSize));
  FPosition = std::min(FPosition, ANewSize);
}

void TMemoryStream::Clear() {
  FData.clear();
  FPosition = 0;
}

void TMemoryStream::LoadFromStream(TStream* AStream) {
  Clear();
  if (!AStream) return;
  AStream->SetPosition(0);
  const int64_t size = AStream->GetSize();
  SetSize(size);
  if (size > 0) AStream->ReadBuffer(FData.data(), static_cast<int32_t>(size));
  FPosition = 0;
}

void TMemoryStream::LoadFromFile(const String& AFileName) {
  TFileStream file(AFileName, fmOpenRead);
  LoadFromStream(&file);
}

TStringStream::TStringStream(std::u16string_view AString) {
  const std::string bytes = StringToUtf8(AString);
  FData.assign(bytes.begin(), bytes.end());
}

String TStringStream::GetDataString() const {
  return Utf8ToString(std::string_view(reinterpret_cast<const char*>(FData.data()), FData.size()));
}

// ---- string lists and streams ---------------------------------------------------------------

void TStrings::LoadFromStream(TStream* AStream) {
  if (!AStream) return;
  std::string bytes(static_cast<size_t>(std::max<int64_t>(AStream->GetSize() - AStream->GetPosition(), 0)), '\0');
  AStream->ReadBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
  std::string_view text(bytes);
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  SetText(Utf8ToString(text));
}

void TStrings::SaveToStream(TStream* AStream) const {
  if (AStream) AStream->WriteText(GetText());
}

void TStream::QelRegisterMembers(TClassInfo& AInfo) { QelPublish<TStream>(AInfo); }
void TStringStream::QelRegisterMembers(TClassInfo& AInfo) { QelPublish<TStringStream>(AInfo); }
