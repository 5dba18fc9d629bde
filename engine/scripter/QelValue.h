// qel::Value: a script value that owns its VARIANT. Copying copies the variant, moving moves
// it, destruction clears it, so a host never calls VariantClear. It converts from the C++
// types a host usually has (integers, double, bool, UTF-8 and UTF-16 text, host objects) and
// back, with the engine's own coercions: a failed conversion raises the variant type-cast
// error ("Invalid variant type conversion").
//
// A VARIANT returned by the control (Eval, ReadVar, RunProc, GetScript) is taken over by
// assigning it to a Value:
//
//   qel::Value total = script.Eval(u"Total * 10");   // no VariantClear needed
//
// qel::ScriptError: what the control throws for a script error whose source position is known
// (a compile error, or a runtime error inside script code). It is an ExceptionPtr, so existing
// `catch (const ExceptionPtr&)` handlers still see it; the line and column are fields.
#pragma once

#include <concepts>
#include <cstdint>
#include <string>
#include <string_view>

#include "host/core/SysUtils.h"
#include "platform/ole/OleAuto.h"

class TObject;

namespace qel {

class Value {
 public:
  Value() noexcept;  // Empty
  ~Value();
  Value(const Value& AOther);
  Value(Value&& AOther) noexcept;
  Value& operator=(const Value& AOther);
  Value& operator=(Value&& AOther) noexcept;

  // Takes the variant over and leaves the source Empty: the form a returned VARIANT comes in.
  Value(VARIANT&& AVariant) noexcept;  // NOLINT(google-explicit-constructor)
  // A copy of the variant (a reference is followed); the caller keeps its own.
  explicit Value(const VARIANT& AVariant);

  Value(bool AValue);  // NOLINT
  // Integers are VT_I4 when they fit, else VT_I8.
  template <std::integral T>
    requires(!std::same_as<T, bool>)
  Value(T AValue) : Value(FromInt64(static_cast<int64_t>(AValue))) {}  // NOLINT
  Value(double AValue);                                                 // NOLINT
  Value(const char* AUtf8);                                             // NOLINT
  Value(std::string_view AUtf8);                                        // NOLINT
  Value(const std::string& AUtf8) : Value(std::string_view(AUtf8)) {}   // NOLINT
  Value(const char16_t* AText);                                         // NOLINT
  Value(std::u16string_view AText);                                     // NOLINT
  Value(const std::u16string& AText) : Value(std::u16string_view(AText)) {}  // NOLINT
  // A host object, wrapped by its class wrapper (the wrapper does not own it); null is nil.
  Value(TObject* AObject);  // NOLINT
  // A dispatch object (add-ref'ed); null is nil.
  Value(IDispatch* AObject);  // NOLINT

  static Value FromInt64(int64_t AValue);

  // --- the variant ---
  const VARIANT& Var() const noexcept { return FValue; }
  operator const VARIANT&() const noexcept { return FValue; }  // NOLINT
  // Cleared, for an operation that fills a VARIANT* out-parameter.
  VARIANT* Put() noexcept;
  // Gives the variant up (the caller owns it); this becomes Empty.
  VARIANT Detach() noexcept;
  VARTYPE Type() const noexcept { return FValue.vt; }
  bool IsEmpty() const noexcept { return FValue.vt == VT_EMPTY; }
  // Null, or an object variant holding no object.
  bool IsNull() const noexcept;

  // --- conversions (raise EVariantTypeCastError when impossible) ---
  int32_t ToInt() const;
  int64_t ToInt64() const;
  double ToDouble() const;
  bool ToBool() const;
  // Text as a script shows it; booleans read "True" and "False".
  std::u16string ToU16String() const;
  std::string ToString() const;  // UTF-8
  // The host object behind a wrapper; null for nil. Raises when the value is no host object.
  TObject* ToObject() const;
  template <class T>
  T* ToObject() const {
    return dynamic_cast<T*>(ToObject());
  }

 private:
  VARIANT FValue;
};

// A script error with the place it was reported: Line and Column count from 1; both are 0
// when the engine could not place it. Message() is the control's message, unchanged (with the
// "Source: ..." block when the control's ExceptionSourceInfo is on).
class ScriptError : public ExceptionPtr {
 public:
  ScriptError(const ExceptionPtr& AError, int ALine, int AColumn) : ExceptionPtr(AError), FLine(ALine), FColumn(AColumn) {}
  int Line() const noexcept { return FLine; }
  int Column() const noexcept { return FColumn; }
  bool HasPosition() const noexcept { return FLine > 0; }
  const std::u16string& Message() const { return Get()->GetMessage(); }

 private:
  int FLine;
  int FColumn;
};

}  // namespace qel
