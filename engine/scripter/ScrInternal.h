// Shared between the scripter's own units.
#pragma once

#include "engine/scripter/ScrRunnerInternal.h"

// Raises EOleSysError with E_FAIL and AFormat applied to AName.
[[noreturn]] void QelRaiseNamedItemError(const char16_t* AFormat, std::u16string_view AName);

// Copies a variant for the control's own keeping; a failing copy raises EOleSysError.
inline void QelCheckVariantCopy(HRESULT AResult) {
  if (FAILED(AResult)) QelRaiseOleError(u"The value cannot be copied.", AResult);
}

// Where a runner's engine reported an error first (line from 0, position from 1); runners call
// it from their position hooks. Noted only while a control request runs on this thread.
void QelNoteErrorPosition(Exception* E, int ALine, int ALinePos);

// One request of the control to its runner. An error leaving it whose position was noted is
// thrown again as qel::ScriptError (still an ExceptionPtr), the position as fields.
class TQelScriptRequestScope {
 public:
  TQelScriptRequestScope();
  ~TQelScriptRequestScope();
  TQelScriptRequestScope(const TQelScriptRequestScope&) = delete;
  TQelScriptRequestScope& operator=(const TQelScriptRequestScope&) = delete;
  // Inside a catch block: raises the exception in flight, with its position when noted.
  [[noreturn]] static void Rethrow();
};

template <class TOperation>
decltype(auto) QelScriptRequest(TOperation&& AOperation) {
  TQelScriptRequestScope scope;
  try {
    return AOperation();
  } catch (const ExceptionPtr&) {
    TQelScriptRequestScope::Rethrow();
  }
}

// Whether safe mode keeps the host unit of this name from the scripts (ScrLimits.cpp).
bool QelUnitReachesSystem(std::u16string_view AUnitName);
