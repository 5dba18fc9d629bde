// What a call site remembers about its name: the remembered answer must follow every change
// that can alter the name's meaning (a host object published later, an object of another class
// at the same member call).
#include <deque>

#include "platform/ole/QelDirectDispatch.h"
#include "tests/vm/VMTestFixture.h"

namespace {

// A prepared member of a test class: its DISPID and the shape it was prepared for.
struct TTestMember : TQelDirectMember {
  DISPID Id;
  WORD Flags;
  UINT ArgCount;
  bool WantsResult;
};

// A dispatch object with the direct interface, its name mapping shared by every object of its
// "class" (the key). Counts the calls that arrive through each route. Given a store for member
// records, it prepares members.
class TKeyedDisp : public TTestDisp, public IQelDirectDispatch {
 public:
  explicit TKeyedDisp(const void* AKey, std::deque<TTestMember>* AMembers = nullptr)
      : FKey(AKey), FMembers(AMembers) {}
  HRESULT QueryInterface(REFIID riid, void** ppv) override {
    if (!IsEqualIID(riid, IID_IQelDirectDispatch)) return TTestDisp::QueryInterface(riid, ppv);
    *ppv = static_cast<IQelDirectDispatch*>(this);
    TTestDisp::AddRef();
    return S_OK;
  }
  ULONG AddRef() override { return TTestDisp::AddRef(); }
  ULONG Release() override { return TTestDisp::Release(); }
  IDispatch* Self() override { return this; }
  const void* DispatchKey() override { return FKey; }
  HRESULT Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params,
                 VARIANT* result, EXCEPINFO* excep, UINT* argErr) override {
    ++DispatchCalls;
    return TTestDisp::Invoke(id, riid, lcid, flags, params, result, excep, argErr);
  }
  HRESULT InvokeDirect(DISPID AId, WORD AFlags, VARIANT* AArgs, UINT AArgCount, VARIANT* AResult,
                       EXCEPINFO*) override {
    ++DirectCalls;
    std::vector<VARIANT> args(AArgs, AArgs + AArgCount);
    return InvokeArgs(AId, AFlags, args, AResult);
  }
  const TQelDirectMember* PrepareMember(DISPID AId, WORD AFlags, UINT AArgCount,
                                        bool AWantsResult) override {
    if (!FMembers) return nullptr;
    FMembers->push_back({});
    TTestMember& member = FMembers->back();
    member.Key = FKey;
    member.Id = AId;
    member.Flags = AFlags;
    member.ArgCount = AArgCount;
    member.WantsResult = AWantsResult;
    return &member;
  }
  HRESULT InvokePrepared(const TQelDirectMember* AMember, WORD AFlags, VARIANT* AArgs,
                         UINT AArgCount, VARIANT* AResult, EXCEPINFO*) override {
    const auto& member = *static_cast<const TTestMember*>(AMember);
    if (member.Key != FKey || member.Flags != AFlags || member.ArgCount != AArgCount ||
        member.WantsResult != (AResult != nullptr))
      return E_UNEXPECTED;  // a call of another shape or class must not get here
    ++PreparedCalls;
    std::vector<VARIANT> args(AArgs, AArgs + AArgCount);
    return InvokeArgs(member.Id, AFlags, args, AResult);
  }
  int DirectCalls = 0, DispatchCalls = 0, PreparedCalls = 0;

 private:
  const void* FKey;
  std::deque<TTestMember>* FMembers;
};

// A proxy that answers the direct interface with the part of another object: it must be called
// through its own IDispatch.
class TForwardingDisp : public TTestDisp {
 public:
  explicit TForwardingDisp(TKeyedDisp* AInner) : FInner(AInner) {}
  HRESULT QueryInterface(REFIID riid, void** ppv) override {
    if (IsEqualIID(riid, IID_IQelDirectDispatch)) return FInner->QueryInterface(riid, ppv);
    return TTestDisp::QueryInterface(riid, ppv);
  }

