// TCanvas: drawing through QPainter with the canvas's pen, brush and font.
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <numbers>
#include <vector>

#include "host/gui/Graphics.h"
#include "host/gui/QelQt.h"

namespace {

Qt::PenStyle QtPenStyle(TPenStyle AStyle) {
  switch (AStyle) {
    case psDash: return Qt::DashLine;
    case psDot: case psAlternate: return Qt::DotLine;
    case psDashDot: return Qt::DashDotLine;
    case psDashDotDot: return Qt::DashDotDotLine;
    case psClear: return Qt::NoPen;
    default: return Qt::SolidLine;
  }
}

Qt::BrushStyle QtBrushStyle(TBrushStyle AStyle) {
  switch (AStyle) {
    case bsClear: return Qt::NoBrush;
    case bsHorizontal: return Qt::HorPattern;
    case bsVertical: return Qt::VerPattern;
    case bsFDiagonal: return Qt::FDiagPattern;
    case bsBDiagonal: return Qt::BDiagPattern;
    case bsCross: return Qt::CrossPattern;
    case bsDiagCross: return Qt::DiagCrossPattern;
    default: return Qt::SolidPattern;
  }
}

// Raster operations exist only on images; elsewhere the pen draws as pmCopy.
void ApplyPenMode(QPainter& APainter, TPenMode AMode) {
  if (APainter.device()->devType() != QInternal::Image) return;
  switch (AMode) {
    case pmXor: APainter.setCompositionMode(QPainter::RasterOp_SourceXorDestination); break;
    case pmNot: APainter.setCompositionMode(QPainter::RasterOp_NotDestination); break;
    case pmNotCopy: APainter.setCompositionMode(QPainter::RasterOp_NotSource); break;
    case pmMask: APainter.setCompositionMode(QPainter::RasterOp_SourceAndDestination); break;
    case pmMerge: APainter.setCompositionMode(QPainter::RasterOp_SourceOrDestination); break;
    default: break;
  }
}

QRect QtRect(const TRect& R) { return QRect(R.Left, R.Top, R.Right - R.Left, R.Bottom - R.Top); }

// The angle of (X, Y) seen from the centre of the bounding box, in Qt's 1/16 degrees.
int AngleOf(int X1, int Y1, int X2, int Y2, int X, int Y) {
  const double cx = (X1 + X2) / 2.0, cy = (Y1 + Y2) / 2.0;
  const double w = std::max(1, std::abs(X2 - X1)), h = std::max(1, std::abs(Y2 - Y1));
  const double angle = std::atan2(-(Y - cy) / h, (X - cx) / w) * 180.0 / std::numbers::pi;
  return static_cast<int>(std::lround(angle * 16));
}

// The counter-clockwise span from AStart to AEnd, a full turn when they meet.
int SpanOf(int AStart, int AEnd) {
  int span = AEnd - AStart;
  while (span <= 0) span += 360 * 16;
  return span;
}

}  // namespace

TCanvas::TCanvas() : FFont(new TFont), FPen(new TPen), FBrush(new TBrush) { QelEnsureApplication(); }

TCanvas::~TCanvas() {
  delete FFont;
  delete FPen;
  delete FBrush;
}

TCanvasState TCanvas::GetState() const {
  TCanvasState state{csFontValid, csPenValid, csBrushValid};
  if (FActivePainter || Device()) state.Include(csHandleValid);
  return state;
}

TRect TCanvas::GetClipRect() const {
  QPaintDevice* device = FActivePainter ? FActivePainter->device() : Device();
  if (!device) return {};
  return {0, 0, device->width(), device->height()};
}

template <class F>
void TCanvas::Paint(F&& ADraw, bool AWithPen, bool AWithBrush) {
  QPainter own;
  QPainter* painter = FActivePainter;
  if (!painter) {
    QPaintDevice* device = Device();
    if (!device || !own.begin(device)) return;
    painter = &own;
  }
  Changing();
  painter->save();
  if (AWithPen && FPen->GetStyle() != psClear) {
    QPen pen(QColor::fromRgb(QelGraphics::ToQRgb(FPen->GetColor())), FPen->GetWidth(), QtPenStyle(FPen->GetStyle()));
    pen.setCapStyle(Qt::SquareCap);
    pen.setJoinStyle(Qt::MiterJoin);
    painter->setPen(pen);
    ApplyPenMode(*painter, FPen->GetMode());
  } else {
    painter->setPen(Qt::NoPen);
  }
  if (AWithBrush && FBrush->GetStyle() != bsClear) {
    painter->setBrush(QBrush(QColor::fromRgb(QelGraphics::ToQRgb(FBrush->GetColor())), QtBrushStyle(FBrush->GetStyle())));
  } else {
    painter->setBrush(Qt::NoBrush);
  }
  painter->setFont(FFont->ToQFont());
  ADraw(*painter);
  painter->restore();
  if (own.isActive()) own.end();
  Drawn();
}

