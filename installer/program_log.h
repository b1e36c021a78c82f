// The program's own setup log: the file that /LOG= names, or none. The start-up routine starts
// it before anything else runs; the install and uninstall entry points on this machine
// (RunInstall with a front end, RunUninstall) record into it. Win32 only.
#pragma once

#include "installer/setup_log.h"
#include "runtime/value_types.h"

namespace inst {

// One program-wide log; it writes nothing until a file is started.
SetupLog& ProgramLog();

// Creates the file anew and writes every later line of ProgramLog into it, in UTF-8 after a
// byte-order mark (so that Notepad on older Windows shows the Chinese names too), each line
// ended by CR LF and written at once, so that a run that ends abruptly leaves every line before
// that. False when the file cannot be created; the system's cause is then the last error.
bool StartProgramLogFile(const rt::TextValue& path);

}  // namespace inst
