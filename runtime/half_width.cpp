#include "runtime/half_width.h"

#include "runtime/dbcs.h"
#include "runtime/text_search.h"

namespace rt {

TextValue NormalizeHalfWidth(std::string_view text) {
    if (text.empty()) return {};
    TextValue slashed = TextReplaceAll(text, "／", "/");
    slashed = TextReplaceAll(slashed, "＼", "\\");
    return MapToHalfWidth(slashed);
}

TextValue MapGbkFullWidthToAscii(std::string_view text) {
    TextValue mapped;
    mapped.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t width = CharWidthAt(text, i);
        const auto lead = static_cast<unsigned char>(text[i]);
        const auto trail = width == 2 ? static_cast<unsigned char>(text[i + 1]) : 0;
        if (lead == 0xA3 && trail == 0xA4) {
            mapped += text.substr(i, width);  // "￥": no half-width yen in code page 936
        } else if (lead == 0xA3 && trail == 0xFE) {
            mapped += "\xA1\xA5";  // "￣" -> macron, "ˉ" in code page 936
        } else if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) {
            mapped += static_cast<char>(trail - 0x80);
        } else if (lead == 0xA1 && trail == 0xA1) {
            mapped += ' ';
        } else {
            mapped += text.substr(i, width);
        }
        i += width;
    }
    return mapped;
}

}  // namespace rt
