// Helpers shared by the archive tests: scratch directories, images made from name/body
// pairs, and listings of what landed on disk. They run in both trees (natively and under Wine).
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "runtime/value_types.h"

namespace archive_test {

rt::ByteSet Bytes(std::string_view text);

// A fresh, empty directory that is removed with everything in it (read-only files included)
// when the object goes away. Path() has no trailing separator.
class ScratchDirectory {
  public:
    ScratchDirectory();
    ~ScratchDirectory();
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;
    const std::string& Path() const { return path_; }
    // Path() + "\" + relative.
    std::string operator/(std::string_view relative) const;

  private:
    std::string path_;
};

using NamedBody = std::pair<std::string, rt::ByteSet>;

// An archive image of the entries in the given order.
rt::ByteSet MakeImage(const std::vector<NamedBody>& entries);

// Every file and directory below `directory`, relative, with "\" separators; directories end
// with "\". Sorted.
std::vector<std::string> ListTree(const std::string& directory);

// Removes a directory tree whatever the attributes of its files.
void RemoveTree(const std::string& directory);

// The file's contents, or "<missing>". Read with the archive's own file access, which takes
// GBK names apart character by character on both trees.
std::string FileText(const std::string& path);

void WriteText(const std::string& path, std::string_view text);

// A file that cannot be read while the object lives: under Windows one held open without
// sharing, natively a link that leads nowhere.
class UnreadableFile {
  public:
    explicit UnreadableFile(const std::string& path);
    ~UnreadableFile();
    UnreadableFile(const UnreadableFile&) = delete;
    UnreadableFile& operator=(const UnreadableFile&) = delete;

  private:
    void* handle_ = nullptr;
};

}  // namespace archive_test
