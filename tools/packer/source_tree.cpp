#include "tools/packer/source_tree.h"

#include <algorithm>
#include <system_error>

namespace packer {

namespace {

namespace fs = std::filesystem;

bool Collect(const fs::path& directory, const std::string& prefix, std::vector<SourceFile>& out,
             std::string& error) {
    std::error_code failure;
    std::vector<fs::directory_entry> files;
    std::vector<fs::directory_entry> folders;
    for (fs::directory_iterator it(directory, failure), end; !failure && it != end;
         it.increment(failure)) {
        if (it->is_directory(failure))
            folders.push_back(*it);
        else if (it->is_regular_file(failure))
            files.push_back(*it);
    }
    if (failure) {
        error = directory.string() + ": " + failure.message();
        return false;
    }
    auto byName = [](const fs::directory_entry& a, const fs::directory_entry& b) {
        return a.path().filename().string() < b.path().filename().string();
    };
    std::sort(files.begin(), files.end(), byName);
    std::sort(folders.begin(), folders.end(), byName);
    for (const fs::directory_entry& file : files)
        out.push_back({file.path(), prefix + file.path().filename().string(), file.file_size()});
    for (const fs::directory_entry& folder : folders) {
        if (!Collect(folder.path(), prefix + folder.path().filename().string() + "\\", out, error))
            return false;
    }
    return true;
}

}  // namespace

std::vector<SourceFile> CollectSourceTree(const std::filesystem::path& root, std::string& error) {
    std::vector<SourceFile> files;
    if (!fs::is_directory(root)) {
        error = root.string() + ": not a directory";
        return {};
    }
    if (!Collect(root, "", files, error)) return {};
    return files;
}

}  // namespace packer
