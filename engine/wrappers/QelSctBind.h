// Binding host members to wrapper members: one line per member.
//
//   void TStrings_sw::RegisterMembers(TQelClassWrapperData& AData) {
//     TQelMembers<TStrings> M(AData);
//     M.Property<&TStrings::GetCount>(u"Count");
//     M.Property<&TStrings::GetStrings, &TStrings::SetStrings>(u"Strings", qpDefault);
//     M.Method<&TStrings::Add>(u"Add");
//     M.Overloads<u"SaveToFile", SaveToFile1, &TStrings::SaveToFile>();
//   }
//
// Each registration instantiates one plain TQelInvokeProc that converts every argument with
// TQelConv<parameter type>::FromVar, calls the host member and converts the result with
// TQelConv<result type>::ToVar. A parameter of non-const reference type is a var parameter:
// its value is read, the host writes a local, and the local is stored back with SetVarRef.
// Callables are member function pointers, data member pointers (fields and event properties)
// or plain functions (named functions in an anonymous namespace: a lambda inside a function
// body has no linkage and cannot be a template argument), whose first parameter is the target
// where the registration has one (the object, TClass for class members, the record). A member
// whose class is not the wrapped class or an ancestor, or a type without conversion, does not
// compile.
#pragma once

#include <algorithm>
#include <cstddef>
#include <tuple>
#include <utility>

#include "engine/wrappers/QelSctConv.h"
#include "host/core/Classes.h"

// TQelName (System.h): a member name as a template argument, for procedures that must name
// themselves.

// Picks one form of an overloaded host member by its parameter types:
//   M.Method<QelOverload<const String&>(&TStrings::LoadFromFile)>(u"LoadFromFile");
template <class... A>
struct TQelOverloadOf {
  template <class R, class C>
  constexpr auto operator()(R (C::*AMember)(A...)) const { return AMember; }
  template <class R, class C>
  constexpr auto operator()(R (C::*AMember)(A...) const) const { return AMember; }
  template <class R>
  constexpr auto operator()(R (*AFunction)(A...)) const { return AFunction; }
};
template <class... A>
inline constexpr TQelOverloadOf<A...> QelOverload{};

// Values of a member's trailing parameters that a script may leave out (numbers, booleans,
// enumeration values, texts as u"..."):
//   M.Method<&TStrings::SaveToFile, QelDefaults<false>>(u"SaveToFile");
template <auto... Values>
struct QelDefaults {};

// Flags of a property registration.
enum TQelPropFlag : unsigned { qpNone = 0, qpDefault = 1, qpProtected = 2 };

// What an invoke procedure passes as the callable's first parameter.
enum class TQelTarget { None, Object, Class, Record, Unit };