 private:
  TKeyedDisp* FInner;
};

TTestDisp::TBody Returns(int AValue) {
  return [AValue](WORD, std::vector<VARIANT>&, VARIANT* AResult) {
    if (AResult) *AResult = MakeI4(AValue);
    return S_OK;
  };
}

class CallSites : public VMTest {
 protected:
  void TearDown() override {
    VMTest::TearDown();
    for (TTestDisp* object : Objects) object->Release();
  }
  template <class T>
  T* Keep(T* AObject) {
    Objects.push_back(AObject);
    return AObject;
  }
  // The script function Get(obj): obj.Value, or obj.Value(1) with AWithArgument.
  void DefineGet(bool AWithArgument) {
    Script.Proc(u"Get", {pkSimple}, true, [AWithArgument](TAsm& a) {
      a.Op(icPush, 1).Op(icPushArg, TQelParamInfo{0, pkSimple}.ToData());
      if (AWithArgument) a.Int(1);
      a.Call(icMemberCall, u"Value", AWithArgument ? bkRound : bkNon, AWithArgument ? 1 : 0);
      a.Op(icAssignResult);
    });
  }
  std::string Get(TTestDisp* AObject) {
    TVar object(MakeDisp(AObject));
    return Describe(Run(u"Get", {object.V}).V);
  }
  std::vector<TTestDisp*> Objects;
};

TEST_F(CallSites, IntrinsicHiddenByALaterPublishedMemberIsNoLongerCalled) {
  Script.Intrinsic(u"Chr", [](TQelCall*, VARIANT*, VARIANT& AResult) {
    VariantClear(&AResult);
    AResult = MakeStr(u"intrinsic");
  });
  Script.Proc(u"UseChr", {}, true, [](TAsm& a) {
    a.Op(icPush, 1).Call(icGlobCall, u"Chr", bkNon, 0);
    a.Op(icAssignResult);
  });
  Start();
  EXPECT_EQ(Describe(Run(u"UseChr").V), "Str:intrinsic");
  EXPECT_EQ(Describe(Run(u"UseChr").V), "Str:intrinsic");
  TTestDisp* named = Keep(new TTestDisp);
  named->Member(u"Chr", [](WORD, std::vector<VARIANT>&, VARIANT* AResult) {
    if (AResult) *AResult = MakeStr(u"member");
    return S_OK;
  });
  VM->AddExternObject(named, u"Named", true);
  EXPECT_EQ(Describe(Run(u"UseChr").V), "Str:member");
}

// One member call site meets objects of two keyed classes whose "Value" has different DISPIDs,
// and an object without a key.
TEST_F(CallSites, MemberIdIsRememberedPerClassKey) {
  static const int ClassA = 0, ClassB = 0;
  auto makeA = [&](int AValue) {
    TKeyedDisp* object = Keep(new TKeyedDisp(&ClassA));
    object->Member(u"Value", Returns(AValue));  // DISPID 1
    return object;
  };
  TKeyedDisp* a1 = makeA(1);
  TKeyedDisp* a2 = makeA(2);
  TKeyedDisp* b = Keep(new TKeyedDisp(&ClassB));
  b->Member(u"Other", Returns(-1));
  b->Member(u"Value", Returns(3));  // DISPID 2
  TTestDisp* plain = Keep(new TTestDisp);
  plain->Member(u"Value", Returns(4));
  DefineGet(false);
  Start();
  EXPECT_EQ(Get(a1), "I4:1");
  EXPECT_EQ(Get(a2), "I4:2");
  EXPECT_EQ(a2->NameLookups, 0) << "an object of the remembered class is not asked its names";
  EXPECT_EQ(Get(b), "I4:3");
  EXPECT_EQ(Get(a1), "I4:1");
  EXPECT_EQ(a1->NameLookups, 2);
  EXPECT_EQ(Get(plain), "I4:4");
  EXPECT_EQ(Get(plain), "I4:4");
  EXPECT_EQ(plain->NameLookups, 2) << "an object without a key is asked every time";
}

