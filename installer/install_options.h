// The user's choices handed to the install procedure. The field names are also the registry
// value names under which the choices are remembered for the next start.
#pragma once

#include "runtime/value_types.h"

namespace inst {

struct InstallOptions {
    // The directory exactly as typed: no trimming, no normalisation.
    rt::TextValue InstallPath;
    bool AutoStartup = false;
    bool CreatDesktopShortcut = false;
    bool CreatStartMenuShortcut = false;
    bool RemoveOldConfigFiles = false;
};

}  // namespace inst
