// Grid panels, their row, column and control collections.
#include <algorithm>
#include <cmath>

#include "host/gui/ExtCtrls.h"
#include "host/gui/QelQt.h"

// ---- cells ----------------------------------------------------------------------

void TCellItem::Changed() {
  if (auto* cells = dynamic_cast<TCellCollection*>(GetCollection())) cells->ItemChanged();
}

void TCellItem::SetSizeStyle(TSizeStyle AValue) {
  FSizeStyle = AValue;
  Changed();
}

void TCellItem::SetValue(double AValue) {
  if (AValue < 0 || (FSizeStyle == ssPercent && AValue > 100) || std::isnan(AValue))
    QelRaise<EGridPanelException>(
        Exception::FormatMessage(u"Invalid cell size %s", {FloatToStr(AValue)}));
  FValue = AValue;
  Changed();
}

TCellCollection::TCellCollection(TCustomGridPanel* AOwner, TClass AItemClass)
    : TOwnedCollection(AOwner, AItemClass) {}

void TCellCollection::Changed() {
  TOwnedCollection::Changed();
  if (GetUpdateCount() == 0)
    if (auto* panel = dynamic_cast<TCustomGridPanel*>(GetOwner())) panel->Realign();
}

// ---- control items ----------------------------------------------------------------

TCustomGridPanel* TControlItem::GridPanel() const {
  return GetCollection() ? dynamic_cast<TCustomGridPanel*>(GetCollection()->GetOwner()) : nullptr;
}

void TControlItem::Changed() {
  if (auto* items = dynamic_cast<TControlCollection*>(GetCollection())) items->ItemChanged();
}

void TControlItem::SetColumn(int AValue) {
  FColumn = AValue;
  Changed();
}
void TControlItem::SetRow(int AValue) {
  FRow = AValue;
  Changed();
}
void TControlItem::SetColumnSpan(int AValue) {
  FColumnSpan = std::max(1, AValue);
  Changed();
}
void TControlItem::SetRowSpan(int AValue) {
  FRowSpan = std::max(1, AValue);
  Changed();
}

TControlCollection::TControlCollection(TCustomGridPanel* AOwner)
    : TOwnedCollection(AOwner, TControlItem::StaticClass()) {}

void TControlCollection::Changed() {
  TOwnedCollection::Changed();
  if (GetUpdateCount() == 0)
    if (auto* panel = dynamic_cast<TCustomGridPanel*>(GetOwner())) panel->Realign();
}

// The item whose cell span covers (AColumn, ARow), or null.
TControlItem* TControlCollection::GetControlItems(int AColumn, int ARow) const {
  for (int i = 0; i < GetCount(); ++i) {
    TControlItem* item = GetItem(i);
    if (item->GetControl() && AColumn >= item->GetColumn() &&
        AColumn < item->GetColumn() + item->GetColumnSpan() && ARow >= item->GetRow() &&
        ARow < item->GetRow() + item->GetRowSpan())
      return item;
  }
  return nullptr;
}

TControl* TControlCollection::GetControls(int AColumn, int ARow) const {
  TControlItem* item = GetControlItems(AColumn, ARow);
  return item ? item->GetControl() : nullptr;
}

int TControlCollection::IndexOf(TControl* AControl) const {
  for (int i = 0; i < GetCount(); ++i) {
    if (GetItem(i)->GetControl() == AControl) return i;
  }
  return -1;
}

TControlItem* TControlCollection::AddControl(TControl* AControl, int AColumn, int ARow) {
  auto* panel = static_cast<TCustomGridPanel*>(GetOwner());
  const int found = IndexOf(AControl);
  if (found >= 0) return GetItem(found);
  if ((AColumn < 0 || ARow < 0) && !panel->FreeCell(AColumn, ARow))
    QelRaise<EGridPanelException>(u"No free cell for the control in the grid panel");
  BeginUpdate();
  auto* item = static_cast<TControlItem*>(Add());
  item->SetControl(AControl);
  item->SetColumn(AColumn);
  item->SetRow(ARow);
  AControl->FreeNotification(panel);
  // The control comes onto the panel (an item whose control is elsewhere would be dropped).
  if (AControl->GetParent() != panel) AControl->SetParent(panel);
  EndUpdate();
  return item;
}

void TControlCollection::RemoveControl(TControl* AControl) {
  const int index = IndexOf(AControl);
  if (index >= 0) Delete(index);
}

// ---- grid panels --------------------------------------------------------------------

TCustomGridPanel::TCustomGridPanel(TComponent* AOwner)
    : TCustomPanel(AOwner),
      FColumns(new TColumnCollection(this)),
      FRows(new TRowCollection(this)),
      FControlItems(new TControlCollection(this)) {
  FColumns->BeginUpdate();
  FRows->BeginUpdate();
  for (int i = 0; i < 2; ++i) {
    FColumns->Add();
    FRows->Add();
  }
  FColumns->EndUpdate();
  FRows->EndUpdate();
}

