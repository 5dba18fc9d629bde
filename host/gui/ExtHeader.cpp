// Headers.
#include <algorithm>

#include "host/gui/ExtCtrls.h"
#include "host/gui/QelQt.h"

namespace {
constexpr int DefaultSectionWidth = 80, EdgeReach = 3, MinSectionWidth = 0;
}

THeader::THeader(TComponent* AOwner) : TCustomControl(AOwner), FSections(new TStringList) {
  FSections->OnChange = TNotifyEvent::Bind<&THeader::SectionsChanged>(this);
  SetBounds(0, 0, 250, 25);
}

THeader::~THeader() {
  FSections->OnChange = nullptr;
  delete FSections;
}

void THeader::SectionsChanged(TObject*) {
  FWidths.resize(static_cast<size_t>(FSections->GetCount()), DefaultSectionWidth);
  Invalidate();
}

int THeader::GetSectionWidth(int AIndex) const {
  if (AIndex < 0 || AIndex >= static_cast<int>(FWidths.size())) QelRaiseListIndex(AIndex);
  return FWidths[static_cast<size_t>(AIndex)];
}

void THeader::SetSectionWidth(int AIndex, int AWidth) {
  if (AIndex < 0 || AIndex >= static_cast<int>(FWidths.size())) QelRaiseListIndex(AIndex);
  FWidths[static_cast<size_t>(AIndex)] = std::max(MinSectionWidth, AWidth);
  Invalidate();
}

int THeader::EdgeAt(int X) const {
  int right = 0;
  for (size_t i = 0; i < FWidths.size(); ++i) {
    right += FWidths[i];
    if (std::abs(X - right) <= EdgeReach) return static_cast<int>(i);
  }
  return -1;
}

void THeader::Paint() {
  TCanvas* canvas = GetCanvas();
  int left = 0;
  for (int i = 0; i < FSections->GetCount(); ++i) {
    const TRect cell{left, 0, left + FWidths[static_cast<size_t>(i)], GetHeight()};
    canvas->GetBrush()->SetColor(clBtnFace);
    canvas->FillRect(cell);
    canvas->GetPen()->SetColor(clBtnShadow);
    canvas->MoveTo(cell.Right - 1, 0);
    canvas->LineTo(cell.Right - 1, cell.Bottom);
    canvas->GetBrush()->SetStyle(bsClear);
    canvas->TextRect(cell, cell.Left + 3, (GetHeight() - canvas->TextHeight(u"0")) / 2,
                     FSections->GetStrings(i));
    left = cell.Right;
  }
}

// Pressing on a section's right edge starts a drag; moving resizes it (OnSizing each time),
// releasing ends it (OnSized).
void THeader::MouseDown(TMouseButton AButton, TShiftState AShift, int X, int Y) {
  TCustomControl::MouseDown(AButton, AShift, X, Y);
  if (AButton != mbLeft || !FAllowResize) return;
  FDragging = EdgeAt(X);
  if (FDragging >= 0) FDragStart = X - FWidths[static_cast<size_t>(FDragging)];
}

void THeader::MouseMove(TShiftState AShift, int X, int Y) {
  TCustomControl::MouseMove(AShift, X, Y);
  if (FDragging < 0) return;
  SetSectionWidth(FDragging, X - FDragStart);
  OnSizing(this, FDragging, FWidths[static_cast<size_t>(FDragging)]);
}

void THeader::MouseUp(TMouseButton AButton, TShiftState AShift, int X, int Y) {
  TCustomControl::MouseUp(AButton, AShift, X, Y);
  if (FDragging < 0) return;
  const int section = FDragging;
  FDragging = -1;
  SetSectionWidth(section, X - FDragStart);
  OnSized(this, section, FWidths[static_cast<size_t>(section)]);
}
