// Host unit "ToolWin": the windowed control with drawn edges that tool bars are made of, and
// the floating form docked tool windows live in.
#pragma once

#include "host/core/UnitData.h"

#include "host/gui/Forms.h"

class TToolWindow : public TWinControl {
  QEL_CLASS(TToolWindow, TWinControl)
 public:
  explicit TToolWindow(TComponent* AOwner);
  ~TToolWindow() override;
  TEdgeBorders GetEdgeBorders() const { return FEdgeBorders; }
  void SetEdgeBorders(TEdgeBorders AValue) { FEdgeBorders = AValue; EdgesChanged(); }
  TEdgeStyle GetEdgeInner() const { return FEdgeInner; }
  void SetEdgeInner(TEdgeStyle AValue) { FEdgeInner = AValue; EdgesChanged(); }
  TEdgeStyle GetEdgeOuter() const { return FEdgeOuter; }
  void SetEdgeOuter(TEdgeStyle AValue) { FEdgeOuter = AValue; EdgesChanged(); }
  // The pixels the edges take on one side (0 to 2).
  int EdgeWidth(TEdgeBorder ASide) const;
  TCanvas* GetCanvas() const { return FCanvas; }
  void WidgetPainted(QPainter& APainter) override;

 protected:
  TToolWindow(TComponent* AOwner, QWidget* AWidget);
  // The edges are inside the client area: aligned children start within them.
  void AdjustClientRect(TRect& ARect) const override;
  virtual void Paint();

 private:
  void EdgesChanged();
  TControlCanvas* FCanvas;
  TEdgeBorders FEdgeBorders{ebLeft, ebTop, ebRight, ebBottom};
  TEdgeStyle FEdgeInner = esRaised;
  TEdgeStyle FEdgeOuter = esLowered;
};

// The small form a tool window floats in.
class TToolDockForm : public TCustomDockForm {
  QEL_CLASS(TToolDockForm, TCustomDockForm)
 public:
  explicit TToolDockForm(TComponent* AOwner);
};
