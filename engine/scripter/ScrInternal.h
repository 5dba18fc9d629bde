// Shared between the scripter's own units.
#pragma once

#include "engine/scripter/QelSctScripter.h"

// Raises EOleSysError with E_FAIL and AFormat applied to AName.
[[noreturn]] void QelRaiseNamedItemError(const char16_t* AFormat, std::u16string_view AName);

// Copies a variant for the control's own keeping; a failing copy raises EOleSysError.
inline void QelCheckVariantCopy(HRESULT AResult) {
  if (FAILED(AResult)) QelRaiseOleError(u"The value cannot be copied.", AResult);
}
