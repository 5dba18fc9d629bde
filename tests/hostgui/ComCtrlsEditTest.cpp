// What a user does that a script cannot send: editing a tree node in place (the editor Qt
// opens, typed text, Return) and a date picker's calendar dropping down and closing.
#include <QCalendarWidget>
#include <QCoreApplication>
#include <QDateTimeEdit>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTreeWidget>

#include "host/gui/ComCtrls.h"
#include "tests/hostgui/GuiTestKit.h"

namespace {

constexpr char16_t STree[] =
    uR"(
var Log;
procedure Editing(Sender; Node; var AllowEdit); begin AllowEdit := Node.Text <> 'locked'; end;
procedure Edited(Sender; Node; var S); begin Log := Node.Text + '>' + S; S := UpperCase(S); end;
function Main;
var F, TV;
begin
  F := TForm.Create(nil);
  TV := TTreeView.Create(F); TV.Parent := F;
  TV.Items.Add(nil, 'cake');
  TV.Items.Add(nil, 'locked');
  TV.OnEditing := @Editing;
  TV.OnEdited := @Edited;
  Result := 0;
end;
)";

String ScriptString(TQelScriptControl& ACtrl, std::u16string_view AExpr) {
  VARIANT value = ACtrl.Eval(AExpr);
  String text = value.vt == VT_BSTR && value.bstrVal
                    ? String(reinterpret_cast<const char16_t*>(value.bstrVal))
                    : String();
  VariantClear(&value);
  return text;
}

// Types ANewText into the open editor and commits it with Return.
void TypeAndCommit(QTreeWidget* ATree, const QString& ANewText) {
  auto* editor = ATree->findChild<QLineEdit*>();
  ASSERT_NE(editor, nullptr);
  editor->setText(ANewText);
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QCoreApplication::sendEvent(editor, &enter);
  QCoreApplication::processEvents();  // the delegate commits and closes through a queued call
}

TEST_F(GuiScriptTest, TreeNodeEditedInPlaceRunsOnEditedWhoseTextWins) {
  ASSERT_EQ(Run(STree), 0);
  TCustomForm* form = OnlyForm();
  ASSERT_NE(form, nullptr);
  auto* view = dynamic_cast<TCustomTreeView*>(form->GetControls(0));
  ASSERT_NE(view, nullptr);
  auto* tree = static_cast<QTreeWidget*>(view->Widget());
  TTreeNode* cake = view->GetItems()->GetItem(0);
  ASSERT_TRUE(cake->EditText());
  TypeAndCommit(tree, QStringLiteral("pie"));
  EXPECT_EQ(ScriptString(Ctrl, u"Log"), u"cake>pie");
  EXPECT_EQ(cake->GetText(), u"PIE");
  EXPECT_EQ(tree->topLevelItem(0)->text(0), QStringLiteral("PIE"));
  EXPECT_FALSE(view->GetIsEditing());
}

TEST_F(GuiScriptTest, TreeNodeEditingRefusedByOnEditingOpensNoEditor) {
  ASSERT_EQ(Run(STree), 0);
  auto* view = dynamic_cast<TCustomTreeView*>(OnlyForm()->GetControls(0));
  ASSERT_NE(view, nullptr);
  EXPECT_FALSE(view->GetItems()->GetItem(1)->EditText());
  EXPECT_FALSE(view->GetIsEditing());
  view->SetReadOnly(true);
  EXPECT_FALSE(view->GetItems()->GetItem(0)->EditText());
}

constexpr char16_t SPicker[] =
    uR"(
var Log;
procedure DroppedDown(Sender); begin Log := Log + 'down '; end;
procedure ClosedUp(Sender); begin Log := Log + 'up '; end;
function Main;
var F, P;
begin
  F := TForm.Create(nil);
  P := TDateTimePicker.Create(F); P.Parent := F;
  P.OnDropDown := @DroppedDown;
  P.OnCloseUp := @ClosedUp;
  Log := '';
  Result := 0;
end;
)";

TEST_F(GuiScriptTest, DatePickerCalendarPopupRunsOnDropDownAndOnCloseUp) {
  ASSERT_EQ(Run(SPicker), 0);
  auto* picker = dynamic_cast<TDateTimePicker*>(OnlyForm()->GetControls(0));
  ASSERT_NE(picker, nullptr);
  QWidget* popup = static_cast<QDateTimeEdit*>(picker->Widget())->calendarWidget()->window();
  EXPECT_FALSE(picker->GetDroppedDown());
  popup->show();
  EXPECT_TRUE(picker->GetDroppedDown());
  popup->hide();
  EXPECT_FALSE(picker->GetDroppedDown());
  EXPECT_EQ(ScriptString(Ctrl, u"Log"), u"down up ");
  // Freeing the picker with its calendar open tells no one (the script's handlers may be gone).
  popup->show();
  QelFreeScriptForms();
  EXPECT_EQ(ScriptString(Ctrl, u"Log"), u"down up down ");
}

}  // namespace
