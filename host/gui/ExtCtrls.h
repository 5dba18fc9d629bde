// Host unit "ExtCtrls": panels, timers, paint boxes, images, shapes and bevels.
#pragma once

#include "host/core/UnitData.h"

#include <vector>

#include "host/gui/Forms.h"
#include "host/gui/StdCtrls.h"

class QTimer;


class TCustomPanel : public TCustomControl {
  QEL_CLASS(TCustomPanel, TCustomControl)
 public:
  explicit TCustomPanel(TComponent* AOwner);
  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment AValue);
  TTextLayout GetVerticalAlignment() const { return FVerticalAlignment; }
  void SetVerticalAlignment(TTextLayout AValue);
  TBorderStyle GetBorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle AValue);
  bool GetShowCaption() const { return FShowCaption; }
  void SetShowCaption(bool AValue);
  bool GetFullRepaint() const { return FFullRepaint; }
  void SetFullRepaint(bool AValue) { FFullRepaint = AValue; }
  bool GetParentBackground() const { return FParentBackground; }
  void SetParentBackground(bool AValue) { FParentBackground = AValue; }

 protected:
  void Paint() override;
  void TextChanged() override { Invalidate(); }
  void AdjustClientRect(TRect& ARect) const override;

 private:
  TAlignment FAlignment = taCenter;
  TTextLayout FVerticalAlignment = tlCenter;
  TBorderStyle FBorderStyle = bsNone;
  bool FShowCaption = true;
  bool FFullRepaint = true;
  bool FParentBackground = true;
};

class TPanel : public TCustomPanel {
  QEL_CLASS(TPanel, TCustomPanel)
 public:
  explicit TPanel(TComponent* AOwner) : TCustomPanel(AOwner) {}
};

class TTimer : public TComponent {
  QEL_CLASS(TTimer, TComponent)
 public:
  explicit TTimer(TComponent* AOwner);
  ~TTimer() override;
  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool AValue);
  uint32_t GetInterval() const { return FInterval; }
  void SetInterval(uint32_t AValue);
  TNotifyEvent OnTimer;

 protected:
  virtual void Timer() { OnTimer(this); }

 private:
  void Update();
  QTimer* FTimer;
  uint32_t FInterval = 1000;
  bool FEnabled = true;
  bool FCounted = false;
};

class TPaintBox : public TGraphicControl {
  QEL_CLASS(TPaintBox, TGraphicControl)
 public:
  explicit TPaintBox(TComponent* AOwner);
  TNotifyEvent OnPaint;

 protected:
  void Paint() override { OnPaint(this); }
};

class TImage : public TGraphicControl {
  QEL_CLASS(TImage, TGraphicControl)
 public:
  explicit TImage(TComponent* AOwner);
  ~TImage() override;
  TPicture* GetPicture() const { return FPicture; }
  void SetPicture(TPicture* AValue) { FPicture->Assign(AValue); }
  // Drawing on the image's canvas draws on its picture's bitmap (made to the control's size).
  TCanvas* GetImageCanvas();
  bool GetStretch() const { return FStretch; }
  void SetStretch(bool AValue) { FStretch = AValue; Invalidate(); }
  bool GetCenter() const { return FCenter; }
  void SetCenter(bool AValue) { FCenter = AValue; Invalidate(); }
  bool GetProportional() const { return FProportional; }
  void SetProportional(bool AValue) { FProportional = AValue; Invalidate(); }
  bool GetTransparent() const { return FTransparent; }
  void SetTransparent(bool AValue) { FTransparent = AValue; Invalidate(); }
  TNotifyEvent OnProgress;

 protected:
  void Paint() override;

 private:
  void PictureChanged(TObject*);
  TRect DestRect() const;
  TPicture* FPicture;
  bool FStretch = false;
  bool FCenter = false;
  bool FProportional = false;
  bool FTransparent = false;
};

class TShape : public TGraphicControl {
  QEL_CLASS(TShape, TGraphicControl)
 public:
  explicit TShape(TComponent* AOwner);
  ~TShape() override;
  TShapeType GetShape() const { return FShape; }
  void SetShape(TShapeType AValue) { FShape = AValue; Invalidate(); }
  TPen* GetPen() const { return FPen; }
  void SetPen(TPen* AValue) { FPen->Assign(AValue); }
  TBrush* GetBrush() const { return FBrush; }
  void SetBrush(TBrush* AValue) { FBrush->Assign(AValue); }

 protected:
  void Paint() override;

 private:
  void StyleChanged(TObject*) { Invalidate(); }
  TPen* FPen;
  TBrush* FBrush;
  TShapeType FShape = stRectangle;
};

