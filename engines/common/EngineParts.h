// The engine's helper objects (EngineDispatch.cpp).
#pragma once

#include "engines/common/Engine.h"

// The script's globals as an IDispatch (one reference; it keeps the engine alive).
IDispatch* QelNewScriptDispatch(TQelScriptEngine* AEngine);
// The error handed to the site (one reference).
IActiveScriptError* QelNewScriptError(const TQelBScriptError& AError, DWORD_PTR ACookie);
void QelFillExcepInfo(const TQelBScriptError& AError, EXCEPINFO& AInfo);
