// The few file operations the archive needs beyond the runtime's whole-file helpers: reading
// an archive file at offsets, writing one front to back, and writing a body straight from the
// image without copying it first. Each tree implements them (Win32: the ANSI file API; native:
// POSIX, with "\" accepted as a separator and read-only files refused as Windows refuses them).
#pragma once

#include <cstdint>
#include <functional>
#include <span>

#include "runtime/value_types.h"

namespace inst {

class ArchiveFile {
  public:
    enum class Mode {
        ReadExisting,  // open an existing file for reading; others may read it too
        CreateNew,     // create a file that must not exist yet, for reading and writing
        CreateAlways,  // create or truncate; an existing read-only file is refused
    };

    ArchiveFile() = default;
    ~ArchiveFile() { Close(); }
    ArchiveFile(const ArchiveFile&) = delete;
    ArchiveFile& operator=(const ArchiveFile&) = delete;

    bool Open(const rt::TextValue& path, Mode mode);
    bool IsOpen() const { return handle_ != kNoHandle; }
    void Close();

    // The file's length, 0 when it cannot be told.
    std::uint64_t Size() const;
    // Fills `out` from `offset`; false when the file holds fewer bytes there.
    bool ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) const;
    // Writes at the end of what was written so far.
    bool Append(std::span<const std::uint8_t> bytes);

  private:
    static constexpr std::intptr_t kNoHandle = -1;
    std::intptr_t handle_ = kNoHandle;
};

// Creates or replaces the file with exactly these bytes (attribute archive). False when the
// file cannot be created (an existing read-only file among others, refused as access denied) or
// a write fails.
bool WriteFileBytes(const rt::TextValue& path, std::span<const std::uint8_t> bytes);

// The same in pieces of `piece` bytes, telling `onPiece` the bytes written so far after each.
using PieceWritten = std::function<void(std::uint64_t written)>;
bool WriteFileBytes(const rt::TextValue& path, std::span<const std::uint8_t> bytes,
                    std::size_t piece, const PieceWritten& onPiece);

// Deletes a file; false when it does not exist or cannot be deleted.
bool RemoveFile(const rt::TextValue& path);

// Renames a file; false when the destination exists or the source cannot be moved.
bool RenameFile(const rt::TextValue& from, const rt::TextValue& to);

}  // namespace inst
