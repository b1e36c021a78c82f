#include "installer/run_mode.h"

namespace inst {

RunMode ChooseRunMode(const rt::TextValue& ownFileName) {
    return ownFileName == kUninstallerFileName ? RunMode::Uninstaller : RunMode::Installer;
}

}  // namespace inst
