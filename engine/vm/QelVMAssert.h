// Internal invariants of the machine's units: a failed check names the source unit and line.
#pragma once

#include <stdexcept>
#include <string>

[[noreturn]] inline void QelVMAssertFailed(const char* AUnit, int ALine, const char* ACond) {
  throw std::logic_error(std::string("Assertion failed: ") + ACond + " (" + AUnit + ", line " +
                         std::to_string(ALine) + ")");
}

#define QEL_VM_ASSERT(Cond) \
  ((Cond) ? (void)0 : QelVMAssertFailed(__FILE__, __LINE__, #Cond))
