// Forms: showing, closing, modal loops, focus; scrolling controls and frames.
#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QResizeEvent>
#include <QScreen>
#include <QTimer>
#include <cstdio>

#include "host/gui/Forms.h"
#include "host/gui/Menus.h"
#include "host/gui/QelQt.h"
#include "host/gui/QelWidgets.h"

// ---- scrolling controls ---------------------------------------------------

void TControlScrollBar::SetPosition(int AValue) {
  AValue = std::max(0, std::min(AValue, std::max(0, FRange - (FKind == sbHorizontal ? FControl->GetClientWidth()
                                                                                          : FControl->GetClientHeight()))));
  if (AValue == FPosition) return;
  const int delta = FPosition - AValue;
  FPosition = AValue;
  FKind == sbHorizontal ? FControl->ScrollBy(delta, 0) : FControl->ScrollBy(0, delta);
}

void TControlScrollBar::SetRange(int AValue) {
  FRange = std::max(0, AValue);
  SetPosition(FPosition);
}

void TControlScrollBar::SetVisible(bool AValue) { FVisible = AValue; }

bool TControlScrollBar::IsScrollBarVisible() const {
  const int client = FKind == sbHorizontal ? FControl->GetClientWidth() : FControl->GetClientHeight();
  return FVisible && FRange > client;
}

TScrollingWinControl::TScrollingWinControl(TComponent* AOwner) : TScrollingWinControl(AOwner, QelBridged<QWidget>()) {}

TScrollingWinControl::TScrollingWinControl(TComponent* AOwner, QWidget* AWidget)
    : TWinControl(AOwner, AWidget),
      FHorzScrollBar(new TControlScrollBar(this, sbHorizontal)),
      FVertScrollBar(new TControlScrollBar(this, sbVertical)) {}

TScrollingWinControl::~TScrollingWinControl() {
  delete FHorzScrollBar;
  delete FVertScrollBar;
}

void TScrollingWinControl::ScrollBy(int ADeltaX, int ADeltaY) {
  DisableAlign();
  for (int i = 0; i < GetControlCount(); ++i) {
    TControl* control = GetControls(i);
    control->SetBounds(control->GetLeft() + ADeltaX, control->GetTop() + ADeltaY, control->GetWidth(), control->GetHeight());
  }
  EnableAlign();
}

void TScrollingWinControl::ScrollInView(TControl* AControl) {
  if (!AControl || !ContainsControl(AControl)) return;
  const TPoint at = AControl->ClientToParent({0, 0}, this);
  if (at.X < 0) FHorzScrollBar->SetPosition(FHorzScrollBar->GetPosition() + at.X);
  else if (at.X + AControl->GetWidth() > GetClientWidth())
    FHorzScrollBar->SetPosition(FHorzScrollBar->GetPosition() + at.X + AControl->GetWidth() - GetClientWidth());
  if (at.Y < 0) FVertScrollBar->SetPosition(FVertScrollBar->GetPosition() + at.Y);
  else if (at.Y + AControl->GetHeight() > GetClientHeight())
    FVertScrollBar->SetPosition(FVertScrollBar->GetPosition() + at.Y + AControl->GetHeight() - GetClientHeight());
}

TScrollBox::TScrollBox(TComponent* AOwner) : TScrollingWinControl(AOwner, QelBridged<QFrame>()) {
  SetBounds(0, 0, 185, 41);
  SetBorderStyle(bsSingle);
}

void TScrollBox::SetBorderStyle(TBorderStyle AValue) {
  FBorderStyle = AValue;
  QelWidgetOf<QFrame>(this)->setFrameStyle(AValue == bsNone ? QFrame::NoFrame : QFrame::StyledPanel | QFrame::Sunken);
}

TCustomFrame::TCustomFrame(TComponent* AOwner) : TScrollingWinControl(AOwner) { SetBounds(0, 0, 320, 240); }

TCustomDockForm::TCustomDockForm(TComponent* AOwner) : TCustomForm(AOwner) { SetBorderStyle(bsSizeToolWin); }

