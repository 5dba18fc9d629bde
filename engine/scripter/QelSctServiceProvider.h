// The service provider: a component through which independent components of one host find
// each other — services (one per class), listeners and member components. The script debugger
// joins as a member and also tells every debugger listener registered here.
#pragma once

#include <algorithm>
#include <vector>

#include "engine/scripter/QelSctDebugger.h"

QEL_EXCEPTION(EQelServiceProvider, Exception);

class TQelServiceProvider;

// Listens to members joining and leaving.
class IQelServicesNotifier : public virtual IQelNotifier {
 public:
  virtual void AfterMemberAddition(TObject* AMember) {}
  virtual void BeforeMemberRemoving(TObject* AMember) {}
};

class TQelServices {
 public:
  explicit TQelServices(TQelServiceProvider* AProvider) : FProvider(AProvider) {}
  // Refused with "Service %s already registered." when a registered service is of AService's
  // class (its class or derived from it).
  void RegisterService(TObject* AService);
  void UnregisterService(TObject* AService) { std::erase(FItems, AService); }
  bool IsRegistered(TClass AClass) const { return Find(AClass) != nullptr; }
  TObject* Find(TClass AClass) const;
  // Find, or "Service %s is not registered.".
  TObject* Get(TClass AClass) const;
  void Clear() { FItems.clear(); }

 private:
  TQelServiceProvider* FProvider;
  std::vector<TObject*> FItems;
};

class TQelNotifiers {
 public:
  explicit TQelNotifiers(TQelServiceProvider* AProvider) : FProvider(AProvider) {}
  void RegisterNotifier(IQelNotifier* ANotifier) {
    if (std::find(FItems.begin(), FItems.end(), ANotifier) == FItems.end()) FItems.push_back(ANotifier);
  }
  void UnregisterNotifier(IQelNotifier* ANotifier) { std::erase(FItems, ANotifier); }
  // The registered listeners of class T, in registration order.
  template <class T>
  std::vector<T*> GetList() const {
    std::vector<T*> list;
    for (IQelNotifier* notifier : FItems)
      if (T* typed = dynamic_cast<T*>(notifier)) list.push_back(typed);
    return list;
  }
  void Clear() { FItems.clear(); }

 private:
  TQelServiceProvider* FProvider;
  std::vector<IQelNotifier*> FItems;
};

class TQelMembers {
 public:
  explicit TQelMembers(TQelServiceProvider* AProvider) : FProvider(AProvider) {}
  void RegisterMember(TObject* AMember);
  void UnregisterMember(TObject* AMember);
  bool IsMember(TObject* AObject) const {
    return std::find(FItems.begin(), FItems.end(), AObject) != FItems.end();
  }
  std::vector<TObject*> GetList(TClass AClass) const;
  TObject* FindFirst(TClass AClass) const;
  int Count() const { return int(FItems.size()); }
  TObject* Items(int AIndex) const { return FItems.at(size_t(AIndex)); }
  void Clear() { FItems.clear(); }

 private:
  TQelServiceProvider* FProvider;
  std::vector<TObject*> FItems;
};

class TQelServiceProvider : public TComponent {
  QEL_CLASS(TQelServiceProvider, TComponent)
 public:
  explicit TQelServiceProvider(TComponent* AOwner) : TComponent(AOwner) {}
  ~TQelServiceProvider() override;
  TQelServices& Services() { return FServices; }
  TQelNotifiers& Notifiers() { return FNotifiers; }
  TQelMembers& Members() { return FMembers; }

 private:
  TQelServices FServices{this};
  TQelNotifiers FNotifiers{this};
  TQelMembers FMembers{this};
};
