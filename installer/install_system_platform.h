// The real machine behind the install and uninstall procedures (Win32 only).
#pragma once

#include "installer/install_platform.h"

namespace inst {

// One program-wide object; it keeps no state of its own.
SetupPlatform& SystemSetupPlatform();

}  // namespace inst
