// The "ComCtrls" unit wrapper, tab controls and page controls.
#include "host/gui/units/ComCtrls_QelSW.h"

namespace {

// The search starts before the first page when the current one is nil (the binding refuses nil
// for a parameter of the sheet's own class).
TTabSheet* FindNextPageOf(TPageControl* Self, TPersistent* ACurPage, bool AGoForward,
                          bool ACheckTabVisible) {
  auto* page = dynamic_cast<TTabSheet*>(ACurPage);
  if (ACurPage && !page) throw ExceptionPtr(new EInvalidCast(u"Invalid class typecast"));
  return Self->FindNextPage(page, AGoForward, ACheckTabVisible);
}

}  // namespace

void TCustomTabControl_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TCustomTabControl> M(AData);
  M.Constructor();
  M.Property<&TCustomTabControl::GetTabs, &TCustomTabControl::SetTabs>(u"Tabs", qpProtected);
  M.Property<&TCustomTabControl::GetTabIndex, &TCustomTabControl::SetTabIndex>(u"TabIndex",
                                                                               qpProtected);
  M.Property<&TCustomTabControl::GetTabPosition, &TCustomTabControl::SetTabPosition>(u"TabPosition",
                                                                                     qpProtected);
  M.Property<&TCustomTabControl::GetStyle, &TCustomTabControl::SetStyle>(u"Style", qpProtected);
  M.Property<&TCustomTabControl::GetMultiLine, &TCustomTabControl::SetMultiLine>(u"MultiLine",
                                                                                 qpProtected);
  M.Property<&TCustomTabControl::GetHotTrack, &TCustomTabControl::SetHotTrack>(u"HotTrack",
                                                                               qpProtected);
  M.Property<&TCustomTabControl::GetImages, &TCustomTabControl::SetImages>(u"Images", qpProtected);
  M.Field<&TCustomTabControl::OnChange>(u"OnChange", qpProtected);
  M.Field<&TCustomTabControl::OnChanging>(u"OnChanging", qpProtected);
  M.Property<&TCustomTabControl::GetDisplayRect>(u"DisplayRect");
  M.Method<&TCustomTabControl::IndexOfTabAt>(u"IndexOfTabAt");
  M.Method<&TCustomTabControl::TabRect>(u"TabRect");
}

constexpr std::u16string_view STabPublished[] = {
    u"TabPosition", u"Style", u"MultiLine", u"HotTrack", u"Images", u"OnChange", u"OnChanging"};

void TTabControl_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TTabControl> M(AData);
  M.Constructor();
  QelRedeclareWinControl(M);
  QelRedeclare(M, STabPublished);
  M.Redeclare(u"Tabs");
  M.Redeclare(u"TabIndex");
}

void TTabSheet_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TTabSheet> M(AData);
  M.Constructor();
  QelRedeclareWinControl(M);
  M.Property<&TTabSheet::GetPageControl, &TTabSheet::SetPageControl>(u"PageControl");
  M.Property<&TTabSheet::GetPageIndex, &TTabSheet::SetPageIndex>(u"PageIndex");
  M.Property<&TTabSheet::GetTabIndex>(u"TabIndex");
  M.Property<&TTabSheet::GetTabVisible, &TTabSheet::SetTabVisible>(u"TabVisible");
  M.Property<&TTabSheet::GetImageIndex, &TTabSheet::SetImageIndex>(u"ImageIndex");
  M.Property<&TTabSheet::GetHighlighted, &TTabSheet::SetHighlighted>(u"Highlighted");
  M.Field<&TTabSheet::OnShow>(u"OnShow");
  M.Field<&TTabSheet::OnHide>(u"OnHide");
}

void TPageControl_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TPageControl> M(AData);
  M.Constructor();
  QelRedeclareWinControl(M);
  QelRedeclare(M, STabPublished);
  M.Property<&TPageControl::GetActivePage, &TPageControl::SetActivePage>(u"ActivePage");
  M.Property<&TPageControl::GetActivePageIndex, &TPageControl::SetActivePageIndex>(
      u"ActivePageIndex");
  M.Property<&TPageControl::GetPageCount>(u"PageCount");
  M.Property<&TPageControl::GetPages>(u"Pages");
  // Read-only here: the active page decides the tab.
  M.Property<&TPageControl::GetTabIndex>(u"TabIndex");
  M.Method<&FindNextPageOf>(u"FindNextPage");
  M.Method<&TPageControl::SelectNextPage, QelDefaults<true>>(u"SelectNextPage");
}
