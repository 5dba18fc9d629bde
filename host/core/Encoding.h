// Host unit "SysUtils", encodings: texts to bytes and back in UTF-8, UTF-16 (either byte
// order), UTF-7 and the single- and multi-byte code pages the system's converters know.
#pragma once

#include <vector>

#include "host/core/SysUtils.h"

using TEncodingBytes = std::vector<uint8_t>;

// The standard encodings (UTF8, Unicode, …) live as long as the process; GetEncoding makes a
// new one the caller frees. Undecodable bytes become U+FFFD; characters a code page lacks
// become '?'.
class TEncoding : public TObject {
  QEL_CLASS(TEncoding, TObject)
 public:
  virtual int32_t GetCodePage() const = 0;
  virtual String GetEncodingName() const = 0;
  virtual TEncodingBytes GetPreamble() const { return {}; }
  virtual bool IsSingleByte() const { return false; }
  virtual TEncodingBytes GetBytes(std::u16string_view AText) const = 0;
  virtual String GetString(const TEncodingBytes& ABytes) const = 0;
  // Raises EArgumentOutOfRangeException "Argument out of range" for a bad index or count.
  String GetString(const TEncodingBytes& ABytes, int32_t AIndex, int32_t ACount) const;
  int32_t GetByteCount(std::u16string_view AText) const {
    return static_cast<int32_t>(GetBytes(AText).size());
  }
  int32_t GetCharCount(const TEncodingBytes& ABytes) const {
    return static_cast<int32_t>(GetString(ABytes).size());
  }
  TEncoding* Clone() const { return GetEncoding(GetCodePage()); }

  static TEncoding* GetUTF8();
  static TEncoding* GetUnicode();
  static TEncoding* GetBigEndianUnicode();
  static TEncoding* GetUTF7();
  static TEncoding* GetASCII();
  static TEncoding* GetANSI();  // ISO 8859-1 here (the process has no ANSI code page)
  static TEncoding* GetDefault() { return GetUTF8(); }
  static bool IsStandardEncoding(const TEncoding* AEncoding);
  // A new encoding for the code page; raises EEncodingError "No mapping for the Unicode
  // character exists in the target multi-byte code page" for one the system does not know.
  static TEncoding* GetEncoding(int32_t ACodePage);
  static TEncodingBytes Convert(const TEncoding* ASource, const TEncoding* ADestination,
                                const TEncodingBytes& ABytes);
  // The encoding whose preamble starts ABytes (null when none does), and the preamble's length.
  static TEncoding* DetectPreamble(const TEncodingBytes& ABytes, int32_t& APreambleLength);
};

// UTF-8 (code page 65001) with the preamble EF BB BF.
class TUTF8Encoding : public TEncoding {
  QEL_CLASS(TUTF8Encoding, TEncoding)
 public:
  int32_t GetCodePage() const override { return 65001; }
  String GetEncodingName() const override { return u"Unicode (UTF-8)"; }
  TEncodingBytes GetPreamble() const override { return {0xEF, 0xBB, 0xBF}; }
  TEncodingBytes GetBytes(std::u16string_view AText) const override;
  String GetString(const TEncodingBytes& ABytes) const override;
  using TEncoding::GetString;
};

// UTF-16 little-endian (1200) with the preamble FF FE; the big-endian one (1201) FE FF.
class TUnicodeEncoding : public TEncoding {
  QEL_CLASS(TUnicodeEncoding, TEncoding)
 public:
  int32_t GetCodePage() const override { return 1200; }
  String GetEncodingName() const override { return u"Unicode (UTF-16LE)"; }
  TEncodingBytes GetPreamble() const override { return {0xFF, 0xFE}; }
  TEncodingBytes GetBytes(std::u16string_view AText) const override;
  String GetString(const TEncodingBytes& ABytes) const override;
  using TEncoding::GetString;

 protected:
  virtual bool BigEndian() const { return false; }
};

class TBigEndianUnicodeEncoding : public TUnicodeEncoding {
  QEL_CLASS(TBigEndianUnicodeEncoding, TUnicodeEncoding)
 public:
  int32_t GetCodePage() const override { return 1201; }
  String GetEncodingName() const override { return u"Unicode (UTF-16BE)"; }
  TEncodingBytes GetPreamble() const override { return {0xFE, 0xFF}; }

 protected:
  bool BigEndian() const override { return true; }
};

// Any other code page, through the system's converters (ICU).
class TMBCSEncoding : public TEncoding {
  QEL_CLASS(TMBCSEncoding, TEncoding)
 public:
  TMBCSEncoding() : TMBCSEncoding(28591) {}
  // Raises EEncodingError for a code page without a converter.
  explicit TMBCSEncoding(int32_t ACodePage);
  int32_t GetCodePage() const override { return FCodePage; }
  String GetEncodingName() const override { return FName; }
  bool IsSingleByte() const override { return FSingleByte; }
  TEncodingBytes GetBytes(std::u16string_view AText) const override;
  String GetString(const TEncodingBytes& ABytes) const override;
  using TEncoding::GetString;

 private:
  int32_t FCodePage;
  String FName;
  std::string FConverter;
  bool FSingleByte = false;
};

class TUTF7Encoding : public TMBCSEncoding {
  QEL_CLASS(TUTF7Encoding, TMBCSEncoding)
 public:
  TUTF7Encoding() : TMBCSEncoding(65000) {}
};
