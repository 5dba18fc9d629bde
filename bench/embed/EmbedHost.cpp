#include "bench/embed/EmbedHost.h"

#include <string>

namespace qelembed {

namespace {
thread_local std::string tLastError;
}

const char* LastHostError() { return tLastError.c_str(); }

void RecordHostError() noexcept {
  try {
    ExceptionPtr error = AcquireExceptionObject();
    tLastError = StringToUtf8(error->ClassName() + u": " + error->GetMessage());
  } catch (...) {
    // Out of memory while describing the error: keep a fixed text.
    tLastError.assign("EOutOfMemory");
  }
}

}  // namespace qelembed
