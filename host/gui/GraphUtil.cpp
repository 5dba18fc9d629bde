// Colour conversions and drawing helpers.
#include <algorithm>
#include <cctype>

#include "host/core/SysUtils.h"
#include "host/gui/GraphUtil.h"
#include "host/gui/QelQt.h"

namespace {

constexpr int HlsMax = 240, RgbMax = 255, HueUndefined = HlsMax * 2 / 3;

int Red(TColor AColor) { return AColor & 0xFF; }
int Green(TColor AColor) { return (AColor >> 8) & 0xFF; }
int Blue(TColor AColor) { return (AColor >> 16) & 0xFF; }
TColor Rgb(int R, int G, int B) { return static_cast<TColor>(R | (G << 8) | (B << 16)); }

int HueToRgb(int N1, int N2, int AHue) {
  if (AHue < 0) AHue += HlsMax;
  if (AHue > HlsMax) AHue -= HlsMax;
  if (AHue < HlsMax / 6) return N1 + ((N2 - N1) * AHue + HlsMax / 12) / (HlsMax / 6);
  if (AHue < HlsMax / 2) return N2;
  if (AHue < HlsMax * 2 / 3)
    return N1 + ((N2 - N1) * (HlsMax * 2 / 3 - AHue) + HlsMax / 12) / (HlsMax / 6);
  return N1;
}

// The sixteen basic web colour names.
struct TWebName {
  std::u16string_view Name;
  TColor Color;
};
constexpr TWebName SWebNames[] = {
    {u"black", clBlack},   {u"silver", clSilver}, {u"gray", clGray},     {u"white", clWhite},
    {u"maroon", clMaroon}, {u"red", clRed},       {u"purple", clPurple}, {u"fuchsia", clFuchsia},
    {u"green", clGreen},   {u"lime", clLime},     {u"olive", clOlive},   {u"yellow", clYellow},
    {u"navy", clNavy},     {u"blue", clBlue},     {u"teal", clTeal},     {u"aqua", clAqua}};

int HexDigit(char16_t C) {
  if (C >= u'0' && C <= u'9') return C - u'0';
  if (C >= u'a' && C <= u'f') return C - u'a' + 10;
  if (C >= u'A' && C <= u'F') return C - u'A' + 10;
  return -1;
}

}  // namespace

void ColorRGBToHLS(TColor AColor, uint16_t& Hue, uint16_t& Luminance, uint16_t& Saturation) {
  const TColor rgb = ColorToRGB(AColor);
  const int r = Red(rgb), g = Green(rgb), b = Blue(rgb);
  const int cMax = std::max({r, g, b}), cMin = std::min({r, g, b});
  const int l = ((cMax + cMin) * HlsMax + RgbMax) / (2 * RgbMax);
  int h = HueUndefined, s = 0;
  if (cMax != cMin) {
    const int sum = cMax + cMin, delta = cMax - cMin;
    s = l <= HlsMax / 2 ? (delta * HlsMax + sum / 2) / sum
                        : (delta * HlsMax + (2 * RgbMax - sum) / 2) / (2 * RgbMax - sum);
    auto part = [&](int C) { return ((cMax - C) * (HlsMax / 6) + delta / 2) / delta; };
    if (r == cMax) h = part(b) - part(g);
    else if (g == cMax) h = HlsMax / 3 + part(r) - part(b);
    else h = HlsMax * 2 / 3 + part(g) - part(r);
    if (h < 0) h += HlsMax;
    if (h > HlsMax) h -= HlsMax;
  }
  Hue = static_cast<uint16_t>(h);
  Luminance = static_cast<uint16_t>(l);
  Saturation = static_cast<uint16_t>(s);
}

