// Host unit "StdCtrls": labels, edits, memos, buttons, check boxes, radio buttons, list boxes,
// combo boxes, group boxes, scroll bars and static texts on Qt's widgets.
#pragma once

#include "host/core/UnitData.h"

#include "host/gui/Controls.h"





class TCustomLabel : public TGraphicControl {
  QEL_CLASS(TCustomLabel, TGraphicControl)
 public:
  explicit TCustomLabel(TComponent* AOwner);
  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment AValue);
  TTextLayout GetLayout() const { return FLayout; }
  void SetLayout(TTextLayout AValue);
  bool GetWordWrap() const { return FWordWrap; }
  void SetWordWrap(bool AValue);
  bool GetTransparent() const { return FTransparent; }
  void SetTransparent(bool AValue);
  TWinControl* GetFocusControl() const { return FFocusControl; }
  void SetFocusControl(TWinControl* AValue) { FFocusControl = AValue; }
  bool GetShowAccelChar() const { return FShowAccelChar; }
  void SetShowAccelChar(bool AValue) { FShowAccelChar = AValue; TextChanged(); }
  void SetAutoSize(bool AValue) override;

 protected:
  void TextChanged() override;

 private:
  void ApplyAlignment();
  TWinControl* FFocusControl = nullptr;
  TAlignment FAlignment = taLeftJustify;
  TTextLayout FLayout = tlTop;
  bool FWordWrap = false;
  bool FTransparent = true;
  bool FShowAccelChar = true;
};

class TLabel : public TCustomLabel {
  QEL_CLASS(TLabel, TCustomLabel)
 public:
  explicit TLabel(TComponent* AOwner) : TCustomLabel(AOwner) {}
};

class TCustomEdit : public TWinControl {
  QEL_CLASS(TCustomEdit, TWinControl)
 public:
  explicit TCustomEdit(TComponent* AOwner);
  String GetText() const override;
  void SetText(const String& AValue) override;
  int GetMaxLength() const;
  void SetMaxLength(int AValue);
  bool GetReadOnly() const;
  void SetReadOnly(bool AValue);
  char16_t GetPasswordChar() const { return FPasswordChar; }
  void SetPasswordChar(char16_t AValue);
  TEditCharCase GetCharCase() const { return FCharCase; }
  void SetCharCase(TEditCharCase AValue);
  bool GetModified() const { return FModified; }
  void SetModified(bool AValue) { FModified = AValue; }
  int GetSelStart() const;
  void SetSelStart(int AValue);
  int GetSelLength() const;
  void SetSelLength(int AValue);
  String GetSelText() const;
  void SetSelText(const String& AValue);
  // Only digits can be typed (text set by the program is not checked).
  bool GetNumbersOnly() const { return FNumbersOnly; }
  void SetNumbersOnly(bool AValue);
  // The whole text is selected when a one-line edit takes the focus.
  bool GetAutoSelect() const { return FAutoSelect; }
  void SetAutoSelect(bool AValue) { FAutoSelect = AValue; }
  const String& GetTextHint() const { return FTextHint; }
  void SetTextHint(const String& AValue);
  void Clear() { SetText(String()); }
  void SelectAll();
  void ClearSelection() { SetSelText(String()); }
  void CopyToClipboard();
  void CutToClipboard();
  void PasteFromClipboard();
  void Undo();
  bool GetCanUndo() const;

  TNotifyEvent OnChange;

 protected:
  TCustomEdit(TComponent* AOwner, QWidget* AWidget);
  virtual void Change() { OnChange(this); }
  // The text changed in the widget (typed or set).
  void WidgetTextChanged();
  void DoEnter() override;

 private:
  char16_t FPasswordChar = 0;
  bool FNumbersOnly = false;
  bool FAutoSelect = true;
  TEditCharCase FCharCase = ecNormal;
  String FTextHint;
  bool FModified = false;
};

class TEdit : public TCustomEdit {
  QEL_CLASS(TEdit, TCustomEdit)
 public:
  explicit TEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}
};

class TCustomMemo : public TCustomEdit {
  QEL_CLASS(TCustomMemo, TCustomEdit)
 public:
  explicit TCustomMemo(TComponent* AOwner);
  ~TCustomMemo() override;
  String GetText() const override;
  void SetText(const String& AValue) override;
  TStrings* GetLines() const { return FLines; }
  void SetLines(TStrings* AValue) { FLines->Assign(AValue); }
  TPoint GetCaretPos() const;
  void SetCaretPos(const TPoint& AValue);

