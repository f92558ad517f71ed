#pragma once

#include <cmath>
#include <cstdint>

// The game rounds to the nearest whole number with halves to the even one (nearbyint under the default
// rounding mode), into its 16-bit integers.
inline int16_t RoundHalfEven(float value) {
    return static_cast<int16_t>(std::nearbyint(value));
}
