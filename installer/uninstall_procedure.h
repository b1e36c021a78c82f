// The uninstall procedure on a given platform: stops the running product, deletes the files
// the updater listed, the auto-start and uninstall-list registry entries, the shortcuts and
// the Start-menu folders, and reports which folder still holds files. It never removes the
// install directory itself, the running uninstall.exe or the product's own settings.
#pragma once

#include "installer/install_platform.h"

namespace inst {

void RunUninstall(SetupPlatform& platform);

// The final report's text for the install directory as stored (empty when none was stored).
rt::TextValue UninstallReport(const rt::TextValue& installPath);

}  // namespace inst
