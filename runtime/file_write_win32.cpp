#include "runtime/file_write_win32.h"

#include <algorithm>

namespace rt {
namespace {

constexpr std::size_t kMaxPiece = std::size_t{1} << 30;

}  // namespace

bool WriteAll(HANDLE file, const void* data, std::size_t size) {
    const auto* bytes = static_cast<const BYTE*>(data);
    while (size > 0) {
        const DWORD piece = static_cast<DWORD>(std::min(size, kMaxPiece));
        DWORD written = 0;
        if (!WriteFile(file, bytes, piece, &written, nullptr)) return false;
        if (written == 0) {
            SetLastError(ERROR_DISK_FULL);
            return false;
        }
        bytes += written;
        size -= written;
    }
    return true;
}

}  // namespace rt
