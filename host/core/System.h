// Host unit "System": the root class, class descriptors, method pointers and the
// host's wide string type.
//
// Conventions of the host class library (all host headers follow them):
// - names are the class library's published names, in the global namespace;
// - a property X is read by GetX() and written by SetX(v); an indexed property
//   takes the index first (GetStrings(i), SetStrings(i, s));
// - event properties are public data members of a method-pointer type
//   (TStringList::OnChange), so host code and the engine assign them directly;
// - objects are created with new and destroyed with Free() (or delete); an object
//   owned by a component is destroyed by its owner.
#pragma once

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

// ---------------------------------------------------------------------------
// Strings

// The host's wide string: UTF-16, as the automation layer's BSTR contents.
using String = std::u16string;

// UTF-8 <-> UTF-16. Malformed input (bad UTF-8 sequences, lone surrogates)
// becomes U+FFFD instead of failing: these run at file and console boundaries.
String Utf8ToString(std::string_view AText);
std::string StringToUtf8(std::u16string_view AText);

// ---------------------------------------------------------------------------
// Sets and threads

// A Pascal set of an enumeration with at most 32 values (a bit per ordinal, as
// sets travel to scripts as 32-bit integers).
template <class E>
class TSet {
 public:
  constexpr TSet() = default;
  constexpr TSet(std::initializer_list<E> AItems) {
    for (E item : AItems) Include(item);
  }
  static constexpr TSet FromBits(uint32_t ABits) {
    TSet result;
    result.FBits = ABits;
    return result;
  }
  constexpr uint32_t Bits() const { return FBits; }
  constexpr bool Contains(E AItem) const { return (FBits & Bit(AItem)) != 0; }
  constexpr bool Empty() const { return FBits == 0; }
  constexpr TSet& Include(E AItem) { FBits |= Bit(AItem); return *this; }
  constexpr TSet& Exclude(E AItem) { FBits &= ~Bit(AItem); return *this; }
  constexpr TSet operator+(TSet AOther) const { return FromBits(FBits | AOther.FBits); }
  constexpr TSet operator-(TSet AOther) const { return FromBits(FBits & ~AOther.FBits); }
  constexpr TSet operator*(TSet AOther) const { return FromBits(FBits & AOther.FBits); }
  friend constexpr bool operator==(TSet, TSet) = default;

 private:
  static constexpr uint32_t Bit(E AItem) { return uint32_t(1) << static_cast<unsigned>(AItem); }
  uint32_t FBits = 0;
};

// A small process-unique number for the calling thread (never 0), the same
// number TThread::GetThreadID reports for a TThread.
uint32_t GetCurrentThreadId();

// ---------------------------------------------------------------------------
// Class descriptors

class TObject;
class TComponent;
struct TClassInfo;
struct TEventTypeInfo;

// TClass is a pointer to the class descriptor, one per host class, living for
// the process; comparing TClass values compares classes.
using TClass = const TClassInfo*;

enum TTypeKind { tkUnknown, tkInteger, tkFloat, tkString, tkBoolean, tkClass, tkMethod, tkEnumeration };

// A published property's value as the descriptor's accessors hand it out.
using TPropValue = std::variant<std::monostate, int64_t, double, bool, String, TObject*>;

// A method pointer: the code to call and the object (data) to call it on. The
// code of a typed event is a function `R (*)(void* Data, Args...)`.
struct TMethod {
  void* Code = nullptr;
  void* Data = nullptr;

  bool IsNil() const { return Code == nullptr; }
  explicit operator bool() const { return Code != nullptr; }
  friend bool operator==(const TMethod&, const TMethod&) = default;
};

// Names and bounds of an enumeration type whose values run from 0 up, as
// QEL_ENUM_TYPE declares them.
struct TEnumTypeInfo {
  std::u16string_view Name;
  std::vector<String> Names;  // by ordinal

  int MinValue() const { return 0; }
  int MaxValue() const { return static_cast<int>(Names.size()) - 1; }
  // Empty for an ordinal out of range.
  String GetEnumName(int AValue) const;
  // The ordinal of a value name (ASCII case-insensitive), -1 when unknown.
  int GetEnumValue(std::u16string_view AName) const;
  // Builds the table from the comma-separated names of the declaration.
  static TEnumTypeInfo Make(std::u16string_view AName, std::u16string_view AValueList);
};

// TEnumTraits<E>::Info() is the type information of an enumeration declared
// with QEL_ENUM_TYPE; Known is false for others.
template <class E>
struct TEnumTraits {
  static constexpr bool Known = false;
};

