// Tray icons.
#include <QIcon>
#include <QMenu>
#include <QPixmap>
#include <QSystemTrayIcon>

#include "host/gui/ExtCtrls.h"
#include "host/gui/ImgList.h"
#include "host/gui/Menus.h"
#include "host/gui/QelQt.h"

TCustomTrayIcon::TCustomTrayIcon(TComponent* AOwner)
    : TComponent(AOwner), FIcon(new TIcon), FTimer(new TTimer(this)) {
  FIcon->OnChange = TNotifyEvent::Bind<&TCustomTrayIcon::IconChanged>(this);
  FTimer->SetEnabled(false);
  FTimer->OnTimer = TNotifyEvent::Bind<&TCustomTrayIcon::AnimateTick>(this);
}

TCustomTrayIcon::~TCustomTrayIcon() {
  delete FTray;
  delete FIcon;
}

// The Qt icon exists only while the tray icon is visible on a desktop that has a notification
// area; everything else is kept here and shown when it appears.
void TCustomTrayIcon::SetVisible(bool AValue) {
  FVisible = AValue;
  if (AValue && !FTray) {
    QelEnsureApplication();
    if (QelHeadless() || !QSystemTrayIcon::isSystemTrayAvailable()) return;
    FTray = new QSystemTrayIcon;
    QObject::connect(FTray, &QSystemTrayIcon::activated, FTray,
                     [this](QSystemTrayIcon::ActivationReason AReason) {
                       QelGuard(this, [&] {
                         if (AReason == QSystemTrayIcon::Trigger) OnClick(this);
                         else if (AReason == QSystemTrayIcon::DoubleClick) OnDblClick(this);
                       });
                     });
    QObject::connect(FTray, &QSystemTrayIcon::messageClicked, FTray,
                     [this] { QelGuard(this, [this] { OnBalloonClick(this); }); });
    SetPopupMenu(FPopupMenu);
    SetHint(FHint);
    Refresh();
  }
  if (FTray) FTray->setVisible(AValue);
}

void TCustomTrayIcon::SetHint(const String& AValue) {
  FHint = AValue;
  if (FTray) FTray->setToolTip(QelToQString(AValue));
}

void TCustomTrayIcon::SetIcons(TCustomImageList* AValue) {
  FIcons = AValue;
  if (AValue) FreeNotification(AValue);
  Refresh();
}

void TCustomTrayIcon::SetIconIndex(int AValue) {
  FIconIndex = AValue;
  Refresh();
}

void TCustomTrayIcon::SetPopupMenu(TPopupMenu* AValue) {
  FPopupMenu = AValue;
  if (AValue) FreeNotification(AValue);
  if (FTray) FTray->setContextMenu(AValue ? AValue->GetItems()->SubMenu() : nullptr);
}

void TCustomTrayIcon::Refresh() {
  if (!FTray) return;
  const TBitmap* image = FIcons ? FIcons->Image(FIconIndex) : nullptr;
  if (image) FTray->setIcon(QIcon(QPixmap::fromImage(image->ImageRef())));
  else if (!FIcon->GetEmpty()) FTray->setIcon(QIcon(QPixmap::fromImage(FIcon->ImageRef())));
}

void TCustomTrayIcon::SetAnimate(bool AValue) {
  FAnimate = AValue;
  if (FTimer) FTimer->SetEnabled(AValue);
}

uint32_t TCustomTrayIcon::GetAnimateInterval() const { return FTimer ? FTimer->GetInterval() : 0; }
void TCustomTrayIcon::SetAnimateInterval(uint32_t AValue) {
  if (FTimer) FTimer->SetInterval(AValue);
}

void TCustomTrayIcon::AnimateTick(TObject*) {
  const int count = FIcons ? FIcons->GetCount() : 0;
  if (count > 0) SetIconIndex((FIconIndex + 1) % count);
  OnAnimate(this);
}

bool TCustomTrayIcon::ShowBalloonHint() {
  if (!FTray || !FVisible) return false;
  const QSystemTrayIcon::MessageIcon icon = FBalloonFlags == bfInfo ? QSystemTrayIcon::Information
                                            : FBalloonFlags == bfWarning ? QSystemTrayIcon::Warning
                                            : FBalloonFlags == bfError   ? QSystemTrayIcon::Critical
                                                                         : QSystemTrayIcon::NoIcon;
  FTray->showMessage(QelToQString(FBalloonTitle), QelToQString(FBalloonHint), icon,
                     FBalloonTimeout);
  return true;
}

void TCustomTrayIcon::Notification(TComponent* AComponent, TOperation AOperation) {
  TComponent::Notification(AComponent, AOperation);
  if (AOperation != opRemove) return;
  if (AComponent == FIcons) SetIcons(nullptr);
  if (AComponent == FPopupMenu) SetPopupMenu(nullptr);
  if (AComponent == FTimer) FTimer = nullptr;
}
