#include "tests/installer/archive_test_support.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <filesystem>

#include "installer/archive_file.h"
#include "installer/archive_image_builder.h"
#include "runtime/files.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>

#include "runtime/native_path.h"
#endif

namespace archive_test {

namespace {

std::string MakeScratchPath() {
#ifdef _WIN32
    static std::atomic<int> counter{0};
    char temp[MAX_PATH + 1] = {};
    GetTempPathA(MAX_PATH, temp);
    for (int attempt = 0; attempt < 1000; ++attempt) {
        const std::string path = std::string(temp) + "vs-archive-" +
                                 std::to_string(GetCurrentProcessId()) + "-" +
                                 std::to_string(counter++);
        if (rt::MakeDirectory(path)) return path;
    }
    std::abort();  // no scratch directory: nothing of the test can run
#else
    char pattern[] = "/tmp/vs-archive-XXXXXX";
    if (mkdtemp(pattern) == nullptr) std::abort();  // no scratch directory
    return pattern;
#endif
}

void ListInto(const std::string& root, const std::string& relative, std::vector<std::string>& out) {
    rt::FileSearchHandle search;
    const std::string directory = root + "\\" + relative;
    for (std::string name = rt::FindFileEntry(directory + "*", 0, true, search); !name.empty();
         name = rt::FindFileEntry("", 0, true, search))
        out.push_back(relative + name);
    for (std::string name = rt::FindFileEntry(directory + "*", rt::kAttrDirectory, false, search);
         !name.empty(); name = rt::FindFileEntry("", rt::kAttrDirectory, false, search)) {
        if (name == "." || name == "..") continue;
        out.push_back(relative + name + "\\");
        ListInto(root, relative + name + "\\", out);
    }
}

}  // namespace

rt::ByteSet Bytes(std::string_view text) {
    return rt::ByteSet(text.begin(), text.end());
}

ScratchDirectory::ScratchDirectory() : path_(MakeScratchPath()) {}

ScratchDirectory::~ScratchDirectory() {
    RemoveTree(path_);
}

std::string ScratchDirectory::operator/(std::string_view relative) const {
    return path_ + "\\" + std::string(relative);
}

rt::ByteSet MakeImage(const std::vector<NamedBody>& entries) {
    inst::ArchiveImageBuilder builder;
    for (const auto& [name, body] : entries)
        builder.Add(name, body);
    return builder.Finish();
}

std::vector<std::string> ListTree(const std::string& directory) {
    std::vector<std::string> out;
    ListInto(directory, "", out);
    std::sort(out.begin(), out.end());
    return out;
}

void RemoveTree(const std::string& directory) {
#ifndef _WIN32
    // The native stand-ins read every 0x5C byte as a separator, so GBK names would stay behind.
    std::error_code ignored;
    std::filesystem::remove_all(directory, ignored);
#endif
    std::vector<std::string> entries = ListTree(directory);
    // Deepest first: files and folders below a folder sort after it.
    std::reverse(entries.begin(), entries.end());
    for (const std::string& relative : entries) {
        const std::string path = directory + "\\" + relative;
        if (relative.back() == '\\') {
            rt::DeleteTree(path.substr(0, path.size() - 1));
        } else {
            rt::SetFileAttrs(path, 0);
            rt::DeleteOneFile(path);
        }
    }
    rt::DeleteTree(directory);
}

std::string FileText(const std::string& path) {
    inst::ArchiveFile file;
    if (!file.Open(path, inst::ArchiveFile::Mode::ReadExisting)) return "<missing>";
    std::string text(static_cast<std::size_t>(file.Size()), '\0');
    if (!file.ReadAt(0, std::span(reinterpret_cast<std::uint8_t*>(text.data()), text.size())))
        return "<unreadable>";
    return text;
}

void WriteText(const std::string& path, std::string_view text) {
    rt::WriteWholeFile(path, Bytes(text));
}

#ifdef _WIN32
UnreadableFile::UnreadableFile(const std::string& path)
    : handle_(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, nullptr)) {}

UnreadableFile::~UnreadableFile() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
}
#else
UnreadableFile::UnreadableFile(const std::string& path) {
    symlink("no-such-file", rt::NativePath(path).c_str());
}

UnreadableFile::~UnreadableFile() = default;
#endif

}  // namespace archive_test
