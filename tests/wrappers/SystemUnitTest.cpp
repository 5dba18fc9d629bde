// The System unit through its dispatch interface, and the registration order of the units.
#include "tests/wrappers/WrpTestKit.h"

namespace {

class SystemUnitTest : public WrappersTest {
 protected:
  void SetUp() override {
    WrappersTest::SetUp();
    FSystem = UnitInstance(UnitNamed(u"System"));
  }
  TCallResult Call(std::u16string_view AName, std::vector<VARIANT> AArgs = {}) {
    return InvokeName(FSystem.Disp(), AName, FMethod, std::move(AArgs));
  }
  TVar FSystem;
};

TEST_F(SystemUnitTest, UnitsAreListedSystemFirstInTheFixedOrder) {
  const auto& units = GetUnitWrappers();
  std::vector<std::u16string_view> names;
  for (TQelWrapperClassRef unit : units) names.push_back(unit->GetUnitName());
  const std::vector<std::u16string_view> expected = {
      u"System",   u"Types",     u"UITypes",  u"Windows",  u"Messages",  u"SysConst",  u"SysUtils", u"Variants",
      u"TypInfo",  u"Classes",   u"Graphics", u"MultiMon", u"Contnrs",   u"CommCtrl",  u"ImageList", u"ImgList",
      u"Actions",  u"ActnList",  u"Menus",    u"Imm",      u"Controls",  u"Messaging", u"HelpIntfs", u"Forms",
      u"ShlObj",   u"CommDlg",   u"Printers", u"StdCtrls", u"RichEdit",  u"ToolWin",   u"GraphUtil", u"ExtCtrls",
      u"ListActns", u"ComCtrls", u"Dialogs"};
  ASSERT_GE(names.size(), expected.size());
  EXPECT_TRUE(std::equal(expected.begin(), expected.end(), names.begin()));
}

struct TRoutineCase {
  const char16_t* Name;
  std::vector<TVar> Args;
  TVar Expected;
};

void PrintTo(const TRoutineCase& ACase, std::ostream* AOut) {
  *AOut << StringToUtf8(ACase.Name) << ", " << ACase.Args.size() << " args";
}

class SystemRoutineTest : public SystemUnitTest, public ::testing::WithParamInterface<TRoutineCase> {};

TEST_P(SystemRoutineTest, ReturnsThePublishedValue) {
  const TRoutineCase& c = GetParam();
  std::vector<VARIANT> args;
  for (const TVar& arg : c.Args) args.push_back(arg.Get());
  TCallResult result = Call(c.Name, args);
  ASSERT_EQ(result.Hr, S_OK) << std::string(c.Name, c.Name + 3);
  EXPECT_EQ(result.Value.Vt(), c.Expected.Vt());
  TVar left = result.Value, right = c.Expected;
  EXPECT_EQ(VarCmp(&left, &right, 0, 0), VARCMP_EQ) << StringToUtf8(c.Name) << " gave " << StringToUtf8(result.Value.Text());
}

TVar I8(int64_t A) { return TVar::Adopt(QelInt64Var(A)); }

INSTANTIATE_TEST_SUITE_P(
    Published, SystemRoutineTest,
    ::testing::Values(TRoutineCase{u"Chr", {TVar::Int(321)}, TVar::Str(u"A")},
                      TRoutineCase{u"Length", {TVar::Int(12345)}, TVar::Int(5)},
                      TRoutineCase{u"SetMake", {TVar::Int(0), TVar::Int(2), TVar::Int(5)}, TVar::Int(37)},
                      TRoutineCase{u"SetMake", {}, TVar::Int(0)},
                      TRoutineCase{u"SetIn", {TVar::Int(2), TVar::Int(37)}, TVar::Bool(true)},
                      TRoutineCase{u"SetIn", {TVar::Int(33), TVar::Int(2)}, TVar::Bool(true)},
                      TRoutineCase{u"Round", {TVar::Real(2.5)}, I8(2)},
                      TRoutineCase{u"Round", {TVar::Real(3.5)}, I8(4)},
                      TRoutineCase{u"Trunc", {TVar::Real(-3.7)}, I8(-3)},
                      TRoutineCase{u"Copy", {TVar::Str(u"Hello"), TVar::Int(2), TVar::Int(3)}, TVar::Str(u"ell")},
                      TRoutineCase{u"Copy", {TVar::Str(u"Hello"), TVar::Int(4), TVar::Int(99)}, TVar::Str(u"lo")},
                      TRoutineCase{u"Pos", {TVar::Str(u"l"), TVar::Str(u"Hello")}, TVar::Int(3)},
                      TRoutineCase{u"Pos", {TVar::Str(u"z"), TVar::Str(u"Hello")}, TVar::Int(0)},
                      TRoutineCase{u"Concat", {TVar::Str(u"a"), TVar::Int(1), TVar::Str(u"b")}, TVar::Str(u"a1b")},
                      TRoutineCase{u"Odd", {TVar::Int(3)}, TVar::Bool(true)},
                      TRoutineCase{u"Sqr", {TVar::Int(3)}, TVar::Real(9)},
                      TRoutineCase{u"Abs", {TVar::Int(-4)}, TVar::Real(4)},
                      TRoutineCase{u"Frac", {TVar::Real(2.25)}, TVar::Real(0.25)},
                      TRoutineCase{u"SetEmpty", {}, TVar::Int(0)}));

TEST_F(SystemUnitTest, WrongCountForOptionalRoutinesNamesTheRoutine) {
  for (const char16_t* name : {u"Random", u"Assert", u"Str"}) {
    std::vector<VARIANT> five(5, TVar::Int(1).Get());
    const bool isFunction = String(name) == u"Random";
    TCallResult result = InvokeName(FSystem.Disp(), name, FMethod, five, isFunction);
    EXPECT_EQ(result.Hr, DISP_E_EXCEPTION);
    EXPECT_EQ(result.Description, u"Wrong argument count. Method or property called: " + String(name));
  }
  EXPECT_EQ(Call(u"Random", {TVar::Int(1).Get(), TVar::Int(2).Get()}).Description,
            u"Wrong argument count. Method or property called: Random");
}

TEST_F(SystemUnitTest, RandomStaysInRange) {
  for (int i = 0; i < 100; ++i) {
    const int32_t value = Call(u"Random", {TVar::Int(10).Get()}).Value.AsInt();
    EXPECT_GE(value, 0);
    EXPECT_LT(value, 10);
    const double real = QelVarToReal(Call(u"Random").Value.Get());
    EXPECT_GE(real, 0.0);
    EXPECT_LT(real, 1.0);
  }
}

TEST_F(SystemUnitTest, VarArgumentsChangeReferencesOnly) {
  TVar s = TVar::Str(u"");
  ASSERT_EQ(Call(u"Str", {TVar::Real(2.5).Get(), MakeVarRef(s.Get())}).Hr, DISP_E_TYPEMISMATCH);  // a procedure
  ASSERT_EQ(InvokeName(FSystem.Disp(), u"Str", FMethod, {TVar::Real(2.5).Get(), MakeVarRef(s.Get())}, false).Hr, S_OK);
  EXPECT_EQ(s.Text(), u" 2.50000000000000E+0000");
  ASSERT_EQ(InvokeName(FSystem.Disp(), u"Str", FMethod,
                       {TVar::Real(2.5).Get(), TVar::Int(6).Get(), TVar::Int(2).Get(), MakeVarRef(s.Get())}, false)
                .Hr,
            S_OK);
  EXPECT_EQ(s.Text(), u"  2.50");
  TVar byValue = TVar::Str(u"keep");
  EXPECT_EQ(InvokeName(FSystem.Disp(), u"Str", FMethod, {TVar::Real(2.5).Get(), byValue.Get()}, false).Hr, S_OK);
  EXPECT_EQ(byValue.Text(), u"keep");
  TVar set = TVar::Int(0);
  InvokeName(FSystem.Disp(), u"Include", FMethod, {MakeVarRef(set.Get()), TVar::Int(33).Get()}, false);
  EXPECT_EQ(set.AsInt(), 2);
  TVar text = TVar::Str(u"Hello");
  InvokeName(FSystem.Disp(), u"Delete", FMethod, {MakeVarRef(text.Get()), TVar::Int(2).Get(), TVar::Int(3).Get()}, false);
  EXPECT_EQ(text.Text(), u"Ho");
  InvokeName(FSystem.Disp(), u"Insert", FMethod, {TVar::Str(u"ell").Get(), MakeVarRef(text.Get()), TVar::Int(2).Get()}, false);
  EXPECT_EQ(text.Text(), u"Hello");
}

TEST_F(SystemUnitTest, ConstantsAreReadOnlyIntegers) {
  for (const char16_t* name : {u"MaxInt", u"MaxLongint"}) {
    TCallResult get = InvokeName(FSystem.Disp(), name, FMethodGet);
    EXPECT_EQ(get.Value.Vt(), VT_I4);
    EXPECT_EQ(get.Value.AsInt(), 2147483647);
    EXPECT_EQ(InvokeName(FSystem.Disp(), name, FPut, {TVar::Int(1).Get()}, false).Hr, DISP_E_TYPEMISMATCH);
  }
}

TEST_F(SystemUnitTest, EnumerationValuesFollowTheUnitsOwnMembers) {
  EXPECT_EQ(InvokeName(FSystem.Disp(), u"tlbsLF", FGet).Value.AsInt(), 0);
  EXPECT_EQ(InvokeName(FSystem.Disp(), u"tlbsCRLF", FGet).Value.AsInt(), 1);
  const auto& data = static_cast<const TQelUnitWrapperData&>(UnitNamed(u"System")->GetData());
  EXPECT_EQ(DispIdOf(FSystem.Disp(), u"tlbsLF"), data.GetNonEnumCount());
  EXPECT_EQ(data.GetDispInfo().GetCount(), data.GetNonEnumCount() + 2);
}

TEST_F(SystemUnitTest, TypeNamesGiveDistinctTypeValues) {
  TVar int64 = InvokeName(FSystem.Disp(), u"Int64", FGet).Value;
  TVar uint64 = InvokeName(FSystem.Disp(), u"UInt64", FGet).Value;
  ASSERT_NE(int64.Disp(), nullptr);
  EXPECT_NE(int64.Disp(), uint64.Disp());
  EXPECT_EQ(int64.Disp(), InvokeName(FSystem.Disp(), u"int64", FGet).Value.Disp());
  EXPECT_EQ(DispIdOf(FSystem.Disp(), u"LongBool"), DISPID_UNKNOWN);
}

TEST_F(SystemUnitTest, RootObjectThroughItsTypeValue) {
  TVar type = InvokeName(FSystem.Disp(), u"TObject", FGet).Value;
  TVar object = InvokeName(type.Disp(), u"Create", FMethod).Value;
  EXPECT_EQ(InvokeName(object.Disp(), u"ClassName", FMethod).Value.Text(), u"TObject");
  EXPECT_EQ(InvokeName(object.Disp(), u"ClassNameIs", FMethod, {TVar::Str(u"tobject").Get()}).Value.Get().boolVal,
            VARIANT_TRUE);
  EXPECT_EQ(InvokeName(object.Disp(), u"ClassParent", FMethod).Value.Disp(), nullptr);
  EXPECT_EQ(InvokeName(object.Disp(), u"InheritsFrom", FMethod, {type.Get()}).Value.Get().boolVal, VARIANT_TRUE);
  EXPECT_EQ(InvokeName(object.Disp(), u"Free", FMethod, {}, false).Hr, S_OK);
}

TEST_F(SystemUnitTest, DirectoryFailuresRaiseTheHostIOError) {
  TCallResult result = Call(u"RmDir", {TVar::Str(u"/no/such/directory/here").Get()});
  EXPECT_EQ(InvokeName(FSystem.Disp(), u"RmDir", FMethod, {TVar::Str(u"/no/such/directory/here").Get()}, false).Hr,
            DISP_E_EXCEPTION);
  EXPECT_EQ(result.Hr, DISP_E_TYPEMISMATCH);  // a procedure asked for a result
}

TEST_F(SystemUnitTest, AssertRaisesWithTheGivenOrDefaultMessage) {
  TCallResult one = InvokeName(FSystem.Disp(), u"Assert", FMethod, {TVar::Bool(false).Get()}, false);
  EXPECT_EQ(one.Description, u"Assertion failure");
  TCallResult two = InvokeName(FSystem.Disp(), u"Assert", FMethod, {TVar::Bool(false).Get(), TVar::Str(u"m").Get()}, false);
  EXPECT_EQ(two.Description, u"m");
  EXPECT_EQ(InvokeName(FSystem.Disp(), u"Assert", FMethod, {TVar::Bool(true).Get()}, false).Hr, S_OK);
}

}  // namespace

