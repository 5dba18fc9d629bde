// The "ExtCtrls" labeled edits and flow panels.
#include "host/gui/units/ExtWrappers.h"

void TBoundLabel_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TBoundLabel> M(AData);
  QelRedeclare(M, SGraphicControlPublished);
  for (std::u16string_view name :
       {u"Alignment", u"Layout", u"WordWrap", u"Transparent", u"ShowAccelChar"})
    M.Redeclare(name);
}

void TCustomLabeledEdit_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TCustomLabeledEdit> M(AData);
  M.Constructor();
  M.Property<&TCustomLabeledEdit::GetEditLabel>(u"EditLabel", qpProtected);
  M.Property<&TCustomLabeledEdit::GetLabelPosition, &TCustomLabeledEdit::SetLabelPosition>(
      u"LabelPosition", qpProtected);
  M.Property<&TCustomLabeledEdit::GetLabelSpacing, &TCustomLabeledEdit::SetLabelSpacing>(
      u"LabelSpacing", qpProtected);
}

void TLabeledEdit_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TLabeledEdit> M(AData);
  M.Constructor();
  QelRedeclareWinControl(M);
  for (std::u16string_view name :
       {u"EditLabel", u"LabelPosition", u"LabelSpacing", u"Text", u"MaxLength", u"ReadOnly",
        u"PasswordChar", u"CharCase", u"TextHint", u"OnChange"})
    M.Redeclare(name);
}

void TCustomFlowPanel_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TCustomFlowPanel> M(AData);
  M.Constructor();
  M.Property<&TCustomFlowPanel::GetFlowStyle, &TCustomFlowPanel::SetFlowStyle>(u"FlowStyle",
                                                                               qpProtected);
  M.Property<&TCustomFlowPanel::GetAutoWrap, &TCustomFlowPanel::SetAutoWrap>(u"AutoWrap",
                                                                             qpProtected);
  M.Method<&TCustomFlowPanel::GetControlIndex>(u"GetControlIndex");
  M.Method<&TCustomFlowPanel::SetControlIndex>(u"SetControlIndex");
}

void TFlowPanel_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TFlowPanel> M(AData);
  M.Constructor();
  QelRedeclareWinControl(M);
  for (std::u16string_view name :
       {u"FlowStyle", u"AutoWrap", u"Alignment", u"VerticalAlignment", u"BorderStyle",
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

void TCategoryPanelSurface_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TCategoryPanelSurface> M(AData);
  QelRedeclareWinControl(M);
}

void TCustomCategoryPanel_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TCustomCategoryPanel> M(AData);
  M.Constructor();
  M.Property<&TCustomCategoryPanel::GetPanelGroup, &TCustomCategoryPanel::SetPanelGroup>(
      u"PanelGroup");
  M.Property<&TCustomCategoryPanel::GetCollapsed, &TCustomCategoryPanel::SetCollapsed>(u"Collapsed",
                                                                                       qpProtected);
  M.Field<&TCustomCategoryPanel::OnCollapse>(u"OnCollapse", qpProtected);
  M.Field<&TCustomCategoryPanel::OnExpand>(u"OnExpand", qpProtected);
  M.Property<&TCustomCategoryPanel::GetSurface>(u"Surface");
  M.Method<&TCustomCategoryPanel::Collapse>(u"Collapse");
  M.Method<&TCustomCategoryPanel::Expand>(u"Expand");
}

void TCategoryPanel_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TCategoryPanel> M(AData);
  M.Constructor();
  QelRedeclareWinControl(M);
  for (std::u16string_view name : {u"Collapsed", u"OnCollapse", u"OnExpand"}) M.Redeclare(name);
}

void TCustomCategoryPanelGroup_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TCustomCategoryPanelGroup> M(AData);
  M.Constructor();
  M.Property<&TCustomCategoryPanelGroup::GetHeaderHeight,
             &TCustomCategoryPanelGroup::SetHeaderHeight>(u"HeaderHeight", qpProtected);
  M.Property<&TCustomCategoryPanelGroup::GetPanelCount>(u"PanelCount");
  M.Method<&TCustomCategoryPanelGroup::CreatePanel>(u"CreatePanel");
  M.Method<&TCustomCategoryPanelGroup::CollapseAll>(u"CollapseAll");
  M.Method<&TCustomCategoryPanelGroup::ExpandAll>(u"ExpandAll");
}

void TCategoryPanelGroup_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TCategoryPanelGroup> M(AData);
  M.Constructor();
  QelRedeclareWinControl(M);
  M.Redeclare(u"HeaderHeight");
}
