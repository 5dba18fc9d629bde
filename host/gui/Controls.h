// Host unit "Controls": controls, windowed controls and their geometry, focus and input events.
//
// Every control owns one Qt widget. Geometry is the library's own: Left/Top/Width/Height,
// Align (laid out alTop, alBottom, alLeft, alRight, alClient, each group in position order),
// Anchors and Constraints are computed here and pushed onto the widgets; Qt layouts are not
// used. Input reaches the events through Qt's events, so simulated input (Perform) runs the
// same road as a user's.
#pragma once

#include "host/core/UnitData.h"

#include <vector>

#include "host/core/Dialogs.h"
#include "host/gui/Graphics.h"

class QWidget;
class QEvent;
class QPainter;

using TBorderStyle = TFormBorderStyle;  // bsNone and bsSingle

using TCursor = int16_t;
inline constexpr TCursor crDefault = 0, crNone = -1, crArrow = -2, crCross = -3, crIBeam = -4, crSize = -22,
                         crSizeNESW = -6, crSizeNS = -7, crSizeNWSE = -8, crSizeWE = -9, crUpArrow = -10,
                         crHourGlass = -11, crDrag = -12, crNoDrop = -13, crHSplit = -14, crVSplit = -15,
                         crMultiDrag = -16, crSQLWait = -17, crNo = -18, crAppStart = -19, crHelp = -20,
                         crHandPoint = -21, crSizeAll = -22;

// Keys, as virtual key codes.
inline constexpr uint16_t VK_BACK = 8, VK_TAB = 9, VK_RETURN = 13, VK_SHIFT = 16, VK_CONTROL = 17, VK_MENU = 18,
                          VK_ESCAPE = 27, VK_SPACE = 32, VK_PRIOR = 33, VK_NEXT = 34, VK_END = 35, VK_HOME = 36,
                          VK_LEFT = 37, VK_UP = 38, VK_RIGHT = 39, VK_DOWN = 40, VK_INSERT = 45, VK_DELETE = 46,
                          VK_F1 = 112;
// Window messages that Perform turns into Qt input events.
inline constexpr uint32_t WM_KEYDOWN = 0x0100, WM_KEYUP = 0x0101, WM_CHAR = 0x0102, WM_MOUSEMOVE = 0x0200,
                          WM_LBUTTONDOWN = 0x0201, WM_LBUTTONUP = 0x0202, WM_LBUTTONDBLCLK = 0x0203,
                          WM_RBUTTONDOWN = 0x0204, WM_RBUTTONUP = 0x0205, WM_MBUTTONDOWN = 0x0207,
                          WM_MBUTTONUP = 0x0208, WM_MOUSEWHEEL = 0x020A, WM_SETFOCUS = 0x0007, WM_KILLFOCUS = 0x0008;
inline constexpr uint32_t MK_LBUTTON = 1, MK_RBUTTON = 2, MK_SHIFT = 4, MK_CONTROL = 8, MK_MBUTTON = 0x10;

QEL_EVENT_TYPE(TMouseEvent, void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y));
QEL_EVENT_TYPE(TMouseMoveEvent, void(TObject* Sender, TShiftState Shift, int X, int Y));
QEL_EVENT_TYPE(TKeyEvent, void(TObject* Sender, uint16_t& Key, TShiftState Shift));
QEL_EVENT_TYPE(TKeyPressEvent, void(TObject* Sender, char16_t& Key));
QEL_EVENT_TYPE(TCanResizeEvent, void(TObject* Sender, int& NewWidth, int& NewHeight, bool& Resize));
QEL_EVENT_TYPE(TMouseWheelUpDownEvent, void(TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled));
QEL_EVENT_TYPE(TMouseWheelEvent,
               void(TObject* Sender, TShiftState Shift, int WheelDelta, TPoint MousePos, bool& Handled));

class TWinControl;
class TCustomForm;
class TPopupMenu;
class TControlCanvas;
class TBasicAction;
class TControlActionLink;

// ---------------------------------------------------------------------------
// Constraints and margins

class TSizeConstraints : public TPersistent {
  QEL_CLASS(TSizeConstraints, TPersistent)
 public:
  TSizeConstraints() = default;
  void Assign(TPersistent* ASource) override;
  int GetMinWidth() const { return FMinWidth; }
  void SetMinWidth(int AValue);
  int GetMinHeight() const { return FMinHeight; }
  void SetMinHeight(int AValue);
  int GetMaxWidth() const { return FMaxWidth; }
  void SetMaxWidth(int AValue);
  int GetMaxHeight() const { return FMaxHeight; }
  void SetMaxHeight(int AValue);
  // AWidth and AHeight within the limits (0 means no limit).
  void Apply(int& AWidth, int& AHeight) const;
  TNotifyEvent OnChange;

