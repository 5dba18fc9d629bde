// Host unit "Types": points, rectangles and sizes (integer and floating-point) and their
// constructor routines.
#pragma once

#include <cstdint>

struct TPoint {
  int32_t X = 0;
  int32_t Y = 0;
};
struct TSmallPoint {
  int16_t x = 0;
  int16_t y = 0;
};
struct TSize {
  int32_t cx = 0;
  int32_t cy = 0;
};
struct TRect {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Right = 0;
  int32_t Bottom = 0;
  int32_t Width() const { return Right - Left; }
  int32_t Height() const { return Bottom - Top; }
};
struct TPointF {
  float X = 0;
  float Y = 0;
};
struct TSizeF {
  float cx = 0;
  float cy = 0;
};
struct TRectF {
  float Left = 0;
  float Top = 0;
  float Right = 0;
  float Bottom = 0;
};

inline TPoint Point(int32_t AX, int32_t AY) { return {AX, AY}; }
inline TSmallPoint SmallPoint(int16_t AX, int16_t AY) { return {AX, AY}; }
inline TRect Rect(int32_t ALeft, int32_t ATop, int32_t ARight, int32_t ABottom) { return {ALeft, ATop, ARight, ABottom}; }
inline TRect Bounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight) {
  return {ALeft, ATop, ALeft + AWidth, ATop + AHeight};
}
inline TPointF PointF(float AX, float AY) { return {AX, AY}; }
inline TRectF RectF(float ALeft, float ATop, float ARight, float ABottom) { return {ALeft, ATop, ARight, ABottom}; }
// Right and bottom edges are outside the rectangle.
inline bool PtInRect(const TRect& ARect, const TPoint& APoint) {
  return APoint.X >= ARect.Left && APoint.X < ARect.Right && APoint.Y >= ARect.Top && APoint.Y < ARect.Bottom;
}
inline bool IsRectEmpty(const TRect& ARect) { return ARect.Right <= ARect.Left || ARect.Bottom <= ARect.Top; }
inline TPoint CenterPoint(const TRect& ARect) {
  return {ARect.Left + (ARect.Right - ARect.Left) / 2, ARect.Top + (ARect.Bottom - ARect.Top) / 2};
}
// The overlap of two rectangles; false (and an empty result) when they do not overlap.
bool IntersectRect(TRect& ADest, const TRect& ARect1, const TRect& ARect2);
// The smallest rectangle holding both (an empty one counts for nothing).
bool UnionRect(TRect& ADest, const TRect& ARect1, const TRect& ARect2);
bool OffsetRect(TRect& ARect, int32_t ADX, int32_t ADY);
bool EqualRect(const TRect& ARect1, const TRect& ARect2);
