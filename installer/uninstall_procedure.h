// The uninstall procedure on a given platform: stops the running product, deletes the files
// the updater listed, the auto-start and uninstall-list registry entries, the shortcuts and
// the Start-menu folders, and reports which folder still holds files. It never removes the
// install directory itself, the running uninstall.exe or the product's own settings.
#pragma once

#include "installer/install_directory_rules.h"
#include "installer/install_platform.h"
#include "installer/setup_log.h"

namespace inst {

// With each action in `log`.
void RunUninstall(SetupPlatform& platform, SetupLog& log);
void RunUninstall(SetupPlatform& platform);

// What the removal found: the install directory as stored (empty when none was stored) and why
// nothing in it was deleted, when it was refused.
struct ProductRemoval {
    rt::TextValue installPath;
    DirectoryRefusal refusal = DirectoryRefusal::kNone;
};

// The procedure after the product was stopped, without the final report (shared with the
// silent uninstall): judges the stored install directory, deletes the listed files, the download
// folder and the list in it, then the registry entries, the shortcuts and the Start-menu
// folders. A failure to delete the product's files (no directory, a refused one, no readable
// list, no listed file deleted) is counted in the log as a files failure.
ProductRemoval RemoveProduct(SetupPlatform& platform, SetupLog& log);

// The final report's text: the install directory as stored, and why nothing in it was deleted
// when it was refused.
rt::TextValue UninstallReport(const ProductRemoval& removal);

}  // namespace inst