 private:
  void Set(int& AField, int AValue);
  int FMinWidth = 0, FMinHeight = 0, FMaxWidth = 0, FMaxHeight = 0;
};

class TMargins : public TPersistent {
  QEL_CLASS(TMargins, TPersistent)
 public:
  TMargins() = default;
  void Assign(TPersistent* ASource) override;
  int GetLeft() const { return FLeft; }
  void SetLeft(int AValue) { Set(FLeft, AValue); }
  int GetTop() const { return FTop; }
  void SetTop(int AValue) { Set(FTop, AValue); }
  int GetRight() const { return FRight; }
  void SetRight(int AValue) { Set(FRight, AValue); }
  int GetBottom() const { return FBottom; }
  void SetBottom(int AValue) { Set(FBottom, AValue); }
  void SetBounds(int ALeft, int ATop, int ARight, int ABottom);
  TNotifyEvent OnChange;

 protected:
  explicit TMargins(int ADefault) : FLeft(ADefault), FTop(ADefault), FRight(ADefault), FBottom(ADefault) {}

 private:
  void Set(int& AField, int AValue);
  int FLeft = 3, FTop = 3, FRight = 3, FBottom = 3;
};

class TPadding : public TMargins {
  QEL_CLASS(TPadding, TMargins)
 public:
  TPadding() : TMargins(0) {}
};

// ---------------------------------------------------------------------------
// Controls

class TControl : public TComponent {
  QEL_CLASS(TControl, TComponent)
 public:
  explicit TControl(TComponent* AOwner);
  ~TControl() override;

  TWinControl* GetParent() const { return FParent; }
  virtual void SetParent(TWinControl* AParent);

  int GetLeft() const { return FLeft; }
  void SetLeft(int AValue) { SetBounds(AValue, FTop, FWidth, FHeight); }
  int GetTop() const { return FTop; }
  void SetTop(int AValue) { SetBounds(FLeft, AValue, FWidth, FHeight); }
  int GetWidth() const { return FWidth; }
  void SetWidth(int AValue) { SetBounds(FLeft, FTop, AValue, FHeight); }
  int GetHeight() const { return FHeight; }
  void SetHeight(int AValue) { SetBounds(FLeft, FTop, FWidth, AValue); }
  virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
  TRect GetBoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
  void SetBoundsRect(const TRect& ARect) { SetBounds(ARect.Left, ARect.Top, ARect.Width(), ARect.Height()); }
  virtual int GetClientWidth() const { return FWidth; }
  void SetClientWidth(int AValue) { SetWidth(FWidth - GetClientWidth() + AValue); }
  virtual int GetClientHeight() const { return FHeight; }
  void SetClientHeight(int AValue) { SetHeight(FHeight - GetClientHeight() + AValue); }
  TRect GetClientRect() const { return {0, 0, GetClientWidth(), GetClientHeight()}; }
  TPoint GetClientOrigin() const;
  TPoint ClientToScreen(const TPoint& APoint) const;
  TPoint ScreenToClient(const TPoint& APoint) const;
  TPoint ClientToParent(const TPoint& APoint, TWinControl* AParent) const;

  TAlign GetAlign() const { return FAlign; }
  void SetAlign(TAlign AValue);
  TAnchors GetAnchors() const { return FAnchors; }
  void SetAnchors(TAnchors AValue) { FAnchors = AValue; }
  TSizeConstraints* GetConstraints() const { return FConstraints; }
  void SetConstraints(TSizeConstraints* AValue) { FConstraints->Assign(AValue); }
  TMargins* GetMargins() const { return FMargins; }
  void SetMargins(TMargins* AValue) { FMargins->Assign(AValue); }
  bool GetAlignWithMargins() const { return FAlignWithMargins; }
  void SetAlignWithMargins(bool AValue);

  bool GetVisible() const { return FVisible; }
  void SetVisible(bool AValue);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible here and in every parent.
  bool GetShowing() const;
  bool GetEnabled() const { return FEnabled; }
  virtual void SetEnabled(bool AValue);

  TFont* GetFont() const { return FFont; }
  void SetFont(TFont* AValue) { FFont->Assign(AValue); }
  bool GetParentFont() const { return FParentFont; }
  void SetParentFont(bool AValue);
  TColor GetColor() const { return FColor; }
  void SetColor(TColor AValue);
  bool GetParentColor() const { return FParentColor; }
  void SetParentColor(bool AValue);

