// Image lists: copies of the images, cut to the list's size, masks as transparency.
#include <QImage>
#include <QPainter>
#include <algorithm>

#include "host/gui/ImgList.h"
#include "host/gui/QelQt.h"

TChangeLink::~TChangeLink() {
  if (FSender) FSender->UnRegisterChanges(this);
}

void TChangeLink::Change() { OnChange(FSender); }

TCustomImageList::TCustomImageList(TComponent* AOwner) : TComponent(AOwner) {}

TCustomImageList::~TCustomImageList() {
  for (TChangeLink* link : FLinks) link->SetSender(nullptr);
  for (TBitmap* image : FImages) delete image;
}

void TCustomImageList::Assign(TPersistent* ASource) {
  auto* source = dynamic_cast<TCustomImageList*>(ASource);
  if (!source) return TComponent::Assign(ASource);
  BeginUpdate();
  SetSize(source->FWidth, source->FHeight);
  AddImages(source);
  EndUpdate();
}

void TCustomImageList::SetSize(int AWidth, int AHeight) {
  if (AWidth < 1 || AHeight < 1) QelRaise<EInvalidOperation>(u"Invalid image size");
  if (AWidth == FWidth && AHeight == FHeight) return;
  FWidth = AWidth;
  FHeight = AHeight;
  Clear();
}

void TCustomImageList::CheckIndex(int AIndex) const {
  if (AIndex < 0 || AIndex >= GetCount()) QelRaise<EInvalidOperation>(u"Invalid ImageList Index");
}

std::vector<TBitmap*> TCustomImageList::Pieces(TBitmap* AImage, TBitmap* AMask, const TColor* AMaskColor) const {
  if (!AImage || AImage->GetEmpty()) QelRaise<EInvalidOperation>(u"Image is empty");
  QImage source = AImage->ImageRef().convertToFormat(QImage::Format_ARGB32);
  if (AMask && !AMask->GetEmpty()) {
    const QImage mask = AMask->ImageRef().convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < std::min(source.height(), mask.height()); ++y)
      for (int x = 0; x < std::min(source.width(), mask.width()); ++x)
        if ((mask.pixel(x, y) & 0xFFFFFF) == 0xFFFFFF) source.setPixel(x, y, 0);
  } else if (AMaskColor) {
    const TColor rgb = ColorToRGB(*AMaskColor);
    const QRgb key = qRgb(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
    for (int y = 0; y < source.height(); ++y)
      for (int x = 0; x < source.width(); ++x)
        if ((source.pixel(x, y) & 0xFFFFFF) == (key & 0xFFFFFF)) source.setPixel(x, y, 0);
  }
  // An image wider than the list holds several pictures side by side.
  const int count = std::max(1, source.width() / FWidth);
  std::vector<TBitmap*> pieces;
  for (int i = 0; i < count; ++i) {
    auto* piece = new TBitmap(FWidth, FHeight);
    QImage& target = piece->ImageRef();
    target = QImage(FWidth, FHeight, QImage::Format_ARGB32);
    target.fill(Qt::transparent);
    QPainter painter(&target);
    painter.drawImage(0, 0, source, i * FWidth, 0, FWidth, FHeight);
    piece->SetTransparent(true);
    pieces.push_back(piece);
  }
  return pieces;
}

void TCustomImageList::InsertPieces(int AIndex, std::vector<TBitmap*> APieces) {
  FImages.insert(FImages.begin() + AIndex, APieces.begin(), APieces.end());
  Change();
}

int TCustomImageList::Add(TBitmap* AImage, TBitmap* AMask) {
  const int index = GetCount();
  InsertPieces(index, Pieces(AImage, AMask, nullptr));
  return index;
}

int TCustomImageList::AddMasked(TBitmap* AImage, TColor AMaskColor) {
  const int index = GetCount();
  InsertPieces(index, Pieces(AImage, nullptr, &AMaskColor));
  return index;
}

void TCustomImageList::AddImages(TCustomImageList* AImages) {
  if (!AImages || AImages == this) return;
  for (const TBitmap* image : AImages->FImages) Add(const_cast<TBitmap*>(image), nullptr);
}

void TCustomImageList::Insert(int AIndex, TBitmap* AImage, TBitmap* AMask) {
  if (AIndex != GetCount()) CheckIndex(AIndex);
  InsertPieces(AIndex, Pieces(AImage, AMask, nullptr));
}

void TCustomImageList::Replace(int AIndex, TBitmap* AImage, TBitmap* AMask) {
  CheckIndex(AIndex);
  std::vector<TBitmap*> pieces = Pieces(AImage, AMask, nullptr);
  for (size_t i = 1; i < pieces.size(); ++i) delete pieces[i];
  delete FImages[AIndex];
  FImages[AIndex] = pieces.front();
  Change();
}

void TCustomImageList::Delete(int AIndex) {
  CheckIndex(AIndex);
  delete FImages[AIndex];
  FImages.erase(FImages.begin() + AIndex);
  Change();
}

void TCustomImageList::Move(int ACurIndex, int ANewIndex) {
  CheckIndex(ACurIndex);
  CheckIndex(ANewIndex);
  TBitmap* image = FImages[ACurIndex];
  FImages.erase(FImages.begin() + ACurIndex);
  FImages.insert(FImages.begin() + ANewIndex, image);
  Change();
}

void TCustomImageList::Clear() {
  for (TBitmap* image : FImages) delete image;
  FImages.clear();
  Change();
}

bool TCustomImageList::GetBitmap(int AIndex, TBitmap* AImage) const {
  if (!AImage || AIndex < 0 || AIndex >= GetCount()) return false;
  AImage->Assign(FImages[AIndex]);
  return true;
}

void TCustomImageList::Draw(TCanvas* ACanvas, int X, int Y, int AIndex, bool AEnabled) const {
  if (!ACanvas || AIndex < 0 || AIndex >= GetCount()) return;
  if (AEnabled) return ACanvas->Draw(X, Y, FImages[AIndex]);
  TBitmap grey;
  grey.Assign(FImages[AIndex]);
  QImage& image = grey.ImageRef();
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QRgb pixel = image.pixel(x, y);
      const int level = 128 + qGray(pixel) / 2;
      image.setPixel(x, y, qRgba(level, level, level, qAlpha(pixel)));
    }
  ACanvas->Draw(X, Y, &grey);
}

void TCustomImageList::EndUpdate() {
  if (FUpdateCount > 0 && --FUpdateCount == 0 && FChangedWhileUpdating) {
    FChangedWhileUpdating = false;
    Change();
  }
}

void TCustomImageList::RegisterChanges(TChangeLink* AValue) {
  if (!AValue || std::find(FLinks.begin(), FLinks.end(), AValue) != FLinks.end()) return;
  FLinks.push_back(AValue);
  AValue->SetSender(this);
}

void TCustomImageList::UnRegisterChanges(TChangeLink* AValue) {
  FLinks.erase(std::remove(FLinks.begin(), FLinks.end(), AValue), FLinks.end());
  if (AValue && AValue->GetSender() == this) AValue->SetSender(nullptr);
}

const TBitmap* TCustomImageList::Image(int AIndex) const {
  return AIndex >= 0 && AIndex < GetCount() ? FImages[AIndex] : nullptr;
}

void TCustomImageList::Change() {
  if (FUpdateCount > 0) {
    FChangedWhileUpdating = true;
    return;
  }
  // A client may unregister while told: walk a copy.
  const std::vector<TChangeLink*> links = FLinks;
  for (TChangeLink* link : links) link->Change();
  OnChange(this);
}
