// A form of this round's controls, built by a script, rendered offscreen: each control paints
// inside the rectangle the script gave it, and the picture is kept as a test artefact to look at.
#include <QDir>
#include <QImage>
#include <QPixmap>
#include <QWidget>

#include <set>

#include "tests/hostgui/GuiTestKit.h"

namespace {

// Each control at a known place on a white form; Main answers how many it placed.
constexpr char16_t SCommonControls[] = uR"(
function Main;
var F, TV, Fruit, PC, S1, S2, PB, TB, DP, RE, RG, LE, H, S;
begin
  F := TForm.Create(nil);
  F.ClientWidth := 520; F.ClientHeight := 300; F.Color := clWhite;
  TV := TTreeView.Create(F); TV.Parent := F; TV.SetBounds(10, 10, 150, 130);
  Fruit := TV.Items.Add(nil, 'Fruit');
  TV.Items.AddChild(Fruit, 'apple'); TV.Items.AddChild(Fruit, 'pear');
  TV.Items.Add(nil, 'Vegetables');
  Fruit.Expand(False);
  PC := TPageControl.Create(F); PC.Parent := F; PC.SetBounds(170, 10, 170, 130);
  S1 := TTabSheet.Create(F); S1.PageControl := PC; S1.Caption := 'First';
  S2 := TTabSheet.Create(F); S2.PageControl := PC; S2.Caption := 'Second';
  PB := TProgressBar.Create(F); PB.Parent := F; PB.SetBounds(350, 10, 160, 20); PB.Position := 60;
  TB := TTrackBar.Create(F); TB.Parent := F; TB.SetBounds(350, 40, 160, 30); TB.Position := 4;
  DP := TDateTimePicker.Create(F); DP.Parent := F; DP.SetBounds(350, 80, 160, 24);
  DP.Date := EncodeDate(2026, 12, 11);
  RE := TRichEdit.Create(F); RE.Parent := F; RE.SetBounds(10, 150, 150, 140);
  RE.Lines.Add('Rich text');
  RG := TRadioGroup.Create(F); RG.Parent := F; RG.SetBounds(170, 150, 170, 90); RG.Caption := 'Size';
  RG.Items.Add('Small'); RG.Items.Add('Large'); RG.ItemIndex := 1;
  LE := TLabeledEdit.Create(F); LE.Parent := F; LE.SetBounds(350, 140, 160, 24);
  LE.EditLabel.Caption := 'Name'; LE.Text := 'Orvane';
  H := THeaderControl.Create(F); H.Parent := F; H.Align := alNone; H.SetBounds(170, 250, 340, 24);
  S := H.Sections.Add; S.Text := 'Name'; S.Width := 120;
  S := H.Sections.Add; S.Text := 'Size';
  F.Show;
  Result := F.ControlCount;
end;
)";

struct TPlaced {
  const char* Name;
  int X, Y, W, H;
};

// The distinct colours inside a rectangle of the picture.
size_t ColoursIn(const QImage& AShot, const TPlaced& ARect) {
  std::set<QRgb> colours;
  for (int y = ARect.Y; y < ARect.Y + ARect.H; ++y)
    for (int x = ARect.X; x < ARect.X + ARect.W; ++x) colours.insert(AShot.pixel(x, y) & 0xFFFFFF);
  return colours.size();
}

TEST_F(GuiScriptTest, CommonControlsPaintWhereTheScriptPlacedThem) {
  const TPlaced placed[] = {
      {"tree view", 10, 10, 150, 130},    {"page control", 170, 10, 170, 130}, {"progress bar", 350, 10, 160, 20},
      {"track bar", 350, 40, 160, 30},    {"date picker", 350, 80, 160, 24},   {"rich edit", 10, 150, 150, 140},
      {"radio group", 170, 150, 170, 90}, {"labeled edit", 350, 140, 160, 24}, {"header", 170, 250, 340, 24},
  };
  // The labeled edit's label is a control of the form too.
  ASSERT_EQ(Run(SCommonControls), int(std::size(placed)) + 1);
  TCustomForm* form = OnlyForm();
  ASSERT_NE(form, nullptr);
  const QImage shot = form->Widget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
  QDir().mkpath(QEL_ARTEFACT_DIR);
  EXPECT_TRUE(shot.save(QEL_ARTEFACT_DIR "/common_controls.png"));
  ASSERT_EQ(shot.width(), 520);
  ASSERT_EQ(shot.height(), 300);
  // A control that did not paint leaves the form's white; one that painted shows its frame,
  // text or fill in more than a couple of colours.
  for (const TPlaced& p : placed) EXPECT_GE(ColoursIn(shot, p), 3u) << p.Name;
  // Between the controls the form stays white.
  EXPECT_EQ(ColoursIn(shot, {"gap", 162, 10, 6, 130}), 1u);
  EXPECT_EQ(shot.pixel(165, 60) & 0xFFFFFF, 0xFFFFFFu);
}

}  // namespace
