// List views: items, columns and the view on a QTreeWidget.
#include <QApplication>
#include <QHeaderView>
#include <QIcon>
#include <QPixmap>
#include <QScrollBar>
#include <QTreeWidget>
#include <algorithm>

#include "host/gui/ComCtrls.h"
#include "host/gui/QelWidgets.h"

namespace {

// A row of the view, ordered by the view's comparison.
class TQelListRow final : public QTreeWidgetItem {
 public:
  explicit TQelListRow(TListItem* AItem) : QTreeWidgetItem(UserType), Item(AItem) {}
  bool operator<(const QTreeWidgetItem& AOther) const override {
    const TListItem* other = static_cast<const TQelListRow&>(AOther).Item;
    return Item->GetListView()->Compare(Item, other) < 0;
  }
  TListItem* Item;
};

TListItem* ItemOf(QTreeWidgetItem* ARow) { return ARow ? static_cast<TQelListRow*>(ARow)->Item : nullptr; }

// The tree widget that asks its view before editing a caption in place.
class TQelListTree : public QTreeWidget {
 public:
  bool Editing() const { return state() == EditingState; }

 protected:
  bool edit(const QModelIndex& AIndex, EditTrigger ATrigger, QEvent* AEvent) override {
    const bool starts = AIndex.isValid() && AIndex.column() == 0 && state() != EditingState &&
                        (ATrigger == AllEditTriggers || (editTriggers() & ATrigger)) &&
                        (itemFromIndex(AIndex)->flags() & Qt::ItemIsEditable);
    if (starts) {
      auto* view = static_cast<TCustomListView*>(FindControl(this));
      bool allowed = true;
      QelGuard(view, [&] { allowed = view && view->CanEdit(ItemOf(itemFromIndex(AIndex))); });
      if (!allowed) return false;
    }
    return QTreeWidget::edit(AIndex, ATrigger, AEvent);
  }
};

QTreeWidget* TreeOf(const TCustomListView* AView) { return QelWidgetOf<QTreeWidget>(AView); }

}  // namespace

// ---- columns --------------------------------------------------------------

void TListColumn::Assign(TPersistent* ASource) {
  auto* source = dynamic_cast<TListColumn*>(ASource);
  if (!source) return TCollectionItem::Assign(ASource);
  FCaption = source->FCaption;
  FWidth = source->FWidth;
  FAlignment = source->FAlignment;
  FAutoSize = source->FAutoSize;
  Changed();
}

void TListColumn::SetCaption(const String& AValue) { FCaption = AValue; Changed(); }
void TListColumn::SetWidth(int AValue) { FWidth = AValue; Changed(); }
void TListColumn::SetAlignment(TAlignment AValue) { FAlignment = AValue; Changed(); }
void TListColumn::SetAutoSize(bool AValue) { FAutoSize = AValue; Changed(); }

void TListColumn::Changed() {
  if (auto* columns = dynamic_cast<TListColumns*>(GetCollection())) columns->GetOwnerView()->ColumnsChanged();
}

TListColumns::TListColumns(TCustomListView* AOwner) : TCollection(TListColumn::StaticClass()), FOwner(AOwner) {}
TPersistent* TListColumns::GetOwner() const { return FOwner; }

void TListColumns::Changed() {
  TCollection::Changed();
  if (GetUpdateCount() == 0) FOwner->ColumnsChanged();
}

// ---- items ----------------------------------------------------------------

TListItem::TListItem(TListItems* AOwner)
    : FOwner(AOwner), FQtItem(AOwner->GetOwner()->NewQtItem(this)), FSubItems(new TStringList) {
  FSubItems->OnChange = TNotifyEvent::Bind<&TListItem::SubItemsChanged>(this);
}

TListItem::~TListItem() {
  FOwner->Removing(this);
  QTreeWidget* tree = FQtItem->treeWidget();
  if (tree && tree->currentItem() == FQtItem) {
    // Qt would move the current row, and the selection with it, to a neighbour: an item
    // going away selects nothing else.
    const QSignalBlocker quiet(tree);
    tree->setCurrentItem(nullptr, 0, QItemSelectionModel::NoUpdate);
  }
  delete FQtItem;  // takes the row out of the tree
  delete FSubItems;
}

