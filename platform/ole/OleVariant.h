// VARIANT, BSTR and the variant routines: init, clear, copy, coercion, arithmetic, comparison.
#pragma once

#include <string>
#include <string_view>

#include "platform/ole/OleErrors.h"
#include "platform/ole/OleTypes.h"
#include "platform/ole/OleUnknown.h"

// ---- variant kinds ------------------------------------------------------------------------
enum VARENUM : VARTYPE {
  VT_EMPTY = 0,
  VT_NULL = 1,
  VT_I2 = 2,
  VT_I4 = 3,
  VT_R4 = 4,
  VT_R8 = 5,
  VT_CY = 6,
  VT_DATE = 7,
  VT_BSTR = 8,
  VT_DISPATCH = 9,
  VT_ERROR = 10,
  VT_BOOL = 11,
  VT_VARIANT = 12,
  VT_UNKNOWN = 13,
  VT_DECIMAL = 14,
  VT_I1 = 16,
  VT_UI1 = 17,
  VT_UI2 = 18,
  VT_UI4 = 19,
  VT_I8 = 20,
  VT_UI8 = 21,
  VT_INT = 22,
  VT_UINT = 23,
  VT_VOID = 24,
  VT_HRESULT = 25,
  VT_PTR = 26,
  VT_SAFEARRAY = 27,
  VT_CARRAY = 28,
  VT_USERDEFINED = 29,
  VT_LPSTR = 30,
  VT_LPWSTR = 31,
  VT_RECORD = 36,
  VT_INT_PTR = 37,
  VT_UINT_PTR = 38,
  VT_FILETIME = 64,
  VT_BLOB = 65,
  VT_STREAM = 66,
  VT_STORAGE = 67,
  VT_STREAMED_OBJECT = 68,
  VT_STORED_OBJECT = 69,
  VT_BLOB_OBJECT = 70,
  VT_CF = 71,
  VT_CLSID = 72,
  VT_VERSIONED_STREAM = 73,
  VT_BSTR_BLOB = 0xFFF,
  VT_VECTOR = 0x1000,
  VT_ARRAY = 0x2000,
  VT_BYREF = 0x4000,
  VT_RESERVED = 0x8000,
  VT_ILLEGAL = 0xFFFF,
  VT_ILLEGALMASKED = 0xFFF,
  VT_TYPEMASK = 0xFFF
};

// ---- the 16-byte value --------------------------------------------------------------------
struct tagVARIANT {
  VARTYPE vt;
  WORD wReserved1;
  WORD wReserved2;
  WORD wReserved3;
  union {
    LONGLONG llVal;
    LONG lVal;
    BYTE bVal;
    SHORT iVal;
    FLOAT fltVal;
    DOUBLE dblVal;
    VARIANT_BOOL boolVal;
    SCODE scode;
    CY cyVal;
    DATE date;
    BSTR bstrVal;
    IUnknown* punkVal;
    IDispatch* pdispVal;
    SAFEARRAY* parray;
    BYTE* pbVal;
    SHORT* piVal;
    LONG* plVal;
    LONGLONG* pllVal;
    FLOAT* pfltVal;
    DOUBLE* pdblVal;
    VARIANT_BOOL* pboolVal;
    SCODE* pscode;
    CY* pcyVal;
    DATE* pdate;
    BSTR* pbstrVal;
    IUnknown** ppunkVal;
    IDispatch** ppdispVal;
    SAFEARRAY** pparray;
    tagVARIANT* pvarVal;
    PVOID byref;
    CHAR cVal;
    USHORT uiVal;
    ULONG ulVal;
    ULONGLONG ullVal;
    INT intVal;
    UINT uintVal;
    CHAR* pcVal;
    USHORT* puiVal;
    ULONG* pulVal;
    ULONGLONG* pullVal;
    INT* pintVal;
    UINT* puintVal;
  };
};
using VARIANT = tagVARIANT;
using LPVARIANT = VARIANT*;
using LPVARIANTARG = VARIANTARG*;
static_assert(sizeof(VARIANT) == 16, "VARIANT is the published 16-byte value");