TCustomGridPanel::~TCustomGridPanel() {
  // Children go with the windowed control later; no layout after this point.
  DisableAlign();
  delete FControlItems;
  FControlItems = nullptr;
  delete FRows;
  delete FColumns;
}

void TCustomGridPanel::Notification(TComponent* AComponent, TOperation AOperation) {
  TCustomPanel::Notification(AComponent, AOperation);
  if (AOperation != opRemove || !FControlItems) return;
  // A dying control is no TControl any more by now: compare addresses.
  for (int i = 0; i < FControlItems->GetCount(); ++i) {
    if (static_cast<TComponent*>(FControlItems->GetItem(i)->GetControl()) != AComponent) continue;
    FControlItems->BeginUpdate();
    FControlItems->Delete(i);
    FControlItems->EndUpdate();
    return;
  }
}

bool TCustomGridPanel::IsColumnEmpty(int AColumn) const {
  for (int row = 0; row < FRows->GetCount(); ++row) {
    if (FControlItems->GetControlItems(AColumn, row)) return false;
  }
  return true;
}

bool TCustomGridPanel::IsRowEmpty(int ARow) const {
  for (int column = 0; column < FColumns->GetCount(); ++column) {
    if (FControlItems->GetControlItems(column, ARow)) return false;
  }
  return true;
}

bool TCustomGridPanel::FreeCell(int& AColumn, int& ARow) {
  for (int row = 0; row < FRows->GetCount(); ++row) {
    for (int column = 0; column < FColumns->GetCount(); ++column) {
      if (!FControlItems->GetControlItems(column, row)) {
        AColumn = column;
        ARow = row;
        return true;
      }
    }
  }
  if (FExpandStyle == emFixedSize || FColumns->GetCount() == 0 || FRows->GetCount() == 0)
    return false;
  // A new row (column) takes the size of the last one and is marked as added for the control.
  TCellCollection* cells =
      FExpandStyle == emAddRows ? static_cast<TCellCollection*>(FRows) : FColumns;
  TCellItem* last = cells->GetCellItems(cells->GetCount() - 1);
  cells->BeginUpdate();
  auto* added = static_cast<TCellItem*>(cells->Add());
  added->SetSizeStyle(last->GetSizeStyle());
  added->SetValue(last->GetValue());
  added->SetAutoAdded(true);
  cells->EndUpdate();
  AColumn = FExpandStyle == emAddRows ? 0 : FColumns->GetCount() - 1;
  ARow = FExpandStyle == emAddRows ? FRows->GetCount() - 1 : 0;
  return true;
}

void TCustomGridPanel::SyncItems() {
  if (FSyncing) return;
  FSyncing = true;
  FControlItems->BeginUpdate();
  for (int i = FControlItems->GetCount() - 1; i >= 0; --i) {
    TControl* control = FControlItems->GetItem(i)->GetControl();
    if (!control || control->GetParent() != this) FControlItems->Delete(i);
  }
  for (int i = 0; i < GetControlCount(); ++i) {
    TControl* control = GetControls(i);
    int column = -1, row = -1;
    if (FControlItems->IndexOf(control) < 0 && FreeCell(column, row))
      FControlItems->AddControl(control, column, row);
  }
  FControlItems->EndUpdate();
  FSyncing = false;
}

namespace {

// Sizes along one axis: absolute first, then each automatic one its largest control, then
// the percentages share what is left in proportion to their values.
std::vector<int> AxisSizes(TCellCollection* ACells, int AExtent, const std::vector<int>& AAuto) {
  const int count = ACells->GetCount();
  std::vector<int> sizes(static_cast<size_t>(count), 0);
  int left = AExtent;
  double percent = 0;
  for (int i = 0; i < count; ++i) {
    TCellItem* cell = ACells->GetCellItems(i);
    if (cell->GetSizeStyle() == ssAbsolute) sizes[i] = static_cast<int>(cell->GetValue());
    else if (cell->GetSizeStyle() == ssAuto) sizes[i] = AAuto[static_cast<size_t>(i)];
    else percent += cell->GetValue();
    if (cell->GetSizeStyle() != ssPercent) left -= sizes[i];
  }
  left = std::max(0, left);
  int given = 0, lastPercent = -1;
  for (int i = 0; i < count; ++i) {
    TCellItem* cell = ACells->GetCellItems(i);
    if (cell->GetSizeStyle() != ssPercent || percent <= 0) continue;
    sizes[i] = static_cast<int>(left * cell->GetValue() / percent);
    given += sizes[i];
    lastPercent = i;
  }
  // Rounding leaves the last percentage cell the remainder, so the cells fill the panel.
  if (lastPercent >= 0) sizes[static_cast<size_t>(lastPercent)] += left - given;
  return sizes;
}

}  // namespace