void TListItem::Assign(TPersistent* ASource) {
  auto* source = dynamic_cast<TListItem*>(ASource);
  if (!source) return TPersistent::Assign(ASource);
  FSubItems->Assign(source->FSubItems);
  FData = source->FData;
  FStateIndex = source->FStateIndex;
  SetImageIndex(source->FImageIndex);
  SetChecked(source->FChecked);
  SetCaption(source->FCaption);
}

TCustomListView* TListItem::GetListView() const { return FOwner->GetOwner(); }

void TListItem::SetCaption(const String& AValue) {
  if (AValue == FCaption && FQtItem->text(0) == QelToQString(AValue)) return;
  FCaption = AValue;
  GetListView()->ItemChanged(this, ctText);
}

void TListItem::SetImageIndex(int AValue) {
  if (AValue == FImageIndex) return;
  FImageIndex = AValue;
  GetListView()->ItemChanged(this, ctImage);
}

void TListItem::SetChecked(bool AValue) {
  if (AValue == FChecked) return;
  FChecked = AValue;
  GetListView()->ItemChanged(this, ctState);
}

void TListItem::SubItemsChanged(TObject*) { GetListView()->ItemChanged(this, ctText); }

bool TListItem::GetSelected() const { return FQtItem->treeWidget() && FQtItem->isSelected(); }

void TListItem::SetSelected(bool AValue) {
  QTreeWidget* tree = FQtItem->treeWidget();
  if (!tree || AValue == FQtItem->isSelected()) return;
  // Without multiple selection, selecting an item leaves it the only one.
  if (AValue && !GetListView()->GetMultiSelect()) tree->setCurrentItem(FQtItem);
  else FQtItem->setSelected(AValue);
}

bool TListItem::GetFocused() const { return FQtItem->treeWidget() && FQtItem->treeWidget()->currentItem() == FQtItem; }

void TListItem::SetFocused(bool AValue) {
  QTreeWidget* tree = FQtItem->treeWidget();
  if (!tree) return;
  if (AValue) tree->setCurrentItem(FQtItem, 0, QItemSelectionModel::NoUpdate);
  else if (tree->currentItem() == FQtItem) tree->setCurrentItem(nullptr, 0, QItemSelectionModel::NoUpdate);
}

int TListItem::GetIndex() const { return FOwner->IndexOf(const_cast<TListItem*>(this)); }

void TListItem::Delete() { delete this; }

void TListItem::MakeVisible(bool APartialOK) {
  if (QTreeWidget* tree = FQtItem->treeWidget())
    tree->scrollToItem(FQtItem, APartialOK ? QAbstractItemView::EnsureVisible : QAbstractItemView::PositionAtCenter);
}

TRect TListItem::DisplayRect(TDisplayCode ACode) const {
  QTreeWidget* tree = FQtItem->treeWidget();
  if (!tree) return {};
  QRect r = tree->visualItemRect(FQtItem);
  const int icon = FQtItem->icon(0).isNull() ? 0 : tree->iconSize().width() + 4;
  if (ACode == drIcon) r.setWidth(icon);
  if (ACode == drLabel) r.setLeft(r.left() + icon);
  const QPoint origin = tree->viewport()->mapTo(tree, r.topLeft());
  return Bounds(origin.x(), origin.y(), r.width(), r.height());
}

bool TListItem::EditCaption() {
  QTreeWidget* tree = FQtItem->treeWidget();
  if (!tree) return false;
  tree->editItem(FQtItem, 0);
  return static_cast<TQelListTree*>(tree)->Editing();
}

void TListItem::Update() { GetListView()->ItemChanged(this, ctText); }

// ---- the item list --------------------------------------------------------

TListItems::~TListItems() { Clear(); }

void TListItems::Assign(TPersistent* ASource) {
  auto* source = dynamic_cast<TListItems*>(ASource);
  if (!source) return TPersistent::Assign(ASource);
  BeginUpdate();
  Clear();
  for (int i = 0; i < source->GetCount(); ++i) Add()->Assign(source->GetItem(i));
  EndUpdate();
}

