// Array, and the routines that turn texts into arrays and back: Split, Join, Filter.
#include <vector>

#include "engine/vb/VbIntrinsics.h"

namespace qel_vb {

void SetTextVector(VARIANT& AResult, const std::vector<String>& ATexts) {
  SAFEARRAY* array = SetNewVector(AResult, ATexts.size());
  for (LONG i = 0; i < LONG(ATexts.size()); ++i) {
    TQelVar element;
    SetText(element.V, ATexts[size_t(i)]);
    QelCheckVar(SafeArrayPutElement(array, &i, &element.V));
  }
}

String ElementText(SAFEARRAY* AArray, LONG AIndex) {
  TQelVar element;
  ArrayElement(AArray, AIndex, element.V);
  return ArgText(&element.V, 0);
}

String CaseKey(String AText, bool AIgnoreCase) {
  return AIgnoreCase ? CaseFolded(AText) : std::move(AText);
}

void VbArray(const TQelCall& ACall, VARIANT* AArgs, VARIANT& AResult) {
  TQelVar result;
  SAFEARRAY* array = SetNewVector(result.V, size_t(ACall.FArgCount));
  for (LONG i = 0; i < ACall.FArgCount; ++i)
    QelCheckVar(SafeArrayPutElement(array, &i, const_cast<VARIANT*>(Arg(AArgs, i))));
  QelClear(&AResult);
  AResult = result.V;
  result.V.vt = VT_EMPTY;
}

// Join(array [, delimiter = " "]).
void VbJoin(const TQelCall& ACall, VARIANT* AArgs, VARIANT& AResult) {
  RequireArgCount(ACall, 1, 2);
  LONG low = 0, high = -1;
  VectorBounds(AArgs, 0, low, high);
  const String delimiter = ACall.FArgCount == 2 ? ArgText(AArgs, 1) : String(u" ");
  String joined;
  for (LONG i = low; i <= high; ++i) {
    if (i > low) joined += delimiter;
    joined += ElementText(Arg(AArgs, 0)->parray, i);
  }
  SetText(AResult, joined);
}

// Filter(array, match [, include = True [, compare]]): the elements whose text equals the
// match (ignoring case under text comparison), or with include False those that do not.
void VbFilter(const TQelCall& ACall, VARIANT* AArgs, VARIANT& AResult) {
  RequireArgCount(ACall, 2, 4);
  LONG low = 0, high = -1;
  VectorBounds(AArgs, 0, low, high);
  const bool include = ACall.FArgCount >= 3 ? QelToDouble(Arg(AArgs, 2)) != 0 : true;
  const bool ignoreCase = ACall.FArgCount == 4 && ArgInt(AArgs, 3) == 1;
  const String match = CaseKey(ArgText(AArgs, 1), ignoreCase);
  std::vector<String> kept;
  for (LONG i = low; i <= high; ++i) {
    String text = ElementText(Arg(AArgs, 0)->parray, i);
    if ((CaseKey(text, ignoreCase) == match) == include) kept.push_back(std::move(text));
  }
  SetTextVector(AResult, kept);
}

// Split(text [, delimiter = " " [, limit = -1 [, compare]]]): with a limit, the text after
// the limit-th delimiter is dropped.
void VbSplit(const TQelCall& ACall, VARIANT* AArgs, VARIANT& AResult) {
  RequireArgCount(ACall, 1, 4);
  const String text = ArgText(AArgs, 0);
  const String delimiter = ACall.FArgCount >= 2 ? ArgText(AArgs, 1) : String(u" ");
  const int64_t limit = ACall.FArgCount >= 3 ? ArgInt(AArgs, 2) : -1;
  const bool ignoreCase = ACall.FArgCount == 4 && ArgInt(AArgs, 3) == 1;
  std::vector<String> pieces;
  if (text.empty() || limit == 0) return SetTextVector(AResult, pieces);
  if (delimiter.empty()) return SetTextVector(AResult, {text});
  const String haystack = CaseKey(text, ignoreCase);
  const String sought = CaseKey(delimiter, ignoreCase);
  size_t from = 0;
  while (limit < 0 || int64_t(pieces.size()) < limit) {
    const size_t at = haystack.find(sought, from);
    if (at == String::npos) break;
    pieces.push_back(text.substr(from, at - from));
    from = at + sought.size();
  }
  if (limit < 0 || int64_t(pieces.size()) < limit) pieces.push_back(text.substr(from));
  SetTextVector(AResult, pieces);
}

}  // namespace qel_vb
