// The engine "VBScript": the VBScript language compiled onto the engine's own machine.
#pragma once

void QelRegisterVBScriptEngine();
