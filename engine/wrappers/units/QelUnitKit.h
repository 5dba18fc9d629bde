// Helpers shared by the host-unit wrappers.
#pragma once

#include "engine/wrappers/QelSctSysWrappers.h"

// Registers the class wrappers Ws (each under its host class).
template <class... Ws>
void QelRegisterClassWrappers() {
  (RegisterClassWrapper(QelWrapperClass<Ws>()), ...);
}

// Registers each event wrapper under its host event type.
template <class... Ws>
void QelRegisterEventWrappers() {
  (RegisterEventWrapper(Ws::Event::TypeInfo(), QelWrapperClass<Ws>()), ...);
}

// Adds "TypeName" entries for the wrapper types Ws, in order.
template <class... Ws>
void QelAddTypes(TQelUnitMembers& AMembers) {
  (AMembers.Type<Ws>(), ...);
}

namespace QelUnitKitDetail {

template <class E>
E* NewException(TClass, std::u16string_view AMessage) {
  return new E(String(AMessage));
}

}  // namespace QelUnitKitDetail

// An exception class wrapper whose Create takes the message. The host's exception classes have
// no virtual constructor, so each wrapper creates its own class.
template <class E, class ParentWrapper>
struct TQelExceptionWrapperOf : TQelClassWrapperOf<E, ParentWrapper> {
  static void RegisterMembers(TQelClassWrapperData& AData) {
    TQelMembers<E>(AData).template Constructor<&QelUnitKitDetail::NewException<E>>();
  }
};

#define QEL_EXCEPTION_WRAPPER(Name, Parent)                              \
  struct Name##_sw : TQelExceptionWrapperOf<Name, Parent##_sw> {};     \
  QEL_WRAPS(Name, Name##_sw)
