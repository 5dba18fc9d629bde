// Tree views: nodes in a QTreeWidget, each TTreeNode owning its row.
#include <QApplication>
#include <QHeaderView>
#include <QIcon>
#include <QPixmap>
#include <QTreeWidget>
#include <algorithm>
#include <exception>
#include <utility>

#include "host/gui/ComCtrls.h"
#include "host/gui/QelWidgets.h"

namespace {

class TQelTreeRow final : public QTreeWidgetItem {
 public:
  explicit TQelTreeRow(TTreeNode* ANode) : QTreeWidgetItem(UserType), Node(ANode) {}
  bool operator<(const QTreeWidgetItem& AOther) const override {
    return Node->GetTreeView()->SortLess(Node, static_cast<const TQelTreeRow&>(AOther).Node);
  }
  TTreeNode* Node;
};

TTreeNode* NodeOf(QTreeWidgetItem* AItem) {
  return AItem && AItem->type() == QTreeWidgetItem::UserType
             ? static_cast<TQelTreeRow*>(AItem)->Node
             : nullptr;
}

// The tree widget that asks its view before editing a node's text in place.
class TQelTree : public QTreeWidget {
 public:
  bool Editing() const { return state() == EditingState; }

 protected:
  bool edit(const QModelIndex& AIndex, EditTrigger ATrigger, QEvent* AEvent) override {
    const bool starts = AIndex.isValid() && state() != EditingState &&
                        (ATrigger == AllEditTriggers || (editTriggers() & ATrigger));
    if (starts) {
      auto* view = static_cast<TCustomTreeView*>(FindControl(this));
      bool allowed = true;
      QelGuard(view, [&] { allowed = view && view->CanEdit(NodeOf(itemFromIndex(AIndex))); });
      if (!allowed) return false;
    }
    return QTreeWidget::edit(AIndex, ATrigger, AEvent);
  }
};

QTreeWidget* TreeOf(const TCustomTreeView* AView) { return QelWidgetOf<QTreeWidget>(AView); }

[[noreturn]] void RaiseIndex(int AIndex) { QelRaiseListIndex<ETreeViewError>(AIndex); }

}  // namespace

// ---- handlers that must leave the nodes alone ------------------------------

template <class F>
void TCustomTreeView::InHandler(F&& AHandler) const {
  ++FHandlerDepth;
  try {
    AHandler();
  } catch (...) {
    --FHandlerDepth;
    throw;
  }
  --FHandlerDepth;
}

void TCustomTreeView::CheckNodesChangeable() const {
  if (FHandlerDepth > 0)
    QelRaise<ETreeViewError>(u"Tree nodes cannot be added, moved or deleted in this event");
}

// ---- nodes ----------------------------------------------------------------

TTreeNode::TTreeNode(TTreeNodes* AOwner)
    : FOwner(AOwner), FQtItem(AOwner->GetOwner()->NewQtItem(this)) {}

TTreeNode::~TTreeNode() {
  while (FQtItem->childCount() > 0) delete NodeOf(FQtItem->child(FQtItem->childCount() - 1));
  FOwner->Removing(this);
  QTreeWidget* tree = FQtItem->treeWidget();
  if (tree && tree->currentItem() == FQtItem) {
    // Qt would move the current row to a neighbour: a node going away selects nothing else.
    const QSignalBlocker quiet(tree);
    tree->setCurrentItem(nullptr, 0, QItemSelectionModel::Clear);
  }
  delete FQtItem;
}

void TTreeNode::Assign(TPersistent* ASource) {
  auto* source = dynamic_cast<TTreeNode*>(ASource);
  if (!source) return TPersistent::Assign(ASource);
  FData = source->FData;
  FSelectedIndex = source->FSelectedIndex;
  FStateIndex = source->FStateIndex;
  FHasChildren = source->FHasChildren;
  SetImageIndex(source->FImageIndex);
  SetText(source->FText);
}

TCustomTreeView* TTreeNode::GetTreeView() const { return FOwner->GetOwner(); }

QTreeWidgetItem* TTreeNode::ContainerItem() const {
  QTreeWidgetItem* parent = FQtItem->parent();
  return parent ? parent : TreeOf(GetTreeView())->invisibleRootItem();
}