// ---- TCustomForm ----------------------------------------------------------

TCustomForm::TCustomForm(TComponent* AOwner)
    : TScrollingWinControl(AOwner), FCanvas(new TControlCanvas), FIcon(new TIcon), FGlassFrame(new TGlassFrame) {
  FCanvas->SetControl(this);
  QelApplication();
  Widget()->setWindowFlags(Qt::Window);
  Widget()->setAttribute(Qt::WA_DeleteOnClose, false);
  SetVisible(false);
  SetColor(clBtnFace);
  SetBounds(0, 0, 320, 240);
  QelScreen()->AddForm(this);
}

TCustomForm::~TCustomForm() {
  if (Screen) Screen->RemoveForm(this);
  delete FCanvas;
  delete FIcon;
  delete FGlassFrame;
}

void TCustomForm::BeforeDestruction() {
  OnDestroy(this);
  TScrollingWinControl::BeforeDestruction();
}

void TCustomForm::Loaded() {
  TScrollingWinControl::Loaded();
  OnCreate(this);
}

void TCustomForm::Notification(TComponent* AComponent, TOperation AOperation) {
  TScrollingWinControl::Notification(AComponent, AOperation);
  if (AOperation != opRemove) return;
  if (AComponent == FMenu) FMenu = nullptr;
  if (AComponent == FActiveControl) FActiveControl = nullptr;
}

void TCustomForm::TextChanged() { Widget()->setWindowTitle(QelToQString(GetText())); }

void TCustomForm::UpdateWidgetVisibility() {
  if (GetParent()) return TScrollingWinControl::UpdateWidgetVisibility();
  if (GetVisible()) ShowWindow();
  else HideWindow();
}

void TCustomForm::Show() {
  SetVisible(true);
  if (!Widget()->isVisible()) ShowWindow();
}

void TCustomForm::Hide() { SetVisible(false); }

void TCustomForm::ShowWindow() {
  if (Widget()->isVisible()) return;
  DoShow();
  PlaceWindow();
  Widget()->show();
  if (!QelHeadless()) Widget()->raise();  // the offscreen platform has no stacking
  Activate();
}

void TCustomForm::HideWindow() {
  if (!Widget()->isVisible()) return;
  Widget()->hide();
  if (FActive) Deactivate();
  DoHide();
}

void TCustomForm::PlaceWindow() {
  QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect area = screen->availableGeometry();
  TCustomForm* main = Application ? Application->GetMainForm() : nullptr;
  switch (FPosition) {
    case poScreenCenter:
    case poDesktopCenter:
      SetBounds(area.x() + (area.width() - GetWidth()) / 2, area.y() + (area.height() - GetHeight()) / 2, GetWidth(), GetHeight());
      break;
    case poMainFormCenter:
    case poOwnerFormCenter: {
      auto* owner = dynamic_cast<TCustomForm*>(FPosition == poOwnerFormCenter ? GetOwner() : main);
      if (owner && owner != this)
        SetBounds(owner->GetLeft() + (owner->GetWidth() - GetWidth()) / 2, owner->GetTop() + (owner->GetHeight() - GetHeight()) / 2,
                  GetWidth(), GetHeight());
      break;
    }
    default:
      break;
  }
}

void TCustomForm::Activate() {
  FActive = true;
  FFormState.Include(fsActivated);
  if (Screen) Screen->SetActiveForm(this);
  OnActivate(this);
}

void TCustomForm::Deactivate() {
  FActive = false;
  OnDeactivate(this);
}

void TCustomForm::SetFocus() {
  if (!GetVisible() || !GetEnabled()) QelRaise<EInvalidOperation>(u"Cannot focus a disabled or invisible window");
  Widget()->activateWindow();
}

bool TCustomForm::CloseQuery() {
  bool canClose = true;
  OnCloseQuery(this, canClose);
  return canClose;
}

