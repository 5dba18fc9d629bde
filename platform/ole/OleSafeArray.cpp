// Safe arrays: descriptor with the element kind stored in front of it, data in one block.
#include "platform/ole/OleSafeArray.h"

#include <cstddef>
#include <cstdlib>
#include <cstring>

#include "platform/ole/OleInternal.h"
#include "platform/ole/OleMemoryMeter.h"

using namespace ole_detail;

namespace {

// The element kind sits in the 16 bytes before the descriptor (keeping its alignment).
constexpr size_t kPrefix = 16;
constexpr USHORT kOwnedElsewhere = FADF_STATIC | FADF_AUTO | FADF_EMBEDDED;
constexpr USHORT kKindFeatures = FADF_BSTR | FADF_UNKNOWN | FADF_DISPATCH | FADF_VARIANT;
constexpr size_t kMaxBytes = size_t(1) << 40;

VARTYPE& storedKind(SAFEARRAY* psa) {
  return *reinterpret_cast<VARTYPE*>(reinterpret_cast<char*>(psa) - sizeof(DWORD));
}

USHORT featuresOf(VARTYPE vt) {
  switch (vt) {
    case VT_BSTR: return FADF_BSTR;
    case VT_UNKNOWN: return FADF_UNKNOWN;
    case VT_DISPATCH: return FADF_DISPATCH | FADF_HAVEIID;
    case VT_VARIANT: return FADF_VARIANT;
    default: return 0;
  }
}

bool elementKindAllowed(VARTYPE vt) { return vt != VT_EMPTY && vt != VT_NULL && kindSize(vt) != 0; }

// Number of elements, or false when the array would not fit memory.
bool elementCount(const SAFEARRAY* psa, size_t& count) {
  size_t n = 1;
  for (USHORT i = 0; i < psa->cDims; ++i)
    if (__builtin_mul_overflow(n, static_cast<size_t>(psa->rgsabound[i].cElements), &n))
      return false;
  size_t bytes;
  if (__builtin_mul_overflow(n, static_cast<size_t>(psa->cbElements), &bytes) || bytes > kMaxBytes)
    return false;
  count = n;
  return true;
}

char* cellAt(SAFEARRAY* psa, size_t index) {
  return static_cast<char*>(psa->pvData) + index * psa->cbElements;
}

void releaseCells(SAFEARRAY* psa, size_t from, size_t to) {
  if (!psa->pvData) return;
  for (size_t i = from; i < to; ++i) {
    char* cell = cellAt(psa, i);
    if (psa->fFeatures & FADF_BSTR) {
      SysFreeString(*reinterpret_cast<BSTR*>(cell));
    } else if (psa->fFeatures & (FADF_UNKNOWN | FADF_DISPATCH)) {
      if (IUnknown* u = *reinterpret_cast<IUnknown**>(cell)) u->Release();
    } else if (psa->fFeatures & FADF_VARIANT) {
      VariantClear(reinterpret_cast<VARIANT*>(cell));
    }
  }
  std::memset(cellAt(psa, from), 0, (to - from) * psa->cbElements);
}

// Offset of the element at rgIndices (natural order), or DISP_E_BADINDEX.
HRESULT cellIndex(SAFEARRAY* psa, const LONG* rgIndices, size_t& index) {
  size_t offset = 0, multiplier = 1;
  for (UINT dim = 1; dim <= psa->cDims; ++dim) {
    const SAFEARRAYBOUND& b = psa->rgsabound[psa->cDims - dim];
    int64_t rel = static_cast<int64_t>(rgIndices[dim - 1]) - b.lLbound;
    if (rel < 0 || rel >= static_cast<int64_t>(b.cElements)) return DISP_E_BADINDEX;
    offset += static_cast<size_t>(rel) * multiplier;
    multiplier *= b.cElements;
  }
  index = offset;
  return S_OK;
}

HRESULT copyCellIn(SAFEARRAY* psa, char* cell, void* pv) {
  if (psa->fFeatures & FADF_VARIANT)
    return VariantCopy(reinterpret_cast<VARIANT*>(cell), static_cast<VARIANT*>(pv));
  if (psa->fFeatures & FADF_BSTR) {
    BSTR src = static_cast<BSTR>(pv);
    BSTR copy =
        src ? SysAllocStringByteLen(reinterpret_cast<char*>(src), SysStringByteLen(src)) : nullptr;
    if (src && !copy) return E_OUTOFMEMORY;
    SysFreeString(*reinterpret_cast<BSTR*>(cell));
    *reinterpret_cast<BSTR*>(cell) = copy;
    return S_OK;
  }
  if (psa->fFeatures & (FADF_UNKNOWN | FADF_DISPATCH)) {
    IUnknown* fresh = static_cast<IUnknown*>(pv);
    if (fresh) fresh->AddRef();
    if (IUnknown* old = *reinterpret_cast<IUnknown**>(cell)) old->Release();
    *reinterpret_cast<IUnknown**>(cell) = fresh;
    return S_OK;
  }
  if (!pv) return E_INVALIDARG;
  std::memcpy(cell, pv, psa->cbElements);
  return S_OK;
}

HRESULT copyCellOut(SAFEARRAY* psa, const char* cell, void* pv) {
  if (psa->fFeatures & FADF_VARIANT) {
    VariantInit(static_cast<VARIANT*>(pv));
    return VariantCopy(static_cast<VARIANT*>(pv), reinterpret_cast<const VARIANT*>(cell));
  }
  if (psa->fFeatures & FADF_BSTR) {
    BSTR src = *reinterpret_cast<const BSTR*>(cell);
    BSTR copy =
        src ? SysAllocStringByteLen(reinterpret_cast<char*>(src), SysStringByteLen(src)) : nullptr;
    if (src && !copy) return E_OUTOFMEMORY;
    *static_cast<BSTR*>(pv) = copy;
    return S_OK;
  }
  if (psa->fFeatures & (FADF_UNKNOWN | FADF_DISPATCH)) {
    IUnknown* u = *reinterpret_cast<IUnknown* const*>(cell);
    if (u) u->AddRef();
    *static_cast<IUnknown**>(pv) = u;
    return S_OK;
  }
  std::memcpy(pv, cell, psa->cbElements);
  return S_OK;
}

// Runs `op` on the element at rgIndices with the array locked.
template <class Op>
HRESULT withCell(SAFEARRAY* psa, LONG* rgIndices, void* pv, Op op) {
  if (!psa || !rgIndices) return E_INVALIDARG;
  size_t index;
  HRESULT hr = cellIndex(psa, rgIndices, index);
  if (FAILED(hr)) return hr;
  hr = SafeArrayLock(psa);
  if (FAILED(hr)) return hr;
  hr = op(psa, cellAt(psa, index), pv);
  SafeArrayUnlock(psa);
  return hr;
}

}  // namespace

