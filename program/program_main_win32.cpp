#include "program/program_main.h"

#include "installer/program_command_line.h"
#include "program/startup.h"
#include "runtime/out_of_memory.h"
#include "runtime/program_end.h"
#include "runtime/system_library_win32.h"
#include "toolkit/core/toolkit.h"

namespace prog {

// The library search is limited before anything else runs, so that no library is ever taken
// from the folder the program was started from. A silent run (/S) shows nothing, so it starts
// no toolkit.
void RunProgram() {
    rt::RestrictLibrarySearch();
    rt::InstallOutOfMemoryHandler();
    if (!inst::ProgramCommandLine().switches.silent) {
        rt::SetEndCallback(&ui::ShutdownToolkit);
        ui::StartToolkit();
    }
    rt::EndProgram(RunStartup());
}

}  // namespace prog
