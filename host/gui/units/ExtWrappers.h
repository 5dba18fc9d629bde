// Wrapper declarations of the later ExtCtrls classes, ToolWin and GraphUtil.
#pragma once

#include "host/gui/GraphUtil.h"
#include "host/gui/ToolWin.h"
#include "host/gui/units/GuiWrappers.h"

// ExtCtrls
QEL_GUI_CLASS(TCustomRadioGroup, TCustomGroupBox);
QEL_GUI_CLASS(TRadioGroup, TCustomRadioGroup);
QEL_GUI_CLASS(TBoundLabel, TCustomLabel);
QEL_GUI_CLASS(TCustomLabeledEdit, TCustomEdit);
QEL_GUI_CLASS(TLabeledEdit, TCustomLabeledEdit);
QEL_GUI_CLASS(TCustomColorBox, TCustomComboBox);
QEL_GUI_CLASS(TColorBox, TCustomColorBox);
QEL_GUI_CLASS(TCustomColorListBox, TCustomListBox);
QEL_GUI_CLASS(TColorListBox, TCustomColorListBox);
QEL_GUI_CLASS(TCustomFlowPanel, TCustomPanel);
QEL_GUI_CLASS(TFlowPanel, TCustomFlowPanel);
QEL_GUI_CLASS(TCellItem, TCollectionItem);
QEL_GUI_CLASS(TRowItem, TCellItem);
QEL_GUI_CLASS(TColumnItem, TCellItem);
QEL_GUI_CLASS(TCellCollection, TOwnedCollection);
QEL_GUI_CLASS(TRowCollection, TCellCollection);
QEL_GUI_CLASS(TColumnCollection, TCellCollection);
QEL_GUI_CLASS(TControlItem, TCollectionItem);
QEL_GUI_CLASS(TControlCollection, TOwnedCollection);
QEL_GUI_CLASS(TCustomGridPanel, TCustomPanel);
QEL_GUI_CLASS(TGridPanel, TCustomGridPanel);
QEL_EXCEPTION_WRAPPER(EGridPanelException, Exception);
QEL_GUI_CLASS(TPage, TCustomControl);
QEL_GUI_CLASS(TNotebook, TCustomControl);
QEL_GUI_CLASS(TCustomLinkLabel, TWinControl);
QEL_GUI_CLASS(TLinkLabel, TCustomLinkLabel);
QEL_GUI_CLASS(TEditButton, TPersistent);
QEL_GUI_CLASS(TCustomButtonedEdit, TCustomEdit);
QEL_GUI_CLASS(TButtonedEdit, TCustomButtonedEdit);
QEL_GUI_CLASS(TCustomTrayIcon, TComponent);
QEL_GUI_CLASS(TTrayIcon, TCustomTrayIcon);
QEL_GUI_CLASS(TCategoryPanelSurface, TCustomPanel);
QEL_GUI_CLASS(TCustomCategoryPanel, TCustomPanel);
QEL_GUI_CLASS(TCategoryPanel, TCustomCategoryPanel);
QEL_GUI_CLASS(TCustomCategoryPanelGroup, TScrollingWinControl);
QEL_GUI_CLASS(TCategoryPanelGroup, TCustomCategoryPanelGroup);
QEL_GUI_CLASS(TCustomControlBar, TCustomControl);
QEL_GUI_CLASS(TControlBar, TCustomControlBar);
using TBandMoveEvent_sw = TQelEventWrapperOf<TBandMoveEvent>;
QEL_GUI_CLASS(THeader, TCustomControl);
using TSectionEvent_sw = TQelEventWrapperOf<TSectionEvent>;
using TSysLinkEvent_sw = TQelEventWrapperOf<TSysLinkEvent>;
QEL_GUI_ENUM(TColorBoxStyles);
struct TColorBoxStyle_sw : TQelConv<TColorBoxStyle> {
  static constexpr std::u16string_view TypeName = u"TColorBoxStyle";
};
using TGetColorsEvent_sw = TQelEventWrapperOf<TGetColorsEvent>;
using TLBGetColorsEvent_sw = TQelEventWrapperOf<TLBGetColorsEvent>;

// ToolWin
QEL_GUI_CLASS(TToolWindow, TWinControl);
QEL_GUI_CLASS(TToolDockForm, TCustomDockForm);

QEL_GUI_UNIT(ToolWin);
QEL_GUI_UNIT(GraphUtil);

// The ExtCtrls classes registered by ExtCtrlsLists_QelSW and ExtCtrlsPanels_QelSW.
#define QEL_EXTCTRLS_LIST_CLASSES                                                                 \
  TCustomRadioGroup_sw, TRadioGroup_sw, TCustomColorBox_sw, TColorBox_sw, TCustomColorListBox_sw, \
      TColorListBox_sw
#define QEL_EXTCTRLS_PANEL_CLASSES                                                                 \
  TBoundLabel_sw, TCustomLabeledEdit_sw, TLabeledEdit_sw, TCustomFlowPanel_sw, TFlowPanel_sw,      \
      EGridPanelException_sw, TCellItem_sw, TRowItem_sw, TColumnItem_sw, TCellCollection_sw,       \
      TRowCollection_sw, TColumnCollection_sw, TControlItem_sw, TControlCollection_sw,             \
      TCustomGridPanel_sw, TGridPanel_sw, TPage_sw, TNotebook_sw, TCustomLinkLabel_sw,             \
      TLinkLabel_sw, TEditButton_sw, TCustomButtonedEdit_sw, TButtonedEdit_sw, TCustomTrayIcon_sw, \
      TTrayIcon_sw, TCategoryPanelSurface_sw, TCustomCategoryPanel_sw, TCategoryPanel_sw,          \
      TCustomCategoryPanelGroup_sw, TCategoryPanelGroup_sw, TCustomControlBar_sw, TControlBar_sw,  \
      THeader_sw
