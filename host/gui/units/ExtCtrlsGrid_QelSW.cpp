// The "ExtCtrls" grid panels and their collections.
#include "host/gui/units/ExtWrappers.h"

void TCellItem_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TCellItem> M(AData);
  M.Property<&TCellItem::GetSizeStyle, &TCellItem::SetSizeStyle>(u"SizeStyle");
  M.Property<&TCellItem::GetValue, &TCellItem::SetValue>(u"Value");
  M.Property<&TCellItem::GetAutoAdded, &TCellItem::SetAutoAdded>(u"AutoAdded");
}
void TRowItem_sw::RegisterMembers(TQelClassWrapperData&) {}
void TColumnItem_sw::RegisterMembers(TQelClassWrapperData&) {}

void TCellCollection_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TCellCollection>(AData).Property<&TCellCollection::GetCellItems>(u"Items", qpDefault);
}
void TRowCollection_sw::RegisterMembers(TQelClassWrapperData&) {}
void TColumnCollection_sw::RegisterMembers(TQelClassWrapperData&) {}

void TControlItem_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TControlItem> M(AData);
  M.Property<&TControlItem::GetControl, &TControlItem::SetControl>(u"Control");
  M.Property<&TControlItem::GetColumn, &TControlItem::SetColumn>(u"Column");
  M.Property<&TControlItem::GetRow, &TControlItem::SetRow>(u"Row");
  M.Property<&TControlItem::GetColumnSpan, &TControlItem::SetColumnSpan>(u"ColumnSpan");
  M.Property<&TControlItem::GetRowSpan, &TControlItem::SetRowSpan>(u"RowSpan");
}

void TControlCollection_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TControlCollection> M(AData);
  M.Property<&TControlCollection::GetItem>(u"Items", qpDefault);
  M.Property<&TControlCollection::GetControls>(u"Controls");
  M.Property<&TControlCollection::GetControlItems>(u"ControlItems");
  M.Method<&TControlCollection::AddControl, QelDefaults<-1, -1>>(u"AddControl");
  M.Method<&TControlCollection::RemoveControl>(u"RemoveControl");
  M.Method<&TControlCollection::IndexOf>(u"IndexOf");
}

void TCustomGridPanel_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TCustomGridPanel> M(AData);
  M.Constructor();
  M.Property<&TCustomGridPanel::GetColumnCollection, &TCustomGridPanel::SetColumnCollection>(
      u"ColumnCollection", qpProtected);
  M.Property<&TCustomGridPanel::GetRowCollection, &TCustomGridPanel::SetRowCollection>(
      u"RowCollection", qpProtected);
  M.Property<&TCustomGridPanel::GetControlCollection>(u"ControlCollection", qpProtected);
  M.Property<&TCustomGridPanel::GetExpandStyle, &TCustomGridPanel::SetExpandStyle>(u"ExpandStyle",
                                                                                   qpProtected);
  M.Method<&TCustomGridPanel::CellRect>(u"CellRect");
  M.Method<&TCustomGridPanel::IsColumnEmpty>(u"IsColumnEmpty");
  M.Method<&TCustomGridPanel::IsRowEmpty>(u"IsRowEmpty");
}

void TGridPanel_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TGridPanel> M(AData);
  M.Constructor();
  QelRedeclareWinControl(M);
  for (std::u16string_view name :
       {u"ColumnCollection", u"RowCollection", u"ControlCollection", u"ExpandStyle", u"Alignment",
        u"VerticalAlignment", u"BorderStyle", u"ShowCaption", u"FullRepaint", u"ParentBackground",
        u"BevelInner", u"BevelOuter", u"BevelKind", u"BevelWidth", u"BorderWidth"})
    M.Redeclare(name);
}
