// Tab controls and page controls: a QTabBar along one edge of the control, the pages below it.
#include <QIcon>
#include <QMouseEvent>
#include <QPixmap>
#include <QTabBar>
#include <algorithm>

#include "host/gui/ComCtrls.h"
#include "host/gui/QelWidgets.h"

namespace {

bool Vertical(TTabPosition APosition) { return APosition == tpLeft || APosition == tpRight; }

// The frame around the display area, inside the tabs.
constexpr int DisplayInset = 4;

}  // namespace

// ---- the tab control --------------------------------------------------------

TCustomTabControl::TCustomTabControl(TComponent* AOwner)
    : TWinControl(AOwner, QelBridged<QWidget>()), FTabs(new TStringList) {
  FTabBar = new QTabBar(Widget());
  FTabBar->setExpanding(false);
  FTabBar->setDrawBase(true);
  FTabs->OnChange = TNotifyEvent::Bind<&TCustomTabControl::TabsChanged>(this);
  QObject::connect(FTabBar, &QTabBar::currentChanged, FTabBar,
                   [this](int AIndex) { QelGuard(this, [&] { TabBarChanged(AIndex); }); });
  SetTabStop(true);
  SetBounds(0, 0, 289, 193);
  PlaceTabBar();
}

TCustomTabControl::~TCustomTabControl() { delete FTabs; }

// The bar shows the tab list again; the selection stays on its index while there is one.
void TCustomTabControl::TabsChanged(TObject*) {
  const QSignalBlocker quiet(FTabBar);
  while (FTabBar->count() > 0) FTabBar->removeTab(FTabBar->count() - 1);
  for (int i = 0; i < FTabs->GetCount(); ++i) {
    FTabBar->addTab(QelToQString(FTabs->Get(i)));
    const TBitmap* image = FImages ? FImages->Image(TabImageIndex(i)) : nullptr;
    if (image) FTabBar->setTabIcon(i, QIcon(QPixmap::fromImage(image->ImageRef())));
  }
  const int count = FTabs->GetCount();
  if (!FSyncing) {
    if (FTabIndex >= count) FTabIndex = count - 1;
    if (FTabIndex < 0 && count > 0) FTabIndex = 0;
  }
  FTabBar->setCurrentIndex(FTabIndex);
  PlaceTabBar();
  Realign();
}

void TCustomTabControl::SetTabIndex(int AValue) {
  if (AValue < -1 || AValue >= FTabs->GetCount()) QelRaiseListIndex(AValue);
  if (AValue == FTabIndex) return;
  FTabIndex = AValue;
  const QSignalBlocker quiet(FTabBar);
  FTabBar->setCurrentIndex(AValue);
  TabIndexChanged();
}

void TCustomTabControl::SyncTabIndex(int AIndex) {
  FTabIndex = AIndex;
  const QSignalBlocker quiet(FTabBar);
  if (AIndex < FTabBar->count()) FTabBar->setCurrentIndex(AIndex);
}

bool TCustomTabControl::CanChange() {
  bool allow = true;
  OnChanging(this, allow);
  return allow;
}

bool TCustomTabControl::SelectTab(int AIndex) {
  if (AIndex < 0 || AIndex >= FTabs->GetCount()) return false;
  if (AIndex == FTabIndex) return true;
  if (!CanChange()) return false;
  FTabIndex = AIndex;
  {
    const QSignalBlocker quiet(FTabBar);
    FTabBar->setCurrentIndex(AIndex);
  }
  TabIndexChanged();
  Change();
  return true;
}

// The user moved the bar's selection: it goes back until the library has agreed.
void TCustomTabControl::TabBarChanged(int AIndex) {
  {
    const QSignalBlocker quiet(FTabBar);
    FTabBar->setCurrentIndex(FTabIndex);
  }
  SelectTab(AIndex);
}

bool TCustomTabControl::WidgetEvent(QEvent* AEvent) {
  const bool consumed = TWinControl::WidgetEvent(AEvent);
  if (!consumed && AEvent->type() == QEvent::MouseButtonPress) {
    auto* mouse = static_cast<QMouseEvent*>(AEvent);
    const QPoint at = mouse->position().toPoint();
    if (mouse->button() == Qt::LeftButton) SelectTab(IndexOfTabAt(at.x(), at.y()));
  }
  return consumed;
}

void TCustomTabControl::SetTabPosition(TTabPosition AValue) {
  FTabPosition = AValue;
  static constexpr QTabBar::Shape Shapes[] = {QTabBar::RoundedNorth, QTabBar::RoundedSouth,
                                              QTabBar::RoundedWest, QTabBar::RoundedEast};
  FTabBar->setShape(Shapes[AValue]);
  PlaceTabBar();
  Realign();
}

void TCustomTabControl::SetStyle(TTabStyle AValue) {
  FStyle = AValue;
  FTabBar->setDocumentMode(AValue != tsTabs);
  FTabBar->setDrawBase(AValue == tsTabs);
}

