// What the program does is chosen once, at start, from the name it was started under.
#pragma once

#include "runtime/value_types.h"

namespace inst {

enum class RunMode { Installer, Uninstaller };

inline constexpr char kUninstallerFileName[] = "uninstall.exe";

// Exactly "uninstall.exe" (byte for byte, case-sensitive, no trimming) is the uninstaller;
// any other name, "Uninstall.exe" included, is the installer.
RunMode ChooseRunMode(const rt::TextValue& ownFileName);

}  // namespace inst