namespace QelBindDetail {

template <class... T>
struct TList {};

template <class F>
struct TFn;
template <class R, class C, class... P>
struct TFn<R (C::*)(P...)> {
  using Result = R;
  using Class = C;
  using Params = TList<P...>;
};
template <class R, class C, class... P>
struct TFn<R (C::*)(P...) const> : TFn<R (C::*)(P...)> {};
template <class R, class C, class... P>
struct TFn<R (C::*)(P...) noexcept> : TFn<R (C::*)(P...)> {};
template <class R, class C, class... P>
struct TFn<R (C::*)(P...) const noexcept> : TFn<R (C::*)(P...)> {};
template <class R, class... P>
struct TFn<R (*)(P...)> {
  using Result = R;
  using Class = void;
  using Params = TList<P...>;
};
template <class R, class... P>
struct TFn<R (*)(P...) noexcept> : TFn<R (*)(P...)> {};

template <class L>
struct TSplit;
template <>
struct TSplit<TList<>> {
  using First = void;
  using Rest = TList<>;
};
template <class P0, class... P>
struct TSplit<TList<P0, P...>> {
  using First = P0;
  using Rest = TList<P...>;
};

// Whether an optional callable template argument (getter, setter) was given.
template <auto F>
constexpr bool Given = !std::is_same_v<decltype(F), std::nullptr_t>;

template <class L>
struct TCount;
template <class... P>
struct TCount<TList<P...>> {
  static constexpr int Value = sizeof...(P);
};

// The parameters the script passes: all of a member function's, all but the target of a plain
// function with a target.
template <auto F, TQelTarget K>
using ArgsOf = std::conditional_t<!std::is_void_v<typename TFn<decltype(F)>::Class> || K == TQelTarget::None,
                                  typename TFn<decltype(F)>::Params,
                                  typename TSplit<typename TFn<decltype(F)>::Params>::Rest>;

template <auto F, TQelTarget K>
constexpr int ArgCount = TCount<ArgsOf<F, K>>::Value;

// ---- arguments ---------------------------------------------------------------------------

template <class P>
struct TArg {
  using T = std::remove_cvref_t<P>;
  static_assert(CQelConvertible<T>, "no variant conversion for this parameter type");
  explicit TArg(const VARIANT& AArg) : FValue(TQelConv<T>::FromVar(AArg)) {}
  T& Get() { return FValue; }
  void WriteBack(const VARIANT&) {}
  T FValue;
};

// A var parameter: the host writes the local, which goes back to a by-reference argument.
template <class T>
  requires(!std::is_const_v<T>)
struct TArg<T&> {
  static_assert(CQelConvertible<T>, "no variant conversion for this var parameter type");
  explicit TArg(const VARIANT& AArg) : FValue(TQelConv<T>::FromVar(AArg)) {}
  T& Get() { return FValue; }
  void WriteBack(const VARIANT& AArg) {
    if (!V_ISBYREF(&AArg)) return;
    VARIANT value = TQelConv<T>::ToVar(FValue);
    SetVarRefMove(AArg, value);
  }
  T FValue;
};

// A variant parameter holds its own copy for the call and releases it afterwards, so a
// string or object argument is neither leaked nor released twice.
template <>
struct TArg<VARIANT> {
  TArg(const TArg&) = delete;
  explicit TArg(const VARIANT& AArg) : FValue(TQelConv<VARIANT>::FromVar(QelDeref(AArg))) {}
  ~TArg() { VariantClear(&FValue); }
  VARIANT& Get() { return FValue; }
  void WriteBack(const VARIANT&) {}
  VARIANT FValue;
};
template <>
struct TArg<const VARIANT&> : TArg<VARIANT> {
  using TArg<VARIANT>::TArg;
};

// Text parameters read a BSTR argument in place.
template <>
struct TArg<std::u16string_view> {
  TArg(const TArg&) = delete;
  explicit TArg(const VARIANT& AArg) {
    const VARIANT& value = QelDeref(AArg);
    if (value.vt == VT_BSTR) {
      FView = OleBstrView(value.bstrVal);
    } else {
      FOwned = QelVarToString(value);
      FView = FOwned;
    }
  }
  std::u16string_view& Get() { return FView; }
  void WriteBack(const VARIANT&) {}
  String FOwned;
  std::u16string_view FView;
};
template <>
struct TArg<const std::u16string_view&> : TArg<std::u16string_view> {
  using TArg<std::u16string_view>::TArg;
};

// ---- targets -----------------------------------------------------------------------------

template <class P, TQelTarget K>
decltype(auto) Target(void* AObj) {
  using C = std::remove_cvref_t<std::remove_pointer_t<std::remove_cvref_t<P>>>;
  C* target;
  if constexpr (K == TQelTarget::Object) {
    static_assert(std::is_base_of_v<TObject, C>, "the target of a class member is a host object");
    target = static_cast<C*>(static_cast<TObject*>(AObj));
  } else if constexpr (K == TQelTarget::Record) {
    target = static_cast<C*>(static_cast<TQelRecordWrapper*>(AObj)->GetValuePtr());
  } else if constexpr (K == TQelTarget::Unit) {
    static_assert(std::is_same_v<C, TQelUnitWrapper>, "the target of a unit routine is its unit wrapper");
    target = static_cast<TQelUnitWrapper*>(AObj);
  } else if constexpr (K == TQelTarget::Class) {
    static_assert(std::is_same_v<std::remove_cvref_t<P>, TClass>, "the target of a class member is TClass");
    return static_cast<TClass>(AObj);
  }
  if constexpr (K != TQelTarget::Class) {
    if constexpr (std::is_pointer_v<std::remove_cvref_t<P>>) return target;
    else return static_cast<C&>(*target);
  }
}

template <class R>
VARIANT ResultToVar(R&& AResult) {
  return TQelConv<std::remove_cvref_t<R>>::ToVar(AResult);
}

// An object parameter a method dereferences: nil (or Null, Unassigned) is refused before the
// call. TObject (data slots such as Objects[i]), TComponent (owners) and TPersistent (Assign,
// which answers nil with its own error) take nil; so do property setters (Parent := nil).
template <class P>
constexpr bool NeedsObject = [] {
  using T = std::remove_cvref_t<P>;
  if constexpr (std::is_pointer_v<T>) {
    using C = std::remove_cv_t<std::remove_pointer_t<T>>;
    return std::is_base_of_v<TObject, C> && !std::is_same_v<C, TObject> && !std::is_same_v<C, TComponent> &&
           !std::is_same_v<C, TPersistent>;
  } else {
    return false;
  }
}();

template <class P, class A>
void CheckObjectArg(const A& AValue, int AIndex) {
  if constexpr (NeedsObject<P>) {
    if (!AValue) QelRaiseNilArgError(AIndex);
  }
}

// Converts AArgs[0..] into the parameters of F, calls it on the target and returns its result
// (VT_EMPTY for void); var parameters are written back before the result is converted.
template <auto F, TQelTarget K, bool CheckNil, class... P, size_t... I>
VARIANT CallWith(void* AObj, TQelDispArgs AArgs, TList<P...>, std::index_sequence<I...>) {
  using Fn = TFn<decltype(F)>;
  std::tuple<TArg<P>...> args{AArgs[I]...};  // built in place: a text argument may view its own copy
  if constexpr (CheckNil) (CheckObjectArg<P>(std::get<I>(args).Get(), int(I) + 1), ...);
  auto call = [&]() -> decltype(auto) {
    if constexpr (!std::is_void_v<typename Fn::Class>) {
      return (Target<typename Fn::Class*, K>(AObj)->*F)(std::get<I>(args).Get()...);
    } else if constexpr (K == TQelTarget::None) {
      return F(std::get<I>(args).Get()...);
    } else {
      return F(Target<typename TSplit<typename Fn::Params>::First, K>(AObj), std::get<I>(args).Get()...);
    }
  };
  if constexpr (std::is_void_v<typename Fn::Result>) {
    call();
    (std::get<I>(args).WriteBack(AArgs[I]), ...);
    return VARIANT{};
  } else {
    decltype(auto) result = call();
    (std::get<I>(args).WriteBack(AArgs[I]), ...);
    // A variant returned by value belongs to the caller already.
    if constexpr (std::is_same_v<typename Fn::Result, VARIANT>) return result;
    else return ResultToVar(result);
  }
}

template <auto F, TQelTarget K, bool CheckNil = true>
VARIANT Call(void* AObj, TQelDispArgs AArgs) {
  using Args = ArgsOf<F, K>;
  return CallWith<F, K, CheckNil>(AObj, AArgs, Args{}, std::make_index_sequence<TCount<Args>::Value>{});
}

// ---- default arguments --------------------------------------------------------------------

template <class D>
struct TDefaults;
template <auto... Values>
struct TDefaults<QelDefaults<Values...>> {
  static constexpr int Count = sizeof...(Values);
  static constexpr auto Tuple() { return std::tuple{Values...}; }
};

template <class T, class V>
VARIANT DefaultVar(const V& AValue) {
  if constexpr (requires { AValue.View(); }) return QelStringVar(AValue.View());
  else return TQelConv<T>::ToVar(static_cast<T>(AValue));
}

template <class Params, int First, class Tuple, size_t... I>
void FillDefaultsAt(VARIANT* AArgs, int AFrom, const Tuple& AValues, std::index_sequence<I...>) {
  ((int(First + I) >= AFrom
        ? void(AArgs[First + I] = DefaultVar<std::tuple_element_t<First + I, Params>>(std::get<I>(AValues)))
        : void()),
   ...);
}

template <class... P>
using TParamTuple = std::tuple<std::remove_cvref_t<P>...>;
template <class L>
struct TParamTupleOf;
template <class... P>
struct TParamTupleOf<TList<P...>> {
  using Type = TParamTuple<P...>;
};

// The member name a procedure with defaults reports when it gets too many arguments.
template <auto F, TQelTarget K, class D>
inline std::u16string_view DefaultsOwnerName;

// Fills the left-out trailing arguments from D and calls F; the filled ones are cleared after.
template <auto F, TQelTarget K, class D>
VARIANT InvokeWithDefaults(void* AObj, TQelDispArgs AArgs, int AArgsSize, bool) {
  constexpr int full = ArgCount<F, K>;
  constexpr int first = full - TDefaults<D>::Count;
  static_assert(first >= 0, "more default values than parameters");
  if (AArgsSize == full) return Call<F, K>(AObj, AArgs);
  if (AArgsSize > full || AArgsSize < first) RaiseArgCountError(DefaultsOwnerName<F, K, D>);
  VARIANT args[full]{};
  std::copy(AArgs, AArgs + AArgsSize, args);
  using Params = typename TParamTupleOf<ArgsOf<F, K>>::Type;
  struct TClear {
    VARIANT* From;
    VARIANT* To;
    ~TClear() {
      for (VARIANT* v = From; v != To; ++v) VariantClear(v);
    }
  } clear{args + AArgsSize, args + full};
  FillDefaultsAt<Params, first>(args, AArgsSize, TDefaults<D>::Tuple(), std::make_index_sequence<TDefaults<D>::Count>{});
  return Call<F, K>(AObj, args);
}

// ---- invoke procedures -------------------------------------------------------------------

template <auto F, TQelTarget K>
VARIANT InvokeMethod(void* AObj, TQelDispArgs AArgs, int, bool) {
  return Call<F, K>(AObj, AArgs);
}

// Picks the first form taking exactly AArgsSize arguments.
template <TQelName Name, TQelTarget K, auto... Fs>
VARIANT InvokeOverloads(void* AObj, TQelDispArgs AArgs, int AArgsSize, bool) {
  VARIANT result{};
  const bool found = ((AArgsSize == ArgCount<Fs, K> ? (result = Call<Fs, K>(AObj, AArgs), true) : false) || ...);
  if (!found) RaiseArgCountError(Name.View());
  return result;
}

// Indexed properties: the indexes come first; a put's value is the last argument.
template <auto Getter, auto Setter, TQelTarget K>
VARIANT InvokeProperty(void* AObj, TQelDispArgs AArgs, int, bool IsGet) {
  if (IsGet) {
    if constexpr (QelBindDetail::Given<Getter>) return Call<Getter, K>(AObj, AArgs);
  } else {
    if constexpr (QelBindDetail::Given<Setter>) return Call<Setter, K, false>(AObj, AArgs);
  }
  QelRaiseTypeCastError();
}

template <class M>
struct TField;
template <class C, class T>
struct TField<T C::*> {
  using Class = C;
  using Value = T;
};

template <auto Member, TQelTarget K, class W = TQelConv<typename TField<decltype(Member)>::Value>>
VARIANT InvokeDataMember(void* AObj, TQelDispArgs AArgs, int AArgsSize, bool IsGet) {
  using F = TField<decltype(Member)>;
  auto& field = Target<typename F::Class*, K>(AObj)->*Member;
  if (IsGet) return W::ToVar(field);
  field = static_cast<typename F::Value>(W::FromVar(AArgs[AArgsSize - 1]));
  return VARIANT{};
}

template <auto F, TQelTarget K>
TQelWrapperClassRef ResultTypeOf() {
  using R = typename TFn<decltype(F)>::Result;
  if constexpr (std::is_void_v<R>) return nullptr;
  else return QelTypeOf<R>();
}

template <auto F, TQelTarget K>
constexpr bool ReturnsVoid = std::is_void_v<typename TFn<decltype(F)>::Result>;

// The invoke procedure of F with defaults D, and the smallest argument count it takes.
template <auto F, TQelTarget K, class D>
TQelInvokeProc ProcWithDefaults(std::u16string_view AName, int& ACount, bool& AOptional) {
  ACount = ArgCount<F, K> - TDefaults<D>::Count;
  if constexpr (TDefaults<D>::Count == 0) {
    return &InvokeMethod<F, K>;
  } else {
    DefaultsOwnerName<F, K, D> = AName;
    AOptional = true;
    return &InvokeWithDefaults<F, K, D>;
  }
}

// A procedure or function (by F's result type), instance or meta member.
template <auto F, TQelTarget K, class D = QelDefaults<>>
void RegisterCallable(TQelClassWrapperData& AData, std::u16string_view AName, bool AMeta, bool AOptional) {
  int count = 0;
  TQelInvokeProc proc = ProcWithDefaults<F, K, D>(AName, count, AOptional);
  if constexpr (ReturnsVoid<F, K>) {
    AMeta ? AData.AddClassProcedure(AName, proc, count, AOptional) : AData.AddProcedure(AName, proc, count, AOptional);
  } else {
    TQelWrapperClassRef result = ResultTypeOf<F, K>();
    AMeta ? AData.AddClassFunction(AName, proc, result, count, AOptional)
          : AData.AddFunction(AName, proc, result, count, AOptional);
  }
}

}  // namespace QelBindDetail

