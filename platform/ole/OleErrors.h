// HRESULT codes of the automation interfaces with their published values and texts.
#pragma once

#include <string>

#include "platform/ole/OleTypes.h"

constexpr HRESULT MAKE_HRESULT(unsigned sev, unsigned fac, unsigned code) {
  return static_cast<HRESULT>((static_cast<uint32_t>(sev) << 31) |
                              (static_cast<uint32_t>(fac) << 16) |
                              static_cast<uint32_t>(code & 0xFFFF));
}
constexpr HRESULT MAKE_SCODE(unsigned sev, unsigned fac, unsigned code) {
  return MAKE_HRESULT(sev, fac, code);
}
constexpr unsigned HRESULT_CODE(HRESULT hr) { return static_cast<uint32_t>(hr) & 0xFFFF; }
constexpr unsigned SCODE_CODE(SCODE sc) { return HRESULT_CODE(sc); }
constexpr unsigned HRESULT_FACILITY(HRESULT hr) {
  return (static_cast<uint32_t>(hr) >> 16) & 0x1FFF;
}
constexpr unsigned SCODE_FACILITY(SCODE sc) { return HRESULT_FACILITY(sc); }
constexpr unsigned HRESULT_SEVERITY(HRESULT hr) { return (static_cast<uint32_t>(hr) >> 31) & 1; }
constexpr unsigned SCODE_SEVERITY(SCODE sc) { return HRESULT_SEVERITY(sc); }

constexpr unsigned SEVERITY_SUCCESS = 0;
constexpr unsigned SEVERITY_ERROR = 1;
constexpr unsigned FACILITY_NULL = 0;
constexpr unsigned FACILITY_RPC = 1;
constexpr unsigned FACILITY_DISPATCH = 2;
constexpr unsigned FACILITY_STORAGE = 3;
constexpr unsigned FACILITY_ITF = 4;
constexpr unsigned FACILITY_WIN32 = 7;
constexpr unsigned FACILITY_WINDOWS = 8;
constexpr unsigned FACILITY_CONTROL = 10;

constexpr HRESULT HRESULT_FROM_WIN32(unsigned long x) {
  return static_cast<HRESULT>(x) <= 0
             ? static_cast<HRESULT>(x)
             : MAKE_HRESULT(SEVERITY_ERROR, FACILITY_WIN32, static_cast<unsigned>(x));
}

constexpr HRESULT hr32(uint32_t v) { return static_cast<HRESULT>(v); }

constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT NOERROR = 0;

constexpr HRESULT E_NOTIMPL = hr32(0x80004001);
constexpr HRESULT E_NOINTERFACE = hr32(0x80004002);
constexpr HRESULT E_POINTER = hr32(0x80004003);
constexpr HRESULT E_ABORT = hr32(0x80004004);
constexpr HRESULT E_FAIL = hr32(0x80004005);
constexpr HRESULT E_UNEXPECTED = hr32(0x8000FFFF);
constexpr HRESULT E_ACCESSDENIED = hr32(0x80070005);
constexpr HRESULT E_HANDLE = hr32(0x80070006);
constexpr HRESULT E_OUTOFMEMORY = hr32(0x8007000E);
constexpr HRESULT E_INVALIDARG = hr32(0x80070057);

constexpr HRESULT CLASS_E_NOAGGREGATION = hr32(0x80040110);
constexpr HRESULT CLASS_E_CLASSNOTAVAILABLE = hr32(0x80040111);
constexpr HRESULT REGDB_E_READREGDB = hr32(0x80040150);
constexpr HRESULT REGDB_E_CLASSNOTREG = hr32(0x80040154);
constexpr HRESULT MK_E_UNAVAILABLE = hr32(0x800401E3);
constexpr HRESULT CO_E_NOTINITIALIZED = hr32(0x800401F0);
constexpr HRESULT CO_E_ALREADYINITIALIZED = hr32(0x800401F1);
constexpr HRESULT CO_E_CLASSSTRING = hr32(0x800401F3);
constexpr HRESULT RPC_E_CHANGED_MODE = hr32(0x80010106);

