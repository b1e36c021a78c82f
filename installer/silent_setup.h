// The silent install and uninstall (/S): no window and no message box; every question the
// wizard or the uninstaller would ask is answered the safe way and the answer logged; the
// result is an exit code (setup_exit_codes.h). Portable.
#pragma once

#include "installer/install_platform.h"
#include "installer/payload_codec.h"
#include "installer/setup_command_line.h"
#include "installer/setup_log.h"

namespace inst {

// Installs what the wizard would install with the saved choices (or the defaults), the /D=
// directory in place of the saved one; the old configuration files go only when the saved
// choice says so. Before it changes anything it makes sure that the command line was understood,
// that the payload decodes, that the directory's volume has room for the files, that the
// product is not running (asking every instance to end) and that the directory can be created
// and written. Files it cannot write keep what they held, and the updater is then not started.
int RunSilentInstall(const SetupCommandLine& command, SetupPlatform& platform,
                     const ShippedPayload& payload, SetupLog& log);

// Uninstalls without the question and without the final report: stops every instance of the
// product, then removes what the uninstall with its question removes. Nothing is removed when
// the command line was not understood or while the product still runs.
int RunSilentUninstall(const SetupCommandLine& command, SetupPlatform& platform, SetupLog& log);

}  // namespace inst
