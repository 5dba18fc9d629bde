// Position controls: progress bars, track bars, up-down buttons, and the hot-key editor.
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QProgressBar>
#include <QSlider>
#include <QStyle>
#include <QStyleOption>
#include <algorithm>

#include "host/gui/ComCtrls.h"
#include "host/gui/QelWidgets.h"

namespace {

[[noreturn]] void RaiseRange(const TObject* AControl) {
  QelRaise<EInvalidOperation>(AControl->ClassName() + u" property out of range");
}

// The up and down keys in an up-down's associate step the position, before the associate
// sees them.
class TQelArrowKeys final : public QObject {
 public:
  explicit TQelArrowKeys(TCustomUpDown* AUpDown) : FUpDown(AUpDown) {}

 protected:
  bool eventFilter(QObject*, QEvent* AEvent) override {
    if (AEvent->type() != QEvent::KeyPress || !FUpDown->GetArrowKeys()) return false;
    const int key = static_cast<QKeyEvent*>(AEvent)->key();
    if (key != Qt::Key_Up && key != Qt::Key_Down) return false;
    QelGuard(FUpDown, [&] { FUpDown->Click(key == Qt::Key_Up ? btNext : btPrev); });
    return true;
  }

 private:
  TCustomUpDown* FUpDown;
};

}  // namespace

// ---- progress bars ----------------------------------------------------------

TProgressBar::TProgressBar(TComponent* AOwner) : TWinControl(AOwner, QelBridged<QProgressBar>()) {
  QelWidgetOf<QProgressBar>(this)->setTextVisible(false);
  SetBounds(0, 0, 150, 17);
  Apply();
}

void TProgressBar::SetRange(int AMin, int AMax) {
  if (AMin > AMax) RaiseRange(this);
  FMin = AMin;
  FMax = AMax;
  FPosition = std::clamp(FPosition, FMin, FMax);
  Apply();
}

void TProgressBar::SetPosition(int AValue) {
  FPosition = std::clamp(AValue, FMin, FMax);
  Apply();
}

void TProgressBar::StepIt() {
  const long long next = static_cast<long long>(FPosition) + FStep;
  FPosition = next > FMax ? FMin : next < FMin ? FMax : static_cast<int>(next);
  Apply();
}

void TProgressBar::SetOrientation(TProgressBarOrientation AValue) {
  FOrientation = AValue;
  QelWidgetOf<QProgressBar>(this)->setOrientation(AValue == pbVertical ? Qt::Vertical
                                                                       : Qt::Horizontal);
}

void TProgressBar::SetStyle(TProgressBarStyle AValue) {
  FStyle = AValue;
  Apply();
}

void TProgressBar::SetBarColor(TColor AValue) {
  FBarColor = AValue;
  auto* bar = QelWidgetOf<QProgressBar>(this);
  QPalette palette = bar->palette();
  palette.setColor(QPalette::Highlight, AValue == clDefault
                                            ? QApplication::palette(bar).color(QPalette::Highlight)
                                            : QColor::fromRgb(QelGraphics::ToQRgb(AValue)));
  bar->setPalette(palette);
}

// A marquee bar runs without a range.
void TProgressBar::Apply() {
  auto* bar = QelWidgetOf<QProgressBar>(this);
  if (FStyle == pbstMarquee) return bar->setRange(0, 0);
  bar->setRange(FMin, FMax);
  bar->setValue(FPosition);
}

// ---- track bars -------------------------------------------------------------

TTrackBar::TTrackBar(TComponent* AOwner)
    : TWinControl(AOwner, QelBridged<QSlider>(Qt::Horizontal)) {
  auto* slider = QelWidgetOf<QSlider>(this);
  QObject::connect(slider, &QSlider::valueChanged, slider,
                   [this](int AValue) { QelGuard(this, [&] { SliderMoved(AValue); }); });
  SetTabStop(true);
  SetBounds(0, 0, 150, 45);
  SetTickMarks(tmBottomRight);
  Apply();
}

void TTrackBar::SetRange(int AMin, int AMax) {
  if (AMin > AMax) RaiseRange(this);
  FMin = AMin;
  FMax = AMax;
  const int old = FPosition;
  FPosition = std::clamp(FPosition, FMin, FMax);
  Apply();
  if (FPosition != old) Changed();
}

void TTrackBar::SetPosition(int AValue) {
  AValue = std::clamp(AValue, FMin, FMax);
  if (AValue == FPosition) return;
  FPosition = AValue;
  Apply();
  Changed();
}

void TTrackBar::SliderMoved(int AValue) {
  if (FApplying || AValue == FPosition) return;
  FPosition = AValue;
  Changed();
}