// Declares an enumeration's type information at namespace scope, after the
// enumeration:  QEL_ENUM_TYPE(TDuplicates, dupIgnore, dupAccept, dupError);
#define QEL_ENUM_TYPE(Type, ...)                                                       \
  template <>                                                                          \
  struct TEnumTraits<Type> {                                                           \
    static constexpr bool Known = true;                                                \
    static constexpr std::u16string_view Name = u"" #Type;                             \
    static const TEnumTypeInfo* Info() {                                               \
      static const TEnumTypeInfo info = TEnumTypeInfo::Make(u"" #Type, u"" #__VA_ARGS__); \
      return &info;                                                                    \
    }                                                                                  \
  }

// A published property of a class: plain properties have Get/Set, event
// properties (Kind == tkMethod) have GetMethod/SetMethod and their EventType.
// A read-only property has no setter.
struct TPropInfo {
  String Name;
  TTypeKind Kind = tkUnknown;
  TPropValue (*Get)(const TObject*) = nullptr;
  void (*Set)(TObject*, const TPropValue&) = nullptr;
  // For an enumeration property (Kind tkEnumeration, values as integers).
  const TEnumTypeInfo* EnumType = nullptr;
  const TEventTypeInfo* EventType = nullptr;
  TMethod (*GetMethod)(const TObject*) = nullptr;
  void (*SetMethod)(TObject*, const TMethod&) = nullptr;
};

// The class descriptor. Built once per class on first use (thread-safe), then
// read-only.
struct TClassInfo {
  std::u16string_view Name;
  TClass Parent = nullptr;
  size_t InstanceSize = 0;
  // The virtual constructor; null for abstract classes and classes without a
  // default (or, for components, an owner-taking) constructor.
  TObject* (*Factory)(TComponent* AOwner) = nullptr;
  // The class's own published properties (ancestors' are found through Parent).
  std::vector<TPropInfo> Properties;

  String ClassName() const { return String(Name); }
  TClass ClassParent() const { return Parent; }
  bool InheritsFrom(TClass AClass) const;
  bool CanCreate() const { return Factory != nullptr; }
  // Constructs an instance of this very class; AOwner is used by components
  // and ignored by other classes. Returns null when !CanCreate().
  TObject* NewInstance(TComponent* AOwner = nullptr) const;
  TObject* Create(TComponent* AOwner = nullptr) const { return NewInstance(AOwner); }
  // Finds a published property by name (ASCII case-insensitive) in this class
  // or its ancestors; nearest class first.
  const TPropInfo* FindProperty(std::u16string_view AName) const;

  void AddProperty(TPropInfo AInfo) { Properties.push_back(std::move(AInfo)); }
};

// ---------------------------------------------------------------------------
// The root class

// Called from every TObject's destructor with the object's address (after the
// descendants' destructors have run, so only the address is meaningful).
using TObjectDestroyObserver = void (*)(TObject* AObject);

// Installs the process-wide observer (null removes it); returns the previous one.
TObjectDestroyObserver SetObjectDestroyObserver(TObjectDestroyObserver AObserver);

namespace qel_detail {
extern std::atomic<TObjectDestroyObserver> GDestroyObserver;
template <class T>
TClass ClassOf();
}  // namespace qel_detail

// Declares a host class's descriptor; put it first inside the class body:
//   class TStringList : public TStrings { QEL_CLASS(TStringList, TStrings) ... };
// To publish properties, the class also declares
//   static void QelRegisterMembers(TClassInfo& AInfo);
#define QEL_CLASS(Self, ParentClass)                                              \
 public:                                                                           \
  using inherited = ParentClass;                                                   \
  static constexpr char16_t QelClassName[] = u"" #Self;                            \
  static TClass StaticClass() { return ::qel_detail::ClassOf<Self>(); }            \
  TClass ClassType() const override { return StaticClass(); }                      \
                                                                                   \
 private:

class TObject {
 public:
  static constexpr char16_t QelClassName[] = u"TObject";
  static TClass StaticClass() { return qel_detail::ClassOf<TObject>(); }
  static void QelRegisterMembers(TClassInfo&) {}

  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject() {
    if (auto* observer = qel_detail::GDestroyObserver.load(std::memory_order_relaxed))
      observer(this);
  }

  virtual TClass ClassType() const { return StaticClass(); }
  String ClassName() const { return ClassType()->ClassName(); }
  TClass ClassParent() const { return ClassType()->Parent; }
  size_t InstanceSize() const { return ClassType()->InstanceSize; }
  bool InheritsFrom(TClass AClass) const { return ClassType()->InheritsFrom(AClass); }
  template <class T>
  bool Is() const { return InheritsFrom(T::StaticClass()); }
  // The class library's checked cast: raises EInvalidCast "Invalid class typecast".
  template <class T>
  T* As();

  // Runs before the destructor when the object is destroyed through Free.
  virtual void BeforeDestruction() {}
  void Free() {
    BeforeDestruction();
    delete this;
  }
};

// Frees the object (if any) and clears the pointer first.
template <class T>
void FreeAndNil(T*& AObject) {
  T* object = AObject;
  AObject = nullptr;
  if (object) object->Free();
}

[[noreturn]] void RaiseInvalidCast();

template <class T>
T* TObject::As() {
  if (!Is<T>()) RaiseInvalidCast();
  return static_cast<T*>(this);
}

// ---------------------------------------------------------------------------
// Method-pointer (event) types

// Identity and name of an event type, the key under which the engine registers
// its event wrappers.
struct TEventTypeInfo {
  std::u16string_view Name;
};

// A typed method pointer. Comparable and nil-able by its (Code, Data) pair;
// calling a nil one does nothing (and returns R{}).
// Host code sets it from a member function (Bind<&C::M>(obj)), a plain
// function taking the data pointer first, or a lambda; the engine sets it from
// a raw TMethod. A capturing lambda's closure is kept alive by the event values
// that hold it: a TMethod read from such an event is valid only while one does.
template <class Derived, class Signature>
class TMethodEvent;

template <class Derived, class R, class... Args>
class TMethodEvent<Derived, R(Args...)> {
 public:
  using Function = R (*)(void* AData, Args...);

  TMethodEvent() = default;
  TMethodEvent(std::nullptr_t) {}
  explicit TMethodEvent(const TMethod& AMethod) : FMethod(AMethod) {}
  TMethodEvent(Function ACode, void* AData) : FMethod{reinterpret_cast<void*>(ACode), AData} {}

  // Any callable taking Args... (a stateless lambda costs no allocation).
  template <class F, class = std::enable_if_t<std::is_invocable_r_v<R, F&, Args...> &&
                                              !std::is_same_v<std::decay_t<F>, Derived> &&
                                              !std::is_convertible_v<F, Function>>>
  TMethodEvent(F&& AFunction) {
    using Closure = std::decay_t<F>;
    if constexpr (std::is_empty_v<Closure> && std::is_default_constructible_v<Closure>) {
      FMethod.Code = reinterpret_cast<void*>(&CallStateless<Closure>);
    } else {
      auto keep = std::make_shared<Closure>(std::forward<F>(AFunction));
      FMethod = {reinterpret_cast<void*>(&CallClosure<Closure>), keep.get()};
      FKeepAlive = std::move(keep);
    }
  }

  // A member function of AObject: Data is the object, so two bindings of the
  // same member to the same object compare equal.
  template <auto Member, class C>
  static Derived Bind(C* AObject) {
    Derived result;
    result.FMethod = {reinterpret_cast<void*>(&CallMember<C, Member>), static_cast<void*>(AObject)};
    return result;
  }

  static const TEventTypeInfo* TypeInfo() {
    static const TEventTypeInfo info{Derived::TypeName};
    return &info;
  }

  R operator()(Args... AArgs) const {
    if (!FMethod.Code) {
      if constexpr (std::is_void_v<R>) return;
      else return R{};
    }
    return reinterpret_cast<Function>(FMethod.Code)(FMethod.Data, std::forward<Args>(AArgs)...);
  }

  const TMethod& Method() const { return FMethod; }
  // Stores a raw method pointer; storing the pair already held keeps the
  // closure that backs it.
  void SetMethod(const TMethod& AMethod) {
    if (AMethod == FMethod) return;
    FMethod = AMethod;
    FKeepAlive.reset();
  }
  bool IsNil() const { return FMethod.IsNil(); }
  explicit operator bool() const { return !FMethod.IsNil(); }
  friend bool operator==(const TMethodEvent& A, const TMethodEvent& B) { return A.FMethod == B.FMethod; }

 private:
  template <class Closure>
  static R CallStateless(void*, Args... AArgs) {
    return Closure{}(std::forward<Args>(AArgs)...);
  }
  template <class Closure>
  static R CallClosure(void* AData, Args... AArgs) {
    return (*static_cast<Closure*>(AData))(std::forward<Args>(AArgs)...);
  }
  template <class C, auto Member>
  static R CallMember(void* AData, Args... AArgs) {
    return (static_cast<C*>(AData)->*Member)(std::forward<Args>(AArgs)...);
  }

  TMethod FMethod;
  std::shared_ptr<void> FKeepAlive;
};

// Declares an event type: QEL_EVENT_TYPE(TNotifyEvent, void(TObject* Sender)).
#define QEL_EVENT_TYPE(Name, ...)                                   \
  struct Name : ::TMethodEvent<Name, __VA_ARGS__> {                 \
    using TMethodEvent<Name, __VA_ARGS__>::TMethodEvent;           \
    static constexpr char16_t TypeName[] = u"" #Name;               \
  }

// ---------------------------------------------------------------------------
// Descriptor construction (used by QEL_CLASS and the property helpers)

namespace qel_detail {

// Components (classes declaring QelTakesOwner) construct with their owner.
template <class T>
constexpr bool TakesOwner = requires { T::QelTakesOwner; };

template <class T>
TObject* Construct(TComponent* AOwner) {
  if constexpr (TakesOwner<T>) return new T(AOwner);
  else return new T();
}

template <class T>
constexpr bool IsConstructible =
    !std::is_abstract_v<T> &&
    (TakesOwner<T> ? std::is_constructible_v<T, TComponent*> : std::is_default_constructible_v<T>);

template <class T>
TClassInfo MakeClassInfo() {
  TClassInfo info;
  info.Name = T::QelClassName;
  if constexpr (!std::is_same_v<T, TObject>) info.Parent = T::inherited::StaticClass();
  info.InstanceSize = sizeof(T);
  if constexpr (IsConstructible<T>) info.Factory = &Construct<T>;
  // A class without its own registration hook sees its parent's: that one has
  // already filled the parent's descriptor.
  if constexpr (std::is_same_v<T, TObject>) {
    T::QelRegisterMembers(info);
  } else if (&T::QelRegisterMembers != &T::inherited::QelRegisterMembers) {
    T::QelRegisterMembers(info);
  }
  return info;
}

template <class T>
TClass ClassOf() {
  static const TClassInfo info = MakeClassInfo<T>();
  return &info;
}

template <class V>
TPropValue ToPropValue(V&& AValue) {
  using D = std::decay_t<V>;
  if constexpr (std::is_same_v<D, bool>) return bool(AValue);
  else if constexpr (std::is_integral_v<D> || std::is_enum_v<D>) return int64_t(AValue);
  else if constexpr (std::is_floating_point_v<D>) return double(AValue);
  else if constexpr (std::is_pointer_v<D>) return static_cast<TObject*>(AValue);
  else return String(std::forward<V>(AValue));
}

template <class V>
V FromPropValue(const TPropValue& AValue);

template <class D>
constexpr TTypeKind KindOf() {
  if constexpr (std::is_same_v<D, bool>) return tkBoolean;
  else if constexpr (std::is_enum_v<D> && TEnumTraits<D>::Known) return tkEnumeration;
  else if constexpr (std::is_integral_v<D> || std::is_enum_v<D>) return tkInteger;
  else if constexpr (std::is_floating_point_v<D>) return tkFloat;
  else if constexpr (std::is_pointer_v<D>) return tkClass;
  else return tkString;
}

template <class>
struct MemberTraits;
template <class C, class V>
struct MemberTraits<V (C::*)() const> {
  using Class = C;
  using Value = std::decay_t<V>;
};
// A getter that is not const (a stream's position asks the stream).
template <class C, class V>
struct MemberTraits<V (C::*)()> {
  using Class = C;
  using Value = std::decay_t<V>;
};
template <class C, class V>
struct MemberTraits<V C::*> {
  using Class = C;
  using Value = V;
};

}  // namespace qel_detail

// Converts a property value to the accessor's type (integers, floats, bool,
// String, object pointers); a value of another kind raises
// EVariantTypeCastError "Invalid variant type conversion".
int64_t PropValueToInt(const TPropValue& AValue);
double PropValueToFloat(const TPropValue& AValue);
bool PropValueToBool(const TPropValue& AValue);
String PropValueToString(const TPropValue& AValue);
TObject* PropValueToObject(const TPropValue& AValue);

template <class V>
V qel_detail::FromPropValue(const TPropValue& AValue) {
  if constexpr (std::is_same_v<V, bool>) return PropValueToBool(AValue);
  else if constexpr (std::is_integral_v<V> || std::is_enum_v<V>) return static_cast<V>(PropValueToInt(AValue));
  else if constexpr (std::is_floating_point_v<V>) return static_cast<V>(PropValueToFloat(AValue));
  else if constexpr (std::is_pointer_v<V>) return dynamic_cast<V>(PropValueToObject(AValue));
  else return PropValueToString(AValue);
}

// A published plain property from a getter (and optional setter) member:
//   AInfo.AddProperty(MakeProperty<&TComponent::GetTag, &TComponent::SetTag>(u"Tag"));
template <auto Getter, auto Setter = nullptr>
TPropInfo MakeProperty(String AName) {
  using Traits = qel_detail::MemberTraits<decltype(Getter)>;
  using C = typename Traits::Class;
  using V = typename Traits::Value;
  TPropInfo info;
  info.Name = std::move(AName);
  info.Kind = qel_detail::KindOf<V>();
  if constexpr (std::is_enum_v<V>) {
    if constexpr (TEnumTraits<V>::Known) info.EnumType = TEnumTraits<V>::Info();
  }
  info.Get = [](const TObject* AObject) -> TPropValue {
    return qel_detail::ToPropValue((const_cast<C*>(static_cast<const C*>(AObject))->*Getter)());
  };
  if constexpr (!std::is_same_v<decltype(Setter), std::nullptr_t>) {
    info.Set = [](TObject* AObject, const TPropValue& AValue) {
      (static_cast<C*>(AObject)->*Setter)(qel_detail::FromPropValue<V>(AValue));
    };
  }
  return info;
}

// A published event property from an event data member:
//   AInfo.AddProperty(MakeEventProperty<&TStringList::OnChange>(u"OnChange"));
template <auto Member>
TPropInfo MakeEventProperty(String AName) {
  using Traits = qel_detail::MemberTraits<decltype(Member)>;
  using C = typename Traits::Class;
  using E = typename Traits::Value;
  TPropInfo info;
  info.Name = std::move(AName);
  info.Kind = tkMethod;
  info.EventType = E::TypeInfo();
  info.GetMethod = [](const TObject* AObject) { return (static_cast<const C*>(AObject)->*Member).Method(); };
  info.SetMethod = [](TObject* AObject, const TMethod& AMethod) { (static_cast<C*>(AObject)->*Member).SetMethod(AMethod); };
  return info;
}

// ---------------------------------------------------------------------------
// Published properties, described once

// A name as a template argument.
template <size_t N>
struct TQelName {
  char16_t Text[N]{};
  constexpr TQelName(const char16_t (&AText)[N]) { std::copy_n(AText, N, Text); }
  constexpr std::u16string_view View() const { return {Text, N - 1}; }
};

// A class's published properties are one list after the class, read both by the class
// descriptor (QelPublish in QelRegisterMembers) and by the engine's wrapper registration:
//   QEL_PUBLISHED(TStringList,
//                 QelProp<u"Sorted", &TStringList::GetSorted, &TStringList::SetSorted>,
//                 QelEvent<u"OnChange", &TStringList::OnChange>);
template <TQelName Name, auto Getter, auto Setter = nullptr>
struct QelProp {};
template <TQelName Name, auto Member>
struct QelEvent {};
template <class... Items>
struct TQelPublishedList {};
template <class C>
struct TQelPublished {
  using List = TQelPublishedList<>;
};
#define QEL_PUBLISHED(Class, ...)                 \
  template <>                                     \
  struct TQelPublished<Class> {                   \
    using List = TQelPublishedList<__VA_ARGS__>;  \
  }

namespace qel_detail {
template <TQelName Name, auto Getter, auto Setter>
void Publish(TClassInfo& AInfo, QelProp<Name, Getter, Setter>*) {
  AInfo.AddProperty(MakeProperty<Getter, Setter>(String(Name.View())));
}
template <TQelName Name, auto Member>
void Publish(TClassInfo& AInfo, QelEvent<Name, Member>*) {
  AInfo.AddProperty(MakeEventProperty<Member>(String(Name.View())));
}
template <class... Items>
void PublishAll(TClassInfo& AInfo, TQelPublishedList<Items...>*) {
  (Publish(AInfo, static_cast<Items*>(nullptr)), ...);
}
}  // namespace qel_detail

// Adds C's published list to its descriptor.
template <class C>
void QelPublish(TClassInfo& AInfo) {
  qel_detail::PublishAll(AInfo, static_cast<typename TQelPublished<C>::List*>(nullptr));
}
