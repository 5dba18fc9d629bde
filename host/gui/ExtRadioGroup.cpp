// Radio groups.
#include <algorithm>

#include "host/gui/ExtCtrls.h"
#include "host/gui/QelQt.h"

TCustomRadioGroup::TCustomRadioGroup(TComponent* AOwner)
    : TCustomGroupBox(AOwner), FItems(new TStringList) {
  FItems->OnChange = TNotifyEvent::Bind<&TCustomRadioGroup::ItemsChanged>(this);
}

TCustomRadioGroup::~TCustomRadioGroup() {
  FItems->OnChange = nullptr;
  delete FItems;
}

TRadioButton* TCustomRadioGroup::GetButtons(int AIndex) const {
  if (AIndex < 0 || AIndex >= static_cast<int>(FButtons.size())) QelRaiseListIndex(AIndex);
  return FButtons[static_cast<size_t>(AIndex)];
}

// One button per item, reused in order; the buttons belong to the group (it is their owner
// and parent), so a button freed by a script leaves the list through Notification.
void TCustomRadioGroup::ItemsChanged(TObject*) {
  const size_t count = static_cast<size_t>(FItems->GetCount());
  DisableAlign();
  while (FButtons.size() > count) {
    TRadioButton* button = FButtons.back();
    FButtons.pop_back();
    delete button;
  }
  while (FButtons.size() < count) {
    auto* button = new TRadioButton(this);
    button->OnClick = TNotifyEvent::Bind<&TCustomRadioGroup::ButtonClicked>(this);
    button->SetEnabled(GetEnabled());
    button->SetParent(this);
    FButtons.push_back(button);
  }
  FUpdating = true;
  for (size_t i = 0; i < count; ++i) {
    FButtons[i]->SetCaption(FItems->GetStrings(static_cast<int>(i)));
    FButtons[i]->SetChecked(static_cast<int>(i) == FItemIndex);
  }
  FUpdating = false;
  if (FItemIndex >= static_cast<int>(count)) FItemIndex = -1;
  EnableAlign();
}

void TCustomRadioGroup::ButtonClicked(TObject* ASender) {
  if (FUpdating) return;
  auto it = std::find(FButtons.begin(), FButtons.end(), ASender);
  if (it == FButtons.end() || !(*it)->GetChecked()) return;
  const int index = static_cast<int>(it - FButtons.begin());
  if (index == FItemIndex) return;
  FItemIndex = index;
  Click();
}

void TCustomRadioGroup::SetItemIndex(int AValue) {
  AValue = std::clamp(AValue, -1, static_cast<int>(FButtons.size()) - 1);
  if (AValue == FItemIndex) return;
  FItemIndex = AValue;
  FUpdating = true;
  if (AValue >= 0) FButtons[static_cast<size_t>(AValue)]->SetChecked(true);
  else
    for (TRadioButton* button : FButtons) button->SetChecked(false);
  FUpdating = false;
  Click();
}

void TCustomRadioGroup::SetColumns(int AValue) {
  FColumns = std::clamp(AValue, 1, 16);
  Realign();
}

void TCustomRadioGroup::SetEnabled(bool AValue) {
  TCustomGroupBox::SetEnabled(AValue);
  for (TRadioButton* button : FButtons) button->SetEnabled(AValue);
}

void TCustomRadioGroup::Notification(TComponent* AComponent, TOperation AOperation) {
  TCustomGroupBox::Notification(AComponent, AOperation);
  if (AOperation != opRemove) return;
  auto it = std::find(FButtons.begin(), FButtons.end(), AComponent);
  if (it == FButtons.end()) return;
  const int index = static_cast<int>(it - FButtons.begin());
  FButtons.erase(it);
  if (index == FItemIndex) FItemIndex = -1;
  else if (index < FItemIndex) --FItemIndex;
  // The item goes with its button, so Items and the buttons stay in step.
  FUpdating = true;
  auto* items = FItems;
  items->OnChange = nullptr;
  items->Delete(index);
  items->OnChange = TNotifyEvent::Bind<&TCustomRadioGroup::ItemsChanged>(this);
  FUpdating = false;
}

// The buttons fill the columns top to bottom, each column as wide as the others and each row
// as high as the others.
void TCustomRadioGroup::AlignControls() {
  TCustomGroupBox::AlignControls();
  if (GetAlignDisabled()) return;
  if (FButtons.empty()) return;
  TRect rect = GetClientRect();
  AdjustClientRect(rect);
  const int count = static_cast<int>(FButtons.size());
  const int rows = (count + FColumns - 1) / FColumns;
  const int width = rect.Width() / FColumns, height = std::max(1, rect.Height() / rows);
  for (int i = 0; i < count; ++i) {
    const int column = i / rows, row = i % rows;
    FButtons[static_cast<size_t>(i)]->SetBounds(
        rect.Left + column * width + 4, rect.Top + row * height, std::max(0, width - 8), height);
  }
}
