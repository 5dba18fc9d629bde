// The "Menus" unit wrapper: menu items, main and pop-up menus, shortcuts.
#include "host/gui/units/ActnWrappers.h"

namespace {

TShortCut MakeShortCut(uint16_t AKey, TShiftState AShift) { return ShortCut(AKey, AShift); }
String ShortCutText(TShortCut AShortCut) { return ShortCutToText(AShortCut); }
TShortCut ShortCutOfText(const String& AText) { return TextToShortCut(AText); }
String WithoutHotkey(const String& AText) { return StripHotkey(AText); }
void KeyOfShortCut(TShortCut AShortCut, uint16_t& AKey, TShiftState& AShift) { ShortCutToKey(AShortCut, AKey, AShift); }

}  // namespace

void TMenuItem_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TMenuItem> M(AData);
  M.Constructor();
  M.Property<&TMenuItem::GetCaption, &TMenuItem::SetCaption>(u"Caption");
  M.Property<&TMenuItem::GetChecked, &TMenuItem::SetChecked>(u"Checked");
  M.Property<&TMenuItem::GetEnabled, &TMenuItem::SetEnabled>(u"Enabled");
  M.Property<&TMenuItem::GetVisible, &TMenuItem::SetVisible>(u"Visible");
  M.Property<&TMenuItem::GetShortCut, &TMenuItem::SetShortCut>(u"ShortCut");
  M.Property<&TMenuItem::GetHint, &TMenuItem::SetHint>(u"Hint");
  M.Property<&TMenuItem::GetGroupIndex, &TMenuItem::SetGroupIndex>(u"GroupIndex");
  M.Property<&TMenuItem::GetRadioItem, &TMenuItem::SetRadioItem>(u"RadioItem");
  M.Property<&TMenuItem::GetAutoCheck, &TMenuItem::SetAutoCheck>(u"AutoCheck");
  M.Property<&TMenuItem::GetDefault, &TMenuItem::SetDefault>(u"Default");
  M.Property<&TMenuItem::GetBreak, &TMenuItem::SetBreak>(u"Break");
  M.Property<&TMenuItem::GetImageIndex, &TMenuItem::SetImageIndex>(u"ImageIndex");
  M.Property<&TMenuItem::GetCount>(u"Count");
  M.Property<&TMenuItem::GetItems>(u"Items", qpDefault);
  M.Property<&TMenuItem::GetParent>(u"Parent");
  M.Property<&TMenuItem::GetMenuIndex, &TMenuItem::SetMenuIndex>(u"MenuIndex");
  M.Method<&TMenuItem::Add>(u"Add");
  M.Method<&TMenuItem::Insert>(u"Insert");
  M.Method<&TMenuItem::Delete>(u"Delete");
  M.Method<&TMenuItem::Remove>(u"Remove");
  M.Method<&TMenuItem::Clear>(u"Clear");
  M.Method<&TMenuItem::IndexOf>(u"IndexOf");
  M.Method<&TMenuItem::Find>(u"Find");
  M.Method<&TMenuItem::IsLine>(u"IsLine");
  M.Method<&TMenuItem::Click>(u"Click");
  M.Field<&TMenuItem::OnClick>(u"OnClick");
  M.Property<&TMenuItem::GetAction, &TMenuItem::SetAction>(u"Action");
}

void TMenu_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TMenu> M(AData);
  M.Constructor();
  M.Property<&TMenu::GetItems>(u"Items");
  M.Property<&TMenu::GetAutoHotkeys, &TMenu::SetAutoHotkeys>(u"AutoHotkeys");
  M.Method<&TMenu::FindItem>(u"FindItem");
  M.Method<&TMenu::IsShortCut>(u"IsShortCut");
}

void TMainMenu_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TMainMenu> M(AData);
  M.Constructor();
  M.Property<&TMainMenu::GetAutoMerge, &TMainMenu::SetAutoMerge>(u"AutoMerge");
}

void TPopupMenu_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TPopupMenu> M(AData);
  M.Constructor();
  M.Method<&TPopupMenu::Popup>(u"Popup");
  M.Property<&TPopupMenu::GetAlignment, &TPopupMenu::SetAlignment>(u"Alignment");
  M.Property<&TPopupMenu::GetAutoPopup, &TPopupMenu::SetAutoPopup>(u"AutoPopup");
  M.Property<&TPopupMenu::GetTrackButton, &TPopupMenu::SetTrackButton>(u"TrackButton");
  M.Property<&TPopupMenu::GetPopupComponent, &TPopupMenu::SetPopupComponent>(u"PopupComponent");
  M.Field<&TPopupMenu::OnPopup>(u"OnPopup");
  M.Field<&TPopupMenu::OnClose>(u"OnClose");
}

#define QEL_MENUS_CLASSES TMenuItem_sw, TMenu_sw, TMainMenu_sw, TPopupMenu_sw, EMenuError_sw, TMenuActionLink_sw

void Menus_sw::RegisterMembers(TQelUnitWrapperData& AData) {
  TQelUnitMembers M(AData);
  QelAddTypes<TMenuBreak_sw, TPopupAlignment_sw, TTrackButton_sw, TMenuItemAutoFlag_sw, TShortCut_sw, QEL_MENUS_CLASSES>(M);
  M.Routine<&MakeShortCut>(u"ShortCut");
  M.Routine<&ShortCutText>(u"ShortCutToText");
  M.Routine<&ShortCutOfText>(u"TextToShortCut");
  M.Routine<&WithoutHotkey>(u"StripHotkey");
  M.Routine<&KeyOfShortCut>(u"ShortCutToKey");
  M.Constant<scShift>(u"scShift");
  M.Constant<scCtrl>(u"scCtrl");
  M.Constant<scAlt>(u"scAlt");
  M.Constant<scNone>(u"scNone");
}

void Menus_sw::RegisterWrappers() {
  RegisterUnitWrapper(QelWrapperClass<Menus_sw>());
  QelRegisterClassWrappers<QEL_MENUS_CLASSES>();
}
