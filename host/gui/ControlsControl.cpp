// TControl: geometry, visibility, font, colour, text and the widget it owns.
#include <QApplication>
#include <QPalette>

#include "host/gui/ActnList.h"
#include "host/gui/Forms.h"
#include "host/gui/QelQt.h"
#include "host/gui/QelWidgets.h"

TControl::TControl(TComponent* AOwner) : TControl(AOwner, QelBridged<QWidget>()) {}

TControl::TControl(TComponent* AOwner, QWidget* AWidget)
    : TComponent(AOwner),
      FWidget(AWidget),
      FConstraints(new TSizeConstraints),
      FMargins(new TMargins),
      FFont(new TFont) {
  QelEnsureApplication();
  if (auto* bridge = dynamic_cast<TQelBridge*>(FWidget)) bridge->Control = this;
  FWidget->hide();
  FConstraints->OnChange = TNotifyEvent::Bind<&TControl::ConstraintsChanged>(this);
  FMargins->OnChange = TNotifyEvent::Bind<&TControl::MarginsChanged>(this);
  FFont->OnChange = TNotifyEvent::Bind<&TControl::ObjectChanged>(this);
  FontChanged();
}

TControl::~TControl() {
  SetAction(nullptr);
  if (FParent) FParent->RemoveChild(this);
  if (auto* bridge = dynamic_cast<TQelBridge*>(FWidget)) bridge->Control = nullptr;
  delete FWidget;
  delete FConstraints;
  delete FMargins;
  delete FFont;
}

void TControl::Notification(TComponent* AComponent, TOperation AOperation) {
  TComponent::Notification(AComponent, AOperation);
  if (AOperation == opRemove && AComponent == FPopupMenu) FPopupMenu = nullptr;
}

bool TControl::IsTopLevel() const { return dynamic_cast<const TCustomForm*>(this) && !FParent; }

void TControl::SetParent(TWinControl* AParent) {
  if (AParent == FParent) return;
  if (AParent == this) QelRaise<EInvalidOperation>(u"A control cannot have itself as its parent");
  for (TWinControl* up = AParent; up; up = up->GetParent()) {
    if (up == this) QelRaise<EInvalidOperation>(u"A control cannot have itself as its parent");
  }
  if (FParent) FParent->RemoveChild(this);
  FParent = AParent;
  if (FParent) {
    FWidget->setParent(FParent->ClientWidget());
    FWidget->setWindowFlags(Qt::Widget);
    FParent->AddChild(this);
    if (FParentFont) ParentFontChanged(FParent->GetFont());
    if (FParentColor) ParentColorChanged(FParent->GetColor());
  } else {
    FWidget->setParent(nullptr);
  }
  UpdateWidgetGeometry();
  UpdateWidgetVisibility();
  if (FParent && (FAlign != alNone || FVisible)) FParent->AlignControls();
}

bool TControl::CanResize(int& ANewWidth, int& ANewHeight) {
  bool resize = true;
  OnCanResize(this, ANewWidth, ANewHeight, resize);
  return resize;
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) { ApplyBounds(ALeft, ATop, AWidth, AHeight, true); }

void TControl::SetAlignedBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  ApplyBounds(ALeft, ATop, AWidth, AHeight, false);
}

void TControl::ApplyBounds(int ALeft, int ATop, int AWidth, int AHeight, bool ARealignParent) {
  if (AWidth < 0) AWidth = 0;
  if (AHeight < 0) AHeight = 0;
  FConstraints->Apply(AWidth, AHeight);
  const bool resized = AWidth != FWidth || AHeight != FHeight;
  if (resized && !CanResize(AWidth, AHeight)) {
    AWidth = FWidth;
    AHeight = FHeight;
  }
  if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
  const int oldClientWidth = GetClientWidth(), oldClientHeight = GetClientHeight();
  FLeft = ALeft;
  FTop = ATop;
  FWidth = AWidth;
  FHeight = AHeight;
  UpdateWidgetGeometry();
  if (resized) {
    if (auto* self = dynamic_cast<TWinControl*>(this)) self->ClientResized(oldClientWidth, oldClientHeight);
    Resize();
  }
  if (ARealignParent && FParent && FAlign != alNone && FVisible) FParent->AlignControls();
}

void TControl::UpdateWidgetGeometry() {
  if (IsTopLevel()) {
    FWidget->setGeometry(FLeft, FTop, FWidth, FHeight);
    return;
  }
  FWidget->setGeometry(FLeft, FTop, FWidth, FHeight);
}

