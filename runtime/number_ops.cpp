#include "runtime/number_ops.h"

#include <chrono>
#include <cmath>
#include <thread>

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

double RoundTo(double value, int places) {
    const double scale = std::pow(10.0, places);
    return std::floor(value * scale + 0.5) / scale;
}

void SleepMs(int milliseconds) {
    if (milliseconds > 0) std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace rt