class TBevel : public TGraphicControl {
  QEL_CLASS(TBevel, TGraphicControl)
 public:
  explicit TBevel(TComponent* AOwner);
  TBevelShape GetShape() const { return FShape; }
  void SetShape(TBevelShape AValue) { FShape = AValue; Invalidate(); }
  TBevelStyle GetStyle() const { return FStyle; }
  void SetStyle(TBevelStyle AValue) { FStyle = AValue; Invalidate(); }

 protected:
  void Paint() override;

 private:
  TBevelShape FShape = bsBox;
  TBevelStyle FStyle = bsLowered;
};

QEL_EVENT_TYPE(TCanResizeSplitEvent, void(TObject* Sender, int& NewSize, bool& Accept));

// A bar between an aligned control and the rest of its parent: dragging it resizes that
// control (the one aligned to the same side just before the splitter).
class TSplitter : public TGraphicControl {
  QEL_CLASS(TSplitter, TGraphicControl)
 public:
  explicit TSplitter(TComponent* AOwner);
  bool GetBeveled() const { return FBeveled; }
  void SetBeveled(bool AValue) { FBeveled = AValue; Invalidate(); }
  // The smallest size the resized control and the rest of the parent keep.
  int GetMinSize() const { return FMinSize; }
  void SetMinSize(int AValue) { FMinSize = AValue; }
  bool GetAutoSnap() const { return FAutoSnap; }
  void SetAutoSnap(bool AValue) { FAutoSnap = AValue; }
  TResizeStyle GetResizeStyle() const { return FResizeStyle; }
  void SetResizeStyle(TResizeStyle AValue) { FResizeStyle = AValue; }
  // The control the splitter resizes, or null.
  TControl* FindControl() const;
  // Moves the splitter by ADelta pixels across its side, as a drag would.
  void MoveBy(int ADelta);
  TCanResizeSplitEvent OnCanResize;
  TNotifyEvent OnMoved;

 protected:
  void Paint() override;
  void MouseDown(TMouseButton AButton, TShiftState AShift, int X, int Y) override;
  void MouseMove(TShiftState AShift, int X, int Y) override;
  void MouseUp(TMouseButton AButton, TShiftState AShift, int X, int Y) override;

 private:
  bool Horizontal() const { return GetAlign() == alTop || GetAlign() == alBottom; }
  TPoint FDownAt;
  bool FDragging = false;
  bool FBeveled = false;
  bool FAutoSnap = true;
  int FMinSize = 30;
  TResizeStyle FResizeStyle = rsPattern;
};

// ---------------------------------------------------------------------------
// Radio groups: a group box whose radio buttons are made from its Items.

class TCustomRadioGroup : public TCustomGroupBox {
  QEL_CLASS(TCustomRadioGroup, TCustomGroupBox)
 public:
  explicit TCustomRadioGroup(TComponent* AOwner);
  ~TCustomRadioGroup() override;
  TStrings* GetItems() const { return FItems; }
  void SetItems(TStrings* AValue) { FItems->Assign(AValue); }
  int GetItemIndex() const { return FItemIndex; }
  // -1 checks none; an index past the items is taken as the last. A change clicks the group.
  void SetItemIndex(int AValue);
  int GetColumns() const { return FColumns; }
  // 1 to 16; the buttons fill the columns top to bottom.
  void SetColumns(int AValue);
  bool GetWordWrap() const { return FWordWrap; }
  void SetWordWrap(bool AValue) { FWordWrap = AValue; }
  // Raises EListError "List index out of bounds (%d)".
  TRadioButton* GetButtons(int AIndex) const;
  void SetEnabled(bool AValue) override;

 protected:
  void AlignControls() override;
  void Notification(TComponent* AComponent, TOperation AOperation) override;

 private:
  void ItemsChanged(TObject*);
  void ButtonClicked(TObject* ASender);
  std::vector<TRadioButton*> FButtons;
  TStringList* FItems;
  int FItemIndex = -1;
  int FColumns = 1;
  bool FWordWrap = false;
  bool FUpdating = false;
};

class TRadioGroup : public TCustomRadioGroup {
  QEL_CLASS(TRadioGroup, TCustomRadioGroup)
 public:
  explicit TRadioGroup(TComponent* AOwner) : TCustomRadioGroup(AOwner) {}
};

// ---------------------------------------------------------------------------
// Labeled edits: an edit with a label that follows it.

class TBoundLabel : public TCustomLabel {
  QEL_CLASS(TBoundLabel, TCustomLabel)
 public:
  explicit TBoundLabel(TComponent* AOwner) : TCustomLabel(AOwner) {}
};

class TCustomLabeledEdit : public TCustomEdit {
  QEL_CLASS(TCustomLabeledEdit, TCustomEdit)
 public:
  explicit TCustomLabeledEdit(TComponent* AOwner);
  TBoundLabel* GetEditLabel() const { return FEditLabel; }
  TLabelPosition GetLabelPosition() const { return FLabelPosition; }
  void SetLabelPosition(TLabelPosition AValue) { FLabelPosition = AValue; PlaceLabel(); }
  int GetLabelSpacing() const { return FLabelSpacing; }
  void SetLabelSpacing(int AValue) { FLabelSpacing = AValue; PlaceLabel(); }
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void SetParent(TWinControl* AParent) override;
  void SetEnabled(bool AValue) override;

