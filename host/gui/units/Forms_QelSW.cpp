// The "Forms" unit wrapper: forms, frames, scroll boxes, the application and the screen.
#include "host/gui/units/GuiWrappers.h"

namespace {

TApplication* GetApplication() { return QelApplication(); }
TScreen* GetScreen() { return QelScreen(); }
TCustomForm* FormOf(TControl* AControl) { return GetParentForm(AControl, true); }
TCustomForm* ValidFormOf(TControl* AControl) { return ValidParentForm(AControl, true); }
void FormShow(TCustomForm* AForm) { AForm->Show(); }
void FormHide(TCustomForm* AForm) { AForm->Hide(); }

// The republished members of a form class.
constexpr std::u16string_view SFormPublished[] = {
    u"Caption", u"Color", u"Font", u"ParentFont", u"AutoSize", u"BorderWidth", u"OnClick", u"OnDblClick",
    u"OnResize", u"OnMouseDown", u"OnMouseUp", u"OnMouseMove", u"OnMouseEnter", u"OnMouseLeave", u"OnCanResize",
    u"OnEnter", u"OnExit", u"OnKeyDown", u"OnKeyUp", u"OnKeyPress", u"Canvas"};

}  // namespace

void TControlScrollBar_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TControlScrollBar> M(AData);
  M.Property<&TControlScrollBar::GetKind>(u"Kind");
  M.Property<&TControlScrollBar::GetPosition, &TControlScrollBar::SetPosition>(u"Position");
  M.Property<&TControlScrollBar::GetRange, &TControlScrollBar::SetRange>(u"Range");
  M.Property<&TControlScrollBar::GetVisible, &TControlScrollBar::SetVisible>(u"Visible");
  M.Property<&TControlScrollBar::GetIncrement, &TControlScrollBar::SetIncrement>(u"Increment");
  M.Property<&TControlScrollBar::GetTracking, &TControlScrollBar::SetTracking>(u"Tracking");
  M.Property<&TControlScrollBar::GetScrollPos>(u"ScrollPos");
  M.Method<&TControlScrollBar::IsScrollBarVisible>(u"IsScrollBarVisible");
}

void TScrollingWinControl_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TScrollingWinControl> M(AData);
  M.Property<&TScrollingWinControl::GetHorzScrollBar, &TScrollingWinControl::SetHorzScrollBar>(u"HorzScrollBar");
  M.Property<&TScrollingWinControl::GetVertScrollBar, &TScrollingWinControl::SetVertScrollBar>(u"VertScrollBar");
  M.Property<&TScrollingWinControl::GetAutoScroll, &TScrollingWinControl::SetAutoScroll>(u"AutoScroll");
  M.Method<&TScrollingWinControl::ScrollInView>(u"ScrollInView");
  M.Method<&TScrollingWinControl::ScrollBy>(u"ScrollBy");
}

void TScrollBox_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TScrollBox> M(AData);
  M.Constructor();
  M.Property<&TScrollBox::GetBorderStyle, &TScrollBox::SetBorderStyle>(u"BorderStyle");
  for (std::u16string_view name : {u"Color", u"Font", u"ParentFont", u"ParentColor", u"OnClick", u"OnDblClick",
                                   u"OnResize", u"OnMouseDown", u"OnMouseUp", u"OnMouseMove", u"OnEnter", u"OnExit"})
    M.Redeclare(name);
}

void TCustomFrame_sw::RegisterMembers(TQelClassWrapperData& AData) { TQelMembers<TCustomFrame>(AData).Constructor(); }

void TFrame_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TFrame> M(AData);
  M.Constructor();
  for (std::u16string_view name : {u"Color", u"Font", u"ParentFont", u"ParentColor", u"OnClick", u"OnDblClick",
                                   u"OnResize", u"OnMouseDown", u"OnMouseUp", u"OnMouseMove", u"OnEnter", u"OnExit"})
    M.Redeclare(name);
}

void TGlassFrame_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TGlassFrame> M(AData);
  M.Property<&TGlassFrame::GetEnabled, &TGlassFrame::SetEnabled>(u"Enabled");
  M.Property<&TGlassFrame::GetLeft, &TGlassFrame::SetLeft>(u"Left");
  M.Property<&TGlassFrame::GetTop, &TGlassFrame::SetTop>(u"Top");
  M.Property<&TGlassFrame::GetRight, &TGlassFrame::SetRight>(u"Right");
  M.Property<&TGlassFrame::GetBottom, &TGlassFrame::SetBottom>(u"Bottom");
  M.Property<&TGlassFrame::GetSheetOfGlass, &TGlassFrame::SetSheetOfGlass>(u"SheetOfGlass");
  M.Method<&TGlassFrame::FrameExtended>(u"FrameExtended");
}

