// TWinControl: children, alignment, anchors, focus order.
#include <algorithm>

#include "host/gui/Forms.h"
#include "host/gui/QelQt.h"
#include "host/gui/QelWidgets.h"

TWinControl::TWinControl(TComponent* AOwner) : TWinControl(AOwner, QelBridged<QWidget>()) {}

TWinControl::TWinControl(TComponent* AOwner, QWidget* AWidget) : TControl(AOwner, AWidget), FPadding(new TPadding) {
  FPadding->OnChange = TNotifyEvent::Bind<&TWinControl::PaddingChanged>(this);
  Widget()->setFocusPolicy(Qt::NoFocus);
}

// Children are destroyed with their parent, as the class library does; each leaves its
// owner's list as it goes.
TWinControl::~TWinControl() {
  // The parent forgets this control while it is still a windowed one: by ~TControl it no
  // longer is, and its tab list and the form's focus would keep the freed control.
  if (TWinControl* parent = GetParent()) {
    parent->RemoveChild(this);
    FParent = nullptr;
  }
  FAlignLevel = 1;
  while (!FControls.empty()) {
    TControl* child = FControls.back();
    RemoveChild(child);
    child->FParent = nullptr;
    delete child;
  }
  delete FPadding;
}

TControl* TWinControl::GetControls(int AIndex) const {
  if (AIndex < 0 || AIndex >= GetControlCount())
    QelRaiseListIndex(AIndex);
  return FControls[AIndex];
}

bool TWinControl::ContainsControl(TControl* AControl) const {
  for (TControl* control = AControl; control; control = control->GetParent()) {
    if (control == this) return true;
  }
  return false;
}

TControl* TWinControl::ControlAtPos(const TPoint& APos, bool AAllowDisabled) const {
  for (auto it = FControls.rbegin(); it != FControls.rend(); ++it) {
    TControl* control = *it;
    const TRect r = control->GetBoundsRect();
    if (control->GetVisible() && (AAllowDisabled || control->GetEnabled()) && APos.X >= r.Left && APos.X < r.Right &&
        APos.Y >= r.Top && APos.Y < r.Bottom)
      return control;
  }
  return nullptr;
}

TControl* TWinControl::FindChildControl(std::u16string_view AName) const {
  for (TControl* control : FControls) {
    if (SameText(control->GetName(), AName)) return control;
  }
  return nullptr;
}

void TWinControl::RemoveControl(TControl* AControl) {
  if (AControl && AControl->GetParent() == this) AControl->SetParent(nullptr);
}

void TWinControl::AddChild(TControl* AControl) {
  FControls.push_back(AControl);
  if (auto* win = dynamic_cast<TWinControl*>(AControl)) {
    FTabList.push_back(win);
    ApplyTabOrder();
  }
}

void TWinControl::RemoveChild(TControl* AControl) {
  std::erase(FControls, AControl);
  if (auto* win = dynamic_cast<TWinControl*>(AControl)) {
    std::erase(FTabList, win);
    if (TCustomForm* form = GetParentForm()) form->ControlRemoved(win);
  }
  if (AControl->GetAlign() != alNone) AlignControls();
}

