// Bitmaps, decoded images, metafiles and pictures.
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QPicture>
#include <cerrno>

#include "host/gui/Graphics.h"
#include "host/gui/QelQt.h"

namespace {

[[noreturn]] void RaiseCannotOpen(const String& AFileName) {
  QelRaise<EFOpenError>(Exception::FormatMessage(u"Cannot open file \"%s\". %s", {AFileName, SysErrorMessage(ENOENT)}));
}

[[noreturn]] void RaiseCannotCreate(const String& AFileName) {
  QelRaise<EFCreateError>(Exception::FormatMessage(u"Cannot create file \"%s\". %s", {AFileName, SysErrorMessage(EACCES)}));
}

// Reads an image file; a missing file and unreadable contents fail differently.
QImage ReadImage(const String& AFileName, const char* AFormat = nullptr) {
  const QString name = QelToQString(AFileName);
  if (!QFileInfo(name).isFile()) RaiseCannotOpen(AFileName);
  QImageReader reader(name, AFormat);
  QImage image = reader.read();
  if (image.isNull()) QelRaise<EInvalidGraphic>(u"Bitmap image is not valid");
  return image;
}

QString SuffixOf(const String& AFileName) { return QFileInfo(QelToQString(AFileName)).suffix().toLower(); }

void WriteImage(const QImage& AImage, const String& AFileName, const char* AFormat) {
  if (AImage.isNull()) QelRaise<EInvalidGraphic>(u"Cannot save an empty image");
  if (!AImage.save(QelToQString(AFileName), AFormat)) RaiseCannotCreate(AFileName);
}

// The canvas of a bitmap paints into its image.
class TBitmapCanvas final : public TCanvas {
 public:
  explicit TBitmapCanvas(TBitmap* ABitmap) : FBitmap(ABitmap) {}

 protected:
  QPaintDevice* Device() const override { return FBitmap->ImageRef().isNull() ? nullptr : &FBitmap->ImageRef(); }
  QImage* Image() const override { return FBitmap->ImageRef().isNull() ? nullptr : &FBitmap->ImageRef(); }
  void Drawn() override {
    TCanvas::Drawn();
    FBitmap->SetModified(true);
  }

 private:
  TBitmap* FBitmap;
};

}  // namespace

// ---- TGraphic -------------------------------------------------------------

void TGraphic::SetTransparent(bool AValue) {
  if (FTransparent == AValue) return;
  FTransparent = AValue;
  Changed();
}

void TGraphic::SetModified(bool AValue) {
  FModified = AValue;
  if (AValue) OnChange(this);
}

void TGraphic::SetSize(int AWidth, int AHeight) {
  SetWidth(AWidth);
  SetHeight(AHeight);
}

void TGraphic::Changed() {
  FModified = true;
  OnChange(this);
}

// ---- TBitmap --------------------------------------------------------------

TBitmap::TBitmap() : FImage(std::make_unique<QImage>()) {}

TBitmap::TBitmap(int AWidth, int AHeight) : TBitmap() { Resize(AWidth, AHeight); }

TBitmap::~TBitmap() { delete FCanvas; }

void TBitmap::Assign(TPersistent* ASource) {
  if (!ASource) {
    *FImage = QImage();
    return Changed();
  }
  if (auto* bitmap = dynamic_cast<TBitmap*>(ASource)) {
    *FImage = bitmap->ImageRef().copy();
    FPixelFormat = bitmap->FPixelFormat;
    SetTransparent(bitmap->GetTransparent());
    return Changed();
  }
  if (auto* image = dynamic_cast<TImageGraphic*>(ASource)) {
    *FImage = image->ImageRef().convertToFormat(QImage::Format_ARGB32);
    return Changed();
  }
  if (auto* graphic = dynamic_cast<TGraphic*>(ASource)) {
    Resize(graphic->GetWidth(), graphic->GetHeight());
    FImage->fill(Qt::white);
    QPainter painter(FImage.get());
    graphic->DrawOn(painter, {0, 0, graphic->GetWidth(), graphic->GetHeight()});
    return Changed();
  }
  TGraphic::Assign(ASource);
}

