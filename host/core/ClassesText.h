// Host unit "Classes", readers and writers: text readers and writers over strings and
// streams (UTF-8, a leading byte-order mark skipped) and binary readers and writers.
#pragma once

#include "host/core/Classes.h"

// Reads characters from a text; lines end at CR, LF or CR LF. At the end Peek and Read give
// -1 and ReadLine and ReadToEnd an empty text. A closed reader is at its end.
class TTextReader : public TObject {
  QEL_CLASS(TTextReader, TObject)
 public:
  virtual void Close();
  int32_t Peek();
  int32_t Read();
  String ReadLine();
  String ReadToEnd();
  // Starts again from the beginning of the text.
  virtual void Rewind() = 0;
  bool GetEndOfStream() { return !Ensure(); }

 protected:
  // Appends more decoded text to FBuffer; false when there is no more.
  virtual bool Fill() = 0;
  bool Ensure();
  String FBuffer;
  size_t FPos = 0;
};

class TStringReader : public TTextReader {
  QEL_CLASS(TStringReader, TTextReader)
 public:
  explicit TStringReader(std::u16string_view AText) : FText(AText) { FBuffer = FText; }
  void Close() override;
  void Rewind() override;

 protected:
  bool Fill() override { return false; }

 private:
  String FText;
};

// Reads a stream from its position at creation; reads it in blocks, so a large file is not
// held whole. A reader or writer whose stream is freed before it acts as closed.
class TStreamReader : public TTextReader, private TStreamClient {
  QEL_CLASS(TStreamReader, TTextReader)
 public:
  explicit TStreamReader(TStream* AStream, bool AOwnsStream = false);
  // Opens the file for reading (EFOpenError when it cannot).
  explicit TStreamReader(const String& AFileName);
  ~TStreamReader() override;
  void Close() override;
  void Rewind() override;
  void DiscardBufferedData();
  void OwnStream();
  TStream* GetBaseStream() const { return FStream; }

 protected:
  bool Fill() override;

 private:
  void StreamDestroyed(TStream*) override { FStream = nullptr; }
  TStream* FStream;
  bool FOwnsStream;
  int64_t FStart = 0;
  bool FStarted = false;
  std::string FPending;  // bytes of a character cut by a block's end
};

// Writes text; Write and WriteLine take texts (the wrappers turn other values into their text).
class TTextWriter : public TObject {
  QEL_CLASS(TTextWriter, TObject)
 public:
  virtual void Close() {}
  virtual void Flush() {}
  void Write(std::u16string_view AText) { WriteText(AText); }
  void WriteLine(std::u16string_view AText) {
    WriteText(AText);
    WriteText(FNewLine);
  }
  const String& GetNewLine() const { return FNewLine; }
  void SetNewLine(String AValue) { FNewLine = std::move(AValue); }

 protected:
  virtual void WriteText(std::u16string_view AText) = 0;
  String FNewLine = u"\n";
};

class TStringWriter : public TTextWriter {
  QEL_CLASS(TStringWriter, TTextWriter)
 public:
  String ToString() const { return FText; }

 protected:
  void WriteText(std::u16string_view AText) override { FText += AText; }

 private:
  String FText;
};

// Writes UTF-8 (no byte-order mark) to a stream, buffered; Flush, Close and freeing the writer
// write the buffer. A closed writer raises EInvalidOperation "Writer is closed".
class TStreamWriter : public TTextWriter, private TStreamClient {
  QEL_CLASS(TStreamWriter, TTextWriter)
 public:
  explicit TStreamWriter(TStream* AStream, bool AOwnsStream = false);
  // Creates the file, or appends to it when AAppend and it exists.
  TStreamWriter(const String& AFileName, bool AAppend);
  ~TStreamWriter() override;
  void Close() override;
  void Flush() override;
  void OwnStream();
  TStream* GetBaseStream() const { return FStream; }
  bool GetAutoFlush() const { return FAutoFlush; }
  void SetAutoFlush(bool AValue) { FAutoFlush = AValue; }

 protected:
  void WriteText(std::u16string_view AText) override;

 private:
  void StreamDestroyed(TStream*) override { FStream = nullptr; }
  TStream* FStream;
  bool FOwnsStream;
  bool FAutoFlush = false;
  std::string FBuffer;
};

// Little-endian values; a string is its UTF-8 byte count as a 7-bit encoded integer followed
// by the bytes. Reading past the end raises EReadError "Stream read error".
class TBinaryReader : public TObject, private TStreamClient {
  QEL_CLASS(TBinaryReader, TObject)
 public:
  explicit TBinaryReader(TStream* AStream, bool AOwnsStream = false);
  explicit TBinaryReader(const String& AFileName);
  ~TBinaryReader() override;
  void Close();
  TStream* GetBaseStream() const { return FStream; }
  template <class T>
  T ReadValue() {
    T value{};
    Stream()->ReadBuffer(&value, sizeof(T));
    return value;
  }
  bool ReadBoolean() { return ReadValue<uint8_t>() != 0; }
  char16_t ReadChar();
  // The next character without moving, or -1 at the end.
  int32_t PeekChar();
  String ReadString();
  int32_t Read7BitEncodedInt();

 private:
  TStream* Stream();
  void StreamDestroyed(TStream*) override { FStream = nullptr; }
  TStream* FStream;
  bool FOwnsStream;
};

class TBinaryWriter : public TObject, private TStreamClient {
  QEL_CLASS(TBinaryWriter, TObject)
 public:
  explicit TBinaryWriter(TStream* AStream, bool AOwnsStream = false);
  TBinaryWriter(const String& AFileName, bool AAppend);
  ~TBinaryWriter() override;
  void Close();
  TStream* GetBaseStream() const { return FStream; }
  template <class T>
  void WriteValue(T AValue) {
    Stream()->WriteBuffer(&AValue, sizeof(T));
  }
  void WriteChar(char16_t AValue);
  void WriteString(std::u16string_view AValue);
  void Write7BitEncodedInt(int32_t AValue);
  int64_t Seek(int32_t AOffset, TSeekOrigin AOrigin) { return Stream()->Seek(AOffset, AOrigin); }

 private:
  TStream* Stream();
  void StreamDestroyed(TStream*) override { FStream = nullptr; }
  TStream* FStream;
  bool FOwnsStream;
};
