// The switches this program was started with: its command line after its own name, read once
// as setup switches (setup_command_line.h) for the run mode its file name selects. Win32 only;
// safe to call from any thread.
#pragma once

#include "installer/install_options.h"
#include "installer/setup_command_line.h"
#include "runtime/value_types.h"

namespace inst {

// The command line after the program's own name, as given.
const rt::TextValue& ProgramArguments();

const SetupCommandLine& ProgramCommandLine();

// The choices the install starts from on this machine: the saved ones (or the defaults) with
// the directory of /D= in place of the saved one. The wizard's options page shows these.
InstallOptions StartingChoices();

}  // namespace inst
