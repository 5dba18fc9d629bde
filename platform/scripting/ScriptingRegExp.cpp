// "VBScript.RegExp" on ICU's regular expressions: Test, Execute with its matches and
// sub-matches, and Replace with the $-substitutions.
#include <unicode/regex.h>

#include "platform/scripting/ScriptingInternal.h"

// ICU's match-time limit, in its engine steps (each on the order of a millisecond): a pattern
// that backtracks without end fails with an error instead of hanging the script.
constexpr int32_t RegExpTimeLimit = 4000;

struct TQelRegExp::TCompiled {
  std::unique_ptr<icu::RegexPattern> Pattern;
};

namespace {

[[noreturn]] void RaiseRegExp(TQelScriptingError AError) { QelRaiseScriptingError(AError, QelRegExpProgId); }

icu::UnicodeString IcuText(std::u16string_view AText) {
  return icu::UnicodeString(AText.data(), static_cast<int32_t>(AText.size()));
}

// Runs AOnMatch(matcher) for the first match, or for every match when AAll.
template <class F>
void ForEachMatch(icu::RegexPattern& APattern, const icu::UnicodeString& AText, bool AAll, F&& AOnMatch) {
  UErrorCode status = U_ZERO_ERROR;
  std::unique_ptr<icu::RegexMatcher> matcher(APattern.matcher(AText, status));
  if (U_SUCCESS(status)) matcher->setTimeLimit(RegExpTimeLimit, status);
  while (U_SUCCESS(status) && matcher->find(status)) {
    AOnMatch(*matcher);
    if (!AAll) break;
  }
  if (U_FAILURE(status)) RaiseRegExp(seRegExpTooComplex);
}

String GroupText(icu::RegexMatcher& AMatcher, int32_t AGroup) {
  UErrorCode status = U_ZERO_ERROR;
  const icu::UnicodeString text = AMatcher.group(AGroup, status);
  return String(text.getBuffer(), static_cast<size_t>(text.length()));
}

bool GroupTookPart(icu::RegexMatcher& AMatcher, int32_t AGroup) {
  UErrorCode status = U_ZERO_ERROR;
  return AMatcher.start(AGroup, status) >= 0 && U_SUCCESS(status);
}

// Appends AReplacement with $1..$99, $&, $`, $' and $$ replaced; an unknown group number or
// any other $ stays as written.
void AppendReplacement(String& AOut, std::u16string_view AReplacement, icu::RegexMatcher& AMatcher,
                       std::u16string_view AText) {
  UErrorCode status = U_ZERO_ERROR;
  const int32_t start = AMatcher.start(status), end = AMatcher.end(status);
  const int32_t groups = AMatcher.groupCount();
  auto isDigit = [](char16_t c) { return c >= u'0' && c <= u'9'; };
  for (size_t i = 0; i < AReplacement.size(); ++i) {
    const char16_t c = AReplacement[i];
    const char16_t next = i + 1 < AReplacement.size() ? AReplacement[i + 1] : 0;
    if (c != u'$' || !next) {
      AOut += c;
      continue;
    }
    if (next == u'$') AOut += u'$';
    else if (next == u'&') AOut += AText.substr(start, end - start);
    else if (next == u'`') AOut += AText.substr(0, start);
    else if (next == u'\'') AOut += AText.substr(end);
    else if (isDigit(next) && next != u'0' && next - u'0' <= groups) {
      int32_t group = next - u'0';
      // Two digits when they name a group.
      if (i + 2 < AReplacement.size() && isDigit(AReplacement[i + 2]) &&
          group * 10 + (AReplacement[i + 2] - u'0') <= groups) {
        group = group * 10 + (AReplacement[++i + 1] - u'0');
      }
      if (GroupTookPart(AMatcher, group)) AOut += GroupText(AMatcher, group);
    } else {
      AOut += c;
      continue;
    }
    ++i;
  }
}

VARIANT NewMatch(icu::RegexMatcher& AMatcher) {
  UErrorCode status = U_ZERO_ERROR;
  auto match = std::make_unique<TQelMatch>();
  match->Value = GroupText(AMatcher, 0);
  match->FirstIndex = AMatcher.start(status);
  for (int32_t g = 1; g <= AMatcher.groupCount(); ++g)
    match->Groups.push_back(GroupTookPart(AMatcher, g) ? QelStringVar(GroupText(AMatcher, g)) : VARIANT{});
  return QelScriptingToVar<TQelMatch_sw>(std::move(match));
}

}  // namespace

TQelRegExp::TQelRegExp() = default;
TQelRegExp::~TQelRegExp() = default;

void TQelRegExp::SetPattern(std::u16string_view AValue) {
  FPattern = AValue;
  FCompiled.reset();
}

void TQelRegExp::SetIgnoreCase(bool AValue) {
  FIgnoreCase = AValue;
  FCompiled.reset();
}

void TQelRegExp::SetMultiline(bool AValue) {
  FMultiline = AValue;
  FCompiled.reset();
}

