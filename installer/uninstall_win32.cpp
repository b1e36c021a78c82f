#include "installer/install_system_platform.h"
#include "installer/logging_setup_platform.h"
#include "installer/program_log.h"
#include "installer/uninstall.h"
#include "installer/uninstall_procedure.h"

namespace inst {

void RunUninstall() {
    LoggingSetupPlatform platform(SystemSetupPlatform(), ProgramLog());
    RunUninstall(platform, ProgramLog());
}

}  // namespace inst
