// Notebooks and their pages.
#include <algorithm>

#include "host/core/SysUtils.h"
#include "host/gui/ExtCtrls.h"

TPage::TPage(TComponent* AOwner) : TCustomControl(AOwner) {}

TNotebook::TNotebook(TComponent* AOwner) : TCustomControl(AOwner), FPages(new TStringList) {
  FPages->OnChange = TNotifyEvent::Bind<&TNotebook::PagesChanged>(this);
  SetBounds(0, 0, 150, 150);
  FPages->Add(u"Default");
  SetPageIndex(0);
}

TNotebook::~TNotebook() {
  FPages->OnChange = nullptr;
  delete FPages;
  FPages = nullptr;
}

// Every name has its page in Objects: a name without one gets a new page, and pages whose
// names are gone are freed.
void TNotebook::PagesChanged(TObject*) {
  if (FSyncing) return;
  FSyncing = true;
  struct TReset {
    bool& Flag;
    ~TReset() { Flag = false; }
  } reset{FSyncing};
  std::vector<TPage*> kept;
  for (int i = 0; i < FPages->GetCount(); ++i) {
    TPage* page = nullptr;
    TObject* object = FPages->GetObjects(i);
    auto found = std::find(FPageControls.begin(), FPageControls.end(), object);
    if (found != FPageControls.end() && std::find(kept.begin(), kept.end(), *found) == kept.end()) {
      page = *found;
    } else {
      page = new TPage(this);
      page->SetAlign(alClient);
      page->SetParent(this);
      FPages->SetObjects(i, page);
    }
    page->SetCaption(FPages->GetStrings(i));
    kept.push_back(page);
  }
  std::vector<TPage*> gone;
  for (TPage* page : FPageControls) {
    if (std::find(kept.begin(), kept.end(), page) == kept.end()) gone.push_back(page);
  }
  FPageControls = kept;
  for (TPage* page : gone) delete page;
  const int count = static_cast<int>(FPageControls.size());
  if (FPageIndex >= count) FPageIndex = count - 1;
  if (FPageIndex < 0 && count > 0) FPageIndex = 0;
  ShowActive();
}

void TNotebook::ShowActive() {
  for (size_t i = 0; i < FPageControls.size(); ++i)
    FPageControls[i]->SetVisible(static_cast<int>(i) == FPageIndex);
}

void TNotebook::SetPageIndex(int AValue) {
  if (AValue < 0 || AValue >= static_cast<int>(FPageControls.size()) || AValue == FPageIndex)
    return;
  FPageIndex = AValue;
  ShowActive();
  OnPageChanged(this);
}

String TNotebook::GetActivePage() const {
  return FPageIndex >= 0 && FPageIndex < FPages->GetCount() ? FPages->GetStrings(FPageIndex)
                                                            : String();
}

void TNotebook::SetActivePage(const String& AValue) {
  for (int i = 0; i < FPages->GetCount(); ++i) {
    if (SameText(FPages->GetStrings(i), AValue)) return SetPageIndex(i);
  }
}

// A page freed on its own takes its name with it.
void TNotebook::Notification(TComponent* AComponent, TOperation AOperation) {
  TCustomControl::Notification(AComponent, AOperation);
  if (AOperation != opRemove || !FPages || FSyncing) return;
  auto found = std::find_if(FPageControls.begin(), FPageControls.end(), [AComponent](TPage* APage) {
    return static_cast<TComponent*>(APage) == AComponent;
  });
  if (found == FPageControls.end()) return;
  const int index = static_cast<int>(found - FPageControls.begin());
  FPageControls.erase(found);
  FSyncing = true;
  FPages->Delete(index);
  FSyncing = false;
  if (index < FPageIndex || FPageIndex >= static_cast<int>(FPageControls.size())) --FPageIndex;
  if (FPageIndex < 0 && !FPageControls.empty()) FPageIndex = 0;
  ShowActive();
}
