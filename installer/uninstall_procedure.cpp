#include "installer/uninstall_procedure.h"

#include <string>

#include "installer/install_layout.h"
#include "installer/install_start_menu.h"
#include "installer/uninstall_listed_name.h"
#include "runtime/files.h"
#include "runtime/registry.h"
#include "runtime/xml_document.h"

namespace inst {
namespace {

constexpr int kReportStyle = 0x40;  // OK button, information icon

rt::TextValue BaseOf(const rt::TextValue& installPath) {
    return installPath.empty() ? rt::TextValue() : installPath + "\\";
}

// Every listed file that lies inside the directory and is reached without passing a link;
// read-only, hidden and system files too. Folders stay.
void DeleteListedFiles(const rt::TextValue& base, const rt::XmlDocument& list) {
    const int count = rt::XmlChildCount(list, "root/files");
    for (int i = 1; i <= count; ++i) {
        const rt::TextValue name =
            rt::XmlGetAttribute(list, "root/files/@" + std::to_string(i), "name");
        if (!IsNameInsideInstallDirectory(name) || PassesThroughLink(base, name)) continue;
        rt::SetFileAttrs(base + name, 0);
        rt::DeleteOneFile(base + name);
    }
}

// Without a readable list nothing in the directory is touched.
void DeleteInstalledFiles(const rt::TextValue& base, rt::XmlDocument& list) {
    if (!rt::XmlLoad(list, base + kUpdateListName)) return;
    DeleteListedFiles(base, list);
    rt::DeleteTree(base + kDownloadFolderName);
    rt::DeleteOneFile(base + kUpdateListName);
}

// Each value of the uninstall entry first, then the emptied key by its own path.
void DeleteRegistryEntries(SetupPlatform& platform) {
    platform.DeleteRegistryEntry(rt::kRootCurrentUser, RunValuePath());
    for (const char* value : kUninstallEntryValues) {
        platform.DeleteRegistryEntry(rt::kRootLocalMachine, UninstallEntryValuePath(value));
    }
    platform.DeleteRegistryEntry(rt::kRootLocalMachine, kUninstallEntryKey);
}

// A special folder the system does not know is skipped rather than taken as the drive's root.
void DeleteShortcuts(SetupPlatform& platform) {
    const rt::TextValue desktop = platform.SpecialFolder(kFolderCommonDesktop);
    if (!desktop.empty()) rt::DeleteOneFile(InFolder(desktop, kProgramShortcutName));
    const rt::TextValue programs = platform.SpecialFolder(kFolderCommonPrograms);
    if (!programs.empty()) RemoveStartMenuEntries(StartMenuPathsIn(programs));
}

}  // namespace

rt::TextValue UninstallReport(const rt::TextValue& installPath) {
    return kUninstallReportText + BaseOf(installPath);
}

void RunUninstall(SetupPlatform& platform) {
    rt::XmlDocument list;
    platform.StopProcessNamed(kCompanionProgramName);
    platform.StopProcessNamed(kProductProgramName);
    const rt::TextValue installPath =
        platform.ReadRegistryText(rt::kRootCurrentUser, SettingsValuePath(kValueInstallPath), {});
    if (!installPath.empty()) DeleteInstalledFiles(BaseOf(installPath), list);
    DeleteRegistryEntries(platform);
    DeleteShortcuts(platform);
    platform.ShowMessage(UninstallReport(installPath), kReportStyle, kUninstallReportTitle);
    rt::XmlClose(list);
}

}  // namespace inst
