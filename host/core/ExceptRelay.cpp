#include "host/core/ExceptRelay.h"

namespace {

struct TRelaySlot {
  const void* Key = nullptr;
  ExceptionPtr Error;
};
thread_local TRelaySlot GRelay;

}  // namespace

void QelRelayException(const ExceptionPtr& AError, const void* AKey) {
  GRelay.Key = AKey;
  GRelay.Error = AError;
}

ExceptionPtr QelClaimRelayedException(const void* AKey, std::u16string_view AMessage) {
  if (!AKey || GRelay.Key != AKey) return {};
  GRelay.Key = nullptr;
  ExceptionPtr error = std::move(GRelay.Error);
  // A description string freed by a caller that never claimed and then reused for another
  // error must not bring back the old exception.
  if (!error || error->GetMessage() != AMessage) return {};
  return error;
}
