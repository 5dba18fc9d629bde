// Host unit "ComCtrls": the common controls on Qt's widgets.
//
// A list view keeps its items in a QTreeWidget (one row per item, the sub-items in the
// report style's further columns); the widget holds their order, so sorting is Qt's, with the
// library's comparison. Each TListItem is owned by the view's TListItems and knows its Qt row.
// A tree view does the same with a hierarchy: each TTreeNode owns its QTreeWidgetItem, and the
// widget holds the parent, child and sibling order. A status bar paints its simple text or its
// panels itself. Tab controls show a QTabBar above their client area; a page control's sheets
// are its aligned children, the active one shown.
#pragma once

#include <exception>

#include "host/core/SysUtils.h"
#include "host/core/UnitData.h"

#include "host/gui/ExtCtrls.h"
#include "host/gui/ImgList.h"
#include "host/gui/Menus.h"
#include "host/gui/StdCtrls.h"

class QObject;
class QTreeWidgetItem;
class QTabBar;
class TCustomListView;
class TListItems;

using TSortType = TListItemsSortType;
enum TDisplayCode { drBounds, drIcon, drLabel, drSelectBounds };
QEL_ENUM_TYPE(TDisplayCode, drBounds, drIcon, drLabel, drSelectBounds);

// ---------------------------------------------------------------------------
// List views

class TListColumn : public TCollectionItem {
  QEL_CLASS(TListColumn, TCollectionItem)
 public:
  TListColumn() = default;
  void Assign(TPersistent* ASource) override;
  const String& GetCaption() const { return FCaption; }
  void SetCaption(const String& AValue);
  // The width in pixels; -1 fits the widest entry, -2 the caption.
  int GetWidth() const { return FWidth; }
  void SetWidth(int AValue);
  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment AValue);
  bool GetAutoSize() const { return FAutoSize; }
  void SetAutoSize(bool AValue);
  String GetDisplayName() const override { return FCaption.empty() ? TCollectionItem::GetDisplayName() : FCaption; }

 private:
  void Changed();
  String FCaption;
  int FWidth = 50;
  TAlignment FAlignment = taLeftJustify;
  bool FAutoSize = false;
};

class TListColumns : public TCollection {
  QEL_CLASS(TListColumns, TCollection)
 public:
  explicit TListColumns(TCustomListView* AOwner);
  TListColumn* Add() { return static_cast<TListColumn*>(TCollection::Add()); }
  TListColumn* GetItems(int AIndex) const { return static_cast<TListColumn*>(TCollection::GetItems(AIndex)); }
  TCustomListView* GetOwnerView() const { return FOwner; }
  TPersistent* GetOwner() const override;

 protected:
  void Changed() override;

 private:
  TCustomListView* FOwner;
};

class TListItem : public TPersistent {
  QEL_CLASS(TListItem, TPersistent)
 public:
  explicit TListItem(TListItems* AOwner);
  ~TListItem() override;
  void Assign(TPersistent* ASource) override;

  const String& GetCaption() const { return FCaption; }
  void SetCaption(const String& AValue);
  TStrings* GetSubItems() const { return FSubItems; }
  void SetSubItems(TStrings* AValue) { FSubItems->Assign(AValue); }
  int GetImageIndex() const { return FImageIndex; }
  void SetImageIndex(int AValue);
  int GetStateIndex() const { return FStateIndex; }
  void SetStateIndex(int AValue) { FStateIndex = AValue; }
  bool GetChecked() const { return FChecked; }
  void SetChecked(bool AValue);
  // Selected and Focused are the view's: they read and move its selection.
  bool GetSelected() const;
  void SetSelected(bool AValue);
  bool GetFocused() const;
  void SetFocused(bool AValue);
  void* GetData() const { return FData; }
  void SetData(void* AValue) { FData = AValue; }
  int GetIndex() const;
  TListItems* GetOwner() const { return FOwner; }
  TCustomListView* GetListView() const;
  // Removes the item from its view and frees it.
  void Delete();
  void MakeVisible(bool APartialOK);
  TRect DisplayRect(TDisplayCode ACode) const;
  // Starts editing the caption in place (the view's OnEditing may refuse).
  bool EditCaption();
  void Update();

  QTreeWidgetItem* QtItem() const { return FQtItem; }

 private:
  friend class TListItems;
  void SubItemsChanged(TObject*);
  TListItems* FOwner;
  QTreeWidgetItem* FQtItem;
  TStringList* FSubItems;
  String FCaption;
  void* FData = nullptr;
  int FImageIndex = -1;
  int FStateIndex = -1;
  bool FChecked = false;
};

// The items of a list view, in the view's order.
class TListItems : public TPersistent {
  QEL_CLASS(TListItems, TPersistent)
 public:
  explicit TListItems(TCustomListView* AOwner) : FOwner(AOwner) {}
  ~TListItems() override;
  void Assign(TPersistent* ASource) override;

  TListItem* Add() { return AddItem(nullptr, -1); }
  // Puts AItem (a new item when null) at AIndex (-1: the end; the sorted place when the view
  // sorts); returns it.
  TListItem* AddItem(TListItem* AItem, int AIndex);
  TListItem* Insert(int AIndex);
  void Delete(int AIndex);
  void Clear();
  void BeginUpdate() { ++FUpdateCount; }
  void EndUpdate();
  int IndexOf(TListItem* AValue) const;
  int GetCount() const;
  // Raises EListError "List index out of bounds (%d)".
  TListItem* GetItem(int AIndex) const;
  void SetItem(int AIndex, TListItem* AValue) { GetItem(AIndex)->Assign(AValue); }
  TCustomListView* GetOwner() const { return FOwner; }

 private:
  friend class TListItem;
  friend class TCustomListView;
  // The item leaving, told by the item's destructor.
  void Removing(TListItem* AItem);
  TCustomListView* FOwner;
  int FUpdateCount = 0;
};

QEL_EVENT_TYPE(TLVSelectItemEvent, void(TObject* Sender, TListItem* Item, bool Selected));
QEL_EVENT_TYPE(TLVChangeEvent, void(TObject* Sender, TListItem* Item, TItemChange Change));
QEL_EVENT_TYPE(TLVDeletedEvent, void(TObject* Sender, TListItem* Item));
QEL_EVENT_TYPE(TLVEditingEvent, void(TObject* Sender, TListItem* Item, bool& AllowEdit));
QEL_EVENT_TYPE(TLVEditedEvent, void(TObject* Sender, TListItem* Item, String& S));
QEL_EVENT_TYPE(TLVCompareEvent, void(TObject* Sender, TListItem* Item1, TListItem* Item2, int Data, int& Compare));
QEL_EVENT_TYPE(TLVColumnClickEvent, void(TObject* Sender, TListColumn* Column));

class TCustomListView : public TCustomMultiSelectListControl {
  QEL_CLASS(TCustomListView, TCustomMultiSelectListControl)
 public:
  explicit TCustomListView(TComponent* AOwner);
  ~TCustomListView() override;