namespace {

struct TFormsProbe_sw : TQelUnitWrapperBase {
  static constexpr std::u16string_view UnitName = u"Forms";
  static void RegisterMembers(TQelUnitWrapperData&) {}
};
struct TGraphicsProbe_sw : TQelUnitWrapperBase {
  static constexpr std::u16string_view UnitName = u"Graphics";
  static void RegisterMembers(TQelUnitWrapperData&) {}
};
struct TCustomProbe_sw : TQelUnitWrapperBase {
  static constexpr std::u16string_view UnitName = u"MyUnit";
  static void RegisterMembers(TQelUnitWrapperData&) {}
};

TEST_F(SystemUnitTest, LaterUnitsTakeTheirPlaceInTheFixedOrder) {
  RegisterUnitWrapper(QelWrapperClass<TCustomProbe_sw>());
  RegisterUnitWrapper(QelWrapperClass<TFormsProbe_sw>());
  RegisterUnitWrapper(QelWrapperClass<TGraphicsProbe_sw>());
  RegisterUnitWrapper(QelWrapperClass<TGraphicsProbe_sw>());
  std::vector<std::u16string_view> names;
  for (TQelWrapperClassRef unit : GetUnitWrappers()) names.push_back(unit->GetUnitName());
  const auto at = [&](std::u16string_view AName) { return std::find(names.begin(), names.end(), AName) - names.begin(); };
  EXPECT_EQ(std::count(names.begin(), names.end(), u"Graphics"), 1);
  EXPECT_LT(at(u"Classes"), at(u"Graphics"));
  EXPECT_LT(at(u"Graphics"), at(u"Forms"));
  EXPECT_LT(at(u"Forms"), at(u"MyUnit"));
}

}  // namespace
