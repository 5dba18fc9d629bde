// The OLE side of the bridge: what the common part's own files share. Interpreter-side files
// never include this.
#pragma once

#include "engines/common/QelBridge.h"
#include "platform/ole/OleAuto.h"

inline VARIANT& QelBVar(TQelBValue& AValue) { return *static_cast<VARIANT*>(AValue.Raw16()); }
inline const VARIANT& QelBVar(const TQelBValue& AValue) { return *static_cast<const VARIANT*>(AValue.Raw16()); }
// Borrowed arguments: a VARIANT array read as value slots (never cleared through them).
inline TQelBValue* QelBSlots(VARIANT* AValues) { return reinterpret_cast<TQelBValue*>(AValues); }
inline TQelBObject* QelBObj(IDispatch* ADisp) { return reinterpret_cast<TQelBObject*>(ADisp); }
inline IDispatch* QelBDisp(TQelBObject* AObject) { return reinterpret_cast<IDispatch*>(AObject); }

void QelBAppendUtf8(std::string& AText, std::u16string_view AWide);
