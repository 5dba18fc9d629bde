// The engine "JScript" (Qt's QJSEngine).
#pragma once

void QelRegisterJScriptEngine();