  TListItems* GetItems() const { return FItems; }
  void SetItems(TListItems* AValue) { FItems->Assign(AValue); }
  TListColumns* GetColumns() const { return FColumns; }
  void SetColumns(TListColumns* AValue) { FColumns->Assign(AValue); }
  TViewStyle GetViewStyle() const { return FViewStyle; }
  void SetViewStyle(TViewStyle AValue);
  TSortType GetSortType() const { return FSortType; }
  void SetSortType(TSortType AValue);
  bool GetReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool AValue);
  bool GetHideSelection() const { return FHideSelection; }
  void SetHideSelection(bool AValue);
  bool GetRowSelect() const { return FRowSelect; }
  void SetRowSelect(bool AValue) { FRowSelect = AValue; }
  bool GetShowColumnHeaders() const { return FShowColumnHeaders; }
  void SetShowColumnHeaders(bool AValue);
  bool GetGridLines() const { return FGridLines; }
  void SetGridLines(bool AValue) { FGridLines = AValue; Invalidate(); }
  bool GetCheckboxes() const { return FCheckboxes; }
  void SetCheckboxes(bool AValue);
  TCustomImageList* GetSmallImages() const { return FSmallImages; }
  void SetSmallImages(TCustomImageList* AValue);
  TCustomImageList* GetLargeImages() const { return FLargeImages; }
  void SetLargeImages(TCustomImageList* AValue);
  // The first selected item, or null; setting selects that one item (null clears).
  TListItem* GetSelected() const;
  void SetSelected(TListItem* AValue);
  TListItem* GetItemFocused() const;
  void SetItemFocused(TListItem* AValue);
  TListItem* GetTopItem() const;
  int GetVisibleRowCount() const;
  TListItem* GetItemAt(int X, int Y) const;
  TListItem* FindCaption(int AStartIndex, const String& AValue, bool APartial, bool AInclusive, bool AWrap) const;
  // Sorts by caption (OnCompare when set); true when sorted.
  bool AlphaSort();
  void Scroll(int DX, int DY);
  bool GetIsEditing() const;

  // TCustomListControl
  int GetItemIndex() const override;
  void SetItemIndex(int AValue) override;
  int GetCount() const override { return FItems->GetCount(); }
  void AddItem(const String& AItem, TObject* AObject) override;
  void Clear() override { FItems->Clear(); }
  void ClearSelection() override;
  void DeleteSelected() override;
  void SelectAll() override;
  bool GetMultiSelect() const override { return FMultiSelect; }
  void SetMultiSelect(bool AValue) override;
  int GetSelCount() const override;

  TLVSelectItemEvent OnSelectItem;
  TLVChangeEvent OnChange;
  TLVDeletedEvent OnDeletion;
  TLVDeletedEvent OnInsert;
  TLVEditingEvent OnEditing;
  TLVEditedEvent OnEdited;
  TLVCompareEvent OnCompare;
  TLVColumnClickEvent OnColumnClick;

  // The Qt side and the items' notifications.
  QTreeWidgetItem* NewQtItem(TListItem* AItem);
  void ItemChanged(TListItem* AItem, TItemChange AChange);
  void ItemInserted(TListItem* AItem);
  void ItemDeleting(TListItem* AItem);
  void ColumnsChanged();
  // Asked by the widget before it edits a caption in place.
  bool CanEdit(TListItem* AItem);
  // -1, 0 or 1 as the view orders two items (OnCompare, else the captions' text order).
  int Compare(const TListItem* A, const TListItem* B) const;

 protected:
  TCustomListView(TComponent* AOwner, QWidget* AWidget);
  void Notification(TComponent* AComponent, TOperation AOperation) override;
  virtual void SelectItem(TListItem* AItem, bool ASelected) { OnSelectItem(this, AItem, ASelected); }
  virtual void Change(TListItem* AItem, TItemChange AChange) { OnChange(this, AItem, AChange); }

 private:
  void Construct();
  void SelectionChanged();
  void ItemEdited(QTreeWidgetItem* AItem);
  void ImagesChanged(TObject*);
  void ApplyText(TListItem* AItem);
  void ApplyIcon(TListItem* AItem);
  void ApplyColumns();
  TCustomImageList* ShownImages() const;
  bool Sorting() const { return FSortType == stText || FSortType == stBoth; }

  TListItems* FItems;
  TListColumns* FColumns;
  TChangeLink* FSmallLink;
  TChangeLink* FLargeLink;
  TCustomImageList* FSmallImages = nullptr;
  TCustomImageList* FLargeImages = nullptr;
  // The selection as last told, to tell what changed.
  std::vector<TListItem*> FSelection;
  TViewStyle FViewStyle = vsIcon;
  TSortType FSortType = stNone;
  bool FReadOnly = false;
  bool FHideSelection = true;
  bool FRowSelect = false;
  bool FShowColumnHeaders = true;
  bool FGridLines = false;
  bool FCheckboxes = false;
  bool FMultiSelect = false;
  bool FClearing = false;
};

class TListView : public TCustomListView {
  QEL_CLASS(TListView, TCustomListView)
 public:
  explicit TListView(TComponent* AOwner) : TCustomListView(AOwner) {}
};

// ---------------------------------------------------------------------------
// Status bars

class TStatusPanel : public TCollectionItem {
  QEL_CLASS(TStatusPanel, TCollectionItem)
 public:
  TStatusPanel() = default;
  void Assign(TPersistent* ASource) override;
  const String& GetText() const { return FText; }
  void SetText(const String& AValue);
  int GetWidth() const { return FWidth; }
  void SetWidth(int AValue);
  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment AValue);
  TStatusPanelStyle GetStyle() const { return FStyle; }
  void SetStyle(TStatusPanelStyle AValue);
  TStatusPanelBevel GetBevel() const { return FBevel; }
  void SetBevel(TStatusPanelBevel AValue);
  String GetDisplayName() const override { return FText.empty() ? TCollectionItem::GetDisplayName() : FText; }

 private:
  void Changed();
  String FText;
  int FWidth = 50;
  TAlignment FAlignment = taLeftJustify;
  TStatusPanelStyle FStyle = psText;
  TStatusPanelBevel FBevel = pbLowered;
};

class TCustomStatusBar;

class TStatusPanels : public TCollection {
  QEL_CLASS(TStatusPanels, TCollection)
 public:
  explicit TStatusPanels(TCustomStatusBar* AOwner);
  TStatusPanel* Add() { return static_cast<TStatusPanel*>(TCollection::Add()); }
  TStatusPanel* GetItems(int AIndex) const { return static_cast<TStatusPanel*>(TCollection::GetItems(AIndex)); }
  TPersistent* GetOwner() const override;

 protected:
  void Changed() override;

 private:
  TCustomStatusBar* FOwner;
};

QEL_EVENT_TYPE(TDrawPanelEvent, void(TCustomStatusBar* StatusBar, TStatusPanel* Panel, const TRect& Rect));

class TCustomStatusBar : public TWinControl {
  QEL_CLASS(TCustomStatusBar, TWinControl)
 public:
  explicit TCustomStatusBar(TComponent* AOwner);
  ~TCustomStatusBar() override;

