// Wrapper classes as C++ types, and the conversions between host C++ types and variants.
//
// A wrapper class is written as a struct of static members (never instantiated) deriving from
// its parent wrapper; QelWrapperClass<W>() makes its one descriptor from them on first use.
// Static members a wrapper struct may give (inherited ones apply, as class operations do):
//   Kind, TypeName, DebugType          every type wrapper (from its base)
//   WrappedClass()                     class and class-descriptor wrappers
//   RegisterMembers(Data&)             class, record and unit wrappers
//   Enumerators()                      enumerations; SetSize sets; Record the record's C++ type
//   Event                              event wrappers: the host event type
//
// The predefined type wrappers (Integer_sw, String_sw, ...) double as the conversion traits
// of their C++ types: TQelConv<T> names the wrapper struct whose ToVar/FromVar convert T, and
// a member whose type has no TQelConv fails to compile.
#pragma once

#include <concepts>
#include <span>
#include <type_traits>
#include <vector>

#include "engine/wrappers/QelSctWrappers.h"

// ---------------------------------------------------------------------------
// Kind bases

struct TQelKindBase {};
template <TQelWrapperKind AKind, VARTYPE ADebugType>
struct TQelKindBaseOf : TQelKindBase {
  using QelKindBaseSelf = TQelKindBaseOf;
  static constexpr TQelWrapperKind Kind = AKind;
  static constexpr VARTYPE DebugType = ADebugType;
};
// True for the kind bases themselves (not for the wrappers deriving from them).
template <class P>
concept CQelKindBase = std::is_same_v<typename P::QelKindBaseSelf, P>;

using TQelClassWrapperBase = TQelKindBaseOf<wkClass, VT_DISPATCH>;
using TQelMetaclassWrapperBase = TQelKindBaseOf<wkMetaclass, VT_DISPATCH>;
using TQelRecordWrapperBase = TQelKindBaseOf<wkRecord, VT_DISPATCH>;
using TQelEnumWrapperBase = TQelKindBaseOf<wkEnum, VT_I4>;
using TQelSetWrapperBase = TQelKindBaseOf<wkSet, VT_I4>;
using TQelSubrangeWrapperBase = TQelKindBaseOf<wkSubrange, VT_I4>;
// Each predefined type gives its own debug type.
using TQelPredTypeWrapperBase = TQelKindBaseOf<wkPredType, VT_EMPTY>;
using TQelEventWrapperBase = TQelKindBaseOf<wkEvent, VT_DISPATCH>;
using TQelUnitWrapperBase = TQelKindBaseOf<wkUnit, VT_EMPTY>;

template <class W>
TQelWrapperClassRef QelWrapperClass();
template <class Ev>
struct TQelEventWrapperOf;

// Host type -> its generated wrapper struct, declared with QEL_WRAPS next to the wrapper.
template <class T>
struct TQelWrapperFor;
#define QEL_WRAPS(HostType, Wrapper)          \
  template <>                                 \
  struct TQelWrapperFor<HostType> {           \
    using Type = Wrapper;                     \
  }
template <class T>
concept CQelHasWrapper = requires { typename TQelWrapperFor<T>::Type; };
// T's declared wrapper, else Fallback.
template <class T, class Fallback>
struct TQelWrapperOr {
  using Type = Fallback;
};
template <CQelHasWrapper T, class Fallback>
struct TQelWrapperOr<T, Fallback> {
  using Type = typename TQelWrapperFor<T>::Type;
};

// ---------------------------------------------------------------------------
// Predefined scalar and string types

