// The "Graphics" unit wrapper: colours, fonts, pens, brushes, canvases and pictures.
#include "host/gui/units/GuiWrappers.h"

namespace {

// Members whose host form needs a small adapter (records by value, optional arguments).
void CanvasFillRect(TCanvas* C, const TRect& R) { C->FillRect(R); }
void CanvasFrameRect(TCanvas* C, const TRect& R) { C->FrameRect(R); }
void CanvasTextRect(TCanvas* C, const TRect& R, int X, int Y, const String& S) { C->TextRect(R, X, Y, S); }
void CanvasStretchDraw(TCanvas* C, const TRect& R, TGraphic* G) { C->StretchDraw(R, G); }
void CanvasCopyRect(TCanvas* C, const TRect& D, TCanvas* S, const TRect& R) { C->CopyRect(D, S, R); }
TMetafileCanvas* NewMetafileCanvas(TClass, TMetafile* AMetafile, intptr_t AReference) {
  return new TMetafileCanvas(AMetafile, AReference);
}
TColor RGBOf(int R, int G, int B) { return (R & 0xFF) | ((G & 0xFF) << 8) | ((B & 0xFF) << 16); }
int GetRValue(TColor C) { return C & 0xFF; }
int GetGValue(TColor C) { return (C >> 8) & 0xFF; }
int GetBValue(TColor C) { return (C >> 16) & 0xFF; }
String ColorName(TColor C) { return ColorToString(C); }
TColor ColorOfName(std::u16string_view S) { return StringToColor(S); }
TColor ColorRGB(TColor C) { return ColorToRGB(C); }

template <TColor C>
void Color(TQelUnitMembers& M, std::u16string_view AName) {
  M.Constant<C>(AName);
}

}  // namespace

void TGraphicsObject_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TGraphicsObject> M(AData);
  M.Field<&TGraphicsObject::OnChange>(u"OnChange");
}

void TFont_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TFont> M(AData);
  M.Constructor();
  M.Property<&TFont::GetName, &TFont::SetName>(u"Name");
  M.Property<&TFont::GetSize, &TFont::SetSize>(u"Size");
  M.Property<&TFont::GetHeight, &TFont::SetHeight>(u"Height");
  M.Property<&TFont::GetColor, &TFont::SetColor>(u"Color");
  M.Property<&TFont::GetStyle, &TFont::SetStyle>(u"Style");
  M.Property<&TFont::GetPitch, &TFont::SetPitch>(u"Pitch");
  M.Property<&TFont::GetQuality, &TFont::SetQuality>(u"Quality");
  M.Property<&TFont::GetOrientation, &TFont::SetOrientation>(u"Orientation");
  M.Property<&TFont::GetPixelsPerInch>(u"PixelsPerInch");
}

void TPen_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TPen> M(AData);
  M.Constructor();
  M.Property<&TPen::GetColor, &TPen::SetColor>(u"Color");
  M.Property<&TPen::GetWidth, &TPen::SetWidth>(u"Width");
  M.Property<&TPen::GetStyle, &TPen::SetStyle>(u"Style");
  M.Property<&TPen::GetMode, &TPen::SetMode>(u"Mode");
}

void TBrush_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TBrush> M(AData);
  M.Constructor();
  M.Property<&TBrush::GetColor, &TBrush::SetColor>(u"Color");
  M.Property<&TBrush::GetStyle, &TBrush::SetStyle>(u"Style");
  M.Property<&TBrush::GetBitmap, &TBrush::SetBitmap>(u"Bitmap");
}

void TCustomCanvas_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TCustomCanvas> M(AData);
  M.Method<&TCustomCanvas::Lock>(u"Lock");
  M.Method<&TCustomCanvas::Unlock>(u"Unlock");
  M.Method<&TCustomCanvas::TryLock>(u"TryLock");
  M.Property<&TCustomCanvas::GetLockCount>(u"LockCount");
  M.Field<&TCustomCanvas::OnChange>(u"OnChange");
  M.Field<&TCustomCanvas::OnChanging>(u"OnChanging");
}