void TCustomForm_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TCustomForm> M(AData);
  M.Constructor();
  M.Method<&FormShow>(u"Show");
  M.Method<&FormHide>(u"Hide");
  M.Method<&TCustomForm::ShowModal>(u"ShowModal");
  M.Method<&TCustomForm::Close>(u"Close");
  M.Method<&TCustomForm::CloseQuery>(u"CloseQuery");
  M.Method<&TCustomForm::Release>(u"Release");
  M.Method<&TCustomForm::SetFocus>(u"SetFocus");
  M.Method<&TCustomForm::FocusControl>(u"FocusControl");
  M.Method<&TCustomForm::SetFocusedControl>(u"SetFocusedControl");
  M.Property<&TCustomForm::GetModalResult, &TCustomForm::SetModalResult>(u"ModalResult");
  M.Property<&TCustomForm::GetActive>(u"Active");
  M.Property<&TCustomForm::GetActiveControl, &TCustomForm::SetActiveControl>(u"ActiveControl");
  M.Property<&TCustomForm::GetBorderStyle, &TCustomForm::SetBorderStyle>(u"BorderStyle");
  M.Property<&TCustomForm::GetBorderIcons, &TCustomForm::SetBorderIcons>(u"BorderIcons");
  M.Property<&TCustomForm::GetPosition, &TCustomForm::SetPosition>(u"Position");
  M.Property<&TCustomForm::GetWindowState, &TCustomForm::SetWindowState>(u"WindowState");
  M.Property<&TCustomForm::GetFormStyle, &TCustomForm::SetFormStyle>(u"FormStyle");
  M.Property<&TCustomForm::GetKeyPreview, &TCustomForm::SetKeyPreview>(u"KeyPreview");
  M.Property<&TCustomForm::GetMenu, &TCustomForm::SetMenu>(u"Menu");
  M.Property<&TCustomForm::GetFormState>(u"FormState");
  M.Property<&TCustomForm::GetIcon, &TCustomForm::SetIcon>(u"Icon");
  M.Property<&TCustomForm::GetAlphaBlend, &TCustomForm::SetAlphaBlend>(u"AlphaBlend");
  M.Property<&TCustomForm::GetAlphaBlendValue, &TCustomForm::SetAlphaBlendValue>(u"AlphaBlendValue");
  M.Property<&TCustomForm::GetTransparentColorValue, &TCustomForm::SetTransparentColorValue>(u"TransparentColorValue");
  M.Property<&TCustomForm::GetGlassFrame>(u"GlassFrame");
  M.Property<&TCustomForm::GetDefaultMonitor, &TCustomForm::SetDefaultMonitor>(u"DefaultMonitor");
  M.Property<&TCustomForm::GetMonitor>(u"Monitor");
  M.Property<&TCustomForm::GetPixelsPerInch>(u"PixelsPerInch");
  M.Property<&TCustomForm::GetScaled, &TCustomForm::SetScaled>(u"Scaled");
  M.Field<&TCustomForm::OnCreate>(u"OnCreate");
  M.Field<&TCustomForm::OnDestroy>(u"OnDestroy");
  M.Field<&TCustomForm::OnShow>(u"OnShow");
  M.Field<&TCustomForm::OnHide>(u"OnHide");
  M.Field<&TCustomForm::OnActivate>(u"OnActivate");
  M.Field<&TCustomForm::OnDeactivate>(u"OnDeactivate");
  M.Field<&TCustomForm::OnPaint>(u"OnPaint");
  M.Field<&TCustomForm::OnClose>(u"OnClose");
  M.Field<&TCustomForm::OnCloseQuery>(u"OnCloseQuery");
  M.Property<&TCustomForm::GetCanvas>(u"Canvas", qpProtected);
}

void TForm_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TForm> M(AData);
  M.Constructor();
  M.Method<&TForm::Cascade>(u"Cascade");
  M.Method<&TForm::Tile>(u"Tile");
  M.Method<&TForm::ArrangeIcons>(u"ArrangeIcons");
  M.Method<&TForm::Next>(u"Next");
  M.Method<&TForm::Previous>(u"Previous");
  for (std::u16string_view name : SFormPublished) M.Redeclare(name);
}

void TCustomDockForm_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TCustomDockForm> M(AData);
  M.Constructor();
  for (std::u16string_view name : SFormPublished) M.Redeclare(name);
}

void TCustomActiveForm_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TCustomActiveForm> M(AData);
  M.Constructor();
  M.Property<&TCustomActiveForm::GetAxBorderStyle>(u"AxBorderStyle");
}

