// The embedded script engines: each registers in the OLE class registry under its engine name,
// where the script control's Active Scripting runner finds it.
#pragma once

// Registers every engine built in (once; later calls do nothing). Programs call it at start-up,
// before the first script control of an Active Scripting language is prepared.
void QelRegisterScriptEngines();