HRESULT SafeArrayAllocDescriptor(UINT cDims, SAFEARRAY** ppsaOut) {
  if (!ppsaOut) return E_POINTER;
  *ppsaOut = nullptr;
  if (cDims == 0 || cDims > OLE_SAFEARRAY_MAX_DIMS) return E_INVALIDARG;
  size_t bytes = kPrefix + offsetof(SAFEARRAY, rgsabound) + cDims * sizeof(SAFEARRAYBOUND);
  char* block = static_cast<char*>(std::calloc(1, bytes));
  if (!block) return E_OUTOFMEMORY;
  SAFEARRAY* psa = reinterpret_cast<SAFEARRAY*>(block + kPrefix);
  psa->cDims = static_cast<USHORT>(cDims);
  *ppsaOut = psa;
  return S_OK;
}

HRESULT SafeArrayAllocDescriptorEx(VARTYPE vt, UINT cDims, SAFEARRAY** ppsaOut) {
  if (!elementKindAllowed(vt)) return E_INVALIDARG;
  HRESULT hr = SafeArrayAllocDescriptor(cDims, ppsaOut);
  if (FAILED(hr)) return hr;
  (*ppsaOut)->cbElements = kindSize(vt);
  (*ppsaOut)->fFeatures = featuresOf(vt) | FADF_HAVEVARTYPE;
  storedKind(*ppsaOut) = vt;
  return S_OK;
}

HRESULT SafeArrayAllocData(SAFEARRAY* psa) {
  if (!psa) return E_INVALIDARG;
  size_t count;
  if (!elementCount(psa, count)) return E_OUTOFMEMORY;
  const int64_t bytes = int64_t(count) * psa->cbElements;
  if (!OleMemoryCharge(bytes)) return E_OUTOFMEMORY;
  void* data = std::calloc(count ? count : 1, psa->cbElements ? psa->cbElements : 1);
  if (!data) {
    OleMemoryCharge(-bytes);
    return E_OUTOFMEMORY;
  }
  psa->pvData = data;
  return S_OK;
}

