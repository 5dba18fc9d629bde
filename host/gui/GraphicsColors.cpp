// Colours: the system colour scheme, names and conversions.
#include <array>
#include <string>

#include "host/gui/Graphics.h"

namespace {

// The fixed scheme system colours map to, by index (a light desktop theme).
constexpr std::array<TColor, 31> SSystemColors = {
    0xC8C8C8, 0x000000, 0xD1B499, 0xDBCDBF, 0xF0F0F0, 0xFFFFFF, 0x646464, 0x000000,
    0x000000, 0x000000, 0xB4B4B4, 0xFCF7F4, 0xABABAB, 0xD77800, 0xFFFFFF, 0xF0F0F0,
    0xA0A0A0, 0x6D6D6D, 0x000000, 0x000000, 0xFFFFFF, 0x696969, 0xE3E3E3, 0x000000,
    0xE1FFFF, 0x000000, 0xCC6600, 0xEAD1B9, 0xF2E4D7, 0xFF9933, 0xF0F0F0};

struct TColorName {
  TColor Value;
  std::u16string_view Name;
};

constexpr TColorName SColorNames[] = {
    {clBlack, u"clBlack"}, {clMaroon, u"clMaroon"}, {clGreen, u"clGreen"}, {clOlive, u"clOlive"},
    {clNavy, u"clNavy"}, {clPurple, u"clPurple"}, {clTeal, u"clTeal"}, {clGray, u"clGray"},
    {clSilver, u"clSilver"}, {clRed, u"clRed"}, {clLime, u"clLime"}, {clYellow, u"clYellow"},
    {clBlue, u"clBlue"}, {clFuchsia, u"clFuchsia"}, {clAqua, u"clAqua"}, {clWhite, u"clWhite"},
    {clMoneyGreen, u"clMoneyGreen"}, {clSkyBlue, u"clSkyBlue"}, {clCream, u"clCream"}, {clMedGray, u"clMedGray"},
    {clActiveBorder, u"clActiveBorder"}, {clActiveCaption, u"clActiveCaption"}, {clAppWorkSpace, u"clAppWorkSpace"},
    {clBackground, u"clBackground"}, {clBtnFace, u"clBtnFace"}, {clBtnHighlight, u"clBtnHighlight"},
    {clBtnShadow, u"clBtnShadow"}, {clBtnText, u"clBtnText"}, {clCaptionText, u"clCaptionText"},
    {clDefault, u"clDefault"}, {clGradientActiveCaption, u"clGradientActiveCaption"},
    {clGradientInactiveCaption, u"clGradientInactiveCaption"}, {clGrayText, u"clGrayText"},
    {clHighlight, u"clHighlight"}, {clHighlightText, u"clHighlightText"}, {clHotLight, u"clHotLight"},
    {clInactiveBorder, u"clInactiveBorder"}, {clInactiveCaption, u"clInactiveCaption"},
    {clInactiveCaptionText, u"clInactiveCaptionText"}, {clInfoBk, u"clInfoBk"}, {clInfoText, u"clInfoText"},
    {clMenu, u"clMenu"}, {clMenuBar, u"clMenuBar"}, {clMenuHighlight, u"clMenuHighlight"}, {clMenuText, u"clMenuText"},
    {clNone, u"clNone"}, {clScrollBar, u"clScrollBar"}, {cl3DDkShadow, u"cl3DDkShadow"}, {cl3DLight, u"cl3DLight"},
    {clWindow, u"clWindow"}, {clWindowFrame, u"clWindowFrame"}, {clWindowText, u"clWindowText"}};

}  // namespace

TColor ColorToRGB(TColor AColor) {
  if (AColor == clNone || AColor == clDefault) return clBlack;
  if ((static_cast<uint32_t>(AColor) & 0xFF000000u) == 0xFF000000u) {
    const uint32_t index = static_cast<uint32_t>(AColor) & 0xFFu;
    return index < SSystemColors.size() ? SSystemColors[index] : clBlack;
  }
  return AColor & 0xFFFFFF;
}

bool ColorToIdent(int32_t AColor, String& AIdent) {
  for (const TColorName& entry : SColorNames) {
    if (entry.Value == AColor) {
      AIdent = String(entry.Name);
      return true;
    }
  }
  return false;
}

bool IdentToColor(std::u16string_view AIdent, int32_t& AColor) {
  for (const TColorName& entry : SColorNames) {
    if (SameText(entry.Name, AIdent)) {
      AColor = entry.Value;
      return true;
    }
  }
  return false;
}

String ColorToString(TColor AColor) {
  String name;
  if (ColorToIdent(AColor, name)) return name;
  return u"$" + IntToHex(static_cast<uint32_t>(AColor), 8);
}

TColor StringToColor(std::u16string_view S) {
  int32_t color = 0;
  if (IdentToColor(S, color)) return color;
  return StrToInt(S);
}

uint32_t QelGraphics::ToQRgb(TColor AColor) {
  const uint32_t rgb = static_cast<uint32_t>(ColorToRGB(AColor));
  const uint32_t r = rgb & 0xFF, g = (rgb >> 8) & 0xFF, b = (rgb >> 16) & 0xFF;
  return 0xFF000000u | (r << 16) | (g << 8) | b;
}

TColor QelGraphics::FromQRgb(uint32_t ARgb) {
  const uint32_t r = (ARgb >> 16) & 0xFF, g = (ARgb >> 8) & 0xFF, b = ARgb & 0xFF;
  return static_cast<TColor>(r | (g << 8) | (b << 16));
}
