// The demonstration window driven headless: its layout, the script list, selection, runs by
// F9 (with any shift state) and by the button, and the error box, which the test answers.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

#include "demo/d_Orvane0.h"
#include "engine/scripter/QelTessaro.h"
#include "engines/QelScriptEngines.h"
#include "host/gui/units/QelGuiUnits.h"

namespace fs = std::filesystem;

namespace {

constexpr char SHello[] = "procedure Main;\nbegin\n  MessageList.Lines.Add('hello ' + IntToStr(6 * 7));\nend;\n";
constexpr char SVbHello[] = "Sub Main\n  MessageList.Lines.Add \"vb \" & CStr(2 + 3)\nEnd Sub\n";
// A call left open: the compiler stops at "end" on the fourth line (line 3 from 0).
constexpr char SBroken[] = "procedure Main;\nbegin\n  MessageList.Lines.Add('never'\nend;\n";
constexpr char SRaises[] = "procedure Main;\nbegin\n  MessageList.Lines.Add('before');\n  raise Exception.Create('boom');\nend;\n";

// A file's text as the memo gives it back: lines end in CR LF.
String MemoText(const char* AText) {
  String text;
  for (char16_t c : Utf8ToString(AText)) {
    if (c == u'\n') text += u'\r';
    text += c;
  }
  return text;
}

// Answers every modal box that opens while it lives with OK, keeping their texts. Its timer
// runs inside the box's own event loop, so the box is answered as soon as it is shown.
class TBoxAnswerer {
 public:
  TBoxAnswerer() {
    FTimer.setInterval(0);
    QObject::connect(&FTimer, &QTimer::timeout, [this] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) return;
      Texts.push_back(box->text());
      Titles.push_back(box->windowTitle());
      box->button(QMessageBox::Ok)->click();
    });
    FTimer.start();
  }
  std::vector<QString> Texts, Titles;

 private:
  QTimer FTimer;
};

class DemoWindowTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    qel::Startup();
    QelRegisterScriptEngines();
    QelRegisterGuiUnits();
  }
  void SetUp() override {
    FFolder = fs::temp_directory_path() / ("qeldemo_test_" + std::to_string(::getpid()));
    fs::remove_all(FFolder);
    fs::create_directories(FFolder / "scripts");
    FOldDir = fs::current_path();
  }
  void TearDown() override {
    if (Form) Form->Free();
    QelFreeScriptForms();
    fs::current_path(FOldDir);
    fs::remove_all(FFolder);
  }
  void Write(const std::string& AName, const std::string& AText) {
    std::ofstream(FFolder / "scripts" / AName, std::ios::binary) << AText;
  }
  // The window on the "scripts" folder under the current directory, as a user starts it.
  TForm1* Open() {
    fs::current_path(FFolder);
    Form = new TForm1(nullptr);
    Form->Show();
    return Form;
  }
  std::vector<String> Captions() const {
    std::vector<String> captions;
    for (int i = 0; i < Form->ListView->GetItems()->GetCount(); ++i)
      captions.push_back(Form->ListView->GetItems()->GetItem(i)->GetCaption());
    return captions;
  }
  void Select(const String& ACaption) {
    for (int i = 0; i < Form->ListView->GetItems()->GetCount(); ++i)
      if (Form->ListView->GetItems()->GetItem(i)->GetCaption() == ACaption)
        return Form->ListView->GetItems()->GetItem(i)->SetSelected(true);
    ADD_FAILURE() << "no entry " << StringToUtf8(ACaption);
  }
  // F9 as the user presses it, in the editor that has the focus.
  void PressF9(Qt::KeyboardModifiers AModifiers = Qt::NoModifier) {
    QTest::keyClick(Form->Memo->Widget(), Qt::Key_F9, AModifiers);
  }
  // The message pane's lines, each ended by "\n".
  String MessagesText() const {
    String text;
    for (int i = 0; i < Form->Messages->GetLines()->GetCount(); ++i) text += Form->Messages->GetLines()->Get(i) + u"\n";
    return text;
  }

  TForm1* Form = nullptr;
  fs::path FFolder, FOldDir;
};

