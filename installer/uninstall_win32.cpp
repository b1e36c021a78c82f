#include "installer/install_system_platform.h"
#include "installer/uninstall.h"
#include "installer/uninstall_procedure.h"

namespace inst {

void RunUninstall() {
    RunUninstall(SystemSetupPlatform());
}

}  // namespace inst
