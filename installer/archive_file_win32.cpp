// Archive file access over the ANSI file API.
#include <windows.h>

#include <algorithm>

#include "installer/archive_file.h"
#include "runtime/dll_calls_win32.h"
#include "runtime/file_write_win32.h"

namespace inst {

namespace {

HANDLE AsHandle(std::intptr_t handle) {
    return reinterpret_cast<HANDLE>(handle);
}

// Windows refuses to replace a read-only file; Wine running as root would replace it anyway,
// so the attribute is checked first.
bool IsReadOnlyFile(const rt::TextValue& path) {
    const DWORD attributes = rt::dll::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

// ReadFile and WriteFile take 32-bit lengths; larger spans go in pieces.
constexpr DWORD kMaxPiece = 1u << 30;

}  // namespace

bool ArchiveFile::Open(const rt::TextValue& path, Mode mode) {
    Close();
    HANDLE handle = INVALID_HANDLE_VALUE;
    switch (mode) {
        case Mode::ReadExisting:
            handle = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                 OPEN_EXISTING, 0, nullptr);
            break;
        case Mode::CreateNew:
            handle = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ,
                                 nullptr, CREATE_NEW, 0, nullptr);
            break;
        case Mode::CreateAlways:
            if (IsReadOnlyFile(path)) {
                SetLastError(ERROR_ACCESS_DENIED);  // what Windows itself answers
                return false;
            }
            handle = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_ARCHIVE, nullptr);
            break;
    }
    if (handle == INVALID_HANDLE_VALUE) return false;
    handle_ = reinterpret_cast<std::intptr_t>(handle);
    return true;
}

void ArchiveFile::Close() {
    if (!IsOpen()) return;
    CloseHandle(AsHandle(handle_));
    handle_ = kNoHandle;
}

std::uint64_t ArchiveFile::Size() const {
    LARGE_INTEGER size{};
    if (!IsOpen() || !GetFileSizeEx(AsHandle(handle_), &size)) return 0;
    return static_cast<std::uint64_t>(size.QuadPart);
}

bool ArchiveFile::ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) const {
    if (!IsOpen()) return false;
    LARGE_INTEGER position{};
    position.QuadPart = static_cast<LONGLONG>(offset);
    if (!SetFilePointerEx(AsHandle(handle_), position, nullptr, FILE_BEGIN)) return false;
    while (!out.empty()) {
        const DWORD piece = static_cast<DWORD>(std::min<std::size_t>(out.size(), kMaxPiece));
        DWORD read = 0;
        if (!ReadFile(AsHandle(handle_), out.data(), piece, &read, nullptr) || read == 0)
            return false;
        out = out.subspan(read);
    }
    return true;
}

bool ArchiveFile::Append(std::span<const std::uint8_t> bytes) {
    if (!IsOpen()) return false;
    LARGE_INTEGER zero{};
    if (!SetFilePointerEx(AsHandle(handle_), zero, nullptr, FILE_END)) return false;
    return rt::WriteAll(AsHandle(handle_), bytes.data(), bytes.size());
}

bool ArchiveFile::Flush() {
    return IsOpen() && FlushFileBuffers(AsHandle(handle_)) != 0;
}

bool RemoveFile(const rt::TextValue& path) {
    return rt::dll::DeleteFileA(path.c_str()) != 0;
}

bool RenameFile(const rt::TextValue& from, const rt::TextValue& to) {
    return rt::dll::MoveFileA(from.c_str(), to.c_str()) != 0;
}

bool MoveOver(const rt::TextValue& from, const rt::TextValue& to) {
    if (IsReadOnlyFile(to)) {
        SetLastError(ERROR_ACCESS_DENIED);  // what Windows itself answers
        return false;
    }
    return MoveFileExA(from.c_str(), to.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

std::optional<std::uint64_t> ExistingFileSize(const rt::TextValue& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return std::nullopt;
    return (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
}

}  // namespace inst
