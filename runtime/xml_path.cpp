#include "runtime/xml_path.h"

#include <cstdint>
#include <vector>

#include "runtime/xml_bytes.h"

namespace rt::xml {
namespace {

// Splits at every "/" that is not the trail byte of a double-byte character.
std::vector<std::string_view> SplitSegments(std::string_view path) {
    std::vector<std::string_view> segments;
    std::size_t start = 0;
    for (std::size_t pos = 0; pos < path.size(); pos += CharLength(path, pos)) {
        if (path[pos] == '/') {
            segments.push_back(path.substr(start, pos - start));
            start = pos + 1;
        }
    }
    segments.push_back(path.substr(start));
    return segments;
}

const XmlElement* Step(const XmlElement& current, std::string_view segment) {
    if (segment.empty() || segment.front() != '@') return current.FindChild(segment);
    const std::optional<std::size_t> position = ParsePositionSelector(segment);
    if (!position || *position > current.children.size()) return nullptr;
    return current.children[*position - 1].get();
}

}  // namespace

std::optional<std::size_t> ParsePositionSelector(std::string_view selector) {
    if (selector.size() < 2 || selector.front() != '@') return std::nullopt;
    std::uint64_t value = 0;
    for (const char digit : selector.substr(1)) {
        if (digit < '0' || digit > '9') return std::nullopt;
        value = value * 10 + static_cast<std::uint64_t>(digit - '0');
        if (value > UINT32_MAX) return std::nullopt;
    }
    if (value < 1) return std::nullopt;
    return static_cast<std::size_t>(value);
}

const XmlElement* ResolvePath(const XmlElement& root, std::string_view path) {
    const std::vector<std::string_view> segments = SplitSegments(path);
    if (segments.front() != root.name && segments.front() != "@1") return nullptr;
    const XmlElement* current = &root;
    for (std::size_t i = 1; i < segments.size() && current; ++i) {
        const bool last = i + 1 == segments.size();
        if (last && segments[i].empty()) break;
        current = Step(*current, segments[i]);
    }
    return current;
}

}  // namespace rt::xml
