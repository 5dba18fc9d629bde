// The links that keep controls and menu items in step with their actions.
#include "host/gui/ActnList.h"
#include "host/gui/StdCtrls.h"

namespace {

// The client a link is writing: its clicks while the link sets its check are not the user's.
thread_local TObject* SWriting = nullptr;
// While a link first shows its action every property is copied, whatever the client shows.
thread_local bool SApplying = false;

template <class F>
void Writing(TObject* AClient, F&& AWrite) {
  TObject* saved = SWriting;
  SWriting = AClient;
  struct TRestore {
    TObject* Saved;
    ~TRestore() { SWriting = Saved; }
  } restore{saved};
  AWrite();
}

// Makes or drops the link of a client and shows the action on it.
template <class Link, class Client>
void LinkAction(Client* AClient, Link*& ALink, TBasicAction* AValue) {
  if (!AValue) {
    delete ALink;
    ALink = nullptr;
    return;
  }
  if (!ALink) ALink = new Link(AClient);
  ALink->SetAction(AValue);
  ALink->Apply();
}

}  // namespace

bool QelActionClick(TObject* AClient, TBasicActionLink* ALink, const TNotifyEvent& AOnClick) {
  if (SWriting == AClient) return true;
  if (!ALink || !ALink->GetAction()) return false;
  if (AOnClick && !(AOnClick == ALink->GetAction()->OnExecute)) return false;
  ALink->Execute(dynamic_cast<TComponent*>(AClient));
  return true;
}

TContainedAction* TContainedActionLink::Contained() const {
  return dynamic_cast<TContainedAction*>(GetAction());
}

void TContainedActionLink::Apply() {
  TContainedAction* action = Contained();
  if (!action) return;
  const bool saved = SApplying;
  SApplying = true;
  struct TRestore {
    bool Saved;
    ~TRestore() { SApplying = Saved; }
  } restore{saved};
  SetCaption(action->GetCaption());
  SetEnabled(action->GetEnabled());
  SetHint(action->GetHint());
  SetShortCut(action->GetShortCut());
  SetVisible(action->GetVisible());
  SetChecked(action->GetChecked());
  SetImageIndex(action->GetImageIndex());
}

// A client follows a property while it shows the action's value (or while the link is first
// applied); a client changed on its own keeps its value.
#define QEL_LINKED(Get) (SApplying || (Contained() && FClient->Get() == Contained()->Get()))

// ---- controls ------------------------------------------------------------------

TBasicAction* TControl::GetAction() const {
  return FActionLink ? FActionLink->GetAction() : nullptr;
}
void TControl::SetAction(TBasicAction* AValue) { LinkAction(this, FActionLink, AValue); }

void TControlActionLink::SetCaption(const String& AValue) {
  if (QEL_LINKED(GetCaption)) FClient->SetCaption(AValue);
}
void TControlActionLink::SetEnabled(bool AValue) {
  if (QEL_LINKED(GetEnabled)) FClient->SetEnabled(AValue);
}
void TControlActionLink::SetHint(const String& AValue) {
  if (QEL_LINKED(GetHint)) FClient->SetHint(AValue);
}
void TControlActionLink::SetVisible(bool AValue) {
  if (QEL_LINKED(GetVisible)) FClient->SetVisible(AValue);
}

void TControlActionLink::SetChecked(bool AValue) {
  Writing(FClient, [&] {
    if (auto* box = dynamic_cast<TCustomCheckBox*>(FClient)) box->SetChecked(AValue);
    else if (auto* radio = dynamic_cast<TRadioButton*>(FClient)) radio->SetChecked(AValue);
  });
}

// ---- menu items -------------------------------------------------------------------

TBasicAction* TMenuItem::GetAction() const {
  return FActionLink ? FActionLink->GetAction() : nullptr;
}
void TMenuItem::SetAction(TBasicAction* AValue) { LinkAction(this, FActionLink, AValue); }

void TMenuActionLink::SetCaption(const String& AValue) {
  if (QEL_LINKED(GetCaption)) FClient->SetCaption(AValue);
}
void TMenuActionLink::SetChecked(bool AValue) {
  if (QEL_LINKED(GetChecked)) FClient->SetChecked(AValue);
}
void TMenuActionLink::SetEnabled(bool AValue) {
  if (QEL_LINKED(GetEnabled)) FClient->SetEnabled(AValue);
}
void TMenuActionLink::SetHint(const String& AValue) {
  if (QEL_LINKED(GetHint)) FClient->SetHint(AValue);
}
void TMenuActionLink::SetShortCut(TShortCut AValue) {
  if (QEL_LINKED(GetShortCut)) FClient->SetShortCut(AValue);
}
void TMenuActionLink::SetVisible(bool AValue) {
  if (QEL_LINKED(GetVisible)) FClient->SetVisible(AValue);
}
void TMenuActionLink::SetImageIndex(int AValue) {
  if (QEL_LINKED(GetImageIndex)) FClient->SetImageIndex(AValue);
}