void TCanvas::LineTo(int X, int Y) {
  const TPoint from = FPenPos;
  Paint([&](QPainter& P) { P.drawLine(from.X, from.Y, X, Y); }, true, false);
  FPenPos = {X, Y};
}

void TCanvas::Rectangle(int X1, int Y1, int X2, int Y2) {
  Paint([&](QPainter& P) {
    if (P.brush().style() != Qt::NoBrush) P.fillRect(QRect(X1, Y1, X2 - X1, Y2 - Y1), P.brush());
    if (P.pen().style() != Qt::NoPen) {
      P.setBrush(Qt::NoBrush);
      P.drawRect(X1, Y1, X2 - X1 - 1, Y2 - Y1 - 1);
    }
  }, true, true);
}

void TCanvas::RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3) {
  Paint([&](QPainter& P) { P.drawRoundedRect(QRect(X1, Y1, X2 - X1 - 1, Y2 - Y1 - 1), X3 / 2.0, Y3 / 2.0); }, true, true);
}

void TCanvas::Ellipse(int X1, int Y1, int X2, int Y2) {
  Paint([&](QPainter& P) { P.drawEllipse(QRect(X1, Y1, X2 - X1 - 1, Y2 - Y1 - 1)); }, true, true);
}

void TCanvas::Arc(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) {
  const int start = AngleOf(X1, Y1, X2, Y2, X3, Y3), end = AngleOf(X1, Y1, X2, Y2, X4, Y4);
  Paint([&](QPainter& P) { P.drawArc(QRect(X1, Y1, X2 - X1 - 1, Y2 - Y1 - 1), start, SpanOf(start, end)); }, true, false);
}

void TCanvas::Pie(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) {
  const int start = AngleOf(X1, Y1, X2, Y2, X3, Y3), end = AngleOf(X1, Y1, X2, Y2, X4, Y4);
  Paint([&](QPainter& P) { P.drawPie(QRect(X1, Y1, X2 - X1 - 1, Y2 - Y1 - 1), start, SpanOf(start, end)); }, true, true);
}

void TCanvas::Chord(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) {
  const int start = AngleOf(X1, Y1, X2, Y2, X3, Y3), end = AngleOf(X1, Y1, X2, Y2, X4, Y4);
  Paint([&](QPainter& P) { P.drawChord(QRect(X1, Y1, X2 - X1 - 1, Y2 - Y1 - 1), start, SpanOf(start, end)); }, true, true);
}

void TCanvas::FillRect(const TRect& ARect) {
  Paint([&](QPainter& P) {
    if (P.brush().style() != Qt::NoBrush) P.fillRect(QtRect(ARect), P.brush());
  }, false, true);
}

void TCanvas::FrameRect(const TRect& ARect) {
  const QColor color = QColor::fromRgb(QelGraphics::ToQRgb(FBrush->GetColor()));
  Paint([&](QPainter& P) {
    P.setPen(QPen(color, 1));
    P.setBrush(Qt::NoBrush);
    P.drawRect(ARect.Left, ARect.Top, ARect.Width() - 1, ARect.Height() - 1);
  }, false, false);
}

void TCanvas::FocusRect(const TRect& ARect) {
  Paint([&](QPainter& P) {
    P.setPen(QPen(Qt::black, 1, Qt::DotLine));
    P.setCompositionMode(P.device()->devType() == QInternal::Image ? QPainter::RasterOp_SourceXorDestination
                                                                    : QPainter::CompositionMode_SourceOver);
    P.drawRect(ARect.Left, ARect.Top, ARect.Width() - 1, ARect.Height() - 1);
  }, false, false);
}

