#include "tests/ole/OleTestValues.h"

using namespace oletest;

namespace {

// An automation object whose default property is a fixed value; counts its live instances.
class ValueObject : public OleObject<IDispatch, IID_IDispatch> {
 public:
  explicit ValueObject(Val value) : value_(value) { ++live; }
  ~ValueObject() override { --live; }
  static inline int live = 0;

  HRESULT GetTypeInfoCount(UINT* n) override { return *n = 0, S_OK; }
  HRESULT GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return DISP_E_UNKNOWNNAME;
  }
  HRESULT Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                 EXCEPINFO*, UINT*) override {
    if (id != DISPID_VALUE || !(flags & DISPATCH_PROPERTYGET) || params->cArgs)
      return DISP_E_MEMBERNOTFOUND;
    Var v(value_);
    return VariantCopy(result, &v.V);
  }

 private:
  Val value_;
};

// Holds an object in a VT_DISPATCH variant, taking over the creation reference.
struct DispatchVar : Var {
  explicit DispatchVar(ValueObject* obj) {
    V.vt = VT_DISPATCH;
    V.pdispVal = obj;
  }
};

TEST(Guid, RoundTripsThroughText) {
  OLECHAR text[39];
  ASSERT_EQ(StringFromGUID2(IID_IDispatch, text, 39), 39);
  EXPECT_EQ(std::u16string_view(text), u"{00020400-0000-0000-C000-000000000046}");
  GUID back;
  ASSERT_EQ(CLSIDFromString(text, &back), S_OK);
  EXPECT_TRUE(IsEqualGUID(back, IID_IDispatch));
  EXPECT_EQ(CLSIDFromString(u"{00020400-0000-0000-C000-00000000004}", &back), CO_E_CLASSSTRING);
  EXPECT_EQ(CLSIDFromString(u"{00020400-0000-0000-C000-00000000004G}", &back), CO_E_CLASSSTRING);
  EXPECT_EQ(CLSIDFromString(u"{0002040000000-0000-C000-0000000000046}", &back), CO_E_CLASSSTRING);
  EXPECT_EQ(StringFromGUID2(IID_IUnknown, text, 38), 0);
}

struct ErrorCase {
  HRESULT hr;
  const char16_t* text;
};

void PrintTo(const ErrorCase& c, std::ostream* os) {
  *os << "0x" << std::hex << std::uppercase << static_cast<uint32_t>(c.hr);
}

class ErrorTexts : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(ErrorTexts, ArePublished) { EXPECT_EQ(OleErrorText(GetParam().hr), GetParam().text); }

INSTANTIATE_TEST_SUITE_P(
    All, ErrorTexts,
    ::testing::Values(ErrorCase{DISP_E_TYPEMISMATCH, u"Type mismatch."},
                      ErrorCase{DISP_E_OVERFLOW, u"Out of present range."},
                      ErrorCase{DISP_E_BADINDEX, u"Invalid index."},
                      ErrorCase{DISP_E_UNKNOWNNAME, u"Unknown name."},
                      ErrorCase{DISP_E_MEMBERNOTFOUND, u"Member not found."},
                      ErrorCase{DISP_E_BADPARAMCOUNT, u"Invalid number of parameters."},
                      ErrorCase{E_NOTIMPL, u"Not implemented"},
                      ErrorCase{E_FAIL, u"Unspecified error"},
                      ErrorCase{E_INVALIDARG, u"The parameter is incorrect."},
                      ErrorCase{E_NOINTERFACE, u"No such interface supported"},
                      ErrorCase{REGDB_E_CLASSNOTREG, u"Class not registered"},
                      ErrorCase{CO_E_CLASSSTRING, u"Invalid class string"},
                      ErrorCase{MK_E_UNAVAILABLE, u"Operation unavailable"},
                      ErrorCase{TYPE_E_ELEMENTNOTFOUND, u"Element not found."},
                      ErrorCase{static_cast<HRESULT>(0x80041234), u"Unknown error 0x80041234"}));

TEST(HResultMacros, PublishedValues) {
  EXPECT_EQ(static_cast<uint32_t>(DISP_E_EXCEPTION), 0x80020009u);
  EXPECT_EQ(HRESULT_FROM_WIN32(5), E_ACCESSDENIED);
  EXPECT_EQ(HRESULT_CODE(DISP_E_BADINDEX), 0x000Bu);
  EXPECT_EQ(SCODE_FACILITY(DISP_E_BADINDEX), FACILITY_DISPATCH);
  EXPECT_EQ(MAKE_HRESULT(1, FACILITY_ITF, 0x154), REGDB_E_CLASSNOTREG);
}

TEST(Dispatch, CoercionReadsTheDefaultProperty) {
  {
    DispatchVar obj(new ValueObject(Of(VT_I4, 42)));
    Var out;
    ASSERT_EQ(VariantChangeType(&out, &obj, 0, VT_BSTR), S_OK);
    EXPECT_TRUE(Holds(out.V, Str(u"42")));
    EXPECT_EQ(VariantChangeType(&out, &obj, VARIANT_NOVALUEPROP, VT_I4), DISP_E_TYPEMISMATCH);
    ASSERT_EQ(VariantChangeType(&out, &obj, 0, VT_UNKNOWN), S_OK);
    EXPECT_EQ(out.V.punkVal, static_cast<IUnknown*>(obj.V.pdispVal));
    Var sum, one(Of(VT_I4, 1));
    ASSERT_EQ(VarAdd(&obj, &one, &sum), S_OK);
    EXPECT_TRUE(Holds(sum.V, Of(VT_I4, 43)));
    Var copy;
    ASSERT_EQ(VariantCopy(&copy, &obj), S_OK);
    EXPECT_EQ(copy.V.pdispVal, obj.V.pdispVal);
  }
  EXPECT_EQ(ValueObject::live, 0);
}