  // Caption and Text are the same string.
  virtual String GetText() const { return FText; }
  virtual void SetText(const String& AValue);
  String GetCaption() const { return GetText(); }
  void SetCaption(const String& AValue) { SetText(AValue); }
  int GetTextLen() const { return static_cast<int>(GetText().size()); }
  const String& GetHint() const { return FHint; }
  void SetHint(const String& AValue);
  bool GetShowHint() const { return FShowHint; }
  void SetShowHint(bool AValue) { FShowHint = AValue; FParentShowHint = false; }
  bool GetParentShowHint() const { return FParentShowHint; }
  void SetParentShowHint(bool AValue) { FParentShowHint = AValue; }
  TCursor GetCursor() const { return FCursor; }
  void SetCursor(TCursor AValue);
  // Defined with the menus (Menus.h).
  TPopupMenu* GetPopupMenu() const;
  void SetPopupMenu(TPopupMenu* AValue);
  bool GetAutoSize() const { return FAutoSize; }
  virtual void SetAutoSize(bool AValue);
  TDragMode GetDragMode() const { return FDragMode; }
  void SetDragMode(TDragMode AValue) { FDragMode = AValue; }
  TDragKind GetDragKind() const { return FDragKind; }
  void SetDragKind(TDragKind AValue) { FDragKind = AValue; }
  bool GetIsControl() const { return FIsControl; }
  void SetIsControl(bool AValue) { FIsControl = AValue; }
  // Defined with the actions (ActnList.h): the control shows the action and runs it when clicked.
  TBasicAction* GetAction() const;
  void SetAction(TBasicAction* AValue);

  // The library's triggers: they run the events as user input would.
  virtual void Click();
  virtual void DblClick();
  void Invalidate();
  void Repaint();
  void Refresh() { Repaint(); }
  void Update();
  void BringToFront();
  void SendToBack();
  bool HasParent() const { return FParent != nullptr; }
  // Sends a window message as the matching Qt input event (keys, characters, mouse buttons
  // and moves, focus); returns 0.
  intptr_t Perform(uint32_t AMsg, uintptr_t AWParam, intptr_t ALParam);
  // The form this control is on (itself for a form), or null.
  TCustomForm* GetParentForm() const;

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TNotifyEvent OnResize;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;
  TCanResizeEvent OnCanResize;
  // The wheel turned over the control (MousePos on the screen; a delta of 120 is one notch,
  // positive away from the user): OnMouseWheel first, then OnMouseWheelUp or OnMouseWheelDown
  // unless it was handled. A handled turn does not scroll the control.
  TMouseWheelEvent OnMouseWheel;
  TMouseWheelUpDownEvent OnMouseWheelUp;
  TMouseWheelUpDownEvent OnMouseWheelDown;

  // The Qt side.
  QWidget* Widget() const { return FWidget; }
  // Called by the widget bridge for every event; true when the control consumed it.
  virtual bool WidgetEvent(QEvent* AEvent);
  // Called after the widget painted itself (inside its paint event).
  virtual void WidgetPainted(QPainter& APainter) {}

  static void QelRegisterMembers(TClassInfo& AInfo);

 protected:
  // Adopts AWidget (made by the descendant's constructor through QelBridged).
  TControl(TComponent* AOwner, QWidget* AWidget);
  void Notification(TComponent* AComponent, TOperation AOperation) override;

  virtual void Resize() { OnResize(this); }
  virtual void TextChanged() {}
  virtual void FontChanged();
  virtual void ColorChanged();
  virtual bool CanResize(int& ANewWidth, int& ANewHeight);
  virtual void MouseDown(TMouseButton AButton, TShiftState AShift, int X, int Y) { OnMouseDown(this, AButton, AShift, X, Y); }
  virtual void MouseUp(TMouseButton AButton, TShiftState AShift, int X, int Y) { OnMouseUp(this, AButton, AShift, X, Y); }
  virtual void MouseMove(TShiftState AShift, int X, int Y) { OnMouseMove(this, AShift, X, Y); }
  virtual bool DoMouseWheel(TShiftState AShift, int AWheelDelta, const TPoint& AMousePos);
  // Controls whose widget reports clicks itself (buttons, check boxes) do not click on mouse up.
  virtual bool ClicksOnMouseUp() const { return true; }
  // The widget's position and size from the control's geometry.
  void UpdateWidgetGeometry();
  virtual void UpdateWidgetVisibility();
  // Geometry from alignment: no new alignment of the parent.
  void SetAlignedBounds(int ALeft, int ATop, int AWidth, int AHeight);
  void ParentFontChanged(TFont* AFont);
  void ParentColorChanged(TColor AColor);
  bool IsTopLevel() const;