void TControl::UpdateWidgetVisibility() {
  if (IsTopLevel()) return;  // forms show and hide their window themselves
  FWidget->setVisible(FParent && FVisible);
}

void TControl::SetAlign(TAlign AValue) {
  if (AValue == FAlign) return;
  FAlign = AValue;
  if (FParent) FParent->AlignControls();
}

void TControl::SetAlignWithMargins(bool AValue) {
  if (AValue == FAlignWithMargins) return;
  FAlignWithMargins = AValue;
  if (FParent && FAlign != alNone) FParent->AlignControls();
}

void TControl::ConstraintsChanged(TObject*) { SetBounds(FLeft, FTop, FWidth, FHeight); }

void TControl::MarginsChanged(TObject*) {
  if (FParent && FAlign != alNone && FAlignWithMargins) FParent->AlignControls();
}

void TControl::SetVisible(bool AValue) {
  if (AValue == FVisible) return;
  FVisible = AValue;
  UpdateWidgetVisibility();
  if (FParent && FAlign != alNone) FParent->AlignControls();
}

bool TControl::GetShowing() const {
  if (IsTopLevel()) return FVisible;
  return FVisible && FParent && FParent->GetShowing();
}

void TControl::SetEnabled(bool AValue) {
  if (AValue == FEnabled) return;
  FEnabled = AValue;
  FWidget->setEnabled(AValue);
}

void TControl::ObjectChanged(TObject*) {
  FParentFont = false;
  FontChanged();
}

void TControl::FontChanged() {
  FWidget->setFont(FFont->ToQFont());
  QPalette palette = FWidget->palette();
  const QColor text = QColor::fromRgb(QelGraphics::ToQRgb(FFont->GetColor()));
  palette.setColor(QPalette::WindowText, text);
  palette.setColor(QPalette::Text, text);
  palette.setColor(QPalette::ButtonText, text);
  FWidget->setPalette(palette);
}

void TControl::ParentFontChanged(TFont* AFont) {
  FFont->OnChange = nullptr;
  FFont->Assign(AFont);
  FFont->OnChange = TNotifyEvent::Bind<&TControl::ObjectChanged>(this);
  FontChanged();
}

void TControl::SetParentFont(bool AValue) {
  FParentFont = AValue;
  if (AValue && FParent) ParentFontChanged(FParent->GetFont());
}

void TControl::SetColor(TColor AValue) {
  FParentColor = false;
  if (AValue == FColor) return;
  FColor = AValue;
  ColorChanged();
}

void TControl::ParentColorChanged(TColor AColor) {
  if (AColor == FColor) return;
  FColor = AColor;
  ColorChanged();
}

void TControl::SetParentColor(bool AValue) {
  FParentColor = AValue;
  if (AValue && FParent) ParentColorChanged(FParent->GetColor());
}

void TControl::ColorChanged() {
  if (FColor == clNone || FColor == clDefault) {
    FWidget->setAutoFillBackground(false);
    return;
  }
  QPalette palette = FWidget->palette();
  const QColor color = QColor::fromRgb(QelGraphics::ToQRgb(FColor));
  palette.setColor(QPalette::Window, color);
  palette.setColor(QPalette::Base, color);
  palette.setColor(QPalette::Button, color);
  FWidget->setPalette(palette);
  FWidget->setAutoFillBackground(true);
  FWidget->update();
}

void TControl::SetText(const String& AValue) {
  if (AValue == FText) return;
  FText = AValue;
  TextChanged();
}

void TControl::SetHint(const String& AValue) {
  FHint = AValue;
  // A hint's first part (before '|') is the tool tip; the rest is for the status line.
  const size_t bar = AValue.find(u'|');
  FWidget->setToolTip(QelToQString(std::u16string_view(AValue).substr(0, bar)));
}

void TControl::SetCursor(TCursor AValue) {
  FCursor = AValue;
  static constexpr std::pair<TCursor, Qt::CursorShape> shapes[] = {
      {crArrow, Qt::ArrowCursor}, {crCross, Qt::CrossCursor}, {crIBeam, Qt::IBeamCursor},
      {crSizeNESW, Qt::SizeBDiagCursor}, {crSizeNS, Qt::SizeVerCursor}, {crSizeNWSE, Qt::SizeFDiagCursor},
      {crSizeWE, Qt::SizeHorCursor}, {crUpArrow, Qt::UpArrowCursor}, {crHourGlass, Qt::WaitCursor},
      {crNo, Qt::ForbiddenCursor}, {crHandPoint, Qt::PointingHandCursor}, {crSizeAll, Qt::SizeAllCursor},
      {crHelp, Qt::WhatsThisCursor}, {crAppStart, Qt::BusyCursor}, {crHSplit, Qt::SplitHCursor},
      {crVSplit, Qt::SplitVCursor}, {crNone, Qt::BlankCursor}};
  for (const auto& [cursor, shape] : shapes) {
    if (cursor == AValue) return FWidget->setCursor(shape);
  }
  FWidget->unsetCursor();
}

