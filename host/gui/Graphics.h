// Host unit "Graphics": colours, fonts, pens, brushes, canvases and pictures.
//
// Drawing goes through Qt's QPainter: a bitmap's canvas paints into its image at once, a
// control's canvas paints while the control handles its paint event (outside one, drawing on
// a control is ignored, as it would be erased by the next paint anyway). Qt types stay out of
// this header.
#pragma once

#include "host/core/UnitData.h"

#include <memory>

#include "host/core/Classes.h"
#include "host/gui/GuiTypes.h"

class QImage;
class QPainter;
class QPaintDevice;
class QPicture;
class QFont;

// ---------------------------------------------------------------------------
// Colours: $00BBGGRR, or a system colour (clSystemColor or'ed with its index)

using TColor = int32_t;

inline constexpr TColor clSystemColor = static_cast<TColor>(0xFF000000u);
inline constexpr TColor clScrollBar = clSystemColor | 0;
inline constexpr TColor clBackground = clSystemColor | 1;
inline constexpr TColor clActiveCaption = clSystemColor | 2;
inline constexpr TColor clInactiveCaption = clSystemColor | 3;
inline constexpr TColor clMenu = clSystemColor | 4;
inline constexpr TColor clWindow = clSystemColor | 5;
inline constexpr TColor clWindowFrame = clSystemColor | 6;
inline constexpr TColor clMenuText = clSystemColor | 7;
inline constexpr TColor clWindowText = clSystemColor | 8;
inline constexpr TColor clCaptionText = clSystemColor | 9;
inline constexpr TColor clActiveBorder = clSystemColor | 10;
inline constexpr TColor clInactiveBorder = clSystemColor | 11;
inline constexpr TColor clAppWorkSpace = clSystemColor | 12;
inline constexpr TColor clHighlight = clSystemColor | 13;
inline constexpr TColor clHighlightText = clSystemColor | 14;
inline constexpr TColor clBtnFace = clSystemColor | 15;
inline constexpr TColor clBtnShadow = clSystemColor | 16;
inline constexpr TColor clGrayText = clSystemColor | 17;
inline constexpr TColor clBtnText = clSystemColor | 18;
inline constexpr TColor clInactiveCaptionText = clSystemColor | 19;
inline constexpr TColor clBtnHighlight = clSystemColor | 20;
inline constexpr TColor cl3DDkShadow = clSystemColor | 21;
inline constexpr TColor cl3DLight = clSystemColor | 22;
inline constexpr TColor clInfoText = clSystemColor | 23;
inline constexpr TColor clInfoBk = clSystemColor | 24;
inline constexpr TColor clHotLight = clSystemColor | 26;
inline constexpr TColor clGradientActiveCaption = clSystemColor | 27;
inline constexpr TColor clGradientInactiveCaption = clSystemColor | 28;
inline constexpr TColor clMenuHighlight = clSystemColor | 29;
inline constexpr TColor clMenuBar = clSystemColor | 30;

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clMaroon = 0x000080;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clOlive = 0x008080;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clPurple = 0x800080;
inline constexpr TColor clTeal = 0x808000;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clLime = 0x00FF00;
inline constexpr TColor clYellow = 0x00FFFF;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clFuchsia = 0xFF00FF;
inline constexpr TColor clAqua = 0xFFFF00;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clLtGray = 0xC0C0C0;
inline constexpr TColor clDkGray = 0x808080;
inline constexpr TColor clMoneyGreen = 0xC0DCC0;
inline constexpr TColor clSkyBlue = 0xF0CAA6;
inline constexpr TColor clCream = 0xF0FBFF;
inline constexpr TColor clMedGray = 0xA4A0A0;
inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor clDefault = 0x20000000;

// The RGB value of a colour: system colours map to this library's fixed scheme (so drawing is
// the same on every desktop); clNone and clDefault give black.
TColor ColorToRGB(TColor AColor);
// "clRed" for a named colour, else "$00BBGGRR".
String ColorToString(TColor AColor);
// A colour name or a number; raises EConvertError for anything else.
TColor StringToColor(std::u16string_view S);
bool IdentToColor(std::u16string_view AIdent, int32_t& AColor);
bool ColorToIdent(int32_t AColor, String& AIdent);

