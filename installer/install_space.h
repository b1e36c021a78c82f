// Whether the install directory's volume has room for the install, judged before anything is
// changed. Portable.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "installer/archive_format.h"
#include "installer/install_platform.h"
#include "runtime/value_types.h"

namespace inst {

struct SpaceCheck {
    std::uint64_t needed = 0;
    std::optional<std::uint64_t> free;  // nothing when the system cannot tell
    // A volume whose free space cannot be told is taken to have room: the install then reports
    // each file it could not write.
    bool Enough() const { return !free || *free >= needed; }
};

// The most the files take beyond what is there, at the fullest moment of the install: the
// archive's files below `directory`, then the uninstaller. Each new file is written beside the
// one of the same name it replaces, which goes only once the new file is complete; so the need
// is the new files minus the earlier ones, and the earlier file still counts while its
// successor is written.
std::uint64_t SpaceNeeded(const std::vector<ArchiveEntry>& entries, const rt::TextValue& directory,
                          std::uint64_t uninstallerSize);

// The directory itself when it exists, else its nearest existing parent; empty when none.
rt::TextValue NearestExistingFolder(const rt::TextValue& directory);

// SpaceNeeded against the free space of NearestExistingFolder.
SpaceCheck CheckSpace(const std::vector<ArchiveEntry>& entries, const rt::TextValue& directory,
                      std::uint64_t uninstallerSize, SetupPlatform& platform);

}  // namespace inst
