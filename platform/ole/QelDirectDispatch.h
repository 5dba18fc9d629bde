// An engine-private interface of dispatch objects that the machine calls many times a second:
// the host wrappers. It spares a member call the OLE packaging of IDispatch and the reference
// counting of QueryInterface.
//
// - DispatchKey: objects whose member names map to DISPIDs the same way for a whole class of
//   objects, for as long as the process runs, return the same key; the machine remembers a
//   member's DISPID per call site and key instead of asking GetIDsOfNames at every call.
// - InvokeDirect: IDispatch::Invoke with the arguments in natural order (AArgs[0] is the first,
//   a put's value the last entry), without DISPPARAMS, with the same results and HRESULTs.
// - PrepareMember / InvokePrepared: a member chosen once for calls of one shape (flags,
//   argument count, whether the result is wanted), called again without looking it up; a call
//   site keeps the prepared member and uses it on every object of the member's key.
//
// The machine finds the interface with QelDirectDispatchOf, which asks QueryInterface once per
// C++ class of objects and then recognises further objects of that class by their vtable. An
// implementation must therefore answer the query for every object of its class alike, with a
// part of the object itself (no tear-off), and Self must return the object's IDispatch.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>

#include "platform/ole/OleUnknown.h"
#include "platform/ole/OleVariant.h"

// {6F0C2B1E-93A4-4D57-B0C8-5E21D7A4F904}
inline constexpr IID IID_IQelDirectDispatch = {
    0x6F0C2B1E, 0x93A4, 0x4D57, {0xB0, 0xC8, 0x5E, 0x21, 0xD7, 0xA4, 0xF9, 0x04}};

// A prepared member. Implementations make it the first part of their own member record; it
// lives as long as the process and belongs to the objects whose dispatch key is Key.
struct TQelDirectMember {
  const void* Key = nullptr;
};

struct IQelDirectDispatch : IUnknown {
  // The object's own IDispatch (the pointer QueryInterface was asked on).
  virtual IDispatch* Self() = 0;
  // The class's key, the same pointer for every object that maps names alike; nil when this
  // object's mapping is its own (it is then asked every time).
  virtual const void* DispatchKey() = 0;
  // AArgs: AArgCount arguments in natural order, references included; a property put passes
  // its value as the last of them. AResult: nil when the caller does not want the result,
  // else an empty variant that receives it. AExcepInfo is written when the call fails with
  // DISP_E_EXCEPTION, as by Invoke.
  virtual HRESULT InvokeDirect(DISPID AId, WORD AFlags, VARIANT* AArgs, UINT AArgCount,
                               VARIANT* AResult, EXCEPINFO* AExcepInfo) = 0;
  // Member AId prepared for calls of this shape (AArgCount counting a put's value), or nil
  // when such calls must go through InvokeDirect (an object without a key, a call that would
  // fail or that is passed on to another object).
  virtual const TQelDirectMember* PrepareMember(DISPID AId, WORD AFlags, UINT AArgCount,
                                                bool AWantsResult) = 0;
  // InvokeDirect of a member prepared for this call's shape, on an object of the member's key.
  virtual HRESULT InvokePrepared(const TQelDirectMember* AMember, WORD AFlags, VARIANT* AArgs,
                                 UINT AArgCount, VARIANT* AResult, EXCEPINFO* AExcepInfo) = 0;
};

namespace qel_direct_detail {
// Classes met so far (QelDirectDispatch.cpp): open addressing on the address of the vtable at
// the start of an object's IDispatch part; an entry, once made, never changes.
constexpr size_t TableSize = 64;  // HomeOf keeps the top 6 bits of the mixed address
constexpr ptrdiff_t NoDirect = PTRDIFF_MIN;
struct TKnownClass {
  std::atomic<const void*> VTable{nullptr};
  ptrdiff_t Offset = 0;  // to the IQelDirectDispatch part, or NoDirect; set before VTable
};
extern TKnownClass Known[TableSize];
IQelDirectDispatch* Learn(IDispatch* AObj, const void* AVTable);

// Vtables of related classes lie close together: the address is mixed before it is cut.
inline size_t HomeOf(const void* AVTable) {
  return size_t((reinterpret_cast<uintptr_t>(AVTable) * 0x9E3779B97F4A7C15ull) >> 58);
}
}  // namespace qel_direct_detail

// AObj's direct interface, borrowed: valid while the caller holds its reference to AObj, not
// to be released. Nil when AObj has none.
inline IQelDirectDispatch* QelDirectDispatchOf(IDispatch* AObj) {
  using namespace qel_direct_detail;
  const void* vtable = *reinterpret_cast<const void* const*>(AObj);
  for (size_t i = HomeOf(vtable);; i = (i + 1) & (TableSize - 1)) {
    const void* known = Known[i].VTable.load(std::memory_order_acquire);
    if (known == vtable) {
      const ptrdiff_t offset = Known[i].Offset;
      if (offset == NoDirect) return nullptr;
      return reinterpret_cast<IQelDirectDispatch*>(reinterpret_cast<char*>(AObj) + offset);
    }
    if (!known) return Learn(AObj, vtable);
  }
}
