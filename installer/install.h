// The install procedure: records the user's choices, applies the auto-start and shortcut
// choices, registers the product in the system's list of installed programs, unpacks the
// product's files into the install directory, leaves a copy of the running program there as
// uninstall.exe, starts the updater and closes the wizard.
#pragma once

#include "installer/install_front_end.h"
#include "installer/install_options.h"
#include "installer/install_platform.h"
#include "installer/payload_codec.h"
#include "installer/setup_log.h"
#include "runtime/value_types.h"

namespace inst {

// What became of one press of the install button.
enum class InstallOutcome {
    kInstalled,          // the files are in place and the wizard was asked to close
    kAskedForDirectory,  // the directory was empty: the user was asked, nothing was installed
    kRootRefused,        // the directory is a drive root: the user was told, nothing was changed
    kPayloadDamaged,     // "解压失败！": nothing was changed
    kNoRoom,             // the volume lacks room for the files: said so, nothing was changed
    kIncomplete,         // files could not be written: said so, the updater was not started
};

// Installs with the product's own payload on this machine, recording into the program's log
// (program_log.h) (Win32 only). Called by the wizard's install button on its UI thread, which
// has initialised COM.
InstallOutcome RunInstall(const InstallOptions& options, InstallFrontEnd& frontEnd);

// The payload this program carries (Win32 only): the one linked in (resources/payload, which the
// installer links), unless a source of the program defines this function itself, as the stub's
// does with the block appended to its file (program/appended_payload_win32.cpp).
ShippedPayload ProgramPayload();

// The same procedure on the given platform and payload, with each action in `log`.
InstallOutcome RunInstall(const InstallOptions& options, InstallFrontEnd& frontEnd,
                          SetupPlatform& platform, const ShippedPayload& payload, SetupLog& log);
InstallOutcome RunInstall(const InstallOptions& options, InstallFrontEnd& frontEnd,
                          SetupPlatform& platform, const ShippedPayload& payload);

// The Program Files folder of this build (kFolderOwnProgramFiles, else the other one) +
// "\Korrel\VantorFenWix"; empty when neither folder is known.
rt::TextValue DefaultInstallDirectory(SetupPlatform& platform);

}  // namespace inst
