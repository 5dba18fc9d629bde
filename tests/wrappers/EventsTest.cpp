// Event values and script handlers: a script procedure hooked to a host event runs with the
// event's arguments, var parameters come back, values can be saved and restored.
#include "tests/wrappers/WrpProbe.h"

namespace {

// A script control that records the procedures the host's events run.
class TFakeControl final : public IQelScriptControl {
 public:
  VARIANT RunProc(std::u16string_view AProcName, TQelDispArgs AArgs, int AArgsSize) override {
    Calls.push_back(String(AProcName));
    Senders.push_back(AArgsSize > 0 ? VarToObject(AArgs[0]) : nullptr);
    if (AArgsSize > 1 && SetVarTo) SetVarRef(AArgs[1], TVar::Int(*SetVarTo).Get());
    return QelIntVar(1);
  }
  TQelScriptEventHandler* GetEventHandler(std::u16string_view AProcName, TQelWrapperClassRef AEventType) override {
    return Handlers.GetEventHandler(this, AProcName, AEventType);
  }

  TQelEventHandlerList Handlers;
  std::vector<String> Calls;
  std::vector<TObject*> Senders;
  std::optional<int> SetVarTo;
};

class EventsTest : public WrappersTest {
 protected:
  void SetUp() override {
    WrappersTest::SetUp();
    RegisterClassWrapper(QelWrapperClass<TProbe_sw>());
    RegisterEventWrapper(TCountEvent::TypeInfo(), QelWrapperClass<TQelEventWrapperOf<TCountEvent>>());
    FSystem = UnitInstance(UnitNamed(u"System"), &FControl);
  }
  TVar Handler(std::u16string_view AName) {
    return InvokeName(FSystem.Disp(), u"EventMake", FMethod, {TVar::Str(AName).Get()}).Value;
  }

  TFakeControl FControl;
  TVar FSystem;
};

TEST_F(EventsTest, OneProcedureServesTwoObjectsWithTheirOwnSender) {
  TProbe first, second;
  TVar a = TVar::Object(&first), b = TVar::Object(&second), handler = Handler(u"Clicked");
  ASSERT_EQ(InvokeName(a.Disp(), u"OnPoke", FPut, {handler.Get()}, false).Hr, S_OK);
  ASSERT_EQ(InvokeName(b.Disp(), u"OnPoke", FPut, {Handler(u"CLICKED").Get()}, false).Hr, S_OK);
  first.Poke();
  second.Poke();
  EXPECT_EQ(FControl.Handlers.Count(), 1u);
  EXPECT_EQ(FControl.Calls, (std::vector<String>{u"Clicked", u"Clicked"}));
  EXPECT_EQ(FControl.Senders, (std::vector<TObject*>{&first, &second}));
}

TEST_F(EventsTest, ReadValueRestoresTheSameHostHandler) {
  TProbe first, second;
  TVar a = TVar::Object(&first), b = TVar::Object(&second);
  InvokeName(a.Disp(), u"OnPoke", FPut, {Handler(u"P").Get()}, false);
  TVar saved = InvokeName(a.Disp(), u"OnPoke", FGet).Value;
  ASSERT_NE(saved.Disp(), nullptr);
  EXPECT_NE(InvokeName(a.Disp(), u"OnPoke", FGet).Value.Disp(), saved.Disp());
  ASSERT_EQ(InvokeName(b.Disp(), u"OnPoke", FPut, {saved.Get()}, false).Hr, S_OK);
  EXPECT_EQ(second.OnPoke.Method(), first.OnPoke.Method());
}

TEST_F(EventsTest, NilClearsTheEvent) {
  TProbe probe;
  TVar value = TVar::Object(&probe);
  InvokeName(value.Disp(), u"OnPoke", FPut, {Handler(u"P").Get()}, false);
  ASSERT_EQ(InvokeName(value.Disp(), u"OnPoke", FPut, {TVar::Adopt(NilObjectVar()).Get()}, false).Hr, S_OK);
  EXPECT_TRUE(probe.OnPoke.IsNil());
  TVar read = InvokeName(value.Disp(), u"OnPoke", FGet).Value;
  EXPECT_EQ(read.Vt(), VT_DISPATCH);
  EXPECT_EQ(read.Disp(), nullptr);
}

TEST_F(EventsTest, EventValueOfAnotherTypeIsATypeCastError) {
  TProbe probe;
  TVar value = TVar::Object(&probe);
  InvokeName(value.Disp(), u"OnPoke", FPut, {Handler(u"P").Get()}, false);
  TVar notify = InvokeName(value.Disp(), u"OnPoke", FGet).Value;
  EXPECT_EQ(InvokeName(value.Disp(), u"OnCount", FPut, {notify.Get()}, false).Hr, DISP_E_TYPEMISMATCH);
  EXPECT_EQ(InvokeName(value.Disp(), u"OnCount", FPut, {TVar::Int(3).Get()}, false).Hr, DISP_E_TYPEMISMATCH);
}

TEST_F(EventsTest, VarParameterComesBackOnlyWhenTheScriptSetsIt) {
  TProbe probe;
  TVar value = TVar::Object(&probe);
  InvokeName(value.Disp(), u"OnCount", FPut, {Handler(u"Count").Get()}, false);
  EXPECT_EQ(probe.FireCount(5), 5);
  FControl.SetVarTo = 11;
  EXPECT_EQ(probe.FireCount(5), 11);
}

TEST_F(EventsTest, EventAndHandlerValuesHaveNoMembers) {
  TVar handler = Handler(u"P");
  EXPECT_EQ(DispIdOf(handler.Disp(), u"Free"), DISPID_UNKNOWN);
  EXPECT_EQ(InvokeId(handler.Disp(), 0, FMethodGet, {}).Hr, DISP_E_MEMBERNOTFOUND);
}

TEST_F(EventsTest, HookEventByPropertyName) {
  TStringList list;
  QelHookEvent(&FControl, &list, u"OnChange", u"Changed");
  list.Add(u"x");
  EXPECT_EQ(FControl.Calls, (std::vector<String>{u"Changed"}));
  FControl.Handlers.Clear();
  list.OnChange = nullptr;
  EXPECT_THROW(QelHookEvent(&FControl, &list, u"OnNothing", u"Changed"), ExceptionPtr);
}

TEST_F(EventsTest, UnregisteredEventTypeIsReported) {
  static const TEventTypeInfo unknown{u"TUnknownEvent"};
  try {
    FindEventWrapper(&unknown);
    FAIL();
  } catch (const ExceptionPtr& e) {
    EXPECT_EQ(e->GetMessage(), u"Event type TUnknownEvent is not registered.");
  }
}

}  // namespace
