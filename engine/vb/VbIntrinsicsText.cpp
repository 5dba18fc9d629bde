// Text intrinsics. A Null first argument gives Null where the routine is a text function
// ("Null in, Null out"); positions are 1-based.
#include <algorithm>

#include "engine/vb/VbIntrinsics.h"

namespace qel_vb {
namespace {

// A count or position that must not be negative: the variant library's conversion error.
int32_t ArgNonNegative(VARIANT* AArgs, int AIndex) {
  const int32_t value = ArgInt(AArgs, AIndex);
  if (value < 0) throw ExceptionPtr(new EVariantTypeCastError());
  return value;
}

template <String (*F)(std::u16string_view)>
void TextFn(const TQelCall&, VARIANT* AArgs, VARIANT& AResult) {
  if (NullIn(AArgs, AResult)) return;
  SetText(AResult, F(ArgText(AArgs, 0)));
}

// Compares exactly, or ignoring case with vbTextCompare (1): -1, 0 or 1.
int CompareTexts(std::u16string_view A, std::u16string_view B, bool AText) {
  const int r = AText ? AnsiCompareText(A, B) : CompareStr(A, B);
  return r < 0 ? -1 : r > 0 ? 1 : 0;
}

}  // namespace

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
  if (start < 1) throw ExceptionPtr(new EVariantTypeCastError());
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

// InStr([start,] text, sought [, compare]): the 1-based position of sought, 0 when absent.
void VbInStr(const TQelCall& ACall, VARIANT* AArgs, VARIANT& AResult) {
  RequireArgCount(ACall, 2, 4);
  const bool hasStart = ACall.FArgCount >= 3;
  const int first = hasStart ? 1 : 0;
  const int32_t start = hasStart ? ArgInt(AArgs, 0) : 1;
  if (start < 1) throw ExceptionPtr(new EVariantTypeCastError());
  if (Arg(AArgs, first)->vt == VT_NULL || Arg(AArgs, first + 1)->vt == VT_NULL) {
    QelClear(&AResult);
    AResult.vt = VT_NULL;
    return;
  }
  String text = ArgText(AArgs, first);
  String sought = ArgText(AArgs, first + 1);
  if (ACall.FArgCount == 4 && ArgInt(AArgs, 3) == 1) {
    text = AnsiUpperCase(text);
    sought = AnsiUpperCase(sought);
  }
  if (size_t(start - 1) > text.size()) return SetInt(AResult, 0);
  const size_t at = text.find(sought, size_t(start - 1));
  SetInt(AResult, at == String::npos ? 0 : int32_t(at + 1));
}

// StrComp(s1, s2 [, compare]): -1 when s1 sorts before s2, 0 when equal, 1 when after; Null
// when either is Null.
void VbStrComp(const TQelCall& ACall, VARIANT* AArgs, VARIANT& AResult) {
  RequireArgCount(ACall, 2, 3);
  if (Arg(AArgs, 0)->vt == VT_NULL || Arg(AArgs, 1)->vt == VT_NULL) {
    QelClear(&AResult);
    AResult.vt = VT_NULL;
    return;
  }
  const bool text = ACall.FArgCount == 3 && ArgInt(AArgs, 2) == 1;
  SetInt(AResult, CompareTexts(ArgText(AArgs, 0), ArgText(AArgs, 1), text));
}

void VbAsc(const TQelCall&, VARIANT* AArgs, VARIANT& AResult) {
  const String text = ArgText(AArgs, 0);
  if (text.empty()) throw ExceptionPtr(new EVariantTypeCastError());
  SetInt(AResult, int32_t(text[0]));
}

void VbChr(const TQelCall&, VARIANT* AArgs, VARIANT& AResult) {
  const int32_t code = ArgInt(AArgs, 0);
  if (code < 0 || code > 255) throw ExceptionPtr(new EVariantTypeCastError());
  const char16_t c = char16_t(code);
  SetText(AResult, std::u16string_view(&c, 1));
}

void VbSpace(const TQelCall&, VARIANT* AArgs, VARIANT& AResult) {
  SetText(AResult, String(size_t(ArgNonNegative(AArgs, 0)), u' '));
}

void VbString(const TQelCall&, VARIANT* AArgs, VARIANT& AResult) {
  const size_t count = size_t(ArgNonNegative(AArgs, 0));
  const VARIANT* c = Arg(AArgs, 1);
  char16_t fill;
  if (c->vt == VT_BSTR) {
    const std::u16string_view text = OleBstrView(c->bstrVal);
    if (text.empty()) throw ExceptionPtr(new EVariantTypeCastError());
    fill = text[0];
  } else {
    fill = char16_t(ArgInt(AArgs, 1) & 0xFFFF);
  }
  SetText(AResult, String(count, fill));
}

}  // namespace qel_vb
