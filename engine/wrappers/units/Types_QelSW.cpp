// The "Types" unit wrapper: points, sizes and rectangles by value, with the record methods of
// the class library (integer records here, floating-point ones in TypesFloat_QelSW.cpp).
#include <cmath>

#include "engine/wrappers/units/Types_QelSW.h"

namespace {

// Coordinates wrap around as the class library's (without overflow checks) do, rather than
// overflowing.
int32_t W(int64_t AValue) { return static_cast<int32_t>(static_cast<uint32_t>(AValue)); }

TPoint ZeroPoint() { return {}; }
TPoint PointAdd(const TPoint& A, const TPoint& B) {
  return {W(int64_t{A.X} + B.X), W(int64_t{A.Y} + B.Y)};
}
TPoint PointSubtract(const TPoint& A, const TPoint& B) {
  return {W(int64_t{A.X} - B.X), W(int64_t{A.Y} - B.Y)};
}
double PointDistance(const TPoint& A, const TPoint& B) {
  return std::hypot(double(B.X) - A.X, double(B.Y) - A.Y);
}
bool PointIsZero(const TPoint& A) { return A.X == 0 && A.Y == 0; }
void PointOffset(TPoint& A, int32_t ADX, int32_t ADY) {
  A = {W(int64_t{A.X} + ADX), W(int64_t{A.Y} + ADY)};
}
void PointSetLocation(TPoint& A, int32_t AX, int32_t AY) { A.X = AX, A.Y = AY; }
double PointAngle(const TPoint& A, const TPoint& B) {
  return std::atan2(double(A.Y) - B.Y, double(A.X) - B.X);
}
bool PointInCircle(const TPoint& APoint, const TPoint& ACenter, int32_t ARadius) {
  return ARadius > 0 && PointDistance(APoint, ACenter) <= ARadius;
}
bool PointsEqual(const TPoint& A, const TPoint& B) { return A.X == B.X && A.Y == B.Y; }
TPoint MinPoint(const TPoint& A, const TPoint& B) {
  return (A.Y < B.Y || (A.Y == B.Y && A.X < B.X)) ? A : B;
}
// Halves to even, as the class library's Round; beyond Integer raises EInvalidOp.
int32_t ScaledOf(int32_t AValue, double AFactor) {
  const double value = std::nearbyint(AValue * AFactor);
  if (!(value > -2147483649.0 && value < 2147483648.0)) throw ExceptionPtr(new EInvalidOp());
  return static_cast<int32_t>(value);
}
TPoint ScalePoint(const TPoint& A, double AX, double AY) {
  return {ScaledOf(A.X, AX), ScaledOf(A.Y, AY)};
}

TSmallPoint ZeroSmallPoint() { return {}; }
TSmallPoint SmallAdd(const TSmallPoint& A, const TSmallPoint& B) {
  return {static_cast<int16_t>(A.x + B.x), static_cast<int16_t>(A.y + B.y)};
}
TSmallPoint SmallSubtract(const TSmallPoint& A, const TSmallPoint& B) {
  return {static_cast<int16_t>(A.x - B.x), static_cast<int16_t>(A.y - B.y)};
}
double SmallDistance(const TSmallPoint& A, const TSmallPoint& B) {
  return std::hypot(double(B.x) - A.x, double(B.y) - A.y);
}
bool SmallIsZero(const TSmallPoint& A) { return A.x == 0 && A.y == 0; }

TSize ZeroSize() { return {}; }
TSize MakeSize(int32_t ACX, int32_t ACY) { return {ACX, ACY}; }
TSize SizeAdd(const TSize& A, const TSize& B) {
  return {W(int64_t{A.cx} + B.cx), W(int64_t{A.cy} + B.cy)};
}
TSize SizeSubtract(const TSize& A, const TSize& B) {
  return {W(int64_t{A.cx} - B.cx), W(int64_t{A.cy} - B.cy)};
}
double SizeDistance(const TSize& A, const TSize& B) {
  return std::hypot(double(B.cx) - A.cx, double(B.cy) - A.cy);
}
bool SizeIsZero(const TSize& A) { return A.cx == 0 && A.cy == 0; }
int32_t SizeWidth(const TSize& A) { return A.cx; }
int32_t SizeHeight(const TSize& A) { return A.cy; }

TRect EmptyRect() { return {}; }
TRect RectOfPoints(const TPoint& A, const TPoint& B) { return {A.X, A.Y, B.X, B.Y}; }
TRect RectOfOrigin(const TPoint& AOrigin, int32_t AWidth, int32_t AHeight) {
  return Bounds(AOrigin.X, AOrigin.Y, AWidth, AHeight);
}
TSize RectSize(const TRect& R) { return {R.Width(), R.Height()}; }
TPoint RectTopLeft(const TRect& R) { return {R.Left, R.Top}; }
TPoint RectBottomRight(const TRect& R) { return {R.Right, R.Bottom}; }
bool RectIsEmpty(const TRect& R) { return IsRectEmpty(R); }
bool RectContainsRect(const TRect& R, const TRect& AInner) {
  return R.Left <= AInner.Left && R.Top <= AInner.Top && R.Right >= AInner.Right &&
         R.Bottom >= AInner.Bottom;
}
// Contains takes a point or a rectangle, as the class library's two overloads do.
bool RectContains(const TRect& R, const VARIANT& AValue) {
  if (VarToWrapper(AValue, false)->GetWrapperClass() == QelWrapperClass<TPoint_sw>()) {
    return PtInRect(R, TQelConv<TPoint>::FromVar(AValue));
  }
  return RectContainsRect(R, TQelConv<TRect>::FromVar(AValue));
}
bool RectIntersectsWith(const TRect& R, const TRect& AOther) {
  return R.Left < AOther.Right && AOther.Left < R.Right && R.Top < AOther.Bottom &&
         AOther.Top < R.Bottom;
}
void RectIntersect(TRect& R, const TRect& AOther) { IntersectRect(R, TRect(R), AOther); }
void RectUnion(TRect& R, const TRect& AOther) { UnionRect(R, TRect(R), AOther); }
void RectOffset(TRect& R, int32_t ADX, int32_t ADY) { OffsetRect(R, ADX, ADY); }
void RectInflate(TRect& R, int32_t ADX, int32_t ADY) {
  R = {W(int64_t{R.Left} - ADX), W(int64_t{R.Top} - ADY), W(int64_t{R.Right} + ADX),
       W(int64_t{R.Bottom} + ADY)};
}
void RectNormalize(TRect& R) {
  if (R.Left > R.Right) std::swap(R.Left, R.Right);
  if (R.Top > R.Bottom) std::swap(R.Top, R.Bottom);
}
void RectSetLocation(TRect& R, int32_t AX, int32_t AY) {
  R = Bounds(AX, AY, R.Width(), R.Height());
}
TRect NormalizedRect(const TRect& R) {
  TRect result = R;
  RectNormalize(result);
  return result;
}
// A strip of ASize pixels along one side (the class library's SplitRect by size).
TRect RectSplit(const TRect& R, TSplitRectType AType, int32_t ASize) {
  switch (AType) {
    case srLeft: return {R.Left, R.Top, R.Left + ASize, R.Bottom};
    case srRight: return {R.Right - ASize, R.Top, R.Right, R.Bottom};
    case srTop: return {R.Left, R.Top, R.Right, R.Top + ASize};
    case srBottom: return {R.Left, R.Bottom - ASize, R.Right, R.Bottom};
  }
  return R;
}
bool InflateRectOf(TRect& R, int32_t ADX, int32_t ADY) {
  RectInflate(R, ADX, ADY);
  return true;
}
int32_t RectWidth(const TRect& R) { return R.Width(); }
int32_t RectHeight(const TRect& R) { return R.Height(); }
// ARect moved so that its centre is ABounds' centre.
TRect CenteredRect(const TRect& ABounds, const TRect& ARect) {
  const TPoint centre = CenterPoint(ABounds);
  return Bounds(centre.X - ARect.Width() / 2, centre.Y - ARect.Height() / 2, ARect.Width(),
                ARect.Height());
}
void RectCenter(TRect& R, const TRect& ABounds) { R = CenteredRect(ABounds, R); }

template <class R>
R CopyOf(const R& AValue) {
  return AValue;
}

}  // namespace

