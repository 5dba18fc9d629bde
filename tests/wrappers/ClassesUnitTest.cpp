// The Classes and SysUtils units: string lists through IDispatch, optional forms, var
// parameters, exceptions and the class library's own string routines.
#include <cstdio>
#include <filesystem>

#include "tests/wrappers/WrpTestKit.h"
#include "engine/wrappers/units/Classes_QelSW.h"

namespace {

class ClassesUnitTest : public WrappersTest {
 protected:
  void SetUp() override {
    WrappersTest::SetUp();
    FClasses = UnitInstance(UnitNamed(u"Classes"));
    FSysUtils = UnitInstance(UnitNamed(u"SysUtils"));
    FList = TVar::Object(&FHostList);
  }
  IDispatch* List() { return FList.Disp(); }
  void Add(std::u16string_view AText) { InvokeName(List(), u"Add", FMethod, {TVar::Str(AText).Get()}, false); }

  TVar FClasses, FSysUtils;
  TStringList FHostList;
  TVar FList;
};

TEST_F(ClassesUnitTest, StringsAndTheDefaultPropertyReachTheSameLines) {
  Add(u"x");
  Add(u"y");
  TVar a = TVar::Str(u"a"), b = TVar::Str(u"b"), zero = TVar::Int(0), one = TVar::Int(1);
  ASSERT_EQ(InvokeName(List(), u"Strings", FPut, {zero.Get(), a.Get()}, false).Hr, S_OK);
  ASSERT_EQ(InvokeId(List(), DISPID_VALUE, FPut, {one.Get(), b.Get()}, false).Hr, S_OK);
  EXPECT_EQ(FHostList.GetText(), u"a\r\nb\r\n");
  EXPECT_EQ(InvokeId(List(), DISPID_VALUE, FMethodGet, {one.Get()}).Value.Text(), u"b");
  EXPECT_EQ(InvokeName(List(), u"Count", FGet).Value.AsInt(), 2);
}

TEST_F(ClassesUnitTest, LoadFromFileWithThreeArgumentsIsAnArgumentCountError) {
  TVar file = TVar::Str(u"f");
  std::vector<VARIANT> args(3, file.Get());
  TCallResult result = InvokeName(List(), u"LoadFromFile", FMethod, args, false);
  EXPECT_EQ(result.Hr, DISP_E_EXCEPTION);
  EXPECT_EQ(result.Description, u"Wrong argument count. Method or property called: LoadFromFile");
}

TEST_F(ClassesUnitTest, SaveAndLoadRoundTrip) {
  const std::string path = (std::filesystem::temp_directory_path() / "qel_wrappers_lines.txt").string();
  Add(u"one");
  Add(u"two");
  TVar file = TVar::Str(Utf8ToString(path));
  ASSERT_EQ(InvokeName(List(), u"SaveToFile", FMethod, {file.Get()}, false).Hr, S_OK);
  TStringList loaded;
  TVar other = TVar::Object(&loaded);
  ASSERT_EQ(InvokeName(other.Disp(), u"LoadFromFile", FMethod, {file.Get()}, false).Hr, S_OK);
  EXPECT_EQ(loaded.GetText(), u"one\r\ntwo\r\n");
  std::remove(path.c_str());
  TCallResult missing = InvokeName(other.Disp(), u"LoadFromFile", FMethod, {file.Get()}, false);
  EXPECT_EQ(missing.Hr, DISP_E_EXCEPTION);
  EXPECT_NE(missing.Description.find(u"Cannot open file"), String::npos);
}

TEST_F(ClassesUnitTest, FindWritesTheIndexBack) {
  TVar sorted = TVar::Bool(true);
  InvokeName(List(), u"Sorted", FPut, {sorted.Get()}, false);
  Add(u"b");
  Add(u"a");
  TVar index = TVar::Int(-1);
  TCallResult found = InvokeName(List(), u"Find", FMethod, {TVar::Str(u"b").Get(), MakeVarRef(index.Get())});
  ASSERT_EQ(found.Hr, S_OK);
  EXPECT_EQ(found.Value.Get().boolVal, VARIANT_TRUE);
  EXPECT_EQ(index.Vt(), VT_I4);
  EXPECT_EQ(index.AsInt(), 1);
}

TEST_F(ClassesUnitTest, EnumerationsAreUnitConstantsAndTypesAreTypeValues) {
  EXPECT_EQ(InvokeName(FClasses.Disp(), u"dupError", FGet).Value.AsInt(), dupError);
  EXPECT_EQ(InvokeName(FClasses.Disp(), u"csDesignInstance", FGet).Value.AsInt(), csDesignInstance);
  TVar type = InvokeName(FClasses.Disp(), u"TStringList", FGet).Value;
  EXPECT_EQ(type.Disp(), TVar::Adopt(QelWrapperClass<TStringList_sw>()->MetatypeToVar()).Disp());
  TVar duplicates = TVar::Int(dupAccept);
  InvokeName(List(), u"Duplicates", FPut, {duplicates.Get()}, false);
  EXPECT_EQ(FHostList.GetDuplicates(), dupAccept);
}

TEST_F(ClassesUnitTest, ClassDescriptorTypeNamesGiveTheClassesTypeValue) {
  TVar descriptor = InvokeName(FClasses.Disp(), u"TComponentClass", FGet).Value;
  ASSERT_NE(descriptor.Disp(), nullptr);
  EXPECT_EQ(descriptor.Disp(), InvokeName(FClasses.Disp(), u"TComponent", FGet).Value.Disp());
  TVar converted = TVar::Adopt(TComponentClass_sw::ToVar(TComponent::StaticClass()));
  EXPECT_EQ(converted.Disp(), descriptor.Disp());
  EXPECT_THROW(TComponentClass_sw::FromVar(InvokeName(FClasses.Disp(), u"TList", FGet).Value.Get()), ExceptionPtr);
}

TEST_F(ClassesUnitTest, ComponentsCreateWithTheirOwner) {
  TComponent owner(nullptr);
  TVar ownerValue = TVar::Object(&owner);
  TVar type = InvokeName(FClasses.Disp(), u"TComponent", FGet).Value;
  TVar child = InvokeName(type.Disp(), u"Create", FMethod, {ownerValue.Get()}).Value;
  ASSERT_EQ(owner.GetComponentCount(), 1);
  TVar name = TVar::Str(u"Kid");
  ASSERT_EQ(InvokeName(child.Disp(), u"Name", FPut, {name.Get()}, false).Hr, S_OK);
  EXPECT_EQ(InvokeName(ownerValue.Disp(), u"FindComponent", FMethod, {TVar::Str(u"kid").Get()}).Value.Disp(), child.Disp());
  EXPECT_EQ(InvokeName(child.Disp(), u"Owner", FGet).Value.Disp(), ownerValue.Disp());
  TVar bad = TVar::Str(u"1bad");
  EXPECT_EQ(InvokeName(child.Disp(), u"Name", FPut, {bad.Get()}, false).Hr, DISP_E_EXCEPTION);
}

TEST_F(ClassesUnitTest, AbstractClassCannotBeCreated) {
  TVar type = InvokeName(FClasses.Disp(), u"TStrings", FGet).Value;
  EXPECT_EQ(InvokeName(type.Disp(), u"Create", FMethod).Description, u"No constructor found.");
}

TEST_F(ClassesUnitTest, ExceptionsCarryTheirMessageAndClass) {
  TVar type = InvokeName(FSysUtils.Disp(), u"EConvertError", FGet).Value;
  TVar error = InvokeName(type.Disp(), u"Create", FMethod, {TVar::Str(u"boom").Get()}).Value;
  EXPECT_EQ(InvokeName(error.Disp(), u"Message", FGet).Value.Text(), u"boom");
  EXPECT_EQ(InvokeName(error.Disp(), u"ClassName", FMethod).Value.Text(), u"EConvertError");
  TObject* host = VarToObject(error.Get());
  ASSERT_NE(host, nullptr);
  EXPECT_TRUE(host->Is<EConvertError>());
  host->Free();
}

TEST_F(ClassesUnitTest, SysUtilsRoutinesKeepTheClassLibrarysBehaviour) {
  EXPECT_EQ(InvokeName(FSysUtils.Disp(), u"Trim", FMethod, {TVar::Str(u"  x \t").Get()}).Value.Text(), u"x");
  EXPECT_EQ(InvokeName(FSysUtils.Disp(), u"IntToStr", FMethod, {TVar::Int(-5).Get()}).Value.Text(), u"-5");
  EXPECT_EQ(InvokeName(FSysUtils.Disp(), u"UpperCase", FMethod, {TVar::Str(u"abc\u00e9").Get()}).Value.Text(),
            u"ABC\u00e9");
  TVar value = TVar::Int(0);
  TCallResult parsed = InvokeName(FSysUtils.Disp(), u"TryStrToInt", FMethod, {TVar::Str(u"$1F").Get(), MakeVarRef(value.Get())});
  EXPECT_EQ(parsed.Value.Get().boolVal, VARIANT_TRUE);
  EXPECT_EQ(value.AsInt(), 31);
  TCallResult bad = InvokeName(FSysUtils.Disp(), u"StrToInt", FMethod, {TVar::Str(u"x1").Get()});
  EXPECT_EQ(bad.Hr, DISP_E_EXCEPTION);
  EXPECT_EQ(bad.Description, u"'x1' is not a valid integer value");
}

// Format's open array comes from scripts as a variant array of variants.
TVar VariantArray(std::vector<TVar>& AItems) {
  SAFEARRAY* array = SafeArrayCreateVector(VT_VARIANT, 0, static_cast<ULONG>(AItems.size()));
  for (LONG i = 0; i < static_cast<LONG>(AItems.size()); ++i) SafeArrayPutElement(array, &i, &AItems[i].Get());
  VARIANT value;
  VariantInit(&value);
  value.vt = VT_ARRAY | VT_VARIANT;
  value.parray = array;
  return TVar::Adopt(value);
}

TEST_F(ClassesUnitTest, SysUtilsFormatTakesAVariantArrayOrOneValue) {
  std::vector<TVar> items;
  items.push_back(TVar::Int(7));
  items.push_back(TVar::Str(u"x"));
  items.push_back(TVar::Int(255));
  TVar args = VariantArray(items);
  EXPECT_EQ(InvokeName(FSysUtils.Disp(), u"Format", FMethod, {TVar::Str(u"%d-%s-%x").Get(), args.Get()}).Value.Text(),
            u"7-x-FF");
  EXPECT_EQ(InvokeName(FSysUtils.Disp(), u"Format", FMethod, {TVar::Str(u"[%3s]").Get(), TVar::Str(u"a").Get()})
                .Value.Text(),
            u"[  a]");
  TCallResult missing = InvokeName(FSysUtils.Disp(), u"Format", FMethod, {TVar::Str(u"%d %d").Get(), args.Get()});
  EXPECT_EQ(missing.Hr, DISP_E_EXCEPTION);
  EXPECT_NE(missing.Description.find(u"invalid or incompatible"), String::npos) << StringToUtf8(missing.Description);
}

TEST_F(ClassesUnitTest, SysUtilsDateRoutinesReturnDates) {
  TCallResult date = InvokeName(FSysUtils.Disp(), u"EncodeDate", FMethod,
                                {TVar::Int(2001).Get(), TVar::Int(1).Get(), TVar::Int(31).Get()});
  ASSERT_EQ(date.Hr, S_OK);
  EXPECT_EQ(date.Value.Get().vt, VT_DATE);
  EXPECT_EQ(date.Value.Get().date, 36922.0);
  TCallResult next = InvokeName(FSysUtils.Disp(), u"IncMonth", FMethod, {date.Value.Get()});
  EXPECT_EQ(next.Value.Get().vt, VT_DATE);
  EXPECT_EQ(next.Value.Get().date, 36950.0);  // clamped to 28 February
  TCallResult back = InvokeName(FSysUtils.Disp(), u"IncMonth", FMethod, {date.Value.Get(), TVar::Int(-12).Get()});
  EXPECT_EQ(back.Value.Get().date, 36922.0 - 366);
  TCallResult bad = InvokeName(FSysUtils.Disp(), u"EncodeDate", FMethod,
                               {TVar::Int(2001).Get(), TVar::Int(2).Get(), TVar::Int(30).Get()});
  EXPECT_EQ(bad.Hr, DISP_E_EXCEPTION);
  EXPECT_EQ(InvokeName(FSysUtils.Disp(), u"DayOfWeek", FMethod, {date.Value.Get()}).Value.AsInt(), 4);  // a Wednesday
}

}  // namespace
