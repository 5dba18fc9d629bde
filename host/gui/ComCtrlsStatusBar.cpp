// Status bars: the simple text or the panels, painted through the bar's canvas.
#include <QPainter>
#include <algorithm>

#include "host/gui/ComCtrls.h"
#include "host/gui/QelWidgets.h"

// ---- panels ---------------------------------------------------------------

void TStatusPanel::Assign(TPersistent* ASource) {
  auto* source = dynamic_cast<TStatusPanel*>(ASource);
  if (!source) return TCollectionItem::Assign(ASource);
  FText = source->FText;
  FWidth = source->FWidth;
  FAlignment = source->FAlignment;
  FStyle = source->FStyle;
  FBevel = source->FBevel;
  Changed();
}

void TStatusPanel::SetText(const String& AValue) { FText = AValue; Changed(); }
void TStatusPanel::SetWidth(int AValue) { FWidth = AValue; Changed(); }
void TStatusPanel::SetAlignment(TAlignment AValue) { FAlignment = AValue; Changed(); }
void TStatusPanel::SetStyle(TStatusPanelStyle AValue) { FStyle = AValue; Changed(); }
void TStatusPanel::SetBevel(TStatusPanelBevel AValue) { FBevel = AValue; Changed(); }

void TStatusPanel::Changed() {
  if (TCollection* panels = GetCollection())
    if (auto* bar = dynamic_cast<TCustomStatusBar*>(panels->GetOwner())) bar->Invalidate();
}

TStatusPanels::TStatusPanels(TCustomStatusBar* AOwner) : TCollection(TStatusPanel::StaticClass()), FOwner(AOwner) {}
TPersistent* TStatusPanels::GetOwner() const { return FOwner; }

void TStatusPanels::Changed() {
  TCollection::Changed();
  if (GetUpdateCount() == 0) FOwner->Invalidate();
}

// ---- the bar --------------------------------------------------------------

TCustomStatusBar::TCustomStatusBar(TComponent* AOwner)
    : TWinControl(AOwner, QelBridged<QWidget>()), FPanels(new TStatusPanels(this)), FCanvas(new TControlCanvas) {
  FCanvas->SetControl(this);
  SetBounds(0, 0, 0, 19);
  SetAlign(alBottom);
}

TCustomStatusBar::~TCustomStatusBar() {
  delete FPanels;
  delete FCanvas;
}

void TCustomStatusBar::SetSimplePanel(bool AValue) {
  FSimplePanel = AValue;
  Invalidate();
}

// The text shows at once: a host sets it before a long operation that lets no paint through.
void TCustomStatusBar::SetSimpleText(const String& AValue) {
  FSimpleText = AValue;
  if (FSimplePanel) Repaint();
}

void TCustomStatusBar::SetSizeGrip(bool AValue) {
  FSizeGrip = AValue;
  Invalidate();
}

TRect TCustomStatusBar::PanelRect(int AIndex) const {
  if (AIndex < 0 || AIndex >= FPanels->GetCount()) QelRaiseListIndex(AIndex);
  int left = 0;
  for (int i = 0; i < AIndex; ++i) left += FPanels->GetItems(i)->GetWidth();
  const bool last = AIndex == FPanels->GetCount() - 1;
  const int right = last ? GetClientWidth() : left + FPanels->GetItems(AIndex)->GetWidth();
  return {left, 0, std::max(left, right), GetClientHeight()};
}

void TCustomStatusBar::PaintPanel(const TRect& ARect, const String& AText, TAlignment AAlignment,
                                  TStatusPanelBevel ABevel) {
  if (ABevel != pbNone) {
    FCanvas->GetPen()->SetColor(ABevel == pbLowered ? clBtnShadow : clBtnHighlight);
    FCanvas->MoveTo(ARect.Left, ARect.Bottom - 2);
    FCanvas->LineTo(ARect.Left, ARect.Top + 1);
    FCanvas->LineTo(ARect.Right - 2, ARect.Top + 1);
    FCanvas->GetPen()->SetColor(ABevel == pbLowered ? clBtnHighlight : clBtnShadow);
    FCanvas->LineTo(ARect.Right - 2, ARect.Bottom - 2);
    FCanvas->LineTo(ARect.Left, ARect.Bottom - 2);
  }
  if (AText.empty()) return;
  FCanvas->GetBrush()->SetStyle(bsClear);
  const TSize size = FCanvas->TextExtent(AText);
  const int x = AAlignment == taLeftJustify    ? ARect.Left + 4
                : AAlignment == taRightJustify ? ARect.Right - size.cx - 4
                                               : ARect.Left + (ARect.Width() - size.cx) / 2;
  const TRect inner{ARect.Left + 2, ARect.Top + 2, ARect.Right - 3, ARect.Bottom - 2};
  FCanvas->TextRect(inner, x, ARect.Top + (ARect.Height() - size.cy) / 2, AText);
}

void TCustomStatusBar::WidgetPainted(QPainter& APainter) {
  FCanvas->GetFont()->Assign(GetFont());
  FCanvas->BeginPaint(&APainter);
  try {
    if (FSimplePanel || FPanels->GetCount() == 0) {
      PaintPanel(GetClientRect(), FSimplePanel ? FSimpleText : String(), taLeftJustify,
                 FSimplePanel ? pbLowered : pbNone);
    } else {
      for (int i = 0; i < FPanels->GetCount(); ++i) {
        TStatusPanel* panel = FPanels->GetItems(i);
        const TRect rect = PanelRect(i);
        if (panel->GetStyle() == psOwnerDraw) OnDrawPanel(this, panel, rect);
        else PaintPanel(rect, panel->GetText(), panel->GetAlignment(), panel->GetBevel());
      }
    }
  } catch (...) {
    FCanvas->EndPaint();
    throw;
  }
  FCanvas->EndPaint();
}
