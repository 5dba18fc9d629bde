// The "ExtCtrls" unit wrapper: panels, timers, paint boxes, images, shapes and bevels (the
// lists and panels of later classes register in ExtCtrlsLists_QelSW and ExtCtrlsPanels_QelSW).
#include "host/gui/units/ExtWrappers.h"

void TCustomPanel_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TCustomPanel> M(AData);
  M.Constructor();
  M.Property<&TCustomPanel::GetAlignment, &TCustomPanel::SetAlignment>(u"Alignment", qpProtected);
  M.Property<&TCustomPanel::GetVerticalAlignment, &TCustomPanel::SetVerticalAlignment>(u"VerticalAlignment", qpProtected);
  M.Property<&TCustomPanel::GetBorderStyle, &TCustomPanel::SetBorderStyle>(u"BorderStyle", qpProtected);
  M.Property<&TCustomPanel::GetShowCaption, &TCustomPanel::SetShowCaption>(u"ShowCaption", qpProtected);
  M.Property<&TCustomPanel::GetFullRepaint, &TCustomPanel::SetFullRepaint>(u"FullRepaint", qpProtected);
  M.Property<&TCustomPanel::GetParentBackground, &TCustomPanel::SetParentBackground>(u"ParentBackground", qpProtected);
}

void TPanel_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TPanel> M(AData);
  M.Constructor();
  QelRedeclareWinControl(M);
  for (std::u16string_view name : {u"Alignment", u"VerticalAlignment", u"BorderStyle", u"ShowCaption", u"FullRepaint",
                                   u"ParentBackground", u"BevelInner", u"BevelOuter", u"BevelKind", u"BevelWidth",
                                   u"BorderWidth"})
    M.Redeclare(name);
}

void TTimer_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TTimer> M(AData);
  M.Constructor();
  M.Property<&TTimer::GetEnabled, &TTimer::SetEnabled>(u"Enabled");
  M.Property<&TTimer::GetInterval, &TTimer::SetInterval>(u"Interval");
  M.Field<&TTimer::OnTimer>(u"OnTimer");
}

void TPaintBox_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TPaintBox> M(AData);
  M.Constructor();
  QelRedeclare(M, SGraphicControlPublished);
  M.Redeclare(u"Canvas");
  M.Field<&TPaintBox::OnPaint>(u"OnPaint");
}

void TImage_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TImage> M(AData);
  M.Constructor();
  QelRedeclare(M, SGraphicControlPublished);
  M.Property<&TImage::GetImageCanvas>(u"Canvas");
  M.Property<&TImage::GetPicture, &TImage::SetPicture>(u"Picture");
  M.Property<&TImage::GetStretch, &TImage::SetStretch>(u"Stretch");
  M.Property<&TImage::GetCenter, &TImage::SetCenter>(u"Center");
  M.Property<&TImage::GetProportional, &TImage::SetProportional>(u"Proportional");
  M.Property<&TImage::GetTransparent, &TImage::SetTransparent>(u"Transparent");
  M.Field<&TImage::OnProgress>(u"OnProgress");
}

void TShape_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TShape> M(AData);
  M.Constructor();
  QelRedeclare(M, SGraphicControlPublished);
  M.Property<&TShape::GetShape, &TShape::SetShape>(u"Shape");
  M.Property<&TShape::GetPen, &TShape::SetPen>(u"Pen");
  M.Property<&TShape::GetBrush, &TShape::SetBrush>(u"Brush");
}

void TBevel_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TBevel> M(AData);
  M.Constructor();
  M.Property<&TBevel::GetShape, &TBevel::SetShape>(u"Shape");
  M.Property<&TBevel::GetStyle, &TBevel::SetStyle>(u"Style");
}

void TSplitter_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TSplitter> M(AData);
  M.Constructor();
  QelRedeclare(M, SGraphicControlPublished);
  M.Property<&TSplitter::GetBeveled, &TSplitter::SetBeveled>(u"Beveled");
  M.Property<&TSplitter::GetMinSize, &TSplitter::SetMinSize>(u"MinSize");
  M.Property<&TSplitter::GetAutoSnap, &TSplitter::SetAutoSnap>(u"AutoSnap");
  M.Property<&TSplitter::GetResizeStyle, &TSplitter::SetResizeStyle>(u"ResizeStyle");
  M.Method<&TSplitter::MoveBy>(u"MoveBy");
  M.Field<&TSplitter::OnCanResize>(u"OnCanResize");
  M.Field<&TSplitter::OnMoved>(u"OnMoved");
}

