// Wrapper declarations of the list actions.
#pragma once

#include "host/gui/ListActns.h"
#include "host/gui/units/ActnWrappers.h"

QEL_GUI_CLASS(TListActionLink, TActionLink);
QEL_GUI_CLASS(TCustomListAction, TCustomAction);
QEL_GUI_CLASS(TListControlItem, TCollectionItem);
QEL_GUI_CLASS(TListControlItems, TOwnedCollection);
QEL_GUI_CLASS(TStaticListItems, TListControlItems);
QEL_GUI_CLASS(TCustomStaticListAction, TCustomListAction);
QEL_GUI_CLASS(TStaticListAction, TCustomStaticListAction);
QEL_GUI_CLASS(TCustomVirtualListAction, TCustomListAction);
QEL_GUI_CLASS(TVirtualListAction, TCustomVirtualListAction);
using TGetItemCountEvent_sw = TQelEventWrapperOf<TGetItemCountEvent>;
using TItemSelectedEvent_sw = TQelEventWrapperOf<TItemSelectedEvent>;
using TGetVirtualListItem_sw = TQelEventWrapperOf<TGetVirtualListItem>;
QEL_GUI_UNIT(ListActns);