namespace QelConvDetail {

template <class T>
struct TIntConv : TQelPredTypeWrapperBase {
  using Value = T;
  static VARIANT ToVar(T AValue) { return QelIntVar(static_cast<int32_t>(AValue)); }
  static T FromVar(const VARIANT& AValue) { return static_cast<T>(QelVarToInt(AValue)); }
};
// Unsigned 32-bit values keep their bit pattern both ways.
template <class T>
struct TUIntConv : TQelPredTypeWrapperBase {
  using Value = T;
  static VARIANT ToVar(T AValue) { return QelIntVar(static_cast<int32_t>(AValue)); }
  static T FromVar(const VARIANT& AValue) { return static_cast<T>(static_cast<uint32_t>(QelVarToInt64(AValue))); }
};
template <class T>
struct TInt64Conv : TQelPredTypeWrapperBase {
  using Value = T;
  static VARIANT ToVar(T AValue) { return QelInt64Var(AValue); }
  static T FromVar(const VARIANT& AValue) { return static_cast<T>(QelVarToInt64(AValue)); }
};
template <class T>
struct TUInt64Conv : TQelPredTypeWrapperBase {
  using Value = T;
  static VARIANT ToVar(T AValue) { return QelUInt64Var(AValue); }
  static T FromVar(const VARIANT& AValue) { return static_cast<T>(QelVarToUInt64(AValue)); }
};
template <class T>
struct TRealConv : TQelPredTypeWrapperBase {
  using Value = T;
  static VARIANT ToVar(T AValue) { return QelRealVar(static_cast<double>(AValue)); }
  static T FromVar(const VARIANT& AValue) { return static_cast<T>(QelVarToReal(AValue)); }
};
template <class T>
struct TBoolConv : TQelPredTypeWrapperBase {
  using Value = T;
  static VARIANT ToVar(T AValue) { return QelBoolVar(AValue != T{}); }
  static T FromVar(const VARIANT& AValue) { return static_cast<T>(QelVarToBool(AValue)); }
};
// Characters travel as their code; ABits keeps the low bits of the integer coercion. A script
// writes a character as a one-character string (L.Delimiter := ';'), which is taken as that
// character rather than coerced as a number.
template <class T, int ABits>
struct TCharConv : TQelPredTypeWrapperBase {
  using Value = T;
  static VARIANT ToVar(T AValue) {
    return QelIntVar(static_cast<int32_t>(static_cast<std::make_unsigned_t<T>>(AValue)));
  }
  static T FromVar(const VARIANT& AValue) {
    const VARIANT& value = QelDeref(AValue);
    if (value.vt == VT_BSTR && OleBstrView(value.bstrVal).size() == 1)
      return static_cast<T>(static_cast<uint32_t>(OleBstrView(value.bstrVal)[0]) & ((1u << ABits) - 1));
    return static_cast<T>(static_cast<uint32_t>(QelVarToInt(value)) & ((1u << ABits) - 1));
  }
};
struct TStringConv : TQelPredTypeWrapperBase {
  using Value = String;
  static VARIANT ToVar(std::u16string_view AValue) { return QelStringVar(AValue); }
  static String FromVar(const VARIANT& AValue) { return QelVarToString(AValue); }
};
struct TVariantConv : TQelPredTypeWrapperBase {
  using Value = VARIANT;
  static VARIANT ToVar(const VARIANT& AValue) { return QelVarCopy(AValue); }
  static VARIANT FromVar(const VARIANT& AValue) { return QelVarCopy(AValue); }
};
struct TCurrencyConv : TQelPredTypeWrapperBase {
  using Value = CY;
  static VARIANT ToVar(CY AValue) { return QelCurrencyVar(AValue); }
  static CY FromVar(const VARIANT& AValue) { return QelVarToCurrency(AValue); }
};
struct TDateConv : TQelPredTypeWrapperBase {
  using Value = TDateTime;
  static VARIANT ToVar(TDateTime AValue) { return QelDateVar(AValue); }
  static TDateTime FromVar(const VARIANT& AValue) { return QelVarToReal(AValue); }
};

}  // namespace QelConvDetail

#define QEL_PRED_TYPE(Name, VarType, ...)                                \
  struct Name##_sw : QelConvDetail::__VA_ARGS__ {                       \
    static constexpr std::u16string_view TypeName = u"" #Name;          \
    static constexpr VARTYPE DebugType = VarType;                       \
  }

