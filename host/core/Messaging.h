// Host unit "Messaging": a message manager that hands messages to the listeners subscribed to
// their class.
#pragma once

#include <map>

#include "host/core/Classes.h"

// A message is an object of a TMessageBase class; TMessage carries a text.
class TMessageBase : public TObject {
  QEL_CLASS(TMessageBase, TObject)
};

class TMessage : public TMessageBase {
  QEL_CLASS(TMessage, TMessageBase)
 public:
  TMessage() = default;
  explicit TMessage(String AValue) : FValue(std::move(AValue)) {}
  const String& GetValue() const { return FValue; }

 private:
  String FValue;
};

QEL_EVENT_TYPE(TMessageListenerMethod, void(TObject* Sender, TMessageBase* M));

// Listeners subscribe to one message class; SendMessage calls, in subscription order, those of
// the message's own class. A listener may subscribe or unsubscribe while a message is being
// sent: one removed is not called, one added is called from the next message on.
class TMessageManager : public TObject {
  QEL_CLASS(TMessageManager, TObject)
 public:
  // Returns the subscription's id (from 1).
  int32_t SubscribeToMessage(TClass AMessageClass, TMessageListenerMethod AListener);
  // Removes a subscription by id, or every subscription of the listener; unknown ones are
  // ignored.
  void Unsubscribe(TClass AMessageClass, int32_t AId);
  void Unsubscribe(TClass AMessageClass, const TMessageListenerMethod& AListener);
  // Frees AMessage afterwards when ADispose (also when a listener raises). A nil message raises
  // EArgumentNilException.
  void SendMessage(TObject* ASender, TMessageBase* AMessage, bool ADispose = true);
  int32_t GetSubscriptionCount(TClass AMessageClass) const;

 private:
  struct TSubscription {
    int32_t Id;
    TMessageListenerMethod Listener;
    bool Removed = false;
  };
  std::map<TClass, std::vector<TSubscription>> FListeners;
  int32_t FLastId = 0;
  int FSending = 0;
  void Purge();
};