int TBitmap::GetWidth() const { return FImage->width(); }
int TBitmap::GetHeight() const { return FImage->height(); }
bool TBitmap::GetEmpty() const { return FImage->isNull(); }
void TBitmap::SetWidth(int AValue) { SetSize(AValue, GetHeight()); }
void TBitmap::SetHeight(int AValue) { SetSize(GetWidth(), AValue); }

void TBitmap::SetSize(int AWidth, int AHeight) {
  if (AWidth == GetWidth() && AHeight == GetHeight()) return;
  Resize(AWidth, AHeight);
  Changed();
}

// New area is white; the old contents stay at the top left.
void TBitmap::Resize(int AWidth, int AHeight) {
  if (AWidth <= 0 || AHeight <= 0) {
    *FImage = QImage();
    return;
  }
  QImage image(AWidth, AHeight, QImage::Format_ARGB32);
  image.fill(Qt::white);
  if (!FImage->isNull()) {
    QPainter painter(&image);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(0, 0, *FImage);
  }
  *FImage = std::move(image);
}

void TBitmap::LoadFromFile(const String& AFileName) {
  *FImage = ReadImage(AFileName).convertToFormat(QImage::Format_ARGB32);
  FPixelFormat = pf32bit;
  Changed();
}

void TBitmap::SaveToFile(const String& AFileName) {
  WriteImage(*FImage, AFileName, SuffixOf(AFileName) == u"png" ? "PNG" : "BMP");
}

void TBitmap::DrawOn(QPainter& APainter, const TRect& ARect) const {
  if (FImage->isNull()) return;
  const QRect target(ARect.Left, ARect.Top, ARect.Width(), ARect.Height());
  if (!GetTransparent()) return APainter.drawImage(target, *FImage);
  // The transparent colour (the bottom-left pixel unless fixed) is left out.
  const QRgb key = FTransparentMode == tmFixed ? QelGraphics::ToQRgb(FTransparentColor) : FImage->pixel(0, FImage->height() - 1);
  QImage masked = FImage->convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < masked.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(masked.scanLine(y));
    for (int x = 0; x < masked.width(); ++x)
      if ((line[x] & 0xFFFFFF) == (key & 0xFFFFFF)) line[x] = 0;
  }
  APainter.drawImage(target, masked);
}

TCanvas* TBitmap::GetCanvas() {
  if (!FCanvas) FCanvas = new TBitmapCanvas(this);
  return FCanvas;
}

void TBitmap::SetPixelFormat(TPixelFormat AValue) {
  if (AValue == FPixelFormat) return;
  FPixelFormat = AValue;
  if (AValue == pf1bit && !FImage->isNull()) {
    *FImage = FImage->convertToFormat(QImage::Format_Mono).convertToFormat(QImage::Format_ARGB32);
  }
  Changed();
}

TColor TBitmap::GetTransparentColor() const {
  if (FTransparentMode == tmFixed || FImage->isNull()) return FTransparentColor;
  return QelGraphics::FromQRgb(FImage->pixel(0, FImage->height() - 1));
}

void TBitmap::SetTransparentColor(TColor AValue) {
  FTransparentColor = AValue;
  FTransparentMode = tmFixed;
  Changed();
}

// Turns the bitmap into a mask: the transparent colour white, everything else black.
void TBitmap::Mask(TColor ATransparentColor) {
  const QRgb key = QelGraphics::ToQRgb(ATransparentColor) & 0xFFFFFF;
  for (int y = 0; y < FImage->height(); ++y) {
    for (int x = 0; x < FImage->width(); ++x)
      FImage->setPixel(x, y, (FImage->pixel(x, y) & 0xFFFFFF) == key ? 0xFFFFFFFF : 0xFF000000);
  }
  Changed();
}

// ---- images of other formats ----------------------------------------------

TImageGraphic::TImageGraphic() : FImage(std::make_unique<QImage>()) {}
TImageGraphic::~TImageGraphic() = default;

