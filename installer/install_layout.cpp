#include "installer/install_layout.h"

namespace inst {

rt::TextValue InFolder(const rt::TextValue& folder, const char* name) {
    return folder + "\\" + name;
}

rt::TextValue ProductProgramPath(const rt::TextValue& installPath) {
    return InFolder(installPath, kProductProgramName);
}

rt::TextValue UninstallerPath(const rt::TextValue& installPath) {
    return InFolder(installPath, kUninstallerName);
}

rt::TextValue UpdaterPath(const rt::TextValue& installPath) {
    return InFolder(installPath, kUpdaterName);
}

rt::TextValue SettingsValuePath(const char* valueName) {
    return InFolder(kSettingsKey, valueName);
}

rt::TextValue RunValuePath() {
    return InFolder(kRunKey, kRunValueName);
}

rt::TextValue UninstallEntryValuePath(const char* valueName) {
    return InFolder(kUninstallEntryKey, valueName);
}

StartMenuPaths StartMenuPathsIn(const rt::TextValue& commonPrograms) {
    StartMenuPaths paths;
    paths.makerFolder = InFolder(commonPrograms, kMakerFolderName);
    paths.productFolder = InFolder(paths.makerFolder, kProductFolderName);
    paths.programShortcut = InFolder(paths.productFolder, kProgramShortcutName);
    paths.uninstallShortcut = InFolder(paths.productFolder, kUninstallShortcutName);
    return paths;
}

}  // namespace inst