void TMonitor_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TMonitor> M(AData);
  M.Property<&TMonitor::GetHandle>(u"Handle");
  M.Property<&TMonitor::GetMonitorNum>(u"MonitorNum");
  M.Property<&TMonitor::GetLeft>(u"Left");
  M.Property<&TMonitor::GetTop>(u"Top");
  M.Property<&TMonitor::GetWidth>(u"Width");
  M.Property<&TMonitor::GetHeight>(u"Height");
  M.Property<&TMonitor::GetBoundsRect>(u"BoundsRect");
  M.Property<&TMonitor::GetWorkareaRect>(u"WorkareaRect");
  M.Property<&TMonitor::GetPrimary>(u"Primary");
  M.Property<&TMonitor::GetPixelsPerInch>(u"PixelsPerInch");
}

void TApplication_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TApplication> M(AData);
  M.Method<&TApplication::Run>(u"Run");
  M.Method<&TApplication::ProcessMessages>(u"ProcessMessages");
  M.Method<&TApplication::HandleMessage>(u"HandleMessage");
  M.Method<&TApplication::Terminate>(u"Terminate");
  M.Method<&TApplication::CreateForm>(u"CreateForm");
  M.Method<&TApplication::HandleException>(u"HandleException");
  M.Method<&TApplication::ShowException>(u"ShowException");
  M.Method<&TApplication::MessageBox>(u"MessageBox");
  M.Method<&TApplication::Minimize>(u"Minimize");
  M.Method<&TApplication::Restore>(u"Restore");
  M.Method<&TApplication::BringToFront>(u"BringToFront");
  M.Method<&TApplication::CancelHint>(u"CancelHint");
  M.Method<&TApplication::HideHint>(u"HideHint");
  M.Method<&TApplication::Initialize>(u"Initialize");
  M.Property<&TApplication::GetTerminated>(u"Terminated");
  M.Property<&TApplication::GetMainForm>(u"MainForm");
  M.Property<&TApplication::GetTitle, &TApplication::SetTitle>(u"Title");
  M.Property<&TApplication::GetHint, &TApplication::SetHint>(u"Hint");
  M.Property<&TApplication::GetShowHint, &TApplication::SetShowHint>(u"ShowHint");
  M.Property<&TApplication::GetHintColor, &TApplication::SetHintColor>(u"HintColor");
  M.Property<&TApplication::GetHintPause, &TApplication::SetHintPause>(u"HintPause");
  M.Property<&TApplication::GetHintHidePause, &TApplication::SetHintHidePause>(u"HintHidePause");
  M.Property<&TApplication::GetShowMainForm, &TApplication::SetShowMainForm>(u"ShowMainForm");
  M.Property<&TApplication::GetMainFormOnTaskBar, &TApplication::SetMainFormOnTaskBar>(u"MainFormOnTaskBar");
  M.Property<&TApplication::GetExeName>(u"ExeName");
  M.Property<&TApplication::GetHelpFile, &TApplication::SetHelpFile>(u"HelpFile");
  M.Property<&TApplication::GetActive>(u"Active");
  M.Property<&TApplication::GetIcon, &TApplication::SetIcon>(u"Icon");
  M.Property<&TApplication::GetHandle>(u"Handle");
  M.Property<&TApplication::GetModalLevel>(u"ModalLevel");
  M.Field<&TApplication::OnException>(u"OnException");
  M.Field<&TApplication::OnIdle>(u"OnIdle");
  M.Field<&TApplication::OnActivate>(u"OnActivate");
  M.Field<&TApplication::OnDeactivate>(u"OnDeactivate");
  M.Field<&TApplication::OnHint>(u"OnHint");
  M.Field<&TApplication::OnMinimize>(u"OnMinimize");
  M.Field<&TApplication::OnRestore>(u"OnRestore");
}

