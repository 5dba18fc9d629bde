// Text intrinsics. A Null first argument gives Null where the routine is a text function
// ("Null in, Null out"); positions are 1-based.
#include <algorithm>

#include "engine/vb/VbIntrinsics.h"

namespace qel_vb {
namespace {

// A count or position that must not be negative: the variant library's conversion error.
int32_t ArgNonNegative(VARIANT* AArgs, int AIndex) {
  const int32_t value = ArgInt(AArgs, AIndex);
  if (value < 0) FailConversion();
  return value;
}

// Space and String refuse a length no text can have rather than try to allocate gigabytes.
constexpr int32_t kMaxMadeLength = 1 << 28;

size_t ArgMadeLength(VARIANT* AArgs, int AIndex) {
  const int32_t length = ArgNonNegative(AArgs, AIndex);
  if (length > kMaxMadeLength) throw ExceptionPtr(new EOutOfMemory());
  return size_t(length);
}

template <String (*F)(std::u16string_view)>
void TextFn(const TQelCall&, VARIANT* AArgs, VARIANT& AResult) {
  if (NullIn(AArgs, AResult)) return;
  SetText(AResult, F(ArgText(AArgs, 0)));
}

// The compare argument at AIndex (when the call has it) selects text comparison with 1.
bool TextCompareArg(const TQelCall& ACall, VARIANT* AArgs, int AIndex) {
  return ACall.FArgCount > AIndex && ArgInt(AArgs, AIndex) == 1;
}

// Compares exactly, or ignoring case under text comparison: -1, 0 or 1.
int CompareTexts(std::u16string_view A, std::u16string_view B, bool AText) {
  const int r = AText ? AnsiCompareText(A, B) : CompareStr(A, B);
  return r < 0 ? -1 : r > 0 ? 1 : 0;
}

// A text and the text sought in it, both folded under text comparison.
class TCompareTexts {
 public:
  TCompareTexts(String AText, String ASought, bool AIgnoreCase)
      : FText(AIgnoreCase ? CaseFolded(AText) : std::move(AText)),
        FSought(AIgnoreCase ? CaseFolded(ASought) : std::move(ASought)) {}
  const String& Text() const { return FText; }
  const String& Sought() const { return FSought; }