void TTreeNode::SetText(const String& AValue) {
  if (AValue == FText) return;
  FText = AValue;
  GetTreeView()->NodeTextChanged(this);
}

void TTreeNode::SetImageIndex(int AValue) {
  FImageIndex = AValue;
  GetTreeView()->ApplyIcon(this);
}

TTreeNode* TTreeNode::GetParent() const { return NodeOf(FQtItem->parent()); }
int TTreeNode::GetCount() const { return FQtItem->childCount(); }

TTreeNode* TTreeNode::GetItem(int AIndex) const {
  if (AIndex < 0 || AIndex >= GetCount()) RaiseIndex(AIndex);
  return NodeOf(FQtItem->child(AIndex));
}

int TTreeNode::GetIndex() const { return ContainerItem()->indexOfChild(FQtItem); }

int TTreeNode::GetAbsoluteIndex() const {
  int index = 0;
  for (const TTreeNode* node = GetPrev(); node; node = node->GetPrev()) ++index;
  return index;
}

int TTreeNode::GetLevel() const {
  int level = 0;
  for (QTreeWidgetItem* up = FQtItem->parent(); up; up = up->parent()) ++level;
  return level;
}

bool TTreeNode::GetHasChildren() const { return FHasChildren || GetCount() > 0; }

void TTreeNode::SetHasChildren(bool AValue) {
  FHasChildren = AValue;
  FQtItem->setChildIndicatorPolicy(AValue ? QTreeWidgetItem::ShowIndicator
                                          : QTreeWidgetItem::DontShowIndicatorWhenChildless);
}

bool TTreeNode::GetExpanded() const { return FQtItem->isExpanded() && GetHasChildren(); }

// Expanding asks OnExpanding (collapsing OnCollapsing) first and tells OnExpanded after.
void TTreeNode::SetExpanded(bool AValue) {
  // A node without children has nothing to open.
  if (AValue == GetExpanded() || (AValue && !GetHasChildren())) return;
  TCustomTreeView* view = GetTreeView();
  if (AValue ? !view->CanExpand(this) : !view->CanCollapse(this)) return;
  view->ApplyExpanded(this, AValue);
  if (AValue) view->OnExpanded(view, this);
  else view->OnCollapsed(view, this);
}

void TTreeNode::Expand(bool ARecurse) {
  SetExpanded(true);
  if (ARecurse)
    for (int i = 0; i < GetCount(); ++i) GetItem(i)->Expand(true);
}

void TTreeNode::Collapse(bool ARecurse) {
  SetExpanded(false);
  if (ARecurse)
    for (int i = 0; i < GetCount(); ++i) GetItem(i)->Collapse(true);
}

bool TTreeNode::GetSelected() const {
  return GetTreeView()->GetMultiSelect() ? FQtItem->isSelected()
                                         : TreeOf(GetTreeView())->currentItem() == FQtItem;
}

void TTreeNode::SetSelected(bool AValue) {
  if (GetTreeView()->GetMultiSelect()) return FQtItem->setSelected(AValue);
  if (AValue) GetTreeView()->SetSelected(this);
  else if (GetSelected()) GetTreeView()->SetSelected(nullptr);
}

bool TTreeNode::GetFocused() const { return TreeOf(GetTreeView())->currentItem() == FQtItem; }
void TTreeNode::SetFocused(bool AValue) {
  if (AValue) GetTreeView()->SetSelected(this);
  else if (GetFocused()) GetTreeView()->SetSelected(nullptr);
}

bool TTreeNode::GetIsVisible() const {
  for (TTreeNode* up = GetParent(); up; up = up->GetParent())
    if (!up->GetExpanded()) return false;
  return true;
}

TTreeNode* TTreeNode::GetFirstChild() const {
  return GetCount() ? NodeOf(FQtItem->child(0)) : nullptr;
}
TTreeNode* TTreeNode::GetLastChild() const {
  return GetCount() ? NodeOf(FQtItem->child(GetCount() - 1)) : nullptr;
}

