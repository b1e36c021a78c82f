// The process entry: the runtime's start, the start-up routine, and the runtime's end.
#include <windows.h>

#include "installer/program/startup.h"
#include "runtime/out_of_memory.h"
#include "runtime/program_end.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    rt::InstallOutOfMemoryHandler();
    rt::EndProgram(inst::RunStartup());
}