 private:
  String FText;
  String FSought;
};

}  // namespace

// A character whose upper case is longer (the German sharp s) stays as it is, so positions in
// the folded text are positions in the text.
String CaseFolded(std::u16string_view AText) {
  String upper = AnsiUpperCase(AText);
  if (upper.size() == AText.size()) return upper;
  upper.clear();
  for (char16_t c : AText) {
    const String one = AnsiUpperCase(std::u16string_view(&c, 1));
    upper += one.size() == 1 ? one[0] : c;
  }
  return upper;
}

void VbLen(const TQelCall&, VARIANT* AArgs, VARIANT& AResult) {
  const VARIANT* value = Arg(AArgs, 0);
  if (value->vt == VT_NULL) return NullIn(AArgs, AResult), void();
  const size_t length =
      value->vt == VT_BSTR ? OleBstrView(value->bstrVal).size() : ArgText(AArgs, 0).size();
  SetInt(AResult, int32_t(length));
}

void VbMid(const TQelCall& ACall, VARIANT* AArgs, VARIANT& AResult) {
  RequireArgCount(ACall, 2, 3);
  if (NullIn(AArgs, AResult)) return;
  const String text = ArgText(AArgs, 0);
  const int32_t start = ArgInt(AArgs, 1);
  if (start < 1) FailConversion();
  const size_t from = std::min(text.size(), size_t(start - 1));
  size_t count = text.size() - from;
  if (ACall.FArgCount == 3) count = std::min(count, size_t(ArgNonNegative(AArgs, 2)));
  SetText(AResult, std::u16string_view(text).substr(from, count));
}

void VbLeft(const TQelCall&, VARIANT* AArgs, VARIANT& AResult) {
  if (NullIn(AArgs, AResult)) return;
  const String text = ArgText(AArgs, 0);
  const size_t count = std::min(text.size(), size_t(ArgNonNegative(AArgs, 1)));
  SetText(AResult, std::u16string_view(text).substr(0, count));
}

void VbRight(const TQelCall&, VARIANT* AArgs, VARIANT& AResult) {
  if (NullIn(AArgs, AResult)) return;
  const String text = ArgText(AArgs, 0);
  const size_t count = std::min(text.size(), size_t(ArgNonNegative(AArgs, 1)));
  SetText(AResult, std::u16string_view(text).substr(text.size() - count));
}

void VbUCase(const TQelCall& C, VARIANT* A, VARIANT& R) { TextFn<AnsiUpperCase>(C, A, R); }
void VbLCase(const TQelCall& C, VARIANT* A, VARIANT& R) { TextFn<AnsiLowerCase>(C, A, R); }
void VbTrim(const TQelCall& C, VARIANT* A, VARIANT& R) { TextFn<Trim>(C, A, R); }
void VbLTrim(const TQelCall& C, VARIANT* A, VARIANT& R) { TextFn<TrimLeft>(C, A, R); }
void VbRTrim(const TQelCall& C, VARIANT* A, VARIANT& R) { TextFn<TrimRight>(C, A, R); }

// InStr([start,] text, sought [, compare]): the 1-based position of sought at or after start
// (0 or below counts as 1), 0 when absent or when start lies past the end.
void VbInStr(const TQelCall& ACall, VARIANT* AArgs, VARIANT& AResult) {
  RequireArgCount(ACall, 2, 4);
  const bool hasStart = ACall.FArgCount >= 3;
  const int first = hasStart ? 1 : 0;
  const int32_t start = hasStart ? std::max<int32_t>(ArgInt(AArgs, 0), 1) : 1;
  if (Arg(AArgs, first)->vt == VT_NULL || Arg(AArgs, first + 1)->vt == VT_NULL)
    return SetNull(AResult);
  const TCompareTexts texts(ArgText(AArgs, first), ArgText(AArgs, first + 1),
                            TextCompareArg(ACall, AArgs, 3));
  if (size_t(start - 1) > texts.Text().size()) return SetInt(AResult, 0);
  const size_t at = texts.Text().find(texts.Sought(), size_t(start - 1));
  SetInt(AResult, at == String::npos ? 0 : int32_t(at + 1));
}

// InStrRev(text, sought [, start = -1 [, compare]]): the last occurrence of sought lying within
// the first start characters; -1 or past the end means the whole text, 0 or below gives 0.
void VbInStrRev(const TQelCall& ACall, VARIANT* AArgs, VARIANT& AResult) {
  RequireArgCount(ACall, 2, 4);
  if (Arg(AArgs, 0)->vt == VT_NULL || Arg(AArgs, 1)->vt == VT_NULL) return SetNull(AResult);
  const TCompareTexts texts(ArgText(AArgs, 0), ArgText(AArgs, 1), TextCompareArg(ACall, AArgs, 3));
  const size_t length = texts.Text().size();
  int64_t start = ACall.FArgCount >= 3 ? ArgInt(AArgs, 2) : -1;
  if (start == -1 || start > int64_t(length)) start = int64_t(length);
  if (start <= 0 || size_t(start) < texts.Sought().size()) return SetInt(AResult, 0);
  // The empty text is found at the last position it may start from, as InStr finds it at start.
  if (texts.Sought().empty()) return SetInt(AResult, int32_t(start));
  const size_t at = texts.Text().rfind(texts.Sought(), size_t(start) - texts.Sought().size());
  SetInt(AResult, at == String::npos ? 0 : int32_t(at + 1));
}

void VbStrReverse(const TQelCall&, VARIANT* AArgs, VARIANT& AResult) {
  if (NullIn(AArgs, AResult)) return;
  String text = ArgText(AArgs, 0);
  std::reverse(text.begin(), text.end());
  SetText(AResult, text);
}

// Replace(text, find, replacement [, start = 1 [, count = -1 [, compare]]]): the text from start
// on, with at most count occurrences of find replaced (-1: all).
void VbReplace(const TQelCall& ACall, VARIANT* AArgs, VARIANT& AResult) {
  RequireArgCount(ACall, 3, 6);
  if (NullIn(AArgs, AResult)) return;
  const int32_t start = ACall.FArgCount >= 4 ? ArgInt(AArgs, 3) : 1;
  if (start < 1) FailConversion();
  const int32_t count = ACall.FArgCount >= 5 ? ArgInt(AArgs, 4) : -1;
  if (count < -1) FailConversion();
  const String whole = ArgText(AArgs, 0);
  const String part(std::u16string_view(whole).substr(std::min(whole.size(), size_t(start - 1))));
  const String replacement = ArgText(AArgs, 2);
  const TCompareTexts texts(part, ArgText(AArgs, 1), TextCompareArg(ACall, AArgs, 5));
  if (texts.Sought().empty()) return SetText(AResult, part);
  String result;
  size_t from = 0;
  for (int32_t done = 0; count == -1 || done < count; ++done) {
    const size_t at = texts.Text().find(texts.Sought(), from);
    if (at == String::npos) break;
    result.append(part, from, at - from).append(replacement);
    from = at + texts.Sought().size();
  }
  result.append(part, from);
  SetText(AResult, result);
}

// StrComp(s1, s2 [, compare]): -1 when s1 sorts before s2, 0 when equal, 1 when after; Null
// when either is Null.
void VbStrComp(const TQelCall& ACall, VARIANT* AArgs, VARIANT& AResult) {
  RequireArgCount(ACall, 2, 3);
  if (Arg(AArgs, 0)->vt == VT_NULL || Arg(AArgs, 1)->vt == VT_NULL) return SetNull(AResult);
  SetInt(AResult, CompareTexts(ArgText(AArgs, 0), ArgText(AArgs, 1), TextCompareArg(ACall, AArgs, 2)));
}

void VbAsc(const TQelCall&, VARIANT* AArgs, VARIANT& AResult) {
  const String text = ArgText(AArgs, 0);
  if (text.empty()) FailConversion();
  SetInt(AResult, int32_t(text[0]));
}

void VbChr(const TQelCall&, VARIANT* AArgs, VARIANT& AResult) {
  const int32_t code = ArgInt(AArgs, 0);
  if (code < 0 || code > 255) FailConversion();
  const char16_t c = char16_t(code);
  SetText(AResult, std::u16string_view(&c, 1));
}

void VbSpace(const TQelCall&, VARIANT* AArgs, VARIANT& AResult) {
  SetText(AResult, String(ArgMadeLength(AArgs, 0), u' '));
}

// String(count, code): a text argument gives its first character; a number its low 8 bits.
void VbString(const TQelCall&, VARIANT* AArgs, VARIANT& AResult) {
  if (NullIn(AArgs, AResult)) return;
  if (Arg(AArgs, 1)->vt == VT_NULL) return SetNull(AResult);
  const size_t count = ArgMadeLength(AArgs, 0);
  const VARIANT* c = Arg(AArgs, 1);
  char16_t fill;
  if (c->vt == VT_BSTR) {
    const std::u16string_view text = OleBstrView(c->bstrVal);
    if (text.empty()) FailConversion();
    fill = text[0];
  } else {
    fill = char16_t(ArgInt(AArgs, 1) & 0xFF);
  }
  SetText(AResult, String(count, fill));
}

}  // namespace qel_vb
