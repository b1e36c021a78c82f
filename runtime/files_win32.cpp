// File operations over the ANSI Win32 file API.
#include <windows.h>

#include <cstring>

#include "runtime/dbcs.h"
#include "runtime/dll_calls_win32.h"
#include "runtime/file_write_win32.h"
#include "runtime/files.h"

namespace rt {

namespace {

// Closes a kernel handle when it goes out of scope.
class ScopedFile {
  public:
    explicit ScopedFile(HANDLE handle) : handle_(handle) {}
    ~ScopedFile() {
        if (IsValid()) CloseHandle(handle_);
    }
    ScopedFile(const ScopedFile&) = delete;
    ScopedFile& operator=(const ScopedFile&) = delete;
    bool IsValid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
    HANDLE Get() const { return handle_; }

  private:
    HANDLE handle_;
};

// GetFileAttributesA looks at a link itself only when it is named without a trailing "\"; a
// drive's root keeps its own.
TextValue WithoutTrailingBackslashes(TextValue path) {
    while (path.size() > 1 && EndsWithChar(path, '\\') && path[path.size() - 2] != ':')
        path.pop_back();
    return path;
}

bool IsDotEntry(const char* name) {
    return std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0;
}

bool EntryAccepted(DWORD attributes, int mask, bool filesOnly) {
    if (filesOnly) return (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
    return (attributes & static_cast<DWORD>(mask)) != 0;
}

// Deletes everything inside the directory; the result of the last removal, 0 on the first
// failure. Attributes are left alone, so a read-only file stops the walk where it is.
int DeleteContents(const TextValue& directory) {
    TextValue base = directory;
    if (!EndsWithChar(base, '\\')) base += '\\';
    WIN32_FIND_DATAA entry{};
    HANDLE search = FindFirstFileA((base + "*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return 0;
    int result = 1;
    do {
        if (IsDotEntry(entry.cFileName)) continue;
        const TextValue full = base + entry.cFileName;
        const DWORD attributes = entry.dwFileAttributes;
        if ((attributes & FILE_ATTRIBUTE_DIRECTORY) &&
            (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
            // A linked directory: remove the link only, never what it points to.
            result = RemoveDirectoryA(full.c_str());
        } else if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
            result = DeleteContents(full);
            if (result != 0) result = RemoveDirectoryA(full.c_str());
        } else {
            result = DeleteFileA(full.c_str());
        }
        if (result == 0) break;
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    return result;
}

}  // namespace

struct FileSearchState {
    HANDLE handle;
};

void FileSearchStateCloser::operator()(FileSearchState* state) const {
    if (state->handle != INVALID_HANDLE_VALUE) FindClose(state->handle);
    delete state;
}

OptionalBytes ReadWholeFile(const TextValue& path) {
    ScopedFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_ARCHIVE, nullptr));
    if (!file.IsValid()) return std::nullopt;
    const DWORD size = GetFileSize(file.Get(), nullptr);
    if (size == INVALID_FILE_SIZE) return std::nullopt;
    ByteSet bytes(size);
    DWORD read = 0;
    if (size > 0 && !ReadFile(file.Get(), bytes.data(), size, &read, nullptr)) return std::nullopt;
    // A file that shrank while being read must not come back padded with zeros.
    bytes.resize(size > 0 ? read : 0);
    return bytes;
}

int WriteWholeFile(const TextValue& path,
                   std::initializer_list<std::reference_wrapper<const ByteSet>> parts) {
    ScopedFile file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_ARCHIVE, nullptr));
    if (!file.IsValid()) return 0;
    for (const ByteSet& part : parts) {
        if (!WriteAll(file.Get(), part.data(), part.size())) return 0;
    }
    return 1;
}

int WriteWholeFile(const TextValue& path, const ByteSet& bytes) {
    return WriteWholeFile(path, {std::cref(bytes)});
}

int MakeDirectory(const TextValue& path) {
    SECURITY_ATTRIBUTES security{};
    security.nLength = sizeof(security);
    security.lpSecurityDescriptor = nullptr;
    security.bInheritHandle = FALSE;
    return CreateDirectoryA(path.c_str(), &security);
}

int DeleteOneFile(const TextValue& path) {
    return DeleteFileA(path.c_str());
}

int SetFileAttrs(const TextValue& path, int attributes) {
    return SetFileAttributesA(path.c_str(), static_cast<DWORD>(attributes));
}

int DeleteTree(const TextValue& path) {
    if (path.empty() || path == "\\") return 0;
    if (IsLink(path)) return RemoveDirectoryA(path.c_str());
    if (DeleteContents(path) == 0) return 0;
    return RemoveDirectoryA(path.c_str());
}

bool IsLink(const TextValue& path) {
    const DWORD attributes = GetFileAttributesA(WithoutTrailingBackslashes(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

int CopyOneFile(const TextValue& source, const TextValue& destination) {
    return CopyFileA(source.c_str(), destination.c_str(), FALSE);
}

bool IsExistingDirectory(const TextValue& path) {
    // Bound by name like the other calls the archive extraction makes.
    const DWORD attributes = dll::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

TextValue FindFileEntry(const TextValue& pattern, int attributeMask, bool filesOnly,
                        FileSearchHandle& handle) {
    WIN32_FIND_DATAA entry{};
    if (!pattern.empty()) {
        handle.Reset();
        HANDLE search = FindFirstFileA(pattern.c_str(), &entry);
        if (search == INVALID_HANDLE_VALUE) return {};
        handle.Reset(new FileSearchState{search});
        if (EntryAccepted(entry.dwFileAttributes, attributeMask, filesOnly)) return entry.cFileName;
    }
    if (!handle.IsOpen()) return {};
    while (FindNextFileA(handle.State()->handle, &entry)) {
        if (EntryAccepted(entry.dwFileAttributes, attributeMask, filesOnly)) return entry.cFileName;
    }
    return {};
}

int CloseFileSearch(FileSearchHandle& handle) {
    if (!handle.IsOpen()) return 0;
    const int result = FindClose(handle.State()->handle);
    handle.State()->handle = INVALID_HANDLE_VALUE;
    handle.Reset();
    return result;
}

}  // namespace rt
