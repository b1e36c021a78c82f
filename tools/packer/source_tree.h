// The files of a directory tree in the order the archive stores them: a folder's own files by
// name, then its sub-folders by name, recursively. Names are relative, with "\" separators.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace packer {

struct SourceFile {
    std::filesystem::path path;  // on the build machine
    std::string name;            // relative, "\" separated, as on the build machine (UTF-8)
    std::uintmax_t size = 0;
};

// Regular files only (links are followed); other kinds of entries are left out. Nothing and a
// message in `error` when the directory cannot be read.
std::vector<SourceFile> CollectSourceTree(const std::filesystem::path& root, std::string& error);

}  // namespace packer
