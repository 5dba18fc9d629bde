// The "Types" unit wrapper, floating-point records: TPointF, TSizeF and TRectF with their
// methods, and the unit's floating-point routines and constants.
#include <cmath>
#include <numbers>

#include "engine/wrappers/units/Types_QelSW.h"

namespace {

using P = TPointF;

// The tolerance the class library's floating-point records compare with.
constexpr float Epsilon = 1E-40F;
constexpr float Epsilon2 = 1E-30F;

bool NearZero(float AValue) { return std::fabs(AValue) < Epsilon2; }
// An integral value outside Integer (or NaN) raises EInvalidOp, as the class library's Round.
int32_t ToInt(double AValue) {
  if (!(AValue > -2147483649.0 && AValue < 2147483648.0)) throw ExceptionPtr(new EInvalidOp());
  return static_cast<int32_t>(AValue);
}
// Halves to even, as the class library's Round.
int32_t RoundOf(float AValue) { return ToInt(std::nearbyint(AValue)); }
int32_t TruncOf(float AValue) { return ToInt(std::trunc(AValue)); }
int32_t CeilOf(float AValue) { return ToInt(std::ceil(AValue)); }
int32_t FloorOf(float AValue) { return ToInt(std::floor(AValue)); }

P ZeroPointF() { return {}; }
P PointFOf(const TPoint& APoint) { return {float(APoint.X), float(APoint.Y)}; }
P PFAdd(const P& A, const P& B) { return {A.X + B.X, A.Y + B.Y}; }
P PFSubtract(const P& A, const P& B) { return {A.X - B.X, A.Y - B.Y}; }
double PFDistance(const P& A, const P& B) {
  return std::hypot(double(B.X) - A.X, double(B.Y) - A.Y);
}
double PFLength(const P& A) { return std::hypot(double(A.X), double(A.Y)); }
bool PFIsZero(const P& A) { return NearZero(A.X) && NearZero(A.Y); }
void PFOffset(P& A, float ADX, float ADY) { A.X += ADX, A.Y += ADY; }
void PFSetLocation(P& A, float AX, float AY) { A.X = AX, A.Y = AY; }
// A zero vector stays zero rather than becoming NaN.
P PFNormalize(const P& A) {
  const double length = PFLength(A);
  return length == 0 ? A : P{float(A.X / length), float(A.Y / length)};
}
double PFDotProduct(const P& A, const P& B) { return double(A.X) * B.X + double(A.Y) * B.Y; }
double PFCrossProduct(const P& A, const P& B) { return double(A.X) * B.Y - double(A.Y) * B.X; }
double PFAngle(const P& A, const P& B) { return std::atan2(double(A.Y) - B.Y, double(A.X) - B.X); }
P PFScale(const P& A, float AFactor) { return {A.X * AFactor, A.Y * AFactor}; }
P PFMidPoint(const P& A, const P& B) { return {(A.X + B.X) / 2, (A.Y + B.Y) / 2}; }
// Rotates by AAngle radians about the origin.
P PFRotate(const P& A, double AAngle) {
  const double c = std::cos(AAngle), s = std::sin(AAngle);
  return {float(A.X * c - A.Y * s), float(A.X * s + A.Y * c)};
}
TPoint PFRound(const P& A) { return {RoundOf(A.X), RoundOf(A.Y)}; }
TPoint PFTruncate(const P& A) { return {TruncOf(A.X), TruncOf(A.Y)}; }
TPoint PFCeiling(const P& A) { return {CeilOf(A.X), CeilOf(A.Y)}; }

TSizeF ZeroSizeF() { return {}; }
TSizeF SizeFOf(float ACX, float ACY) { return {ACX, ACY}; }
TSizeF SFAdd(const TSizeF& A, const TSizeF& B) { return {A.cx + B.cx, A.cy + B.cy}; }
TSizeF SFSubtract(const TSizeF& A, const TSizeF& B) { return {A.cx - B.cx, A.cy - B.cy}; }
double SFDistance(const TSizeF& A, const TSizeF& B) {
  return std::hypot(double(B.cx) - A.cx, double(B.cy) - A.cy);
}
bool SFIsZero(const TSizeF& A) { return NearZero(A.cx) && NearZero(A.cy); }
float SFWidth(const TSizeF& A) { return A.cx; }
float SFHeight(const TSizeF& A) { return A.cy; }
TSize SFRound(const TSizeF& A) { return {RoundOf(A.cx), RoundOf(A.cy)}; }
TSize SFTruncate(const TSizeF& A) { return {TruncOf(A.cx), TruncOf(A.cy)}; }
TSize SFCeiling(const TSizeF& A) { return {CeilOf(A.cx), CeilOf(A.cy)}; }

using RF = TRectF;
RF EmptyRectF() { return {}; }
RF RectFOfPoints(const P& A, const P& B) { return {A.X, A.Y, B.X, B.Y}; }
RF RectFOfRect(const TRect& R) {
  return {float(R.Left), float(R.Top), float(R.Right), float(R.Bottom)};
}
float RFWidth(const RF& R) { return R.Right - R.Left; }
float RFHeight(const RF& R) { return R.Bottom - R.Top; }
TSizeF RFSize(const RF& R) { return {RFWidth(R), RFHeight(R)}; }
P RFTopLeft(const RF& R) { return {R.Left, R.Top}; }
P RFBottomRight(const RF& R) { return {R.Right, R.Bottom}; }
P RFCenterPoint(const RF& R) { return {(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2}; }
bool RFIsEmpty(const RF& R) { return R.Right <= R.Left || R.Bottom <= R.Top; }
bool RFContainsRect(const RF& R, const RF& AInner) {
  return R.Left <= AInner.Left && R.Top <= AInner.Top && R.Right >= AInner.Right &&
         R.Bottom >= AInner.Bottom;
}
bool RFContainsPoint(const RF& R, const P& APoint) {
  return APoint.X >= R.Left && APoint.X < R.Right && APoint.Y >= R.Top && APoint.Y < R.Bottom;
}
bool RFContains(const RF& R, const VARIANT& AValue) {
  if (VarToWrapper(AValue, false)->GetWrapperClass() == QelWrapperClass<TPointF_sw>()) {
    return RFContainsPoint(R, TQelConv<P>::FromVar(AValue));
  }
  return RFContainsRect(R, TQelConv<RF>::FromVar(AValue));
}
bool RFIntersectsWith(const RF& R, const RF& AOther) {
  return R.Left < AOther.Right && AOther.Left < R.Right && R.Top < AOther.Bottom &&
         AOther.Top < R.Bottom;
}
RF RFIntersection(const RF& A, const RF& B) {
  const RF result{std::max(A.Left, B.Left), std::max(A.Top, B.Top), std::min(A.Right, B.Right),
                  std::min(A.Bottom, B.Bottom)};
  return RFIsEmpty(result) ? RF{} : result;
}
RF RFUnion(const RF& A, const RF& B) {
  if (RFIsEmpty(A)) return B;
  if (RFIsEmpty(B)) return A;
  return {std::min(A.Left, B.Left), std::min(A.Top, B.Top), std::max(A.Right, B.Right),
          std::max(A.Bottom, B.Bottom)};
}
void RFIntersect(RF& R, const RF& AOther) { R = RFIntersection(R, AOther); }
void RFUnite(RF& R, const RF& AOther) { R = RFUnion(R, AOther); }
void RFOffset(RF& R, float ADX, float ADY) {
  R = {R.Left + ADX, R.Top + ADY, R.Right + ADX, R.Bottom + ADY};
}
void RFInflate(RF& R, float ADX, float ADY) {
  R = {R.Left - ADX, R.Top - ADY, R.Right + ADX, R.Bottom + ADY};
}
void RFNormalize(RF& R) {
  if (R.Left > R.Right) std::swap(R.Left, R.Right);
  if (R.Top > R.Bottom) std::swap(R.Top, R.Bottom);
}
void RFSetLocation(RF& R, float AX, float AY) { R = {AX, AY, AX + RFWidth(R), AY + RFHeight(R)}; }
TRect RFRound(const RF& R) {
  return {RoundOf(R.Left), RoundOf(R.Top), RoundOf(R.Right), RoundOf(R.Bottom)};
}
TRect RFTruncate(const RF& R) {
  return {TruncOf(R.Left), TruncOf(R.Top), TruncOf(R.Right), TruncOf(R.Bottom)};
}
// The smallest integer rectangle holding R.
TRect RFCeiling(const RF& R) {
  return {FloorOf(R.Left), FloorOf(R.Top), CeilOf(R.Right), CeilOf(R.Bottom)};
}
bool IntersectRectFOf(RF& ADest, const RF& A, const RF& B) {
  ADest = RFIntersection(A, B);
  return !RFIsEmpty(ADest);
}
bool UnionRectFOf(RF& ADest, const RF& A, const RF& B) {
  ADest = RFUnion(A, B);
  return !RFIsEmpty(ADest);
}

template <class R>
R CopyOf(const R& AValue) {
  return AValue;
}

}  // namespace

void TPointF_sw::RegisterMembers(TQelRecordWrapperData& AData) {
  TQelRecordMembers<TPointF_sw> M(AData);
  M.Constructors<u"Create", &ZeroPointF, &PointFOf, &PointF>();
  M.Method<&CopyOf<P>>(u"Copy");
  M.Field<&P::X>(u"X");
  M.Field<&P::Y>(u"Y");
  M.ClassProperty<&ZeroPointF>(u"Zero");
  M.Method<&PFAdd>(u"Add");
  M.Method<&PFSubtract>(u"Subtract");
  M.Method<&PFDistance>(u"Distance");
  M.Method<&PFLength>(u"Length");
  M.Method<&PFIsZero>(u"IsZero");
  M.Method<&PFOffset>(u"Offset");
  M.Method<&PFSetLocation>(u"SetLocation");
  M.Method<&PFNormalize>(u"Normalize");
  M.Method<&PFDotProduct>(u"DotProduct");
  M.Method<&PFCrossProduct>(u"CrossProduct");
  M.Method<&PFAngle>(u"Angle");
  M.Method<&PFScale>(u"Scale");
  M.Method<&PFMidPoint>(u"MidPoint");
  M.Method<&PFRotate>(u"Rotate");
  M.Method<&PFRound>(u"Round");
  M.Method<&PFTruncate>(u"Truncate");
  M.Method<&PFCeiling>(u"Ceiling");
}

void TSizeF_sw::RegisterMembers(TQelRecordWrapperData& AData) {
  TQelRecordMembers<TSizeF_sw> M(AData);
  M.Constructors<u"Create", &ZeroSizeF, &SizeFOf>();
  M.Method<&CopyOf<TSizeF>>(u"Copy");
  M.Field<&TSizeF::cx>(u"cx");
  M.Field<&TSizeF::cy>(u"cy");
  M.Method<&SFWidth>(u"Width");
  M.Method<&SFHeight>(u"Height");
  M.Method<&SFAdd>(u"Add");
  M.Method<&SFSubtract>(u"Subtract");
  M.Method<&SFDistance>(u"Distance");
  M.Method<&SFIsZero>(u"IsZero");
  M.Method<&SFRound>(u"Round");
  M.Method<&SFTruncate>(u"Truncate");
  M.Method<&SFCeiling>(u"Ceiling");
}

void TRectF_sw::RegisterMembers(TQelRecordWrapperData& AData) {
  TQelRecordMembers<TRectF_sw> M(AData);
  M.Constructors<u"Create", &EmptyRectF, &RectFOfRect, &RectFOfPoints, &RectF>();
  M.Method<&CopyOf<RF>>(u"Copy");
  M.Field<&RF::Left>(u"Left");
  M.Field<&RF::Top>(u"Top");
  M.Field<&RF::Right>(u"Right");
  M.Field<&RF::Bottom>(u"Bottom");
  M.ClassProperty<&EmptyRectF>(u"Empty");
  M.Method<&RFWidth>(u"Width");
  M.Method<&RFHeight>(u"Height");
  M.Method<&RFSize>(u"Size");
  M.Method<&RFTopLeft>(u"TopLeft");
  M.Method<&RFBottomRight>(u"BottomRight");
  M.Method<&RFTopLeft>(u"Location");
  M.Method<&RFCenterPoint>(u"CenterPoint");
  M.Method<&RFIsEmpty>(u"IsEmpty");
  M.Method<&RFContains>(u"Contains");
  M.Method<&RFIntersectsWith>(u"IntersectsWith");
  M.Method<&RFIntersect>(u"Intersect");
  M.Method<&RFUnite>(u"Union");
  M.Method<&RFOffset>(u"Offset");
  M.Method<&RFInflate>(u"Inflate");
  M.Method<&RFNormalize>(u"NormalizeRect");
  M.Method<&RFSetLocation>(u"SetLocation");
  M.Method<&RFRound>(u"Round");
  M.Method<&RFTruncate>(u"Truncate");
  M.Method<&RFCeiling>(u"Ceiling");
}

void QelTypesFloat(TQelUnitMembers& M) {
  M.Routine<&PointF>(u"PointF");
  M.Routine<&RectF>(u"RectF");
  M.Routine<&IntersectRectFOf>(u"IntersectRectF");
  M.Routine<&UnionRectFOf>(u"UnionRectF");
  M.Constant<std::numbers::pi>(u"cPI");
  M.Constant<std::numbers::pi / 180>(u"cPIdiv180");
  M.Constant<180 / std::numbers::pi>(u"c180divPI");
  M.Constant<std::numbers::pi / 2>(u"cPIdiv2");
  M.Constant<std::numbers::pi / 4>(u"cPIdiv4");
  M.Constant<Epsilon>(u"Epsilon");
  M.Constant<Epsilon2>(u"Epsilon2");
}