SAFEARRAY* SafeArrayCreate(VARTYPE vt, UINT cDims, SAFEARRAYBOUND* rgsabound) {
  SAFEARRAY* psa;
  if (!rgsabound || FAILED(SafeArrayAllocDescriptorEx(vt, cDims, &psa))) return nullptr;
  for (UINT i = 0; i < cDims; ++i) psa->rgsabound[i] = rgsabound[cDims - 1 - i];
  if (FAILED(SafeArrayAllocData(psa))) {
    SafeArrayDestroyDescriptor(psa);
    return nullptr;
  }
  return psa;
}

SAFEARRAY* SafeArrayCreateVector(VARTYPE vt, LONG lLbound, ULONG cElements) {
  SAFEARRAYBOUND bound{cElements, lLbound};
  return SafeArrayCreate(vt, 1, &bound);
}

HRESULT SafeArrayDestroyData(SAFEARRAY* psa) {
  if (!psa) return E_INVALIDARG;
  if (psa->cLocks) return DISP_E_ARRAYISLOCKED;
  size_t count;
  const bool counted = psa->pvData && elementCount(psa, count);
  if (counted) releaseCells(psa, 0, count);
  if (!(psa->fFeatures & kOwnedElsewhere)) {
    if (counted) OleMemoryCharge(-int64_t(count) * psa->cbElements);
    std::free(psa->pvData);
    psa->pvData = nullptr;
  }
  return S_OK;
}

HRESULT SafeArrayDestroyDescriptor(SAFEARRAY* psa) {
  if (!psa) return E_INVALIDARG;
  if (psa->cLocks) return DISP_E_ARRAYISLOCKED;
  std::free(reinterpret_cast<char*>(psa) - kPrefix);
  return S_OK;
}

HRESULT SafeArrayDestroy(SAFEARRAY* psa) {
  if (!psa) return S_OK;
  HRESULT hr = SafeArrayDestroyData(psa);
  return FAILED(hr) ? hr : SafeArrayDestroyDescriptor(psa);
}

UINT SafeArrayGetDim(SAFEARRAY* psa) { return psa ? psa->cDims : 0; }
UINT SafeArrayGetElemsize(SAFEARRAY* psa) { return psa ? psa->cbElements : 0; }

HRESULT SafeArrayGetLBound(SAFEARRAY* psa, UINT nDim, LONG* plLbound) {
  if (!psa || !plLbound) return E_INVALIDARG;
  if (nDim == 0 || nDim > psa->cDims) return DISP_E_BADINDEX;
  *plLbound = psa->rgsabound[psa->cDims - nDim].lLbound;
  return S_OK;
}

HRESULT SafeArrayGetUBound(SAFEARRAY* psa, UINT nDim, LONG* plUbound) {
  if (!psa || !plUbound) return E_INVALIDARG;
  if (nDim == 0 || nDim > psa->cDims) return DISP_E_BADINDEX;
  const SAFEARRAYBOUND& b = psa->rgsabound[psa->cDims - nDim];
  *plUbound = static_cast<LONG>(static_cast<int64_t>(b.lLbound) + b.cElements - 1);
  return S_OK;
}

HRESULT SafeArrayGetVartype(SAFEARRAY* psa, VARTYPE* pvt) {
  if (!psa || !pvt) return E_INVALIDARG;
  if (psa->fFeatures & FADF_HAVEVARTYPE) *pvt = storedKind(psa);
  else if (psa->fFeatures & FADF_BSTR) *pvt = VT_BSTR;
  else if (psa->fFeatures & FADF_UNKNOWN) *pvt = VT_UNKNOWN;
  else if (psa->fFeatures & FADF_DISPATCH) *pvt = VT_DISPATCH;
  else if (psa->fFeatures & FADF_VARIANT) *pvt = VT_VARIANT;
  else return E_INVALIDARG;
  return S_OK;
}

HRESULT SafeArrayLock(SAFEARRAY* psa) {
  if (!psa) return E_INVALIDARG;
  if (__atomic_add_fetch(&psa->cLocks, 1, __ATOMIC_ACQ_REL) > 0xFFFF) {
    __atomic_sub_fetch(&psa->cLocks, 1, __ATOMIC_ACQ_REL);
    return E_UNEXPECTED;
  }
  return S_OK;
}

HRESULT SafeArrayUnlock(SAFEARRAY* psa) {
  if (!psa) return E_INVALIDARG;
  ULONG n = __atomic_load_n(&psa->cLocks, __ATOMIC_ACQUIRE);
  do {
    if (n == 0) return E_UNEXPECTED;
  } while (!__atomic_compare_exchange_n(&psa->cLocks, &n, n - 1, false, __ATOMIC_ACQ_REL,
                                        __ATOMIC_ACQUIRE));
  return S_OK;
}

