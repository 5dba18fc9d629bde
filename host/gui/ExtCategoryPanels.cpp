// Category panels and their groups.
#include <algorithm>

#include "host/gui/ExtCtrls.h"

TCategoryPanelSurface::TCategoryPanelSurface(TComponent* AOwner) : TCustomPanel(AOwner) {
  SetBevelOuter(bvNone);
  SetShowCaption(false);
}

TCustomCategoryPanel::TCustomCategoryPanel(TComponent* AOwner)
    : TCustomPanel(AOwner), FSurface(new TCategoryPanelSurface(this)) {
  SetBevelOuter(bvNone);
  SetShowCaption(false);
  SetAlign(alTop);
  SetBounds(0, 0, 185, FExpandedHeight);
  FSurface->SetAlign(alClient);
  FSurface->SetParent(this);
}

void TCustomCategoryPanel::Notification(TComponent* AComponent, TOperation AOperation) {
  TCustomPanel::Notification(AComponent, AOperation);
  if (AOperation == opRemove && AComponent == FSurface) FSurface = nullptr;
}

TCustomCategoryPanelGroup* TCustomCategoryPanel::GetPanelGroup() const {
  return dynamic_cast<TCustomCategoryPanelGroup*>(GetParent());
}

void TCustomCategoryPanel::SetPanelGroup(TCustomCategoryPanelGroup* AValue) { SetParent(AValue); }

int TCustomCategoryPanel::HeaderHeight() const {
  TCustomCategoryPanelGroup* group = GetPanelGroup();
  return group ? group->GetHeaderHeight() : 24;
}

// Heights set while expanded are the expanded height; a collapsed panel keeps the header's.
void TCustomCategoryPanel::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  if (!FResizing) {
    if (FCollapsed) AHeight = HeaderHeight();
    else FExpandedHeight = AHeight;
  }
  TCustomPanel::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TCustomCategoryPanel::SetCollapsed(bool AValue) {
  if (AValue == FCollapsed) return;
  FCollapsed = AValue;
  FResizing = true;
  struct TReset {
    bool& Flag;
    ~TReset() { Flag = false; }
  } reset{FResizing};
  SetHeight(AValue ? HeaderHeight() : FExpandedHeight);
  if (AValue) OnCollapse(this);
  else OnExpand(this);
}

void TCustomCategoryPanel::HeaderHeightChanged() {
  if (FCollapsed) {
    FResizing = true;
    SetHeight(HeaderHeight());
    FResizing = false;
  }
  Realign();
  Invalidate();
}

void TCustomCategoryPanel::AdjustClientRect(TRect& ARect) const {
  TCustomPanel::AdjustClientRect(ARect);
  ARect.Top = std::min(ARect.Bottom, ARect.Top + HeaderHeight());
}

void TCustomCategoryPanel::Paint() {
  TCanvas* canvas = GetCanvas();
  const int header = HeaderHeight();
  canvas->GetBrush()->SetColor(clBtnFace);
  canvas->FillRect({0, 0, GetWidth(), header});
  canvas->GetPen()->SetColor(clBtnShadow);
  canvas->MoveTo(0, header - 1);
  canvas->LineTo(GetWidth(), header - 1);
  canvas->GetBrush()->SetStyle(bsClear);
  canvas->TextOut(6, (header - canvas->TextHeight(GetCaption())) / 2, GetCaption());
  // The chevron: pointing down to expand, up to collapse.
  const int cx = GetWidth() - 14, cy = header / 2;
  canvas->GetPen()->SetColor(clBtnText);
  for (int i = 0; i < 4; ++i) {
    const int y = FCollapsed ? cy - 2 + i : cy + 1 - i;
    canvas->MoveTo(cx - 3 + i, y);
    canvas->LineTo(cx + 4 - i, y);
  }
}

void TCustomCategoryPanel::MouseDown(TMouseButton AButton, TShiftState AShift, int X, int Y) {
  TCustomPanel::MouseDown(AButton, AShift, X, Y);
  if (AButton == mbLeft && Y < HeaderHeight()) SetCollapsed(!FCollapsed);
}

// ---- groups -------------------------------------------------------------------------

TCustomCategoryPanelGroup::TCustomCategoryPanelGroup(TComponent* AOwner)
    : TScrollingWinControl(AOwner) {
  SetBounds(0, 0, 200, 400);
}

template <class F>
void TCustomCategoryPanelGroup::ForEachPanel(F&& AAction) {
  std::vector<TCustomCategoryPanel*> panels;
  for (int i = 0; i < GetControlCount(); ++i) {
    if (auto* panel = dynamic_cast<TCustomCategoryPanel*>(GetControls(i))) panels.push_back(panel);
  }
  for (TCustomCategoryPanel* panel : panels) AAction(panel);
}

int TCustomCategoryPanelGroup::GetPanelCount() const {
  int count = 0;
  for (int i = 0; i < GetControlCount(); ++i)
    count += dynamic_cast<TCustomCategoryPanel*>(GetControls(i)) ? 1 : 0;
  return count;
}

void TCustomCategoryPanelGroup::SetHeaderHeight(int AValue) {
  FHeaderHeight = std::max(1, AValue);
  ForEachPanel([](TCustomCategoryPanel* APanel) { APanel->HeaderHeightChanged(); });
}

TCustomCategoryPanel* TCustomCategoryPanelGroup::CreatePanel(TComponent* AOwner) {
  auto* panel = new TCategoryPanel(AOwner);
  // Below the last panel: alTop places by position.
  panel->SetTop(GetClientHeight() + 100000);
  panel->SetParent(this);
  return panel;
}

void TCustomCategoryPanelGroup::CollapseAll() {
  ForEachPanel([](TCustomCategoryPanel* APanel) { APanel->Collapse(); });
}
void TCustomCategoryPanelGroup::ExpandAll() {
  ForEachPanel([](TCustomCategoryPanel* APanel) { APanel->Expand(); });
}
