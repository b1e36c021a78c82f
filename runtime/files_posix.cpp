// Native stand-ins of the file operations, giving the results the Win32 tree gives.
//
// "\" counts as a separator like "/". The read-only attribute is the owner's write permission;
// because tests may run as root, who may write anything, it is checked explicitly wherever
// Windows would refuse a read-only file.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <vector>

#include "runtime/files.h"
#include "runtime/native_path.h"

namespace rt {

// The entries of a folder, read at once and sorted, and the next one to hand out.
struct FileSearchState {
    struct Entry {
        std::string name;
        int attributes;
    };
    std::vector<Entry> entries;
    std::size_t next = 0;
};

namespace {

// Closes a descriptor when it goes out of scope.
class ScopedDescriptor {
  public:
    explicit ScopedDescriptor(int fd) : fd_(fd) {}
    ~ScopedDescriptor() {
        if (fd_ >= 0) close(fd_);
    }
    ScopedDescriptor(const ScopedDescriptor&) = delete;
    ScopedDescriptor& operator=(const ScopedDescriptor&) = delete;
    int Get() const { return fd_; }

  private:
    int fd_;
};

bool LinkStatus(const std::string& nativePath, struct stat& status) {
    return lstat(nativePath.c_str(), &status) == 0;
}

bool IsReadOnly(const struct stat& status) {
    return (status.st_mode & S_IWUSR) == 0;
}

int AttributesOf(const struct stat& status) {
    int attributes = S_ISDIR(status.st_mode) ? kAttrDirectory : kAttrArchive;
    if (IsReadOnly(status)) attributes |= kAttrReadOnly;
    return attributes;
}

bool WriteAll(int fd, const ByteSet& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Opens for writing as CREATE_ALWAYS does: refuses an existing read-only file or a directory.
int CreateAlways(const std::string& nativePath, mode_t mode) {
    struct stat status {};
    if (stat(nativePath.c_str(), &status) == 0 && (S_ISDIR(status.st_mode) || IsReadOnly(status)))
        return -1;
    return open(nativePath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode);
}

int RemoveDirectoryEntry(const std::string& nativePath) {
    struct stat status {};
    if (!LinkStatus(nativePath, status) || IsReadOnly(status)) return 0;
    return rmdir(nativePath.c_str()) == 0 ? 1 : 0;
}

// Deletes a file or a link; a link to a directory is removed as a link, its target untouched.
int DeleteEntry(const std::string& nativePath) {
    struct stat status {};
    if (!LinkStatus(nativePath, status) || S_ISDIR(status.st_mode)) return 0;
    if (!S_ISLNK(status.st_mode) && IsReadOnly(status)) return 0;
    return unlink(nativePath.c_str()) == 0 ? 1 : 0;
}

// lstat follows a link named with a trailing "/", so the check looks at the name without one.
std::string WithoutTrailingSlashes(std::string nativePath) {
    while (nativePath.size() > 1 && nativePath.back() == '/')
        nativePath.pop_back();
    return nativePath;
}

int DeleteContents(const std::string& nativeDirectory) {
    DIR* directory = opendir(nativeDirectory.c_str());
    if (directory == nullptr) return 0;
    const std::string base =
        nativeDirectory.back() == '/' ? nativeDirectory : nativeDirectory + '/';
    int result = 1;
    while (dirent* entry = readdir(directory)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        const std::string full = base + name;
        struct stat status {};
        if (!LinkStatus(full, status)) {
            result = 0;
        } else if (S_ISDIR(status.st_mode)) {
            result = DeleteContents(full);
            if (result != 0) result = RemoveDirectoryEntry(full);
        } else {
            result = DeleteEntry(full);
        }
        if (result == 0) break;
    }
    closedir(directory);
    return result;
}

// Wildcard match as the Windows directory search does it: "*" and "?", letters in any case.
bool MatchesPattern(const char* pattern, const char* name) {
    if (*pattern == '\0') return *name == '\0';
    if (*pattern == '*') {
        for (const char* rest = name;; ++rest) {
            if (MatchesPattern(pattern + 1, rest)) return true;
            if (*rest == '\0') return false;
        }
    }
    if (*name == '\0') return false;
    const bool same = *pattern == '?' || std::tolower(static_cast<unsigned char>(*pattern)) ==
                                             std::tolower(static_cast<unsigned char>(*name));
    return same && MatchesPattern(pattern + 1, name + 1);
}

bool EntryAccepted(int attributes, int mask, bool filesOnly) {
    if (filesOnly) return (attributes & kAttrDirectory) == 0;
    return (attributes & mask) != 0;
}

// "." and ".." first, then by name, so searches are repeatable.
bool EntryOrder(const FileSearchState::Entry& a, const FileSearchState::Entry& b) {
    const auto rank = [](const std::string& name) {
        return name == "." ? 0 : name == ".." ? 1 : 2;
    };
    if (rank(a.name) != rank(b.name)) return rank(a.name) < rank(b.name);
    return a.name < b.name;
}

}  // namespace

void FileSearchStateCloser::operator()(FileSearchState* state) const {
    delete state;
}

namespace {

// All entries matching the pattern, or null when the search cannot start or finds nothing.
FileSearchState* StartSearch(const TextValue& pattern) {
    const std::string native = NativePath(pattern);
    const std::size_t slash = native.rfind('/');
    std::string directoryPath = slash == std::string::npos ? "." : native.substr(0, slash);
    if (slash == 0) directoryPath = "/";
    std::string namePattern = slash == std::string::npos ? native : native.substr(slash + 1);
    if (namePattern == "*.*") namePattern = "*";
    DIR* directory = opendir(directoryPath.c_str());
    if (directory == nullptr) return nullptr;
    auto* state = new FileSearchState;
    while (dirent* entry = readdir(directory)) {
        if (!MatchesPattern(namePattern.c_str(), entry->d_name)) continue;
        struct stat status {};
        if (stat((directoryPath + '/' + entry->d_name).c_str(), &status) != 0 &&
            !LinkStatus(directoryPath + '/' + entry->d_name, status))
            continue;
        state->entries.push_back({entry->d_name, AttributesOf(status)});
    }
    closedir(directory);
    if (state->entries.empty()) {
        delete state;
        return nullptr;
    }
    std::sort(state->entries.begin(), state->entries.end(), EntryOrder);
    return state;
}

}  // namespace

OptionalBytes ReadWholeFile(const TextValue& path) {
    ScopedDescriptor file(open(NativePath(path).c_str(), O_RDONLY | O_CLOEXEC));
    struct stat status {};
    if (file.Get() < 0 || fstat(file.Get(), &status) != 0 || S_ISDIR(status.st_mode))
        return std::nullopt;
    ByteSet bytes(static_cast<std::size_t>(status.st_size));
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = read(file.Get(), bytes.data() + done, bytes.size() - done);
        if (n < 0) return std::nullopt;
        if (n == 0) break;
        done += static_cast<std::size_t>(n);
    }
    bytes.resize(done);
    return bytes;
}

int WriteWholeFile(const TextValue& path,
                   std::initializer_list<std::reference_wrapper<const ByteSet>> parts) {
    ScopedDescriptor file(CreateAlways(NativePath(path), 0666));
    if (file.Get() < 0) return 0;
    for (const ByteSet& part : parts) {
        if (!WriteAll(file.Get(), part)) return 0;
    }
    return 1;
}

int WriteWholeFile(const TextValue& path, const ByteSet& bytes) {
    return WriteWholeFile(path, {std::cref(bytes)});
}

int MakeDirectory(const TextValue& path) {
    return mkdir(NativePath(path).c_str(), 0777) == 0 ? 1 : 0;
}

int DeleteOneFile(const TextValue& path) {
    return DeleteEntry(NativePath(path));
}

int SetFileAttrs(const TextValue& path, int attributes) {
    const std::string native = NativePath(path);
    struct stat status {};
    if (stat(native.c_str(), &status) != 0) return 0;
    mode_t mode = status.st_mode & 07777;
    mode = (attributes & kAttrReadOnly) ? (mode & ~mode_t{0222}) : (mode | S_IWUSR);
    return chmod(native.c_str(), mode) == 0 ? 1 : 0;
}

int DeleteTree(const TextValue& path) {
    if (path.empty() || path == "\\" || path == "/") return 0;
    const std::string native = NativePath(path);
    if (IsLink(path)) return unlink(WithoutTrailingSlashes(native).c_str()) == 0 ? 1 : 0;
    if (DeleteContents(native) == 0) return 0;
    return RemoveDirectoryEntry(native);
}

bool IsLink(const TextValue& path) {
    struct stat status {};
    return LinkStatus(WithoutTrailingSlashes(NativePath(path)), status) && S_ISLNK(status.st_mode);
}

int CopyOneFile(const TextValue& source, const TextValue& destination) {
    const std::string nativeSource = NativePath(source);
    struct stat status {};
    if (stat(nativeSource.c_str(), &status) != 0 || S_ISDIR(status.st_mode)) return 0;
    const OptionalBytes bytes = ReadWholeFile(source);
    if (!bytes) return 0;
    const std::string nativeDestination = NativePath(destination);
    {
        ScopedDescriptor file(CreateAlways(nativeDestination, 0666));
        if (file.Get() < 0 || !WriteAll(file.Get(), *bytes)) return 0;
    }
    // The copy keeps the source's attributes, a read-only source gives a read-only copy.
    return chmod(nativeDestination.c_str(), status.st_mode & 07777) == 0 ? 1 : 0;
}

bool IsExistingDirectory(const TextValue& path) {
    struct stat status {};
    return stat(NativePath(path).c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

TextValue FindFileEntry(const TextValue& pattern, int attributeMask, bool filesOnly,
                        FileSearchHandle& handle) {
    if (!pattern.empty()) {
        handle.Reset(StartSearch(pattern));
        if (!handle.IsOpen()) return {};
    }
    if (!handle.IsOpen()) return {};
    FileSearchState& state = *handle.State();
    while (state.next < state.entries.size()) {
        const FileSearchState::Entry& entry = state.entries[state.next++];
        if (EntryAccepted(entry.attributes, attributeMask, filesOnly)) return entry.name;
    }
    return {};
}

int CloseFileSearch(FileSearchHandle& handle) {
    if (!handle.IsOpen()) return 0;
    handle.Reset();
    return 1;
}

}  // namespace rt
