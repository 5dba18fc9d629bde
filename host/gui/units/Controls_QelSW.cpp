// The "Controls" unit wrapper: controls, windowed controls, constraints and the mouse.
#include "host/gui/units/ActnWrappers.h"

namespace {

TControl* NewFindDragTarget(const TPoint& APos, bool AAllowDisabled) { return FindDragTarget(APos, AAllowDisabled); }
TMouse* GetMouse() { return Mouse; }
void SetControlParent(TControl* AControl, TWinControl* AParent) { AControl->SetParent(AParent); }
TCustomForm* ParentFormOf(TControl* AControl) { return AControl->GetParentForm(); }

}  // namespace

void TSizeConstraints_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TSizeConstraints> M(AData);
  M.Constructor();
  M.Property<&TSizeConstraints::GetMinWidth, &TSizeConstraints::SetMinWidth>(u"MinWidth");
  M.Property<&TSizeConstraints::GetMinHeight, &TSizeConstraints::SetMinHeight>(u"MinHeight");
  M.Property<&TSizeConstraints::GetMaxWidth, &TSizeConstraints::SetMaxWidth>(u"MaxWidth");
  M.Property<&TSizeConstraints::GetMaxHeight, &TSizeConstraints::SetMaxHeight>(u"MaxHeight");
  M.Field<&TSizeConstraints::OnChange>(u"OnChange");
}

void TMargins_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TMargins> M(AData);
  M.Constructor();
  M.Property<&TMargins::GetLeft, &TMargins::SetLeft>(u"Left");
  M.Property<&TMargins::GetTop, &TMargins::SetTop>(u"Top");
  M.Property<&TMargins::GetRight, &TMargins::SetRight>(u"Right");
  M.Property<&TMargins::GetBottom, &TMargins::SetBottom>(u"Bottom");
  M.Method<&TMargins::SetBounds>(u"SetBounds");
  M.Field<&TMargins::OnChange>(u"OnChange");
}

void TPadding_sw::RegisterMembers(TQelClassWrapperData& AData) { TQelMembers<TPadding>(AData).Constructor(); }

