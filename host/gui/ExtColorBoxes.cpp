// Colour boxes and colour list boxes.
#include "host/gui/ExtCtrls.h"
#include "host/gui/QelQt.h"

namespace {

constexpr std::u16string_view SStandardColors[] = {
    u"clBlack", u"clMaroon",  u"clGreen",  u"clOlive", u"clNavy", u"clPurple",
    u"clTeal",  u"clGray",    u"clSilver", u"clRed",   u"clLime", u"clYellow",
    u"clBlue",  u"clFuchsia", u"clAqua",   u"clWhite"};
constexpr std::u16string_view SExtendedColors[] = {u"clMoneyGreen", u"clSkyBlue", u"clCream",
                                                   u"clMedGray"};
constexpr std::u16string_view SSystemColors[] = {u"clActiveBorder",
                                                 u"clActiveCaption",
                                                 u"clAppWorkSpace",
                                                 u"clBackground",
                                                 u"clBtnFace",
                                                 u"clBtnHighlight",
                                                 u"clBtnShadow",
                                                 u"clBtnText",
                                                 u"clCaptionText",
                                                 u"clGradientActiveCaption",
                                                 u"clGradientInactiveCaption",
                                                 u"clGrayText",
                                                 u"clHighlight",
                                                 u"clHighlightText",
                                                 u"clHotLight",
                                                 u"clInactiveBorder",
                                                 u"clInactiveCaption",
                                                 u"clInactiveCaptionText",
                                                 u"clInfoBk",
                                                 u"clInfoText",
                                                 u"clMenu",
                                                 u"clMenuBar",
                                                 u"clMenuHighlight",
                                                 u"clMenuText",
                                                 u"clScrollBar",
                                                 u"cl3DDkShadow",
                                                 u"cl3DLight",
                                                 u"clWindow",
                                                 u"clWindowFrame",
                                                 u"clWindowText"};

}  // namespace

template <class F>
void TQelColorList::Fill(TColorBoxStyle AStyle, TColor ANoneColor, TColor ADefaultColor,
                         TStrings* AItems, F&& AGetColors) {
  Colors.clear();
  Names.clear();
  const bool pretty = AStyle.Contains(cbPrettyNames);
  auto add = [&](TColor AColor, std::u16string_view AName) {
    Colors.push_back(AColor);
    Names.emplace_back(pretty && AName.starts_with(u"cl") ? AName.substr(2) : AName);
  };
  auto addNamed = [&](std::u16string_view AName) {
    int32_t color = 0;
    IdentToColor(AName, color);
    add(color, AName);
  };
  if (AStyle.Contains(cbCustomColor)) add(clBlack, u"Custom...");
  if (AStyle.Contains(cbIncludeNone)) add(ANoneColor, u"clNone");
  if (AStyle.Contains(cbIncludeDefault)) add(ADefaultColor, u"clDefault");
  if (AStyle.Contains(cbStandardColors))
    for (auto name : SStandardColors) addNamed(name);
  if (AStyle.Contains(cbExtendedColors))
    for (auto name : SExtendedColors) addNamed(name);
  if (AStyle.Contains(cbSystemColors))
    for (auto name : SSystemColors) addNamed(name);
  if (AStyle.Contains(cbCustomColors)) {
    TStringList extra;
    AGetColors(&extra);
    for (int i = 0; i < extra.GetCount(); ++i) {
      const String name = extra.GetNames(i);
      if (name.empty()) continue;
      // A line that names no colour raises EConvertError, as StringToColor does.
      add(StringToColor(extra.GetValueFromIndex(i)), name);
    }
  }
  AItems->BeginUpdate();
  AItems->Clear();
  for (const String& name : Names) AItems->Add(name);
  AItems->EndUpdate();
}

int TQelColorList::IndexOf(TColor AColor) const {
  for (size_t i = 0; i < Colors.size(); ++i) {
    if (Colors[i] == AColor) return static_cast<int>(i);
  }
  return -1;
}

TColor TQelColorList::Color(int AIndex) const {
  if (AIndex < 0 || AIndex >= static_cast<int>(Colors.size())) QelRaiseListIndex(AIndex);
  return Colors[static_cast<size_t>(AIndex)];
}

const String& TQelColorList::Name(int AIndex) const {
  if (AIndex < 0 || AIndex >= static_cast<int>(Names.size())) QelRaiseListIndex(AIndex);
  return Names[static_cast<size_t>(AIndex)];
}

int TQelColorList::Select(TColor AColor, TColorBoxStyle AStyle, TStrings*) {
  const bool custom = AStyle.Contains(cbCustomColor) && !Colors.empty();
  // The custom entry matches only as the last resort.
  for (size_t i = custom ? 1 : 0; i < Colors.size(); ++i) {
    if (Colors[i] == AColor) return static_cast<int>(i);
  }
  if (!custom) return -1;
  Colors[0] = AColor;
  return 0;
}

// ---- colour boxes ---------------------------------------------------------------

TCustomColorBox::TCustomColorBox(TComponent* AOwner) : TCustomComboBox(AOwner) {
  TCustomComboBox::SetStyle(csDropDownList);
  PopulateList();
}

void TCustomColorBox::PopulateList() {
  const TColor selected = GetItemIndex() >= 0 ? GetSelected() : clBlack;
  FList.Fill(FStyle, FNoneColor, FDefaultColor, GetItems(),
             [this](TStrings* AItems) { OnGetColors(this, AItems); });
  if (FList.IndexOf(selected) >= 0) SetSelected(selected);
}

TColor TCustomColorBox::GetSelected() const {
  const int index = GetItemIndex();
  return index >= 0 && index < static_cast<int>(FList.Colors.size())
             ? FList.Colors[static_cast<size_t>(index)]
             : clBlack;
}

void TCustomColorBox::SetSelected(TColor AValue) {
  SetItemIndex(FList.Select(AValue, FStyle, GetItems()));
}

// ---- colour list boxes ------------------------------------------------------------

TCustomColorListBox::TCustomColorListBox(TComponent* AOwner) : TCustomListBox(AOwner) {
  PopulateList();
}

void TCustomColorListBox::PopulateList() {
  const TColor selected = GetItemIndex() >= 0 ? GetSelected() : clBlack;
  FList.Fill(FStyle, FNoneColor, FDefaultColor, GetItems(),
             [this](TStrings* AItems) { OnGetColors(this, AItems); });
  if (FList.IndexOf(selected) >= 0) SetSelected(selected);
}

TColor TCustomColorListBox::GetSelected() const {
  const int index = GetItemIndex();
  return index >= 0 && index < static_cast<int>(FList.Colors.size())
             ? FList.Colors[static_cast<size_t>(index)]
             : clBlack;
}

void TCustomColorListBox::SetSelected(TColor AValue) {
  SetItemIndex(FList.Select(AValue, FStyle, GetItems()));
}