void TCanvas_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TCanvas> M(AData);
  M.Constructor();
  M.Property<&TCanvas::GetFont, &TCanvas::SetFont>(u"Font");
  M.Property<&TCanvas::GetPen, &TCanvas::SetPen>(u"Pen");
  M.Property<&TCanvas::GetBrush, &TCanvas::SetBrush>(u"Brush");
  M.Property<&TCanvas::GetPenPos, &TCanvas::SetPenPos>(u"PenPos");
  M.Property<&TCanvas::GetPixels, &TCanvas::SetPixels>(u"Pixels");
  M.Property<&TCanvas::GetClipRect>(u"ClipRect");
  M.Property<&TCanvas::GetHandleAllocated>(u"HandleAllocated");
  M.Property<&TCanvas::GetState>(u"CanvasState");
  M.Method<&TCanvas::MoveTo>(u"MoveTo");
  M.Method<&TCanvas::LineTo>(u"LineTo");
  M.Method<&TCanvas::Rectangle>(u"Rectangle");
  M.Method<&TCanvas::RoundRect>(u"RoundRect");
  M.Method<&TCanvas::Ellipse>(u"Ellipse");
  M.Method<&TCanvas::Arc>(u"Arc");
  M.Method<&TCanvas::Pie>(u"Pie");
  M.Method<&TCanvas::Chord>(u"Chord");
  M.Method<&CanvasFillRect>(u"FillRect");
  M.Method<&CanvasFrameRect>(u"FrameRect");
  M.Method<&TCanvas::FocusRect>(u"DrawFocusRect");
  M.Method<&TCanvas::TextOut>(u"TextOut");
  M.Method<&CanvasTextRect>(u"TextRect");
  M.Method<&TCanvas::TextWidth>(u"TextWidth");
  M.Method<&TCanvas::TextHeight>(u"TextHeight");
  M.Method<&TCanvas::TextExtent>(u"TextExtent");
  M.Method<&TCanvas::Draw>(u"Draw");
  M.Method<&CanvasStretchDraw>(u"StretchDraw");
  M.Method<&CanvasCopyRect>(u"CopyRect");
  M.Method<&TCanvas::FloodFill>(u"FloodFill");
  M.Method<&TCanvas::Refresh>(u"Refresh");
}

void TGraphic_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TGraphic> M(AData);
  M.Property<&TGraphic::GetWidth, &TGraphic::SetWidth>(u"Width");
  M.Property<&TGraphic::GetHeight, &TGraphic::SetHeight>(u"Height");
  M.Property<&TGraphic::GetEmpty>(u"Empty");
  M.Property<&TGraphic::GetTransparent, &TGraphic::SetTransparent>(u"Transparent");
  M.Property<&TGraphic::GetModified, &TGraphic::SetModified>(u"Modified");
  M.Method<&TGraphic::LoadFromFile>(u"LoadFromFile");
  M.Method<&TGraphic::SaveToFile>(u"SaveToFile");
  M.Method<&TGraphic::SetSize>(u"SetSize");
  M.Field<&TGraphic::OnChange>(u"OnChange");
}

void TBitmap_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TBitmap> M(AData);
  M.Constructor();
  M.Property<&TBitmap::GetCanvas>(u"Canvas");
  M.Property<&TBitmap::GetPixelFormat, &TBitmap::SetPixelFormat>(u"PixelFormat");
  M.Property<&TBitmap::GetTransparentColor, &TBitmap::SetTransparentColor>(u"TransparentColor");
  M.Property<&TBitmap::GetTransparentMode, &TBitmap::SetTransparentMode>(u"TransparentMode");
  M.Property<&TBitmap::GetMonochrome, &TBitmap::SetMonochrome>(u"Monochrome");
  M.Property<&TBitmap::GetAlphaFormat, &TBitmap::SetAlphaFormat>(u"AlphaFormat");
  M.Method<&TBitmap::Mask>(u"Mask");
}

void TImageGraphic_sw::RegisterMembers(TQelClassWrapperData&) {}

void TIcon_sw::RegisterMembers(TQelClassWrapperData& AData) { TQelMembers<TIcon>(AData).Constructor(); }

void TWICImage_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TWICImage> M(AData);
  M.Constructor();
  M.Property<&TWICImage::GetImageFormat, &TWICImage::SetImageFormat>(u"ImageFormat");
}

void TMetafile_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TMetafile> M(AData);
  M.Constructor();
  M.Method<&TMetafile::Clear>(u"Clear");
}

void TMetafileCanvas_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TMetafileCanvas>(AData).Constructor<&NewMetafileCanvas>();
}

void TPicture_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TPicture> M(AData);
  M.Constructor();
  M.Property<&TPicture::GetGraphic, &TPicture::SetGraphic>(u"Graphic");
  M.Property<&TPicture::GetBitmap, &TPicture::SetBitmap>(u"Bitmap");
  M.Property<&TPicture::GetIcon, &TPicture::SetIcon>(u"Icon");
  M.Property<&TPicture::GetMetafile, &TPicture::SetMetafile>(u"Metafile");
  M.Property<&TPicture::GetWidth>(u"Width");
  M.Property<&TPicture::GetHeight>(u"Height");
  M.Method<&TPicture::LoadFromFile>(u"LoadFromFile");
  M.Method<&TPicture::SaveToFile>(u"SaveToFile");
  M.Field<&TPicture::OnChange>(u"OnChange");
}

void TSharedImage_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TSharedImage>(AData).Property<&TSharedImage::GetRefCount>(u"RefCount");
}
void TBitmapImage_sw::RegisterMembers(TQelClassWrapperData&) {}
void TIconImage_sw::RegisterMembers(TQelClassWrapperData&) {}
void TMetafileImage_sw::RegisterMembers(TQelClassWrapperData&) {}

