// Text and binary readers and writers over strings and streams.
#include "host/core/ClassesText.h"

#include "host/core/SysUtilsFiles.h"

namespace {

constexpr int32_t BlockSize = 4096;

// The length of the UTF-8 sequence a lead byte starts (1 for a stray byte, which decodes to
// U+FFFD on its own).
size_t SequenceLength(unsigned char ALead) {
  if (ALead >= 0xF0 && ALead <= 0xF4) return 4;
  if (ALead >= 0xE0) return ALead <= 0xEF ? 3 : 1;
  if (ALead >= 0xC2) return 2;
  return 1;
}

// How many bytes at the end of AText form an unfinished sequence.
size_t UnfinishedTail(const std::string& AText) {
  const size_t n = AText.size();
  for (size_t back = 1; back <= 3 && back <= n; ++back) {
    const auto c = static_cast<unsigned char>(AText[n - back]);
    if ((c & 0xC0) == 0x80) continue;  // a continuation byte: look further back
    return SequenceLength(c) > back ? back : 0;
  }
  return 0;
}

// A stream the object does not own tells it of its destruction; an owned one goes with it.
void Attach(TStreamClient* AClient, TStream* AStream, bool AOwns) {
  if (AStream && !AOwns) AStream->AddClient(AClient);
}
void Release(TStreamClient* AClient, TStream*& AStream, bool AOwns) {
  if (AStream && !AOwns) AStream->RemoveClient(AClient);
  if (AOwns) delete AStream;
  AStream = nullptr;
}

[[noreturn]] void RaiseClosed(const char16_t* AWhat) {
  throw ExceptionPtr(new EInvalidOperation(String(AWhat)));
}

}  // namespace

// ---- text readers --------------------------------------------------------------------------

void TTextReader::Close() {
  FBuffer.clear();
  FPos = 0;
}

bool TTextReader::Ensure() {
  while (FPos >= FBuffer.size()) {
    FBuffer.erase(0, FPos);
    FPos = 0;
    if (!Fill()) return false;
  }
  return true;
}

int32_t TTextReader::Peek() { return Ensure() ? FBuffer[FPos] : -1; }
int32_t TTextReader::Read() { return Ensure() ? FBuffer[FPos++] : -1; }

String TTextReader::ReadLine() {
  String line;
  while (Ensure()) {
    const char16_t c = FBuffer[FPos++];
    if (c == u'\n') break;
    if (c == u'\r') {
      if (Ensure() && FBuffer[FPos] == u'\n') ++FPos;
      break;
    }
    line += c;
  }
  return line;
}

String TTextReader::ReadToEnd() {
  String text;
  while (Ensure()) {
    text.append(FBuffer, FPos, String::npos);
    FPos = FBuffer.size();
  }
  return text;
}

void TStringReader::Close() {
  TTextReader::Close();
  FText.clear();
}

void TStringReader::Rewind() {
  FBuffer = FText;
  FPos = 0;
}

TStreamReader::TStreamReader(TStream* AStream, bool AOwnsStream)
    : FStream(AStream), FOwnsStream(AOwnsStream) {
  if (FStream) FStart = FStream->GetPosition();
  Attach(this, FStream, FOwnsStream);
}

TStreamReader::TStreamReader(const String& AFileName)
    : TStreamReader(new TFileStream(AFileName, fmOpenRead | fmShareDenyWrite), true) {}

TStreamReader::~TStreamReader() { Close(); }

void TStreamReader::Close() {
  TTextReader::Close();
  FPending.clear();
  Release(this, FStream, FOwnsStream);
}

void TStreamReader::OwnStream() {
  if (FStream && !FOwnsStream) FStream->RemoveClient(this);
  FOwnsStream = true;
}

void TStreamReader::Rewind() {
  DiscardBufferedData();
  if (FStream) FStream->SetPosition(FStart);
  FStarted = false;
}

void TStreamReader::DiscardBufferedData() {
  FBuffer.clear();
  FPos = 0;
  FPending.clear();
}

bool TStreamReader::Fill() {
  if (!FStream) return false;
  std::string bytes = std::move(FPending);
  FPending.clear();
  const size_t kept = bytes.size();
  bytes.resize(kept + BlockSize);
  const int32_t count = FStream->Read(bytes.data() + kept, BlockSize);
  bytes.resize(kept + std::max(count, 0));
  if (bytes.empty()) return false;
  if (!FStarted) {
    FStarted = true;
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) bytes.erase(0, 3);
  }
  // An unfinished character waits for the next block, unless the stream has ended.
  if (count > 0) {
    const size_t tail = UnfinishedTail(bytes);
    FPending.assign(bytes, bytes.size() - tail, tail);
    bytes.resize(bytes.size() - tail);
  }
  FBuffer += Utf8ToString(bytes);
  return !bytes.empty() || !FPending.empty() ? true : Fill();
}

// ---- text writers --------------------------------------------------------------------------

TStreamWriter::TStreamWriter(TStream* AStream, bool AOwnsStream)
    : FStream(AStream), FOwnsStream(AOwnsStream) {
  Attach(this, FStream, FOwnsStream);
}

void TStreamWriter::OwnStream() {
  if (FStream && !FOwnsStream) FStream->RemoveClient(this);
  FOwnsStream = true;
}

