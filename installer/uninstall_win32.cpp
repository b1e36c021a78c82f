#include "installer/uninstall.h"

namespace inst {

// The removal steps arrive with the uninstall procedure; until then confirming does nothing.
void RunUninstall() {}

}  // namespace inst