void TTrackBar::SetFrequency(int AValue) {
  FFrequency = AValue;
  Apply();
}
void TTrackBar::SetLineSize(int AValue) {
  FLineSize = AValue;
  Apply();
}
void TTrackBar::SetPageSize(int AValue) {
  FPageSize = AValue;
  Apply();
}
void TTrackBar::SetOrientation(TTrackBarOrientation AValue) {
  FOrientation = AValue;
  Apply();
}
void TTrackBar::SetTickMarks(TTickMark AValue) {
  FTickMarks = AValue;
  Apply();
}
void TTrackBar::SetTickStyle(TTickStyle AValue) {
  FTickStyle = AValue;
  Apply();
}

void TTrackBar::Apply() {
  auto* slider = QelWidgetOf<QSlider>(this);
  ++FApplying;
  slider->setOrientation(FOrientation == trVertical ? Qt::Vertical : Qt::Horizontal);
  slider->setRange(FMin, FMax);
  slider->setValue(FPosition);
  slider->setSingleStep(FLineSize);
  slider->setPageStep(FPageSize);
  slider->setTickInterval(std::max(1, FFrequency));
  static constexpr QSlider::TickPosition Ticks[] = {QSlider::TicksBelow, QSlider::TicksAbove,
                                                    QSlider::TicksBothSides};
  slider->setTickPosition(FTickStyle == tsNone ? QSlider::NoTicks : Ticks[FTickMarks]);
  --FApplying;
}

// ---- up-down buttons --------------------------------------------------------

TCustomUpDown::TCustomUpDown(TComponent* AOwner)
    : TWinControl(AOwner, QelBridged<QWidget>()), FKeyFilter(new TQelArrowKeys(this)) {
  SetBounds(0, 0, 17, 25);
}

TCustomUpDown::~TCustomUpDown() {
  if (FAssociate) {
    FAssociate->Widget()->removeEventFilter(FKeyFilter);
    FAssociate->RemoveFreeNotification(this);
  }
  delete FKeyFilter;
}

int TCustomUpDown::Clamp(int AValue) const {
  return std::clamp(AValue, std::min(FMin, FMax), std::max(FMin, FMax));
}

void TCustomUpDown::MinMaxChanged() {
  FPosition = Clamp(FPosition);
  ShowPosition();
}

void TCustomUpDown::SetMin(int AValue) {
  FMin = AValue;
  MinMaxChanged();
}

void TCustomUpDown::SetMax(int AValue) {
  FMax = AValue;
  MinMaxChanged();
}

// With an associate, the position is what its text says (the user may have typed one), as
// long as that is a number inside the limits.
int TCustomUpDown::GetPosition() const {
  if (!FAssociate) return FPosition;
  String text = FAssociate->GetText();
  text.erase(std::remove(text.begin(), text.end(), FormatSettings().ThousandSeparator), text.end());
  int value;
  if (TryStrToInt(Trim(text), value) && value == Clamp(value)) return value;
  return FPosition;
}

void TCustomUpDown::SetPosition(int AValue) {
  FPosition = Clamp(AValue);
  ShowPosition();
}

void TCustomUpDown::SetThousands(bool AValue) {
  FThousands = AValue;
  ShowPosition();
}

void TCustomUpDown::ShowPosition() {
  if (!FAssociate) return;
  String digits = IntToStr(FPosition < 0 ? -static_cast<long long>(FPosition) : FPosition);
  if (FThousands)
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3)
      digits.insert(at, 1, FormatSettings().ThousandSeparator);
  FAssociate->SetText(FPosition < 0 ? u"-" + digits : digits);
}

void TCustomUpDown::SetOrientation(TUDOrientation AValue) {
  FOrientation = AValue;
  Invalidate();
}

void TCustomUpDown::SetAlignButton(TUDAlignButton AValue) {
  FAlignButton = AValue;
  PlaceBesideAssociate();
}

void TCustomUpDown::SetAssociate(TWinControl* AValue) {
  if (AValue == this)
    QelRaise<EInvalidOperation>(u"An up-down control cannot be its own associate");
  if (FAssociate) {
    FAssociate->Widget()->removeEventFilter(FKeyFilter);
    FAssociate->RemoveFreeNotification(this);
  }
  FAssociate = AValue;
  if (!AValue) return;
  AValue->FreeNotification(this);
  AValue->Widget()->installEventFilter(FKeyFilter);
  if (AValue->GetParent() && GetParent() != AValue->GetParent()) SetParent(AValue->GetParent());
  PlaceBesideAssociate();
  ShowPosition();
}

void TCustomUpDown::Notification(TComponent* AComponent, TOperation AOperation) {
  TWinControl::Notification(AComponent, AOperation);
  if (AOperation == opRemove && AComponent == FAssociate) FAssociate = nullptr;
}

void TCustomUpDown::Resize() {
  TWinControl::Resize();
  Invalidate();
}

