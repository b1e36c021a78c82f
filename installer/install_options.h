// The user's choices handed to the install procedure. The field names are also the registry
// value names under which the choices are remembered for the next start.
#pragma once

#include "runtime/value_types.h"

namespace inst {

struct InstallOptions {
    // The directory exactly as typed: no trimming, no normalisation.
    rt::TextValue InstallPath;
    bool AutoStartup = false;
    bool CreatDesktopShortcut = false;
    bool CreatStartMenuShortcut = false;
    bool RemoveOldConfigFiles = false;
};

// One check-box choice: its field, the registry value it is saved under (HKEY_CURRENT_USER,
// kSettingsKey) and what counts when nothing usable is saved there. Recording, logging, reading
// and the options page go through this table, so a new choice is a field, its row here, its row
// on the page and the step that applies it.
struct InstallChoice {
    bool InstallOptions::*member;
    const char* valueName;
    bool savedDefault;
};

// In the order they are saved, logged and shown from top to bottom.
inline constexpr InstallChoice kInstallChoices[] = {
    {&InstallOptions::AutoStartup, "AutoStartup", true},
    {&InstallOptions::CreatDesktopShortcut, "CreatDesktopShortcut", true},
    {&InstallOptions::CreatStartMenuShortcut, "CreatStartMenuShortcut", true},
    {&InstallOptions::RemoveOldConfigFiles, "RemoveOldConfigFiles", false},
};

// How a choice is saved and logged: "1" or "0".
inline const char* ChoiceText(bool on) {
    return on ? "1" : "0";
}

}  // namespace inst
