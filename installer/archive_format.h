// The archive image: file bodies back to back from offset 0, then the directory (entries of
// name, 0 byte, name checksum, offset, size; ended by an empty name), then the directory's
// offset and the magic number. Integers are little-endian u32. Portable.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "runtime/value_types.h"

namespace inst {

inline constexpr std::uint32_t kArchiveMagic = 0x052A2CF5;
// Directory offset and magic at the end of every image.
inline constexpr std::size_t kArchiveTrailerSize = 8;

struct ArchiveEntry {
    rt::TextValue name;
    std::uint32_t offset = 0;
    std::uint32_t size = 0;
    std::uint32_t nameChecksum = 0;
};

// CRC-32 of the name's bytes (the reflected CRC of zlib and PNG).
std::uint32_t NameChecksum(std::string_view name);

std::uint32_t ReadU32(const std::uint8_t* bytes);
void AppendU32(rt::ByteSet& out, std::uint32_t value);

// Where the directory lies in an image: bytes [directoryOffset, directoryEnd), the bodies in
// [0, directoryOffset).
struct DirectoryBounds {
    std::uint64_t directoryOffset = 0;
    std::uint64_t directoryEnd = 0;
};

// Reads the trailer (the image's last 8 bytes). Nothing when the magic is wrong or the stored
// offset lies beyond the trailer.
std::optional<DirectoryBounds> ReadArchiveTrailer(std::uint64_t imageSize,
                                                  std::span<const std::uint8_t> trailer);

// Parses the directory bytes. Nothing when an entry or the ending 0 byte is missing before the
// end of the region, or when a body would lie outside [0, dataSize) or the sizes together pass
// dataSize: a reader then never has to read outside the image.
std::optional<std::vector<ArchiveEntry>> ParseArchiveDirectory(
    std::span<const std::uint8_t> directory, std::uint64_t dataSize);

// Appends one stored directory entry.
void AppendDirectoryEntry(rt::ByteSet& directory, std::string_view name, std::uint32_t offset,
                          std::uint32_t size);

// Appends the directory's ending 0 byte and the trailer.
void AppendDirectoryEnd(rt::ByteSet& directory, std::uint32_t dataSize);

}  // namespace inst
