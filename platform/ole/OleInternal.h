// Shared helpers of the variant routines; not part of the public interface.
#pragma once

#include <string>
#include <string_view>

#include "platform/ole/OleLocale.h"
#include "platform/ole/OleVariant.h"

namespace ole_detail {

using int128 = __int128;

// A number read out of a variant without loss: integers (all widths, booleans, empty),
// reals (R4, R8, DATE) and currency units (value * 10000).
struct Num {
  enum Kind { Int, Real, Cy } kind = Int;
  int128 i = 0;
  double d = 0;
  int64_t cy = 0;
};

// A by-reference variant seen as the value it points at (no ownership taken).
// DISP_E_BADVARTYPE for an unknown by-reference kind.
HRESULT derefView(const VARIANT* src, VARIANT& view);

// Numeric kinds (EMPTY, BOOL, integers, reals, DATE, CY) read into a Num.
bool isNumericKind(VARTYPE vt);
Num readNum(const VARIANT& v);
// Converts a Num to a numeric kind, BOOL or DATE with the published rounding and range rules.
HRESULT writeNum(const Num& n, VARTYPE vt, VARIANT& out);

// Reals to integers: round half to even; DISP_E_OVERFLOW when not finite or beyond 64 bits.
HRESULT roundToInt(double d, int128& out);
bool fitsKind(int128 v, VARTYPE vt);

// ---- text ---------------------------------------------------------------------------------
HRESULT textToNum(std::u16string_view text, VARTYPE target, const OleRegionalSettings& rs,
                  Num& out);
HRESULT textToBool(std::u16string_view text, const OleRegionalSettings& rs, VARIANT_BOOL& out);
HRESULT textToDate(std::u16string_view text, const OleRegionalSettings& rs, DATE& out);
// Number, currency, boolean and date text of a scalar variant.
HRESULT scalarToText(const VARIANT& v, USHORT flags, const OleRegionalSettings& rs,
                     std::u16string& out);
std::u16string realToText(double d, int digits, const OleRegionalSettings& rs);
HRESULT dateToText(DATE d, const OleRegionalSettings& rs, std::u16string& out);

// ---- dates ----------------------------------------------------------------------------------
constexpr double kMinDate = -657434.0;  // 1 January 100
constexpr double kMaxDate = 2958466.0;  // exclusive: 1 January 10000
inline bool dateInRange(double d) { return d >= kMinDate && d < kMaxDate; }
int64_t serialFromCivil(int y, unsigned m, unsigned d);
void civilFromSerial(int64_t serial, int& y, unsigned& m, unsigned& d);

// ---- objects --------------------------------------------------------------------------------
// The default property (DISPID_VALUE, DISPATCH_PROPERTYGET) of a dispatch object.
HRESULT defaultValue(IDispatch* disp, VARIANT& out);

// Takes ownership of `value` into *dest, clearing what *dest held.
void moveInto(VARIANT* dest, VARIANT& value);

inline VARIANT makeEmpty() {
  VARIANT v;
  VariantInit(&v);
  return v;
}

}  // namespace ole_detail

namespace ole_detail {

// Size of one value of a base kind as stored by reference or in a safe array; 0 when the kind
// has no such storage here.
UINT kindSize(VARTYPE base);
// The kinds a VARIANT may hold (with VT_ARRAY / VT_BYREF).
bool isValidVariantKind(VARTYPE vt);

}  // namespace ole_detail

namespace ole_detail {

// An operand of the Var* routines: by-reference followed, objects replaced by their default
// value (owned here and released with the operand). No allocation for plain values.
class Operand {
 public:
  Operand() { VariantInit(&owned_); }
  ~Operand() { VariantClear(&owned_); }
  Operand(const Operand&) = delete;
  Operand& operator=(const Operand&) = delete;

  HRESULT load(const VARIANT* in);
  const VARIANT& value() const { return view_; }
  VARTYPE vt() const { return view_.vt; }
  // Replaces a string operand by its number (VT_R8), keeping other kinds.
  HRESULT textToNumber();

 private:
  VARIANT view_;
  VARIANT owned_;
};

// Loads both operands of a binary routine.
HRESULT loadOperands(const VARIANT* pl, const VARIANT* pr, Operand& l, Operand& r);

// Stores v in the first kind of the widening chain starting at `kind` that holds it:
// UI1, I1 -> I2 -> I4 -> R8; UI2 -> I4; UI4, UINT -> I8 -> R8; INT as I4; UI8 -> R8.
void storeWidening(int128 v, VARTYPE kind, VARIANT& out);
// Rank of a numeric kind for result promotion: EMPTY 0, UI1 1, I1/I2/BOOL 2, UI2/I4/INT 3,
// UI4/UINT/I8/UI8 4, R4 5, R8 6, CY 7, DATE 8.
int rankOf(VARTYPE vt);

}  // namespace ole_detail
