#include "installer/saved_choices.h"

#include "installer/install.h"
#include "installer/install_layout.h"
#include "runtime/registry.h"

namespace inst {
namespace {

bool SavedFlag(SetupPlatform& platform, const char* valueName, const char* defaultText) {
    return platform.ReadRegistryText(rt::kRootCurrentUser, SettingsValuePath(valueName),
                                     defaultText) == "1";
}

}  // namespace

InstallOptions ReadSavedChoices(SetupPlatform& platform) {
    InstallOptions options;
    options.AutoStartup = SavedFlag(platform, kValueAutoStartup, "1");
    options.CreatDesktopShortcut = SavedFlag(platform, kValueDesktopShortcut, "1");
    options.CreatStartMenuShortcut = SavedFlag(platform, kValueStartMenuShortcut, "1");
    options.RemoveOldConfigFiles = SavedFlag(platform, kValueRemoveOldConfig, "0");
    options.InstallPath =
        platform.ReadRegistryText(rt::kRootCurrentUser, SettingsValuePath(kValueInstallPath),
                                  DefaultInstallDirectory(platform));
    return options;
}

InstallOptions StartingChoices(SetupPlatform& platform, const SetupSwitches& switches) {
    InstallOptions options = ReadSavedChoices(platform);
    if (switches.installDirectory) options.InstallPath = *switches.installDirectory;
    return options;
}

}  // namespace inst
