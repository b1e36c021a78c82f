#include "runtime/xml_comments.h"

#include "runtime/xml_bytes.h"

namespace rt::xml {

std::string StripComments(std::string_view raw) {
    constexpr std::string_view kOpen = "<!--";
    constexpr std::string_view kClose = "-->";
    std::string out;
    out.reserve(raw.size());
    for (std::size_t pos = 0; pos < raw.size();) {
        if (raw.substr(pos, kOpen.size()) == kOpen) {
            const std::size_t close = FindOnCharBoundary(raw, kClose, pos + kOpen.size());
            if (close == std::string_view::npos) break;
            pos = close + kClose.size();
            continue;
        }
        const std::size_t length = CharLength(raw, pos);
        out.append(raw.substr(pos, length));
        pos += length;
    }
    return out;
}

}  // namespace rt::xml
