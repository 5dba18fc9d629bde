// What a call site remembers about its name: the remembered answer must follow every change
// that can alter the name's meaning (a host object published later, an object of another class
// at the same member call).
#include "engine/foundation/QelDispatchKey.h"
#include "tests/vm/VMTestFixture.h"

namespace {

// A dispatch object that declares its name mapping shared by every object of its "class".
class TKeyedDisp : public TTestDisp, public IQelDispatchKey {
 public:
  explicit TKeyedDisp(const void* AKey) : FKey(AKey) {}
  HRESULT QueryInterface(REFIID riid, void** ppv) override {
    if (!IsEqualIID(riid, IID_IQelDispatchKey)) return TTestDisp::QueryInterface(riid, ppv);
    *ppv = static_cast<IQelDispatchKey*>(this);
    TTestDisp::AddRef();
    return S_OK;
  }
  ULONG AddRef() override { return TTestDisp::AddRef(); }
  ULONG Release() override { return TTestDisp::Release(); }
  const void* DispatchKey() override { return FKey; }

 private:
  const void* FKey;
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
  Script.Proc(u"Get", {pkSimple}, true, [](TAsm& a) {
    a.Op(icPush, 1).Op(icPushArg, TQelParamInfo{0, pkSimple}.ToData());
    a.Call(icMemberCall, u"Value", bkNon, 0);
    a.Op(icAssignResult);
  });
  Start();
  auto get = [&](TTestDisp* AObject) {
    TVar object(MakeDisp(AObject));
    return Describe(Run(u"Get", {object.V}).V);
  };
  EXPECT_EQ(get(a1), "I4:1");
  EXPECT_EQ(get(a2), "I4:2");
  EXPECT_EQ(a2->NameLookups, 0) << "an object of the remembered class is not asked its names";
  EXPECT_EQ(get(b), "I4:3");
  EXPECT_EQ(get(a1), "I4:1");
  EXPECT_EQ(a1->NameLookups, 2);
  EXPECT_EQ(get(plain), "I4:4");
  EXPECT_EQ(get(plain), "I4:4");
  EXPECT_EQ(plain->NameLookups, 2) << "an object without a key is asked every time";
}

}  // namespace
