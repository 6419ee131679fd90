#pragma once
// Checked extended-precision arithmetic. Every operation clears the
// floating-point status flags, computes, and raises the matching error when
// division by zero, an invalid operation or an overflow occurred. Underflow and
// inexact results stay silent. Operands pass through volatile storage so that
// the compiler cannot move the computation across the flag tests.
#include <cfenv>

namespace orvane {

static_assert(sizeof(long double) >= 10 && __LDBL_MANT_DIG__ >= 64,
              "the engine needs an extended type with a 64-bit mantissa");

// Raises EInvalidOp, EZeroDivide or EOverflow for the given fenv flags.
[[noreturn]] void RaiseFpFault(int flags);

// Clears the fault flags. Clearing is slow on x87 (it saves and reloads the
// whole environment), so it only happens when a fault flag is set; the
// inexact and underflow flags are never looked at.
inline void FpClear() {
    if (std::fetestexcept(FE_DIVBYZERO | FE_INVALID | FE_OVERFLOW)) std::feclearexcept(FE_ALL_EXCEPT);
}
// Raises the error matching any fault flag set since FpClear().
inline void FpCheck() {
    int f = std::fetestexcept(FE_DIVBYZERO | FE_INVALID | FE_OVERFLOW);
    if (f) RaiseFpFault(f);
}

// Runs fn() with the flags cleared before and checked after.
template <class Fn>
inline long double Checked(Fn fn) {
    FpClear();
    volatile long double r = fn();
    FpCheck();
    return r;
}

inline long double FAdd(long double a, long double b) {
    volatile long double x = a, y = b;
    return Checked([&] { return x + y; });
}
inline long double FSub(long double a, long double b) {
    volatile long double x = a, y = b;
    return Checked([&] { return x - y; });
}
inline long double FMul(long double a, long double b) {
    volatile long double x = a, y = b;
    return Checked([&] { return x * y; });
}
inline long double FDiv(long double a, long double b) {
    volatile long double x = a, y = b;
    return Checked([&] { return x / y; });
}

}  // namespace orvane