  // Published by the memo, protected here.
  bool GetWantTabs() const { return FWantTabs; }
  void SetWantTabs(bool AValue);
  bool GetWantReturns() const { return FWantReturns; }
  void SetWantReturns(bool AValue) { FWantReturns = AValue; }
  bool GetWordWrap() const { return FWordWrap; }
  void SetWordWrap(bool AValue);
  TScrollStyle GetScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle AValue);
  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment AValue);

  bool WidgetEvent(QEvent* AEvent) override;

 private:
  TStrings* FLines;  // a TQtItemStrings
  TScrollStyle FScrollBars = ssNone;
  TAlignment FAlignment = taLeftJustify;
  bool FWantTabs = false;
  bool FWantReturns = true;
  bool FWordWrap = true;
};

class TMemo : public TCustomMemo {
  QEL_CLASS(TMemo, TCustomMemo)
 public:
  explicit TMemo(TComponent* AOwner) : TCustomMemo(AOwner) {}
};

class TButtonControl : public TWinControl {
  QEL_CLASS(TButtonControl, TWinControl)
 public:
  bool GetWordWrap() const { return FWordWrap; }
  void SetWordWrap(bool AValue) { FWordWrap = AValue; }

 protected:
  TButtonControl(TComponent* AOwner, QWidget* AWidget);
  bool ClicksOnMouseUp() const override { return false; }
  void TextChanged() override;

 private:
  bool FWordWrap = false;
};

class TCustomButton : public TButtonControl {
  QEL_CLASS(TCustomButton, TButtonControl)
 public:
  explicit TCustomButton(TComponent* AOwner);
  // A button with a modal result sets its form's ModalResult when clicked.
  void Click() override;
  TModalResult GetModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult AValue) { FModalResult = AValue; }
  bool GetDefault() const { return FDefault; }
  void SetDefault(bool AValue);
  bool GetCancel() const { return FCancel; }
  void SetCancel(bool AValue) { FCancel = AValue; }

 private:
  TModalResult FModalResult = mrNone;
  bool FDefault = false;
  bool FCancel = false;
};

class TButton : public TCustomButton {
  QEL_CLASS(TButton, TCustomButton)
 public:
  explicit TButton(TComponent* AOwner) : TCustomButton(AOwner) {}
};

class TCustomCheckBox : public TButtonControl {
  QEL_CLASS(TCustomCheckBox, TButtonControl)
 public:
  explicit TCustomCheckBox(TComponent* AOwner);
  bool GetChecked() const { return FState == cbChecked; }
  void SetChecked(bool AValue) { SetState(AValue ? cbChecked : cbUnchecked); }
  TCheckBoxState GetState() const { return FState; }
  void SetState(TCheckBoxState AValue);
  bool GetAllowGrayed() const { return FAllowGrayed; }
  void SetAllowGrayed(bool AValue);
  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment AValue) { FAlignment = AValue; }

 private:
  TCheckBoxState FState = cbUnchecked;
  TAlignment FAlignment = taRightJustify;
  bool FAllowGrayed = false;
};

class TCheckBox : public TCustomCheckBox {
  QEL_CLASS(TCheckBox, TCustomCheckBox)
 public:
  explicit TCheckBox(TComponent* AOwner) : TCustomCheckBox(AOwner) {}
};

class TRadioButton : public TButtonControl {
  QEL_CLASS(TRadioButton, TButtonControl)
 public:
  explicit TRadioButton(TComponent* AOwner);
  bool GetChecked() const { return FChecked; }
  // Checking a radio button unchecks its siblings.
  void SetChecked(bool AValue);
  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment AValue) { FAlignment = AValue; }

 private:
  bool FChecked = false;
  TAlignment FAlignment = taRightJustify;
};

