// Wrapper declarations of the visual units (shared by their registration sources).
#pragma once

#include "engine/wrappers/units/Types_QelSW.h"
#include "engine/wrappers/units/UnitData_QelSW.h"

#include "engine/wrappers/units/Classes_QelSW.h"
#include "host/gui/ComCtrls.h"
#include "host/gui/ExtCtrls.h"
#include "host/gui/ImgList.h"
#include "host/gui/Dialogs.h"
#include "host/gui/DialogsTask.h"
#include "host/gui/Forms.h"
#include "host/gui/Menus.h"
#include "host/gui/StdCtrls.h"

// A class wrapper with its own registration (every class has one, so that none repeats its
// parent's members).
#define QEL_GUI_CLASS(Name, Parent)                                    \
  struct Name##_sw : TQelClassWrapperOf<Name, Parent##_sw> {           \
    static void RegisterMembers(TQelClassWrapperData& AData);          \
  };                                                                   \
  QEL_WRAPS(Name, Name##_sw)
#define QEL_GUI_ENUM(Name)                          \
  struct Name##_sw : TQelEnumWrapperOf<Name> {};    \
  QEL_WRAPS(Name, Name##_sw)
#define QEL_GUI_SET(Name)                                          \
  struct Name##_sw : TQelConv<Name> {                              \
    static constexpr std::u16string_view TypeName = u"" #Name;     \
  }


// Graphics
QEL_GUI_CLASS(TGraphicsObject, TPersistent);
QEL_GUI_CLASS(TFont, TGraphicsObject);
QEL_GUI_CLASS(TPen, TGraphicsObject);
QEL_GUI_CLASS(TBrush, TGraphicsObject);
QEL_GUI_CLASS(TCustomCanvas, TPersistent);
QEL_GUI_CLASS(TCanvas, TCustomCanvas);
QEL_GUI_CLASS(TGraphic, TPersistent);
QEL_GUI_CLASS(TBitmap, TGraphic);
QEL_GUI_CLASS(TImageGraphic, TGraphic);
QEL_GUI_CLASS(TIcon, TImageGraphic);
QEL_GUI_CLASS(TWICImage, TImageGraphic);
QEL_GUI_CLASS(TMetafile, TGraphic);
QEL_GUI_CLASS(TMetafileCanvas, TCanvas);
QEL_GUI_CLASS(TPicture, TPersistent);
QEL_GUI_CLASS(TSharedImage, TObject);
QEL_GUI_CLASS(TBitmapImage, TSharedImage);
QEL_GUI_CLASS(TIconImage, TSharedImage);
QEL_GUI_CLASS(TMetafileImage, TSharedImage);
QEL_EXCEPTION_WRAPPER(EInvalidGraphic, Exception);
QEL_EXCEPTION_WRAPPER(EInvalidGraphicOperation, Exception);
QEL_GUI_ENUM(TAlphaFormat);
QEL_GUI_ENUM(TWICImageFormat);

// Controls
QEL_GUI_CLASS(TSizeConstraints, TPersistent);
QEL_GUI_CLASS(TMargins, TPersistent);
QEL_GUI_CLASS(TPadding, TMargins);
QEL_GUI_CLASS(TControl, TComponent);
QEL_GUI_CLASS(TWinControl, TControl);
QEL_GUI_CLASS(TControlCanvas, TCanvas);
QEL_GUI_CLASS(TGraphicControl, TControl);
QEL_GUI_CLASS(TCustomControl, TWinControl);
QEL_GUI_CLASS(TCustomListControl, TWinControl);
QEL_GUI_CLASS(TCustomMultiSelectListControl, TCustomListControl);
QEL_GUI_CLASS(TMouse, TObject);
using TMouseEvent_sw = TQelEventWrapperOf<TMouseEvent>;
using TMouseMoveEvent_sw = TQelEventWrapperOf<TMouseMoveEvent>;
using TKeyEvent_sw = TQelEventWrapperOf<TKeyEvent>;
using TKeyPressEvent_sw = TQelEventWrapperOf<TKeyPressEvent>;
using TCanResizeEvent_sw = TQelEventWrapperOf<TCanResizeEvent>;
using TMouseWheelUpDownEvent_sw = TQelEventWrapperOf<TMouseWheelUpDownEvent>;
using TMouseWheelEvent_sw = TQelEventWrapperOf<TMouseWheelEvent>;
struct TControlClass_sw : TQelMetaclassWrapperOf<TControl> {
  static constexpr std::u16string_view TypeName = u"TControlClass";
};
struct TWinControlClass_sw : TQelMetaclassWrapperOf<TWinControl> {
  static constexpr std::u16string_view TypeName = u"TWinControlClass";
};

// Forms
QEL_GUI_CLASS(TControlScrollBar, TPersistent);
QEL_GUI_CLASS(TScrollingWinControl, TWinControl);
QEL_GUI_CLASS(TScrollBox, TScrollingWinControl);
QEL_GUI_CLASS(TCustomFrame, TScrollingWinControl);
QEL_GUI_CLASS(TFrame, TCustomFrame);
QEL_GUI_CLASS(TGlassFrame, TPersistent);
QEL_GUI_CLASS(TCustomForm, TScrollingWinControl);
QEL_GUI_CLASS(TForm, TCustomForm);
QEL_GUI_CLASS(TCustomDockForm, TCustomForm);
QEL_GUI_CLASS(TCustomActiveForm, TCustomForm);
QEL_GUI_CLASS(TMonitor, TObject);
QEL_GUI_CLASS(TApplication, TComponent);
QEL_GUI_CLASS(TScreen, TComponent);
using TCloseEvent_sw = TQelEventWrapperOf<TCloseEvent>;
using TCloseQueryEvent_sw = TQelEventWrapperOf<TCloseQueryEvent>;
using TExceptionEvent_sw = TQelEventWrapperOf<TExceptionEvent>;
using TIdleEvent_sw = TQelEventWrapperOf<TIdleEvent>;
struct TFormClass_sw : TQelMetaclassWrapperOf<TCustomForm> {
  static constexpr std::u16string_view TypeName = u"TFormClass";
};
struct TCustomFormClass_sw : TQelMetaclassWrapperOf<TCustomForm> {
  static constexpr std::u16string_view TypeName = u"TCustomFormClass";
};

// StdCtrls
QEL_GUI_CLASS(TCustomLabel, TGraphicControl);
QEL_GUI_CLASS(TLabel, TCustomLabel);
QEL_GUI_CLASS(TCustomEdit, TWinControl);
QEL_GUI_CLASS(TEdit, TCustomEdit);
QEL_GUI_CLASS(TCustomMemo, TCustomEdit);
QEL_GUI_CLASS(TMemo, TCustomMemo);
QEL_GUI_CLASS(TButtonControl, TWinControl);
QEL_GUI_CLASS(TCustomButton, TButtonControl);
QEL_GUI_CLASS(TButton, TCustomButton);
QEL_GUI_CLASS(TCustomCheckBox, TButtonControl);
QEL_GUI_CLASS(TCheckBox, TCustomCheckBox);
QEL_GUI_CLASS(TRadioButton, TButtonControl);
QEL_GUI_CLASS(TCustomListBox, TCustomMultiSelectListControl);
QEL_GUI_CLASS(TListBox, TCustomListBox);
QEL_GUI_CLASS(TCustomCombo, TCustomListControl);
QEL_GUI_CLASS(TCustomComboBox, TCustomCombo);
QEL_GUI_CLASS(TComboBox, TCustomComboBox);
QEL_GUI_CLASS(TCustomGroupBox, TCustomControl);
QEL_GUI_CLASS(TGroupBox, TCustomGroupBox);
QEL_GUI_CLASS(TScrollBar, TWinControl);
QEL_GUI_CLASS(TCustomStaticText, TWinControl);
QEL_GUI_CLASS(TStaticText, TCustomStaticText);
QEL_GUI_ENUM(TStaticBorderStyle);
using TScrollEvent_sw = TQelEventWrapperOf<TScrollEvent>;

// ExtCtrls
QEL_GUI_CLASS(TCustomPanel, TCustomControl);
QEL_GUI_CLASS(TPanel, TCustomPanel);
QEL_GUI_CLASS(TTimer, TComponent);
QEL_GUI_CLASS(TPaintBox, TGraphicControl);
QEL_GUI_CLASS(TImage, TGraphicControl);
QEL_GUI_CLASS(TShape, TGraphicControl);
QEL_GUI_CLASS(TBevel, TGraphicControl);
QEL_GUI_CLASS(TSplitter, TGraphicControl);
using TCanResizeSplitEvent_sw = TQelEventWrapperOf<TCanResizeSplitEvent>;

// ImgList
QEL_GUI_CLASS(TChangeLink, TObject);
QEL_GUI_CLASS(TCustomImageList, TComponent);
QEL_GUI_CLASS(TImageList, TCustomImageList);

// ComCtrls
QEL_GUI_CLASS(TListColumn, TCollectionItem);
QEL_GUI_CLASS(TListColumns, TCollection);
QEL_GUI_CLASS(TListItem, TPersistent);
QEL_GUI_CLASS(TListItems, TPersistent);
QEL_GUI_CLASS(TCustomListView, TCustomMultiSelectListControl);
QEL_GUI_CLASS(TListView, TCustomListView);
QEL_GUI_CLASS(TStatusPanel, TCollectionItem);
QEL_GUI_CLASS(TStatusPanels, TCollection);
QEL_GUI_CLASS(TCustomStatusBar, TWinControl);
QEL_GUI_CLASS(TStatusBar, TCustomStatusBar);
QEL_GUI_ENUM(TDisplayCode);
using TLVSelectItemEvent_sw = TQelEventWrapperOf<TLVSelectItemEvent>;
using TLVChangeEvent_sw = TQelEventWrapperOf<TLVChangeEvent>;
using TLVDeletedEvent_sw = TQelEventWrapperOf<TLVDeletedEvent>;
using TLVEditingEvent_sw = TQelEventWrapperOf<TLVEditingEvent>;
using TLVEditedEvent_sw = TQelEventWrapperOf<TLVEditedEvent>;
using TLVCompareEvent_sw = TQelEventWrapperOf<TLVCompareEvent>;
using TLVColumnClickEvent_sw = TQelEventWrapperOf<TLVColumnClickEvent>;
using TDrawPanelEvent_sw = TQelEventWrapperOf<TDrawPanelEvent>;

// Menus
QEL_GUI_CLASS(TMenuItem, TComponent);
QEL_GUI_CLASS(TMenu, TComponent);
QEL_GUI_CLASS(TMainMenu, TMenu);
QEL_GUI_CLASS(TPopupMenu, TMenu);
QEL_EXCEPTION_WRAPPER(EMenuError, Exception);
struct TShortCut_sw : Word_sw {
  static constexpr std::u16string_view TypeName = u"TShortCut";
};

// Dialogs
QEL_GUI_CLASS(TCommonDialog, TComponent);
QEL_GUI_CLASS(TOpenDialog, TCommonDialog);
QEL_GUI_CLASS(TSaveDialog, TOpenDialog);
QEL_GUI_CLASS(TFontDialog, TCommonDialog);
QEL_GUI_CLASS(TColorDialog, TCommonDialog);
QEL_GUI_CLASS(TFindDialog, TCommonDialog);
QEL_GUI_CLASS(TReplaceDialog, TFindDialog);
using TFindDialogEvent_sw = TQelEventWrapperOf<TFindDialogEvent>;
QEL_GUI_CLASS(TTaskDialogBaseButtonItem, TCollectionItem);
QEL_GUI_CLASS(TTaskDialogButtonItem, TTaskDialogBaseButtonItem);
QEL_GUI_CLASS(TTaskDialogButtons, TOwnedCollection);
QEL_GUI_CLASS(TCustomTaskDialog, TComponent);
QEL_GUI_CLASS(TTaskDialog, TCustomTaskDialog);
QEL_GUI_ENUM(TTaskDialogCommonButton);
QEL_GUI_SET(TTaskDialogCommonButtons);
QEL_GUI_ENUM(TTaskDialogFlag);
QEL_GUI_SET(TTaskDialogFlags);
using TTaskDlgClickEvent_sw = TQelEventWrapperOf<TTaskDlgClickEvent>;

// The unit wrappers.
#define QEL_GUI_UNIT(Name)                                            \
  struct Name##_sw : TQelUnitWrapperBase {                            \
    static constexpr std::u16string_view UnitName = u"" #Name;        \
    static void RegisterMembers(TQelUnitWrapperData& AData);          \
    static void RegisterWrappers();                                   \
  }
