// The first and last lines of the program's log: which program ran, how and when, and how it
// ended.
#pragma once

#include "installer/run_mode.h"
#include "installer/setup_command_line.h"

namespace prog {

// The program, its mode, its arguments and the local time; for a run with a window also the
// arguments it ignores because it did not understand them.
void LogRunStart(inst::RunMode mode, const inst::SetupCommandLine& command);

void LogRunEnd(int exitCode);

}  // namespace prog
