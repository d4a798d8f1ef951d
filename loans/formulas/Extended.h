#pragma once

#include "loans/formulas/FloatError.h"

#include <cmath>

// Helpers for arithmetic carried in x87 extended precision (long double with
// GCC on x86-64) between the points where a value is stored as a double.
namespace loans::extended {

// Completes the computation of v here, so that its faults are flagged before
// the next check, and reports any fault so far.
inline long double checked(long double v) {
    volatile long double settled = v;
    FloatError::throwIfRaised();
    return settled;
}

// Rounds v to a double, as storing it does, and reports any fault so far
// (the rounding itself may overflow).
inline double store(long double v) {
    volatile double stored = static_cast<double>(v);
    FloatError::throwIfRaised();
    return stored;
}

// Cent rounding inside a calculation whose flags are already clear.
inline double roundToCents(double value) {
    const long double cents = checked(static_cast<long double>(value) * 100);
    const long long whole = llrintl(cents);
    return store(static_cast<long double>(whole) / 100);
}

} // namespace loans::extended
