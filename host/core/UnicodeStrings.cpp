// The Ansi* routines: full Unicode case mapping and the process locale's
// collation, through ICU.
#include <unicode/ucol.h>
#include <unicode/uloc.h>
#include <unicode/ustring.h>

#include <cstring>
#include <memory>

#include "host/core/SysUtils.h"

namespace {

using CaseMapper = int32_t (*)(UChar*, int32_t, const UChar*, int32_t, const char*, UErrorCode*);

// The root locale ("") keeps the mapping independent of the process locale
// (no Turkish dotless i).
String MapCase(std::u16string_view S, CaseMapper AMapper) {
  String result(S.size(), u'\0');
  UErrorCode status = U_ZERO_ERROR;
  const auto source = static_cast<int32_t>(S.size());
  int32_t length = AMapper(result.data(), static_cast<int32_t>(result.size()), S.data(), source, "", &status);
  if (status == U_BUFFER_OVERFLOW_ERROR) {
    // Full mappings may grow the text ("ß" -> "SS").
    result.resize(length);
    status = U_ZERO_ERROR;
    length = AMapper(result.data(), length, S.data(), source, "", &status);
  }
  if (U_FAILURE(status)) return String(S);
  result.resize(length);
  return result;
}

struct CollatorDeleter {
  void operator()(UCollator* ACollator) const { ucol_close(ACollator); }
};
using CollatorPtr = std::unique_ptr<UCollator, CollatorDeleter>;

// The process locale's collation; the C/POSIX locale (which ICU calls
// en_US_POSIX and collates in ASCII order, case first) takes the root one.
// Collators are opened once per thread: a shared one would need a lock.
CollatorPtr OpenCollator(UColAttributeValue AStrength) {
  const char* locale = uloc_getDefault();
  if (std::strcmp(locale, "en_US_POSIX") == 0) locale = "";
  UErrorCode status = U_ZERO_ERROR;
  CollatorPtr collator(ucol_open(locale, &status));
  if (U_FAILURE(status)) {
    status = U_ZERO_ERROR;
    collator.reset(ucol_open("", &status));
  }
  if (collator) ucol_setStrength(collator.get(), AStrength);
  return collator;
}

int Collate(UCollator* ACollator, std::u16string_view S1, std::u16string_view S2) {
  if (!ACollator) return CompareStr(S1, S2);
  switch (ucol_strcoll(ACollator, S1.data(), static_cast<int32_t>(S1.size()), S2.data(),
                       static_cast<int32_t>(S2.size()))) {
    case UCOL_LESS: return -1;
    case UCOL_GREATER: return 1;
    default: return 0;
  }
}

}  // namespace

String AnsiUpperCase(std::u16string_view S) { return MapCase(S, &u_strToUpper); }
String AnsiLowerCase(std::u16string_view S) { return MapCase(S, &u_strToLower); }

// Identical strength: texts that differ only in case or in code points still
// differ, ordered linguistically.
int AnsiCompareStr(std::u16string_view S1, std::u16string_view S2) {
  thread_local const CollatorPtr collator = OpenCollator(UCOL_IDENTICAL);
  return Collate(collator.get(), S1, S2);
}

// Secondary strength ignores case but not accents.
int AnsiCompareText(std::u16string_view S1, std::u16string_view S2) {
  thread_local const CollatorPtr collator = OpenCollator(UCOL_SECONDARY);
  return Collate(collator.get(), S1, S2);
}

bool AnsiSameStr(std::u16string_view S1, std::u16string_view S2) { return S1 == S2; }
bool AnsiSameText(std::u16string_view S1, std::u16string_view S2) { return AnsiCompareText(S1, S2) == 0; }