TTreeNode* TTreeNode::GetNextSibling() const {
  QTreeWidgetItem* container = ContainerItem();
  const int index = container->indexOfChild(FQtItem);
  return index + 1 < container->childCount() ? NodeOf(container->child(index + 1)) : nullptr;
}

TTreeNode* TTreeNode::GetPrevSibling() const {
  QTreeWidgetItem* container = ContainerItem();
  const int index = container->indexOfChild(FQtItem);
  return index > 0 ? NodeOf(container->child(index - 1)) : nullptr;
}

TTreeNode* TTreeNode::GetNext() const {
  if (GetCount() > 0) return GetFirstChild();
  for (const TTreeNode* node = this; node; node = node->GetParent())
    if (TTreeNode* next = node->GetNextSibling()) return next;
  return nullptr;
}

// The node before in depth-first order: the previous sibling's last descendant, else the parent.
TTreeNode* TTreeNode::GetPrev() const {
  TTreeNode* node = GetPrevSibling();
  if (!node) return GetParent();
  while (node->GetCount() > 0) node = node->GetLastChild();
  return node;
}

TTreeNode* TTreeNode::GetNextVisible() const {
  if (GetExpanded() && GetCount() > 0) return GetFirstChild();
  for (const TTreeNode* node = this; node; node = node->GetParent())
    if (TTreeNode* next = node->GetNextSibling()) return next;
  return nullptr;
}

TTreeNode* TTreeNode::GetPrevVisible() const {
  TTreeNode* node = GetPrevSibling();
  if (!node) return GetParent();
  while (node->GetExpanded() && node->GetCount() > 0) node = node->GetLastChild();
  return node;
}

int TTreeNode::IndexOf(TTreeNode* AValue) const {
  return AValue && AValue->GetParent() == this ? FQtItem->indexOfChild(AValue->FQtItem) : -1;
}

bool TTreeNode::HasAsParent(TTreeNode* AValue) const {
  if (!AValue) return false;
  for (TTreeNode* up = GetParent(); up; up = up->GetParent())
    if (up == AValue) return true;
  return false;
}

void TTreeNode::Delete() {
  GetTreeView()->CheckNodesChangeable();
  delete this;
}

void TTreeNode::DeleteChildren() {
  GetTreeView()->CheckNodesChangeable();
  FOwner->BeginUpdate();
  while (GetCount() > 0) delete GetItem(GetCount() - 1);
  FOwner->EndUpdate();
}

void TTreeNode::MoveTo(TTreeNode* ADestination, TNodeAttachMode AMode) {
  GetTreeView()->CheckNodesChangeable();
  if (ADestination && ADestination->GetTreeView() != GetTreeView())
    QelRaise<ETreeViewError>(u"The node belongs to another tree view");
  if (ADestination == this || (ADestination && ADestination->HasAsParent(this)))
    QelRaise<ETreeViewError>(u"A node cannot be moved into itself or its own subtree");
  QTreeWidget* tree = TreeOf(GetTreeView());
  const bool wasCurrent = tree->currentItem() == FQtItem;
  const QSignalBlocker quiet(tree);
  QTreeWidgetItem* container = ContainerItem();
  container->takeChild(container->indexOfChild(FQtItem));
  QTreeWidgetItem* root = tree->invisibleRootItem();
  QTreeWidgetItem* target;
  int index;
  if (!ADestination) {
    target = root;
    index = AMode == naAddFirst || AMode == naAddChildFirst ? 0 : root->childCount();
  } else if (AMode == naAddChild || AMode == naAddChildFirst) {
    target = ADestination->FQtItem;
    index = AMode == naAddChildFirst ? 0 : target->childCount();
  } else {
    target = ADestination->ContainerItem();
    index = AMode == naAddFirst ? 0
            : AMode == naInsert ? target->indexOfChild(ADestination->FQtItem)
                                : target->childCount();
  }
  if (GetTreeView()->Sorting()) index = GetTreeView()->SortedIndex(target, this);
  target->insertChild(index, FQtItem);
  if (wasCurrent) tree->setCurrentItem(FQtItem);
  FOwner->FCacheNode = nullptr;
}

