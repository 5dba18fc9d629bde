// What the later ExtCtrls and ToolWin controls paint, read back from a grab of their form, and
// what their Qt parts report when a user clicks them.
#include <QAction>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QWidget>

#include "tests/hostgui/GuiTestKit.h"

namespace {

// A paint box that fills its left half red through its OnPaint, a circle shape, a tool window
// with its default (lowered outer, raised inner) edges, and a grid panel with two blue panels.
constexpr char16_t SPainted[] =
    uR"(
procedure PaintHalf(Sender);
begin
  Sender.Canvas.Brush.Color := clRed;
  Sender.Canvas.FillRect(Rect(0, 0, Sender.Width div 2, Sender.Height));
end;

procedure Main;
var F, PB, S, TW, G, P, I;
begin
  F := TForm.Create(nil);
  F.ClientWidth := 300; F.ClientHeight := 200; F.Color := clWhite;
  PB := TPaintBox.Create(F); PB.Parent := F; PB.SetBounds(0, 0, 40, 40); PB.OnPaint := @PaintHalf;
  S := TShape.Create(F); S.Parent := F; S.SetBounds(50, 0, 40, 40); S.Shape := stCircle;
  S.Brush.Color := clLime; S.Pen.Color := clLime;
  TW := TToolWindow.Create(F); TW.Parent := F; TW.SetBounds(100, 0, 60, 30);
  G := TGridPanel.Create(F); G.Parent := F; G.BevelOuter := bvNone; G.SetBounds(0, 100, 200, 100);
  G.Color := clWhite;
  for I := 1 to 2 do
  begin
    P := TPanel.Create(F); P.BevelOuter := bvNone; P.Color := clBlue; P.Align := alClient; P.Parent := G;
  end;
  G.ControlCollection[1].Row := 1;
  F.Show;
end;
)";

struct TPaintPixelCase {
  int X, Y;
  QRgb Color;
  const char* What;
};

TEST_F(GuiScriptTest, PaintBoxesShapesToolWindowsAndGridPanelsPaintWhereTheySay) {
  Run(SPainted);
  TCustomForm* form = OnlyForm();
  ASSERT_NE(form, nullptr);
  const QImage shot = form->Widget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
  const QRgb red = qRgb(255, 0, 0), white = qRgb(255, 255, 255), lime = qRgb(0, 255, 0),
             blue = qRgb(0, 0, 255);
  // The fixed scheme's button shadow and highlight.
  const QRgb shadow = qRgb(0xA0, 0xA0, 0xA0), highlight = qRgb(255, 255, 255);
  const TPaintPixelCase cases[] = {
      {5, 20, red, "paint box left half"},
      {30, 20, white, "paint box right half"},
      {70, 20, lime, "circle centre"},
      {51, 1, white, "circle corner"},
      {100, 10, shadow, "outer edge, lowered: dark at the left"},
      {101, 10, highlight, "inner edge, raised: light at the left"},
      {159, 10, highlight, "outer edge, lowered: light at the right"},
      {158, 10, shadow, "inner edge, raised: dark at the right"},
      {50, 125, blue, "grid cell 0,0"},
      {150, 125, white, "grid cell 1,0 is empty"},
      {50, 175, white, "grid cell 0,1 is empty"},
      {150, 175, blue, "grid cell 1,1 after moving the second panel"},
  };
  for (const TPaintPixelCase& c : cases)
    EXPECT_EQ(shot.pixel(c.X, c.Y) & 0xFFFFFF, c.Color & 0xFFFFFF)
        << c.What << " at " << c.X << "," << c.Y;
}

constexpr char16_t SClicked[] =
    uR"(
procedure LinkClicked(Sender; Link; LinkType);
begin
  Sender.Hint := Sender.Hint + Link + ':' + IntToStr(Ord(LinkType)) + ';';
end;
procedure LeftClicked(Sender); begin Sender.Text := Sender.Text + 'left;'; end;
procedure RightClicked(Sender); begin Sender.Text := Sender.Text + 'right;'; end;

procedure Main;
var F, L, E;
begin
  F := TForm.Create(nil);
  L := TLinkLabel.Create(F); L.Name := 'Link'; L.Parent := F;
  L.Caption := 'See <a href="https://example.org/">the site</a> or <a id="help">help</a>';
  L.OnLinkClick := @LinkClicked;
  E := TButtonedEdit.Create(F); E.Name := 'Edit'; E.Parent := F; E.Top := 40;
  E.LeftButton.Visible := True; E.LeftButton.Enabled := False; E.LeftButton.Hint := 'Search';
  E.RightButton.Visible := True; E.RightButton.Hint := 'Clear';
  E.OnLeftButtonClick := @LeftClicked;
  E.OnRightButtonClick := @RightClicked;
  F.Show;
end;
)";

QAction* ActionWithTip(QWidget* AWidget, const QString& ATip) {
  for (QAction* action : AWidget->actions()) {
    if (action->toolTip() == ATip) return action;
  }
  return nullptr;
}

TEST_F(GuiScriptTest, LinkLabelsAndButtonedEditsReportTheirClicks) {
  Run(SClicked);
  TCustomForm* form = OnlyForm();
  ASSERT_NE(form, nullptr);
  auto* link = dynamic_cast<TControl*>(form->FindComponent(u"Link"));
  auto* edit = dynamic_cast<TControl*>(form->FindComponent(u"Edit"));
  ASSERT_TRUE(link && edit);
  // The label shows an <a id> link under a target Qt reports, told back as an id.
  auto* label = static_cast<QLabel*>(link->Widget());
  EXPECT_TRUE(label->text().contains(QStringLiteral("href=\"id:help\"")));
  emit label->linkActivated(QStringLiteral("https://example.org/"));
  emit label->linkActivated(QStringLiteral("id:help"));
  EXPECT_EQ(link->GetHint(), u"https://example.org/:0;help:1;");

  QAction* left = ActionWithTip(edit->Widget(), QStringLiteral("Search"));
  QAction* right = ActionWithTip(edit->Widget(), QStringLiteral("Clear"));
  ASSERT_TRUE(left && right);
  EXPECT_TRUE(left->isVisible());
  EXPECT_FALSE(left->isEnabled());
  left->trigger();
  right->trigger();
  right->trigger();
  EXPECT_EQ(edit->GetText(), u"right;right;");
}

}  // namespace
