// The "Classes" unit wrapper.
#include "engine/wrappers/units/Classes_QelSW.h"

namespace {

#define QEL_CLASSES_CLASSES                                                                                  \
  TPersistent_sw, TComponent_sw, TStrings_sw, TStringList_sw, TList_sw, TThread_sw, EStreamError_sw,        \
      EFileStreamError_sw, EFOpenError_sw, EFCreateError_sw, EFilerError_sw, EReadError_sw, EWriteError_sw, \
      EClassNotFound_sw, EListError_sw, EStringListError_sw, EComponentError_sw, EInvalidOperation_sw,      \
      EThread_sw

// Forms chosen by argument count, and members whose host signature needs an adapter.
void LoadFromFile2(TStrings* AStrings, std::u16string_view AFileName, TObject*) {
  AStrings->LoadFromFile(String(AFileName));
}
void SaveToFile1(TStrings* AStrings, std::u16string_view AFileName) { AStrings->SaveToFile(String(AFileName)); }
String GetValue(TStrings* AStrings, std::u16string_view AName) { return AStrings->GetValues(AName); }
void SetValue(TStrings* AStrings, std::u16string_view AName, std::u16string_view AValue) {
  AStrings->SetValues(AName, AValue);
}
int32_t StringsAddObject(TStrings* AStrings, std::u16string_view S, TObject* AObject) {
  return AStrings->AddObject(String(S), AObject);
}
void StringsAssign(TPersistent* ATarget, TPersistent* ASource) { ATarget->Assign(ASource); }
TComponent* ComponentOwner(TComponent* AComponent) { return AComponent->GetOwner(); }
TComponent* FindComponentOf(TComponent* AComponent, std::u16string_view AName) {
  return AComponent->FindComponent(AName);
}
void SetComponentName(TComponent* AComponent, std::u16string_view AName) { AComponent->SetName(String(AName)); }
uint32_t ThreadWaitFor(TThread* AThread) { return AThread->WaitFor(); }

}  // namespace

void TPersistent_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TPersistent> M(AData);
  M.Method<&StringsAssign>(u"Assign");
  M.Method<&TPersistent::GetNamePath>(u"GetNamePath");
}

void TComponent_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TComponent> M(AData);
  M.Constructor();
  M.Property<&ComponentOwner>(u"Owner");
  M.Property<&TComponent::GetName, &SetComponentName>(u"Name");
  M.Property<&TComponent::GetTag, &TComponent::SetTag>(u"Tag");
  M.Property<&TComponent::GetComponentCount>(u"ComponentCount");
  M.Property<&TComponent::GetComponents>(u"Components");
  M.Property<&TComponent::GetComponentIndex>(u"ComponentIndex");
  M.Property<&TComponent::GetComponentState>(u"ComponentState");
  M.Method<&FindComponentOf>(u"FindComponent");
  M.Method<&TComponent::InsertComponent>(u"InsertComponent");
  M.Method<&TComponent::RemoveComponent>(u"RemoveComponent");
  M.Method<&TComponent::DestroyComponents>(u"DestroyComponents");
  M.Method<&TComponent::Destroying>(u"Destroying");
  M.Method<&TComponent::FreeNotification>(u"FreeNotification");
  M.Method<&TComponent::RemoveFreeNotification>(u"RemoveFreeNotification");
}

