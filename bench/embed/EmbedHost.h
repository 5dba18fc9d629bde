// The embedding harness: the host's TStringList bound by hand through the Lua
// and CPython C APIs, so the engine's wrappers can be measured against them.
#pragma once

#include <utility>

#include "host/core/Classes.h"

namespace qelembed {

// Runs the Lua 5.4 script at APath with the global constructor TStringList();
// prints errors to stderr. Returns the process exit code.
int RunLua(const char* AProgram, const char* APath);

// Runs the Python script at APath as `python3 APath` would, with the built-in
// module `qelhost` (class TStringList, exception HostError). Returns the
// process exit code.
int RunPython(const char* AProgram, const char* APath);

// The text of the last host exception caught by GuardHost on this thread:
// "<ClassName>: <Message>" in UTF-8. It lives in thread storage so that a Lua
// error can be raised from it after every C++ object of the call is gone.
const char* LastHostError();

// Records the exception in flight (call only inside a catch block).
void RecordHostError() noexcept;

// Runs AFn, turning any C++ exception (host ExceptionPtr, std::bad_alloc, ...)
// into a false result with LastHostError() set: no exception may cross the
// C callbacks of either interpreter.
template <class Fn>
bool GuardHost(Fn&& AFn) noexcept {
  try {
    std::forward<Fn>(AFn)();
    return true;
  } catch (...) {
    RecordHostError();
    return false;
  }
}

}  // namespace qelembed
