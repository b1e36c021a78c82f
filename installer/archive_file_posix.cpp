// Native stand-ins of the archive's file access, with the results the Win32 tree gives.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>

#include "installer/archive_file.h"
#include "runtime/dbcs.h"
#include "runtime/native_path.h"

namespace inst {

namespace {

// Tests may run as root, who may write anything; Windows refuses to replace a read-only file
// or a directory, so that is checked here.
bool IsReadOnlyOrDirectory(const std::string& native) {
    struct stat status {};
    return stat(native.c_str(), &status) == 0 &&
           (S_ISDIR(status.st_mode) || (status.st_mode & S_IWUSR) == 0);
}

int FileDescriptor(std::intptr_t handle) {
    return static_cast<int>(handle);
}

}  // namespace

bool ArchiveFile::Open(const rt::TextValue& path, Mode mode) {
    Close();
    const std::string native = rt::NativePath(path);
    int fd = -1;
    switch (mode) {
        case Mode::ReadExisting: {
            struct stat status {};
            if (stat(native.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return false;
            fd = open(native.c_str(), O_RDONLY | O_CLOEXEC);
            break;
        }
        case Mode::CreateNew:
            fd = open(native.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
            break;
        case Mode::CreateAlways:
            if (IsReadOnlyOrDirectory(native)) {
                errno = EACCES;  // as Windows refuses it: access denied
                return false;
            }
            fd = open(native.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
            break;
    }
    if (fd < 0) return false;
    handle_ = fd;
    return true;
}

void ArchiveFile::Close() {
    if (!IsOpen()) return;
    close(FileDescriptor(handle_));
    handle_ = kNoHandle;
}

std::uint64_t ArchiveFile::Size() const {
    struct stat status {};
    if (!IsOpen() || fstat(FileDescriptor(handle_), &status) != 0) return 0;
    return static_cast<std::uint64_t>(status.st_size);
}

bool ArchiveFile::ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) const {
    if (!IsOpen()) return false;
    while (!out.empty()) {
        const ssize_t n =
            pread(FileDescriptor(handle_), out.data(), out.size(), static_cast<off_t>(offset));
        if (n <= 0) return false;
        out = out.subspan(static_cast<std::size_t>(n));
        offset += static_cast<std::uint64_t>(n);
    }
    return true;
}

bool ArchiveFile::Append(std::span<const std::uint8_t> bytes) {
    if (!IsOpen() || lseek(FileDescriptor(handle_), 0, SEEK_END) < 0) return false;
    while (!bytes.empty()) {
        const ssize_t n = write(FileDescriptor(handle_), bytes.data(), bytes.size());
        if (n <= 0) return false;
        bytes = bytes.subspan(static_cast<std::size_t>(n));
    }
    return true;
}

bool ArchiveFile::Flush() {
    return IsOpen() && fsync(FileDescriptor(handle_)) == 0;
}

bool RemoveFile(const rt::TextValue& path) {
    const std::string native = rt::NativePath(path);
    struct stat status {};
    if (lstat(native.c_str(), &status) != 0 || S_ISDIR(status.st_mode)) return false;
    if ((status.st_mode & S_IWUSR) == 0) return false;  // DeleteFileA refuses read-only files
    return unlink(native.c_str()) == 0;
}

bool RenameFile(const rt::TextValue& from, const rt::TextValue& to) {
    const std::string nativeTo = rt::NativePath(to);
    struct stat status {};
    if (lstat(nativeTo.c_str(), &status) == 0) return false;  // MoveFileA never replaces
    return rename(rt::NativePath(from).c_str(), nativeTo.c_str()) == 0;
}

// rename() replaces in one step as MoveFileEx does; what Windows refuses is refused here too.
bool MoveOver(const rt::TextValue& from, const rt::TextValue& to) {
    const std::string nativeTo = rt::NativePath(to);
    if (IsReadOnlyOrDirectory(nativeTo)) {
        errno = EACCES;
        return false;
    }
    return rename(rt::NativePath(from).c_str(), nativeTo.c_str()) == 0;
}

std::optional<std::uint64_t> ExistingFileSize(const rt::TextValue& path) {
    struct stat status {};
    if (stat(rt::NativePath(path).c_str(), &status) != 0 || !S_ISREG(status.st_mode))
        return std::nullopt;
    return static_cast<std::uint64_t>(status.st_size);
}

}  // namespace inst
