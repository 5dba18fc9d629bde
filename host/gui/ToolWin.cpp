// Tool windows: edges drawn inside the client area, and the dock form.
#include "host/gui/ToolWin.h"
#include "host/gui/QelWidgets.h"

TToolWindow::TToolWindow(TComponent* AOwner) : TToolWindow(AOwner, QelBridged<QWidget>()) {}

TToolWindow::TToolWindow(TComponent* AOwner, QWidget* AWidget)
    : TWinControl(AOwner, AWidget), FCanvas(new TControlCanvas) {
  FCanvas->SetControl(this);
  SetBounds(0, 0, 150, 29);
}

TToolWindow::~TToolWindow() { delete FCanvas; }

void TToolWindow::EdgesChanged() {
  Realign();
  Invalidate();
}

int TToolWindow::EdgeWidth(TEdgeBorder ASide) const {
  if (!FEdgeBorders.Contains(ASide)) return 0;
  return (FEdgeInner != esNone ? 1 : 0) + (FEdgeOuter != esNone ? 1 : 0);
}

void TToolWindow::AdjustClientRect(TRect& ARect) const {
  TWinControl::AdjustClientRect(ARect);
  ARect.Left += EdgeWidth(ebLeft);
  ARect.Top += EdgeWidth(ebTop);
  ARect.Right -= EdgeWidth(ebRight);
  ARect.Bottom -= EdgeWidth(ebBottom);
}

void TToolWindow::WidgetPainted(QPainter& APainter) {
  FCanvas->BeginPaint(&APainter);
  struct TEnd {
    TControlCanvas* Canvas;
    ~TEnd() { Canvas->EndPaint(); }
  } end{FCanvas};
  Paint();
}

// Each edge style is one line per side: raised is light at the top left and dark at the bottom
// right, lowered the reverse; the outer edge is drawn first, the inner one inside it.
void TToolWindow::Paint() {
  TRect rect = GetClientRect();
  auto edge = [&](TEdgeStyle AStyle) {
    if (AStyle == esNone) return;
    const TColor light = AStyle == esRaised ? clBtnHighlight : clBtnShadow;
    const TColor dark = AStyle == esRaised ? clBtnShadow : clBtnHighlight;
    auto line = [&](TEdgeBorder ASide, TColor AColor, int X1, int Y1, int X2, int Y2) {
      if (!FEdgeBorders.Contains(ASide)) return;
      FCanvas->GetPen()->SetColor(AColor);
      FCanvas->MoveTo(X1, Y1);
      FCanvas->LineTo(X2, Y2);
    };
    line(ebLeft, light, rect.Left, rect.Bottom - 1, rect.Left, rect.Top - 1);
    line(ebTop, light, rect.Left, rect.Top, rect.Right, rect.Top);
    line(ebRight, dark, rect.Right - 1, rect.Top, rect.Right - 1, rect.Bottom);
    line(ebBottom, dark, rect.Left, rect.Bottom - 1, rect.Right, rect.Bottom - 1);
    if (FEdgeBorders.Contains(ebLeft)) ++rect.Left;
    if (FEdgeBorders.Contains(ebTop)) ++rect.Top;
    if (FEdgeBorders.Contains(ebRight)) --rect.Right;
    if (FEdgeBorders.Contains(ebBottom)) --rect.Bottom;
  };
  edge(FEdgeOuter);
  edge(FEdgeInner);
}

TToolDockForm::TToolDockForm(TComponent* AOwner) : TCustomDockForm(AOwner) {}
