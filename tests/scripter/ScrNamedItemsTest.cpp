// Named objects and values on the control, and the values holder's IDispatch.
#include "tests/scripter/ScrTestKit.h"

namespace {

// A dispatch object without members: what the table keeps is its identity.
class TBareObject : public OleObject<IDispatch, IID_IDispatch> {
 public:
  HRESULT GetTypeInfoCount(UINT* p) override { return *p = 0, S_OK; }
  HRESULT GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return DISP_E_UNKNOWNNAME; }
  HRESULT Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return DISP_E_MEMBERNOTFOUND;
  }
};

TScrVar ObjectVar() {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_DISPATCH;
  v.pdispVal = new TBareObject;
  return TScrVar(v);
}

TEST_F(ScriptControlTest, ValueOverObjectNameIsRefused) {
  TScrVar obj = ObjectVar();
  Ctrl.AddObject(u"Foo", obj.Get(), false);
  TScrVar v = TScrVar::Int(1);
  EXPECT_EQ(ErrorOf([&] { Ctrl.AddOrSetValue(u"FOO", v.Get()); }), "Value named item required. 'FOO' is an object.");
  EXPECT_EQ(ErrorClassOf([&] { Ctrl.AddOrSetValue(u"FOO", v.Get()); }), "EOleSysError");
}

TEST_F(ScriptControlTest, ObjectOverValueNameIsRefused) {
  TScrVar v = TScrVar::Int(1);
  Ctrl.AddOrSetValue(u"x", v.Get());
  TScrVar obj = ObjectVar();
  EXPECT_EQ(ErrorOf([&] { Ctrl.AddObject(u"X", obj.Get(), false); }), "Object or value named 'X' already exists.");
  TScrVar back;
  EXPECT_TRUE(Ctrl.TryReadValue(u"x", back.Get()));  // the failed add left the table unchanged
  EXPECT_EQ(back.Text(), "1");
}

TEST_F(ScriptControlTest, DuplicateErrorCarriesEFail) {
  TScrVar obj = ObjectVar();
  Ctrl.AddObject(u"A", obj.Get(), false);
  try {
    Ctrl.AddObject(u"a", obj.Get(), false);
    FAIL() << "no error";
  } catch (const ExceptionPtr& E) {
    auto* ole = dynamic_cast<EOleSysError*>(E.Get());
    ASSERT_NE(ole, nullptr);
    EXPECT_EQ(ole->GetErrorCode(), E_FAIL);
  }
}

TEST_F(ScriptControlTest, SettingAValueTwiceKeepsTheSecond) {
  TScrVar first = TScrVar::Int(1), second = TScrVar::Str(u"two");
  Ctrl.AddOrSetValue(u"v", first.Get());
  Ctrl.AddOrSetValue(u"V", second.Get());
  TScrVar back;
  EXPECT_TRUE(Ctrl.TryReadValue(u"v", back.Get()));
  EXPECT_EQ(back.Text(), "two");
  int count = 0;
  Ctrl.NamedItems().GetAll([&](TNamedItem*) { ++count; });
  EXPECT_EQ(count, 1);
}

TEST_F(ScriptControlTest, TryReadValueOfObjectOrUnknownIsFalseAndEmpty) {
  TScrVar obj = ObjectVar();
  Ctrl.AddObject(u"Obj", obj.Get(), false);
  for (const char16_t* name : {u"Obj", u"Nothing"}) {
    TScrVar back = TScrVar::Int(5);
    EXPECT_FALSE(Ctrl.TryReadValue(name, back.Get()));
    EXPECT_EQ(back.Get().vt, VT_EMPTY);
  }
}

TEST_F(ScriptControlTest, EmptyObjectRegistersANullObject) {
  TScrVar empty;
  Ctrl.AddObject(u"Nothing", empty.Get(), false);
  const TNamedItem* item = Ctrl.NamedItems().Find(u"NOTHING");
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->Kind, nikObject);
  EXPECT_EQ(item->Value.vt, VT_DISPATCH);
  EXPECT_EQ(item->Value.pdispVal, nullptr);
  EXPECT_EQ(item->Name, u"Nothing");
}