bool TTreeNode::AlphaSort(bool ARecurse) {
  GetTreeView()->CheckNodesChangeable();
  GetTreeView()->SortChildren(FQtItem);
  if (ARecurse)
    for (int i = 0; i < GetCount(); ++i) GetItem(i)->AlphaSort(true);
  return true;
}

bool TTreeNode::EditText() {
  QTreeWidget* tree = TreeOf(GetTreeView());
  tree->editItem(FQtItem, 0);
  return static_cast<TQelTree*>(tree)->Editing();
}

void TTreeNode::MakeVisible() {
  for (TTreeNode* up = GetParent(); up; up = up->GetParent()) up->SetExpanded(true);
  TreeOf(GetTreeView())->scrollToItem(FQtItem);
}

TRect TTreeNode::DisplayRect(bool ATextOnly) const {
  QTreeWidget* tree = TreeOf(GetTreeView());
  QRect r = tree->visualItemRect(FQtItem);
  if (!ATextOnly) r.setLeft(0);
  const QPoint origin = tree->viewport()->mapTo(tree, r.topLeft());
  return Bounds(origin.x(), origin.y(), r.width(), r.height());
}

// ---- the node list --------------------------------------------------------

// Unchecked: the view goes away whatever runs.
TTreeNodes::~TTreeNodes() {
  QTreeWidgetItem* root = TreeOf(FOwner)->invisibleRootItem();
  while (root->childCount() > 0) delete NodeOf(root->child(root->childCount() - 1));
}

void TTreeNodes::Assign(TPersistent* ASource) {
  auto* source = dynamic_cast<TTreeNodes*>(ASource);
  if (!source) return TPersistent::Assign(ASource);
  if (source == this) return;
  BeginUpdate();
  Clear();
  // Each source node lands under the copy of its parent.
  std::vector<std::pair<TTreeNode*, TTreeNode*>> copies;  // source node, its copy
  for (TTreeNode* node = source->GetFirstNode(); node; node = node->GetNext()) {
    TTreeNode* parent = nullptr;
    for (auto& [from, to] : copies)
      if (from == node->GetParent()) parent = to;
    TTreeNode* copy = AddChild(parent, node->GetText());
    copy->Assign(node);
    copies.emplace_back(node, copy);
  }
  EndUpdate();
}

TTreeNode* TTreeNodes::AttachNew(QTreeWidgetItem* AParentItem, int AIndex, const String& S,
                                 void* AData) {
  FOwner->CheckNodesChangeable();
  auto* node = new TTreeNode(this);
  node->FText = S;
  node->FData = AData;
  node->FQtItem->setText(0, QelToQString(S));
  if (FOwner->Sorting()) AIndex = FOwner->SortedIndex(AParentItem, node);
  {
    const QSignalBlocker quiet(TreeOf(FOwner));
    if (AIndex < 0) AParentItem->addChild(node->FQtItem);
    else AParentItem->insertChild(AIndex, node->FQtItem);
  }
  ++FCount;
  FCacheNode = nullptr;
  FOwner->NodeAdded(node);
  return node;
}

namespace {
// A node of another view would put the new node's row into that view's widget.
void CheckOwnNode(const TCustomTreeView* AView, const TTreeNode* ANode) {
  if (ANode && ANode->GetTreeView() != AView)
    QelRaise<ETreeViewError>(u"The node belongs to another tree view");
}
QTreeWidgetItem* ChildrenOf(TCustomTreeView* AView, TTreeNode* AParent) {
  CheckOwnNode(AView, AParent);
  return AParent ? AParent->QtItem() : TreeOf(AView)->invisibleRootItem();
}
QTreeWidgetItem* SiblingsOf(TCustomTreeView* AView, TTreeNode* ASibling) {
  CheckOwnNode(AView, ASibling);
  return ChildrenOf(AView, ASibling ? ASibling->GetParent() : nullptr);
}
}  // namespace

