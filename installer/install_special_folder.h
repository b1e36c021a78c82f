// Paths of the system's special folders by CSIDL code, as the install, the uninstall and the
// options page use them.
#pragma once

#include "runtime/value_types.h"

namespace inst {

// The folder's path without a trailing backslash; empty when the system cannot resolve it
// (Win32 only).
rt::TextValue SpecialFolderPath(int csidl);

}  // namespace inst