  TStatusPanels* GetPanels() const { return FPanels; }
  void SetPanels(TStatusPanels* AValue) { FPanels->Assign(AValue); }
  // One panel across the bar showing SimpleText instead of the panels.
  bool GetSimplePanel() const { return FSimplePanel; }
  void SetSimplePanel(bool AValue);
  const String& GetSimpleText() const { return FSimpleText; }
  void SetSimpleText(const String& AValue);
  bool GetSizeGrip() const { return FSizeGrip; }
  void SetSizeGrip(bool AValue);
  bool GetAutoHint() const { return FAutoHint; }
  void SetAutoHint(bool AValue) { FAutoHint = AValue; }
  bool GetUseSystemFont() const { return FUseSystemFont; }
  void SetUseSystemFont(bool AValue) { FUseSystemFont = AValue; }
  TCanvas* GetCanvas() const { return FCanvas; }
  // The rectangle panel AIndex takes (the last one stretches to the end).
  TRect PanelRect(int AIndex) const;

  TDrawPanelEvent OnDrawPanel;
  TNotifyEvent OnHint;

  void WidgetPainted(QPainter& APainter) override;

 private:
  void PaintPanel(const TRect& ARect, const String& AText, TAlignment AAlignment, TStatusPanelBevel ABevel);
  TStatusPanels* FPanels;
  TControlCanvas* FCanvas;
  String FSimpleText;
  bool FSimplePanel = false;
  bool FSizeGrip = true;
  bool FAutoHint = false;
  bool FUseSystemFont = true;
};

class TStatusBar : public TCustomStatusBar {
  QEL_CLASS(TStatusBar, TCustomStatusBar)
 public:
  explicit TStatusBar(TComponent* AOwner) : TCustomStatusBar(AOwner) {}
};

// ---------------------------------------------------------------------------
// Tab controls and page controls

QEL_EVENT_TYPE(TTabChangingEvent, void(TObject* Sender, bool& AllowChange));

class TCustomTabControl : public TWinControl {
  QEL_CLASS(TCustomTabControl, TWinControl)
 public:
  explicit TCustomTabControl(TComponent* AOwner);
  ~TCustomTabControl() override;

  // Published by the tab control, protected here.
  TStrings* GetTabs() const { return FTabs; }
  void SetTabs(TStrings* AValue) { FTabs->Assign(AValue); }
  // -1 when no tab is selected; setting it runs no event (a user's click does).
  int GetTabIndex() const { return FTabIndex; }
  void SetTabIndex(int AValue);
  TTabPosition GetTabPosition() const { return FTabPosition; }
  void SetTabPosition(TTabPosition AValue);
  TTabStyle GetStyle() const { return FStyle; }
  void SetStyle(TTabStyle AValue);
  bool GetMultiLine() const { return FMultiLine; }
  void SetMultiLine(bool AValue) { FMultiLine = AValue; }
  bool GetHotTrack() const { return FHotTrack; }
  void SetHotTrack(bool AValue) { FHotTrack = AValue; }
  TCustomImageList* GetImages() const { return FImages; }
  void SetImages(TCustomImageList* AValue);
  TNotifyEvent OnChange;
  TTabChangingEvent OnChanging;

  // The tab under a client point (-1 for none), a tab's rectangle, the area inside the tabs.
  int IndexOfTabAt(int X, int Y) const;
  TRect TabRect(int AIndex) const;
  TRect GetDisplayRect() const;
  // The tab the user picked (a click on the bar, or the keyboard): asks OnChanging, then
  // selects it and runs OnChange; false when refused.
  bool SelectTab(int AIndex);

  bool WidgetEvent(QEvent* AEvent) override;

 protected:
  void AdjustClientRect(TRect& ARect) const override;
  void Notification(TComponent* AComponent, TOperation AOperation) override;
  void Resize() override;
  virtual bool CanChange();
  virtual void Change() { OnChange(this); }
  // The tab index moved to AIndex (the page control shows the page behind it).
  virtual void TabIndexChanged() {}
  // The image a tab shows from Images: its own index here, its page's ImageIndex on a page
  // control.
  virtual int TabImageIndex(int ATab) const { return ATab; }
  // The tabs' texts changed: the bar shows them again.
  void TabsChanged(TObject* = nullptr);
  QTabBar* TabBar() const { return FTabBar; }
  // The tab index as the pages say, without events.
  void SyncTabIndex(int AIndex);
  // Set while the page control writes the tab list from its pages.
  bool FSyncing = false;

 private:
  void PlaceTabBar();
  void TabBarChanged(int AIndex);
  TStringList* FTabs;
  QTabBar* FTabBar;
  TCustomImageList* FImages = nullptr;
  int FTabIndex = -1;
  TTabPosition FTabPosition = tpTop;
  TTabStyle FStyle = tsTabs;
  bool FMultiLine = false;
  bool FHotTrack = false;
};

class TTabControl : public TCustomTabControl {
  QEL_CLASS(TTabControl, TCustomTabControl)
 public:
  explicit TTabControl(TComponent* AOwner) : TCustomTabControl(AOwner) {}
};

class TPageControl;

class TTabSheet : public TWinControl {
  QEL_CLASS(TTabSheet, TWinControl)
 public:
  explicit TTabSheet(TComponent* AOwner);
  ~TTabSheet() override;
  TPageControl* GetPageControl() const { return FPageControl; }
  void SetPageControl(TPageControl* AValue);
  // The place among the page control's pages (moving it reorders them).
  int GetPageIndex() const;
  void SetPageIndex(int AValue);
  // The place among the visible tabs, -1 when the tab is hidden.
  int GetTabIndex() const;
  bool GetTabVisible() const { return FTabVisible; }
  void SetTabVisible(bool AValue);
  int GetImageIndex() const { return FImageIndex; }
  void SetImageIndex(int AValue);
  bool GetHighlighted() const { return FHighlighted; }
  void SetHighlighted(bool AValue) { FHighlighted = AValue; }
  void SetParent(TWinControl* AParent) override;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;

 protected:
  void TextChanged() override;

 private:
  friend class TPageControl;
  TPageControl* FPageControl = nullptr;
  int FImageIndex = -1;
  bool FTabVisible = true;
  bool FHighlighted = false;
};

class TPageControl : public TCustomTabControl {
  QEL_CLASS(TPageControl, TCustomTabControl)
 public:
  explicit TPageControl(TComponent* AOwner);
  ~TPageControl() override;
  TTabSheet* GetActivePage() const { return FActivePage; }
  // Shows the page (nil shows none) without OnChanging or OnChange, which a user's pick runs.
  void SetActivePage(TTabSheet* AValue);
  int GetActivePageIndex() const { return FActivePage ? GetPageIndexOf(FActivePage) : -1; }
  void SetActivePageIndex(int AValue);
  int GetPageCount() const { return static_cast<int>(FPages.size()); }
  // Raises EListError "List index out of bounds (%d)".
  TTabSheet* GetPages(int AIndex) const;
  // The page after (or before) ACurPage, wrapping round; nil when there is none.
  TTabSheet* FindNextPage(TTabSheet* ACurPage, bool AGoForward, bool ACheckTabVisible) const;
  // Moves to the next page as the keyboard does, with OnChanging and OnChange.
  void SelectNextPage(bool AGoForward, bool ACheckTabVisible);