void TStrings_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TStrings> M(AData);
  M.Property<&TStrings::GetCount>(u"Count");
  M.Property<&TStrings::GetStrings, &TStrings::SetStrings>(u"Strings", qpDefault);
  M.Property<&TStrings::GetObjects, &TStrings::SetObjects>(u"Objects");
  M.Property<&TStrings::GetText, &TStrings::SetText>(u"Text");
  M.Property<&TStrings::GetCommaText, &TStrings::SetCommaText>(u"CommaText");
  M.Property<&TStrings::GetDelimitedText, &TStrings::SetDelimitedText>(u"DelimitedText");
  M.Property<&TStrings::GetDelimiter, &TStrings::SetDelimiter>(u"Delimiter");
  M.Property<&TStrings::GetQuoteChar, &TStrings::SetQuoteChar>(u"QuoteChar");
  M.Property<&TStrings::GetStrictDelimiter, &TStrings::SetStrictDelimiter>(u"StrictDelimiter");
  M.Property<&TStrings::GetNameValueSeparator, &TStrings::SetNameValueSeparator>(u"NameValueSeparator");
  M.Property<&TStrings::GetNames>(u"Names");
  M.Property<&GetValue, &SetValue>(u"Values");
  M.Property<&TStrings::GetValueFromIndex, &TStrings::SetValueFromIndex>(u"ValueFromIndex");
  M.Method<&TStrings::Add>(u"Add");
  M.Method<&StringsAddObject>(u"AddObject");
  M.Method<&TStrings::Append>(u"Append");
  M.Method<&TStrings::AddStrings>(u"AddStrings");
  M.Method<&TStrings::BeginUpdate>(u"BeginUpdate");
  M.Method<&TStrings::EndUpdate>(u"EndUpdate");
  M.Method<&TStrings::Clear>(u"Clear");
  M.Method<&TStrings::Delete>(u"Delete");
  M.Method<&TStrings::Equals>(u"Equals");
  M.Method<&TStrings::Exchange>(u"Exchange");
  M.Method<&TStrings::IndexOf>(u"IndexOf");
  M.Method<&TStrings::IndexOfName>(u"IndexOfName");
  M.Method<&TStrings::IndexOfObject>(u"IndexOfObject");
  M.Method<&TStrings::Insert>(u"Insert");
  M.Method<&TStrings::InsertObject>(u"InsertObject");
  M.Overloads<u"LoadFromFile", &TStrings::LoadFromFile, &LoadFromFile2>();
  M.Method<&TStrings::Move>(u"Move");
  M.Overloads<u"SaveToFile", &SaveToFile1, &TStrings::SaveToFile>();
}

void TStringList_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TStringList> M(AData);
  M.Constructor();
  M.Method<&TStringList::Find>(u"Find");
  M.Method<&TStringList::Sort>(u"Sort");
  M.Property<&TStringList::GetSorted, &TStringList::SetSorted>(u"Sorted");
  M.Property<&TStringList::GetDuplicates, &TStringList::SetDuplicates>(u"Duplicates");
  M.Property<&TStringList::GetCaseSensitive, &TStringList::SetCaseSensitive>(u"CaseSensitive");
  M.Property<&TStringList::GetOwnsObjects, &TStringList::SetOwnsObjects>(u"OwnsObjects");
  M.Field<&TStringList::OnChange>(u"OnChange");
  M.Field<&TStringList::OnChanging>(u"OnChanging");
}

void TList_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TList> M(AData);
  M.Constructor();
  M.Method<&TList::Add>(u"Add");
  M.Method<&TList::Clear>(u"Clear");
  M.Method<&TList::Delete>(u"Delete");
  M.Method<&TList::Exchange>(u"Exchange");
  M.Method<&TList::Extract>(u"Extract");
  M.Method<&TList::First>(u"First");
  M.Method<&TList::IndexOf>(u"IndexOf");
  M.Method<&TList::Insert>(u"Insert");
  M.Method<&TList::Last>(u"Last");
  M.Method<&TList::Move>(u"Move");
  M.Method<&TList::Pack>(u"Pack");
  M.Method<&TList::Remove>(u"Remove");
  M.Property<&TList::GetCapacity, &TList::SetCapacity>(u"Capacity");
  M.Property<&TList::GetCount, &TList::SetCount>(u"Count");
  M.Property<&TList::GetItems, &TList::SetItems>(u"Items", qpDefault);
}

void TThread_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TThread> M(AData);
  M.Method<&TThread::Start>(u"Start");
  M.Method<&TThread::Terminate>(u"Terminate");
  M.Method<&ThreadWaitFor>(u"WaitFor");
  M.Property<&TThread::GetTerminated>(u"Terminated");
  M.Property<&TThread::GetFinished>(u"Finished");
  M.Property<&TThread::GetThreadID>(u"ThreadID");
  M.Property<&TThread::GetFreeOnTerminate, &TThread::SetFreeOnTerminate>(u"FreeOnTerminate");
  M.Property<&TThread::GetReturnValue, &TThread::SetReturnValue>(u"ReturnValue");
  M.Property<&TThread::GetFatalException>(u"FatalException");
  M.Field<&TThread::OnTerminate>(u"OnTerminate");
}

void Classes_sw::RegisterMembers(TQelUnitWrapperData& AData) {
  TQelUnitMembers M(AData);
  QelAddTypes<TDuplicates_sw, TOperation_sw, TListNotification_sw, TComponentStateItem_sw, TComponentState_sw,
              TNotifyEvent_sw, TPersistentClass_sw, TComponentClass_sw, QEL_CLASSES_CLASSES>(M);
}

void Classes_sw::RegisterWrappers() {
  RegisterUnitWrapper(QelWrapperClass<Classes_sw>());
  QelRegisterClassWrappers<QEL_CLASSES_CLASSES>();
  QelRegisterEventWrappers<TNotifyEvent_sw>();
}
