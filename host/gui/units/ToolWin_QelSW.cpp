// The "ToolWin" unit wrapper: tool windows and their dock form.
#include "host/gui/units/ExtWrappers.h"

void TToolWindow_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TToolWindow> M(AData);
  M.Constructor();
  M.Property<&TToolWindow::GetEdgeBorders, &TToolWindow::SetEdgeBorders>(u"EdgeBorders");
  M.Property<&TToolWindow::GetEdgeInner, &TToolWindow::SetEdgeInner>(u"EdgeInner");
  M.Property<&TToolWindow::GetEdgeOuter, &TToolWindow::SetEdgeOuter>(u"EdgeOuter");
  M.Property<&TToolWindow::GetCanvas>(u"Canvas");
}

void TToolDockForm_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TToolDockForm>(AData).Constructor();
}

void ToolWin_sw::RegisterMembers(TQelUnitWrapperData& AData) {
  TQelUnitMembers M(AData);
  QelAddTypes<TToolWindow_sw, TToolDockForm_sw>(M);
}

void ToolWin_sw::RegisterWrappers() {
  RegisterUnitWrapper(QelWrapperClass<ToolWin_sw>());
  QelRegisterClassWrappers<TToolWindow_sw, TToolDockForm_sw>();
}