class TCustomListBox : public TCustomMultiSelectListControl {
  QEL_CLASS(TCustomListBox, TCustomMultiSelectListControl)
 public:
  explicit TCustomListBox(TComponent* AOwner);
  ~TCustomListBox() override;
  TStrings* GetItems() const { return FItems; }
  void SetItems(TStrings* AValue) { FItems->Assign(AValue); }
  int GetItemIndex() const override;
  void SetItemIndex(int AValue) override;
  int GetCount() const override;
  bool GetSelected(int AIndex) const;
  void SetSelected(int AIndex, bool AValue);
  int GetSelCount() const override;
  bool GetMultiSelect() const override { return FMultiSelect; }
  void SetMultiSelect(bool AValue) override;
  // With MultiSelect: ranges with Shift and single items with Ctrl (else every click toggles).
  bool GetExtendedSelect() const { return FExtendedSelect; }
  void SetExtendedSelect(bool AValue);
  bool GetSorted() const { return FSorted; }
  void SetSorted(bool AValue);
  int GetTopIndex() const;
  void SetTopIndex(int AValue);
  int GetItemHeight() const;
  TListBoxStyle GetStyle() const { return FStyle; }
  void SetStyle(TListBoxStyle AValue) { FStyle = AValue; }
  int GetColumns() const { return FColumns; }
  void SetColumns(int AValue) { FColumns = AValue; }
  int ItemAtPos(const TPoint& APos, bool AExisting) const;
  TRect ItemRect(int AIndex) const;
  void AddItem(const String& AItem, TObject* AObject) override;
  void Clear() override;
  void ClearSelection() override;
  void DeleteSelected() override;
  void SelectAll() override;

 private:
  TStrings* FItems;  // a TQtItemStrings
  TListBoxStyle FStyle = lbStandard;
  int FColumns = 0;
  bool FMultiSelect = false;
  bool FExtendedSelect = true;
  bool FSorted = false;
};

class TListBox : public TCustomListBox {
  QEL_CLASS(TListBox, TCustomListBox)
 public:
  explicit TListBox(TComponent* AOwner) : TCustomListBox(AOwner) {}
};

class TCustomCombo : public TCustomListControl {
  QEL_CLASS(TCustomCombo, TCustomListControl)
 public:
  ~TCustomCombo() override;
  TStrings* GetItems() const { return FItems; }
  void SetItems(TStrings* AValue) { FItems->Assign(AValue); }
  int GetItemIndex() const override;
  void SetItemIndex(int AValue) override;
  int GetCount() const override;
  String GetText() const override;
  void SetText(const String& AValue) override;
  bool GetDroppedDown() const;
  void SetDroppedDown(bool AValue);
  int GetDropDownCount() const;
  void SetDropDownCount(int AValue);
  int GetMaxLength() const { return FMaxLength; }
  void SetMaxLength(int AValue) { FMaxLength = AValue; }
  int GetSelStart() const;
  void SetSelStart(int AValue);
  int GetSelLength() const;
  void SetSelLength(int AValue);
  String GetSelText() const;
  void AddItem(const String& AItem, TObject* AObject) override;
  void Clear() override;
  void ClearSelection() override;
  void DeleteSelected() override;
  void SelectAll() override;

  TNotifyEvent OnChange;
  TNotifyEvent OnSelect;
  TNotifyEvent OnDropDown;
  TNotifyEvent OnCloseUp;

 protected:
  TCustomCombo(TComponent* AOwner, QWidget* AWidget);
  virtual void Change() { OnChange(this); }
  virtual void Select() { OnSelect(this); }

 private:
  TStrings* FItems;  // a TQtItemStrings
  int FMaxLength = 0;
};

class TCustomComboBox : public TCustomCombo {
  QEL_CLASS(TCustomComboBox, TCustomCombo)
 public:
  explicit TCustomComboBox(TComponent* AOwner);
  TComboBoxStyle GetStyle() const { return FStyle; }
  void SetStyle(TComboBoxStyle AValue);
  bool GetSorted() const { return FSorted; }
  void SetSorted(bool AValue);
  TEditCharCase GetCharCase() const { return FCharCase; }
  void SetCharCase(TEditCharCase AValue) { FCharCase = AValue; }
  bool GetAutoComplete() const { return FAutoComplete; }
  void SetAutoComplete(bool AValue);

 private:
  TComboBoxStyle FStyle = csDropDown;
  TEditCharCase FCharCase = ecNormal;
  bool FSorted = false;
  bool FAutoComplete = true;
};

class TComboBox : public TCustomComboBox {
  QEL_CLASS(TComboBox, TCustomComboBox)
 public:
  explicit TComboBox(TComponent* AOwner) : TCustomComboBox(AOwner) {}
};