void TImageGraphic::Assign(TPersistent* ASource) {
  if (!ASource) {
    *FImage = QImage();
    return Changed();
  }
  if (auto* image = dynamic_cast<TImageGraphic*>(ASource)) {
    *FImage = image->ImageRef().copy();
    return Changed();
  }
  if (auto* bitmap = dynamic_cast<TBitmap*>(ASource)) {
    *FImage = bitmap->ImageRef().copy();
    return Changed();
  }
  TGraphic::Assign(ASource);
}

int TImageGraphic::GetWidth() const { return FImage->width(); }
int TImageGraphic::GetHeight() const { return FImage->height(); }
bool TImageGraphic::GetEmpty() const { return FImage->isNull(); }

void TImageGraphic::SetWidth(int AValue) {
  if (AValue == GetWidth()) return;
  *FImage = AValue > 0 && GetHeight() > 0 ? FImage->scaled(AValue, GetHeight()) : QImage();
  Changed();
}

void TImageGraphic::SetHeight(int AValue) {
  if (AValue == GetHeight()) return;
  *FImage = AValue > 0 && GetWidth() > 0 ? FImage->scaled(GetWidth(), AValue) : QImage();
  Changed();
}

void TImageGraphic::LoadFromFile(const String& AFileName) {
  *FImage = ReadImage(AFileName);
  Changed();
}

void TImageGraphic::SaveToFile(const String& AFileName) {
  const QString suffix = SuffixOf(AFileName);
  const QByteArray format = suffix.isEmpty() ? QByteArray(DefaultFormat()) : suffix.toUpper().toLatin1();
  WriteImage(*FImage, AFileName, format.constData());
}

void TImageGraphic::DrawOn(QPainter& APainter, const TRect& ARect) const {
  if (!FImage->isNull()) APainter.drawImage(QRect(ARect.Left, ARect.Top, ARect.Width(), ARect.Height()), *FImage);
}

void TWICImage::LoadFromFile(const String& AFileName) {
  TImageGraphic::LoadFromFile(AFileName);
  const QByteArray format = QImageReader::imageFormat(QelToQString(AFileName)).toLower();
  if (format == "bmp") FImageFormat = wifBmp;
  else if (format == "png") FImageFormat = wifPng;
  else if (format == "jpeg" || format == "jpg") FImageFormat = wifJpeg;
  else if (format == "gif") FImageFormat = wifGif;
  else if (format == "tiff" || format == "tif") FImageFormat = wifTiff;
  else FImageFormat = wifOther;
}

// ---- metafiles ------------------------------------------------------------

TMetafile::TMetafile() : FPicture(std::make_unique<QPicture>()) {}
TMetafile::~TMetafile() = default;

void TMetafile::Assign(TPersistent* ASource) {
  auto* source = dynamic_cast<TMetafile*>(ASource);
  if (!source && ASource) return TGraphic::Assign(ASource);
  if (source) {
    *FPicture = source->PictureRef();
    FWidth = source->FWidth;
    FHeight = source->FHeight;
  } else {
    Clear();
  }
  Changed();
}

void TMetafile::SetWidth(int AValue) {
  FWidth = AValue;
  Changed();
}
void TMetafile::SetHeight(int AValue) {
  FHeight = AValue;
  Changed();
}
bool TMetafile::GetEmpty() const { return FPicture->isNull(); }

void TMetafile::Clear() {
  *FPicture = QPicture();
  FWidth = FHeight = 0;
}

void TMetafile::LoadFromFile(const String& AFileName) {
  const QString name = QelToQString(AFileName);
  if (!QFileInfo(name).isFile()) RaiseCannotOpen(AFileName);
  QPicture picture;
  if (!picture.load(name)) QelRaise<EInvalidGraphic>(u"Metafile is not valid");
  *FPicture = picture;
  const QRect box = picture.boundingRect();
  FWidth = box.right() + 1;
  FHeight = box.bottom() + 1;
  Changed();
}

void TMetafile::SaveToFile(const String& AFileName) {
  if (!FPicture->save(QelToQString(AFileName))) RaiseCannotCreate(AFileName);
}

