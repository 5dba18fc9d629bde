// Wrappers of the host units "ImageList" and "Messaging".
#pragma once

#include "engine/wrappers/units/Classes_QelSW.h"
#include "host/core/ImageList.h"
#include "host/core/Messaging.h"

QEL_CLASS_WRAPPER(TBaseImageList, TComponent);
QEL_CLASS_WRAPPER(TImageLink, TObject);
QEL_CLASS_WRAPPER(TMessageBase, TObject);
QEL_CLASS_WRAPPER(TMessage, TMessageBase);
QEL_CLASS_WRAPPER(TMessageManager, TObject);
using TMessageListenerMethod_sw = TQelEventWrapperOf<TMessageListenerMethod>;

struct ImageList_sw : TQelUnitWrapperBase {
  static constexpr std::u16string_view UnitName = u"ImageList";
  static void RegisterMembers(TQelUnitWrapperData& AData);
  static void RegisterWrappers();
};

struct Messaging_sw : TQelUnitWrapperBase {
  static constexpr std::u16string_view UnitName = u"Messaging";
  static void RegisterMembers(TQelUnitWrapperData& AData);
  static void RegisterWrappers();
};