void TScreen_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TScreen> M(AData);
  M.Property<&TScreen::GetWidth>(u"Width");
  M.Property<&TScreen::GetHeight>(u"Height");
  M.Property<&TScreen::GetDesktopLeft>(u"DesktopLeft");
  M.Property<&TScreen::GetDesktopTop>(u"DesktopTop");
  M.Property<&TScreen::GetDesktopWidth>(u"DesktopWidth");
  M.Property<&TScreen::GetDesktopHeight>(u"DesktopHeight");
  M.Property<&TScreen::GetWorkAreaLeft>(u"WorkAreaLeft");
  M.Property<&TScreen::GetWorkAreaTop>(u"WorkAreaTop");
  M.Property<&TScreen::GetWorkAreaWidth>(u"WorkAreaWidth");
  M.Property<&TScreen::GetWorkAreaHeight>(u"WorkAreaHeight");
  M.Property<&TScreen::GetWorkAreaRect>(u"WorkAreaRect");
  M.Property<&TScreen::GetPixelsPerInch>(u"PixelsPerInch");
  M.Property<&TScreen::GetFormCount>(u"FormCount");
  M.Property<&TScreen::GetForms>(u"Forms");
  M.Property<&TScreen::GetCustomFormCount>(u"CustomFormCount");
  M.Property<&TScreen::GetCustomForms>(u"CustomForms");
  M.Property<&TScreen::GetActiveForm>(u"ActiveForm");
  M.Property<&TScreen::GetActiveCustomForm>(u"ActiveCustomForm");
  M.Property<&TScreen::GetActiveControl>(u"ActiveControl");
  M.Property<&TScreen::GetCursor, &TScreen::SetCursor>(u"Cursor");
  M.Property<&TScreen::GetFonts>(u"Fonts");
  M.Property<&TScreen::GetMonitorCount>(u"MonitorCount");
  M.Property<&TScreen::GetMonitors>(u"Monitors");
  M.Property<&TScreen::GetHintFont>(u"HintFont");
  M.Property<&TScreen::GetMenuFont>(u"MenuFont");
  M.Property<&TScreen::GetIconFont>(u"IconFont");
  M.Property<&TScreen::GetMessageFont>(u"MessageFont");
  M.Method<&TScreen::MonitorFromPoint>(u"MonitorFromPoint");
  M.Field<&TScreen::OnActiveFormChange>(u"OnActiveFormChange");
  M.Field<&TScreen::OnActiveControlChange>(u"OnActiveControlChange");
}

#define QEL_FORMS_CLASSES                                                                                      \
  TControlScrollBar_sw, TScrollingWinControl_sw, TScrollBox_sw, TCustomFrame_sw, TFrame_sw, TGlassFrame_sw,    \
      TCustomForm_sw, TForm_sw, TCustomDockForm_sw, TCustomActiveForm_sw, TMonitor_sw, TApplication_sw, TScreen_sw
#define QEL_FORMS_EVENTS TCloseEvent_sw, TCloseQueryEvent_sw, TExceptionEvent_sw, TIdleEvent_sw

void Forms_sw::RegisterMembers(TQelUnitWrapperData& AData) {
  TQelUnitMembers M(AData);
  QelAddTypes<TPosition_sw, TWindowState_sw, TFormStyle_sw, TCloseAction_sw, TBorderIcon_sw, TBorderIcons_sw,
              TScrollBarKind_sw, TFormState_sw, TFormStates_sw, TDefaultMonitor_sw, QEL_FORMS_EVENTS, TFormClass_sw,
              TCustomFormClass_sw, QEL_FORMS_CLASSES>(M);
  M.Variable<&GetApplication, nullptr>(u"Application");
  M.Variable<&GetScreen, nullptr>(u"Screen");
  M.Routine<&FormOf>(u"GetParentForm");
  M.Routine<&ValidFormOf>(u"ValidParentForm");
  M.Constant<mrNone>(u"mrNone");
  M.Constant<mrOk>(u"mrOk");
  M.Constant<mrCancel>(u"mrCancel");
  M.Constant<mrAbort>(u"mrAbort");
  M.Constant<mrRetry>(u"mrRetry");
  M.Constant<mrIgnore>(u"mrIgnore");
  M.Constant<mrYes>(u"mrYes");
  M.Constant<mrNo>(u"mrNo");
  M.Constant<mrClose>(u"mrClose");
  M.Constant<mrAll>(u"mrAll");
  M.Constant<mrNoToAll>(u"mrNoToAll");
  M.Constant<mrYesToAll>(u"mrYesToAll");
  M.Constant<MB_OK>(u"MB_OK");
  M.Constant<MB_OKCANCEL>(u"MB_OKCANCEL");
  M.Constant<MB_YESNO>(u"MB_YESNO");
  M.Constant<MB_YESNOCANCEL>(u"MB_YESNOCANCEL");
  M.Constant<IDOK>(u"IDOK");
  M.Constant<IDCANCEL>(u"IDCANCEL");
  M.Constant<IDYES>(u"IDYES");
  M.Constant<IDNO>(u"IDNO");
}

void Forms_sw::RegisterWrappers() {
  RegisterUnitWrapper(QelWrapperClass<Forms_sw>());
  QelRegisterClassWrappers<QEL_FORMS_CLASSES>();
  QelRegisterEventWrappers<QEL_FORMS_EVENTS>();
}
