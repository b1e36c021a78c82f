// The choices an install starts from: those the last install saved under
// HKEY_CURRENT_USER\Software\VantorFenWix, or the defaults where nothing usable is saved. The
// silent install uses them as they are; the wizard's options page shows them. Portable.
#pragma once

#include "installer/install_options.h"
#include "installer/install_platform.h"
#include "installer/setup_command_line.h"

namespace inst {

// A flag is on exactly when its saved text is "1"; a missing value, an empty one or one that is
// not text counts as its default ("1" for AutoStartup, CreatDesktopShortcut and
// CreatStartMenuShortcut, "0" for RemoveOldConfigFiles), any other text as off. The directory is
// the saved InstallPath, else DefaultInstallDirectory (empty when the system knows no Program
// Files folder).
InstallOptions ReadSavedChoices(SetupPlatform& platform);

// The saved choices with the directory given on the command line (/D=) in place of the saved
// one.
InstallOptions StartingChoices(SetupPlatform& platform, const SetupSwitches& switches);

}  // namespace inst
