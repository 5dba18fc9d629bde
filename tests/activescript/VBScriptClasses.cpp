// Instances of VBScript classes in the host's hands: called through IDispatch, kept after
// the engine that made them closed, and cycles between them at close.
#include "tests/activescript/ActiveScriptTestKit.h"

namespace {

constexpr char16_t kScript[] =
    u"Class Point\n"
    u"  Public X\n"
    u"  Private FSecret\n"
    u"  Public Function Scaled(n)\n"
    u"    Scaled = X * n\n"
    u"  End Function\n"
    u"  Public Sub Twice(ByRef v)\n"
    u"    v = v * 2\n"
    u"  End Sub\n"
    u"  Public Function Broken()\n"
    u"    Broken = X / 0\n"
    u"  End Function\n"
    u"  Private Sub Class_Terminate\n"
    u"    List.Add \"terminate \" & X\n"
    u"  End Sub\n"
    u"  Public Other\n"
    u"End Class\n"
    u"Function MakePoint(x)\n"
    u"  Set MakePoint = New Point\n"
    u"  MakePoint.X = x\n"
    u"End Function\n"
    u"Sub MakeCycle\n"
    u"  Set a = MakePoint(1) : Set b = MakePoint(2)\n"
    u"  Set a.Other = b : Set b.Other = a\n"
    u"End Sub\n";

class VBScriptClassTest : public ::testing::Test {
 protected:
  void SetUp() override {
    QelRegisterAllUnits();
    QelRegisterScriptEngines();
    Ctrl.SetLanguage(slVBScript);
    Ctrl.SetSourceText(kScript);
    TScrVar list(ObjectToVar(&List));
    Ctrl.AddObject(u"List", list.Get(), false);
    Ctrl.SetActive(true);
  }
  // A new point from the script, held by the test.
  ComPtr<IDispatch> MakePoint(int AX) {
    std::vector<VARIANT> args{QelIntVar(AX)};
    TScrVar point(Ctrl.RunProc(u"MakePoint", args));
    EXPECT_EQ(point.Get().vt, VT_DISPATCH);
    return ComPtr<IDispatch>(point.Get().pdispVal);
  }
  static DISPID IdOf(IDispatch* AObject, const char16_t* AName) {
    LPOLESTR names[] = {const_cast<LPOLESTR>(AName)};
    DISPID id = DISPID_UNKNOWN;
    return SUCCEEDED(AObject->GetIDsOfNames(IID_NULL, names, 1, 0, &id)) ? id : DISPID_UNKNOWN;
  }
  // Calls AName with AArgs (natural order); the HRESULT, the result and the error's text.
  struct TCall {
    HRESULT Hr;
    TScrVar Result;
    std::string Error;
    HRESULT Code = S_OK;
  };
  static TCall Call(IDispatch* AObject, const char16_t* AName, std::vector<VARIANT> AArgs) {
    std::vector<VARIANT> reversed(AArgs.rbegin(), AArgs.rend());
    DISPPARAMS params{reversed.data(), nullptr, UINT(reversed.size()), 0};
    TCall call;
    EXCEPINFO info{};
    call.Hr =
        AObject->Invoke(IdOf(AObject, AName), IID_NULL, 0, DISPATCH_METHOD | DISPATCH_PROPERTYGET,
                        &params, &call.Result.Get(), &info, nullptr);
    if (call.Hr == DISP_E_EXCEPTION) {
      call.Error = StringToUtf8(String(OleBstrView(info.bstrDescription)));
      call.Code = info.scode;
      SysFreeString(info.bstrSource);
      SysFreeString(info.bstrDescription);
    }
    for (VARIANT& arg : AArgs) VariantClear(&arg);
    return call;
  }