// Published in the concrete controls; protected here (as the class library declares them).
void TControl_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TControl> M(AData);
  M.Constructor();
  M.Property<&TControl::GetParent, &SetControlParent>(u"Parent");
  M.Property<&TControl::GetAction, &TControl::SetAction>(u"Action", qpProtected);
  M.Property<&TControl::GetLeft, &TControl::SetLeft>(u"Left");
  M.Property<&TControl::GetTop, &TControl::SetTop>(u"Top");
  M.Property<&TControl::GetWidth, &TControl::SetWidth>(u"Width");
  M.Property<&TControl::GetHeight, &TControl::SetHeight>(u"Height");
  M.Property<&TControl::GetBoundsRect, &TControl::SetBoundsRect>(u"BoundsRect");
  M.Property<&TControl::GetClientWidth, &TControl::SetClientWidth>(u"ClientWidth");
  M.Property<&TControl::GetClientHeight, &TControl::SetClientHeight>(u"ClientHeight");
  M.Property<&TControl::GetClientRect>(u"ClientRect");
  M.Property<&TControl::GetClientOrigin>(u"ClientOrigin");
  M.Property<&TControl::GetAlign, &TControl::SetAlign>(u"Align");
  M.Property<&TControl::GetAnchors, &TControl::SetAnchors>(u"Anchors");
  M.Property<&TControl::GetConstraints, &TControl::SetConstraints>(u"Constraints");
  M.Property<&TControl::GetMargins, &TControl::SetMargins>(u"Margins");
  M.Property<&TControl::GetAlignWithMargins, &TControl::SetAlignWithMargins>(u"AlignWithMargins");
  M.Property<&TControl::GetVisible, &TControl::SetVisible>(u"Visible");
  M.Property<&TControl::GetShowing>(u"Showing");
  M.Property<&TControl::GetEnabled, &TControl::SetEnabled>(u"Enabled");
  M.Property<&TControl::GetHint, &TControl::SetHint>(u"Hint");
  M.Property<&TControl::GetShowHint, &TControl::SetShowHint>(u"ShowHint");
  M.Property<&TControl::GetParentShowHint, &TControl::SetParentShowHint>(u"ParentShowHint");
  M.Property<&TControl::GetCursor, &TControl::SetCursor>(u"Cursor");
  M.Property<&TControl::GetIsControl, &TControl::SetIsControl>(u"IsControl");
  M.Property<&TControl::GetPopupMenu, &TControl::SetPopupMenu>(u"PopupMenu", qpProtected);
  M.Property<&TControl::GetCaption, &TControl::SetCaption>(u"Caption", qpProtected);
  M.Property<&TControl::GetText, &TControl::SetText>(u"Text", qpProtected);
  M.Property<&TControl::GetFont, &TControl::SetFont>(u"Font", qpProtected);
  M.Property<&TControl::GetColor, &TControl::SetColor>(u"Color", qpProtected);
  M.Property<&TControl::GetParentFont, &TControl::SetParentFont>(u"ParentFont", qpProtected);
  M.Property<&TControl::GetParentColor, &TControl::SetParentColor>(u"ParentColor", qpProtected);
  M.Property<&TControl::GetAutoSize, &TControl::SetAutoSize>(u"AutoSize", qpProtected);
  M.Property<&TControl::GetDragMode, &TControl::SetDragMode>(u"DragMode", qpProtected);
  M.Property<&TControl::GetDragKind, &TControl::SetDragKind>(u"DragKind", qpProtected);
  M.Field<&TControl::OnClick>(u"OnClick", qpProtected);
  M.Field<&TControl::OnDblClick>(u"OnDblClick", qpProtected);
  M.Field<&TControl::OnResize>(u"OnResize", qpProtected);
  M.Field<&TControl::OnMouseDown>(u"OnMouseDown", qpProtected);
  M.Field<&TControl::OnMouseUp>(u"OnMouseUp", qpProtected);
  M.Field<&TControl::OnMouseMove>(u"OnMouseMove", qpProtected);
  M.Field<&TControl::OnMouseEnter>(u"OnMouseEnter", qpProtected);
  M.Field<&TControl::OnMouseLeave>(u"OnMouseLeave", qpProtected);
  M.Field<&TControl::OnCanResize>(u"OnCanResize", qpProtected);
  M.Field<&TControl::OnMouseWheel>(u"OnMouseWheel", qpProtected);
  M.Field<&TControl::OnMouseWheelUp>(u"OnMouseWheelUp", qpProtected);
  M.Field<&TControl::OnMouseWheelDown>(u"OnMouseWheelDown", qpProtected);
  M.Method<&TControl::SetBounds>(u"SetBounds");
  M.Method<&TControl::Show>(u"Show");
  M.Method<&TControl::Hide>(u"Hide");
  M.Method<&TControl::Click>(u"Click");
  M.Method<&TControl::DblClick>(u"DblClick");
  M.Method<&TControl::Invalidate>(u"Invalidate");
  M.Method<&TControl::Repaint>(u"Repaint");
  M.Method<&TControl::Refresh>(u"Refresh");
  M.Method<&TControl::Update>(u"Update");
  M.Method<&TControl::BringToFront>(u"BringToFront");
  M.Method<&TControl::SendToBack>(u"SendToBack");
  M.Method<&TControl::HasParent>(u"HasParent");
  M.Method<&TControl::Perform>(u"Perform");
  M.Method<&TControl::ClientToScreen>(u"ClientToScreen");
  M.Method<&TControl::ScreenToClient>(u"ScreenToClient");
  M.Method<&TControl::ClientToParent>(u"ClientToParent");
  M.Method<&TControl::GetTextLen>(u"GetTextLen");
  M.Method<&ParentFormOf>(u"GetParentForm");
}

