// The application and screen objects, the Qt application behind them, and the loops that
// programs running scripts use.
#include <QApplication>
#include <QCoreApplication>
#include <QFontDatabase>
#include <QMessageBox>
#include <QScreen>
#include <cstdio>
#include <cstdlib>

#include "host/gui/Dialogs.h"
#include "host/gui/Forms.h"
#include "host/gui/QelQt.h"

TApplication* Application = nullptr;
TScreen* Screen = nullptr;

namespace {

QApplication* GQtApp = nullptr;  // lives for the process
thread_local int GDirectDepth = 0;
thread_local ExceptionPtr GDirectException;

}  // namespace

void QelEnsureApplication() {
  if (QCoreApplication::instance()) return;
  if (!std::getenv("QT_QPA_PLATFORM") && !std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY"))
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
  static int argc = 1;
  static char name[] = "qel";
  static char* argv[] = {name, nullptr};
  GQtApp = new QApplication(argc, argv);
  GQtApp->setQuitOnLastWindowClosed(false);
  QelInstallQtDialogs();
}

bool QelHeadless() {
  QelEnsureApplication();
  const QString platform = QGuiApplication::platformName();
  return platform == u"offscreen" || platform == u"minimal";
}

int& QelActiveTimers() {
  static int count = 0;
  return count;
}

void QelBoundaryException(TObject* ASender) {
  if (GDirectDepth > 0) {
    if (!GDirectException) GDirectException = AcquireExceptionObject();
    return;
  }
  try {
    QelApplication()->HandleException(ASender);
  } catch (...) {
    // An exception handler that raises has nowhere further to go.
    std::fputs("unhandled exception in an exception handler\n", stderr);
  }
}

TQelDirectCall::TQelDirectCall() { ++GDirectDepth; }
TQelDirectCall::~TQelDirectCall() {
  if (--GDirectDepth == 0) GDirectException = ExceptionPtr();
}
void TQelDirectCall::Check() {
  if (GDirectDepth == 1 && GDirectException) {
    ExceptionPtr error = std::move(GDirectException);
    GDirectException = ExceptionPtr();
    throw error;
  }
}

TApplication* QelApplication() {
  if (!Application) {
    QelEnsureApplication();
    Application = new TApplication(nullptr);
  }
  return Application;
}

TScreen* QelScreen() {
  if (!Screen) {
    QelEnsureApplication();
    Screen = new TScreen(nullptr);
  }
  return Screen;
}

void QelRunFormsUntilClosed() {
  if (!Screen || !Application) return;
  auto anyShown = [] {
    for (TCustomForm* form : Screen->FormList()) {
      if (form->GetVisible()) return true;
    }
    return false;
  };
  while (!QelHeadless() && anyShown() && !Application->GetTerminated())
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void QelFreeScriptForms() {
  if (!Screen) return;
  QelStopScriptTimers();
  while (!Screen->FormList().empty()) Screen->FormList().back()->Free();
  if (Application) Application->DestroyComponents();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// ---- TApplication ---------------------------------------------------------

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner), FIcon(new TIcon) {
  QelEnsureApplication();
  FTitle = QelFromQString(QCoreApplication::applicationName());
}

TApplication::~TApplication() {
  delete FIcon;
  if (Application == this) Application = nullptr;
}

void TApplication::Notification(TComponent* AComponent, TOperation AOperation) {
  TComponent::Notification(AComponent, AOperation);
  if (AOperation == opRemove && AComponent == FMainForm) FMainForm = nullptr;
}

void TApplication::FormCreated(TCustomForm* AForm) {
  if (FMainForm) return;
  FMainForm = AForm;
  AForm->FreeNotification(this);
}

void TApplication::CreateForm(TClass AClass, TCustomForm*& AReference) {
  if (!AClass || !AClass->InheritsFrom(TCustomForm::StaticClass()) || !AClass->CanCreate())
    QelRaise<EInvalidOperation>(u"CreateForm needs a form class");
  AReference = static_cast<TCustomForm*>(AClass->Create(this));
  FormCreated(AReference);
}

void TApplication::Run() {
  FTerminated = false;
  if (FMainForm && FShowMainForm) FMainForm->Show();
  while (!FTerminated) {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    bool done = true;
    OnIdle(this, done);
    if (FTerminated || (FMainForm && !FMainForm->GetVisible())) break;
    if (QelHeadless() && QelActiveTimers() == 0) break;
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }
}

void TApplication::ProcessMessages() {
  TQelDirectCall direct;
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  direct.Check();
}

void TApplication::HandleMessage() {
  if (QelHeadless() && QelActiveTimers() == 0) return ProcessMessages();
  QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void TApplication::Terminate() { FTerminated = true; }

void TApplication::HandleException(TObject* ASender) {
  ExceptionPtr error = AcquireExceptionObject();
  if (!error || error->Is<EAbort>()) return;
  if (OnException) OnException(ASender, error.Get());
  else ShowException(error.Get());
}

void TApplication::ShowException(Exception* AException) {
  if (!AException) return;
  String text = AException->GetMessage();
  if (QelHeadless()) {
    std::fprintf(stderr, "%s\n", StringToUtf8(text).c_str());
    return;
  }
  QMessageBox::critical(nullptr, QelToQString(FTitle), QelToQString(text));
}

int TApplication::MessageBox(const String& AText, const String& ACaption, int AFlags) {
  if (QelHeadless()) {
    std::fprintf(stderr, "%s: %s (no display, answered as cancelled)\n", StringToUtf8(ACaption).c_str(), StringToUtf8(AText).c_str());
    return (AFlags & 0xF) == MB_OK ? IDOK : (AFlags & 0xF) == MB_YESNO ? IDNO : IDCANCEL;
  }
  QMessageBox::StandardButtons buttons;
  switch (AFlags & 0xF) {
    case MB_OKCANCEL: buttons = QMessageBox::Ok | QMessageBox::Cancel; break;
    case MB_ABORTRETRYIGNORE: buttons = QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore; break;
    case MB_YESNOCANCEL: buttons = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel; break;
    case MB_YESNO: buttons = QMessageBox::Yes | QMessageBox::No; break;
    case MB_RETRYCANCEL: buttons = QMessageBox::Retry | QMessageBox::Cancel; break;
    default: buttons = QMessageBox::Ok; break;
  }
  switch (QMessageBox::question(nullptr, QelToQString(ACaption), QelToQString(AText), buttons)) {
    case QMessageBox::Ok: return IDOK;
    case QMessageBox::Abort: return IDABORT;
    case QMessageBox::Retry: return IDRETRY;
    case QMessageBox::Ignore: return IDIGNORE;
    case QMessageBox::Yes: return IDYES;
    case QMessageBox::No: return IDNO;
    default: return IDCANCEL;
  }
}

void TApplication::Minimize() {
  if (FMainForm) FMainForm->SetWindowState(wsMinimized);
  OnMinimize(this);
}

void TApplication::Restore() {
  if (FMainForm) FMainForm->SetWindowState(wsNormal);
  OnRestore(this);
}

void TApplication::BringToFront() {
  if (FMainForm) FMainForm->Widget()->raise();
}

void TApplication::SetTitle(const String& AValue) {
  FTitle = AValue;
  QCoreApplication::setApplicationName(QelToQString(AValue));
}

void TApplication::SetHint(const String& AValue) {
  if (AValue == FHint) return;
  FHint = AValue;
  OnHint(this);
}

String TApplication::GetExeName() const { return QelFromQString(QCoreApplication::applicationFilePath()); }

bool TApplication::GetActive() const { return QGuiApplication::applicationState() == Qt::ApplicationActive; }

// ---- TScreen and TMonitor -------------------------------------------------

namespace {

QRect ScreenRect(int AIndex, bool AWorkArea) {
  const QList<QScreen*> screens = QGuiApplication::screens();
  if (AIndex < 0 || AIndex >= screens.size()) return QRect(0, 0, 1024, 768);
  return AWorkArea ? screens[AIndex]->availableGeometry() : screens[AIndex]->geometry();
}

TRect ToRect(const QRect& R) { return Bounds(R.x(), R.y(), R.width(), R.height()); }

}  // namespace

TRect TMonitor::GetBoundsRect() const { return ToRect(ScreenRect(FIndex, false)); }
TRect TMonitor::GetWorkareaRect() const { return ToRect(ScreenRect(FIndex, true)); }
int TMonitor::GetPixelsPerInch() const {
  const QList<QScreen*> screens = QGuiApplication::screens();
  return FIndex < screens.size() ? static_cast<int>(screens[FIndex]->logicalDotsPerInch()) : 96;
}

TScreen::TScreen(TComponent* AOwner)
    : TComponent(AOwner), FHintFont(new TFont), FMenuFont(new TFont), FIconFont(new TFont), FMessageFont(new TFont) {}

TScreen::~TScreen() {
  for (TMonitor* monitor : FMonitors) delete monitor;
  delete FFonts;
  delete FHintFont;
  delete FMenuFont;
  delete FIconFont;
  delete FMessageFont;
  if (Screen == this) Screen = nullptr;
}

int TScreen::GetWidth() const { return ScreenRect(0, false).width(); }
int TScreen::GetHeight() const { return ScreenRect(0, false).height(); }
int TScreen::GetWorkAreaLeft() const { return ScreenRect(0, true).x(); }
int TScreen::GetWorkAreaTop() const { return ScreenRect(0, true).y(); }
int TScreen::GetWorkAreaWidth() const { return ScreenRect(0, true).width(); }
int TScreen::GetWorkAreaHeight() const { return ScreenRect(0, true).height(); }
TRect TScreen::GetWorkAreaRect() const { return ToRect(ScreenRect(0, true)); }

TCustomForm* TScreen::GetCustomForms(int AIndex) const {
  if (AIndex < 0 || AIndex >= GetCustomFormCount())
    QelRaiseListIndex(AIndex);
  return FForms[AIndex];
}

TForm* TScreen::GetForms(int AIndex) const { return dynamic_cast<TForm*>(GetCustomForms(AIndex)); }
TForm* TScreen::GetActiveForm() const { return dynamic_cast<TForm*>(FActiveForm); }
TWinControl* TScreen::GetActiveControl() const { return FActiveForm ? FActiveForm->GetActiveControl() : nullptr; }

void TScreen::SetCursor(TCursor AValue) {
  FCursor = AValue;
  if (AValue == crDefault) {
    while (QGuiApplication::overrideCursor()) QGuiApplication::restoreOverrideCursor();
  } else if (AValue == crHourGlass || AValue == crSQLWait) {
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  }
}

TStrings* TScreen::GetFonts() const {
  if (!FFonts) {
    FFonts = new TStringList;
    FFonts->SetSorted(true);
    for (const QString& family : QFontDatabase::families()) FFonts->Add(QelFromQString(family));
  }
  return FFonts;
}

int TScreen::GetMonitorCount() const { return std::max<int>(1, static_cast<int>(QGuiApplication::screens().size())); }

TMonitor* TScreen::GetMonitors(int AIndex) const {
  if (AIndex < 0 || AIndex >= GetMonitorCount())
    QelRaiseListIndex(AIndex);
  while (static_cast<int>(FMonitors.size()) <= AIndex) FMonitors.push_back(new TMonitor(static_cast<int>(FMonitors.size())));
  return FMonitors[AIndex];
}

TMonitor* TScreen::MonitorFromPoint(const TPoint& APoint) const {
  for (int i = 0; i < GetMonitorCount(); ++i) {
    if (ScreenRect(i, false).contains(APoint.X, APoint.Y)) return GetMonitors(i);
  }
  return GetMonitors(0);
}

void TScreen::AddForm(TCustomForm* AForm) { FForms.push_back(AForm); }

void TScreen::RemoveForm(TCustomForm* AForm) {
  std::erase(FForms, AForm);
  if (FActiveForm == AForm) {
    FActiveForm = nullptr;
    OnActiveFormChange(this);
  }
}

void TScreen::SetActiveForm(TCustomForm* AForm) {
  if (AForm == FActiveForm) return;
  FActiveForm = AForm;
  OnActiveFormChange(this);
}
