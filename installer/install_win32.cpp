// The install as the wizard runs it: on this machine, with the payload the program carries.
// A program that calls it links the payload library (vs_payload) as well.
#include "installer/install.h"
#include "installer/install_system_platform.h"
#include "resources/payload/embedded_payload.h"

namespace inst {

void RunInstall(const InstallOptions& options, InstallFrontEnd& frontEnd) {
    RunInstall(options, frontEnd, SystemSetupPlatform(),
               ShippedPayload{EmbeddedPayload(), EmbeddedImageChecksum()});
}

}  // namespace inst