TListItem* TListItems::AddItem(TListItem* AItem, int AIndex) {
  if (AIndex < -1 || AIndex > GetCount()) QelRaiseListIndex(AIndex);
  TListItem* item = AItem ? AItem : new TListItem(this);
  if (item->FOwner != this) QelRaise<EInvalidOperation>(u"The item belongs to another list view");
  if (item->FQtItem->treeWidget()) return item;
  QTreeWidget* tree = TreeOf(FOwner);
  tree->insertTopLevelItem(AIndex < 0 ? tree->topLevelItemCount() : AIndex, item->FQtItem);
  FOwner->ItemInserted(item);
  return item;
}

TListItem* TListItems::Insert(int AIndex) { return AddItem(nullptr, AIndex); }

void TListItems::Delete(int AIndex) { delete GetItem(AIndex); }

void TListItems::Clear() {
  BeginUpdate();
  while (GetCount() > 0) delete GetItem(GetCount() - 1);
  EndUpdate();
}

void TListItems::EndUpdate() {
  if (FUpdateCount > 0) --FUpdateCount;
}

int TListItems::IndexOf(TListItem* AValue) const {
  return AValue && AValue->FOwner == this ? TreeOf(FOwner)->indexOfTopLevelItem(AValue->FQtItem) : -1;
}

int TListItems::GetCount() const { return TreeOf(FOwner)->topLevelItemCount(); }

TListItem* TListItems::GetItem(int AIndex) const {
  if (AIndex < 0 || AIndex >= GetCount()) QelRaiseListIndex(AIndex);
  return ItemOf(TreeOf(FOwner)->topLevelItem(AIndex));
}

void TListItems::Removing(TListItem* AItem) {
  if (AItem->FQtItem->treeWidget()) FOwner->ItemDeleting(AItem);
}

// ---- the view -------------------------------------------------------------

TCustomListView::TCustomListView(TComponent* AOwner) : TCustomListView(AOwner, QelBridged<TQelListTree>()) {}

TCustomListView::TCustomListView(TComponent* AOwner, QWidget* AWidget)
    : TCustomMultiSelectListControl(AOwner, AWidget),
      FItems(new TListItems(this)),
      FColumns(new TListColumns(this)),
      FSmallLink(new TChangeLink),
      FLargeLink(new TChangeLink) {
  FSmallLink->OnChange = TNotifyEvent::Bind<&TCustomListView::ImagesChanged>(this);
  FLargeLink->OnChange = TNotifyEvent::Bind<&TCustomListView::ImagesChanged>(this);
  QTreeWidget* tree = TreeOf(this);
  tree->setRootIsDecorated(false);
  tree->setUniformRowHeights(true);
  tree->setAllColumnsShowFocus(false);
  QObject::connect(tree, &QTreeWidget::itemSelectionChanged, tree, [this] { QelGuard(this, [this] { SelectionChanged(); }); });
  QObject::connect(tree, &QTreeWidget::itemChanged, tree,
                   [this](QTreeWidgetItem* ARow, int AColumn) { QelGuard(this, [&] { if (AColumn == 0) ItemEdited(ARow); }); });
  QObject::connect(tree, &QTreeWidget::itemClicked, tree, [this] { QelGuard(this, [this] { Click(); }); });
  QObject::connect(tree, &QTreeWidget::itemDoubleClicked, tree, [this] { QelGuard(this, [this] { DblClick(); }); });
  QObject::connect(tree->header(), &QHeaderView::sectionClicked, tree, [this](int ASection) {
    QelGuard(this, [&] { if (ASection < FColumns->GetCount()) OnColumnClick(this, FColumns->GetItems(ASection)); });
  });
  SetTabStop(true);
  FColor = clWindow;
  FParentColor = false;
  ColorChanged();
  SetReadOnly(false);
  SetHideSelection(true);
  ApplyColumns();
  SetBounds(0, 0, 250, 150);
}

TCustomListView::~TCustomListView() {
  FClearing = true;
  delete FItems;
  delete FColumns;
  delete FSmallLink;
  delete FLargeLink;
}

QTreeWidgetItem* TCustomListView::NewQtItem(TListItem* AItem) {
  auto* row = new TQelListRow(AItem);
  row->setFlags(row->flags() | Qt::ItemIsEditable);
  return row;
}

