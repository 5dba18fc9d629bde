// The Active Scripting interfaces by their published names, vtable orders, constants and
// identifiers: a host drives any script engine through IActiveScript and IActiveScriptParse and
// answers it through IActiveScriptSite; engines are found in the OLE class registry by their
// engine name (ProgID).
//
// Contracts the engines of this project keep (and the runner relies on):
// - InitNew, then SetScriptSite, leave the engine SCRIPTSTATE_INITIALIZED. ParseScriptText of
//   global code in that state checks its syntax at once and runs it when the engine is set to
//   SCRIPTSTATE_STARTED; once started, ParseScriptText runs the text immediately.
//   SCRIPTTEXT_ISEXPRESSION evaluates an expression into pvarResult.
// - AddNamedItem asks the site's GetItemInfo for the item's object; SCRIPTITEM_GLOBALMEMBERS
//   makes the object's members global names of the script.
// - Errors of the script (syntax or runtime) are handed to IActiveScriptSite::OnScriptError
//   before the failing call returns SCRIPT_E_REPORTED (ParseScriptText, SetScriptState) or
//   DISP_E_EXCEPTION (the script dispatch's Invoke). GetSourcePosition gives the line counted
//   from 0 and the character position in the line counted from 1.
// - Close may be called from any thread: a script running on another thread is stopped with
//   "Script execution has been aborted." and Close returns once it has left the engine.
#pragma once

#include <cstdint>

#include "platform/ole/OleUnknown.h"
#include "platform/ole/OleVariant.h"

using HWND = void*;
using DWORD_PTR = uintptr_t;

enum SCRIPTSTATE : int32_t {
  SCRIPTSTATE_UNINITIALIZED = 0,
  SCRIPTSTATE_STARTED = 1,
  SCRIPTSTATE_CONNECTED = 2,
  SCRIPTSTATE_DISCONNECTED = 3,
  SCRIPTSTATE_CLOSED = 4,
  SCRIPTSTATE_INITIALIZED = 5,
};

enum SCRIPTTHREADSTATE : int32_t {
  SCRIPTTHREADSTATE_NOTINSCRIPT = 0,
  SCRIPTTHREADSTATE_RUNNING = 1,
};

using SCRIPTTHREADID = DWORD;
constexpr SCRIPTTHREADID SCRIPTTHREADID_CURRENT = static_cast<SCRIPTTHREADID>(-1);
constexpr SCRIPTTHREADID SCRIPTTHREADID_BASE = static_cast<SCRIPTTHREADID>(-2);
constexpr SCRIPTTHREADID SCRIPTTHREADID_ALL = static_cast<SCRIPTTHREADID>(-3);

constexpr DWORD SCRIPTITEM_ISVISIBLE = 0x00000002;
constexpr DWORD SCRIPTITEM_ISSOURCE = 0x00000004;
constexpr DWORD SCRIPTITEM_GLOBALMEMBERS = 0x00000008;
constexpr DWORD SCRIPTITEM_ISPERSISTENT = 0x00000040;
constexpr DWORD SCRIPTITEM_CODEONLY = 0x00000200;
constexpr DWORD SCRIPTITEM_NOCODE = 0x00000400;

constexpr DWORD SCRIPTTEXT_DELAYEXECUTION = 0x00000001;
constexpr DWORD SCRIPTTEXT_ISVISIBLE = 0x00000002;
constexpr DWORD SCRIPTTEXT_ISEXPRESSION = 0x00000020;
constexpr DWORD SCRIPTTEXT_ISPERSISTENT = 0x00000040;
constexpr DWORD SCRIPTTEXT_HOSTMANAGESSOURCE = 0x00000080;

constexpr DWORD SCRIPTINFO_IUNKNOWN = 0x00000001;
constexpr DWORD SCRIPTINFO_ITYPEINFO = 0x00000002;

constexpr DWORD SCRIPTINTERRUPT_DEBUG = 0x00000001;
constexpr DWORD SCRIPTINTERRUPT_RAISEEXCEPTION = 0x00000002;

constexpr HRESULT SCRIPT_E_RECORDED = hr32(0x86664004);
constexpr HRESULT SCRIPT_E_REPORTED = hr32(0x80020101);
constexpr HRESULT OLESCRIPT_E_SYNTAX = hr32(0x80020101);

