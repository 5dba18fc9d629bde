// The script's code object: its IDispatch face for host code, and its inside view when a
// machine meets it as a host object.
#include "tests/vm/VMTestFixture.h"

namespace {

class CodeObject : public VMTest {
 protected:
  void SetUp() override {
    Script.Var(u"Counter", MakeI4(1));
    Script.Const(u"Limit", MakeI4(10));
    Script.Proc(u"Twice", {pkSimple}, true, [](TAsm& a) {
      a.Op(icPushArg, TQelParamInfo{0, pkSimple}.ToData()).Int(2).Op(icMultiply).Op(icAssignResult);
    });
    Script.Proc(u"Nothing", {}, false, [](TAsm&) {});
    Start();
    Code = VM->CodeObject();
    Code->AddRef();  // the machine lets go of it at Close
  }
  void TearDown() override {
    Code->Release();
    VMTest::TearDown();
  }
  DISPID IdOf(const char16_t* AName) {
    std::u16string name = AName;
    LPOLESTR names[1] = {name.data()};
    DISPID id = 0;
    return Code->GetIDsOfNames(IID_NULL, names, 1, 0, &id) == S_OK ? id : DISPID_UNKNOWN;
  }
  HRESULT Invoke(DISPID AId, WORD AFlags, std::vector<VARIANT> AArgs, VARIANT* AResult,
                 DISPID* ANamed = nullptr) {
    std::vector<VARIANT> reversed(AArgs.rbegin(), AArgs.rend());
    DISPPARAMS params{reversed.data(), ANamed, UINT(reversed.size()), ANamed ? 1u : 0u};
    EXCEPINFO info{};
    HRESULT hr = Code->Invoke(AId, IID_NULL, 0, AFlags, &params, AResult, &info, nullptr);
    LastError = Utf8(OleBstrView(info.bstrDescription));
    SysFreeString(info.bstrSource);
    SysFreeString(info.bstrDescription);
    for (VARIANT& v : AArgs) VariantClear(&v);
    return hr;
  }
  IDispatch* Code = nullptr;
  std::string LastError;
};

TEST_F(CodeObject, NamesGetDispatchIdsInDeclarationOrder) {
  EXPECT_EQ(IdOf(u"counter"), 1);
  EXPECT_EQ(IdOf(u"LIMIT"), 2);
  EXPECT_EQ(IdOf(u"Twice"), 3);
  EXPECT_EQ(IdOf(u"Unknown"), DISPID_UNKNOWN);
  UINT count = 5;
  EXPECT_EQ(Code->GetTypeInfoCount(&count), E_NOTIMPL);
  EXPECT_EQ(count, 0u);
}

struct TInvokeCase {
  const char* Name;
  const char16_t* Member;
  WORD Flags;
  int ArgCount;
  bool WithResult;
  HRESULT Expected;
};
std::ostream& operator<<(std::ostream& S, const TInvokeCase& C) { return S << C.Name; }

class CodeObjectInvoke : public CodeObject, public ::testing::WithParamInterface<TInvokeCase> {};

TEST_P(CodeObjectInvoke, ReturnsThePublishedHResult) {
  const TInvokeCase& c = GetParam();
  std::vector<VARIANT> args;
  for (int i = 0; i < c.ArgCount; ++i) args.push_back(MakeI4(21));
  TVar result;
  DISPID putId = DISPID_PROPERTYPUT;
  bool put = (c.Flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
  EXPECT_EQ(Invoke(IdOf(c.Member), c.Flags, args, c.WithResult ? &result.V : nullptr,
                   put ? &putId : nullptr),
            c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CodeObjectInvoke,
    ::testing::Values(
        TInvokeCase{"FunctionCall", u"Twice", DISPATCH_METHOD, 1, true, S_OK},
        TInvokeCase{"FunctionBadCount", u"Twice", DISPATCH_METHOD, 2, true, DISP_E_BADPARAMCOUNT},
        TInvokeCase{"ProcedureWithResultBuffer", u"Nothing", DISPATCH_METHOD, 0, true,
                    DISP_E_TYPEMISMATCH},
        TInvokeCase{"ProcedureWithoutResult", u"Nothing", DISPATCH_METHOD, 0, false, S_OK},
        TInvokeCase{"GetVariable", u"Counter", DISPATCH_PROPERTYGET, 0, true, S_OK},
        TInvokeCase{"GetWithArguments", u"Counter", DISPATCH_PROPERTYGET, 1, true,
                    DISP_E_BADPARAMCOUNT},
        TInvokeCase{"PutVariable", u"Counter", DISPATCH_PROPERTYPUT, 1, false, S_OK},
        TInvokeCase{"PutConstant", u"Limit", DISPATCH_PROPERTYPUT, 1, false, DISP_E_TYPEMISMATCH},
        TInvokeCase{"CallVariable", u"Counter", DISPATCH_METHOD, 0, true, DISP_E_TYPEMISMATCH},
        TInvokeCase{"UnknownId", u"Unknown", DISPATCH_METHOD, 0, true, DISP_E_MEMBERNOTFOUND}),
    [](const auto& AInfo) { return std::string(AInfo.param.Name); });

TEST_F(CodeObject, CallsRunTheScript) {
  TVar result;
  ASSERT_EQ(Invoke(IdOf(u"Twice"), DISPATCH_METHOD, {MakeI4(21)}, &result.V), S_OK);
  EXPECT_EQ(Describe(result.V), "I4:42");
  DISPID putId = DISPID_PROPERTYPUT;
  ASSERT_EQ(Invoke(IdOf(u"Counter"), DISPATCH_PROPERTYPUT, {MakeStr(u"new")}, nullptr, &putId), S_OK);
  EXPECT_EQ(Describe(TVar(VM->ReadVar(u"Counter")).V), "Str:new");
}

TEST_F(CodeObject, ScriptErrorsBecomeExceptionResults) {
  TVar result;
  EXPECT_EQ(Invoke(IdOf(u"Twice"), DISPATCH_METHOD, {MakeStr(u"x")}, &result.V),
            DISP_E_TYPEMISMATCH);  // a variant type-cast error
  VM->Close();
  EXPECT_EQ(Invoke(1, DISPATCH_PROPERTYGET, {}, &result.V), DISP_E_EXCEPTION);
  EXPECT_EQ(LastError, "Virtual machine should be active.");
}

TEST_F(CodeObject, AnotherMachineCallsItDirectly) {
  // A second machine sees the first one's code object as a host object with published members.
  TTestScript other;
  TQelVirtMachine second(std::make_shared<TTestLanguage>(other));
  second.Initialize(u"");
  second.Open();
  ASSERT_TRUE(second.AddExternObject(Code, u"First", true));
  other.Exprs[u"e1"] = [](TAsm& a) { a.Op(icPush, 1).Int(5).Call(icGlobCall, u"Twice", bkRound, 1); };
  other.Exprs[u"e2"] = [](TAsm& a) {
    a.Op(icPush, 2).Call(icGlobCall, u"First", bkNon, 0);
    a.Call(icMemberCall, u"Counter", bkNon, 0);
  };
  other.Exprs[u"e3"] = [](TAsm& a) { a.Op(icPush, 1).Call(icGlobCall, u"Limit", bkRound, 0); };
  other.Exprs[u"s1"] = [](TAsm& a) { a.Int(3).Call(icAssignGlobCall, u"Limit", bkNon, 0); };
  EXPECT_EQ(Describe(TVar(second.Eval(u"e1")).V), "I4:10");
  EXPECT_EQ(Describe(TVar(second.Eval(u"e2")).V), "I4:1");
  EXPECT_EQ(ErrorOf([&] { second.Eval(u"e3"); }), "Invalid type cast or type mismatch");
  EXPECT_EQ(ErrorOf([&] { second.ExecStmt(u"s1"); }), "Invalid assignment");
  second.Close();
}

}  // namespace