TColor ColorHLSToRGB(uint16_t Hue, uint16_t Luminance, uint16_t Saturation) {
  const int h = std::min<int>(Hue, HlsMax), l = std::min<int>(Luminance, HlsMax),
            s = std::min<int>(Saturation, HlsMax);
  if (s == 0) {
    const int v = l * RgbMax / HlsMax;
    return Rgb(v, v, v);
  }
  const int m2 = l <= HlsMax / 2 ? (l * (HlsMax + s) + HlsMax / 2) / HlsMax
                                 : l + s - (l * s + HlsMax / 2) / HlsMax;
  const int m1 = 2 * l - m2;
  auto channel = [&](int AHue) {
    return std::clamp((HueToRgb(m1, m2, AHue) * RgbMax + HlsMax / 2) / HlsMax, 0, 255);
  };
  return Rgb(channel(h + HlsMax / 3), channel(h), channel(h - HlsMax / 3));
}

TColor ColorAdjustLuma(TColor AColor, int ALuma, bool AScale) {
  if (ALuma == 0) return ColorToRGB(AColor);
  uint16_t h, l, s;
  ColorRGBToHLS(AColor, h, l, s);
  int luma = l;
  if (AScale) luma += ALuma > 0 ? (HlsMax - luma) * ALuma / 1000 : luma * ALuma / 1000;
  else luma += ALuma * HlsMax / 1000;
  return ColorHLSToRGB(h, static_cast<uint16_t>(std::clamp(luma, 0, HlsMax)), s);
}

namespace {
TColor ShiftLuminance(TColor AColor, int ALuminance) {
  if (AColor == clNone || AColor == clDefault) return AColor;
  uint16_t h, l, s;
  ColorRGBToHLS(AColor, h, l, s);
  return ColorHLSToRGB(h, static_cast<uint16_t>(std::clamp(l + ALuminance, 0, HlsMax)), s);
}
}  // namespace

TColor GetHighLightColor(TColor AColor, int ALuminance) {
  return ShiftLuminance(AColor, ALuminance);
}
TColor GetShadowColor(TColor AColor, int ALuminance) { return ShiftLuminance(AColor, ALuminance); }

String ColorToWebColorStr(TColor AColor) {
  const TColor rgb = ColorToRGB(AColor);
  static constexpr char16_t SHex[] = u"0123456789ABCDEF";
  String result = u"#";
  for (int channel : {Red(rgb), Green(rgb), Blue(rgb)}) {
    result += SHex[channel >> 4];
    result += SHex[channel & 15];
  }
  return result;
}

TColor WebColorStrToColor(const String& AWebColor) {
  std::u16string_view text = AWebColor;
  if (text.starts_with(u'#')) text.remove_prefix(1);
  int value[6];
  bool valid = text.size() == 6;
  for (size_t i = 0; valid && i < 6; ++i) valid = (value[i] = HexDigit(text[i])) >= 0;
  if (!valid)
    QelRaise<EConvertError>(
        Exception::FormatMessage(u"'%s' is not a valid web color", {AWebColor}));
  return Rgb(value[0] * 16 + value[1], value[2] * 16 + value[3], value[4] * 16 + value[5]);
}

String ColorToWebColorName(TColor AColor) {
  const TColor rgb = ColorToRGB(AColor);
  for (const TWebName& entry : SWebNames) {
    if (entry.Color == rgb) return String(entry.Name);
  }
  return ColorToWebColorStr(rgb);
}

TColor WebColorNameToColor(const String& AWebColorName) {
  for (const TWebName& entry : SWebNames) {
    if (SameText(entry.Name, AWebColorName)) return entry.Color;
  }
  return WebColorStrToColor(AWebColorName);
}