  // The pages' part.
  void InsertPage(TTabSheet* APage);
  void RemovePage(TTabSheet* APage);
  void MovePage(TTabSheet* APage, int AIndex);
  void PagesChanged();
  int GetPageIndexOf(const TTabSheet* APage) const;

 protected:
  void TabIndexChanged() override;
  int TabImageIndex(int ATab) const override;

 private:
  void ShowPage(TTabSheet* APage);
  std::vector<TTabSheet*> FPages;
  TTabSheet* FActivePage = nullptr;
};

// ---------------------------------------------------------------------------
// Tree views

class TCustomTreeView;
class TTreeNodes;
QEL_EXCEPTION(ETreeViewError, Exception);

class TTreeNode : public TPersistent {
  QEL_CLASS(TTreeNode, TPersistent)
 public:
  explicit TTreeNode(TTreeNodes* AOwner);
  // Frees the children first, then takes the node's row out of the tree.
  ~TTreeNode() override;
  void Assign(TPersistent* ASource) override;

  const String& GetText() const { return FText; }
  void SetText(const String& AValue);
  void* GetData() const { return FData; }
  void SetData(void* AValue) { FData = AValue; }
  int GetImageIndex() const { return FImageIndex; }
  void SetImageIndex(int AValue);
  int GetSelectedIndex() const { return FSelectedIndex; }
  void SetSelectedIndex(int AValue) { FSelectedIndex = AValue; }
  int GetStateIndex() const { return FStateIndex; }
  void SetStateIndex(int AValue) { FStateIndex = AValue; }
  TTreeNode* GetParent() const;
  int GetCount() const;
  // A child by position; raises ETreeViewError "List index out of bounds (%d)".
  TTreeNode* GetItem(int AIndex) const;
  int GetIndex() const;
  int GetAbsoluteIndex() const;
  int GetLevel() const;
  bool GetHasChildren() const;
  void SetHasChildren(bool AValue);
  bool GetExpanded() const;
  void SetExpanded(bool AValue);
  bool GetSelected() const;
  void SetSelected(bool AValue);
  bool GetFocused() const;
  void SetFocused(bool AValue);
  bool GetIsVisible() const;
  TTreeNodes* GetOwner() const { return FOwner; }
  TCustomTreeView* GetTreeView() const;

  TTreeNode* GetFirstChild() const;
  TTreeNode* GetLastChild() const;
  TTreeNode* GetNextChild(TTreeNode* AValue) const { return AValue ? AValue->GetNextSibling() : nullptr; }
  TTreeNode* GetPrevChild(TTreeNode* AValue) const { return AValue ? AValue->GetPrevSibling() : nullptr; }
  TTreeNode* GetNextSibling() const;
  TTreeNode* GetPrevSibling() const;
  // Depth-first order: the first child, else the next sibling of the node or of an ancestor.
  TTreeNode* GetNext() const;
  TTreeNode* GetPrev() const;
  TTreeNode* GetNextVisible() const;
  TTreeNode* GetPrevVisible() const;
  int IndexOf(TTreeNode* AValue) const;
  bool HasAsParent(TTreeNode* AValue) const;

  void Expand(bool ARecurse);
  void Collapse(bool ARecurse);
  void Delete();
  void DeleteChildren();
  // Moves the node (and its subtree) relative to ADestination as AMode says.
  void MoveTo(TTreeNode* ADestination, TNodeAttachMode AMode);
  // Sorts the children (OnCompare, else the texts' order).
  bool AlphaSort(bool ARecurse);
  bool EditText();
  void MakeVisible();
  TRect DisplayRect(bool ATextOnly) const;

  QTreeWidgetItem* QtItem() const { return FQtItem; }

 private:
  friend class TTreeNodes;
  friend class TCustomTreeView;
  QTreeWidgetItem* ContainerItem() const;
  TTreeNodes* FOwner;
  QTreeWidgetItem* FQtItem;
  String FText;
  void* FData = nullptr;
  int FImageIndex = -1;
  int FSelectedIndex = -1;
  int FStateIndex = -1;
  bool FHasChildren = false;
};

// All the nodes of a tree view; Item[] counts them depth-first.
class TTreeNodes : public TPersistent {
  QEL_CLASS(TTreeNodes, TPersistent)
 public:
  explicit TTreeNodes(TCustomTreeView* AOwner) : FOwner(AOwner) {}
  ~TTreeNodes() override;
  void Assign(TPersistent* ASource) override;

  // The new node as the last (first) sibling of ASibling: a top-level node when it is nil.
  TTreeNode* Add(TTreeNode* ASibling, const String& S) { return AddObject(ASibling, S, nullptr); }
  TTreeNode* AddObject(TTreeNode* ASibling, const String& S, void* AData);
  TTreeNode* AddFirst(TTreeNode* ASibling, const String& S) { return AddObjectFirst(ASibling, S, nullptr); }
  TTreeNode* AddObjectFirst(TTreeNode* ASibling, const String& S, void* AData);
  // The new node as the last (first) child of AParent: a top-level node when it is nil.
  TTreeNode* AddChild(TTreeNode* AParent, const String& S) { return AddChildObject(AParent, S, nullptr); }
  TTreeNode* AddChildObject(TTreeNode* AParent, const String& S, void* AData);
  TTreeNode* AddChildFirst(TTreeNode* AParent, const String& S) { return AddChildObjectFirst(AParent, S, nullptr); }
  TTreeNode* AddChildObjectFirst(TTreeNode* AParent, const String& S, void* AData);
  // The new node just before ASibling (the last top-level node when it is nil).
  TTreeNode* Insert(TTreeNode* ASibling, const String& S) { return InsertObject(ASibling, S, nullptr); }
  TTreeNode* InsertObject(TTreeNode* ASibling, const String& S, void* AData);
  void Delete(TTreeNode* ANode);
  void Clear();
  void BeginUpdate() { ++FUpdateCount; }
  void EndUpdate();
  int GetCount() const { return FCount; }
  // Raises ETreeViewError "List index out of bounds (%d)".
  TTreeNode* GetItem(int AIndex) const;
  TTreeNode* GetFirstNode() const;
  TCustomTreeView* GetOwner() const { return FOwner; }

  // Puts a new node with S and AData at AIndex (-1: the end) of AParentItem's children.
  TTreeNode* AttachNew(QTreeWidgetItem* AParentItem, int AIndex, const String& S, void* AData);

 private:
  friend class TTreeNode;
  friend class TCustomTreeView;
  void Removing(TTreeNode* ANode);
  TCustomTreeView* FOwner;
  int FCount = 0;
  int FUpdateCount = 0;
  // The last node Item[] found, so that walking the nodes in order stays linear.
  mutable TTreeNode* FCacheNode = nullptr;
  mutable int FCacheIndex = -1;
};

