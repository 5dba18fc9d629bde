// The "ComCtrls" unit wrapper: list views and status bars, and the unit itself (joining the
// unit's types from the core's data); the other controls register in ComCtrls_QelSW*.cpp.
#include "host/gui/units/ComCtrls_QelSW.h"

void TListColumn_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TListColumn> M(AData);
  M.Property<&TListColumn::GetCaption, &TListColumn::SetCaption>(u"Caption");
  M.Property<&TListColumn::GetWidth, &TListColumn::SetWidth>(u"Width");
  M.Property<&TListColumn::GetAlignment, &TListColumn::SetAlignment>(u"Alignment");
  M.Property<&TListColumn::GetAutoSize, &TListColumn::SetAutoSize>(u"AutoSize");
}

void TListColumns_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TListColumns> M(AData);
  M.Method<&TListColumns::Add>(u"Add");
  M.Property<&TListColumns::GetItems>(u"Items", qpDefault);
}

void TListItem_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TListItem> M(AData);
  M.Property<&TListItem::GetCaption, &TListItem::SetCaption>(u"Caption");
  M.Property<&TListItem::GetSubItems, &TListItem::SetSubItems>(u"SubItems");
  M.Property<&TListItem::GetImageIndex, &TListItem::SetImageIndex>(u"ImageIndex");
  M.Property<&TListItem::GetStateIndex, &TListItem::SetStateIndex>(u"StateIndex");
  M.Property<&TListItem::GetChecked, &TListItem::SetChecked>(u"Checked");
  M.Property<&TListItem::GetSelected, &TListItem::SetSelected>(u"Selected");
  M.Property<&TListItem::GetFocused, &TListItem::SetFocused>(u"Focused");
  M.Property<&TListItem::GetIndex>(u"Index");
  M.Property<&TListItem::GetOwner>(u"Owner");
  M.Property<&TListItem::GetListView>(u"ListView");
  M.Method<&TListItem::Delete>(u"Delete");
  M.Method<&TListItem::MakeVisible>(u"MakeVisible");
  M.Method<&TListItem::DisplayRect>(u"DisplayRect");
  M.Method<&TListItem::EditCaption>(u"EditCaption");
  M.Method<&TListItem::Update>(u"Update");
}

void TListItems_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TListItems> M(AData);
  M.Method<&TListItems::Add>(u"Add");
  M.Method<&TListItems::AddItem, QelDefaults<-1>>(u"AddItem");
  M.Method<&TListItems::Insert>(u"Insert");
  M.Method<&TListItems::Delete>(u"Delete");
  M.Method<&TListItems::Clear>(u"Clear");
  M.Method<&TListItems::BeginUpdate>(u"BeginUpdate");
  M.Method<&TListItems::EndUpdate>(u"EndUpdate");
  M.Method<&TListItems::IndexOf>(u"IndexOf");
  M.Property<&TListItems::GetCount>(u"Count");
  M.Property<&TListItems::GetItem, &TListItems::SetItem>(u"Item", qpDefault);
  M.Property<&TListItems::GetOwner>(u"Owner");
}

void TCustomListView_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TCustomListView> M(AData);
  M.Constructor();
  M.Property<&TCustomListView::GetItems, &TCustomListView::SetItems>(u"Items", qpProtected);
  M.Property<&TCustomListView::GetColumns, &TCustomListView::SetColumns>(u"Columns", qpProtected);
  M.Property<&TCustomListView::GetViewStyle, &TCustomListView::SetViewStyle>(u"ViewStyle", qpProtected);
  M.Property<&TCustomListView::GetSortType, &TCustomListView::SetSortType>(u"SortType", qpProtected);
  M.Property<&TCustomListView::GetReadOnly, &TCustomListView::SetReadOnly>(u"ReadOnly", qpProtected);
  M.Property<&TCustomListView::GetHideSelection, &TCustomListView::SetHideSelection>(u"HideSelection", qpProtected);
  M.Property<&TCustomListView::GetRowSelect, &TCustomListView::SetRowSelect>(u"RowSelect", qpProtected);
  M.Property<&TCustomListView::GetShowColumnHeaders, &TCustomListView::SetShowColumnHeaders>(u"ShowColumnHeaders", qpProtected);
  M.Property<&TCustomListView::GetGridLines, &TCustomListView::SetGridLines>(u"GridLines", qpProtected);
  M.Property<&TCustomListView::GetCheckboxes, &TCustomListView::SetCheckboxes>(u"Checkboxes", qpProtected);
  M.Property<&TCustomListView::GetSmallImages, &TCustomListView::SetSmallImages>(u"SmallImages", qpProtected);
  M.Property<&TCustomListView::GetLargeImages, &TCustomListView::SetLargeImages>(u"LargeImages", qpProtected);
  M.Property<&TCustomListView::GetMultiSelect, &TCustomListView::SetMultiSelect>(u"MultiSelect", qpProtected);
  M.Field<&TCustomListView::OnSelectItem>(u"OnSelectItem", qpProtected);
  M.Field<&TCustomListView::OnChange>(u"OnChange", qpProtected);
  M.Field<&TCustomListView::OnDeletion>(u"OnDeletion", qpProtected);
  M.Field<&TCustomListView::OnInsert>(u"OnInsert", qpProtected);
  M.Field<&TCustomListView::OnEditing>(u"OnEditing", qpProtected);
  M.Field<&TCustomListView::OnEdited>(u"OnEdited", qpProtected);
  M.Field<&TCustomListView::OnCompare>(u"OnCompare", qpProtected);
  M.Field<&TCustomListView::OnColumnClick>(u"OnColumnClick", qpProtected);
  M.Property<&TCustomListView::GetSelected, &TCustomListView::SetSelected>(u"Selected");
  M.Property<&TCustomListView::GetItemFocused, &TCustomListView::SetItemFocused>(u"ItemFocused");
  M.Property<&TCustomListView::GetItemIndex, &TCustomListView::SetItemIndex>(u"ItemIndex");
  M.Property<&TCustomListView::GetSelCount>(u"SelCount");
  M.Property<&TCustomListView::GetTopItem>(u"TopItem");
  M.Property<&TCustomListView::GetVisibleRowCount>(u"VisibleRowCount");
  M.Property<&TCustomListView::GetIsEditing>(u"IsEditing");
  M.Method<&TCustomListView::GetItemAt>(u"GetItemAt");
  M.Method<&TCustomListView::FindCaption>(u"FindCaption");
  M.Method<&TCustomListView::AlphaSort>(u"AlphaSort");
  M.Method<&TCustomListView::Scroll>(u"Scroll");
  M.Method<&TCustomListView::AddItem>(u"AddItem");
  M.Method<&TCustomListView::Clear>(u"Clear");
  M.Method<&TCustomListView::ClearSelection>(u"ClearSelection");
  M.Method<&TCustomListView::DeleteSelected>(u"DeleteSelected");
  M.Method<&TCustomListView::SelectAll>(u"SelectAll");
}