// ---------------------------------------------------------------------------
// Registration front ends

// Members of the class wrapper of Host (instance members run on a Host object).
template <class Host>
class TQelMembers {
  using K = TQelTarget;

 public:
  explicit TQelMembers(TQelClassWrapperData& AData) : FData(AData) {}

  // A function or procedure (by its result type); D gives trailing parameters' defaults.
  template <auto F, class D = QelDefaults<>>
  void Method(std::u16string_view AName) {
    CheckTarget<F>();
    QelBindDetail::RegisterCallable<F, K::Object, D>(FData, AName, false, false);
  }
  // Forms chosen by argument count; registered with the smallest count and optional parameters.
  template <TQelName Name, auto... Fs>
  void Overloads() {
    (CheckTarget<Fs>(), ...);
    RegisterOverloads<Name, K::Object, false, Fs...>();
  }
  template <auto F, class D = QelDefaults<>>
  void ClassMethod(std::u16string_view AName) {
    QelBindDetail::RegisterCallable<F, K::Class, D>(FData, AName, true, false);
  }
  template <TQelName Name, auto... Fs>
  void ClassOverloads() {
    RegisterOverloads<Name, K::Class, true, Fs...>();
  }
  // Getter (and setter); a getter with parameters makes an indexed property.
  template <auto Getter, auto Setter = nullptr>
  void Property(std::u16string_view AName, unsigned AFlags = qpNone) {
    if constexpr (QelBindDetail::Given<Getter>) CheckTarget<Getter>();
    if constexpr (QelBindDetail::Given<Setter>) CheckTarget<Setter>();
    FData.AddProperty(AName, &QelBindDetail::InvokeProperty<Getter, Setter, K::Object>, PropType<Getter, Setter, K::Object>(),
                      QelBindDetail::Given<Getter>, QelBindDetail::Given<Setter>, IndexCount<Getter, Setter, K::Object>(),
                      (AFlags & qpProtected) != 0, (AFlags & qpDefault) != 0);
  }
  template <auto Getter, auto Setter = nullptr>
  void ClassProperty(std::u16string_view AName, unsigned AFlags = qpNone) {
    FData.AddClassProperty(AName, &QelBindDetail::InvokeProperty<Getter, Setter, K::Class>, PropType<Getter, Setter, K::Class>(),
                           QelBindDetail::Given<Getter>, QelBindDetail::Given<Setter>, IndexCount<Getter, Setter, K::Class>(),
                           (AFlags & qpProtected) != 0);
  }
  // A public data member, plain or event (method pointer).
  template <auto Member>
  void Field(std::u16string_view AName, unsigned AFlags = qpNone) {
    using F = QelBindDetail::TField<decltype(Member)>;
    static_assert(std::is_base_of_v<typename F::Class, Host>, "the field belongs to another class");
    FData.AddProperty(AName, &QelBindDetail::InvokeDataMember<Member, K::Object>, QelTypeOf<typename F::Value>(), true,
                      true, 0, (AFlags & qpProtected) != 0, (AFlags & qpDefault) != 0);
  }
  // Create through the class's virtual constructor (components get the owner argument).
  void Constructor(std::u16string_view AName = u"Create");
  // A constructor function taking the class first: Host* (*)(TClass, Args...).
  template <auto F, class D = QelDefaults<>>
  void Constructor(std::u16string_view AName = u"Create") {
    int count = 0;
    bool optional = false;
    TQelInvokeProc proc = QelBindDetail::ProcWithDefaults<F, K::Class, D>(AName, count, optional);
    FData.AddConstructor(AName, proc, count, optional);
  }
  template <auto Value>
  void Constant(std::u16string_view AName) {
    FData.AddConstant(AName, &ConstantProc<Value>, QelTypeOf<decltype(Value)>());
  }
  void Redeclare(std::u16string_view AName, bool AIsDefault = false) { FData.AddPropertyRedecl(AName, AIsDefault); }
  // The host class's own published properties and events, from its QEL_PUBLISHED list.
  void Published() { PublishAll(static_cast<typename TQelPublished<Host>::List*>(nullptr)); }