QEL_EVENT_TYPE(TTVChangedEvent, void(TObject* Sender, TTreeNode* Node));
QEL_EVENT_TYPE(TTVChangingEvent, void(TObject* Sender, TTreeNode* Node, bool& AllowChange));
QEL_EVENT_TYPE(TTVExpandingEvent, void(TObject* Sender, TTreeNode* Node, bool& AllowExpansion));
QEL_EVENT_TYPE(TTVCollapsingEvent, void(TObject* Sender, TTreeNode* Node, bool& AllowCollapse));
QEL_EVENT_TYPE(TTVExpandedEvent, void(TObject* Sender, TTreeNode* Node));
QEL_EVENT_TYPE(TTVEditingEvent, void(TObject* Sender, TTreeNode* Node, bool& AllowEdit));
QEL_EVENT_TYPE(TTVEditedEvent, void(TObject* Sender, TTreeNode* Node, String& S));
QEL_EVENT_TYPE(TTVCompareEvent, void(TObject* Sender, TTreeNode* Node1, TTreeNode* Node2, int Data, int& Compare));

class TCustomTreeView : public TWinControl {
  QEL_CLASS(TCustomTreeView, TWinControl)
 public:
  explicit TCustomTreeView(TComponent* AOwner);
  ~TCustomTreeView() override;

  TTreeNodes* GetItems() const { return FItems; }
  void SetItems(TTreeNodes* AValue) { FItems->Assign(AValue); }
  TSortType GetSortType() const { return FSortType; }
  void SetSortType(TSortType AValue);
  bool GetReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool AValue);
  bool GetShowButtons() const { return FShowButtons; }
  void SetShowButtons(bool AValue);
  bool GetShowLines() const { return FShowLines; }
  void SetShowLines(bool AValue) { FShowLines = AValue; Invalidate(); }
  bool GetShowRoot() const { return FShowRoot; }
  void SetShowRoot(bool AValue);
  bool GetHideSelection() const { return FHideSelection; }
  void SetHideSelection(bool AValue) { FHideSelection = AValue; }
  bool GetRowSelect() const { return FRowSelect; }
  void SetRowSelect(bool AValue) { FRowSelect = AValue; }
  bool GetAutoExpand() const { return FAutoExpand; }
  void SetAutoExpand(bool AValue) { FAutoExpand = AValue; }
  int GetIndent() const;
  void SetIndent(int AValue);
  TCustomImageList* GetImages() const { return FImages; }
  void SetImages(TCustomImageList* AValue);

  // The selected (current) node, or nil; setting it runs OnChanging and OnChange.
  TTreeNode* GetSelected() const;
  void SetSelected(TTreeNode* AValue);
  // With MultiSelect, a node's Selected adds it to (or takes it from) the selection, which
  // Selections lists in the tree's order.
  bool GetMultiSelect() const { return FMultiSelect; }
  void SetMultiSelect(bool AValue);
  int GetSelectionCount() const;
  // Raises ETreeViewError "List index out of bounds (%d)".
  TTreeNode* GetSelections(int AIndex) const;
  void ClearSelection();
  TTreeNode* GetTopItem() const;
  TTreeNode* GetNodeAt(int X, int Y) const;
  bool GetIsEditing() const;
  void FullExpand();
  void FullCollapse();
  bool AlphaSort(bool ARecurse);
  // The nodes as lines of text, one tab of indentation a level.
  void SaveToFile(const String& AFileName);
  void LoadFromFile(const String& AFileName);

  TTVChangedEvent OnChange;
  TTVChangingEvent OnChanging;
  TTVExpandingEvent OnExpanding;
  TTVExpandedEvent OnExpanded;
  TTVCollapsingEvent OnCollapsing;
  TTVExpandedEvent OnCollapsed;
  TTVEditingEvent OnEditing;
  TTVEditedEvent OnEdited;
  TTVExpandedEvent OnDeletion;
  TTVExpandedEvent OnAddition;
  TTVCompareEvent OnCompare;

  // The nodes' part.
  QTreeWidgetItem* NewQtItem(TTreeNode* ANode);
  int Compare(const TTreeNode* A, const TTreeNode* B) const;
  // Compare for Qt's sort, which no exception may cross; SortChildren raises it afterwards.
  bool SortLess(const TTreeNode* A, const TTreeNode* B) const noexcept;
  void SortChildren(QTreeWidgetItem* AItem);
  bool Sorting() const { return FSortType == stText || FSortType == stBoth; }
  // Where a new child of AParentItem goes to keep the sort order.
  int SortedIndex(QTreeWidgetItem* AParentItem, const TTreeNode* ANode) const;
  void NodeAdded(TTreeNode* ANode);
  void NodeDeleting(TTreeNode* ANode);
  void NodeTextChanged(TTreeNode* ANode);
  void ApplyIcon(TTreeNode* ANode);
  bool CanExpand(TTreeNode* ANode);
  bool CanCollapse(TTreeNode* ANode);
  bool CanEdit(TTreeNode* ANode);
  // Sets the node's expansion in the widget as the library asked (no veto on the way back).
  void ApplyExpanded(TTreeNode* ANode, bool AValue);
  // Raises ETreeViewError while a handler runs that the view still needs its nodes after
  // (OnDeletion, OnAddition, the asking events and OnCompare): a node freed there would be
  // used once the handler returns.
  void CheckNodesChangeable() const;
  bool FClearing = false;

 protected:
  void Notification(TComponent* AComponent, TOperation AOperation) override;

 private:
  void CurrentChanged(QTreeWidgetItem* ACurrent, QTreeWidgetItem* APrevious);
  void ItemExpanded(QTreeWidgetItem* AItem, bool AExpanded);
  void ItemEdited(QTreeWidgetItem* AItem);
  void ImagesChanged(TObject*);
  template <class F>
  void InHandler(F&& AHandler) const;
  TTreeNodes* FItems;
  TChangeLink* FImageLink;
  mutable int FHandlerDepth = 0;
  mutable std::exception_ptr FSortError;
  TCustomImageList* FImages = nullptr;
  TSortType FSortType = stNone;
  int FApplying = 0;
  bool FReadOnly = false;
  bool FShowButtons = true;
  bool FShowLines = true;
  bool FShowRoot = true;
  bool FHideSelection = true;
  bool FRowSelect = false;
  bool FAutoExpand = false;
  bool FMultiSelect = false;
};

class TTreeView : public TCustomTreeView {
  QEL_CLASS(TTreeView, TCustomTreeView)
 public:
  explicit TTreeView(TComponent* AOwner) : TCustomTreeView(AOwner) {}
};

// ---------------------------------------------------------------------------
// Position controls: progress bars, track bars, up-down buttons, hot keys

class TProgressBar : public TWinControl {
  QEL_CLASS(TProgressBar, TWinControl)
 public:
  explicit TProgressBar(TComponent* AOwner);
  // Min and Max raise EInvalidOperation "TProgressBar property out of range" when they would
  // cross; Position is kept inside them.
  int GetMin() const { return FMin; }
  void SetMin(int AValue) { SetRange(AValue, FMax); }
  int GetMax() const { return FMax; }
  void SetMax(int AValue) { SetRange(FMin, AValue); }
  int GetPosition() const { return FPosition; }
  void SetPosition(int AValue);
  int GetStep() const { return FStep; }
  void SetStep(int AValue) { FStep = AValue; }
  // Moves by Step; past Max it starts again at Min (past Min, at Max), as the bar does.
  void StepIt();
  // Moves by ADelta, stopping at the ends.
  void StepBy(int ADelta) { SetPosition(FPosition + ADelta); }
  TProgressBarOrientation GetOrientation() const { return FOrientation; }
  void SetOrientation(TProgressBarOrientation AValue);
  bool GetSmooth() const { return FSmooth; }
  void SetSmooth(bool AValue) { FSmooth = AValue; }
  TProgressBarStyle GetStyle() const { return FStyle; }
  void SetStyle(TProgressBarStyle AValue);
  TProgressBarState GetState() const { return FState; }
  void SetState(TProgressBarState AValue) { FState = AValue; Invalidate(); }
  TColor GetBarColor() const { return FBarColor; }
  void SetBarColor(TColor AValue);