constexpr std::u16string_view SListViewPublished[] = {
    u"Items",       u"Columns",    u"ViewStyle",    u"SortType",  u"ReadOnly",     u"HideSelection",
    u"RowSelect",   u"ShowColumnHeaders", u"GridLines", u"Checkboxes", u"SmallImages", u"LargeImages",
    u"MultiSelect", u"OnSelectItem", u"OnChange", u"OnDeletion", u"OnInsert", u"OnEditing",
    u"OnEdited",    u"OnCompare", u"OnColumnClick"};

void TListView_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TListView> M(AData);
  M.Constructor();
  QelRedeclareWinControl(M);
  QelRedeclare(M, SListViewPublished);
}

void TStatusPanel_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TStatusPanel> M(AData);
  M.Property<&TStatusPanel::GetText, &TStatusPanel::SetText>(u"Text");
  M.Property<&TStatusPanel::GetWidth, &TStatusPanel::SetWidth>(u"Width");
  M.Property<&TStatusPanel::GetAlignment, &TStatusPanel::SetAlignment>(u"Alignment");
  M.Property<&TStatusPanel::GetStyle, &TStatusPanel::SetStyle>(u"Style");
  M.Property<&TStatusPanel::GetBevel, &TStatusPanel::SetBevel>(u"Bevel");
}

void TStatusPanels_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TStatusPanels> M(AData);
  M.Method<&TStatusPanels::Add>(u"Add");
  M.Property<&TStatusPanels::GetItems>(u"Items", qpDefault);
}

void TCustomStatusBar_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TCustomStatusBar> M(AData);
  M.Constructor();
  M.Property<&TCustomStatusBar::GetPanels, &TCustomStatusBar::SetPanels>(u"Panels");
  M.Property<&TCustomStatusBar::GetSimplePanel, &TCustomStatusBar::SetSimplePanel>(u"SimplePanel");
  M.Property<&TCustomStatusBar::GetSimpleText, &TCustomStatusBar::SetSimpleText>(u"SimpleText");
  M.Property<&TCustomStatusBar::GetSizeGrip, &TCustomStatusBar::SetSizeGrip>(u"SizeGrip");
  M.Property<&TCustomStatusBar::GetAutoHint, &TCustomStatusBar::SetAutoHint>(u"AutoHint");
  M.Property<&TCustomStatusBar::GetUseSystemFont, &TCustomStatusBar::SetUseSystemFont>(u"UseSystemFont");
  M.Property<&TCustomStatusBar::GetCanvas>(u"Canvas");
  M.Method<&TCustomStatusBar::PanelRect>(u"PanelRect");
  M.Field<&TCustomStatusBar::OnDrawPanel>(u"OnDrawPanel");
  M.Field<&TCustomStatusBar::OnHint>(u"OnHint");
}

void TStatusBar_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TStatusBar> M(AData);
  M.Constructor();
  QelRedeclare(M, SGraphicControlPublished);
}

#define QEL_COMCTRLS_CLASSES                                                                                      \
  TListColumn_sw, TListColumns_sw, TListItem_sw, TListItems_sw, TCustomListView_sw, TListView_sw, TStatusPanel_sw, \
      TStatusPanels_sw, TCustomStatusBar_sw, TStatusBar_sw
#define QEL_COMCTRLS_EVENTS                                                                                  \
  TLVSelectItemEvent_sw, TLVChangeEvent_sw, TLVDeletedEvent_sw, TLVEditingEvent_sw, TLVEditedEvent_sw,       \
      TLVCompareEvent_sw, TLVColumnClickEvent_sw, TDrawPanelEvent_sw

void ComCtrls_sw::RegisterMembers(TQelUnitWrapperData& AData) {
  TQelUnitMembers M(AData);
  QelAddTypes<TDisplayCode_sw, QEL_COMCTRLS_EVENTS, QEL_COMCTRLS_MORE_EVENTS, QEL_COMCTRLS_CLASSES,
              QEL_COMCTRLS_MORE_CLASSES>(M);
}

void ComCtrls_sw::RegisterWrappers() {
  RegisterUnitWrapper(QelWrapperClass<ComCtrls_sw>());
  QelRegisterClassWrappers<QEL_COMCTRLS_CLASSES, QEL_COMCTRLS_MORE_CLASSES, QEL_COMCTRLS_HIDDEN_CLASSES>();
  QelRegisterEventWrappers<QEL_COMCTRLS_EVENTS, QEL_COMCTRLS_MORE_EVENTS>();
}