int TWinControl::GetTabOrder() const {
  if (!GetParent()) return -1;
  const auto& list = GetParent()->FTabList;
  return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

void TWinControl::SetTabOrder(int AValue) {
  if (!GetParent()) return;
  auto& list = GetParent()->FTabList;
  std::erase(list, this);
  const int at = std::clamp(AValue, 0, static_cast<int>(list.size()));
  list.insert(list.begin() + at, this);
  GetParent()->ApplyTabOrder();
}

void TWinControl::ApplyTabOrder() {
  for (size_t i = 1; i < FTabList.size(); ++i) QWidget::setTabOrder(FTabList[i - 1]->Widget(), FTabList[i]->Widget());
}

void TWinControl::SetTabStop(bool AValue) {
  FTabStop = AValue;
  Widget()->setFocusPolicy(AValue ? Qt::StrongFocus : Qt::ClickFocus);
}

intptr_t TWinControl::GetHandle() const { return static_cast<intptr_t>(Widget()->winId()); }

bool TWinControl::CanFocus() const {
  const TCustomForm* form = GetParentForm();
  if (!form) return false;
  for (const TControl* control = this; control; control = control->GetParent()) {
    if (!control->GetVisible() || !control->GetEnabled()) return false;
  }
  return true;
}

bool TWinControl::Focused() const {
  const TCustomForm* form = GetParentForm();
  return form && form->GetActiveControl() == this;
}

void TWinControl::SetFocus() {
  TCustomForm* form = GetParentForm();
  if (!CanFocus()) QelRaise<EInvalidOperation>(u"Cannot focus a disabled or invisible window");
  if (form == this) {
    form->Widget()->activateWindow();
    return;
  }
  form->FocusControl(this);
}

void TWinControl::EnableAlign() {
  if (FAlignLevel > 0 && --FAlignLevel == 0) AlignControls();
}

void TWinControl::ScaleBy(int AMultiplier, int ADivider) {
  if (ADivider == 0) return;
  DisableAlign();
  for (TControl* control : FControls) {
    control->SetBounds(control->GetLeft() * AMultiplier / ADivider, control->GetTop() * AMultiplier / ADivider,
                       control->GetWidth() * AMultiplier / ADivider, control->GetHeight() * AMultiplier / ADivider);
    if (auto* win = dynamic_cast<TWinControl*>(control)) win->ScaleBy(AMultiplier, ADivider);
  }
  EnableAlign();
}

void TWinControl::AdjustClientRect(TRect& ARect) const {
  int inset = FBorderWidth;
  if (FBevelOuter != bvNone) inset += FBevelWidth;
  if (FBevelInner != bvNone) inset += FBevelWidth;
  (void)inset;  // plain windowed controls draw no bevel; panels add theirs
  ARect.Left += FPadding->GetLeft();
  ARect.Top += FPadding->GetTop();
  ARect.Right -= FPadding->GetRight();
  ARect.Bottom -= FPadding->GetBottom();
}

namespace {

// The order controls of one alignment take their place: by position, earlier first (the
// bottom and right groups from the far edge), ties in the order of the list.
bool AlignedBefore(TAlign AAlign, const TControl* A, const TControl* B) {
  switch (AAlign) {
    case alTop: return A->GetTop() < B->GetTop();
    case alBottom: return A->GetTop() + A->GetHeight() > B->GetTop() + B->GetHeight();
    case alLeft: return A->GetLeft() < B->GetLeft();
    case alRight: return A->GetLeft() + A->GetWidth() > B->GetLeft() + B->GetWidth();
    default: return false;
  }
}

}  // namespace

void TWinControl::AlignControls() {
  if (FAlignLevel > 0 || FAligning) return;
  FAligning = true;
  TRect rect = GetClientRect();
  AdjustClientRect(rect);
  std::vector<TControl*> group;
  for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient}) {
    group.clear();
    for (TControl* control : FControls) {
      if (control->GetAlign() == align && control->GetVisible()) group.push_back(control);
    }
    std::stable_sort(group.begin(), group.end(),
                     [align](const TControl* A, const TControl* B) { return AlignedBefore(align, A, B); });
    for (TControl* control : group) {
      TMargins* m = control->GetMargins();
      const bool useMargins = control->GetAlignWithMargins();
      const int ml = useMargins ? m->GetLeft() : 0, mt = useMargins ? m->GetTop() : 0;
      const int mr = useMargins ? m->GetRight() : 0, mb = useMargins ? m->GetBottom() : 0;
      const int width = std::max(0, rect.Width() - ml - mr), height = std::max(0, rect.Height() - mt - mb);
      switch (align) {
        case alTop:
          control->SetAlignedBounds(rect.Left + ml, rect.Top + mt, width, control->GetHeight());
          rect.Top += control->GetHeight() + mt + mb;
          break;
        case alBottom:
          control->SetAlignedBounds(rect.Left + ml, rect.Bottom - mb - control->GetHeight(), width, control->GetHeight());
          rect.Bottom -= control->GetHeight() + mt + mb;
          break;
        case alLeft:
          control->SetAlignedBounds(rect.Left + ml, rect.Top + mt, control->GetWidth(), height);
          rect.Left += control->GetWidth() + ml + mr;
          break;
        case alRight:
          control->SetAlignedBounds(rect.Right - mr - control->GetWidth(), rect.Top + mt, control->GetWidth(), height);
          rect.Right -= control->GetWidth() + ml + mr;
          break;
        default:
          control->SetAlignedBounds(rect.Left + ml, rect.Top + mt, width, height);
          break;
      }
      if (rect.Bottom < rect.Top) rect.Bottom = rect.Top;
      if (rect.Right < rect.Left) rect.Right = rect.Left;
    }
  }
  FAligning = false;
}

// Children anchored to the right or bottom follow that edge; anchored to both sides they
// stretch; anchored to neither they keep their relative place.
void TWinControl::ClientResized(int AOldWidth, int AOldHeight) {
  const int dx = GetClientWidth() - AOldWidth, dy = GetClientHeight() - AOldHeight;
  if (dx != 0 || dy != 0) {
    for (TControl* control : FControls) {
      if (control->GetAlign() != alNone) continue;
      const TAnchors anchors = control->GetAnchors();
      int left = control->GetLeft(), top = control->GetTop(), width = control->GetWidth(), height = control->GetHeight();
      if (anchors.Contains(akRight)) (anchors.Contains(akLeft) ? width : left) += dx;
      else if (!anchors.Contains(akLeft)) left += dx / 2;
      if (anchors.Contains(akBottom)) (anchors.Contains(akTop) ? height : top) += dy;
      else if (!anchors.Contains(akTop)) top += dy / 2;
      control->SetAlignedBounds(left, top, width, height);
    }
  }
  AlignControls();
}

void TWinControl::FontChanged() {
  TControl::FontChanged();
  for (TControl* control : FControls) {
    if (control->GetParentFont()) control->ParentFontChanged(GetFont());
  }
}

void TWinControl::ColorChanged() {
  TControl::ColorChanged();
  for (TControl* control : FControls) {
    if (control->GetParentColor()) control->ParentColorChanged(GetColor());
  }
}

QWidget* TWinControl::ClientWidget() const { return Widget(); }
