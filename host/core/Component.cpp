// TComponent: ownership, names, notifications and the loading phase.
#include <algorithm>

#include "host/core/Classes.h"

namespace {

[[noreturn]] void ComponentError(std::u16string_view AFormat, std::u16string_view AName) {
  throw ExceptionPtr(new EComponentError(Exception::FormatMessage(AFormat, {AName})));
}

void Erase(std::vector<TComponent*>& AList, TComponent* AItem) {
  AList.erase(std::remove(AList.begin(), AList.end(), AItem), AList.end());
}

}  // namespace

TComponent::TComponent(TComponent* AOwner) {
  if (AOwner) AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
  Destroying();
  NotifyFreeNotifies();
  DestroyComponents();
  if (FOwner) FOwner->RemoveComponent(this);
}

void TComponent::BeforeDestruction() { Destroying(); }

void TComponent::Destroying() {
  if (FComponentState.Contains(csDestroying)) return;
  FComponentState.Include(csDestroying);
  for (TComponent* child : FComponents) child->Destroying();
}

void TComponent::NotifyFreeNotifies() {
  // Each partner drops this one from its list in Notification, so take from
  // the end until none is left.
  while (!FFreeNotifies.empty()) {
    TComponent* partner = FFreeNotifies.back();
    FFreeNotifies.pop_back();
    Erase(partner->FFreeNotifies, this);
    partner->Notification(this, opRemove);
  }
}

void TComponent::DestroyComponents() {
  while (!FComponents.empty()) {
    TComponent* child = FComponents.back();
    if (child->FComponentState.Contains(csFreeNotification)) RemoveComponent(child);
    else Remove(child);
    child->Free();
  }
}

TComponent* TComponent::GetComponents(int AIndex) const {
  if (AIndex < 0 || AIndex >= GetComponentCount())
    throw ExceptionPtr(new EListError(Exception::FormatMessage(u"List index out of bounds (%d)", {IntToStr(AIndex)})));
  return FComponents[AIndex];
}

int TComponent::GetComponentIndex() const {
  if (!FOwner) return -1;
  const auto& siblings = FOwner->FComponents;
  return static_cast<int>(std::find(siblings.begin(), siblings.end(), this) - siblings.begin());
}

TComponent* TComponent::FindComponent(std::u16string_view AName) const {
  if (AName.empty()) return nullptr;
  for (TComponent* child : FComponents)
    if (SameText(child->FName, AName)) return child;
  return nullptr;
}

void TComponent::SetName(const String& ANewName) {
  if (FName == ANewName) return;
  if (!ANewName.empty() && !IsValidIdent(ANewName)) ComponentError(u"'%s' is not a valid component name", ANewName);
  if (FOwner) FOwner->ValidateRename(this, FName, ANewName);
  else ValidateRename(nullptr, FName, ANewName);
  FName = ANewName;
}

void TComponent::ValidateRename(TComponent* AComponent, const String& ACurName, const String& ANewName) {
  if (!AComponent || ANewName.empty() || SameText(ACurName, ANewName)) return;
  TComponent* existing = FindComponent(ANewName);
  if (existing && existing != AComponent) ComponentError(u"A component named %s already exists", ANewName);
}

void TComponent::InsertComponent(TComponent* AComponent) {
  if (!AComponent || AComponent->FOwner == this) return;
  // Owning an owner of oneself would make a ring that no one ever frees.
  for (const TComponent* owner = this; owner; owner = owner->FOwner)
    if (owner == AComponent) ComponentError(u"A component cannot own itself or its owner %s", AComponent->FName);
  if (!AComponent->FName.empty() && FindComponent(AComponent->FName))
    ComponentError(u"Component named %s already exists", AComponent->FName);
  if (AComponent->FOwner) AComponent->FOwner->RemoveComponent(AComponent);
  Insert(AComponent);
  if (FComponentState.Contains(csDesigning)) AComponent->SetDesigning(true);
  Notification(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
  if (!AComponent || AComponent->FOwner != this) return;
  Notification(AComponent, opRemove);
  Remove(AComponent);
}

void TComponent::Insert(TComponent* AComponent) {
  FComponents.push_back(AComponent);
  AComponent->FOwner = this;
}

void TComponent::Remove(TComponent* AComponent) {
  Erase(FComponents, AComponent);
  AComponent->FOwner = nullptr;
}

void TComponent::Notification(TComponent* AComponent, TOperation AOperation) {
  if (AOperation == opRemove && AComponent) RemoveFreeNotification(AComponent);
  // A child may remove components while being told; walk from the end and
  // clamp to the current count.
  for (size_t i = FComponents.size(); i-- > 0;) {
    if (i >= FComponents.size()) continue;
    FComponents[i]->Notification(AComponent, AOperation);
  }
}

void TComponent::FreeNotification(TComponent* AComponent) {
  if (!AComponent || AComponent == this) return;
  // Components of one owner hear of each other through the owner.
  if (!FOwner || AComponent->FOwner != FOwner) {
    if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent) == FFreeNotifies.end()) {
      FFreeNotifies.push_back(AComponent);
      AComponent->FreeNotification(this);
    }
  }
  FComponentState.Include(csFreeNotification);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
  if (!AComponent) return;
  Erase(FFreeNotifies, AComponent);
  Erase(AComponent->FFreeNotifies, this);
}

void TComponent::SetComponentStateItem(TComponentStateItem AItem, bool AOn) {
  if (AOn) FComponentState.Include(AItem);
  else FComponentState.Exclude(AItem);
}

void TComponent::BeginLoading() {
  FComponentState.Include(csLoading);
  for (TComponent* child : FComponents) child->BeginLoading();
}

void TComponent::EndLoading() {
  if (FComponentState.Contains(csLoading)) Loaded();
  // Loaded may create components; iterate by index over the current list.
  for (size_t i = 0; i < FComponents.size(); ++i) FComponents[i]->EndLoading();
}

void TComponent::Loaded() { FComponentState.Exclude(csLoading); }

void TComponent::SetDesigning(bool ADesigning, bool ASetChildren) {
  SetComponentStateItem(csDesigning, ADesigning);
  if (ASetChildren)
    for (TComponent* child : FComponents) child->SetDesigning(ADesigning);
}

void TComponent::QelRegisterMembers(TClassInfo& AInfo) { QelPublish<TComponent>(AInfo); }
