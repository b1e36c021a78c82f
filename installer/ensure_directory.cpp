#include "installer/ensure_directory.h"

#include "installer/archive_paths.h"
#include "runtime/files.h"

namespace inst {

void EnsureDirectory(const rt::TextValue& path, const FolderCreated& onFolder) {
    if (rt::IsExistingDirectory(path)) return;
    const std::vector<std::string> parts = SplitAtSeparators(path);
    std::string prefix = parts.front();
    for (std::size_t i = 1; i < parts.size(); ++i) {
        prefix += '\\';
        prefix += parts[i];
        if (rt::IsExistingDirectory(prefix)) continue;
        const bool created = rt::MakeDirectory(prefix) != 0;
        if (onFolder) onFolder(prefix, created);
    }
}

}  // namespace inst