TTreeNode* TTreeNodes::AddObject(TTreeNode* ASibling, const String& S, void* AData) {
  return AttachNew(SiblingsOf(FOwner, ASibling), -1, S, AData);
}
TTreeNode* TTreeNodes::AddObjectFirst(TTreeNode* ASibling, const String& S, void* AData) {
  return AttachNew(SiblingsOf(FOwner, ASibling), 0, S, AData);
}
TTreeNode* TTreeNodes::AddChildObject(TTreeNode* AParent, const String& S, void* AData) {
  return AttachNew(ChildrenOf(FOwner, AParent), -1, S, AData);
}
TTreeNode* TTreeNodes::AddChildObjectFirst(TTreeNode* AParent, const String& S, void* AData) {
  return AttachNew(ChildrenOf(FOwner, AParent), 0, S, AData);
}
TTreeNode* TTreeNodes::InsertObject(TTreeNode* ASibling, const String& S, void* AData) {
  QTreeWidgetItem* container = SiblingsOf(FOwner, ASibling);
  return AttachNew(container, ASibling ? container->indexOfChild(ASibling->QtItem()) : -1, S,
                   AData);
}

void TTreeNodes::Delete(TTreeNode* ANode) {
  FOwner->CheckNodesChangeable();
  if (ANode && ANode->FOwner != this)
    QelRaise<ETreeViewError>(u"The node belongs to another tree view");
  delete ANode;
}

void TTreeNodes::Clear() {
  FOwner->CheckNodesChangeable();
  QTreeWidgetItem* root = TreeOf(FOwner)->invisibleRootItem();
  BeginUpdate();
  while (root->childCount() > 0) delete NodeOf(root->child(root->childCount() - 1));
  EndUpdate();
}

void TTreeNodes::EndUpdate() {
  if (FUpdateCount > 0) --FUpdateCount;
}

TTreeNode* TTreeNodes::GetFirstNode() const {
  QTreeWidgetItem* root = TreeOf(FOwner)->invisibleRootItem();
  return root->childCount() ? NodeOf(root->child(0)) : nullptr;
}

TTreeNode* TTreeNodes::GetItem(int AIndex) const {
  if (AIndex < 0 || AIndex >= FCount) RaiseIndex(AIndex);
  TTreeNode* node = GetFirstNode();
  int index = 0;
  if (FCacheNode && FCacheIndex <= AIndex) node = FCacheNode, index = FCacheIndex;
  for (; node && index < AIndex; ++index) node = node->GetNext();
  if (!node) RaiseIndex(AIndex);
  FCacheNode = node;
  FCacheIndex = AIndex;
  return node;
}

void TTreeNodes::Removing(TTreeNode* ANode) {
  --FCount;
  FCacheNode = nullptr;
  FOwner->NodeDeleting(ANode);
}

// ---- the view -------------------------------------------------------------

TCustomTreeView::TCustomTreeView(TComponent* AOwner)
    : TWinControl(AOwner, QelBridged<TQelTree>()),
      FItems(new TTreeNodes(this)),
      FImageLink(new TChangeLink) {
  FImageLink->OnChange = TNotifyEvent::Bind<&TCustomTreeView::ImagesChanged>(this);
  QTreeWidget* tree = TreeOf(this);
  tree->setHeaderHidden(true);
  tree->setColumnCount(1);
  tree->setUniformRowHeights(true);
  QObject::connect(tree, &QTreeWidget::currentItemChanged, tree,
                   [this](QTreeWidgetItem* ACurrent, QTreeWidgetItem* APrevious) {
                     QelGuard(this, [&] { CurrentChanged(ACurrent, APrevious); });
                   });
  QObject::connect(tree, &QTreeWidget::itemExpanded, tree, [this](QTreeWidgetItem* AItem) {
    QelGuard(this, [&] { ItemExpanded(AItem, true); });
  });
  QObject::connect(tree, &QTreeWidget::itemCollapsed, tree, [this](QTreeWidgetItem* AItem) {
    QelGuard(this, [&] { ItemExpanded(AItem, false); });
  });
  QObject::connect(tree, &QTreeWidget::itemChanged, tree,
                   [this](QTreeWidgetItem* AItem, int AColumn) {
                     QelGuard(this, [&] {
                       if (AColumn == 0) ItemEdited(AItem);
                     });
                   });
  QObject::connect(tree, &QTreeWidget::itemClicked, tree,
                   [this] { QelGuard(this, [this] { Click(); }); });
  QObject::connect(tree, &QTreeWidget::itemDoubleClicked, tree,
                   [this] { QelGuard(this, [this] { DblClick(); }); });
  SetTabStop(true);
  FColor = clWindow;
  FParentColor = false;
  ColorChanged();
  SetReadOnly(false);
  SetBounds(0, 0, 121, 97);
}

