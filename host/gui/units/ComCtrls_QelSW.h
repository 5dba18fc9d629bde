// Wrapper declarations of the "ComCtrls" unit's tab, tree, position, date and rich-edit
// controls (shared by the unit's registration sources).
#pragma once

#include "host/gui/units/GuiWrappers.h"

QEL_GUI_CLASS(TCustomTabControl, TWinControl);
QEL_GUI_CLASS(TTabControl, TCustomTabControl);
QEL_GUI_CLASS(TTabSheet, TWinControl);
QEL_GUI_CLASS(TPageControl, TCustomTabControl);
QEL_GUI_CLASS(TTreeNode, TPersistent);
QEL_GUI_CLASS(TTreeNodes, TPersistent);
QEL_GUI_CLASS(TCustomTreeView, TWinControl);
QEL_GUI_CLASS(TTreeView, TCustomTreeView);
QEL_GUI_CLASS(TProgressBar, TWinControl);
QEL_GUI_CLASS(TTrackBar, TWinControl);
QEL_GUI_CLASS(TCustomUpDown, TWinControl);
QEL_GUI_CLASS(TUpDown, TCustomUpDown);
QEL_GUI_CLASS(TCustomHotKey, TWinControl);
QEL_GUI_CLASS(THotKey, TCustomHotKey);
QEL_GUI_CLASS(TCommonCalendar, TWinControl);
QEL_GUI_CLASS(TDateTimePicker, TCommonCalendar);
QEL_GUI_CLASS(TMonthCalendar, TCommonCalendar);
QEL_GUI_CLASS(TRichEditStrings, TStrings);
QEL_GUI_CLASS(TTextAttributes, TPersistent);
QEL_GUI_CLASS(TParaAttributes, TPersistent);
QEL_GUI_CLASS(TCustomRichEdit, TCustomMemo);
QEL_GUI_CLASS(TRichEdit, TCustomRichEdit);
QEL_GUI_CLASS(THeaderSection, TCollectionItem);
QEL_GUI_CLASS(THeaderSections, TCollection);
QEL_GUI_CLASS(TCustomHeaderControl, TWinControl);
QEL_GUI_CLASS(THeaderControl, TCustomHeaderControl);
QEL_EXCEPTION_WRAPPER(ETreeViewError, Exception);
QEL_EXCEPTION_WRAPPER(ECommonCalendarError, Exception);
QEL_EXCEPTION_WRAPPER(EMonthCalError, ECommonCalendarError);
QEL_EXCEPTION_WRAPPER(EDateTimeError, ECommonCalendarError);
using TTabChangingEvent_sw = TQelEventWrapperOf<TTabChangingEvent>;
using TTVChangedEvent_sw = TQelEventWrapperOf<TTVChangedEvent>;
using TTVChangingEvent_sw = TQelEventWrapperOf<TTVChangingEvent>;
using TTVExpandingEvent_sw = TQelEventWrapperOf<TTVExpandingEvent>;
using TTVCollapsingEvent_sw = TQelEventWrapperOf<TTVCollapsingEvent>;
using TTVExpandedEvent_sw = TQelEventWrapperOf<TTVExpandedEvent>;
using TTVEditingEvent_sw = TQelEventWrapperOf<TTVEditingEvent>;
using TTVEditedEvent_sw = TQelEventWrapperOf<TTVEditedEvent>;
using TTVCompareEvent_sw = TQelEventWrapperOf<TTVCompareEvent>;
using TUDClickEvent_sw = TQelEventWrapperOf<TUDClickEvent>;
using TUDChangingEvent_sw = TQelEventWrapperOf<TUDChangingEvent>;
using TSectionNotifyEvent_sw = TQelEventWrapperOf<TSectionNotifyEvent>;

// The classes and events, in the unit's order.
#define QEL_COMCTRLS_MORE_CLASSES                                                             \
  TCustomTabControl_sw, TTabControl_sw, TTabSheet_sw, TPageControl_sw, TTreeNode_sw,          \
      TTreeNodes_sw, TCustomTreeView_sw, TTreeView_sw, TProgressBar_sw, TTrackBar_sw,         \
      TCustomUpDown_sw, TUpDown_sw, TCustomHotKey_sw, THotKey_sw, TCommonCalendar_sw,         \
      TDateTimePicker_sw, TMonthCalendar_sw, TTextAttributes_sw, TParaAttributes_sw,          \
      TCustomRichEdit_sw, TRichEdit_sw, THeaderSection_sw, THeaderSections_sw,                \
      TCustomHeaderControl_sw, THeaderControl_sw, ETreeViewError_sw, ECommonCalendarError_sw, \
      EMonthCalError_sw, EDateTimeError_sw
// Found for a rich edit's lines, but no type of the unit's own list.
#define QEL_COMCTRLS_HIDDEN_CLASSES TRichEditStrings_sw
#define QEL_COMCTRLS_MORE_EVENTS                                                         \
  TTabChangingEvent_sw, TTVChangedEvent_sw, TTVChangingEvent_sw, TTVExpandingEvent_sw,   \
      TTVCollapsingEvent_sw, TTVExpandedEvent_sw, TTVEditingEvent_sw, TTVEditedEvent_sw, \
      TTVCompareEvent_sw, TUDClickEvent_sw, TUDChangingEvent_sw, TSectionNotifyEvent_sw
