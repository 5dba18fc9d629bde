// Buttons, check boxes, radio buttons and group boxes.
#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

#include "host/gui/Forms.h"
#include "host/gui/QelWidgets.h"
#include "host/gui/StdCtrls.h"

namespace {

// The caption's '&' marks the accelerator in the library and in Qt alike.
QString ButtonText(const String& ACaption) { return QelToQString(ACaption); }

}  // namespace

TButtonControl::TButtonControl(TComponent* AOwner, QWidget* AWidget) : TWinControl(AOwner, AWidget) { SetTabStop(true); }

void TButtonControl::TextChanged() { static_cast<QAbstractButton*>(Widget())->setText(ButtonText(GetText())); }

TCustomButton::TCustomButton(TComponent* AOwner) : TButtonControl(AOwner, QelBridged<QPushButton>()) {
  auto* button = QelWidgetOf<QPushButton>(this);
  QObject::connect(button, &QPushButton::clicked, button, [this] { QelGuard(this, [this] { Click(); }); });
  SetBounds(0, 0, 75, 25);
}

void TCustomButton::Click() {
  if (FModalResult != mrNone) {
    if (TCustomForm* form = GetParentForm()) form->SetModalResult(FModalResult);
  }
  TButtonControl::Click();
}

void TCustomButton::SetDefault(bool AValue) {
  FDefault = AValue;
  QelWidgetOf<QPushButton>(this)->setDefault(AValue);
}

TCustomCheckBox::TCustomCheckBox(TComponent* AOwner) : TButtonControl(AOwner, QelBridged<QCheckBox>()) {
  auto* box = QelWidgetOf<QCheckBox>(this);
  // A user's toggle sets the state; setting the state clicks as the class library does.
  QObject::connect(box, &QCheckBox::clicked, box, [this, box] {
    QelGuard(this, [this, box] {
      const auto state = box->checkState();
      SetState(state == Qt::Checked ? cbChecked : state == Qt::PartiallyChecked ? cbGrayed : cbUnchecked);
    });
  });
  SetBounds(0, 0, 97, 17);
}

void TCustomCheckBox::SetState(TCheckBoxState AValue) {
  if (AValue == cbGrayed && !FAllowGrayed) AValue = cbUnchecked;
  auto* box = QelWidgetOf<QCheckBox>(this);
  box->setCheckState(AValue == cbChecked ? Qt::Checked : AValue == cbGrayed ? Qt::PartiallyChecked : Qt::Unchecked);
  if (AValue == FState) return;
  FState = AValue;
  Click();
}

void TCustomCheckBox::SetAllowGrayed(bool AValue) {
  FAllowGrayed = AValue;
  QelWidgetOf<QCheckBox>(this)->setTristate(AValue);
}

TRadioButton::TRadioButton(TComponent* AOwner) : TButtonControl(AOwner, QelBridged<QRadioButton>()) {
  auto* button = QelWidgetOf<QRadioButton>(this);
  // Exclusivity is the library's (siblings under one parent), not Qt's.
  button->setAutoExclusive(false);
  QObject::connect(button, &QRadioButton::clicked, button, [this] { QelGuard(this, [this] { SetChecked(true); }); });
  SetBounds(0, 0, 113, 17);
}

void TRadioButton::SetChecked(bool AValue) {
  QelWidgetOf<QRadioButton>(this)->setChecked(AValue);
  if (AValue == FChecked) return;
  FChecked = AValue;
  if (!AValue) return;
  if (TWinControl* parent = GetParent()) {
    for (int i = 0; i < parent->GetControlCount(); ++i) {
      auto* sibling = dynamic_cast<TRadioButton*>(parent->GetControls(i));
      if (sibling && sibling != this) sibling->SetChecked(false);
    }
  }
  Click();
}

TCustomGroupBox::TCustomGroupBox(TComponent* AOwner) : TCustomControl(AOwner, QelBridged<QGroupBox>()) {
  SetBounds(0, 0, 185, 105);
}

void TCustomGroupBox::TextChanged() { QelWidgetOf<QGroupBox>(this)->setTitle(QelToQString(GetText())); }

// The caption's line and the frame take their room from the aligned children.
void TCustomGroupBox::AdjustClientRect(TRect& ARect) const {
  TCustomControl::AdjustClientRect(ARect);
  const int caption = GetCanvas()->TextHeight(u"0");
  ARect.Left += 2;
  ARect.Top += caption;
  ARect.Right -= 2;
  ARect.Bottom -= 2;
}
