#include "installer/install_space.h"

#include <algorithm>

#include "installer/archive_file.h"
#include "installer/archive_paths.h"
#include "installer/install_layout.h"
#include "runtime/files.h"

namespace inst {

std::uint64_t SpaceNeeded(const std::vector<ArchiveEntry>& entries, const rt::TextValue& directory,
                          std::uint64_t uninstallerSize) {
    const std::string base = WithTrailingBackslash(directory);
    std::int64_t growth = 0;  // below 0 when smaller files replaced larger ones
    std::int64_t peak = 0;
    const auto place = [&](const rt::TextValue& path, std::uint64_t size) {
        const auto earlier = static_cast<std::int64_t>(ExistingFileSize(path).value_or(0));
        peak = std::max(peak, growth + static_cast<std::int64_t>(size));
        growth += static_cast<std::int64_t>(size) - earlier;
    };
    for (const ArchiveEntry& entry : entries) {
        if (IsContainedEntryName(entry.name)) place(base + WithBackslashes(entry.name), entry.size);
    }
    place(UninstallerPath(directory), uninstallerSize);
    return static_cast<std::uint64_t>(peak);
}

// "E:" alone names E:'s current folder; its root is meant. A lone "\" (the current drive's
// root, reached from a share's name) is no parent of the directory.
rt::TextValue NearestExistingFolder(const rt::TextValue& directory) {
    rt::TextValue folder = directory;
    while (folder.size() > 1) {
        const bool drive = folder.size() == 2 && folder[1] == ':';
        const rt::TextValue candidate = drive ? folder + "\\" : folder;
        if (rt::IsExistingDirectory(candidate)) return candidate;
        const std::size_t separator = FindLastSeparator(folder);
        folder.resize(separator == std::string::npos ? 0 : separator);
    }
    return {};
}

SpaceCheck CheckSpace(const std::vector<ArchiveEntry>& entries, const rt::TextValue& directory,
                      std::uint64_t uninstallerSize, SetupPlatform& platform) {
    SpaceCheck check;
    check.needed = SpaceNeeded(entries, directory, uninstallerSize);
    const rt::TextValue folder = NearestExistingFolder(directory);
    if (!folder.empty()) check.free = platform.FreeSpace(folder);
    return check;
}

}  // namespace inst
