#pragma once
// floor() as an integer for positions, bar lengths and damage taken from doubles.
#include <cmath>
#include <cstdint>
#include <limits>

namespace glintwake {

// Held inside [-limit, limit] whatever the double is (NaN gives -limit), so that a
// value thrown far off by a huge dt cannot overflow the cast. Inline: every
// particle takes two a frame.
inline int32_t floorToInt(double v, int32_t limit = std::numeric_limits<int32_t>::max()) {
    const double bound = limit;
    if (!(v > -bound)) return -limit;
    if (v > bound) return limit;
    return static_cast<int32_t>(std::floor(v));
}

}  // namespace glintwake
