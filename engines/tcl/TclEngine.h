// The engine "TclScript" (Tcl 8.6).
#pragma once

void QelRegisterTclEngine();