TEST_F(ScriptControlTest, NonObjectsAreRefusedAsObjects) {
  for (TScrVar* value : {new TScrVar(TScrVar::Int(1)), new TScrVar(TScrVar::Str(u"s"))}) {
    std::unique_ptr<TScrVar> owned(value);
    EXPECT_EQ(ErrorClassOf([&] { Ctrl.AddObject(u"Bad", owned->Get(), false); }), "EVariantTypeCastError");
  }
  VARIANT null;
  VariantInit(&null);
  null.vt = VT_NULL;
  EXPECT_EQ(ErrorClassOf([&] { Ctrl.AddObject(u"Bad", null, false); }), "EVariantTypeCastError");
  EXPECT_EQ(Ctrl.NamedItems().Find(u"BAD"), nullptr);
}

TEST_F(ScriptControlTest, RemoveObjectOfAbsentNameDoesNothing) {
  TScrVar obj = ObjectVar();
  Ctrl.AddObject(u"Keep", obj.Get(), false);
  Ctrl.RemoveObject(u"Missing");
  EXPECT_NE(Ctrl.NamedItems().Find(u"KEEP"), nullptr);
  Ctrl.RemoveObject(u"keep");
  EXPECT_EQ(Ctrl.NamedItems().Find(u"KEEP"), nullptr);
}

TEST_F(ScriptControlTest, AddAllUnitsTwiceRaisesForTheFirstUnit) {
  Ctrl.AddAllUnits(true);
  const std::string first = StringToUtf8(GetUnitWrappers().front()->GetUnitName());
  EXPECT_EQ(ErrorOf([&] { Ctrl.AddAllUnits(true); }), "Object or value named '" + first + "' already exists.");
}

TEST_F(ScriptControlTest, ScriptReadsAndWritesNamedValues) {
  SetSource(u"procedure Twice; begin Limit := Limit * 2; end;\n");
  TScrVar v = TScrVar::Int(21);
  Ctrl.AddOrSetValue(u"Limit", v.Get());
  Ctrl.SetActive(true);
  TScrVar(Ctrl.RunProc(u"Twice"));
  TScrVar back;
  ASSERT_TRUE(Ctrl.TryReadValue(u"LIMIT", back.Get()));
  EXPECT_EQ(back.Text(), "42");
  // A new value while active reaches the script at once.
  TScrVar extra = TScrVar::Str(u"late");
  Ctrl.AddOrSetValue(u"Extra", extra.Get());
  TScrVar read(Ctrl.Eval(u"Extra"));
  EXPECT_EQ(read.Text(), "late");
}

// The holder seen through IDispatch, as an engine sees it.
class ValuesHolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Holder = QelNewNamedValuesHolder();
    ASSERT_EQ(Holder->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&Disp)), S_OK);
    VariantInit(&A);
    VariantInit(&B);
    A = QelIntVar(1);
    B = QelStringVar(u"b");
    Holder->AddValue(u"Alpha", &A);
    Holder->AddValue(u"Beta", &B);
  }
  void TearDown() override {
    Disp->Release();
    Holder->Release();
    VariantClear(&A);
    VariantClear(&B);
  }
  DISPID IdOf(const char16_t* AName) {
    LPOLESTR name = const_cast<LPOLESTR>(AName);
    DISPID id = 0;
    return SUCCEEDED(Disp->GetIDsOfNames(IID_NULL, &name, 1, 0, &id)) ? id : DISPID_UNKNOWN;
  }
  HRESULT Call(DISPID AId, WORD AFlags, std::vector<VARIANT> AArgs, VARIANT* AResult) {
    DISPID putId = DISPID_PROPERTYPUT;
    DISPPARAMS params{AArgs.data(), AFlags == DISPATCH_PROPERTYPUT ? &putId : nullptr, UINT(AArgs.size()),
                      AFlags == DISPATCH_PROPERTYPUT ? 1u : 0u};
    return Disp->Invoke(AId, IID_NULL, 0, AFlags, &params, AResult, nullptr, nullptr);
  }

  IQelNamedValuesHolder* Holder = nullptr;
  IDispatch* Disp = nullptr;
  VARIANT A, B;
};

