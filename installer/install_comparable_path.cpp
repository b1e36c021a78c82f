#include "installer/install_comparable_path.h"

#include <algorithm>

#include "runtime/dbcs.h"

namespace inst {
namespace {

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

bool IsAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// Splits at separator characters, keeping double-byte characters whole.
std::vector<std::string> SplitNames(std::string_view path) {
    std::vector<std::string> names(1);
    for (std::size_t i = 0; i < path.size();) {
        const std::size_t width = rt::CharWidthAt(path, i);
        if (width == 1 && IsSeparator(path[i])) {
            names.emplace_back();
        } else {
            names.back().append(path.substr(i, width));
        }
        i += width;
    }
    return names;
}

std::string Lowered(std::string_view text) {
    std::string lowered;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t width = rt::CharWidthAt(text, i);
        if (width == 1) {
            lowered += static_cast<char>(rt::AsciiLower(static_cast<unsigned char>(text[i])));
        } else {
            lowered.append(text.substr(i, width));
        }
        i += width;
    }
    return lowered;
}

// The file system ignores trailing dots and spaces of a name ("Windows." is "Windows").
std::string WithoutTrailingDotsAndSpaces(std::string name) {
    while (!name.empty() && (name.back() == '.' || name.back() == ' '))
        name.pop_back();
    return name;
}

// Applies the names after the root: empty names and "." are skipped, ".." climbs (never above
// the root).
std::vector<std::string> ResolveNames(const std::vector<std::string>& raw, std::size_t first) {
    std::vector<std::string> names;
    for (std::size_t i = first; i < raw.size(); ++i) {
        if (raw[i] == "..") {
            if (!names.empty()) names.pop_back();
            continue;
        }
        std::string name = WithoutTrailingDotsAndSpaces(raw[i]);
        if (!name.empty()) names.push_back(Lowered(name));
    }
    return names;
}

}  // namespace

bool ComparablePath::Contains(const ComparablePath& other) const {
    return root == other.root && names.size() <= other.names.size() &&
           std::equal(names.begin(), names.end(), other.names.begin());
}

std::optional<ComparablePath> MakeComparablePath(std::string_view path) {
    const bool drive = path.size() >= 2 && IsAsciiLetter(path[0]) && path[1] == ':';
    if (drive) {
        if (path.size() > 2 && !IsSeparator(path[2])) return std::nullopt;
        return ComparablePath{Lowered(path.substr(0, 2)), ResolveNames(SplitNames(path), 1)};
    }
    const bool share = path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1]);
    if (!share) return std::nullopt;
    const std::vector<std::string> raw = SplitNames(path.substr(2));
    if (raw.size() < 2 || raw[0].empty() || raw[1].empty()) return std::nullopt;
    if (raw[0] == "?" || raw[0] == ".") return std::nullopt;
    return ComparablePath{"\\\\" + Lowered(raw[0]) + "\\" + Lowered(raw[1]), ResolveNames(raw, 2)};
}

}  // namespace inst
