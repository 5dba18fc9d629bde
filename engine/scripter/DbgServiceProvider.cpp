// The service provider's three registries.
#include "engine/scripter/QelSctServiceProvider.h"

void TQelServices::RegisterService(TObject* AService) {
  for (TObject* service : FItems)
    if (service->InheritsFrom(AService->ClassType()))
      throw ExceptionPtr(new EQelServiceProvider(u"Service " + AService->ClassName() +
                                                 u" already registered."));
  FItems.push_back(AService);
}

TObject* TQelServices::Find(TClass AClass) const {
  for (TObject* service : FItems)
    if (service->InheritsFrom(AClass)) return service;
  return nullptr;
}

TObject* TQelServices::Get(TClass AClass) const {
  if (TObject* service = Find(AClass)) return service;
  throw ExceptionPtr(new EQelServiceProvider(u"Service " + AClass->ClassName() +
                                             u" is not registered."));
}

void TQelMembers::RegisterMember(TObject* AMember) {
  if (IsMember(AMember)) return;
  FItems.push_back(AMember);
  for (IQelServicesNotifier* notifier : FProvider->Notifiers().GetList<IQelServicesNotifier>())
    notifier->AfterMemberAddition(AMember);
}

void TQelMembers::UnregisterMember(TObject* AMember) {
  if (!IsMember(AMember)) return;
  for (IQelServicesNotifier* notifier : FProvider->Notifiers().GetList<IQelServicesNotifier>())
    notifier->BeforeMemberRemoving(AMember);
  std::erase(FItems, AMember);
}

std::vector<TObject*> TQelMembers::GetList(TClass AClass) const {
  std::vector<TObject*> list;
  for (TObject* member : FItems)
    if (member->InheritsFrom(AClass)) list.push_back(member);
  return list;
}

TObject* TQelMembers::FindFirst(TClass AClass) const {
  for (TObject* member : FItems)
    if (member->InheritsFrom(AClass)) return member;
  return nullptr;
}

TQelServiceProvider::~TQelServiceProvider() {
  // Cleared without notifications; the component's removal notices (the debugger drops its
  // reference) follow in TComponent's destructor, which touches no registry.
  FServices.Clear();
  FNotifiers.Clear();
  FMembers.Clear();
}
