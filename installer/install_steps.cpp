#include "installer/install_steps.h"

#include <iterator>
#include <string>
#include <utility>

#include "installer/file_replacement.h"
#include "installer/install.h"
#include "installer/install_layout.h"
#include "installer/install_start_menu.h"
#include "installer/install_wipe_guard.h"
#include "installer/uninstaller_copy.h"
#include "runtime/files.h"
#include "runtime/registry.h"
#include "runtime/system_error.h"

namespace inst {
namespace {

// Why a file could not be written, for the message box: the system's words alone.
rt::TextValue ReasonForPerson(const rt::SystemError& error) {
    return error.description.empty() ? error.text : error.description;
}

void RememberChoices(const InstallOptions& options, SetupPlatform& platform) {
    const auto write = [&](const char* name, const rt::TextValue& text) {
        platform.WriteRegistryText(rt::kRootCurrentUser, SettingsValuePath(name), text);
    };
    for (const InstallChoice& choice : kInstallChoices)
        write(choice.valueName, ChoiceText(options.*choice.member));
    write(kValueInstallPath, options.InstallPath);
}

void ApplyAutoStart(const InstallOptions& options, SetupPlatform& platform) {
    if (options.AutoStartup) {
        platform.WriteRegistryText(rt::kRootCurrentUser, RunValuePath(),
                                   "\"" + ProductProgramPath(options.InstallPath) + "\"");
    } else {
        platform.DeleteRegistryEntry(rt::kRootCurrentUser, RunValuePath());
    }
}

void CreateProductShortcut(SetupPlatform& platform, const rt::TextValue& link,
                           const rt::TextValue& target, const rt::TextValue& installPath) {
    platform.CreateShortcut(link, target, kShortcutDescription, installPath);
}

// An unknown special folder is skipped rather than taken as the drive's root.
void ApplyDesktopShortcut(const InstallOptions& options, SetupPlatform& platform, SetupLog& log) {
    const rt::TextValue desktop = platform.SpecialFolder(kFolderCommonDesktop);
    if (desktop.empty()) return;
    const rt::TextValue link = InFolder(desktop, kProgramShortcutName);
    if (options.CreatDesktopShortcut) {
        CreateProductShortcut(platform, link, ProductProgramPath(options.InstallPath),
                              options.InstallPath);
    } else {
        log.Removal("shortcut deleted", link, rt::DeleteOneFile(link) != 0, FailureKind::kSettings);
    }
}

// One level; a folder that is there already is left as it is.
void MakeFolder(const rt::TextValue& folder, SetupLog& log) {
    if (rt::IsExistingDirectory(folder)) return;
    log.Action("folder made", folder, rt::MakeDirectory(folder) != 0, FailureKind::kSettings);
}

void ApplyStartMenu(const InstallOptions& options, SetupPlatform& platform, SetupLog& log) {
    const rt::TextValue programs = platform.SpecialFolder(kFolderCommonPrograms);
    if (programs.empty()) return;
    const StartMenuPaths paths = StartMenuPathsIn(programs);
    if (!options.CreatStartMenuShortcut) {
        RemoveStartMenuEntries(paths, log);
        return;
    }
    MakeFolder(paths.makerFolder, log);
    MakeFolder(paths.productFolder, log);
    CreateProductShortcut(platform, paths.programShortcut, ProductProgramPath(options.InstallPath),
                          options.InstallPath);
    CreateProductShortcut(platform, paths.uninstallShortcut, UninstallerPath(options.InstallPath),
                          options.InstallPath);
}

// The old installation goes with everything in it, unless the directory is one whose loss
// would harm the system or the user far beyond this product.
void RemoveOldInstallation(const InstallOptions& options, SetupPlatform& platform, SetupLog& log) {
    if (!MayWipeInstallDirectory(options.InstallPath, platform)) {
        log.Note("old configuration files kept: " + options.InstallPath +
                 " is not a folder that may be wiped (it does not exist, or is a drive, a "
                 "system, program or user folder, or lies in one through a link)");
        return;
    }
    log.Removal("folder deleted with everything in it", options.InstallPath,
                rt::DeleteTree(options.InstallPath) != 0, FailureKind::kFiles);
}

void RegisterUninstallEntry(const InstallOptions& options, SetupPlatform& platform) {
    const rt::TextValue& dir = options.InstallPath;
    const rt::TextValue data[] = {
        kProductComments, ProductProgramPath(dir), kProductDisplayName,  kProductAddress,
        dir + "\\",       kProductPublisher,       UninstallerPath(dir), UninstallerPath(dir),
        kProductAddress};
    static_assert(std::size(data) == kUninstallEntryValues.size());
    for (std::size_t i = 0; i < std::size(data); ++i) {
        platform.WriteRegistryText(rt::kRootLocalMachine,
                                   UninstallEntryValuePath(kUninstallEntryValues[i]), data[i]);
    }
}

// Every folder and file of the extraction into the log and the files not written into
// `unwritten`, and its progress on to `progress`.
class ExtractionLog final : public ExtractObserver {
  public:
    ExtractionLog(SetupLog& log, UnwrittenFiles& unwritten, ByteProgress* progress)
        : log_(log), unwritten_(unwritten), progress_(progress) {}

