#include "installer/archive_format.h"

#include <lzma.h>

#include <cstring>

namespace inst {

std::uint32_t NameChecksum(std::string_view name) {
    return lzma_crc32(reinterpret_cast<const std::uint8_t*>(name.data()), name.size(), 0);
}

std::uint32_t ReadU32(const std::uint8_t* bytes) {
    return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
           static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

void AppendU32(rt::ByteSet& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<std::uint8_t>(value >> shift));
}

std::optional<DirectoryBounds> ReadArchiveTrailer(std::uint64_t imageSize,
                                                  std::span<const std::uint8_t> trailer) {
    if (imageSize < kArchiveTrailerSize || trailer.size() != kArchiveTrailerSize) return {};
    if (ReadU32(trailer.data() + 4) != kArchiveMagic) return {};
    const std::uint64_t offset = ReadU32(trailer.data());
    const std::uint64_t end = imageSize - kArchiveTrailerSize;
    if (offset > end) return {};
    return DirectoryBounds{offset, end};
}

std::optional<std::vector<ArchiveEntry>> ParseArchiveDirectory(
    std::span<const std::uint8_t> directory, std::uint64_t dataSize) {
    std::vector<ArchiveEntry> entries;
    std::uint64_t sizeTotal = 0;
    std::size_t cursor = 0;
    while (true) {
        if (cursor >= directory.size()) return {};
        const auto* start = directory.data() + cursor;
        const void* zero = std::memchr(start, 0, directory.size() - cursor);
        if (zero == nullptr) return {};
        const std::size_t nameLength = static_cast<const std::uint8_t*>(zero) - start;
        cursor += nameLength + 1;
        if (nameLength == 0) return entries;
        if (directory.size() - cursor < 12) return {};
        ArchiveEntry entry;
        entry.name.assign(reinterpret_cast<const char*>(start), nameLength);
        entry.nameChecksum = ReadU32(directory.data() + cursor);
        entry.offset = ReadU32(directory.data() + cursor + 4);
        entry.size = ReadU32(directory.data() + cursor + 8);
        cursor += 12;
        sizeTotal += entry.size;
        if (sizeTotal > dataSize || std::uint64_t{entry.offset} + entry.size > dataSize) return {};
        entries.push_back(std::move(entry));
    }
}

void AppendDirectoryEntry(rt::ByteSet& directory, std::string_view name, std::uint32_t offset,
                          std::uint32_t size) {
    directory.insert(directory.end(), name.begin(), name.end());
    directory.push_back(0);
    AppendU32(directory, NameChecksum(name));
    AppendU32(directory, offset);
    AppendU32(directory, size);
}

void AppendDirectoryEnd(rt::ByteSet& directory, std::uint32_t dataSize) {
    directory.push_back(0);
    AppendU32(directory, dataSize);
    AppendU32(directory, kArchiveMagic);
}

}  // namespace inst