void TMetafile::DrawOn(QPainter& APainter, const TRect& ARect) const {
  if (FPicture->isNull()) return;
  APainter.save();
  APainter.translate(ARect.Left, ARect.Top);
  if (FWidth > 0 && FHeight > 0) APainter.scale(double(ARect.Width()) / FWidth, double(ARect.Height()) / FHeight);
  APainter.drawPicture(0, 0, *FPicture);
  APainter.restore();
}

TMetafileCanvas::TMetafileCanvas(TMetafile* AMetafile, intptr_t) : FMetafile(AMetafile), FRecording(std::make_unique<QPicture>()) {
  if (FMetafile && !FMetafile->GetEmpty()) {
    // Recording continues after what the metafile holds.
    QPainter painter(FRecording.get());
    painter.drawPicture(0, 0, FMetafile->PictureRef());
  }
}

TMetafileCanvas::~TMetafileCanvas() {
  if (!FMetafile) return;
  FMetafile->PictureRef() = *FRecording;
  const QRect box = FRecording->boundingRect();
  if (FMetafile->GetWidth() == 0) FMetafile->SetWidth(box.right() + 1);
  if (FMetafile->GetHeight() == 0) FMetafile->SetHeight(box.bottom() + 1);
}

QPaintDevice* TMetafileCanvas::Device() const { return FRecording.get(); }

// ---- TPicture -------------------------------------------------------------

TPicture::~TPicture() { delete FGraphic; }

void TPicture::Replace(TGraphic* AGraphic) {
  delete FGraphic;
  FGraphic = AGraphic;
  if (FGraphic) FGraphic->OnChange = TNotifyEvent::Bind<&TPicture::GraphicChanged>(this);
  OnChange(this);
}

void TPicture::GraphicChanged(TObject*) { OnChange(this); }

void TPicture::Assign(TPersistent* ASource) {
  if (!ASource) return Replace(nullptr);
  if (auto* picture = dynamic_cast<TPicture*>(ASource)) return SetGraphic(picture->FGraphic);
  if (auto* graphic = dynamic_cast<TGraphic*>(ASource)) return SetGraphic(graphic);
  TPersistent::Assign(ASource);
}

void TPicture::SetGraphic(TGraphic* AValue) {
  if (!AValue) return Replace(nullptr);
  auto* copy = static_cast<TGraphic*>(AValue->ClassType()->Create());
  if (!copy) QelRaise<EInvalidGraphic>(u"Cannot copy this kind of graphic");
  try {
    copy->Assign(AValue);
  } catch (...) {
    delete copy;
    throw;
  }
  Replace(copy);
}

TBitmap* TPicture::GetBitmap() {
  if (!dynamic_cast<TBitmap*>(FGraphic)) Replace(new TBitmap());
  return static_cast<TBitmap*>(FGraphic);
}

TIcon* TPicture::GetIcon() {
  if (!dynamic_cast<TIcon*>(FGraphic)) Replace(new TIcon());
  return static_cast<TIcon*>(FGraphic);
}

TMetafile* TPicture::GetMetafile() {
  if (!dynamic_cast<TMetafile*>(FGraphic)) Replace(new TMetafile());
  return static_cast<TMetafile*>(FGraphic);
}

void TPicture::LoadFromFile(const String& AFileName) {
  const QString suffix = SuffixOf(AFileName);
  TGraphic* graphic;
  if (suffix == u"bmp" || suffix == u"png") graphic = new TBitmap();
  else if (suffix == u"ico") graphic = new TIcon();
  else if (suffix == u"emf" || suffix == u"wmf" || suffix == u"pic") graphic = new TMetafile();
  else if (QImageReader::supportedImageFormats().contains(suffix.toLatin1())) graphic = new TWICImage();
  else QelRaise<EInvalidGraphic>(Exception::FormatMessage(u"Unknown picture file extension (.%s)", {QelFromQString(suffix)}));
  try {
    graphic->LoadFromFile(AFileName);
  } catch (...) {
    delete graphic;
    throw;
  }
  Replace(graphic);
}

void TPicture::SaveToFile(const String& AFileName) {
  if (FGraphic) FGraphic->SaveToFile(AFileName);
}