 protected:
  void Notification(TComponent* AComponent, TOperation AOperation) override;

 private:
  // The label sits beside the edit, as its position and spacing say.
  void PlaceLabel();
  TBoundLabel* FEditLabel;
  TLabelPosition FLabelPosition = lpAbove;
  int FLabelSpacing = 3;
};

class TLabeledEdit : public TCustomLabeledEdit {
  QEL_CLASS(TLabeledEdit, TCustomLabeledEdit)
 public:
  explicit TLabeledEdit(TComponent* AOwner) : TCustomLabeledEdit(AOwner) {}
};

// ---------------------------------------------------------------------------
// Colour boxes: a combo box and a list box of named colours.

enum TColorBoxStyles {
  cbStandardColors, cbExtendedColors, cbSystemColors, cbIncludeNone, cbIncludeDefault, cbCustomColor,
  cbPrettyNames, cbCustomColors
};
QEL_ENUM_TYPE(TColorBoxStyles, cbStandardColors, cbExtendedColors, cbSystemColors, cbIncludeNone, cbIncludeDefault,
              cbCustomColor, cbPrettyNames, cbCustomColors);
using TColorBoxStyle = TSet<TColorBoxStyles>;
inline constexpr TColorBoxStyle SDefaultColorBoxStyle{cbStandardColors, cbExtendedColors, cbSystemColors};

// The colours and names a colour box lists for a style. With cbCustomColors, OnGetColors adds
// lines "Name=colour" (a colour name or number) to the list it is handed.
struct TQelColorList {
  std::vector<TColor> Colors;
  std::vector<String> Names;
  // Fills the list and writes its names into AItems; AGetColors (with cbCustomColors) adds
  // lines to the list it is handed.
  template <class F>
  void Fill(TColorBoxStyle AStyle, TColor ANoneColor, TColor ADefaultColor, TStrings* AItems, F&& AGetColors);
  // Chooses AColor in a control of these items: the index to select, -1 for none.
  int Select(TColor AColor, TColorBoxStyle AStyle, TStrings* AItems);
  int IndexOf(TColor AColor) const;
  // Raises EListError "List index out of bounds (%d)".
  TColor Color(int AIndex) const;
  const String& Name(int AIndex) const;
};

class TCustomColorBox;
class TCustomColorListBox;
QEL_EVENT_TYPE(TGetColorsEvent, void(TCustomColorBox* Sender, TStrings* Items));
QEL_EVENT_TYPE(TLBGetColorsEvent, void(TCustomColorListBox* Sender, TStrings* Items));

class TCustomColorBox : public TCustomComboBox {
  QEL_CLASS(TCustomColorBox, TCustomComboBox)
 public:
  explicit TCustomColorBox(TComponent* AOwner);
  TColorBoxStyle GetStyle() const { return FStyle; }
  void SetStyle(TColorBoxStyle AValue) { FStyle = AValue; PopulateList(); }
  // The chosen colour (clBlack when none is); a colour the list lacks takes the "Custom..."
  // entry with cbCustomColor, and selects nothing otherwise.
  TColor GetSelected() const;
  void SetSelected(TColor AValue);
  TColor GetColors(int AIndex) const { return FList.Color(AIndex); }
  String GetColorNames(int AIndex) const { return FList.Name(AIndex); }
  TColor GetNoneColorColor() const { return FNoneColor; }
  void SetNoneColorColor(TColor AValue) { FNoneColor = AValue; PopulateList(); }
  TColor GetDefaultColorColor() const { return FDefaultColor; }
  void SetDefaultColorColor(TColor AValue) { FDefaultColor = AValue; PopulateList(); }
  void PopulateList();
  TGetColorsEvent OnGetColors;

 private:
  TQelColorList FList;
  TColorBoxStyle FStyle = SDefaultColorBoxStyle;
  TColor FNoneColor = clBlack;
  TColor FDefaultColor = clBlack;
};

class TColorBox : public TCustomColorBox {
  QEL_CLASS(TColorBox, TCustomColorBox)
 public:
  explicit TColorBox(TComponent* AOwner) : TCustomColorBox(AOwner) {}
};