void TCustomListView::ItemInserted(TListItem* AItem) {
  ApplyText(AItem);
  ApplyIcon(AItem);
  if (FCheckboxes) AItem->QtItem()->setCheckState(0, AItem->GetChecked() ? Qt::Checked : Qt::Unchecked);
  if (Sorting() && FItems->FUpdateCount == 0) AlphaSort();
  OnInsert(this, AItem);
}

void TCustomListView::ItemDeleting(TListItem* AItem) {
  FSelection.erase(std::remove(FSelection.begin(), FSelection.end(), AItem), FSelection.end());
  if (!FClearing) OnDeletion(this, AItem);
}

void TCustomListView::ApplyText(TListItem* AItem) {
  QTreeWidgetItem* row = AItem->QtItem();
  const QSignalBlocker quiet(TreeOf(this));  // our own text is not an edit
  row->setText(0, QelToQString(AItem->GetCaption()));
  TStrings* sub = AItem->GetSubItems();
  for (int i = 0; i < sub->GetCount(); ++i) row->setText(i + 1, QelToQString(sub->Get(i)));
}

void TCustomListView::ItemChanged(TListItem* AItem, TItemChange AChange) {
  QTreeWidgetItem* row = AItem->QtItem();
  if (!row->treeWidget()) return;
  if (AChange == ctText) {
    ApplyText(AItem);
    if (Sorting() && FItems->FUpdateCount == 0) AlphaSort();
  } else if (AChange == ctImage) {
    ApplyIcon(AItem);
  } else if (FCheckboxes) {
    const QSignalBlocker quiet(TreeOf(this));
    row->setCheckState(0, AItem->GetChecked() ? Qt::Checked : Qt::Unchecked);
  }
  Change(AItem, AChange);
}

void TCustomListView::ItemEdited(QTreeWidgetItem* ARow) {
  TListItem* item = ItemOf(ARow);
  if (!item) return;
  // The user ticked or cleared the box.
  if (FCheckboxes && (ARow->checkState(0) == Qt::Checked) != item->GetChecked())
    return item->SetChecked(ARow->checkState(0) == Qt::Checked);
  String text = QelFromQString(ARow->text(0));
  if (text == item->GetCaption()) return;
  OnEdited(this, item, text);
  item->SetCaption(text);
}

bool TCustomListView::CanEdit(TListItem* AItem) {
  if (FReadOnly || !AItem) return false;
  bool allow = true;
  OnEditing(this, AItem, allow);
  return allow;
}

int TCustomListView::Compare(const TListItem* A, const TListItem* B) const {
  if (OnCompare) {
    int result = 0;
    OnCompare(const_cast<TCustomListView*>(this), const_cast<TListItem*>(A), const_cast<TListItem*>(B), 0, result);
    return result < 0 ? -1 : result > 0;
  }
  const int result = AnsiCompareText(A->GetCaption(), B->GetCaption());
  return result < 0 ? -1 : result > 0;
}

// Tells each item that left the selection, then each that joined it.
void TCustomListView::SelectionChanged() {
  if (FClearing) return;
  std::vector<TListItem*> now;
  for (QTreeWidgetItem* row : TreeOf(this)->selectedItems()) now.push_back(ItemOf(row));
  std::vector<TListItem*> left, joined;
  for (TListItem* item : FSelection)
    if (std::find(now.begin(), now.end(), item) == now.end()) left.push_back(item);
  for (TListItem* item : now)
    if (std::find(FSelection.begin(), FSelection.end(), item) == FSelection.end()) joined.push_back(item);
  FSelection = std::move(now);
  for (TListItem* item : left) {
    Change(item, ctState);
    SelectItem(item, false);
  }
  for (TListItem* item : joined) {
    Change(item, ctState);
    SelectItem(item, true);
  }
}

void TCustomListView::SetViewStyle(TViewStyle AValue) {
  FViewStyle = AValue;
  ApplyColumns();
  ImagesChanged(nullptr);
}

void TCustomListView::SetSortType(TSortType AValue) {
  FSortType = AValue;
  if (Sorting()) AlphaSort();
}

