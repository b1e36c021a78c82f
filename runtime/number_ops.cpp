#include "runtime/number_ops.h"

#include <cmath>

namespace rt {

std::int32_t ShiftRight(std::int32_t value, std::int32_t count) {
    return value >> (count & 31);
}

std::int32_t RgbColor(std::int32_t red, std::int32_t green, std::int32_t blue) {
    return (red & 0xFF) | (green & 0xFF) << 8 | (blue & 0xFF) << 16;
}

double AbsValue(double value) {
    return std::fabs(value);
}

namespace {

// 10 to the power of `exponent` (at least 0); exact while the result is, unlike some C
// libraries' pow, whose last bit may differ.
double PowerOfTen(int exponent) {
    double result = 1.0;
    for (int i = 0; i < exponent && result <= 1e308; ++i)
        result *= 10.0;
    return result;
}

}  // namespace

// Negative places divide by a power of ten rather than multiply by its inverse: 10^-2 has no
// exact double, and a scale a hair too small puts 1249 just below 1250 instead of at 12.49.
double RoundTo(double value, int places) {
    if (places >= 0) {
        const double scale = PowerOfTen(places);
        return std::floor(value * scale + 0.5) / scale;
    }
    const double scale = PowerOfTen(-places);
    return std::floor(value / scale + 0.5) * scale;
}

}  // namespace rt
