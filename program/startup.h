// The start-up routine: seeds the random generator, chooses the run mode from the program's
// own file name, and runs the installer (or brings an open wizard to the front) or asks
// whether to uninstall; with /S it installs or uninstalls silently instead (silent_run.h).
#pragma once

namespace prog {

// Returns the process exit code: 0 on every path with a window or a question, a silent run's
// code (setup_exit_codes.h) otherwise.
int RunStartup();

}  // namespace prog
