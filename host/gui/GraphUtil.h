// Host unit "GraphUtil": colour conversions between RGB, HLS and web notation, lighter and
// darker shades, and a few drawing helpers.
#pragma once

#include "host/core/UnitData.h"

#include "host/gui/Graphics.h"

// Hue, luminance and saturation each run from 0 to 240; a grey has hue 160 and saturation 0.
void ColorRGBToHLS(TColor AColor, uint16_t& Hue, uint16_t& Luminance, uint16_t& Saturation);
TColor ColorHLSToRGB(uint16_t Hue, uint16_t Luminance, uint16_t Saturation);
// The colour with its luminance moved by ALuma thousandths of the full range (AScale: of the
// distance to white for a positive ALuma, to black for a negative one).
TColor ColorAdjustLuma(TColor AColor, int ALuma, bool AScale);
// A lighter or darker shade: the luminance moved by ALuminance (of 240), clamped.
TColor GetHighLightColor(TColor AColor, int ALuminance = 19);
TColor GetShadowColor(TColor AColor, int ALuminance = -50);
// "#RRGGBB" of a colour (system colours by their RGB value) and back; WebColorStrToColor
// takes "#RRGGBB" or "RRGGBB" and raises EConvertError for anything else.
String ColorToWebColorStr(TColor AColor);
TColor WebColorStrToColor(const String& AWebColor);
// The web name of a colour ("red", "navy", …) or its "#RRGGBB" when it has none, and back
// (a name or "#RRGGBB"; EConvertError otherwise).
String ColorToWebColorName(TColor AColor);
TColor WebColorNameToColor(const String& AWebColorName);
// Fills ARect with a gradient from AStartColor to AEndColor.
void GradientFillCanvas(TCanvas* ACanvas, TColor AStartColor, TColor AEndColor, const TRect& ARect,
                        TGradientDirection ADirection);
// Draws an arrow pointing ADirection with its corner at ALocation, ASize pixels long.
void DrawArrow(TCanvas* ACanvas, TScrollDirection ADirection, const TPoint& ALocation, int ASize);
// Draws a check mark in the pen's colour in the ASize square at ALocation (two strokes at 45
// degrees, the short one a third of the size); AShadow draws it first in the button highlight
// colour one pixel lower right.
void DrawCheck(TCanvas* ACanvas, const TPoint& ALocation, int ASize, bool AShadow = true);
// Draws two arrowheads one behind the other pointing ADirection, in the ASize square at
// ALocation.
void DrawChevron(TCanvas* ACanvas, TScrollDirection ADirection, const TPoint& ALocation, int ASize);