// Text is placed by its top-left corner; an opaque brush fills the text's box first.
void TCanvas::TextOut(int X, int Y, const String& AText) {
  const QString text = QString::fromStdU16String(AText);
  const QColor color = QColor::fromRgb(QelGraphics::ToQRgb(FFont->GetColor()));
  int width = 0;
  Paint([&](QPainter& P) {
    const QFontMetrics metrics(P.font());
    width = metrics.horizontalAdvance(text);
    const QRect box(X, Y, width, metrics.height());
    if (P.brush().style() != Qt::NoBrush) P.fillRect(box, P.brush());
    P.setPen(color);
    P.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
  }, false, true);
  FPenPos = {X + width, Y};
}

void TCanvas::TextRect(const TRect& ARect, int X, int Y, const String& AText) {
  const QString text = QString::fromStdU16String(AText);
  const QColor color = QColor::fromRgb(QelGraphics::ToQRgb(FFont->GetColor()));
  Paint([&](QPainter& P) {
    const QRect clip = QtRect(ARect);
    if (P.brush().style() != Qt::NoBrush) P.fillRect(clip, P.brush());
    P.setClipRect(clip);
    P.setPen(color);
    const QFontMetrics metrics(P.font());
    P.drawText(QRect(X, Y, metrics.horizontalAdvance(text), metrics.height()), Qt::AlignLeft | Qt::AlignTop, text);
  }, false, true);
}

TSize TCanvas::TextExtent(const String& AText) const {
  const QFontMetrics metrics(FFont->ToQFont());
  return {metrics.horizontalAdvance(QString::fromStdU16String(AText)), metrics.height()};
}

int TCanvas::TextWidth(const String& AText) const { return TextExtent(AText).cx; }
int TCanvas::TextHeight(const String& AText) const { return TextExtent(AText).cy; }

void TCanvas::Draw(int X, int Y, TGraphic* AGraphic) {
  if (!AGraphic || AGraphic->GetEmpty()) return;
  const TRect target = Bounds(X, Y, AGraphic->GetWidth(), AGraphic->GetHeight());
  Paint([&](QPainter& P) { AGraphic->DrawOn(P, target); }, false, false);
}

void TCanvas::StretchDraw(const TRect& ARect, TGraphic* AGraphic) {
  if (!AGraphic || AGraphic->GetEmpty()) return;
  Paint([&](QPainter& P) { AGraphic->DrawOn(P, ARect); }, false, false);
}

void TCanvas::CopyRect(const TRect& ADest, TCanvas* ACanvas, const TRect& ASource) {
  if (!ACanvas) return;
  QImage* source = ACanvas->Image();
  if (!source) return;
  const QImage copy = source->copy(QtRect(ASource));  // the source may be this very canvas
  Paint([&](QPainter& P) { P.drawImage(QtRect(ADest), copy); }, false, false);
}

TColor TCanvas::GetPixels(int X, int Y) const {
  QImage* image = Image();
  if (!image || !image->valid(X, Y)) return -1;
  return QelGraphics::FromQRgb(image->pixel(X, Y));
}

void TCanvas::SetPixels(int X, int Y, TColor AColor) {
  QImage* image = Image();
  if (!image || !image->valid(X, Y)) return;
  Changing();
  image->setPixel(X, Y, QelGraphics::ToQRgb(AColor));
  Drawn();
}

void TCanvas::FloodFill(int X, int Y, TColor AColor, TFillStyle AFillStyle) {
  QImage* image = Image();
  if (!image || !image->valid(X, Y) || FBrush->GetStyle() == bsClear) return;
  const QRgb match = QelGraphics::ToQRgb(AColor) & 0xFFFFFF;
  const QRgb fill = QelGraphics::ToQRgb(FBrush->GetColor());
  auto inside = [&](int AX, int AY) {
    const QRgb pixel = image->pixel(AX, AY) & 0xFFFFFF;
    return AFillStyle == fsSurface ? pixel == match : pixel != match;
  };
  if (!inside(X, Y) || (image->pixel(X, Y) & 0xFFFFFF) == (fill & 0xFFFFFF)) return;
  Changing();
  std::vector<QPoint> pending{QPoint(X, Y)};
  while (!pending.empty()) {
    const QPoint at = pending.back();
    pending.pop_back();
    if (!image->valid(at) || !inside(at.x(), at.y()) || (image->pixel(at) & 0xFFFFFF) == (fill & 0xFFFFFF)) continue;
    image->setPixel(at, fill);
    pending.insert(pending.end(), {QPoint(at.x() + 1, at.y()), QPoint(at.x() - 1, at.y()),
                                   QPoint(at.x(), at.y() + 1), QPoint(at.x(), at.y() - 1)});
  }
  Drawn();
}
