// Writing a file so that a failure or an abrupt end never leaves it broken: the new bytes go
// to a temporary file beside the target ("<target>.~vsnew"), which is put on the disk and then
// moved over the target in one step. Until that move the target is the earlier file, after it
// the new one whole. Portable (over ArchiveFile).
#pragma once

#include <cstdint>
#include <functional>
#include <span>

#include "installer/archive_file.h"
#include "runtime/value_types.h"

namespace inst {

// Ends the names of the temporary files, so that those left behind by an install that was
// ended abruptly can be found and removed.
inline constexpr char kReplacementSuffix[] = ".~vsnew";

// Told the bytes written so far after each piece.
using PieceWritten = std::function<void(std::uint64_t written)>;

// One replacement of one file. A replacement that did not complete removes its temporary file
// when the object goes away, after whoever reports the failure has read the system's cause.
class FileReplacement {
  public:
    explicit FileReplacement(rt::TextValue target);
    ~FileReplacement();
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    // Replaces the target with these bytes, written in pieces of `piece` bytes with
    // `onPiece` told after each (when given). False, with the system's cause of the failing
    // call, when any step fails; the target is then as it was.
    bool Write(std::span<const std::uint8_t> bytes, std::size_t piece = SIZE_MAX,
               const PieceWritten& onPiece = {});
    // Replaces the target with a copy of the source file, the same way.
    bool CopyFrom(const rt::TextValue& source);

  private:
    bool Begin();
    bool Complete();

    rt::TextValue target_;
    rt::TextValue temporary_;
    ArchiveFile file_;
    bool pending_ = false;  // a temporary file of ours is there
};

// Removes the temporary files of replacements that never completed from a folder.
void RemoveLeftoverReplacements(const rt::TextValue& folder);

}  // namespace inst
