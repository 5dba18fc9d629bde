// The "ImageList" and "Messaging" unit wrappers. The message manager is made by the script
// that uses it: a process-wide one would keep calling the handlers of scripts that have ended.
#include "engine/wrappers/units/Messaging_QelSW.h"

namespace {

TMessage* NewMessage(TClass, std::u16string_view AValue) { return new TMessage(String(AValue)); }
TMessageBase* NewMessageBase(TClass) { return new TMessageBase(); }
TMessageManager* NewMessageManager(TClass) { return new TMessageManager(); }

// Unsubscribe takes the subscription's id or the listener itself.
void UnsubscribeOf(TMessageManager* AManager, TClass AClass, const VARIANT& AIdOrListener) {
  const VARIANT& value = QelDeref(AIdOrListener);
  if (value.vt == VT_DISPATCH) {
    AManager->Unsubscribe(AClass, TQelConv<TMessageListenerMethod>::FromVar(value));
  } else {
    AManager->Unsubscribe(AClass, TQelConv<int32_t>::FromVar(value));
  }
}

}  // namespace

void TBaseImageList_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TBaseImageList> M(AData);
  M.Constructor();
  M.Method<&TBaseImageList::BeginUpdate>(u"BeginUpdate");
  M.Method<&TBaseImageList::EndUpdate>(u"EndUpdate");
  M.Method<&TBaseImageList::Change>(u"Change");
  M.Property<&TBaseImageList::GetCount>(u"Count");
  M.Property<&TBaseImageList::GetUpdating>(u"Updating");
  M.Property<&TBaseImageList::GetLinkCount>(u"LinkCount");
  M.Property<&TBaseImageList::GetLinks>(u"Links");
  M.Field<&TBaseImageList::OnChange>(u"OnChange");
}

void TImageLink_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TImageLink> M(AData);
  M.Constructor();
  M.Property<&TImageLink::GetImages, &TImageLink::SetImages>(u"Images");
  M.Property<&TImageLink::GetImageIndex, &TImageLink::SetImageIndex>(u"ImageIndex");
  M.Property<&TImageLink::GetIgnoreIndex, &TImageLink::SetIgnoreIndex>(u"IgnoreIndex");
  M.Property<&TImageLink::GetIgnoreImages, &TImageLink::SetIgnoreImages>(u"IgnoreImages");
  M.Method<&TImageLink::Change>(u"Change");
  M.Field<&TImageLink::OnChange>(u"OnChange");
}

void TMessageBase_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TMessageBase>(AData).Constructor<&NewMessageBase>();
}

void TMessage_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TMessage> M(AData);
  M.Constructor<&NewMessage, QelDefaults<TQelName(u"")>>();
  M.Property<&TMessage::GetValue>(u"Value");
}

void TMessageManager_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TMessageManager> M(AData);
  M.Constructor<&NewMessageManager>();
  M.Method<&TMessageManager::SubscribeToMessage>(u"SubscribeToMessage");
  M.Method<&UnsubscribeOf>(u"Unsubscribe");
  M.Method<&TMessageManager::SendMessage, QelDefaults<true>>(u"SendMessage");
  M.Method<&TMessageManager::GetSubscriptionCount>(u"SubscriptionCount");
}

void ImageList_sw::RegisterMembers(TQelUnitWrapperData& AData) {
  TQelUnitMembers M(AData);
  QelAddTypes<TBaseImageList_sw, TImageLink_sw>(M);
  QelUnitData_ImageList(M);
}

void ImageList_sw::RegisterWrappers() {
  RegisterUnitWrapper(QelWrapperClass<ImageList_sw>());
  QelRegisterClassWrappers<TBaseImageList_sw, TImageLink_sw>();
}

void Messaging_sw::RegisterMembers(TQelUnitWrapperData& AData) {
  TQelUnitMembers M(AData);
  QelAddTypes<TMessageManager_sw, TMessageBase_sw, TMessage_sw, TMessageListenerMethod_sw>(M);
  QelUnitData_Messaging(M);
}

void Messaging_sw::RegisterWrappers() {
  RegisterUnitWrapper(QelWrapperClass<Messaging_sw>());
  QelRegisterClassWrappers<TMessageManager_sw, TMessageBase_sw, TMessage_sw>();
  QelRegisterEventWrappers<TMessageListenerMethod_sw>();
}
