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

// The file open and sharing modes (fmCreate, fmOpenRead, …), which both Classes and SysUtils
// publish (Classes_QelSW.cpp).
void QelAddFileModeConstants(TQelUnitMembers& M);

// Format with its open argument array as a variant array (or one plain value), in the regional
// settings of the process (SysUtilsText_QelSW.cpp).
String QelSysUtilsFormat(std::u16string_view AFormat, const VARIANT& AArgs);

namespace QelUnitKitDetail {

// A descendant without constructors of its own (one whose host constructor takes more than a
// message) cannot be made by its ancestor's: that would give the ancestor's class.
template <class E>
void CheckClass(TClass AClass) {
  if (AClass && AClass != E::StaticClass()) {
    throw ExceptionPtr(new ENoConstructException(
        Exception::FormatMessage(u"%s has no constructor of this form", {AClass->ClassName()})));
  }
}
template <class E>
E* NewException(TClass AClass, std::u16string_view AMessage) {
  CheckClass<E>(AClass);
  return new E(String(AMessage));
}
template <class E>
E* NewExceptionFmt(TClass AClass, std::u16string_view AMessage, const VARIANT& AArgs) {
  CheckClass<E>(AClass);
  return new E(QelSysUtilsFormat(AMessage, AArgs));
}
template <class E>
E* NewExceptionHelp(TClass AClass, std::u16string_view AMessage, int32_t AHelpContext) {
  E* error = NewException<E>(AClass, AMessage);
  error->SetHelpContext(AHelpContext);
  return error;
}
template <class E>
E* NewExceptionFmtHelp(TClass AClass, std::u16string_view AMessage, const VARIANT& AArgs,
                       int32_t AHelpContext) {
  E* error = NewExceptionFmt<E>(AClass, AMessage, AArgs);
  error->SetHelpContext(AHelpContext);
  return error;
}

// The constructors of every exception class: a message, a format with its arguments, and
// either with a help context.
template <class E>
void ExceptionConstructors(TQelMembers<E>& M) {
  M.template Constructor<&NewException<E>>();
  M.template Constructor<&NewExceptionFmt<E>>(u"CreateFmt");
  M.template Constructor<&NewExceptionHelp<E>>(u"CreateHelp");
  M.template Constructor<&NewExceptionFmtHelp<E>>(u"CreateFmtHelp");
}

}  // namespace QelUnitKitDetail

// An exception class wrapper whose constructors take the message. The host's exception classes
// have no virtual constructor, so each wrapper creates its own class.
template <class E, class ParentWrapper>
struct TQelExceptionWrapperOf : TQelClassWrapperOf<E, ParentWrapper> {
  static void RegisterMembers(TQelClassWrapperData& AData) {
    TQelMembers<E> M(AData);
    QelUnitKitDetail::ExceptionConstructors(M);
  }
};

#define QEL_EXCEPTION_WRAPPER(Name, Parent)                              \
  struct Name##_sw : TQelExceptionWrapperOf<Name, Parent##_sw> {};     \
  QEL_WRAPS(Name, Name##_sw)

// A date a routine hands back (a result or a var parameter): it reaches scripts as a date, not
// as the real a host TDateTime is.
struct TQelDate {
  TDateTime Value = 0;
};
struct TQelDateConv : TDateTime_sw {
  static VARIANT ToVar(TQelDate AValue) { return QelDateVar(AValue.Value); }
  static TQelDate FromVar(const VARIANT& AValue) { return {QelVarToReal(AValue)}; }
};
template <>
struct TQelConvOf<TQelDate> {
  using Type = TQelDateConv;
};

// A record var parameter a routine fills: an unassigned script variable counts as an empty
// record, so `FindFirst(Mask, faAnyFile, F)` needs no `F := TSearchRec.Create` first.
template <class R>
struct TQelOutRecord {
  R Value{};
};
template <class R>
struct TQelOutRecordConv : TQelWrapperFor<R>::Type {
  static VARIANT ToVar(const TQelOutRecord<R>& AValue) { return TQelConv<R>::ToVar(AValue.Value); }
  static TQelOutRecord<R> FromVar(const VARIANT& AValue) {
    const VARIANT& value = QelDeref(AValue);
    if (value.vt == VT_EMPTY) return {};
    return {TQelConv<R>::FromVar(value)};
  }
};
template <class R>
struct TQelConvOf<TQelOutRecord<R>> {
  using Type = TQelOutRecordConv<R>;
};

// Declares the wrapper of a host record (members in its RegisterMembers).
#define QEL_RECORD_WRAPPER(Name)                               \
  struct Name##_sw : TQelRecordWrapperOf_sw<Name> {            \
    static constexpr std::u16string_view TypeName = u"" #Name; \
    static void RegisterMembers(TQelRecordWrapperData& AData); \
  };                                                           \
  QEL_WRAPS(Name, Name##_sw)

// A value as text the way the class library's text writers and builders give it: Booleans as
// True/False, reals and dates in the regional format, everything else as its string.
inline String QelValueText(const VARIANT& AValue) {
  const VARIANT& value = QelDeref(AValue);
  switch (value.vt) {
    case VT_BOOL: return BoolToStr(value.boolVal != VARIANT_FALSE, true);
    case VT_R4:
    case VT_R8: return FloatToStr(QelVarToReal(value));
    case VT_DATE: return DateTimeToStr(value.date);
    default: return QelVarToString(value);
  }
}

// Bytes reach scripts as an array of Byte values (indexed from 0, measured with Length); any
// one-dimensional array of numbers 0..255 converts back, others raise ERangeError.
struct TQelBytesConv : Variant_sw {
  static constexpr std::u16string_view TypeName = u"TBytes";
  static VARIANT ToVar(const std::vector<uint8_t>& AValue);
  static std::vector<uint8_t> FromVar(const VARIANT& AValue);
};
template <>
struct TQelConvOf<std::vector<uint8_t>> {
  using Type = TQelBytesConv;
};