void TWinControl_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TWinControl> M(AData);
  M.Constructor();
  M.Property<&TWinControl::GetControlCount>(u"ControlCount");
  M.Property<&TWinControl::GetControls>(u"Controls");
  M.Property<&TWinControl::GetTabOrder, &TWinControl::SetTabOrder>(u"TabOrder");
  M.Property<&TWinControl::GetTabStop, &TWinControl::SetTabStop>(u"TabStop");
  M.Property<&TWinControl::GetHandle>(u"Handle");
  M.Property<&TWinControl::GetDoubleBuffered, &TWinControl::SetDoubleBuffered>(u"DoubleBuffered");
  M.Property<&TWinControl::GetParentDoubleBuffered, &TWinControl::SetParentDoubleBuffered>(u"ParentDoubleBuffered");
  M.Property<&TWinControl::GetPadding, &TWinControl::SetPadding>(u"Padding");
  M.Property<&TWinControl::GetAlignDisabled>(u"AlignDisabled");
  M.Property<&TWinControl::GetBevelInner, &TWinControl::SetBevelInner>(u"BevelInner", qpProtected);
  M.Property<&TWinControl::GetBevelOuter, &TWinControl::SetBevelOuter>(u"BevelOuter", qpProtected);
  M.Property<&TWinControl::GetBevelKind, &TWinControl::SetBevelKind>(u"BevelKind", qpProtected);
  M.Property<&TWinControl::GetBevelWidth, &TWinControl::SetBevelWidth>(u"BevelWidth", qpProtected);
  M.Property<&TWinControl::GetBorderWidth, &TWinControl::SetBorderWidth>(u"BorderWidth", qpProtected);
  M.Field<&TWinControl::OnEnter>(u"OnEnter", qpProtected);
  M.Field<&TWinControl::OnExit>(u"OnExit", qpProtected);
  M.Field<&TWinControl::OnKeyDown>(u"OnKeyDown", qpProtected);
  M.Field<&TWinControl::OnKeyUp>(u"OnKeyUp", qpProtected);
  M.Field<&TWinControl::OnKeyPress>(u"OnKeyPress", qpProtected);
  M.Method<&TWinControl::CanFocus>(u"CanFocus");
  M.Method<&TWinControl::Focused>(u"Focused");
  M.Method<&TWinControl::SetFocus>(u"SetFocus");
  M.Method<&TWinControl::ContainsControl>(u"ContainsControl");
  M.Method<&TWinControl::ControlAtPos>(u"ControlAtPos");
  M.Method<&TWinControl::FindChildControl>(u"FindChildControl");
  M.Method<&TWinControl::InsertControl>(u"InsertControl");
  M.Method<&TWinControl::RemoveControl>(u"RemoveControl");
  M.Method<&TWinControl::DisableAlign>(u"DisableAlign");
  M.Method<&TWinControl::EnableAlign>(u"EnableAlign");
  M.Method<&TWinControl::Realign>(u"Realign");
  M.Method<&TWinControl::ScaleBy>(u"ScaleBy");
  M.Method<&TWinControl::HandleAllocated>(u"HandleAllocated");
}

void TControlCanvas_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TControlCanvas> M(AData);
  M.Constructor();
  M.Property<&TControlCanvas::GetControl, &TControlCanvas::SetControl>(u"Control");
  M.Method<&TControlCanvas::FreeHandle>(u"FreeHandle");
  M.Method<&TControlCanvas::UpdateTextFlags>(u"UpdateTextFlags");
}

void TGraphicControl_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TGraphicControl> M(AData);
  M.Constructor();
  M.Property<&TGraphicControl::GetCanvas>(u"Canvas", qpProtected);
}

void TCustomControl_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TCustomControl> M(AData);
  M.Constructor();
  M.Property<&TCustomControl::GetCanvas>(u"Canvas", qpProtected);
}

void TCustomListControl_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TCustomListControl> M(AData);
  M.Property<&TCustomListControl::GetItemIndex, &TCustomListControl::SetItemIndex>(u"ItemIndex");
  M.Method<&TCustomListControl::AddItem>(u"AddItem");
  M.Method<&TCustomListControl::Clear>(u"Clear");
  M.Method<&TCustomListControl::ClearSelection>(u"ClearSelection");
  M.Method<&TCustomListControl::DeleteSelected>(u"DeleteSelected");
  M.Method<&TCustomListControl::SelectAll>(u"SelectAll");
}

void TCustomMultiSelectListControl_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TCustomMultiSelectListControl> M(AData);
  M.Property<&TCustomMultiSelectListControl::GetMultiSelect, &TCustomMultiSelectListControl::SetMultiSelect>(u"MultiSelect");
  M.Property<&TCustomMultiSelectListControl::GetSelCount>(u"SelCount");
}

void TMouse_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TMouse> M(AData);
  M.Property<&TMouse::GetCursorPos, &TMouse::SetCursorPos>(u"CursorPos");
  M.Property<&TMouse::GetMousePresent>(u"MousePresent");
  M.Property<&TMouse::GetWheelScrollLines>(u"WheelScrollLines");
  M.Property<&TMouse::GetIsDragging>(u"IsDragging");
  M.Property<&TMouse::GetCapture>(u"Capture");
}

#define QEL_CONTROLS_CLASSES                                                                                  \
  TSizeConstraints_sw, TMargins_sw, TPadding_sw, TControl_sw, TWinControl_sw, TControlCanvas_sw,             \
      TGraphicControl_sw, TCustomControl_sw, TCustomListControl_sw, TCustomMultiSelectListControl_sw, TMouse_sw
#define QEL_CONTROLS_EVENTS \
  TMouseEvent_sw, TMouseMoveEvent_sw, TKeyEvent_sw, TKeyPressEvent_sw, TCanResizeEvent_sw, TMouseWheelUpDownEvent_sw, \
      TMouseWheelEvent_sw

