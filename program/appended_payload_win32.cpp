// The stub's payload source: the payload is not linked in but appended to the program's own file
// by vspack make-installer (installer/appended_payload.h). The file is read whole at the first
// call and kept; a file without a sound block gives an empty payload, which the install reports
// as damaged ("解压失败！", exit code 3) before it changes anything.
#include <windows.h>

#include <algorithm>
#include <string>

#include "installer/appended_payload.h"
#include "installer/install.h"
#include "runtime/checked_allocation.h"

namespace inst {

namespace {

// vspack make-installer takes a program for a stub only when its file holds the marker.
[[gnu::used]] constexpr const char* kStubMarkerKept = kStubMarker;

// In full, whatever its length and characters: the program may run from any folder.
std::wstring OwnFilePathWide() {
    std::wstring path(MAX_PATH, L'\0');
    while (true) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) return path.substr(0, length);
        if (path.size() >= 32768) return {};
        path.resize(path.size() * 2);
    }
}

// Fills `bytes` from the file; false when a read fails or the file ends early.
bool ReadInChunks(HANDLE file, rt::ByteSet& bytes) {
    std::uint64_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk =
            static_cast<DWORD>(std::min<std::uint64_t>(bytes.size() - done, 1u << 24));
        DWORD read = 0;
        if (!ReadFile(file, bytes.data() + done, chunk, &read, nullptr) || read == 0) return false;
        done += read;
    }
    return true;
}

// The whole file; empty when it cannot be read or memory cannot hold it.
rt::ByteSet ReadOwnFile() {
    const std::wstring path = OwnFilePathWide();
    HANDLE file = path.empty()
                      ? INVALID_HANDLE_VALUE
                      : CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    rt::ByteSet bytes;
    LARGE_INTEGER size{};
    const bool read = GetFileSizeEx(file, &size) &&
                      rt::TryAssignZeros(bytes, static_cast<std::uint64_t>(size.QuadPart)) &&
                      ReadInChunks(file, bytes);
    CloseHandle(file);
    if (!read) return {};
    return bytes;
}

}  // namespace

ShippedPayload ProgramPayload() {
    static const rt::ByteSet file = ReadOwnFile();
    return FindAppendedPayload(file).value_or(ShippedPayload{});
}

}  // namespace inst
