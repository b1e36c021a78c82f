// The install as the wizard runs it: on this machine, with the payload the program carries,
// recording into the program's log.
#include "installer/install.h"
#include "installer/install_system_platform.h"
#include "installer/logging_setup_platform.h"
#include "installer/program_log.h"

namespace inst {

InstallOutcome RunInstall(const InstallOptions& options, InstallFrontEnd& frontEnd) {
    LoggingSetupPlatform platform(SystemSetupPlatform(), ProgramLog());
    return RunInstall(options, frontEnd, platform, ProgramPayload(), ProgramLog());
}

}  // namespace inst
