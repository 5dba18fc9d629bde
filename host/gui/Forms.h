// Host unit "Forms": forms, frames, scroll boxes, the application and the screen.
#pragma once

#include "host/core/UnitData.h"

#include "host/gui/Controls.h"

class TMainMenu;


QEL_EVENT_TYPE(TCloseEvent, void(TObject* Sender, TCloseAction& Action));
QEL_EVENT_TYPE(TCloseQueryEvent, void(TObject* Sender, bool& CanClose));
QEL_EVENT_TYPE(TExceptionEvent, void(TObject* Sender, Exception* E));
QEL_EVENT_TYPE(TIdleEvent, void(TObject* Sender, bool& Done));

// Message box flags and answers (Application.MessageBox).
inline constexpr int MB_OK = 0, MB_OKCANCEL = 1, MB_ABORTRETRYIGNORE = 2, MB_YESNOCANCEL = 3, MB_YESNO = 4,
                     MB_RETRYCANCEL = 5;
inline constexpr int IDOK = 1, IDCANCEL = 2, IDABORT = 3, IDRETRY = 4, IDIGNORE = 5, IDYES = 6, IDNO = 7;

class TScrollingWinControl;

// One scroll bar of a scrolling control.
class TControlScrollBar : public TPersistent {
  QEL_CLASS(TControlScrollBar, TPersistent)
 public:
  TControlScrollBar(TScrollingWinControl* AControl, TScrollBarKind AKind) : FControl(AControl), FKind(AKind) {}
  TScrollBarKind GetKind() const { return FKind; }
  int GetPosition() const { return FPosition; }
  void SetPosition(int AValue);
  int GetRange() const { return FRange; }
  void SetRange(int AValue);
  bool GetVisible() const { return FVisible; }
  void SetVisible(bool AValue);
  int GetIncrement() const { return FIncrement; }
  void SetIncrement(int AValue) { FIncrement = AValue; }
  bool GetTracking() const { return FTracking; }
  void SetTracking(bool AValue) { FTracking = AValue; }
  int GetScrollPos() const { return FPosition; }
  bool IsScrollBarVisible() const;

 private:
  TScrollingWinControl* FControl;
  TScrollBarKind FKind;
  int FPosition = 0;
  int FRange = 0;
  int FIncrement = 8;
  bool FVisible = true;
  bool FTracking = false;
};

class TScrollingWinControl : public TWinControl {
  QEL_CLASS(TScrollingWinControl, TWinControl)
 public:
  explicit TScrollingWinControl(TComponent* AOwner);
  ~TScrollingWinControl() override;
  TControlScrollBar* GetHorzScrollBar() const { return FHorzScrollBar; }
  void SetHorzScrollBar(TControlScrollBar* AValue) { FHorzScrollBar->Assign(AValue); }
  TControlScrollBar* GetVertScrollBar() const { return FVertScrollBar; }
  void SetVertScrollBar(TControlScrollBar* AValue) { FVertScrollBar->Assign(AValue); }
  bool GetAutoScroll() const { return FAutoScroll; }
  void SetAutoScroll(bool AValue) { FAutoScroll = AValue; }
  void ScrollInView(TControl* AControl);
  // Moves the children by the scroll offset.
  void ScrollBy(int ADeltaX, int ADeltaY);

 protected:
  TScrollingWinControl(TComponent* AOwner, QWidget* AWidget);

 private:
  friend class TControlScrollBar;
  TControlScrollBar* FHorzScrollBar;
  TControlScrollBar* FVertScrollBar;
  bool FAutoScroll = true;
};

class TScrollBox : public TScrollingWinControl {
  QEL_CLASS(TScrollBox, TScrollingWinControl)
 public:
  explicit TScrollBox(TComponent* AOwner);
  TBorderStyle GetBorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle AValue);

 private:
  TBorderStyle FBorderStyle = bsSingle;
};

class TCustomFrame : public TScrollingWinControl {
  QEL_CLASS(TCustomFrame, TScrollingWinControl)
 public:
  explicit TCustomFrame(TComponent* AOwner);
};

class TFrame : public TCustomFrame {
  QEL_CLASS(TFrame, TCustomFrame)
 public:
  explicit TFrame(TComponent* AOwner) : TCustomFrame(AOwner) {}
};

