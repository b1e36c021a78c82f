// Creates a directory and every missing level above it. Portable (over the runtime's file
// operations).
#pragma once

#include <functional>

#include "runtime/value_types.h"

namespace inst {

// Told of each folder EnsureDirectory tries to create, right after the attempt.
using FolderCreated = std::function<void(const rt::TextValue& folder, bool created)>;

// Nothing happens when the path already is a directory. Otherwise every prefix after the first
// part (normally the drive) that is not a directory is created in turn; failures are told only
// to `onFolder`. Parts are split character by character, so a double-byte character ending in 0x5C
// never starts a stray folder.
void EnsureDirectory(const rt::TextValue& path, const FolderCreated& onFolder = {});

}  // namespace inst