void GradientFillCanvas(TCanvas* ACanvas, TColor AStartColor, TColor AEndColor, const TRect& ARect,
                        TGradientDirection ADirection) {
  const TColor from = ColorToRGB(AStartColor), to = ColorToRGB(AEndColor);
  const int steps = ADirection == gdHorizontal ? ARect.Width() : ARect.Height();
  if (steps <= 0) return;
  TBrush* brush = ACanvas->GetBrush();
  const TColor savedColor = brush->GetColor();
  const TBrushStyle savedStyle = brush->GetStyle();
  brush->SetStyle(bsSolid);
  auto mix = [&](int AFrom, int ATo, int AStep) {
    return AFrom + (ATo - AFrom) * AStep / std::max(1, steps - 1);
  };
  for (int i = 0; i < steps; ++i) {
    brush->SetColor(Rgb(mix(Red(from), Red(to), i), mix(Green(from), Green(to), i),
                        mix(Blue(from), Blue(to), i)));
    ACanvas->FillRect(ADirection == gdHorizontal
                          ? TRect{ARect.Left + i, ARect.Top, ARect.Left + i + 1, ARect.Bottom}
                          : TRect{ARect.Left, ARect.Top + i, ARect.Right, ARect.Top + i + 1});
  }
  brush->SetColor(savedColor);
  brush->SetStyle(savedStyle);
}

// A solid triangle drawn as lines of the pen's colour, one per pixel of its length.
void DrawArrow(TCanvas* ACanvas, TScrollDirection ADirection, const TPoint& ALocation, int ASize) {
  const int x = ALocation.X, y = ALocation.Y;
  for (int i = 0; i < ASize; ++i) {
    const int half = ASize - 1 - i;
    switch (ADirection) {
      case sdDown:
        ACanvas->MoveTo(x + i, y + i);
        ACanvas->LineTo(x + 2 * ASize - 1 - i, y + i);
        break;
      case sdUp:
        ACanvas->MoveTo(x + half, y + i);
        ACanvas->LineTo(x + 2 * ASize - 1 - half, y + i);
        break;
      case sdRight:
        ACanvas->MoveTo(x + i, y + i);
        ACanvas->LineTo(x + i, y + 2 * ASize - 1 - i);
        break;
      case sdLeft:
        ACanvas->MoveTo(x + i, y + half);
        ACanvas->LineTo(x + i, y + 2 * ASize - 1 - half);
        break;
    }
  }
}

namespace {
void Polyline(TCanvas* ACanvas, std::initializer_list<TPoint> APoints) {
  auto it = APoints.begin();
  ACanvas->MoveTo(it->X, it->Y);
  for (++it; it != APoints.end(); ++it) ACanvas->LineTo(it->X, it->Y);
}
}  // namespace

void DrawCheck(TCanvas* ACanvas, const TPoint& ALocation, int ASize, bool AShadow) {
  if (ASize < 3) return;
  const int k = ASize / 3, last = ASize - 1;
  auto mark = [&](int X, int Y) {
    Polyline(ACanvas, {{X, Y + last - k}, {X + k, Y + last}, {X + last + 1, Y + k - 1}});
  };
  TPen* pen = ACanvas->GetPen();
  if (AShadow) {
    const TColor color = pen->GetColor();
    pen->SetColor(clBtnHighlight);
    mark(ALocation.X + 1, ALocation.Y + 1);
    pen->SetColor(color);
  }
  mark(ALocation.X, ALocation.Y);
}

void DrawChevron(TCanvas* ACanvas, TScrollDirection ADirection, const TPoint& ALocation,
                 int ASize) {
  const int h = ASize / 2, x = ALocation.X, y = ALocation.Y;
  for (int i = 0; i < 2; ++i) {
    const int o = 3 * i;
    switch (ADirection) {
      case sdDown:
        Polyline(ACanvas, {{x, y + o}, {x + h, y + o + h}, {x + 2 * h + 1, y + o - 1}});
        break;
      case sdUp:
        Polyline(ACanvas, {{x, y + o + h}, {x + h, y + o}, {x + 2 * h + 1, y + o + h + 1}});
        break;
      case sdRight:
        Polyline(ACanvas, {{x + o, y}, {x + o + h, y + h}, {x + o - 1, y + 2 * h + 1}});
        break;
      case sdLeft:
        Polyline(ACanvas, {{x + o + h, y}, {x + o, y + h}, {x + o + h + 1, y + 2 * h + 1}});
        break;
    }
  }
}