  TStringList List;
  TQelScriptControl Ctrl{nullptr};
};

TEST_F(VBScriptClassTest, HostCallsMembersThroughIDispatch) {
  ComPtr<IDispatch> point = MakePoint(7);
  EXPECT_EQ(Call(point.get(), u"Scaled", {QelIntVar(3)}).Result.Text(), "21");
  EXPECT_EQ(Call(point.get(), u"x", {}).Result.Text(), "7");
  // Private members and unknown names are not there for the host.
  EXPECT_EQ(IdOf(point.get(), u"FSecret"), DISPID_UNKNOWN);
  EXPECT_EQ(IdOf(point.get(), u"Nothing"), DISPID_UNKNOWN);
  // A by-reference argument is written back.
  VARIANT value = QelIntVar(5);
  VARIANT ref{};
  ref.vt = VT_BYREF | VT_VARIANT;
  ref.pvarVal = &value;
  EXPECT_EQ(Call(point.get(), u"Twice", {ref}).Hr, S_OK);
  EXPECT_EQ(value.lVal, 10);
  // A script error leaves as an exception with VBScript's code.
  const TCall broken = Call(point.get(), u"Broken", {});
  EXPECT_EQ(broken.Hr, DISP_E_EXCEPTION);
  EXPECT_EQ(broken.Code, HRESULT(0x800A000B));
  EXPECT_EQ(broken.Error, "Division by zero");
}

TEST_F(VBScriptClassTest, AnInstanceKeptAfterCloseFailsItsCalls) {
  ComPtr<IDispatch> point = MakePoint(3);
  Ctrl.SetActive(false);
  // Class_Terminate ran for the instance still alive when the engine closed.
  EXPECT_EQ(StringToUtf8(List.GetText()), "terminate 3\r\n");
  for (const char16_t* member : {u"Scaled", u"X"}) {
    const TCall call = Call(point.get(), member, {QelIntVar(2)});
    EXPECT_EQ(call.Hr, DISP_E_EXCEPTION) << StringToUtf8(member);
    EXPECT_EQ(call.Error, "The script engine that created this object has been closed");
  }
  // The engine is usable again afterwards.
  Ctrl.SetActive(true);
  EXPECT_EQ(Call(MakePoint(4).get(), u"Scaled", {QelIntVar(2)}).Result.Text(), "8");
}

TEST_F(VBScriptClassTest, AnInstanceOutlivesTheControlThatMadeIt) {
  ComPtr<IDispatch> point;
  {
    TQelScriptControl other(nullptr);
    other.SetLanguage(slVBScript);
    other.SetSourceText(
        u"Class Box\n  Public V\nEnd Class\nFunction Make\n  Set Make = New Box\n  Make.V = 9\nEnd "
        u"Function\n");
    other.SetActive(true);
    TScrVar box(other.RunProc(u"Make"));
    ASSERT_EQ(box.Get().vt, VT_DISPATCH);
    point = ComPtr<IDispatch>(box.Get().pdispVal);
    EXPECT_EQ(Call(point.get(), u"V", {}).Result.Text(), "9");
  }
  const TCall call = Call(point.get(), u"V", {});
  EXPECT_EQ(call.Hr, DISP_E_EXCEPTION);
  EXPECT_EQ(call.Error, "The script engine that created this object has been closed");
}

TEST_F(VBScriptClassTest, CyclesBetweenInstancesEndAtClose) {
  TScrVar(Ctrl.RunProc(u"MakeCycle"));
  EXPECT_EQ(StringToUtf8(List.GetText()), "");  // each keeps the other alive
  Ctrl.SetActive(false);
  EXPECT_EQ(StringToUtf8(List.GetText()), "terminate 1\r\nterminate 2\r\n");
}

// Faulty class declarations: each fails activation with its message and place (line from 0,
// column from 1), and the control stays usable.
struct TClassCompileError {
  const char16_t* Source;
  const char* Message;
  int Line, Pos;
};

constexpr TClassCompileError kCompileErrors[] = {
    {u"Class Open\n  Public X\n", "Expected 'End Class'", 0, 1},
    {u"Class C\n  Dim X\n  Private X\nEnd Class\n", "Name redefined", 2, 11},
    {u"Class C\n  Dim A(n)\nEnd Class\n", "Expected integer constant", 1, 9},
    {u"Class C\n  Public Default Function F\n  End Function\n  Public Default Sub G\n  End "
     u"Sub\nEnd Class\n",
     "Cannot have multiple default property/method in a Class", 3, 22},
    {u"Class C\n  Private Default Sub G\n  End Sub\nEnd Class\n",
     "'Default' must come with 'Public'", 1, 11},
    {u"Class C\n  Property Let P\n  End Property\nEnd Class\n",
     "Property Let/Set should have at least one argument", 1, 16},
    {u"Class C\n  Sub Class_Initialize(x)\n  End Sub\nEnd Class\n",
     "Class initialize or terminate do not have arguments", 1, 25},
    {u"Sub S\n  Class C\n  End Class\nEnd Sub\n", "Invalid token: 'identifier'.", 1, 7},
};

TEST_F(VBScriptClassTest, FaultyClassesAreCompileErrorsWithTheirPlace) {
  for (const TClassCompileError& fault : kCompileErrors) {
    Ctrl.SetActive(false);
    Ctrl.SetSourceText(fault.Source);
    const std::string error = ErrorOf([&] { Ctrl.SetActive(true); });
    EXPECT_EQ(error.rfind(fault.Message, 0), 0u) << error;
    EXPECT_NE(error.find(StringToUtf8(QelAddSourcePosition(u"", &Ctrl, fault.Line, fault.Pos))),
              std::string::npos)
        << error;
    EXPECT_EQ(Ctrl.GetState(), ssInactive);
  }
  Ctrl.SetSourceText(kScript);
  Ctrl.SetActive(true);
  EXPECT_EQ(Call(MakePoint(2).get(), u"Scaled", {QelIntVar(5)}).Result.Text(), "10");
}

}  // namespace
