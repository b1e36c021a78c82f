// Bit and number operations on the runtime's int and double values. Portable.
#pragma once

#include <cstdint>

namespace rt {

template <class... Ints>
std::int32_t BitOr(std::int32_t first, Ints... rest) {
    return (first | ... | static_cast<std::int32_t>(rest));
}
template <class... Ints>
std::int32_t BitAnd(std::int32_t first, Ints... rest) {
    return (first & ... & static_cast<std::int32_t>(rest));
}
template <class... Ints>
std::int32_t BitXor(std::int32_t first, Ints... rest) {
    return (first ^ ... ^ static_cast<std::int32_t>(rest));
}
inline std::int32_t BitNot(std::int32_t value) {
    return ~value;
}

// Arithmetic (sign-keeping) shift right by `count` modulo 32.
std::int32_t ShiftRight(std::int32_t value, std::int32_t count);

// A GDI colour: red in the low byte, then green, then blue.
std::int32_t RgbColor(std::int32_t red, std::int32_t green, std::int32_t blue);

double AbsValue(double value);

// Rounds half up (floor of x + 0.5) at `places` decimals; negative places round to tens,
// hundreds and so on.
double RoundTo(double value, int places = 0);

// Suspends the calling thread for `milliseconds` (nothing for 0 or less).
void SleepMs(int milliseconds);

}  // namespace rt
