// The "ListActns" unit wrapper: list actions, their items and their clients' links.
#include "host/gui/units/ListActns_QelSW.h"

void TListActionLink_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TListActionLink>(AData).Property<&TListActionLink::GetClient>(u"Client");
}

void TCustomListAction_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TCustomListAction> M(AData);
  M.Property<&TCustomListAction::GetCount>(u"Count");
  M.Property<&TCustomListAction::GetItemIndex, &TCustomListAction::SetItemIndex>(u"ItemIndex");
  M.Property<&TCustomListAction::GetActive, &TCustomListAction::SetActive>(u"Active");
  M.Property<&TCustomListAction::GetListClientCount>(u"ListClientCount");
  M.Method<&TCustomListAction::ItemsChanged>(u"ItemsChanged");
  M.Field<&TCustomListAction::OnGetItemCount>(u"OnGetItemCount");
  M.Field<&TCustomListAction::OnItemSelected>(u"OnItemSelected");
}

void TListControlItem_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TListControlItem> M(AData);
  M.Property<&TListControlItem::GetCaption, &TListControlItem::SetCaption>(u"Caption");
  M.Property<&TListControlItem::GetImageIndex, &TListControlItem::SetImageIndex>(u"ImageIndex");
  M.Property<&TListControlItem::GetData, &TListControlItem::SetData>(u"Data");
}

void TListControlItems_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TListControlItems> M(AData);
  M.Method<&TListControlItems::Add>(u"Add");
  M.Method<&TListControlItems::AddItem>(u"AddItem");
  M.Method<&TListControlItems::IndexOf>(u"IndexOf");
}

void TStaticListItems_sw::RegisterMembers(TQelClassWrapperData&) {}

void TCustomStaticListAction_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TCustomStaticListAction> M(AData);
  M.Property<&TCustomStaticListAction::GetListItems, &TCustomStaticListAction::SetListItems>(
      u"Items");
  M.Field<&TCustomStaticListAction::OnGetItem>(u"OnGetItem");
}

void TStaticListAction_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TStaticListAction>(AData).Constructor();
}

void TCustomVirtualListAction_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TCustomVirtualListAction> M(AData);
  M.Property<&TCustomVirtualListAction::GetCount, &TCustomVirtualListAction::SetCount>(u"Count");
  M.Field<&TCustomVirtualListAction::OnGetItem>(u"OnGetItem");
}

void TVirtualListAction_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TVirtualListAction>(AData).Constructor();
}

#define QEL_LISTACTNS_CLASSES                                                          \
  TListActionLink_sw, TCustomListAction_sw, TListControlItem_sw, TListControlItems_sw, \
      TStaticListItems_sw, TCustomStaticListAction_sw, TStaticListAction_sw,           \
      TCustomVirtualListAction_sw, TVirtualListAction_sw
#define QEL_LISTACTNS_EVENTS TGetItemCountEvent_sw, TItemSelectedEvent_sw, TGetVirtualListItem_sw

void ListActns_sw::RegisterMembers(TQelUnitWrapperData& AData) {
  TQelUnitMembers M(AData);
  QelAddTypes<QEL_LISTACTNS_EVENTS, QEL_LISTACTNS_CLASSES>(M);
}

void ListActns_sw::RegisterWrappers() {
  RegisterUnitWrapper(QelWrapperClass<ListActns_sw>());
  QelRegisterClassWrappers<QEL_LISTACTNS_CLASSES>();
  QelRegisterEventWrappers<QEL_LISTACTNS_EVENTS>();
}
