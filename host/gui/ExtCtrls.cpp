// Panels, timers, paint boxes, images, shapes and bevels.
#include <QTimer>
#include <vector>

#include "host/gui/ExtCtrls.h"
#include "host/gui/Forms.h"
#include "host/gui/QelWidgets.h"

// ---- panels ---------------------------------------------------------------

TCustomPanel::TCustomPanel(TComponent* AOwner) : TCustomControl(AOwner) {
  SetBevelOuter(bvRaised);
  SetBevelInner(bvNone);
  SetBounds(0, 0, 185, 41);
}

void TCustomPanel::SetAlignment(TAlignment AValue) { FAlignment = AValue; Invalidate(); }
void TCustomPanel::SetVerticalAlignment(TTextLayout AValue) { FVerticalAlignment = AValue; Invalidate(); }
void TCustomPanel::SetShowCaption(bool AValue) { FShowCaption = AValue; Invalidate(); }

void TCustomPanel::SetBorderStyle(TBorderStyle AValue) {
  FBorderStyle = AValue;
  Realign();
  Invalidate();
}

// The panel's bevels and border are inside its client area, as the class library lays out.
void TCustomPanel::AdjustClientRect(TRect& ARect) const {
  TCustomControl::AdjustClientRect(ARect);
  int inset = GetBorderWidth() + (FBorderStyle == bsSingle ? 1 : 0);
  if (GetBevelOuter() != bvNone) inset += GetBevelWidth();
  if (GetBevelInner() != bvNone) inset += GetBevelWidth();
  ARect.Left += inset;
  ARect.Top += inset;
  ARect.Right -= inset;
  ARect.Bottom -= inset;
}

void TCustomPanel::Paint() {
  TCanvas* canvas = GetCanvas();
  TRect rect = GetClientRect();
  auto bevel = [&](TBevelCut ACut) {
    if (ACut == bvNone || ACut == bvSpace) return;
    for (int i = 0; i < GetBevelWidth(); ++i) {
      const TColor topLeft = ACut == bvRaised ? clBtnHighlight : clBtnShadow;
      const TColor bottomRight = ACut == bvRaised ? clBtnShadow : clBtnHighlight;
      canvas->GetPen()->SetColor(topLeft);
      canvas->MoveTo(rect.Left, rect.Bottom - 1);
      canvas->LineTo(rect.Left, rect.Top);
      canvas->LineTo(rect.Right - 1, rect.Top);
      canvas->GetPen()->SetColor(bottomRight);
      canvas->LineTo(rect.Right - 1, rect.Bottom - 1);
      canvas->LineTo(rect.Left, rect.Bottom - 1);
      rect = {rect.Left + 1, rect.Top + 1, rect.Right - 1, rect.Bottom - 1};
    }
  };
  if (FBorderStyle == bsSingle) {
    canvas->GetBrush()->SetColor(clWindowFrame);
    canvas->FrameRect(rect);
    rect = {rect.Left + 1, rect.Top + 1, rect.Right - 1, rect.Bottom - 1};
  }
  bevel(GetBevelOuter());
  bevel(GetBevelInner());
  if (!FShowCaption || GetCaption().empty()) return;
  canvas->GetBrush()->SetStyle(bsClear);
  const TSize size = canvas->TextExtent(GetCaption());
  const int x = FAlignment == taLeftJustify ? rect.Left + 2
                : FAlignment == taRightJustify ? rect.Right - size.cx - 2
                                               : rect.Left + (rect.Width() - size.cx) / 2;
  const int y = FVerticalAlignment == tlTop ? rect.Top + 2
                : FVerticalAlignment == tlBottom ? rect.Bottom - size.cy - 2
                                                 : rect.Top + (rect.Height() - size.cy) / 2;
  canvas->TextOut(x, y, GetCaption());
}

// ---- timers ---------------------------------------------------------------

namespace {
std::vector<TTimer*>& LiveTimers() {
  static std::vector<TTimer*> timers;
  return timers;
}
}  // namespace

void QelStopScriptTimers() {
  for (TTimer* timer : LiveTimers()) {
    timer->SetEnabled(false);
    timer->OnTimer = nullptr;
  }
}

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner), FTimer(new QTimer) {
  QObject::connect(FTimer, &QTimer::timeout, FTimer, [this] { QelGuard(this, [this] { Timer(); }); });
  LiveTimers().push_back(this);
  Update();
}

TTimer::~TTimer() {
  std::erase(LiveTimers(), this);
  FEnabled = false;
  Update();
  delete FTimer;
}

void TTimer::SetEnabled(bool AValue) {
  FEnabled = AValue;
  Update();
}

void TTimer::SetInterval(uint32_t AValue) {
  FInterval = AValue;
  Update();
}

// A running timer keeps headless loops alive (QelActiveTimers).
void TTimer::Update() {
  const bool run = FEnabled && FInterval > 0;
  if (run) FTimer->start(static_cast<int>(FInterval));
  else FTimer->stop();
  if (run != FCounted) {
    QelActiveTimers() += run ? 1 : -1;
    FCounted = run;
  }
}