class TCustomColorListBox : public TCustomListBox {
  QEL_CLASS(TCustomColorListBox, TCustomListBox)
 public:
  explicit TCustomColorListBox(TComponent* AOwner);
  TColorBoxStyle GetStyle() const { return FStyle; }
  void SetStyle(TColorBoxStyle AValue) { FStyle = AValue; PopulateList(); }
  TColor GetSelected() const;
  void SetSelected(TColor AValue);
  TColor GetColors(int AIndex) const { return FList.Color(AIndex); }
  String GetColorNames(int AIndex) const { return FList.Name(AIndex); }
  TColor GetNoneColorColor() const { return FNoneColor; }
  void SetNoneColorColor(TColor AValue) { FNoneColor = AValue; PopulateList(); }
  TColor GetDefaultColorColor() const { return FDefaultColor; }
  void SetDefaultColorColor(TColor AValue) { FDefaultColor = AValue; PopulateList(); }
  void PopulateList();
  TLBGetColorsEvent OnGetColors;

 private:
  TQelColorList FList;
  TColorBoxStyle FStyle = SDefaultColorBoxStyle;
  TColor FNoneColor = clBlack;
  TColor FDefaultColor = clBlack;
};

class TColorListBox : public TCustomColorListBox {
  QEL_CLASS(TColorListBox, TCustomColorListBox)
 public:
  explicit TColorListBox(TComponent* AOwner) : TCustomColorListBox(AOwner) {}
};

// ---------------------------------------------------------------------------
// Flow panels: children placed one after the other, wrapping at the panel's edge.

class TCustomFlowPanel : public TCustomPanel {
  QEL_CLASS(TCustomFlowPanel, TCustomPanel)
 public:
  explicit TCustomFlowPanel(TComponent* AOwner) : TCustomPanel(AOwner) {}
  TFlowStyle GetFlowStyle() const { return FFlowStyle; }
  void SetFlowStyle(TFlowStyle AValue) { FFlowStyle = AValue; Realign(); }
  bool GetAutoWrap() const { return FAutoWrap; }
  void SetAutoWrap(bool AValue) { FAutoWrap = AValue; Realign(); }
  // The control's place in the flow (its place among the children); -1 for a stranger.
  int GetControlIndex(TControl* AControl) const;
  void SetControlIndex(TControl* AControl, int AIndex);

 protected:
  void AlignControls() override;

 private:
  // The children in flow order (kept in step with the children at each use).
  const std::vector<TControl*>& Order() const;
  mutable std::vector<TControl*> FOrder;
  TFlowStyle FFlowStyle = fsLeftRightTopBottom;
  bool FAutoWrap = true;
};

class TFlowPanel : public TCustomFlowPanel {
  QEL_CLASS(TFlowPanel, TCustomFlowPanel)
 public:
  explicit TFlowPanel(TComponent* AOwner) : TCustomFlowPanel(AOwner) {}
};

// ---------------------------------------------------------------------------
// Grid panels: children in the cells of rows and columns sized absolutely, by percentage of
// the room left, or to their widest (tallest) control.

QEL_EXCEPTION(EGridPanelException, Exception);

class TCustomGridPanel;

class TCellItem : public TCollectionItem {
  QEL_CLASS(TCellItem, TCollectionItem)
 public:
  TCellItem() = default;
  TSizeStyle GetSizeStyle() const { return FSizeStyle; }
  void SetSizeStyle(TSizeStyle AValue);
  double GetValue() const { return FValue; }
  // Raises EGridPanelException for a negative value or a percentage over 100.
  void SetValue(double AValue);
  bool GetAutoAdded() const { return FAutoAdded; }
  void SetAutoAdded(bool AValue) { FAutoAdded = AValue; }

 private:
  void Changed();
  TSizeStyle FSizeStyle = ssPercent;
  double FValue = 50;
  bool FAutoAdded = false;
};

class TRowItem : public TCellItem {
  QEL_CLASS(TRowItem, TCellItem)
 public:
  TRowItem() = default;
};

class TColumnItem : public TCellItem {
  QEL_CLASS(TColumnItem, TCellItem)
 public:
  TColumnItem() = default;
};

class TCellCollection : public TOwnedCollection {
  QEL_CLASS(TCellCollection, TOwnedCollection)
 public:
  TCellCollection(TCustomGridPanel* AOwner, TClass AItemClass);
  TCellItem* GetCellItems(int AIndex) const { return static_cast<TCellItem*>(GetItems(AIndex)); }
  void ItemChanged() { Changed(); }

 protected:
  void Changed() override;
};

class TRowCollection : public TCellCollection {
  QEL_CLASS(TRowCollection, TCellCollection)
 public:
  explicit TRowCollection(TCustomGridPanel* AOwner) : TCellCollection(AOwner, TRowItem::StaticClass()) {}
};

class TColumnCollection : public TCellCollection {
  QEL_CLASS(TColumnCollection, TCellCollection)
 public:
  explicit TColumnCollection(TCustomGridPanel* AOwner) : TCellCollection(AOwner, TColumnItem::StaticClass()) {}
};