  template <auto Value>
  static VARIANT ConstantProc(void*, TQelDispArgs, int, bool) {
    return TQelConv<decltype(Value)>::ToVar(Value);
  }

 private:
  template <class... Items>
  void PublishAll(TQelPublishedList<Items...>*) {
    (PublishOne(static_cast<Items*>(nullptr)), ...);
  }
  template <TQelName Name, auto Getter, auto Setter>
  void PublishOne(QelProp<Name, Getter, Setter>*) {
    Property<Getter, Setter>(Name.View());
  }
  template <TQelName Name, auto Member>
  void PublishOne(QelEvent<Name, Member>*) {
    Field<Member>(Name.View());
  }

  template <auto F>
  static constexpr void CheckTarget() {
    using C = typename QelBindDetail::TFn<decltype(F)>::Class;
    if constexpr (!std::is_void_v<C>) static_assert(std::is_base_of_v<C, Host>, "the member belongs to another class");
  }

  template <TQelName Name, TQelTarget T, bool AMeta, auto... Fs>
  void RegisterOverloads() {
    constexpr int count = std::min({QelBindDetail::ArgCount<Fs, T>...});
    TQelInvokeProc proc = &QelBindDetail::InvokeOverloads<Name, T, Fs...>;
    if constexpr ((QelBindDetail::ReturnsVoid<Fs, T> && ...)) {
      AMeta ? FData.AddClassProcedure(Name.View(), proc, count, true) : FData.AddProcedure(Name.View(), proc, count, true);
    } else {
      TQelWrapperClassRef result = QelTypeOf<VARIANT>();
      AMeta ? FData.AddClassFunction(Name.View(), proc, result, count, true)
            : FData.AddFunction(Name.View(), proc, result, count, true);
    }
  }