 private:
  void SetRange(int AMin, int AMax);
  void Apply();
  int FMin = 0, FMax = 100, FPosition = 0, FStep = 10;
  TProgressBarOrientation FOrientation = pbHorizontal;
  TProgressBarStyle FStyle = pbstNormal;
  TProgressBarState FState = pbsNormal;
  TColor FBarColor = clDefault;
  bool FSmooth = false;
};

class TTrackBar : public TWinControl {
  QEL_CLASS(TTrackBar, TWinControl)
 public:
  explicit TTrackBar(TComponent* AOwner);
  // As the progress bar's: crossing limits raise, Position stays inside them.
  int GetMin() const { return FMin; }
  void SetMin(int AValue) { SetRange(AValue, FMax); }
  int GetMax() const { return FMax; }
  void SetMax(int AValue) { SetRange(FMin, AValue); }
  int GetPosition() const { return FPosition; }
  void SetPosition(int AValue);
  int GetFrequency() const { return FFrequency; }
  void SetFrequency(int AValue);
  int GetLineSize() const { return FLineSize; }
  void SetLineSize(int AValue);
  int GetPageSize() const { return FPageSize; }
  void SetPageSize(int AValue);
  TTrackBarOrientation GetOrientation() const { return FOrientation; }
  void SetOrientation(TTrackBarOrientation AValue);
  TTickMark GetTickMarks() const { return FTickMarks; }
  void SetTickMarks(TTickMark AValue);
  TTickStyle GetTickStyle() const { return FTickStyle; }
  void SetTickStyle(TTickStyle AValue);
  int GetSelStart() const { return FSelStart; }
  void SetSelStart(int AValue) { FSelStart = AValue; Invalidate(); }
  int GetSelEnd() const { return FSelEnd; }
  void SetSelEnd(int AValue) { FSelEnd = AValue; Invalidate(); }
  bool GetSliderVisible() const { return FSliderVisible; }
  void SetSliderVisible(bool AValue) { FSliderVisible = AValue; Invalidate(); }
  // Runs on every change of Position, the user's or the program's.
  TNotifyEvent OnChange;

 protected:
  virtual void Changed() { OnChange(this); }

 private:
  void SetRange(int AMin, int AMax);
  void Apply();
  void SliderMoved(int AValue);
  int FMin = 0, FMax = 10, FPosition = 0, FFrequency = 1, FLineSize = 1, FPageSize = 2;
  int FSelStart = 0, FSelEnd = 0;
  TTrackBarOrientation FOrientation = trHorizontal;
  TTickMark FTickMarks = tmBottomRight;
  TTickStyle FTickStyle = tsAuto;
  bool FSliderVisible = true;
  int FApplying = 0;
};

QEL_EVENT_TYPE(TUDClickEvent, void(TObject* Sender, TUDBtnType Button));
QEL_EVENT_TYPE(TUDChangingEvent, void(TObject* Sender, bool& AllowChange));

// Two arrow buttons that step a position, shown as text in the associated control.
class TCustomUpDown : public TWinControl {
  QEL_CLASS(TCustomUpDown, TWinControl)
 public:
  explicit TCustomUpDown(TComponent* AOwner);
  ~TCustomUpDown() override;
  // Published by the up-down, protected here. Min may exceed Max: the arrows then step the
  // other way; Position stays between them.
  int GetMin() const { return FMin; }
  void SetMin(int AValue);
  int GetMax() const { return FMax; }
  void SetMax(int AValue);
  int GetPosition() const;
  void SetPosition(int AValue);
  int GetIncrement() const { return FIncrement; }
  void SetIncrement(int AValue) { FIncrement = AValue; }
  bool GetWrap() const { return FWrap; }
  void SetWrap(bool AValue) { FWrap = AValue; }
  bool GetThousands() const { return FThousands; }
  void SetThousands(bool AValue);
  bool GetArrowKeys() const { return FArrowKeys; }
  void SetArrowKeys(bool AValue) { FArrowKeys = AValue; }
  TUDOrientation GetOrientation() const { return FOrientation; }
  void SetOrientation(TUDOrientation AValue);
  TUDAlignButton GetAlignButton() const { return FAlignButton; }
  void SetAlignButton(TUDAlignButton AValue);
  // The control whose text shows the position; the up-down sits beside it, and with ArrowKeys
  // the up and down keys pressed in it step the position.
  TWinControl* GetAssociate() const { return FAssociate; }
  void SetAssociate(TWinControl* AValue);
  TUDClickEvent OnClick;
  TUDChangingEvent OnChanging;

  // An arrow pressed: OnChanging, then the step (wrapping or stopping at the ends), OnClick.
  void Click(TUDBtnType AButton);
  bool WidgetEvent(QEvent* AEvent) override;
  void WidgetPainted(QPainter& APainter) override;

 protected:
  void Notification(TComponent* AComponent, TOperation AOperation) override;
  void Resize() override;
  virtual bool CanChange();

 private:
  int Clamp(int AValue) const;
  void ShowPosition();
  void PlaceBesideAssociate();
  void MinMaxChanged();
  TWinControl* FAssociate = nullptr;
  // Watches the associate's widget for the up and down keys (ArrowKeys).
  QObject* FKeyFilter;
  int FMin = 0, FMax = 100, FPosition = 0, FIncrement = 1;
  TUDOrientation FOrientation = udVertical;
  TUDAlignButton FAlignButton = udRight;
  bool FWrap = false;
  bool FThousands = true;
  bool FArrowKeys = true;
};

class TUpDown : public TCustomUpDown {
  QEL_CLASS(TUpDown, TCustomUpDown)
 public:
  explicit TUpDown(TComponent* AOwner) : TCustomUpDown(AOwner) {}
};

// A key combination the user types; HotKey holds it as a shortcut value.
class TCustomHotKey : public TWinControl {
  QEL_CLASS(TCustomHotKey, TWinControl)
 public:
  explicit TCustomHotKey(TComponent* AOwner);
  TShortCut GetHotKey() const { return FHotKey; }
  void SetHotKey(TShortCut AValue);
  THKModifiers GetModifiers() const;
  void SetModifiers(THKModifiers AValue);
  TNotifyEvent OnChange;

  // A key pressed with its shift state becomes the hot key (modifier keys alone do not).
  void KeyDown(uint16_t& AKey, TShiftState AShift) override;

 private:
  void ShowHotKey();
  TShortCut FHotKey = 0;
};

class THotKey : public TCustomHotKey {
  QEL_CLASS(THotKey, TCustomHotKey)
 public:
  explicit THotKey(TComponent* AOwner) : TCustomHotKey(AOwner) {}
};