// ---------------------------------------------------------------------------
// Enumerations

enum TAlphaFormat { afIgnored, afDefined, afPremultiplied };
QEL_ENUM_TYPE(TAlphaFormat, afIgnored, afDefined, afPremultiplied);
enum TWICImageFormat { wifBmp, wifPng, wifJpeg, wifGif, wifTiff, wifWMPhoto, wifOther };
QEL_ENUM_TYPE(TWICImageFormat, wifBmp, wifPng, wifJpeg, wifGif, wifTiff, wifWMPhoto, wifOther);

QEL_EXCEPTION(EInvalidGraphic, Exception);
QEL_EXCEPTION(EInvalidGraphicOperation, Exception);

// ---------------------------------------------------------------------------
// Fonts, pens and brushes

class TGraphicsObject : public TPersistent {
  QEL_CLASS(TGraphicsObject, TPersistent)
 public:
  TNotifyEvent OnChange;
  // A property changed: tells OnChange (unless an update is open).
  void Changed();
  void BeginUpdate() { ++FUpdateCount; }
  void EndUpdate();

 private:
  int FUpdateCount = 0;
  bool FPending = false;
};

class TFont : public TGraphicsObject {
  QEL_CLASS(TFont, TGraphicsObject)
 public:
  TFont() = default;
  void Assign(TPersistent* ASource) override;

  const String& GetName() const { return FName; }
  void SetName(const String& AValue);
  // Points; Height is the pixel height at 96 pixels per inch, negative for the character height.
  int GetSize() const { return FSize; }
  void SetSize(int AValue);
  int GetHeight() const;
  void SetHeight(int AValue);
  TColor GetColor() const { return FColor; }
  void SetColor(TColor AValue);
  TFontStyles GetStyle() const { return FStyle; }
  void SetStyle(TFontStyles AValue);
  TFontPitch GetPitch() const { return FPitch; }
  void SetPitch(TFontPitch AValue);
  TFontQuality GetQuality() const { return FQuality; }
  void SetQuality(TFontQuality AValue);
  int GetOrientation() const { return FOrientation; }
  void SetOrientation(int AValue);
  int GetPixelsPerInch() const { return 96; }

  // The Qt font this describes.
  QFont ToQFont() const;

 private:
  String FName = u"Tahoma";
  int FSize = 8;
  TColor FColor = clWindowText;
  TFontStyles FStyle;
  TFontPitch FPitch = fpDefault;
  TFontQuality FQuality = fqDefault;
  int FOrientation = 0;
};

class TPen : public TGraphicsObject {
  QEL_CLASS(TPen, TGraphicsObject)
 public:
  TPen() = default;
  void Assign(TPersistent* ASource) override;
  TColor GetColor() const { return FColor; }
  void SetColor(TColor AValue);
  int GetWidth() const { return FWidth; }
  void SetWidth(int AValue);
  TPenStyle GetStyle() const { return FStyle; }
  void SetStyle(TPenStyle AValue);
  TPenMode GetMode() const { return FMode; }
  void SetMode(TPenMode AValue);

 private:
  TColor FColor = clBlack;
  int FWidth = 1;
  TPenStyle FStyle = psSolid;
  TPenMode FMode = pmCopy;
};

class TBitmap;

class TBrush : public TGraphicsObject {
  QEL_CLASS(TBrush, TGraphicsObject)
 public:
  TBrush() = default;
  ~TBrush() override;
  void Assign(TPersistent* ASource) override;
  TColor GetColor() const { return FColor; }
  void SetColor(TColor AValue);
  TBrushStyle GetStyle() const { return FStyle; }
  void SetStyle(TBrushStyle AValue);
  // A pattern bitmap (copied; nil clears it).
  TBitmap* GetBitmap() const { return FBitmap; }
  void SetBitmap(TBitmap* AValue);

 private:
  TColor FColor = clWhite;
  TBrushStyle FStyle = bsSolid;
  TBitmap* FBitmap = nullptr;
};