HRESULT SafeArrayAccessData(SAFEARRAY* psa, void** ppvData) {
  if (!psa || !ppvData) return E_INVALIDARG;
  HRESULT hr = SafeArrayLock(psa);
  *ppvData = SUCCEEDED(hr) ? psa->pvData : nullptr;
  return hr;
}

HRESULT SafeArrayUnaccessData(SAFEARRAY* psa) { return SafeArrayUnlock(psa); }

HRESULT SafeArrayPtrOfIndex(SAFEARRAY* psa, LONG* rgIndices, void** ppvData) {
  if (!psa || !rgIndices || !ppvData) return E_INVALIDARG;
  size_t index;
  HRESULT hr = cellIndex(psa, rgIndices, index);
  if (FAILED(hr)) return hr;
  *ppvData = cellAt(psa, index);
  return S_OK;
}

HRESULT SafeArrayGetElement(SAFEARRAY* psa, LONG* rgIndices, void* pv) {
  if (!pv) return E_INVALIDARG;
  return withCell(psa, rgIndices, pv,
                  [](SAFEARRAY* a, char* cell, void* p) { return copyCellOut(a, cell, p); });
}

HRESULT SafeArrayPutElement(SAFEARRAY* psa, LONG* rgIndices, void* pv) {
  // A null BSTR or interface is a valid element value; copyCellIn refuses other null values.
  return withCell(psa, rgIndices, pv,
                  [](SAFEARRAY* a, char* cell, void* p) { return copyCellIn(a, cell, p); });
}

HRESULT SafeArrayCopy(SAFEARRAY* psa, SAFEARRAY** ppsaOut) {
  if (!ppsaOut) return E_INVALIDARG;
  *ppsaOut = nullptr;
  if (!psa) return S_OK;
  size_t count;
  if (!elementCount(psa, count)) return E_OUTOFMEMORY;
  SAFEARRAY* copy;
  HRESULT hr = SafeArrayAllocDescriptor(psa->cDims, &copy);
  if (FAILED(hr)) return hr;
  copy->fFeatures = psa->fFeatures & ~kOwnedElsewhere;
  copy->cbElements = psa->cbElements;
  storedKind(copy) = storedKind(psa);
  std::memcpy(copy->rgsabound, psa->rgsabound, psa->cDims * sizeof(SAFEARRAYBOUND));
  hr = SafeArrayAllocData(copy);
  for (size_t i = 0; SUCCEEDED(hr) && i < count && psa->pvData; ++i) {
    char* cell = cellAt(psa, i);
    void* value = copy->fFeatures & (FADF_BSTR | FADF_UNKNOWN | FADF_DISPATCH)
                      ? *reinterpret_cast<void**>(cell)
                      : cell;
    hr = copyCellIn(copy, cellAt(copy, i), value);
  }
  if (FAILED(hr)) {
    SafeArrayDestroy(copy);
    return hr;
  }
  *ppsaOut = copy;
  return S_OK;
}

HRESULT SafeArrayRedim(SAFEARRAY* psa, SAFEARRAYBOUND* psaboundNew) {
  if (!psa || !psaboundNew) return E_INVALIDARG;
  if (psa->cLocks) return DISP_E_ARRAYISLOCKED;
  if (psa->fFeatures & (FADF_FIXEDSIZE | kOwnedElsewhere)) return E_INVALIDARG;
  size_t oldCount;
  if (!elementCount(psa, oldCount)) return E_UNEXPECTED;
  const SAFEARRAYBOUND old = psa->rgsabound[0];
  psa->rgsabound[0] = *psaboundNew;
  size_t newCount;
  if (!elementCount(psa, newCount)) {
    psa->rgsabound[0] = old;
    return E_OUTOFMEMORY;
  }
  const int64_t grown = (int64_t(newCount) - int64_t(oldCount)) * psa->cbElements;
  if (!OleMemoryCharge(grown)) {
    psa->rgsabound[0] = old;
    return E_OUTOFMEMORY;
  }
  if (newCount < oldCount) releaseCells(psa, newCount, oldCount);
  void* data = std::realloc(psa->pvData, (newCount ? newCount : 1) * psa->cbElements);
  if (!data) {
    OleMemoryCharge(-grown);
    psa->rgsabound[0] = old;  // the dropped cells are already empty, which is still valid
    return E_OUTOFMEMORY;
  }
  psa->pvData = data;
  if (newCount > oldCount)
    std::memset(cellAt(psa, oldCount), 0, (newCount - oldCount) * psa->cbElements);
  return S_OK;
}