// {BB1A2AE1-A4F9-11CF-8F20-00805F2CD064}
inline constexpr IID IID_IActiveScript = {0xBB1A2AE1, 0xA4F9, 0x11CF, {0x8F, 0x20, 0x00, 0x80, 0x5F, 0x2C, 0xD0, 0x64}};
// {BB1A2AE2-A4F9-11CF-8F20-00805F2CD064}
inline constexpr IID IID_IActiveScriptParse = {0xBB1A2AE2, 0xA4F9, 0x11CF, {0x8F, 0x20, 0x00, 0x80, 0x5F, 0x2C, 0xD0, 0x64}};
// {DB01A1E3-A42B-11CF-8F20-00805F2CD064}
inline constexpr IID IID_IActiveScriptSite = {0xDB01A1E3, 0xA42B, 0x11CF, {0x8F, 0x20, 0x00, 0x80, 0x5F, 0x2C, 0xD0, 0x64}};
// {D10F6761-83E9-11CF-8F20-00805F2CD064}
inline constexpr IID IID_IActiveScriptSiteWindow = {0xD10F6761, 0x83E9, 0x11CF, {0x8F, 0x20, 0x00, 0x80, 0x5F, 0x2C, 0xD0, 0x64}};
// {EAE1BA61-A4ED-11CF-8F20-00805F2CD064}
inline constexpr IID IID_IActiveScriptError = {0xEAE1BA61, 0xA4ED, 0x11CF, {0x8F, 0x20, 0x00, 0x80, 0x5F, 0x2C, 0xD0, 0x64}};

struct IActiveScriptError : IUnknown {
  virtual HRESULT GetExceptionInfo(EXCEPINFO* pexcepinfo) = 0;
  virtual HRESULT GetSourcePosition(DWORD* pdwSourceContext, ULONG* pulLineNumber, LONG* plCharacterPosition) = 0;
  virtual HRESULT GetSourceLineText(BSTR* pbstrSourceLine) = 0;
};

struct IActiveScriptSite : IUnknown {
  virtual HRESULT GetLCID(LCID* plcid) = 0;
  virtual HRESULT GetItemInfo(LPCOLESTR pstrName, DWORD dwReturnMask, IUnknown** ppiunkItem, ITypeInfo** ppti) = 0;
  virtual HRESULT GetDocVersionString(BSTR* pbstrVersion) = 0;
  virtual HRESULT OnScriptTerminate(const VARIANT* pvarResult, const EXCEPINFO* pexcepinfo) = 0;
  virtual HRESULT OnStateChange(SCRIPTSTATE ssScriptState) = 0;
  virtual HRESULT OnScriptError(IActiveScriptError* pscripterror) = 0;
  virtual HRESULT OnEnterScript() = 0;
  virtual HRESULT OnLeaveScript() = 0;
};

struct IActiveScriptSiteWindow : IUnknown {
  virtual HRESULT GetWindow(HWND* phwnd) = 0;
  virtual HRESULT EnableModeless(BOOL fEnable) = 0;
};

struct IActiveScript : IUnknown {
  virtual HRESULT SetScriptSite(IActiveScriptSite* pass) = 0;
  virtual HRESULT GetScriptSite(REFIID riid, void** ppvObject) = 0;
  virtual HRESULT SetScriptState(SCRIPTSTATE ss) = 0;
  virtual HRESULT GetScriptState(SCRIPTSTATE* pssState) = 0;
  virtual HRESULT Close() = 0;
  virtual HRESULT AddNamedItem(LPCOLESTR pstrName, DWORD dwFlags) = 0;
  virtual HRESULT AddTypeLib(REFGUID rguidTypeLib, DWORD dwMajor, DWORD dwMinor, DWORD dwFlags) = 0;
  virtual HRESULT GetScriptDispatch(LPCOLESTR pstrItemName, IDispatch** ppdisp) = 0;
  virtual HRESULT GetCurrentScriptThreadID(SCRIPTTHREADID* pstidThread) = 0;
  virtual HRESULT GetScriptThreadID(DWORD dwWin32ThreadId, SCRIPTTHREADID* pstidThread) = 0;
  virtual HRESULT GetScriptThreadState(SCRIPTTHREADID stidThread, SCRIPTTHREADSTATE* pstsState) = 0;
  virtual HRESULT InterruptScriptThread(SCRIPTTHREADID stidThread, const EXCEPINFO* pexcepinfo, DWORD dwFlags) = 0;
  virtual HRESULT Clone(IActiveScript** ppscript) = 0;
};

struct IActiveScriptParse : IUnknown {
  virtual HRESULT InitNew() = 0;
  virtual HRESULT AddScriptlet(LPCOLESTR pstrDefaultName, LPCOLESTR pstrCode, LPCOLESTR pstrItemName,
                               LPCOLESTR pstrSubItemName, LPCOLESTR pstrEventName, LPCOLESTR pstrDelimiter,
                               DWORD_PTR dwSourceContextCookie, ULONG ulStartingLineNumber, DWORD dwFlags,
                               BSTR* pbstrName, EXCEPINFO* pexcepinfo) = 0;
  virtual HRESULT ParseScriptText(LPCOLESTR pstrCode, LPCOLESTR pstrItemName, IUnknown* punkContext,
                                  LPCOLESTR pstrDelimiter, DWORD_PTR dwSourceContextCookie,
                                  ULONG ulStartingLineNumber, DWORD dwFlags, VARIANT* pvarResult,
                                  EXCEPINFO* pexcepinfo) = 0;
};