// ---- paint boxes, images, shapes, bevels -----------------------------------

TPaintBox::TPaintBox(TComponent* AOwner) : TGraphicControl(AOwner) { SetBounds(0, 0, 105, 105); }

TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner), FPicture(new TPicture) {
  FPicture->OnChange = TNotifyEvent::Bind<&TImage::PictureChanged>(this);
  SetBounds(0, 0, 105, 105);
}

TImage::~TImage() { delete FPicture; }

void TImage::PictureChanged(TObject*) {
  if (GetAutoSize() && FPicture->GetWidth() > 0) SetBounds(GetLeft(), GetTop(), FPicture->GetWidth(), FPicture->GetHeight());
  Invalidate();
}

TCanvas* TImage::GetImageCanvas() {
  TGraphic* graphic = FPicture->GetGraphic();
  if (graphic && !dynamic_cast<TBitmap*>(graphic))
    QelRaise<EInvalidOperation>(u"Can only modify an image if it contains a bitmap");
  TBitmap* bitmap = FPicture->GetBitmap();
  if (bitmap->GetEmpty()) bitmap->SetSize(GetWidth(), GetHeight());
  return bitmap->GetCanvas();
}

TRect TImage::DestRect() const {
  TGraphic* graphic = FPicture->GetGraphic();
  int w = graphic->GetWidth(), h = graphic->GetHeight();
  const int cw = GetWidth(), ch = GetHeight();
  if (FStretch || (FProportional && (w > cw || h > ch))) {
    if (FProportional && w > 0 && h > 0) {
      if (cw * h > ch * w) {
        w = w * ch / h;
        h = ch;
      } else {
        h = h * cw / w;
        w = cw;
      }
    } else {
      w = cw;
      h = ch;
    }
  }
  const int x = FCenter ? (cw - w) / 2 : 0, y = FCenter ? (ch - h) / 2 : 0;
  return Bounds(x, y, w, h);
}

void TImage::Paint() {
  TGraphic* graphic = FPicture->GetGraphic();
  if (graphic && !graphic->GetEmpty()) GetCanvas()->StretchDraw(DestRect(), graphic);
}

TShape::TShape(TComponent* AOwner) : TGraphicControl(AOwner), FPen(new TPen), FBrush(new TBrush) {
  FPen->OnChange = TNotifyEvent::Bind<&TShape::StyleChanged>(this);
  FBrush->OnChange = TNotifyEvent::Bind<&TShape::StyleChanged>(this);
  SetBounds(0, 0, 65, 65);
}

TShape::~TShape() {
  delete FPen;
  delete FBrush;
}

void TShape::Paint() {
  TCanvas* canvas = GetCanvas();
  canvas->SetPen(FPen);
  canvas->SetBrush(FBrush);
  const int pw = FPen->GetWidth() / 2;
  int x = pw, y = pw, w = GetWidth() - pw * 2, h = GetHeight() - pw * 2;
  if (FShape == stSquare || FShape == stRoundSquare || FShape == stCircle) {
    const int side = std::min(w, h);
    x += (w - side) / 2;
    y += (h - side) / 2;
    w = h = side;
  }
  switch (FShape) {
    case stRectangle: case stSquare: canvas->Rectangle(x, y, x + w, y + h); break;
    case stRoundRect: case stRoundSquare: canvas->RoundRect(x, y, x + w, y + h, std::min(w, h) / 4, std::min(w, h) / 4); break;
    default: canvas->Ellipse(x, y, x + w, y + h); break;
  }
}

TBevel::TBevel(TComponent* AOwner) : TGraphicControl(AOwner) { SetBounds(0, 0, 50, 50); }

void TBevel::Paint() {
  TCanvas* canvas = GetCanvas();
  const TColor first = FStyle == bsLowered ? clBtnShadow : clBtnHighlight;
  const TColor second = FStyle == bsLowered ? clBtnHighlight : clBtnShadow;
  const int w = GetWidth(), h = GetHeight();
  auto line = [&](TColor AColor, int X1, int Y1, int X2, int Y2) {
    canvas->GetPen()->SetColor(AColor);
    canvas->MoveTo(X1, Y1);
    canvas->LineTo(X2, Y2);
  };
  switch (FShape) {
    case bsBox:
    case bsFrame:
      line(first, 0, h - 1, 0, 0);
      line(first, 0, 0, w - 1, 0);
      line(second, w - 1, 0, w - 1, h - 1);
      line(second, w - 1, h - 1, 0, h - 1);
      break;
    case bsTopLine: line(first, 0, 0, w, 0); line(second, 0, 1, w, 1); break;
    case bsBottomLine: line(first, 0, h - 2, w, h - 2); line(second, 0, h - 1, w, h - 1); break;
    case bsLeftLine: line(first, 0, 0, 0, h); line(second, 1, 0, 1, h); break;
    case bsRightLine: line(first, w - 2, 0, w - 2, h); line(second, w - 1, 0, w - 1, h); break;
    default: break;
  }
}