// Where one child sits: its cell and how many columns and rows it spans.
class TControlItem : public TCollectionItem {
  QEL_CLASS(TControlItem, TCollectionItem)
 public:
  TControlItem() = default;
  TControl* GetControl() const { return FControl; }
  void SetControl(TControl* AValue) { FControl = AValue; Changed(); }
  int GetColumn() const { return FColumn; }
  void SetColumn(int AValue);
  int GetRow() const { return FRow; }
  void SetRow(int AValue);
  int GetColumnSpan() const { return FColumnSpan; }
  void SetColumnSpan(int AValue);
  int GetRowSpan() const { return FRowSpan; }
  void SetRowSpan(int AValue);
  TCustomGridPanel* GridPanel() const;

 private:
  void Changed();
  TControl* FControl = nullptr;
  int FColumn = -1, FRow = -1, FColumnSpan = 1, FRowSpan = 1;
};

class TControlCollection : public TOwnedCollection {
  QEL_CLASS(TControlCollection, TOwnedCollection)
 public:
  explicit TControlCollection(TCustomGridPanel* AOwner);
  TControlItem* GetControlItems(int AColumn, int ARow) const;
  TControl* GetControls(int AColumn, int ARow) const;
  TControlItem* GetItem(int AIndex) const { return static_cast<TControlItem*>(GetItems(AIndex)); }
  // Places AControl in a cell (-1: the next free one) and on the panel; returns its item.
  TControlItem* AddControl(TControl* AControl, int AColumn, int ARow);
  void RemoveControl(TControl* AControl);
  int IndexOf(TControl* AControl) const;
  void ItemChanged() { Changed(); }

 protected:
  void Changed() override;
};

class TCustomGridPanel : public TCustomPanel {
  QEL_CLASS(TCustomGridPanel, TCustomPanel)
 public:
  explicit TCustomGridPanel(TComponent* AOwner);
  ~TCustomGridPanel() override;
  TColumnCollection* GetColumnCollection() const { return FColumns; }
  void SetColumnCollection(TColumnCollection* AValue) { FColumns->Assign(AValue); }
  TRowCollection* GetRowCollection() const { return FRows; }
  void SetRowCollection(TRowCollection* AValue) { FRows->Assign(AValue); }
  TControlCollection* GetControlCollection() const { return FControlItems; }
  TExpandStyle GetExpandStyle() const { return FExpandStyle; }
  void SetExpandStyle(TExpandStyle AValue) { FExpandStyle = AValue; }
  // The cell's rectangle in client coordinates (spans not counted).
  TRect CellRect(int AColumn, int ARow);
  bool IsColumnEmpty(int AColumn) const;
  bool IsRowEmpty(int ARow) const;

 protected:
  void AlignControls() override;
  void Notification(TComponent* AComponent, TOperation AOperation) override;

 private:
  friend class TControlCollection;
  // Each child has an item; items of children gone are dropped.
  void SyncItems();
  // The next free cell, adding a row or column when full (ExpandStyle); false when none is.
  bool FreeCell(int& AColumn, int& ARow);
  void ComputeSizes(std::vector<int>& AWidths, std::vector<int>& AHeights, const TRect& ARect) const;
  TColumnCollection* FColumns;
  TRowCollection* FRows;
  TControlCollection* FControlItems;
  TExpandStyle FExpandStyle = emAddRows;
  bool FSyncing = false;
  bool FArranging = false;
};

class TGridPanel : public TCustomGridPanel {
  QEL_CLASS(TGridPanel, TCustomGridPanel)
 public:
  explicit TGridPanel(TComponent* AOwner) : TCustomGridPanel(AOwner) {}
};

// ---------------------------------------------------------------------------
// Notebooks: pages on top of each other, one showing at a time.

class TPage : public TCustomControl {
  QEL_CLASS(TPage, TCustomControl)
 public:
  explicit TPage(TComponent* AOwner);
};

// Pages holds the page names with each page in Objects; adding a name adds a page, deleting one
// frees its page (and what is on it).
class TNotebook : public TCustomControl {
  QEL_CLASS(TNotebook, TCustomControl)
 public:
  explicit TNotebook(TComponent* AOwner);
  ~TNotebook() override;
  TStrings* GetPages() const { return FPages; }
  void SetPages(TStrings* AValue) { FPages->Assign(AValue); }
  int GetPageIndex() const { return FPageIndex; }
  // An index outside the pages is ignored.
  void SetPageIndex(int AValue);
  String GetActivePage() const;
  // A name no page has is ignored (names compare without case).
  void SetActivePage(const String& AValue);
  TNotifyEvent OnPageChanged;

 protected:
  void Notification(TComponent* AComponent, TOperation AOperation) override;

 private:
  void PagesChanged(TObject*);
  void ShowActive();
  TStringList* FPages;
  std::vector<TPage*> FPageControls;
  int FPageIndex = -1;
  bool FSyncing = false;
};

