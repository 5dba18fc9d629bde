// The VB intrinsics where a script alone cannot observe them: which dialog MsgBox and InputBox
// ask the host for, and a fuzz of every routine with random argument kinds and counts.
#include <gtest/gtest.h>

#include <random>

#include "host/core/Dialogs.h"
#include "tests/vb/VbTestUtil.h"

namespace {

// Installs a dialog handler for one test and puts the previous one back.
class TDialogProbe {
 public:
  TDialogProbe() {
    TDialogHandler handler;
    handler.MessageDlg = [this](const String& AMessage, TMsgDlgType AType, TMsgDlgButtons AButtons) {
      FMessage = AMessage;
      FType = AType;
      FButtons = AButtons;
      return FAnswer;
    };
    handler.InputQuery = [this](const String& ACaption, const String& APrompt, String& AValue) {
      FMessage = ACaption + u"|" + APrompt + u"|" + AValue;
      AValue = u"typed";
      return FConfirm;
    };
    FPrevious = SetDialogHandler(handler);
  }
  ~TDialogProbe() { SetDialogHandler(FPrevious); }

  String FMessage;
  TMsgDlgType FType = mtCustom;
  TMsgDlgButtons FButtons;
  TModalResult FAnswer = mrNone;
  bool FConfirm = true;

 private:
  TDialogHandler FPrevious;
};

struct TMsgBoxCase {
  int Buttons;
  TMsgDlgType Type;
  TMsgDlgButtons Shown;
  TModalResult Answer;
  const char* Result;
};

void PrintTo(const TMsgBoxCase& ACase, std::ostream* AOut) { *AOut << "buttons " << ACase.Buttons; }

class VbMsgBox : public ::testing::TestWithParam<TMsgBoxCase> {};

TEST_P(VbMsgBox, AsksForTheKindAndButtonsAndReturnsTheAnswer) {
  const TMsgBoxCase& c = GetParam();
  TDialogProbe probe;
  probe.FAnswer = c.Answer;
  const TScriptRunResult r =
      RunVbScript(u"MessageList.Lines.Add MsgBox(\"Go on?\", " + U16(std::to_string(c.Buttons)) +
                  u", \"Title\")");
  ASSERT_FALSE(r.Failed) << r.Error;
  EXPECT_EQ(probe.FMessage, u"Go on?");
  EXPECT_EQ(probe.FType, c.Type);
  EXPECT_TRUE(probe.FButtons == c.Shown);
  EXPECT_EQ(r.Output, std::vector<std::string>{c.Result});
}

// Bits 4-6 choose the kind, bits 0-2 the buttons, only the low 8 bits count; an answer that is
// no vbOK .. vbNo (a closed dialog, mrClose) gives 0.
INSTANTIATE_TEST_SUITE_P(
    Table, VbMsgBox,
    ::testing::Values(
        TMsgBoxCase{0, mtInformation, TMsgDlgButtons{mbOK}, mrOk, "1"},
        TMsgBoxCase{1 + 16, mtError, mbOKCancel, mrCancel, "2"},
        TMsgBoxCase{2 + 32, mtConfirmation, mbAbortRetryIgnore, mrAbort, "3"},
        TMsgBoxCase{3 + 48, mtWarning, mbYesNoCancel, mrNo, "7"},
        TMsgBoxCase{4 + 32, mtConfirmation, mbYesNo, mrYes, "6"},
        TMsgBoxCase{5 + 64, mtInformation, TMsgDlgButtons{mbRetry, mbCancel}, mrRetry, "4"},
        TMsgBoxCase{6 + 112, mtInformation, TMsgDlgButtons{mbOK}, mrOk, "1"},
        TMsgBoxCase{7, mtInformation, TMsgDlgButtons{mbOK}, mrIgnore, "5"},
        TMsgBoxCase{256 + 4, mtInformation, mbYesNo, mrClose, "0"},
        TMsgBoxCase{-1, mtInformation, TMsgDlgButtons{mbOK}, mrNone, "0"}));

TEST(VbInputBox, GivesTheTextWhenConfirmedAndEmptyWhenCancelled) {
  TDialogProbe probe;
  TScriptRunResult r = RunVbScript(u"MessageList.Lines.Add InputBox(\"Name?\", \"Ask\", \"x\")");
  ASSERT_FALSE(r.Failed) << r.Error;
  EXPECT_EQ(probe.FMessage, u"Ask|Name?|x");
  EXPECT_EQ(r.Output, std::vector<std::string>{"typed"});
  probe.FConfirm = false;
  r = RunVbScript(u"MessageList.Lines.Add IsEmpty(InputBox(\"Name?\"))");
  ASSERT_FALSE(r.Failed) << r.Error;
  EXPECT_EQ(probe.FMessage, u"|Name?|");
  EXPECT_EQ(r.Output, std::vector<std::string>{"True"});
}

// Every routine called with 0-6 arguments of random kinds (Empty, Null, numbers at their
// limits, texts, dates, arrays, Nothing): each call returns or raises a script error, and the
// machine runs the next script afterwards. Dialogs answer at once.
TEST(VbIntrinsicFuzz, RandomArgumentKindsAndCountsFailCleanly) {
  TDialogProbe probe;
  const char* routines[] = {
      "Abs", "Atn", "Cos", "Sin", "Tan", "Sqr", "Exp", "CBool", "CByte", "CCur", "CDate", "CDbl",
      "CInt", "CLng", "CSng", "CStr", "Chr", "Int", "Fix", "Log", "Round", "Sgn", "Oct", "Hex",
      "VarType", "TypeName", "IsArray", "IsDate", "IsEmpty", "IsNull", "IsNumeric", "IsObject",
      "Array", "LBound", "UBound", "Year", "Month", "Day", "Hour", "Minute", "Second", "Weekday",
      "WeekdayName", "MonthName", "DateSerial", "TimeSerial", "DateValue", "TimeValue",
      "DateAdd", "RGB", "Join", "Filter", "Asc", "UCase", "LCase", "Len", "LTrim", "RTrim",
      "Trim", "Space", "String", "StrReverse", "StrComp", "Left", "Mid", "Right", "Split",
      "Replace", "InStr", "InStrRev", "InputBox", "MsgBox", "GetRef", "CreateObject"};
  const char* values[] = {"e", "Null", "Nothing", "0", "-1", "1", "7", "2147483647",
                          "-2147483648", "1E308", "-1E308", "0.5", "\"\"", "\"abc\"", "\"12\"",
                          "\"1/2/2003\"", "\"m\"", "#1/2/2003#", "Array()", "Array(1, \"b\")",
                          "True", "String(3, \"x\")", "vbTextCompare", "99999"};
  std::mt19937 random(20261211);
  int failed = 0, returned = 0;
  for (int round = 0; round < 1500; ++round) {
    std::string call = routines[random() % std::size(routines)];
    call += "(";
    const int count = int(random() % 7);
    for (int i = 0; i < count; ++i) {
      if (i) call += ", ";
      call += values[random() % std::size(values)];
    }
    call += ")";
    const std::string source = "Dim e, r\r\nr = " + call + "\r\nMessageList.Lines.Add TypeName(r)";
    const TScriptRunResult r = RunVbScript(U16(source));
    if (r.Failed) {
      ++failed;
      EXPECT_EQ(r.Line, 2) << call << ": " << r.Error;
      EXPECT_FALSE(r.Error.empty()) << call;
    } else {
      ++returned;
      EXPECT_EQ(r.Output.size(), 1u) << call;
    }
  }
  EXPECT_GT(failed, 0);
  EXPECT_GT(returned, 0);
}

}  // namespace