QEL_GUI_UNIT(Graphics);
QEL_GUI_UNIT(Controls);
QEL_GUI_UNIT(Forms);
QEL_GUI_UNIT(StdCtrls);
QEL_GUI_UNIT(ExtCtrls);
QEL_GUI_UNIT(Menus);
QEL_GUI_UNIT(Dialogs);
QEL_GUI_UNIT(ImgList);
QEL_GUI_UNIT(ComCtrls);

// Members a concrete control class publishes from its protected ancestors.
inline constexpr std::u16string_view SGraphicControlPublished[] = {
    u"Caption", u"Color", u"Font", u"ParentFont", u"ParentColor", u"AutoSize", u"DragMode", u"DragKind",
    u"OnClick", u"OnDblClick", u"OnResize", u"OnMouseDown", u"OnMouseUp", u"OnMouseMove", u"OnMouseEnter",
    u"OnMouseLeave", u"OnCanResize", u"PopupMenu", u"Action"};
inline constexpr std::u16string_view SWinControlPublished[] = {
    u"OnEnter", u"OnExit", u"OnKeyDown", u"OnKeyUp", u"OnKeyPress", u"OnMouseWheel", u"OnMouseWheelUp", u"OnMouseWheelDown"};
template <class Host, size_t N>
void QelRedeclare(TQelMembers<Host>& M, const std::u16string_view (&ANames)[N]) {
  for (std::u16string_view name : ANames) M.Redeclare(name);
}
// A published windowed control: the graphic control's list and the focus and key events.
template <class Host>
void QelRedeclareWinControl(TQelMembers<Host>& M) {
  QelRedeclare(M, SGraphicControlPublished);
  QelRedeclare(M, SWinControlPublished);
}