// Access in the published macro style.
inline VARTYPE& V_VT(VARIANT* v) { return v->vt; }
inline VARTYPE V_VT(const VARIANT* v) { return v->vt; }
inline bool V_ISBYREF(const VARIANT* v) { return (v->vt & VT_BYREF) != 0; }
inline bool V_ISARRAY(const VARIANT* v) { return (v->vt & VT_ARRAY) != 0; }
#define V_UNION(X, Y) ((X)->Y)
#define V_I1(X) V_UNION(X, cVal)
#define V_UI1(X) V_UNION(X, bVal)
#define V_I2(X) V_UNION(X, iVal)
#define V_UI2(X) V_UNION(X, uiVal)
#define V_I4(X) V_UNION(X, lVal)
#define V_UI4(X) V_UNION(X, ulVal)
#define V_I8(X) V_UNION(X, llVal)
#define V_UI8(X) V_UNION(X, ullVal)
#define V_INT(X) V_UNION(X, intVal)
#define V_UINT(X) V_UNION(X, uintVal)
#define V_R4(X) V_UNION(X, fltVal)
#define V_R8(X) V_UNION(X, dblVal)
#define V_CY(X) V_UNION(X, cyVal)
#define V_DATE(X) V_UNION(X, date)
#define V_BSTR(X) V_UNION(X, bstrVal)
#define V_BOOL(X) V_UNION(X, boolVal)
#define V_ERROR(X) V_UNION(X, scode)
#define V_UNKNOWN(X) V_UNION(X, punkVal)
#define V_DISPATCH(X) V_UNION(X, pdispVal)
#define V_ARRAY(X) V_UNION(X, parray)
#define V_BYREF(X) V_UNION(X, byref)
#define V_VARIANTREF(X) V_UNION(X, pvarVal)
#define V_BSTRREF(X) V_UNION(X, pbstrVal)
#define V_I4REF(X) V_UNION(X, plVal)

// ---- BSTR ---------------------------------------------------------------------------------
// A BSTR points at zero-terminated UTF-16 text preceded by its byte length (4 bytes).
// A null BSTR is an empty string everywhere.
BSTR SysAllocString(const OLECHAR* psz);
BSTR SysAllocStringLen(const OLECHAR* strIn, UINT ui);  // null source: uninitialised text
BSTR SysAllocStringByteLen(const char* psz, UINT len);
INT SysReAllocString(BSTR* pbstr, const OLECHAR* psz);
INT SysReAllocStringLen(BSTR* pbstr, const OLECHAR* psz, UINT len);
void SysFreeString(BSTR bstrString);
UINT SysStringLen(BSTR pbstr);
// Not an OLE routine: appends len characters to *pbstr in place. The block grows by half when it
// is full, so a string built by repeated appends is copied a logarithmic number of times. psz
// may point into *pbstr. Returns 0 (and leaves *pbstr alone) when out of memory.
INT OleBstrAppend(BSTR* pbstr, const OLECHAR* psz, UINT len);
// Not an OLE routine: replaces the text of *pbstr with len bytes from psz, in *pbstr's own block
// when that is large enough (and not much larger), else in a new one. psz may point into *pbstr.
// Returns 0 (and leaves *pbstr alone) when out of memory.
INT OleBstrAssignBytes(BSTR* pbstr, const char* psz, UINT len);
UINT SysStringByteLen(BSTR bstr);

// C++ conveniences.
BSTR OleAllocBstr(std::u16string_view text);  // null only when out of memory
inline std::u16string_view OleBstrView(BSTR b) {
  return b ? std::u16string_view(b, SysStringLen(b)) : std::u16string_view();
}

// ---- flags of the coercion and comparison routines ------------------------------------------
constexpr USHORT VARIANT_NOVALUEPROP = 0x01;
constexpr USHORT VARIANT_ALPHABOOL = 0x02;
constexpr USHORT VARIANT_NOUSEROVERRIDE = 0x04;
constexpr USHORT VARIANT_CALENDAR_HIJRI = 0x08;
constexpr USHORT VARIANT_LOCALBOOL = 0x10;
constexpr USHORT VARIANT_CALENDAR_THAI = 0x20;
constexpr USHORT VARIANT_CALENDAR_GREGORIAN = 0x40;
constexpr USHORT VARIANT_USE_NLS = 0x80;

constexpr LCID LOCALE_SYSTEM_DEFAULT = 0x0800;
constexpr LCID LOCALE_USER_DEFAULT = 0x0400;
constexpr LCID LOCALE_NEUTRAL = 0x0000;
constexpr LCID LOCALE_INVARIANT = 0x007F;