QEL_PRED_TYPE(Boolean, VT_BOOL, TBoolConv<bool>);
QEL_PRED_TYPE(WordBool, VT_BOOL, TBoolConv<int16_t>);
QEL_PRED_TYPE(LongBool, VT_BOOL, TBoolConv<int32_t>);
QEL_PRED_TYPE(Integer, VT_I4, TIntConv<int32_t>);
QEL_PRED_TYPE(Longint, VT_I4, TIntConv<int32_t>);
QEL_PRED_TYPE(NativeInt, VT_I4, TIntConv<int32_t>);
QEL_PRED_TYPE(FixedInt, VT_I4, TIntConv<int32_t>);
QEL_PRED_TYPE(Cardinal, VT_UI4, TUIntConv<uint32_t>);
QEL_PRED_TYPE(Longword, VT_UI4, TUIntConv<uint32_t>);
QEL_PRED_TYPE(NativeUInt, VT_UI4, TUIntConv<uint32_t>);
QEL_PRED_TYPE(FixedUInt, VT_UI4, TUIntConv<uint32_t>);
QEL_PRED_TYPE(Int64, VT_I8, TInt64Conv<int64_t>);
QEL_PRED_TYPE(UInt64, VT_UI8, TUInt64Conv<uint64_t>);
QEL_PRED_TYPE(Single, VT_R4, TRealConv<float>);
QEL_PRED_TYPE(Double, VT_R8, TRealConv<double>);
QEL_PRED_TYPE(Extended, VT_R8, TRealConv<long double>);
QEL_PRED_TYPE(Currency, VT_CY, TCurrencyConv);
QEL_PRED_TYPE(Byte, VT_UI1, TIntConv<uint8_t>);
QEL_PRED_TYPE(Smallint, VT_I2, TIntConv<int16_t>);
QEL_PRED_TYPE(Shortint, VT_I1, TIntConv<int8_t>);
QEL_PRED_TYPE(Word, VT_UI2, TIntConv<uint16_t>);
QEL_PRED_TYPE(Char, VT_BSTR, TCharConv<char16_t, 16>);
QEL_PRED_TYPE(AnsiChar, VT_BSTR, TCharConv<char, 8>);
QEL_PRED_TYPE(WideChar, VT_BSTR, TCharConv<char16_t, 16>);
QEL_PRED_TYPE(String, VT_BSTR, TStringConv);
QEL_PRED_TYPE(ShortString, VT_BSTR, TStringConv);
QEL_PRED_TYPE(AnsiString, VT_BSTR, TStringConv);
QEL_PRED_TYPE(WideString, VT_BSTR, TStringConv);
QEL_PRED_TYPE(UnicodeString, VT_BSTR, TStringConv);
QEL_PRED_TYPE(RawByteString, VT_BSTR, TStringConv);
QEL_PRED_TYPE(TDateTime, VT_DATE, TDateConv);
QEL_PRED_TYPE(Variant, VT_VARIANT, TVariantConv);
QEL_PRED_TYPE(OleVariant, VT_VARIANT, TVariantConv);

// ---------------------------------------------------------------------------
// Host classes, class descriptors, enumerations, sets, events and records

// A class wrapper: `struct TStrings_sw : TQelClassWrapperOf<TStrings, TPersistent_sw> {...}`.
template <class Host, class ParentWrapper>
struct TQelClassWrapperOf : ParentWrapper {
  using Wrapped = Host;
  using Parent = ParentWrapper;
  static constexpr std::u16string_view TypeName = Host::QelClassName;
  static TClass WrappedClass() { return Host::StaticClass(); }
  static VARIANT ToVar(Host* AValue) { return ObjectToVar(AValue); }
  static Host* FromVar(const VARIANT& AValue) { return static_cast<Host*>(VarToObject(AValue, WrappedClass())); }
  static VARIANT ClassToVar(TClass AClass) { return MetaclassToVar(AClass); }
  static TClass ClassFromVar(const VARIANT& AValue) { return VarToMetaclass(AValue, WrappedClass()); }
};

// A class-descriptor wrapper (`TClass_sw`, `TComponentClass_sw`).
template <class Host>
struct TQelMetaclassWrapperOf : TQelMetaclassWrapperBase {
  static TClass WrappedClass() { return Host::StaticClass(); }
  static VARIANT ToVar(TClass AValue) { return MetaclassToVar(AValue); }
  static TClass FromVar(const VARIANT& AValue) { return VarToMetaclass(AValue, WrappedClass()); }
};

template <class E>
struct TQelEnumWrapperOf : TQelEnumWrapperBase {
  using Value = E;
  static VARIANT ToVar(E AValue) { return QelIntVar(static_cast<int32_t>(AValue)); }
  // A value outside the enumeration's names would be undefined behaviour once it is an E.
  static E FromVar(const VARIANT& AValue) {
    const int32_t value = QelVarToInt(AValue);
    if constexpr (TEnumTraits<E>::Known) {
      if (value < 0 || value >= static_cast<int32_t>(TEnumTraits<E>::Info()->Names.size()))
        QelRaiseEnumRangeError(value, TEnumTraits<E>::Name);
    }
    return static_cast<E>(value);
  }

  // An enumeration the host declared with QEL_ENUM_TYPE already knows its name and value
  // names; the wrapper takes them from there instead of listing them again.
  static constexpr std::u16string_view TypeName = [] {
    if constexpr (TEnumTraits<E>::Known) return TEnumTraits<E>::Name;
    else return std::u16string_view();
  }();
  static std::span<const TQelEnumerator> Enumerators()
    requires TEnumTraits<E>::Known
  {
    static const std::vector<TQelEnumerator> values = [] {
      const TEnumTypeInfo* info = TEnumTraits<E>::Info();
      std::vector<TQelEnumerator> result;
      for (size_t i = 0; i < info->Names.size(); ++i) result.push_back({info->Names[i], static_cast<int32_t>(i)});
      return result;
    }();
    return values;
  }
};

