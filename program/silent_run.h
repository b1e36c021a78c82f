// A run without a window (/S): the system's boxes are kept from appearing, a fault of the
// program ends it with its own exit code, and the silent install or uninstall runs on this
// machine with the program's payload and log.
#pragma once

#include "installer/run_mode.h"

namespace prog {

// Returns the exit code (setup_exit_codes.h).
int RunSilently(inst::RunMode mode);

}  // namespace prog
