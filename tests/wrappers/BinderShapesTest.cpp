// The binding's declaration shapes: overload selector, default arguments, the published list
// shared with the class descriptor, unit extensions, characters written as strings, and host
// exceptions relayed across our own dispatch boundary.
#include "engine/wrappers/QelSctBind.h"
#include "host/core/ExceptRelay.h"
#include "tests/wrappers/WrpTestKit.h"

namespace {

class TShapes : public TObject {
  QEL_CLASS(TShapes, TObject)
 public:
  TShapes() = default;
  String Join(const String& A) const { return A; }
  String Join(const String& A, const String& B) const { return A + u"+" + B; }
  int Scale(int AValue, int AFactor, bool ANegate) const { return ANegate ? -AValue * AFactor : AValue * AFactor; }
  String Greet(std::u16string_view AName, std::u16string_view AGreeting) const { return String(AGreeting) + u" " + String(AName); }
  int GetLevel() const { return FLevel; }
  void SetLevel(int AValue) { FLevel = AValue; }
  char16_t GetMark() const { return FMark; }
  void SetMark(char16_t AValue) { FMark = AValue; }
  TNotifyEvent OnPing;
  static void QelRegisterMembers(TClassInfo& AInfo);

 private:
  int FLevel = 0;
  char16_t FMark = u'-';
};

}  // namespace

QEL_PUBLISHED(TShapes, QelProp<u"Level", &TShapes::GetLevel, &TShapes::SetLevel>,
              QelProp<u"Mark", &TShapes::GetMark, &TShapes::SetMark>, QelEvent<u"OnPing", &TShapes::OnPing>);
void TShapes::QelRegisterMembers(TClassInfo& AInfo) { QelPublish<TShapes>(AInfo); }