  template <auto Getter, auto Setter, TQelTarget T>
  static TQelWrapperClassRef PropType() {
    if constexpr (QelBindDetail::Given<Getter>) {
      return QelBindDetail::ResultTypeOf<Getter, T>();
    } else {
      using Args = QelBindDetail::ArgsOf<Setter, T>;
      return LastType(Args{});
    }
  }
  template <class... P>
  static TQelWrapperClassRef LastType(QelBindDetail::TList<P...>) {
    using Last = std::tuple_element_t<sizeof...(P) - 1, std::tuple<P...>>;
    return QelTypeOf<Last>();
  }
  template <auto Getter, auto Setter, TQelTarget T>
  static constexpr int IndexCount() {
    if constexpr (QelBindDetail::Given<Getter>) return QelBindDetail::ArgCount<Getter, T>;
    else return QelBindDetail::ArgCount<Setter, T> - 1;
  }

  TQelClassWrapperData& FData;
};

namespace QelBindDetail {

// Creates an instance of the class in AObj (the class a script named, or an instance's actual
// class) through its virtual constructor.
TObject* ConstructInstance(TClass AClass, TComponent* AOwner);

template <class Host>
VARIANT InvokeVirtualConstructor(void* AObj, TQelDispArgs AArgs, int, bool) {
  TComponent* owner = nullptr;
  if constexpr (qel_detail::TakesOwner<Host>) owner = TQelConv<TComponent*>::FromVar(AArgs[0]);
  return ObjectToVar(ConstructInstance(static_cast<TClass>(AObj), owner));
}

}  // namespace QelBindDetail

