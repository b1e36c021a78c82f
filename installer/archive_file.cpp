#include "installer/archive_file.h"

#include <algorithm>

namespace inst {

bool WriteFileBytes(const rt::TextValue& path, std::span<const std::uint8_t> bytes) {
    ArchiveFile file;
    return file.Open(path, ArchiveFile::Mode::CreateAlways) && file.Append(bytes);
}

bool WriteFileBytes(const rt::TextValue& path, std::span<const std::uint8_t> bytes,
                    std::size_t piece, const PieceWritten& onPiece) {
    ArchiveFile file;
    if (!file.Open(path, ArchiveFile::Mode::CreateAlways)) return false;
    std::uint64_t written = 0;
    do {
        const std::span<const std::uint8_t> next = bytes.first(std::min(piece, bytes.size()));
        if (!file.Append(next)) return false;
        bytes = bytes.subspan(next.size());
        written += next.size();
        onPiece(written);
    } while (!bytes.empty());
    return true;
}

}  // namespace inst
