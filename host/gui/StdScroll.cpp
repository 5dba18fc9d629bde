// Scroll bars and static texts.
#include <QKeyEvent>
#include <QLabel>
#include <QScrollBar>
#include <algorithm>

#include "host/gui/QelWidgets.h"
#include "host/gui/StdCtrls.h"

// ---- scroll bars ----------------------------------------------------------

TScrollBar::TScrollBar(TComponent* AOwner) : TWinControl(AOwner, QelBridged<QScrollBar>(Qt::Horizontal)) {
  auto* bar = QelWidgetOf<QScrollBar>(this);
  // The action is known before the value moves: OnScroll may still choose where it lands.
  QObject::connect(bar, &QAbstractSlider::actionTriggered, bar, [this](int AAction) {
    QelGuard(this, [&] { UserAction(AAction); });
  });
  QObject::connect(bar, &QAbstractSlider::valueChanged, bar, [this](int AValue) {
    if (FApplying || AValue == FPosition) return;
    QelGuard(this, [&] {
      FPosition = AValue;
      Change();
    });
  });
  SetTabStop(true);
  ApplyRange();
  SetBounds(0, 0, 121, 17);
}

void TScrollBar::UserAction(int AAction) {
  static constexpr std::pair<int, TScrollCode> codes[] = {
      {QAbstractSlider::SliderSingleStepSub, scLineUp}, {QAbstractSlider::SliderSingleStepAdd, scLineDown},
      {QAbstractSlider::SliderPageStepSub, scPageUp},   {QAbstractSlider::SliderPageStepAdd, scPageDown},
      {QAbstractSlider::SliderToMinimum, scTop},        {QAbstractSlider::SliderToMaximum, scBottom},
      {QAbstractSlider::SliderMove, scTrack}};
  TScrollCode code = scPosition;
  for (const auto& [action, scroll] : codes) if (action == AAction) code = scroll;
  auto* bar = QelWidgetOf<QScrollBar>(this);
  int pos = bar->sliderPosition();
  Scroll(code, pos);
  pos = std::clamp(pos, FMin, std::max(FMin, LastPosition()));
  bar->setSliderPosition(pos);
}

// Qt's scroll bars invert their keys so that Up and Page Up go back, which on a horizontal bar
// also turns Left and Right around: here Right goes forward.
bool TScrollBar::WidgetEvent(QEvent* AEvent) {
  if (TWinControl::WidgetEvent(AEvent)) return true;
  if (AEvent->type() != QEvent::KeyPress || FKind != sbHorizontal) return false;
  const int key = static_cast<QKeyEvent*>(AEvent)->key();
  if (key != Qt::Key_Left && key != Qt::Key_Right) return false;
  QelWidgetOf<QScrollBar>(this)->triggerAction(key == Qt::Key_Right ? QAbstractSlider::SliderSingleStepAdd
                                                                    : QAbstractSlider::SliderSingleStepSub);
  return true;
}

void TScrollBar::ApplyRange() {
  auto* bar = QelWidgetOf<QScrollBar>(this);
  FApplying = true;
  bar->setRange(FMin, std::max(FMin, LastPosition()));
  bar->setSingleStep(FSmallChange);
  bar->setPageStep(FPageSize > 0 ? FPageSize : FLargeChange);
  bar->setValue(FPosition);
  FApplying = false;
}

void TScrollBar::SetParams(int APosition, int AMin, int AMax) {
  if (AMax < AMin || (FPageSize > 0 && FPageSize > AMax - AMin + 1))
    QelRaise<EInvalidOperation>(u"Scroll bar property out of range");
  FMin = AMin;
  FMax = AMax;
  const int position = std::clamp(APosition, FMin, std::max(FMin, LastPosition()));
  const bool changed = position != FPosition;
  FPosition = position;
  ApplyRange();
  if (changed) Change();
}

void TScrollBar::SetPageSize(int AValue) {
  if (AValue < 0 || AValue > FMax - FMin + 1) QelRaise<EInvalidOperation>(u"Scroll bar property out of range");
  FPageSize = AValue;
  SetParams(FPosition, FMin, FMax);
}

void TScrollBar::SetSmallChange(int AValue) {
  FSmallChange = std::max(AValue, 1);
  ApplyRange();
}

void TScrollBar::SetLargeChange(int AValue) {
  FLargeChange = std::max(AValue, 1);
  ApplyRange();
}

void TScrollBar::SetKind(TScrollBarKind AValue) {
  if (AValue == FKind) return;
  FKind = AValue;
  QelWidgetOf<QScrollBar>(this)->setOrientation(AValue == sbHorizontal ? Qt::Horizontal : Qt::Vertical);
  // The bar turns on its corner: the long side stays the long side.
  SetBounds(GetLeft(), GetTop(), GetHeight(), GetWidth());
}

// ---- static texts ---------------------------------------------------------

TCustomStaticText::TCustomStaticText(TComponent* AOwner) : TWinControl(AOwner, QelBridged<QLabel>()) {
  SetBounds(0, 0, 65, 17);
  SetAutoSize(true);
}

void TCustomStaticText::TextChanged() {
  QString text = QelToQString(GetText());
  // As on labels: '&' marks the accelerator, "&&" is an ampersand.
  if (FShowAccelChar) text.replace(QStringLiteral("&&"), QStringLiteral("\x01")).remove(u'&').replace(u'\x01', u'&');
  QelWidgetOf<QLabel>(this)->setText(text);
  if (GetAutoSize()) SetAutoSize(true);
}

void TCustomStaticText::SetAlignment(TAlignment AValue) {
  FAlignment = AValue;
  QelWidgetOf<QLabel>(this)->setAlignment(AValue == taCenter ? Qt::AlignHCenter : AValue == taRightJustify ? Qt::AlignRight
                                                                                                           : Qt::AlignLeft);
}

void TCustomStaticText::SetBorderStyle(TStaticBorderStyle AValue) {
  FBorderStyle = AValue;
  auto* label = QelWidgetOf<QLabel>(this);
  label->setFrameStyle(AValue == sbsSingle ? QFrame::Box | QFrame::Plain : AValue == sbsSunken ? QFrame::Panel | QFrame::Sunken
                                                                                               : QFrame::NoFrame);
  if (GetAutoSize()) SetAutoSize(true);
}

void TCustomStaticText::SetTransparent(bool AValue) {
  FTransparent = AValue;
  QelWidgetOf<QLabel>(this)->setAutoFillBackground(!AValue);
}

void TCustomStaticText::SetFocusControl(TWinControl* AValue) {
  FFocusControl = AValue;
  if (AValue) AValue->FreeNotification(this);
}

void TCustomStaticText::Notification(TComponent* AComponent, TOperation AOperation) {
  TWinControl::Notification(AComponent, AOperation);
  if (AOperation == opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
}
