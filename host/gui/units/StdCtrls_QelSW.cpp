// The "StdCtrls" unit wrapper: labels, edits, memos, buttons, check boxes, lists, group boxes.
#include "host/gui/units/GuiWrappers.h"

void TCustomLabel_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TCustomLabel> M(AData);
  M.Constructor();
  M.Property<&TCustomLabel::GetAlignment, &TCustomLabel::SetAlignment>(u"Alignment", qpProtected);
  M.Property<&TCustomLabel::GetLayout, &TCustomLabel::SetLayout>(u"Layout", qpProtected);
  M.Property<&TCustomLabel::GetWordWrap, &TCustomLabel::SetWordWrap>(u"WordWrap", qpProtected);
  M.Property<&TCustomLabel::GetTransparent, &TCustomLabel::SetTransparent>(u"Transparent", qpProtected);
  M.Property<&TCustomLabel::GetFocusControl, &TCustomLabel::SetFocusControl>(u"FocusControl", qpProtected);
  M.Property<&TCustomLabel::GetShowAccelChar, &TCustomLabel::SetShowAccelChar>(u"ShowAccelChar", qpProtected);
}

void TLabel_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TLabel> M(AData);
  M.Constructor();
  QelRedeclare(M, SGraphicControlPublished);
  for (std::u16string_view name : {u"Alignment", u"Layout", u"WordWrap", u"Transparent", u"FocusControl", u"ShowAccelChar"})
    M.Redeclare(name);
}

void TCustomEdit_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TCustomEdit> M(AData);
  M.Constructor();
  M.Property<&TCustomEdit::GetMaxLength, &TCustomEdit::SetMaxLength>(u"MaxLength", qpProtected);
  M.Property<&TCustomEdit::GetReadOnly, &TCustomEdit::SetReadOnly>(u"ReadOnly", qpProtected);
  M.Property<&TCustomEdit::GetPasswordChar, &TCustomEdit::SetPasswordChar>(u"PasswordChar", qpProtected);
  M.Property<&TCustomEdit::GetCharCase, &TCustomEdit::SetCharCase>(u"CharCase", qpProtected);
  M.Property<&TCustomEdit::GetTextHint, &TCustomEdit::SetTextHint>(u"TextHint", qpProtected);
  M.Property<&TCustomEdit::GetNumbersOnly, &TCustomEdit::SetNumbersOnly>(u"NumbersOnly", qpProtected);
  M.Property<&TCustomEdit::GetAutoSelect, &TCustomEdit::SetAutoSelect>(u"AutoSelect", qpProtected);
  M.Field<&TCustomEdit::OnChange>(u"OnChange", qpProtected);
  M.Property<&TCustomEdit::GetModified, &TCustomEdit::SetModified>(u"Modified");
  M.Property<&TCustomEdit::GetSelStart, &TCustomEdit::SetSelStart>(u"SelStart");
  M.Property<&TCustomEdit::GetSelLength, &TCustomEdit::SetSelLength>(u"SelLength");
  M.Property<&TCustomEdit::GetSelText, &TCustomEdit::SetSelText>(u"SelText");
  M.Property<&TCustomEdit::GetCanUndo>(u"CanUndo");
  M.Method<&TCustomEdit::Clear>(u"Clear");
  M.Method<&TCustomEdit::SelectAll>(u"SelectAll");
  M.Method<&TCustomEdit::ClearSelection>(u"ClearSelection");
  M.Method<&TCustomEdit::CopyToClipboard>(u"CopyToClipboard");
  M.Method<&TCustomEdit::CutToClipboard>(u"CutToClipboard");
  M.Method<&TCustomEdit::PasteFromClipboard>(u"PasteFromClipboard");
  M.Method<&TCustomEdit::Undo>(u"Undo");
}

constexpr std::u16string_view SEditPublished[] = {u"Text", u"MaxLength", u"ReadOnly", u"CharCase", u"TextHint", u"OnChange"};

void TEdit_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TEdit> M(AData);
  M.Constructor();
  QelRedeclareWinControl(M);
  QelRedeclare(M, SEditPublished);
  for (std::u16string_view name : {u"PasswordChar", u"NumbersOnly", u"AutoSelect"}) M.Redeclare(name);
}