void TCustomTabControl::SetImages(TCustomImageList* AValue) {
  FImages = AValue;
  if (AValue) AValue->FreeNotification(this);
  TabsChanged();
}

void TCustomTabControl::Notification(TComponent* AComponent, TOperation AOperation) {
  TWinControl::Notification(AComponent, AOperation);
  if (AOperation == opRemove && AComponent == FImages) {
    FImages = nullptr;
    TabsChanged();
  }
}

void TCustomTabControl::Resize() {
  PlaceTabBar();
  TWinControl::Resize();
}

void TCustomTabControl::PlaceTabBar() {
  const QSize hint = FTabBar->sizeHint();
  const int w = GetWidth(), h = GetHeight();
  switch (FTabPosition) {
    case tpTop: FTabBar->setGeometry(0, 0, w, hint.height()); break;
    case tpBottom: FTabBar->setGeometry(0, h - hint.height(), w, hint.height()); break;
    case tpLeft: FTabBar->setGeometry(0, 0, hint.width(), h); break;
    case tpRight: FTabBar->setGeometry(w - hint.width(), 0, hint.width(), h); break;
  }
}

int TCustomTabControl::IndexOfTabAt(int X, int Y) const {
  return FTabBar->tabAt(FTabBar->mapFromParent(QPoint(X, Y)));
}

TRect TCustomTabControl::TabRect(int AIndex) const {
  if (AIndex < 0 || AIndex >= FTabBar->count()) return {};
  const QRect r = FTabBar->tabRect(AIndex).translated(FTabBar->pos());
  return Bounds(r.x(), r.y(), r.width(), r.height());
}

TRect TCustomTabControl::GetDisplayRect() const {
  TRect rect = GetClientRect();
  AdjustClientRect(rect);
  return rect;
}

void TCustomTabControl::AdjustClientRect(TRect& ARect) const {
  TWinControl::AdjustClientRect(ARect);
  const QSize hint = FTabBar->sizeHint();
  const int along = Vertical(FTabPosition) ? hint.width() : hint.height();
  switch (FTabPosition) {
    case tpTop: ARect.Top += along; break;
    case tpBottom: ARect.Bottom -= along; break;
    case tpLeft: ARect.Left += along; break;
    case tpRight: ARect.Right -= along; break;
  }
  ARect = {ARect.Left + DisplayInset, ARect.Top + DisplayInset,
           std::max(ARect.Left + DisplayInset, ARect.Right - DisplayInset),
           std::max(ARect.Top + DisplayInset, ARect.Bottom - DisplayInset)};
}

// ---- sheets ---------------------------------------------------------------

TTabSheet::TTabSheet(TComponent* AOwner) : TWinControl(AOwner, QelBridged<QWidget>()) {
  SetVisible(false);
  SetAlign(alClient);
}

TTabSheet::~TTabSheet() {
  if (FPageControl) FPageControl->RemovePage(this);
}

void TTabSheet::SetPageControl(TPageControl* AValue) { SetParent(AValue); }

// A sheet placed on a page control becomes one of its pages.
void TTabSheet::SetParent(TWinControl* AParent) {
  auto* pages = dynamic_cast<TPageControl*>(AParent);
  if (FPageControl && FPageControl != pages) FPageControl->RemovePage(this);
  TWinControl::SetParent(AParent);
  if (pages && FPageControl != pages) pages->InsertPage(this);
}

int TTabSheet::GetPageIndex() const {
  return FPageControl ? FPageControl->GetPageIndexOf(this) : -1;
}

void TTabSheet::SetPageIndex(int AValue) {
  if (!FPageControl) return;
  FPageControl->MovePage(this, AValue);
}

int TTabSheet::GetTabIndex() const {
  if (!FPageControl || !FTabVisible) return -1;
  int index = 0;
  for (int i = 0; i < FPageControl->GetPageCount(); ++i) {
    TTabSheet* page = FPageControl->GetPages(i);
    if (page == this) return index;
    if (page->FTabVisible) ++index;
  }
  return -1;
}

void TTabSheet::SetTabVisible(bool AValue) {
  FTabVisible = AValue;
  if (FPageControl) FPageControl->PagesChanged();
}

void TTabSheet::SetImageIndex(int AValue) {
  FImageIndex = AValue;
  if (FPageControl) FPageControl->PagesChanged();
}

void TTabSheet::TextChanged() {
  if (FPageControl) FPageControl->PagesChanged();
}

// ---- the page control -------------------------------------------------------

TPageControl::TPageControl(TComponent* AOwner) : TCustomTabControl(AOwner) {}

// The sheets are freed with the control's children after this; they must not call back.
TPageControl::~TPageControl() {
  for (TTabSheet* page : FPages) page->FPageControl = nullptr;
  FPages.clear();
  FActivePage = nullptr;
}

