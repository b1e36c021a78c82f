// The native stand-ins take Windows-style paths: "\" separates like "/", and drive Z: is the
// host's root, as under Wine. Only separator characters are turned into "/": the trail byte of
// a double-byte character may be 0x5C.
// Native tree only (implemented in native_path_posix.cpp).
#pragma once

#include <string>

#include "runtime/value_types.h"

namespace rt {

std::string NativePath(const TextValue& path);

}  // namespace rt
