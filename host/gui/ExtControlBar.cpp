// Control bars.
#include <algorithm>

#include "host/gui/ExtCtrls.h"

TCustomControlBar::TCustomControlBar(TComponent* AOwner)
    : TCustomControl(AOwner), FPicture(new TPicture) {
  FPicture->OnChange = TNotifyEvent::Bind<&TCustomControlBar::PictureChanged>(this);
  SetBounds(0, 0, 100, 50);
}

TCustomControlBar::~TCustomControlBar() { delete FPicture; }

void TCustomControlBar::SetRowSize(int AValue) {
  FRowSize = std::max(1, AValue);
  Realign();
}

// Each band's row is where its control's top is nearest (with RowSnap; else the control keeps
// its top and the row only orders it). In a row the bands go by position, each starting no
// earlier than the end of the one before; OnBandMove may change a band's rectangle.
void TCustomControlBar::AlignControls() {
  if (FArranging) return;
  FArranging = true;
  struct TReset {
    bool& Flag;
    ~TReset() { Flag = false; }
  } reset{FArranging};
  TCustomControl::AlignControls();
  if (GetAlignDisabled()) return;
  struct TBand {
    TControl* Control;
    int Row, Left, Order;
  };
  std::vector<TBand> bands;
  for (int i = 0; i < GetControlCount(); ++i) {
    TControl* control = GetControls(i);
    if (!control->GetVisible() || control->GetAlign() != alNone) continue;
    bands.push_back({control, (control->GetTop() + FRowSize / 2) / FRowSize,
                     control->GetLeft() - GrabWidth, i});
  }
  std::sort(bands.begin(), bands.end(), [](const TBand& A, const TBand& B) {
    return A.Row != B.Row ? A.Row < B.Row : A.Left != B.Left ? A.Left < B.Left : A.Order < B.Order;
  });
  int row = -1, end = 0;
  for (const TBand& band : bands) {
    if (band.Row != row) {
      row = band.Row;
      end = 0;
    }
    TControl* control = band.Control;
    const int left = std::max(band.Left, end);
    const int top = FRowSnap ? row * FRowSize + 2 : control->GetTop();
    TRect rect = Bounds(left, top, control->GetWidth() + GrabWidth, control->GetHeight());
    OnBandMove(this, control, rect);
    control->SetBounds(rect.Left + GrabWidth, rect.Top, std::max(0, rect.Width() - GrabWidth),
                       rect.Height());
    end = rect.Right;
  }
}

void TCustomControlBar::Paint() {
  TCanvas* canvas = GetCanvas();
  if (TGraphic* graphic = FPicture->GetGraphic(); graphic && !graphic->GetEmpty()) {
    for (int y = 0; y < GetHeight(); y += std::max(1, graphic->GetHeight()))
      for (int x = 0; x < GetWidth(); x += std::max(1, graphic->GetWidth()))
        canvas->Draw(x, y, graphic);
  }
  // A grab handle of two raised lines before each band.
  for (int i = 0; i < GetControlCount(); ++i) {
    TControl* control = GetControls(i);
    if (!control->GetVisible() || control->GetAlign() != alNone) continue;
    const int x = control->GetLeft() - GrabWidth + 3, top = control->GetTop() + 1,
              bottom = control->GetTop() + control->GetHeight() - 1;
    for (int line = 0; line < 2; ++line) {
      canvas->GetPen()->SetColor(clBtnHighlight);
      canvas->MoveTo(x + line * 3, bottom);
      canvas->LineTo(x + line * 3, top);
      canvas->GetPen()->SetColor(clBtnShadow);
      canvas->MoveTo(x + line * 3 + 1, bottom);
      canvas->LineTo(x + line * 3 + 1, top);
    }
  }
}