TEST_F(ValuesHolderTest, IdentifiersCountFromOneInRegistrationOrder) {
  EXPECT_EQ(IdOf(u"alpha"), 1);
  EXPECT_EQ(IdOf(u"BETA"), 2);
  Holder->AddValue(u"ALPHA", &B);  // a known name keeps its identifier
  EXPECT_EQ(IdOf(u"Alpha"), 1);
  EXPECT_EQ(IdOf(u"Gamma"), DISPID_UNKNOWN);
}

TEST_F(ValuesHolderTest, GetAndPutGoToTheItemsVariant) {
  TScrVar result;
  EXPECT_EQ(Call(1, DISPATCH_METHOD | DISPATCH_PROPERTYGET, {}, &result.Get()), S_OK);
  EXPECT_EQ(result.Text(), "1");
  TScrVar value = TScrVar::Int(7);
  EXPECT_EQ(Call(1, DISPATCH_PROPERTYPUT, {value.Get()}, nullptr), S_OK);
  EXPECT_EQ(QelVarToInt(A), 7);
}

TEST_F(ValuesHolderTest, RefusedCalls) {
  struct TRow {
    DISPID Id;
    WORD Flags;
    int ArgCount;
    HRESULT Expected;
  };
  const TRow rows[] = {
      {0, DISPATCH_PROPERTYGET, 0, DISP_E_MEMBERNOTFOUND},    {3, DISPATCH_PROPERTYGET, 0, DISP_E_MEMBERNOTFOUND},
      {-1, DISPATCH_PROPERTYGET, 0, DISP_E_MEMBERNOTFOUND},   {1, DISPATCH_PROPERTYGET, 1, DISP_E_BADPARAMCOUNT},
      {1, DISPATCH_PROPERTYPUT, 2, DISP_E_BADPARAMCOUNT},     {1, DISPATCH_PROPERTYPUT, 0, DISP_E_BADPARAMCOUNT},
      {1, DISPATCH_METHOD, 0, DISP_E_TYPEMISMATCH},           {1, DISPATCH_PROPERTYPUTREF, 1, DISP_E_TYPEMISMATCH},
  };
  for (const TRow& row : rows) {
    std::vector<VARIANT> args(size_t(row.ArgCount));
    for (VARIANT& arg : args) arg = QelIntVar(5);
    TScrVar result;
    EXPECT_EQ(Call(row.Id, row.Flags, args, &result.Get()), row.Expected) << row.Id << " " << row.Flags;
  }
  EXPECT_EQ(QelVarToInt(A), 1);
}

}  // namespace

namespace {

TEST_F(ScriptControlTest, AddChildrenAddsNamedComponentsOfTheOwner) {
  TComponent owner(nullptr);
  auto* first = new TComponent(&owner);
  first->SetName(u"First");
  new TComponent(&owner);  // unnamed: skipped
  auto* second = new TComponent(&owner);
  second->SetName(u"Second");
  Ctrl.AddChildren(&owner, false);
  int count = 0;
  Ctrl.NamedItems().GetAll([&](TNamedItem*) { ++count; });
  EXPECT_EQ(count, 2);
  for (TComponent* child : {first, second}) {
    const TNamedItem* item = Ctrl.NamedItems().Find(UpperCase(child->GetName()));
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(VarToObject(item->Value), child);
  }
  Ctrl.ClearObjects();  // the items hold wrappers of the children, which go with the owner
}

}  // namespace
