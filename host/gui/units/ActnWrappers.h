// Wrapper declarations of the actions and the links of their clients.
#pragma once

#include "host/gui/ActnList.h"
#include "host/gui/units/GuiWrappers.h"

// Classes
QEL_GUI_CLASS(TBasicActionLink, TObject);
QEL_GUI_CLASS(TBasicAction, TComponent);
// Actions
QEL_GUI_CLASS(TContainedActionLink, TBasicActionLink);
QEL_GUI_CLASS(TContainedAction, TBasicAction);
QEL_GUI_CLASS(TContainedActionList, TComponent);
QEL_GUI_CLASS(TActionListEnumerator, TObject);
QEL_GUI_CLASS(TCustomShortCutList, TStringList);
QEL_EXCEPTION_WRAPPER(EActionError, Exception);
QEL_GUI_ENUM(TActionListState);
using TActionEvent_sw = TQelEventWrapperOf<TActionEvent>;
struct TContainedActionClass_sw : TQelMetaclassWrapperOf<TContainedAction> {
  static constexpr std::u16string_view TypeName = u"TContainedActionClass";
};
// ActnList
QEL_GUI_CLASS(TCustomActionList, TContainedActionList);
QEL_GUI_CLASS(TActionList, TCustomActionList);
QEL_GUI_CLASS(TShortCutList, TCustomShortCutList);
QEL_GUI_CLASS(TCustomAction, TContainedAction);
QEL_GUI_CLASS(TAction, TCustomAction);
QEL_GUI_CLASS(TActionLink, TContainedActionLink);
struct TActionClass_sw : TQelMetaclassWrapperOf<TCustomAction> {
  static constexpr std::u16string_view TypeName = u"TActionClass";
};
// The clients' links (Controls, Menus)
QEL_GUI_CLASS(TControlActionLink, TActionLink);
QEL_GUI_CLASS(TMenuActionLink, TActionLink);

QEL_GUI_UNIT(Actions);
QEL_GUI_UNIT(ActnList);
