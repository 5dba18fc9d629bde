// qel::Value (conversions and ownership), the control's operations on values, and script
// errors carrying their position as fields.
#include <gtest/gtest.h>

#include <optional>

#include "engine/scripter/QelTessaro.h"
#include "tests/scripter/ScrTestKit.h"

namespace {

// Host objects need their class wrappers: every test starts the engine (each may run alone).
class QelValueTest : public ::testing::Test {
 protected:
  void SetUp() override { qel::Startup(); }
};

// ---------------------------------------------------------------------------
// Conversions

struct TConversionCase {
  const char* Name;
  qel::Value Value;
  VARTYPE Type;
  std::optional<int64_t> Int;  // nothing: ToInt64 must raise
  const char* Text;
};

TEST_F(QelValueTest, ConversionsBothWays) {
  const TConversionCase cases[] = {
      {"Empty", qel::Value(), VT_EMPTY, 0, ""},
      {"Int", 42, VT_I4, 42, "42"},
      {"NegativeInt", -7, VT_I4, -7, "-7"},
      {"Int64", int64_t(1) << 40, VT_I8, int64_t(1) << 40, "1099511627776"},
      {"Unsigned", 3u, VT_I4, 3, "3"},
      {"Double", 2.5, VT_R8, std::nullopt, "2.5"},
      {"True", true, VT_BOOL, -1, "True"},
      {"False", false, VT_BOOL, 0, "False"},
      {"Utf8", "caf\xC3\xA9", VT_BSTR, std::nullopt, "caf\xC3\xA9"},
      {"Utf8Number", std::string("12"), VT_BSTR, 12, "12"},
      {"Utf16", u"x\u00E9", VT_BSTR, std::nullopt, "x\xC3\xA9"},
  };
  for (const TConversionCase& c : cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(c.Value.Type(), c.Type);
    EXPECT_EQ(c.Value.ToString(), c.Text);
    if (c.Int) {
      EXPECT_EQ(c.Value.ToInt64(), *c.Int);
    } else if (c.Type == VT_BSTR) {
      EXPECT_EQ(ErrorClassOf([&] { (void)c.Value.ToInt64(); }), "EVariantTypeCastError");
    }
  }
  EXPECT_DOUBLE_EQ(qel::Value(2.5).ToDouble(), 2.5);
  EXPECT_DOUBLE_EQ(qel::Value("0.25").ToDouble(), 0.25);  // the value's own text form
  EXPECT_TRUE(qel::Value(1).ToBool());
  EXPECT_EQ(qel::Value(int64_t(7)).ToInt(), 7);
}

TEST_F(QelValueTest, HostObjectsRoundTrip) {
  TStringList list;
  const qel::Value object(&list);
  EXPECT_EQ(object.Type(), VT_DISPATCH);
  EXPECT_FALSE(object.IsNull());
  EXPECT_EQ(object.ToObject(), &list);
  EXPECT_EQ(object.ToObject<TStringList>(), &list);
  EXPECT_EQ(object.ToObject<TQelScriptControl>(), nullptr);  // a different class
  const qel::Value nil(static_cast<TObject*>(nullptr));
  EXPECT_TRUE(nil.IsNull());
  EXPECT_EQ(nil.ToObject(), nullptr);
  EXPECT_EQ(ErrorClassOf([] { (void)qel::Value(5).ToObject(); }), "EVariantTypeCastError");
}

// ---------------------------------------------------------------------------
// Ownership

// The reference count of a dispatch object, read without changing it.
ULONG RefCount(IDispatch* AObject) {
  AObject->AddRef();
  return AObject->Release();
}

TEST_F(QelValueTest, CopiesMovesAndDestructionKeepTheCountBalanced) {
  TStringList list;
  VARIANT wrapped = ObjectToVar(&list);
  IDispatch* object = wrapped.pdispVal;
  const ULONG base = RefCount(object);
  {
    qel::Value adopted(std::move(wrapped));  // takes the reference over
    EXPECT_EQ(wrapped.vt, VT_EMPTY);
    EXPECT_EQ(RefCount(object), base);
    qel::Value copy = adopted;
    EXPECT_EQ(RefCount(object), base + 1);
    qel::Value moved = std::move(copy);
    EXPECT_TRUE(copy.IsEmpty());
    EXPECT_EQ(RefCount(object), base + 1);
    moved = adopted;  // assigning releases what it held
    EXPECT_EQ(RefCount(object), base + 1);
    moved = qel::Value(3);
    EXPECT_EQ(RefCount(object), base);
    object->AddRef();  // keep the object alive past the values for the last check
  }
  EXPECT_EQ(RefCount(object), base - 1 + 1);
  object->Release();
}

TEST_F(QelValueTest, TextCopiesAreIndependent) {
  qel::Value a(u"one");
  qel::Value b = a;
  EXPECT_NE(a.Var().bstrVal, b.Var().bstrVal);
  a = u"two";
  EXPECT_EQ(b.ToString(), "one");
  const VARIANT raw = b.Detach();
  EXPECT_TRUE(b.IsEmpty());
  qel::Value back{VARIANT(raw)};  // an rvalue copy of the POD: adopted once
  EXPECT_EQ(back.ToString(), "one");
  qel::Value out(7);
  *out.Put() = QelStringVar(u"filled");
  EXPECT_EQ(out.ToString(), "filled");
}

// ---------------------------------------------------------------------------
// The control's operations on values

class ScriptValuesTest : public ScriptControlTest {};

TEST_F(ScriptValuesTest, RunProcEvalReadWriteWithValues) {
  SetSource(
      u"var Total = 0;\n"
      u"function Sum(a; b); begin Result := a + b; end;\n"
      u"procedure Twice(var x); begin x := x * 2; end;\n"
      u"procedure Note(s); begin Log.Add(s + IntToStr(Rate)); end;\n");
  TStringList log;
  Ctrl.AddAllUnits(true);
  Ctrl.AddObject(u"Log", &log);
  Ctrl.AddOrSetValue(u"Rate", qel::Value(3));
  Ctrl.SetActive(true);

  EXPECT_EQ(Ctrl.RunProc(u"Sum", {2, 40}).ToInt(), 42);
  EXPECT_EQ(Ctrl.RunProc(u"Sum", {"a", u"b"}).ToString(), "ab");
  std::vector<qel::Value> args{21};
  Ctrl.RunProc(u"Twice", args);
  EXPECT_EQ(args[0].ToInt(), 42);  // the by-reference write came back
  Ctrl.RunProc(u"Note", {"rate "});
  ASSERT_EQ(log.GetCount(), 1);
  EXPECT_EQ(StringToUtf8(log.Get(0)), "rate 3");

  Ctrl.WriteVar(u"Total", 5);
  const qel::Value total = Ctrl.ReadVar(u"Total");
  EXPECT_EQ(total.ToInt(), 5);
  const qel::Value doubled = Ctrl.Eval(u"Total * 2");
  EXPECT_EQ(doubled.ToInt(), 10);
  // The VARIANT forms still answer.
  VARIANT raw = Ctrl.Eval(u"Total");
  EXPECT_EQ(qel::Value(std::move(raw)).ToInt(), 5);
}

TEST_F(ScriptValuesTest, WrongArgumentCountKeepsTheArguments) {
  SetSource(u"function Sum(a; b); begin Result := a + b; end;\n");
  Ctrl.SetActive(true);
  std::vector<qel::Value> args{1, u"kept"};
  args.emplace_back(3);
  EXPECT_NE(ErrorOf([&] { Ctrl.RunProc(u"Sum", args); }), "(no error)");
  ASSERT_EQ(args.size(), 3u);
  EXPECT_EQ(args[1].ToString(), "kept");
  EXPECT_EQ(Ctrl.RunProc(u"Sum", {1, 2}).ToInt(), 3);  // the control stays usable
}

// ---------------------------------------------------------------------------
// Script errors with their position

struct TPositionCase {
  const char* Name;
  const char16_t* Source;
  bool SourceInfo;
  std::function<void(TQelScriptControl&)> Action;
  int Line, Column;  // from 1; the column is where the failing token ends
  const char* Message;  // the message's start
};

TEST_F(ScriptValuesTest, ScriptErrorsCarryLineAndColumn) {
  const auto activate = [](TQelScriptControl& C) { C.SetActive(true); };
  const auto runMain = [](TQelScriptControl& C) {
    C.SetActive(true);
    C.RunProc(u"Main");
  };
  const TPositionCase cases[] = {
      {"CompileError", u"procedure Main;\nbegin\n  x := ;\nend;\n", true, activate, 3, 8, "Invalid token"},
      {"CompileErrorWithoutSourceInfo", u"procedure Main;\nbegin\n  x := ;\nend;\n", false, activate, 3, 8,
       "Invalid token"},
      {"GlobalCode", u"var x;\nbegin\n  Nobody;\nend;\n", true, activate, 3, 8, "Undeclared identifier: 'Nobody'"},
      {"RuntimeErrorInProc", u"procedure Main;\nvar a;\nbegin\n  a := 1;\n  a := a div 0;\nend;\n", false, runMain, 5,
       14, "Division by zero"},
      {"InnermostOfNestedCalls",
       u"procedure Inner;\nbegin\n  Nobody;\nend;\nprocedure Main;\nbegin\n  Inner;\nend;\n", true, runMain, 3, 8,
       "Undeclared identifier: 'Nobody'"},
      {"ReRaisedKeepsTheFirstPlace",
       u"procedure Main;\nbegin\n  try\n    Nobody;\n  except\n    raise;\n  end;\nend;\n", false, runMain, 4, 10,
       "Undeclared identifier: 'Nobody'"},
      {"Eval", u"var v = 1;\n", true,
       [](TQelScriptControl& C) {
         C.SetActive(true);
         (void)qel::Value(C.Eval(u"v + Nobody"));
       },
       1, 10, "Undeclared identifier: 'Nobody'"},
  };
  for (const TPositionCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TQelScriptControl ctrl(nullptr);
    ctrl.SetLanguage(slPascal);
    ctrl.SetExceptionSourceInfo(c.SourceInfo);
    ctrl.SetSourceText(c.Source);
    std::optional<qel::ScriptError> caught;
    try {
      c.Action(ctrl);
    } catch (const qel::ScriptError& E) {
      caught = E;
    }
    ASSERT_TRUE(caught);
    EXPECT_TRUE(caught->HasPosition());
    EXPECT_EQ(caught->Line(), c.Line);
    EXPECT_EQ(caught->Column(), c.Column);
    const std::string message = StringToUtf8(caught->Message());
    EXPECT_EQ(message.rfind(c.Message, 0), 0u) << message;
    // The message is the control's own: the block only when asked for, with the line from 0.
    const std::string block = StringToUtf8(QelAddSourcePosition(u"", &ctrl, c.Line - 1, c.Column));
    EXPECT_EQ(message.find(block) != std::string::npos, c.SourceInfo) << message;
  }
}

// What AAction raises: "ScriptError: <message>", "ExceptionPtr: <message>" or "(no error)".
std::string KindOf(const std::function<void()>& AAction) {
  try {
    AAction();
  } catch (const qel::ScriptError& E) {
    return "ScriptError: " + StringToUtf8(E.Message());
  } catch (const ExceptionPtr& E) {
    return "ExceptionPtr: " + StringToUtf8(E->GetMessage());
  }
  return "(no error)";
}

TEST_F(ScriptValuesTest, ErrorsWithoutAScriptPlaceStayPlainExceptions) {
  SetSource(u"procedure Handles;\nbegin\n  try\n    Nobody;\n  except\n  end;\nend;\n");
  EXPECT_EQ(KindOf([&] { Ctrl.RunProc(u"Handles"); }), "ExceptionPtr: Invalid script control state");
  Ctrl.SetActive(true);
  // The error the script handled itself is not taken for the next failure's place.
  EXPECT_EQ(KindOf([&] { Ctrl.RunProc(u"Handles"); }), "(no error)");
  EXPECT_EQ(KindOf([&] { Ctrl.RunProc(u"Nope"); }), "ExceptionPtr: Undeclared identifier: 'Nope'");
}

}  // namespace