TCustomTreeView::~TCustomTreeView() {
  FClearing = true;
  delete FItems;
  delete FImageLink;
}

QTreeWidgetItem* TCustomTreeView::NewQtItem(TTreeNode* ANode) {
  auto* row = new TQelTreeRow(ANode);
  row->setFlags(row->flags() | Qt::ItemIsEditable);
  return row;
}

int TCustomTreeView::Compare(const TTreeNode* A, const TTreeNode* B) const {
  int result;
  if (OnCompare) {
    result = 0;
    InHandler([&] {
      OnCompare(const_cast<TCustomTreeView*>(this), const_cast<TTreeNode*>(A),
                const_cast<TTreeNode*>(B), 0, result);
    });
  } else {
    result = AnsiCompareText(A->GetText(), B->GetText());
  }
  return result < 0 ? -1 : result > 0;
}

// Qt's sort calls this: a handler's exception waits until the sort is over.
bool TCustomTreeView::SortLess(const TTreeNode* A, const TTreeNode* B) const noexcept {
  if (FSortError) return false;
  try {
    return Compare(A, B) < 0;
  } catch (...) {
    FSortError = std::current_exception();
    return false;
  }
}

void TCustomTreeView::SortChildren(QTreeWidgetItem* AItem) {
  {
    const QSignalBlocker quiet(TreeOf(this));
    AItem->sortChildren(0, Qt::AscendingOrder);
  }
  FItems->FCacheNode = nullptr;
  if (std::exception_ptr error = std::exchange(FSortError, nullptr)) std::rethrow_exception(error);
}

// After the siblings that do not order after the node: equal texts keep their adding order.
int TCustomTreeView::SortedIndex(QTreeWidgetItem* AParentItem, const TTreeNode* ANode) const {
  int low = 0, high = AParentItem->childCount();
  while (low < high) {
    const int mid = (low + high) / 2;
    const TTreeNode* other = NodeOf(AParentItem->child(mid));
    if (other == ANode || Compare(other, ANode) <= 0) low = mid + 1;
    else high = mid;
  }
  return low;
}

void TCustomTreeView::NodeAdded(TTreeNode* ANode) {
  if (FImages) ApplyIcon(ANode);
  InHandler([&] { OnAddition(this, ANode); });
}

void TCustomTreeView::NodeDeleting(TTreeNode* ANode) {
  if (!FClearing) InHandler([&] { OnDeletion(this, ANode); });
}

void TCustomTreeView::NodeTextChanged(TTreeNode* ANode) {
  QTreeWidget* tree = TreeOf(this);
  const QSignalBlocker quiet(tree);
  QTreeWidgetItem* item = ANode->QtItem();
  item->setText(0, QelToQString(ANode->GetText()));
  if (!Sorting()) return;
  // The node takes its sorted place among its siblings again.
  QTreeWidgetItem* container = ANode->ContainerItem();
  const bool wasCurrent = tree->currentItem() == item;
  const bool expanded = item->isExpanded();
  container->takeChild(container->indexOfChild(item));
  container->insertChild(SortedIndex(container, ANode), item);
  item->setExpanded(expanded);
  if (wasCurrent) tree->setCurrentItem(item);
  FItems->FCacheNode = nullptr;
}

bool TCustomTreeView::CanExpand(TTreeNode* ANode) {
  bool allow = true;
  InHandler([&] { OnExpanding(this, ANode, allow); });
  return allow;
}

bool TCustomTreeView::CanCollapse(TTreeNode* ANode) {
  bool allow = true;
  InHandler([&] { OnCollapsing(this, ANode, allow); });
  return allow;
}

