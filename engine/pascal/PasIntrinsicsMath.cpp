// Arithmetic intrinsics, set bits and Inc/Dec.
#include <cmath>

#include "engine/pascal/PasIntrinsics.h"
#include "host/core/Math.h"

namespace qel_pas {
namespace {

// A one-number function with a double result.
template <double (*F)(double)>
void NumberFn(VARIANT* AArgs, VARIANT& AResult) {
  SetDouble(AResult, F(ArgNumber(AArgs, 0)));
}

// A one-number function with an int64 result.
template <int64_t (*F)(double)>
void Int64Fn(VARIANT* AArgs, VARIANT& AResult) {
  SetInt64(AResult, F(ArgNumber(AArgs, 0)));
}

double Absolute(double A) { return std::fabs(A); }
double Square(double A) { return A * A; }
double FracPart(double A) { return ::Frac(A); }
double IntPart(double A) { return ::Int(A); }
int64_t Truncated(double A) { return ::Trunc(A); }

void ChangeSetBit(VARIANT* AArgs, bool ASet) {
  const uint32_t bit = 1u << (static_cast<uint32_t>(ArgInt(AArgs, 1)) & 31);
  uint32_t set = static_cast<uint32_t>(ArgInt(AArgs, 0));
  set = ASet ? (set | bit) : (set & ~bit);
  WriteBackInt(&AArgs[0], static_cast<int32_t>(set));
}

void IncDec(const TQelCall& ACall, VARIANT* AArgs, TQelInstrCode AOperator) {
  RequireArgCount(ACall, 1, 2);
  if (AArgs[0].vt != VT_REFVARIANT) return;
  VARIANT one;
  VariantInit(&one);
  QelSetI4(&one, 1);
  const VARIANT* delta = ACall.FArgCount == 2 ? Arg(AArgs, 1) : &one;
  QelBinaryOp(AOperator, QelDeref(&AArgs[0]), delta);
}

}  // namespace

void PasAbs(const TQelCall&, VARIANT* A, VARIANT& R) { NumberFn<Absolute>(A, R); }
void PasFrac(const TQelCall&, VARIANT* A, VARIANT& R) { NumberFn<FracPart>(A, R); }
void PasInt(const TQelCall&, VARIANT* A, VARIANT& R) { NumberFn<IntPart>(A, R); }
void PasSqr(const TQelCall&, VARIANT* A, VARIANT& R) { NumberFn<Square>(A, R); }
void PasTrunc(const TQelCall&, VARIANT* A, VARIANT& R) { Int64Fn<Truncated>(A, R); }

void PasOdd(const TQelCall&, VARIANT* AArgs, VARIANT& AResult) {
  SetBoolean(AResult, (ArgInt(AArgs, 0) & 1) != 0);
}

void PasInclude(const TQelCall&, VARIANT* AArgs, VARIANT&) { ChangeSetBit(AArgs, true); }
void PasExclude(const TQelCall&, VARIANT* AArgs, VARIANT&) { ChangeSetBit(AArgs, false); }
void PasInc(const TQelCall& ACall, VARIANT* AArgs, VARIANT&) { IncDec(ACall, AArgs, icPlus); }
void PasDec(const TQelCall& ACall, VARIANT* AArgs, VARIANT&) { IncDec(ACall, AArgs, icMinus); }

}  // namespace qel_pas