namespace {

int Twice(int AValue) { return AValue * 2; }

struct TShapes_sw : TQelClassWrapperOf<TShapes, TObject_sw> {
  static void RegisterMembers(TQelClassWrapperData& AData) {
    TQelMembers<TShapes> M(AData);
    M.Constructor();
    M.Published();
    M.Method<QelOverload<const String&, const String&>(&TShapes::Join)>(u"Join2");
    M.Method<QelOverload<const String&>(&TShapes::Join)>(u"Join1");
    M.Method<&TShapes::Scale, QelDefaults<3, false>>(u"Scale");
    M.Method<&TShapes::Greet, QelDefaults<TQelName(u"Hello")>>(u"Greet");
  }
};

// A later layer's wrapper of a unit that is listed already.
struct TLaterToolWin_sw : TQelUnitWrapperBase {
  static constexpr std::u16string_view UnitName = u"ToolWin";
  static void RegisterMembers(TQelUnitWrapperData& AData) { TQelUnitMembers(AData).Routine<&Twice>(u"LaterTwice"); }
};

void ExtendGraphUtil(TQelUnitWrapperData& AData) { TQelUnitMembers(AData).Routine<&Twice, QelDefaults<21>>(u"ShapesTwice"); }

class BinderShapesTest : public WrappersTest {
 protected:
  static void SetUpTestSuite() {
    // A unit no earlier test has built the member table of.
    QelExtendUnit(u"GraphUtil", &ExtendGraphUtil);
    QelRegisterAllUnits();
    RegisterUnitWrapper(QelWrapperClass<TLaterToolWin_sw>());
    RegisterClassWrapper(QelWrapperClass<TShapes_sw>());
  }
  void SetUp() override {
    WrappersTest::SetUp();
    FValue = TVar::Object(&FShapes);
  }
  TCallResult Call(std::u16string_view AName, std::vector<VARIANT> AArgs, TRoute ARoute = TRoute::Dispatch) {
    return InvokeName(FValue.Disp(), AName, FMethod, std::move(AArgs), true, ARoute);
  }
  TShapes FShapes;
  TVar FValue;
};

TEST_F(BinderShapesTest, OverloadSelectorPicksTheFormByParameterTypes) {
  TVar a = TVar::Str(u"a"), b = TVar::Str(u"b");
  EXPECT_EQ(Call(u"Join2", {a.Get(), b.Get()}).Value.Text(), u"a+b");
  EXPECT_EQ(Call(u"Join1", {a.Get()}).Value.Text(), u"a");
}

TEST_F(BinderShapesTest, DefaultsFillTheLeftOutTrailingArguments) {
  TVar five = TVar::Int(5), two = TVar::Int(2), yes = TVar::Bool(true);
  for (TRoute route : {TRoute::Dispatch, TRoute::Direct, TRoute::Prepared}) {
    EXPECT_EQ(Call(u"Scale", {five.Get()}, route).Value.AsInt(), 15);
    EXPECT_EQ(Call(u"Scale", {five.Get(), two.Get()}, route).Value.AsInt(), 10);
    EXPECT_EQ(Call(u"Scale", {five.Get(), two.Get(), yes.Get()}, route).Value.AsInt(), -10);
  }
  TVar name = TVar::Str(u"Ann"), hi = TVar::Str(u"Hi");
  EXPECT_EQ(Call(u"Greet", {name.Get()}).Value.Text(), u"Hello Ann");
  EXPECT_EQ(Call(u"Greet", {name.Get(), hi.Get()}).Value.Text(), u"Hi Ann");
}

TEST_F(BinderShapesTest, TooManyOrTooFewArgumentsNameTheMember) {
  TVar one = TVar::Int(1);
  TCallResult many = Call(u"Scale", {one.Get(), one.Get(), one.Get(), one.Get()});
  EXPECT_EQ(many.Hr, DISP_E_EXCEPTION);
  EXPECT_EQ(many.Description, u"Wrong argument count. Method or property called: Scale");
  EXPECT_NE(Call(u"Scale", {}).Hr, S_OK);
}

TEST_F(BinderShapesTest, PublishedListFeedsDescriptorAndWrapperAlike) {
  for (std::u16string_view name : {u"Level", u"Mark", u"OnPing"}) {
    EXPECT_NE(TShapes::StaticClass()->FindProperty(name), nullptr) << StringToUtf8(name);
    EXPECT_NE(DispIdOf(FValue.Disp(), name), DISPID_UNKNOWN) << StringToUtf8(name);
  }
  TVar seven = TVar::Int(7);
  ASSERT_EQ(InvokeName(FValue.Disp(), u"Level", FPut, {seven.Get()}, false).Hr, S_OK);
  EXPECT_EQ(PropValueToInt(TShapes::StaticClass()->FindProperty(u"Level")->Get(&FShapes)), 7);
}

TEST_F(BinderShapesTest, CharacterPropertyTakesAOneCharacterStringOrACode) {
  struct TCase {
    TVar Value;
    char16_t Expected;
  };
  TCase cases[] = {{TVar::Str(u";"), u';'}, {TVar::Int(65), u'A'}, {TVar::Str(u"7"), u'7'}, {TVar::Str(u"66"), u'B'}};
  for (TCase& c : cases) {
    ASSERT_EQ(InvokeName(FValue.Disp(), u"Mark", FPut, {c.Value.Get()}, false).Hr, S_OK);
    EXPECT_EQ(FShapes.GetMark(), c.Expected);
  }
  TVar ref = TVar::Str(u"|");
  ASSERT_EQ(InvokeName(FValue.Disp(), u"Mark", FPut, {MakeVarRef(ref.Get())}, false).Hr, S_OK);
  EXPECT_EQ(FShapes.GetMark(), u'|');
}

TEST_F(BinderShapesTest, UnitExtensionsJoinTheRegisteredUnit) {
  TVar unit = UnitInstance(UnitNamed(u"GraphUtil"));
  EXPECT_EQ(InvokeName(unit.Disp(), u"ShapesTwice", FMethod, {}).Value.AsInt(), 42);
  TVar four = TVar::Int(4);
  EXPECT_EQ(InvokeName(unit.Disp(), u"ShapesTwice", FMethod, {four.Get()}).Value.AsInt(), 8);
  EXPECT_NE(DispIdOf(unit.Disp(), u"gdVertical"), DISPID_UNKNOWN);
}

TEST_F(BinderShapesTest, ALaterWrapperOfAListedUnitJoinsIt) {
  const auto& units = GetUnitWrappers();
  EXPECT_EQ(std::count_if(units.begin(), units.end(), [](TQelWrapperClassRef AUnit) { return AUnit->GetUnitName() == u"ToolWin"; }), 1);
  TVar toolWin = UnitInstance(UnitNamed(u"ToolWin"));
  TVar three = TVar::Int(3);
  EXPECT_EQ(InvokeName(toolWin.Disp(), u"LaterTwice", FMethod, {three.Get()}).Value.AsInt(), 6);
  EXPECT_NE(DispIdOf(toolWin.Disp(), u"esRaised"), DISPID_UNKNOWN);
}

TEST_F(BinderShapesTest, HostExceptionIsRelayedToItsClaimantOnly) {
  TStringList list;
  TVar value = TVar::Object(&list);
  TVar bad = TVar::Int(5);
  for (TRoute route : {TRoute::Dispatch, TRoute::Direct, TRoute::Prepared}) {
    EXCEPINFO info{};
    std::vector<VARIANT> args{bad.Get()};
    const HRESULT hr = InvokeThrough(route, value.Disp(), DispIdOf(value.Disp(), u"Delete"), FMethod, args, nullptr, &info);
    ASSERT_EQ(hr, DISP_E_EXCEPTION);
    ExceptionPtr wrong = QelClaimRelayedException(info.bstrDescription, u"another message");
    EXPECT_FALSE(wrong);
    SysFreeString(info.bstrSource);
    SysFreeString(info.bstrDescription);
    info = EXCEPINFO{};
    // A foreign caller never claims: the next relay replaces the slot.
    ASSERT_EQ(InvokeThrough(route, value.Disp(), DispIdOf(value.Disp(), u"Delete"), FMethod, args, nullptr, &info),
              DISP_E_EXCEPTION);
    ExceptionPtr error = QelClaimRelayedException(info.bstrDescription, OleBstrView(info.bstrDescription));
    ASSERT_TRUE(error);
    EXPECT_TRUE(error->InheritsFrom(EListError::StaticClass()));
    EXPECT_EQ(error->GetMessage(), u"List index out of bounds (5)");
    EXPECT_FALSE(QelClaimRelayedException(info.bstrDescription, OleBstrView(info.bstrDescription)));
    SysFreeString(info.bstrSource);
    SysFreeString(info.bstrDescription);
  }
}

}  // namespace