void TCustomTrayIcon_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TCustomTrayIcon> M(AData);
  M.Constructor();
  M.Property<&TCustomTrayIcon::GetVisible, &TCustomTrayIcon::SetVisible>(u"Visible");
  M.Property<&TCustomTrayIcon::GetHint, &TCustomTrayIcon::SetHint>(u"Hint");
  M.Property<&TCustomTrayIcon::GetIcon, &TCustomTrayIcon::SetIcon>(u"Icon");
  M.Property<&TCustomTrayIcon::GetIcons, &TCustomTrayIcon::SetIcons>(u"Icons");
  M.Property<&TCustomTrayIcon::GetIconIndex, &TCustomTrayIcon::SetIconIndex>(u"IconIndex");
  M.Property<&TCustomTrayIcon::GetAnimate, &TCustomTrayIcon::SetAnimate>(u"Animate");
  M.Property<&TCustomTrayIcon::GetAnimateInterval, &TCustomTrayIcon::SetAnimateInterval>(u"AnimateInterval");
  M.Property<&TCustomTrayIcon::GetBalloonHint, &TCustomTrayIcon::SetBalloonHint>(u"BalloonHint");
  M.Property<&TCustomTrayIcon::GetBalloonTitle, &TCustomTrayIcon::SetBalloonTitle>(u"BalloonTitle");
  M.Property<&TCustomTrayIcon::GetBalloonTimeout, &TCustomTrayIcon::SetBalloonTimeout>(u"BalloonTimeout");
  M.Property<&TCustomTrayIcon::GetBalloonFlags, &TCustomTrayIcon::SetBalloonFlags>(u"BalloonFlags");
  M.Property<&TCustomTrayIcon::GetPopupMenu, &TCustomTrayIcon::SetPopupMenu>(u"PopupMenu");
  M.Method<&TCustomTrayIcon::ShowBalloonHint>(u"ShowBalloonHint");
  M.Method<&TCustomTrayIcon::Refresh>(u"Refresh");
  M.Field<&TCustomTrayIcon::OnClick>(u"OnClick");
  M.Field<&TCustomTrayIcon::OnDblClick>(u"OnDblClick");
  M.Field<&TCustomTrayIcon::OnBalloonClick>(u"OnBalloonClick");
  M.Field<&TCustomTrayIcon::OnAnimate>(u"OnAnimate");
}

void TTrayIcon_sw::RegisterMembers(TQelClassWrapperData& AData) { TQelMembers<TTrayIcon>(AData).Constructor(); }

void TCustomControlBar_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TCustomControlBar> M(AData);
  M.Constructor();
  M.Property<&TCustomControlBar::GetRowSize, &TCustomControlBar::SetRowSize>(u"RowSize", qpProtected);
  M.Property<&TCustomControlBar::GetRowSnap, &TCustomControlBar::SetRowSnap>(u"RowSnap", qpProtected);
  M.Property<&TCustomControlBar::GetAutoDrag, &TCustomControlBar::SetAutoDrag>(u"AutoDrag", qpProtected);
  M.Property<&TCustomControlBar::GetAutoDock, &TCustomControlBar::SetAutoDock>(u"AutoDock", qpProtected);
  M.Property<&TCustomControlBar::GetPicture, &TCustomControlBar::SetPicture>(u"Picture", qpProtected);
  M.Field<&TCustomControlBar::OnBandMove>(u"OnBandMove", qpProtected);
}

void TControlBar_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TControlBar> M(AData);
  M.Constructor();
  QelRedeclareWinControl(M);
  for (std::u16string_view name : {u"RowSize", u"RowSnap", u"AutoDrag", u"AutoDock", u"Picture", u"OnBandMove"})
    M.Redeclare(name);
}

void THeader_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<THeader> M(AData);
  M.Constructor();
  QelRedeclareWinControl(M);
  M.Property<&THeader::GetSections, &THeader::SetSections>(u"Sections");
  M.Property<&THeader::GetSectionWidth, &THeader::SetSectionWidth>(u"SectionWidth");
  M.Property<&THeader::GetAllowResize, &THeader::SetAllowResize>(u"AllowResize");
  M.Field<&THeader::OnSizing>(u"OnSizing");
  M.Field<&THeader::OnSized>(u"OnSized");
}

#define QEL_EXTCTRLS_CLASSES                                                                                  \
  TCustomPanel_sw, TPanel_sw, TTimer_sw, TPaintBox_sw, TImage_sw, TShape_sw, TBevel_sw, TSplitter_sw,            \
      QEL_EXTCTRLS_LIST_CLASSES, QEL_EXTCTRLS_PANEL_CLASSES

void ExtCtrls_sw::RegisterMembers(TQelUnitWrapperData& AData) {
  TQelUnitMembers M(AData);
  QelAddTypes<TShapeType_sw, TBevelStyle_sw, TBevelShape_sw, TResizeStyle_sw, TColorBoxStyles_sw, TColorBoxStyle_sw,
              TCanResizeSplitEvent_sw, TGetColorsEvent_sw, TLBGetColorsEvent_sw, TSysLinkEvent_sw, TBandMoveEvent_sw, TSectionEvent_sw, QEL_EXTCTRLS_CLASSES>(M);
}

void ExtCtrls_sw::RegisterWrappers() {
  RegisterUnitWrapper(QelWrapperClass<ExtCtrls_sw>());
  QelRegisterClassWrappers<QEL_EXTCTRLS_CLASSES>();
  QelRegisterEventWrappers<TCanResizeSplitEvent_sw, TGetColorsEvent_sw, TLBGetColorsEvent_sw, TSysLinkEvent_sw, TBandMoveEvent_sw,
                           TSectionEvent_sw>();
}