    void Advance(std::uint64_t done, std::uint64_t total) override {
        if (progress_ != nullptr) progress_->Advance(done, total);
    }
    void FolderCreated(const rt::TextValue& path, bool created) override {
        log_.Action("folder made", path, created, FailureKind::kUncounted);
    }
    void FileWritten(const rt::TextValue& path, std::uint64_t size, bool written) override {
        if (!written) unwritten_.Add(path, ReasonForPerson(rt::LastSystemError()));
        log_.Action("file written", path + " (" + std::to_string(size) + " bytes)", written,
                    FailureKind::kFiles);
    }
    void EntryRefused(const rt::TextValue& name) override {
        unwritten_.Add(name, kNameOutsideReason);
        log_.Failure("file written", name, "the name leads outside the directory",
                     FailureKind::kFiles);
    }

  private:
    SetupLog& log_;
    UnwrittenFiles& unwritten_;
    ByteProgress* progress_;
};

// Replaces an earlier uninstaller only with a complete copy.
void PlaceUninstaller(const InstallOptions& options, const ShippedPayload& payload,
                      SetupPlatform& platform, SetupLog& log, UnwrittenFiles& unwritten) {
    const rt::TextValue uninstaller = UninstallerPath(options.InstallPath);
    FileReplacement file(uninstaller);
    const bool written = WriteUninstaller(file, platform.OwnProgramPath(), payload);
    if (!written) unwritten.Add(uninstaller, ReasonForPerson(rt::LastSystemError()));
    log.Action("file written", uninstaller + " (a copy of this program)", written,
               FailureKind::kFiles);
}

// Quoted, so that a directory with spaces ("C:\Program Files (x86)\...") can never start a
// program named after the first part of the path ("C:\Program.exe").
void StartUpdater(const InstallOptions& options, SetupPlatform& platform) {
    platform.StartProgram("\"" + UpdaterPath(options.InstallPath) + "\"");
}

}  // namespace

void LogChoices(SetupLog& log, const InstallOptions& options) {
    std::string line = "choices: InstallPath=" + options.InstallPath;
    for (const InstallChoice& choice : kInstallChoices)
        line += std::string(", ") + choice.valueName + "=" + ChoiceText(options.*choice.member);
    log.Note(line);
}

bool OpenPayloadArchive(const ShippedPayload& payload, ArchiveReader& archive,
                        ByteProgress* progress, SetupLog& log) {
    rt::ByteSet image;
    const int decoded = UnpackShippedPayload(payload, image, progress);
    if (decoded != 0) {
        log.Failure("payload decoded", "the embedded payload",
                    "damaged (decoder result " + std::to_string(decoded) + ")",
                    FailureKind::kUncounted);
        return false;
    }
    const std::size_t imageSize = image.size();
    if (!archive.Open({}, std::move(image))) {
        log.Failure("payload decoded", "the embedded payload", "the image holds no archive",
                    FailureKind::kUncounted);
        return false;
    }
    log.Note("payload decoded: " + std::to_string(imageSize) + " bytes, " +
             std::to_string(archive.Entries().size()) + " files");
    return true;
}

void RecordAndApplyChoices(const InstallOptions& options, SetupPlatform& platform, SetupLog& log) {
    RememberChoices(options, platform);
    ApplyAutoStart(options, platform);
    ApplyDesktopShortcut(options, platform, log);
    ApplyStartMenu(options, platform, log);
    if (options.RemoveOldConfigFiles) RemoveOldInstallation(options, platform, log);
    RegisterUninstallEntry(options, platform);
}

SpaceCheck CheckRoom(const InstallOptions& options, const ArchiveReader& archive,
                     const ShippedPayload& payload, SetupPlatform& platform, SetupLog& log) {
    const std::uint64_t uninstaller =
        UninstallerSize(platform.OwnProgramPath(), payload).value_or(0);
    const SpaceCheck check =
        CheckSpace(archive.Entries(), options.InstallPath, uninstaller, platform);
    const std::string figures = std::to_string(check.needed) + " bytes needed, " +
                                (check.free ? std::to_string(*check.free) : "unknown") +
                                " bytes free";
    if (check.Enough()) {
        log.Note("free space: " + options.InstallPath + ": " + figures);
    } else {
        log.Failure("free space", options.InstallPath, figures, FailureKind::kFiles);
    }
    return check;
}

// The updater of a product whose files are not all in place would start a broken product.
UnwrittenFiles PlaceProduct(const InstallOptions& options, ArchiveReader& archive,
                            const ShippedPayload& payload, SetupPlatform& platform, SetupLog& log,
                            ByteProgress* progress) {
    UnwrittenFiles unwritten;
    ExtractionLog extraction(log, unwritten, progress);
    archive.SetObserver(&extraction);
    archive.ExtractAll({}, {}, options.InstallPath);
    archive.SetObserver(nullptr);
    PlaceUninstaller(options, payload, platform, log, unwritten);
    if (unwritten.count == 0) {
        StartUpdater(options, platform);
    } else {
        log.Note("updater not started: " + std::to_string(unwritten.count) +
                 " files could not be written");
    }
    return unwritten;
}

}  // namespace inst
