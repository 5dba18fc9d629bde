// The "ExtCtrls" radio groups, colour boxes, link labels and buttoned edits.
#include "host/gui/units/ExtWrappers.h"

void TCustomRadioGroup_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TCustomRadioGroup> M(AData);
  M.Constructor();
  M.Property<&TCustomRadioGroup::GetItems, &TCustomRadioGroup::SetItems>(u"Items", qpProtected);
  M.Property<&TCustomRadioGroup::GetItemIndex, &TCustomRadioGroup::SetItemIndex>(u"ItemIndex",
                                                                                 qpProtected);
  M.Property<&TCustomRadioGroup::GetColumns, &TCustomRadioGroup::SetColumns>(u"Columns",
                                                                             qpProtected);
  M.Property<&TCustomRadioGroup::GetWordWrap, &TCustomRadioGroup::SetWordWrap>(u"WordWrap",
                                                                               qpProtected);
  M.Property<&TCustomRadioGroup::GetButtons>(u"Buttons");
}

void TRadioGroup_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TRadioGroup> M(AData);
  M.Constructor();
  QelRedeclareWinControl(M);
  for (std::u16string_view name : {u"Items", u"ItemIndex", u"Columns", u"WordWrap"})
    M.Redeclare(name);
}

namespace {
// Members of both colour controls, each with its own host class.
template <class C>
void ColorMembers(TQelMembers<C>& M) {
  M.Constructor();
  M.template Property<&C::GetStyle, &C::SetStyle>(u"Style", qpProtected);
  M.template Property<&C::GetNoneColorColor, &C::SetNoneColorColor>(u"NoneColorColor", qpProtected);
  M.template Property<&C::GetDefaultColorColor, &C::SetDefaultColorColor>(u"DefaultColorColor",
                                                                          qpProtected);
  M.template Property<&C::GetSelected, &C::SetSelected>(u"Selected", qpProtected);
  M.template Field<&C::OnGetColors>(u"OnGetColors", qpProtected);
  M.template Property<&C::GetColors>(u"Colors");
  M.template Property<&C::GetColorNames>(u"ColorNames");
  M.template Method<&C::PopulateList>(u"PopulateList");
}
constexpr std::u16string_view SColorPublished[] = {
    u"Style", u"NoneColorColor", u"DefaultColorColor", u"Selected", u"OnGetColors"};
}  // namespace

void TCustomColorBox_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TCustomColorBox> M(AData);
  ColorMembers(M);
}

void TColorBox_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TColorBox> M(AData);
  M.Constructor();
  QelRedeclareWinControl(M);
  QelRedeclare(M, SColorPublished);
  for (std::u16string_view name :
       {u"Text", u"DropDownCount", u"OnChange", u"OnSelect", u"OnDropDown", u"OnCloseUp"})
    M.Redeclare(name);
}

void TCustomColorListBox_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TCustomColorListBox> M(AData);
  ColorMembers(M);
}

void TColorListBox_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TColorListBox> M(AData);
  M.Constructor();
  QelRedeclareWinControl(M);
  QelRedeclare(M, SColorPublished);
}

void TCustomLinkLabel_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TCustomLinkLabel> M(AData);
  M.Constructor();
  M.Property<&TCustomLinkLabel::GetAlignment, &TCustomLinkLabel::SetAlignment>(u"Alignment",
                                                                               qpProtected);
  M.Property<&TCustomLinkLabel::GetUseVisualStyle, &TCustomLinkLabel::SetUseVisualStyle>(
      u"UseVisualStyle", qpProtected);
  M.Field<&TCustomLinkLabel::OnLinkClick>(u"OnLinkClick", qpProtected);
}

void TLinkLabel_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TLinkLabel> M(AData);
  M.Constructor();
  QelRedeclareWinControl(M);
  for (std::u16string_view name : {u"Alignment", u"UseVisualStyle", u"OnLinkClick"})
    M.Redeclare(name);
}

void TEditButton_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TEditButton> M(AData);
  M.Property<&TEditButton::GetVisible, &TEditButton::SetVisible>(u"Visible");
  M.Property<&TEditButton::GetEnabled, &TEditButton::SetEnabled>(u"Enabled");
  M.Property<&TEditButton::GetHint, &TEditButton::SetHint>(u"Hint");
  M.Property<&TEditButton::GetImageIndex, &TEditButton::SetImageIndex>(u"ImageIndex");
  M.Property<&TEditButton::GetDisabledImageIndex, &TEditButton::SetDisabledImageIndex>(
      u"DisabledImageIndex");
  M.Property<&TEditButton::GetHotImageIndex, &TEditButton::SetHotImageIndex>(u"HotImageIndex");
  M.Property<&TEditButton::GetPressedImageIndex, &TEditButton::SetPressedImageIndex>(
      u"PressedImageIndex");
  M.Property<&TEditButton::GetDropDownMenu, &TEditButton::SetDropDownMenu>(u"DropDownMenu");
}

void TCustomButtonedEdit_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TCustomButtonedEdit> M(AData);
  M.Constructor();
  M.Property<&TCustomButtonedEdit::GetImages, &TCustomButtonedEdit::SetImages>(u"Images",
                                                                               qpProtected);
  M.Property<&TCustomButtonedEdit::GetLeftButton, &TCustomButtonedEdit::SetLeftButton>(
      u"LeftButton", qpProtected);
  M.Property<&TCustomButtonedEdit::GetRightButton, &TCustomButtonedEdit::SetRightButton>(
      u"RightButton", qpProtected);
  M.Field<&TCustomButtonedEdit::OnLeftButtonClick>(u"OnLeftButtonClick", qpProtected);
  M.Field<&TCustomButtonedEdit::OnRightButtonClick>(u"OnRightButtonClick", qpProtected);
}

void TButtonedEdit_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TButtonedEdit> M(AData);
  M.Constructor();
  QelRedeclareWinControl(M);
  for (std::u16string_view name :
       {u"Images", u"LeftButton", u"RightButton", u"OnLeftButtonClick", u"OnRightButtonClick",
        u"Text", u"MaxLength", u"ReadOnly", u"PasswordChar", u"CharCase", u"TextHint", u"OnChange"})
    M.Redeclare(name);
}
