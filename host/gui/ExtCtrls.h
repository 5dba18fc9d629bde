// Host unit "ExtCtrls": panels, timers, paint boxes, images, shapes and bevels.
#pragma once

#include "host/core/UnitData.h"

#include "host/gui/StdCtrls.h"

class QTimer;


class TCustomPanel : public TCustomControl {
  QEL_CLASS(TCustomPanel, TCustomControl)
 public:
  explicit TCustomPanel(TComponent* AOwner);
  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment AValue);
  TTextLayout GetVerticalAlignment() const { return FVerticalAlignment; }
  void SetVerticalAlignment(TTextLayout AValue);
  TBorderStyle GetBorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle AValue);
  bool GetShowCaption() const { return FShowCaption; }
  void SetShowCaption(bool AValue);
  bool GetFullRepaint() const { return FFullRepaint; }
  void SetFullRepaint(bool AValue) { FFullRepaint = AValue; }
  bool GetParentBackground() const { return FParentBackground; }
  void SetParentBackground(bool AValue) { FParentBackground = AValue; }

 protected:
  void Paint() override;
  void TextChanged() override { Invalidate(); }
  void AdjustClientRect(TRect& ARect) const override;

 private:
  TAlignment FAlignment = taCenter;
  TTextLayout FVerticalAlignment = tlCenter;
  TBorderStyle FBorderStyle = bsNone;
  bool FShowCaption = true;
  bool FFullRepaint = true;
  bool FParentBackground = true;
};

class TPanel : public TCustomPanel {
  QEL_CLASS(TPanel, TCustomPanel)
 public:
  explicit TPanel(TComponent* AOwner) : TCustomPanel(AOwner) {}
};

class TTimer : public TComponent {
  QEL_CLASS(TTimer, TComponent)
 public:
  explicit TTimer(TComponent* AOwner);
  ~TTimer() override;
  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool AValue);
  uint32_t GetInterval() const { return FInterval; }
  void SetInterval(uint32_t AValue);
  TNotifyEvent OnTimer;

 protected:
  virtual void Timer() { OnTimer(this); }

 private:
  void Update();
  QTimer* FTimer;
  uint32_t FInterval = 1000;
  bool FEnabled = true;
  bool FCounted = false;
};

class TPaintBox : public TGraphicControl {
  QEL_CLASS(TPaintBox, TGraphicControl)
 public:
  explicit TPaintBox(TComponent* AOwner);
  TNotifyEvent OnPaint;

 protected:
  void Paint() override { OnPaint(this); }
};

class TImage : public TGraphicControl {
  QEL_CLASS(TImage, TGraphicControl)
 public:
  explicit TImage(TComponent* AOwner);
  ~TImage() override;
  TPicture* GetPicture() const { return FPicture; }
  void SetPicture(TPicture* AValue) { FPicture->Assign(AValue); }
  // Drawing on the image's canvas draws on its picture's bitmap (made to the control's size).
  TCanvas* GetImageCanvas();
  bool GetStretch() const { return FStretch; }
  void SetStretch(bool AValue) { FStretch = AValue; Invalidate(); }
  bool GetCenter() const { return FCenter; }
  void SetCenter(bool AValue) { FCenter = AValue; Invalidate(); }
  bool GetProportional() const { return FProportional; }
  void SetProportional(bool AValue) { FProportional = AValue; Invalidate(); }
  bool GetTransparent() const { return FTransparent; }
  void SetTransparent(bool AValue) { FTransparent = AValue; Invalidate(); }
  TNotifyEvent OnProgress;

 protected:
  void Paint() override;

 private:
  void PictureChanged(TObject*);
  TRect DestRect() const;
  TPicture* FPicture;
  bool FStretch = false;
  bool FCenter = false;
  bool FProportional = false;
  bool FTransparent = false;
};

class TShape : public TGraphicControl {
  QEL_CLASS(TShape, TGraphicControl)
 public:
  explicit TShape(TComponent* AOwner);
  ~TShape() override;
  TShapeType GetShape() const { return FShape; }
  void SetShape(TShapeType AValue) { FShape = AValue; Invalidate(); }
  TPen* GetPen() const { return FPen; }
  void SetPen(TPen* AValue) { FPen->Assign(AValue); }
  TBrush* GetBrush() const { return FBrush; }
  void SetBrush(TBrush* AValue) { FBrush->Assign(AValue); }

 protected:
  void Paint() override;

 private:
  void StyleChanged(TObject*) { Invalidate(); }
  TPen* FPen;
  TBrush* FBrush;
  TShapeType FShape = stRectangle;
};

class TBevel : public TGraphicControl {
  QEL_CLASS(TBevel, TGraphicControl)
 public:
  explicit TBevel(TComponent* AOwner);
  TBevelShape GetShape() const { return FShape; }
  void SetShape(TBevelShape AValue) { FShape = AValue; Invalidate(); }
  TBevelStyle GetStyle() const { return FStyle; }
  void SetStyle(TBevelStyle AValue) { FStyle = AValue; Invalidate(); }

 protected:
  void Paint() override;

 private:
  TBevelShape FShape = bsBox;
  TBevelStyle FStyle = bsLowered;
};

QEL_EVENT_TYPE(TCanResizeSplitEvent, void(TObject* Sender, int& NewSize, bool& Accept));

// A bar between an aligned control and the rest of its parent: dragging it resizes that
// control (the one aligned to the same side just before the splitter).
class TSplitter : public TGraphicControl {
  QEL_CLASS(TSplitter, TGraphicControl)
 public:
  explicit TSplitter(TComponent* AOwner);
  bool GetBeveled() const { return FBeveled; }
  void SetBeveled(bool AValue) { FBeveled = AValue; Invalidate(); }
  // The smallest size the resized control and the rest of the parent keep.
  int GetMinSize() const { return FMinSize; }
  void SetMinSize(int AValue) { FMinSize = AValue; }
  bool GetAutoSnap() const { return FAutoSnap; }
  void SetAutoSnap(bool AValue) { FAutoSnap = AValue; }
  TResizeStyle GetResizeStyle() const { return FResizeStyle; }
  void SetResizeStyle(TResizeStyle AValue) { FResizeStyle = AValue; }
  // The control the splitter resizes, or null.
  TControl* FindControl() const;
  // Moves the splitter by ADelta pixels across its side, as a drag would.
  void MoveBy(int ADelta);
  TCanResizeSplitEvent OnCanResize;
  TNotifyEvent OnMoved;

 protected:
  void Paint() override;
  void MouseDown(TMouseButton AButton, TShiftState AShift, int X, int Y) override;
  void MouseMove(TShiftState AShift, int X, int Y) override;
  void MouseUp(TMouseButton AButton, TShiftState AShift, int X, int Y) override;

 private:
  bool Horizontal() const { return GetAlign() == alTop || GetAlign() == alBottom; }
  TPoint FDownAt;
  bool FDragging = false;
  bool FBeveled = false;
  bool FAutoSnap = true;
  int FMinSize = 30;
  TResizeStyle FResizeStyle = rsPattern;
};
