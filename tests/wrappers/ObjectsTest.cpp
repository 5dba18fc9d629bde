// One live wrapper per host object, destroyed objects, type values, New, records and the
// type tests.
#include <thread>

#include "tests/wrappers/WrpProbe.h"

namespace {

class ObjectsTest : public WrappersTest {
 protected:
  void SetUp() override {
    WrappersTest::SetUp();
    RegisterClassWrapper(QelWrapperClass<TProbe_sw>());
    FClasses = UnitInstance(UnitNamed(u"Classes"));
    FSystem = UnitInstance(UnitNamed(u"System"));
  }
  TVar TypeValue(const TVar& AUnit, std::u16string_view AName) { return InvokeName(AUnit.Disp(), AName, FGet).Value; }

  TVar FClasses, FSystem;
};

TEST_F(ObjectsTest, SameObjectGivesTheSameDispatchWhileHeld) {
  TProbe probe;
  TVar first = TVar::Object(&probe);
  TVar second = TVar::Object(&probe);
  EXPECT_EQ(first.Disp(), second.Disp());
}

TEST_F(ObjectsTest, ReleasedWrapperLeavesTheMap) {
  TProbe probe;
  { TVar value = TVar::Object(&probe); EXPECT_NE(TWrapperByObject::Instance().Find(&probe), nullptr); }
  EXPECT_EQ(TWrapperByObject::Instance().Find(&probe), nullptr);
  TVar again = TVar::Object(&probe);
  EXPECT_EQ(TWrapperByObject::Instance().Find(&probe), VarToWrapper(again.Get(), false));
}

TEST_F(ObjectsTest, HostDestroyedObjectReportsDestroyed) {
  auto* probe = new TProbe();
  TVar value = TVar::Object(probe);
  probe->Free();
  TCallResult result = InvokeName(value.Disp(), u"Caption", FGet);
  EXPECT_EQ(result.Hr, DISP_E_EXCEPTION);
  EXPECT_EQ(result.Description, u"Object has been destroyed.");
  EXPECT_EQ(result.Code, E_FAIL);
  EXPECT_EQ(VarToObject(value.Get()), nullptr);
  EXPECT_EQ(value.Disp(), TVar(value).Disp());
}

TEST_F(ObjectsTest, ScriptFreeThenUseReportsDestroyed) {
  TVar list = InvokeName(TypeValue(FClasses, u"TStringList").Disp(), u"Create", FMethod).Value;
  ASSERT_EQ(InvokeName(list.Disp(), u"Free", FMethod, {}, false).Hr, S_OK);
  EXPECT_EQ(InvokeName(list.Disp(), u"Count", FGet).Description, u"Object has been destroyed.");
}

TEST_F(ObjectsTest, DestroyedObjectsAreFoundAfterTheFilterIsRebuilt) {
  std::vector<TProbe*> probes;
  std::vector<TVar> values;
  for (int i = 0; i < 250; ++i) {
    probes.push_back(new TProbe());
    values.push_back(TVar::Object(probes.back()));
  }
  values.resize(120);  // released wrappers leave stale bits behind
  for (size_t i = 0; i < probes.size(); ++i) {
    if (i >= 120) probes[i]->Free();
  }
  for (size_t i = 0; i < 120; ++i) {
    probes[i]->Free();
    EXPECT_EQ(VarToObject(values[i].Get()), nullptr) << i;
  }
}

TEST_F(ObjectsTest, ThreadsConvertingTheSameObjectsShareOneWrapperEach) {
  const size_t before = TWrapperByObject::Instance().Count();
  std::vector<TProbe> probes(40);
  std::vector<TVar> held;
  for (TProbe& probe : probes) held.push_back(TVar::Object(&probe));
  std::vector<std::thread> threads;
  std::atomic<int> mismatches{0};
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&] {
      for (int round = 0; round < 200; ++round) {
        for (size_t i = 0; i < probes.size(); ++i) {
          TVar value = TVar::Object(&probes[i]);
          if (value.Disp() != held[i].Disp()) ++mismatches;
          // Short-lived objects come and go on every thread meanwhile.
          auto* temporary = new TProbe();
          TVar other = TVar::Object(temporary);
          temporary->Free();
        }
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(mismatches.load(), 0);
  held.clear();
  EXPECT_EQ(TWrapperByObject::Instance().Count(), before);
}

TEST_F(ObjectsTest, ActualClassChoosesTheWrapper) {
  TStringList list;
  TVar value = TVar::Adopt(TQelConv<TStrings*>::ToVar(&list));
  EXPECT_EQ(VarToWrapper(value.Get(), false)->GetWrapperClass(), QelWrapperClass<TStringList_sw>());
}

TEST_F(ObjectsTest, TypeValueAnswersMetaMembersOnly) {
  TVar type = TypeValue(FClasses, u"TStringList");
  EXPECT_NE(DispIdOf(type.Disp(), u"Create"), DISPID_UNKNOWN);
  EXPECT_NE(DispIdOf(type.Disp(), u"ClassName"), DISPID_UNKNOWN);
  EXPECT_EQ(DispIdOf(type.Disp(), u"Count"), DISPID_UNKNOWN);
  EXPECT_EQ(DispIdOf(type.Disp(), u"Add"), DISPID_UNKNOWN);
  EXPECT_EQ(InvokeName(type.Disp(), u"ClassName", FMethod).Value.Text(), u"TStringList");
  // An instance member's id used on the type value runs nothing.
  TStringList list;
  TVar value = TVar::Object(&list);
  EXPECT_NE(InvokeId(type.Disp(), DispIdOf(value.Disp(), u"Clear"), FMethod, {}, false).Hr, S_OK);
}

TEST_F(ObjectsTest, ConstructorThroughTheTypeValueMakesTheClass) {
  TVar type = TypeValue(FClasses, u"TStringList");
  TCallResult created = InvokeName(type.Disp(), u"Create", FMethod);
  ASSERT_EQ(created.Hr, S_OK);
  TObject* object = VarToObject(created.Value.Get());
  ASSERT_NE(object, nullptr);
  EXPECT_EQ(object->ClassType(), TStringList::StaticClass());
  EXPECT_EQ(InvokeName(created.Value.Disp(), u"ClassType", FMethod).Value.Disp(), type.Disp());
  object->Free();
}

TEST_F(ObjectsTest, NewMakesClassesAndRecordsAndRefusesOtherCounts) {
  TVar list = TVar::Adopt(VarNewOfType(TypeValue(FClasses, u"TStringList").Get(), nullptr, 0));
  TObject* object = VarToObject(list.Get());
  ASSERT_NE(object, nullptr);
  object->Free();
  TVar guid = TVar::Adopt(VarNewOfType(TypeValue(FSystem, u"TGUID").Get(), nullptr, 0));
  EXPECT_EQ(InvokeName(guid.Disp(), u"D1", FGet).Value.AsInt(), 0);
  const VARIANT one = TVar::Int(1).Get();
  try {
    VarNewOfType(TypeValue(FSystem, u"TGUID").Get(), &one, 1);
    FAIL();
  } catch (const ExceptionPtr& e) {
    EXPECT_EQ(e->GetMessage(), u"Wrong argument count. Method or property called: New");
  }
  EXPECT_EQ(TVar::Adopt(VarNewOfType(TypeValue(FClasses, u"TDuplicates").Get(), nullptr, 0)).Vt(), VT_EMPTY);
}

TEST_F(ObjectsTest, NewWithoutConstructorFails) {
  struct TBare_sw : TQelClassWrapperOf<TProbeGrandChild, TQelClassWrapperBase> {
    static void RegisterMembers(TQelClassWrapperData&) {}
  };
  TVar type = TVar::Adopt(QelWrapperClass<TBare_sw>()->MetatypeToVar());
  try {
    VarNewOfType(type.Get(), nullptr, 0);
    FAIL();
  } catch (const ExceptionPtr& e) {
    EXPECT_EQ(e->GetMessage(), u"No constructor found.");
  }
}

TEST_F(ObjectsTest, IsTestsCompareClassesAndRecordTypes) {
  TStringList list;
  TVar value = TVar::Object(&list);
  EXPECT_TRUE(VarIsOfType(value.Get(), TypeValue(FClasses, u"TStrings").Get()));
  EXPECT_FALSE(VarIsOfType(value.Get(), TypeValue(FClasses, u"TList").Get()));
  EXPECT_FALSE(VarIsOfType(value.Get(), TVar::Adopt(NilObjectVar()).Get()));
  EXPECT_THROW(VarIsOfType(value.Get(), TypeValue(FClasses, u"TDuplicates").Get()), ExceptionPtr);
  TVar guid = TVar::Adopt(RecNew(TypeValue(FSystem, u"TGUID").Get()));
  EXPECT_TRUE(VarIsOfType(guid.Get(), TypeValue(FSystem, u"TGUID").Get()));
  EXPECT_FALSE(RecIs(guid.Get(), TypeValue(FSystem, u"TMethod").Get()));
  EXPECT_THROW(RecIs(value.Get(), TypeValue(FSystem, u"TGUID").Get()), ExceptionPtr);
  EXPECT_TRUE(ObjectIsOfVarClass(&list, TypeValue(FClasses, u"TPersistent").Get()));
}

TEST_F(ObjectsTest, RecordsAreValuesWithIndependentCopies) {
  TVar guid = InvokeName(TypeValue(FSystem, u"TGUID").Disp(), u"Create", FMethod).Value;
  TVar five = TVar::Int(5);
  ASSERT_EQ(InvokeName(guid.Disp(), u"D1", FPut, {five.Get()}, false).Hr, S_OK);
  TVar copy = InvokeName(guid.Disp(), u"Copy", FMethod).Value;
  EXPECT_NE(copy.Disp(), guid.Disp());
  EXPECT_EQ(InvokeName(copy.Disp(), u"D1", FGet).Value.AsInt(), 5);
  TVar six = TVar::Int(6);
  InvokeName(copy.Disp(), u"D1", FPut, {six.Get()}, false);
  EXPECT_EQ(InvokeName(guid.Disp(), u"D1", FGet).Value.AsInt(), 5);
  const GUID host = TQelConv<GUID>::FromVar(guid.Get());
  EXPECT_EQ(host.Data1, 5u);
  TVar empty = InvokeName(TypeValue(FSystem, u"TGUID").Disp(), u"Empty", FMethod).Value;
  EXPECT_EQ(InvokeName(empty.Disp(), u"D2", FGet).Value.AsInt(), 0);
  EXPECT_THROW(TQelConv<GUID>::FromVar(TVar::Adopt(RecNew(TypeValue(FSystem, u"TMethod").Get())).Get()), ExceptionPtr);
}

TEST_F(ObjectsTest, RecordConstructorChoosesByCount) {
  TVar type = TypeValue(FSystem, u"TPtrWrapper");
  TVar seven = InvokeName(type.Disp(), u"Create", FMethod, {TVar::Int(7).Get()}).Value;
  EXPECT_EQ(InvokeName(seven.Disp(), u"ToInteger", FMethod).Value.AsInt(), 7);
  TCallResult two = InvokeName(type.Disp(), u"Create", FMethod, {TVar::Int(1).Get(), TVar::Int(2).Get()});
  EXPECT_EQ(two.Description, u"Wrong argument count. Method or property called: Create");
  EXPECT_EQ(InvokeName(InvokeName(type.Disp(), u"NilValue", FGet).Value.Disp(), u"ToInteger", FMethod).Value.AsInt(), 0);
}

TEST_F(ObjectsTest, MetaclassValuesConvertBothWays) {
  TVar type = TVar::Adopt(MetaclassToVar(TStringList::StaticClass()));
  EXPECT_EQ(VarToMetaclass(type.Get()), TStringList::StaticClass());
  EXPECT_EQ(VarToMetaclass(type.Get(), TStrings::StaticClass()), TStringList::StaticClass());
  EXPECT_THROW(VarToMetaclass(type.Get(), TList::StaticClass()), ExceptionPtr);
  EXPECT_THROW(VarToMetaclass(TypeValue(FClasses, u"TDuplicates").Get()), ExceptionPtr);
}

}  // namespace
