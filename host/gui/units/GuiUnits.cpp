// Start-up registration of the visual units.
#include <mutex>

#include "engine/wrappers/units/QelUnits.h"
#include "host/gui/units/ActnWrappers.h"
#include "host/gui/units/ExtWrappers.h"
#include "host/gui/units/ListActns_QelSW.h"
#include "host/gui/units/Printers_QelSW.h"
#include "host/gui/units/QelGuiUnits.h"

void QelRegisterGuiUnits() {
  static std::once_flag once;
  std::call_once(once, [] {
    QelRegisterAllUnits();
    Graphics_sw::RegisterWrappers();
    Actions_sw::RegisterWrappers();
    ActnList_sw::RegisterWrappers();
    Menus_sw::RegisterWrappers();
    Controls_sw::RegisterWrappers();
    Printers_sw::RegisterWrappers();
    Forms_sw::RegisterWrappers();
    StdCtrls_sw::RegisterWrappers();
    ImgList_sw::RegisterWrappers();
    ToolWin_sw::RegisterWrappers();
    GraphUtil_sw::RegisterWrappers();
    ExtCtrls_sw::RegisterWrappers();
    ListActns_sw::RegisterWrappers();
    ComCtrls_sw::RegisterWrappers();
    Dialogs_sw::RegisterWrappers();
  });
}
