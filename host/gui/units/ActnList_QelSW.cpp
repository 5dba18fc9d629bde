// The "Actions" and "ActnList" unit wrappers, and the action base classes they add to "Classes".
#include "host/gui/units/ActnWrappers.h"

void TBasicActionLink_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TBasicActionLink> M(AData);
  M.Property<&TBasicActionLink::GetAction, &TBasicActionLink::SetAction>(u"Action");
  M.Method<&TBasicActionLink::Update>(u"Update");
  M.Field<&TBasicActionLink::OnChange>(u"OnChange");
}

void TBasicAction_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TBasicAction> M(AData);
  M.Constructor();
  M.Published();
  M.Method<&TBasicAction::Execute>(u"Execute");
  M.Method<&TBasicAction::Update>(u"Update");
  M.Property<&TBasicAction::GetActionComponent, &TBasicAction::SetActionComponent>(
      u"ActionComponent");
}

void TContainedActionLink_sw::RegisterMembers(TQelClassWrapperData&) {}

void TContainedAction_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TContainedAction> M(AData);
  M.Constructor();
  M.Published();
  M.Property<&TContainedAction::GetActionList, &TContainedAction::SetActionList>(u"ActionList");
  M.Property<&TContainedAction::GetIndex, &TContainedAction::SetIndex>(u"Index");
  M.Property<&TContainedAction::GetStatusAction, &TContainedAction::SetStatusAction>(
      u"StatusAction");
  M.Method<&TContainedAction::Suspended>(u"Suspended");
}

void TContainedActionList_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TContainedActionList> M(AData);
  M.Constructor();
  M.Published();
  M.Property<&TContainedActionList::GetActions>(u"Actions", qpDefault);
  M.Property<&TContainedActionList::GetActionCount>(u"ActionCount");
  M.Method<&TContainedActionList::ExecuteAction>(u"ExecuteAction");
  M.Method<&TContainedActionList::UpdateAction>(u"UpdateAction");
}

void TActionListEnumerator_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TActionListEnumerator> M(AData);
  M.Property<&TActionListEnumerator::GetCurrent>(u"Current");
  M.Method<&TActionListEnumerator::MoveNext>(u"MoveNext");
}

void TCustomShortCutList_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TCustomShortCutList> M(AData);
  M.Constructor();
  M.Property<&TCustomShortCutList::GetShortCuts>(u"ShortCuts");
  M.Method<&TCustomShortCutList::IndexOfShortCut>(u"IndexOfShortCut");
}

void TCustomActionList_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TCustomActionList> M(AData);
  M.Constructor();
  M.Property<&TCustomActionList::GetImages, &TCustomActionList::SetImages>(u"Images");
  M.Method<&TCustomActionList::IsShortCut>(u"IsShortCut");
}

void TActionList_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TActionList>(AData).Constructor();
}

void TShortCutList_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TShortCutList> M(AData);
  M.Constructor();
  M.Method<&TShortCutList::Add>(u"Add");
}

void TCustomAction_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TCustomAction> M(AData);
  M.Constructor();
  M.Property<&TCustomAction::GetDisableIfNoHandler, &TCustomAction::SetDisableIfNoHandler>(
      u"DisableIfNoHandler");
  M.Property<&TCustomAction::GetSecondaryShortCuts, &TCustomAction::SetSecondaryShortCuts>(
      u"SecondaryShortCuts");
  M.Method<&TCustomAction::IsShortCut>(u"IsShortCut");
}

void TAction_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TAction>(AData).Constructor();
}
void TActionLink_sw::RegisterMembers(TQelClassWrapperData&) {}
void TControlActionLink_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TControlActionLink>(AData).Property<&TControlActionLink::GetClient>(u"Client");
}
void TMenuActionLink_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TMenuActionLink>(AData).Property<&TMenuActionLink::GetClient>(u"Client");
}

namespace {

void AddClassesActions(TQelUnitWrapperData& AData) {
  TQelUnitMembers M(AData);
  QelAddTypes<TBasicActionLink_sw, TBasicAction_sw>(M);
}
void AddControlsActions(TQelUnitWrapperData& AData) {
  TQelUnitMembers M(AData);
  QelAddTypes<TControlActionLink_sw>(M);
}

}  // namespace

#define QEL_ACTIONS_CLASSES                                                               \
  EActionError_sw, TContainedActionLink_sw, TContainedAction_sw, TContainedActionList_sw, \
      TActionListEnumerator_sw, TCustomShortCutList_sw
#define QEL_ACTNLIST_CLASSES                                                            \
  TCustomActionList_sw, TActionList_sw, TShortCutList_sw, TCustomAction_sw, TAction_sw, \
      TActionLink_sw

void Actions_sw::RegisterMembers(TQelUnitWrapperData& AData) {
  TQelUnitMembers M(AData);
  QelAddTypes<TActionListState_sw, TActionEvent_sw, TContainedActionClass_sw, QEL_ACTIONS_CLASSES>(
      M);
}

void ActnList_sw::RegisterMembers(TQelUnitWrapperData& AData) {
  TQelUnitMembers M(AData);
  QelAddTypes<TActionClass_sw, QEL_ACTNLIST_CLASSES>(M);
}

void Actions_sw::RegisterWrappers() {
  RegisterUnitWrapper(QelWrapperClass<Actions_sw>());
  QelExtendUnit(u"Classes", &AddClassesActions);
  QelExtendUnit(u"Controls", &AddControlsActions);
  QelRegisterClassWrappers<TBasicActionLink_sw, TBasicAction_sw, TControlActionLink_sw,
                           QEL_ACTIONS_CLASSES>();
  QelRegisterEventWrappers<TActionEvent_sw>();
}

void ActnList_sw::RegisterWrappers() {
  RegisterUnitWrapper(QelWrapperClass<ActnList_sw>());
  QelRegisterClassWrappers<QEL_ACTNLIST_CLASSES>();
}