void TCustomUpDown::PlaceBesideAssociate() {
  if (!FAssociate) return;
  const TRect at = FAssociate->GetBoundsRect();
  SetBounds(FAlignButton == udRight ? at.Right : at.Left - GetWidth(), at.Top, GetWidth(),
            at.Height());
}

bool TCustomUpDown::CanChange() {
  bool allow = true;
  OnChanging(this, allow);
  return allow;
}

// The next button moves from Min towards Max; past an end the position wraps to the other one,
// or stops there.
void TCustomUpDown::Click(TUDBtnType AButton) {
  if (!CanChange()) return;
  const int lo = std::min(FMin, FMax), hi = std::max(FMin, FMax);
  const bool up = (AButton == btNext) == (FMin <= FMax);
  const long long next = static_cast<long long>(GetPosition()) +
                         (up ? FIncrement : -static_cast<long long>(FIncrement));
  FPosition = next > hi   ? (FWrap ? lo : hi)
              : next < lo ? (FWrap ? hi : lo)
                          : static_cast<int>(next);
  ShowPosition();
  OnClick(this, AButton);
}

bool TCustomUpDown::WidgetEvent(QEvent* AEvent) {
  const bool consumed = TWinControl::WidgetEvent(AEvent);
  if (!consumed && AEvent->type() == QEvent::MouseButtonPress) {
    auto* mouse = static_cast<QMouseEvent*>(AEvent);
    const QPoint at = mouse->position().toPoint();
    if (mouse->button() == Qt::LeftButton)
      Click(FOrientation == udVertical ? (at.y() < GetHeight() / 2 ? btNext : btPrev)
                                       : (at.x() >= GetWidth() / 2 ? btNext : btPrev));
  }
  return consumed;
}

void TCustomUpDown::WidgetPainted(QPainter& APainter) {
  QWidget* widget = Widget();
  QStyleOption option;
  option.initFrom(widget);
  const bool vertical = FOrientation == udVertical;
  const QRect first = vertical ? QRect(0, 0, GetWidth(), GetHeight() / 2)
                               : QRect(0, 0, GetWidth() / 2, GetHeight());
  const QRect second = vertical
                           ? QRect(0, GetHeight() / 2, GetWidth(), GetHeight() - GetHeight() / 2)
                           : QRect(GetWidth() / 2, 0, GetWidth() - GetWidth() / 2, GetHeight());
  for (const QRect& half : {first, second}) {
    option.rect = half;
    widget->style()->drawPrimitive(QStyle::PE_PanelButtonBevel, &option, &APainter, widget);
  }
  option.rect = first.adjusted(2, 2, -2, -2);
  widget->style()->drawPrimitive(
      vertical ? QStyle::PE_IndicatorArrowUp : QStyle::PE_IndicatorArrowLeft, &option, &APainter,
      widget);
  option.rect = second.adjusted(2, 2, -2, -2);
  widget->style()->drawPrimitive(
      vertical ? QStyle::PE_IndicatorArrowDown : QStyle::PE_IndicatorArrowRight, &option, &APainter,
      widget);
}

// ---- hot keys ---------------------------------------------------------------

TCustomHotKey::TCustomHotKey(TComponent* AOwner) : TWinControl(AOwner, QelBridged<QLineEdit>()) {
  QelWidgetOf<QLineEdit>(this)->setReadOnly(true);
  SetTabStop(true);
  SetBounds(0, 0, 121, 19);
  SetHotKey(ShortCut(u'A', TShiftState{ssAlt}));
}

void TCustomHotKey::SetHotKey(TShortCut AValue) {
  FHotKey = AValue;
  ShowHotKey();
}

THKModifiers TCustomHotKey::GetModifiers() const {
  THKModifiers result;
  if (FHotKey & scShift) result.Include(hkShift);
  if (FHotKey & scCtrl) result.Include(hkCtrl);
  if (FHotKey & scAlt) result.Include(hkAlt);
  return result;
}

void TCustomHotKey::SetModifiers(THKModifiers AValue) {
  TShortCut key = FHotKey & ~(scShift | scCtrl | scAlt);
  if (AValue.Contains(hkShift)) key |= scShift;
  if (AValue.Contains(hkCtrl)) key |= scCtrl;
  if (AValue.Contains(hkAlt)) key |= scAlt;
  SetHotKey(key);
}

void TCustomHotKey::ShowHotKey() {
  QelWidgetOf<QLineEdit>(this)->setText(FHotKey ? QelToQString(ShortCutToText(FHotKey))
                                                : QStringLiteral("None"));
}

void TCustomHotKey::KeyDown(uint16_t& AKey, TShiftState AShift) {
  TWinControl::KeyDown(AKey, AShift);
  if (AKey == 0 || AKey == VK_SHIFT || AKey == VK_CONTROL || AKey == VK_MENU) return;
  SetHotKey(ShortCut(AKey, AShift));
  AKey = 0;
  OnChange(this);
}
