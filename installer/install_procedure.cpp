// The install procedure, step by step. A failed step is not reported and the next one follows;
// only an empty directory and a payload that does not decode are shown to the user.
#include <iterator>
#include <utility>

#include "installer/archive_reader.h"
#include "installer/install.h"
#include "installer/install_layout.h"
#include "installer/install_start_menu.h"
#include "installer/install_wipe_guard.h"
#include "installer/payload_codec.h"
#include "runtime/files.h"
#include "runtime/registry.h"

namespace inst {
namespace {

const char* FlagText(bool on) {
    return on ? "1" : "0";
}

// Empty directory: on Yes the page gets the stored directory, or the default one. Nothing is
// installed; the user presses the button again.
void OfferDefaultDirectory(InstallFrontEnd& frontEnd, SetupPlatform& platform) {
    const int answer = frontEnd.ShowInstallMessage(kEmptyDirectoryQuestion, kInstallTitle,
                                                   kButtonsYesNo, kIconQuestion, false);
    if (answer != rt::kResultYes) return;
    frontEnd.SetInstallPath(platform.ReadRegistryText(rt::kRootCurrentUser,
                                                      SettingsValuePath(kValueInstallPath),
                                                      DefaultInstallDirectory(platform)));
}

void RememberChoices(const InstallOptions& options, SetupPlatform& platform) {
    const auto write = [&](const char* name, const rt::TextValue& text) {
        platform.WriteRegistryText(rt::kRootCurrentUser, SettingsValuePath(name), text);
    };
    write(kValueAutoStartup, FlagText(options.AutoStartup));
    write(kValueDesktopShortcut, FlagText(options.CreatDesktopShortcut));
    write(kValueStartMenuShortcut, FlagText(options.CreatStartMenuShortcut));
    write(kValueRemoveOldConfig, FlagText(options.RemoveOldConfigFiles));
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
void ApplyDesktopShortcut(const InstallOptions& options, SetupPlatform& platform) {
    const rt::TextValue desktop = platform.SpecialFolder(kFolderCommonDesktop);
    if (desktop.empty()) return;
    const rt::TextValue link = InFolder(desktop, kProgramShortcutName);
    if (options.CreatDesktopShortcut) {
        CreateProductShortcut(platform, link, ProductProgramPath(options.InstallPath),
                              options.InstallPath);
    } else {
        rt::DeleteOneFile(link);
    }
}

void ApplyStartMenu(const InstallOptions& options, SetupPlatform& platform) {
    const rt::TextValue programs = platform.SpecialFolder(kFolderCommonPrograms);
    if (programs.empty()) return;
    const StartMenuPaths paths = StartMenuPathsIn(programs);
    if (!options.CreatStartMenuShortcut) {
        RemoveStartMenuEntries(paths);
        return;
    }
    rt::MakeDirectory(paths.makerFolder);
    rt::MakeDirectory(paths.productFolder);
    CreateProductShortcut(platform, paths.programShortcut, ProductProgramPath(options.InstallPath),
                          options.InstallPath);
    CreateProductShortcut(platform, paths.uninstallShortcut, UninstallerPath(options.InstallPath),
                          options.InstallPath);
}

// The old installation goes with everything in it, unless the directory is one whose loss
// would harm the system or the user far beyond this product.
void RemoveOldInstallation(const InstallOptions& options, SetupPlatform& platform) {
    if (MayWipeInstallDirectory(options.InstallPath, platform)) rt::DeleteTree(options.InstallPath);
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

// A payload that does not decode, does not match its recorded checksum, or decodes to something
// that is no archive: in each case nothing can be installed.
bool OpenPayloadArchive(const ShippedPayload& payload, ArchiveReader& archive) {
    rt::ByteSet image;
    return UnpackShippedPayload(payload, image) == 0 && archive.Open({}, std::move(image));
}

void PlaceUninstaller(const InstallOptions& options, SetupPlatform& platform) {
    const rt::TextValue uninstaller = UninstallerPath(options.InstallPath);
    rt::DeleteOneFile(uninstaller);
    rt::CopyOneFile(platform.OwnProgramPath(), uninstaller);
}

// Quoted, so that a directory with spaces ("C:\Program Files (x86)\...") can never start a
// program named after the first part of the path ("C:\Program.exe").
void StartUpdater(const InstallOptions& options, SetupPlatform& platform) {
    platform.StartProgram("\"" + UpdaterPath(options.InstallPath) + "\"");
}

}  // namespace

rt::TextValue DefaultInstallDirectory(SetupPlatform& platform) {
    rt::TextValue programFiles = platform.SpecialFolder(kFolderProgramFilesX86);
    if (programFiles.empty()) programFiles = platform.SpecialFolder(kFolderProgramFiles);
    if (programFiles.empty()) return {};
    return InFolder(InFolder(programFiles, kMakerFolderName), kProductFolderName);
}

void RunInstall(const InstallOptions& options, InstallFrontEnd& frontEnd, SetupPlatform& platform,
                const ShippedPayload& payload) {
    if (options.InstallPath.empty()) {
        OfferDefaultDirectory(frontEnd, platform);
        return;
    }
    RememberChoices(options, platform);
    ApplyAutoStart(options, platform);
    ApplyDesktopShortcut(options, platform);
    ApplyStartMenu(options, platform);
    if (options.RemoveOldConfigFiles) RemoveOldInstallation(options, platform);
    RegisterUninstallEntry(options, platform);

    ArchiveReader archive;
    if (!OpenPayloadArchive(payload, archive)) {
        frontEnd.ShowInstallMessage(kUnpackFailedMessage, kInstallTitle, kButtonsOk,
                                    kIconInformation, true);
        return;
    }
    archive.ExtractAll({}, {}, options.InstallPath);
    PlaceUninstaller(options, platform);
    StartUpdater(options, platform);
    frontEnd.CloseWizard();
}

}  // namespace inst
