// The uninstall procedure on a given platform: stops the running product, deletes the files
// the updater listed, the auto-start and uninstall-list registry entries, the shortcuts and
// the Start-menu folders, and reports which folder still holds files. It never removes the
// install directory itself, the running uninstall.exe or the product's own settings.
#pragma once

#include "installer/install_platform.h"
#include "installer/setup_log.h"

namespace inst {

// With each action in `log`.
void RunUninstall(SetupPlatform& platform, SetupLog& log);
void RunUninstall(SetupPlatform& platform);

// The procedure after the product was stopped, without the final report (shared with the
// silent uninstall): deletes the listed files, the download folder and the list, the registry
// entries, the shortcuts and the Start-menu folders. Returns the install directory as stored
// (empty when none was stored).
rt::TextValue RemoveProduct(SetupPlatform& platform, SetupLog& log);

// The final report's text for the install directory as stored (empty when none was stored).
rt::TextValue UninstallReport(const rt::TextValue& installPath);

}  // namespace inst