  TColor FColor = clBtnFace;
  bool FParentColor = true;

 private:
  friend class TWinControl;
  void ObjectChanged(TObject*);
  void ConstraintsChanged(TObject*);
  void MarginsChanged(TObject*);
  void ApplyBounds(int ALeft, int ATop, int AWidth, int AHeight, bool ARealignParent);
  bool MouseEvent(QEvent* AEvent);

  QWidget* FWidget;
  TWinControl* FParent = nullptr;
  int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
  TAlign FAlign = alNone;
  TAnchors FAnchors{akLeft, akTop};
  TSizeConstraints* FConstraints;
  TMargins* FMargins;
  TFont* FFont;
  String FText;
  String FHint;
  TComponent* FPopupMenu = nullptr;  // a TPopupMenu
  TControlActionLink* FActionLink = nullptr;
  TCursor FCursor = crDefault;
  TDragMode FDragMode = dmManual;
  TDragKind FDragKind = dkDrag;
  bool FAlignWithMargins = false;
  bool FVisible = true;
  bool FEnabled = true;
  bool FParentFont = true;
  bool FShowHint = false;
  bool FParentShowHint = true;
  bool FAutoSize = false;
  bool FIsControl = false;
  bool FMousePressed = false;
};

// A windowed control: it has children, takes the focus and receives keys.
class TWinControl : public TControl {
  QEL_CLASS(TWinControl, TControl)
 public:
  explicit TWinControl(TComponent* AOwner);
  ~TWinControl() override;

  int GetControlCount() const { return static_cast<int>(FControls.size()); }
  // Raises EListError "List index out of bounds (%d)".
  TControl* GetControls(int AIndex) const;
  bool ContainsControl(TControl* AControl) const;
  TControl* ControlAtPos(const TPoint& APos, bool AAllowDisabled) const;
  TControl* FindChildControl(std::u16string_view AName) const;
  void InsertControl(TControl* AControl) { AControl->SetParent(this); }
  void RemoveControl(TControl* AControl);

  // Position among the parent's windowed children in the focus order.
  int GetTabOrder() const;
  void SetTabOrder(int AValue);
  bool GetTabStop() const { return FTabStop; }
  void SetTabStop(bool AValue);
  intptr_t GetHandle() const;
  bool HandleAllocated() const { return true; }
  bool GetDoubleBuffered() const { return FDoubleBuffered; }
  void SetDoubleBuffered(bool AValue) { FDoubleBuffered = AValue; }
  bool GetParentDoubleBuffered() const { return FParentDoubleBuffered; }
  void SetParentDoubleBuffered(bool AValue) { FParentDoubleBuffered = AValue; }
  TPadding* GetPadding() const { return FPadding; }
  void SetPadding(TPadding* AValue) { FPadding->Assign(AValue); }
  TBevelCut GetBevelInner() const { return FBevelInner; }
  void SetBevelInner(TBevelCut AValue) { FBevelInner = AValue; Invalidate(); }
  TBevelCut GetBevelOuter() const { return FBevelOuter; }
  void SetBevelOuter(TBevelCut AValue) { FBevelOuter = AValue; Invalidate(); }
  TBevelKind GetBevelKind() const { return FBevelKind; }
  void SetBevelKind(TBevelKind AValue) { FBevelKind = AValue; Invalidate(); }
  int GetBevelWidth() const { return FBevelWidth; }
  void SetBevelWidth(int AValue) { FBevelWidth = AValue; Realign(); }
  int GetBorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(int AValue) { FBorderWidth = AValue; Realign(); }

  // Focus: SetFocus raises EInvalidOperation "Cannot focus a disabled or invisible window".
  virtual bool CanFocus() const;
  bool Focused() const;
  virtual void SetFocus();

  // Alignment of the children (held while DisableAlign is open).
  void DisableAlign() { ++FAlignLevel; }
  void EnableAlign();
  void Realign() { AlignControls(); }
  bool GetAlignDisabled() const { return FAlignLevel > 0; }
  void ScaleBy(int AMultiplier, int ADivider);

  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  TKeyEvent OnKeyDown;
  TKeyEvent OnKeyUp;
  TKeyPressEvent OnKeyPress;

  bool WidgetEvent(QEvent* AEvent) override;

  // Focus changes, told by the form.
  virtual void DoEnter() { OnEnter(this); }
  virtual void DoExit() { OnExit(this); }
  // Key events; each may clear the key. The form's KeyPreview sees them first.
  virtual void KeyDown(uint16_t& AKey, TShiftState AShift) { OnKeyDown(this, AKey, AShift); }
  virtual void KeyUp(uint16_t& AKey, TShiftState AShift) { OnKeyUp(this, AKey, AShift); }
  virtual void KeyPress(char16_t& AKey) { OnKeyPress(this, AKey); }

