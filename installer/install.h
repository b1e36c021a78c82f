// The install procedure: records the user's choices, applies the auto-start and shortcut
// choices, registers the product in the system's list of installed programs, unpacks the
// product's files into the install directory, leaves a copy of the running program there as
// uninstall.exe, starts the updater and closes the wizard.
#pragma once

#include "installer/install_front_end.h"
#include "installer/install_options.h"
#include "installer/install_platform.h"
#include "installer/payload_codec.h"
#include "runtime/value_types.h"

namespace inst {

// Installs with the product's own payload on this machine (Win32 only). Called by the wizard's
// install button on its UI thread, which has initialised COM.
void RunInstall(const InstallOptions& options, InstallFrontEnd& frontEnd);

// The same procedure on the given platform and payload.
void RunInstall(const InstallOptions& options, InstallFrontEnd& frontEnd, SetupPlatform& platform,
                const ShippedPayload& payload);

// Program Files (x86) + "\Korrel\VantorFenWix" (Program Files where the system has no x86
// folder); empty when neither folder is known.
rt::TextValue DefaultInstallDirectory(SetupPlatform& platform);

}  // namespace inst
