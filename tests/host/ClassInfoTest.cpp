// Class descriptors, virtual construction, published properties, the destroy
// observer and method pointers.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "host/core/Classes.h"
#include "tests/support/QelTestNames.h"

namespace {

class TShape : public TPersistent {
  QEL_CLASS(TShape, TPersistent)
 public:
  int GetWidth() const { return FWidth; }
  void SetWidth(int AValue) { FWidth = AValue; }
  const String& GetCaption() const { return FCaption; }
  TNotifyEvent OnResize;
  static void QelRegisterMembers(TClassInfo& AInfo) {
    AInfo.AddProperty(MakeProperty<&TShape::GetWidth, &TShape::SetWidth>(u"Width"));
    AInfo.AddProperty(MakeProperty<&TShape::GetCaption>(u"Caption"));
    AInfo.AddProperty(MakeEventProperty<&TShape::OnResize>(u"OnResize"));
  }

 private:
  int FWidth = 0;
  String FCaption = u"shape";
};

// Declares no members of its own: it must not repeat its parent's.
class TCircle : public TShape {
  QEL_CLASS(TCircle, TShape)
 public:
  double Radius = 0;
};

class TGadget : public TComponent {
  QEL_CLASS(TGadget, TComponent)
 public:
  using TComponent::TComponent;
};

class TNoDefault : public TObject {
  QEL_CLASS(TNoDefault, TObject)
 public:
  explicit TNoDefault(int) {}
};

TEST(ClassInfo, NamesParentsAndSizes) {
  EXPECT_EQ(TCircle::StaticClass()->ClassName(), u"TCircle");
  EXPECT_EQ(TCircle::StaticClass()->ClassParent(), TShape::StaticClass());
  EXPECT_EQ(TObject::StaticClass()->ClassParent(), nullptr);
  EXPECT_EQ(TCircle::StaticClass()->InstanceSize, sizeof(TCircle));
  TCircle circle;
  const TObject& object = circle;
  EXPECT_EQ(object.ClassType(), TCircle::StaticClass());
  EXPECT_EQ(object.ClassName(), u"TCircle");
  EXPECT_EQ(object.ClassParent(), TShape::StaticClass());
}

struct InheritsCase {
  TClass Class;
  TClass Ancestor;
  bool Expected;
};

void PrintTo(const InheritsCase& ACase, std::ostream* AOut) {
  *AOut << QelTestLabel(ACase.Class->Name) << " from " << QelTestLabel(ACase.Ancestor->Name);
}

class ClassInherits : public testing::TestWithParam<InheritsCase> {};

TEST_P(ClassInherits, WalksTheParentChain) {
  const InheritsCase& c = GetParam();
  EXPECT_EQ(c.Class->InheritsFrom(c.Ancestor), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ClassInherits,
    testing::Values(InheritsCase{TCircle::StaticClass(), TCircle::StaticClass(), true},
                    InheritsCase{TCircle::StaticClass(), TShape::StaticClass(), true},
                    InheritsCase{TCircle::StaticClass(), TObject::StaticClass(), true},
                    InheritsCase{TShape::StaticClass(), TCircle::StaticClass(), false},
                    InheritsCase{TStringList::StaticClass(), TPersistent::StaticClass(), true},
                    InheritsCase{TStringList::StaticClass(), TComponent::StaticClass(), false},
                    InheritsCase{EDivByZero::StaticClass(), EExternal::StaticClass(), true},
                    InheritsCase{EOleException::StaticClass(), EOleError::StaticClass(), true},
                    InheritsCase{EAbort::StaticClass(), EExternal::StaticClass(), false}));

TEST(ClassInfo, IsAndAs) {
  TCircle circle;
  TObject* object = &circle;
  EXPECT_TRUE(object->Is<TShape>());
  EXPECT_FALSE(object->Is<TComponent>());
  EXPECT_EQ(object->As<TShape>(), &circle);
  try {
    object->As<TStrings>();
    FAIL() << "no exception";
  } catch (const ExceptionPtr& e) {
    EXPECT_TRUE(e->Is<EInvalidCast>());
    EXPECT_EQ(e->GetMessage(), u"Invalid class typecast");
  }
}

TEST(ClassInfo, VirtualConstructionMakesTheVeryClass) {
  TClass cls = TCircle::StaticClass();
  ASSERT_TRUE(cls->CanCreate());
  TObject* made = cls->Create();
  EXPECT_EQ(made->ClassType(), cls);
  made->Free();

  auto* owner = new TComponent(nullptr);
  TObject* gadget = TGadget::StaticClass()->Create(owner);
  ASSERT_TRUE(gadget->Is<TGadget>());
  EXPECT_EQ(static_cast<TComponent*>(gadget)->GetOwner(), owner);
  EXPECT_EQ(owner->GetComponentCount(), 1);
  owner->Free();  // frees the gadget too
}

TEST(ClassInfo, ClassesWithoutAUsableConstructorCannotBeCreated) {
  for (TClass cls : {TNoDefault::StaticClass(), TStrings::StaticClass(), TThread::StaticClass(),
                     EConvertError::StaticClass()}) {
    EXPECT_FALSE(cls->CanCreate()) << StringToUtf8(cls->Name);
    EXPECT_EQ(cls->Create(), nullptr);
  }
  TObject* abort = EAbort::StaticClass()->Create();
  ASSERT_NE(abort, nullptr);
  EXPECT_EQ(static_cast<Exception*>(abort)->GetMessage(), u"Operation aborted");
  abort->Free();
}

TEST(ClassInfo, PlainPropertiesByName) {
  TCircle circle;
  TClass cls = circle.ClassType();
  const TPropInfo* width = cls->FindProperty(u"WIDTH");
  ASSERT_NE(width, nullptr);
  EXPECT_EQ(width->Kind, tkInteger);
  width->Set(&circle, int64_t(42));
  EXPECT_EQ(circle.GetWidth(), 42);
  EXPECT_EQ(std::get<int64_t>(width->Get(&circle)), 42);

  const TPropInfo* caption = cls->FindProperty(u"caption");
  ASSERT_NE(caption, nullptr);
  EXPECT_EQ(caption->Set, nullptr);
  EXPECT_EQ(std::get<String>(caption->Get(&circle)), u"shape");
  EXPECT_EQ(cls->FindProperty(u"Missing"), nullptr);
  // The subclass declared nothing: the parent's list is not copied into it.
  EXPECT_TRUE(cls->Properties.empty());
}

TEST(ClassInfo, PropertyValueOfTheWrongKindIsATypeCastError) {
  TCircle circle;
  const TPropInfo* width = circle.ClassType()->FindProperty(u"Width");
  try {
    width->Set(&circle, String(u"wide"));
    FAIL() << "no exception";
  } catch (const ExceptionPtr& e) {
    EXPECT_TRUE(e->Is<EVariantTypeCastError>());
    EXPECT_EQ(e->GetMessage(), u"Invalid variant type conversion");
  }
}

TEST(ClassInfo, HostClassesPublishTheirProperties) {
  TStringList list;
  const TPropInfo* text = list.ClassType()->FindProperty(u"Text");
  ASSERT_NE(text, nullptr);
  text->Set(&list, String(u"a\nb"));
  EXPECT_EQ(list.GetCount(), 2);
  EXPECT_EQ(std::get<int64_t>(list.ClassType()->FindProperty(u"Count")->Get(&list)), 2);
  Exception e(u"boom");
  EXPECT_EQ(std::get<String>(e.ClassType()->FindProperty(u"Message")->Get(&e)), u"boom");
}

TEST(EnumTypeInfo, NamesAndBounds) {
  const TEnumTypeInfo* info = TEnumTraits<TComponentStateItem>::Info();
  EXPECT_EQ(info->Name, u"TComponentStateItem");
  EXPECT_EQ(info->MinValue(), 0);
  EXPECT_EQ(info->MaxValue(), csDesignInstance);
  EXPECT_EQ(info->GetEnumName(csFreeNotification), u"csFreeNotification");
  EXPECT_EQ(info->GetEnumName(99), u"");
  EXPECT_EQ(info->GetEnumValue(u"CSLOADING"), csLoading);
  EXPECT_EQ(info->GetEnumValue(u"csNothing"), -1);
  EXPECT_FALSE(TEnumTraits<TTypeKind>::Known);
}

TEST(EnumTypeInfo, EnumerationPropertiesCarryTheirType) {
  TStringList list;
  const TPropInfo* duplicates = list.ClassType()->FindProperty(u"Duplicates");
  ASSERT_NE(duplicates, nullptr);
  EXPECT_EQ(duplicates->Kind, tkEnumeration);
  EXPECT_EQ(duplicates->EnumType, TEnumTraits<TDuplicates>::Info());
  duplicates->Set(&list, int64_t(dupError));
  EXPECT_EQ(list.GetDuplicates(), dupError);
}

// ---------------------------------------------------------------------------
// Destroy observer

std::vector<TObject*>* GDestroyed = nullptr;
void RecordDestroyed(TObject* AObject) {
  if (GDestroyed) GDestroyed->push_back(AObject);
}

class DestroyObserver : public testing::Test {
 protected:
  void SetUp() override {
    GDestroyed = &FDestroyed;
    FPrevious = SetObjectDestroyObserver(&RecordDestroyed);
  }
  void TearDown() override {
    EXPECT_EQ(SetObjectDestroyObserver(FPrevious), &RecordDestroyed);
    GDestroyed = nullptr;
  }
  size_t Seen(TObject* AObject) const { return std::count(FDestroyed.begin(), FDestroyed.end(), AObject); }

  std::vector<TObject*> FDestroyed;
  TObjectDestroyObserver FPrevious = nullptr;
};

TEST_F(DestroyObserver, SeesEachDestroyedObjectOnce) {
  auto* owner = new TComponent(nullptr);
  auto* child = new TGadget(owner);
  auto* grandchild = new TGadget(child);
  auto* list = new TStringList(true);
  auto* item = new TCircle();
  list->AddObject(u"x", item);
  owner->Free();
  list->Free();
  ASSERT_EQ(FDestroyed.size(), 5u);
  for (TObject* object : {static_cast<TObject*>(owner), static_cast<TObject*>(child),
                          static_cast<TObject*>(grandchild), static_cast<TObject*>(list),
                          static_cast<TObject*>(item)})
    EXPECT_EQ(Seen(object), 1u);
}

TEST_F(DestroyObserver, RaisedExceptionsAreDestroyedOnce) {
  Exception* raised = new EAbort();
  try {
    try {
      RaiseException(raised);
    } catch (const ExceptionPtr& e) {
      e.Raise();
    }
  } catch (const ExceptionPtr&) {
  }
  EXPECT_EQ(Seen(raised), 1u);
}

// ---------------------------------------------------------------------------
// Method pointers

struct TListener {
  std::vector<TObject*> Senders;
  void Changed(TObject* Sender) { Senders.push_back(Sender); }
};

QEL_EVENT_TYPE(TCountEvent, int(TObject* Sender, int& Count));

TEST(MethodEvent, NilEventDoesNothing) {
  TNotifyEvent event;
  EXPECT_TRUE(event.IsNil());
  EXPECT_FALSE(event);
  event(nullptr);
  TCountEvent counting;
  int count = 5;
  EXPECT_EQ(counting(nullptr, count), 0);
}

TEST(MethodEvent, BoundMemberComparesByCodeAndData) {
  TListener a, b;
  TNotifyEvent first = TNotifyEvent::Bind<&TListener::Changed>(&a);
  TNotifyEvent again = TNotifyEvent::Bind<&TListener::Changed>(&a);
  TNotifyEvent other = TNotifyEvent::Bind<&TListener::Changed>(&b);
  EXPECT_EQ(first, again);
  EXPECT_NE(first, other);
  EXPECT_EQ(first.Method().Data, &a);
  TCircle sender;
  first(&sender);
  EXPECT_EQ(a.Senders, std::vector<TObject*>{&sender});
}

TEST(MethodEvent, RawMethodFromTheEngine) {
  TListener listener;
  TNotifyEvent bound = TNotifyEvent::Bind<&TListener::Changed>(&listener);
  TNotifyEvent copy;
  copy.SetMethod(bound.Method());
  EXPECT_EQ(copy, bound);
  copy(nullptr);
  EXPECT_EQ(listener.Senders.size(), 1u);
  copy.SetMethod(TMethod{});
  EXPECT_TRUE(copy.IsNil());
}

TEST(MethodEvent, LambdasAndVarParameters) {
  TCountEvent doubling = [](TObject*, int& Count) {
    Count *= 2;
    return Count + 1;
  };
  int count = 4;
  EXPECT_EQ(doubling(nullptr, count), 9);
  EXPECT_EQ(count, 8);

  int calls = 0;
  TNotifyEvent capturing = [&calls](TObject*) { ++calls; };
  TNotifyEvent copy = capturing;
  capturing = nullptr;  // the copy keeps the closure alive
  copy(nullptr);
  EXPECT_EQ(calls, 1);
}

TEST(MethodEvent, EventPropertyStoresAMethodValue) {
  TCircle circle;
  TListener listener;
  const TPropInfo* resize = circle.ClassType()->FindProperty(u"onresize");
  ASSERT_NE(resize, nullptr);
  EXPECT_EQ(resize->Kind, tkMethod);
  EXPECT_EQ(resize->EventType, TNotifyEvent::TypeInfo());
  EXPECT_EQ(resize->EventType->Name, u"TNotifyEvent");
  const TMethod method = TNotifyEvent::Bind<&TListener::Changed>(&listener).Method();
  resize->SetMethod(&circle, method);
  EXPECT_EQ(resize->GetMethod(&circle), method);
  circle.OnResize(&circle);
  EXPECT_EQ(listener.Senders, std::vector<TObject*>{&circle});
}

}  // namespace