void TControl::SetAutoSize(bool AValue) {
  FAutoSize = AValue;
  if (AValue) {
    const QSize hint = FWidget->sizeHint();
    if (hint.isValid()) SetBounds(FLeft, FTop, hint.width(), hint.height());
  }
}

void TControl::Click() {
  if (!QelActionClick(this, FActionLink, OnClick)) OnClick(this);
}
void TControl::DblClick() { OnDblClick(this); }
void TControl::Invalidate() { FWidget->update(); }
void TControl::Repaint() { FWidget->repaint(); }
void TControl::Update() { FWidget->repaint(); }

void TControl::BringToFront() {
  FWidget->raise();
  if (FParent) {
    FParent->RemoveChild(this);
    FParent->AddChild(this);
  }
}

void TControl::SendToBack() { FWidget->lower(); }

TPoint TControl::GetClientOrigin() const {
  const QPoint origin = FWidget->mapToGlobal(QPoint(0, 0));
  if (!FParent && !IsTopLevel()) return {FLeft, FTop};
  return {origin.x(), origin.y()};
}

TPoint TControl::ClientToScreen(const TPoint& APoint) const {
  const TPoint origin = GetClientOrigin();
  return {APoint.X + origin.X, APoint.Y + origin.Y};
}

TPoint TControl::ScreenToClient(const TPoint& APoint) const {
  const TPoint origin = GetClientOrigin();
  return {APoint.X - origin.X, APoint.Y - origin.Y};
}

TPoint TControl::ClientToParent(const TPoint& APoint, TWinControl* AParent) const {
  TPoint point = APoint;
  const TControl* control = this;
  while (control && control != AParent) {
    point.X += control->FLeft;
    point.Y += control->FTop;
    control = control->FParent;
  }
  if (AParent && control != AParent) QelRaise<EInvalidOperation>(u"Control is not a child of the given parent");
  return point;
}

TCustomForm* TControl::GetParentForm() const {
  const TControl* control = this;
  while (control->FParent) control = control->FParent;
  return dynamic_cast<TCustomForm*>(const_cast<TControl*>(control));
}

TControl* FindControl(QWidget* AWidget) {
  auto* bridge = dynamic_cast<TQelBridge*>(AWidget);
  return bridge ? bridge->Control : nullptr;
}

// The published properties host code reaches by name (HookEvent with a property name).
void TControl::QelRegisterMembers(TClassInfo& AInfo) {
  AInfo.AddProperty(MakeProperty<&TControl::GetLeft, &TControl::SetLeft>(u"Left"));
  AInfo.AddProperty(MakeProperty<&TControl::GetTop, &TControl::SetTop>(u"Top"));
  AInfo.AddProperty(MakeProperty<&TControl::GetWidth, &TControl::SetWidth>(u"Width"));
  AInfo.AddProperty(MakeProperty<&TControl::GetHeight, &TControl::SetHeight>(u"Height"));
  AInfo.AddProperty(MakeProperty<&TControl::GetVisible, &TControl::SetVisible>(u"Visible"));
  AInfo.AddProperty(MakeProperty<&TControl::GetEnabled, &TControl::SetEnabled>(u"Enabled"));
  AInfo.AddProperty(MakeProperty<&TControl::GetHint, &TControl::SetHint>(u"Hint"));
  AInfo.AddProperty(MakeEventProperty<&TControl::OnClick>(u"OnClick"));
  AInfo.AddProperty(MakeEventProperty<&TControl::OnDblClick>(u"OnDblClick"));
  AInfo.AddProperty(MakeEventProperty<&TControl::OnResize>(u"OnResize"));
  AInfo.AddProperty(MakeEventProperty<&TControl::OnMouseDown>(u"OnMouseDown"));
  AInfo.AddProperty(MakeEventProperty<&TControl::OnMouseUp>(u"OnMouseUp"));
  AInfo.AddProperty(MakeEventProperty<&TControl::OnMouseMove>(u"OnMouseMove"));
}
