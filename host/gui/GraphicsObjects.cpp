// Fonts, pens and brushes: values with a change notification.
#include <QFont>

#include "host/gui/Graphics.h"

void TGraphicsObject::Changed() {
  if (FUpdateCount > 0) {
    FPending = true;
    return;
  }
  OnChange(this);
}

void TGraphicsObject::EndUpdate() {
  if (FUpdateCount > 0 && --FUpdateCount == 0 && FPending) {
    FPending = false;
    OnChange(this);
  }
}

namespace {

// Sets a field and notifies when the value really changes.
template <class T>
void Update(TGraphicsObject& AObject, T& AField, const T& AValue) {
  if (AField == AValue) return;
  AField = AValue;
  AObject.Changed();
}

}  // namespace

// ---- TFont ----------------------------------------------------------------

void TFont::Assign(TPersistent* ASource) {
  auto* source = dynamic_cast<TFont*>(ASource);
  if (!source) return TGraphicsObject::Assign(ASource);
  BeginUpdate();
  SetName(source->FName);
  SetSize(source->FSize);
  SetColor(source->FColor);
  SetStyle(source->FStyle);
  SetPitch(source->FPitch);
  SetQuality(source->FQuality);
  SetOrientation(source->FOrientation);
  EndUpdate();
}

void TFont::SetName(const String& AValue) { Update(*this, FName, AValue); }
void TFont::SetSize(int AValue) { Update(*this, FSize, AValue); }
void TFont::SetColor(TColor AValue) { Update(*this, FColor, AValue); }
void TFont::SetStyle(TFontStyles AValue) { Update(*this, FStyle, AValue); }
void TFont::SetPitch(TFontPitch AValue) { Update(*this, FPitch, AValue); }
void TFont::SetQuality(TFontQuality AValue) { Update(*this, FQuality, AValue); }
void TFont::SetOrientation(int AValue) { Update(*this, FOrientation, AValue); }

// Height in pixels at 96 per inch: negative for the character height, as Size gives it.
int TFont::GetHeight() const { return -(FSize * 96 + 36) / 72; }

void TFont::SetHeight(int AValue) {
  const int pixels = AValue < 0 ? -AValue : AValue;
  SetSize((pixels * 72 + 48) / 96);
}

QFont TFont::ToQFont() const {
  QFont font(QString::fromStdU16String(FName));
  font.setPixelSize(FSize > 0 ? -GetHeight() : 1);
  font.setBold(FStyle.Contains(fsBold));
  font.setItalic(FStyle.Contains(fsItalic));
  font.setUnderline(FStyle.Contains(fsUnderline));
  font.setStrikeOut(FStyle.Contains(fsStrikeOut));
  if (FPitch == fpFixed) font.setFixedPitch(true);
  if (FQuality == fqNonAntialiased) font.setStyleStrategy(QFont::NoAntialias);
  return font;
}

// ---- TPen -----------------------------------------------------------------

void TPen::Assign(TPersistent* ASource) {
  auto* source = dynamic_cast<TPen*>(ASource);
  if (!source) return TGraphicsObject::Assign(ASource);
  BeginUpdate();
  SetColor(source->FColor);
  SetWidth(source->FWidth);
  SetStyle(source->FStyle);
  SetMode(source->FMode);
  EndUpdate();
}

void TPen::SetColor(TColor AValue) { Update(*this, FColor, AValue); }
void TPen::SetWidth(int AValue) { Update(*this, FWidth, AValue < 0 ? 0 : AValue); }
void TPen::SetStyle(TPenStyle AValue) { Update(*this, FStyle, AValue); }
void TPen::SetMode(TPenMode AValue) { Update(*this, FMode, AValue); }

// ---- TBrush ---------------------------------------------------------------

TBrush::~TBrush() { delete FBitmap; }

void TBrush::Assign(TPersistent* ASource) {
  auto* source = dynamic_cast<TBrush*>(ASource);
  if (!source) return TGraphicsObject::Assign(ASource);
  BeginUpdate();
  SetColor(source->FColor);
  SetStyle(source->FStyle);
  SetBitmap(source->FBitmap);
  EndUpdate();
}

void TBrush::SetColor(TColor AValue) {
  if (FStyle == bsClear && AValue != clNone) FStyle = bsSolid;
  Update(*this, FColor, AValue);
}
void TBrush::SetStyle(TBrushStyle AValue) { Update(*this, FStyle, AValue); }

void TBrush::SetBitmap(TBitmap* AValue) {
  if (AValue == FBitmap) return;
  delete FBitmap;
  FBitmap = nullptr;
  if (AValue) {
    FBitmap = new TBitmap();
    FBitmap->Assign(AValue);
  }
  Changed();
}
