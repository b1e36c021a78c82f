#include "installer/saved_choices.h"

#include "installer/install.h"
#include "installer/install_layout.h"
#include "runtime/registry.h"

namespace inst {
namespace {

bool SavedFlag(SetupPlatform& platform, const InstallChoice& choice) {
    return platform.ReadRegistryText(rt::kRootCurrentUser, SettingsValuePath(choice.valueName),
                                     ChoiceText(choice.savedDefault)) == "1";
}

}  // namespace

InstallOptions ReadSavedChoices(SetupPlatform& platform) {
    InstallOptions options;
    for (const InstallChoice& choice : kInstallChoices)
        options.*choice.member = SavedFlag(platform, choice);
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
