// An absolute Windows path in a form two paths can be compared in: the root (drive "c:" or
// share "\\server\share") and the folder names below it, with "." and ".." applied, trailing
// dots and spaces dropped as the file system drops them, and ASCII letters lowered. Double-byte
// characters stay whole, so a trail byte 0x5C never splits a name. Portable.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace inst {

struct ComparablePath {
    std::string root;
    std::vector<std::string> names;

    // True when this path is `other` or a folder above it (same root, names a prefix).
    bool Contains(const ComparablePath& other) const;
};

// Nothing for a path whose place cannot be told without more context: relative paths, paths
// rooted on the current drive ("\x"), drive-relative paths ("C:x") and device paths ("\\?\",
// "\\.\").
std::optional<ComparablePath> MakeComparablePath(std::string_view absolutePath);

}  // namespace inst