template <class Host>
void TQelMembers<Host>::Constructor(std::u16string_view AName) {
  FData.AddConstructor(AName, &QelBindDetail::InvokeVirtualConstructor<Host>, qel_detail::TakesOwner<Host> ? 1 : 0, false);
}

// Members of the record wrapper W (instance members run on the wrapper's own copy).
template <class W>
class TQelRecordMembers {
  using K = TQelTarget;
  using R = typename W::Record;

 public:
  explicit TQelRecordMembers(TQelRecordWrapperData& AData) : FData(AData) {}

  template <auto Member>
  void Field(std::u16string_view AName) {
    using F = QelBindDetail::TField<decltype(Member)>;
    static_assert(std::is_same_v<typename F::Class, R>, "the field belongs to another record");
    FData.AddField(AName, &QelBindDetail::InvokeDataMember<Member, K::Record>, QelTypeOf<typename F::Value>());
  }
  // A field converted by the given wrapper rather than by its C++ type's.
  template <auto Member, class Conv>
  void FieldAs(std::u16string_view AName) {
    FData.AddField(AName, &QelBindDetail::InvokeDataMember<Member, K::Record, Conv>, QelWrapperClass<Conv>());
  }
  template <auto F>
  void Method(std::u16string_view AName) {
    Register<F, K::Record>(AName, false);
  }
  // A meta function needing no record (a plain function without target).
  template <auto F>
  void ClassMethod(std::u16string_view AName) {
    Register<F, K::None>(AName, true);
  }
  template <auto Getter, auto Setter = nullptr>
  void ClassProperty(std::u16string_view AName) {
    FData.AddClassProperty(AName, &QelBindDetail::InvokeProperty<Getter, Setter, K::None>,
                           QelBindDetail::ResultTypeOf<Getter, K::None>(), true, QelBindDetail::Given<Setter>, 0, false);
  }
  // Create (a zeroed record) and Copy (a new wrapper holding a copy of this one).
  void CreateAndCopy() {
    FData.AddConstructor(u"Create", &NewZeroed, 0, false);
    FData.AddFunction(u"Copy", &CopyOf, FData.GetWrapperClass(), 0, false);
  }
  // Create chosen by argument count: the forms return R.
  template <TQelName Name, auto... Fs>
  void Constructors() {
    constexpr int count = std::min({QelBindDetail::ArgCount<Fs, K::None>...});
    FData.AddConstructor(Name.View(), &QelBindDetail::InvokeOverloads<Name, K::None, Fs...>, count, true);
  }

