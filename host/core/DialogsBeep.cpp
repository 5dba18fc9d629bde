// The system beep: a replaceable hook, by default BEL on a terminal.
#include <atomic>
#include <cstdio>
#include <unistd.h>

#include "host/core/SysUtils.h"

namespace {

std::atomic<TBeepHook> GBeepHook{nullptr};

}  // namespace

TBeepHook SetBeepHook(TBeepHook AHook) { return GBeepHook.exchange(AHook); }

void Beep() {
  if (TBeepHook hook = GBeepHook.load()) {
    hook();
    return;
  }
  if (isatty(STDERR_FILENO)) {
    std::fputc('\a', stderr);
    std::fflush(stderr);
  }
}
