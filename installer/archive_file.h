// The few file operations the archive needs beyond the runtime's whole-file helpers: reading
// an archive file at offsets, writing one front to back and putting it on disk, and moving a
// finished file over the one it replaces. Each tree implements them (Win32: the ANSI file API;
// native: POSIX, with "\" accepted as a separator and read-only files refused as Windows
// refuses them).
#pragma once

#include <cstdint>
#include <optional>
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
    // Puts what was written on the disk itself, out of the system's caches.
    bool Flush();

  private:
    static constexpr std::intptr_t kNoHandle = -1;
    std::intptr_t handle_ = kNoHandle;
};

// Deletes a file; false when it does not exist or cannot be deleted.
bool RemoveFile(const rt::TextValue& path);

// Renames a file; false when the destination exists or the source cannot be moved.
bool RenameFile(const rt::TextValue& from, const rt::TextValue& to);

// Moves a file over another in one step, the move itself written through to the disk: the
// destination is either the old file or the moved one, never a mix. False when the destination
// is read-only, a folder or held open by a program that does not share it.
bool MoveOver(const rt::TextValue& from, const rt::TextValue& to);

// The size of an existing file; nothing for a folder or when there is no file.
std::optional<std::uint64_t> ExistingFileSize(const rt::TextValue& path);

}  // namespace inst
