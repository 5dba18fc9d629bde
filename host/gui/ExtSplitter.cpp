// Splitters: a drag across the bar resizes the aligned control before it.
#include <algorithm>

#include "host/gui/ExtCtrls.h"

TSplitter::TSplitter(TComponent* AOwner) : TGraphicControl(AOwner) {
  SetBounds(0, 0, 3, 100);
  SetAlign(alLeft);
  SetCursor(crHSplit);
}

TControl* TSplitter::FindControl() const {
  TWinControl* parent = GetParent();
  if (!parent) return nullptr;
  for (int i = 0; i < parent->GetControlCount(); ++i) {
    TControl* control = parent->GetControls(i);
    if (control == this || !control->GetVisible() || control->GetAlign() != GetAlign()) continue;
    const TRect r = control->GetBoundsRect();
    const bool touches = GetAlign() == alLeft     ? r.Right == GetLeft()
                         : GetAlign() == alRight  ? r.Left == GetLeft() + GetWidth()
                         : GetAlign() == alTop    ? r.Bottom == GetTop()
                         : GetAlign() == alBottom ? r.Top == GetTop() + GetHeight()
                                                  : false;
    if (touches) return control;
  }
  return nullptr;
}

void TSplitter::MoveBy(int ADelta) {
  TControl* target = FindControl();
  if (!target || ADelta == 0) return;
  const bool horizontal = Horizontal();
  const int size = horizontal ? target->GetHeight() : target->GetWidth();
  // What the parent's middle area keeps: its size less every control aligned across it.
  TWinControl* parent = GetParent();
  int rest = horizontal ? parent->GetClientHeight() : parent->GetClientWidth();
  for (int i = 0; i < parent->GetControlCount(); ++i) {
    TControl* control = parent->GetControls(i);
    const TAlign align = control->GetAlign();
    if (!control->GetVisible()) continue;
    if (horizontal && (align == alTop || align == alBottom)) rest -= control->GetHeight();
    if (!horizontal && (align == alLeft || align == alRight)) rest -= control->GetWidth();
  }
  const bool grows = GetAlign() == alLeft || GetAlign() == alTop;
  int newSize = size + (grows ? ADelta : -ADelta);
  newSize = std::min(newSize, size + std::max(0, rest - FMinSize));
  newSize = std::max(newSize, std::min(size, FMinSize));
  bool accept = true;
  OnCanResize(this, newSize, accept);
  if (!accept || newSize == size) return;
  if (horizontal) target->SetHeight(newSize);
  else target->SetWidth(newSize);
  OnMoved(this);
}

// The cursor follows the side the splitter is aligned to (Align has no hook of its own).
void TSplitter::Paint() {
  SetCursor(Horizontal() ? crVSplit : crHSplit);
  if (!FBeveled) return;
  TCanvas* canvas = GetCanvas();
  const int w = GetWidth(), h = GetHeight();
  canvas->GetPen()->SetColor(clBtnHighlight);
  if (Horizontal()) { canvas->MoveTo(0, 0); canvas->LineTo(w, 0); }
  else { canvas->MoveTo(0, 0); canvas->LineTo(0, h); }
  canvas->GetPen()->SetColor(clBtnShadow);
  if (Horizontal()) { canvas->MoveTo(0, h - 1); canvas->LineTo(w, h - 1); }
  else { canvas->MoveTo(w - 1, 0); canvas->LineTo(w - 1, h); }
}

void TSplitter::MouseDown(TMouseButton AButton, TShiftState AShift, int X, int Y) {
  TGraphicControl::MouseDown(AButton, AShift, X, Y);
  if (AButton != mbLeft) return;
  FDownAt = {X, Y};
  FDragging = true;
}

// The splitter follows the mouse, so the pressed point stays under it.
void TSplitter::MouseMove(TShiftState AShift, int X, int Y) {
  TGraphicControl::MouseMove(AShift, X, Y);
  if (FDragging) MoveBy(Horizontal() ? Y - FDownAt.Y : X - FDownAt.X);
}

void TSplitter::MouseUp(TMouseButton AButton, TShiftState AShift, int X, int Y) {
  TGraphicControl::MouseUp(AButton, AShift, X, Y);
  if (AButton == mbLeft) FDragging = false;
}
