// The "Types" unit wrapper: points, sizes and rectangles by value.
#include "engine/wrappers/units/Types_QelSW.h"

void TPoint_sw::RegisterMembers(TQelRecordWrapperData& AData) {
  TQelRecordMembers<TPoint_sw> M(AData);
  M.CreateAndCopy();
  M.Field<&TPoint::X>(u"X");
  M.Field<&TPoint::Y>(u"Y");
}

void TSmallPoint_sw::RegisterMembers(TQelRecordWrapperData& AData) {
  TQelRecordMembers<TSmallPoint_sw> M(AData);
  M.CreateAndCopy();
  M.Field<&TSmallPoint::x>(u"x");
  M.Field<&TSmallPoint::y>(u"y");
}

void TSize_sw::RegisterMembers(TQelRecordWrapperData& AData) {
  TQelRecordMembers<TSize_sw> M(AData);
  M.CreateAndCopy();
  M.Field<&TSize::cx>(u"cx");
  M.Field<&TSize::cy>(u"cy");
}

void TRect_sw::RegisterMembers(TQelRecordWrapperData& AData) {
  TQelRecordMembers<TRect_sw> M(AData);
  M.CreateAndCopy();
  M.Field<&TRect::Left>(u"Left");
  M.Field<&TRect::Top>(u"Top");
  M.Field<&TRect::Right>(u"Right");
  M.Field<&TRect::Bottom>(u"Bottom");
  M.Method<&TRect::Width>(u"Width");
  M.Method<&TRect::Height>(u"Height");
}

void TPointF_sw::RegisterMembers(TQelRecordWrapperData& AData) {
  TQelRecordMembers<TPointF_sw> M(AData);
  M.CreateAndCopy();
  M.Field<&TPointF::X>(u"X");
  M.Field<&TPointF::Y>(u"Y");
}

void TSizeF_sw::RegisterMembers(TQelRecordWrapperData& AData) {
  TQelRecordMembers<TSizeF_sw> M(AData);
  M.CreateAndCopy();
  M.Field<&TSizeF::cx>(u"cx");
  M.Field<&TSizeF::cy>(u"cy");
}

void TRectF_sw::RegisterMembers(TQelRecordWrapperData& AData) {
  TQelRecordMembers<TRectF_sw> M(AData);
  M.CreateAndCopy();
  M.Field<&TRectF::Left>(u"Left");
  M.Field<&TRectF::Top>(u"Top");
  M.Field<&TRectF::Right>(u"Right");
  M.Field<&TRectF::Bottom>(u"Bottom");
}

void Types_sw::RegisterMembers(TQelUnitWrapperData& AData) {
  TQelUnitMembers M(AData);
  QelAddTypes<TPoint_sw, TSmallPoint_sw, TSize_sw, TRect_sw, TPointF_sw, TSizeF_sw, TRectF_sw>(M);
  QelUnitData_Types(M);
  M.Routine<&Point>(u"Point");
  M.Routine<&SmallPoint>(u"SmallPoint");
  M.Routine<&Rect>(u"Rect");
  M.Routine<&Bounds>(u"Bounds");
  M.Routine<&PointF>(u"PointF");
  M.Routine<&RectF>(u"RectF");
  M.Routine<&PtInRect>(u"PtInRect");
  M.Routine<&IsRectEmpty>(u"IsRectEmpty");
  M.Routine<&CenterPoint>(u"CenterPoint");
  M.Routine<&IntersectRect>(u"IntersectRect");
  M.Routine<&UnionRect>(u"UnionRect");
  M.Routine<&OffsetRect>(u"OffsetRect");
  M.Routine<&EqualRect>(u"EqualRect");
}