// ---------------------------------------------------------------------------
// Dates: the picker and the month calendar

QEL_EXCEPTION(ECommonCalendarError, Exception);
QEL_EXCEPTION(EMonthCalError, ECommonCalendarError);
QEL_EXCEPTION(EDateTimeError, ECommonCalendarError);

class TCommonCalendar : public TWinControl {
  QEL_CLASS(TCommonCalendar, TWinControl)
 public:
  // The date (its whole part; a picker keeps the time as the fraction). Outside the limits
  // raises "Date exceeds maximum of %s" / "Date is less than minimum of %s".
  TDateTime GetDate() const;
  void SetDate(TDateTime AValue);
  // 0 for no limit; a minimum above the maximum raises "Minimum date must not exceed maximum
  // date"; the date is kept inside the new limits.
  TDateTime GetMinDate() const { return FMinDate; }
  void SetMinDate(TDateTime AValue);
  TDateTime GetMaxDate() const { return FMaxDate; }
  void SetMaxDate(TDateTime AValue);
  TCalDayOfWeek GetFirstDayOfWeek() const { return FFirstDayOfWeek; }
  void SetFirstDayOfWeek(TCalDayOfWeek AValue);
  bool GetWeekNumbers() const { return FWeekNumbers; }
  void SetWeekNumbers(bool AValue);
  bool GetShowToday() const { return FShowToday; }
  void SetShowToday(bool AValue) { FShowToday = AValue; }

 protected:
  TCommonCalendar(TComponent* AOwner, QWidget* AWidget);
  // The whole value (date and time) after the limits were checked; tells the widget.
  void SetDateTimeChecked(TDateTime AValue);
  virtual void RaiseError(const String& AMessage) const = 0;
  virtual void ApplyValue() = 0;
  virtual void ApplyLimits() = 0;
  virtual void Change() = 0;
  // The widget's value arrived from the user.
  void UserChanged(TDateTime AValue);
  TDateTime FDateTime = 0;
  TDateTime FMinDate = 0;
  TDateTime FMaxDate = 0;
  TCalDayOfWeek FFirstDayOfWeek = dowLocaleDefault;
  bool FWeekNumbers = false;
  bool FShowToday = true;
  int FApplying = 0;
};

class TDateTimePicker : public TCommonCalendar {
  QEL_CLASS(TDateTimePicker, TCommonCalendar)
 public:
  explicit TDateTimePicker(TComponent* AOwner);
  ~TDateTimePicker() override;
  TDateTime GetTime() const;
  void SetTime(TDateTime AValue);
  TDateTime GetDateTime() const { return FDateTime; }
  void SetDateTime(TDateTime AValue);
  TDateTimeKind GetKind() const { return FKind; }
  void SetKind(TDateTimeKind AValue);
  TDTDateFormat GetDateFormat() const { return FDateFormat; }
  void SetDateFormat(TDTDateFormat AValue);
  TDTDateMode GetDateMode() const { return FDateMode; }
  void SetDateMode(TDTDateMode AValue);
  // A display format in the library's date-format letters; empty uses DateFormat.
  const String& GetFormat() const { return FFormat; }
  void SetFormat(const String& AValue);
  bool GetShowCheckbox() const { return FShowCheckbox; }
  void SetShowCheckbox(bool AValue) { FShowCheckbox = AValue; }
  bool GetChecked() const { return FChecked; }
  void SetChecked(bool AValue) { FChecked = AValue; }
  bool GetDroppedDown() const;
  TNotifyEvent OnChange;
  // The calendar dropped down (F4 or the arrow) and closed up again.
  TNotifyEvent OnCloseUp;
  TNotifyEvent OnDropDown;
  void PopupShown(bool AShown);

 protected:
  void RaiseError(const String& AMessage) const override;
  void ApplyValue() override;
  void ApplyLimits() override;
  void Change() override { OnChange(this); }

 private:
  void ApplyFormat();
  void WatchPopup();
  QObject* FPopupWatch = nullptr;
  TDateTimeKind FKind = dtkDate;
  TDTDateFormat FDateFormat = dfShort;
  TDTDateMode FDateMode = dmComboBox;
  String FFormat;
  bool FShowCheckbox = false;
  bool FChecked = true;
};

class TMonthCalendar : public TCommonCalendar {
  QEL_CLASS(TMonthCalendar, TCommonCalendar)
 public:
  explicit TMonthCalendar(TComponent* AOwner);
  // The last day of a selected range (the date itself without MultiSelect).
  TDateTime GetEndDate() const { return FMultiSelect ? FEndDate : GetDate(); }
  void SetEndDate(TDateTime AValue);
  bool GetMultiSelect() const { return FMultiSelect; }
  void SetMultiSelect(bool AValue) { FMultiSelect = AValue; FEndDate = GetDate(); }
  TNotifyEvent OnChange;

  // Keys sent to the control itself (Perform) go on to the calendar's day grid, where a user's
  // arrive.
  bool WidgetEvent(QEvent* AEvent) override;

 protected:
  void RaiseError(const String& AMessage) const override;
  void ApplyValue() override;
  void ApplyLimits() override;
  void Change() override { OnChange(this); OnClick(this); }

 private:
  TDateTime FEndDate = 0;
  bool FMultiSelect = false;
  // A key the grid leaves comes back up to the calendar: it is not sent down again.
  bool FForwardingKey = false;
};

// ---------------------------------------------------------------------------
// Rich edits

class TCustomRichEdit;

// The lines of a rich edit: the memo's own lines, whose files keep the formatting (as HTML)
// unless the edit is set to plain text.
class TRichEditStrings : public TStrings {
  QEL_CLASS(TRichEditStrings, TStrings)
 public:
  TRichEditStrings(TCustomRichEdit* AOwner, TStrings* APlain);
  String Get(int AIndex) const override;
  int GetCount() const override;
  void Put(int AIndex, const String& S) override;
  void Insert(int AIndex, const String& S) override;
  void Delete(int AIndex) override;
  void Clear() override;
  void SetText(std::u16string_view AText) override;
  void SaveToFile(const String& AFileName, bool AWriteBOM = false) const;
  void SaveToStream(TStream* AStream) const;

 protected:
  void SetUpdateState(bool AUpdating) override;

 private:
  TCustomRichEdit* FOwner;
  TStrings* FPlain;
};

// Character attributes: of the selection (they read the selection's start and change the
// whole selection) or the default ones (new text, and all text when nothing else is set).
class TTextAttributes : public TPersistent {
  QEL_CLASS(TTextAttributes, TPersistent)
 public:
  TTextAttributes(TCustomRichEdit* AOwner, TAttributeType AType) : FOwner(AOwner), FType(AType) {}
  void Assign(TPersistent* ASource) override;
  TColor GetColor() const;
  void SetColor(TColor AValue);
  TFontStyles GetStyle() const;
  void SetStyle(TFontStyles AValue);
  int GetSize() const;
  void SetSize(int AValue);
  // The height in pixels at the screen's resolution.
  int GetHeight() const;
  void SetHeight(int AValue);
  String GetName() const;
  void SetName(const String& AValue);
  bool GetProtected() const { return FProtected; }
  void SetProtected(bool AValue) { FProtected = AValue; }
  // The attributes the whole selection shares.
  TConsistentAttributes GetConsistentAttributes() const;

