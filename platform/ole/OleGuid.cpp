#include "platform/ole/OleUnknown.h"

namespace {

constexpr char16_t kHex[] = u"0123456789ABCDEF";

// Byte positions of the 16 GUID bytes in the text form, in the order Data1..Data4.
constexpr int kBytePos[16] = {1, 3, 5, 7, 10, 12, 15, 17, 20, 22, 25, 27, 29, 31, 33, 35};
constexpr int kDashPos[4] = {9, 14, 19, 24};
constexpr int kGuidChars = 38;

void guidBytes(REFGUID g, uint8_t out[16]) {
  for (int i = 0; i < 4; ++i) out[i] = static_cast<uint8_t>(g.Data1 >> (24 - 8 * i));
  out[4] = static_cast<uint8_t>(g.Data2 >> 8);
  out[5] = static_cast<uint8_t>(g.Data2);
  out[6] = static_cast<uint8_t>(g.Data3 >> 8);
  out[7] = static_cast<uint8_t>(g.Data3);
  for (int i = 0; i < 8; ++i) out[8 + i] = g.Data4[i];
}

int hexValue(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

}  // namespace

int StringFromGUID2(REFGUID guid, LPOLESTR lpsz, int cchMax) {
  if (!lpsz || cchMax < kGuidChars + 1) return 0;
  uint8_t b[16];
  guidBytes(guid, b);
  lpsz[0] = u'{';
  for (int d : kDashPos) lpsz[d] = u'-';
  for (int i = 0; i < 16; ++i) {
    lpsz[kBytePos[i]] = kHex[b[i] >> 4];
    lpsz[kBytePos[i] + 1] = kHex[b[i] & 15];
  }
  lpsz[kGuidChars - 1] = u'}';
  lpsz[kGuidChars] = 0;
  return kGuidChars + 1;
}

HRESULT CLSIDFromString(LPCOLESTR lpsz, LPCLSID pclsid) {
  if (!pclsid) return E_INVALIDARG;
  if (!lpsz) {
    *pclsid = CLSID_NULL;
    return S_OK;
  }
  for (int i = 0; i < kGuidChars; ++i)
    if (lpsz[i] == 0) return CO_E_CLASSSTRING;
  if (lpsz[0] != u'{' || lpsz[kGuidChars - 1] != u'}' || lpsz[kGuidChars] != 0)
    return CO_E_CLASSSTRING;
  for (int d : kDashPos)
    if (lpsz[d] != u'-') return CO_E_CLASSSTRING;
  uint8_t b[16];
  for (int i = 0; i < 16; ++i) {
    int hi = hexValue(lpsz[kBytePos[i]]), lo = hexValue(lpsz[kBytePos[i] + 1]);
    if (hi < 0 || lo < 0) return CO_E_CLASSSTRING;
    b[i] = static_cast<uint8_t>(hi * 16 + lo);
  }
  GUID g{};
  for (int i = 0; i < 4; ++i) g.Data1 = (g.Data1 << 8) | b[i];
  g.Data2 = static_cast<uint16_t>((b[4] << 8) | b[5]);
  g.Data3 = static_cast<uint16_t>((b[6] << 8) | b[7]);
  for (int i = 0; i < 8; ++i) g.Data4[i] = b[8 + i];
  *pclsid = g;
  return S_OK;
}

HRESULT IIDFromString(LPCOLESTR lpsz, LPIID piid) {
  HRESULT hr = CLSIDFromString(lpsz, piid);
  return hr == CO_E_CLASSSTRING ? E_INVALIDARG : hr;
}
