// Wrapper declarations of the printer unit.
#pragma once

#include "host/gui/Printers.h"
#include "host/gui/units/GuiWrappers.h"

QEL_GUI_CLASS(TPrinter, TObject);
QEL_EXCEPTION_WRAPPER(EPrinter, Exception);
QEL_GUI_UNIT(Printers);