 protected:
  TWinControl(TComponent* AOwner, QWidget* AWidget);
  // The area the aligned children share, in client coordinates.
  virtual void AdjustClientRect(TRect& ARect) const;
  virtual void AlignControls();
  // The client area changed size: anchored children follow, aligned ones are laid out again.
  void ClientResized(int AOldWidth, int AOldHeight);
  void FontChanged() override;
  void ColorChanged() override;
  // The widget children are placed on (a scroll area's inner widget for some controls).
  virtual QWidget* ClientWidget() const;

 private:
  friend class TControl;
  void AddChild(TControl* AControl);
  void RemoveChild(TControl* AControl);
  void ApplyTabOrder();
  bool KeyEvent(QEvent* AEvent);
  void PaddingChanged(TObject*) { AlignControls(); }

  std::vector<TControl*> FControls;
  std::vector<TWinControl*> FTabList;
  TPadding* FPadding;
  int FAlignLevel = 0;
  bool FAligning = false;
  bool FTabStop = false;
  bool FDoubleBuffered = false;
  bool FParentDoubleBuffered = true;
  TBevelCut FBevelInner = bvRaised;
  TBevelCut FBevelOuter = bvLowered;
  TBevelKind FBevelKind = bkNone;
  int FBevelWidth = 1;
  int FBorderWidth = 0;
};

// The canvas of a control: it draws while the control paints.
class TControlCanvas : public TCanvas {
  QEL_CLASS(TControlCanvas, TCanvas)
 public:
  TControlCanvas() = default;
  TControl* GetControl() const { return FControl; }
  void SetControl(TControl* AValue) { FControl = AValue; }
  void UpdateTextFlags() {}
  void FreeHandle() {}

 private:
  TControl* FControl = nullptr;
};

// A control without a window of its own in the class library; here it still has a widget,
// painted through its canvas.
class TGraphicControl : public TControl {
  QEL_CLASS(TGraphicControl, TControl)
 public:
  explicit TGraphicControl(TComponent* AOwner);
  ~TGraphicControl() override;
  TCanvas* GetCanvas() const { return FCanvas; }
  void WidgetPainted(QPainter& APainter) override;

 protected:
  TGraphicControl(TComponent* AOwner, QWidget* AWidget);
  virtual void Paint() {}

 private:
  TControlCanvas* FCanvas;
};

// A windowed control that paints itself through its canvas.
class TCustomControl : public TWinControl {
  QEL_CLASS(TCustomControl, TWinControl)
 public:
  explicit TCustomControl(TComponent* AOwner);
  ~TCustomControl() override;
  TCanvas* GetCanvas() const { return FCanvas; }
  void WidgetPainted(QPainter& APainter) override;

 protected:
  TCustomControl(TComponent* AOwner, QWidget* AWidget);
  virtual void Paint() {}

 private:
  TControlCanvas* FCanvas;
};

// Base classes of list controls.
class TCustomListControl : public TWinControl {
  QEL_CLASS(TCustomListControl, TWinControl)
 public:
  virtual int GetItemIndex() const = 0;
  virtual void SetItemIndex(int AValue) = 0;
  virtual int GetCount() const = 0;
  virtual void AddItem(const String& AItem, TObject* AObject) = 0;
  virtual void Clear() = 0;
  virtual void ClearSelection() = 0;
  virtual void DeleteSelected() = 0;
  virtual void SelectAll() = 0;

 protected:
  using TWinControl::TWinControl;
};

class TCustomMultiSelectListControl : public TCustomListControl {
  QEL_CLASS(TCustomMultiSelectListControl, TCustomListControl)
 public:
  virtual bool GetMultiSelect() const = 0;
  virtual void SetMultiSelect(bool AValue) = 0;
  virtual int GetSelCount() const = 0;

 protected:
  using TCustomListControl::TCustomListControl;
};

// The mouse as the library sees it.
class TMouse : public TObject {
  QEL_CLASS(TMouse, TObject)
 public:
  TPoint GetCursorPos() const;
  void SetCursorPos(const TPoint& AValue);
  bool GetMousePresent() const { return true; }
  int GetWheelScrollLines() const { return 3; }
  bool GetIsDragging() const { return false; }
  TControl* GetCapture() const { return nullptr; }
};
extern TMouse* Mouse;

// The control under a point on the screen, or null.
TControl* FindDragTarget(const TPoint& APos, bool AAllowDisabled);
// The control that owns a widget, or null.
TControl* FindControl(QWidget* AWidget);
