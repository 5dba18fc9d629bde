// Constraints, margins, painted controls and the mouse.
#include <QApplication>
#include <QCursor>

#include "host/gui/Forms.h"
#include "host/gui/QelQt.h"
#include "host/gui/QelWidgets.h"

// ---- TSizeConstraints -----------------------------------------------------

void TSizeConstraints::Assign(TPersistent* ASource) {
  auto* source = dynamic_cast<TSizeConstraints*>(ASource);
  if (!source) return TPersistent::Assign(ASource);
  FMinWidth = source->FMinWidth;
  FMinHeight = source->FMinHeight;
  FMaxWidth = source->FMaxWidth;
  FMaxHeight = source->FMaxHeight;
  OnChange(this);
}

void TSizeConstraints::Set(int& AField, int AValue) {
  if (AValue < 0) AValue = 0;
  if (AField == AValue) return;
  AField = AValue;
  OnChange(this);
}

// A maximum below the minimum raises the maximum, as the class library does.
void TSizeConstraints::SetMinWidth(int AValue) {
  if (FMaxWidth > 0 && AValue > FMaxWidth) FMaxWidth = AValue;
  Set(FMinWidth, AValue);
}
void TSizeConstraints::SetMinHeight(int AValue) {
  if (FMaxHeight > 0 && AValue > FMaxHeight) FMaxHeight = AValue;
  Set(FMinHeight, AValue);
}
void TSizeConstraints::SetMaxWidth(int AValue) {
  if (AValue > 0 && AValue < FMinWidth) FMinWidth = AValue;
  Set(FMaxWidth, AValue);
}
void TSizeConstraints::SetMaxHeight(int AValue) {
  if (AValue > 0 && AValue < FMinHeight) FMinHeight = AValue;
  Set(FMaxHeight, AValue);
}

void TSizeConstraints::Apply(int& AWidth, int& AHeight) const {
  if (FMaxWidth > 0 && AWidth > FMaxWidth) AWidth = FMaxWidth;
  if (AWidth < FMinWidth) AWidth = FMinWidth;
  if (FMaxHeight > 0 && AHeight > FMaxHeight) AHeight = FMaxHeight;
  if (AHeight < FMinHeight) AHeight = FMinHeight;
}

// ---- TMargins -------------------------------------------------------------

void TMargins::Assign(TPersistent* ASource) {
  auto* source = dynamic_cast<TMargins*>(ASource);
  if (!source) return TPersistent::Assign(ASource);
  SetBounds(source->FLeft, source->FTop, source->FRight, source->FBottom);
}

void TMargins::Set(int& AField, int AValue) {
  if (AField == AValue) return;
  AField = AValue;
  OnChange(this);
}

void TMargins::SetBounds(int ALeft, int ATop, int ARight, int ABottom) {
  if (FLeft == ALeft && FTop == ATop && FRight == ARight && FBottom == ABottom) return;
  FLeft = ALeft;
  FTop = ATop;
  FRight = ARight;
  FBottom = ABottom;
  OnChange(this);
}

// ---- painted controls -----------------------------------------------------

namespace {

// Runs APaint with ACanvas drawing through APainter.
template <class F>
void PaintThrough(TControlCanvas* ACanvas, QPainter& APainter, F&& APaint) {
  ACanvas->BeginPaint(&APainter);
  try {
    APaint();
  } catch (...) {
    ACanvas->EndPaint();
    throw;
  }
  ACanvas->EndPaint();
}

TControlCanvas* NewControlCanvas(TControl* AControl) {
  auto* canvas = new TControlCanvas;
  canvas->SetControl(AControl);
  return canvas;
}

}  // namespace

TGraphicControl::TGraphicControl(TComponent* AOwner) : TGraphicControl(AOwner, QelBridged<QWidget>()) {}
TGraphicControl::TGraphicControl(TComponent* AOwner, QWidget* AWidget)
    : TControl(AOwner, AWidget), FCanvas(NewControlCanvas(this)) {}
TGraphicControl::~TGraphicControl() { delete FCanvas; }

void TGraphicControl::WidgetPainted(QPainter& APainter) {
  FCanvas->GetFont()->Assign(GetFont());
  PaintThrough(FCanvas, APainter, [this] { Paint(); });
}

TCustomControl::TCustomControl(TComponent* AOwner) : TCustomControl(AOwner, QelBridged<QWidget>()) {}
TCustomControl::TCustomControl(TComponent* AOwner, QWidget* AWidget)
    : TWinControl(AOwner, AWidget), FCanvas(NewControlCanvas(this)) {}
TCustomControl::~TCustomControl() { delete FCanvas; }

void TCustomControl::WidgetPainted(QPainter& APainter) {
  FCanvas->GetFont()->Assign(GetFont());
  PaintThrough(FCanvas, APainter, [this] { Paint(); });
}

// ---- the mouse ------------------------------------------------------------

TMouse* Mouse = new TMouse;  // lives for the process

TPoint TMouse::GetCursorPos() const {
  const QPoint at = QCursor::pos();
  return {at.x(), at.y()};
}

void TMouse::SetCursorPos(const TPoint& AValue) { QCursor::setPos(AValue.X, AValue.Y); }

TControl* FindDragTarget(const TPoint& APos, bool AAllowDisabled) {
  QWidget* widget = QApplication::widgetAt(APos.X, APos.Y);
  for (; widget; widget = widget->parentWidget()) {
    if (TControl* control = FindControl(widget); control && (AAllowDisabled || control->GetEnabled())) return control;
  }
  return nullptr;
}
