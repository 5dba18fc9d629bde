// ITypeInfo over a member table.
#include "tests/wrappers/WrpProbe.h"

namespace {

class TypeInfoTest : public WrappersTest {
 protected:
  void SetUp() override {
    WrappersTest::SetUp();
    RegisterClassWrapper(QelWrapperClass<TProbe_sw>());
    FValue = TVar::Object(&FProbe);
    ASSERT_EQ(FValue.Disp()->GetTypeInfo(5, 1033, FInfo.put()), S_OK);
  }
  TProbe FProbe;
  TVar FValue;
  ComPtr<ITypeInfo> FInfo;
};

TEST_F(TypeInfoTest, AttributesDescribeADispatchInterface) {
  const TQelDispInfo& table = QelWrapperClass<TProbe_sw>()->GetDispInfo();
  TYPEATTR* attr = nullptr;
  ASSERT_EQ(FInfo->GetTypeAttr(&attr), S_OK);
  EXPECT_EQ(attr->typekind, TKIND_DISPATCH);
  EXPECT_EQ(attr->cFuncs, table.GetCount() - 1);
  EXPECT_EQ(attr->wTypeFlags, 0x1080);
  EXPECT_EQ(attr->memidConstructor, MEMBERID_NIL);
  FInfo->ReleaseTypeAttr(attr);
}

TEST_F(TypeInfoTest, FunctionsFollowTheTableFromIdOne) {
  const DISPID caption = DispIdOf(FValue.Disp(), u"Caption");
  FUNCDESC* desc = nullptr;
  ASSERT_EQ(FInfo->GetFuncDesc(static_cast<UINT>(caption - 1), &desc), S_OK);
  EXPECT_EQ(desc->memid, caption);
  EXPECT_EQ(desc->funckind, FUNC_DISPATCH);
  EXPECT_EQ(desc->invkind, DISPATCH_PROPERTYGET | DISPATCH_PROPERTYPUT);
  EXPECT_EQ(desc->elemdescFunc.tdesc.vt, VT_BSTR);
  FInfo->ReleaseFuncDesc(desc);
  EXPECT_EQ(FInfo->GetFuncDesc(100000, &desc), E_INVALIDARG);
  EXPECT_EQ(desc, nullptr);
}

TEST_F(TypeInfoTest, NamesAndDocumentation) {
  const DISPID touch = DispIdOf(FValue.Disp(), u"touch");
  BSTR name = nullptr;
  UINT count = 0;
  ASSERT_EQ(FInfo->GetNames(touch, &name, 1, &count), S_OK);
  EXPECT_EQ(count, 1u);
  EXPECT_EQ(OleBstrView(name), u"Touch");
  SysFreeString(name);
  EXPECT_EQ(FInfo->GetNames(-1, &name, 1, &count), E_INVALIDARG);
  BSTR doc = nullptr;
  DWORD context = 0;
  ASSERT_EQ(FInfo->GetDocumentation(touch, &name, &doc, &context, nullptr), S_OK);
  EXPECT_EQ(OleBstrView(doc), u"Touch");
  EXPECT_EQ(context, 0xFFFFFFFFu);
  SysFreeString(name);
  SysFreeString(doc);
}

TEST_F(TypeInfoTest, NameLookupIncludesHiddenMembers) {
  String secret = u"SECRET";
  LPOLESTR names[] = {secret.data()};
  MEMBERID id = 0;
  EXPECT_EQ(FInfo->GetIDsOfNames(names, 1, &id), S_OK);
  EXPECT_GT(id, 0);
  EXPECT_EQ(FInfo->GetIDsOfNames(nullptr, 1, &id), E_INVALIDARG);
  ITypeComp* comp = reinterpret_cast<ITypeComp*>(&id);
  EXPECT_EQ(FInfo->GetTypeComp(&comp), E_NOTIMPL);
  EXPECT_EQ(comp, nullptr);
}

}  // namespace