// The glass frame of a form (a frame drawn into the client area).
class TGlassFrame : public TPersistent {
  QEL_CLASS(TGlassFrame, TPersistent)
 public:
  TGlassFrame() = default;
  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool AValue) { FEnabled = AValue; }
  int GetLeft() const { return FLeft; }
  void SetLeft(int AValue) { FLeft = AValue; }
  int GetTop() const { return FTop; }
  void SetTop(int AValue) { FTop = AValue; }
  int GetRight() const { return FRight; }
  void SetRight(int AValue) { FRight = AValue; }
  int GetBottom() const { return FBottom; }
  void SetBottom(int AValue) { FBottom = AValue; }
  bool GetSheetOfGlass() const { return FSheetOfGlass; }
  void SetSheetOfGlass(bool AValue) { FSheetOfGlass = AValue; }
  bool FrameExtended() const { return FEnabled && (FSheetOfGlass || FLeft || FTop || FRight || FBottom); }

 private:
  bool FEnabled = false, FSheetOfGlass = false;
  int FLeft = 0, FTop = 0, FRight = 0, FBottom = 0;
};

class TMonitor;

// A top-level window. Width and Height are the window's client size here (the window
// system's frame is not counted), so ClientWidth equals Width.
class TCustomForm : public TScrollingWinControl {
  QEL_CLASS(TCustomForm, TScrollingWinControl)
 public:
  explicit TCustomForm(TComponent* AOwner);
  ~TCustomForm() override;
  void BeforeDestruction() override;

  void Show();
  void Hide();
  // Raises EInvalidOperation "Cannot make a visible window modal" for a shown form. Without a
  // display the loop runs only while a timer could still end it; then the form answers
  // mrCancel and says so on standard error.
  TModalResult ShowModal();
  void Close();
  bool CloseQuery();
  // Frees the form once the events of the moment are handled.
  void Release();
  TModalResult GetModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult AValue) { FModalResult = AValue; }
  bool GetActive() const { return FActive; }
  TWinControl* GetActiveControl() const { return FActiveControl; }
  void SetActiveControl(TWinControl* AValue);
  // Moves the focus to AControl: OnExit of the old control, then OnEnter of the new.
  void FocusControl(TWinControl* AControl);
  // The focus arrived at AControl from the window system.
  void FocusChanged(TWinControl* AControl);
  void ControlRemoved(TWinControl* AControl);
  bool SetFocusedControl(TWinControl* AControl);
  void SetFocus() override;

  TFormBorderStyle GetBorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle AValue);
  TBorderIcons GetBorderIcons() const { return FBorderIcons; }
  void SetBorderIcons(TBorderIcons AValue);
  TPosition GetPosition() const { return FPosition; }
  void SetPosition(TPosition AValue);
  TWindowState GetWindowState() const { return FWindowState; }
  void SetWindowState(TWindowState AValue);
  TFormStyle GetFormStyle() const { return FFormStyle; }
  void SetFormStyle(TFormStyle AValue);
  bool GetKeyPreview() const { return FKeyPreview; }
  void SetKeyPreview(bool AValue) { FKeyPreview = AValue; }
  TFormStates GetFormState() const { return FFormState; }
  TMainMenu* GetMenu() const { return FMenu; }
  void SetMenu(TMainMenu* AValue);
  TIcon* GetIcon() const { return FIcon; }
  void SetIcon(TIcon* AValue) { FIcon->Assign(AValue); }
  TCanvas* GetCanvas() const { return FCanvas; }
  bool GetAlphaBlend() const { return FAlphaBlend; }
  void SetAlphaBlend(bool AValue);
  uint8_t GetAlphaBlendValue() const { return FAlphaBlendValue; }
  void SetAlphaBlendValue(uint8_t AValue);
  TColor GetTransparentColorValue() const { return FTransparentColorValue; }
  void SetTransparentColorValue(TColor AValue) { FTransparentColorValue = AValue; }
  TGlassFrame* GetGlassFrame() const { return FGlassFrame; }
  TDefaultMonitor GetDefaultMonitor() const { return FDefaultMonitor; }
  void SetDefaultMonitor(TDefaultMonitor AValue) { FDefaultMonitor = AValue; }
  TMonitor* GetMonitor() const;
  int GetPixelsPerInch() const { return 96; }
  bool GetScaled() const { return FScaled; }
  void SetScaled(bool AValue) { FScaled = AValue; }
  bool GetModal() const { return FFormState.Contains(fsModal); }

  TNotifyEvent OnCreate;
  TNotifyEvent OnDestroy;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TNotifyEvent OnPaint;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;

  bool WidgetEvent(QEvent* AEvent) override;
  void WidgetPainted(QPainter& APainter) override;

 protected:
  void TextChanged() override;
  void UpdateWidgetVisibility() override;
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation AOperation) override;
  virtual void DoShow() { OnShow(this); }
  virtual void DoHide() { OnHide(this); }
  virtual void DoClose(TCloseAction& AAction) { OnClose(this, AAction); }
  virtual void Activate();
  virtual void Deactivate();

 private:
  void ShowWindow();
  void HideWindow();
  void ApplyWindowFlags();
  void PlaceWindow();
  void WindowResized(int AWidth, int AHeight);
  void CloseModal();

  TControlCanvas* FCanvas;
  TIcon* FIcon;
  TGlassFrame* FGlassFrame;
  TMainMenu* FMenu = nullptr;
  TWinControl* FActiveControl = nullptr;
  TModalResult FModalResult = mrNone;
  TFormBorderStyle FBorderStyle = bsSizeable;
  TBorderIcons FBorderIcons{biSystemMenu, biMinimize, biMaximize};
  TPosition FPosition = poDefaultPosOnly;
  TWindowState FWindowState = wsNormal;
  TFormStyle FFormStyle = fsNormal;
  TFormStates FFormState;
  TDefaultMonitor FDefaultMonitor = dmActiveForm;
  TColor FTransparentColorValue = clBlack;
  uint8_t FAlphaBlendValue = 255;
  bool FAlphaBlend = false;
  bool FKeyPreview = false;
  bool FActive = false;
  bool FScaled = true;
  bool FReleasing = false;
};

