#include "program/program_main.h"

#include "installer/program_command_line.h"
#include "installer/run_mode.h"
#include "program/startup.h"
#include "runtime/out_of_memory.h"
#include "runtime/program_end.h"
#include "runtime/program_identity.h"
#include "runtime/system_library_win32.h"
#include "toolkit/core/decode_ahead.h"
#include "toolkit/core/toolkit.h"
#include "wizard/wizard_window.h"

namespace prog {

// The library search is limited before anything else runs, so that no library is ever taken
// from the folder the program was started from. A silent run (/S) shows nothing, so it starts
// no toolkit.
void RunProgram() {
    rt::RestrictLibrarySearch();
    rt::InstallOutOfMemoryHandler();
    if (!inst::ProgramCommandLine().switches.silent) {
        rt::SetEndCallback(&ui::ShutdownToolkit);
        // The wizard's images decode on a second thread while its window is made.
        if (inst::ChooseRunMode(rt::OwnFileName()) == inst::RunMode::Installer)
            ui::DecodeAheadOnStart(wiz::FirstFrameImages());
        ui::StartToolkit();
    }
    rt::EndProgram(RunStartup());
}

}  // namespace prog
