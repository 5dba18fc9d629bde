// The "ExtCtrls" labeled edits and flow panels.
#include "host/gui/units/ExtWrappers.h"

void TBoundLabel_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TBoundLabel> M(AData);
  QelRedeclare(M, SGraphicControlPublished);
  for (std::u16string_view name : {u"Alignment", u"Layout", u"WordWrap", u"Transparent", u"ShowAccelChar"}) M.Redeclare(name);
}

void TCustomLabeledEdit_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TCustomLabeledEdit> M(AData);
  M.Constructor();
  M.Property<&TCustomLabeledEdit::GetEditLabel>(u"EditLabel", qpProtected);
  M.Property<&TCustomLabeledEdit::GetLabelPosition, &TCustomLabeledEdit::SetLabelPosition>(u"LabelPosition", qpProtected);
  M.Property<&TCustomLabeledEdit::GetLabelSpacing, &TCustomLabeledEdit::SetLabelSpacing>(u"LabelSpacing", qpProtected);
}

void TLabeledEdit_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TLabeledEdit> M(AData);
  M.Constructor();
  QelRedeclareWinControl(M);
  for (std::u16string_view name : {u"EditLabel", u"LabelPosition", u"LabelSpacing", u"Text", u"MaxLength", u"ReadOnly",
                                   u"PasswordChar", u"CharCase", u"TextHint", u"OnChange"})
    M.Redeclare(name);
}

void TCustomFlowPanel_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TCustomFlowPanel> M(AData);
  M.Constructor();
  M.Property<&TCustomFlowPanel::GetFlowStyle, &TCustomFlowPanel::SetFlowStyle>(u"FlowStyle", qpProtected);
  M.Property<&TCustomFlowPanel::GetAutoWrap, &TCustomFlowPanel::SetAutoWrap>(u"AutoWrap", qpProtected);
  M.Method<&TCustomFlowPanel::GetControlIndex>(u"GetControlIndex");
  M.Method<&TCustomFlowPanel::SetControlIndex>(u"SetControlIndex");
}

void TFlowPanel_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TFlowPanel> M(AData);
  M.Constructor();
  QelRedeclareWinControl(M);
  for (std::u16string_view name : {u"FlowStyle", u"AutoWrap", u"Alignment", u"VerticalAlignment", u"BorderStyle",
                                   u"ShowCaption", u"FullRepaint", u"ParentBackground", u"BevelInner", u"BevelOuter",
                                   u"BevelKind", u"BevelWidth", u"BorderWidth"})
    M.Redeclare(name);
}

void TPage_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TPage> M(AData);
  M.Constructor();
  QelRedeclareWinControl(M);
}

void TNotebook_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TNotebook> M(AData);
  M.Constructor();
  QelRedeclareWinControl(M);
  M.Property<&TNotebook::GetPages, &TNotebook::SetPages>(u"Pages");
  M.Property<&TNotebook::GetPageIndex, &TNotebook::SetPageIndex>(u"PageIndex");
  M.Property<&TNotebook::GetActivePage, &TNotebook::SetActivePage>(u"ActivePage");
  M.Field<&TNotebook::OnPageChanged>(u"OnPageChanged");
}