void TCustomListView::SetReadOnly(bool AValue) {
  FReadOnly = AValue;
  TreeOf(this)->setEditTriggers(AValue ? QAbstractItemView::NoEditTriggers
                                       : QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
}

// Qt keeps the selection visible; hiding it paints selected rows as plain ones while the
// view has no focus.
void TCustomListView::SetHideSelection(bool AValue) {
  FHideSelection = AValue;
  QTreeWidget* tree = TreeOf(this);
  QPalette palette = tree->palette();
  const QPalette base = QApplication::palette(tree);
  palette.setColor(QPalette::Inactive, QPalette::Highlight,
                   AValue ? base.color(QPalette::Inactive, QPalette::Base) : base.color(QPalette::Active, QPalette::Highlight));
  palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                   AValue ? base.color(QPalette::Inactive, QPalette::Text)
                          : base.color(QPalette::Active, QPalette::HighlightedText));
  tree->setPalette(palette);
}

void TCustomListView::SetShowColumnHeaders(bool AValue) {
  FShowColumnHeaders = AValue;
  ApplyColumns();
}

void TCustomListView::SetCheckboxes(bool AValue) {
  FCheckboxes = AValue;
  for (int i = 0; i < FItems->GetCount(); ++i) {
    QTreeWidgetItem* row = FItems->GetItem(i)->QtItem();
    if (AValue) row->setCheckState(0, FItems->GetItem(i)->GetChecked() ? Qt::Checked : Qt::Unchecked);
    else row->setData(0, Qt::CheckStateRole, QVariant());
  }
}

void TCustomListView::SetSmallImages(TCustomImageList* AValue) {
  if (FSmallImages) FSmallImages->UnRegisterChanges(FSmallLink);
  FSmallImages = AValue;
  if (AValue) {
    AValue->RegisterChanges(FSmallLink);
    AValue->FreeNotification(this);
  }
  ImagesChanged(nullptr);
}

void TCustomListView::SetLargeImages(TCustomImageList* AValue) {
  if (FLargeImages) FLargeImages->UnRegisterChanges(FLargeLink);
  FLargeImages = AValue;
  if (AValue) {
    AValue->RegisterChanges(FLargeLink);
    AValue->FreeNotification(this);
  }
  ImagesChanged(nullptr);
}

// A list going away has already let go of its link.
void TCustomListView::Notification(TComponent* AComponent, TOperation AOperation) {
  TCustomMultiSelectListControl::Notification(AComponent, AOperation);
  if (AOperation != opRemove) return;
  if (AComponent == FSmallImages) FSmallImages = nullptr;
  if (AComponent == FLargeImages) FLargeImages = nullptr;
  if (AComponent == FSmallImages || AComponent == FLargeImages || !AComponent) ImagesChanged(nullptr);
}

// The icon style shows the large images, the others the small ones.
TCustomImageList* TCustomListView::ShownImages() const {
  return FViewStyle == vsIcon && FLargeImages ? FLargeImages : FSmallImages;
}

void TCustomListView::ImagesChanged(TObject*) {
  TCustomImageList* images = ShownImages();
  TreeOf(this)->setIconSize(images ? QSize(images->GetWidth(), images->GetHeight()) : QSize(16, 16));
  for (int i = 0; i < FItems->GetCount(); ++i) ApplyIcon(FItems->GetItem(i));
}

void TCustomListView::ApplyIcon(TListItem* AItem) {
  const TCustomImageList* images = ShownImages();
  const TBitmap* image = images ? images->Image(AItem->GetImageIndex()) : nullptr;
  const QSignalBlocker quiet(TreeOf(this));
  AItem->QtItem()->setIcon(0, image ? QIcon(QPixmap::fromImage(image->ImageRef())) : QIcon());
}

void TCustomListView::ColumnsChanged() { ApplyColumns(); }

// The report style shows the columns under their headers; the other styles one column of
// captions.
void TCustomListView::ApplyColumns() {
  QTreeWidget* tree = TreeOf(this);
  const bool report = FViewStyle == vsReport;
  const int count = report ? std::max(1, FColumns->GetCount()) : 1;
  tree->setColumnCount(count);
  tree->setHeaderHidden(!report || !FShowColumnHeaders);
  QStringList labels;
  for (int i = 0; i < count; ++i) labels << (i < FColumns->GetCount() ? QelToQString(FColumns->GetItems(i)->GetCaption()) : QString());
  tree->setHeaderLabels(labels);
  for (int i = 0; report && i < FColumns->GetCount(); ++i) {
    const TListColumn* column = FColumns->GetItems(i);
    if (column->GetWidth() >= 0 && !column->GetAutoSize()) tree->setColumnWidth(i, column->GetWidth());
    else tree->resizeColumnToContents(i);
  }
  if (!report) tree->header()->setStretchLastSection(true);
}