void TCustomMemo_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TCustomMemo> M(AData);
  M.Constructor();
  M.Property<&TCustomMemo::GetLines, &TCustomMemo::SetLines>(u"Lines");
  M.Property<&TCustomMemo::GetCaretPos, &TCustomMemo::SetCaretPos>(u"CaretPos");
  M.Property<&TCustomMemo::GetWantTabs, &TCustomMemo::SetWantTabs>(u"WantTabs", qpProtected);
  M.Property<&TCustomMemo::GetWantReturns, &TCustomMemo::SetWantReturns>(u"WantReturns", qpProtected);
  M.Property<&TCustomMemo::GetWordWrap, &TCustomMemo::SetWordWrap>(u"WordWrap", qpProtected);
  M.Property<&TCustomMemo::GetScrollBars, &TCustomMemo::SetScrollBars>(u"ScrollBars", qpProtected);
  M.Property<&TCustomMemo::GetAlignment, &TCustomMemo::SetAlignment>(u"Alignment", qpProtected);
}

void TMemo_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TMemo> M(AData);
  M.Constructor();
  QelRedeclareWinControl(M);
  QelRedeclare(M, SEditPublished);
  for (std::u16string_view name : {u"WantTabs", u"WantReturns", u"WordWrap", u"ScrollBars", u"Alignment"}) M.Redeclare(name);
}

void TButtonControl_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TButtonControl> M(AData);
  M.Property<&TButtonControl::GetWordWrap, &TButtonControl::SetWordWrap>(u"WordWrap", qpProtected);
}

void TCustomButton_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TCustomButton> M(AData);
  M.Constructor();
  M.Property<&TCustomButton::GetModalResult, &TCustomButton::SetModalResult>(u"ModalResult");
  M.Property<&TCustomButton::GetDefault, &TCustomButton::SetDefault>(u"Default");
  M.Property<&TCustomButton::GetCancel, &TCustomButton::SetCancel>(u"Cancel");
}

void TButton_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TButton> M(AData);
  M.Constructor();
  QelRedeclareWinControl(M);
  M.Redeclare(u"WordWrap");
}

void TCustomCheckBox_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TCustomCheckBox> M(AData);
  M.Constructor();
  M.Property<&TCustomCheckBox::GetChecked, &TCustomCheckBox::SetChecked>(u"Checked");
  M.Property<&TCustomCheckBox::GetState, &TCustomCheckBox::SetState>(u"State", qpProtected);
  M.Property<&TCustomCheckBox::GetAllowGrayed, &TCustomCheckBox::SetAllowGrayed>(u"AllowGrayed", qpProtected);
  M.Property<&TCustomCheckBox::GetAlignment, &TCustomCheckBox::SetAlignment>(u"Alignment", qpProtected);
}

void TCheckBox_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TCheckBox> M(AData);
  M.Constructor();
  QelRedeclareWinControl(M);
  for (std::u16string_view name : {u"State", u"AllowGrayed", u"Alignment", u"WordWrap"}) M.Redeclare(name);
}

void TRadioButton_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TRadioButton> M(AData);
  M.Constructor();
  M.Property<&TRadioButton::GetChecked, &TRadioButton::SetChecked>(u"Checked");
  M.Property<&TRadioButton::GetAlignment, &TRadioButton::SetAlignment>(u"Alignment");
  QelRedeclareWinControl(M);
  M.Redeclare(u"WordWrap");
}

void TCustomListBox_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TCustomListBox> M(AData);
  M.Constructor();
  M.Property<&TCustomListBox::GetItems, &TCustomListBox::SetItems>(u"Items");
  M.Property<&TCustomListBox::GetCount>(u"Count");
  M.Property<&TCustomListBox::GetSelected, &TCustomListBox::SetSelected>(u"Selected");
  M.Property<&TCustomListBox::GetTopIndex, &TCustomListBox::SetTopIndex>(u"TopIndex");
  M.Property<&TCustomListBox::GetItemHeight>(u"ItemHeight");
  M.Property<&TCustomListBox::GetSorted, &TCustomListBox::SetSorted>(u"Sorted", qpProtected);
  M.Property<&TCustomListBox::GetStyle, &TCustomListBox::SetStyle>(u"Style", qpProtected);
  M.Property<&TCustomListBox::GetColumns, &TCustomListBox::SetColumns>(u"Columns", qpProtected);
  M.Property<&TCustomListBox::GetExtendedSelect, &TCustomListBox::SetExtendedSelect>(u"ExtendedSelect", qpProtected);
  M.Method<&TCustomListBox::ItemAtPos>(u"ItemAtPos");
  M.Method<&TCustomListBox::ItemRect>(u"ItemRect");
}

