// Hands a host exception across an in-process dispatch boundary that speaks only HRESULT and
// EXCEPINFO, so that the caller on the other side raises the very object (its class intact)
// instead of a generic error carrying the message.
//
// The callee relays the exception under the key of the EXCEPINFO it filled (its description
// string, a fresh allocation); a caller that knows about relaying claims it with the same key
// before freeing the EXCEPINFO. Foreign callers simply never claim: the slot holds one
// exception per thread and is overwritten by the next relay.
#pragma once

#include "host/core/SysUtils.h"

void QelRelayException(const ExceptionPtr& AError, const void* AKey);
// The exception relayed under AKey with the message AMessage on this thread (the slot is
// emptied), or a null handle.
ExceptionPtr QelClaimRelayedException(const void* AKey, std::u16string_view AMessage);