TEST_F(DemoWindowTest, WindowHasTheLayoutAndSettingsOfItsComponents) {
  Open();
  EXPECT_EQ(Form->GetCaption(), u"Qel-Tessaro: Orvane");
  EXPECT_TRUE(Form->GetKeyPreview());
  struct TBox {
    TControl* Control;
    int Left, Top, Width, Height;
  };
  const TBox boxes[] = {
      {Form, Form->GetLeft(), Form->GetTop(), 732, 527},
      {Form->ListView, 0, 0, 153, 433},
      {Form->Splitter1, 153, 0, 5, 433},
      {Form->Panel1, 158, 0, 574, 433},
      {Form->Label1, 6, 4, Form->Label1->GetWidth(), Form->Label1->GetHeight()},
      {Form->Memo, 0, 22, 574, 383},
      {Form->Button1, 8, 409, 88, 25},
      {Form->Splitter2, 0, 433, 732, 5},
      {Form->Messages, 0, 438, 732, 70},
      {Form->StatusBar, 0, 508, 732, 19},
  };
  for (const TBox& box : boxes) {
    SCOPED_TRACE(StringToUtf8(box.Control->GetName()));
    EXPECT_EQ(box.Control->GetLeft(), box.Left);
    EXPECT_EQ(box.Control->GetTop(), box.Top);
    EXPECT_EQ(box.Control->GetWidth(), box.Width);
    EXPECT_EQ(box.Control->GetHeight(), box.Height);
  }
  EXPECT_EQ(Form->Label1->GetCaption(), u"Script source code:");
  EXPECT_EQ(Form->Button1->GetCaption(), u"Run script (F9)");
  EXPECT_EQ(Form->Memo->GetFont()->GetName(), u"Courier New");
  EXPECT_EQ(Form->Messages->GetFont()->GetColor(), clNavy);
  EXPECT_TRUE(Form->StatusBar->GetSimplePanel());
  EXPECT_EQ(Form->ImageList1->GetCount(), 1);
  EXPECT_EQ(Form->ListView->GetViewStyle(), vsList);
  // The anchored memo and button follow the window.
  Form->SetClientWidth(832);
  Form->SetClientHeight(627);
  EXPECT_EQ(Form->Memo->GetWidth(), 674);
  EXPECT_EQ(Form->Memo->GetHeight(), 483);
  EXPECT_EQ(Form->Button1->GetTop(), 509);
}

TEST_F(DemoWindowTest, ListHoldsTheFolderFilesInOrderAndLoadsTheFirst) {
  Write("b.PAS", SHello);
  Write("a.txt", SVbHello);
  Write("C.pas.txt", "");
  Write("noext", "");
  Write(".hidden.pas", "");
  fs::create_directories(FFolder / "scripts" / "dir.pas");
  Open();
  EXPECT_EQ(Captions(), (std::vector<String>{u"a.txt", u"b.PAS", u"C.pas.txt", u"noext"}));
  ASSERT_NE(Form->ListView->GetSelected(), nullptr);
  EXPECT_EQ(Form->ListView->GetSelected()->GetCaption(), u"a.txt");
  EXPECT_EQ(Form->Memo->GetText(), MemoText(SVbHello));
  EXPECT_EQ(Form->ListView->GetItems()->GetItem(0)->GetImageIndex(), 0);
}