template <class S>
struct TQelSetWrapperOf : TQelSetWrapperBase {
  using Value = S;
  static constexpr int SetSize = sizeof(S);
  static VARIANT ToVar(const S& AValue) { return SetToVar(SetSize, &AValue); }
  static S FromVar(const VARIANT& AValue) {
    S result{};
    VarToSet(SetSize, &result, AValue);
    return result;
  }
};

template <class Ev>
struct TQelEventWrapperOf : TQelEventWrapperBase {
  using Event = Ev;
  static constexpr std::u16string_view TypeName = Ev::TypeName;
  static VARIANT ToVar(const Ev& AValue) { return EventToVar(QelWrapperClass<TQelEventWrapperOf>(), AValue.Method()); }
  static Ev FromVar(const VARIANT& AValue) { return Ev(VarToEvent(QelWrapperClass<TQelEventWrapperOf>(), AValue)); }
  // A handler object of this event type running AProcName of AOwner (QelSctBind.h).
  static TQelScriptEventHandler* NewScriptHandler(IQelScriptControl* AOwner, std::u16string_view AProcName);
};

template <class R>
struct TQelRecordWrapperOf_sw : TQelRecordWrapperBase {
  using Record = R;
};

// ---------------------------------------------------------------------------
// TQelConv<T>: the wrapper struct converting the C++ type T.

template <class T, class = void>
struct TQelConvOf;

template <class T>
using TQelConv = typename TQelConvOf<std::remove_cvref_t<T>>::Type;

template <class T>
concept CQelConvertible = requires { typename TQelConvOf<std::remove_cvref_t<T>>::Type; };

#define QEL_CONV(CppType, Wrapper) \
  template <>                      \
  struct TQelConvOf<CppType> {     \
    using Type = Wrapper;          \
  }
QEL_CONV(bool, Boolean_sw);
QEL_CONV(int8_t, Shortint_sw);
QEL_CONV(uint8_t, Byte_sw);
QEL_CONV(int16_t, Smallint_sw);
QEL_CONV(uint16_t, Word_sw);
QEL_CONV(int32_t, Integer_sw);
QEL_CONV(uint32_t, Cardinal_sw);
QEL_CONV(long, Int64_sw);
QEL_CONV(long long, Int64_sw);
QEL_CONV(unsigned long, UInt64_sw);
QEL_CONV(unsigned long long, UInt64_sw);
QEL_CONV(float, Single_sw);
QEL_CONV(double, Double_sw);
QEL_CONV(long double, Extended_sw);
QEL_CONV(char16_t, Char_sw);
QEL_CONV(char, AnsiChar_sw);
QEL_CONV(String, String_sw);
QEL_CONV(std::u16string_view, String_sw);
QEL_CONV(VARIANT, Variant_sw);
QEL_CONV(CY, Currency_sw);

// A pointer travels as a native integer.
struct TQelPointerConv : Int64_sw {
  static VARIANT ToVar(const void* AValue) { return QelInt64Var(reinterpret_cast<intptr_t>(AValue)); }
  static void* FromVar(const VARIANT& AValue) { return reinterpret_cast<void*>(static_cast<intptr_t>(QelVarToInt64(AValue))); }
};
template <>
struct TQelConvOf<void*> {
  using Type = TQelPointerConv;
};
template <>
struct TQelConvOf<const void*> {
  using Type = TQelPointerConv;
};

// The class-descriptor wrapper of the root class.
struct TClass_sw : TQelMetaclassWrapperOf<TObject> {
  static constexpr std::u16string_view TypeName = u"TClass";
};
template <>
struct TQelConvOf<TClass> {
  using Type = TClass_sw;
};

// Objects of classes without a wrapper of their own convert as their nearest wrapped ancestor
// (the runtime lookup does that); the declared wrapper only names the type for tools.
template <class T>
struct TQelObjectConv : TQelClassWrapperBase {
  using Value = T*;
  static VARIANT ToVar(const T* AValue) { return ObjectToVar(const_cast<TObject*>(static_cast<const TObject*>(AValue))); }
  static T* FromVar(const VARIANT& AValue) { return static_cast<T*>(VarToObject(AValue, T::StaticClass())); }
};
template <class T>
struct TQelConvOf<T*, std::enable_if_t<std::is_base_of_v<TObject, T>>> {
  using Type = TQelObjectConv<T>;
};

template <class E>
struct TQelConvOf<E, std::enable_if_t<std::is_enum_v<E>>> {
  using Type = typename TQelWrapperOr<E, TQelEnumWrapperOf<E>>::Type;
};