class TForm : public TCustomForm {
  QEL_CLASS(TForm, TCustomForm)
 public:
  explicit TForm(TComponent* AOwner) : TCustomForm(AOwner) {}
  void Cascade() {}
  void Tile() {}
  void ArrangeIcons() {}
  void Next() {}
  void Previous() {}
};

class TCustomDockForm : public TCustomForm {
  QEL_CLASS(TCustomDockForm, TCustomForm)
 public:
  explicit TCustomDockForm(TComponent* AOwner);
};

class TCustomActiveForm : public TCustomForm {
  QEL_CLASS(TCustomActiveForm, TCustomForm)
 public:
  explicit TCustomActiveForm(TComponent* AOwner) : TCustomForm(AOwner) {}
  bool GetAxBorderStyle() const { return false; }
};

// One screen of the desktop.
class TMonitor : public TObject {
  QEL_CLASS(TMonitor, TObject)
 public:
  explicit TMonitor(int AIndex) : FIndex(AIndex) {}
  int GetMonitorNum() const { return FIndex; }
  intptr_t GetHandle() const { return FIndex + 1; }
  TRect GetBoundsRect() const;
  TRect GetWorkareaRect() const;
  int GetLeft() const { return GetBoundsRect().Left; }
  int GetTop() const { return GetBoundsRect().Top; }
  int GetWidth() const { return GetBoundsRect().Width(); }
  int GetHeight() const { return GetBoundsRect().Height(); }
  bool GetPrimary() const { return FIndex == 0; }
  int GetPixelsPerInch() const;

 private:
  int FIndex;
};

class TApplication : public TComponent {
  QEL_CLASS(TApplication, TComponent)
 public:
  explicit TApplication(TComponent* AOwner);
  ~TApplication() override;

  // Shows the main form and runs the event loop until Terminate or the main form closes.
  // Without a display the loop runs only while a timer is active.
  void Run();
  void ProcessMessages();
  // Handles one message, waiting for it; returns at once without a display.
  void HandleMessage();
  void Terminate();
  bool GetTerminated() const { return FTerminated; }
  // Creates a form of AClass owned by the application; the first becomes the main form.
  void CreateForm(TClass AClass, TCustomForm*& AReference);
  TCustomForm* GetMainForm() const { return FMainForm; }
  // The exception in flight goes to OnException, or is shown (standard error without a display).
  void HandleException(TObject* ASender);
  void ShowException(Exception* AException);
  int MessageBox(const String& AText, const String& ACaption, int AFlags);
  void Minimize();
  void Restore();
  void BringToFront();
  void CancelHint() {}
  void HideHint() {}
  void Initialize() {}

  const String& GetTitle() const { return FTitle; }
  void SetTitle(const String& AValue);
  const String& GetHint() const { return FHint; }
  void SetHint(const String& AValue);
  bool GetShowHint() const { return FShowHint; }
  void SetShowHint(bool AValue) { FShowHint = AValue; }
  TColor GetHintColor() const { return FHintColor; }
  void SetHintColor(TColor AValue) { FHintColor = AValue; }
  int GetHintPause() const { return FHintPause; }
  void SetHintPause(int AValue) { FHintPause = AValue; }
  int GetHintHidePause() const { return FHintHidePause; }
  void SetHintHidePause(int AValue) { FHintHidePause = AValue; }
  bool GetShowMainForm() const { return FShowMainForm; }
  void SetShowMainForm(bool AValue) { FShowMainForm = AValue; }
  bool GetMainFormOnTaskBar() const { return FMainFormOnTaskBar; }
  void SetMainFormOnTaskBar(bool AValue) { FMainFormOnTaskBar = AValue; }
  String GetExeName() const;
  const String& GetHelpFile() const { return FHelpFile; }
  void SetHelpFile(const String& AValue) { FHelpFile = AValue; }
  bool GetActive() const;
  TIcon* GetIcon() const { return FIcon; }
  void SetIcon(TIcon* AValue) { FIcon->Assign(AValue); }
  intptr_t GetHandle() const { return 0; }
  bool GetModalLevel() const { return FModalLevel > 0; }
  void ModalStarted() { ++FModalLevel; }
  void ModalFinished() { if (FModalLevel > 0) --FModalLevel; }
  // The first form created becomes the main form when none is set.
  void FormCreated(TCustomForm* AForm);