// ---------------------------------------------------------------------------
// Link labels: a caption with <a href="…">links</a> (or <a id="…">) that report their clicks.

QEL_EVENT_TYPE(TSysLinkEvent, void(TObject* Sender, const String& Link, TSysLinkType LinkType));

class TCustomLinkLabel : public TWinControl {
  QEL_CLASS(TCustomLinkLabel, TWinControl)
 public:
  explicit TCustomLinkLabel(TComponent* AOwner);
  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment AValue);
  bool GetUseVisualStyle() const { return FUseVisualStyle; }
  void SetUseVisualStyle(bool AValue) { FUseVisualStyle = AValue; }
  // Runs OnLinkClick as a click on the link AHref of the shown text would ("id:" marks an
  // <a id> link).
  void LinkClicked(const String& AHref);
  TSysLinkEvent OnLinkClick;

 protected:
  void TextChanged() override;

 private:
  TAlignment FAlignment = taLeftJustify;
  bool FUseVisualStyle = false;
};

class TLinkLabel : public TCustomLinkLabel {
  QEL_CLASS(TLinkLabel, TCustomLinkLabel)
 public:
  explicit TLinkLabel(TComponent* AOwner) : TCustomLinkLabel(AOwner) {}
};

// ---------------------------------------------------------------------------
// Buttoned edits: an edit with a button at either end.

class TCustomButtonedEdit;
class TCustomImageList;
class TChangeLink;
class TPopupMenu;
class QAction;

class TEditButton : public TPersistent {
  QEL_CLASS(TEditButton, TPersistent)
 public:
  TEditButton(TCustomButtonedEdit* AEditControl, bool ARight);
  ~TEditButton() override;
  void Assign(TPersistent* ASource) override;
  bool GetVisible() const { return FVisible; }
  void SetVisible(bool AValue) { FVisible = AValue; Changed(); }
  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool AValue) { FEnabled = AValue; Changed(); }
  const String& GetHint() const { return FHint; }
  void SetHint(const String& AValue) { FHint = AValue; Changed(); }
  int GetImageIndex() const { return FImageIndex; }
  void SetImageIndex(int AValue) { FImageIndex = AValue; Changed(); }
  int GetDisabledImageIndex() const { return FDisabledImageIndex; }
  void SetDisabledImageIndex(int AValue) { FDisabledImageIndex = AValue; Changed(); }
  int GetHotImageIndex() const { return FHotImageIndex; }
  void SetHotImageIndex(int AValue) { FHotImageIndex = AValue; }
  int GetPressedImageIndex() const { return FPressedImageIndex; }
  void SetPressedImageIndex(int AValue) { FPressedImageIndex = AValue; }
  TPopupMenu* GetDropDownMenu() const { return FDropDownMenu; }
  void SetDropDownMenu(TPopupMenu* AValue);
  // The Qt action the edit shows for this button.
  QAction* Action() const { return FAction; }
  // Shows the state and the image (from the edit's Images) on the Qt action.
  void Changed();

 private:
  friend class TCustomButtonedEdit;
  TCustomButtonedEdit* FEditControl;
  QAction* FAction;
  TPopupMenu* FDropDownMenu = nullptr;
  String FHint;
  int FImageIndex = -1, FDisabledImageIndex = -1, FHotImageIndex = -1, FPressedImageIndex = -1;
  bool FRight;
  bool FVisible = false;
  bool FEnabled = true;
};

class TCustomButtonedEdit : public TCustomEdit {
  QEL_CLASS(TCustomButtonedEdit, TCustomEdit)
 public:
  explicit TCustomButtonedEdit(TComponent* AOwner);
  ~TCustomButtonedEdit() override;
  TCustomImageList* GetImages() const { return FImages; }
  void SetImages(TCustomImageList* AValue);
  TEditButton* GetLeftButton() const { return FLeftButton; }
  void SetLeftButton(TEditButton* AValue);
  TEditButton* GetRightButton() const { return FRightButton; }
  void SetRightButton(TEditButton* AValue);
  // A button's click: OnLeftButtonClick or OnRightButtonClick, then its drop-down menu.
  void ButtonClicked(TEditButton* AButton);
  TNotifyEvent OnLeftButtonClick;
  TNotifyEvent OnRightButtonClick;

 protected:
  void Notification(TComponent* AComponent, TOperation AOperation) override;

 private:
  void ImagesChanged(TObject*);
  TCustomImageList* FImages = nullptr;
  TChangeLink* FImageLink;
  TEditButton* FLeftButton;
  TEditButton* FRightButton;
};

class TButtonedEdit : public TCustomButtonedEdit {
  QEL_CLASS(TButtonedEdit, TCustomButtonedEdit)
 public:
  explicit TButtonedEdit(TComponent* AOwner) : TCustomButtonedEdit(AOwner) {}
};