bool TCustomTreeView::CanEdit(TTreeNode* ANode) {
  if (FReadOnly || !ANode) return false;
  bool allow = true;
  InHandler([&] { OnEditing(this, ANode, allow); });
  return allow;
}

void TCustomTreeView::ApplyExpanded(TTreeNode* ANode, bool AValue) {
  ++FApplying;
  ANode->QtItem()->setExpanded(AValue);
  --FApplying;
}

// The user opened or closed a node: the events may send it back.
void TCustomTreeView::ItemExpanded(QTreeWidgetItem* AItem, bool AExpanded) {
  TTreeNode* node = NodeOf(AItem);
  if (FApplying || !node) return;
  if (AExpanded ? !CanExpand(node) : !CanCollapse(node)) return ApplyExpanded(node, !AExpanded);
  if (AExpanded) OnExpanded(this, node);
  else OnCollapsed(this, node);
}

void TCustomTreeView::ItemEdited(QTreeWidgetItem* AItem) {
  TTreeNode* node = NodeOf(AItem);
  if (!node) return;
  String text = QelFromQString(AItem->text(0));
  if (text == node->GetText()) return;
  OnEdited(this, node, text);
  node->FText.clear();  // the text is set again below, even when the handler kept it
  node->SetText(text);
}

// OnChanging may refuse the new node (the old one is current again); OnChange tells the new one.
void TCustomTreeView::CurrentChanged(QTreeWidgetItem* ACurrent, QTreeWidgetItem* APrevious) {
  if (FClearing || FApplying) return;
  TTreeNode* node = NodeOf(ACurrent);
  bool allow = true;
  InHandler([&] { OnChanging(this, node, allow); });
  if (!allow) {
    const QSignalBlocker quiet(TreeOf(this));
    TreeOf(this)->setCurrentItem(APrevious);
    return;
  }
  if (node && FAutoExpand) node->SetExpanded(true);
  OnChange(this, node);
}

TTreeNode* TCustomTreeView::GetSelected() const { return NodeOf(TreeOf(this)->currentItem()); }

void TCustomTreeView::SetSelected(TTreeNode* AValue) {
  if (AValue && AValue->GetTreeView() != this)
    QelRaise<ETreeViewError>(u"The node belongs to another tree view");
  TQelDirectCall direct;
  QTreeWidget* tree = TreeOf(this);
  if (AValue) tree->setCurrentItem(AValue->QtItem());
  else tree->setCurrentItem(nullptr, 0, QItemSelectionModel::Clear);
  direct.Check();
}

void TCustomTreeView::SetMultiSelect(bool AValue) {
  FMultiSelect = AValue;
  TreeOf(this)->setSelectionMode(AValue ? QAbstractItemView::ExtendedSelection
                                        : QAbstractItemView::SingleSelection);
}

int TCustomTreeView::GetSelectionCount() const {
  return static_cast<int>(TreeOf(this)->selectedItems().size());
}

TTreeNode* TCustomTreeView::GetSelections(int AIndex) const {
  if (AIndex < 0 || AIndex >= GetSelectionCount()) RaiseIndex(AIndex);
  int index = 0;
  for (TTreeNode* node = FItems->GetFirstNode(); node; node = node->GetNext())
    if (node->QtItem()->isSelected() && index++ == AIndex) return node;
  RaiseIndex(AIndex);
}

void TCustomTreeView::ClearSelection() { TreeOf(this)->clearSelection(); }

TTreeNode* TCustomTreeView::GetTopItem() const { return NodeOf(TreeOf(this)->itemAt(0, 0)); }

TTreeNode* TCustomTreeView::GetNodeAt(int X, int Y) const {
  QTreeWidget* tree = TreeOf(this);
  return NodeOf(tree->itemAt(tree->viewport()->mapFrom(tree, QPoint(X, Y))));
}

bool TCustomTreeView::GetIsEditing() const {
  return static_cast<TQelTree*>(TreeOf(this))->Editing();
}

void TCustomTreeView::FullExpand() {
  for (TTreeNode* node = FItems->GetFirstNode(); node; node = node->GetNextSibling())
    node->Expand(true);
}

