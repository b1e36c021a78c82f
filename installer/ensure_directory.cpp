#include "installer/ensure_directory.h"

#include "installer/archive_paths.h"
#include "runtime/files.h"

namespace inst {

void EnsureDirectory(const rt::TextValue& path) {
    if (rt::IsExistingDirectory(path)) return;
    const std::vector<std::string> parts = SplitAtSeparators(path);
    std::string prefix = parts.front();
    for (std::size_t i = 1; i < parts.size(); ++i) {
        prefix += '\\';
        prefix += parts[i];
        if (!rt::IsExistingDirectory(prefix)) rt::MakeDirectory(prefix);
    }
}

}  // namespace inst