// A member prepared for a call site serves every object of its class at that site; an object
// of another class has the member prepared for its own.
TEST_F(CallSites, PreparedMembersServeTheObjectsOfTheirClass) {
  static const int ClassA = 0, ClassB = 0;
  std::deque<TTestMember> members;
  auto make = [&](const void* AKey, int AValue, bool AOtherFirst) {
    TKeyedDisp* object = Keep(new TKeyedDisp(AKey, &members));
    if (AOtherFirst) object->Member(u"Other", Returns(-1));
    object->Member(u"Value", [AValue](WORD, std::vector<VARIANT>& AArgs, VARIANT* AResult) {
      if (AResult) *AResult = MakeI4(AValue + AArgs[0].lVal);
      return S_OK;
    });
    return object;
  };
  TKeyedDisp* a1 = make(&ClassA, 10, false);
  TKeyedDisp* a2 = make(&ClassA, 20, false);
  TKeyedDisp* b = make(&ClassB, 30, true);  // "Value" has another DISPID here
  DefineGet(true);
  Start();
  EXPECT_EQ(Get(a1), "I4:11");
  EXPECT_EQ(Get(a2), "I4:21");
  EXPECT_EQ(Get(b), "I4:31");
  EXPECT_EQ(Get(a1), "I4:11");
  EXPECT_EQ(members.size(), 3u) << "prepared for A, then B, then A again";
  EXPECT_EQ(a1->PreparedCalls + a2->PreparedCalls + b->PreparedCalls, 4);
  EXPECT_EQ(a1->DirectCalls + a2->DirectCalls + b->DirectCalls, 0);
  EXPECT_EQ(members[1].Id, 2);
  EXPECT_EQ(members[0].ArgCount, 1u);
  EXPECT_TRUE(members[0].WantsResult);
}

// Objects with the direct interface get their calls in natural order, a put's value last, with
// references to the script's variables; a proxy answering for another object is called through
// its own IDispatch.
TEST_F(CallSites, DirectCallsPassArgumentsInNaturalOrder) {
  static const int Class = 0;
  TKeyedDisp* keyed = Keep(new TKeyedDisp(&Class));
  std::vector<std::string> seen;
  keyed->Member(u"Pair", [&](WORD AFlags, std::vector<VARIANT>& AArgs, VARIANT* AResult) {
    std::string line = AFlags & DISPATCH_PROPERTYPUT ? "put" : "get";
    constexpr VARTYPE Ref = VT_BYREF | VT_VARIANT;
    for (VARIANT& arg : AArgs) line += " " + Describe(arg.vt == Ref ? *arg.pvarVal : arg);
    seen.push_back(line);
    if (AArgs[0].vt == Ref) AArgs[0].pvarVal->lVal += 100;
    if (AResult) *AResult = MakeI4(int(AArgs.size()));
    return S_OK;
  });
  TKeyedDisp* inner = Keep(new TKeyedDisp(&Class));
  TForwardingDisp* proxy = Keep(new TForwardingDisp(inner));
  proxy->Member(u"Pair", [&](WORD, std::vector<VARIANT>& AArgs, VARIANT* AResult) {
    seen.push_back("proxy " + std::to_string(AArgs.size()));
    if (AResult) *AResult = MakeI4(0);
    return S_OK;
  });
  // Result := Obj.Pair[1, 2]; Obj.Pair[x, 3] := 4 with x a local passed by reference; Result := Result + x.
  Script.Proc(u"Use", {pkSimple}, true, [](TAsm& a) {
    TQelParamInfo obj{0, pkSimple};
    const intptr_t x = a.Local();
    a.Op(icPush, 1).Op(icPushArg, obj.ToData()).Int(1).Int(2);
    a.Call(icMemberCall, u"Pair", bkBlock, 2);
    a.Op(icAssignResult);
    a.Int(5).Op(icAssignLocalVar, x);
    a.Op(icPushArg, obj.ToData()).Op(icPushLocalVarRef, x).Int(3).Int(4);
    a.Call(icAssignMemberCall, u"Pair", bkBlock, 2);
    a.Op(icPushResult).Op(icPushLocalVar, x).Op(icPlus).Op(icAssignResult);
  });
  Start();
  TVar keyedArg(MakeDisp(keyed)), proxyArg(MakeDisp(proxy));
  EXPECT_EQ(Describe(Run(u"Use", {keyedArg.V}).V), "I4:107");
  EXPECT_EQ(seen, (std::vector<std::string>{"get I4:1 I4:2", "put I4:5 I4:3 I4:4"}));
  EXPECT_EQ(keyed->DirectCalls, 2);
  EXPECT_EQ(keyed->DispatchCalls, 0);
  seen.clear();
  EXPECT_EQ(Describe(Run(u"Use", {proxyArg.V}).V), "I4:5");
  EXPECT_EQ(seen, (std::vector<std::string>{"proxy 2", "proxy 3"}));
  EXPECT_EQ(inner->DirectCalls + inner->DispatchCalls, 0);
}

}  // namespace