void TCustomTreeView::FullCollapse() {
  for (TTreeNode* node = FItems->GetFirstNode(); node; node = node->GetNextSibling())
    node->Collapse(true);
}

bool TCustomTreeView::AlphaSort(bool ARecurse) {
  CheckNodesChangeable();
  SortChildren(TreeOf(this)->invisibleRootItem());
  if (ARecurse)
    for (TTreeNode* node = FItems->GetFirstNode(); node; node = node->GetNextSibling())
      node->AlphaSort(true);
  return true;
}

void TCustomTreeView::SetSortType(TSortType AValue) {
  FSortType = AValue;
  if (Sorting()) AlphaSort(true);
}

void TCustomTreeView::SetReadOnly(bool AValue) {
  FReadOnly = AValue;
  TreeOf(this)->setEditTriggers(AValue ? QAbstractItemView::NoEditTriggers
                                       : QAbstractItemView::EditKeyPressed |
                                             QAbstractItemView::SelectedClicked);
}

void TCustomTreeView::SetShowButtons(bool AValue) {
  FShowButtons = AValue;
  TreeOf(this)->setItemsExpandable(true);
  TreeOf(this)->setRootIsDecorated(FShowRoot && AValue);
}

void TCustomTreeView::SetShowRoot(bool AValue) {
  FShowRoot = AValue;
  TreeOf(this)->setRootIsDecorated(AValue && FShowButtons);
}

int TCustomTreeView::GetIndent() const { return TreeOf(this)->indentation(); }
void TCustomTreeView::SetIndent(int AValue) { TreeOf(this)->setIndentation(std::max(0, AValue)); }

void TCustomTreeView::SetImages(TCustomImageList* AValue) {
  if (FImages) FImages->UnRegisterChanges(FImageLink);
  FImages = AValue;
  if (AValue) {
    AValue->RegisterChanges(FImageLink);
    AValue->FreeNotification(this);
  }
  ImagesChanged(nullptr);
}

void TCustomTreeView::Notification(TComponent* AComponent, TOperation AOperation) {
  TWinControl::Notification(AComponent, AOperation);
  if (AOperation == opRemove && AComponent == FImages) {
    FImages = nullptr;
    ImagesChanged(nullptr);
  }
}

void TCustomTreeView::ImagesChanged(TObject*) {
  TreeOf(this)->setIconSize(FImages ? QSize(FImages->GetWidth(), FImages->GetHeight())
                                    : QSize(16, 16));
  for (TTreeNode* node = FItems->GetFirstNode(); node; node = node->GetNext()) ApplyIcon(node);
}

void TCustomTreeView::ApplyIcon(TTreeNode* ANode) {
  const TBitmap* image = FImages ? FImages->Image(ANode->GetImageIndex()) : nullptr;
  const QSignalBlocker quiet(TreeOf(this));
  ANode->QtItem()->setIcon(0, image ? QIcon(QPixmap::fromImage(image->ImageRef())) : QIcon());
}

void TCustomTreeView::SaveToFile(const String& AFileName) {
  TStringList lines;
  for (TTreeNode* node = FItems->GetFirstNode(); node; node = node->GetNext())
    lines.Add(String(node->GetLevel(), u'\t') + node->GetText());
  lines.SaveToFile(AFileName);
}

// Each line's leading tabs give its level; a line deeper than the one before by more than one
// level hangs under the last node of the level above it.
void TCustomTreeView::LoadFromFile(const String& AFileName) {
  TStringList lines;
  lines.LoadFromFile(AFileName);
  FItems->BeginUpdate();
  FItems->Clear();
  std::vector<TTreeNode*> path;  // the last node of each level
  for (int i = 0; i < lines.GetCount(); ++i) {
    const String& line = lines.Get(i);
    size_t level = line.find_first_not_of(u"\t ");
    if (level == String::npos) continue;
    level = std::min(level, path.size());
    TTreeNode* node = FItems->AddChild(level ? path[level - 1] : nullptr,
                                       line.substr(line.find_first_not_of(u"\t ")));
    path.resize(level);
    path.push_back(node);
  }
  FItems->EndUpdate();
}