// ---------------------------------------------------------------------------
// Canvases

class TGraphic;

class TCustomCanvas : public TPersistent {
  QEL_CLASS(TCustomCanvas, TPersistent)
 public:
  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;
  void Lock() { ++FLockCount; }
  void Unlock() { if (FLockCount > 0) --FLockCount; }
  int GetLockCount() const { return FLockCount; }
  bool TryLock() { Lock(); return true; }

 protected:
  void Changing() { OnChanging(this); }
  void Changed() { OnChange(this); }

 private:
  int FLockCount = 0;
};

class TCanvas : public TCustomCanvas {
  QEL_CLASS(TCanvas, TCustomCanvas)
 public:
  TCanvas();
  ~TCanvas() override;

  TFont* GetFont() const { return FFont; }
  void SetFont(TFont* AValue) { FFont->Assign(AValue); }
  TPen* GetPen() const { return FPen; }
  void SetPen(TPen* AValue) { FPen->Assign(AValue); }
  TBrush* GetBrush() const { return FBrush; }
  void SetBrush(TBrush* AValue) { FBrush->Assign(AValue); }
  TPoint GetPenPos() const { return FPenPos; }
  void SetPenPos(const TPoint& AValue) { FPenPos = AValue; }
  TCanvasState GetState() const;
  // The rectangle drawing is clipped to (the whole target).
  TRect GetClipRect() const;
  bool GetHandleAllocated() const { return Device() != nullptr; }

  void MoveTo(int X, int Y) { FPenPos = {X, Y}; }
  void LineTo(int X, int Y);
  void Rectangle(int X1, int Y1, int X2, int Y2);
  void RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3);
  void Ellipse(int X1, int Y1, int X2, int Y2);
  void Arc(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);
  void Pie(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);
  void Chord(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);
  void FillRect(const TRect& ARect);
  void FrameRect(const TRect& ARect);
  void FocusRect(const TRect& ARect);
  void TextOut(int X, int Y, const String& AText);
  void TextRect(const TRect& ARect, int X, int Y, const String& AText);
  int TextWidth(const String& AText) const;
  int TextHeight(const String& AText) const;
  TSize TextExtent(const String& AText) const;
  void Draw(int X, int Y, TGraphic* AGraphic);
  void StretchDraw(const TRect& ARect, TGraphic* AGraphic);
  void CopyRect(const TRect& ADest, TCanvas* ACanvas, const TRect& ASource);
  // Fills the area around (X, Y): fsSurface the connected area of AColor, fsBorder up to a
  // border of AColor (bitmaps only).
  void FloodFill(int X, int Y, TColor AColor, TFillStyle AFillStyle);
  void Refresh() {}

  // The pixel's RGB colour; -1 outside the target or when the target cannot be read.
  TColor GetPixels(int X, int Y) const;
  void SetPixels(int X, int Y, TColor AColor);

  // Binds the canvas to a painter that is active for a while (a control's paint event).
  void BeginPaint(QPainter* APainter) { FActivePainter = APainter; }
  void EndPaint() { FActivePainter = nullptr; }

 protected:
  // The device to paint on when no painter is active; null: cannot draw now.
  virtual QPaintDevice* Device() const { return nullptr; }
  // The image behind the canvas, for pixel access; null when there is none.
  virtual QImage* Image() const { return nullptr; }
  // Called after every drawing operation.
  virtual void Drawn() { Changed(); }

 private:
  template <class F>
  void Paint(F&& ADraw, bool AWithPen, bool AWithBrush);
  void ObjectChanged(TObject*) {}

  TFont* FFont;
  TPen* FPen;
  TBrush* FBrush;
  TPoint FPenPos;
  QPainter* FActivePainter = nullptr;
};

// ---------------------------------------------------------------------------
// Graphics

