// The wrappers of the visual host units: Graphics, Controls, Forms, StdCtrls, ExtCtrls.
#pragma once

// Registers the visual units, their class and event wrappers; they land in the fixed unit
// order among the others. Programs that run scripts with forms call it once at start-up,
// after QelRegisterAllUnits (a second call does nothing).
void QelRegisterGuiUnits();