class TCustomGroupBox : public TCustomControl {
  QEL_CLASS(TCustomGroupBox, TCustomControl)
 public:
  explicit TCustomGroupBox(TComponent* AOwner);

 protected:
  void TextChanged() override;
  void AdjustClientRect(TRect& ARect) const override;
};

class TGroupBox : public TCustomGroupBox {
  QEL_CLASS(TGroupBox, TCustomGroupBox)
 public:
  explicit TGroupBox(TComponent* AOwner) : TCustomGroupBox(AOwner) {}
};

QEL_EVENT_TYPE(TScrollEvent, void(TObject* Sender, TScrollCode ScrollCode, int& ScrollPos));

// A stand-alone scroll bar. Position runs from Min to Max - PageSize + 1 (to Max without a
// page); user scrolling runs OnScroll first, which may move the position it lands on.
class TScrollBar : public TWinControl {
  QEL_CLASS(TScrollBar, TWinControl)
 public:
  explicit TScrollBar(TComponent* AOwner);
  TScrollBarKind GetKind() const { return FKind; }
  void SetKind(TScrollBarKind AValue);
  int GetMin() const { return FMin; }
  void SetMin(int AValue) { SetParams(FPosition, AValue, FMax); }
  int GetMax() const { return FMax; }
  void SetMax(int AValue) { SetParams(FPosition, FMin, AValue); }
  int GetPosition() const { return FPosition; }
  void SetPosition(int AValue) { SetParams(AValue, FMin, FMax); }
  int GetPageSize() const { return FPageSize; }
  void SetPageSize(int AValue);
  int GetSmallChange() const { return FSmallChange; }
  void SetSmallChange(int AValue);
  int GetLargeChange() const { return FLargeChange; }
  void SetLargeChange(int AValue);
  // Raises EInvalidOperation "Scroll bar property out of range" when AMax < AMin; the position
  // is kept within the range.
  void SetParams(int APosition, int AMin, int AMax);
  TNotifyEvent OnChange;
  TScrollEvent OnScroll;
  bool WidgetEvent(QEvent* AEvent) override;

 protected:
  virtual void Change() { OnChange(this); }
  virtual void Scroll(TScrollCode AScrollCode, int& AScrollPos) { OnScroll(this, AScrollCode, AScrollPos); }

 private:
  int LastPosition() const { return FPageSize > 0 ? FMax - FPageSize + 1 : FMax; }
  void ApplyRange();
  void UserAction(int AAction);
  TScrollBarKind FKind = sbHorizontal;
  int FMin = 0, FMax = 100, FPosition = 0, FPageSize = 0, FSmallChange = 1, FLargeChange = 1;
  bool FApplying = false;
};

enum TStaticBorderStyle { sbsNone, sbsSingle, sbsSunken };
QEL_ENUM_TYPE(TStaticBorderStyle, sbsNone, sbsSingle, sbsSunken);

// A label with a window of its own: it can carry a border and take part in the focus order.
class TCustomStaticText : public TWinControl {
  QEL_CLASS(TCustomStaticText, TWinControl)
 public:
  explicit TCustomStaticText(TComponent* AOwner);
  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment AValue);
  TStaticBorderStyle GetBorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TStaticBorderStyle AValue);
  TWinControl* GetFocusControl() const { return FFocusControl; }
  void SetFocusControl(TWinControl* AValue);
  bool GetShowAccelChar() const { return FShowAccelChar; }
  void SetShowAccelChar(bool AValue) { FShowAccelChar = AValue; TextChanged(); }
  bool GetTransparent() const { return FTransparent; }
  void SetTransparent(bool AValue);

 protected:
  void TextChanged() override;
  void Notification(TComponent* AComponent, TOperation AOperation) override;

 private:
  TWinControl* FFocusControl = nullptr;
  TAlignment FAlignment = taLeftJustify;
  TStaticBorderStyle FBorderStyle = sbsNone;
  bool FShowAccelChar = true;
  bool FTransparent = true;
};

class TStaticText : public TCustomStaticText {
  QEL_CLASS(TStaticText, TCustomStaticText)
 public:
  explicit TStaticText(TComponent* AOwner) : TCustomStaticText(AOwner) {}
};