TEST(Dispatch, NullObjectDoesNotCoerce) {
  Var obj, out;
  obj.V.vt = VT_DISPATCH;
  EXPECT_EQ(VariantChangeType(&out, &obj, 0, VT_I4), DISP_E_TYPEMISMATCH);
  Var empty;
  ASSERT_EQ(VariantChangeType(&out, &empty, 0, VT_DISPATCH), S_OK);
  EXPECT_EQ(out.V.vt, VT_DISPATCH);
  EXPECT_EQ(out.V.pdispVal, nullptr);
}

constexpr CLSID kTestClsid = {0x12345678, 0x1234, 0x5678, {1, 2, 3, 4, 5, 6, 7, 8}};

class Registry : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(OleRegisterClass(u"Qel.TestValue", kTestClsid,
                               [](REFIID iid, void** ppv) {
                                 ComPtr<ValueObject> obj =
                                     ComPtr<ValueObject>::adopt(new ValueObject(Of(VT_I2, 7)));
                                 return obj->QueryInterface(iid, ppv);
                               }),
              S_OK);
  }
  void TearDown() override {
    OleUnregisterClass(kTestClsid);
    EXPECT_EQ(ValueObject::live, 0);
  }
};

TEST_F(Registry, ProgIdsCompareWithoutCase) {
  CLSID found;
  ASSERT_EQ(CLSIDFromProgID(u"qel.testvalue", &found), S_OK);
  EXPECT_TRUE(IsEqualCLSID(found, kTestClsid));
  EXPECT_EQ(CLSIDFromProgID(u"Qel.Missing", &found), CO_E_CLASSSTRING);
  LPOLESTR name = nullptr;
  ASSERT_EQ(ProgIDFromCLSID(kTestClsid, &name), S_OK);
  EXPECT_EQ(std::u16string_view(name), u"Qel.TestValue");
  CoTaskMemFree(name);
}

TEST_F(Registry, CreatesThroughTheFactory) {
  ComPtr<IDispatch> disp;
  ASSERT_EQ(CoCreateInstance(kTestClsid, nullptr, CLSCTX_ALL, IID_IDispatch, disp.putVoid()), S_OK);
  EXPECT_EQ(ValueObject::live, 1);
  ComPtr<IUnknown> unk;
  EXPECT_EQ(CoCreateInstance(kTestClsid, disp.get(), CLSCTX_ALL, IID_IUnknown, unk.putVoid()),
            CLASS_E_NOAGGREGATION);
  EXPECT_EQ(CoCreateInstance(kTestClsid, nullptr, CLSCTX_ALL, IID_ITypeInfo, unk.putVoid()),
            E_NOINTERFACE);
  ComPtr<IClassFactory> factory;
  ASSERT_EQ(CoGetClassObject(kTestClsid, CLSCTX_ALL, nullptr, IID_IClassFactory, factory.putVoid()),
            S_OK);
  ASSERT_EQ(factory->CreateInstance(nullptr, IID_IUnknown, unk.putVoid()), S_OK);
  EXPECT_EQ(ValueObject::live, 2);
  ASSERT_EQ(OleUnregisterClass(kTestClsid), S_OK);
  EXPECT_EQ(CoCreateInstance(kTestClsid, nullptr, CLSCTX_ALL, IID_IUnknown, unk.putVoid()),
            REGDB_E_CLASSNOTREG);
  EXPECT_EQ(OleUnregisterClass(kTestClsid), REGDB_E_CLASSNOTREG);
}

TEST_F(Registry, RunningObjectTable) {
  ComPtr<IUnknown> found;
  EXPECT_EQ(GetActiveObject(kTestClsid, nullptr, found.put()), MK_E_UNAVAILABLE);
  ComPtr<IUnknown> obj = ComPtr<IUnknown>::adopt(new ValueObject(Empty()));
  DWORD cookie = 0;
  ASSERT_EQ(RegisterActiveObject(obj.get(), kTestClsid, ACTIVEOBJECT_STRONG, &cookie), S_OK);
  ASSERT_EQ(GetActiveObject(kTestClsid, nullptr, found.put()), S_OK);
  EXPECT_EQ(found.get(), obj.get());
  obj.reset();
  found.reset();
  EXPECT_EQ(ValueObject::live, 1);  // held by the strong registration
  ASSERT_EQ(RevokeActiveObject(cookie, nullptr), S_OK);
  EXPECT_EQ(ValueObject::live, 0);
  EXPECT_EQ(RevokeActiveObject(cookie, nullptr), E_INVALIDARG);
}

TEST(Initialize, IsCounted) {
  HRESULT first = OleInitialize(nullptr);
  EXPECT_TRUE(first == S_OK || first == S_FALSE);
  EXPECT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_FALSE);
  CoUninitialize();
  OleUninitialize();
}

}  // namespace
