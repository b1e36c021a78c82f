#include "installer/program/program_main.h"

#include "installer/program/startup.h"
#include "installer/program_command_line.h"
#include "runtime/out_of_memory.h"
#include "runtime/program_end.h"
#include "runtime/system_library_win32.h"
#include "toolkit/core/toolkit.h"

namespace inst {

// The library search is limited before anything else runs, so that no library is ever taken
// from the folder the program was started from. A silent run (/S) shows nothing, so it starts
// no toolkit.
void RunProgram() {
    rt::RestrictLibrarySearch();
    rt::InstallOutOfMemoryHandler();
    if (!ProgramCommandLine().switches.silent) {
        rt::SetEndCallback(&ui::ShutdownToolkit);
        ui::StartToolkit();
    }
    rt::EndProgram(RunStartup());
}

}  // namespace inst
