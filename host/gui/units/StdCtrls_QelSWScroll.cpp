// The "StdCtrls" unit wrapper, continued: scroll bars and static texts.
#include "host/gui/units/GuiWrappers.h"

void TScrollBar_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TScrollBar> M(AData);
  M.Constructor();
  M.Property<&TScrollBar::GetKind, &TScrollBar::SetKind>(u"Kind");
  M.Property<&TScrollBar::GetMin, &TScrollBar::SetMin>(u"Min");
  M.Property<&TScrollBar::GetMax, &TScrollBar::SetMax>(u"Max");
  M.Property<&TScrollBar::GetPosition, &TScrollBar::SetPosition>(u"Position");
  M.Property<&TScrollBar::GetPageSize, &TScrollBar::SetPageSize>(u"PageSize");
  M.Property<&TScrollBar::GetSmallChange, &TScrollBar::SetSmallChange>(u"SmallChange");
  M.Property<&TScrollBar::GetLargeChange, &TScrollBar::SetLargeChange>(u"LargeChange");
  M.Method<&TScrollBar::SetParams>(u"SetParams");
  M.Field<&TScrollBar::OnChange>(u"OnChange");
  M.Field<&TScrollBar::OnScroll>(u"OnScroll");
  QelRedeclareWinControl(M);
}

void TCustomStaticText_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TCustomStaticText> M(AData);
  M.Constructor();
  M.Property<&TCustomStaticText::GetAlignment, &TCustomStaticText::SetAlignment>(u"Alignment", qpProtected);
  M.Property<&TCustomStaticText::GetBorderStyle, &TCustomStaticText::SetBorderStyle>(u"BorderStyle", qpProtected);
  M.Property<&TCustomStaticText::GetFocusControl, &TCustomStaticText::SetFocusControl>(u"FocusControl", qpProtected);
  M.Property<&TCustomStaticText::GetShowAccelChar, &TCustomStaticText::SetShowAccelChar>(u"ShowAccelChar", qpProtected);
  M.Property<&TCustomStaticText::GetTransparent, &TCustomStaticText::SetTransparent>(u"Transparent", qpProtected);
}

void TStaticText_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TStaticText> M(AData);
  M.Constructor();
  QelRedeclareWinControl(M);
  for (std::u16string_view name : {u"Alignment", u"BorderStyle", u"FocusControl", u"ShowAccelChar", u"Transparent"})
    M.Redeclare(name);
}
