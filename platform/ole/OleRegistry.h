// COM start-up and the process-wide class registry and running-object table.
#pragma once

#include <functional>
#include <string_view>

#include "platform/ole/OleUnknown.h"

constexpr DWORD CLSCTX_INPROC_SERVER = 0x1;
constexpr DWORD CLSCTX_INPROC_HANDLER = 0x2;
constexpr DWORD CLSCTX_LOCAL_SERVER = 0x4;
constexpr DWORD CLSCTX_REMOTE_SERVER = 0x10;
constexpr DWORD CLSCTX_INPROC = CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER;
constexpr DWORD CLSCTX_SERVER = CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER;
constexpr DWORD CLSCTX_ALL =
    CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER;

constexpr DWORD COINIT_MULTITHREADED = 0x0;
constexpr DWORD COINIT_APARTMENTTHREADED = 0x2;
constexpr DWORD COINIT_DISABLE_OLE1DDE = 0x4;
constexpr DWORD COINIT_SPEED_OVER_MEMORY = 0x8;

constexpr DWORD ACTIVEOBJECT_STRONG = 0x0;
constexpr DWORD ACTIVEOBJECT_WEAK = 0x1;

// Process-wide count: S_OK for the first call, S_FALSE for the following ones.
HRESULT OleInitialize(LPVOID pvReserved);
void OleUninitialize();
HRESULT CoInitialize(LPVOID pvReserved);
HRESULT CoInitializeEx(LPVOID pvReserved, DWORD dwCoInit);
void CoUninitialize();

// Memory handed across the interfaces (ProgIDFromCLSID's result).
LPVOID CoTaskMemAlloc(size_t cb);
void CoTaskMemFree(LPVOID pv);

// Creates an object of the class and returns the interface `iid` (one reference) in *ppv.
using OleClassFactoryFn = std::function<HRESULT(REFIID iid, void** ppv)>;

// Registers (or replaces) a class under its ProgID. E_INVALIDARG for an empty ProgID or an
// empty factory. The IClassFactory form keeps one reference until the class is unregistered.
HRESULT OleRegisterClass(std::u16string_view progId, REFCLSID clsid, OleClassFactoryFn factory);
HRESULT OleRegisterClass(std::u16string_view progId, REFCLSID clsid, IClassFactory* factory);
// REGDB_E_CLASSNOTREG when the class is not registered.
HRESULT OleUnregisterClass(REFCLSID clsid);

// ProgIDs compare without regard to case; unknown gives CO_E_CLASSSTRING. The braced CLSID
// text is accepted as well.
HRESULT CLSIDFromProgID(LPCOLESTR lpszProgID, LPCLSID lpclsid);
// *lplpszProgID is allocated with CoTaskMemAlloc; REGDB_E_CLASSNOTREG when unknown.
HRESULT ProgIDFromCLSID(REFCLSID clsid, LPOLESTR* lplpszProgID);
HRESULT CoGetClassObject(REFCLSID rclsid, DWORD dwClsContext, LPVOID pvReserved, REFIID riid,
                         LPVOID* ppv);
// REGDB_E_CLASSNOTREG when unregistered; CLASS_E_NOAGGREGATION when pUnkOuter is given.
HRESULT CoCreateInstance(REFCLSID rclsid, LPUNKNOWN pUnkOuter, DWORD dwClsContext, REFIID riid,
                         LPVOID* ppv);

// The running-object table: one entry per cookie; a strong registration holds a reference.
HRESULT RegisterActiveObject(IUnknown* punk, REFCLSID rclsid, DWORD dwFlags, DWORD* pdwRegister);
HRESULT RevokeActiveObject(DWORD dwRegister, LPVOID pvReserved);
// MK_E_UNAVAILABLE when no object of the class is registered.
HRESULT GetActiveObject(REFCLSID rclsid, LPVOID pvReserved, IUnknown** ppunk);
