// Scalar types of the automation interfaces, with their published names and widths.
#pragma once

#include <cstdint>

using BYTE = uint8_t;
using WORD = uint16_t;
using DWORD = uint32_t;
using SHORT = int16_t;
using USHORT = uint16_t;
using LONG = int32_t;
using ULONG = uint32_t;
using LONGLONG = int64_t;
using ULONGLONG = uint64_t;
using INT = int32_t;
using UINT = uint32_t;
using CHAR = char;
using WCHAR = char16_t;
using OLECHAR = char16_t;
using LPOLESTR = OLECHAR*;
using LPCOLESTR = const OLECHAR*;
using BSTR = OLECHAR*;  // length-prefixed UTF-16, see OleAuto.h
using VARTYPE = uint16_t;
using VARIANT_BOOL = int16_t;
using SCODE = int32_t;
using HRESULT = int32_t;
using DISPID = int32_t;
using MEMBERID = int32_t;
using LCID = uint32_t;
using DATE = double;

constexpr VARIANT_BOOL VARIANT_TRUE = -1;
constexpr VARIANT_BOOL VARIANT_FALSE = 0;

constexpr bool SUCCEEDED(HRESULT hr) { return hr >= 0; }
constexpr bool FAILED(HRESULT hr) { return hr < 0; }

using BOOL = int32_t;
using FLOAT = float;
using DOUBLE = double;
using PVOID = void*;
using LPVOID = void*;
using ULONG_PTR = uintptr_t;
using HREFTYPE = DWORD;

// Currency: a 64-bit integer scaled by 10000.
union CY {
  struct {
    ULONG Lo;
    LONG Hi;
  };
  LONGLONG int64;
};
static_assert(sizeof(CY) == 8);