void TCustomForm::Close() {
  if (FFormState.Contains(fsModal)) {
    FModalResult = mrCancel;
    return;
  }
  if (!CloseQuery()) return;
  TCloseAction action = caHide;
  DoClose(action);
  switch (action) {
    case caNone: return;
    case caHide: Hide(); break;
    case caMinimize: SetWindowState(wsMinimized); break;
    case caFree: Hide(); Release(); break;
  }
  if (Application && Application->GetMainForm() == this) Application->Terminate();
}

void TCustomForm::CloseModal() {
  if (!CloseQuery()) {
    FModalResult = mrNone;
    return;
  }
  TCloseAction action = caHide;
  DoClose(action);
  if (action == caNone) FModalResult = mrNone;
  else if (action == caFree) Release();
}

TModalResult TCustomForm::ShowModal() {
  if (GetVisible() || FFormState.Contains(fsModal)) QelRaise<EInvalidOperation>(u"Cannot make a visible window modal");
  FFormState.Include(fsModal);
  FModalResult = mrNone;
  TApplication* app = QelApplication();
  app->ModalStarted();
  Widget()->setWindowModality(Qt::ApplicationModal);
  auto finish = [&] {
    Widget()->setWindowModality(Qt::NonModal);
    FFormState.Exclude(fsModal);
    app->ModalFinished();
    Hide();
  };
  try {
    Show();
    for (;;) {
      QCoreApplication::processEvents(QEventLoop::AllEvents);
      if (FModalResult != mrNone) {
        CloseModal();
        if (FModalResult != mrNone) break;
      }
      if (app->GetTerminated()) {
        FModalResult = mrCancel;
        break;
      }
      if (QelHeadless() && QelActiveTimers() == 0) {
        std::fprintf(stderr, "ShowModal: no display, the form \"%s\" answers as cancelled\n", StringToUtf8(GetCaption()).c_str());
        FModalResult = mrCancel;
        break;
      }
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
  } catch (...) {
    finish();
    throw;
  }
  finish();
  return FModalResult;
}

void TCustomForm::Release() {
  if (FReleasing) return;
  FReleasing = true;
  // The widget is the timer's context: a form freed before then takes the call with it.
  QTimer::singleShot(0, Widget(), [this] { QelGuard(this, [this] { Free(); }); });
}

void TCustomForm::SetActiveControl(TWinControl* AValue) {
  if (!AValue) {
    FActiveControl = nullptr;
    return;
  }
  if (GetVisible() && !AValue->CanFocus()) QelRaise<EInvalidOperation>(u"Cannot focus a disabled or invisible window");
  FocusControl(AValue);
}

void TCustomForm::FocusControl(TWinControl* AControl) {
  FocusChanged(AControl);
  if (AControl) AControl->Widget()->setFocus(Qt::OtherFocusReason);
}

void TCustomForm::FocusChanged(TWinControl* AControl) {
  if (AControl == FActiveControl) return;
  TWinControl* old = FActiveControl;
  FActiveControl = AControl;
  if (old) {
    old->RemoveFreeNotification(this);
    old->DoExit();
  }
  if (FActiveControl == AControl && AControl) {
    AControl->FreeNotification(this);
    AControl->DoEnter();
  }
}

bool TCustomForm::SetFocusedControl(TWinControl* AControl) {
  FocusChanged(AControl);
  return true;
}

void TCustomForm::ControlRemoved(TWinControl* AControl) {
  if (FActiveControl && AControl->ContainsControl(FActiveControl)) FActiveControl = nullptr;
}

void TCustomForm::ApplyWindowFlags() {
  Qt::WindowFlags flags = Qt::Window;
  switch (FBorderStyle) {
    case bsNone: flags |= Qt::FramelessWindowHint; break;
    case bsDialog: flags = Qt::Dialog; break;
    case bsToolWindow:
    case bsSizeToolWin: flags = Qt::Tool; break;
    default: break;
  }
  flags |= Qt::WindowTitleHint;
  if (FBorderIcons.Contains(biSystemMenu)) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  if (FBorderIcons.Contains(biMinimize)) flags |= Qt::WindowMinimizeButtonHint;
  if (FBorderIcons.Contains(biMaximize) && FBorderStyle == bsSizeable) flags |= Qt::WindowMaximizeButtonHint;
  if (FBorderIcons.Contains(biHelp)) flags |= Qt::WindowContextHelpButtonHint;
  if (FFormStyle == fsStayOnTop) flags |= Qt::WindowStaysOnTopHint;
  const bool shown = Widget()->isVisible();
  if (!GetParent()) Widget()->setWindowFlags(flags);
  if (FBorderStyle == bsSizeable || FBorderStyle == bsSizeToolWin) Widget()->setMinimumSize(0, 0), Widget()->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  else Widget()->setFixedSize(GetWidth(), GetHeight());
  if (shown) Widget()->show();
}

void TCustomForm::SetBorderStyle(TFormBorderStyle AValue) {
  FBorderStyle = AValue;
  ApplyWindowFlags();
}

void TCustomForm::SetBorderIcons(TBorderIcons AValue) {
  FBorderIcons = AValue;
  ApplyWindowFlags();
}

void TCustomForm::SetFormStyle(TFormStyle AValue) {
  FFormStyle = AValue;
  ApplyWindowFlags();
}

void TCustomForm::SetPosition(TPosition AValue) { FPosition = AValue; }

void TCustomForm::SetWindowState(TWindowState AValue) {
  FWindowState = AValue;
  Qt::WindowStates state = Qt::WindowNoState;
  if (AValue == wsMinimized) state = Qt::WindowMinimized;
  if (AValue == wsMaximized) state = Qt::WindowMaximized;
  Widget()->setWindowState(state);
}

void TCustomForm::SetAlphaBlend(bool AValue) {
  FAlphaBlend = AValue;
  Widget()->setWindowOpacity(AValue ? FAlphaBlendValue / 255.0 : 1.0);
}

void TCustomForm::SetAlphaBlendValue(uint8_t AValue) {
  FAlphaBlendValue = AValue;
  SetAlphaBlend(FAlphaBlend);
}

TMonitor* TCustomForm::GetMonitor() const { return QelScreen()->MonitorFromPoint({GetLeft(), GetTop()}); }

void TCustomForm::WindowResized(int AWidth, int AHeight) { SetBounds(GetLeft(), GetTop(), AWidth, AHeight); }

bool TCustomForm::WidgetEvent(QEvent* AEvent) {
  switch (AEvent->type()) {
    case QEvent::Close:
      // The window system asks to close: the form decides.
      AEvent->ignore();
      Close();
      return true;
    case QEvent::Resize: {
      if (GetParent()) break;
      const QSize size = static_cast<QResizeEvent*>(AEvent)->size();
      if (size.width() != GetWidth() || size.height() != GetHeight()) WindowResized(size.width(), size.height());
      break;
    }
    case QEvent::WindowActivate:
      if (!FActive) Activate();
      break;
    case QEvent::WindowDeactivate:
      if (FActive) Deactivate();
      break;
    default:
      break;
  }
  return TScrollingWinControl::WidgetEvent(AEvent);
}

void TCustomForm::WidgetPainted(QPainter& APainter) {
  FCanvas->GetFont()->Assign(GetFont());
  FCanvas->BeginPaint(&APainter);
  try {
    OnPaint(this);
  } catch (...) {
    FCanvas->EndPaint();
    throw;
  }
  FCanvas->EndPaint();
}

TCustomForm* GetParentForm(TControl* AControl, bool ATopForm) {
  if (!AControl) return nullptr;
  if (ATopForm) return AControl->GetParentForm();
  for (TControl* control = AControl; control; control = control->GetParent()) {
    if (auto* form = dynamic_cast<TCustomForm*>(control)) return form;
  }
  return nullptr;
}

TCustomForm* ValidParentForm(TControl* AControl, bool ATopForm) {
  TCustomForm* form = GetParentForm(AControl, ATopForm);
  if (!form) {
    QelRaise<EInvalidOperation>(Exception::FormatMessage(u"Control '%s' has no parent window",
                                                         {AControl ? AControl->GetName() : String()}));
  }
  return form;
}