void TCustomGridPanel::ComputeSizes(std::vector<int>& AWidths, std::vector<int>& AHeights,
                                    const TRect& ARect) const {
  std::vector<int> autoWidths(static_cast<size_t>(FColumns->GetCount()), 0);
  std::vector<int> autoHeights(static_cast<size_t>(FRows->GetCount()), 0);
  for (int i = 0; i < FControlItems->GetCount(); ++i) {
    TControlItem* item = FControlItems->GetItem(i);
    TControl* control = item->GetControl();
    if (!control || !control->GetVisible()) continue;
    const int column = item->GetColumn(), row = item->GetRow();
    if (item->GetColumnSpan() == 1 && column >= 0 && column < static_cast<int>(autoWidths.size()))
      autoWidths[column] = std::max(autoWidths[column], control->GetWidth());
    if (item->GetRowSpan() == 1 && row >= 0 && row < static_cast<int>(autoHeights.size()))
      autoHeights[row] = std::max(autoHeights[row], control->GetHeight());
  }
  AWidths = AxisSizes(FColumns, ARect.Width(), autoWidths);
  AHeights = AxisSizes(FRows, ARect.Height(), autoHeights);
}

TRect TCustomGridPanel::CellRect(int AColumn, int ARow) {
  if (AColumn < 0 || AColumn >= FColumns->GetCount()) QelRaiseListIndex(AColumn);
  if (ARow < 0 || ARow >= FRows->GetCount()) QelRaiseListIndex(ARow);
  TRect rect = GetClientRect();
  AdjustClientRect(rect);
  std::vector<int> widths, heights;
  ComputeSizes(widths, heights, rect);
  int x = rect.Left, y = rect.Top;
  for (int i = 0; i < AColumn; ++i) x += widths[i];
  for (int i = 0; i < ARow; ++i) y += heights[i];
  return Bounds(x, y, widths[AColumn], heights[ARow]);
}

// Each control sits in its cell span: alClient fills it; otherwise its anchors say where (both
// sides of an axis stretch it, one side holds it there, none centres it).
void TCustomGridPanel::AlignControls() {
  // Placing an aligned child asks for a new layout: it is this one.
  if (FArranging) return;
  FArranging = true;
  struct TReset {
    bool& Flag;
    ~TReset() { Flag = false; }
  } reset{FArranging};
  TCustomPanel::AlignControls();
  if (GetAlignDisabled() || !FControlItems) return;
  SyncItems();
  TRect rect = GetClientRect();
  AdjustClientRect(rect);
  std::vector<int> widths, heights;
  ComputeSizes(widths, heights, rect);
  auto start = [](const std::vector<int>& ASizes, int AIndex, int AOrigin) {
    for (int i = 0; i < AIndex && i < static_cast<int>(ASizes.size()); ++i) AOrigin += ASizes[i];
    return AOrigin;
  };
  auto span = [](const std::vector<int>& ASizes, int AIndex, int ACount) {
    int total = 0;
    for (int i = AIndex; i < AIndex + ACount && i < static_cast<int>(ASizes.size()); ++i)
      total += ASizes[i];
    return total;
  };
  for (int i = 0; i < FControlItems->GetCount(); ++i) {
    TControlItem* item = FControlItems->GetItem(i);
    TControl* control = item->GetControl();
    const int column = item->GetColumn(), row = item->GetRow();
    if (!control || !control->GetVisible() || column < 0 || row < 0 ||
        column >= FColumns->GetCount() || row >= FRows->GetCount())
      continue;
    const int cx = start(widths, column, rect.Left), cy = start(heights, row, rect.Top);
    const int cw = span(widths, column, item->GetColumnSpan()),
              ch = span(heights, row, item->GetRowSpan());
    int x = cx, y = cy, w = control->GetWidth(), h = control->GetHeight();
    const TAnchors anchors = control->GetAnchors();
    const bool fill = control->GetAlign() == alClient;
    auto place = [fill](bool ALow, bool AHigh, int ACellStart, int ACellSize, int& APos,
                        int& ASize) {
      if (fill || (ALow && AHigh)) {
        APos = ACellStart;
        ASize = ACellSize;
      } else if (AHigh) {
        APos = ACellStart + ACellSize - ASize;
      } else if (!ALow) {
        APos = ACellStart + (ACellSize - ASize) / 2;
      }
    };
    place(anchors.Contains(akLeft), anchors.Contains(akRight), cx, cw, x, w);
    place(anchors.Contains(akTop), anchors.Contains(akBottom), cy, ch, y, h);
    control->SetBounds(x, y, w, h);
  }
}
