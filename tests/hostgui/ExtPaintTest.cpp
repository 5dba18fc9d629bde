// What the later ExtCtrls and ToolWin controls paint, read back from a grab of their form.
#include <QImage>
#include <QPixmap>
#include <QWidget>

#include "tests/hostgui/GuiTestKit.h"

namespace {

// A paint box that fills its left half red through its OnPaint, a circle shape, a tool window
// with its default (lowered outer, raised inner) edges, and a grid panel with two blue panels.
constexpr char16_t SPainted[] = uR"(
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

struct TPixelCase {
  int X, Y;
  QRgb Color;
  const char* What;
};

TEST_F(GuiScriptTest, PaintBoxesShapesToolWindowsAndGridPanelsPaintWhereTheySay) {
  Run(SPainted);
  TCustomForm* form = OnlyForm();
  ASSERT_NE(form, nullptr);
  const QImage shot = form->Widget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
  const QRgb red = qRgb(255, 0, 0), white = qRgb(255, 255, 255), lime = qRgb(0, 255, 0), blue = qRgb(0, 0, 255);
  // The fixed scheme's button shadow and highlight.
  const QRgb shadow = qRgb(0xA0, 0xA0, 0xA0), highlight = qRgb(255, 255, 255);
  const TPixelCase cases[] = {
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
  for (const TPixelCase& c : cases)
    EXPECT_EQ(shot.pixel(c.X, c.Y) & 0xFFFFFF, c.Color & 0xFFFFFF) << c.What << " at " << c.X << "," << c.Y;
}

}  // namespace
