// The dialog handler: the default output on standard error, InputQuery
// without a display, installed handlers, MessageDlg answers and Beep's hook.
#include <gtest/gtest.h>

#include "host/core/Dialogs.h"
#include "tests/support/QelTestNames.h"

namespace {

// Restores the default handler after each test.
class DialogsTest : public testing::Test {
 protected:
  void TearDown() override {
    SetDialogHandler({});
    SetBeepHook(nullptr);
  }
};

TEST_F(DialogsTest, ShowMessageWritesUtf8ToStandardError) {
  testing::internal::CaptureStderr();
  ShowMessage(u"Grüße");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "Grüße\n");
}

TEST_F(DialogsTest, InputQueryWithoutADisplayIsCancelled) {
  String value = u"preset";
  EXPECT_FALSE(InputQuery(u"Caption", u"Prompt", value));
  EXPECT_EQ(value, u"preset");
  EXPECT_EQ(InputBox(u"Caption", u"Prompt", u"default"), u"default");
}

TEST_F(DialogsTest, AnInstalledHandlerReceivesTheCalls) {
  String shown;
  TDialogHandler handler;
  handler.ShowMessage = [&](const String& AText) { shown = AText; };
  handler.InputQuery = [](const String& ACaption, const String& APrompt, String& AValue) {
    AValue = ACaption + u"/" + APrompt + u"/" + AValue;
    return true;
  };
  handler.MessageDlg = [](const String&, TMsgDlgType AType, TMsgDlgButtons) {
    return AType == mtConfirmation ? mrNo : mrCancel;
  };
  const TDialogHandler previous = SetDialogHandler(handler);
  EXPECT_FALSE(previous.ShowMessage);
  ShowMessage(u"hello");
  EXPECT_EQ(shown, u"hello");
  String value = u"v";
  EXPECT_TRUE(InputQuery(u"c", u"p", value));
  EXPECT_EQ(value, u"c/p/v");
  EXPECT_EQ(InputBox(u"c", u"p", u"d"), u"c/p/d");
  EXPECT_EQ(MessageDlg(u"sure?", mtConfirmation, mbYesNo), mrNo);
  EXPECT_TRUE(SetDialogHandler({}).ShowMessage) << "the installed handler comes back";
}

struct DefaultAnswer {
  TMsgDlgButtons Buttons;
  TModalResult Result;
};

void PrintTo(const DefaultAnswer& ACase, std::ostream* AOut) { *AOut << "buttons 0x" << std::hex << ACase.Buttons.Bits(); }

class MessageDlgDefaults : public testing::TestWithParam<DefaultAnswer> {};

TEST_P(MessageDlgDefaults, AnswerWithTheDefaultButton) {
  testing::internal::CaptureStderr();
  EXPECT_EQ(MessageDlg(u"text", mtInformation, GetParam().Buttons), GetParam().Result);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "text\n");
}

INSTANTIATE_TEST_SUITE_P(Table, MessageDlgDefaults,
                         testing::Values(DefaultAnswer{TMsgDlgButtons{mbOK}, mrOk}, DefaultAnswer{mbOKCancel, mrOk},
                                         DefaultAnswer{mbYesNo, mrYes}, DefaultAnswer{mbYesNoCancel, mrYes},
                                         DefaultAnswer{mbAbortRetryIgnore, mrRetry},
                                         DefaultAnswer{TMsgDlgButtons{mbIgnore, mbCancel}, mrCancel},
                                         DefaultAnswer{TMsgDlgButtons{}, mrOk}));

int GBeeps = 0;

TEST_F(DialogsTest, BeepCallsTheInstalledHook) {
  GBeeps = 0;
  EXPECT_EQ(SetBeepHook([] { ++GBeeps; }), nullptr);
  Beep();
  Beep();
  EXPECT_EQ(GBeeps, 2);
  SetBeepHook(nullptr);
  testing::internal::CaptureStderr();
  Beep();
  // Standard error is captured into a file here, not a terminal: no BEL.
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  EXPECT_EQ(GBeeps, 2);
}

}  // namespace