// ---------------------------------------------------------------------------
// Tray icons: an icon in the desktop's notification area (where the desktop has one), with
// balloon hints and an animation through the images of Icons.

class QSystemTrayIcon;

class TCustomTrayIcon : public TComponent {
  QEL_CLASS(TCustomTrayIcon, TComponent)
 public:
  explicit TCustomTrayIcon(TComponent* AOwner);
  ~TCustomTrayIcon() override;
  bool GetVisible() const { return FVisible; }
  void SetVisible(bool AValue);
  const String& GetHint() const { return FHint; }
  void SetHint(const String& AValue);
  TIcon* GetIcon() const { return FIcon; }
  void SetIcon(TIcon* AValue) { FIcon->Assign(AValue); }
  TCustomImageList* GetIcons() const { return FIcons; }
  void SetIcons(TCustomImageList* AValue);
  int GetIconIndex() const { return FIconIndex; }
  void SetIconIndex(int AValue);
  bool GetAnimate() const { return FAnimate; }
  // Steps IconIndex through Icons every AnimateInterval milliseconds, running OnAnimate.
  void SetAnimate(bool AValue);
  uint32_t GetAnimateInterval() const;
  void SetAnimateInterval(uint32_t AValue);
  const String& GetBalloonHint() const { return FBalloonHint; }
  void SetBalloonHint(const String& AValue) { FBalloonHint = AValue; }
  const String& GetBalloonTitle() const { return FBalloonTitle; }
  void SetBalloonTitle(const String& AValue) { FBalloonTitle = AValue; }
  int GetBalloonTimeout() const { return FBalloonTimeout; }
  void SetBalloonTimeout(int AValue) { FBalloonTimeout = AValue; }
  TBalloonFlags GetBalloonFlags() const { return FBalloonFlags; }
  void SetBalloonFlags(TBalloonFlags AValue) { FBalloonFlags = AValue; }
  TPopupMenu* GetPopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(TPopupMenu* AValue);
  // Shows BalloonHint under BalloonTitle; false without a notification area to show it in.
  bool ShowBalloonHint();
  // The icon shown now: Icons[IconIndex] when Icons is set, else Icon.
  void Refresh();
  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TNotifyEvent OnBalloonClick;
  TNotifyEvent OnAnimate;

 protected:
  void Notification(TComponent* AComponent, TOperation AOperation) override;

 private:
  void IconChanged(TObject*) { Refresh(); }
  void AnimateTick(TObject*);
  QSystemTrayIcon* FTray = nullptr;  // made while visible on a desktop with a notification area
  TIcon* FIcon;
  TTimer* FTimer;
  TCustomImageList* FIcons = nullptr;
  TPopupMenu* FPopupMenu = nullptr;
  String FHint, FBalloonHint, FBalloonTitle;
  int FIconIndex = 0;
  int FBalloonTimeout = 10000;
  TBalloonFlags FBalloonFlags = bfNone;
  bool FVisible = false;
  bool FAnimate = false;
};

class TTrayIcon : public TCustomTrayIcon {
  QEL_CLASS(TTrayIcon, TCustomTrayIcon)
 public:
  explicit TTrayIcon(TComponent* AOwner) : TCustomTrayIcon(AOwner) {}
};

// ---------------------------------------------------------------------------
// Category panels: panels stacked in a group, each with a header that collapses it to the
// header's height and expands it again.

class TCustomCategoryPanelGroup;

// The area under a category panel's header (its children may go there or on the panel).
class TCategoryPanelSurface : public TCustomPanel {
  QEL_CLASS(TCategoryPanelSurface, TCustomPanel)
 public:
  explicit TCategoryPanelSurface(TComponent* AOwner);
};

class TCustomCategoryPanel : public TCustomPanel {
  QEL_CLASS(TCustomCategoryPanel, TCustomPanel)
 public:
  explicit TCustomCategoryPanel(TComponent* AOwner);
  TCustomCategoryPanelGroup* GetPanelGroup() const;
  void SetPanelGroup(TCustomCategoryPanelGroup* AValue);
  bool GetCollapsed() const { return FCollapsed; }
  void SetCollapsed(bool AValue);
  void Collapse() { SetCollapsed(true); }
  void Expand() { SetCollapsed(false); }
  // The panel's height while expanded.
  int GetExpandedHeight() const { return FExpandedHeight; }
  TCategoryPanelSurface* GetSurface() const { return FSurface; }
  int HeaderHeight() const;
  // The group's header height changed: a collapsed panel takes it (no OnCollapse runs).
  void HeaderHeightChanged();
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  TNotifyEvent OnCollapse;
  TNotifyEvent OnExpand;

 protected:
  void AdjustClientRect(TRect& ARect) const override;
  void Paint() override;
  // A click on the header toggles the panel.
  void MouseDown(TMouseButton AButton, TShiftState AShift, int X, int Y) override;
  void Notification(TComponent* AComponent, TOperation AOperation) override;