void TListBox_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TListBox> M(AData);
  M.Constructor();
  QelRedeclareWinControl(M);
  for (std::u16string_view name : {u"Sorted", u"Style", u"Columns", u"ExtendedSelect"}) M.Redeclare(name);
}

void TCustomCombo_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TCustomCombo> M(AData);
  M.Property<&TCustomCombo::GetItems, &TCustomCombo::SetItems>(u"Items");
  M.Property<&TCustomCombo::GetCount>(u"Count");
  M.Property<&TCustomCombo::GetDroppedDown, &TCustomCombo::SetDroppedDown>(u"DroppedDown");
  M.Property<&TCustomCombo::GetSelStart, &TCustomCombo::SetSelStart>(u"SelStart");
  M.Property<&TCustomCombo::GetSelLength, &TCustomCombo::SetSelLength>(u"SelLength");
  M.Property<&TCustomCombo::GetSelText>(u"SelText");
  M.Property<&TCustomCombo::GetDropDownCount, &TCustomCombo::SetDropDownCount>(u"DropDownCount", qpProtected);
  M.Property<&TCustomCombo::GetMaxLength, &TCustomCombo::SetMaxLength>(u"MaxLength", qpProtected);
  M.Field<&TCustomCombo::OnChange>(u"OnChange", qpProtected);
  M.Field<&TCustomCombo::OnSelect>(u"OnSelect", qpProtected);
  M.Field<&TCustomCombo::OnDropDown>(u"OnDropDown", qpProtected);
  M.Field<&TCustomCombo::OnCloseUp>(u"OnCloseUp", qpProtected);
}

void TCustomComboBox_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TCustomComboBox> M(AData);
  M.Constructor();
  M.Property<&TCustomComboBox::GetStyle, &TCustomComboBox::SetStyle>(u"Style", qpProtected);
  M.Property<&TCustomComboBox::GetSorted, &TCustomComboBox::SetSorted>(u"Sorted", qpProtected);
  M.Property<&TCustomComboBox::GetCharCase, &TCustomComboBox::SetCharCase>(u"CharCase", qpProtected);
  M.Property<&TCustomComboBox::GetAutoComplete, &TCustomComboBox::SetAutoComplete>(u"AutoComplete");
}

void TComboBox_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TComboBox> M(AData);
  M.Constructor();
  QelRedeclareWinControl(M);
  for (std::u16string_view name : {u"Text", u"Style", u"Sorted", u"CharCase", u"DropDownCount", u"MaxLength", u"OnChange",
                                   u"OnSelect", u"OnDropDown", u"OnCloseUp"})
    M.Redeclare(name);
}

void TCustomGroupBox_sw::RegisterMembers(TQelClassWrapperData& AData) { TQelMembers<TCustomGroupBox>(AData).Constructor(); }

void TGroupBox_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TGroupBox> M(AData);
  M.Constructor();
  QelRedeclareWinControl(M);
}

#define QEL_STDCTRLS_CLASSES                                                                                        \
  TCustomLabel_sw, TLabel_sw, TCustomEdit_sw, TEdit_sw, TCustomMemo_sw, TMemo_sw, TButtonControl_sw,                \
      TCustomButton_sw, TButton_sw, TCustomCheckBox_sw, TCheckBox_sw, TRadioButton_sw, TCustomListBox_sw, TListBox_sw, \
      TCustomCombo_sw, TCustomComboBox_sw, TComboBox_sw, TCustomGroupBox_sw, TGroupBox_sw, TScrollBar_sw, TCustomStaticText_sw, TStaticText_sw

void StdCtrls_sw::RegisterMembers(TQelUnitWrapperData& AData) {
  TQelUnitMembers M(AData);
  QelAddTypes<TEditCharCase_sw, TScrollStyle_sw, TCheckBoxState_sw, TTextLayout_sw, TAlignment_sw, TListBoxStyle_sw,
              TComboBoxStyle_sw, TStaticBorderStyle_sw, TScrollEvent_sw, QEL_STDCTRLS_CLASSES>(M);
}

void StdCtrls_sw::RegisterWrappers() {
  RegisterUnitWrapper(QelWrapperClass<StdCtrls_sw>());
  QelRegisterClassWrappers<QEL_STDCTRLS_CLASSES>();
  QelRegisterEventWrappers<TScrollEvent_sw>();
}
