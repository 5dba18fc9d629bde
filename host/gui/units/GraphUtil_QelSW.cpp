// The "GraphUtil" unit wrapper: colour conversions and drawing helpers.
#include "host/gui/units/ExtWrappers.h"

namespace {
// The host routines have default arguments; a routine pointer needs one signature.
TColor HighLight(TColor AColor, int ALuminance) { return GetHighLightColor(AColor, ALuminance); }
TColor Shadow(TColor AColor, int ALuminance) { return GetShadowColor(AColor, ALuminance); }
}  // namespace

void GraphUtil_sw::RegisterMembers(TQelUnitWrapperData& AData) {
  TQelUnitMembers M(AData);
  M.Routine<&ColorRGBToHLS>(u"ColorRGBToHLS");
  M.Routine<&ColorHLSToRGB>(u"ColorHLSToRGB");
  M.Routine<&ColorAdjustLuma>(u"ColorAdjustLuma");
  M.Routine<&HighLight, QelDefaults<19>>(u"GetHighLightColor");
  M.Routine<&Shadow, QelDefaults<-50>>(u"GetShadowColor");
  M.Routine<&ColorToWebColorStr>(u"ColorToWebColorStr");
  M.Routine<&WebColorStrToColor>(u"WebColorStrToColor");
  M.Routine<&ColorToWebColorName>(u"ColorToWebColorName");
  M.Routine<&WebColorNameToColor>(u"WebColorNameToColor");
  M.Routine<&GradientFillCanvas>(u"GradientFillCanvas");
  M.Routine<&DrawArrow>(u"DrawArrow");
  M.Routine<&DrawCheck, QelDefaults<true>>(u"DrawCheck");
  M.Routine<&DrawChevron>(u"DrawChevron");
}

void GraphUtil_sw::RegisterWrappers() { RegisterUnitWrapper(QelWrapperClass<GraphUtil_sw>()); }