 private:
  static VARIANT NewZeroed(void*, TQelDispArgs, int, bool) { return RecordToVar(QelWrapperClass<W>(), nullptr); }
  static VARIANT CopyOf(void* AObj, TQelDispArgs, int, bool) {
    return WrapperToVarTaken(static_cast<TQelRecordWrapper*>(AObj)->Clone());
  }
  static VARIANT WrapperToVarTaken(TQelDispWrapper* AWrapper) {
    VARIANT result{};
    result.vt = VT_DISPATCH;
    result.pdispVal = AWrapper->AsDispatch();
    return result;
  }

  template <auto F, TQelTarget T>
  void Register(std::u16string_view AName, bool AMeta) {
    QelBindDetail::RegisterCallable<F, T>(FData, AName, AMeta, false);
  }

  TQelRecordWrapperData& FData;
};

// Members of a unit wrapper: routines, variables, constants and types.
class TQelUnitMembers {
  using K = TQelTarget;

 public:
  explicit TQelUnitMembers(TQelUnitWrapperData& AData) : FData(AData) {}

  // A routine; a first parameter TQelUnitWrapper* receives the unit instance.
  template <auto F, class D = QelDefaults<>>
  void Routine(std::u16string_view AName) {
    constexpr K target = TargetOf<F>();
    int count = 0;
    bool optional = false;
    TQelInvokeProc proc = QelBindDetail::ProcWithDefaults<F, target, D>(AName, count, optional);
    if constexpr (QelBindDetail::ReturnsVoid<F, target>) FData.AddProcedure(AName, proc, count, optional);
    else FData.AddFunction(AName, proc, QelBindDetail::ResultTypeOf<F, target>(), count, optional);
  }
  template <TQelName Name, auto... Fs>
  void Overloads() {
    constexpr int count = std::min({QelBindDetail::ArgCount<Fs, K::None>...});
    TQelInvokeProc proc = &QelBindDetail::InvokeOverloads<Name, K::None, Fs...>;
    if constexpr ((QelBindDetail::ReturnsVoid<Fs, K::None> && ...)) FData.AddProcedure(Name.View(), proc, count, true);
    else FData.AddFunction(Name.View(), proc, QelTypeOf<VARIANT>(), count, true);
  }
  template <auto Getter, auto Setter>
  void Variable(std::u16string_view AName) {
    FData.AddVariable(AName, &QelBindDetail::InvokeProperty<Getter, Setter, K::None>,
                      QelBindDetail::ResultTypeOf<Getter, K::None>());
  }
  template <auto Value>
  void Constant(std::u16string_view AName) {
    FData.AddConstant(AName, &TQelMembers<TObject>::ConstantProc<Value>, QelTypeOf<decltype(Value)>());
  }
  template <class W>
  void Type() {
    FData.AddType(QelWrapperClass<W>(), &TypeProc<W>);
  }