// A bad pattern is reported where it is used, as a script expects: setting it never fails.
TQelRegExp::TCompiled& TQelRegExp::Compiled() {
  if (FCompiled) return *FCompiled;
  uint32_t flags = 0;
  if (FIgnoreCase) flags |= UREGEX_CASE_INSENSITIVE;
  if (FMultiline) flags |= UREGEX_MULTILINE;
  UParseError where{};
  UErrorCode status = U_ZERO_ERROR;
  std::unique_ptr<icu::RegexPattern> pattern(icu::RegexPattern::compile(IcuText(FPattern), flags, where, status));
  if (U_FAILURE(status) || !pattern) RaiseRegExp(seRegExpSyntax);
  FCompiled = std::make_unique<TCompiled>();
  FCompiled->Pattern = std::move(pattern);
  return *FCompiled;
}

bool TQelRegExp::Test(std::u16string_view AText) {
  bool found = false;
  ForEachMatch(*Compiled().Pattern, IcuText(AText), false, [&](icu::RegexMatcher&) { found = true; });
  return found;
}

VARIANT TQelRegExp::Execute(std::u16string_view AText) {
  std::vector<VARIANT> matches;
  ForEachMatch(*Compiled().Pattern, IcuText(AText), FGlobal,
               [&](icu::RegexMatcher& AMatcher) { matches.push_back(NewMatch(AMatcher)); });
  return QelScriptingToVar<TQelMatchCollection_sw>(std::make_unique<TQelMatchCollection>(std::move(matches)));
}

String TQelRegExp::Replace(std::u16string_view AText, std::u16string_view AReplacement) {
  String result;
  int32_t done = 0;
  ForEachMatch(*Compiled().Pattern, IcuText(AText), FGlobal, [&](icu::RegexMatcher& AMatcher) {
    UErrorCode status = U_ZERO_ERROR;
    const int32_t start = AMatcher.start(status);
    result += AText.substr(done, start - done);
    AppendReplacement(result, AReplacement, AMatcher, AText);
    done = AMatcher.end(status);
  });
  result += AText.substr(done);
  return result;
}

// ---- matches -------------------------------------------------------------------------------

TQelMatch::~TQelMatch() {
  for (VARIANT& group : Groups) VariantClear(&group);
}

VARIANT TQelMatch::GetSubMatches() const {
  std::vector<VARIANT> copies(Groups.size());
  for (size_t i = 0; i < Groups.size(); ++i) VariantCopy(&copies[i], &Groups[i]);
  return QelScriptingToVar<TQelSubMatches_sw>(std::make_unique<TQelSubMatches>(std::move(copies)));
}

TQelValueList::~TQelValueList() {
  for (VARIANT& item : FItems) VariantClear(&item);
}

VARIANT TQelValueList::GetItem(int32_t AIndex) const {
  if (AIndex < 0 || AIndex >= GetCount()) QelRaiseScriptingError(seInvalidCall, QelRegExpProgId);
  return QelVarCopy(FItems[AIndex]);
}

VARIANT TQelValueList::NewEnum() const {
  std::vector<VARIANT> copies(FItems.size());
  for (size_t i = 0; i < FItems.size(); ++i) VariantCopy(&copies[i], &FItems[i]);
  return QelNewEnumVar(std::move(copies));
}

// ---- members -------------------------------------------------------------------------------

template <>
void TQelRegExp_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TQelRegExp> M(AData);
  M.Property<&TQelRegExp::GetPattern, &TQelRegExp::SetPattern>(u"Pattern");
  M.Property<&TQelRegExp::GetGlobal, &TQelRegExp::SetGlobal>(u"Global");
  M.Property<&TQelRegExp::GetIgnoreCase, &TQelRegExp::SetIgnoreCase>(u"IgnoreCase");
  M.Property<&TQelRegExp::GetMultiline, &TQelRegExp::SetMultiline>(u"Multiline");
  M.Method<&TQelRegExp::Test>(u"Test");
  M.Method<&TQelRegExp::Execute>(u"Execute");
  M.Method<&TQelRegExp::Replace>(u"Replace");
}

template <>
void TQelMatch_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TQelMatch> M(AData);
  M.Property<&TQelMatch::GetValue>(u"Value", qpDefault);
  M.Property<&TQelMatch::GetFirstIndex>(u"FirstIndex");
  M.Property<&TQelMatch::GetLength>(u"Length");
  M.Property<&TQelMatch::GetSubMatches>(u"SubMatches");
}

template <>
void TQelMatchCollection_sw::RegisterMembers(TQelClassWrapperData& AData) {
  QelRegisterCollectionMembers<TQelMatchCollection, TQelValueList>(AData);
}

template <>
void TQelSubMatches_sw::RegisterMembers(TQelClassWrapperData& AData) {
  QelRegisterCollectionMembers<TQelSubMatches, TQelValueList>(AData);
}
