// Labeled edits.
#include "host/gui/ExtCtrls.h"

// The label belongs to the edit (it goes with it) but lives on the edit's parent, beside it.
TCustomLabeledEdit::TCustomLabeledEdit(TComponent* AOwner)
    : TCustomEdit(AOwner), FEditLabel(new TBoundLabel(this)) {
  FEditLabel->SetFocusControl(this);
  PlaceLabel();
}

void TCustomLabeledEdit::Notification(TComponent* AComponent, TOperation AOperation) {
  TCustomEdit::Notification(AComponent, AOperation);
  if (AOperation == opRemove && AComponent == FEditLabel) FEditLabel = nullptr;
}

void TCustomLabeledEdit::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TCustomEdit::SetBounds(ALeft, ATop, AWidth, AHeight);
  PlaceLabel();
}

void TCustomLabeledEdit::SetParent(TWinControl* AParent) {
  TCustomEdit::SetParent(AParent);
  if (!FEditLabel) return;
  FEditLabel->SetParent(AParent);
  PlaceLabel();
}

void TCustomLabeledEdit::SetEnabled(bool AValue) {
  TCustomEdit::SetEnabled(AValue);
  if (FEditLabel) FEditLabel->SetEnabled(AValue);
}

void TCustomLabeledEdit::PlaceLabel() {
  if (!FEditLabel) return;
  const int w = FEditLabel->GetWidth(), h = FEditLabel->GetHeight();
  int x = GetLeft(), y = GetTop();
  switch (FLabelPosition) {
    case lpAbove: y -= h + FLabelSpacing; break;
    case lpBelow: y += GetHeight() + FLabelSpacing; break;
    case lpLeft:
      x -= w + FLabelSpacing;
      y += (GetHeight() - h) / 2;
      break;
    case lpRight:
      x += GetWidth() + FLabelSpacing;
      y += (GetHeight() - h) / 2;
      break;
  }
  FEditLabel->SetBounds(x, y, w, h);
}