 private:
  template <auto F>
  static constexpr K TargetOf() {
    using Params = typename QelBindDetail::TFn<decltype(F)>::Params;
    if constexpr (QelBindDetail::TCount<Params>::Value > 0) {
      if constexpr (std::is_same_v<typename QelBindDetail::TSplit<Params>::First, TQelUnitWrapper*>) return K::Unit;
      else return K::None;
    } else {
      return K::None;
    }
  }

  template <class W>
  static VARIANT TypeProc(void*, TQelDispArgs, int, bool) {
    return TQelUnitWrapper::TypeToVar(QelWrapperClass<W>());
  }

  TQelUnitWrapperData& FData;
};

// ---------------------------------------------------------------------------
// Script event handlers: the host calls Handler with the event's own signature.

namespace QelBindDetail {

// One event argument as a variant; a var parameter travels by reference and comes back.
template <class P>
struct TEventArg {
  TEventArg(const TEventArg&) = delete;
  explicit TEventArg(const P& AValue) : FValue(TQelConv<P>::ToVar(AValue)) {}
  ~TEventArg() { VariantClear(&FValue); }
  VARIANT Pass() { return FValue; }
  void CopyBack(const P&) {}
  VARIANT FValue;
};
template <class T>
  requires(!std::is_const_v<T>)
struct TEventArg<T&> {
  TEventArg(const TEventArg&) = delete;
  explicit TEventArg(const T& AValue) : FValue(TQelConv<T>::ToVar(AValue)) {}
  ~TEventArg() { VariantClear(&FValue); }
  VARIANT Pass() { return MakeVarRef(FValue); }
  void CopyBack(T& AHostValue) { AHostValue = TQelConv<T>::FromVar(FValue); }
  VARIANT FValue;
};

template <class Ev, class Sig>
class TScriptHandler;

template <class Ev, class R, class... A>
class TScriptHandler<Ev, R(A...)> final : public TQelScriptEventHandler {
 public:
  using TQelScriptEventHandler::TQelScriptEventHandler;
  TMethod GetHandler() override { return {reinterpret_cast<void*>(&Handler), static_cast<void*>(this)}; }

  static R Handler(void* AData, A... AArgs) {
    auto* self = static_cast<TScriptHandler*>(AData);
    self->Run(std::index_sequence_for<A...>{}, AArgs...);
    if constexpr (!std::is_void_v<R>) return R{};
  }

 private:
  template <size_t... I>
  void Run(std::index_sequence<I...>, A&... AArgs) {
    std::tuple<TEventArg<A>...> args{AArgs...};  // built in place: each owns its variant
    VARIANT argv[sizeof...(A) + 1] = {std::get<I>(args).Pass()...};
    VARIANT result = FOwner->RunProc(FProcName, argv, static_cast<int>(sizeof...(A)));
    VariantClear(&result);
    (std::get<I>(args).CopyBack(AArgs), ...);
  }
};

template <class D, class S>
std::type_identity<S> SignatureOf(const TMethodEvent<D, S>*);

}  // namespace QelBindDetail

template <class Ev>
TQelScriptEventHandler* TQelEventWrapperOf<Ev>::NewScriptHandler(IQelScriptControl* AOwner, std::u16string_view AProcName) {
  using Sig = typename decltype(QelBindDetail::SignatureOf(static_cast<const Ev*>(nullptr)))::type;
  return new QelBindDetail::TScriptHandler<Ev, Sig>(AOwner, AProcName, QelWrapperClass<TQelEventWrapperOf<Ev>>());
}