namespace {
TStream* OpenForWriting(const String& AFileName, bool AAppend) {
  const bool exists = AAppend && FileExists(AFileName);
  auto* stream = new TFileStream(AFileName, exists ? fmOpenWrite : fmCreate);
  if (exists) stream->Seek(0, soEnd);
  return stream;
}
}  // namespace

TStreamWriter::TStreamWriter(const String& AFileName, bool AAppend)
    : TStreamWriter(OpenForWriting(AFileName, AAppend), true) {}

TStreamWriter::~TStreamWriter() {
  try {
    Close();
  } catch (...) {
    // A destructor cannot report a failed write; Close and Flush do.
  }
}

void TStreamWriter::Close() {
  if (!FStream) return;
  Flush();
  Release(this, FStream, FOwnsStream);
}

void TStreamWriter::Flush() {
  if (!FStream || FBuffer.empty()) return;
  std::string bytes = std::move(FBuffer);
  FBuffer.clear();
  FStream->WriteBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
}

void TStreamWriter::WriteText(std::u16string_view AText) {
  if (!FStream) RaiseClosed(u"Writer is closed");
  FBuffer += StringToUtf8(AText);
  if (FAutoFlush || FBuffer.size() >= BlockSize) Flush();
}

// ---- binary readers and writers ------------------------------------------------------------

TBinaryReader::TBinaryReader(TStream* AStream, bool AOwnsStream)
    : FStream(AStream), FOwnsStream(AOwnsStream) {
  Attach(this, FStream, FOwnsStream);
}
TBinaryReader::TBinaryReader(const String& AFileName)
    : TBinaryReader(new TFileStream(AFileName, fmOpenRead | fmShareDenyWrite), true) {}
TBinaryReader::~TBinaryReader() { Close(); }

void TBinaryReader::Close() { Release(this, FStream, FOwnsStream); }

TStream* TBinaryReader::Stream() {
  if (!FStream) RaiseClosed(u"Reader is closed");
  return FStream;
}

char16_t TBinaryReader::ReadChar() {
  const auto lead = ReadValue<uint8_t>();
  std::string bytes(1, static_cast<char>(lead));
  const size_t length = SequenceLength(lead);
  if (length > 1) {
    bytes.resize(length);
    Stream()->ReadBuffer(bytes.data() + 1, static_cast<int32_t>(length - 1));
  }
  // A character outside the basic plane does not fit one Char: its first half is returned.
  const String text = Utf8ToString(bytes);
  return text.empty() ? u'\uFFFD' : text[0];
}

int32_t TBinaryReader::PeekChar() {
  TStream* stream = Stream();
  const int64_t position = stream->GetPosition();
  if (position >= stream->GetSize()) return -1;
  const char16_t c = ReadChar();
  stream->SetPosition(position);
  return c;
}

int32_t TBinaryReader::Read7BitEncodedInt() {
  uint32_t value = 0;
  for (int shift = 0; shift < 35; shift += 7) {
    const auto b = ReadValue<uint8_t>();
    value |= static_cast<uint32_t>(b & 0x7F) << shift;
    if (!(b & 0x80)) return static_cast<int32_t>(value);
  }
  throw ExceptionPtr(new EReadError(u"Invalid 7 bit integer stream encoding"));
}

String TBinaryReader::ReadString() {
  const int32_t length = Read7BitEncodedInt();
  if (length < 0) throw ExceptionPtr(new EReadError(u"Invalid 7 bit integer stream encoding"));
  // A corrupt length must not allocate more than the stream still holds.
  TStream* stream = Stream();
  if (length > stream->GetSize() - stream->GetPosition())
    throw ExceptionPtr(new EReadError(u"Stream read error"));
  std::string bytes(static_cast<size_t>(length), '\0');
  stream->ReadBuffer(bytes.data(), length);
  return Utf8ToString(bytes);
}

TBinaryWriter::TBinaryWriter(TStream* AStream, bool AOwnsStream)
    : FStream(AStream), FOwnsStream(AOwnsStream) {
  Attach(this, FStream, FOwnsStream);
}
TBinaryWriter::TBinaryWriter(const String& AFileName, bool AAppend)
    : TBinaryWriter(OpenForWriting(AFileName, AAppend), true) {}
TBinaryWriter::~TBinaryWriter() { Close(); }

void TBinaryWriter::Close() { Release(this, FStream, FOwnsStream); }

TStream* TBinaryWriter::Stream() {
  if (!FStream) RaiseClosed(u"Writer is closed");
  return FStream;
}

void TBinaryWriter::WriteChar(char16_t AValue) {
  const std::string bytes = StringToUtf8(std::u16string_view(&AValue, 1));
  Stream()->WriteBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
}

void TBinaryWriter::Write7BitEncodedInt(int32_t AValue) {
  auto value = static_cast<uint32_t>(AValue);
  do {
    uint8_t b = value & 0x7F;
    value >>= 7;
    if (value) b |= 0x80;
    WriteValue(b);
  } while (value);
}

void TBinaryWriter::WriteString(std::u16string_view AValue) {
  const std::string bytes = StringToUtf8(AValue);
  Write7BitEncodedInt(static_cast<int32_t>(bytes.size()));
  Stream()->WriteBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
}
