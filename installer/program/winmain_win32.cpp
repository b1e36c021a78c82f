// The process entry: the runtime's start, the toolkit's start, the start-up routine, and the
// runtime's end, which runs the toolkit's clean-up before the process ends. A silent run (/S)
// shows nothing, so it starts no toolkit.
#include <windows.h>

#include "installer/program/startup.h"
#include "installer/program_command_line.h"
#include "runtime/out_of_memory.h"
#include "runtime/program_end.h"
#include "toolkit/core/toolkit.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    rt::InstallOutOfMemoryHandler();
    if (!inst::ProgramCommandLine().switches.silent) {
        rt::SetEndCallback(&ui::ShutdownToolkit);
        ui::StartToolkit();
    }
    rt::EndProgram(inst::RunStartup());
}
