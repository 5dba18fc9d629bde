// The message manager and the image-list base with its links.
#include "host/core/Messaging.h"
#include "host/core/ImageList.h"

// ---- messages ------------------------------------------------------------------------------

int32_t TMessageManager::SubscribeToMessage(TClass AMessageClass,
                                            TMessageListenerMethod AListener) {
  if (!AMessageClass)
    throw ExceptionPtr(new EArgumentNilException(u"Message class must not be nil"));
  FListeners[AMessageClass].push_back({++FLastId, std::move(AListener)});
  return FLastId;
}

void TMessageManager::Unsubscribe(TClass AMessageClass, int32_t AId) {
  auto found = FListeners.find(AMessageClass);
  if (found == FListeners.end()) return;
  for (TSubscription& item : found->second) {
    if (item.Id == AId) item.Removed = true;
  }
  Purge();
}

void TMessageManager::Unsubscribe(TClass AMessageClass, const TMessageListenerMethod& AListener) {
  auto found = FListeners.find(AMessageClass);
  if (found == FListeners.end()) return;
  for (TSubscription& item : found->second) {
    if (item.Listener == AListener) item.Removed = true;
  }
  Purge();
}

// Removed subscriptions stay in place while a message is being sent, so the sending loop's
// positions hold.
void TMessageManager::Purge() {
  if (FSending) return;
  for (auto it = FListeners.begin(); it != FListeners.end();) {
    std::erase_if(it->second, [](const TSubscription& AItem) { return AItem.Removed; });
    it = it->second.empty() ? FListeners.erase(it) : std::next(it);
  }
}

void TMessageManager::SendMessage(TObject* ASender, TMessageBase* AMessage, bool ADispose) {
  if (!AMessage) throw ExceptionPtr(new EArgumentNilException(u"Message must not be nil"));
  struct TDone {
    TMessageManager* Manager;
    TMessageBase* Message;
    bool Dispose;
    ~TDone() {
      if (--Manager->FSending == 0) Manager->Purge();
      if (Dispose) Message->Free();
    }
  } done{this, AMessage, ADispose};
  ++FSending;
  auto found = FListeners.find(AMessage->ClassType());
  if (found == FListeners.end()) return;
  // Listeners added meanwhile wait for the next message; the vector may grow, so it is indexed.
  const size_t count = found->second.size();
  for (size_t i = 0; i < count; ++i) {
    std::vector<TSubscription>& items = found->second;
    if (items[i].Removed) continue;
    const TMessageListenerMethod listener = items[i].Listener;
    listener(ASender, AMessage);
  }
}

int32_t TMessageManager::GetSubscriptionCount(TClass AMessageClass) const {
  auto found = FListeners.find(AMessageClass);
  if (found == FListeners.end()) return 0;
  return static_cast<int32_t>(
      std::count_if(found->second.begin(), found->second.end(),
                    [](const TSubscription& AItem) { return !AItem.Removed; }));
}

// ---- image lists ---------------------------------------------------------------------------

TImageLink::~TImageLink() { SetImages(nullptr); }

void TImageLink::SetImages(TBaseImageList* AValue) {
  if (AValue == FImages) return;
  if (FImages) std::erase(FImages->FLinks, this);
  FImages = AValue;
  if (FImages) FImages->FLinks.push_back(this);
}

void TImageLink::SetImageIndex(int32_t AValue) {
  if (AValue == FImageIndex) return;
  FImageIndex = AValue;
  if (!FIgnoreIndex) Change();
}

void TImageLink::Change() { OnChange(this); }

TBaseImageList::~TBaseImageList() {
  // The links lose their list first and hear of it.
  const std::vector<TImageLink*> links = std::move(FLinks);
  for (TImageLink* link : links) {
    link->FImages = nullptr;
    link->Change();
  }
}

void TBaseImageList::EndUpdate() {
  if (FUpdateCount == 0) return;
  if (--FUpdateCount == 0 && FChanged) Change();
}

void TBaseImageList::Change() {
  if (FUpdateCount > 0) {
    FChanged = true;
    return;
  }
  FChanged = false;
  // A link's handler may free links: each is looked up again before it is told.
  const std::vector<TImageLink*> links = FLinks;
  for (TImageLink* link : links) {
    if (std::find(FLinks.begin(), FLinks.end(), link) != FLinks.end() && !link->GetIgnoreImages())
      link->Change();
  }
  OnChange(this);
}

TImageLink* TBaseImageList::GetLinks(int32_t AIndex) const {
  if (AIndex < 0 || AIndex >= GetLinkCount()) {
    throw ExceptionPtr(new EListError(
        Exception::FormatMessage(u"List index out of bounds (%d)", {IntToStr(AIndex)})));
  }
  return FLinks[AIndex];
}
