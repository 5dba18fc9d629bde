// Forms built by scripts: the screenshot against the script's geometry, modal loops, closing.
#include <QDir>
#include <QImage>
#include <QPixmap>
#include <QWidget>

#include "tests/hostgui/GuiTestKit.h"

namespace {

constexpr char16_t SPanels[] = uR"(
procedure Main;
var F, Left, Box;
begin
  F := TForm.Create(nil);
  F.ClientWidth := 200;
  F.ClientHeight := 100;
  F.Color := clWhite;
  Left := TPanel.Create(F); Left.Parent := F; Left.BevelOuter := bvNone; Left.Color := clRed;
  Left.Width := 60; Left.Align := alLeft;
  Box := TPanel.Create(F); Box.Parent := F; Box.BevelOuter := bvNone; Box.Color := clBlue;
  Box.SetBounds(100, 20, 50, 30);
  F.Show;
end;
)";

struct TPixelCase {
  int X, Y;
  QRgb Color;
};

TEST_F(GuiScriptTest, ScreenshotMatchesTheScriptsGeometry) {
  Run(SPanels);
  TCustomForm* form = OnlyForm();
  ASSERT_NE(form, nullptr);
  const QImage shot = form->Widget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
  QDir().mkpath(QEL_ARTEFACT_DIR);
  EXPECT_TRUE(shot.save(QEL_ARTEFACT_DIR "/script_form.png"));
  ASSERT_EQ(shot.width(), 200);
  ASSERT_EQ(shot.height(), 100);
  const TPixelCase cases[] = {
      {0, 0, qRgb(255, 0, 0)},     {59, 99, qRgb(255, 0, 0)},   {60, 50, qRgb(255, 255, 255)},
      {100, 20, qRgb(0, 0, 255)},  {149, 49, qRgb(0, 0, 255)},  {150, 49, qRgb(255, 255, 255)},
      {99, 35, qRgb(255, 255, 255)}, {125, 50, qRgb(255, 255, 255)}, {199, 99, qRgb(255, 255, 255)},
  };
  for (const TPixelCase& c : cases) EXPECT_EQ(shot.pixel(c.X, c.Y) & 0xFFFFFF, c.Color & 0xFFFFFF) << c.X << "," << c.Y;
}

TEST_F(GuiScriptTest, ShowModalEndsWhenATimerClicksAButtonWithAModalResult) {
  const int result = Run(uR"(
var B, T;
procedure Tick(Sender); begin T.Enabled := False; B.Click; end;
function Main;
var F;
begin
  F := TForm.Create(nil);
  B := TButton.Create(F); B.Parent := F; B.ModalResult := mrOk;
  T := TTimer.Create(F); T.Interval := 5; T.OnTimer := @Tick;
  Result := F.ShowModal;
end;
)");
  EXPECT_EQ(result, mrOk);
  EXPECT_FALSE(OnlyForm()->GetVisible());
}

TEST_F(GuiScriptTest, ShowModalWithoutADisplayOrTimerAnswersCancel) {
  EXPECT_EQ(Run(u"function Main; var F; begin F := TForm.Create(nil); Result := F.ShowModal; end;"), mrCancel);
}

TEST_F(GuiScriptTest, CloseQueryKeepsTheFormOpenAndOnCloseSeesTheAction) {
  const int result = Run(uR"(
var Allow, Closed;
procedure Query(Sender; var CanClose); begin CanClose := Allow; end;
procedure Closing(Sender; var Action); begin Closed := Closed + 1; Action := caHide; end;
function Bit(Value); begin if Value then Result := 1 else Result := 0; end;
function Main;
var F;
begin
  Closed := 0;
  F := TForm.Create(nil);
  F.OnCloseQuery := @Query;
  F.OnClose := @Closing;
  F.Show;
  Allow := False;
  F.Close;
  Result := Bit(F.Visible) * 10 + Closed;
  Allow := True;
  F.Close;
  Result := Result * 100 + Bit(F.Visible) * 10 + Closed;
end;
)");
  EXPECT_EQ(result, 1001);  // refused: visible, no OnClose; allowed: hidden, OnClose once
}

TEST_F(GuiScriptTest, KeyPreviewSeesKeysFirstAndCanSwallowThem) {
  const int result = Run(uR"(
var Seen;
procedure FormKey(Sender; var Key); begin Seen := Seen + 1; Key := 0; end;
procedure EditKey(Sender; var Key); begin Seen := Seen + 100; end;
function Main;
var F, E;
begin
  Seen := 0;
  F := TForm.Create(nil);
  F.KeyPreview := True;
  F.OnKeyPress := @FormKey;
  E := TEdit.Create(F); E.Parent := F;
  E.OnKeyPress := @EditKey;
  E.Perform(WM_CHAR, Ord('x'), 0);
  Result := Seen * 10 + Length(E.Text);
end;
)");
  EXPECT_EQ(result, 10);  // the form saw it, cleared it: the edit neither handled nor typed it
}

}  // namespace