TEST_F(DemoWindowTest, SelectionLoadsTheFileAndPicksTheLanguageByExtension) {
  struct TCase {
    const char* Name;
    TQelScriptLanguage Language;
  };
  const TCase cases[] = {{"a.pas", slPascal}, {"b.PAS", slPascal}, {"c.Pas", slPascal}, {"d.pas.vb", slNativeVb},
                         {"e", slNativeVb},   {"f.vbs", slNativeVb}, {"g.txt", slNativeVb}, {"h.lua", slLua},
                         {"i.py", slPython},  {"j.js", slJScript},  {"k.tcl", slTCL}};
  for (const TCase& c : cases) Write(c.Name, std::string("text of ") + c.Name);
  Open();
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    Select(Utf8ToString(c.Name));
    EXPECT_EQ(Form->GetCurLang(), c.Language);
    EXPECT_EQ(Form->Memo->GetText(), Utf8ToString(std::string("text of ") + c.Name));
  }
}

TEST_F(DemoWindowTest, DeselectingKeepsTheMemoAndLanguageAndAVanishedFileSaysSo) {
  Write("a.pas", SHello);
  Write("b.vb", SVbHello);
  Open();
  Form->ListView->GetSelected()->SetSelected(false);
  EXPECT_EQ(Form->ListView->GetSelected(), nullptr);
  EXPECT_EQ(Form->Memo->GetText(), MemoText(SHello));
  EXPECT_EQ(Form->GetCurLang(), slPascal);
  fs::remove(FFolder / "scripts" / "b.vb");
  Select(u"b.vb");
  EXPECT_EQ(Form->Memo->GetText(), u"<File not found.>");
  EXPECT_EQ(Form->GetCurLang(), slNativeVb);
}

TEST_F(DemoWindowTest, CaptionsCannotBeEditedInPlace) {
  Write("a.pas", SHello);
  Open();
  EXPECT_FALSE(Form->ListView->GetReadOnly());
  EXPECT_FALSE(Form->ListView->GetSelected()->EditCaption());
  EXPECT_FALSE(Form->ListView->GetIsEditing());
}

TEST_F(DemoWindowTest, EmptyOrMissingFolderListsNothing) {
  fs::remove_all(FFolder / "scripts");
  Open();
  EXPECT_EQ(Form->ListView->GetItems()->GetCount(), 0);
  EXPECT_EQ(Form->ListView->GetSelected(), nullptr);
  EXPECT_EQ(Form->GetCurLang(), slVBScript);
  EXPECT_EQ(Form->Memo->GetText(), u"");
}

TEST_F(DemoWindowTest, F9WithAnyShiftStateAndTheButtonRunMain) {
  Write("hello.pas", SHello);
  Write("hello.vb", SVbHello);
  Open();
  const Qt::KeyboardModifiers states[] = {Qt::NoModifier, Qt::ShiftModifier, Qt::ControlModifier};
  for (Qt::KeyboardModifiers state : states) PressF9(state);
  EXPECT_EQ(MessagesText(), u"hello 42\nhello 42\nhello 42\n");
  Select(u"hello.vb");
  QTest::mouseClick(Form->Button1->Widget(), Qt::LeftButton);
  EXPECT_EQ(Form->Messages->GetLines()->GetCount(), 4);
  EXPECT_EQ(Form->Messages->GetLines()->Get(3), u"vb 5");
  EXPECT_EQ(Form->QelScriptControl->GetState(), ssInactive);
  EXPECT_EQ(Form->StatusBar->GetSimpleText(), u"");
}

TEST_F(DemoWindowTest, TheMemoTextRunsAsEditedNotTheFile) {
  Write("a.pas", SHello);
  Open();
  Form->Memo->SetText(u"procedure Main; begin MessageList.Lines.Add('edited'); end;");
  PressF9();
  EXPECT_EQ(MessagesText(), u"edited\n");
}

