// Points, rectangles and sizes of the visual units: the records of "Types", compared by value.
#pragma once

#include "host/core/Types.h"

inline bool operator==(const TPoint& A, const TPoint& B) { return A.X == B.X && A.Y == B.Y; }
inline bool operator==(const TSize& A, const TSize& B) { return A.cx == B.cx && A.cy == B.cy; }
inline bool operator==(const TRect& A, const TRect& B) {
  return A.Left == B.Left && A.Top == B.Top && A.Right == B.Right && A.Bottom == B.Bottom;
}
