#include "app/RandomInRange.h"

#include "core/Clock.h"

#include <cstdint>
#include <utility>

namespace app {

int RandomInRange(int intLow, int intHi) {
    return RandomInRange(intLow, intHi, core::Clock::now());
}

int RandomInRange(int intLow, int intHi, const QDateTime &now) {
    const QTime time = now.toUTC().time();
    std::uint32_t seed = std::uint32_t(time.msecsSinceStartOfDay());
    if (intHi < intLow)
        std::swap(intLow, intHi);
    seed = seed * 134775813u + 1u;
    const double r = double(seed) / 4294967296.0;
    return int(r * (double(intHi) - double(intLow)) + double(intLow));
}

} // namespace app
