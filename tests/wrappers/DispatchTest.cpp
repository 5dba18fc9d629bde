// The IDispatch contract of wrappers: name lookup, selection by flags and argument count,
// forwarding to a value's default member, errors as HRESULTs and EXCEPINFO. The calls run both
// through IDispatch::Invoke and through the direct interface, which must answer alike.
#include "tests/wrappers/WrpProbe.h"

namespace {

class DispatchTest : public WrappersTest {
 protected:
  void SetUp() override {
    WrappersTest::SetUp();
    RegisterClassWrapper(QelWrapperClass<TProbe_sw>());
    RegisterClassWrapper(QelWrapperClass<TProbeChild_sw>());
    FValue = TVar::Object(&FProbe);
  }
  IDispatch* Disp() { return FValue.Disp(); }

  TProbe FProbe;
  TVar FValue;
};

// The calls of these tests go the route of the parameter.
class DispatchRouteTest : public DispatchTest, public ::testing::WithParamInterface<TRoute> {
 protected:
  TCallResult InvokeId(IDispatch* ADisp, DISPID AId, WORD AFlags, std::vector<VARIANT> AArgs,
                       bool AWantResult = true) {
    return ::InvokeId(ADisp, AId, AFlags, std::move(AArgs), AWantResult, GetParam());
  }
  TCallResult InvokeName(IDispatch* ADisp, std::u16string_view AName, WORD AFlags,
                         std::vector<VARIANT> AArgs = {}, bool AWantResult = true) {
    return ::InvokeName(ADisp, AName, AFlags, std::move(AArgs), AWantResult, GetParam());
  }
};

INSTANTIATE_TEST_SUITE_P(Routes, DispatchRouteTest,
                         ::testing::Values(TRoute::Dispatch, TRoute::Direct, TRoute::Prepared),
                         ::testing::PrintToStringParamName());

TEST_F(DispatchTest, ResolvesOnlyTheFirstNameAndLeavesTheOthersOnSuccess) {
  String first = u"caption", second = u"Touch";
  LPOLESTR names[] = {first.data(), second.data()};
  DISPID ids[2] = {77, 77};
  ASSERT_EQ(Disp()->GetIDsOfNames(IID_NULL, names, 2, 0, ids), S_OK);
  EXPECT_EQ(ids[0], DispIdOf(Disp(), u"CAPTION"));
  EXPECT_EQ(ids[1], 77);
}

TEST_F(DispatchTest, UnknownNameSetsEveryIdToUnknown) {
  String first = u"NoSuchName", second = u"Touch";
  LPOLESTR names[] = {first.data(), second.data()};
  DISPID ids[2] = {77, 77};
  EXPECT_EQ(Disp()->GetIDsOfNames(IID_NULL, names, 2, 0, ids), DISP_E_UNKNOWNNAME);
  EXPECT_EQ(ids[0], DISPID_UNKNOWN);
  EXPECT_EQ(ids[1], DISPID_UNKNOWN);
}

TEST_P(DispatchRouteTest, IdsOutsideTheTableAreNotFound) {
  const DISPID count = FValue.Disp() ? QelWrapperClass<TProbe_sw>()->GetDispInfo().GetCount() : 0;
  for (DISPID id : {DISPID(-1), count, DISPID(-3)}) {
    EXPECT_EQ(InvokeId(Disp(), id, FMethodGet, {}).Hr, DISP_E_MEMBERNOTFOUND) << id;
  }
}

TEST_P(DispatchRouteTest, SlotZeroWithoutDefaultIsNotFoundForAnyFlags) {
  TObject plain;
  TVar value = TVar::Object(&plain);
  for (WORD flags : {FMethod, FGet, FMethodGet, FPut}) {
    EXPECT_EQ(InvokeId(value.Disp(), 0, flags, {}).Hr, DISP_E_MEMBERNOTFOUND) << flags;
  }
}

TEST_P(DispatchRouteTest, SlotZeroBehavesAsTheDefaultProperty) {
  TCallResult get = InvokeId(Disp(), DISPID_VALUE, FGet, {TVar::Int(3).Get()});
  ASSERT_EQ(get.Hr, S_OK);
  EXPECT_EQ(get.Value.AsInt(), 30);
  TVar index = TVar::Int(2), value = TVar::Int(5);
  EXPECT_EQ(InvokeId(Disp(), DISPID_VALUE, FPut, {index.Get(), value.Get()}, false).Hr, S_OK);
  EXPECT_EQ(FProbe.LastPut, 2005);
}

struct TSelectCase {
  const char16_t* Member;
  WORD Flags;
  int ArgCount;
  bool WantResult;
  HRESULT Expected;
};

void PrintTo(const TSelectCase& ACase, std::ostream* AOut) {
  *AOut << StringToUtf8(ACase.Member) << " flags " << ACase.Flags << ", " << ACase.ArgCount << " args"
        << (ACase.WantResult ? ", result" : "");
}

class DispatchSelectTest : public DispatchTest,
                           public ::testing::WithParamInterface<std::tuple<TSelectCase, TRoute>> {};

TEST_P(DispatchSelectTest, SelectsByFlagsCountAndResultBuffer) {
  const auto& [c, route] = GetParam();
  std::vector<VARIANT> args(static_cast<size_t>(c.ArgCount), TVar::Int(1).Get());
  EXPECT_EQ(InvokeName(Disp(), c.Member, c.Flags, args, c.WantResult, route).Hr, c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DispatchSelectTest,
    ::testing::Combine(::testing::Values(TSelectCase{u"Touch", FMethod, 0, false, S_OK},                      // procedure, no buffer
                      TSelectCase{u"Touch", FMethod, 0, true, DISP_E_TYPEMISMATCH},        // procedure asked for a result
                      TSelectCase{u"Touch", FGet, 0, false, DISP_E_TYPEMISMATCH},          // a method is not a property
                      TSelectCase{u"Sum", FMethod, 1, true, DISP_E_BADPARAMCOUNT},         // too few, no optional forms
                      TSelectCase{u"Sum", FMethod, 3, true, DISP_E_BADPARAMCOUNT},         // too many
                      TSelectCase{u"ReadOnly", FMethodGet, 0, true, S_OK},                 // read-only get through flags 3
                      TSelectCase{u"ReadOnly", FPut, 1, false, DISP_E_TYPEMISMATCH},       // put to a read-only property
                      TSelectCase{u"ReadOnly", FGet, 1, true, DISP_E_TYPEMISMATCH},        // forward to an integer value
                      TSelectCase{u"Caption", FPut, 2, false, DISP_E_TYPEMISMATCH},        // forward to a string value
                      TSelectCase{u"Items", FGet, 0, true, DISP_E_BADPARAMCOUNT},          // indexed without index
                      TSelectCase{u"Items", FPut, 1, false, DISP_E_BADPARAMCOUNT},         // indexed put without value
                      TSelectCase{u"Answer", FGet, 0, true, S_OK},                         // constant
                      TSelectCase{u"Answer", FPut, 1, false, DISP_E_TYPEMISMATCH}),        // constants are read-only
                       ::testing::Values(TRoute::Dispatch, TRoute::Direct, TRoute::Prepared)));

TEST_P(DispatchRouteTest, PropertyRoundTripsThroughPutAndGet) {
  TVar text = TVar::Str(u"Hello");
  ASSERT_EQ(InvokeName(Disp(), u"Caption", FPut, {text.Get()}, false).Hr, S_OK);
  EXPECT_EQ(FProbe.GetCaption(), u"Hello");
  EXPECT_EQ(InvokeName(Disp(), u"caption", FMethodGet).Value.Text(), u"Hello");
}

TEST_F(DispatchTest, PutWithoutNamedArgumentStillTakesTheLastArgument) {
  VARIANT args[] = {TVar::Int(9).Get(), TVar::Int(4).Get()};  // OLE order: value first
  DISPPARAMS params{args, nullptr, 2, 0};
  ASSERT_EQ(Disp()->Invoke(DispIdOf(Disp(), u"Items"), IID_NULL, 0, DISPATCH_PROPERTYPUT, &params, nullptr, nullptr,
                           nullptr),
            S_OK);
  EXPECT_EQ(FProbe.LastPut, 4009);
}

TEST_P(DispatchRouteTest, GetWithArgumentsForwardsToTheValuesDefaultProperty) {
  FProbe.GetList()->Add(u"zero");
  FProbe.GetList()->Add(u"one");
  TCallResult result = InvokeName(Disp(), u"List", FMethodGet, {TVar::Int(1).Get()});
  ASSERT_EQ(result.Hr, S_OK);
  EXPECT_EQ(result.Value.Text(), u"one");
  // A put is forwarded only by an entry that answers puts; List is read-only.
  TVar index = TVar::Int(0), text = TVar::Str(u"nil");
  EXPECT_EQ(InvokeName(Disp(), u"List", FPut, {index.Get(), text.Get()}, false).Hr, DISP_E_TYPEMISMATCH);
  EXPECT_EQ(FProbe.GetList()->GetStrings(0), u"zero");
}

TEST_P(DispatchRouteTest, ExceptionBecomesDispExceptionWithItsText) {
  TVar message = TVar::Str(u"x");
  TCallResult result = InvokeName(Disp(), u"Fail", FMethod, {message.Get()}, false);
  EXPECT_EQ(result.Hr, DISP_E_EXCEPTION);
  EXPECT_EQ(result.Source, u"Qel-Tessaro wrappers.");
  EXPECT_EQ(result.Description, u"x");
  EXPECT_EQ(result.Code, E_FAIL);
}

TEST_P(DispatchRouteTest, UnconvertibleArgumentIsTypeMismatchWithoutExcepInfo) {
  TVar a = TVar::Str(u"abc"), b = TVar::Int(1);
  TCallResult result = InvokeName(Disp(), u"Sum", FMethod, {a.Get(), b.Get()});
  EXPECT_EQ(result.Hr, DISP_E_TYPEMISMATCH);
  EXPECT_TRUE(result.Description.empty());
}

TEST_P(DispatchRouteTest, VarParameterIsWrittenBackOnlyThroughAReference) {
  TVar variable = TVar::Int(5);
  VARIANT ref = MakeVarRef(variable.Get());
  ASSERT_EQ(InvokeName(Disp(), u"Bump", FMethod, {ref}, false).Hr, S_OK);
  EXPECT_EQ(variable.AsInt(), 6);
  TVar byValue = TVar::Int(5);
  ASSERT_EQ(InvokeName(Disp(), u"Bump", FMethod, {byValue.Get()}, false).Hr, S_OK);
  EXPECT_EQ(byValue.AsInt(), 5);
}

TEST_P(DispatchRouteTest, ReferenceChainsAreFollowed) {
  TVar variable = TVar::Int(1);
  VARIANT inner = MakeVarRef(variable.Get());
  VARIANT outer = MakeVarRef(inner);
  ASSERT_EQ(InvokeName(Disp(), u"Bump", FMethod, {outer}, false).Hr, S_OK);
  EXPECT_EQ(variable.AsInt(), 2);
}

TEST_P(DispatchRouteTest, OptionalFormsAreChosenByCount) {
  EXPECT_EQ(InvokeName(Disp(), u"Opt", FMethod, {TVar::Int(6).Get()}).Value.AsInt(), 6);
  EXPECT_EQ(InvokeName(Disp(), u"Opt", FMethod, {TVar::Int(6).Get(), TVar::Int(7).Get()}).Value.AsInt(), 42);
  TCallResult three = InvokeName(Disp(), u"Opt", FMethod, {TVar::Int(1).Get(), TVar::Int(1).Get(), TVar::Int(1).Get()});
  EXPECT_EQ(three.Hr, DISP_E_EXCEPTION);
  EXPECT_EQ(three.Description, u"Wrong argument count. Method or property called: Opt");
  EXPECT_EQ(InvokeName(Disp(), u"Opt", FMethod, {}).Hr, DISP_E_BADPARAMCOUNT);
}

TEST_P(DispatchRouteTest, LaterRegistrationShadowsTheNameButKeepsTheEarlierId) {
  const TQelDispInfo& info = QelWrapperClass<TProbe_sw>()->GetDispInfo();
  const DISPID later = DispIdOf(Disp(), u"text");
  EXPECT_EQ(InvokeId(Disp(), later, FMethod, {}).Value.Text(), u"second");
  int calls = 0;
  for (int32_t i = 1; i < info.GetCount(); ++i) {
    if (info.GetItem(i).UppName == u"TEXT" && i != later) {
      EXPECT_EQ(InvokeId(Disp(), i, FMethod, {}).Value.Text(), u"first");
      ++calls;
    }
  }
  EXPECT_EQ(calls, 1);
}

TEST_P(DispatchRouteTest, TooManyArgumentsAreRefusedWithoutOverrun) {
  std::vector<VARIANT> args(65, TVar::Int(1).Get());
  EXPECT_EQ(InvokeName(Disp(), u"Opt", FMethod, args).Hr, DISP_E_BADPARAMCOUNT);
}

TEST_F(DispatchTest, QueryInterfaceAnswersTheEngineWrapperInterface) {
  ComPtr<IQelDispWrapper> wrapper;
  ASSERT_EQ(Disp()->QueryInterface(IID_IQelDispWrapper, wrapper.putVoid()), S_OK);
  EXPECT_EQ(wrapper->GetWrapper()->AsDispatch(), Disp());
  ComPtr<IUnknown> unknown;
  EXPECT_EQ(Disp()->QueryInterface(IID_ITypeInfo, unknown.putVoid()), E_NOINTERFACE);
}

TEST_F(DispatchTest, DirectInterfaceIsPartOfTheWrapperWithTheClassTableAsKey) {
  ComPtr<IQelDirectDispatch> direct;
  ASSERT_EQ(Disp()->QueryInterface(IID_IQelDirectDispatch, direct.putVoid()), S_OK);
  EXPECT_EQ(direct->Self(), Disp());
  EXPECT_EQ(QelDirectDispatchOf(Disp()), direct.get());
  EXPECT_EQ(direct->DispatchKey(), &QelWrapperClass<TProbe_sw>()->GetDispInfo());
  // A second object of the same C++ wrapper class, recognised without a query, has its own part
  // and the key of its own member table.
  TProbeChild child;
  TVar value = TVar::Object(&child);
  ComPtr<IQelDirectDispatch> childDirect;
  ASSERT_EQ(value.Disp()->QueryInterface(IID_IQelDirectDispatch, childDirect.putVoid()), S_OK);
  EXPECT_EQ(QelDirectDispatchOf(value.Disp()), childDirect.get());
  EXPECT_EQ(childDirect->DispatchKey(), &QelWrapperClass<TProbeChild_sw>()->GetDispInfo());
}

// A member is prepared only for a call of its shape that would reach it, and only from a table
// shared by the class (its records live for the process): the member's key is that table.
TEST_F(DispatchTest, MembersArePreparedForCallsThatReachThemInSharedTables) {
  IQelDirectDispatch* direct = QelDirectDispatchOf(Disp());
  ASSERT_NE(direct, nullptr);
  const DISPID sum = DispIdOf(Disp(), u"Sum"), list = DispIdOf(Disp(), u"List");
  const TQelDirectMember* member = direct->PrepareMember(sum, FMethod, 2, true);
  ASSERT_NE(member, nullptr);
  EXPECT_EQ(member->Key, direct->DispatchKey());
  EXPECT_EQ(direct->PrepareMember(sum, FMethod, 1, true), nullptr);          // a wrong count
  EXPECT_EQ(direct->PrepareMember(list, FMethodGet, 1, true), nullptr);      // passed on to the value
  EXPECT_EQ(direct->PrepareMember(9999, FMethod, 0, false), nullptr);        // no such member
  TVar type = TVar::Adopt(QelWrapperClass<TProbe_sw>()->MetatypeToVar());  // a table of its own
  IQelDirectDispatch* own = QelDirectDispatchOf(type.Disp());
  ASSERT_NE(own, nullptr);
  EXPECT_EQ(own->DispatchKey(), nullptr);
  EXPECT_EQ(own->PrepareMember(DispIdOf(type.Disp(), u"ClassName"), FMethodGet, 0, true), nullptr);
}

// ---- inheritance ---------------------------------------------------------------------------

TEST_F(DispatchTest, InheritedMembersKeepTheirIds) {
  TProbeChild child;
  TVar value = TVar::Object(&child);
  for (const char16_t* name : {u"Caption", u"Touch", u"Items", u"ClassName"}) {
    EXPECT_EQ(DispIdOf(value.Disp(), name), DispIdOf(Disp(), name)) << std::string(name, name + 3);
  }
}

TEST_P(DispatchRouteTest, ProtectedMemberIsHiddenUntilRedeclared) {
  EXPECT_EQ(DispIdOf(Disp(), u"Secret"), DISPID_UNKNOWN);
  TProbeChild child;
  TVar value = TVar::Object(&child);
  const DISPID id = DispIdOf(value.Disp(), u"Secret");
  ASSERT_NE(id, DISPID_UNKNOWN);
  EXPECT_EQ(InvokeId(value.Disp(), id, FGet, {}).Value.AsInt(), 42);
  EXPECT_EQ(DispIdOf(value.Disp(), u"NoSuchMember"), DISPID_UNKNOWN);
}

TEST_F(DispatchTest, UnwrappedClassUsesTheNearestAncestorsWrapper) {
  TProbeGrandChild grandChild;
  TVar value = TVar::Object(&grandChild);
  ComPtr<IQelDispWrapper> wrapper;
  ASSERT_EQ(value.Disp()->QueryInterface(IID_IQelDispWrapper, wrapper.putVoid()), S_OK);
  EXPECT_EQ(wrapper->GetWrapper()->GetWrapperClass(), QelWrapperClass<TProbeChild_sw>());
  EXPECT_EQ(FindClassWrapper(TProbeGrandChild::StaticClass()), QelWrapperClass<TProbeChild_sw>());
}

TEST_F(DispatchTest, SecondRegistrationForAWrappedClassHasNoEffect) {
  RegisterClassWrapper(QelWrapperClass<TProbeChild_sw>());
  struct TOther_sw : TQelClassWrapperOf<TProbe, TObject_sw> {
    static void RegisterMembers(TQelClassWrapperData&) {}
  };
  RegisterClassWrapper(QelWrapperClass<TOther_sw>());
  EXPECT_EQ(FindClassWrapper(TProbe::StaticClass()), QelWrapperClass<TProbe_sw>());
}

}  // namespace