TTabSheet* TPageControl::GetPages(int AIndex) const {
  if (AIndex < 0 || AIndex >= GetPageCount()) QelRaiseListIndex(AIndex);
  return FPages[AIndex];
}

int TPageControl::GetPageIndexOf(const TTabSheet* APage) const {
  const auto at = std::find(FPages.begin(), FPages.end(), APage);
  return at == FPages.end() ? -1 : static_cast<int>(at - FPages.begin());
}

void TPageControl::InsertPage(TTabSheet* APage) {
  APage->FPageControl = this;
  FPages.push_back(APage);
  PagesChanged();
  if (!FActivePage && APage->GetTabVisible()) SetActivePage(APage);
}

// A page going away leaves the next one (else the previous one) active.
void TPageControl::RemovePage(TTabSheet* APage) {
  const int index = GetPageIndexOf(APage);
  if (index < 0) return;
  APage->FPageControl = nullptr;
  FPages.erase(FPages.begin() + index);
  if (FActivePage == APage) {
    FActivePage = nullptr;
    // The next page with a tab, else the nearest one before it.
    TTabSheet* next = nullptr;
    for (int i = index; i < GetPageCount() && !next; ++i)
      if (FPages[i]->GetTabVisible()) next = FPages[i];
    for (int i = index - 1; i >= 0 && !next; --i)
      if (FPages[i]->GetTabVisible()) next = FPages[i];
    PagesChanged();
    ShowPage(next);
  } else {
    PagesChanged();
  }
}

void TPageControl::MovePage(TTabSheet* APage, int AIndex) {
  if (AIndex < 0 || AIndex >= GetPageCount()) QelRaiseListIndex(AIndex);
  const int from = GetPageIndexOf(APage);
  FPages.erase(FPages.begin() + from);
  FPages.insert(FPages.begin() + AIndex, APage);
  PagesChanged();
}

// The tabs are the visible pages' captions; the tab index follows the active page.
void TPageControl::PagesChanged() {
  FSyncing = true;
  TStrings* tabs = GetTabs();
  tabs->BeginUpdate();
  tabs->Clear();
  for (TTabSheet* page : FPages)
    if (page->GetTabVisible()) tabs->AddObject(page->GetCaption(), page);
  SyncTabIndex(FActivePage ? FActivePage->GetTabIndex() : -1);
  tabs->EndUpdate();
  FSyncing = false;
}

void TPageControl::SetActivePage(TTabSheet* AValue) {
  if (AValue && AValue->FPageControl != this)
    QelRaise<EInvalidOperation>(u"The page does not belong to this page control");
  ShowPage(AValue);
}

void TPageControl::SetActivePageIndex(int AValue) {
  if (AValue < -1 || AValue >= GetPageCount()) QelRaiseListIndex(AValue);
  SetActivePage(AValue < 0 ? nullptr : FPages[AValue]);
}

void TPageControl::ShowPage(TTabSheet* APage) {
  if (APage == FActivePage) return;
  TTabSheet* old = FActivePage;
  FActivePage = APage;
  if (APage) {
    APage->SetBoundsRect(GetDisplayRect());
    APage->SetVisible(true);
    APage->BringToFront();
  }
  if (old) old->SetVisible(false);
  FSyncing = true;
  SyncTabIndex(FActivePage ? FActivePage->GetTabIndex() : -1);
  FSyncing = false;
  if (old) old->OnHide(old);
  if (APage) APage->OnShow(APage);
}

int TPageControl::TabImageIndex(int ATab) const {
  return static_cast<TTabSheet*>(GetTabs()->GetObject(ATab))->GetImageIndex();
}

// The user picked a tab: its page is shown.
void TPageControl::TabIndexChanged() {
  if (FSyncing) return;
  const int tab = GetTabIndex();
  ShowPage(tab < 0 ? nullptr : static_cast<TTabSheet*>(GetTabs()->GetObject(tab)));
}

TTabSheet* TPageControl::FindNextPage(TTabSheet* ACurPage, bool AGoForward,
                                      bool ACheckTabVisible) const {
  const int count = GetPageCount();
  if (count == 0) return nullptr;
  int start = GetPageIndexOf(ACurPage);
  if (start < 0) start = AGoForward ? count - 1 : 0;
  int index = start;
  for (int step = 0; step < count; ++step) {
    index = AGoForward ? (index + 1) % count : (index + count - 1) % count;
    if (!ACheckTabVisible || FPages[index]->GetTabVisible()) return FPages[index];
  }
  return nullptr;
}

void TPageControl::SelectNextPage(bool AGoForward, bool ACheckTabVisible) {
  TTabSheet* page = FindNextPage(FActivePage, AGoForward, ACheckTabVisible);
  if (!page || page == FActivePage) return;
  if (page->GetTabIndex() >= 0) {
    SelectTab(page->GetTabIndex());
  } else if (CanChange()) {
    ShowPage(page);
    Change();
  }
}
