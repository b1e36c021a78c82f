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
void DeleteListedFiles(const rt::TextValue& base, const rt::XmlDocument& list, SetupLog& log) {
    const int count = rt::XmlChildCount(list, "root/files");
    for (int i = 1; i <= count; ++i) {
        const rt::TextValue name =
            rt::XmlGetAttribute(list, "root/files/@" + std::to_string(i), "name");
        if (!IsNameInsideInstallDirectory(name)) {
            if (!name.empty()) log.Note("file kept: " + name + ": outside the install directory");
            continue;
        }
        if (PassesThroughLink(base, name)) {
            log.Note("file kept: " + base + name + ": reached through a link");
            continue;
        }
        rt::SetFileAttrs(base + name, 0);
        log.Removal("file deleted", base + name, rt::DeleteOneFile(base + name) != 0,
                    FailureKind::kFiles);
    }
}

// Without a readable list nothing in the directory is touched.
void DeleteInstalledFiles(const rt::TextValue& base, SetupLog& log) {
    rt::XmlDocument list;
    if (!rt::XmlLoad(list, base + kUpdateListName)) {
        log.Note("no file of the install directory deleted: " + base + kUpdateListName +
                 " is missing or not readable");
        return;
    }
    DeleteListedFiles(base, list, log);
    rt::XmlClose(list);
    const rt::TextValue download = base + kDownloadFolderName;
    log.Removal("folder deleted with everything in it", download, rt::DeleteTree(download) != 0,
                FailureKind::kFiles);
    log.Removal("file deleted", base + kUpdateListName,
                rt::DeleteOneFile(base + kUpdateListName) != 0, FailureKind::kFiles);
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
void DeleteShortcuts(SetupPlatform& platform, SetupLog& log) {
    const rt::TextValue desktop = platform.SpecialFolder(kFolderCommonDesktop);
    if (!desktop.empty()) {
        const rt::TextValue link = InFolder(desktop, kProgramShortcutName);
        log.Removal("shortcut deleted", link, rt::DeleteOneFile(link) != 0, FailureKind::kSettings);
    }
    const rt::TextValue programs = platform.SpecialFolder(kFolderCommonPrograms);
    if (!programs.empty()) RemoveStartMenuEntries(StartMenuPathsIn(programs), log);
}

}  // namespace

rt::TextValue UninstallReport(const rt::TextValue& installPath) {
    return kUninstallReportText + BaseOf(installPath);
}

rt::TextValue RemoveProduct(SetupPlatform& platform, SetupLog& log) {
    const rt::TextValue installPath =
        platform.ReadRegistryText(rt::kRootCurrentUser, SettingsValuePath(kValueInstallPath), {});
    if (installPath.empty()) {
        log.Note("no install directory stored: no file of it deleted");
    } else {
        DeleteInstalledFiles(BaseOf(installPath), log);
    }
    DeleteRegistryEntries(platform);
    DeleteShortcuts(platform, log);
    return installPath;
}

void RunUninstall(SetupPlatform& platform, SetupLog& log) {
    platform.StopProcessNamed(kCompanionProgramName);
    platform.StopProcessNamed(kProductProgramName);
    const rt::TextValue installPath = RemoveProduct(platform, log);
    platform.ShowMessage(UninstallReport(installPath), kReportStyle, kUninstallReportTitle);
}

void RunUninstall(SetupPlatform& platform) {
    SetupLog unwritten;
    RunUninstall(platform, unwritten);
}

}  // namespace inst