void TPoint_sw::RegisterMembers(TQelRecordWrapperData& AData) {
  TQelRecordMembers<TPoint_sw> M(AData);
  M.Constructors<u"Create", &ZeroPoint, &Point>();
  M.Method<&CopyOf<TPoint>>(u"Copy");
  M.Field<&TPoint::X>(u"X");
  M.Field<&TPoint::Y>(u"Y");
  M.ClassProperty<&ZeroPoint>(u"Zero");
  M.ClassMethod<&PointInCircle>(u"PointInCircle");
  M.Method<&PointAdd>(u"Add");
  M.Method<&PointSubtract>(u"Subtract");
  M.Method<&PointDistance>(u"Distance");
  M.Method<&PointIsZero>(u"IsZero");
  M.Method<&PointOffset>(u"Offset");
  M.Method<&PointSetLocation>(u"SetLocation");
  M.Method<&PointAngle>(u"Angle");
}

void TSmallPoint_sw::RegisterMembers(TQelRecordWrapperData& AData) {
  TQelRecordMembers<TSmallPoint_sw> M(AData);
  M.Constructors<u"Create", &ZeroSmallPoint, &SmallPoint>();
  M.Method<&CopyOf<TSmallPoint>>(u"Copy");
  M.Field<&TSmallPoint::x>(u"x");
  M.Field<&TSmallPoint::y>(u"y");
  M.Method<&SmallAdd>(u"Add");
  M.Method<&SmallSubtract>(u"Subtract");
  M.Method<&SmallDistance>(u"Distance");
  M.Method<&SmallIsZero>(u"IsZero");
}

