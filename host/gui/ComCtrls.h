// Host unit "ComCtrls": list views and status bars on Qt's widgets.
//
// A list view keeps its items in a QTreeWidget (one row per item, the sub-items in the
// report style's further columns); the widget holds their order, so sorting is Qt's, with the
// library's comparison. Each TListItem is owned by the view's TListItems and knows its Qt row.
// A status bar paints its simple text or its panels itself.
#pragma once

#include "host/core/UnitData.h"

#include "host/gui/ExtCtrls.h"
#include "host/gui/ImgList.h"

class QTreeWidgetItem;
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
