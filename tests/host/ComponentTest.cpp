// TComponent: ownership, destroy order, names, notifications, loading, and
// TPersistent assignment.
#include <gtest/gtest.h>

#include <vector>

#include "host/core/Classes.h"

namespace {

struct Log {
  std::vector<String> Lines;
  void Add(const String& ALine) { Lines.push_back(ALine); }
};

// Records what happens to it in a shared log.
class TProbe : public TComponent {
  QEL_CLASS(TProbe, TComponent)
 public:
  TProbe(TComponent* AOwner, Log* ALog, const String& AName) : TComponent(AOwner), FLog(ALog) { SetName(AName); }
  ~TProbe() override { FLog->Add(u"destroy " + GetName()); }
  TComponent* Partner = nullptr;

 protected:
  void Loaded() override {
    TComponent::Loaded();
    FLog->Add(u"loaded " + GetName());
  }
  void Notification(TComponent* AComponent, TOperation AOperation) override {
    TComponent::Notification(AComponent, AOperation);
    if (AComponent == Partner && AOperation == opRemove) {
      FLog->Add(GetName() + u" lost partner");
      Partner = nullptr;
    }
  }

 private:
  Log* FLog;
};

String ErrorOf(void (*AAction)(TComponent*), TComponent* AOwner) {
  try {
    AAction(AOwner);
  } catch (const ExceptionPtr& e) {
    EXPECT_TRUE(e->Is<EComponentError>());
    return e->GetMessage();
  }
  return u"(none)";
}

TEST(Component, OwnerListsComponentsInOrder) {
  Log log;
  TComponent owner(nullptr);
  auto* a = new TProbe(&owner, &log, u"Alpha");
  auto* b = new TProbe(&owner, &log, u"Beta");
  ASSERT_EQ(owner.GetComponentCount(), 2);
  EXPECT_EQ(owner.GetComponents(0), a);
  EXPECT_EQ(owner.GetComponents(1), b);
  EXPECT_EQ(b->GetComponentIndex(), 1);
  EXPECT_EQ(owner.FindComponent(u"BETA"), b);
  EXPECT_EQ(owner.FindComponent(u"Gamma"), nullptr);
  EXPECT_EQ(owner.FindComponent(u""), nullptr);
  try {
    owner.GetComponents(2);
    FAIL() << "no exception";
  } catch (const ExceptionPtr& e) {
    EXPECT_TRUE(e->Is<EListError>());
    EXPECT_EQ(e->GetMessage(), u"List index out of bounds (2)");
  }
}

TEST(Component, OwnerDestroysOwnedComponentsLastFirst) {
  Log log;
  auto* owner = new TProbe(nullptr, &log, u"Owner");
  new TProbe(owner, &log, u"A");
  auto* b = new TProbe(owner, &log, u"B");
  new TProbe(b, &log, u"B1");
  new TProbe(owner, &log, u"C");
  owner->Free();
  // Each probe logs in its own destructor, before the component part frees
  // what it owns.
  EXPECT_EQ(log.Lines, (std::vector<String>{u"destroy Owner", u"destroy C", u"destroy B", u"destroy B1", u"destroy A"}));
}

TEST(Component, ComponentDestroyedFirstLeavesItsOwner) {
  Log log;
  TComponent owner(nullptr);
  auto* a = new TProbe(&owner, &log, u"A");
  auto* b = new TProbe(&owner, &log, u"B");
  a->Free();
  ASSERT_EQ(owner.GetComponentCount(), 1);
  EXPECT_EQ(owner.GetComponents(0), b);
  EXPECT_EQ(owner.FindComponent(u"A"), nullptr);
}

TEST(Component, SiblingsHearOfRemovalThroughTheOwner) {
  Log log;
  TComponent owner(nullptr);
  auto* a = new TProbe(&owner, &log, u"A");
  auto* b = new TProbe(&owner, &log, u"B");
  a->Partner = b;
  b->Free();
  EXPECT_EQ(a->Partner, nullptr);
  EXPECT_EQ(log.Lines, (std::vector<String>{u"destroy B", u"A lost partner"}));
}

TEST(Component, FreeNotificationAcrossOwners) {
  Log log;
  auto* one = new TComponent(nullptr);
  auto* two = new TComponent(nullptr);
  auto* watcher = new TProbe(one, &log, u"Watcher");
  auto* watched = new TProbe(two, &log, u"Watched");
  watcher->Partner = watched;
  watcher->FreeNotification(watched);
  EXPECT_TRUE(watched->GetComponentState().Contains(csFreeNotification));
  two->Free();
  EXPECT_EQ(watcher->Partner, nullptr);
  one->Free();  // the watcher must not touch the freed partner again
  EXPECT_EQ(log.Lines, (std::vector<String>{u"destroy Watched", u"Watcher lost partner", u"destroy Watcher"}));
}

TEST(Component, RemovedFreeNotificationIsNotCalled) {
  Log log;
  auto* watcher = new TProbe(nullptr, &log, u"W");
  auto* watched = new TProbe(nullptr, &log, u"X");
  watcher->Partner = watched;
  watcher->FreeNotification(watched);
  watcher->RemoveFreeNotification(watched);
  watched->Free();
  EXPECT_EQ(watcher->Partner, watched);
  watcher->Free();
}

TEST(Component, NameValidation) {
  TComponent owner(nullptr);
  auto* a = new TComponent(&owner);
  a->SetName(u"Edit1");
  auto* b = new TComponent(&owner);
  b->SetName(u"");  // several unnamed components are fine
  new TComponent(&owner);
  EXPECT_EQ(ErrorOf([](TComponent* o) { o->GetComponents(1)->SetName(u"edit1"); }, &owner),
            u"A component named edit1 already exists");
  EXPECT_EQ(ErrorOf([](TComponent* o) { o->GetComponents(1)->SetName(u"1st"); }, &owner),
            u"'1st' is not a valid component name");
  a->SetName(u"EDIT1");  // renaming to itself in another case is allowed
  EXPECT_EQ(a->GetName(), u"EDIT1");

  TComponent other(nullptr);
  auto* stranger = new TComponent(&other);
  stranger->SetName(u"Edit1");
  owner.InsertComponent(nullptr);  // ignored
  try {
    owner.InsertComponent(stranger);
    FAIL() << "no exception";
  } catch (const ExceptionPtr& e) {
    EXPECT_EQ(e->GetMessage(), u"Component named Edit1 already exists");
  }
  EXPECT_EQ(stranger->GetOwner(), &other);
}

TEST(Component, InsertMovesBetweenOwners) {
  TComponent first(nullptr), second(nullptr);
  auto* c = new TComponent(&first);
  second.InsertComponent(c);
  EXPECT_EQ(c->GetOwner(), &second);
  EXPECT_EQ(first.GetComponentCount(), 0);
  EXPECT_EQ(second.GetComponentCount(), 1);
}

TEST(Component, OwnershipRingsAreRefused) {
  TComponent root(nullptr);
  auto* child = new TComponent(&root);
  auto* grandchild = new TComponent(child);
  for (TComponent* c : {child, grandchild}) {
    EXPECT_THROW(c->InsertComponent(&root), ExceptionPtr);
    EXPECT_THROW(c->InsertComponent(c), ExceptionPtr);
  }
  EXPECT_EQ(root.GetOwner(), nullptr);
  EXPECT_EQ(grandchild->GetOwner(), child);
}

TEST(Component, LoadingPhaseEndsInLoaded) {
  Log log;
  TProbe root(nullptr, &log, u"Root");
  auto* child = new TProbe(&root, &log, u"Child");
  root.BeginLoading();
  EXPECT_TRUE(root.GetComponentState().Contains(csLoading));
  EXPECT_TRUE(child->GetComponentState().Contains(csLoading));
  root.EndLoading();
  EXPECT_FALSE(root.GetComponentState().Contains(csLoading));
  EXPECT_FALSE(child->GetComponentState().Contains(csLoading));
  EXPECT_EQ(log.Lines, (std::vector<String>{u"loaded Root", u"loaded Child"}));
  log.Lines.clear();
}

TEST(Component, DestroyingStateIsSeenByChildren) {
  struct TCheck : TComponent {
    using TComponent::TComponent;
    bool* Seen = nullptr;
    ~TCheck() override { *Seen = GetComponentState().Contains(csDestroying); }
  };
  bool seen = false;
  auto* owner = new TComponent(nullptr);
  auto* check = new TCheck(owner);
  check->Seen = &seen;
  owner->Free();
  EXPECT_TRUE(seen);
}

TEST(Component, DesigningPassesToNewChildren) {
  TComponent owner(nullptr);
  owner.SetDesigning(true);
  auto* c = new TComponent(&owner);
  EXPECT_TRUE(c->GetComponentState().Contains(csDesigning));
  c->SetTag(-5);
  EXPECT_EQ(c->GetTag(), -5);
}

TEST(Persistent, AssignErrorNamesBothClasses) {
  struct Case {
    TPersistent* Source;
    const char16_t* Message;
  };
  TComponent component(nullptr);
  TStringList target;
  for (const Case& c : {Case{&component, u"Cannot assign a TComponent to a TStringList"},
                        Case{nullptr, u"Cannot assign a nil to a TStringList"}}) {
    try {
      target.Assign(c.Source);
      FAIL() << "no exception";
    } catch (const ExceptionPtr& e) {
      EXPECT_TRUE(e->Is<EConvertError>());
      EXPECT_EQ(e->GetMessage(), c.Message);
    }
  }
}

}  // namespace