 private:
  TCustomRichEdit* FOwner;
  TAttributeType FType;
  bool FProtected = false;
};

class TParaAttributes : public TPersistent {
  QEL_CLASS(TParaAttributes, TPersistent)
 public:
  explicit TParaAttributes(TCustomRichEdit* AOwner) : FOwner(AOwner) {}
  void Assign(TPersistent* ASource) override;
  TAlignment GetAlignment() const;
  void SetAlignment(TAlignment AValue);
  int GetFirstIndent() const;
  void SetFirstIndent(int AValue);
  int GetLeftIndent() const;
  void SetLeftIndent(int AValue);
  int GetRightIndent() const;
  void SetRightIndent(int AValue);
  TNumberingStyle GetNumbering() const;
  void SetNumbering(TNumberingStyle AValue);

 private:
  TCustomRichEdit* FOwner;
};

class TCustomRichEdit : public TCustomMemo {
  QEL_CLASS(TCustomRichEdit, TCustomMemo)
 public:
  explicit TCustomRichEdit(TComponent* AOwner);
  ~TCustomRichEdit() override;
  // The lines; with PlainText off, LoadFromFile and SaveToFile keep the formatting (as HTML).
  TRichEditStrings* GetLines() const { return FRichLines; }
  void SetLines(TStrings* AValue) { FRichLines->Assign(AValue); }
  TTextAttributes* GetSelAttributes() const { return FSelAttributes; }
  void SetSelAttributes(TTextAttributes* AValue) { FSelAttributes->Assign(AValue); }
  TTextAttributes* GetDefAttributes() const { return FDefAttributes; }
  void SetDefAttributes(TTextAttributes* AValue) { FDefAttributes->Assign(AValue); }
  TParaAttributes* GetParagraph() const { return FParagraph; }
  bool GetPlainText() const { return FPlainText; }
  void SetPlainText(bool AValue) { FPlainText = AValue; }
  bool GetHideSelection() const { return FHideSelection; }
  void SetHideSelection(bool AValue) { FHideSelection = AValue; }
  // The position of the first match inside [AStartPos, AStartPos + ALength), or -1.
  int FindText(const String& ASearchStr, int AStartPos, int ALength, TSearchTypes AOptions) const;
  TNotifyEvent OnSelectionChange;

  // The formatted text as HTML, and back (the file form of the lines).
  String GetRichText() const;
  void SetRichText(const String& AValue);

 private:
  TRichEditStrings* FRichLines;
  TTextAttributes* FSelAttributes;
  TTextAttributes* FDefAttributes;
  TParaAttributes* FParagraph;
  bool FPlainText = false;
  bool FHideSelection = true;
};

class TRichEdit : public TCustomRichEdit {
  QEL_CLASS(TRichEdit, TCustomRichEdit)
 public:
  explicit TRichEdit(TComponent* AOwner) : TCustomRichEdit(AOwner) {}
};

// ---------------------------------------------------------------------------
// Header controls

class TCustomHeaderControl;

class THeaderSection : public TCollectionItem {
  QEL_CLASS(THeaderSection, TCollectionItem)
 public:
  THeaderSection() = default;
  void Assign(TPersistent* ASource) override;
  const String& GetText() const { return FText; }
  void SetText(const String& AValue);
  // Kept between MinWidth and MaxWidth (0: no maximum).
  int GetWidth() const { return FWidth; }
  void SetWidth(int AValue);
  int GetMinWidth() const { return FMinWidth; }
  void SetMinWidth(int AValue);
  int GetMaxWidth() const { return FMaxWidth; }
  void SetMaxWidth(int AValue);
  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment AValue);
  bool GetAllowClick() const { return FAllowClick; }
  void SetAllowClick(bool AValue) { FAllowClick = AValue; }
  THeaderSectionStyle GetStyle() const { return FStyle; }
  void SetStyle(THeaderSectionStyle AValue) { FStyle = AValue; }
  int GetImageIndex() const { return FImageIndex; }
  void SetImageIndex(int AValue) { FImageIndex = AValue; }
  // The section's edges in the control's client coordinates.
  int GetLeft() const;
  int GetRight() const { return GetLeft() + FWidth; }
  String GetDisplayName() const override { return FText.empty() ? TCollectionItem::GetDisplayName() : FText; }

 private:
  friend class TCustomHeaderControl;
  void Changed();
  String FText;
  int FWidth = 50;
  int FMinWidth = 0;
  int FMaxWidth = 10000;
  int FImageIndex = -1;
  TAlignment FAlignment = taLeftJustify;
  THeaderSectionStyle FStyle = hsText;
  bool FAllowClick = true;
};

class THeaderSections : public TCollection {
  QEL_CLASS(THeaderSections, TCollection)
 public:
  explicit THeaderSections(TCustomHeaderControl* AOwner);
  THeaderSection* Add() { return static_cast<THeaderSection*>(TCollection::Add()); }
  THeaderSection* GetItems(int AIndex) const { return static_cast<THeaderSection*>(TCollection::GetItems(AIndex)); }
  TPersistent* GetOwner() const override;

 protected:
  void Changed() override;

 private:
  TCustomHeaderControl* FOwner;
};

QEL_EVENT_TYPE(TSectionNotifyEvent, void(TCustomHeaderControl* HeaderControl, THeaderSection* Section));

// A row of section headers on a QHeaderView; the user clicks and resizes the sections.
class TCustomHeaderControl : public TWinControl {
  QEL_CLASS(TCustomHeaderControl, TWinControl)
 public:
  explicit TCustomHeaderControl(TComponent* AOwner);
  ~TCustomHeaderControl() override;
  THeaderSections* GetSections() const { return FSections; }
  void SetSections(THeaderSections* AValue) { FSections->Assign(AValue); }
  bool GetHotTrack() const { return FHotTrack; }
  void SetHotTrack(bool AValue) { FHotTrack = AValue; }
  bool GetFullDrag() const { return FFullDrag; }
  void SetFullDrag(bool AValue) { FFullDrag = AValue; }
  TSectionNotifyEvent OnSectionClick;
  TSectionNotifyEvent OnSectionResize;

  // The sections shown again (texts, widths, alignment).
  void SectionsChanged();
  // Mouse input sent to the control itself (Perform) goes on to the header's viewport, where
  // a user's would arrive.
  bool WidgetEvent(QEvent* AEvent) override;

 private:
  void SectionClicked(int AIndex);
  void SectionResized(int AIndex, int AWidth);
  THeaderSections* FSections;
  int FApplying = 0;
  // Input the viewport leaves comes back up to the header: it is not sent down again.
  bool FForwarding = false;
  bool FHotTrack = false;
  bool FFullDrag = true;
};

class THeaderControl : public TCustomHeaderControl {
  QEL_CLASS(THeaderControl, TCustomHeaderControl)
 public:
  explicit THeaderControl(TComponent* AOwner) : TCustomHeaderControl(AOwner) {}
};