class TGraphic : public TPersistent {
  QEL_CLASS(TGraphic, TPersistent)
 public:
  virtual int GetWidth() const = 0;
  virtual void SetWidth(int AValue) = 0;
  virtual int GetHeight() const = 0;
  virtual void SetHeight(int AValue) = 0;
  virtual bool GetEmpty() const = 0;
  bool GetTransparent() const { return FTransparent; }
  virtual void SetTransparent(bool AValue);
  bool GetModified() const { return FModified; }
  void SetModified(bool AValue);
  // Raises EFOpenError for a file that cannot be read and EInvalidGraphic for one whose
  // contents are not an image of this kind.
  virtual void LoadFromFile(const String& AFileName) = 0;
  virtual void SaveToFile(const String& AFileName) = 0;
  virtual void SetSize(int AWidth, int AHeight);
  // Paints the graphic scaled into ARect with APainter.
  virtual void DrawOn(QPainter& APainter, const TRect& ARect) const = 0;

  TNotifyEvent OnChange;

 protected:
  void Changed();

 private:
  bool FTransparent = false;
  bool FModified = false;
};

class TBitmap : public TGraphic {
  QEL_CLASS(TBitmap, TGraphic)
 public:
  TBitmap();
  TBitmap(int AWidth, int AHeight);
  ~TBitmap() override;
  void Assign(TPersistent* ASource) override;

  int GetWidth() const override;
  void SetWidth(int AValue) override;
  int GetHeight() const override;
  void SetHeight(int AValue) override;
  bool GetEmpty() const override;
  void SetSize(int AWidth, int AHeight) override;
  void LoadFromFile(const String& AFileName) override;
  // PNG when the name ends in ".png", BMP otherwise.
  void SaveToFile(const String& AFileName) override;
  void DrawOn(QPainter& APainter, const TRect& ARect) const override;

  TCanvas* GetCanvas();
  TPixelFormat GetPixelFormat() const { return FPixelFormat; }
  void SetPixelFormat(TPixelFormat AValue);
  TColor GetTransparentColor() const;
  void SetTransparentColor(TColor AValue);
  TTransparentMode GetTransparentMode() const { return FTransparentMode; }
  void SetTransparentMode(TTransparentMode AValue) { FTransparentMode = AValue; }
  bool GetMonochrome() const { return FPixelFormat == pf1bit; }
  void SetMonochrome(bool AValue) { SetPixelFormat(AValue ? pf1bit : pf24bit); }
  TAlphaFormat GetAlphaFormat() const { return FAlphaFormat; }
  void SetAlphaFormat(TAlphaFormat AValue) { FAlphaFormat = AValue; }
  void Mask(TColor ATransparentColor);
  void FreeImage() {}

  QImage& ImageRef() const { return *FImage; }

 private:
  friend class TBitmapCanvas;
  void Resize(int AWidth, int AHeight);

  std::unique_ptr<QImage> FImage;
  TCanvas* FCanvas = nullptr;
  TPixelFormat FPixelFormat = pfDevice;
  TTransparentMode FTransparentMode = tmAuto;
  TAlphaFormat FAlphaFormat = afIgnored;
  TColor FTransparentColor = clDefault;
};

// A graphic held as an image of any format Qt reads (its base for icons and decoded images).
class TImageGraphic : public TGraphic {
  QEL_CLASS(TImageGraphic, TGraphic)
 public:
  TImageGraphic();
  ~TImageGraphic() override;
  void Assign(TPersistent* ASource) override;
  int GetWidth() const override;
  void SetWidth(int AValue) override;
  int GetHeight() const override;
  void SetHeight(int AValue) override;
  bool GetEmpty() const override;
  void LoadFromFile(const String& AFileName) override;
  void SaveToFile(const String& AFileName) override;
  void DrawOn(QPainter& APainter, const TRect& ARect) const override;
  QImage& ImageRef() const { return *FImage; }

 protected:
  // The format written when the file name says nothing ("ICO", "PNG", ...).
  virtual const char* DefaultFormat() const { return "PNG"; }

 private:
  std::unique_ptr<QImage> FImage;
};

class TIcon : public TImageGraphic {
  QEL_CLASS(TIcon, TImageGraphic)
 public:
  TIcon() = default;

 protected:
  const char* DefaultFormat() const override { return "ICO"; }
};