constexpr HRESULT VARCMP_LT = 0;
constexpr HRESULT VARCMP_EQ = 1;
constexpr HRESULT VARCMP_GT = 2;
constexpr HRESULT VARCMP_NULL = 3;
constexpr ULONG NORM_IGNORECASE = 0x00000001;

// ---- lifetime and copy --------------------------------------------------------------------
void VariantInit(VARIANTARG* pvarg);
// Releases a BSTR, interface or array the variant owns (a by-reference variant owns nothing)
// and leaves it VT_EMPTY. DISP_E_BADVARTYPE for an unknown kind (the variant is untouched).
HRESULT VariantClear(VARIANTARG* pvarg);
// Deep copy: BSTRs and arrays duplicated, interfaces AddRef'd; by-reference copied as such.
HRESULT VariantCopy(VARIANTARG* pvargDest, const VARIANTARG* pvargSrc);
// As VariantCopy, but a by-reference source is followed and its value copied.
HRESULT VariantCopyInd(VARIANT* pvarDest, const VARIANTARG* pvargSrc);

// ---- coercion -------------------------------------------------------------------------------
// The standard coercion. pvargDest may equal pvarSrc. A VT_DISPATCH source is asked for its
// default property (DISPID_VALUE, DISPATCH_PROPERTYGET) unless VARIANT_NOVALUEPROP is given.
HRESULT VariantChangeType(VARIANTARG* pvargDest, const VARIANTARG* pvarSrc, USHORT wFlags,
                          VARTYPE vt);
HRESULT VariantChangeTypeEx(VARIANTARG* pvargDest, const VARIANTARG* pvarSrc, LCID lcid,
                            USHORT wFlags, VARTYPE vt);

// ---- the general arithmetic, logic and comparison ------------------------------------------
HRESULT VarAdd(LPVARIANT pvarLeft, LPVARIANT pvarRight, LPVARIANT pvarResult);
HRESULT VarSub(LPVARIANT pvarLeft, LPVARIANT pvarRight, LPVARIANT pvarResult);
HRESULT VarMul(LPVARIANT pvarLeft, LPVARIANT pvarRight, LPVARIANT pvarResult);
HRESULT VarDiv(LPVARIANT pvarLeft, LPVARIANT pvarRight, LPVARIANT pvarResult);
HRESULT VarIdiv(LPVARIANT pvarLeft, LPVARIANT pvarRight, LPVARIANT pvarResult);
HRESULT VarMod(LPVARIANT pvarLeft, LPVARIANT pvarRight, LPVARIANT pvarResult);
HRESULT VarPow(LPVARIANT pvarLeft, LPVARIANT pvarRight, LPVARIANT pvarResult);
HRESULT VarAnd(LPVARIANT pvarLeft, LPVARIANT pvarRight, LPVARIANT pvarResult);
HRESULT VarOr(LPVARIANT pvarLeft, LPVARIANT pvarRight, LPVARIANT pvarResult);
HRESULT VarXor(LPVARIANT pvarLeft, LPVARIANT pvarRight, LPVARIANT pvarResult);
HRESULT VarEqv(LPVARIANT pvarLeft, LPVARIANT pvarRight, LPVARIANT pvarResult);
HRESULT VarImp(LPVARIANT pvarLeft, LPVARIANT pvarRight, LPVARIANT pvarResult);
HRESULT VarCat(LPVARIANT pvarLeft, LPVARIANT pvarRight, LPVARIANT pvarResult);
HRESULT VarNeg(LPVARIANT pvarIn, LPVARIANT pvarResult);
HRESULT VarNot(LPVARIANT pvarIn, LPVARIANT pvarResult);
HRESULT VarAbs(LPVARIANT pvarIn, LPVARIANT pvarResult);
HRESULT VarFix(LPVARIANT pvarIn, LPVARIANT pvarResult);
HRESULT VarInt(LPVARIANT pvarIn, LPVARIANT pvarResult);
// VARCMP_LT/EQ/GT/NULL, or a failure HRESULT. dwFlags: NORM_IGNORECASE for strings.
HRESULT VarCmp(LPVARIANT pvarLeft, LPVARIANT pvarRight, LCID lcid, ULONG dwFlags);