namespace {

struct TLendCase {
  const char* Name;
  bool PassTheCallsOwnVariable;  // x.Drop(x), else x.Drop(y) with y := x
};
std::ostream& operator<<(std::ostream& S, const TLendCase& C) { return S << C.Name; }

class LentObjects : public CallSites, public ::testing::WithParamInterface<TLendCase> {};

// A member call on an object in a local variable borrows the variable's reference when nothing
// can write the variable before the call returns. Drop lets go of the variable passed to it by
// reference and counts the references left: one in either case, the call's own when the
// variable of the call is dropped (nothing borrowed), the variable's when another one is.
TEST_P(LentObjects, TheObjectOfARunningCallKeepsOneReference) {
  TTestDisp* factory = Keep(new TTestDisp);
  ULONG refsAfterDrop = 0;
  factory->Member(u"Make", [&](WORD, std::vector<VARIANT>&, VARIANT* AResult) {
    auto* made = new TTestDisp;  // its one reference goes to the result
    made->Member(u"Drop", [&refsAfterDrop, made](WORD, std::vector<VARIANT>& AArgs, VARIANT*) {
      VariantClear(AArgs[0].pvarVal);
      made->AddRef();
      refsAfterDrop = made->Release();
      return S_OK;
    });
    AResult->vt = VT_DISPATCH;
    AResult->pdispVal = made;
    return S_OK;
  });
  const bool own = GetParam().PassTheCallsOwnVariable;
  // x := Factory.Make; then x.Drop(x), or y := x; x.Drop(y); finally x := Unassigned
  Script.Proc(u"Use", {pkSimple}, false, [own](TAsm& a) {
    const intptr_t x = a.Local(), y = a.Local();
    a.Op(icPush, 1).Op(icPushArg, TQelParamInfo{0, pkSimple}.ToData());
    a.Call(icMemberCall, u"Make", bkNon, 0);
    a.Op(icAssignLocalVar, x);
    if (!own) a.Op(icPushLocalVar, x).Op(icAssignLocalVar, y);
    a.Op(icPush, 1).Op(icPushLocalVar, x).Op(icPushLocalVarRef, own ? x : y);
    a.Call(icMemberCall, u"Drop", bkRound, 1, false);
    a.Op(icPop).Op(icPushUnassigned).Op(icAssignLocalVar, x);
  });
  Start();
  TVar factoryArg(MakeDisp(factory));
  Run(u"Use", {factoryArg.V});
  EXPECT_EQ(refsAfterDrop, 1u);
}

INSTANTIATE_TEST_SUITE_P(Cases, LentObjects,
                         ::testing::Values(TLendCase{"OwnVariableByReference", true},
                                           TLendCase{"OtherVariableByReference", false}),
                         [](const auto& AInfo) { return std::string(AInfo.param.Name); });

}  // namespace