 private:
  TCategoryPanelSurface* FSurface;
  int FExpandedHeight = 200;
  bool FCollapsed = false;
  bool FResizing = false;
};

class TCategoryPanel : public TCustomCategoryPanel {
  QEL_CLASS(TCategoryPanel, TCustomCategoryPanel)
 public:
  explicit TCategoryPanel(TComponent* AOwner) : TCustomCategoryPanel(AOwner) {}
};

class TCustomCategoryPanelGroup : public TScrollingWinControl {
  QEL_CLASS(TCustomCategoryPanelGroup, TScrollingWinControl)
 public:
  explicit TCustomCategoryPanelGroup(TComponent* AOwner);
  int GetHeaderHeight() const { return FHeaderHeight; }
  void SetHeaderHeight(int AValue);
  // A new panel (owned by AOwner) at the bottom of the group.
  TCustomCategoryPanel* CreatePanel(TComponent* AOwner);
  void CollapseAll();
  void ExpandAll();
  int GetPanelCount() const;

 private:
  template <class F>
  void ForEachPanel(F&& AAction);
  int FHeaderHeight = 24;
};

class TCategoryPanelGroup : public TCustomCategoryPanelGroup {
  QEL_CLASS(TCategoryPanelGroup, TCustomCategoryPanelGroup)
 public:
  explicit TCategoryPanelGroup(TComponent* AOwner) : TCustomCategoryPanelGroup(AOwner) {}
};

// ---------------------------------------------------------------------------
// Control bars: children as bands in rows of RowSize pixels, each after a grab handle, moved
// along their row so that none overlaps the one before it.

QEL_EVENT_TYPE(TBandMoveEvent, void(TObject* Sender, TControl* Control, TRect& ARect));

class TCustomControlBar : public TCustomControl {
  QEL_CLASS(TCustomControlBar, TCustomControl)
 public:
  static constexpr int GrabWidth = 11;
  explicit TCustomControlBar(TComponent* AOwner);
  ~TCustomControlBar() override;
  int GetRowSize() const { return FRowSize; }
  void SetRowSize(int AValue);
  bool GetRowSnap() const { return FRowSnap; }
  void SetRowSnap(bool AValue) { FRowSnap = AValue; Realign(); }
  bool GetAutoDrag() const { return FAutoDrag; }
  void SetAutoDrag(bool AValue) { FAutoDrag = AValue; }
  bool GetAutoDock() const { return FAutoDock; }
  void SetAutoDock(bool AValue) { FAutoDock = AValue; }
  TPicture* GetPicture() const { return FPicture; }
  void SetPicture(TPicture* AValue) { FPicture->Assign(AValue); }
  TBandMoveEvent OnBandMove;

 protected:
  void AlignControls() override;
  void Paint() override;

 private:
  void PictureChanged(TObject*) { Invalidate(); }
  TPicture* FPicture;
  int FRowSize = 26;
  bool FRowSnap = true;
  bool FAutoDrag = true;
  bool FAutoDock = true;
  bool FArranging = false;
};

class TControlBar : public TCustomControlBar {
  QEL_CLASS(TControlBar, TCustomControlBar)
 public:
  explicit TControlBar(TComponent* AOwner) : TCustomControlBar(AOwner) {}
};

// ---------------------------------------------------------------------------
// Headers: a row of titled sections whose right edges the user drags to resize them.

QEL_EVENT_TYPE(TSectionEvent, void(TObject* Sender, int ASection, int AWidth));

class THeader : public TCustomControl {
  QEL_CLASS(THeader, TCustomControl)
 public:
  explicit THeader(TComponent* AOwner);
  ~THeader() override;
  TStrings* GetSections() const { return FSections; }
  void SetSections(TStrings* AValue) { FSections->Assign(AValue); }
  // Raises EListError "List index out of bounds (%d)".
  int GetSectionWidth(int AIndex) const;
  void SetSectionWidth(int AIndex, int AWidth);
  bool GetAllowResize() const { return FAllowResize; }
  void SetAllowResize(bool AValue) { FAllowResize = AValue; }
  TSectionEvent OnSizing;
  TSectionEvent OnSized;

 protected:
  void Paint() override;
  void MouseDown(TMouseButton AButton, TShiftState AShift, int X, int Y) override;
  void MouseMove(TShiftState AShift, int X, int Y) override;
  void MouseUp(TMouseButton AButton, TShiftState AShift, int X, int Y) override;

 private:
  void SectionsChanged(TObject*);
  // The section whose right edge is within a few pixels of X, or -1.
  int EdgeAt(int X) const;
  TStringList* FSections;
  std::vector<int> FWidths;
  int FDragging = -1;
  int FDragStart = 0;
  bool FAllowResize = true;
};