TListItem* TCustomListView::GetSelected() const {
  const QList<QTreeWidgetItem*> rows = TreeOf(this)->selectedItems();
  TListItem* first = nullptr;
  for (QTreeWidgetItem* row : rows)
    if (!first || TreeOf(this)->indexOfTopLevelItem(row) < first->GetIndex()) first = ItemOf(row);
  return first;
}

void TCustomListView::SetSelected(TListItem* AValue) {
  ClearSelection();
  if (AValue) AValue->SetSelected(true);
}

TListItem* TCustomListView::GetItemFocused() const { return ItemOf(TreeOf(this)->currentItem()); }
void TCustomListView::SetItemFocused(TListItem* AValue) {
  if (AValue) AValue->SetFocused(true);
  else TreeOf(this)->setCurrentItem(nullptr, 0, QItemSelectionModel::NoUpdate);
}

TListItem* TCustomListView::GetTopItem() const { return ItemOf(TreeOf(this)->itemAt(0, 0)); }

int TCustomListView::GetVisibleRowCount() const {
  QTreeWidget* tree = TreeOf(this);
  const int row = tree->sizeHintForRow(0) > 0 ? tree->sizeHintForRow(0) : tree->fontMetrics().height() + 2;
  return tree->viewport()->height() / row;
}

TListItem* TCustomListView::GetItemAt(int X, int Y) const {
  QTreeWidget* tree = TreeOf(this);
  return ItemOf(tree->itemAt(tree->viewport()->mapFrom(tree, QPoint(X, Y))));
}

TListItem* TCustomListView::FindCaption(int AStartIndex, const String& AValue, bool APartial, bool AInclusive,
                                        bool AWrap) const {
  const int count = FItems->GetCount();
  for (int step = AInclusive ? 0 : 1; step < count + (AInclusive ? 0 : 1); ++step) {
    const int index = AStartIndex + step;
    if (index >= count && !AWrap) break;
    TListItem* item = FItems->GetItem(((index % count) + count) % count);
    const String& caption = item->GetCaption();
    if (APartial ? AnsiCompareText(caption.substr(0, AValue.size()), AValue) == 0 : AnsiCompareText(caption, AValue) == 0)
      return item;
  }
  return nullptr;
}

bool TCustomListView::AlphaSort() {
  TreeOf(this)->sortItems(0, Qt::AscendingOrder);
  return true;
}

void TCustomListView::Scroll(int DX, int DY) {
  QTreeWidget* tree = TreeOf(this);
  tree->horizontalScrollBar()->setValue(tree->horizontalScrollBar()->value() + DX);
  tree->verticalScrollBar()->setValue(tree->verticalScrollBar()->value() + DY);
}

bool TCustomListView::GetIsEditing() const { return static_cast<TQelListTree*>(TreeOf(this))->Editing(); }

int TCustomListView::GetItemIndex() const {
  const TListItem* item = GetSelected();
  return item ? item->GetIndex() : -1;
}

void TCustomListView::SetItemIndex(int AValue) {
  if (AValue < -1 || AValue >= FItems->GetCount()) QelRaiseListIndex(AValue);
  SetSelected(AValue < 0 ? nullptr : FItems->GetItem(AValue));
}

void TCustomListView::AddItem(const String& AItem, TObject* AObject) {
  TListItem* item = FItems->Add();
  item->SetCaption(AItem);
  item->SetData(AObject);
}

void TCustomListView::ClearSelection() { TreeOf(this)->clearSelection(); }

void TCustomListView::DeleteSelected() {
  for (TListItem* item = GetSelected(); item; item = GetSelected()) delete item;
}

void TCustomListView::SelectAll() {
  if (FMultiSelect) TreeOf(this)->selectAll();
}

void TCustomListView::SetMultiSelect(bool AValue) {
  FMultiSelect = AValue;
  TreeOf(this)->setSelectionMode(AValue ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
}

int TCustomListView::GetSelCount() const { return static_cast<int>(TreeOf(this)->selectedItems().size()); }