class TWICImage : public TImageGraphic {
  QEL_CLASS(TWICImage, TImageGraphic)
 public:
  TWICImage() = default;
  void LoadFromFile(const String& AFileName) override;
  TWICImageFormat GetImageFormat() const { return FImageFormat; }
  void SetImageFormat(TWICImageFormat AValue) { FImageFormat = AValue; }

 private:
  TWICImageFormat FImageFormat = wifBmp;
};

// A recorded sequence of drawing operations, replayed at any size.
class TMetafile : public TGraphic {
  QEL_CLASS(TMetafile, TGraphic)
 public:
  TMetafile();
  ~TMetafile() override;
  void Assign(TPersistent* ASource) override;
  int GetWidth() const override { return FWidth; }
  void SetWidth(int AValue) override;
  int GetHeight() const override { return FHeight; }
  void SetHeight(int AValue) override;
  bool GetEmpty() const override;
  void LoadFromFile(const String& AFileName) override;
  void SaveToFile(const String& AFileName) override;
  void DrawOn(QPainter& APainter, const TRect& ARect) const override;
  void Clear();
  QPicture& PictureRef() const { return *FPicture; }

 private:
  std::unique_ptr<QPicture> FPicture;
  int FWidth = 0;
  int FHeight = 0;
};

// A canvas recording into a metafile; the recording lands in the metafile when the canvas is freed.
class TMetafileCanvas : public TCanvas {
  QEL_CLASS(TMetafileCanvas, TCanvas)
 public:
  TMetafileCanvas(TMetafile* AMetafile, intptr_t AReferenceDevice);
  ~TMetafileCanvas() override;

 protected:
  QPaintDevice* Device() const override;

 private:
  TMetafile* FMetafile;
  std::unique_ptr<QPicture> FRecording;
};

class TPicture : public TPersistent {
  QEL_CLASS(TPicture, TPersistent)
 public:
  TPicture() = default;
  ~TPicture() override;
  void Assign(TPersistent* ASource) override;

  TGraphic* GetGraphic() const { return FGraphic; }
  // Takes a copy of AValue (nil clears the picture).
  void SetGraphic(TGraphic* AValue);
  // The graphic as a bitmap, replacing another kind of graphic with an empty bitmap.
  TBitmap* GetBitmap();
  void SetBitmap(TBitmap* AValue) { SetGraphic(AValue); }
  TIcon* GetIcon();
  void SetIcon(TIcon* AValue) { SetGraphic(AValue); }
  TMetafile* GetMetafile();
  void SetMetafile(TMetafile* AValue) { SetGraphic(AValue); }
  int GetWidth() const { return FGraphic ? FGraphic->GetWidth() : 0; }
  int GetHeight() const { return FGraphic ? FGraphic->GetHeight() : 0; }
  // The graphic class by extension: .bmp and .png bitmaps, .ico icons, other image formats
  // decoded images; raises EInvalidGraphic "Unknown picture file extension (.%s)".
  void LoadFromFile(const String& AFileName);
  void SaveToFile(const String& AFileName);

  TNotifyEvent OnChange;

 private:
  void Replace(TGraphic* AGraphic);
  void GraphicChanged(TObject*);

  TGraphic* FGraphic = nullptr;
};

// Internal shared image records of the graphics (reference counted handles).
class TSharedImage : public TObject {
  QEL_CLASS(TSharedImage, TObject)
 public:
  int GetRefCount() const { return FRefCount; }
  void Reference() { ++FRefCount; }
  void Release() { --FRefCount; }

 private:
  int FRefCount = 0;
};
class TBitmapImage : public TSharedImage {
  QEL_CLASS(TBitmapImage, TSharedImage)
};
class TIconImage : public TSharedImage {
  QEL_CLASS(TIconImage, TSharedImage)
};
class TMetafileImage : public TSharedImage {
  QEL_CLASS(TMetafileImage, TSharedImage)
};

// Helpers shared with the control units.
namespace QelGraphics {
// An RGB colour in Qt's terms.
uint32_t ToQRgb(TColor AColor);
TColor FromQRgb(uint32_t ARgb);
}  // namespace QelGraphics
