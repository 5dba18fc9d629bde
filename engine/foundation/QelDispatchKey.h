// An optional interface of dispatch objects whose member names map to DISPIDs the same way for
// a whole class of objects, for as long as the process runs. The machine remembers a member's
// DISPID per call site and key, so such objects are asked GetIDsOfNames once per call site
// instead of at every call.
#pragma once

#include "platform/ole/OleUnknown.h"

// {6F0C2B1E-93A4-4D57-B0C8-5E21D7A4F903}
inline constexpr IID IID_IQelDispatchKey = {
    0x6F0C2B1E, 0x93A4, 0x4D57, {0xB0, 0xC8, 0x5E, 0x21, 0xD7, 0xA4, 0xF9, 0x03}};

struct IQelDispatchKey : IUnknown {
  // The class's key, the same pointer for every object that maps names alike; nil when this
  // object's mapping is its own (it is then asked every time).
  virtual const void* DispatchKey() = 0;
};

// The key of AObj, or nil.
inline const void* QelDispatchKeyOf(IDispatch* AObj) {
  void* found = nullptr;
  if (FAILED(AObj->QueryInterface(IID_IQelDispatchKey, &found)) || !found) return nullptr;
  auto* keyed = static_cast<IQelDispatchKey*>(found);
  const void* key = keyed->DispatchKey();
  keyed->Release();
  return key;
}
