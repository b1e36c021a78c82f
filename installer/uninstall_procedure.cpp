#include "installer/uninstall_procedure.h"

#include <string>

#include "installer/install_directory_rules.h"
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
// read-only, hidden and system files too. Folders stay. Returns how many were deleted.
int DeleteListedFiles(const rt::TextValue& base, const rt::XmlDocument& list, SetupLog& log) {
    const int count = rt::XmlChildCount(list, "root/files");
    int deleted = 0;
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
        const bool done = rt::DeleteOneFile(base + name) != 0;
        if (done) ++deleted;
        log.Removal("file deleted", base + name, done, FailureKind::kFiles);
    }
    return deleted;
}

// Without a readable list nothing in the directory is touched. A list that deleted nothing
// leaves the product's files where they were: that is no uninstall either.
void DeleteInstalledFiles(const rt::TextValue& base, SetupLog& log) {
    rt::XmlDocument list;
    if (!rt::XmlLoad(list, base + kUpdateListName)) {
        log.Failure("file list read", base + kUpdateListName,
                    "it is missing or not readable: no file of the install directory deleted",
                    FailureKind::kFiles);
        return;
    }
    if (DeleteListedFiles(base, list, log) == 0) {
        log.Failure("files deleted", base + kUpdateListName, "none of the listed files was deleted",
                    FailureKind::kFiles);
    }
    rt::XmlClose(list);
    const rt::TextValue download = base + kDownloadFolderName;
    log.Removal("folder deleted with everything in it", download, rt::DeleteTree(download) != 0,
                FailureKind::kFiles);
    log.Removal("file deleted", base + kUpdateListName,
                rt::DeleteOneFile(base + kUpdateListName) != 0, FailureKind::kFiles);
}

// The directory is judged before anything in it is deleted.
DirectoryRefusal RemoveInstalledFiles(const rt::TextValue& installPath, SetupPlatform& platform,
                                      SetupLog& log) {
    if (installPath.empty()) {
        log.Failure("install directory read", SettingsValuePath(kValueInstallPath),
                    "no install directory stored: no file of it deleted", FailureKind::kFiles);
        return DirectoryRefusal::kNone;
    }
    const rt::TextValue base = BaseOf(installPath);
    const DirectoryRefusal refusal = JudgeUninstallDirectory(base, platform);
    if (refusal != DirectoryRefusal::kNone) {
        log.Failure("install directory used", base,
                    std::string(RefusalReason(refusal)) + ": no file in it deleted",
                    FailureKind::kFiles);
        return refusal;
    }
    DeleteInstalledFiles(base, log);
    return refusal;
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

rt::TextValue UninstallReport(const ProductRemoval& removal) {
    rt::TextValue report = kUninstallReportText + BaseOf(removal.installPath);
    if (removal.refusal != DirectoryRefusal::kNone)
        report += rt::TextValue("\r\n\r\n") + RefusalReportSentence(removal.refusal);
    return report;
}

ProductRemoval RemoveProduct(SetupPlatform& platform, SetupLog& log) {
    ProductRemoval removal;
    removal.installPath =
        platform.ReadRegistryText(rt::kRootCurrentUser, SettingsValuePath(kValueInstallPath), {});
    removal.refusal = RemoveInstalledFiles(removal.installPath, platform, log);
    DeleteRegistryEntries(platform);
    DeleteShortcuts(platform, log);
    return removal;
}

void RunUninstall(SetupPlatform& platform, SetupLog& log) {
    platform.StopProcessNamed(kCompanionProgramName);
    platform.StopProcessNamed(kProductProgramName);
    const ProductRemoval removal = RemoveProduct(platform, log);
    platform.ShowMessage(UninstallReport(removal), kReportStyle, kUninstallReportTitle);
}

void RunUninstall(SetupPlatform& platform) {
    SetupLog unwritten;
    RunUninstall(platform, unwritten);
}

}  // namespace inst