TEST_F(DemoWindowTest, ACompileErrorShowsItsPlaceInABoxAndTheNextRunWorks) {
  Write("a_broken.pas", SBroken);
  Write("b_hello.pas", SHello);
  Open();
  {
    TBoxAnswerer answerer;
    PressF9();
    ASSERT_EQ(answerer.Texts.size(), 1u);
    EXPECT_TRUE(answerer.Texts[0].contains(QStringLiteral("[line: 3, pos: "))) << answerer.Texts[0].toStdString();
    EXPECT_TRUE(answerer.Texts[0].contains(QStringLiteral("Source: $"))) << answerer.Texts[0].toStdString();
    EXPECT_EQ(answerer.Titles[0], QStringLiteral("Qel-Tessaro: Orvane"));
  }
  EXPECT_EQ(Form->QelScriptControl->GetState(), ssInactive);
  EXPECT_EQ(Form->StatusBar->GetSimpleText(), u"");
  EXPECT_EQ(Form->GetErrorLine(), 3);
  EXPECT_EQ(MessagesText(), u"");
  // The next F9 works, and an edit or a new file ends the mark.
  Select(u"b_hello.pas");
  EXPECT_EQ(Form->GetErrorLine(), -1);
  PressF9(Qt::ShiftModifier);
  EXPECT_EQ(MessagesText(), u"hello 42\n");
}

TEST_F(DemoWindowTest, ARuntimeErrorEndsTheRunThenShowsTheBox) {
  Write("raises.pas", SRaises);
  Open();
  TBoxAnswerer answerer;
  PressF9();
  ASSERT_EQ(answerer.Texts.size(), 1u);
  EXPECT_TRUE(answerer.Texts[0].startsWith(QStringLiteral("boom"))) << answerer.Texts[0].toStdString();
  EXPECT_TRUE(answerer.Texts[0].contains(QStringLiteral("[line: 3, pos: "))) << answerer.Texts[0].toStdString();
  EXPECT_EQ(MessagesText(), u"before\n");
  EXPECT_EQ(Form->QelScriptControl->GetState(), ssInactive);
  EXPECT_EQ(Form->StatusBar->GetSimpleText(), u"");
  EXPECT_EQ(Form->GetErrorLine(), 3);
  PressF9();
  EXPECT_EQ(answerer.Texts.size(), 2u);
  EXPECT_EQ(MessagesText(), u"before\nbefore\n");
}

TEST_F(DemoWindowTest, StatusBarSaysRunningDuringTheRun) {
  Write("status.pas",
        "procedure Main;\nbegin\n  MessageList.Lines.Add(MessageList.Owner.FindComponent('StatusBar').SimpleText);\nend;\n");
  Open();
  TBoxAnswerer answerer;
  PressF9();
  EXPECT_TRUE(answerer.Texts.empty()) << (answerer.Texts.empty() ? "" : answerer.Texts[0].toStdString());
  EXPECT_EQ(MessagesText(), u"Running...\n");
}

TEST_F(DemoWindowTest, AnArgumentNamesAnotherFolderAndTheShippedScriptsAllRun) {
  Form = new TForm1(nullptr, Utf8ToString(QEL_DEMO_SCRIPTS_DIR));
  std::vector<std::string> expected;
  for (const fs::directory_entry& entry : fs::directory_iterator(QEL_DEMO_SCRIPTS_DIR))
    if (entry.is_regular_file() && entry.path().filename().string()[0] != '.')
      expected.push_back(entry.path().filename().string());
  std::sort(expected.begin(), expected.end(),
            [](const std::string& A, const std::string& B) { return AnsiCompareText(Utf8ToString(A), Utf8ToString(B)) < 0; });
  std::vector<std::string> listed;
  for (const String& caption : Captions()) listed.push_back(StringToUtf8(caption));
  ASSERT_EQ(listed, expected);
  // Every shipped script runs without an error box and writes to the message pane.
  TBoxAnswerer answerer;
  for (const std::string& name : listed) {
    SCOPED_TRACE(name);
    const int before = Form->Messages->GetLines()->GetCount();
    Select(Utf8ToString(name));
    QTest::mouseClick(Form->Button1->Widget(), Qt::LeftButton);
    EXPECT_GT(Form->Messages->GetLines()->GetCount(), before);
  }
  EXPECT_TRUE(answerer.Texts.empty()) << (answerer.Texts.empty() ? "" : answerer.Texts[0].toStdString());
}

}  // namespace
