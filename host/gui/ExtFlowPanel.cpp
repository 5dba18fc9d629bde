// Flow panels.
#include <algorithm>

#include "host/gui/ExtCtrls.h"

const std::vector<TControl*>& TCustomFlowPanel::Order() const {
  std::erase_if(FOrder, [this](TControl* AControl) {
    for (int i = 0; i < GetControlCount(); ++i) {
      if (GetControls(i) == AControl) return false;
    }
    return true;
  });
  for (int i = 0; i < GetControlCount(); ++i) {
    TControl* control = GetControls(i);
    if (std::find(FOrder.begin(), FOrder.end(), control) == FOrder.end()) FOrder.push_back(control);
  }
  return FOrder;
}

int TCustomFlowPanel::GetControlIndex(TControl* AControl) const {
  const auto& order = Order();
  auto it = std::find(order.begin(), order.end(), AControl);
  return it == order.end() ? -1 : static_cast<int>(it - order.begin());
}

void TCustomFlowPanel::SetControlIndex(TControl* AControl, int AIndex) {
  const int current = GetControlIndex(AControl);
  if (current < 0) return;
  FOrder.erase(FOrder.begin() + current);
  AIndex = std::clamp(AIndex, 0, static_cast<int>(FOrder.size()));
  FOrder.insert(FOrder.begin() + AIndex, AControl);
  Realign();
}

// Lays the children out along the flow's main axis (rows for the left-right styles, columns for
// the top-bottom ones), starting a new line when the next child would pass the edge (AutoWrap).
// Positions are computed for the forward directions and mirrored for the reversed ones.
void TCustomFlowPanel::AlignControls() {
  TCustomPanel::AlignControls();
  if (GetAlignDisabled()) return;
  TRect rect = GetClientRect();
  AdjustClientRect(rect);
  const TFlowStyle style = FFlowStyle;
  const bool vertical = style >= fsTopBottomLeftRight;
  const bool mainReversed = style == fsRightLeftTopBottom || style == fsRightLeftBottomTop ||
                            style == fsBottomTopLeftRight || style == fsBottomTopRightLeft;
  const bool crossReversed = style == fsLeftRightBottomTop || style == fsRightLeftBottomTop ||
                             style == fsTopBottomRightLeft || style == fsBottomTopRightLeft;
  const int mainExtent = vertical ? rect.Height() : rect.Width();
  const int crossExtent = vertical ? rect.Width() : rect.Height();
  int mainPos = 0, crossPos = 0, lineSize = 0;
  for (TControl* control : Order()) {
    if (!control->GetVisible() || control->GetAlign() != alNone) continue;
    TMargins* m = control->GetMargins();
    const bool useMargins = control->GetAlignWithMargins();
    const int ml = useMargins ? m->GetLeft() : 0, mt = useMargins ? m->GetTop() : 0;
    const int mr = useMargins ? m->GetRight() : 0, mb = useMargins ? m->GetBottom() : 0;
    const int width = control->GetWidth(), height = control->GetHeight();
    const int mainSize = vertical ? height + mt + mb : width + ml + mr;
    const int crossSize = vertical ? width + ml + mr : height + mt + mb;
    if (FAutoWrap && mainPos > 0 && mainPos + mainSize > mainExtent) {
      mainPos = 0;
      crossPos += lineSize;
      lineSize = 0;
    }
    const int mainAt = mainReversed ? mainExtent - mainPos - mainSize : mainPos;
    const int crossAt = crossReversed ? crossExtent - crossPos - crossSize : crossPos;
    const int x = rect.Left + (vertical ? crossAt : mainAt) + ml,
              y = rect.Top + (vertical ? mainAt : crossAt) + mt;
    control->SetBounds(x, y, width, height);
    mainPos += mainSize;
    lineSize = std::max(lineSize, crossSize);
  }
}
