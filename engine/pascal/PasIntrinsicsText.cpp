// Text intrinsics: case, comparison, trimming, number texts, editing and Format.
#include <vector>

#include "engine/pascal/PasIntrinsics.h"

namespace qel_pas {
namespace {

template <String (*F)(std::u16string_view)>
void TextFn(VARIANT* AArgs, VARIANT& AResult) {
  SetText(AResult, F(ArgText(AArgs, 0)));
}

template <int (*F)(std::u16string_view, std::u16string_view)>
void CompareFn(VARIANT* AArgs, VARIANT& AResult) {
  SetInt(AResult, F(ArgText(AArgs, 0), ArgText(AArgs, 1)));
}

// A 1-based index turned into an offset into a text of ALength units, clamped to the text.
size_t ClampedOffset(int32_t AIndex, size_t ALength) {
  if (AIndex < 1) return 0;
  return std::min(static_cast<size_t>(AIndex) - 1, ALength);
}

// The format's arguments: the elements of a single array argument, else the arguments themselves.
void CollectFormatArgs(const TQelCall& ACall, VARIANT* AArgs, std::vector<TQelVar>& AOwned,
                       std::vector<TVarRec>& ARecs) {
  const VARIANT* second = Arg(AArgs, 1);
  if (ACall.FArgCount == 2 && IsArray(second)) {
    SAFEARRAY* array = second->parray;
    LONG low = 0, high = -1;
    QelCheckVar(SafeArrayGetLBound(array, 1, &low));
    QelCheckVar(SafeArrayGetUBound(array, 1, &high));
    AOwned = std::vector<TQelVar>(high >= low ? static_cast<size_t>(high - low + 1) : 0);
    for (LONG i = low; i <= high; ++i) ArrayElement(array, i, AOwned[i - low].V);
    for (TQelVar& element : AOwned) ARecs.emplace_back(&element.V);
    return;
  }
  for (int i = 1; i < ACall.FArgCount; ++i) ARecs.emplace_back(QelDeref(&AArgs[i]));
}

}  // namespace

void PasLowerCase(const TQelCall&, VARIANT* A, VARIANT& R) { TextFn<LowerCase>(A, R); }
void PasUpperCase(const TQelCall&, VARIANT* A, VARIANT& R) { TextFn<UpperCase>(A, R); }
void PasAnsiLowerCase(const TQelCall&, VARIANT* A, VARIANT& R) { TextFn<AnsiLowerCase>(A, R); }
void PasAnsiUpperCase(const TQelCall&, VARIANT* A, VARIANT& R) { TextFn<AnsiUpperCase>(A, R); }
void PasTrim(const TQelCall&, VARIANT* A, VARIANT& R) { TextFn<Trim>(A, R); }
void PasTrimLeft(const TQelCall&, VARIANT* A, VARIANT& R) { TextFn<TrimLeft>(A, R); }
void PasTrimRight(const TQelCall&, VARIANT* A, VARIANT& R) { TextFn<TrimRight>(A, R); }
void PasCompareStr(const TQelCall&, VARIANT* A, VARIANT& R) { CompareFn<CompareStr>(A, R); }
void PasCompareText(const TQelCall&, VARIANT* A, VARIANT& R) { CompareFn<CompareText>(A, R); }
void PasAnsiCompareStr(const TQelCall&, VARIANT* A, VARIANT& R) { CompareFn<AnsiCompareStr>(A, R); }
void PasAnsiCompareText(const TQelCall&, VARIANT* A, VARIANT& R) {
  CompareFn<AnsiCompareText>(A, R);
}

void PasIntToStr(const TQelCall&, VARIANT* AArgs, VARIANT& AResult) {
  SetText(AResult, IntToStr(ArgInt64(AArgs, 0)));
}

void PasIntToHex(const TQelCall&, VARIANT* AArgs, VARIANT& AResult) {
  SetText(AResult, IntToHex(ArgInt64(AArgs, 0), ArgInt(AArgs, 1)));
}

void PasStrToInt(const TQelCall&, VARIANT* AArgs, VARIANT& AResult) {
  SetInt(AResult, StrToInt(ArgText(AArgs, 0)));
}

void PasStrToIntDef(const TQelCall&, VARIANT* AArgs, VARIANT& AResult) {
  SetInt(AResult, StrToIntDef(ArgText(AArgs, 0), ArgInt(AArgs, 1)));
}

void PasStrToFloat(const TQelCall&, VARIANT* AArgs, VARIANT& AResult) {
  SetDouble(AResult, StrToFloat(ArgText(AArgs, 0)));
}

void PasFloatToStr(const TQelCall&, VARIANT* AArgs, VARIANT& AResult) {
  SetText(AResult, FloatToStr(ArgNumber(AArgs, 0)));
}

void PasFormatFloat(const TQelCall&, VARIANT* AArgs, VARIANT& AResult) {
  SetText(AResult, FormatFloat(ArgText(AArgs, 0), ArgNumber(AArgs, 1)));
}

void PasIsValidIdent(const TQelCall&, VARIANT* AArgs, VARIANT& AResult) {
  SetBoolean(AResult, IsValidIdent(ArgText(AArgs, 0)));
}

void PasPos(const TQelCall&, VARIANT* AArgs, VARIANT& AResult) {
  const String sub = ArgText(AArgs, 0);
  const String text = ArgText(AArgs, 1);
  const size_t at = sub.empty() ? String::npos : text.find(sub);
  SetInt(AResult, at == String::npos ? 0 : static_cast<int32_t>(at) + 1);
}

void PasChr(const TQelCall&, VARIANT* AArgs, VARIANT& AResult) {
  const char16_t code = static_cast<char16_t>(ArgInt(AArgs, 0) & 0xFFFF);
  SetText(AResult, std::u16string_view(&code, 1));
}

void PasOrd(const TQelCall&, VARIANT* AArgs, VARIANT& AResult) {
  const VARIANT* value = Arg(AArgs, 0);
  if (value->vt != VT_BSTR) return SetInt(AResult, ArgInt(AArgs, 0));
  const std::u16string_view text = OleBstrView(value->bstrVal);
  SetInt(AResult, text.empty() ? 0 : text[0]);
}

void PasInsert(const TQelCall&, VARIANT* AArgs, VARIANT&) {
  const String source = ArgText(AArgs, 0);
  String text = ArgText(AArgs, 1);
  text.insert(ClampedOffset(ArgInt(AArgs, 2), text.size()), source);
  WriteBackText(&AArgs[1], text);
}

void PasDelete(const TQelCall&, VARIANT* AArgs, VARIANT&) {
  String text = ArgText(AArgs, 0);
  const int32_t index = ArgInt(AArgs, 1);
  const int32_t count = ArgInt(AArgs, 2);
  if (index < 1 || static_cast<size_t>(index) > text.size() || count <= 0) return;
  text.erase(static_cast<size_t>(index) - 1, static_cast<size_t>(count));
  WriteBackText(&AArgs[0], text);
}

void PasVarToStr(const TQelCall&, VARIANT* AArgs, VARIANT& AResult) {
  if (Arg(AArgs, 0)->vt == VT_NULL) return SetText(AResult, u"");
  SetText(AResult, ArgText(AArgs, 0));
}

void PasFormat(const TQelCall& ACall, VARIANT* AArgs, VARIANT& AResult) {
  RequireArgCount(ACall, 1, INT32_MAX);
  const String format = ArgText(AArgs, 0);
  if (ACall.FArgCount == 1) return SetText(AResult, format);
  std::vector<TQelVar> owned;
  std::vector<TVarRec> recs;
  CollectFormatArgs(ACall, AArgs, owned, recs);
  SetText(AResult, Format(format, recs.data(), recs.size()));
}

}  // namespace qel_pas
