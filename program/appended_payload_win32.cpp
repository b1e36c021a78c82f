// The stub's payload source: the payload is not linked in but appended to the program's own file
// by vspack make-installer (installer/appended_payload.h). The file is mapped at the first call
// and kept; a file without a sound block gives an empty payload, which the install reports as
// damaged ("解压失败！", exit code 3) before it changes anything.
#include <windows.h>

#include <algorithm>
#include <optional>
#include <span>
#include <string>

#include "installer/appended_payload.h"
#include "installer/install.h"

namespace inst {

namespace {

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

// The program's own file, mapped: finding the payload touches only the headers and the
// trailers, and the stream is read in pieces through the handle (see ShippedPayload), so the
// compressed payload never sits in memory whole. Kept open for the process's life.
struct OwnFile {
    HANDLE file = INVALID_HANDLE_VALUE;
    std::span<const std::uint8_t> view;
};

OwnFile MapOwnFile() {
    const std::wstring path = OwnFilePathWide();
    OwnFile own;
    own.file = path.empty()
                   ? INVALID_HANDLE_VALUE
                   : CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                                 nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    LARGE_INTEGER size{};
    if (own.file == INVALID_HANDLE_VALUE || !GetFileSizeEx(own.file, &size) || size.QuadPart <= 0 ||
        static_cast<std::uint64_t>(size.QuadPart) > SIZE_MAX)
        return own;
    HANDLE mapping = CreateFileMappingW(own.file, nullptr, PAGE_READONLY, 0, 0, nullptr);
    if (mapping == nullptr) return own;
    // The view keeps the mapping alive.
    const void* view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0);
    CloseHandle(mapping);
    if (view != nullptr)
        own.view = {static_cast<const std::uint8_t*>(view),
                    static_cast<std::size_t>(size.QuadPart)};
    return own;
}

// Reads `out.size()` bytes at `offset` of the file; false when a read fails or the file ends.
bool ReadOwnFileAt(HANDLE file, std::uint64_t offset, std::span<std::uint8_t> out) {
    while (!out.empty()) {
        OVERLAPPED at{};
        at.Offset = static_cast<DWORD>(offset);
        at.OffsetHigh = static_cast<DWORD>(offset >> 32);
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(out.size(), 1u << 24));
        DWORD read = 0;
        if (!ReadFile(file, out.data(), chunk, &read, &at) || read == 0) return false;
        out = out.subspan(read);
        offset += read;
    }
    return true;
}

}  // namespace

ShippedPayload ProgramPayload() {
    // vspack make-installer takes a program for a stub only when its file holds the marker. The
    // empty asm names it in the code, so that the linker, which drops all that nothing names,
    // keeps it.
    asm volatile("" : : "r"(kStubMarker));
    static const OwnFile own = MapOwnFile();
    std::optional<ShippedPayload> payload = FindAppendedPayload(own.view);
    if (!payload) return {};
    const std::uint64_t start =
        static_cast<std::uint64_t>(payload->container.data() - own.view.data());
    payload->read = [start](std::uint64_t offset, std::span<std::uint8_t> out) {
        return ReadOwnFileAt(own.file, start + offset, out);
    };
    return *payload;
}

}  // namespace inst
