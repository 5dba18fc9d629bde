#include "host/core/Types.h"

#include <algorithm>

bool IntersectRect(TRect& ADest, const TRect& ARect1, const TRect& ARect2) {
  ADest = {std::max(ARect1.Left, ARect2.Left), std::max(ARect1.Top, ARect2.Top), std::min(ARect1.Right, ARect2.Right),
           std::min(ARect1.Bottom, ARect2.Bottom)};
  if (IsRectEmpty(ADest)) {
    ADest = {};
    return false;
  }
  return true;
}

bool UnionRect(TRect& ADest, const TRect& ARect1, const TRect& ARect2) {
  if (IsRectEmpty(ARect1)) ADest = ARect2;
  else if (IsRectEmpty(ARect2)) ADest = ARect1;
  else
    ADest = {std::min(ARect1.Left, ARect2.Left), std::min(ARect1.Top, ARect2.Top), std::max(ARect1.Right, ARect2.Right),
             std::max(ARect1.Bottom, ARect2.Bottom)};
  return !IsRectEmpty(ADest);
}

bool OffsetRect(TRect& ARect, int32_t ADX, int32_t ADY) {
  ARect.Left += ADX;
  ARect.Right += ADX;
  ARect.Top += ADY;
  ARect.Bottom += ADY;
  return true;
}

bool EqualRect(const TRect& ARect1, const TRect& ARect2) {
  return ARect1.Left == ARect2.Left && ARect1.Top == ARect2.Top && ARect1.Right == ARect2.Right &&
         ARect1.Bottom == ARect2.Bottom;
}