void TSize_sw::RegisterMembers(TQelRecordWrapperData& AData) {
  TQelRecordMembers<TSize_sw> M(AData);
  M.Constructors<u"Create", &ZeroSize, &MakeSize>();
  M.Method<&CopyOf<TSize>>(u"Copy");
  M.Field<&TSize::cx>(u"cx");
  M.Field<&TSize::cy>(u"cy");
  M.Method<&SizeWidth>(u"Width");
  M.Method<&SizeHeight>(u"Height");
  M.Method<&SizeAdd>(u"Add");
  M.Method<&SizeSubtract>(u"Subtract");
  M.Method<&SizeDistance>(u"Distance");
  M.Method<&SizeIsZero>(u"IsZero");
}

void TRect_sw::RegisterMembers(TQelRecordWrapperData& AData) {
  TQelRecordMembers<TRect_sw> M(AData);
  M.Constructors<u"Create", &EmptyRect, &RectOfPoints, &RectOfOrigin, &Rect>();
  M.Method<&CopyOf<TRect>>(u"Copy");
  M.Field<&TRect::Left>(u"Left");
  M.Field<&TRect::Top>(u"Top");
  M.Field<&TRect::Right>(u"Right");
  M.Field<&TRect::Bottom>(u"Bottom");
  M.ClassProperty<&EmptyRect>(u"Empty");
  M.Method<&TRect::Width>(u"Width");
  M.Method<&TRect::Height>(u"Height");
  M.Method<&RectSize>(u"Size");
  M.Method<&RectTopLeft>(u"TopLeft");
  M.Method<&RectBottomRight>(u"BottomRight");
  M.Method<&RectTopLeft>(u"Location");
  M.Method<&CenterPoint>(u"CenterPoint");
  M.Method<&RectIsEmpty>(u"IsEmpty");
  M.Method<&RectContains>(u"Contains");
  M.Method<&RectIntersectsWith>(u"IntersectsWith");
  M.Method<&RectIntersect>(u"Intersect");
  M.Method<&RectUnion>(u"Union");
  M.Method<&RectOffset>(u"Offset");
  M.Method<&RectInflate>(u"Inflate");
  M.Method<&RectNormalize>(u"NormalizeRect");
  M.Method<&RectSetLocation>(u"SetLocation");
  M.Method<&RectSplit>(u"SplitRect");
}

void Types_sw::RegisterMembers(TQelUnitWrapperData& AData) {
  TQelUnitMembers M(AData);
  QelAddTypes<TPoint_sw, TSmallPoint_sw, TSize_sw, TRect_sw, TPointF_sw, TSizeF_sw, TRectF_sw>(M);
  QelUnitData_Types(M);
  M.Constant<int32_t{-1}>(u"LessThanValue");
  M.Constant<int32_t{0}>(u"EqualsValue");
  M.Constant<int32_t{1}>(u"GreaterThanValue");
  M.Routine<&Point>(u"Point");
  M.Routine<&SmallPoint>(u"SmallPoint");
  M.Routine<&Rect>(u"Rect");
  M.Routine<&Bounds>(u"Bounds");
  M.Routine<&PtInRect>(u"PtInRect");
  M.Routine<&IsRectEmpty>(u"IsRectEmpty");
  M.Routine<&CenterPoint>(u"CenterPoint");
  M.Routine<&IntersectRect>(u"IntersectRect");
  M.Routine<&UnionRect>(u"UnionRect");
  M.Routine<&OffsetRect>(u"OffsetRect");
  M.Routine<&EqualRect>(u"EqualRect");
  M.Routine<&InflateRectOf>(u"InflateRect");
  M.Routine<&RectWidth>(u"RectWidth");
  M.Routine<&RectHeight>(u"RectHeight");
  M.Routine<&CenteredRect>(u"CenteredRect");
  M.Routine<&RectCenter>(u"RectCenter");
  M.Routine<&NormalizedRect>(u"NormalizeRect");
  M.Routine<&RectSplit>(u"SplitRect");
  M.Routine<&PointsEqual>(u"PointsEqual");
  M.Routine<&MinPoint>(u"MinPoint");
  M.Routine<&ScalePoint>(u"ScalePoint");
  QelTypesFloat(M);
}
