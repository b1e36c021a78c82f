// The registry path of the registry operations: one text naming key and value together.
// Portable, so the split can be checked natively.
#pragma once

#include "runtime/value_types.h"

namespace rt {

struct RegistryPathParts {
    TextValue subkey;     // the key under the root
    TextValue valueName;  // empty: the key's default (unnamed) value
};

// Splits at the last backslash: the key before it, the value name after it. A path without a
// backslash names the whole text as the key and its default value. The scan steps over
// double-byte characters, so a trail byte that happens to be 0x5C is not taken for a separator.
RegistryPathParts SplitRegistryPath(const TextValue& path);

}  // namespace rt
