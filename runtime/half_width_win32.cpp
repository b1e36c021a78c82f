#include <windows.h>

#include "runtime/half_width.h"

namespace rt {

TextValue MapToHalfWidth(std::string_view text) {
    constexpr LCID kChineseSimplified = 0x804;
    if (text.empty()) return {};
    const int sourceLength = static_cast<int>(text.size());
    const int needed =
        LCMapStringA(kChineseSimplified, LCMAP_HALFWIDTH, text.data(), sourceLength, nullptr, 0);
    if (needed <= 0) return TextValue(text);  // leave the text as it was rather than lose it
    TextValue mapped(static_cast<std::size_t>(needed), '\0');
    const int written = LCMapStringA(kChineseSimplified, LCMAP_HALFWIDTH, text.data(), sourceLength,
                                     mapped.data(), needed);
    if (written <= 0) return TextValue(text);
    mapped.resize(static_cast<std::size_t>(written));
    return mapped;
}

}  // namespace rt
