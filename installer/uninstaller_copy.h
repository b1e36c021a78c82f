// The uninstaller an install leaves, uninstall.exe: a copy of the running program. When the
// payload is appended to the program's file (vspack make-installer), the copy holds only the
// program in front of it, so that the uninstaller does not carry the payload along; the copy of
// a signed installer is the program as it was before signing. A program with its payload linked
// in is copied whole. Portable.
#pragma once

#include <cstdint>
#include <optional>

#include "installer/file_replacement.h"
#include "installer/payload_codec.h"
#include "runtime/value_types.h"

namespace inst {

// The bytes the copy of the program at `programPath`, which carries `payload`, takes; nothing
// when there is no such file.
std::optional<std::uint64_t> UninstallerSize(const rt::TextValue& programPath,
                                             const ShippedPayload& payload);

// Replaces the uninstaller through `file` with the copy; false, with the system's cause of the
// failing call, when reading or writing fails.
bool WriteUninstaller(FileReplacement& file, const rt::TextValue& programPath,
                      const ShippedPayload& payload);

}  // namespace inst