template <class E>
struct TQelConvOf<TSet<E>> {
  struct Type : TQelSetWrapperBase {
    using Value = TSet<E>;
    static VARIANT ToVar(TSet<E> AValue) {
      const uint32_t bits = AValue.Bits();
      return SetToVar(4, &bits);
    }
    static TSet<E> FromVar(const VARIANT& AValue) {
      uint32_t bits = 0;
      VarToSet(4, &bits, AValue);
      return TSet<E>::FromBits(bits);
    }
  };
};

template <class T>
concept CQelEventType = requires { T::TypeName; &T::Method; &T::TypeInfo; };
template <class Ev>
struct TQelConvOf<Ev, std::enable_if_t<CQelEventType<Ev>>> {
  using Type = typename TQelWrapperOr<Ev, TQelEventWrapperOf<Ev>>::Type;
};

// Records convert through their generated wrapper (declared with QEL_WRAPS).
template <class R>
struct TQelRecordConv {
  using W = typename TQelWrapperFor<R>::Type;
  static VARIANT ToVar(const R& AValue) { return RecordToVar(QelWrapperClass<W>(), &AValue); }
  static R FromVar(const VARIANT& AValue) { return *static_cast<R*>(VarToRecord(QelWrapperClass<W>(), AValue)); }
};
template <class R>
struct TQelConvOf<R, std::enable_if_t<std::is_class_v<R> && CQelHasWrapper<R> &&
                                      TQelWrapperFor<R>::Type::Kind == wkRecord>> {
  struct Type : TQelWrapperFor<R>::Type, TQelRecordConv<R> {
    using TQelRecordConv<R>::ToVar;
    using TQelRecordConv<R>::FromVar;
  };
};

// The descriptor naming T's type for member registrations.
template <class T>
TQelWrapperClassRef QelTypeOf() {
  using C = TQelConv<T>;
  if constexpr (requires { typename TQelWrapperFor<std::remove_cvref_t<std::remove_pointer_t<std::remove_cvref_t<T>>>>::Type; }) {
    return QelWrapperClass<typename TQelWrapperFor<std::remove_cvref_t<std::remove_pointer_t<std::remove_cvref_t<T>>>>::Type>();
  } else {
    return QelWrapperClass<C>();
  }
}

// ---------------------------------------------------------------------------
// Descriptors

namespace QelConvDetail {

template <class W>
void FillWrapperClass(TQelWrapperClass& AClass);

}  // namespace QelConvDetail

template <class W>
TQelWrapperClassRef QelWrapperClass() {
  static const TQelWrapperClass info = [] {
    TQelWrapperClass result;
    QelConvDetail::FillWrapperClass<W>(result);
    return result;
  }();
  return &info;
}

template <class W>
void QelConvDetail::FillWrapperClass(TQelWrapperClass& AClass) {
  AClass.Kind = W::Kind;
  AClass.DebugType = W::DebugType;
  if constexpr (requires { W::TypeName; }) AClass.Name = W::TypeName;
  if constexpr (requires { W::UnitName; }) AClass.Name = W::UnitName;
  if constexpr (requires { typename W::Parent; }) {
    if constexpr (!CQelKindBase<typename W::Parent>) AClass.Parent = QelWrapperClass<typename W::Parent>();
  }
  if constexpr (requires { W::WrappedClass(); }) AClass.WrappedClass = &W::WrappedClass;
  if constexpr (requires { W::Enumerators(); }) AClass.Enumerators = &W::Enumerators;
  if constexpr (requires { W::SetSize; }) AClass.SetSize = W::SetSize;
  if constexpr (requires { typename W::Record; }) {
    AClass.NewRecord = [](const void* ASource) -> TQelRecordWrapper* {
      return new TQelRecordWrapperOf<typename W::Record>(QelWrapperClass<W>(),
                                                         static_cast<const typename W::Record*>(ASource));
    };
  }
  if constexpr (W::Kind == wkEvent) {
    AClass.EventType = [] { return W::Event::TypeInfo(); };
    AClass.NewScriptHandler = &W::NewScriptHandler;
  }
  if constexpr (requires { W::RegisterMembers; }) {
    using Data = std::conditional_t<W::Kind == wkRecord, TQelRecordWrapperData,
                                    std::conditional_t<W::Kind == wkUnit, TQelUnitWrapperData, TQelClassWrapperData>>;
    AClass.RegisterMembers = [](TQelWrapperData& AData) { W::RegisterMembers(static_cast<Data&>(AData)); };
  }
}
