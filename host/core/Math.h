// Host unit "Math", with the System unit's rounding and random routines that
// the script intrinsics build on (Round, Trunc, Frac, Int, Random, Randomize,
// RandSeed).
#pragma once

#include <atomic>
#include <cstdint>

// ---------------------------------------------------------------------------
// Rounding (System)

// Nearest integer, halves to the even neighbour (2.5 -> 2, -2.5 -> -2, 3.5 -> 4).
// NaN, infinities and values beyond 64 bits raise EInvalidOp
// "Invalid floating point operation".
int64_t Round(double AValue);
// Toward zero; the same failures as Round.
int64_t Trunc(double AValue);
// The integer part toward zero, as a real (Int(-2.5) = -2).
double Int(double AValue);
// AValue - Int(AValue), with AValue's sign.
double Frac(double AValue);

// ---------------------------------------------------------------------------
// Random numbers (System): the class library's linear congruential generator,
// RandSeed := RandSeed * 134775813 + 1 (32 bits), so a fixed RandSeed gives a
// reproducible sequence. Each draw updates RandSeed atomically.

extern std::atomic<int32_t> RandSeed;
// Seeds RandSeed from the clock.
void Randomize();
// A real in [0, 1): the new seed as an unsigned 32-bit number / 2^32.
double Random();
// An integer in [0, ARange): (unsigned seed * ARange) >> 32; 0 when ARange <= 0.
int Random(int ARange);
// An integer in [min(AFrom, ATo), max(AFrom, ATo)).
int RandomRange(int AFrom, int ATo);

// ---------------------------------------------------------------------------
// Math

// The value rounded half away from zero at 10^ADigit (ADigit = -2: two
// decimals), as the class library's SimpleRoundTo.
double SimpleRoundTo(double AValue, int ADigit = -2);
// The value rounded half to even at 10^ADigit, as RoundTo.
double RoundTo(double AValue, int ADigit);
int64_t Floor(double AValue);
int64_t Ceil(double AValue);
double Power(double ABase, double AExponent);
double IntPower(double ABase, int AExponent);
double Log10(double AValue);
double Log2(double AValue);
double LogN(double ABase, double AValue);
double Tan(double AValue);
double ArcSin(double AValue);
double ArcCos(double AValue);
double ArcTan2(double AY, double AX);
// -1, 0 or 1.
int Sign(double AValue);
bool IsNan(double AValue);
bool IsInfinite(double AValue);
bool IsZero(double AValue, double AEpsilon = 0);
bool SameValue(double A, double B, double AEpsilon = 0);
bool InRange(int64_t AValue, int64_t AMin, int64_t AMax);
int64_t EnsureRange(int64_t AValue, int64_t AMin, int64_t AMax);