void Controls_sw::RegisterMembers(TQelUnitWrapperData& AData) {
  TQelUnitMembers M(AData);
  QelAddTypes<TPoint_sw, TRect_sw, TSize_sw, TAlign_sw, TAnchorKind_sw, TAnchors_sw, TMouseButton_sw,
              TShiftStateItem_sw, TShiftState_sw, TFormBorderStyle_sw, TBevelCut_sw, TBevelKind_sw, TMouseActivate_sw,
              TDragMode_sw, TDragKind_sw, TImeMode_sw, QEL_CONTROLS_EVENTS, TControlClass_sw, TWinControlClass_sw,
              QEL_CONTROLS_CLASSES>(M);
  M.Variable<&GetMouse, nullptr>(u"Mouse");
  M.Routine<&NewFindDragTarget>(u"FindDragTarget");
  M.Constant<crDefault>(u"crDefault");
  M.Constant<crNone>(u"crNone");
  M.Constant<crArrow>(u"crArrow");
  M.Constant<crCross>(u"crCross");
  M.Constant<crIBeam>(u"crIBeam");
  M.Constant<crSizeNESW>(u"crSizeNESW");
  M.Constant<crSizeNS>(u"crSizeNS");
  M.Constant<crSizeNWSE>(u"crSizeNWSE");
  M.Constant<crSizeWE>(u"crSizeWE");
  M.Constant<crUpArrow>(u"crUpArrow");
  M.Constant<crHourGlass>(u"crHourGlass");
  M.Constant<crDrag>(u"crDrag");
  M.Constant<crNoDrop>(u"crNoDrop");
  M.Constant<crHSplit>(u"crHSplit");
  M.Constant<crVSplit>(u"crVSplit");
  M.Constant<crMultiDrag>(u"crMultiDrag");
  M.Constant<crSQLWait>(u"crSQLWait");
  M.Constant<crNo>(u"crNo");
  M.Constant<crAppStart>(u"crAppStart");
  M.Constant<crHelp>(u"crHelp");
  M.Constant<crHandPoint>(u"crHandPoint");
  M.Constant<crSizeAll>(u"crSizeAll");
  M.Constant<VK_BACK>(u"VK_BACK");
  M.Constant<VK_TAB>(u"VK_TAB");
  M.Constant<VK_RETURN>(u"VK_RETURN");
  M.Constant<VK_SHIFT>(u"VK_SHIFT");
  M.Constant<VK_CONTROL>(u"VK_CONTROL");
  M.Constant<VK_MENU>(u"VK_MENU");
  M.Constant<VK_ESCAPE>(u"VK_ESCAPE");
  M.Constant<VK_SPACE>(u"VK_SPACE");
  M.Constant<VK_LEFT>(u"VK_LEFT");
  M.Constant<VK_UP>(u"VK_UP");
  M.Constant<VK_RIGHT>(u"VK_RIGHT");
  M.Constant<VK_DOWN>(u"VK_DOWN");
  M.Constant<VK_DELETE>(u"VK_DELETE");
  M.Constant<VK_F1>(u"VK_F1");
  M.Constant<WM_KEYDOWN>(u"WM_KEYDOWN");
  M.Constant<WM_KEYUP>(u"WM_KEYUP");
  M.Constant<WM_CHAR>(u"WM_CHAR");
  M.Constant<WM_MOUSEMOVE>(u"WM_MOUSEMOVE");
  M.Constant<WM_LBUTTONDOWN>(u"WM_LBUTTONDOWN");
  M.Constant<WM_LBUTTONUP>(u"WM_LBUTTONUP");
  M.Constant<WM_LBUTTONDBLCLK>(u"WM_LBUTTONDBLCLK");
  M.Constant<WM_RBUTTONDOWN>(u"WM_RBUTTONDOWN");
  M.Constant<WM_RBUTTONUP>(u"WM_RBUTTONUP");
  M.Constant<WM_MOUSEWHEEL>(u"WM_MOUSEWHEEL");
  M.Constant<MK_LBUTTON>(u"MK_LBUTTON");
  M.Constant<MK_SHIFT>(u"MK_SHIFT");
  M.Constant<MK_CONTROL>(u"MK_CONTROL");
}

void Controls_sw::RegisterWrappers() {
  RegisterUnitWrapper(QelWrapperClass<Controls_sw>());
  QelRegisterClassWrappers<QEL_CONTROLS_CLASSES>();
  QelRegisterEventWrappers<QEL_CONTROLS_EVENTS>();
}
