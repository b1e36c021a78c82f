#include "runtime/number_text.h"

#include <cinttypes>
#include <cstdio>
#include <utility>

namespace rt {

TextValue TrimTrailingZeros(TextValue text) {
    if (text.find('.') == TextValue::npos) return text;
    while (!text.empty() && text.back() == '0')
        text.pop_back();
    if (!text.empty() && text.back() == '.') text.pop_back();
    return text;
}

TextValue FixedPointText(double value) {
    // Large magnitudes need more than any fixed buffer ("%f" of 1e300 is 308 characters).
    const int length = std::snprintf(nullptr, 0, "%f", value);
    if (length <= 0) return {};
    TextValue text(static_cast<std::size_t>(length), '\0');
    std::snprintf(text.data(), text.size() + 1, "%f", value);
    return TrimTrailingZeros(std::move(text));
}

TextValue DecimalText(std::int64_t value) {
    char buffer[24];
    std::snprintf(buffer, sizeof buffer, "%" PRId64, value);
    return buffer;
}

}  // namespace rt