  TExceptionEvent OnException;
  TIdleEvent OnIdle;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TNotifyEvent OnHint;
  TNotifyEvent OnMinimize;
  TNotifyEvent OnRestore;

 protected:
  void Notification(TComponent* AComponent, TOperation AOperation) override;

 private:
  TCustomForm* FMainForm = nullptr;
  TIcon* FIcon;
  String FTitle;
  String FHint;
  String FHelpFile;
  TColor FHintColor = clInfoBk;
  int FHintPause = 500;
  int FHintHidePause = 2500;
  int FModalLevel = 0;
  bool FTerminated = false;
  bool FShowHint = true;
  bool FShowMainForm = true;
  bool FMainFormOnTaskBar = false;
};

class TScreen : public TComponent {
  QEL_CLASS(TScreen, TComponent)
 public:
  explicit TScreen(TComponent* AOwner);
  ~TScreen() override;

  int GetWidth() const;
  int GetHeight() const;
  int GetDesktopLeft() const { return 0; }
  int GetDesktopTop() const { return 0; }
  int GetDesktopWidth() const { return GetWidth(); }
  int GetDesktopHeight() const { return GetHeight(); }
  int GetWorkAreaLeft() const;
  int GetWorkAreaTop() const;
  int GetWorkAreaWidth() const;
  int GetWorkAreaHeight() const;
  TRect GetWorkAreaRect() const;
  int GetPixelsPerInch() const { return 96; }
  int GetFormCount() const { return static_cast<int>(FForms.size()); }
  TForm* GetForms(int AIndex) const;
  int GetCustomFormCount() const { return static_cast<int>(FForms.size()); }
  TCustomForm* GetCustomForms(int AIndex) const;
  TCustomForm* GetActiveCustomForm() const { return FActiveForm; }
  TForm* GetActiveForm() const;
  TWinControl* GetActiveControl() const;
  TCursor GetCursor() const { return FCursor; }
  void SetCursor(TCursor AValue);
  TStrings* GetFonts() const;
  int GetMonitorCount() const;
  TMonitor* GetMonitors(int AIndex) const;
  TMonitor* MonitorFromPoint(const TPoint& APoint) const;
  TFont* GetHintFont() const { return FHintFont; }
  TFont* GetMenuFont() const { return FMenuFont; }
  TFont* GetIconFont() const { return FIconFont; }
  TFont* GetMessageFont() const { return FMessageFont; }

  TNotifyEvent OnActiveFormChange;
  TNotifyEvent OnActiveControlChange;

  // Bookkeeping of the forms.
  void AddForm(TCustomForm* AForm);
  void RemoveForm(TCustomForm* AForm);
  void SetActiveForm(TCustomForm* AForm);
  const std::vector<TCustomForm*>& FormList() const { return FForms; }

 private:
  std::vector<TCustomForm*> FForms;
  mutable std::vector<TMonitor*> FMonitors;
  mutable TStringList* FFonts = nullptr;
  TCustomForm* FActiveForm = nullptr;
  TFont* FHintFont;
  TFont* FMenuFont;
  TFont* FIconFont;
  TFont* FMessageFont;
  TCursor FCursor = crDefault;
};

// The process's application and screen objects, made on first use (they make the Qt
// application too).
extern TApplication* Application;
extern TScreen* Screen;
TApplication* QelApplication();
TScreen* QelScreen();

// The form a control is on, or null; ATopForm: the outermost form.
TCustomForm* GetParentForm(TControl* AControl, bool ATopForm = true);
TCustomForm* ValidParentForm(TControl* AControl, bool ATopForm = true);

// For programs that run scripts: waits while a form is shown (never without a display), then
// frees the forms and stops the timers, before the scripts that handle their events go.
void QelRunFormsUntilClosed();
void QelFreeScriptForms();
// Stops every timer and clears its handler (ExtCtrls).
void QelStopScriptTimers();
// Enabled timers with a handler (ExtCtrls keeps the count): a headless loop runs while there is one.
int& QelActiveTimers();
