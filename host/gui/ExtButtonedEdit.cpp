// Buttoned edits.
#include <QAction>
#include <QIcon>
#include <QLineEdit>
#include <QPixmap>

#include "host/gui/ExtCtrls.h"
#include "host/gui/ImgList.h"
#include "host/gui/Menus.h"
#include "host/gui/QelWidgets.h"

TEditButton::TEditButton(TCustomButtonedEdit* AEditControl, bool ARight)
    : FEditControl(AEditControl), FAction(new QAction), FRight(ARight) {
  QObject::connect(FAction, &QAction::triggered, FAction, [this] {
    QelGuard(FEditControl, [this] { FEditControl->ButtonClicked(this); });
  });
  QelWidgetOf<QLineEdit>(AEditControl)
      ->addAction(FAction, ARight ? QLineEdit::TrailingPosition : QLineEdit::LeadingPosition);
  Changed();
}

TEditButton::~TEditButton() { delete FAction; }

void TEditButton::Assign(TPersistent* ASource) {
  auto* source = dynamic_cast<TEditButton*>(ASource);
  if (!source) return TPersistent::Assign(ASource);
  FVisible = source->FVisible;
  FEnabled = source->FEnabled;
  FHint = source->FHint;
  FImageIndex = source->FImageIndex;
  FDisabledImageIndex = source->FDisabledImageIndex;
  FHotImageIndex = source->FHotImageIndex;
  FPressedImageIndex = source->FPressedImageIndex;
  SetDropDownMenu(source->FDropDownMenu);
  Changed();
}

void TEditButton::SetDropDownMenu(TPopupMenu* AValue) {
  FDropDownMenu = AValue;
  if (AValue) FEditControl->FreeNotification(AValue);
}

void TEditButton::Changed() {
  FAction->setVisible(FVisible);
  FAction->setEnabled(FEnabled);
  FAction->setToolTip(QelToQString(FHint));
  TCustomImageList* images = FEditControl->GetImages();
  const int index = !FEnabled && FDisabledImageIndex >= 0 ? FDisabledImageIndex : FImageIndex;
  const TBitmap* image = images ? images->Image(index) : nullptr;
  FAction->setIcon(image ? QIcon(QPixmap::fromImage(image->ImageRef())) : QIcon());
}

TCustomButtonedEdit::TCustomButtonedEdit(TComponent* AOwner)
    : TCustomEdit(AOwner),
      FImageLink(new TChangeLink),
      FLeftButton(new TEditButton(this, false)),
      FRightButton(new TEditButton(this, true)) {
  FImageLink->OnChange = TNotifyEvent::Bind<&TCustomButtonedEdit::ImagesChanged>(this);
}

TCustomButtonedEdit::~TCustomButtonedEdit() {
  if (FImages) FImages->UnRegisterChanges(FImageLink);
  delete FImageLink;
  delete FLeftButton;
  delete FRightButton;
}

void TCustomButtonedEdit::SetImages(TCustomImageList* AValue) {
  if (AValue == FImages) return;
  if (FImages) FImages->UnRegisterChanges(FImageLink);
  FImages = AValue;
  if (FImages) {
    FImages->RegisterChanges(FImageLink);
    FreeNotification(FImages);
  }
  ImagesChanged(nullptr);
}

void TCustomButtonedEdit::SetLeftButton(TEditButton* AValue) { FLeftButton->Assign(AValue); }
void TCustomButtonedEdit::SetRightButton(TEditButton* AValue) { FRightButton->Assign(AValue); }

void TCustomButtonedEdit::ImagesChanged(TObject*) {
  FLeftButton->Changed();
  FRightButton->Changed();
}

void TCustomButtonedEdit::ButtonClicked(TEditButton* AButton) {
  if (!AButton->FVisible || !AButton->FEnabled || !GetEnabled()) return;
  (AButton->FRight ? OnRightButtonClick : OnLeftButtonClick)(this);
  if (TPopupMenu* menu = AButton->FDropDownMenu) {
    const TPoint at = ClientToScreen({AButton->FRight ? GetWidth() : 0, GetHeight()});
    menu->SetPopupComponent(this);
    menu->Popup(at.X, at.Y);
  }
}

void TCustomButtonedEdit::Notification(TComponent* AComponent, TOperation AOperation) {
  TCustomEdit::Notification(AComponent, AOperation);
  if (AOperation != opRemove) return;
  if (AComponent == FImages) {
    FImages = nullptr;
    ImagesChanged(nullptr);
  }
  for (TEditButton* button : {FLeftButton, FRightButton}) {
    if (button && static_cast<TComponent*>(button->FDropDownMenu) == AComponent)
      button->FDropDownMenu = nullptr;
  }
}