#define QEL_GRAPHICS_CLASSES                                                                                       \
  TGraphicsObject_sw, TFont_sw, TPen_sw, TBrush_sw, TCustomCanvas_sw, TCanvas_sw, TGraphic_sw, TBitmap_sw,         \
      TImageGraphic_sw, TIcon_sw, TWICImage_sw, TMetafile_sw, TMetafileCanvas_sw, TPicture_sw, TSharedImage_sw,   \
      TBitmapImage_sw, TIconImage_sw, TMetafileImage_sw, EInvalidGraphic_sw, EInvalidGraphicOperation_sw

void Graphics_sw::RegisterMembers(TQelUnitWrapperData& AData) {
  TQelUnitMembers M(AData);
  QelAddTypes<TFontStyle_sw, TFontStyles_sw, TFontPitch_sw, TFontQuality_sw, TPenStyle_sw, TPenMode_sw, TBrushStyle_sw,
              TFillStyle_sw, TFillMode_sw, TPixelFormat_sw, TTransparentMode_sw, TAlphaFormat_sw, TTextFormats_sw,
              TTextFormat_sw, TCanvasStates_sw, TCanvasState_sw, TWICImageFormat_sw, QEL_GRAPHICS_CLASSES>(M);
  M.Routine<&Rect>(u"Rect");
  M.Routine<&Bounds>(u"Bounds");
  M.Routine<&Point>(u"Point");
  M.Routine<&ColorName>(u"ColorToString");
  M.Routine<&ColorOfName>(u"StringToColor");
  M.Routine<&ColorRGB>(u"ColorToRGB");
  M.Routine<&RGBOf>(u"RGB");
  M.Routine<&GetRValue>(u"GetRValue");
  M.Routine<&GetGValue>(u"GetGValue");
  M.Routine<&GetBValue>(u"GetBValue");
  Color<clBlack>(M, u"clBlack");
  Color<clMaroon>(M, u"clMaroon");
  Color<clGreen>(M, u"clGreen");
  Color<clOlive>(M, u"clOlive");
  Color<clNavy>(M, u"clNavy");
  Color<clPurple>(M, u"clPurple");
  Color<clTeal>(M, u"clTeal");
  Color<clGray>(M, u"clGray");
  Color<clSilver>(M, u"clSilver");
  Color<clRed>(M, u"clRed");
  Color<clLime>(M, u"clLime");
  Color<clYellow>(M, u"clYellow");
  Color<clBlue>(M, u"clBlue");
  Color<clFuchsia>(M, u"clFuchsia");
  Color<clAqua>(M, u"clAqua");
  Color<clWhite>(M, u"clWhite");
  Color<clLtGray>(M, u"clLtGray");
  Color<clDkGray>(M, u"clDkGray");
  Color<clMoneyGreen>(M, u"clMoneyGreen");
  Color<clSkyBlue>(M, u"clSkyBlue");
  Color<clCream>(M, u"clCream");
  Color<clMedGray>(M, u"clMedGray");
  Color<clNone>(M, u"clNone");
  Color<clDefault>(M, u"clDefault");
  Color<clScrollBar>(M, u"clScrollBar");
  Color<clBackground>(M, u"clBackground");
  Color<clActiveCaption>(M, u"clActiveCaption");
  Color<clInactiveCaption>(M, u"clInactiveCaption");
  Color<clMenu>(M, u"clMenu");
  Color<clWindow>(M, u"clWindow");
  Color<clWindowFrame>(M, u"clWindowFrame");
  Color<clMenuText>(M, u"clMenuText");
  Color<clWindowText>(M, u"clWindowText");
  Color<clCaptionText>(M, u"clCaptionText");
  Color<clActiveBorder>(M, u"clActiveBorder");
  Color<clInactiveBorder>(M, u"clInactiveBorder");
  Color<clAppWorkSpace>(M, u"clAppWorkSpace");
  Color<clHighlight>(M, u"clHighlight");
  Color<clHighlightText>(M, u"clHighlightText");
  Color<clBtnFace>(M, u"clBtnFace");
  Color<clBtnShadow>(M, u"clBtnShadow");
  Color<clGrayText>(M, u"clGrayText");
  Color<clBtnText>(M, u"clBtnText");
  Color<clInactiveCaptionText>(M, u"clInactiveCaptionText");
  Color<clBtnHighlight>(M, u"clBtnHighlight");
  Color<cl3DDkShadow>(M, u"cl3DDkShadow");
  Color<cl3DLight>(M, u"cl3DLight");
  Color<clInfoText>(M, u"clInfoText");
  Color<clInfoBk>(M, u"clInfoBk");
  Color<clHotLight>(M, u"clHotLight");
  Color<clGradientActiveCaption>(M, u"clGradientActiveCaption");
  Color<clGradientInactiveCaption>(M, u"clGradientInactiveCaption");
  Color<clMenuHighlight>(M, u"clMenuHighlight");
  Color<clMenuBar>(M, u"clMenuBar");
}

void Graphics_sw::RegisterWrappers() {
  RegisterUnitWrapper(QelWrapperClass<Graphics_sw>());
  QelRegisterClassWrappers<QEL_GRAPHICS_CLASSES>();
}
