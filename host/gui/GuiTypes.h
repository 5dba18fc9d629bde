// Points, rectangles and sizes of the visual units (the records scripts know from "Types").
#pragma once

#include <cstdint>

#ifndef QEL_TYPES_GEOMETRY_DEFINED
#define QEL_TYPES_GEOMETRY_DEFINED
struct TPoint {
  int32_t X = 0;
  int32_t Y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
  int32_t cx = 0;
  int32_t cy = 0;
  friend bool operator==(const TSize&, const TSize&) = default;
};

// Right and Bottom lie just outside the rectangle, as the class library counts them.
struct TRect {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Right = 0;
  int32_t Bottom = 0;
  int32_t Width() const { return Right - Left; }
  int32_t Height() const { return Bottom - Top; }
  friend bool operator==(const TRect&, const TRect&) = default;
};

inline TPoint Point(int32_t AX, int32_t AY) { return {AX, AY}; }
inline TRect Rect(int32_t ALeft, int32_t ATop, int32_t ARight, int32_t ABottom) { return {ALeft, ATop, ARight, ABottom}; }
inline TRect Bounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight) {
  return {ALeft, ATop, ALeft + AWidth, ATop + AHeight};
}
#endif