constexpr HRESULT DISP_E_UNKNOWNINTERFACE = hr32(0x80020001);
constexpr HRESULT DISP_E_MEMBERNOTFOUND = hr32(0x80020003);
constexpr HRESULT DISP_E_PARAMNOTFOUND = hr32(0x80020004);
constexpr HRESULT DISP_E_TYPEMISMATCH = hr32(0x80020005);
constexpr HRESULT DISP_E_UNKNOWNNAME = hr32(0x80020006);
constexpr HRESULT DISP_E_NONAMEDARGS = hr32(0x80020007);
constexpr HRESULT DISP_E_BADVARTYPE = hr32(0x80020008);
constexpr HRESULT DISP_E_EXCEPTION = hr32(0x80020009);
constexpr HRESULT DISP_E_OVERFLOW = hr32(0x8002000A);
constexpr HRESULT DISP_E_BADINDEX = hr32(0x8002000B);
constexpr HRESULT DISP_E_UNKNOWNLCID = hr32(0x8002000C);
constexpr HRESULT DISP_E_ARRAYISLOCKED = hr32(0x8002000D);
constexpr HRESULT DISP_E_BADPARAMCOUNT = hr32(0x8002000E);
constexpr HRESULT DISP_E_PARAMNOTOPTIONAL = hr32(0x8002000F);
constexpr HRESULT DISP_E_BADCALLEE = hr32(0x80020010);
constexpr HRESULT DISP_E_NOTACOLLECTION = hr32(0x80020011);
constexpr HRESULT DISP_E_DIVBYZERO = hr32(0x80020012);
constexpr HRESULT DISP_E_BUFFERTOOSMALL = hr32(0x80020013);

constexpr HRESULT TYPE_E_BUFFERTOOSMALL = hr32(0x80028016);
constexpr HRESULT TYPE_E_FIELDNOTFOUND = hr32(0x80028017);
constexpr HRESULT TYPE_E_INVDATAREAD = hr32(0x80028018);
constexpr HRESULT TYPE_E_UNSUPFORMAT = hr32(0x80028019);
constexpr HRESULT TYPE_E_REGISTRYACCESS = hr32(0x8002801C);
constexpr HRESULT TYPE_E_LIBNOTREGISTERED = hr32(0x8002801D);
constexpr HRESULT TYPE_E_UNDEFINEDTYPE = hr32(0x80028027);
constexpr HRESULT TYPE_E_QUALIFIEDNAMEDISALLOWED = hr32(0x80028028);
constexpr HRESULT TYPE_E_INVALIDSTATE = hr32(0x80028029);
constexpr HRESULT TYPE_E_WRONGTYPEKIND = hr32(0x8002802A);
constexpr HRESULT TYPE_E_ELEMENTNOTFOUND = hr32(0x8002802B);
constexpr HRESULT TYPE_E_AMBIGUOUSNAME = hr32(0x8002802C);
constexpr HRESULT TYPE_E_NAMECONFLICT = hr32(0x8002802D);
constexpr HRESULT TYPE_E_UNKNOWNLCID = hr32(0x8002802E);
constexpr HRESULT TYPE_E_DLLFUNCTIONNOTFOUND = hr32(0x8002802F);
constexpr HRESULT TYPE_E_BADMODULEKIND = hr32(0x800288BD);
constexpr HRESULT TYPE_E_SIZETOOBIG = hr32(0x800288C5);
constexpr HRESULT TYPE_E_DUPLICATEID = hr32(0x800288C6);
constexpr HRESULT TYPE_E_INVALIDID = hr32(0x800288CF);
constexpr HRESULT TYPE_E_TYPEMISMATCH = hr32(0x80028CA0);
constexpr HRESULT TYPE_E_OUTOFBOUNDS = hr32(0x80028CA1);
constexpr HRESULT TYPE_E_IOERROR = hr32(0x80028CA2);
constexpr HRESULT TYPE_E_CANTCREATETMPFILE = hr32(0x80028CA3);
constexpr HRESULT TYPE_E_CANTLOADLIBRARY = hr32(0x80029C4A);
constexpr HRESULT TYPE_E_INCONSISTENTPROPFUNCS = hr32(0x80029C83);
constexpr HRESULT TYPE_E_CIRCULARTYPE = hr32(0x80029C84);

// The system's English message for a code; codes without a message give
// "Unknown error 0x%08X".
std::u16string OleErrorText(HRESULT hr);
