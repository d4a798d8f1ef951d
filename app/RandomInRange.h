#pragma once

#include <QDateTime>

namespace app {

// A random integer from intLow up to, but not including, intHi (the bounds
// swapped when intHi is the smaller; equal bounds give that bound). The
// generator is reseeded from the clock at every call: with the milliseconds
// since midnight UTC, one linear congruential step (x * 134775813 + 1 mod 2^32).
int RandomInRange(int intLow, int intHi);
int RandomInRange(int intLow, int intHi, const QDateTime &now);

} // namespace app
